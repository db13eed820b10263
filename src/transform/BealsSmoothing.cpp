// Beals smoothing: each cell replaced by the probability of finding its
// variable given the other variables present in the sampling unit, from the
// co-occurrences of the variables over the whole table.
#include <vector>

#include "ZQLib/Matrix.h"
#include "transform/DataTransformationsLib.h"

namespace {

void RowsToUnitSum(int n, double** m) {
  for (int j = 0; j < n; j++) {
    double total = 0.0;
    for (int k = 0; k < n; k++) total += m[j][k];
    if (total == 0.0) total = 1.0;
    for (int k = 0; k < n; k++) m[j][k] /= total;
  }
}

}  // namespace

// Accumulates m[j][k] over the units where both values are non-missing:
// type 0 joint occurrences, type 1 quantity of j where k occurs, type 2 x_j*x_k.
// Except for type 2, each row is then divided by its diagonal (when positive)
// and the diagonal set to 1; with normalize rows are brought to unit sum.
void ConditionalProb(int nRows, int nCols, const double* const* x, double** m, int type, bool normalize) {
  for (int j = 0; j < nCols; j++)
    for (int k = 0; k < nCols; k++) m[j][k] = 0.0;
  if (type >= 0 && type <= 2) {
    for (int i = 0; i < nRows; i++) {
      const double* row = x[i];
      for (int j = 0; j < nCols; j++) {
        double xj = row[j];
        if (IsMissing(xj)) continue;
        if (type != 2 && !(type == 1 ? xj != 0.0 : xj > 0.0)) continue;
        double* mj = m[j];
        for (int k = 0; k < nCols; k++) {
          double xk = row[k];
          if (IsMissing(xk)) continue;
          if (type == 0) {
            if (xk > 0.0) mj[k] += 1.0;
          } else if (type == 1) {
            if (xk > 0.0) mj[k] += xj;
          } else {
            mj[k] += xj * xk;
          }
        }
      }
    }
  }
  if (type != 2) {
    for (int j = 0; j < nCols; j++) {
      double d = m[j][j];
      if (d > 0.0)
        for (int k = 0; k < nCols; k++)
          if (k != j) m[j][k] /= d;
      m[j][j] = 1.0;
    }
  }
  if (normalize) RowsToUnitSum(nCols, m);
}

void BealsSmoothing(int nRows, int nCols, const double* const* data, const double* const* probData, double** out, bool givenMatrix,
                    int target, double** coocc, bool include, int type, bool normalize) {
  Matrix pTable(nRows, nCols), mTable(nCols, nCols);
  double** p = pTable.data();
  double** m = mTable.data();
  UnitSumRowsAdjMV(nRows, nCols, data, p);
  ConditionalProb(nRows, nCols, probData, m, type, normalize);
  if (!include) {
    for (int j = 0; j < nCols; j++) m[j][j] = 0.0;
    if (normalize) RowsToUnitSum(nCols, m);
  }
  if (coocc != nullptr && !givenMatrix)
    for (int j = 0; j < nCols; j++)
      for (int k = 0; k < nCols; k++) coocc[j][k] = m[j][k];

  // Product P.M row by row; a unit whose cells are all missing has no term.
  std::vector<double> acc(nCols);
  for (int i = 0; i < nRows; i++) {
    const double* pi = p[i];
    bool anyTerm = false;
    for (int k = 0; k < nCols; k++) acc[k] = 0.0;
    for (int j = 0; j < nCols; j++) {
      double pij = pi[j];
      if (IsMissing(pij)) continue;
      anyTerm = true;
      if (pij == 0.0) continue;
      const double* mj = m[j];
      for (int k = 0; k < nCols; k++) acc[k] += pij * mj[k];
    }
    int kFirst = givenMatrix ? target : 0;
    int kLast = givenMatrix ? target + 1 : nCols;
    for (int k = kFirst; k < kLast; k++) {
      double v;
      if (!anyTerm || IsMissing(pi[k])) {
        v = MISSING_VALUE;  // the cell was missing: it stays missing
      } else if (include) {
        v = acc[k];
      } else {
        // Without the target, the unit's other variables predict it; a unit
        // holding only the target has nothing to predict from and gets 0.
        double rest = 1.0 - pi[k];
        v = rest != 0.0 ? acc[k] / rest : 0.0;
      }
      out[i][k] = v;
    }
  }
}

// Principal coordinates, principal components and correspondence analysis.
#include "ordination/OrdinationLib.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ZQLib/Centring.h"
#include "ZQLib/Matrix.h"
#include "ZQLib/MatrixUtilities.h"
#include "ZQLib/MissingValue.h"
#include "ordination/EigenKernels.h"
#include "ordination/GowerCentring.h"

namespace {

// Copy of the data table with the nRows compared entities in its rows.
Matrix OrientedCopy(int nRows, int nCols, const double* const* X, int reseDir) {
  Matrix Xo(nRows, nCols);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) Xo[i][j] = reseDir == 2 ? X[j][i] : X[i][j];
  return Xo;
}

void PrincipalCoordinateScores(int nRows, int rank, const double* eig, double** evectors, double** escores) {
  for (int k = 0; k < rank; k++) {
    double ss = 0.0;
    for (int i = 0; i < nRows; i++) ss += evectors[k][i] * evectors[k][i];
    const double f = std::sqrt(eig[k] / ss);
    for (int i = 0; i < nRows; i++) escores[k][i] = evectors[k][i] * f;
  }
}

void PrincipalComponentScores(int nRows, int nCols, const double* const* X, int rank, double** evectors,
                              double** escores, int reseType, int reseDir) {
  Matrix Xo = OrientedCopy(nRows, nCols, X, reseDir);
  for (int k = 0; k < rank; k++) {
    double ss = 0.0;
    for (int i = 0; i < nRows; i++) ss += evectors[k][i] * evectors[k][i];
    if (ss > 0.0) {
      const double norm = std::sqrt(ss);
      for (int i = 0; i < nRows; i++) evectors[k][i] /= norm;
    }
  }
  if (reseType == 22) {
    CenterRowsCovMV(nRows, nCols, Xo.data(), Xo.data());
  } else if (reseType == 17) {
    CenterRowsMV(nRows, nCols, Xo.data(), Xo.data());
    NormalizeRowsMV(nRows, nCols, Xo.data(), Xo.data());
  }
  for (int k = 0; k < rank; k++) {
    double* s = escores[k];
    for (int j = 0; j < nCols; j++) s[j] = 0.0;
    for (int i = 0; i < nRows; i++) {
      const double v = evectors[k][i];
      const double* x = Xo[i];
      for (int j = 0; j < nCols; j++)
        if (!IsMissing(x[j])) s[j] += x[j] * v;
    }
  }
}

void CorrespondenceScores(int nRows, int nCols, const double* const* X, int rank, const double* eig,
                          double** evectors, double** escores, int reseDir) {
  const Matrix Xo = OrientedCopy(nRows, nCols, X, reseDir);
  std::vector<double> r(nRows > 0 ? nRows : 1), c(nCols > 0 ? nCols : 1);
  RowTotalsMV(nRows, nCols, Xo.data(), r.data());
  ColTotalsMV(nRows, nCols, Xo.data(), c.data());
  double total = 0.0;
  for (int i = 0; i < nRows; i++) total += r[i];
  for (int k = 0; k < rank; k++) {
    for (int i = 0; i < nRows; i++)
      if (r[i] > 0.0) evectors[k][i] *= std::sqrt(total / r[i]);
    const double sv = std::sqrt(eig[k]);
    for (int j = 0; j < nCols; j++) {
      if (c[j] <= 0.0) {
        escores[k][j] = 0.0;
        continue;
      }
      double s = 0.0;
      for (int i = 0; i < nRows; i++)
        if (!IsMissing(Xo[i][j])) s += Xo[i][j] * evectors[k][i];
      escores[k][j] = s / (c[j] * sv);
    }
  }
}

}  // namespace

bool IsCrossProductMeasure(int reseType) {
  switch (reseType) {
    case 1: case 5: case 6: case 7: case 9: case 10: case 11: case 12: case 13:
    case 14: case 15: case 16: case 17: case 19: case 22:
      return true;
    default:
      return false;
  }
}

void OrdinationSquaredDistances(int n, const double* const* rese, int reseType, double** D2) {
  if (IsCrossProductMeasure(reseType)) {
    ProdToSqDist(n, rese, D2);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) D2[i][j] = rese[i][j] * rese[i][j];
  }
  UpperToLowerMatrix(n, D2);
}

void OrdinationMatrix(int n, const double* const* rese, int ordType, int reseType, double** B) {
  if (ordType == ORD_PRINCIPAL_COORDINATES) {
    OrdinationSquaredDistances(n, rese, reseType, B);
    DissToCenterProdMatrix(n, B, B, true);
    UpperToLowerMatrix(n, B);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) B[i][j] = rese[i][j];
  }
}

double SumPositiveEigenvalues(int n, const double* eig) {
  double s = 0.0;
  for (int k = 0; k < n; k++)
    if (eig[k] > 0.0) s += eig[k];
  return s;
}

int OrdinationRank(int n, const double* eig) {
  const double positive = SumPositiveEigenvalues(n, eig);
  int rank = 0;
  for (int k = 0; k < n; k++)
    if (100.0 * eig[k] / positive > 1e-6) rank++;
  return rank;
}

int OrdinationLeadingAxes(const OrdinationChoice& choice, int maxAxes, int nRows, int nCols, const double* const* X,
                          const double* const* rese, double** evectors, double** escores, int* rank, double* eig,
                          bool* ok) {
  const int reseType = choice.reseType, reseDir = choice.reseDir;
  auto axes = [nRows, maxAxes](const double* values) { return std::min(OrdinationRank(nRows, values), maxAxes); };
  {
    Matrix B(nRows, nRows);
    OrdinationMatrix(nRows, rese, choice.type, reseType, B.data());
    // Eigenvectors only of the axes kept and asked for: no later step reads
    // the others.
    *ok = EigenLeadingVectors(nRows, B.data(), axes, evectors, eig);
  }
  *rank = OrdinationRank(nRows, eig);
  const int scored = axes(eig);
  switch (choice.type) {
    case ORD_PRINCIPAL_COORDINATES:
      PrincipalCoordinateScores(nRows, scored, eig, evectors, escores);
      break;
    case ORD_PRINCIPAL_COMPONENTS:
      PrincipalComponentScores(nRows, nCols, X, scored, evectors, escores, reseType, reseDir);
      break;
    case ORD_CORRESPONDENCE:
      CorrespondenceScores(nRows, nCols, X, scored, eig, evectors, escores, reseDir);
      break;
    default:
      break;
  }
  return 1;
}

int OrdinationLib_D(const OrdinationChoice& choice, int nRows, int nCols, const double* const* X,
                    const double* const* rese, double** evectors, double** escores, int* rank, double* eig,
                    bool* ok) {
  return OrdinationLeadingAxes(choice, nRows, nRows, nCols, X, rese, evectors, escores, rank, eig, ok);
}

int OrdinationLib_D(int nRows, int nCols, const double* const* X, const double* const* rese, double** evectors,
                    double** escores, int* rank, double* eig, bool* ok, int ordType, int reseType, int reseDir) {
  OrdinationChoice choice;
  choice.type = ordType;
  choice.reseType = reseType;
  choice.reseDir = reseDir;
  return OrdinationLib_D(choice, nRows, nCols, X, rese, evectors, escores, rank, eig, ok);
}

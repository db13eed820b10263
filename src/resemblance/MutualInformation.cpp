// Mutual information of two frequency profiles and the I-divergence it rests
// on. An attribute missing in either entity is left out of that pair, and
// terms of the form 0 ln 0 count 0.
#include <cmath>

#include "resemblance/EntropyMeasures.h"
#include "resemblance/PairwiseHelpers.h"

namespace {

// x ln(2x / (x + y)), 0 when x is not positive.
inline double HalfTerm(double x, double y) {
  const double s = x + y;
  return (x > 0.0 && s > 0.0) ? x * std::log(2.0 * x / s) : 0.0;
}

// I-divergence of rows x and y and their totals, over the attributes present in both.
inline double PairIDivergence(int m, const double* x, const double* y, double* rx, double* ry) {
  double div = 0.0, tx = 0.0, ty = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    div += HalfTerm(x[k], y[k]) + HalfTerm(y[k], x[k]);
    tx += x[k];
    ty += y[k];
  }
  *rx = tx;
  *ry = ty;
  return div;
}

}  // namespace

void IDivergenceMV(int n, int m, const double* const* table, double** result) {
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      double rx, ry;
      result[i][j] = PairIDivergence(m, table[i], table[j], &rx, &ry);
    }
}

void MutualInformationMV(int n, int m, const double* const* table, double** result) {
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      double ri, rj;
      const double div = PairIDivergence(m, table[i], table[j], &ri, &rj);
      result[i][j] = div - (HalfTerm(ri, rj) + HalfTerm(rj, ri));
    }
}

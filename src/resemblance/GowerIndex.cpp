// Gower's similarity index for mixed data (binary, nominal, quantitative and
// ordinal attributes).
#include <cfloat>
#include <cmath>
#include <vector>

#include "ZQLib/Matrix.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/QuantitativeMeasures.h"
#include "transform/DataTransformationsLib.h"

void GowerMVOpt(int n, int m, const int* varType, const double* const* table, double** result, const double* ranges,
                const double* weights, int countDoubleAbsence) {
  auto typeOf = [varType](int k) { return varType ? varType[k] : 3; };

  // Ordinal attributes are compared through their ranks, in a work copy.
  bool hasOrdinal = false;
  for (int k = 0; k < m; k++)
    if (typeOf(k) == 4) hasOrdinal = true;
  Matrix ranked;
  const double* const* t = table;
  if (hasOrdinal) {
    ranked = CopyOf(n, m, table);
    std::vector<double> col(n), rk(n);
    for (int k = 0; k < m; k++) {
      if (typeOf(k) != 4) continue;
      for (int i = 0; i < n; i++) col[i] = ranked[i][k];
      RankVectorAdjMV(n, col.data(), rk.data());
      for (int i = 0; i < n; i++) ranked[i][k] = rk[i];
    }
    t = ranked.data();
  }

  std::vector<double> range(m > 0 ? m : 1, 0.0);
  for (int k = 0; k < m; k++) {
    const int ty = typeOf(k);
    if (ty != 3 && ty != 4) continue;
    if (ranges) {
      range[k] = ranges[k];
      continue;
    }
    double mn = DBL_MAX, mx = -DBL_MAX;
    for (int i = 0; i < n; i++) {
      const double v = t[i][k];
      if (IsMissing(v)) continue;
      if (v < mn) mn = v;
      if (v > mx) mx = v;
    }
    range[k] = mx - mn;
  }

  // Per attribute: 0 skipped, 1 quantitative or ordinal with a positive
  // range, 2 of no range (always a full match), 3 nominal, 4 binary.
  std::vector<int> kind(m > 0 ? m : 1);
  std::vector<double> w(m > 0 ? m : 1), rng(m > 0 ? m : 1);
  for (int k = 0; k < m; k++) {
    const int ty = typeOf(k);
    kind[k] = (ty == 3 || ty == 4) ? (range[k] > 0.0 ? 1 : 2) : ty == 2 ? 3 : ty == 1 ? 4 : 0;
    w[k] = weights ? weights[k] : 1.0;
    rng[k] = kind[k] == 1 ? range[k] : 1.0;
  }
  const bool cda = countDoubleAbsence != 0;

  for (int i = 0; i < n; i++) {
    result[i][i] = 1.0;
    const double* x = t[i];
    for (int j = i + 1; j < n; j++) {
      const double* y = t[j];
      double num = 0.0, den = 0.0;
      // Attributes in order; one that does not count adds zero to both sums
      // (selects rather than branches, the values being unpredictable).
      for (int k = 0; k < m; k++) {
        const double a = x[k], b = y[k];
        const int kd = kind[k];
        const bool eq = a == b;
        const bool counted = a != MISSING_VALUE && b != MISSING_VALUE && kd != 0 &&
                             (kd != 4 || !eq || cda || a != 0.0);
        const double score = kd == 1 ? 1.0 - std::fabs(a - b) / rng[k] : (kd == 2 || eq) ? 1.0 : 0.0;
        num += counted ? w[k] * score : 0.0;
        den += counted ? w[k] : 0.0;
      }
      if (den > 0.0) result[i][j] = num / den;
      result[j][i] = result[i][j];
    }
  }
}

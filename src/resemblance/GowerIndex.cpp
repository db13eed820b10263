// Gower's similarity index for mixed data (binary, nominal, quantitative and
// ordinal attributes).
#include <cfloat>
#include <cmath>

#include "ZQLib/zqlibDim.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/QuantitativeMeasures.h"

void GowerMVOpt(int n, int m, int* varType, double** table, double** result, double* ranges,
                double* weights, int countDoubleAbsence) {
  auto typeOf = [varType](int k) { return varType ? varType[k] : 3; };

  // Ordinal attributes are compared through their ranks, in a work copy.
  bool hasOrdinal = false;
  for (int k = 0; k < m; k++)
    if (typeOf(k) == 4) hasOrdinal = true;
  double** t = table;
  if (hasOrdinal) {
    t = rsm::CopyTable(n, m, table);
    double* col = dimDouble1D(n);
    double* rk = dimDouble1D(n);
    int* idx = dimInt1D(n);
    for (int k = 0; k < m; k++) {
      if (typeOf(k) != 4) continue;
      for (int i = 0; i < n; i++) col[i] = t[i][k];
      rsm::MidRanks(n, col, rk, idx);
      for (int i = 0; i < n; i++) t[i][k] = rk[i];
    }
    free1D(idx);
    free1D(rk);
    free1D(col);
  }

  double* range = dimDouble1D(m);
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

  for (int i = 0; i < n; i++) {
    result[i][i] = 1.0;
    const double* x = t[i];
    for (int j = i + 1; j < n; j++) {
      const double* y = t[j];
      double num = 0.0, den = 0.0;
      for (int k = 0; k < m; k++) {
        const double a = x[k], b = y[k];
        if (IsMissing(a) || IsMissing(b)) continue;
        const double w = weights ? weights[k] : 1.0;
        switch (typeOf(k)) {
          case 3:
          case 4:
            if (range[k] > 0.0) {
              num += w * (1.0 - std::fabs(a - b) / range[k]);
            } else {
              num += w;
            }
            den += w;
            break;
          case 2:
            if (a == b) num += w;
            den += w;
            break;
          case 1:
            if (a == b) {
              if (countDoubleAbsence || a != 0.0) {
                num += w;
                den += w;
              }
            } else {
              den += w;
            }
            break;
          default:
            break;
        }
      }
      if (den > 0.0) result[i][j] = num / den;
      result[j][i] = result[i][j];
    }
  }

  free1D(range);
  if (t != table) rsm::FreeTable(t, n);
}

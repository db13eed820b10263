// Gower's similarity index for mixed data (binary, nominal, quantitative and
// ordinal attributes).
#include <cfloat>
#include <cmath>
#include <vector>

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
    for (int k = 0; k < m; k++) {
      if (typeOf(k) != 4) continue;
      for (int i = 0; i < n; i++) col[i] = t[i][k];
      RankVectorAdjMV(n, col, rk);
      for (int i = 0; i < n; i++) t[i][k] = rk[i];
    }
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

  // Columns regrouped by kind (quantitative and ordinal, nominal, binary) in a
  // packed copy, so that each kind is one branch-free loop per pair.
  std::vector<int> order;
  for (int pass = 0; pass < 3; pass++)
    for (int k = 0; k < m; k++) {
      const int ty = typeOf(k);
      if ((pass == 0 && (ty == 3 || ty == 4)) || (pass == 1 && ty == 2) || (pass == 2 && ty == 1))
        order.push_back(k);
    }
  int nQ = 0, nN = 0;
  for (int k : order) {
    const int ty = typeOf(k);
    if (ty == 3 || ty == 4) nQ++;
    else if (ty == 2) nN++;
  }
  const int p = static_cast<int>(order.size());
  double** packed = dimDouble2D(n, p > 0 ? p : 1);
  for (int i = 0; i < n; i++)
    for (int c = 0; c < p; c++) packed[i][c] = t[i][order[c]];
  std::vector<double> w(p > 0 ? p : 1), rng(p > 0 ? p : 1), hasRange(p > 0 ? p : 1);
  for (int c = 0; c < p; c++) {
    w[c] = weights ? weights[order[c]] : 1.0;
    const bool positive = c < nQ && range[order[c]] > 0.0;
    hasRange[c] = positive ? 1.0 : 0.0;
    rng[c] = positive ? range[order[c]] : 1.0;
  }
  const double* W = w.data();
  const double* R = rng.data();
  const double* H = hasRange.data();
  const bool cda = countDoubleAbsence != 0;

  for (int i = 0; i < n; i++) {
    result[i][i] = 1.0;
    const double* x = packed[i];
    for (int j = i + 1; j < n; j++) {
      const double* y = packed[j];
      double num = 0.0, den = 0.0;
#pragma omp simd reduction(+ : num, den)
      for (int c = 0; c < nQ; c++) {
        const bool both = x[c] != MISSING_VALUE && y[c] != MISSING_VALUE;
        const double score = H[c] > 0.0 ? 1.0 - std::fabs(x[c] - y[c]) / R[c] : 1.0;
        num += both ? W[c] * score : 0.0;
        den += both ? W[c] : 0.0;
      }
#pragma omp simd reduction(+ : num, den)
      for (int c = nQ; c < nQ + nN; c++) {
        const bool both = x[c] != MISSING_VALUE && y[c] != MISSING_VALUE;
        num += (both && x[c] == y[c]) ? W[c] : 0.0;
        den += both ? W[c] : 0.0;
      }
      for (int c = nQ + nN; c < p; c++) {
        const double a = x[c], b = y[c];
        if (a == MISSING_VALUE || b == MISSING_VALUE) continue;
        if (a != b) {
          den += W[c];
        } else if (cda || a != 0.0) {
          num += W[c];
          den += W[c];
        }
      }
      if (den > 0.0) result[i][j] = num / den;
      result[j][i] = result[i][j];
    }
  }
  freeDouble2D(packed, n);

  free1D(range);
  if (t != table) rsm::FreeTable(t, n);
}

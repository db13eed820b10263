#include "resemblance/PairwiseHelpers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ZQLib/Parallel.h"

namespace {

// True when the values of x at the positions where both x and y are present
// are all equal (or there is no such position).
bool ConstantWhereBoth(int m, const double* x, const double* y) {
  int first = -1;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    if (first < 0)
      first = k;
    else if (x[k] != x[first])
      return false;
  }
  return true;
}

// Number of positions where both vectors are present, and the means of x
// and y over those positions (0 when there are none).
struct PairMeans {
  int c = 0;
  double mx = 0.0, my = 0.0;
  PairMeans(int m, const double* x, const double* y) {
    double sx = 0.0, sy = 0.0;
    for (int k = 0; k < m; k++) {
      if (IsMissing(x[k]) || IsMissing(y[k])) continue;
      c++;
      sx += x[k];
      sy += y[k];
    }
    if (c > 0) {
      mx = sx / c;
      my = sy / c;
    }
  }
};

}  // namespace

double Correlation2VecMV(int m, const double* x, const double* y) {
  const PairMeans p(m, x, y);
  const int c = p.c;
  // A constant vector has no direction: it correlates 0 with everything, as
  // the centred and normalized rows of the path without missing values do.
  // (Its mean need not equal its value after rounding, so test the values.)
  if (c == 0 || ConstantWhereBoth(m, x, y) || ConstantWhereBoth(m, y, x)) return 0.0;
  const double mx = p.mx, my = p.my;
  double ssx = 0.0, ssy = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    ssx += (x[k] - mx) * (x[k] - mx);
    ssy += (y[k] - my) * (y[k] - my);
  }
  if (!(ssx > 0.0) || !(ssy > 0.0)) return 0.0;
  // Sum of the products of the standardized deviations.
  const double rx = std::sqrt(ssx), ry = std::sqrt(ssy);
  double r = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    r += ((y[k] - my) / ry) * ((x[k] - mx) / rx);
  }
  return r;
}

double ChordDistSq2VecMV(int m, const double* x, const double* y) {
  double nx = 0.0, ny = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    nx += x[k] * x[k];
    ny += y[k] * y[k];
  }
  nx = nx > 0.0 ? std::sqrt(nx) : 1.0;
  ny = ny > 0.0 ? std::sqrt(ny) : 1.0;
  double s = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    const double d = x[k] / nx - y[k] / ny;
    s += d * d;
  }
  return s;
}

double Covariance2VecMV(int m, const double* x, const double* y) {
  const PairMeans p(m, x, y);
  const int c = p.c;
  if (c < 2 || ConstantWhereBoth(m, x, y) || ConstantWhereBoth(m, y, x)) return 0.0;
  const double mx = p.mx, my = p.my;
  double s = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    s += (x[k] - mx) * (y[k] - my);
  }
  return s / (c - 1);
}

double CrossProduct2VecMV(int m, const double* x, const double* y) {
  double s = 0.0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k]) || IsMissing(y[k])) continue;
    s += x[k] * y[k];
  }
  return s;
}


namespace rsm {

bool TableHasMissing(int n, int m, const double* const* table) {
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++)
      if (IsMissing(table[i][k])) return true;
  return false;
}

void MirrorUpper(int n, double** r, bool parallel) {
  // Square tiles keep both the rows read and the rows written in cache.
  const int b = 64;
#pragma omp parallel for schedule(static, 1) if (parallel && n > 512 && !InParallelRegion())
  for (int ib = 0; ib < n; ib += b) {
    const int ie = ib + b < n ? ib + b : n;
    for (int jb = ib; jb < n; jb += b) {
      const int je = jb + b < n ? jb + b : n;
      for (int j = jb; j < je; j++) {
        double* rj = r[j];
        for (int i = ib; i < ie && i < j; i++) rj[i] = r[i][j];
      }
    }
  }
}

int MarkPairsWithoutCommonAttributes(int n, int m, const double* const* table, double** result) {
  int pairs = 0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double* x = table[i];
      const double* y = table[j];
      int k = 0;
      while (k < m && (IsMissing(x[k]) || IsMissing(y[k]))) k++;
      if (k < m) continue;
      result[i][j] = result[j][i] = MISSING_VALUE;
      pairs++;
    }
  return pairs;
}

}  // namespace rsm

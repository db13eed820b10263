#include "resemblance/RowKernels.h"

#include <cmath>

#include "resemblance/PairwiseHelpers.h"

#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#define ROW_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define ROW_KERNEL
#endif

namespace rsm {

namespace {

inline double Root(double s) { return s > 0.0 ? std::sqrt(s) : 0.0; }

// The value of an attribute pair, 0 when either is missing.
inline double Diff(double a, double b) { return (a == MISSING_VALUE || b == MISSING_VALUE) ? 0.0 : a - b; }

}  // namespace

ROW_KERNEL
void SqDistRow(int n, int m, double** t, const double* x, int from, double* r, bool missing) {
  int j = from;
  if (!missing) {
    for (; j + 4 <= n; j += 4) {
      const double *y0 = t[j], *y1 = t[j + 1], *y2 = t[j + 2], *y3 = t[j + 3];
      double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
#pragma omp simd reduction(+ : s0, s1, s2, s3)
      for (int k = 0; k < m; k++) {
        const double a = x[k];
        const double d0 = a - y0[k], d1 = a - y1[k], d2 = a - y2[k], d3 = a - y3[k];
        s0 += d0 * d0;
        s1 += d1 * d1;
        s2 += d2 * d2;
        s3 += d3 * d3;
      }
      r[j] = Root(s0);
      r[j + 1] = Root(s1);
      r[j + 2] = Root(s2);
      r[j + 3] = Root(s3);
    }
    for (; j < n; j++) {
      const double* y = t[j];
      double s = 0.0;
#pragma omp simd reduction(+ : s)
      for (int k = 0; k < m; k++) {
        const double d = x[k] - y[k];
        s += d * d;
      }
      r[j] = Root(s);
    }
    return;
  }
  for (; j + 4 <= n; j += 4) {
    const double *y0 = t[j], *y1 = t[j + 1], *y2 = t[j + 2], *y3 = t[j + 3];
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
#pragma omp simd reduction(+ : s0, s1, s2, s3)
    for (int k = 0; k < m; k++) {
      const double a = x[k];
      const double d0 = Diff(a, y0[k]), d1 = Diff(a, y1[k]), d2 = Diff(a, y2[k]), d3 = Diff(a, y3[k]);
      s0 += d0 * d0;
      s1 += d1 * d1;
      s2 += d2 * d2;
      s3 += d3 * d3;
    }
    r[j] = Root(s0);
    r[j + 1] = Root(s1);
    r[j + 2] = Root(s2);
    r[j + 3] = Root(s3);
  }
  for (; j < n; j++) {
    const double* y = t[j];
    double s = 0.0;
#pragma omp simd reduction(+ : s)
    for (int k = 0; k < m; k++) {
      const double d = Diff(x[k], y[k]);
      s += d * d;
    }
    r[j] = Root(s);
  }
}

ROW_KERNEL
void DotRow(int n, int m, double** t, const double* x, int from, double* r) {
  int j = from;
  for (; j + 4 <= n; j += 4) {
    const double *y0 = t[j], *y1 = t[j + 1], *y2 = t[j + 2], *y3 = t[j + 3];
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
#pragma omp simd reduction(+ : s0, s1, s2, s3)
    for (int k = 0; k < m; k++) {
      const double a = x[k];
      s0 += a * y0[k];
      s1 += a * y1[k];
      s2 += a * y2[k];
      s3 += a * y3[k];
    }
    r[j] = s0;
    r[j + 1] = s1;
    r[j + 2] = s2;
    r[j + 3] = s3;
  }
  for (; j < n; j++) {
    const double* y = t[j];
    double s = 0.0;
#pragma omp simd reduction(+ : s)
    for (int k = 0; k < m; k++) s += x[k] * y[k];
    r[j] = s;
  }
}

ROW_KERNEL
void BrayCurtisRow(int n, int m, double** t, const double* x, int from, double* r, double s, bool missing) {
  for (int j = from; j < n; j++) {
    const double* y = t[j];
    double num = 0.0, den = 0.0;
    if (!missing) {
#pragma omp simd reduction(+ : num, den)
      for (int k = 0; k < m; k++) {
        num += std::fabs(x[k] - y[k]);
        den += (x[k] - s) + (y[k] - s);
      }
    } else {
#pragma omp simd reduction(+ : num, den)
      for (int k = 0; k < m; k++) {
        const bool both = x[k] != MISSING_VALUE && y[k] != MISSING_VALUE;
        num += both ? std::fabs(x[k] - y[k]) : 0.0;
        den += both ? (x[k] - s) + (y[k] - s) : 0.0;
      }
    }
    if (den > 0.0) r[j] = num / den;
  }
}

}  // namespace rsm

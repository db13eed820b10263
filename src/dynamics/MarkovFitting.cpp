// Transition matrices, projection and instability of a Markov fitting.
#include "dynamics/MarkovFitting.h"

#include <cmath>

void FitMarkov(int n, int p, int L, const double* const* X, double*** T) {
  std::vector<double> work(3 * static_cast<size_t>(p > 0 ? p : 0));
  FitMarkov(n, p, L, X, T, work.data());
}

void FitMarkov(int n, int p, int L, const double* const* X, double*** T, double* work) {
  double* loss = work;       // |d| of the variables that decreased, else 0
  double* gain = work + p;   // d of the variables that increased or kept their value, else 0
  double* share = work + 2 * p;  // y / t
  for (int lag = 1; lag <= L; lag++) {
    double** S = T[lag - 1];
    for (int a = 0; a < p; a++)
      for (int b = 0; b < p; b++) S[a][b] = 0.0;
    for (int k = 0; k + lag < n; k++) {
      const double* x = X[k];
      const double* y = X[k + lag];
      double t = 0.0;
      for (int a = 0; a < p; a++) {
        t += y[a];
        const double d = y[a] - x[a];
        loss[a] = d < 0.0 ? -d : 0.0;
        gain[a] = d < 0.0 ? 0.0 : d;
      }
      if (t > 0.0) {
        // W[a][b] = |d_a| y[b] / t + d_b y[a] / t off the diagonal: the
        // shares y / t are taken once per pair.
        for (int a = 0; a < p; a++) share[a] = y[a] / t;
        const double* __restrict sh = share;
        const double* __restrict g = gain;
        for (int a = 0; a < p; a++) {
          double* __restrict s = S[a];
          const double keep = s[a];
          const double la = loss[a], sa = share[a];
#pragma omp simd
          for (int b = 0; b < p; b++) s[b] += la * sh[b] + g[b] * sa;
          s[a] = keep + y[a];
        }
      } else {
        for (int a = 0; a < p; a++) S[a][a] += y[a];
      }
    }
    const double pairs = n - lag;
    for (int a = 0; a < p; a++) {
      double* s = S[a];
      double sum = 0.0;
      for (int b = 0; b < p; b++) {
        s[b] /= pairs;
        sum += s[b];
      }
      if (sum != 0.0)
        for (int b = 0; b < p; b++) s[b] /= sum;
    }
  }
}

void ProjectMarkovLag(int rows, int p, int lag, const double* const* T, double** P) {
  for (int i = lag; i < rows; i++) {
    const double* __restrict from = P[i - lag];
    double* __restrict to = P[i];
    for (int b = 0; b < p; b++) to[b] = 0.0;
    for (int a = 0; a < p; a++) {
      const double z = from[a];
      const double* __restrict t = T[a];
#pragma omp simd
      for (int b = 0; b < p; b++) to[b] += z * t[b];
    }
  }
}

namespace {

double Distance(int p, const double* x, const double* y) {
  double s = 0.0;
  for (int k = 0; k < p; k++) {
    const double d = x[k] - y[k];
    s += d * d;
  }
  return std::sqrt(s);
}

}  // namespace

void ConsecutiveDistances(int rows, int p, const double* const* P, double* d) {
  for (int j = 0; j + 1 < rows; j++) d[j] = Distance(p, P[j], P[j + 1]);
}

MarkovInstability MeasureInstability(int rows, int p, const double* const* P) {
  MarkovInstability m;
  if (rows < 2) return m;
  m.levels.resize(static_cast<size_t>(rows - 1));
  ConsecutiveDistances(rows, p, P, m.levels.data());
  const double first = m.levels[0];
  if (first == 0.0) return m;
  m.percentages.resize(m.levels.size());
  for (size_t j = 0; j < m.levels.size(); j++) {
    m.percentages[j] = 100.0 * m.levels[j] / first;
    if (m.stableReleve == 0 && m.percentages[j] < 1.0) m.stableReleve = static_cast<int>(j) + 2;
  }
  return m;
}

void RowDistances(int n, int p, const double* const* X, double** D) {
  UpperRowDistances(n, p, X, D);
  for (int i = 0; i < n; i++) {
    D[i][i] = 0.0;
    for (int j = 0; j < i; j++) D[i][j] = D[j][i];
  }
}

void UpperRowDistances(int n, int p, const double* const* X, double** D) {
  for (int i = 0; i < n; i++) {
    const double* x = X[i];
    double* d = D[i];
    int j = i + 1;
    // Four rows at a time: four independent sums, each added in the order
    // of Distance, so the values are the same.
    for (; j + 3 < n; j += 4) {
      const double *y0 = X[j], *y1 = X[j + 1], *y2 = X[j + 2], *y3 = X[j + 3];
      double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
      for (int k = 0; k < p; k++) {
        const double e0 = x[k] - y0[k], e1 = x[k] - y1[k], e2 = x[k] - y2[k], e3 = x[k] - y3[k];
        s0 += e0 * e0;
        s1 += e1 * e1;
        s2 += e2 * e2;
        s3 += e3 * e3;
      }
      d[j] = std::sqrt(s0);
      d[j + 1] = std::sqrt(s1);
      d[j + 2] = std::sqrt(s2);
      d[j + 3] = std::sqrt(s3);
    }
    for (; j < n; j++) d[j] = Distance(p, x, X[j]);
  }
}

double MatrixStressKruskal(int n, const double* const* A, const double* const* B) {
  double num = 0.0, den = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double a = A[i][j], b = B[i][j];
      num += (a - b) * (a - b);
      den += ((a + b) / 2.0) * ((a + b) / 2.0);
    }
  if (den == 0.0) return -1.0;
  return std::sqrt(num / den);
}

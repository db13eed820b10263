// Transition matrices, projection and instability of a Markov fitting.
#include "dynamics/MarkovFitting.h"

#include <cmath>

void FitMarkov(int n, int p, int L, const double* const* X, double*** T) {
  std::vector<double> work(2 * static_cast<size_t>(p > 0 ? p : 0));
  FitMarkov(n, p, L, X, T, work.data());
}

void FitMarkov(int n, int p, int L, const double* const* X, double*** T, double* work) {
  double* loss = work;       // |d| of the variables that decreased, else 0
  double* gain = work + p;   // d of the variables that increased or kept their value, else 0
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
        // W[a][b] = (|d_a| y[b] + d_b y[a]) / t off the diagonal.
        for (int a = 0; a < p; a++) {
          double* s = S[a];
          const double keep = s[a];
          const double la = loss[a], ya = y[a];
          for (int b = 0; b < p; b++) s[b] += (la * y[b] + gain[b] * ya) / t;
          s[a] = keep + ya;
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
    const double* from = P[i - lag];
    double* to = P[i];
    for (int b = 0; b < p; b++) to[b] = 0.0;
    for (int a = 0; a < p; a++) {
      const double z = from[a];
      const double* t = T[a];
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
  for (int i = 0; i < n; i++) {
    D[i][i] = 0.0;
    for (int j = i + 1; j < n; j++) D[i][j] = D[j][i] = Distance(p, X[i], X[j]);
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

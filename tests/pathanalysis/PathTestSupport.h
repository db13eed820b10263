// Tables and textbook statistics for the path-analysis tests, computed here
// independently of the program's kernels.
#pragma once
#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"

namespace path_test {

using Column = std::vector<double>;

inline double Mean(const Column& x) {
  double s = 0;
  for (double v : x) s += v;
  return s / x.size();
}

// Pearson correlation by its textbook formula.
inline double Pearson(const Column& x, const Column& y) {
  const double mx = Mean(x), my = Mean(y);
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); i++) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

// First-order partial correlation r(a,b | c) from the three correlations.
inline double FirstOrder(double rab, double rac, double rbc) {
  return (rab - rac * rbc) / std::sqrt((1 - rac * rac) * (1 - rbc * rbc));
}

inline Column Permuted(const Column& x, const std::vector<int>& order) {
  Column y(x.size());
  for (size_t i = 0; i < x.size(); i++) y[i] = x[order[i]];
  return y;
}

inline Matrix FromColumns(const std::vector<Column>& cols) {
  Matrix m(static_cast<int>(cols[0].size()), static_cast<int>(cols.size()));
  for (size_t j = 0; j < cols.size(); j++)
    for (size_t i = 0; i < cols[j].size(); i++) m[static_cast<int>(i)][static_cast<int>(j)] = cols[j][i];
  return m;
}

inline Column ColumnOf(const Matrix& m, int j) {
  Column c(m.rows());
  for (int i = 0; i < m.rows(); i++) c[i] = m[i][j];
  return c;
}

// A chain x1 -> x2 -> x3 and an unrelated x4 (standard normal errors).
inline Matrix Chain(int n, unsigned seed, double slope = 0.8) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> z(0.0, 1.0);
  Matrix m(n, 4);
  for (int i = 0; i < n; i++) {
    m[i][0] = z(gen);
    m[i][1] = slope * m[i][0] + 0.6 * z(gen);
    m[i][2] = slope * m[i][1] + 0.6 * z(gen);
    m[i][3] = z(gen);
  }
  return m;
}

}  // namespace path_test

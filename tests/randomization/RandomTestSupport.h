// Helpers of the randomization and path-analysis tests, computed here
// independently of the program's kernels: a seeded generator, normal tables,
// the textbook Pearson correlation, Euclidean distances, sums of squares from
// coordinates (centroids), and Monte Carlo probabilities against exact ones.
#pragma once
#include <gsl/gsl_rng.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationGenerator.h"

namespace rtest {

using Column = std::vector<double>;

inline RngPtr Generator(unsigned long seed) {
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(g.get(), seed);
  return g;
}

// n x p standard normal values drawn row after row.
inline Matrix Normal(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> normal;
  Matrix x(n, p);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < p; k++) x[i][k] = normal(gen);
  return x;
}

inline double Pearson(const Column& x, const Column& y) {
  const size_t n = x.size();
  double mx = 0, my = 0;
  for (size_t i = 0; i < n; i++) mx += x[i] / n, my += y[i] / n;
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < n; i++) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

// x in the 0-based order: y[i] = x[order[i]].
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

// The pair list of an object order pi of a 4 x 4 resemblance matrix held as
// its pairs (0,1) (0,2) (0,3) (1,2) (1,3) (2,3), numbered 1 to 6: pair (i, j)
// of the permuted matrix is pair (pi(i), pi(j)) of the original.
inline std::vector<int> PairList(const std::vector<int>& pi) {
  const int rows[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  std::vector<int> list(6);
  for (int k = 0; k < 6; k++) {
    const int i = std::min(pi[rows[k][0]], pi[rows[k][1]]), j = std::max(pi[rows[k][0]], pi[rows[k][1]]);
    for (int m = 0; m < 6; m++)
      if (rows[m][0] == i && rows[m][1] == j) list[k] = m + 1;
  }
  return list;
}

// Euclidean distances between the rows of x.
inline Matrix Distances(const Matrix& x) {
  Matrix d(x.rows(), x.rows());
  for (int i = 0; i < x.rows(); i++)
    for (int j = 0; j < x.rows(); j++) {
      double s = 0;
      for (int k = 0; k < x.cols(); k++) s += (x[i][k] - x[j][k]) * (x[i][k] - x[j][k]);
      d[i][j] = std::sqrt(s);
    }
  return d;
}

inline bool All(size_t) { return true; }

// Sum of squared deviations from the centroid of the rows with mask(i).
template <class Mask>
double CentroidSS(const Matrix& x, Mask mask) {
  std::vector<double> c(x.cols(), 0.0);
  int m = 0;
  for (int i = 0; i < x.rows(); i++)
    if (mask(i)) {
      m++;
      for (int k = 0; k < x.cols(); k++) c[k] += x[i][k];
    }
  double ss = 0;
  for (int i = 0; i < x.rows(); i++)
    if (mask(i))
      for (int k = 0; k < x.cols(); k++) ss += (x[i][k] - c[k] / m) * (x[i][k] - c[k] / m);
  return ss;
}

// Between-group sum of squares of a labelling of the rows.
inline double BetweenSS(const Matrix& x, const std::vector<int>& labels) {
  std::map<int, int> seen;
  for (int label : labels) seen[label]++;
  double within = 0;
  for (const auto& g : seen) within += CentroidSS(x, [&](size_t i) { return labels[i] == g.first; });
  return CentroidSS(x, All) - within;
}

// A Monte Carlo P from N permutations within 4.5 standard errors of the
// exact P (the error taken at least as for P(1 - P) = 1e-4).
inline void ExpectNearExact(double estimate, double exact, int N, const std::string& what) {
  const double se = std::sqrt(std::max(exact * (1.0 - exact), 1e-4) / N);
  EXPECT_NEAR(estimate, exact, 4.5 * se) << what;
}

}  // namespace rtest

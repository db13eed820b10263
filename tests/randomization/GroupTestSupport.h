// Small helpers of the group-test tests: matrices with row pointers and
// Euclidean distances of points, with the sums of squares computed from the
// coordinates (centroids), independently of the dissimilarity route.
#pragma once
#include <cmath>
#include <map>
#include <vector>

namespace grouptest {

struct Matrix {
  std::vector<std::vector<double>> cells;
  std::vector<double*> rows;
  explicit Matrix(const std::vector<std::vector<double>>& m) : cells(m) {
    for (auto& r : cells) rows.push_back(r.data());
  }
  double** get() { return rows.data(); }
};

using Points = std::vector<std::vector<double>>;

inline Matrix Distances(const Points& x) {
  const size_t n = x.size();
  std::vector<std::vector<double>> d(n, std::vector<double>(n, 0.0));
  for (size_t i = 0; i < n; i++)
    for (size_t j = 0; j < n; j++) {
      double s = 0;
      for (size_t k = 0; k < x[i].size(); k++) s += (x[i][k] - x[j][k]) * (x[i][k] - x[j][k]);
      d[i][j] = std::sqrt(s);
    }
  return Matrix(d);
}

// Sum of squared deviations from the centroid of the units with mask[i].
template <class Mask>
double CentroidSS(const Points& x, Mask mask) {
  const size_t p = x[0].size();
  std::vector<double> c(p, 0.0);
  int m = 0;
  for (size_t i = 0; i < x.size(); i++)
    if (mask(i)) {
      m++;
      for (size_t k = 0; k < p; k++) c[k] += x[i][k];
    }
  if (m == 0) return 0.0;
  double ss = 0;
  for (size_t i = 0; i < x.size(); i++)
    if (mask(i))
      for (size_t k = 0; k < p; k++) ss += (x[i][k] - c[k] / m) * (x[i][k] - c[k] / m);
  return ss;
}

// Between-group sum of squares of a labelling over the units with take(i).
template <class Take>
double BetweenSS(const Points& x, const std::vector<int>& labels, Take take) {
  double within = 0;
  std::map<int, int> seen;
  for (size_t i = 0; i < x.size(); i++)
    if (take(i)) seen[labels[i]]++;
  for (const auto& g : seen) within += CentroidSS(x, [&](size_t i) { return take(i) && labels[i] == g.first; });
  return CentroidSS(x, take) - within;
}

}  // namespace grouptest

// Point sets, their distance matrices, reference fusion histories and the
// best matching by brute force for the tests of the bootstrap of partition
// sharpness.
#pragma once
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "cluster/ClusterMethods.h"
#include "cluster/ClusterReport.h"
#include "ordination/GowerCentring.h"

namespace sharpnesstest {

using Points = std::vector<std::vector<double>>;

// `groups` clouds of `perGroup` points in `dims` dimensions, point i in
// cloud i % groups: cloud c centred at separation x c on the first axis (all
// clouds at the origin when separation is 0), spread by normal noise of
// standard deviation `spread` on every axis.
inline Points Clouds(int groups, int perGroup, int dims, double separation, double spread, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> noise(0.0, 1.0);
  Points x;
  for (int i = 0; i < groups * perGroup; i++) {
    std::vector<double> p(dims);
    for (int t = 0; t < dims; t++) p[t] = (t == 0 ? separation * (i % groups) : 0.0) + spread * noise(gen);
    x.push_back(p);
  }
  return x;
}

inline double SquaredDistance(const std::vector<double>& a, const std::vector<double>& b) {
  double s = 0;
  for (size_t t = 0; t < a.size(); t++) s += (a[t] - b[t]) * (a[t] - b[t]);
  return s;
}

inline Matrix Euclidean(const Points& x) {
  const int n = static_cast<int>(x.size());
  Matrix d(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) d[i][j] = std::sqrt(SquaredDistance(x[i], x[j]));
  return d;
}

// Cross products of the centred points: a similarity whose squared
// distances s(i,i) + s(j,j) - 2 s(i,j) are the squared Euclidean ones.
inline Matrix CrossProducts(const Points& x) {
  const int n = static_cast<int>(x.size());
  const size_t p = x[0].size();
  std::vector<double> mean(p, 0.0);
  for (const auto& row : x)
    for (size_t t = 0; t < p; t++) mean[t] += row[t] / n;
  Matrix s(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      for (size_t t = 0; t < p; t++) s[i][j] += (x[i][t] - mean[t]) * (x[j][t] - mean[t]);
  return s;
}

struct History {
  History(int n) : n(n), rep(AllocClusterReport(n, 1, false)) {}
  ~History() { FreeClusterReport(n, rep); }
  int n;
  clusterReport* rep;
};

// The reference history as option C builds it for the units of rese.
inline std::unique_ptr<History> Cluster(Matrix rese, int method, bool isDissim) {
  const int n = rese.rows();
  auto h = std::make_unique<History>(n);
  if (method == kWard) {
    bool squared = false;
    if (!isDissim) {
      ProdToSqDist(n, rese.data(), rese.data());
      squared = true;
    }
    SumSqCluster(n, rese.data(), h->rep, squared);
  } else {
    LinkageCluster(n, rese.data(), h->rep, isDissim, false, method, true);
  }
  return h;
}

// The smallest sum of qp[g][k + h] over all k! matchings of the k reference
// groups g to the k sample groups h (qp: a 2k x 2k table).
inline double BestMatchingSum(int k, const double* const* qp) {
  std::vector<int> p(k);
  std::iota(p.begin(), p.end(), 0);
  double best = 1e300;
  do {
    double s = 0;
    for (int g = 0; g < k; g++) s += qp[g][k + p[g]];
    best = std::min(best, s);
  } while (std::next_permutation(p.begin(), p.end()));
  return best;
}

}  // namespace sharpnesstest

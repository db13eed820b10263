// Ward's incremental sum of squares and its topologically constrained
// variant, checked against sums of squares computed from centroids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

namespace {

using Points = std::vector<std::vector<double>>;

const Points kPlane = {{0, 0}, {1, 0.5}, {4, 4}, {5, 3}, {0.5, 2}, {9, 1}, {4.5, 5}};

// Sum of squared deviations from the centroid of the objects (1-based) in group.
double WithinSS(const Points& x, const std::vector<int>& group) {
  const size_t p = x[0].size();
  std::vector<double> c(p, 0.0);
  for (int o : group)
    for (size_t t = 0; t < p; t++) c[t] += x[o - 1][t] / group.size();
  double ss = 0;
  for (int o : group)
    for (size_t t = 0; t < p; t++) ss += (x[o - 1][t] - c[t]) * (x[o - 1][t] - c[t]);
  return ss;
}

// The two parts of a fusion record: up to lastMember, and the rest.
std::pair<std::vector<int>, std::vector<int>> Parts(const History& h, int s) {
  std::vector<int> m = h.Members(s);
  auto cut = std::find(m.begin(), m.end(), h.store[s].lastMember) + 1;
  return {std::vector<int>(m.begin(), cut), std::vector<int>(cut, m.end())};
}

}  // namespace

TEST(Ward, LevelsAreWithinGroupSumsOfSquares) {
  Matrix d = clustertest::Distances(kPlane);
  const int n = static_cast<int>(kPlane.size());
  History h(n);
  SumSqCluster(n, d.get(), h.get(), false);
  for (int s = 0; s < n - 1; s++) {
    auto [a, b] = Parts(h, s);
    const double ssA = WithinSS(kPlane, a), ssB = WithinSS(kPlane, b);
    const double ssAB = WithinSS(kPlane, h.Members(s));
    EXPECT_NEAR(h[s].level, ssAB, 1e-9) << "step " << s + 1;
    EXPECT_NEAR(h[s].level2, ssAB - ssA - ssB, 1e-9) << "step " << s + 1;
    EXPECT_NEAR(h[s].branchLeft, ssAB - ssA, 1e-9);
    EXPECT_NEAR(h[s].branchRight, ssAB - ssB, 1e-9);
    EXPECT_EQ(h[s].node, n + s + 1);
  }
}

TEST(Ward, EachStepTakesTheSmallestIncrease) {
  Matrix d = clustertest::Distances(kPlane);
  const int n = static_cast<int>(kPlane.size());
  History h(n);
  SumSqCluster(n, d.get(), h.get(), false);
  // Replay the history: at every step no other pair of current groups would
  // have increased the within sum of squares less.
  std::vector<std::vector<int>> groups;
  for (int i = 1; i <= n; i++) groups.push_back({i});
  for (int s = 0; s < n - 1; s++) {
    double best = DBL_MAX;
    for (size_t a = 0; a < groups.size(); a++)
      for (size_t b = a + 1; b < groups.size(); b++) {
        std::vector<int> ab = groups[a];
        ab.insert(ab.end(), groups[b].begin(), groups[b].end());
        best = std::min(best, WithinSS(kPlane, ab) - WithinSS(kPlane, groups[a]) - WithinSS(kPlane, groups[b]));
      }
    EXPECT_NEAR(h[s].level2, best, 1e-9);
    auto [a, b] = Parts(h, s);
    auto ia = std::find(groups.begin(), groups.end(), a);
    auto ib = std::find(groups.begin(), groups.end(), b);
    ASSERT_TRUE(ia != groups.end() && ib != groups.end());
    ASSERT_LT(ia, ib);
    ia->insert(ia->end(), b.begin(), b.end());
    groups.erase(ib);
  }
}

TEST(Ward, LastFusionGivesTotalAndBetweenGroupSums) {
  Matrix d = clustertest::Distances(kPlane);
  const int n = static_cast<int>(kPlane.size());
  History h(n);
  SumSqCluster(n, d.get(), h.get(), false);
  std::vector<int> all;
  for (int i = 1; i <= n; i++) all.push_back(i);
  // Total sum of squares: sum of squared distances over all pairs / n.
  double pairs = 0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) pairs += d.rows[i][j] * d.rows[i][j];
  EXPECT_NEAR(h[n - 2].level, pairs / n, 1e-9);
  EXPECT_NEAR(h[n - 2].level, WithinSS(kPlane, all), 1e-9);
  // Between-group sum of squares of the two final groups from their centroids.
  auto [a, b] = Parts(h, n - 2);
  double between = 0;
  for (const auto* g : {&a, &b}) {
    for (size_t t = 0; t < 2; t++) {
      double cg = 0, c = 0;
      for (int o : *g) cg += kPlane[o - 1][t] / g->size();
      for (int o : all) c += kPlane[o - 1][t] / n;
      between += g->size() * (cg - c) * (cg - c);
    }
  }
  EXPECT_NEAR(h[n - 2].level2, between, 1e-9);
}

TEST(Ward, SquaredInputGivesTheSameHistory) {
  Matrix d = clustertest::Distances(kPlane);
  Matrix d2 = clustertest::Distances(kPlane, true);
  const int n = static_cast<int>(kPlane.size());
  History h(n), h2(n);
  SumSqCluster(n, d.get(), h.get(), false);
  SumSqCluster(n, d2.get(), h2.get(), true);
  for (int s = 0; s < n - 1; s++) {
    EXPECT_EQ(h.Members(s), h2.Members(s));
    EXPECT_NEAR(h[s].level, h2[s].level, 1e-9);
  }
}

TEST(Ward, TiesGoToTheFirstPair) {
  // Two pairs at distance 1, far apart: objects 1 and 2 fuse first.
  Matrix d = clustertest::Distances({{0}, {1}, {10}, {11}});
  History h(4);
  SumSqCluster(4, d.get(), h.get(), false);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
  EXPECT_DOUBLE_EQ(h[0].level, 0.5);
  EXPECT_DOUBLE_EQ(h[0].level2, 0.5);
}

TEST(Ward, TiesInOneRowGoToTheSmallerSecondIndex) {
  // Objects 2 and 3 are both at distance 1 from object 1.
  Matrix d = clustertest::Distances({{0}, {1}, {-1}});
  History h(3);
  SumSqCluster(3, d.get(), h.get(), false);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
}

TEST(Ward, FusionMatrixGivesCentroidDistances) {
  // Points 0, 2 and 5: fusing 0 and 2 puts the centroid at 1, 16 from 5.
  Matrix w = clustertest::Distances({{0}, {2}, {5}}, true);
  int sizes[3] = {1, 1, 1};
  FusionMatrix(3, sizes, 0, 1, w.get(), true);
  EXPECT_DOUBLE_EQ(w.rows[0][1], 16);
  EXPECT_EQ(sizes[0], 2);
  EXPECT_EQ(sizes[1], 1);
}

TEST(WardConstrained, FusesOnlyNeighbours) {
  // Unconstrained Ward would fuse 1 with 3 and 2 with 4.
  Matrix d = clustertest::Distances({{0}, {10}, {0.5}, {11}, {0.2}, {10.4}});
  const int n = 6;
  std::vector<std::vector<int>> adj(n, std::vector<int>(n, 0));
  std::vector<int*> rows(n);
  for (int i = 0; i < n; i++) rows[i] = adj[i].data();
  for (int i = 0; i + 1 < n; i++) adj[i][i + 1] = 1;
  History h(n);
  SumSqClusterRestrained(n, d.get(), rows.data(), h.get(), false);
  for (int s = 0; s < n - 1; s++) {
    std::vector<int> m = h.Members(s);
    for (size_t t = 1; t < m.size(); t++) EXPECT_EQ(m[t], m[t - 1] + 1) << "step " << s + 1;
  }
  // First step: (2,3) has the smallest increase among neighbours, 9.5^2 / 2.
  EXPECT_EQ(h.Members(0), (std::vector<int>{2, 3}));
  EXPECT_DOUBLE_EQ(h[0].level2, 9.5 * 9.5 / 2);
  EXPECT_EQ(adj[0][1], 1);  // the caller's topology is kept
  EXPECT_EQ(adj[0][2], 0);
}

TEST(WardConstrained, TopologyFusionTakesTheLargerAdjacency) {
  std::vector<std::vector<int>> adj = {{0, 1, 0, 0}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 0}};
  std::vector<int*> rows(4);
  for (int i = 0; i < 4; i++) rows[i] = adj[i].data();
  int sizes[4] = {1, 1, 1, 1};
  TopologyFusion(4, sizes, 0, 1, rows.data());
  // Group {0,1} is now adjacent to 3 (which moved to position 2).
  EXPECT_EQ(adj[0][2], 1);
  EXPECT_EQ(adj[0][1], 0);
  EXPECT_EQ(adj[1][2], 1);
}

TEST(WardConstrained, UnconnectedTopologyStillCompletesTheHistory) {
  Matrix d = clustertest::Distances({{0}, {1}, {3}});
  std::vector<std::vector<int>> adj(3, std::vector<int>(3, 0));
  std::vector<int*> rows(3);
  for (int i = 0; i < 3; i++) rows[i] = adj[i].data();
  History h(3);
  SumSqClusterRestrained(3, d.get(), rows.data(), h.get(), false);
  EXPECT_EQ(h[1].nMembers, 3);
}

// Ward's incremental sum of squares and its topologically constrained
// variant, replayed against sums of squares computed from centroids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <random>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;
using clustertest::Points;

namespace {

// Sum of squared deviations from the centroid of the objects (1-based) in group.
double WithinSS(const Points& x, const std::vector<int>& group) {
  double ss = 0;
  for (size_t t = 0; t < x[0].size(); t++) {
    double c = 0;
    for (int o : group) c += x[o - 1][t] / group.size();
    for (int o : group) ss += (x[o - 1][t] - c) * (x[o - 1][t] - c);
  }
  return ss;
}

// Replays the history: every step fuses the pair of current groups (adjacent
// runs only, under a chain) whose fusion increases the within sum least; its
// level is the new group's within sum, level2 the increase, the branches the
// level minus each part's within sum.
void ExpectWardHistory(const Points& x, History& h, bool chain) {
  const int n = static_cast<int>(x.size());
  std::vector<std::vector<int>> groups;
  for (int i = 1; i <= n; i++) groups.push_back({i});
  for (int s = 0; s < n - 1; s++) {
    std::vector<int> a = h.Part(s, true), b = h.Part(s, false), ab = h.Members(s);
    auto ia = std::find(groups.begin(), groups.end(), a), ib = std::find(groups.begin(), groups.end(), b);
    ASSERT_TRUE(ia != groups.end() && ib != groups.end() && ia < ib) << "step " << s + 1;
    double best = DBL_MAX;
    for (size_t i = 0; i < groups.size(); i++)
      for (size_t j = i + 1; j < groups.size(); j++) {
        if (chain && groups[j].front() != groups[i].back() + 1) continue;
        std::vector<int> u = groups[i];
        u.insert(u.end(), groups[j].begin(), groups[j].end());
        best = std::min(best, WithinSS(x, u) - WithinSS(x, groups[i]) - WithinSS(x, groups[j]));
      }
    const double ssA = WithinSS(x, a), ssB = WithinSS(x, b), ssAB = WithinSS(x, ab);
    EXPECT_NEAR(h[s].level2, best, 1e-9) << "step " << s + 1;
    EXPECT_NEAR(h[s].level, ssAB, 1e-9) << "step " << s + 1;
    EXPECT_NEAR(h[s].level2, ssAB - ssA - ssB, 1e-9);
    EXPECT_NEAR(h[s].branchLeft, ssAB - ssA, 1e-9);
    EXPECT_NEAR(h[s].branchRight, ssAB - ssB, 1e-9);
    EXPECT_EQ(h[s].node, n + s + 1);
    ia->insert(ia->end(), b.begin(), b.end());
    groups.erase(ib);
  }
}

}  // namespace

TEST(Ward, EveryStepTakesTheSmallestIncreaseOfTheWithinSum) {
  const Points x = {{0, 0}, {1, 0.5}, {4, 4}, {5, 3}, {0.5, 2}, {9, 1}, {4.5, 5}, {8, 2.5}};
  const int n = static_cast<int>(x.size());
  for (bool squared : {false, true}) {
    Matrix d = clustertest::Distances(x, squared);
    History h(n);
    SumSqCluster(n, d.get(), h.get(), squared);
    ExpectWardHistory(x, h, false);
  }
}

TEST(Ward, FirstFusionIsTheFirstSmallestDistanceAmongManyTies) {
  for (int n : {3, 9, 23, 37}) {
    std::mt19937 gen(7 * n);
    std::uniform_int_distribution<int> v(1, 6);
    Matrix d(n, {});
    int fi = 0, fj = 1;
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) d[i][j] = d[j][i] = v(gen);
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++)
        if (d[i][j] < d[fi][fj]) fi = i, fj = j;
    History h(n);
    SumSqCluster(n, d.get(), h.get(), false);
    EXPECT_EQ(h.Members(0), (std::vector<int>{fi + 1, fj + 1})) << "n " << n;
    EXPECT_DOUBLE_EQ(h[0].level2, d[fi][fj] * d[fi][fj] / 2);
  }
}

TEST(WardConstrained, FusesOnlyNeighbouringRuns) {
  // Unconstrained Ward would fuse 1 with 3 and 2 with 4 first.
  const Points x = {{0}, {10}, {0.5}, {11}, {0.2}, {10.4}, {3}};
  const int n = static_cast<int>(x.size());
  Matrix d = clustertest::Distances(x);
  clustertest::Chain chain(n);
  History h(n);
  SumSqClusterRestrained(n, d.get(), chain.get(), h.get(), false);
  for (int s = 0; s < n - 1; s++) {
    std::vector<int> m = h.Members(s);
    for (size_t t = 1; t < m.size(); t++) EXPECT_EQ(m[t], m[t - 1] + 1) << "step " << s + 1;
  }
  ExpectWardHistory(x, h, true);
  EXPECT_EQ(chain.cells[0][1], 1);  // the caller's topology is kept
  EXPECT_EQ(chain.cells[0][2], 0);
  // Without any adjacency the history is still completed.
  clustertest::Chain none(n);
  for (auto& row : none.cells) std::fill(row.begin(), row.end(), 0);
  History u(n);
  SumSqClusterRestrained(n, d.get(), none.get(), u.get(), false);
  EXPECT_EQ(u[n - 2].nMembers, n);
}

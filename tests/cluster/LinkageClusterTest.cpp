// Linkage methods against their definitions: the resemblance between two
// groups is the smallest, the largest or the mean value between their members.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

namespace {

// Clustering by the definition of the group resemblance, scanning the pairs
// of current groups in order and keeping the first best.
std::vector<std::vector<int>> ByDefinition(Matrix& d, bool isDissim, int method, std::vector<double>& levels) {
  std::vector<std::vector<int>> groups, history;
  for (int i = 1; i <= d.n; i++) groups.push_back({i});
  while (groups.size() > 1) {
    double best = isDissim ? 1e300 : -1e300;
    size_t ba = 0, bb = 1;
    for (size_t a = 0; a < groups.size(); a++)
      for (size_t b = a + 1; b < groups.size(); b++) {
        double lo = 1e300, hi = -1e300, sum = 0;
        for (int x : groups[a])
          for (int y : groups[b]) {
            lo = std::min(lo, d[x - 1][y - 1]);
            hi = std::max(hi, d[x - 1][y - 1]);
            sum += d[x - 1][y - 1];
          }
        double v = sum / (groups[a].size() * groups[b].size());
        if (method == kSingleLinkage) v = isDissim ? lo : hi;
        if (method == kCompleteLinkage) v = isDissim ? hi : lo;
        if (isDissim ? v < best : v > best) {
          best = v;
          ba = a;
          bb = b;
        }
      }
    groups[ba].insert(groups[ba].end(), groups[bb].begin(), groups[bb].end());
    groups.erase(groups.begin() + bb);
    history.push_back(groups[ba]);
    levels.push_back(best);
  }
  return history;
}

}  // namespace

TEST(Linkage, MatchesTheDefinitionWithManyTies) {
  // Small integers (many ties) for single and complete linkage; continuous
  // values for the average, whose updates round. Squared distances given as
  // such must give the same history and levels.
  for (int n : {2, 9, 23, 37})
    for (bool isDissim : {true, false})
      for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA}) {
        std::mt19937 gen(100 + n);
        std::uniform_int_distribution<int> small(1, 6);
        std::uniform_real_distribution<double> wide(0, 10);
        Matrix d(n, {}), d2(n, {});
        for (int i = 0; i < n; i++)
          for (int j = i + 1; j < n; j++) {
            d[i][j] = d[j][i] = method == kUPGMA ? wide(gen) : small(gen);
            d2[i][j] = d2[j][i] = d[i][j] * d[i][j];
          }
        const std::vector<double> before = d.store;
        std::vector<double> levels;
        const std::vector<std::vector<int>> expected = ByDefinition(d, isDissim, method, levels);
        History h(n), h2(n);
        LinkageCluster(n, d.get(), h.get(), isDissim, false, method, true);
        ASSERT_EQ(d.store, before);
        if (isDissim) LinkageCluster(n, d2.get(), h2.get(), true, true, method, false);
        for (int s = 0; s < n - 1; s++) {
          ASSERT_EQ(h.Members(s), expected[s]) << "method " << method << " n " << n << " step " << s + 1;
          ASSERT_NEAR(h[s].level, levels[s], 1e-9);
          if (!isDissim) continue;
          ASSERT_EQ(h2.Members(s), expected[s]);
          ASSERT_NEAR(h2[s].level, levels[s], 1e-9);
        }
      }
}

TEST(Linkage, RecordsOfAFusion) {
  // Points 5, 0, 5.5, 1: {1,3} at 0.5, {2,4} at 1, all at 4 (single linkage);
  // as similarities 10 - d the levels decrease and the branches are negative.
  Matrix d = clustertest::Distances({{5}, {0}, {5.5}, {1}}), s(4, {});
  for (int i = 0; i < 16; i++) s.store[i] = 10 - d.store[i];
  for (bool isDissim : {true, false}) {
    History h(4);
    LinkageCluster(4, (isDissim ? d : s).get(), h.get(), isDissim, false, kSingleLinkage, true);
    const double top = isDissim ? 0 : 10, sign = isDissim ? 1 : -1;
    EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3}));
    EXPECT_EQ(h.Members(2), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(h[2].lastMember, 3);
    EXPECT_DOUBLE_EQ(h[2].level, top + sign * 4);
    EXPECT_DOUBLE_EQ(h[2].branchLeft, sign * (4 - 0.5));
    EXPECT_DOUBLE_EQ(h[2].branchRight, sign * (4 - 1));
    for (int k = 0; k < 3; k++) EXPECT_EQ(h[k].node, 5 + k);
  }
}

TEST(Linkage, WeightedAverageAndTheFirstPairOfTies) {
  // Points 0, 1, 3, 7: WPGMA gives 1, (3 + 2) / 2, ((7 + 6) / 2 + 4) / 2.
  Matrix line = clustertest::Distances({{0}, {1}, {3}, {7}});
  History w(4);
  LinkageCluster(4, line.get(), w.get(), true, false, kWPGMA, true);
  EXPECT_DOUBLE_EQ(w[1].level, 2.5);
  EXPECT_DOUBLE_EQ(w[2].level, 5.25);
  // d(1,3) = d(1,4) = d(2,3) are the smallest: 1 and 3 fuse first, by every method.
  Matrix tie(4, {0, 9, 2, 2, 9, 0, 2, 8, 2, 2, 0, 7, 2, 8, 7, 0});
  for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA, kWPGMA}) {
    History h(4);
    LinkageCluster(4, tie.get(), h.get(), true, false, method, true);
    EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3})) << method;
  }
}

// Linkage methods against hand-worked histories: the resemblance between two
// groups is the smallest, the largest, the mean or the weighted mean value
// between their members. (Whole histories with many ties, bit for bit:
// FusionHistoryTest.)
#include <gtest/gtest.h>

#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

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

TEST(Linkage, LevelsOfEachMethodAndTheFirstPairOfTies) {
  // Points 0, 1, 3, 7: {0,1} at 1, then 3 joins, then 7: single linkage at 2
  // and 4, complete at 3 and 7, UPGMA at (3 + 2) / 2 and (7 + 6 + 4) / 3,
  // WPGMA at 2.5 and ((7 + 6) / 2 + 4) / 2. The distances stay as they were.
  Matrix line = clustertest::Distances({{0}, {1}, {3}, {7}});
  const std::vector<double> before = line.store;
  const struct {
    int method;
    double second, third;
  } cases[] = {{kSingleLinkage, 2, 4}, {kCompleteLinkage, 3, 7}, {kUPGMA, 2.5, 17.0 / 3}, {kWPGMA, 2.5, 5.25}};
  for (const auto& c : cases) {
    History h(4);
    LinkageCluster(4, line.get(), h.get(), true, false, c.method, true);
    EXPECT_EQ(line.store, before);
    EXPECT_EQ(h.Members(1), (std::vector<int>{1, 2, 3})) << c.method;
    EXPECT_DOUBLE_EQ(h[0].level, 1) << c.method;
    EXPECT_DOUBLE_EQ(h[1].level, c.second) << c.method;
    EXPECT_DOUBLE_EQ(h[2].level, c.third) << c.method;
  }
  // d(1,3) = d(1,4) = d(2,3) are the smallest: 1 and 3 fuse first, by every method.
  Matrix tie(4, {0, 9, 2, 2, 9, 0, 2, 8, 2, 2, 0, 7, 2, 8, 7, 0});
  for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA, kWPGMA}) {
    History h(4);
    LinkageCluster(4, tie.get(), h.get(), true, false, method, true);
    EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3})) << method;
  }
}

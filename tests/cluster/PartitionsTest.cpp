// Counting groups and cutting fusion histories into partitions.
#include <gtest/gtest.h>

#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "cluster/Partitions.h"

using clustertest::History;

TEST(CountGroups, DistinctNumbersAscending) {
  int memb[4] = {7, 3, 7, 9}, labels[4] = {0}, g = 0;
  CountGroups(4, memb, &g, labels);
  EXPECT_EQ(g, 3);
  EXPECT_EQ(std::vector<int>(labels, labels + 3), (std::vector<int>{3, 7, 9}));
  int negative[6] = {-1, 4, 4, 0, -1, 12};
  CountGroupsNew(6, negative, &g, nullptr);
  EXPECT_EQ(g, 4);
  CountGroupsNew(6, negative, &g, labels);
  EXPECT_EQ(labels[0], -1);
}

TEST(RenamePartitionLabels, KeepsTheOrderOfTheLabels) {
  int part[5] = {5, 2, 5, 9, 2};
  RenamePartitionLabels(5, 3, part);
  EXPECT_EQ(std::vector<int>(part, part + 5), (std::vector<int>{2, 1, 2, 3, 1}));
}

TEST(ClusterPartition, CutsOfFusionHistories) {
  struct Case {
    std::vector<double> levels;  // of the fusions {1,3}, {2,4}, all
    int method, g;
    std::vector<int> part;
    double level;
  } cases[] = {
      {{1, 2, 6}, kSingleLinkage, 2, {1, 2, 1, 2}, 2},
      {{1, 2, 6}, kSingleLinkage, 3, {1, 2, 1, 3}, 1},
      {{1, 2, 6}, kSingleLinkage, 4, {1, 2, 3, 4}, 0},
      // Ward levels need not grow with the steps: the history is cut in
      // ascending order of level; other methods keep the order of the steps.
      {{5, 2, 10}, kWard, 3, {1, 2, 3, 2}, 2},
      {{5, 2, 10}, kUPGMA, 3, {1, 2, 1, 3}, 5},
      {{5, 2, 10}, kWardConstrained, 3, {1, 2, 1, 3}, 5},
  };
  for (const Case& c : cases) {
    History h(4);
    h.Set(0, {1, 3}, 1, c.levels[0], 0, 0);
    h.Set(1, {2, 4}, 2, c.levels[1], 0, 0);
    h.Set(2, {1, 3, 2, 4}, 3, c.levels[2], 0, 0);
    int part[4];
    double level = -1;
    GetClusterPartitionLevel(4, c.g, part, &level, h.get(), c.method);
    EXPECT_EQ(std::vector<int>(part, part + 4), c.part) << c.method << " " << c.g;
    EXPECT_DOUBLE_EQ(level, c.level);
    GetClusterPartitionNew(4, c.g, part, h.get(), c.method);
    EXPECT_EQ(std::vector<int>(part, part + 4), c.part);
  }
  History two(2);
  two.Set(0, {1, 2}, 1, 3, 3, 3);
  int part[2];
  double level = -1;
  GetClusterPartitionLevel(2, 2, part, &level, two.get(), kSingleLinkage);
  EXPECT_EQ(part[1], 2);
  EXPECT_DOUBLE_EQ(level, 0);
}

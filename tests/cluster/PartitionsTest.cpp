// Counting groups and cutting fusion histories into partitions.
#include <gtest/gtest.h>

#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "cluster/Partitions.h"

using clustertest::History;

TEST(CountGroups, DistinctNumbersAscending) {
  int memb[4] = {7, 3, 7, 9};
  int labels[4] = {0};
  int g = 0;
  CountGroups(4, memb, &g, labels);
  EXPECT_EQ(g, 3);
  EXPECT_EQ(labels[0], 3);
  EXPECT_EQ(labels[1], 7);
  EXPECT_EQ(labels[2], 9);
}

TEST(CountGroups, CountOnlyWithoutLabels) {
  int memb[6] = {-1, 4, 4, 0, -1, 12};
  int g = 0;
  CountGroupsNew(6, memb, &g, nullptr);
  EXPECT_EQ(g, 4);
}

TEST(RenamePartitionLabels, KeepsTheOrderOfTheLabels) {
  int part[5] = {5, 2, 5, 9, 2};
  RenamePartitionLabels(5, 3, part);
  EXPECT_EQ(std::vector<int>(part, part + 5), (std::vector<int>{2, 1, 2, 3, 1}));
}

TEST(RenamePartitionLabels, FewerLabelsThanGroupsEnds) {
  int part[3] = {4, 4, 4};
  RenamePartitionLabels(3, 2, part);
  EXPECT_EQ(std::vector<int>(part, part + 3), (std::vector<int>{1, 1, 1}));
}

namespace {

// 1 and 3 fuse at 1, then 2 and 4 at 2, then all at 6.
History FourObjects() {
  History h(4);
  h.Set(0, {1, 3}, 1, 1, 1, 1);
  h.Set(1, {2, 4}, 2, 2, 2, 2);
  h.Set(2, {1, 3, 2, 4}, 3, 6, 5, 4);
  return h;
}

}  // namespace

TEST(ClusterPartition, FromAFusionHistory) {
  History h = FourObjects();
  int part[4];
  double level = -1;
  GetClusterPartitionLevel(4, 2, part, &level, h.get(), kSingleLinkage);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 1, 2}));
  EXPECT_DOUBLE_EQ(level, 2);
  GetClusterPartitionLevel(4, 3, part, &level, h.get(), kSingleLinkage);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 1, 3}));
  EXPECT_DOUBLE_EQ(level, 1);
  GetClusterPartitionLevel(4, 4, part, &level, h.get(), kSingleLinkage);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_DOUBLE_EQ(level, 0);
  GetClusterPartitionNew(4, 2, part, h.get(), kSingleLinkage);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 1, 2}));
}

TEST(ClusterPartition, WardHistoryIsCutInOrderOfLevel) {
  // Ward levels need not grow with the steps: {1,2} at 5 before {3,4} at 2.
  History h(4);
  h.Set(0, {1, 2}, 1, 5, 5, 5);
  h.Set(1, {3, 4}, 3, 2, 2, 2);
  h.Set(2, {1, 2, 3, 4}, 2, 10, 5, 8);
  int part[4];
  double level = 0;
  GetClusterPartitionLevel(4, 3, part, &level, h.get(), kWard);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 3, 3}));
  EXPECT_DOUBLE_EQ(level, 2);
  GetClusterPartitionLevel(4, 3, part, &level, h.get(), kUPGMA);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 1, 2, 3}));
  EXPECT_DOUBLE_EQ(level, 5);
}

TEST(ClusterPartition, TwoObjectsGiveOnePartitionAtLevelZero) {
  History h(2);
  h.Set(0, {1, 2}, 1, 3, 3, 3);
  int part[2];
  double level = -1;
  GetClusterPartitionLevel(2, 2, part, &level, h.get(), kSingleLinkage);
  EXPECT_EQ(part[0], 1);
  EXPECT_EQ(part[1], 2);
  EXPECT_DOUBLE_EQ(level, 0);
}

TEST(ClusterPartition, GroupsNumberedByTheirSmallestObject) {
  // From a clustering: points 10, 0, 11, 1 fuse as {2,4} and {1,3}.
  clustertest::Matrix d = clustertest::Distances({{10}, {0}, {11}, {1.5}});
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kSingleLinkage, true);
  int part[4];
  GetClusterPartitionNew(4, 2, part, h.get(), kSingleLinkage);
  EXPECT_EQ(std::vector<int>(part, part + 4), (std::vector<int>{1, 2, 1, 2}));
}

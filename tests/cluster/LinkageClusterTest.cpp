// Linkage methods: choice of the pair, the four update rules, similarities,
// squared input and the fields of the fusion records.
#include <gtest/gtest.h>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

namespace {

// Points 0, 1, 3 and 7 on a line.
Matrix LineDistances() { return clustertest::Distances({{0}, {1}, {3}, {7}}); }

}  // namespace

TEST(LinkageTies, EqualMinimaGoToTheFirstPairInScanOrder) {
  // d(1,2) = d(3,4) = 1: objects 1 and 2 fuse first.
  Matrix d(4, {0, 1, 5, 6,  //
               1, 0, 5, 6,  //
               5, 5, 0, 1,  //
               6, 6, 1, 0});
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kSingleLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
  EXPECT_EQ(h.Members(1), (std::vector<int>{3, 4}));
}

TEST(LinkageTies, SameFirstIndexGoesToTheSmallerSecondIndex) {
  // d(1,3) = d(1,4) = 2 are the smallest: 1 and 3 fuse first.
  Matrix d(4, {0, 9, 2, 2,  //
               9, 0, 8, 8,  //
               2, 8, 0, 7,  //
               2, 8, 7, 0});
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kCompleteLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3}));
  EXPECT_DOUBLE_EQ(h[0].level, 2);
}

TEST(LinkageTies, SimilarityTiesGoToTheFirstPair) {
  Matrix s(3, {1, 0.4, 0.8,  //
               0.4, 1, 0.8,  //
               0.8, 0.8, 1});
  History h(3);
  LinkageCluster(3, s.get(), h.get(), false, false, kSingleLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3}));
  EXPECT_DOUBLE_EQ(h[0].level, 0.8);
}

TEST(LinkageRules, SingleLinkageOnALine) {
  Matrix d = LineDistances();
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kSingleLinkage, true);
  EXPECT_DOUBLE_EQ(h[0].level, 1);
  EXPECT_DOUBLE_EQ(h[1].level, 2);
  EXPECT_DOUBLE_EQ(h[2].level, 4);
  EXPECT_EQ(h.Members(2), (std::vector<int>{1, 2, 3, 4}));
}

TEST(LinkageRules, CompleteLinkageOnALine) {
  Matrix d = LineDistances();
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kCompleteLinkage, true);
  EXPECT_DOUBLE_EQ(h[0].level, 1);
  EXPECT_DOUBLE_EQ(h[1].level, 3);  // {0,1} to 3: max(3, 2)
  EXPECT_DOUBLE_EQ(h[2].level, 7);
}

TEST(LinkageRules, UpgmaWeighsBySize) {
  Matrix d = LineDistances();
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kUPGMA, true);
  EXPECT_DOUBLE_EQ(h[0].level, 1);
  EXPECT_DOUBLE_EQ(h[1].level, 2.5);  // (3 + 2) / 2
  // Mean of all distances between {0,1,3} and 7: (7 + 6 + 4) / 3.
  EXPECT_DOUBLE_EQ(h[2].level, 17.0 / 3.0);
}

TEST(LinkageRules, WpgmaAveragesTheTwoParts) {
  Matrix d = LineDistances();
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kWPGMA, true);
  EXPECT_DOUBLE_EQ(h[1].level, 2.5);
  EXPECT_DOUBLE_EQ(h[2].level, ((7 + 6) / 2.0 + 4) / 2.0);
}

TEST(LinkageSimilarity, SingleLinkageFusesAtTheLargestSimilarity) {
  Matrix s(4, {1, 0.9, 0.2, 0.1,  //
               0.9, 1, 0.5, 0.3,  //
               0.2, 0.5, 1, 0.6,  //
               0.1, 0.3, 0.6, 1});
  History h(4);
  LinkageCluster(4, s.get(), h.get(), false, false, kSingleLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
  EXPECT_DOUBLE_EQ(h[0].level, 0.9);
  EXPECT_EQ(h.Members(1), (std::vector<int>{3, 4}));
  EXPECT_DOUBLE_EQ(h[1].level, 0.6);
  EXPECT_DOUBLE_EQ(h[2].level, 0.5);  // largest similarity between the two groups
  EXPECT_EQ(h[2].lastMember, 2);
  EXPECT_DOUBLE_EQ(h[2].branchLeft, 0.5 - 0.9);
  EXPECT_DOUBLE_EQ(h[2].branchRight, 0.5 - 0.6);
}

TEST(LinkageSimilarity, CompleteLinkageTakesTheSmallestSimilarity) {
  Matrix s(3, {1, 0.9, 0.2,  //
               0.9, 1, 0.5,  //
               0.2, 0.5, 1});
  History h(3);
  LinkageCluster(3, s.get(), h.get(), false, false, kCompleteLinkage, true);
  EXPECT_DOUBLE_EQ(h[1].level, 0.2);
}

TEST(LinkageRecords, NodesMembersAndBranches) {
  Matrix d = LineDistances();
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kSingleLinkage, true);
  for (int s = 0; s < 3; s++) EXPECT_EQ(h[s].node, 4 + s + 1);
  EXPECT_EQ(h[0].lastMember, 1);
  EXPECT_DOUBLE_EQ(h[0].branchLeft, 1);
  EXPECT_DOUBLE_EQ(h[0].branchRight, 1);
  EXPECT_EQ(h.Members(1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(h[1].lastMember, 2);
  EXPECT_DOUBLE_EQ(h[1].branchLeft, 2 - 1);
  EXPECT_DOUBLE_EQ(h[1].branchRight, 2);
  EXPECT_DOUBLE_EQ(h[2].level2, 0);
}

TEST(LinkageRecords, LaterGroupFusingWithAnEarlierObject) {
  // 2 and 3 fuse first; then 1 joins: members start with the first group.
  Matrix d = clustertest::Distances({{0}, {5}, {5.5}});
  History h(3);
  LinkageCluster(3, d.get(), h.get(), true, false, kSingleLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{2, 3}));
  EXPECT_EQ(h.Members(1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(h[1].lastMember, 1);
}

TEST(LinkageSquared, LevelsAreSquareRootsOfSquaredInput) {
  Matrix d2 = clustertest::Distances({{0}, {1}, {3}, {7}}, true);
  History h(4);
  LinkageCluster(4, d2.get(), h.get(), true, true, kCompleteLinkage, true);
  EXPECT_DOUBLE_EQ(h[0].level, 1);
  EXPECT_DOUBLE_EQ(h[1].level, 3);
  EXPECT_DOUBLE_EQ(h[2].level, 7);
}

TEST(LinkageSquared, AverageLinkageAveragesDistancesNotSquares) {
  Matrix d2 = clustertest::Distances({{0}, {1}, {3}, {7}}, true);
  History h(4);
  LinkageCluster(4, d2.get(), h.get(), true, true, kUPGMA, true);
  EXPECT_DOUBLE_EQ(h[1].level, 2.5);
  EXPECT_DOUBLE_EQ(h[2].level, 17.0 / 3.0);
}

TEST(LinkageCopy, CopyLeavesTheInputAlone) {
  Matrix d = LineDistances();
  std::vector<double> before = d.store;
  History h(4);
  LinkageCluster(4, d.get(), h.get(), true, false, kUPGMA, true);
  EXPECT_EQ(d.store, before);
  History h2(4);
  LinkageCluster(4, d.get(), h2.get(), true, false, kUPGMA, false);
  for (int s = 0; s < 3; s++) EXPECT_DOUBLE_EQ(h2[s].level, h[s].level);
}

TEST(LinkageFusionRule, UpdatesAndRemovesTheSecondGroup) {
  // Three groups of sizes 1, 2, 1; fuse 0 and 2 with UPGMA.
  Matrix w(3, {0, 4, 2,  //
               0, 0, 8,  //
               0, 0, 0});
  int sizes[3] = {1, 2, 1};
  LinkageFusion(3, sizes, 0, 2, w.get(), true, kUPGMA);
  EXPECT_EQ(sizes[0], 2);
  EXPECT_EQ(sizes[1], 2);
  EXPECT_DOUBLE_EQ(w.rows[0][1], (4 + 8) / 2.0);
}

TEST(LinkageEdge, TwoObjectsGiveOneFusion) {
  Matrix d(2, {0, 3, 3, 0});
  History h(2);
  LinkageCluster(2, d.get(), h.get(), true, false, kSingleLinkage, true);
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
  EXPECT_DOUBLE_EQ(h[0].level, 3);
  EXPECT_EQ(h[0].node, 3);
}

// Newick text of fusion histories.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "cluster/NewickFormat.h"

using clustertest::History;

namespace {

std::string Newick(History& h, std::vector<std::string> names, bool lengths = true, int method = kSingleLinkage) {
  std::vector<char*> labels;
  for (auto& s : names) labels.push_back(s.data());
  std::string out;
  NewickFormat(h.n, h.get(), method, labels.data(), true, out, lengths);
  return out;
}

}  // namespace

TEST(Newick, ThreeObjectsOfTheExample) {
  // A and B fuse at 1, then C joins at 3.
  History h(3);
  h.Set(0, {1, 2}, 1, 1, 1, 1);
  h.Set(1, {1, 2, 3}, 2, 3, 2, 3);
  EXPECT_EQ(Newick(h, {"A", "B", "C"}), "((A:1,B:1):2,C:3)");
  EXPECT_EQ(Newick(h, {"A", "B", "C"}, false), "((A,B),C)");
}

TEST(Newick, TwoObjects) {
  History h(2);
  h.Set(0, {1, 2}, 1, 0.25, 0.25, 0.25);
  EXPECT_EQ(Newick(h, {"A", "B"}), "(A:0.25,B:0.25)");
}

TEST(Newick, FusionOfTwoPairs) {
  History h(4);
  h.Set(0, {1, 2}, 1, 1, 1, 1);
  h.Set(1, {3, 4}, 3, 2, 2, 2);
  h.Set(2, {1, 2, 3, 4}, 2, 5, 4, 3);
  EXPECT_EQ(Newick(h, {"A", "B", "C", "D"}), "((A:1,B:1):4,(C:2,D:2):3)");
}

TEST(Newick, ObjectJoiningAnEarlierGroupFromTheLeft) {
  History h(3);
  h.Set(0, {2, 3}, 2, 0.5, 0.5, 0.5);
  h.Set(1, {1, 2, 3}, 1, 5, 5, 4.5);
  EXPECT_EQ(Newick(h, {"A", "B", "C"}), "(A:5,(B:0.5,C:0.5):4.5)");
}

TEST(Newick, FromALinkageClustering) {
  clustertest::Matrix d = clustertest::Distances({{0}, {1}, {3}});
  History h(3);
  LinkageCluster(3, d.get(), h.get(), true, false, kSingleLinkage, true);
  EXPECT_EQ(Newick(h, {"A", "B", "C"}), "((A:1,B:1):1,C:2)");
}

TEST(Newick, SimilaritiesGiveNegativeLengths) {
  History h(3);
  h.Set(0, {1, 2}, 1, 0.9, 0.9, 0.9);
  h.Set(1, {1, 2, 3}, 2, 0.5, -0.4, 0.5);
  EXPECT_EQ(Newick(h, {"A", "B", "C"}), "((A:0.9,B:0.9):-0.4,C:0.5)");
}

TEST(Newick, LongLabelsNeverOverflow) {
  const int n = 40;
  clustertest::Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) d.rows[i][j] = i > j ? i - j : j - i;
  History h(n);
  LinkageCluster(n, d.get(), h.get(), true, false, kSingleLinkage, true);
  std::vector<std::string> names;
  size_t total = 0;
  for (int i = 0; i < n; i++) {
    names.push_back(std::string(500, static_cast<char>('a' + i % 26)) + std::to_string(i));
    total += names.back().size();
  }
  std::string text = Newick(h, names);
  EXPECT_GT(text.size(), total);
  for (const auto& name : names) EXPECT_NE(text.find(name + ":"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '('), n - 1);
}

TEST(Newick, FactorialClusteringHasNoTree) {
  History h(2);
  h.Set(0, {1, 2}, 1, 0.1, 0, 0);
  EXPECT_EQ(Newick(h, {"A", "B"}, true, kHierFactorial), "");
}

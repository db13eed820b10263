// The undirected dependency search: a chain recovered, the thresholds, the
// order of its batches, one and two threads, its permutation tests against
// the basis-set test, transformations of random data sets, refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "PathTestSupport.h"
#include "ZQLib/Matrix.h"
#include "pathanalysis/BasisSetTest.h"
#include "pathanalysis/UndirectedSearch.h"
#include "randomization/VariableTest.h"
#include "resemblance/ResemblanceLib.h"

namespace {

using path_test::Generator;
using Batches = std::vector<PartialCorrelationBatch>;

Matrix Correlations(const Matrix& t) {
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  Matrix r(t.cols(), t.cols());
  ResemblanceLib(c, t.rows(), t.cols(), t.data(), r.data());
  return r;
}

// A search over a table (by default with its own observed correlations).
struct Search {
  Search(const Matrix& t, int N, const Matrix* observedOf = nullptr)
      : table(t), observed(Correlations(observedOf ? *observedOf : t)) {
    run.nObj = table.rows();
    run.nVar = table.cols();
    run.data = table.data();
    run.observed = observed.data();
    run.nPermutations = N;
  }
  Search(const Search&) = delete;
  // Runs the search with the generator seeded with `seed`: its links, and the
  // batches of tests it ran, in order.
  LinkMatrix Links(double alpha, unsigned long seed, Batches* batches = nullptr) const {
    RngPtr g = Generator(seed);
    auto keep = [&](const PartialCorrelationBatch& b, const LinkMatrix&) {
      if (batches) batches->push_back(b);
    };
    return SearchUndirectedDependencies(run, alpha, g.get(), {}, keep);
  }
  std::vector<std::vector<double>> Probabilities(double alpha, unsigned long seed) const {
    Batches batches;
    Links(alpha, seed, &batches);
    std::vector<std::vector<double>> p;
    for (const auto& b : batches) p.push_back(b.p);
    return p;
  }
  Matrix table, observed;
  PartialCorrelationRun run;
};

std::vector<std::pair<int, int>> Linked(const LinkMatrix& m) {
  std::vector<std::pair<int, int>> links;
  for (int i = 0; i < m.Size(); i++)
    for (int j = i + 1; j < m.Size(); j++)
      if (m.Linked(i, j)) links.emplace_back(i, j);
  return links;
}

TEST(UndirectedSearch, RecoversAChainAndLeavesTheUnrelatedVariableAlone) {
  Search s(path_test::Chain(400, 2024), 999);
  for (int nullModel : {2, 1}) {
    s.run.nullModel = nullModel;
    EXPECT_EQ(Linked(s.Links(0.05, 17)), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}})) << nullModel;
  }
}

// Alpha 1 keeps every link and alpha 0 removes them all; with two variables
// there is nothing to test.
TEST(UndirectedSearch, Thresholds) {
  const Matrix table = path_test::Chain(60, 5);
  const Search s(table, 99);
  EXPECT_EQ(Linked(s.Links(1.0, 3)).size(), 6u);
  EXPECT_TRUE(Linked(s.Links(0.0, 3)).empty());
  Matrix two(60, 2);
  for (int i = 0; i < 60; i++) two[i][0] = table[i][0], two[i][1] = table[i][2];
  Batches batches;
  EXPECT_TRUE(Search(two, 99).Links(0.0, 1, &batches).Linked(0, 1));
  EXPECT_TRUE(batches.empty());
}

TEST(UndirectedSearch, BatchesByOrderAndPairWithEverySubsetOfTheOtherVariables) {
  // Five variables, alpha 1: nothing is removed, so every batch is run.
  Matrix table(20, 5);
  const Matrix chain = path_test::Chain(20, 9);
  for (int i = 0; i < 20; i++)
    for (int j = 0; j < 5; j++) table[i][j] = chain[i][j % 4] + (j == 4 ? 0.3 * i : 0.0);
  const Search s(table, 20);
  Batches batches;
  s.Links(1.0, 8, &batches);
  // Order 0 in one batch, then orders 1 and 2 with one batch per pair.
  ASSERT_EQ(batches.size(), 1u + 10u + 10u);
  EXPECT_EQ(batches[0].order, 0);
  EXPECT_EQ(batches[0].Tests(), 10);
  EXPECT_EQ(batches[0].pairs, (std::vector<int>{0, 1, 0, 2, 0, 3, 0, 4, 1, 2, 1, 3, 1, 4, 2, 3, 2, 4, 3, 4}));
  // Pair (1, 3) at order 1: covariables 0, 2, 4; at order 2: {0,2}, {0,4}, {2,4}.
  const PartialCorrelationBatch& o1 = batches[1 + 5];
  EXPECT_EQ(o1.order, 1);
  EXPECT_EQ(o1.pairs, (std::vector<int>{1, 3, 1, 3, 1, 3}));
  EXPECT_EQ(o1.covariables, (std::vector<int>{0, 2, 4}));
  const PartialCorrelationBatch& o2 = batches[11 + 5];
  EXPECT_EQ(o2.order, 2);
  EXPECT_EQ(o2.covariables, (std::vector<int>{0, 2, 0, 4, 2, 4}));
  // Observed values are the partial correlations of the observed matrix.
  const int c[] = {0, 4};
  EXPECT_EQ(o2.r[1], PartialCorrelation_GeneralProc(5, s.observed.data(), 1, 3, 2, c));
  for (const PartialCorrelationBatch& b : batches)
    for (double p : b.p) EXPECT_TRUE(p > 0.0 && p <= 1.0);
}

TEST(UndirectedSearch, PairsRemovedAtOneOrderAreNotTestedAgain) {
  Batches batches;
  Search(path_test::Chain(200, 77), 199).Links(0.05, 12, &batches);
  LinkMatrix after(4);
  for (int t = 0; t < batches[0].Tests(); t++)
    if (batches[0].p[t] > 0.05) after.Remove(batches[0].pairs[2 * t], batches[0].pairs[2 * t + 1]);
  for (size_t k = 1; k < batches.size(); k++) EXPECT_TRUE(after.Linked(batches[k].pairs[0], batches[k].pairs[1]));
  EXPECT_LT(batches.size(), 1u + 6u * 2u);
}

TEST(UndirectedSearch, SameLinksAndProbabilitiesAtOneAndTwoThreads) {
  Search s(path_test::Chain(50, 6), 499);
  s.run.maxThreads = 1;
  const auto one = s.Probabilities(0.2, 44);
  s.run.maxThreads = 2;
  EXPECT_EQ(s.Probabilities(0.2, 44), one);
  EXPECT_GT(one.size(), 1u);
}

TEST(UndirectedSearch, PermutationTestsAgreeWithTheBasisSetTest) {
  const Search s(path_test::Chain(30, 13), 300);
  for (int nullModel : {1, 2}) {
    PartialCorrelationBatch batch;
    batch.order = 1;
    const int c[] = {1}, d[] = {3};
    batch.Add(0, 2, c);
    batch.Add(2, 1, d);
    PartialCorrelationRun run = s.run;
    run.nullModel = nullModel;
    RngPtr g = Generator(90), h = Generator(90);
    PartialCorrelationPermutationTests(run, batch, g.get());
    const BasisSetTestResult r = BasisSetPermutationTest(
        path_test::Input(s.table, {BasisSetElement{0, 2, {1}}, BasisSetElement{2, 1, {3}}}, nullModel, 300), h.get());
    EXPECT_EQ(batch.p, r.probability) << "null model " << nullModel;
    EXPECT_NEAR(batch.r[0], r.observed[0], 1e-15);
  }
}

TEST(UndirectedSearch, TransformationAppliedToEveryRandomDataSet) {
  // Ranks within variables commute with permuting a variable: the search on
  // the raw table with the ranks applied to each random data set is the
  // search on the table of ranks.
  const Matrix table = path_test::Chain(40, 31);
  Matrix ranks = table;
  TransformChoice choice;
  choice.withinVariables = TR_VEC_RANKS;
  ASSERT_EQ(DataTransformationsLib(choice, 40, 4, ranks.data()), 1);
  Search onRanks(ranks, 199), transformed(table, 199, &ranks);
  transformed.run.transform = choice;
  for (int nullModel : {1, 2}) {
    onRanks.run.nullModel = transformed.run.nullModel = nullModel;
    EXPECT_EQ(onRanks.Probabilities(0.1, 71), transformed.Probabilities(0.1, 71)) << "null model " << nullModel;
  }
  // A transformation undefined for a random data set (negative values under
  // Hellinger) stops the tests at it.
  Search negative(table, 50, &ranks);
  negative.run.transform.withinUnits = TR_VEC_HELLINGER;
  PartialCorrelationBatch batch;
  batch.Add(0, 1, nullptr);
  RngPtr g = Generator(2);
  try {
    PartialCorrelationPermutationTests(negative.run, batch, g.get());
    FAIL() << "no refusal";
  } catch (const RandomDataRefused& e) {
    EXPECT_EQ(e.permutation, 2);
    EXPECT_TRUE(e.inTransformation);
  }
}

TEST(UndirectedSearch, ConstantVariablesAreFound) {
  Matrix t{{1, 5, 2, -999}, {2, 5, 2, 3}, {3, 5, 2, 3}};
  EXPECT_EQ(ConstantVariables(3, 4, t.data()), (std::vector<int>{1, 2, 3}));
  Matrix one{{1, 2}};
  EXPECT_EQ(ConstantVariables(1, 2, one.data()), (std::vector<int>{0, 1}));
}

}  // namespace

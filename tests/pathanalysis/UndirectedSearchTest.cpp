// The undirected dependency search: a known chain recovered, the thresholds
// alpha = 1 and 0, the order of its batches of tests, one and two threads,
// its permutation tests against the basis-set test, the user's
// transformation applied to every random data set, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ZQLib/Matrix.h"
#include "pathanalysis/BasisSetTest.h"
#include "pathanalysis/UndirectedSearch.h"
#include "randomization/IterationGenerator.h"
#include "randomization/VariableTest.h"
#include "resemblance/ResemblanceLib.h"
#include "PathTestSupport.h"

namespace {

RngPtr Generator(unsigned long s) {
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(g.get(), s);
  return g;
}

Matrix Correlations(const Matrix& t) {
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  Matrix r(t.cols(), t.cols());
  ResemblanceLib(c, t.rows(), t.cols(), t.data(), r.data());
  return r;
}

PartialCorrelationRun SearchRun(const Matrix& table, const Matrix& observed, int N) {
  PartialCorrelationRun run;
  run.nObj = table.rows();
  run.nVar = table.cols();
  run.data = table.data();
  run.observed = observed.data();
  run.nPermutations = N;
  return run;
}

std::vector<std::pair<int, int>> Links(const LinkMatrix& m) {
  std::vector<std::pair<int, int>> links;
  for (int i = 0; i < m.Size(); i++)
    for (int j = i + 1; j < m.Size(); j++)
      if (m.Linked(i, j)) links.emplace_back(i, j);
  return links;
}

TEST(UndirectedSearch, RecoversAChainAndLeavesTheUnrelatedVariableAlone) {
  const Matrix table = path_test::Chain(400, 2024);
  const Matrix observed = Correlations(table);
  for (int nullModel : {2, 1}) {
    PartialCorrelationRun run = SearchRun(table, observed, 999);
    run.nullModel = nullModel;
    RngPtr g = Generator(17);
    const LinkMatrix links = SearchUndirectedDependencies(run, 0.05, g.get());
    EXPECT_EQ(Links(links), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}})) << "null model " << nullModel;
    // Only the lower triangle is used.
    LinkMatrix copy = links;
    EXPECT_EQ(copy.Rows()[1][0], 1);
    EXPECT_EQ(copy.Rows()[0][1], 0);
    EXPECT_EQ(copy.Rows()[2][0], 0);
  }
}

TEST(UndirectedSearch, AlphaOneKeepsEveryLinkAndAlphaZeroRemovesThemAll) {
  const Matrix table = path_test::Chain(60, 5);
  const Matrix observed = Correlations(table);
  const PartialCorrelationRun run = SearchRun(table, observed, 99);
  RngPtr g = Generator(3);
  EXPECT_EQ(Links(SearchUndirectedDependencies(run, 1.0, g.get())).size(), 6u);
  EXPECT_TRUE(Links(SearchUndirectedDependencies(run, 0.0, g.get())).empty());
}

TEST(UndirectedSearch, BatchesByOrderAndPairWithEverySubsetOfTheOtherVariables) {
  // Five variables, alpha 1: nothing is removed, so every batch is run.
  Matrix table(20, 5);
  const Matrix chain = path_test::Chain(20, 9);
  for (int i = 0; i < 20; i++)
    for (int j = 0; j < 5; j++) table[i][j] = chain[i][j % 4] + (j == 4 ? 0.3 * i : 0.0);
  const Matrix observed = Correlations(table);
  std::vector<PartialCorrelationBatch> batches;
  RngPtr g = Generator(8);
  SearchUndirectedDependencies(SearchRun(table, observed, 20), 1.0, g.get(), {},
                               [&](const PartialCorrelationBatch& b, const LinkMatrix&) { batches.push_back(b); });
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
  EXPECT_EQ(o2.r[1], PartialCorrelation_GeneralProc(5, observed.data(), 1, 3, 2, c));
  for (const PartialCorrelationBatch& b : batches)
    for (double p : b.p) EXPECT_TRUE(p > 0.0 && p <= 1.0);
}

TEST(UndirectedSearch, PairsRemovedAtOneOrderAreNotTestedAgain) {
  const Matrix table = path_test::Chain(200, 77);
  const Matrix observed = Correlations(table);
  std::vector<PartialCorrelationBatch> batches;
  RngPtr g = Generator(12);
  SearchUndirectedDependencies(SearchRun(table, observed, 199), 0.05, g.get(), {},
                               [&](const PartialCorrelationBatch& b, const LinkMatrix&) { batches.push_back(b); });
  LinkMatrix after(4);
  for (int t = 0; t < batches[0].Tests(); t++)
    if (batches[0].p[t] > 0.05) after.Remove(batches[0].pairs[2 * t], batches[0].pairs[2 * t + 1]);
  for (size_t k = 1; k < batches.size(); k++)
    EXPECT_TRUE(after.Linked(batches[k].pairs[0], batches[k].pairs[1]));
  EXPECT_LT(batches.size(), 1u + 6u * 2u);
}

TEST(UndirectedSearch, NoTestWithTwoVariables) {
  Matrix table = path_test::Chain(10, 1);
  Matrix two(10, 2);
  for (int i = 0; i < 10; i++) two[i][0] = table[i][0], two[i][1] = table[i][2];
  const Matrix observed = Correlations(two);
  RngPtr g = Generator(1);
  int batches = 0;
  const LinkMatrix links = SearchUndirectedDependencies(SearchRun(two, observed, 99), 0.0, g.get(), {},
                                                        [&](const PartialCorrelationBatch&, const LinkMatrix&) { batches++; });
  EXPECT_EQ(batches, 0);
  EXPECT_TRUE(links.Linked(0, 1));
}

TEST(UndirectedSearch, SameLinksAndProbabilitiesAtOneAndTwoThreads) {
  const Matrix table = path_test::Chain(50, 6);
  const Matrix observed = Correlations(table);
  std::vector<std::vector<double>> seen[2];
  for (int threads : {1, 2}) {
    PartialCorrelationRun run = SearchRun(table, observed, 499);
    run.maxThreads = threads;
    RngPtr g = Generator(44);
    SearchUndirectedDependencies(run, 0.2, g.get(), {},
                                 [&](const PartialCorrelationBatch& b, const LinkMatrix&) { seen[threads - 1].push_back(b.p); });
  }
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_GT(seen[0].size(), 1u);
}

TEST(UndirectedSearch, PermutationTestsAgreeWithTheBasisSetTest) {
  const Matrix table = path_test::Chain(30, 13);
  const Matrix observed = Correlations(table);
  for (int nullModel : {1, 2}) {
    PartialCorrelationBatch batch;
    batch.order = 1;
    const int c[] = {1};
    batch.Add(0, 2, c);
    const int d[] = {3};
    batch.Add(2, 1, d);
    PartialCorrelationRun run = SearchRun(table, observed, 300);
    run.nullModel = nullModel;
    RngPtr g = Generator(90);
    PartialCorrelationPermutationTests(run, batch, g.get());

    BasisSetTestInput in;
    in.nObj = 30;
    in.nVar = 4;
    in.data = table.data();
    in.elements = {BasisSetElement{0, 2, {1}}, BasisSetElement{2, 1, {3}}};
    in.nullModel = nullModel;
    in.nPermutations = 300;
    RngPtr h = Generator(90);
    const BasisSetTestResult r = BasisSetPermutationTest(in, h.get());
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
  const Matrix observed = Correlations(ranks);
  for (int nullModel : {1, 2}) {
    std::vector<std::vector<double>> p[2];
    for (int transformed : {0, 1}) {
      PartialCorrelationRun run = SearchRun(transformed ? table : ranks, observed, 199);
      if (transformed) run.transform = choice;
      run.nullModel = nullModel;
      RngPtr g = Generator(71);
      SearchUndirectedDependencies(run, 0.1, g.get(), {},
                                   [&](const PartialCorrelationBatch& b, const LinkMatrix&) { p[transformed].push_back(b.p); });
    }
    EXPECT_EQ(p[0], p[1]) << "null model " << nullModel;
  }
  // A transformation undefined for a random data set stops the tests at it.
  Matrix negative = table;
  TransformChoice hellinger;
  hellinger.withinUnits = TR_VEC_HELLINGER;
  PartialCorrelationRun run = SearchRun(negative, observed, 50);
  run.transform = hellinger;
  PartialCorrelationBatch batch;
  batch.Add(0, 1, nullptr);
  RngPtr g = Generator(2);
  try {
    PartialCorrelationPermutationTests(run, batch, g.get());
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

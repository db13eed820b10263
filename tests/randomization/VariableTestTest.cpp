// The randomization test comparing variables: probabilities against complete
// enumeration (plain, transformed, embedded matrix), the draws against the
// generator's sequential stream at one and two threads, the lists of each
// restriction, N = 1, undefined values and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "RandomTestSupport.h"
#include "ZQLib/MissingValue.h"
#include "randomization/PermutationRestrictions.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "randomization/VariableTest.h"

namespace {

using rtest::Column;
using rtest::ExpectNearExact;
using rtest::Generator;
using rtest::Pearson;
using rtest::Permuted;

// The input of a test on a table given by its columns, with the observed
// resemblance matrix of the (transformed) table.
struct TestCase {
  TestCase(const std::vector<Column>& cols, int measure, int withinUnits = 0)
      : data(rtest::FromColumns(cols)), observed(static_cast<int>(cols.size()), static_cast<int>(cols.size())) {
    in.nObj = data.rows();
    in.nVar = data.cols();
    in.data = data.data();
    in.resemblance.direction = 2;
    in.resemblance.measure = measure;
    in.transform.withinUnits = withinUnits;
    Matrix t = data;
    DataTransformationsLib(in.transform, in.nObj, in.nVar, t.data());
    ResemblanceLib(in.resemblance, in.nObj, in.nVar, t.data(), observed.data());
    in.observed = observed.data();
  }
  Matrix data, observed;
  VariableTestInput in;
};

// Exact P of |statistic| over every ordering of n indices, ties (within
// 1e-9) counted.
double ExactP(int n, const std::function<double(const std::vector<int>&)>& statistic) {
  std::vector<int> order(n);
  for (int i = 0; i < n; i++) order[i] = i;
  const double observed = std::fabs(statistic(order));
  int hits = 0, total = 0;
  do hits += std::fabs(statistic(order)) >= observed - 1e-9, total++;
  while (std::next_permutation(order.begin(), order.end()));
  return static_cast<double>(hits) / total;
}

}  // namespace

// Each pair's P against all 720 orderings of one column. Variables 1 and 2
// are strongly negatively correlated: exact P = 2/720 on absolute values.
TEST(VariableTest, ProbabilitiesMatchCompleteEnumerationAndN1) {
  const std::vector<Column> cols = {{1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1.5}, {2, 7, 1, 8, 2.5, 8.5}};
  TestCase s(cols, 17);
  s.in.nPermutations = 10000;
  RngPtr g = Generator(2024);
  const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
  EXPECT_LT(s.observed[0][1], -0.9);
  for (int a = 0; a < 3; a++)
    for (int b = a + 1; b < 3; b++) {
      const double exact = ExactP(6, [&](const std::vector<int>& o) { return Pearson(cols[a], Permuted(cols[b], o)); });
      ExpectNearExact(r.probability[a][b], exact, s.in.nPermutations, "pair");
      EXPECT_EQ(r.probability[a][b], r.probability[b][a]);
    }
  EXPECT_LT(r.probability[0][1], 0.01);
  EXPECT_EQ(r.probability[0][0], 1.0);
  // N = 1: nothing drawn, every P = 1.
  s.in.nPermutations = 1;
  RngPtr h = Generator(5);
  const VariableTestResult one = RandomizationTestVariables(s.in, h.get());
  for (int a = 0; a < 3; a++)
    for (int b = 0; b < 3; b++) EXPECT_EQ(one.probability[a][b], 1.0);
  EXPECT_EQ(gsl_rng_get(h.get()), gsl_rng_get(Generator(5).get()));
}

// Columns uncorrelated in exact arithmetic (the second symmetric about the
// middle of the first, a trend): every ordering is at least as extreme, P = 1,
// though rounding leaves the observed correlation and the random ones near
// zero in different places (of the order of 1e-17).
TEST(VariableTest, CorrelationOfExactlyZeroGivesPOne) {
  const std::vector<Column> cols = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0.3, 7, 1.1, 9, 2.2, 2.2, 9, 1.1, 7, 0.3},
                                    {3, 1, 4, 1, 5, 5, 1, 4, 1, 3}};
  TestCase s(cols, 17);
  s.in.nPermutations = 2000;
  RngPtr g = Generator(7);
  const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
  EXPECT_NEAR(s.observed[0][1], 0.0, 1e-15);
  EXPECT_NEAR(s.observed[0][2], 0.0, 1e-15);
  EXPECT_EQ(r.probability[0][1], 1.0) << s.observed[0][1];
  EXPECT_EQ(r.probability[0][2], 1.0) << s.observed[0][2];
}

// Rows brought to unit sums after each permutation: the 120 x 120 orderings of
// columns 2 and 3 against column 1, transformed and correlated by hand.
TEST(VariableTest, TransformationAppliedToEveryRandomDataSet) {
  const std::vector<Column> cols = {{1, 4, 2, 8, 5}, {3, 1, 4, 1, 5}, {9, 2, 6, 5, 3}};
  TestCase s(cols, 17, TR_VEC_MARGINAL_TOTAL);
  s.in.nPermutations = 10000;
  RngPtr g = Generator(99);
  const VariableTestResult r = RandomizationTestVariables(s.in, g.get());

  auto correlations = [&](const std::vector<int>& o2, const std::vector<int>& o3) {
    Column c1 = cols[0], c2 = Permuted(cols[1], o2), c3 = Permuted(cols[2], o3);
    for (int i = 0; i < 5; i++) {
      const double sum = c1[i] + c2[i] + c3[i];
      c1[i] /= sum, c2[i] /= sum, c3[i] /= sum;
    }
    return std::array<double, 3>{Pearson(c1, c2), Pearson(c1, c3), Pearson(c2, c3)};
  };
  std::vector<int> id = {0, 1, 2, 3, 4}, o2 = id;
  const std::array<double, 3> observed = correlations(id, id);
  EXPECT_NEAR(observed[0], s.observed[0][1], 1e-12);
  EXPECT_NEAR(observed[2], s.observed[1][2], 1e-12);
  std::array<int, 3> hits = {0, 0, 0};
  int total = 0;
  do {
    std::vector<int> o3 = id;
    do {
      const std::array<double, 3> c = correlations(o2, o3);
      for (int k = 0; k < 3; k++) hits[k] += std::fabs(c[k]) >= std::fabs(observed[k]) - 1e-9;
      total++;
    } while (std::next_permutation(o3.begin(), o3.end()));
  } while (std::next_permutation(o2.begin(), o2.end()));
  const double P[3] = {r.probability[0][1], r.probability[0][2], r.probability[1][2]};
  for (int k = 0; k < 3; k++) ExpectNearExact(P[k], double(hits[k]) / total, s.in.nPermutations, std::to_string(k));
}

// For t = 2..N, one RndList per variable in variable order from the one
// generator: a sequential loop gives the same counts at one and two threads.
TEST(VariableTest, SameCountsAsTheSequentialStreamAtOneAndTwoThreads) {
  const std::vector<Column> cols = {
      {3, 1, 4, 1, 5, 9, 2, 6}, {2, 7, 1, 8, 2, 8, 1, 8}, {1, 4, 1, 4, 2, 1, 3, 5}, {5, 3, 5, 8, 9, 7, 9, 3}};
  TestCase s(cols, 22);  // covariance
  s.in.nPermutations = 3001;
  const int n = 8, p = 4;
  RngPtr ref = Generator(7);
  std::vector<int> lists(static_cast<size_t>(n) * p);
  Matrix random(n, p), rese(p, p);
  std::map<std::pair<int, int>, int> counts;
  for (int t = 2; t <= s.in.nPermutations; t++) {
    for (int j = 0; j < p; j++) RndList(ref.get(), n, lists.data() + j * n);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) random[i][j] = s.data[lists[j * n + i] - 1][j];
    ResemblanceLib(s.in.resemblance, n, p, random.data(), rese.data());
    for (int a = 0; a < p; a++)
      for (int b = a + 1; b < p; b++)
        if (AtLeastAsLargeAbsolute(rese[a][b], s.observed[a][b])) counts[{a, b}]++;
  }
  const unsigned long next = gsl_rng_get(ref.get());
  for (int threads : {1, 2}) {
    RngPtr g = Generator(7);
    s.in.maxThreads = threads;
    const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
    EXPECT_EQ(r.threads, threads);
    for (int a = 0; a < p; a++)
      for (int b = a + 1; b < p; b++)
        EXPECT_DOUBLE_EQ(r.probability[a][b], (1.0 + counts[{a, b}]) / s.in.nPermutations) << threads;
    // The generator ends where the sequential stream ended.
    EXPECT_EQ(gsl_rng_get(g.get()), next) << threads;
  }
}

// Variables holding the six pairs of a 4 x 4 distance matrix: exact P from
// the 24 orders of the objects behind one matrix.
TEST(VariableTest, EmbeddedMatrixProbabilityMatchesObjectPermutations) {
  // Pairs in row order: (0,1) (0,2) (0,3) (1,2) (1,3) (2,3).
  const Column a = {1, 2, 3, 1, 2, 1};          // objects on a line at 0, 1, 2, 3
  const Column b = {1, 2, 3.5, 1.2, 2.1, 0.9};  // nearly the same distances
  const Column c = {4, 4, 1, 2, 7, 3};
  TestCase s({a, b, c}, 17);
  s.in.nPermutations = 10000;
  s.in.restrictions.option = PermutationRestrictions::EMBEDDED_MATRIX;
  s.in.restrictions.matrixDim = 4;
  RngPtr g = Generator(3);
  const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
  auto objectPermuted = [](const Column& x, const std::vector<int>& pi) {
    Column y(6);
    const std::vector<int> pairs = rtest::PairList(pi);
    for (int k = 0; k < 6; k++) y[k] = x[pairs[k] - 1];
    return y;
  };
  const double exactAB = ExactP(4, [&](const std::vector<int>& pi) { return Pearson(a, objectPermuted(b, pi)); });
  const double exactAC = ExactP(4, [&](const std::vector<int>& pi) { return Pearson(a, objectPermuted(c, pi)); });
  ExpectNearExact(r.probability[0][1], exactAB, s.in.nPermutations, "a x b");
  ExpectNearExact(r.probability[0][2], exactAC, s.in.nPermutations, "a x c");
  // Two of the 24 object orders (the identity and the reversal of the line)
  // match the distances; free permutation of the six values would give 12/720.
  EXPECT_NEAR(exactAB, 2.0 / 24, 1e-12);
  EXPECT_GT(r.probability[0][1], 0.06);
}

// A pair never present together has no observed resemblance: its P is undefined.
TEST(VariableTest, UndefinedObservedValueGivesUndefinedProbability) {
  const double M = MISSING_VALUE;
  TestCase s({{1, 2, 3, M, M, M}, {M, M, M, 4, 6, 5}, {1, 3, 2, 5, 4, 6}}, 17);
  ASSERT_EQ(s.observed[0][1], M);
  s.in.nPermutations = 200;
  RngPtr g = Generator(1);
  const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
  EXPECT_EQ(r.probability[0][1], M);
  for (double P : {r.probability[0][2], r.probability[1][2]}) EXPECT_TRUE(P >= 1.0 / 200 && P <= 1.0) << P;
}

// A random data set the transformation refuses stops the test at the first
// such permutation, whichever thread met it.
TEST(VariableTest, RefusedRandomDataSetStopsTheTest) {
  TestCase s({{1, 2, 3, 4}, {2, -1, 3, 1}, {4, 4, 1, 2}}, 17);
  s.in.transform.withinUnits = TR_VEC_HELLINGER;
  s.in.nPermutations = 1000;
  for (int threads : {1, 2}) {
    s.in.maxThreads = threads;
    RngPtr g = Generator(1);
    try {
      RandomizationTestVariables(s.in, g.get());
      ADD_FAILURE() << "no refusal";
    } catch (const RandomDataRefused& e) {
      EXPECT_EQ(e.permutation, 2) << threads;
      EXPECT_TRUE(e.inTransformation);
    }
  }
}

// Every measure comparing variables, on counts and presences, at two threads:
// P a multiple of 1/N in [1/N, 1] or undefined with its resemblance;
// Mahalanobis (29) between 4 variables over 7 units has no inverse: refused.
TEST(VariableTest, EveryMeasureComparingVariables) {
  const std::vector<Column> counts = {
      {0, 2, 3, 1, 0, 5, 2}, {1, 0, 2, 2, 4, 0, 1}, {3, 3, 0, 1, 2, 2, 0}, {2, 1, 1, 0, 3, 1, 4}};
  std::vector<Column> presences = counts;
  for (auto& c : presences)
    for (double& x : c) x = x > 1 ? 1 : 0;
  for (const std::vector<Column>* table : {&counts, static_cast<const std::vector<Column>*>(&presences)})
    for (int measure = 1; measure <= 29; measure++) {
      TestCase s(*table, measure);
      s.in.resemblance.alpha = 1.0;
      s.in.resemblance.k = 2.0;
      s.in.nPermutations = 40;
      s.in.maxThreads = 2;
      RngPtr g = Generator(measure);
      if (measure == 29) {
        EXPECT_THROW(RandomizationTestVariables(s.in, g.get()), RandomDataRefused);
        continue;
      }
      const VariableTestResult r = RandomizationTestVariables(s.in, g.get());
      for (int a = 0; a < 4; a++)
        for (int b = a + 1; b < 4; b++) {
          const double P = r.probability[a][b];
          const bool undefined = IsMissing(s.observed[a][b]);
          EXPECT_EQ(undefined, P == MISSING_VALUE) << measure;
          EXPECT_TRUE(undefined || (P >= 1.0 / 40 && P <= 1.0 && std::fabs(P * 40 - std::round(P * 40)) < 1e-9))
              << measure;
        }
    }
}

TEST(PermutationRestrictions, EmbeddedMatrixDimensionAndChecks) {
  const struct {
    int pairs, dim;
  } cases[] = {{1, 2}, {3, 3}, {6, 4}, {10, 5}, {190, 20}, {0, 0}, {2, 0}, {7, 0}, {20, 0}, {1999000, 2000}};
  for (const auto& c : cases) EXPECT_EQ(EmbeddedMatrixDimension(c.pairs), c.dim) << c.pairs;
  EXPECT_EQ(EmbeddedMatrixPairs(1), 0);
  EXPECT_EQ(EmbeddedMatrixPairs(65536), int64_t{65536} * 65535 / 2);

  PermutationRestrictions r;
  EXPECT_EQ(CheckPermutationRestrictions(r, 5), RestrictionProblem::NONE);
  r.option = PermutationRestrictions::EMBEDDED_MATRIX;
  r.matrixDim = 3;
  EXPECT_EQ(CheckPermutationRestrictions(r, 6), RestrictionProblem::PAIRS_MISMATCH);
  EXPECT_THROW(ColumnPermutations(r, 6), std::invalid_argument);
  r.matrixDim = 4;
  EXPECT_EQ(CheckPermutationRestrictions(r, 6), RestrictionProblem::NONE);
  r.option = PermutationRestrictions::BUNDLES;
  r.bundlesOn = true;
  r.bundleMemb = {1, 1, 2, 2, 2};
  EXPECT_EQ(CheckPermutationRestrictions(r, 5), RestrictionProblem::UNEQUAL_BUNDLES);
  EXPECT_EQ(CheckPermutationRestrictions(r, 4), RestrictionProblem::MEMBERSHIP_LENGTH);
  r.option = 4;
  EXPECT_EQ(CheckPermutationRestrictions(r, 5), RestrictionProblem::UNKNOWN_OPTION);
}

// Each restriction draws its builder's lists, variable after variable.
TEST(PermutationRestrictions, ListsAreThoseOfTheBuildersInVariableOrder) {
  const std::vector<int> nest = {2, 1, 2, 1, 2, 1}, bundle = {7, 7, 3, 3, 5, 5};
  for (int variant = 0; variant < 5; variant++) {
    PermutationRestrictions r;
    r.option = std::min(variant, 3);
    r.matrixDim = variant == 1 ? 4 : 0;
    r.nestingOn = variant == 2 || variant == 4;
    r.nestMemb = nest;
    r.bundlesOn = variant >= 3;
    r.bundleMemb = bundle;
    ColumnPermutations drawer(r, 6);
    RngPtr a = Generator(4 + variant), b = Generator(4 + variant);
    std::vector<int> lists(18), want(18);
    for (int t = 0; t < 30; t++) {
      drawer.Draw(a.get(), 3, lists.data());
      for (int j = 0; j < 3; j++) {
        int* w = want.data() + 6 * j;
        if (variant == 0)
          RndList(b.get(), 6, w);
        else if (variant == 1)
          RndListMantelRestricted(b.get(), 6, w, 4);
        else
          RndListNestedNew(b.get(), 6, r.nestingOn, nest.data(), r.bundlesOn, bundle.data(), false, w);
      }
      EXPECT_EQ(lists, want) << "variant " << variant;
    }
  }
}

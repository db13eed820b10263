// The permutation tests between two data sets: every random statistic
// against that of an explicitly permuted copy (with missing pairs, and large
// matrices read in single precision), probabilities against all 720
// orderings of 6 units, the lists against the generator's sequential stream,
// restricted lists, extreme cases, one and two threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

#include "RandomTestSupport.h"
#include "ZQLib/Matrix.h"
#include "ordination/LinearRegression.h"
#include "ordination/RedundancyAnalysis.h"
#include "ordination/TwoSetStatistics.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "randomization/TwoSetTests.h"

namespace {

using rtest::Generator;
using Stats = std::vector<double>;

TwoSetTestRun Permutations(int permutations, int maxThreads = 0) {
  TwoSetTestRun run;
  run.permutations = permutations;
  run.maxThreads = maxThreads;
  return run;
}

// Rows and columns of M permuted by the 1-based list: M*(i,j) = M(l(i), l(j)).
Matrix PermutedMatrix(const Matrix& M, const int* list) {
  const int n = M.rows();
  Matrix P(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) P[i][j] = M[list[i] - 1][list[j] - 1];
  return P;
}

Matrix PermutedRows(const Matrix& X, const int* list) {
  Matrix P(X.rows(), X.cols());
  for (int i = 0; i < X.rows(); i++)
    for (int j = 0; j < X.cols(); j++) P[i][j] = X[list[i] - 1][j];
  return P;
}

// The statistics of one test for a permuted first data set, from the
// reference kernels; and the engine run with an observer.
struct Case {
  const char* name;
  bool missingAllowed;  // the test takes resemblance matrices with missing pairs
  std::function<Stats(const int* list)> reference;
  std::function<TwoSetTestResult(gsl_rng*, const TwoSetTestRun&, const TwoSetObserver&)> run;
};

// With `missing`, a pair of the first and of the second resemblance matrix
// is missing (-999).
std::vector<Case> Cases(int n, unsigned seed, bool missing = false) {
  // Shared by value in the closures.
  const Matrix x1 = rtest::Normal(n, 3, seed), x2 = rtest::Normal(n, 2, seed + 1);
  const Matrix x3 = rtest::Normal(n, 2, seed + 2);
  Matrix y = rtest::Normal(n, 3, seed + 3), d1 = rtest::Distances(x1), d2 = rtest::Distances(x2);
  const Matrix d3 = rtest::Distances(x3);
  for (int i = 0; i < n; i++) y[i][0] += 0.8 * x1[i][0];
  if (missing) d1[1][4] = d1[4][1] = d2[0][9] = d2[9][0] = -999.0;
  using Observer = const TwoSetObserver&;
  std::vector<Case> cases;
  cases.push_back({"Mantel", true,
                   [=](const int* l) { return Stats{MatrixCorr(n, PermutedMatrix(d1, l).data(), d2.data())}; },
                   [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
                     return MantelTest(n, d1.data(), d2.data(), g, run, o);
                   }});
  cases.push_back(
      {"PartialMantel", true,
       [=](const int* l) { return Stats{PartialMatrixCorr(n, PermutedMatrix(d1, l).data(), d2.data(), d3.data())}; },
       [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
         return PartialMantelTest(n, d1.data(), d2.data(), d3.data(), g, run, o);
       }});
  cases.push_back({"Rd", false,
                   [=](const int* l) { return Stats{RdMatrixCorr(n, d2.data(), PermutedMatrix(d1, l).data(), false)}; },
                   [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
                     return RdTest(n, d1.data(), d2.data(), g, run, o);
                   }});
  cases.push_back({"RV", false,
                   [=](const int* l) { return Stats{RVcoeff(n, 2, 3, x2.data(), PermutedRows(x1, l).data())}; },
                   [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
                     return RVTest(n, 3, 2, x1.data(), x2.data(), g, run, o);
                   }});
  cases.push_back(
      {"Procrustes", false,
       [=](const int* l) { return Stats{ProcrustesCoeff(n, 2, 3, x2.data(), PermutedRows(x1, l).data())}; },
       [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
         return ProcrustesTest(n, 3, 2, x1.data(), x2.data(), g, run, o);
       }});
  cases.push_back({"LinearModels", false,
                   [=](const int* l) {
                     RegressionFit fit;
                     regression(n, 3, 2, PermutedRows(y, l).data(), x2.data(), fit);
                     Stats s(fit.b0);
                     for (int k = 0; k < 2; k++) s.insert(s.end(), fit.B[k], fit.B[k] + 3);
                     s.insert(s.end(), fit.r2.begin(), fit.r2.end());
                     return s;
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
                     TwoSetTestResult r;
                     EXPECT_TRUE(LinearModelTest(n, 3, 2, y.data(), x2.data(), PermutationRestriction{}, g, run, r,
                                                 nullptr, o));
                     return r;
                   }});
  cases.push_back({"RDA", false,
                   [=](const int* l) {
                     RdaResult r;
                     RDA(n, 3, 2, PermutedRows(y, l).data(), x2.data(), r);
                     r.axisCorr.resize(2, 0.0);
                     return r.axisCorr;
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, Observer o) {
                     TwoSetTestResult r;
                     EXPECT_TRUE(RdaTest(n, 3, 2, y.data(), x2.data(), 2, g, run, r, o));
                     return r;
                   }});
  return cases;
}

// Each permutation, in order, with the generator's sequential RndList stream
// and the statistics of the permuted copy (large matrices, read in single
// precision, within 1e-7).
TEST(TwoSetTests, EveryPermutationAgreesWithThePermutedCopy) {
  const struct {
    int n;
    unsigned seed;
    bool missing;
    int permutations;
    double tolerance, observedTolerance;
  } variants[] = {{9, 5, false, 40, 1e-11, 1e-12}, {10, 6, true, 30, 1e-12, 1e-12}, {300, 1, false, 6, 1e-7, 1e-7}};
  for (const auto& v : variants)
    for (const Case& c : Cases(v.n, v.seed, v.missing)) {
      if (v.missing && !c.missingAllowed) continue;
      SCOPED_TRACE(std::string(c.name) + ", n = " + std::to_string(v.n));
      RngPtr g = Generator(77), replay = Generator(77);
      std::vector<int> expected(v.n);
      int next = 2;
      const TwoSetTestResult r =
          c.run(g.get(), Permutations(v.permutations), [&](int permutation, const int* list, const double* stats) {
            EXPECT_EQ(permutation, next++);
            RndList(replay.get(), v.n, expected.data());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), list));
            const Stats ref = c.reference(list);
            for (size_t k = 0; k < ref.size(); k++) EXPECT_NEAR(stats[k], ref[k], v.tolerance) << k;
          });
      EXPECT_EQ(next, v.permutations + 1);
      std::vector<int> identity(v.n);
      std::iota(identity.begin(), identity.end(), 1);
      const Stats observed = c.reference(identity.data());
      ASSERT_EQ(r.observed.size(), observed.size());
      for (size_t k = 0; k < observed.size(); k++) EXPECT_NEAR(r.observed[k], observed[k], v.observedTolerance);
    }
}

// Probabilities within Monte Carlo error of those of all 720 orderings.
TEST(TwoSetTests, ProbabilitiesAgreeWithCompleteEnumeration) {
  for (const Case& c : Cases(6, 31)) {
    SCOPED_TRACE(c.name);
    std::vector<int> list(6);
    std::iota(list.begin(), list.end(), 1);
    const Stats observed = c.reference(list.data());
    Stats exact(observed.size(), 0.0);
    int orderings = 0;
    do {
      const Stats s = c.reference(list.data());
      for (size_t k = 0; k < s.size(); k++) exact[k] += AtLeastAsLargeAbsolute(s[k], observed[k]);
      orderings++;
    } while (std::next_permutation(list.begin(), list.end()));
    ASSERT_EQ(orderings, 720);
    RngPtr g = Generator(2024);
    const int N = 20000;
    const TwoSetTestResult r = c.run(g.get(), Permutations(N), {});
    for (size_t k = 0; k < exact.size(); k++) {
      const double p = exact[k] / 720;
      EXPECT_NEAR(r.probability[k], p, 4.5 * std::sqrt(p * (1 - p) / N) + 1e-4) << k;
    }
  }
}

// One seed at one and two threads; N = 1 draws nothing and gives P = 1.
TEST(TwoSetTests, SameResultsAtOneAndTwoThreadsAndNothingDrawnForOnePermutation) {
  for (const Case& c : Cases(25, 8)) {
    SCOPED_TRACE(c.name);
    RngPtr g1 = Generator(99), g2 = Generator(99);
    const TwoSetTestResult one = c.run(g1.get(), Permutations(3001, 1), {});
    const TwoSetTestResult two = c.run(g2.get(), Permutations(3001, 2), {});
    EXPECT_EQ(one.probability, two.probability);
    EXPECT_EQ(one.observed, two.observed);
    // Both streams end at the same point: the same number of draws.
    EXPECT_EQ(gsl_rng_get(g1.get()), gsl_rng_get(g2.get()));
    RngPtr g = Generator(1), untouched = Generator(1);
    for (double p : c.run(g.get(), Permutations(1), {}).probability) EXPECT_EQ(p, 1.0);
    EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(untouched.get())) << "no draw";
  }
}

TEST(MantelTest, IdenticalAndOppositeMatrices) {
  const Matrix d = rtest::Distances(rtest::Normal(12, 3, 4));
  Matrix opposite(12, 12);
  for (int i = 0; i < 12; i++)
    for (int j = 0; j < 12; j++) opposite[i][j] = i == j ? 0.0 : 10.0 - d[i][j];
  RngPtr g = Generator(5);
  // A strong negative correlation is as significant.
  for (const Matrix* other : {&d, static_cast<const Matrix*>(&opposite)}) {
    const TwoSetTestResult r = MantelTest(12, d.data(), other->data(), g.get(), Permutations(999));
    EXPECT_NEAR(r.observed[0], other == &d ? 1.0 : -1.0, 1e-14);
    EXPECT_EQ(r.probability[0], 1.0 / 999);
  }
}

// Restricted permutations of the responses: pairs of an embedded resemblance
// matrix, units within nesting groups, and unequal bundles (not exchanged).
TEST(LinearModelTest, RestrictedLists) {
  const int n = 6;  // the pairs of a 4 x 4 matrix
  const Matrix y = rtest::Normal(n, 2, 1), x = rtest::Normal(n, 1, 2);
  PermutationRestriction mantel;
  mantel.option = 1, mantel.matrixDim = 4;
  RngPtr g = Generator(11), replay = Generator(11);
  TwoSetTestResult r;
  std::vector<int> expected(n), work(4);
  ASSERT_TRUE(LinearModelTest(n, 2, 1, y.data(), x.data(), mantel, g.get(), Permutations(20), r, nullptr,
                              [&](int, const int* list, const double*) {
                                RndListMantelRestricted(replay.get(), n, expected.data(), 4, work.data());
                                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), list));
                              }));
  ASSERT_EQ(r.probability.size(), 2u + 2u + 2u);

  const int groups[8] = {1, 1, 1, 2, 2, 2, 3, 3}, bundles[8] = {1, 1, 2, 2, 2, 3, 3, 3};
  const Matrix y8 = rtest::Normal(8, 1, 3), x8 = rtest::Normal(8, 1, 4);
  PermutationRestriction nested;
  nested.option = 2, nested.nestingOn = true, nested.nestMemb = groups;
  ASSERT_TRUE(LinearModelTest(8, 1, 1, y8.data(), x8.data(), nested, g.get(), Permutations(20), r, nullptr,
                              [&](int, const int* list, const double*) {
                                for (int i = 0; i < 8; i++) EXPECT_EQ(groups[list[i] - 1], groups[i]);
                              }));
  PermutationRestriction unequal;
  unequal.option = 3, unequal.bundlesOn = true, unequal.bundleMemb = bundles;
  bool skipped = false;
  ASSERT_TRUE(LinearModelTest(8, 1, 1, y8.data(), x8.data(), unequal, g.get(), Permutations(20), r, &skipped));
  EXPECT_TRUE(skipped);
}

TEST(LinearModelTest, SingularFactorsRunNothing) {
  Matrix x(6, 2);
  const Matrix y = rtest::Normal(6, 1, 1);
  for (int i = 0; i < 6; i++) x[i][0] = i, x[i][1] = 2 * i + 1;
  RngPtr g = Generator(1), untouched = Generator(1);
  TwoSetTestResult r;
  EXPECT_FALSE(LinearModelTest(6, 1, 2, y.data(), x.data(), PermutationRestriction{}, g.get(), Permutations(99), r));
  EXPECT_FALSE(RdaTest(6, 1, 2, y.data(), x.data(), 1, g.get(), Permutations(99), r));
  EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(untouched.get()));
}

}  // namespace

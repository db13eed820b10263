// The permutation tests between two data sets: every random statistic
// against the statistic of an explicitly permuted copy (so the fast paths
// that read through the lists are checked permutation by permutation),
// probabilities against complete enumeration of the 720 orderings of 6
// units, the extreme cases, the lists against the generator's sequential
// stream, restricted lists, and identical results at one and two threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ordination/LinearRegression.h"
#include "ordination/RedundancyAnalysis.h"
#include "ordination/TwoSetStatistics.h"
#include "randomization/IterationGenerator.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "randomization/TwoSetTests.h"

namespace {

RngPtr Generator(unsigned long seed) {
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(g.get(), seed);
  return g;
}

Matrix Random(int n, int p, unsigned seed, double shift = 0.0) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> normal;
  Matrix X(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) X[i][j] = normal(gen) + shift;
  return X;
}

Matrix Euclidean(const Matrix& X) {
  const int n = X.rows();
  Matrix D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double s = 0;
      for (int k = 0; k < X.cols(); k++) s += (X[i][k] - X[j][k]) * (X[i][k] - X[j][k]);
      D[i][j] = std::sqrt(s);
    }
  return D;
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
  int n;
  std::function<std::vector<double>(const int* list)> reference;
  std::function<TwoSetTestResult(gsl_rng*, const TwoSetTestRun&, const TwoSetObserver&)> run;
};

std::vector<Case> Cases(int n, unsigned seed) {
  // Shared by value in the closures.
  const Matrix x1 = Random(n, 3, seed), x2 = Random(n, 2, seed + 1), x3 = Random(n, 2, seed + 2);
  Matrix y = Random(n, 3, seed + 3);
  for (int i = 0; i < n; i++) y[i][0] += 0.8 * x1[i][0];
  const Matrix d1 = Euclidean(x1), d2 = Euclidean(x2), d3 = Euclidean(x3);
  std::vector<Case> cases;
  cases.push_back({"Mantel", n,
                   [=](const int* l) {
                     const Matrix p = PermutedMatrix(d1, l);
                     return std::vector<double>{MatrixCorr(n, p.data(), d2.data())};
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     return MantelTest(n, d1.data(), d2.data(), g, run, o);
                   }});
  cases.push_back({"PartialMantel", n,
                   [=](const int* l) {
                     const Matrix p = PermutedMatrix(d1, l);
                     return std::vector<double>{PartialMatrixCorr(n, p.data(), d2.data(), d3.data())};
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     return PartialMantelTest(n, d1.data(), d2.data(), d3.data(), g, run, o);
                   }});
  cases.push_back({"Rd", n,
                   [=](const int* l) {
                     const Matrix p = PermutedMatrix(d1, l);
                     return std::vector<double>{RdMatrixCorr(n, d2.data(), p.data(), false)};
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     return RdTest(n, d1.data(), d2.data(), g, run, o);
                   }});
  cases.push_back({"RV", n,
                   [=](const int* l) {
                     const Matrix p = PermutedRows(x1, l);
                     return std::vector<double>{RVcoeff(n, 2, 3, x2.data(), p.data())};
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     return RVTest(n, 3, 2, x1.data(), x2.data(), g, run, o);
                   }});
  cases.push_back({"Procrustes", n,
                   [=](const int* l) {
                     const Matrix p = PermutedRows(x1, l);
                     return std::vector<double>{ProcrustesCoeff(n, 2, 3, x2.data(), p.data())};
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     return ProcrustesTest(n, 3, 2, x1.data(), x2.data(), g, run, o);
                   }});
  cases.push_back({"LinearModels", n,
                   [=](const int* l) {
                     const Matrix p = PermutedRows(y, l);
                     RegressionFit fit;
                     regression(n, 3, 2, p.data(), x2.data(), fit);
                     std::vector<double> s(fit.b0);
                     for (int k = 0; k < 2; k++)
                       for (int j = 0; j < 3; j++) s.push_back(fit.B[k][j]);
                     s.insert(s.end(), fit.r2.begin(), fit.r2.end());
                     return s;
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     TwoSetTestResult r;
                     EXPECT_TRUE(LinearModelTest(n, 3, 2, y.data(), x2.data(), PermutationRestriction{}, g, run, r,
                                                 nullptr, o));
                     return r;
                   }});
  cases.push_back({"RDA", n,
                   [=](const int* l) {
                     const Matrix p = PermutedRows(y, l);
                     RdaResult r;
                     RDA(n, 3, 2, p.data(), x2.data(), r);
                     r.axisCorr.resize(2, 0.0);
                     return r.axisCorr;
                   },
                   [=](gsl_rng* g, const TwoSetTestRun& run, const TwoSetObserver& o) {
                     TwoSetTestResult r;
                     EXPECT_TRUE(RdaTest(n, 3, 2, y.data(), x2.data(), 2, g, run, r, o));
                     return r;
                   }});
  return cases;
}

// Each random permutation's statistics equal those of the permuted copy,
// the permutations come in order, and their lists are the generator's
// sequential stream of RndList.
TEST(TwoSetTests, EveryPermutationAgreesWithThePermutedCopy) {
  for (const Case& c : Cases(9, 5)) {
    SCOPED_TRACE(c.name);
    RngPtr g = Generator(77), replay = Generator(77);
    std::vector<int> expected(9);
    int next = 2;
    TwoSetTestRun run;
    run.permutations = 40;
    const TwoSetTestResult r = c.run(g.get(), run, [&](int permutation, const int* list, const double* stats) {
      EXPECT_EQ(permutation, next++);
      RndList(replay.get(), 9, expected.data());
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), list));
      const std::vector<double> ref = c.reference(list);
      for (size_t k = 0; k < ref.size(); k++) EXPECT_NEAR(stats[k], ref[k], 1e-11) << k;
    });
    EXPECT_EQ(next, 41);
    std::vector<int> identity(9);
    std::iota(identity.begin(), identity.end(), 1);
    const std::vector<double> observed = c.reference(identity.data());
    ASSERT_EQ(r.observed.size(), observed.size());
    for (size_t k = 0; k < observed.size(); k++) EXPECT_NEAR(r.observed[k], observed[k], 1e-12);
  }
}

// Probabilities within Monte Carlo error of those of all 720 orderings of 6
// units (counted with the same tie rule).
TEST(TwoSetTests, ProbabilitiesAgreeWithCompleteEnumeration) {
  for (const Case& c : Cases(6, 31)) {
    SCOPED_TRACE(c.name);
    std::vector<int> list(6);
    std::iota(list.begin(), list.end(), 1);
    const std::vector<double> observed = c.reference(list.data());
    std::vector<double> exact(observed.size(), 0.0);
    int orderings = 0;
    do {
      const std::vector<double> s = c.reference(list.data());
      for (size_t k = 0; k < s.size(); k++)
        if (AtLeastAsLargeAbsolute(s[k], observed[k])) exact[k] += 1;
      orderings++;
    } while (std::next_permutation(list.begin(), list.end()));
    ASSERT_EQ(orderings, 720);
    RngPtr g = Generator(2024);
    TwoSetTestRun run;
    run.permutations = 20000;
    const TwoSetTestResult r = c.run(g.get(), run, {});
    for (size_t k = 0; k < exact.size(); k++) {
      const double p = exact[k] / 720;
      EXPECT_NEAR(r.probability[k], p, 4.5 * std::sqrt(p * (1 - p) / run.permutations) + 1e-4) << k;
    }
  }
}

TEST(TwoSetTests, SameSeedSameResultsAtOneAndTwoThreads) {
  for (const Case& c : Cases(25, 8)) {
    SCOPED_TRACE(c.name);
    TwoSetTestRun run;
    run.permutations = 3001;
    run.maxThreads = 1;
    RngPtr g1 = Generator(99), g2 = Generator(99);
    const TwoSetTestResult one = c.run(g1.get(), run, {});
    run.maxThreads = 2;
    const TwoSetTestResult two = c.run(g2.get(), run, {});
    EXPECT_EQ(one.probability, two.probability);
    EXPECT_EQ(one.observed, two.observed);
    // Both streams end at the same point: the same number of draws.
    EXPECT_EQ(gsl_rng_get(g1.get()), gsl_rng_get(g2.get()));
  }
}

TEST(TwoSetTests, OnePermutationGivesProbabilityOne) {
  for (const Case& c : Cases(7, 3)) {
    RngPtr g = Generator(1), untouched = Generator(1);
    TwoSetTestRun run;
    run.permutations = 1;
    const TwoSetTestResult r = c.run(g.get(), run, {});
    for (double p : r.probability) EXPECT_EQ(p, 1.0) << c.name;
    EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(untouched.get())) << c.name << ": no draw";
  }
}

TEST(MantelTest, IdenticalAndOppositeMatrices) {
  const Matrix d = Euclidean(Random(12, 3, 4));
  RngPtr g = Generator(5);
  TwoSetTestRun run;
  run.permutations = 999;
  TwoSetTestResult r = MantelTest(12, d.data(), d.data(), g.get(), run);
  EXPECT_NEAR(r.observed[0], 1.0, 1e-14);
  EXPECT_EQ(r.probability[0], 1.0 / 999);
  // A strong negative correlation is as significant.
  Matrix opposite(12, 12);
  for (int i = 0; i < 12; i++)
    for (int j = 0; j < 12; j++) opposite[i][j] = i == j ? 0.0 : 10.0 - d[i][j];
  r = MantelTest(12, d.data(), opposite.data(), g.get(), run);
  EXPECT_NEAR(r.observed[0], -1.0, 1e-14);
  EXPECT_EQ(r.probability[0], 1.0 / 999);
}

// Missing pairs are left out pairwise, permutation by permutation.
TEST(MantelTest, MissingPairsLeftOut) {
  Matrix a = Euclidean(Random(10, 2, 6)), b = Euclidean(Random(10, 2, 7)), c = Euclidean(Random(10, 2, 8));
  a[1][4] = a[4][1] = -999.0;
  b[0][9] = b[9][0] = -999.0;
  RngPtr g = Generator(3);
  TwoSetTestRun run;
  run.permutations = 30;
  int seen = 0;
  const TwoSetTestResult r = MantelTest(10, a.data(), b.data(), g.get(), run, [&](int, const int* l, const double* s) {
    const Matrix p = PermutedMatrix(a, l);
    EXPECT_NEAR(s[0], MatrixCorr(10, p.data(), b.data()), 1e-12);
    seen++;
  });
  EXPECT_EQ(seen, 29);
  EXPECT_NEAR(r.observed[0], MatrixCorr(10, a.data(), b.data()), 1e-12);
  RngPtr h = Generator(3);
  PartialMantelTest(10, a.data(), b.data(), c.data(), h.get(), run, [&](int, const int* l, const double* s) {
    const Matrix p = PermutedMatrix(a, l);
    EXPECT_NEAR(s[0], PartialMatrixCorr(10, p.data(), b.data(), c.data()), 1e-12);
  });
}

// Large matrices are read through single-precision copies: each statistic
// stays within 1e-7 of the double-precision reference.
TEST(MantelTest, LargeMatricesWithinSinglePrecisionRounding) {
  const int n = 300;
  const Matrix a = Euclidean(Random(n, 3, 1)), c = Euclidean(Random(n, 2, 3));
  Matrix b = Euclidean(Random(n, 2, 2));
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) b[i][j] += 0.3 * a[i][j];
  TwoSetTestRun run;
  run.permutations = 6;
  RngPtr g = Generator(8);
  TwoSetTestResult r = MantelTest(n, a.data(), b.data(), g.get(), run, [&](int, const int* l, const double* s) {
    const Matrix p = PermutedMatrix(a, l);
    EXPECT_NEAR(s[0], MatrixCorr(n, p.data(), b.data()), 1e-7);
  });
  EXPECT_NEAR(r.observed[0], MatrixCorr(n, a.data(), b.data()), 1e-7);
  r = PartialMantelTest(n, a.data(), b.data(), c.data(), g.get(), run, [&](int, const int* l, const double* s) {
    const Matrix p = PermutedMatrix(a, l);
    EXPECT_NEAR(s[0], PartialMatrixCorr(n, p.data(), b.data(), c.data()), 1e-7);
  });
  EXPECT_NEAR(r.observed[0], PartialMatrixCorr(n, a.data(), b.data(), c.data()), 1e-7);
  r = RdTest(n, a.data(), b.data(), g.get(), run, [&](int, const int* l, const double* s) {
    const Matrix p = PermutedMatrix(a, l);
    EXPECT_NEAR(s[0], RdMatrixCorr(n, b.data(), p.data(), false), 1e-7);
  });
  EXPECT_NEAR(r.observed[0], RdMatrixCorr(n, b.data(), a.data(), false), 1e-7);
  EXPECT_EQ(r.probability[0], 1.0 / 6);
}

// Restricted permutations of the responses: pairs of an embedded resemblance
// matrix, and units within nesting groups.
TEST(LinearModelTest, RestrictedLists) {
  const int n = 6;  // the pairs of a 4 x 4 matrix
  const Matrix y = Random(n, 2, 1), x = Random(n, 1, 2);
  PermutationRestriction mantel;
  mantel.option = 1;
  mantel.matrixDim = 4;
  RngPtr g = Generator(11), replay = Generator(11);
  TwoSetTestRun run;
  run.permutations = 20;
  TwoSetTestResult r;
  std::vector<int> expected(n), work(4);
  ASSERT_TRUE(LinearModelTest(n, 2, 1, y.data(), x.data(), mantel, g.get(), run, r, nullptr,
                              [&](int, const int* list, const double*) {
                                RndListMantelRestricted(replay.get(), n, expected.data(), 4, work.data());
                                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), list));
                              }));
  ASSERT_EQ(r.probability.size(), 2u + 2u + 2u);

  const int groups[8] = {1, 1, 1, 2, 2, 2, 3, 3};
  const Matrix y8 = Random(8, 1, 3), x8 = Random(8, 1, 4);
  PermutationRestriction nested;
  nested.option = 2;
  nested.nestingOn = true;
  nested.nestMemb = groups;
  ASSERT_TRUE(LinearModelTest(8, 1, 1, y8.data(), x8.data(), nested, g.get(), run, r, nullptr,
                              [&](int, const int* list, const double*) {
                                for (int i = 0; i < 8; i++) EXPECT_EQ(groups[list[i] - 1], groups[i]);
                              }));
  const int bundles[8] = {1, 1, 2, 2, 2, 3, 3, 3};
  PermutationRestriction unequal;
  unequal.option = 3;
  unequal.bundlesOn = true;
  unequal.bundleMemb = bundles;
  bool skipped = false;
  ASSERT_TRUE(LinearModelTest(8, 1, 1, y8.data(), x8.data(), unequal, g.get(), run, r, &skipped));
  EXPECT_TRUE(skipped);
}

TEST(LinearModelTest, SingularFactorsRunNothing) {
  Matrix x(6, 2);
  const Matrix y = Random(6, 1, 1);
  for (int i = 0; i < 6; i++) {
    x[i][0] = i;
    x[i][1] = 2 * i + 1;
  }
  RngPtr g = Generator(1), untouched = Generator(1);
  TwoSetTestRun run;
  run.permutations = 99;
  TwoSetTestResult r;
  EXPECT_FALSE(LinearModelTest(6, 1, 2, y.data(), x.data(), PermutationRestriction{}, g.get(), run, r));
  EXPECT_FALSE(RdaTest(6, 1, 2, y.data(), x.data(), 1, g.get(), run, r));
  EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(untouched.get()));
}

}  // namespace

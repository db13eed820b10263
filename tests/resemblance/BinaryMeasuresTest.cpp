// Binary and beta-diversity measures from the 2 x 2 counts a, b, c, d.
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "resemblance/BinaryMeasures.h"

namespace {

using Measure = void (*)(int, int, const double* const*, double**);

double Pair(Measure f, Table& t, int i = 0, int j = 1) {
  Square r(t.n());
  f(t.n(), t.m(), *t, *r);
  return r[i][j];
}

TEST(JointFreq, CountsOnlyExactZerosAndOnes) {
  Table t{{1, 1, 0, 0, 2, MV, 1}, {1, 0, 1, 0, 1, 1, 0.5}};
  int a, b, c, d;
  JointFreq(7, t[0], t[1], &a, &b, &c, &d);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(d, 1);
}

// Each measure on three pairs: (1,1,0) x (1,0,0) with a=1 b=1 c=0 d=1;
// (1,1,1,0,0,0) x (1,0,0,1,1,0) with a=1 b=2 c=2 d=1; two rows without a 1.
TEST(BinaryMeasures, FormulasOfTheCounts) {
  Table small{{1, 1, 0}, {1, 0, 0}};
  Table mixed{{1, 1, 1, 0, 0, 0}, {1, 0, 0, 1, 1, 0}};
  Table empty{{0, 0, 0}, {0, 0, 0}};
  struct Row {
    const char* what;
    Measure f;
    double small, mixed, empty;
  };
  const Row rows[] = {
      {"Jaccard", Jaccard, 0.5, 1.0 / 5, 0.0},
      {"SimpleMatching", SimpleMatching, 2.0 / 3, 2.0 / 6, 1.0},
      {"SokalMichener", SokalMichener, 1.0 / 3, 1.0 / 6, 0.0},
      {"Ochiai", Ochiai, 1.0 / std::sqrt(2.0), 1.0 / 3, 0.0},
      {"Sorensen", Sorensen, 2.0 / 3, 2.0 / 6, 0.0},
      {"MeanSquareContingency", MeanSquareContingency, 1.0 / 4, 9.0 / 81, 0.0},
      {"JaccardDissimilarity", JaccardDissimilarity, 0.5, 4.0 / 5, 1.0},
      {"JaccardTurnover", JaccardTurnover, 0.0, 4.0 / 5, MV},
      {"JaccardNestedness", JaccardNestedness, 0.5, 0.0, MV},
      {"SorensenDissimilarity", SorensenDissimilarity, 1.0 / 3, 4.0 / 6, 1.0},
      {"SorensenTurnover", SorensenTurnover, 0.0, 2.0 / 3, MV},
      {"SorensenNestedness", SorensenNestedness, 1.0 / 3, 0.0, MV},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(Pair(r.f, small), r.small, 1e-15) << r.what;
    EXPECT_NEAR(Pair(r.f, mixed), r.mixed, 1e-15) << r.what;
    EXPECT_EQ(Pair(r.f, empty), r.empty) << r.what;
  }
  // Diagonal of a row with presences: similarity 1, no turnover.
  EXPECT_EQ(Pair(Jaccard, mixed, 0, 0), 1.0);
  EXPECT_EQ(Pair(MeanSquareContingency, mixed, 1, 1), 1.0);
  EXPECT_EQ(Pair(JaccardTurnover, mixed, 0, 0), 0.0);
}

TEST(BinaryMeasures, OtherValuesAndMissingCells) {
  Table two{{1, 2, 0}, {1, 0, 0}};  // the 2 enters no count
  EXPECT_DOUBLE_EQ(Pair(Jaccard, two), 1.0);
  EXPECT_DOUBLE_EQ(Pair(SimpleMatching, two), 2.0 / 3.0);
  Table miss{{1, MV, 1}, {1, 1, 0}};
  EXPECT_DOUBLE_EQ(Pair(Jaccard, miss), 0.5);
  EXPECT_DOUBLE_EQ(Pair(SimpleMatching, miss), 0.5);
  Table nominal{{3, 1, 2}, {3, 2, 2}};
  EXPECT_DOUBLE_EQ(Pair(SimpleMatching, nominal), 2.0 / 3.0);
  Table none{{MV, 1}, {2, MV}};
  EXPECT_EQ(Pair(SimpleMatching, none), 0.0);
}

// Baselga: turnover + nestedness = dissimilarity, for Jaccard and Sorensen.
TEST(BinaryMeasures, TurnoverPlusNestednessIsTheDissimilarity) {
  Lcg g(11);
  const int n = 12, m = 15;
  Table t(n, m);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) t[i][k] = g.Uniform() < 0.35 ? 1 : 0;
  Square jac(n), jtu(n), jne(n), sor(n), sim(n), sne(n);
  JaccardDissimilarity(n, m, *t, *jac);
  JaccardTurnover(n, m, *t, *jtu);
  JaccardNestedness(n, m, *t, *jne);
  SorensenDissimilarity(n, m, *t, *sor);
  SorensenTurnover(n, m, *t, *sim);
  SorensenNestedness(n, m, *t, *sne);
  int checked = 0;
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      if (jtu[i][j] == MV) continue;
      EXPECT_NEAR(jtu[i][j] + jne[i][j], jac[i][j], 1e-14);
      EXPECT_NEAR(sim[i][j] + sne[i][j], sor[i][j], 1e-14);
      checked++;
    }
  EXPECT_GT(checked, 50);
}

TEST(BetaSOR, AllSitesAndByGroup) {
  Table three{{1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
  EXPECT_DOUBLE_EQ(BetaSOR(3, 3, *three, nullptr, nullptr), 0.5);
  // Two sites: the pairwise Sorensen dissimilarity.
  Table pair{{1, 1, 1, 0, 0, 0}, {1, 0, 0, 1, 1, 0}};
  EXPECT_DOUBLE_EQ(BetaSOR(2, 6, *pair, nullptr, nullptr), 4.0 / 6.0);
  // Group 1: every species unshared, 1; group 2: identical sites, 0; group 3: one empty site, 0.
  Table t{{1, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
  int groups[5] = {2, 1, 2, 1, 3};
  double beta[3] = {-1, -1, -1};
  EXPECT_EQ(BetaSOR(5, 3, *t, groups, beta), 0.0);
  EXPECT_DOUBLE_EQ(beta[0], 1.0);
  EXPECT_DOUBLE_EQ(beta[1], 0.0);
  EXPECT_DOUBLE_EQ(beta[2], 0.0);
}

}  // namespace

// Binary and beta-diversity measures from the 2 x 2 counts a, b, c, d.
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "resemblance/BinaryMeasures.h"

namespace {

using Measure = void (*)(int, int, double**, double**);

double Pair(Measure f, Table& t) {
  Square r(2);
  f(2, t.m(), *t, *r);
  return r[0][1];
}

TEST(JointFreq, CountsAndIgnoredValues) {
  Table t{{1, 1, 0, 0, 2, MV, 1}, {1, 0, 1, 0, 1, 1, 0.5}};
  int a, b, c, d;
  JointFreq(7, t[0], t[1], &a, &b, &c, &d);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(d, 1);
}

TEST(JointFreq, AgreesWithProductsOnRandomBinaryRows) {
  Lcg g(3);
  const int m = 200;
  Table t(2, m);
  for (int k = 0; k < m; k++) {
    t[0][k] = g.Uniform() < 0.4 ? 1 : 0;
    t[1][k] = g.Uniform() < 0.6 ? 1 : 0;
  }
  int a, b, c, d;
  JointFreq(m, t[0], t[1], &a, &b, &c, &d);
  double ea = 0, eb = 0, ec = 0, ed = 0;
  for (int k = 0; k < m; k++) {
    const double x = t[0][k], y = t[1][k];
    ea += x * y;
    eb += x * (1 - y);
    ec += (1 - x) * y;
    ed += (1 - x) * (1 - y);
  }
  EXPECT_EQ(a, ea);
  EXPECT_EQ(b, eb);
  EXPECT_EQ(c, ec);
  EXPECT_EQ(d, ed);
  EXPECT_EQ(a + b + c + d, m);
}

TEST(BinaryMeasures, OnePresenceSharedOneUnshared) {
  // (1,1,0) and (1,0,0): a = 1, b = 1, c = 0, d = 1.
  Table t{{1, 1, 0}, {1, 0, 0}};
  EXPECT_DOUBLE_EQ(Pair(Jaccard, t), 0.5);
  EXPECT_DOUBLE_EQ(Pair(Sorensen, t), 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(Pair(SokalMichener, t), 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(Pair(Ochiai, t), 1.0 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(Pair(SimpleMatching, t), 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(Pair(MeanSquareContingency, t), 1.0 / 4.0);  // (1*1 - 0)^2 / (2*1*1*2)
  EXPECT_DOUBLE_EQ(Pair(JaccardDissimilarity, t), 0.5);
  EXPECT_DOUBLE_EQ(Pair(JaccardTurnover, t), 0.0);
  EXPECT_DOUBLE_EQ(Pair(JaccardNestedness, t), 0.5);
  EXPECT_DOUBLE_EQ(Pair(SorensenDissimilarity, t), 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(Pair(SorensenTurnover, t), 0.0);
  EXPECT_DOUBLE_EQ(Pair(SorensenNestedness, t), 1.0 / 3.0);
}

TEST(BinaryMeasures, RowsWithoutPresences) {
  Table t{{0, 0, 0}, {0, 0, 0}};
  EXPECT_EQ(Pair(Jaccard, t), 0.0);
  EXPECT_EQ(Pair(Sorensen, t), 0.0);
  EXPECT_EQ(Pair(SokalMichener, t), 0.0);
  EXPECT_EQ(Pair(Ochiai, t), 0.0);
  EXPECT_EQ(Pair(MeanSquareContingency, t), 0.0);
  EXPECT_EQ(Pair(JaccardDissimilarity, t), 1.0);
  EXPECT_EQ(Pair(SorensenDissimilarity, t), 1.0);
  EXPECT_EQ(Pair(JaccardTurnover, t), -999.0);
  EXPECT_EQ(Pair(JaccardNestedness, t), -999.0);
  EXPECT_EQ(Pair(SorensenTurnover, t), -999.0);
  EXPECT_EQ(Pair(SorensenNestedness, t), -999.0);
  EXPECT_EQ(Pair(SimpleMatching, t), 1.0);
}

TEST(BinaryMeasures, MixedPairsAndTheDiagonal) {
  // (1,1,1,0,0,0) and (1,0,0,1,1,0): a = 1, b = 2, c = 2, d = 1.
  Table t{{1, 1, 1, 0, 0, 0}, {1, 0, 0, 1, 1, 0}};
  Square r(2);
  Jaccard(2, 6, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0 / 5.0);
  EXPECT_DOUBLE_EQ(r[0][0], 1.0);
  MeanSquareContingency(2, 6, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 9.0 / 81.0);  // (1 - 4)^2 / (3*3*3*3)
  EXPECT_DOUBLE_EQ(r[0][0], 1.0);
  JaccardTurnover(2, 6, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 4.0 / 5.0);
  EXPECT_DOUBLE_EQ(r[0][0], 0.0);
  SorensenNestedness(2, 6, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 0.0);
  EXPECT_DOUBLE_EQ(r[1][1], 0.0);
}

TEST(BinaryMeasures, ValuesOtherThanZeroOneAndMissing) {
  Table two{{1, 2, 0}, {1, 0, 0}};
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

TEST(BaselgaPartition, TurnoverPlusNestednessIsTheDissimilarity) {
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
      if (jtu[i][j] == -999.0) continue;
      EXPECT_NEAR(jtu[i][j] + jne[i][j], jac[i][j], 1e-14);
      EXPECT_NEAR(sim[i][j] + sne[i][j], sor[i][j], 1e-14);
      checked++;
    }
  EXPECT_GT(checked, 50);
}

TEST(BetaSOR, ThreeSitesOneGroup) {
  Table t{{1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
  EXPECT_DOUBLE_EQ(BetaSOR(3, 3, *t, nullptr, nullptr), 0.5);
}

TEST(BetaSOR, ByGroupInAscendingOrder) {
  // Group 1: (1,0,0) and (0,1,0): every species unshared, beta 1.
  // Group 2: two identical sites, beta 0. Group 3: one empty site, 0.
  Table t{{1, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
  int groups[5] = {2, 1, 2, 1, 3};
  double beta[3] = {-1, -1, -1};
  EXPECT_EQ(BetaSOR(5, 3, *t, groups, beta), 0.0);
  EXPECT_DOUBLE_EQ(beta[0], 1.0);
  EXPECT_DOUBLE_EQ(beta[1], 0.0);
  EXPECT_DOUBLE_EQ(beta[2], 0.0);
}

TEST(BetaSOR, TwoSitesEqualsPairwiseSorensenDissimilarity) {
  Table t{{1, 1, 1, 0, 0, 0}, {1, 0, 0, 1, 1, 0}};
  Square r(2);
  SorensenDissimilarity(2, 6, *t, *r);
  EXPECT_DOUBLE_EQ(BetaSOR(2, 6, *t, nullptr, nullptr), r[0][1]);
}

}  // namespace

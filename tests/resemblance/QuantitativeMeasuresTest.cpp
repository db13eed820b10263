// Quantitative measures against hand-derived values and independent formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TableFixture.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/QuantitativeMeasures.h"

namespace {

// x1 = (1,2,3), x2 = 2 x1 + 2, x3 reversed, x4 with r(x1, x4) = 1/2.
Table* Small() { return new Table{{1, 2, 3}, {4, 6, 8}, {3, 2, 1}, {1, 3, 2}}; }

TEST(CrossProduct, SumsOfProductsWithDiagonal) {
  Table t{{1, 2, 3}, {4, 6, 8}};
  Square r(2);
  CrossProductMV(2, 3, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][0], 14.0);
  EXPECT_DOUBLE_EQ(r[0][1], 40.0);
  EXPECT_DOUBLE_EQ(r[1][0], 40.0);
  EXPECT_DOUBLE_EQ(r[1][1], 116.0);
}

TEST(CrossProduct, MissingCellsLeaveTheAttributeOut) {
  Table t{{1, MV, 3}, {4, 6, 8}};
  Square r(2);
  CrossProductMV(2, 3, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 4.0 + 24.0);
  EXPECT_DOUBLE_EQ(r[0][0], 10.0);
  EXPECT_DOUBLE_EQ(r[1][1], 116.0);
}

TEST(AbsoluteValue, SumOfAbsoluteDifferences) {
  Table t{{1, 2, 3}, {4, 6, 8}, {1, MV, 0}};
  Square r(3);
  AbsValFunctionMV(3, 3, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 12.0);
  EXPECT_DOUBLE_EQ(r[0][2], 0.0 + 3.0);
  EXPECT_DOUBLE_EQ(r[1][2], 3.0 + 8.0);
  EXPECT_DOUBLE_EQ(r[0][0], 0.0);
}

TEST(Euclidean, HandValuesAndIdentities) {
  std::unique_ptr<Table> t(Small());
  Square r(4);
  EucliDistMV(4, 3, **t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], std::sqrt(50.0));
  EXPECT_DOUBLE_EQ(r[1][0], std::sqrt(50.0));
  EXPECT_DOUBLE_EQ(r[0][2], std::sqrt(8.0));
  EXPECT_DOUBLE_EQ(r[0][3], std::sqrt(2.0));
  for (int i = 0; i < 4; i++) EXPECT_EQ(r[i][i], 0.0);
}

TEST(Euclidean, IdenticalEntitiesAreAtZero) {
  Table t{{1.5, -2, 7}, {1.5, -2, 7}};
  Square r(2);
  EucliDistMV(2, 3, *t, *r);
  EXPECT_EQ(r[0][1], 0.0);
}

TEST(Euclidean, LargerTableWithMissingMatchesDirectSum) {
  const int n = 300, m = 17;
  Table t(n, m);
  Lcg g(7);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) t[i][k] = g.Uniform() < 0.05 ? MV : 10.0 * g.Uniform() - 3.0;
  Square r(n);
  EucliDistMV(n, m, *t, *r);
  double worst = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      long double s = 0.0L;
      for (int k = 0; k < m; k++)
        if (t[i][k] != MV && t[j][k] != MV) s += (long double)(t[i][k] - t[j][k]) * (t[i][k] - t[j][k]);
      worst = std::fmax(worst, std::fabs(r[i][j] - (double)std::sqrt(s)));
    }
  EXPECT_LT(worst, 1e-12);
}

TEST(Correlation, PerfectPositiveNegativeAndHalf) {
  std::unique_ptr<Table> t(Small());
  Square r(4);
  CorrelationMV(4, 3, **t, *r);
  EXPECT_NEAR(r[0][1], 1.0, 1e-15);
  EXPECT_NEAR(r[0][2], -1.0, 1e-15);
  EXPECT_NEAR(r[0][3], 0.5, 1e-15);
  EXPECT_NEAR(r[3][0], 0.5, 1e-15);
  for (int i = 0; i < 4; i++) EXPECT_NEAR(r[i][i], 1.0, 1e-15);
}

TEST(Correlation, ConstantEntityIsZeroOnBothPaths) {
  Table full{{2, 2, 2, 2}, {1, 2, 3, 4}};
  Square r(2);
  CorrelationMV(2, 4, *full, *r);
  EXPECT_EQ(r[0][1], 0.0);
  EXPECT_EQ(r[0][0], 0.0);
  EXPECT_NEAR(r[1][1], 1.0, 1e-15);

  Table miss{{2, 2, 2, MV}, {1, 2, 3, 4}};
  Square s(2);
  CorrelationMV(2, 4, *miss, *s);
  EXPECT_EQ(s[0][1], 0.0);
  EXPECT_EQ(s[0][0], 0.0);
  EXPECT_FALSE(std::isnan(s[0][1]));
}

TEST(Correlation, PairwiseDeletion) {
  // Over the first three attributes the rows are (1,2,3) and (1,3,2): r = 1/2.
  Table t{{1, 2, 3, MV}, {1, 3, 2, 10}};
  Square r(2);
  CorrelationMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 0.5, 1e-15);
  EXPECT_NEAR(Correlation2VecMV(4, t[0], t[1]), 0.5, 1e-15);
  // One common attribute only: no variation, 0.
  Table u{{1, MV}, {MV, 2}};
  EXPECT_EQ(Correlation2VecMV(2, u[0], u[1]), 0.0);
}

TEST(Covariance, FastAndPairwisePaths) {
  std::unique_ptr<Table> t(Small());
  Square r(4);
  CovarianceMV(4, 3, **t, *r);
  EXPECT_NEAR(r[0][0], 1.0, 1e-15);   // (1 + 0 + 1) / 2
  EXPECT_NEAR(r[0][1], 2.0, 1e-15);   // x2 = 2 x1 + 2
  EXPECT_NEAR(r[0][3], 0.5, 1e-15);
  EXPECT_NEAR(r[0][2], -1.0, 1e-15);

  Table u{{1, 2, 3, MV}, {1, 3, 2, 10}};
  Square s(2);
  CovarianceMV(2, 4, *u, *s);
  EXPECT_NEAR(s[0][1], 0.5, 1e-15);
  EXPECT_NEAR(s[1][0], 0.5, 1e-15);
  // Variance of (1,3,2,10): mean 4, squares 9+1+4+36 = 50, / 3.
  EXPECT_NEAR(s[1][1], 50.0 / 3.0, 1e-12);
}

TEST(Covariance, SingleAttributeGivesZeroNotNaN) {
  Table t{{1}, {5}};
  Square r(2);
  CovarianceMV(2, 1, *t, *r);
  EXPECT_EQ(r[0][1], 0.0);
  Table u{{1, MV}, {5, 3}};
  CovarianceMV(2, 2, *u, *r);
  EXPECT_EQ(r[0][1], 0.0);
}

TEST(Chord, DistancesOfNormalizedRows) {
  Table t{{1, 0}, {0, 1}, {3, 4}, {6, 8}, {1, 1}};
  Square r(5);
  ChordDistMV(5, 2, *t, *r);
  EXPECT_NEAR(r[0][1], std::sqrt(2.0), 1e-15);
  EXPECT_NEAR(r[2][3], 0.0, 1e-15);
  EXPECT_NEAR(r[0][4], std::sqrt(2.0 - std::sqrt(2.0)), 1e-15);
  EXPECT_EQ(r[1][1], 0.0);
}

TEST(Chord, PairwisePathReturnsTheDistanceNotItsSquare) {
  // Over the two common attributes: (1,0) against (1,1), distance sqrt(2 - sqrt 2).
  Table t{{1, 0, MV}, {1, 1, 5}};
  Square r(2);
  ChordDistMV(2, 3, *t, *r);
  EXPECT_NEAR(r[0][1], std::sqrt(2.0 - std::sqrt(2.0)), 1e-15);
  EXPECT_NEAR(r[1][0], r[0][1], 0.0);
  EXPECT_NEAR(ChordDistSq2VecMV(3, t[0], t[1]), 2.0 - std::sqrt(2.0), 1e-15);
  // The same pair without the missing column agrees with the fast path.
  Table u{{1, 0}, {1, 1}};
  Square s(2);
  ChordDistMV(2, 2, *u, *s);
  EXPECT_NEAR(s[0][1], r[0][1], 1e-15);
}

TEST(PercentageDifference, HandValues) {
  Table t{{1, 2, 3}, {4, 6, 8}, {0, 0, 0}, {0, 0, 0}};
  Square r(4);
  BrayCurtisMV(4, 3, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 12.0 / 24.0);
  EXPECT_DOUBLE_EQ(r[0][2], 1.0);
  EXPECT_EQ(r[2][3], 0.0);  // two all-zero entities: left at 0
  EXPECT_EQ(r[1][1], 0.0);
}

TEST(PercentageDifference, NegativeValuesShiftedByTheMinimum) {
  Table t{{-1, 1}, {1, -1}};
  Square r(2);
  BrayCurtisMV(2, 2, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0);
}

TEST(PercentageDifference, MissingValues) {
  Table t{{1, MV, 3}, {3, 5, 1}};
  Square r(2);
  BrayCurtisMV(2, 3, *t, *r);
  EXPECT_DOUBLE_EQ(r[0][1], 4.0 / 8.0);
}

TEST(LegendreChodorowski, KZeroAndKTwo) {
  Table t{{2, 3, 0}, {2, 1, 0}};
  Square r(2);
  LegendreChodorowski(2, 3, *t, *r, nullptr, 0.0);
  EXPECT_DOUBLE_EQ(r[0][1], 0.5);
  EXPECT_DOUBLE_EQ(r[1][0], 0.5);
  EXPECT_DOUBLE_EQ(r[0][0], 1.0);
  LegendreChodorowski(2, 3, *t, *r, nullptr, 2.0);
  // Attribute 1: 2*3/6 = 1; attribute 2: d = 2, 2*1/10 = 0.2; (1 + 0.2) / 2.
  EXPECT_DOUBLE_EQ(r[0][1], static_cast<float>(0.6));
}

TEST(LegendreChodorowski, WeightsAndMissing) {
  Table t{{2, 3, 4}, {2, 1, MV}};
  double w[3] = {3.0, 1.0, 5.0};
  Square r(2);
  LegendreChodorowski(2, 3, *t, *r, w, 0.0);
  EXPECT_DOUBLE_EQ(r[0][1], static_cast<float>(3.0 / 4.0));
}

TEST(Mahalanobis, OneAttributeIsDifferenceOverStandardDeviation) {
  Table t{{1}, {2}, {4}};
  Square r(3);
  Mahalanobis(3, 1, *t, *r);
  const double sd = std::sqrt(7.0 / 3.0);
  EXPECT_NEAR(r[0][2], 3.0 / sd, 1e-12);
  EXPECT_NEAR(r[0][1], 1.0 / sd, 1e-12);
  EXPECT_EQ(r[1][1], 0.0);
}

TEST(Mahalanobis, UncorrelatedAttributes) {
  // Covariance diag(4/3, 4/3): the distance from (0,0) to (2,2) is sqrt(6).
  Table t{{0, 0}, {2, 0}, {0, 2}, {2, 2}};
  Square r(4);
  Mahalanobis(4, 2, *t, *r);
  EXPECT_NEAR(r[0][3], std::sqrt(6.0), 1e-12);
  EXPECT_NEAR(r[0][1], std::sqrt(3.0), 1e-12);
}

TEST(Mahalanobis, PairwiseDeletionInCovarianceAndDifferences) {
  // Attribute 1: variance 1 over five units; attribute 2: variance 4/3 over
  // the four present; their covariance over those four is 0.
  Table t{{0, 0}, {2, 0}, {0, 2}, {2, 2}, {1, MV}};
  Square r(5);
  Mahalanobis(5, 2, *t, *r);
  EXPECT_NEAR(r[0][3], std::sqrt(4.0 / 1.0 + 4.0 * 3.0 / 4.0), 1e-12);
  EXPECT_NEAR(r[0][4], 1.0, 1e-12);  // the attribute missing in unit 5 contributes 0
}

TEST(Mahalanobis, SingularCovarianceGivesZero) {
  Table t{{1, 2, 3}, {3, 5, 4}};
  Square r(2);
  Mahalanobis(2, 3, *t, *r);
  EXPECT_EQ(r[0][1], 0.0);
}

}  // namespace

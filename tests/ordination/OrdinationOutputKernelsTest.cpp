// Bartlett's statistic and the descriptor-axis correlations and
// contributions, checked on hand-computed cases. (The correlations and
// contributions of two variables correlated at 0.6: option O's end-to-end
// test.)
#include <gtest/gtest.h>

#include <cmath>

#include "support/TestMatrix.h"
#include "ordination/Bartlett.h"
#include "ordination/ScoreCorrelations.h"

TEST(Bartlett, HandComputedStatistic) {
  double eig[3] = {4, 2, 1};
  // k = 1, p = 3, n = 10: m = 3, mean 7/3, sum of logs ln 8,
  // u = (3 ln(7/3) - ln 8) (10 - 17/6).
  const double u1 = (3 * std::log(7.0 / 3) - std::log(8.0)) * (10 - 17.0 / 6);
  EXPECT_NEAR(Bartlett_u(3, 1, eig, 10, 3), u1, 1e-12);
  EXPECT_NEAR(u1, 3.3142, 1e-4);
  // k = 2: eigenvalues 2 and 1, mean 1.5; df = (3 - 2 + 3)(3 - 2) / 2 = 2,
  // so the chi-square tail is exp(-u / 2).
  const double u2 = (2 * std::log(1.5) - std::log(2.0)) * (10 - 17.0 / 6);
  EXPECT_NEAR(Bartlett_u(3, 2, eig, 10, 3), u2, 1e-12);
  EXPECT_NEAR(Bartlett_uProb(3, 2, eig, 10, 3), std::exp(-u2 / 2), 1e-12);
  // Last axis: a single eigenvalue, u = 0 and no degrees of freedom.
  EXPECT_NEAR(Bartlett_u(3, 3, eig, 10, 3), 0.0, 1e-12);
  EXPECT_EQ(Bartlett_uProb(3, 3, eig, 10, 3), 1.0);
}

TEST(Bartlett, NonPositiveEigenvaluesReplacedByTinyValue) {
  double eig[2] = {3, 0};
  const double s = 3 + 1e-10;
  const double u = (2 * std::log(s / 2) - (std::log(3.0) + std::log(1e-10))) * (5 - 15.0 / 6);
  EXPECT_NEAR(Bartlett_u(2, 1, eig, 5, 2), u, 1e-9);
  double negative[2] = {-1, -2};  // mean not positive: the first term is 0
  EXPECT_NEAR(Bartlett_u(2, 1, negative, 5, 2), 2 * 23.025850929940457 * (5 - 15.0 / 6), 1e-9);
  // Beyond the rank, rounding noise of either sign is the same zero.
  double noiseUp[3] = {3, 1e-16, 0}, noiseDown[3] = {3, -1e-16, 0};
  const double zeros = (3 * std::log((3 + 2e-10) / 3) - (std::log(3.0) + 2 * std::log(1e-10))) * (5 - 17.0 / 6);
  EXPECT_NEAR(Bartlett_u(1, 1, noiseUp, 5, 3), zeros, 1e-9);
  EXPECT_NEAR(Bartlett_u(1, 1, noiseDown, 5, 3), zeros, 1e-9);
}

TEST(ScoreCorrelations, PerfectZeroAndMissingCases) {
  // Two axes over four entities; descriptors are the rows of `data` (flag 1).
  TestMatrix scores(2, 4, {1, 2, 3, 4, 1, -1, -1, 1});
  TestMatrix data(3, 4, {2, 4, 6, 8, 5, 5, 5, 5, 4, 3, 2, -999});
  TestMatrix R(3, 2);
  ScoreCorrComp(2, 4, scores, data, 3, 1, 6, R);
  EXPECT_NEAR(R[0][0], 1.0, 1e-14);
  EXPECT_NEAR(R[0][1], 0.0, 1e-14);
  EXPECT_EQ(R[1][0], 0.0);  // zero variance
  EXPECT_EQ(R[1][1], 0.0);
  // Descriptor 3 over its three present values 4, 3, 2 (mean 3) centred to
  // 1, 0, -1 / sqrt2; axis 1 centred over all four: -1.5, -0.5, 0.5 / sqrt5;
  // the sum runs over the first three entities only.
  EXPECT_NEAR(R[2][0], (-1.5 - 0.5) / std::sqrt(2.0) / std::sqrt(5.0), 1e-14);
  // Same descriptors transposed (flag 0), and the axis count capped by maxDim.
  TestMatrix dataT(4, 3);
  for (int i = 0; i < 3; i++)
    for (int e = 0; e < 4; e++) dataT[e][i] = data[i][e];
  TestMatrix R1(3, 1, {7, 7, 7});
  ScoreCorrComp(2, 4, scores, dataT, 3, 0, 1, R1);
  EXPECT_NEAR(R1[0][0], 1.0, 1e-14);
  EXPECT_NEAR(R1[2][0], R[2][0], 1e-14);
}

TEST(ScoreCorrelations, PrincipalComponentsFormAndContributions) {
  // Covariance matrix diag(4, 1) rotated: eigenvectors given explicitly.
  TestMatrix rese(2, 2, {4, 0, 0, 1});
  const double eig[2] = {4, 1};
  TestMatrix ev(2, 2, {1, 0, 0, 1}), R(2, 2), C(2, 2);
  ScoreCorrPrincipalComponents(2, 2, rese, eig, ev, R);
  EXPECT_DOUBLE_EQ(R[0][0], 1.0);
  EXPECT_DOUBLE_EQ(R[1][1], 1.0);
  EXPECT_DOUBLE_EQ(R[0][1], 0.0);
  // A descriptor without variance: coefficients 0, not 0/0.
  TestMatrix flat(2, 2, {1, 0, 0, 0});
  const double e1[2] = {1, 0};
  ScoreCorrPrincipalComponents(1, 2, flat, e1, ev, R);
  EXPECT_EQ(R[1][0], 0.0);
  // Unequal variances: (sqrt(4) * 0.6)^2 = 1.44 and (sqrt(1) * 0.8)^2 = 0.64.
  TestMatrix v3(1, 2, {0.6, 0.8});
  VarContributionComp(1, 2, v3, rese, C);
  EXPECT_NEAR(C[0][0], 100 * 1.44 / 2.08, 1e-12);
  EXPECT_NEAR(C[1][0], 100 * 0.64 / 2.08, 1e-12);
}

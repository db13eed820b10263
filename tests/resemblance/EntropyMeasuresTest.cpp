// Information measures: contingency tables, Renyi entropies, mutual entropy,
// coherence, chi-square, mutual information and triplets.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TableFixture.h"
#include "resemblance/EntropyMeasures.h"

namespace {

const double LN2 = std::log(2.0);

// Half the G statistic of the 2 x m table of two frequency profiles, computed
// from its cells, margins and total over the attributes present in both.
double HalfG(int m, const double* x, const double* y) {
  double rx = 0, ry = 0;
  std::vector<double> col;
  std::vector<const double*> keep;
  for (int k = 0; k < m; k++)
    if (x[k] != MV && y[k] != MV) {
      rx += x[k];
      ry += y[k];
    }
  const double t = rx + ry;
  double s = 0;
  for (int k = 0; k < m; k++) {
    if (x[k] == MV || y[k] == MV) continue;
    const double kk = x[k] + y[k];
    if (x[k] > 0) s += x[k] * std::log(x[k] * t / (rx * kk));
    if (y[k] > 0) s += y[k] * std::log(y[k] * t / (ry * kk));
  }
  return s;
}

TEST(Contingency, StatesInOrderOfFirstAppearance) {
  double x[3] = {2, 1, 2}, y[3] = {5, 5, 7};
  Table c(3, 3);
  int dims[2];
  ContingencyMV(3, x, y, *c, dims, nullptr);
  EXPECT_EQ(dims[0], 2);
  EXPECT_EQ(dims[1], 2);
  EXPECT_EQ(c[0][0], 1.0);  // x = 2, y = 5
  EXPECT_EQ(c[0][1], 1.0);  // x = 2, y = 7
  EXPECT_EQ(c[1][0], 1.0);  // x = 1, y = 5
  EXPECT_EQ(c[1][1], 0.0);
}

TEST(Contingency, StateSeenOnlyWhereTheOtherIsMissingGivesAZeroRow) {
  double x[4] = {1, 1, 2, 3}, y[4] = {1, 2, 1, MV};
  Table c(3, 3);
  int dims[2];
  ContingencyMV(4, x, y, *c, dims, nullptr);
  EXPECT_EQ(dims[0], 3);
  EXPECT_EQ(dims[1], 2);
  EXPECT_EQ(c[2][0] + c[2][1], 0.0);
}

TEST(Contingency, VectorCountsKeepTheMissingCode) {
  double x[4] = {3, 1, 3, MV};
  double counts[4];
  int states[4], ns;
  ContingencyVector(4, x, counts, &ns, states);
  ASSERT_EQ(ns, 3);
  EXPECT_EQ(states[0], 3);
  EXPECT_EQ(counts[0], 2.0);
  EXPECT_EQ(states[1], 1);
  EXPECT_EQ(states[2], -999);
}

TEST(Contingency, ThreeWayTable) {
  double x[4] = {0, 0, 1, 1}, y[4] = {0, 1, 0, 1}, z[4] = {0, 1, 1, MV};
  double*** c = reinterpret_cast<double***>(dim3D(sizeof(double), 2, 2, 2));
  int dims[3];
  Contingency3D_MV(4, x, y, z, c, dims, nullptr);
  EXPECT_EQ(dims[0], 2);
  EXPECT_EQ(dims[1], 2);
  EXPECT_EQ(dims[2], 2);
  EXPECT_EQ(c[0][0][0], 1.0);
  EXPECT_EQ(c[0][1][1], 1.0);
  EXPECT_EQ(c[1][0][1], 1.0);
  EXPECT_EQ(c[1][1][0] + c[1][1][1], 0.0);
  free3D(reinterpret_cast<void***>(c), 2, 2);
}

TEST(EntropyVector, RenyiOrders) {
  double uniform[4] = {1, 1, 1, 1};
  for (double a : {0.0, 0.5, 1.0, 2.0, 3.0}) EXPECT_NEAR(EntropyVector(4, uniform, a), std::log(4.0), 1e-14);
  double c[3] = {2, 1, 1};
  EXPECT_NEAR(EntropyVector(3, c, 1.0), 1.5 * LN2, 1e-14);
  EXPECT_NEAR(EntropyVector(3, c, 2.0), std::log(8.0 / 3.0), 1e-14);
  EXPECT_NEAR(EntropyVector(3, c, 0.0), std::log(3.0), 1e-14);
  double zero[2] = {0, 0};
  EXPECT_EQ(EntropyVector(2, zero, 1.0), 0.0);
  double one[2] = {5, 0};
  EXPECT_EQ(EntropyVector(2, one, 1.0), 0.0);
  EXPECT_FALSE(std::signbit(EntropyVector(2, one, 1.0)));
}

TEST(EntropyOfTables, JointAndMarginsOverARangeOfOrders) {
  Table f{{2, 0}, {0, 2}};
  double hj[3], hc[3], hr[3], mi[3], d[3], co[3];
  Entropy_MV(2, 2, *f, hj, hc, hr, mi, d, co, 1.0, 2.0, 0.5);
  EXPECT_EQ(AlphaSteps(1.0, 2.0, 0.5), 3);
  for (int s = 0; s < 3; s++) {
    EXPECT_NEAR(hj[s], LN2, 1e-14);
    EXPECT_NEAR(hc[s], LN2, 1e-14);
    EXPECT_NEAR(hr[s], LN2, 1e-14);
    EXPECT_NEAR(mi[s], LN2, 1e-14);
    EXPECT_NEAR(d[s], 0.0, 1e-14);
    EXPECT_NEAR(co[s], 1.0, 1e-14);
  }
  // Rows (3,1) and (1,3) of an 8-count table: H_AB of (3,1,1,3)/8, margins uniform.
  Table g{{3, 1}, {1, 3}};
  EntropyMV(2, 2, *g, hj, hc, hr, 1.0, 1.0, 1.0);
  const double hJoint = -(2 * 3.0 / 8 * std::log(3.0 / 8) + 2 * 1.0 / 8 * std::log(1.0 / 8));
  EXPECT_NEAR(hj[0], hJoint, 1e-14);
  EXPECT_NEAR(hr[0], LN2, 1e-14);
}

TEST(MutualEntropy, IdenticalEntitiesWithTwoEqualStates) {
  Table t{{1, 1, 2, 2}, {1, 1, 2, 2}};
  for (double a : {0.5, 1.0, 2.0}) {
    Square r(2);
    MutualEntropyPairwiseMV(2, 4, *t, *r, a);
    EXPECT_NEAR(r[0][1], LN2, 1e-14) << a;
    CoheCoefPairwiseMV(2, 4, *t, *r, a);
    EXPECT_NEAR(r[0][1], 1.0, 1e-14) << a;
  }
  Square r(2);
  MDISMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 8.0 * LN2, 1e-13);  // 2 N I with N = 4
  QuiSquareMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 4.0, 1e-14);
}

TEST(MutualEntropy, IndependentEntities) {
  Table t{{1, 1, 2, 2}, {1, 2, 1, 2}};
  Square r(2);
  MutualEntropyPairwiseMV(2, 4, *t, *r, 1.0);
  EXPECT_NEAR(r[0][1], 0.0, 1e-15);
  MutualEntropyPairwiseMV(2, 4, *t, *r, 2.0);
  EXPECT_NEAR(r[0][1], 0.0, 1e-15);
  CoheCoefPairwiseMV(2, 4, *t, *r, 1.0);
  EXPECT_NEAR(r[0][1], 0.0, 1e-7);
  QuiSquareMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-15);
  MDISMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-14);
}

TEST(MutualEntropy, AgreesWithEntropyIdentityForShannon) {
  // I = H_A + H_B - H_AB for alpha = 1 on an arbitrary table.
  Table f{{3, 1, 0}, {1, 2, 4}};
  double hj, hc, hr;
  EntropyMV(2, 3, *f, &hj, &hc, &hr, 1.0, 1.0, 0.0);
  EXPECT_NEAR(MutualEntropyMV(2, 3, *f, 1.0), hr + hc - hj, 1e-14);
  const double d = 1.0 - (hr + hc - hj) / hj;
  EXPECT_NEAR(CoheCoefMV(2, 3, *f, 1.0), std::sqrt(1.0 - d * d), 1e-14);
}

TEST(MutualEntropy, ConstantEntitiesGiveNoAssociationNotNaN) {
  Table t{{1, 1, 1}, {2, 2, 2}};
  Square r(2);
  CoheCoefPairwiseMV(2, 3, *t, *r, 1.0);
  EXPECT_EQ(r[0][1], 0.0);
  EXPECT_EQ(r[0][0], 0.0);
  MutualEntropyPairwiseMV(2, 3, *t, *r, 2.0);
  EXPECT_EQ(r[0][1], 0.0);
}

TEST(ChiSquare, ZeroMarginCellsAreLeftOut) {
  // x state 3 occurs only where y is missing: the table is [[1,1],[1,0],[0,0]],
  // whose chi-square equals that of the 2 x 2 table [[1,1],[1,0]], 3/4.
  Table t{{1, 1, 2, 3}, {1, 2, 1, MV}};
  Square r(2);
  QuiSquareMV(2, 4, *t, *r);
  EXPECT_NEAR(r[0][1], 0.75, 1e-14);
  EXPECT_FALSE(std::isnan(r[0][0]));
}

TEST(ChiSquare, NoCommonAttributeIsZero) {
  Table t{{1, MV}, {MV, 2}};
  Square r(2);
  QuiSquareMV(2, 2, *t, *r);
  EXPECT_EQ(r[0][1], 0.0);
  MDISMV(2, 2, *t, *r);
  EXPECT_EQ(r[0][1], 0.0);
}

TEST(MutualInformation, HalfGOfTheTwoRowTable) {
  Table t{{2, 0, 1}, {1, 1, 1}};
  Square r(2);
  MutualInformationMV(2, 3, *t, *r);
  EXPECT_NEAR(r[0][1], std::log(64.0 / 27.0), 1e-14);
  EXPECT_NEAR(r[0][0], 0.0, 1e-14);
}

TEST(MutualInformation, RandomProfilesMatchHalfG) {
  Lcg g(5);
  const int n = 6, m = 9;
  Table t(n, m);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) t[i][k] = g.Uniform() < 0.2 ? 0.0 : std::floor(10 * g.Uniform());
  Square r(n);
  MutualInformationMV(n, m, *t, *r);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) EXPECT_NEAR(r[i][j], HalfG(m, t[i], t[j]), 1e-12);
}

TEST(MutualInformation, ZeroTotalGivesZero) {
  Table t{{0, 0, 0}, {1, 2, 3}, {0, 0, 0}};
  Square r(3);
  MutualInformationMV(3, 3, *t, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-14);
  EXPECT_EQ(r[0][2], 0.0);
  EXPECT_EQ(r[0][0], 0.0);
  EXPECT_FALSE(std::isnan(r[0][1]));
}

TEST(MutualInformation, MissingValueRemovesTheAttributeFromThePair) {
  Table t{{2, MV, 1}, {1, 5, 1}};
  Square r(2);
  MutualInformationMV(2, 3, *t, *r);
  const double expect = 2 * std::log(10.0 / 9.0) + 2 * std::log(5.0 / 6.0) + std::log(5.0 / 4.0);
  EXPECT_NEAR(r[0][1], expect, 1e-14);
  EXPECT_NEAR(r[0][1], HalfG(3, t[0], t[1]), 1e-14);
}

TEST(IDivergence, TermsOfBothProfiles) {
  Table t{{2, MV, 0}, {1, 5, 3}};
  Square r(2);
  IDivergenceMV(2, 3, *t, *r);
  // Attribute 2 dropped; attribute 3: only y contributes 3 ln 2.
  EXPECT_NEAR(r[0][1], 2 * std::log(4.0 / 3.0) + std::log(2.0 / 3.0) + 3 * LN2, 1e-14);
  EXPECT_NEAR(r[0][0], 0.0, 1e-15);
}

TEST(Triplets, ExclusiveOrHasPairwiseIndependenceAndLn2Jointly) {
  Table t{{0, 0, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}};
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  MutualEntropyTripletsMV(3, 4, *t, r3, 1.0);
  EXPECT_NEAR(r3[0][1][2], LN2, 1e-14);
  EXPECT_EQ(r3[2][1][0], r3[0][1][2]);
  EXPECT_EQ(r3[1][2][0], r3[0][1][2]);
  EXPECT_EQ(r3[0][0][1], 0.0);
  MutualEntropyTripletsMV(3, 4, *t, r3, 2.0);
  EXPECT_NEAR(r3[1][0][2], LN2, 1e-14);
  Square r(3);
  MutualEntropyPairwiseMV(3, 4, *t, *r, 1.0);
  EXPECT_NEAR(r[0][1], 0.0, 1e-15);
  EXPECT_NEAR(r[1][2], 0.0, 1e-15);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
}

TEST(Triplets, IdenticalVariables) {
  // p = 1/2 on two cells, every margin ratio q = 1: sum p ln p = -ln 2.
  Table t{{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  MutualEntropyTripletsMV(3, 4, *t, r3, 1.0);
  EXPECT_NEAR(r3[0][1][2], -LN2, 1e-14);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
}

}  // namespace

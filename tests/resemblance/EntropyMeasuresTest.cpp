// Information measures: contingency tables, Renyi entropies, mutual entropy,
// coherence, chi-square, mutual information and triplets.
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "resemblance/EntropyMeasures.h"

namespace {

const double LN2 = std::log(2.0);

// Half the G statistic of the 2 x m table of two frequency profiles, from its
// cells, margins and total over the attributes present in both.
double HalfG(int m, const double* x, const double* y) {
  double rx = 0, ry = 0;
  for (int k = 0; k < m; k++)
    if (x[k] != MV && y[k] != MV) rx += x[k], ry += y[k];
  double s = 0;
  for (int k = 0; k < m; k++) {
    if (x[k] == MV || y[k] == MV) continue;
    const double col = x[k] + y[k];
    if (x[k] > 0) s += x[k] * std::log(x[k] * (rx + ry) / (rx * col));
    if (y[k] > 0) s += y[k] * std::log(y[k] * (rx + ry) / (ry * col));
  }
  return s;
}

TEST(Contingency, TwoAndThreeWayTables) {
  // States in order of first appearance; x state 3 occurs only where y is missing.
  double x[5] = {2, 1, 2, 3, 2}, y[5] = {5, 5, 7, MV, 5};
  Table c(3, 3);
  int dims[3];
  ContingencyMV(5, x, y, *c, dims, nullptr);
  EXPECT_EQ(dims[0], 3);
  EXPECT_EQ(dims[1], 2);
  EXPECT_EQ(c[0][0], 2.0);  // x = 2, y = 5
  EXPECT_EQ(c[0][1], 1.0);
  EXPECT_EQ(c[1][0], 1.0);
  EXPECT_EQ(c[2][0] + c[2][1], 0.0);

  double a[4] = {0, 0, 1, 1}, b[4] = {0, 1, 0, 1}, z[4] = {0, 1, 1, MV};
  double*** c3 = reinterpret_cast<double***>(dim3D(sizeof(double), 2, 2, 2));
  Contingency3D_MV(4, a, b, z, c3, dims, nullptr);
  EXPECT_EQ(dims[2], 2);
  EXPECT_EQ(c3[0][0][0] + c3[0][1][1] + c3[1][0][1], 3.0);
  EXPECT_EQ(c3[1][1][0] + c3[1][1][1], 0.0);
  free3D(reinterpret_cast<void***>(c3), 2, 2);

  double v[4] = {3, 1, 3, MV}, counts[4];
  int states[4], ns;
  ContingencyVector(4, v, counts, &ns, states);  // the missing code is a state here
  ASSERT_EQ(ns, 3);
  EXPECT_EQ(states[0], 3);
  EXPECT_EQ(counts[0], 2.0);
  EXPECT_EQ(states[2], -999);
}

TEST(Entropy, RenyiOrdersOfVectorsAndTables) {
  double uniform[4] = {1, 1, 1, 1};
  for (double a : {0.0, 0.5, 1.0, 2.0, 3.0}) EXPECT_NEAR(EntropyVector(4, uniform, a), std::log(4.0), 1e-14);
  double c[3] = {2, 1, 1};
  EXPECT_NEAR(EntropyVector(3, c, 1.0), 1.5 * LN2, 1e-14);
  EXPECT_NEAR(EntropyVector(3, c, 2.0), std::log(8.0 / 3.0), 1e-14);
  double one[2] = {5, 0};
  EXPECT_EQ(EntropyVector(2, one, 1.0), 0.0);
  EXPECT_FALSE(std::signbit(EntropyVector(2, one, 1.0)));

  // A diagonal table: every entropy ln 2, I = ln 2, D = 0, C = 1 at all orders.
  Table f{{2, 0}, {0, 2}};
  double hj[3], hc[3], hr[3], mi[3], d[3], co[3];
  ASSERT_EQ(AlphaSteps(1.0, 2.0, 0.5), 3);
  Entropy_MV(2, 2, *f, hj, hc, hr, mi, d, co, 1.0, 2.0, 0.5);
  for (int s = 0; s < 3; s++) {
    EXPECT_NEAR(hj[s] + hc[s] + hr[s], 3 * LN2, 1e-14);
    EXPECT_NEAR(mi[s], LN2, 1e-14);
    EXPECT_NEAR(d[s], 0.0, 1e-14);
    EXPECT_NEAR(co[s], 1.0, 1e-14);
  }
  // Shannon: mutual entropy = H_A + H_B - H_AB on an arbitrary table.
  Table g{{3, 1, 0}, {1, 2, 4}};
  EntropyMV(2, 3, *g, hj, hc, hr, 1.0, 1.0, 0.0);
  EXPECT_NEAR(MutualEntropyMV(2, 3, *g, 1.0), hr[0] + hc[0] - hj[0], 1e-14);
  const double dd = 1.0 - (hr[0] + hc[0] - hj[0]) / hj[0];
  EXPECT_NEAR(CoheCoefMV(2, 3, *g, 1.0), std::sqrt(1.0 - dd * dd), 1e-14);
}

// Identical entities with two equal states, and independent ones.
TEST(PairwiseInformation, IdenticalAndIndependentEntities) {
  Table same{{1, 1, 2, 2}, {1, 1, 2, 2}};
  Table indep{{1, 1, 2, 2}, {1, 2, 1, 2}};
  Square r(2);
  for (double a : {0.5, 1.0, 2.0}) {
    MutualEntropyPairwiseMV(2, 4, *same, *r, a);
    EXPECT_NEAR(r[0][1], LN2, 1e-14) << a;
    CoheCoefPairwiseMV(2, 4, *same, *r, a);
    EXPECT_NEAR(r[0][1], 1.0, 1e-14) << a;
    MutualEntropyPairwiseMV(2, 4, *indep, *r, a);
    EXPECT_NEAR(r[0][1], 0.0, 1e-15) << a;
  }
  MDISMV(2, 4, *same, *r);
  EXPECT_NEAR(r[0][1], 8.0 * LN2, 1e-13);  // 2 N I with N = 4
  QuiSquareMV(2, 4, *same, *r);
  EXPECT_NEAR(r[0][1], 4.0, 1e-14);
  CoheCoefPairwiseMV(2, 4, *indep, *r, 1.0);
  EXPECT_NEAR(r[0][1], 0.0, 1e-7);
  QuiSquareMV(2, 4, *indep, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-15);
  MDISMV(2, 4, *indep, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-14);
}

// Undefined terms are left out: never NaN.
TEST(PairwiseInformation, DegenerateTables) {
  Table constant{{1, 1, 1}, {2, 2, 2}};
  Square r(2);
  CoheCoefPairwiseMV(2, 3, *constant, *r, 1.0);
  EXPECT_EQ(r[0][1], 0.0);
  MutualEntropyPairwiseMV(2, 3, *constant, *r, 2.0);
  EXPECT_EQ(r[0][1], 0.0);
  // x state 3 only where y is missing: the chi-square of [[1,1],[1,0]], 3/4.
  Table margin{{1, 1, 2, 3}, {1, 2, 1, MV}};
  QuiSquareMV(2, 4, *margin, *r);
  EXPECT_NEAR(r[0][1], 0.75, 1e-14);
  Table none{{1, MV}, {MV, 2}};
  QuiSquareMV(2, 2, *none, *r);
  EXPECT_EQ(r[0][1], 0.0);
  MDISMV(2, 2, *none, *r);
  EXPECT_EQ(r[0][1], 0.0);
}

TEST(MutualInformation, HalfGOfTheTwoRowTable) {
  Table t{{2, 0, 1}, {1, 1, 1}};
  Square r(2);
  MutualInformationMV(2, 3, *t, *r);
  EXPECT_NEAR(r[0][1], std::log(64.0 / 27.0), 1e-14);
  EXPECT_NEAR(r[0][0], 0.0, 1e-14);

  Lcg g(5);
  const int n = 6, m = 9;
  Table u(n, m);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) u[i][k] = g.Uniform() < 0.2 ? (i == 2 ? MV : 0.0) : std::floor(10 * g.Uniform());
  Square s(n);
  MutualInformationMV(n, m, *u, *s);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) EXPECT_NEAR(s[i][j], HalfG(m, u[i], u[j]), 1e-12);
}

TEST(MutualInformation, ZeroTotalsAndMissingValues) {
  Table t{{0, 0, 0}, {1, 2, 3}, {0, 0, 0}};
  Square r(3);
  MutualInformationMV(3, 3, *t, *r);
  EXPECT_NEAR(r[0][1], 0.0, 1e-14);
  EXPECT_EQ(r[0][2], 0.0);
  EXPECT_FALSE(std::isnan(r[0][1]));
  // The missing attribute leaves the pair: I-divergence over attributes 1 and 3.
  Table u{{2, MV, 0}, {1, 5, 3}};
  Square s(2);
  IDivergenceMV(2, 3, *u, *s);
  EXPECT_NEAR(s[0][1], 2 * std::log(4.0 / 3.0) + std::log(2.0 / 3.0) + 3 * LN2, 1e-14);
  MutualInformationMV(2, 3, *u, *s);
  EXPECT_NEAR(s[0][1], HalfG(3, u[0], u[1]), 1e-14);
}

TEST(Triplets, ExclusiveOrAndIdenticalVariables) {
  // x, y, x xor y: independent in pairs, ln 2 jointly, at orders 1 and 2.
  Table t{{0, 0, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}};
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  MutualEntropyTripletsMV(3, 4, *t, r3, 1.0);
  EXPECT_NEAR(r3[0][1][2], LN2, 1e-14);
  EXPECT_EQ(r3[2][1][0], r3[0][1][2]);
  EXPECT_EQ(r3[1][2][0], r3[0][1][2]);
  EXPECT_EQ(r3[0][0][1], 0.0);
  MutualEntropyTripletsMV(3, 4, *t, r3, 2.0);
  EXPECT_NEAR(r3[1][0][2], LN2, 1e-14);
  // Three identical variables: p = 1/2 on two cells, q = 1: sum p ln p = -ln 2.
  Table same{{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
  MutualEntropyTripletsMV(3, 4, *same, r3, 1.0);
  EXPECT_NEAR(r3[0][1][2], -LN2, 1e-14);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
}

}  // namespace

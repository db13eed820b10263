// Gower's index on mixed attributes, worked by hand attribute by attribute.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "resemblance/QuantitativeMeasures.h"

namespace {

double Gower(Table& t, int* types, int cda, int i, int j, double* ranges = nullptr, double* w = nullptr) {
  Square r(t.n());
  GowerMVOpt(t.n(), t.m(), types, *t, *r, ranges, w, cda);
  EXPECT_EQ(r[j][i], r[i][j]);
  EXPECT_EQ(r[i][i], 1.0);
  return r[i][j];
}

// Quantitative (range 4), nominal, binary, ordinal (ranks 1..3, range 2).
TEST(Gower, MixedAttributesWithAndWithoutDoubleAbsences) {
  Table t{{1, 1, 1, 10}, {3, 1, 0, 20}, {5, 2, 0, 30}};
  int types[4] = {3, 2, 1, 4};
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 0, 1), (0.5 + 1.0 + 0.0 + 0.5) / 4.0);
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 1, 2), (0.5 + 0.0 + 0.5) / 3.0);  // double zero left out
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 0, 2), 0.0);
  EXPECT_DOUBLE_EQ(Gower(t, types, 1, 1, 2), (0.5 + 0.0 + 1.0 + 0.5) / 4.0);
  EXPECT_EQ(t[2][3], 30.0);  // the ordinal values of the table itself are kept
}

TEST(Gower, BinaryDoubleZeroRule) {
  int types[3] = {1, 1, 1};
  Table same{{0, 1}, {0, 1}};
  EXPECT_DOUBLE_EQ(Gower(same, types, 0, 0, 1), 1.0);
  EXPECT_DOUBLE_EQ(Gower(same, types, 1, 0, 1), 1.0);
  Table mism{{0, 1, 1}, {0, 1, 0}};
  EXPECT_DOUBLE_EQ(Gower(mism, types, 0, 0, 1), 1.0 / 2.0);
  EXPECT_DOUBLE_EQ(Gower(mism, types, 1, 0, 1), 2.0 / 3.0);
}

TEST(Gower, RangesMissingValuesTiesAndWeights) {
  int q[2] = {3, 3};
  Table constant{{5, 1}, {5, 3}};  // a constant attribute is a full match
  EXPECT_DOUBLE_EQ(Gower(constant, q, 0, 0, 1), 0.5);
  Table none{{MV, 1}, {2, MV}};  // nothing comparable: 0
  EXPECT_EQ(Gower(none, q, 0, 0, 1), 0.0);
  // Range over present values 1..5 = 4; ordinal 7,7,9 ranked 1.5,1.5,3.
  Table t{{1, 7, 2}, {MV, 7, 2}, {5, 9, MV}};
  int types[3] = {3, 4, 2};
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 0, 1), 1.0);
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 0, 2), 0.0);
  EXPECT_DOUBLE_EQ(Gower(t, types, 0, 1, 2), 0.0);
  Table u{{0, 1}, {2, 2}};
  int qn[2] = {3, 2};
  double ranges[2] = {8.0, 0.0}, weights[2] = {3.0, 1.0};
  EXPECT_DOUBLE_EQ(Gower(u, qn, 0, 0, 1, ranges, weights), 3.0 * (1.0 - 2.0 / 8.0) / 4.0);
}

}  // namespace

// Gower's index on mixed attributes, worked by hand attribute by attribute.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "resemblance/QuantitativeMeasures.h"

namespace {

// Attributes: quantitative (range 4), nominal, binary, ordinal (ranks 1..3, range 2).
TEST(Gower, MixedAttributesWithoutDoubleAbsences) {
  Table t{{1, 1, 1, 10}, {3, 1, 0, 20}, {5, 2, 0, 30}};
  int types[4] = {3, 2, 1, 4};
  Square r(3);
  GowerMVOpt(3, 4, types, *t, *r, nullptr, nullptr, 0);
  EXPECT_DOUBLE_EQ(r[0][1], (0.5 + 1.0 + 0.0 + 0.5) / 4.0);
  EXPECT_DOUBLE_EQ(r[1][2], (0.5 + 0.0 + 0.5) / 3.0);  // double zero ignored
  EXPECT_DOUBLE_EQ(r[0][2], 0.0);
  EXPECT_DOUBLE_EQ(r[2][1], r[1][2]);
  for (int i = 0; i < 3; i++) EXPECT_EQ(r[i][i], 1.0);
  // The table itself keeps its ordinal values.
  EXPECT_EQ(t[2][3], 30.0);
}

TEST(Gower, MixedAttributesCountingDoubleAbsences) {
  Table t{{1, 1, 1, 10}, {3, 1, 0, 20}, {5, 2, 0, 30}};
  int types[4] = {3, 2, 1, 4};
  Square r(3);
  GowerMVOpt(3, 4, types, *t, *r, nullptr, nullptr, 1);
  EXPECT_DOUBLE_EQ(r[1][2], (0.5 + 0.0 + 1.0 + 0.5) / 4.0);
  EXPECT_DOUBLE_EQ(r[0][1], 0.5);
}

TEST(Gower, BinaryDoubleZeroRule) {
  int types[3] = {1, 1, 1};
  Table same{{0, 1}, {0, 1}};
  Square r(2);
  GowerMVOpt(2, 2, types, *same, *r, nullptr, nullptr, 0);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0);
  GowerMVOpt(2, 2, types, *same, *r, nullptr, nullptr, 1);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0);
  Table mism{{0, 1, 1}, {0, 1, 0}};
  GowerMVOpt(2, 3, types, *mism, *r, nullptr, nullptr, 0);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0 / 2.0);
  GowerMVOpt(2, 3, types, *mism, *r, nullptr, nullptr, 1);
  EXPECT_DOUBLE_EQ(r[0][1], 2.0 / 3.0);
}

TEST(Gower, ConstantQuantitativeAttributeIsAFullMatch) {
  Table t{{5, 1}, {5, 3}};
  int types[2] = {3, 3};
  Square r(2);
  GowerMVOpt(2, 2, types, *t, *r, nullptr, nullptr, 0);
  EXPECT_DOUBLE_EQ(r[0][1], (1.0 + 0.0) / 2.0);
}

TEST(Gower, MissingValuesAndTiedOrdinalRanks) {
  // Quantitative range over present values 1..5 = 4; ordinal 7,7,9 -> ranks 1.5,1.5,3 (range 1.5).
  Table t{{1, 7, 2}, {MV, 7, 2}, {5, 9, MV}};
  int types[3] = {3, 4, 2};
  Square r(3);
  GowerMVOpt(3, 3, types, *t, *r, nullptr, nullptr, 0);
  EXPECT_DOUBLE_EQ(r[0][1], (1.0 + 1.0) / 2.0);
  EXPECT_DOUBLE_EQ(r[0][2], (0.0 + 0.0) / 2.0);
  EXPECT_DOUBLE_EQ(r[1][2], 0.0);
}

TEST(Gower, GivenRangesAndWeights) {
  Table t{{0, 1}, {2, 2}};
  int types[2] = {3, 2};
  double ranges[2] = {8.0, 0.0};
  double weights[2] = {3.0, 1.0};
  Square r(2);
  GowerMVOpt(2, 2, types, *t, *r, ranges, weights, 0);
  EXPECT_DOUBLE_EQ(r[0][1], 3.0 * (1.0 - 2.0 / 8.0) / 4.0);
}

TEST(Gower, NoComparableAttributeLeavesZero) {
  Table t{{MV, 1}, {2, MV}};
  int types[2] = {3, 3};
  Square r(2);
  GowerMVOpt(2, 2, types, *t, *r, nullptr, nullptr, 0);
  EXPECT_EQ(r[0][1], 0.0);
  EXPECT_EQ(r[1][0], 0.0);
}

}  // namespace

// Statistics helpers and the Gower standardizations, against textbook values.
#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/Statistics.h"
#include "transform/TableHelper.h"

TEST(Median, OddEvenMaskAndMissing) {
  double a[] = {3, 1, -999, 2};
  EXPECT_DOUBLE_EQ(Median(4, a, nullptr), 2.0);
  EXPECT_EQ(a[0], 3.0);  // the input keeps its order
  double b[] = {4, 1, 3, 2};
  EXPECT_DOUBLE_EQ(Median(4, b, nullptr), 2.5);
  int mask[] = {1, 0, 1, 0};
  EXPECT_DOUBLE_EQ(Median(4, b, mask), 3.5);
  double c[] = {-999};
  EXPECT_EQ(Median(1, c, nullptr), -999.0);
  // Without allocation, reordering the values: the same definition.
  double d[] = {0.5, -2, 7, 3, 3, 1};
  EXPECT_DOUBLE_EQ(MedianInPlace(6, d), 2.0);
  EXPECT_DOUBLE_EQ(MedianInPlace(5, d), Median(5, d, nullptr));
  double one[] = {4.25};
  EXPECT_EQ(MedianInPlace(1, one), 4.25);
  EXPECT_EQ(MedianInPlace(0, one), -999.0);
}

TEST(Moments, TextbookSampleAndConstantValues) {
  double x[] = {2, 4, 4, 4, 5, 5, 7, 9};
  double mean, sd;
  MeanStDev(8, x, &mean, &sd);
  EXPECT_DOUBLE_EQ(mean, 5.0);
  EXPECT_NEAR(sd, std::sqrt(32.0 / 7.0), 1e-12);
  EXPECT_NEAR(Moment(8, x, 2), 4.0, 1e-12);
  EXPECT_NEAR(Moment(8, x, 3), 42.0 / 8, 1e-12);  // (-27 - 1 - 1 - 1 + 8 + 64) / 8
  double c[] = {0.1, 0.1, 0.1};  // rounding must not give NaN
  MeanStDev(3, c, &mean, &sd);
  EXPECT_EQ(sd, 0.0);
  double m[] = {1, 2, -999, 3};
  EXPECT_DOUBLE_EQ(SumOfSquares(4, m), 14.0);
  EXPECT_DOUBLE_EQ(SumOfSquaresDev(4, m), 2.0);
}

TEST(MeanVector, RowsAndColumns) {
  Table t({{1, 2, 3}, {4, 6, 8}});
  double r[2], c[3];
  MeanVectorRows(2, 3, t.p(), r);
  MeanVectorCols(2, 3, t.p(), c);
  EXPECT_EQ(std::vector<double>(r, r + 2), (std::vector<double>{2, 6}));
  EXPECT_EQ(std::vector<double>(c, c + 3), (std::vector<double>{2.5, 4, 5.5}));
}

TEST(GowerStandardization, RowsAndColumnsReturnDivisor) {
  Table r({{3, 4}, {0, 0}});  // sum of squares 25 over nCols - 1 = 1
  EXPECT_NEAR(GowerStandardizationRows(2, 2, r.p()), 5.0, 1e-12);
  ExpectTable(r, {{.6, .8}, {0, 0}});
  Table c({{3, -999}, {4, 0}, {0, 0}});  // sum of squares 25 over nRows - 1 = 2
  double s = std::sqrt(12.5);
  EXPECT_NEAR(GowerStandardizationCols(3, 2, c.p()), s, 1e-12);
  ExpectTable(c, {{3 / s, -999}, {4 / s, 0}, {0, 0}});
}

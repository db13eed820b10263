#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/Statistics.h"
#include "transform/TableHelper.h"

TEST(Median, OddEvenMaskAndMissing) {
  double a[] = {3, 1, -999, 2};
  EXPECT_DOUBLE_EQ(Median(4, a, nullptr), 2.0);
  ExpectVector(a, {3, 1, -999, 2});
  double b[] = {4, 1, 3, 2};
  EXPECT_DOUBLE_EQ(Median(4, b, nullptr), 2.5);
  int mask[] = {1, 0, 1, 0};
  EXPECT_DOUBLE_EQ(Median(4, b, mask), 3.5);
  double c[] = {-999};
  EXPECT_EQ(Median(1, c, nullptr), -999.0);
}

TEST(MeanStDev, TextbookSample) {
  double x[] = {2, 4, 4, 4, 5, 5, 7, 9};
  double mean, sd;
  MeanStDev(8, x, &mean, &sd);
  EXPECT_DOUBLE_EQ(mean, 5.0);
  EXPECT_NEAR(sd, std::sqrt(32.0 / 7.0), 1e-12);
}

TEST(MeanStDev, ConstantValuesHaveZeroDeviationDespiteRounding) {
  double x[] = {0.1, 0.1, 0.1};
  double mean, sd;
  MeanStDev(3, x, &mean, &sd);
  EXPECT_NEAR(mean, 0.1, 1e-15);
  EXPECT_EQ(sd, 0.0);
}

TEST(Moment, CentralMomentsDivideByN) {
  double x[] = {2, 4, 4, 4, 5, 5, 7, 9};
  EXPECT_NEAR(Moment(8, x, 2), 4.0, 1e-12);
  // third central moment: (-27 - 1 - 1 - 1 + 0 + 0 + 8 + 64) / 8 = 42/8
  EXPECT_NEAR(Moment(8, x, 3), 42.0 / 8, 1e-12);
}

TEST(SumOfSquares, SkipMissing) {
  double x[] = {1, 2, -999, 3};
  EXPECT_DOUBLE_EQ(SumOfSquares(4, x), 14.0);
  EXPECT_DOUBLE_EQ(SumOfSquaresDev(4, x), 2.0);
}

TEST(MeanVector, RowsAndColumns) {
  Table t{{1, 2, 3}, {4, 6, 8}};
  double r[2], c[3];
  MeanVectorRows(2, 3, t.p(), r);
  MeanVectorCols(2, 3, t.p(), c);
  ExpectVector(r, {2, 6});
  ExpectVector(c, {2.5, 4, 5.5});
}

// ULP comparison, factorials, counting of nominal states and comparators.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "ZQLib/zqlibDim.h"

TEST(AlmostEqual2sComplement, NeighbouringFloatsAreEqual) {
  EXPECT_TRUE(AlmostEqual2sComplement(1.0, 1.0000001, 4));
  EXPECT_FALSE(AlmostEqual2sComplement(1.0, 1.001, 4));
  EXPECT_TRUE(AlmostEqual2sComplement(-1.0, -1.0000001, 1));
  EXPECT_TRUE(AlmostEqual2sComplement(2.5, 2.5, 1));
}

TEST(AlmostEqual2sComplement, CountsUnitsInTheLastPlace) {
  float a = 1000.0f, b = a;
  for (int k = 0; k < 4; k++) b = std::nextafter(b, 2000.0f);
  EXPECT_TRUE(AlmostEqual2sComplement(a, b, 4));
  EXPECT_FALSE(AlmostEqual2sComplement(a, b, 3));
  b = std::nextafter(b, 2000.0f);
  EXPECT_FALSE(AlmostEqual2sComplement(a, b, 4));
  EXPECT_FALSE(AlmostEqual2sComplement(b, a, 4));  // symmetric
}

TEST(AlmostEqual2sComplement, SignsAndZero) {
  EXPECT_TRUE(AlmostEqual2sComplement(0.0, -0.0, 1));
  // The smallest positive and negative subnormals straddle zero: two units apart.
  float tiny = std::nextafter(0.0f, 1.0f);
  EXPECT_TRUE(AlmostEqual2sComplement(tiny, -tiny, 2));
  EXPECT_FALSE(AlmostEqual2sComplement(tiny, -tiny, 1));
  EXPECT_FALSE(AlmostEqual2sComplement(1.0, -1.0, 4 * 1024 * 1024 - 1));
  EXPECT_FALSE(AlmostEqual2sComplement(-3.0, 3.0, 1));
}

TEST(AlmostEqual2sComplement, RoundsToSinglePrecisionFirst) {
  // Distinct doubles that round to the same float are equal within one unit.
  EXPECT_TRUE(AlmostEqual2sComplement(0.1, 0.1 + 1e-12, 1));
}

TEST(Factorial, SmallValues) {
  EXPECT_EQ(Factorial(0), 1.0L);
  EXPECT_EQ(Factorial(1), 1.0L);
  EXPECT_EQ(Factorial(5), 120.0L);
  EXPECT_EQ(Factorial(10), 3628800.0L);
  EXPECT_EQ(Factorial(20), 2432902008176640000.0L);
}

TEST(CountStates, MissingIgnoredZeroCounted) {
  double x[] = {0, 2, 2, -999};
  EXPECT_EQ(CountStates(4, x), 2);
  int states[4] = {-1, -1, -1, -1};
  EXPECT_EQ(CountStates(4, x, states), 2);
  EXPECT_EQ(states[0], 2);  // states from 1 upward, then 0
  EXPECT_EQ(states[1], 0);
}

TEST(CountStates, ValuesAreTruncated) {
  double x[] = {3.9, 1.2, 1.0, 2.5, 3.0};
  int states[5] = {0};
  EXPECT_EQ(CountStates(5, x, states), 3);
  EXPECT_EQ(states[0], 1);
  EXPECT_EQ(states[1], 2);
  EXPECT_EQ(states[2], 3);
}

TEST(CountStates, NothingPresent) {
  double x[] = {-999, -999};
  EXPECT_EQ(CountStates(2, x), 0);
  EXPECT_EQ(CountStates(0, x), 0);
}

TEST(Comparators, SortAscendingAndDescending) {
  int a[] = {5, -2, 9, 0};
  std::qsort(a, 4, sizeof(int), compareInt);
  EXPECT_EQ(a[0], -2);
  EXPECT_EQ(a[3], 9);
  double d[] = {0.5, -1.5, 2.25, 0.5};
  std::qsort(d, 4, sizeof(double), compareDouble);
  EXPECT_EQ(d[0], -1.5);
  EXPECT_EQ(d[3], 2.25);
  std::qsort(d, 4, sizeof(double), compareDoubleDecreasing);
  EXPECT_EQ(d[0], 2.25);
  EXPECT_EQ(d[3], -1.5);
  double x = 1, y = 2;
  EXPECT_EQ(compareDouble(&x, &y), -1);
  EXPECT_EQ(compareDouble(&y, &x), 1);
  EXPECT_EQ(compareDouble(&x, &x), 0);
  EXPECT_EQ(Fmax(2, 3), 3);
  EXPECT_EQ(Fmin(2.5, -1.0), -1.0);
}

// ULP comparison, factorials, counting of nominal states and comparators.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "ZQLib/zqlibDim.h"

// Values first rounded to single precision, then compared by their distance
// in units in the last place (neighbours of 1000.0f counted with nextafter).
TEST(AlmostEqual2sComplement, UnitsInTheLastPlace) {
  float far = 1000.0f, near4 = far;
  for (int k = 0; k < 4; k++) near4 = std::nextafter(near4, 2000.0f);
  const float tiny = std::nextafter(0.0f, 1.0f);
  struct {
    double a, b;
    int ulps;
    bool equal;
  } cases[] = {
      {1.0, 1.0000001, 4, true},  {1.0, 1.001, 4, false},        {-1.0, -1.0000001, 1, true},
      {2.5, 2.5, 1, true},        {far, near4, 4, true},         {far, near4, 3, false},
      {near4, far, 3, false},     {0.0, -0.0, 1, true},          {tiny, -tiny, 2, true},
      {tiny, -tiny, 1, false},    {1.0, -1.0, 4 * 1024 * 1024 - 1, false},
      {0.1, 0.1 + 1e-12, 1, true},  // distinct doubles, same float
  };
  for (const auto& c : cases) EXPECT_EQ(AlmostEqual2sComplement(c.a, c.b, c.ulps), c.equal) << c.a << " " << c.b;
}

TEST(Factorial, SmallValues) {
  EXPECT_EQ(Factorial(0), 1.0L);
  EXPECT_EQ(Factorial(1), 1.0L);
  EXPECT_EQ(Factorial(5), 120.0L);
  EXPECT_EQ(Factorial(10), 3628800.0L);
  EXPECT_EQ(Factorial(20), 2432902008176640000.0L);
}

// States are truncated values; -999 is no state; the list holds the states
// from 1 upward and then 0 when it occurs, the order the nominal expansion uses.
TEST(CountStates, CountAndList) {
  double x[] = {0, 2, 2, -999};
  int states[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(CountStates(4, x), 2);
  EXPECT_EQ(CountStates(4, x, states), 2);
  EXPECT_EQ(states[0], 2);
  EXPECT_EQ(states[1], 0);
  double y[] = {3.9, 1.2, 1.0, 2.5, 3.0};
  EXPECT_EQ(CountStates(5, y, states), 3);
  EXPECT_EQ(states[0] * 100 + states[1] * 10 + states[2], 123);
  double none[] = {-999, -999};
  EXPECT_EQ(CountStates(2, none), 0);
  EXPECT_EQ(CountStates(0, none), 0);
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
  EXPECT_EQ(Fmax(2, 3), 3);
  EXPECT_EQ(Fmin(2.5, -1.0), -1.0);
}

// Interpolation onto a regular scale: the new scale (whole numbers, and times
// or intervals that are not), linear values between units, the floor at
// 0.00001, equal times, missing values; undefined rates of change. (The
// worked examples at times that are or are not whole numbers, and of rates of
// change: option Y's end-to-end test.)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ZQLib/MissingValue.h"
#include "dynamics/Interpolation.h"
#include "dynamics/RatesOfChange.h"
#include "support/TestMatrix.h"

namespace {

std::vector<double> Column(const TestMatrix& m, int j) {
  std::vector<double> v;
  for (int i = 0; i < m.rows; i++) v.push_back(m[i][j]);
  return v;
}

TEST(InterpolationScale, UnitCountAndTimes) {
  struct Case {
    std::vector<double> times;
    double interval;
    double count;
    bool whole;
  };
  const Case cases[] = {
      {{0, 10, 20}, 5, 5, true},         // the worked example: 0 5 10 15 20
      {{0, 10, 20}, 7, 3, true},         // 0 7 14 (20 not reached)
      {{3, 4}, 10, 1, true},             // interval longer than the span
      {{5, 5, 5}, 1, 1, true},           // all at one time
      {{0, 0.1, 0.3}, 0.1, 4, false},    // 0.3 / 0.1 falls short of 3 by rounding only
      {{1.5, 2.5, 4}, 0.5, 6, false},
      {{-4, 0, 2}, 2, 4, true},
  };
  for (const Case& c : cases) {
    const int n = static_cast<int>(c.times.size());
    EXPECT_EQ(InterpolatedUnitCount(n, c.times.data(), c.interval), c.count) << c.times[n - 1] << " " << c.interval;
    EXPECT_EQ(WholeNumberScale(n, c.times.data(), c.interval), c.whole);
    const std::vector<double> t = InterpolationTimes(c.times.data(), c.interval, static_cast<int>(c.count));
    for (size_t k = 0; k < t.size(); k++) EXPECT_DOUBLE_EQ(t[k], c.times[0] + k * c.interval);
  }
  const double tiny[] = {0, 1e9};
  EXPECT_GT(InterpolatedUnitCount(2, tiny, 1e-3), kMaxInterpolatedUnits);
}

TEST(InterpolationScale, FirstDecreasingTime) {
  const double up[] = {0, 1, 1, 5};
  const double down[] = {0, 2, 1, 5};
  EXPECT_EQ(FirstDecreasingTime(4, up), -1);
  EXPECT_EQ(FirstDecreasingTime(4, down), 2);
  EXPECT_EQ(FirstDecreasingTime(1, up), -1);
}

TEST(Interpolate, WorkedExampleAndFloor) {
  // Times 0, 10, 20, interval 5: 0, 10, 40 becomes 0, 5, 10, 25, 40; a
  // variable going 1, -2, 3 gives 1, -0.5 -> 0, -2 -> 0, 0.5, 3.
  TestMatrix data(3, 3, {0, 1, 0.00003, 10, -2, 0, 40, 3, 0});
  const double times[] = {0, 10, 20};
  const std::vector<double> newTimes = InterpolationTimes(times, 5, 5);
  TestMatrix out(5, 3);
  Interpolate(3, 3, data, times, 5, newTimes.data(), out);
  EXPECT_EQ(Column(out, 0), (std::vector<double>{0, 5, 10, 25, 40}));
  EXPECT_EQ(Column(out, 1), (std::vector<double>{1, 0, 0, 0.5, 3}));
  // 0.00003 at t = 0, 0.000015 at t = 5: not below the floor; 0 after.
  EXPECT_DOUBLE_EQ(out[0][2], 0.00003);
  EXPECT_DOUBLE_EQ(out[1][2], 0.000015);
  EXPECT_EQ(out[2][2], 0.0);
}

TEST(Interpolate, EqualTimesContinueFromTheLastUnit) {
  // Units at 0, 10, 10, 20 with values 0, 10, 100, 120: the value at 10 is
  // the first unit's (10); from 10 the series goes on from 100 to 120.
  TestMatrix data(4, 1, {0, 10, 100, 120});
  const double times[] = {0, 10, 10, 20};
  const double at[] = {5, 10, 15, 20, 25};
  TestMatrix out(5, 1);
  Interpolate(4, 1, data, times, 5, at, out);
  EXPECT_EQ(Column(out, 0), (std::vector<double>{5, 10, 110, 120, 120}));
}

TEST(Interpolate, MissingValuesStayMissing) {
  TestMatrix data(3, 2, {1, MISSING_VALUE, MISSING_VALUE, 4, 3, 8});
  const double times[] = {0, 2, 4};
  const double at[] = {0, 1, 2, 3, 4};
  TestMatrix out(5, 2);
  Interpolate(3, 2, data, times, 5, at, out);
  EXPECT_EQ(Column(out, 0), (std::vector<double>{1, MISSING_VALUE, MISSING_VALUE, MISSING_VALUE, 3}));
  EXPECT_EQ(Column(out, 1), (std::vector<double>{MISSING_VALUE, MISSING_VALUE, 4, 6, 8}));
}

TEST(RatesOfChange, UndefinedRatesAndShortSeries) {
  // Decreasing times are taken in absolute value; a zero time difference and
  // a missing resemblance give undefined velocities, and their accelerations
  // are undefined too.
  TestMatrix R(5, 5);
  R[0][1] = 3;
  R[1][2] = 4;
  R[2][3] = MISSING_VALUE;
  R[3][4] = 1;
  const double times[] = {4, 1, 1, 2, 4};
  const RatesOfChange r = ComputeRatesOfChange(5, times, R);
  EXPECT_EQ(r.velocity, (std::vector<double>{1, kUndefinedRate, kUndefinedRate, 0.5}));
  EXPECT_EQ(r.acceleration, (std::vector<double>{kUndefinedRate, kUndefinedRate, kUndefinedRate}));
  EXPECT_EQ(r.undefined, 5);

  const RatesOfChange two = ComputeRatesOfChange(2, times + 2, R);
  EXPECT_EQ(two.velocity.size(), 1u);
  EXPECT_TRUE(two.acceleration.empty());
  EXPECT_TRUE(ComputeRatesOfChange(1, times, R).velocity.empty());
}

}  // namespace

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

TEST(Interpolate, LinearValuesFloorEqualTimesAndMissingValues) {
  const double M = MISSING_VALUE;
  struct Case {
    const char* name;
    int n, p;
    std::vector<double> data, times, at;
    std::vector<std::vector<double>> columns;
  } cases[] = {
      // 1, -2, 3 at 0, 10, 20 read at 0, 5, 10, 15, 20: 1, -0.5 -> 0, -2 -> 0,
      // 0.5, 3. 0.00003 at 0, 0.000015 at 5: not below the floor 0.00001.
      {"worked example and floor", 3, 3, {0, 1, 0.00003, 10, -2, 0, 40, 3, 0}, {0, 10, 20}, {0, 5, 10, 15, 20},
       {{0, 5, 10, 25, 40}, {1, 0, 0, 0.5, 3}, {0.00003, 0.000015, 0, 0, 0}}},
      // At 10 the first unit's value; from 10 the series goes on from 100.
      {"equal times", 4, 1, {0, 10, 100, 120}, {0, 10, 10, 20}, {5, 10, 15, 20, 25}, {{5, 10, 110, 120, 120}}},
      {"missing values", 3, 2, {1, M, M, 4, 3, 8}, {0, 2, 4}, {0, 1, 2, 3, 4},
       {{1, M, M, M, 3}, {M, M, 4, 6, 8}}},
  };
  for (const Case& c : cases) {
    TestMatrix data(c.n, c.p), out(5, c.p);
    for (int k = 0; k < c.n * c.p; k++) data[k / c.p][k % c.p] = c.data[k];
    Interpolate(c.n, c.p, data, c.times.data(), 5, c.at.data(), out);
    for (int j = 0; j < c.p; j++) {
      const std::vector<double> got = Column(out, j);
      for (int i = 0; i < 5; i++) EXPECT_DOUBLE_EQ(got[i], c.columns[j][i]) << c.name << " " << i << "," << j;
    }
  }
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

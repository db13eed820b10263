// Rates of change of one data set relative to another along serially
// ordered sampling units: the velocity between consecutive units is the
// resemblance in the first data set divided by the resemblance in the second
// (the reference), the acceleration the change of velocity per mean
// reference step.
#pragma once
#include <vector>

struct RatesBetweenSets {
  std::vector<double> velocityScale;      // n-1: midpoint of consecutive reference values
  std::vector<double> velocity;           // n-1: D1(i,i+1) / D2(i,i+1)
  std::vector<double> accelerationScale;  // n-2: mean of three consecutive reference values
  std::vector<double> acceleration;       // n-2: (v(i+1) - v(i)) / mean(D2(i,i+1), D2(i+1,i+2)); undefined
                                          // when that mean is not positive or either velocity is undefined
};

// The value given to a rate whose divisor is not positive (the largest float).
constexpr double kUndefinedSetRate = 3.4028234663852886e38;

// D1, D2: n x n resemblance matrices of the same units (entries (i, i+1)
// read); reference: n values of the reference variable.
RatesBetweenSets ComputeRatesBetweenSets(int n, const double* const* D1, const double* const* D2, const double* reference);

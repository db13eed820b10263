// Rates of change of a serially ordered system: how fast it changes between
// consecutive sampling units (velocity, the resemblance of the two units over
// the time between them) and how fast that speed changes (acceleration).
#pragma once

#include <vector>

// Stands for a rate that is not defined (no time between the units, or no
// resemblance between them): the largest float.
constexpr double kUndefinedRate = 3.4028234663852886e38;

struct RatesOfChange {
  std::vector<double> velocityTimes;      // n-1: (t[i] + t[i+1]) / 2
  std::vector<double> velocity;           // n-1: R[i][i+1] / |t[i+1] - t[i]|
  std::vector<double> accelerationTimes;  // n-2: (t[i] + t[i+1] + t[i+2]) / 3
  std::vector<double> acceleration;       // n-2: (v[i+1] - v[i]) / ((dt[i] + dt[i+1]) / 2)
  int undefined = 0;                      // velocities and accelerations equal to kUndefinedRate
};

// times: n positions in table order (any order; differences are taken in
// absolute value). rese: n x n resemblance between the units, the entries
// [i][i+1] read. A zero time difference, or a missing resemblance (-999),
// makes the velocity undefined; an acceleration is undefined when its
// interval is zero or either of its velocities is.
RatesOfChange ComputeRatesOfChange(int n, const double* times, const double* const* rese);

// Velocities and accelerations between consecutive sampling units.
#include "ordination/RateOfChange.h"

RatesBetweenSets ComputeRatesBetweenSets(int n, const double* const* D1, const double* const* D2, const double* reference) {
  RatesBetweenSets r;
  for (int i = 0; i + 1 < n; i++) {
    const double d2 = D2[i][i + 1];
    r.velocity.push_back(d2 <= 0.0 ? kUndefinedSetRate : D1[i][i + 1] / d2);
    r.velocityScale.push_back((reference[i] + reference[i + 1]) / 2.0);
  }
  for (int i = 0; i + 2 < n; i++) {
    const double m = (D2[i][i + 1] + D2[i + 1][i + 2]) / 2.0;
    const double v0 = r.velocity[i], v1 = r.velocity[i + 1];
    const bool defined = m > 0.0 && v0 != kUndefinedSetRate && v1 != kUndefinedSetRate;
    r.acceleration.push_back(defined ? (v1 - v0) / m : kUndefinedSetRate);
    r.accelerationScale.push_back((reference[i] + reference[i + 1] + reference[i + 2]) / 3.0);
  }
  return r;
}

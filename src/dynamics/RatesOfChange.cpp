// Velocities and accelerations between consecutive sampling units.
#include "dynamics/RatesOfChange.h"

#include <cmath>

#include "ZQLib/MissingValue.h"

RatesOfChange ComputeRatesOfChange(int n, const double* times, const double* const* rese) {
  RatesOfChange r;
  if (n < 2) return r;
  std::vector<double> dt(static_cast<size_t>(n - 1));
  for (int i = 0; i + 1 < n; i++) {
    dt[i] = std::fabs(times[i + 1] - times[i]);
    const double s = rese[i][i + 1];
    const bool defined = dt[i] > 0.0 && !IsMissing(s);
    r.velocity.push_back(defined ? s / dt[i] : kUndefinedRate);
    r.velocityTimes.push_back((times[i] + times[i + 1]) / 2.0);
    if (!defined) r.undefined++;
  }
  for (int i = 0; i + 2 < n; i++) {
    const double d = (dt[i] + dt[i + 1]) / 2.0;
    const double v0 = r.velocity[i], v1 = r.velocity[i + 1];
    const bool defined = d > 0.0 && v0 != kUndefinedRate && v1 != kUndefinedRate;
    r.acceleration.push_back(defined ? (v1 - v0) / d : kUndefinedRate);
    r.accelerationTimes.push_back((times[i] + times[i + 1] + times[i + 2]) / 3.0);
    if (!defined) r.undefined++;
  }
  return r;
}

// Velocities and accelerations between consecutive sampling units.
#include "ordination/RateOfChange.h"

RatesOfChange ComputeRatesOfChange(int n, const double* const* D1, const double* const* D2, const double* reference) {
  RatesOfChange r;
  for (int i = 0; i + 1 < n; i++) {
    const double d2 = D2[i][i + 1];
    r.velocity.push_back(d2 <= 0.0 ? kUndefinedRate : D1[i][i + 1] / d2);
    r.velocityScale.push_back((reference[i] + reference[i + 1]) / 2.0);
  }
  for (int i = 0; i + 2 < n; i++) {
    const double m = (D2[i][i + 1] + D2[i + 1][i + 2]) / 2.0;
    r.acceleration.push_back(m <= 0.0 ? kUndefinedRate : (r.velocity[i + 1] - r.velocity[i]) / m);
    r.accelerationScale.push_back((reference[i] + reference[i + 1] + reference[i + 2]) / 3.0);
  }
  return r;
}

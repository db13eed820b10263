// Bartlett's u statistic and its chi-square probability.
#include "ordination/Bartlett.h"

#include <gsl/gsl_cdf.h>

#include <cmath>

namespace {
// Stand-in for a non-positive eigenvalue: 1e-10, and its natural logarithm.
constexpr double kTiny = 1e-10;
constexpr double kLogTiny = -23.025850929940457;
}  // namespace

double Bartlett_u(int rank, int k, const double* eig, int n, int p) {
  double sum = 0.0, logs = 0.0;
  // Eigenvalues beyond the rank are zero up to rounding: whatever sign the
  // rounding gave them, they take the stand-in, so u does not depend on noise.
  for (int i = k - 1; i < p; i++) {
    if (i < rank && eig[i] > 0.0) {
      sum += eig[i];
      logs += std::log(eig[i]);
    } else {
      sum += eig[i] + kTiny;
      logs += kLogTiny;
    }
  }
  const int m = p - k + 1;
  const double mean = sum / m;
  const double first = mean > 0.0 ? m * std::log(mean) : 0.0;
  return (first - logs) * (n - (2.0 * p + 11.0) / 6.0);
}

double Bartlett_uProb(int rank, int k, const double* eig, int n, int p) {
  const int df = ((rank - k + 3) * (rank - k)) / 2;
  if (df <= 0) return 1.0;
  return gsl_cdf_chisq_Q(Bartlett_u(rank, k, eig, n, p), df);
}

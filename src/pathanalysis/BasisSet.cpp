// Basis-set size, Fisher's C and AICc.
#include "pathanalysis/BasisSet.h"

#include <gsl/gsl_cdf.h>

#include <cmath>

int64_t BasisSetSize(int64_t variables, int64_t paths) { return variables * (variables - 1) / 2 - paths; }

int64_t LargestPathsLeavingATest(int64_t variables) { return variables * (variables - 1) / 2 - 1; }

int64_t LargestBlockBasisSetSize(int64_t blocks) { return blocks * (blocks - 1) / 2 - (blocks - 1); }

FisherCTest FisherC(const std::vector<double>& probabilities) {
  FisherCTest t;
  double sum = 0.0;
  for (double p : probabilities) sum += std::log(p);
  t.C = -2.0 * sum;
  t.degreesOfFreedom = 2 * static_cast<int>(probabilities.size());
  t.probability = probabilities.empty() ? 1.0 : gsl_cdf_chisq_Q(t.C, t.degreesOfFreedom);
  return t;
}

double AICc(double C, int K, int n) {
  const double k = K, units = n;
  return C + 2.0 * k * units / (units - k - 1.0);
}

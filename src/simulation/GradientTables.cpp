// Random tables structured by gradients of linear or unimodal responses.
#include "simulation/GradientTables.h"

#include <gsl/gsl_randist.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
constexpr double kLargestMeanCount = 1e9;
}  // namespace

void CheckGradientModel(const GradientModel& m) {
  if (m.units < 1 || m.variables < 1) throw std::invalid_argument("gradient table: at least one unit and one variable");
  if (m.Gradients() > kMaxGradients) throw std::invalid_argument("gradient table: at most 5 gradients");
  for (double s : m.strength)
    if (!std::isfinite(s) || s < 0.0) throw std::invalid_argument("gradient table: strength negative or not finite");
  if (!std::isfinite(m.noise) || m.noise < 0.0) throw std::invalid_argument("gradient table: noise negative or not finite");
  if (m.kind == ResponseKind::UNIMODAL && !(std::isfinite(m.maxCount) && m.maxCount > 0.0))
    throw std::invalid_argument("gradient table: the maximum expected count must be positive");
}

GradientTableGenerator::GradientTableGenerator(const GradientModel& model) : model_(model) {
  CheckGradientModel(model);
  const int g = model.Gradients();
  positions_.Resize(g, model.units);
  traits_.Resize(g, model.variables);
}

void GradientTableGenerator::Generate(gsl_rng* rng, double** table) {
  const int n = model_.units, p = model_.variables, g = model_.Gradients();
  const bool linear = model_.kind == ResponseKind::LINEAR;
  const double sigma = model_.noise;
  for (int k = 0; k < g; k++)
    for (int i = 0; i < n; i++)
      positions_[k][i] = linear ? gsl_ran_gaussian(rng, 1.0) : model_.strength[k] * gsl_rng_uniform(rng);
  for (int k = 0; k < g; k++)
    for (int j = 0; j < p; j++)
      traits_[k][j] = linear ? gsl_ran_gaussian(rng, 1.0) : model_.strength[k] * gsl_rng_uniform(rng);

  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) {
      if (linear) {
        double x = 0.0;
        for (int k = 0; k < g; k++) x += model_.strength[k] * positions_[k][i] * traits_[k][j];
        if (sigma > 0.0) x += sigma * gsl_ran_gaussian(rng, 1.0);
        table[i][j] = x;
      } else {
        double d2 = 0.0;
        for (int k = 0; k < g; k++) {
          const double d = positions_[k][i] - traits_[k][j];
          d2 += d * d;
        }
        double mu = model_.maxCount * std::exp(-0.5 * d2);
        if (sigma > 0.0) mu *= std::exp(sigma * gsl_ran_gaussian(rng, 1.0) - 0.5 * sigma * sigma);
        // Counts are drawn as unsigned ints: a mean is held below their range.
        table[i][j] = static_cast<double>(gsl_ran_poisson(rng, std::min(mu, kLargestMeanCount)));
      }
    }
}

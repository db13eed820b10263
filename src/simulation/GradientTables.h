// Random tables of sampling units by variables structured by a known number
// of gradients: the data sets on which the random data generator (letter U)
// compares the criteria for the number of ordination dimensions.
//
// Each of the g gradients (0 to 5) places the n units and the p variables:
//  - linear responses: unit positions z(i,k) and variable loadings b(j,k)
//    standard normal; x(i,j) = sum_k s_k z(i,k) b(j,k) + noise e(i,j), e
//    standard normal. The strength s_k is the standard deviation of the
//    gradient's effect; without noise the table has rank g (for g below n
//    and p), and so has any centring or standardization of its columns.
//  - unimodal (Gaussian) responses with counts: unit positions and variable
//    optima uniform on [0, L_k], L_k the gradient's length (its strength) in
//    tolerances of the responses (every tolerance 1); the expected count
//    mu(i,j) = h exp(-sum_k (z(i,k) - o(j,k))^2 / 2), h the maximum expected
//    count; with noise sigma it is multiplied by exp(sigma e - sigma^2 / 2)
//    (log-normal variation of mean 1, e standard normal), and the count is a
//    Poisson draw from it (a mean beyond 1e9 taken as 1e9). With no gradient
//    every mean is h.
//
// Draws, in this order from the generator given: the positions (gradient by
// gradient, unit by unit), the loadings or optima (gradient by gradient,
// variable by variable), then the cells unit by unit, variable by variable
// (the normal noise draw only when the noise level is positive). A generator
// in the same state gives the same table.
#pragma once
#include <gsl/gsl_rng.h>

#include <vector>

#include "ZQLib/Matrix.h"

enum class ResponseKind { LINEAR = 1, UNIMODAL = 2 };

constexpr int kMaxGradients = 5;

struct GradientModel {
  int units = 0;                  // n
  int variables = 0;              // p
  ResponseKind kind = ResponseKind::LINEAR;
  std::vector<double> strength;   // one per gradient (0 to kMaxGradients of them), not negative
  double noise = 0.0;             // not negative
  double maxCount = 0.0;          // h, unimodal responses (positive)

  int Gradients() const { return static_cast<int>(strength.size()); }
};

// Throws std::invalid_argument when the model cannot be simulated (fewer than
// one unit or variable, more than kMaxGradients gradients, a negative or
// non-finite strength or noise, a maximum count that is not positive for
// unimodal responses).
void CheckGradientModel(const GradientModel& model);

// Work tables of one thread, made once for a model.
class GradientTableGenerator {
 public:
  explicit GradientTableGenerator(const GradientModel& model);
  // Fills table (units x variables) from rng.
  void Generate(gsl_rng* rng, double** table);
  const GradientModel& model() const { return model_; }

 private:
  GradientModel model_;
  Matrix positions_;  // gradients x units
  Matrix traits_;     // gradients x variables: loadings or optima
};

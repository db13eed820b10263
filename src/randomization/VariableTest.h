// The randomization test comparing variables: every variable's values are
// permuted independently over the sampling units (under the permutation
// restrictions), each random data set goes through the user's own
// transformation and resemblance measure, and every pair of variables counts
// the random resemblances at least as large in absolute value as the
// observed one. Also the random data set that the triplet test shares.
#pragma once
#include <gsl/gsl_rng.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationRunner.h"
#include "randomization/PermutationRestrictions.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

struct VariableTestInput {
  int nObj = 0, nVar = 0;
  const double* const* data = nullptr;      // nObj x nVar, before any transformation (random data are drawn from it)
  const double* const* observed = nullptr;  // nVar x nVar resemblance of the observed data set
  TransformChoice transform;                // applied to every random data set
  ResemblanceChoice resemblance;            // then computed on it; direction 2 (comparing variables)
  PermutationRestrictions restrictions;
  int nPermutations = 1;                    // N: the observed data set counts as the first
  int maxThreads = 0;                       // 0: the session limit
};

// A random data set on which the user's transformation or resemblance measure
// is undefined (e.g. a singular covariance matrix for Mahalanobis).
class RandomDataRefused : public std::runtime_error {
 public:
  RandomDataRefused(int permutation, bool inTransformation)
      : std::runtime_error("random data set refused"), permutation(permutation), inTransformation(inTransformation) {}
  int permutation;        // 2..N
  bool inTransformation;  // else in the resemblance measure
};

// The refused random data set with the lowest permutation number among those
// evaluated, whichever thread met it: the test reports the refusal the
// sequential stream would meet first.
class FirstRefusal {
 public:
  void Keep(const RandomDataRefused& e);
  // A refusal was kept for a permutation before this one.
  bool Before(int permutation) const { return code_.load(std::memory_order_relaxed) < Code(permutation, false); }
  // Throws the refusal kept, if any.
  void ThrowIfAny() const;

 private:
  static int64_t Code(int permutation, bool inTransformation) {
    return int64_t{permutation} * 2 + (inTransformation ? 0 : 1);
  }
  std::atomic<int64_t> code_{INT64_MAX};
};

// The work tables of one thread: the random data set built from permutation
// lists, its transformed copy and its resemblance matrix. Allocated once.
class PermutedDataSet {
 public:
  explicit PermutedDataSet(const VariableTestInput& in);
  // Variable j takes the values of in.data in the order of lists + j * nObj
  // (1-based units); then the transformation and the measure. Throws
  // RandomDataRefused (with `permutation`) when either is undefined.
  void Compute(int permutation, const int* lists);
  const double* const* Raw() const { return raw_.data(); }
  const double* const* Transformed() const { return transform_ ? transformed_.data() : raw_.data(); }
  const double* const* Rese() const { return rese_.data(); }

 private:
  const VariableTestInput* in_;
  bool transform_;
  Matrix raw_, transformed_, rese_;
};

// Called for every random data set when its data and results are to be
// saved: permutation number (2..N), the random data before transformation and
// their resemblance matrix. The run then keeps to one thread, in order.
using VariableTestObserver =
    std::function<void(int permutation, const double* const* randomData, const double* const* randomRese)>;

struct VariableTestResult {
  // nVar x nVar, symmetric: (1 + random data sets with |Lambda random| >=
  // |Lambda observed|) / N for each pair; 1 on the diagonal. A pair whose
  // observed resemblance is undefined (the missing code) gets the missing
  // code; an undefined random value never counts.
  Matrix probability;
  int threads = 1;
};

// Draws each iteration's nVar lists from rng in iteration order and variable
// order, evaluates the random data sets in parallel; the same probabilities
// for a given generator state at any number of threads. Throws
// std::invalid_argument for restrictions that do not fit the table, and
// RandomDataRefused for the first random data set (in permutation order) on
// which the transformation or the measure is undefined.
VariableTestResult RandomizationTestVariables(const VariableTestInput& in, gsl_rng* rng,
                                              const ProgressHook& progress = {},
                                              const VariableTestObserver& observer = {});

// The table of results as it is printed: the observed resemblance below the
// main diagonal and on it, the probabilities above it.
Matrix VariableTestTable(int nVar, const double* const* observed, const Matrix& probability);

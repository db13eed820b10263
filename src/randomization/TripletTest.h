// The randomization test of the mutual entropy of variable triplets: the
// random data sets of the test comparing variables (each variable permuted
// freely and independently, then the user's transformation), on which the
// mutual entropy of every triplet of variables and the mutual entropy of every
// pair conditional to a third variable are compared with the observed ones.
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <vector>

#include "randomization/VariableTest.h"

// Entropies in nats: for a < b < c, the triplet value T(a,b,c)
// (ResemblanceLibTriplets); for a < b and a third variable c, the pairwise
// value conditional to c, I(a,b) + T(a,b,c).
struct TripletValue {
  int a, b, c;         // 0-based variables
  double value;        // observed
  double probability;  // (1 + random data sets with value >= observed) / N
};

struct TripletTestResult {
  std::vector<TripletValue> triplets;     // a < b < c, in lexicographic order
  std::vector<TripletValue> conditional;  // a < b, then c (c not a or b), in lexicographic order
  int threads = 1;
};

// Per random data set to be saved (one thread, in order): permutation number
// (2..N), the random data before transformation, their pairwise resemblance
// and their triplet values (nVar x nVar x nVar).
using TripletTestObserver = std::function<void(int permutation, const double* const* randomData,
                                               const double* const* randomRese,
                                               const double* const* const* randomTriplets)>;

// in.resemblance must be the mutual entropy (measure 7) comparing variables;
// in.observed holds the observed pairwise values and observedTriplets the
// observed triplet values (nVar x nVar x nVar). in.restrictions are used as
// given (the menu passes none). Counts random values >= observed (no
// absolute values); an undefined random value never counts.
TripletTestResult RandomizationTestTriplets(const VariableTestInput& in, const double* const* const* observedTriplets,
                                            gsl_rng* rng, const ProgressHook& progress = {},
                                            const TripletTestObserver& observer = {});

// An n x n x n table of doubles addressed [a][b][c], owning its storage.
class TripletTable {
 public:
  explicit TripletTable(int n);
  TripletTable(TripletTable&& other) noexcept = default;
  TripletTable& operator=(TripletTable&&) noexcept = default;
  double*** data() { return planes_.data(); }
  const double* const* const* data() const { return planes_.data(); }

 private:
  std::vector<double> cells_;
  std::vector<double*> rows_;
  std::vector<double**> planes_;
};

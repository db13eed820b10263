// The Beals test of De Caceres & Legendre (2008), for every variable
// (species) of a table: are its Beals values, predicted from the other
// variables without the variable itself, higher in the sampling units (sites)
// where it occurs than where it does not?
//
// For each target variable t:
//  - occurrence set: units where t's value is above 0; absence set: units
//    where it is exactly 0 (missing cells in neither);
//  - observed statistic: the median (or mean) of the Beals values of t
//    without t (BealsSmoothing with the target excluded) over the occurrence
//    set minus that over the absence set;
//  - the target's column is permuted among the eligible units, those whose
//    Beals value of t with t included in its own prediction is neither 0
//    (within one single-precision unit in the last place) nor missing; the
//    other units keep their values; the occurrence and absence flags go with
//    the values. Each of the N - 1 permutations recomputes t's Beals values
//    without t from the permuted table and the statistic;
//  - p = (1 + number of permutations whose statistic is at least the
//    observed one, ties within one single-precision unit in the last place
//    included) / N.
// A variable with an empty occurrence or absence set is not tested.
//
// Targets run in parallel through the iteration runner, one iteration per
// target. Target number t (1-based) draws all its permutations from its own
// generator, seeded with IterationSeed(seed, t), so the results for a seed do
// not depend on the number of threads. Each permutation is drawn as
// RndListSelect draws it: RndList over the eligible units in ascending order.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <vector>

enum BealsStatistic { BEALS_MEDIANS = 1, BEALS_MEANS = 2 };

enum class BealsTarget {
  Tested,
  OccursEverywhere,  // no unit where the value is 0: empty absence set
  OccursNowhere,     // no unit where the value is above 0: empty occurrence set
};

struct BealsTestSettings {
  int nPermutations = 999;  // N, counting the observed table; at least 1
  int type = 1;             // co-occurrence type of the Beals smoothing (0 or 1; 2 accepted)
  bool normalize = false;   // co-occurrence rows brought to unit sum
  int statistic = BEALS_MEDIANS;
  uint32_t seed = 0;                    // the user's seed
  const gsl_rng_type* rngType = nullptr;  // generator type of the targets; null: GSL's default
  int maxThreads = 0;                   // 0: the session limit
  // Called now and then with the target (1-based) and the permutation
  // (2..N) about to be made, on the thread that runs the first targets,
  // inside the console critical section.
  std::function<void(int target, int permutation)> progress;
};

struct BealsTestResult {
  std::vector<double> differences;  // per variable; NaN when not tested
  std::vector<double> pValues;      // per variable; NaN when not tested
  std::vector<BealsTarget> status;  // per variable
  int threads = 1;                  // threads that ran the targets
};

// data: nRows x nCols, the table after the scalar transformation only.
// Throws std::invalid_argument for fewer than 1 permutation or an unknown
// statistic, std::bad_alloc when memory runs out.
BealsTestResult BealsTest_Partial(int nRows, int nCols, const double* const* data, const BealsTestSettings& settings);

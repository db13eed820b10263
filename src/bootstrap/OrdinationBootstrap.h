// Bootstrap of the dimensions of an ordination of sampling units: which axes
// are stable enough to be interpreted.
//
// The reference is the ordination of all n units (their scores on the first
// nAxes axes). In every iteration the units are drawn n times with
// replacement; the first m draws form the sample of size m at each sampling
// step (the samples of one iteration are nested). Each sample is taken from
// the original data (its variables that are zero in the sample left out),
// transformed, compared and ordinated again exactly as the whole table was.
// For a = 1..min(r, nAxes) (r: the sample's rank) the sample's first a axes
// are fitted to the reference's first a axes over the sampled units by an
// orthogonal Procrustes rotation (ProcrustesFit.h) and
//   ro*[a] = correlation of reference axis a with fitted sample axis a;
// the last axis considered gets ro* = 0 when its eigenvalue is below 0.001
// of the sum of the sample's first min(r, nAxes) eigenvalues, and axes
// beyond min(r, nAxes) have no ro* (-999).
// The same is done with a structureless table: each variable of the original
// data permuted over the units independently (variables zero for every unit
// left out), ordinated as a whole for its own reference, and sampled with
// the same bootstrap list, giving roRnd[a]. An iteration counts for
// P(roRnd >= ro*) of axis a and size m when roRnd is at least ro* or equal
// to it within one single-precision unit in the last place (TieRule.h); a
// random sample lacking axis a (roRnd = -999) does not count.
// A sample whose table, resemblance or ordination cannot be computed (a
// transformation or measure undefined for it, undefined or non-finite
// resemblances, non-finite eigenvalues or scores), on either side, gives
// the iteration no contribution at that size, like a missing axis. Averages
// and probabilities are taken over the valid iterations of each axis and
// size (-999 where there is none).
//
// Iteration t draws from its own generator (IterationGenerator.h), seeded
// from the user's seed and t: first the n bootstrap draws (RndListBootstrap),
// then one permutation of the n units (RndList) per variable that is not zero
// for every unit, in column order. Results are therefore the same at any
// number of threads; the sums of ro* are added in t order.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/ProcrustesFit.h"
#include "ordination/OrdinationChoice.h"
#include "randomization/IterationGenerator.h"
#include "randomization/IterationRunner.h"
#include "resemblance/ResemblanceChoice.h"
#include "transform/TransformChoice.h"

struct OrdinationBootstrapSettings {
  int nAxes = 1;        // axes monitored, 1..min(variables, reference rank)
  int initialSize = 0;  // first sample size, 1..n
  int step = 0;         // units added at each sampling step (0 when initialSize = n)
};

// The user's analysis, as re-applied to every sample.
struct OrdinationAnalysis {
  TransformChoice transform;
  ResemblanceChoice resemblance;
  OrdinationChoice ordination;
};

// An analysis without scalar transformation: ordination `type` of `measure`
// comparing sampling units (direction 1) or variables (2), after the vector
// transformations `withinUnits` and `withinVariables` (0 none).
inline OrdinationAnalysis MakeOrdinationAnalysis(int type, int measure, int direction, int withinUnits = 0,
                                                 int withinVariables = 0) {
  OrdinationAnalysis a;
  a.transform.withinUnits = withinUnits;
  a.transform.withinVariables = withinVariables;
  a.resemblance.direction = direction;
  a.resemblance.measure = measure;
  a.ordination.type = type;
  a.ordination.reseType = measure;
  a.ordination.reseDir = direction;
  return a;
}

// True when the ordination scores the sampling units (so that a bootstrap
// of units can compare them): principal coordinates of sampling units, or
// principal components or correspondence analysis of variables.
bool OrdinationScoresUnits(const OrdinationChoice& choice);

// What every iteration reads, built once and read-only (shared by threads):
// the original data, the reference scores and the analysis.
class OrdinationBootstrapReference {
 public:
  // data: the original n x p table (units in rows); refScores: the scores of
  // the n units on the first refAxes axes of the reference ordination (row
  // a = axis a + 1). Both are copied. Throws std::invalid_argument when the
  // settings do not fit (n < 2, nAxes outside 1..min(p, refAxes), initial
  // size outside 1..n, a missing step, an ordination that does not score the
  // sampling units).
  OrdinationBootstrapReference(int n, int p, const double* const* data, int refAxes, const double* const* refScores,
                               const OrdinationAnalysis& analysis, const OrdinationBootstrapSettings& settings);

  int n() const { return n_; }
  int p() const { return p_; }
  int nAxes() const { return settings_.nAxes; }
  int steps() const { return static_cast<int>(sizes_.size()); }
  int SampleSize(int s) const { return sizes_[s]; }
  const OrdinationBootstrapSettings& settings() const { return settings_; }
  const OrdinationAnalysis& analysis() const { return analysis_; }
  const double* const* Data() const { return data_.data(); }
  // Scores of the n units on the nAxes monitored axes.
  const double* const* Scores() const { return scores_.data(); }
  // Variables that are not zero for every unit (0-based).
  const std::vector<int>& NonZero() const { return nonZero_; }
  // Counters of one run: valid iterations of axis a at step s, then the
  // iterations with roRnd >= ro*.
  int CounterCount() const { return 2 * nAxes() * steps(); }
  int ValidCounter(int a, int s) const { return a * steps() + s; }
  int RandomCounter(int a, int s) const { return (nAxes() + a) * steps() + s; }

 private:
  int n_, p_;
  OrdinationBootstrapSettings settings_;
  OrdinationAnalysis analysis_;
  Matrix data_, scores_;
  std::vector<int> nonZero_, sizes_;
};

// One side (bootstrap sample or sample of the permuted data) of one sampling
// step, as the observer sees it. Score tables have one row per axis and one
// column per sampled unit.
struct OrdinationSampleView {
  const double* const* data = nullptr;  // m x variables, units in rows (before transformation)
  int variables = 0;
  bool computed = false;                // the sample could be ordinated
  int axes = 0;                         // axes compared: min(rank, nAxes, reference axes)
  const double* eig = nullptr;          // its eigenvalues (at least `axes`)
  const double* const* reference = nullptr;  // reference scores of the sampled units: referenceAxes x m
  int referenceAxes = 0;
  const double* const* scores = nullptr;  // the sample's own scores: axes x m
  // Row a - 1: sample axis a after the fit of the first a axes.
  const double* const* fitted = nullptr;
  const double* ro = nullptr;           // nAxes correlations, -999 where the axis is missing
};

struct OrdinationStepView {
  int64_t iteration = 0;
  int step = 0;                 // 0-based
  int sampleSize = 0;           // m
  const int* units = nullptr;   // m unit numbers, 1-based
  OrdinationSampleView sample;  // the bootstrap sample
  OrdinationSampleView random;  // the same units of the permuted data
};

// The permuted data of one iteration and its own ordination.
struct OrdinationPermutedView {
  int64_t iteration = 0;
  const double* const* data = nullptr;  // n x variables (those not zero for every unit)
  int variables = 0;
  bool computed = false;
  int axes = 0;                         // min(rank, nAxes)
  const double* eig = nullptr;
  const double* const* scores = nullptr;  // axes x n
};

// Watches the iterations (intermediate results); the iterations then run in
// order on one thread.
struct OrdinationBootstrapObserver {
  std::function<void(const OrdinationPermutedView&)> iterationStart;
  std::function<void(const OrdinationStepView&)> step;
};

// One side's work tables, sized for the whole table.
struct OrdinationSideWork {
  Matrix sample, transformed, rese, evectors, scores, reference, fitted, fittedLast;
  std::vector<double> eig, ro;
  std::vector<int> kept;
  OrdinationAnalysis analysis;  // the variable kinds and groups of the current sample
};

// The work areas of one thread, allocated once.
struct OrdinationBootstrapWorkspace {
  OrdinationBootstrapWorkspace(const OrdinationBootstrapReference& ref, uint32_t seed, const gsl_rng_type* type);

  IterationGenerator gen;
  std::vector<int> list, permutation;
  Matrix permuted, randomScores;  // the permuted data; the scores of its ordination (nAxes x n)
  std::vector<double> randomEig;
  int randomAxes = 0;
  bool randomComputed = false;
  OrdinationSideWork real, random;
  ProcrustesWork procrustes;
};

// One bootstrap iteration t over every sampling step. roStar receives
// nAxes x steps values (row a): ro* where the iteration is valid for that
// axis and size, else -999; counts are the iteration's counters
// (OrdinationBootstrapReference::ValidCounter, RandomCounter), added to.
void BootstrappedOrdination_D(const OrdinationBootstrapReference& ref, int64_t iteration,
                              OrdinationBootstrapWorkspace& work, double* roStar, int64_t* counts,
                              const OrdinationBootstrapObserver* observer);

struct OrdinationBootstrapResults {
  int64_t iterations = 0;
  int threads = 1;
  std::vector<int> sampleSizes;  // steps
  // nAxes x steps (row a): average ro* over the valid iterations and
  // P(roRnd >= ro*), both -999 where no iteration is valid; the valid counts.
  std::vector<double> meanRo, p;
  std::vector<int64_t> valid;
};

// Iterations t = 1..nIter through the iteration runner (listLength 0, one
// generator per iteration). maxThreads: 0 the session limit; with an
// observer the iterations run in order on one thread.
OrdinationBootstrapResults RunOrdinationBootstrap(const OrdinationBootstrapReference& ref, int64_t nIter,
                                                  uint32_t seed, const gsl_rng_type* type, int maxThreads,
                                                  const ProgressHook& progress,
                                                  const OrdinationBootstrapObserver* observer);

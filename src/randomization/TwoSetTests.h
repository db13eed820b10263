// Randomization tests relating two (or three) data sets on the same n
// sampling units: the units of the first data set (the rows of its table, or
// the rows and columns of its resemblance matrix together) are permuted
// against the other data sets, and the statistic is recomputed each time.
//
// Every test draws its lists from the generator given, one list of n per
// random permutation, in permutation order (RndList, or the restricted
// builders for linear models), and evaluates them in parallel through the
// iteration runner: a seed gives the same probabilities at any number of
// threads. Each thread works in its own buffers, made once; permuted tables
// are never copied: the statistics read the first data set through the list.
//
// Counting: permutation 1 is the observed data set; for every statistic the
// count starts at 1 and grows when a random value is at least as large in
// absolute value (TieRule.h); P = count / N. The observed values compared are
// those of the same evaluation with the identity list. The inputs are not
// changed.
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <vector>

#include "randomization/IterationRunner.h"

struct TwoSetTestRun {
  int permutations = 1;  // N, the observed data set included (N - 1 random permutations)
  int maxThreads = 0;    // 0: the session limit
  ProgressHook progress;
};

// Called for every random permutation (numbered 2..N, in order) with its list
// (1-based unit numbers) and the statistics it gave. When given, the
// permutations run in order on one thread.
using TwoSetObserver = std::function<void(int permutation, const int* list, const double* statistics)>;

struct TwoSetTestResult {
  std::vector<double> observed;     // statistics of the observed arrangement
  std::vector<double> probability;  // per statistic
  int threads = 1;
};

// Mantel test: r = MatrixCorr(first*, second), first* the first resemblance
// matrix (n x n, upper triangle read) with rows and columns permuted. Pairs
// holding the missing code are left out pairwise.
TwoSetTestResult MantelTest(int n, const double* const* first, const double* const* second, gsl_rng* rng,
                            const TwoSetTestRun& run, const TwoSetObserver& observer = {});

// Partial Mantel test: PartialMatrixCorr(first*, second, third).
TwoSetTestResult PartialMantelTest(int n, const double* const* first, const double* const* second,
                                   const double* const* third, gsl_rng* rng, const TwoSetTestRun& run,
                                   const TwoSetObserver& observer = {});

// Rd test: RdMatrixCorr(second, first*, false). No entry may be missing.
TwoSetTestResult RdTest(int n, const double* const* first, const double* const* second, gsl_rng* rng,
                        const TwoSetTestRun& run, const TwoSetObserver& observer = {});

// RV test: RVcoeff of the second table (n x p2) and the first (n x p1) with
// its rows permuted. Complete tables.
TwoSetTestResult RVTest(int n, int p1, int p2, const double* const* first, const double* const* second,
                        gsl_rng* rng, const TwoSetTestRun& run, const TwoSetObserver& observer = {});

// Procrustes test: ProcrustesCoeff of the second table and the first with its
// rows permuted. Complete tables.
TwoSetTestResult ProcrustesTest(int n, int p1, int p2, const double* const* first, const double* const* second,
                                gsl_rng* rng, const TwoSetTestRun& run, const TwoSetObserver& observer = {});

// How the units are permuted in the linear-model test: 0 freely (RndList);
// 1 as the pairs of an embedded resemblance matrix of matrixDim objects, n =
// matrixDim (matrixDim - 1) / 2 (RndListMantelRestricted); 2 within nesting
// groups and 3 as bundles (RndListNestedNew with the memberships given, the
// bundles after the within-nesting step).
struct PermutationRestriction {
  int option = 0;
  int matrixDim = 0;
  bool nestingOn = false;
  const int* nestMemb = nullptr;
  bool bundlesOn = false;
  const int* bundleMemb = nullptr;
};

// Linear models: the rows of the responses Y (n x p) are permuted against
// the factors X (n x q). Statistics, in this order: the p intercepts b0, the
// q x p coefficients B row by row (factor k, response j at p + k p + j), the
// p coefficients of determination. Returns false, running nothing, when the
// normal equations of X are singular. bundleStepSkipped tells that bundles of
// unequal sizes could not be exchanged.
bool LinearModelTest(int n, int p, int q, const double* const* Y, const double* const* X,
                     const PermutationRestriction& restriction, gsl_rng* rng, const TwoSetTestRun& run,
                     TwoSetTestResult& result, bool* bundleStepSkipped = nullptr,
                     const TwoSetObserver& observer = {});

// Redundancy analysis: the rows of Y (n x p) are permuted against X (n x q);
// the statistics are the correlations between the unit scores in the space of
// Y and in the space of X on the first `axes` canonical axes (axes <= p).
// Returns false when the normal equations of X are singular.
bool RdaTest(int n, int p, int q, const double* const* Y, const double* const* X, int axes, gsl_rng* rng,
             const TwoSetTestRun& run, TwoSetTestResult& result, const TwoSetObserver& observer = {});

// The series of group tests run by default for two or more factors: double
// (and triple) interactions tested with F on residual vectors, the all-factor
// cells without restriction, and each main effect with permutations
// restricted within the cells of the other factors; the probabilities are
// gathered into the engine of the last run.
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <memory>

#include "randomization/ManovaEngine.h"

// Fills the n x n matrix D with the distances between the units once the
// effects of nRemove factors (1-based numbers in which[]) are removed from
// the data; nRemove = 0 asks for the distances of the data themselves.
using DissimilarityProvider = std::function<void(int nRemove, const int* which, double** D)>;

// True when the default dialogue runs a series rather than one test.
bool ManovaNeedsSeries(int nFactors, bool blockDesign);
// Number of runs in the series.
int ManovaSeriesLength(int nFactors, bool blockDesign);

// base: the design as chosen (criterion Qb, contrasts, block design with its
// nesting); base.dissim is not used. progressFor(nTests, testIndex) gives
// the progress hook of each run (may return an empty hook); observer, when
// per-permutation printing is asked, serves every run.
std::unique_ptr<RandomizationTestManova> RunManovaSeries(
    const manovaInput& base, gsl_rng* rng, const DissimilarityProvider& provider,
    const std::function<ProgressHook(int nTests, int testIndex)>& progressFor, const ManovaObserver& observer = {});

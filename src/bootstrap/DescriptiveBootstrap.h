// Bootstrap of descriptive statistics of the variables (after option V):
// sampling-effort curves of the mean, standard deviation and skewness
// (SamplerMeans) or of the Renyi entropy (SamplerEntropy) of each variable,
// with their averages and confidence limits over the iterations.
//
// Iteration t draws nObj sampling units with replacement (RndListBootstrap)
// from the generator given, in iteration order, in the draw step of the
// iteration runner; the samples of the iteration are the first n_k units of
// that list, n_k = SampleSizeAtStep(nObj, initialSize, step, k) (nested
// samples). The iterations are then evaluated in parallel. Each thread keeps
// the t smallest and t largest values of every statistic, variable and step
// met in its iterations (TailValues; t = floor(iterations x alpha / 2)), and
// the merged keepers give the t-th smallest (lower limit) and t-th largest
// (upper limit) of all values exactly. The averages add the iterations'
// values in t order. So a seed gives the same results at any number of
// threads, equal to a run on one thread.
//
// Missing cells are left out of every sample. A statistic that a sample
// cannot give (every value of the variable missing in it) is undefined in
// that iteration: it enters neither the average nor the limits, which are
// taken over the iterations that gave it (undefined, NaN, when none did, or
// when fewer than t did).
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "randomization/IterationRunner.h"

struct DescriptiveBootstrapSettings {
  int initialSize = 1;     // first sample size, 1..nObj
  int step = 0;            // units added at each step (ignored when initialSize = nObj)
  int64_t iterations = 0;  // bootstrap iterations
  double alpha = 0.05;     // probability outside the confidence limits, 0..1
};

// Which statistics a run computes.
enum class DescriptiveStatistics {
  Moments,  // mean, standard deviation (n - 1), skewness of variables of type 1 (binary) or 3 (quantitative)
  Entropy,  // Renyi entropy of order alpha of the states of variables of type 1 or 2 (qualitative)
};

struct DescriptiveBootstrapResults {
  int statistics = 0;             // 3 (mean, standard deviation, skewness) or 1 (entropy)
  int nVar = 0;
  std::vector<int> sampleSizes;   // one per sampling step
  std::vector<char> computed;     // nVar: 1 when the variable's type takes the statistics
  int64_t iterations = 0;
  int64_t tail = 0;               // t = floor(iterations x alpha / 2)
  // t = 0 (alpha 0, or fewer than 2 / alpha iterations): the limits are the
  // smallest and largest values met.
  bool extremes = false;
  // Cell (statistic s, variable j, step k) at Cell(s, j, k). NaN where
  // undefined, and for variables not computed.
  std::vector<double> average, lower, upper;
  int threads = 1;

  int steps() const { return static_cast<int>(sampleSizes.size()); }
  int Cell(int s, int j, int k) const { return (s * nVar + j) * steps() + k; }
};

// One iteration, as the intermediate results show it.
struct DescriptiveIteration {
  const DescriptiveBootstrapResults* run = nullptr;  // the statistics, steps and variables computed
  int64_t iteration = 0;
  const int* units = nullptr;     // the nObj units drawn, numbered from 1
  const double* values = nullptr; // the iteration's statistics, cells as in the results
};
using DescriptiveObserver = std::function<void(const DescriptiveIteration&)>;

// t of the confidence limits for the given iterations and alpha:
// floor(iterations x alpha / 2), the product taken as whole when it lies
// within 1e-9 (relative) of an integer.
int64_t ConfidenceTail(int64_t iterations, double alpha);

// data: nObj x nVar (sampling units in rows); varType: nVar types (1 binary,
// 2 qualitative, 3 quantitative, 4 ordinal). rng: the generator the lists
// are drawn from, in iteration order. maxThreads: 0 the session limit; with
// an observer the iterations run in order on one thread and the observer sees
// each of them. Throws std::invalid_argument when the settings do not fit
// nObj, std::bad_alloc when memory runs out or when the values kept by the
// threads would take more than half the machine's memory.
DescriptiveBootstrapResults SamplerMeans(int nObj, int nVar, const double* const* data, const int* varType,
                                         const DescriptiveBootstrapSettings& settings, gsl_rng* rng, int maxThreads,
                                         const ProgressHook& progress, const DescriptiveObserver* observer);
// The same with the Renyi entropy of order renyiOrder (nats) of each variable.
DescriptiveBootstrapResults SamplerEntropy(int nObj, int nVar, const double* const* data, const int* varType,
                                           double renyiOrder, const DescriptiveBootstrapSettings& settings,
                                           gsl_rng* rng, int maxThreads, const ProgressHook& progress,
                                           const DescriptiveObserver* observer);

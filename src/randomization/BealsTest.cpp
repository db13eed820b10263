// The Beals test: one iteration of the runner per target variable, each
// making all the permutations of its target with its own generator.
#include "randomization/BealsTest.h"

#include <omp.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "randomization/IterationGenerator.h"
#include "randomization/IterationRunner.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "transform/BealsTargetSmoothing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/Statistics.h"

namespace {

// Permutations between two calls of the progress hook.
constexpr int kProgressEvery = 64;

// One thread's work area, allocated once and reused for every target.
struct TargetWork {
  IterationGenerator generator;
  BealsTargetSmoother::Workspace smoothing;
  std::vector<double> observed;   // the target's column
  std::vector<double> permuted;   // the target's column after a permutation
  std::vector<double> present;    // Beals values over the occurrence set
  std::vector<double> absent;     // and over the absence set
  std::vector<int> eligible;      // units taking part in the permutations, ascending
  std::vector<int> ranks;         // RndList of the eligible units
};

double Centre(int statistic, int n, double* values) {
  if (statistic == BEALS_MEDIANS) return MedianInPlace(n, values);
  double sum = 0.0;
  for (int i = 0; i < n; i++) sum += values[i];
  return sum / n;
}

// Difference between the occurrence and the absence set for the target
// column `column` (the flags follow the values).
double Difference(const BealsTargetSmoother& smoother, int statistic, const double* column, TargetWork& w) {
  smoother.SetTargetColumn(column, w.smoothing);
  int nPresent = 0, nAbsent = 0;
  for (int i = 0; i < smoother.Rows(); i++) {
    const double v = column[i];
    if (IsMissing(v) || !(v >= 0.0)) continue;  // negative (or NaN): in neither set
    const double b = smoother.Smoothed(i, v, w.smoothing);
    if (v > 0.0)
      w.present[nPresent++] = b;
    else
      w.absent[nAbsent++] = b;
  }
  return Centre(statistic, nPresent, w.present.data()) - Centre(statistic, nAbsent, w.absent.data());
}

}  // namespace

BealsTestResult BealsTest_Partial(int nRows, int nCols, const double* const* data, const BealsTestSettings& settings) {
  if (settings.nPermutations < 1) throw std::invalid_argument("Beals test: fewer than one permutation");
  if (settings.statistic != BEALS_MEDIANS && settings.statistic != BEALS_MEANS)
    throw std::invalid_argument("Beals test: unknown statistic");
  const int n = nRows > 0 ? nRows : 0, p = nCols > 0 ? nCols : 0;
  const double undefined = std::numeric_limits<double>::quiet_NaN();
  BealsTestResult result;
  result.differences.assign(static_cast<size_t>(p), undefined);
  result.pValues.assign(static_cast<size_t>(p), undefined);
  result.status.assign(static_cast<size_t>(p), BealsTarget::Tested);
  if (p == 0) return result;

  // Beals values with each target in its own prediction: which units may
  // take part in the permutations of each target.
  Matrix included(n, p);
  if (n > 0) BealsSmoothing(n, p, data, data, included.data(), false, 0, nullptr, true, settings.type, settings.normalize);
  const BealsTargetSmoother smoother(n, p, data, settings.type, settings.normalize);
  const int nPermutations = settings.nPermutations;

  IterationPlan plan;
  plan.iterations = p;
  plan.maxThreads = settings.maxThreads;
  auto makeWorkspace = [&]() {
    TargetWork w{IterationGenerator(settings.seed, settings.rngType), smoother.MakeWorkspace(), {}, {}, {}, {}, {},
                 {}};
    w.observed.resize(static_cast<size_t>(n));
    w.permuted.resize(static_cast<size_t>(n));
    w.present.resize(static_cast<size_t>(n));
    w.absent.resize(static_cast<size_t>(n));
    w.eligible.reserve(static_cast<size_t>(n));
    w.ranks.resize(static_cast<size_t>(n));
    return w;
  };
  auto draw = [](int64_t, int*) {};
  auto evaluate = [&](int64_t t, const int*, TargetWork& w, int64_t*) {
    const int target = static_cast<int>(t - 1);
    int nPresent = 0, nAbsent = 0;
    w.eligible.clear();
    for (int i = 0; i < n; i++) {
      const double v = data[i][target];
      w.observed[i] = w.permuted[i] = v;
      if (!IsMissing(v)) {
        if (v > 0.0) nPresent++;
        if (v == 0.0) nAbsent++;
      }
      const double b = included[i][target];
      if (!IsMissing(b) && !AlmostEqual2sComplement(b, 0.0, 1)) w.eligible.push_back(i);
    }
    if (nPresent == 0 || nAbsent == 0) {
      result.status[target] = nPresent == 0 ? BealsTarget::OccursNowhere : BealsTarget::OccursEverywhere;
      return;
    }
    smoother.PrepareTarget(target, w.smoothing);
    const double observed = Difference(smoother, settings.statistic, w.observed.data(), w);
    gsl_rng* rng = w.generator.For(static_cast<uint32_t>(t));
    const int m = static_cast<int>(w.eligible.size());
    const bool reports = settings.progress && omp_get_thread_num() == 0;
    int64_t count = 1;
    for (int k = 2; k <= nPermutations; k++) {
      if (reports && (k == 2 || k % kProgressEvery == 0))
        ConsoleSection([&] { settings.progress(static_cast<int>(t), k); });
      RndList(rng, m, w.ranks.data());
      for (int q = 0; q < m; q++) w.permuted[w.eligible[q]] = w.observed[w.eligible[w.ranks[q] - 1]];
      if (AtLeastAsLarge(Difference(smoother, settings.statistic, w.permuted.data(), w), observed)) count++;
    }
    result.differences[target] = observed;
    result.pValues[target] = static_cast<double>(count) / nPermutations;
  };
  result.threads = RunIterations(plan, makeWorkspace, draw, evaluate).threads;
  return result;
}

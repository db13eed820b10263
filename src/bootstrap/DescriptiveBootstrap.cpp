// Bootstrap of the descriptive statistics of variables: the iterations
// through the iteration runner, the averages in iteration order and the
// confidence limits from the threads' bounded heaps.
#include "bootstrap/DescriptiveBootstrap.h"

#include <omp.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "ZQLib/MissingValue.h"
#include "bootstrap/BootstrapSteps.h"
#include "bootstrap/TailValues.h"
#include "randomization/RandomLists.h"
#include "transform/DescriptiveStatistics.h"

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// A value as a state code (ContingencyVector's conversion, kept within int).
int StateCode(double x) {
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(x);
}

// The statistics of one iteration: fills values (statistics x nVar x steps,
// cells as in the results) from the 0-based units of the bootstrap list.
class IterationStatistics {
 public:
  virtual ~IterationStatistics() = default;
  virtual void Evaluate(const int* units, double* values) = 0;
};

// Mean, standard deviation and skewness, the samples growing unit by unit.
class MomentStatistics : public IterationStatistics {
 public:
  MomentStatistics(int nVar, const double* const* data, const std::vector<char>& computed,
                   const std::vector<int>& sizes)
      : nVar_(nVar), data_(data), computed_(computed), sizes_(sizes), acc_(nVar) {}

  void Evaluate(const int* units, double* values) override {
    const int steps = static_cast<int>(sizes_.size());
    for (auto& a : acc_) a.Reset();
    int used = 0;
    for (int k = 0; k < steps; k++) {
      for (; used < sizes_[k]; used++) {
        const double* row = data_[units[used]];
        for (int j = 0; j < nVar_; j++)
          if (computed_[j] && !IsMissing(row[j])) acc_[j].Add(row[j]);
      }
      for (int j = 0; j < nVar_; j++) {
        double* mean = values + (0 * nVar_ + j) * steps + k;
        double* sd = values + (1 * nVar_ + j) * steps + k;
        double* skew = values + (2 * nVar_ + j) * steps + k;
        if (!computed_[j] || acc_[j].Count() == 0) {
          *mean = *sd = *skew = kUndefined;
        } else {
          *mean = acc_[j].Mean();
          *sd = acc_[j].StDev();
          *skew = acc_[j].Skewness();
        }
      }
    }
  }

 private:
  int nVar_;
  const double* const* data_;
  const std::vector<char>& computed_;
  const std::vector<int>& sizes_;
  std::vector<MomentAccumulator> acc_;
};

// The states of every variable of the table, numbered once for all
// iterations: state[i * nVar + j] is the state of unit i in variable j (in
// order of first appearance, as ContingencyVector numbers them), -1 where
// missing.
struct StateTable {
  StateTable(int nObj, int nVar, const double* const* data, const std::vector<char>& computed)
      : nVar(nVar), state(static_cast<size_t>(nObj) * nVar, -1), offset(nVar + 1, 0) {
    std::vector<int> codes;
    for (int j = 0; j < nVar; j++) {
      codes.clear();
      if (computed[j])
        for (int i = 0; i < nObj; i++) {
          const double x = data[i][j];
          if (IsMissing(x)) continue;
          const int code = StateCode(x);
          size_t s = std::find(codes.begin(), codes.end(), code) - codes.begin();
          if (s == codes.size()) codes.push_back(code);
          state[static_cast<size_t>(i) * nVar + j] = static_cast<int>(s);
        }
      offset[j + 1] = offset[j] + static_cast<int>(codes.size());
    }
  }
  int nVar;
  std::vector<int> state;
  std::vector<int> offset;  // counts of variable j at offset[j] .. offset[j + 1] - 1
};

// Renyi entropy of order alpha of integer counts out of at most nObj, from
// tables of ln c and c^alpha made once: the proportions c / n enter as
// ln c - ln n and c^alpha / n^alpha, so that one state alone gives exactly 0
// and no logarithm is taken per state.
class RenyiOfCounts {
 public:
  RenyiOfCounts(int nObj, double alpha) : alpha_(alpha), ln_(nObj + 1, 0.0), pow_(nObj + 1, 0.0) {
    for (int c = 1; c <= nObj; c++) {
      ln_[c] = std::log(static_cast<double>(c));
      pow_[c] = std::pow(static_cast<double>(c), alpha);
    }
  }
  // counts of n > 0 values in nStates states.
  double operator()(int nStates, const int* counts, int n) const {
    double s = 0.0;
    if (alpha_ == 1.0) {
      for (int k = 0; k < nStates; k++)
        if (counts[k] > 0) s -= (static_cast<double>(counts[k]) / n) * (ln_[counts[k]] - ln_[n]);
      return s;
    }
    for (int k = 0; k < nStates; k++)
      if (counts[k] > 0) s += pow_[counts[k]] / pow_[n];
    return s > 0.0 ? std::log(s) / (1.0 - alpha_) : 0.0;
  }

 private:
  double alpha_;
  std::vector<double> ln_, pow_;
};

class EntropyStatistics : public IterationStatistics {
 public:
  EntropyStatistics(const StateTable& states, const RenyiOfCounts& renyi, const std::vector<char>& computed,
                    const std::vector<int>& sizes)
      : states_(states), renyi_(renyi), computed_(computed), sizes_(sizes),
        counts_(states.offset.back() > 0 ? states.offset.back() : 1, 0), present_(states.nVar, 0) {}

  void Evaluate(const int* units, double* values) override {
    const int nVar = states_.nVar;
    const int steps = static_cast<int>(sizes_.size());
    std::fill(counts_.begin(), counts_.end(), 0);
    std::fill(present_.begin(), present_.end(), 0);
    int used = 0;
    for (int k = 0; k < steps; k++) {
      for (; used < sizes_[k]; used++) {
        const int* row = states_.state.data() + static_cast<size_t>(units[used]) * nVar;
        for (int j = 0; j < nVar; j++)
          if (row[j] >= 0) {
            counts_[states_.offset[j] + row[j]]++;
            present_[j]++;
          }
      }
      for (int j = 0; j < nVar; j++) {
        const int first = states_.offset[j];
        values[j * steps + k] = computed_[j] && present_[j] > 0
                                    ? renyi_(states_.offset[j + 1] - first, counts_.data() + first, present_[j])
                                    : kUndefined;
      }
    }
  }

 private:
  const StateTable& states_;
  const RenyiOfCounts& renyi_;
  const std::vector<char>& computed_;
  const std::vector<int>& sizes_;
  std::vector<int> counts_;
  std::vector<int> present_;
};

struct ThreadWork {
  std::unique_ptr<IterationStatistics> statistics;
  std::vector<int> units;  // 0-based
  TailValues tails;
};

DescriptiveBootstrapResults Prepare(int nObj, int nVar, const int* varType, const DescriptiveBootstrapSettings& s,
                                    int statistics, int typeA, int typeB) {
  if (nObj < 1 || nVar < 0 || s.initialSize < 1 || s.initialSize > nObj || (s.initialSize < nObj && s.step < 1) ||
      s.iterations < 0 || !(s.alpha >= 0.0 && s.alpha <= 1.0))
    throw std::invalid_argument("descriptive bootstrap: settings do not fit the number of units");
  DescriptiveBootstrapResults r;
  r.statistics = statistics;
  r.nVar = nVar;
  const int steps = CountSteps(nObj, s.initialSize, s.step);
  for (int k = 0; k < steps; k++) r.sampleSizes.push_back(SampleSizeAtStep(nObj, s.initialSize, s.step, k));
  r.computed.assign(nVar, 0);
  for (int j = 0; j < nVar; j++) r.computed[j] = varType != nullptr && (varType[j] == typeA || varType[j] == typeB);
  r.iterations = s.iterations;
  r.tail = ConfidenceTail(s.iterations, s.alpha);
  r.extremes = r.tail == 0;
  const size_t cells = static_cast<size_t>(statistics) * nVar * steps;
  r.average.assign(cells, kUndefined);
  r.lower.assign(cells, kUndefined);
  r.upper.assign(cells, kUndefined);
  return r;
}

template <class MakeStatistics>
void Run(int nObj, DescriptiveBootstrapResults& r, gsl_rng* rng, int maxThreads, const ProgressHook& progress,
         const DescriptiveObserver* observer, MakeStatistics makeStatistics) {
  const int64_t total = r.iterations;
  if (total == 0) return;
  const int cells = static_cast<int>(r.average.size());
  const int64_t keep = std::max<int64_t>(r.tail, 1);

  IterationPlan plan;
  plan.listLength = nObj;
  plan.maxThreads = observer ? 1 : maxThreads;
  const int threads = IterationThreads(plan);
  // Every thread keeps 2 t values per cell. More than half the machine's
  // memory would be granted only to be paid for by swapping or by the
  // process being killed: refused as memory that cannot be had.
  const double physical = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * static_cast<double>(sysconf(_SC_PAGE_SIZE));
  if (physical > 0 && 16.0 * cells * static_cast<double>(keep) * threads > physical / 2) throw std::bad_alloc();
  std::vector<std::unique_ptr<ThreadWork>> pool(threads);
  // The values are added in t order, so that the averages do not depend on
  // how the iterations were shared out.
  std::vector<double> sums(cells, 0.0);
  std::vector<int64_t> valid(cells, 0);
  const IterationResult run = RunIterationsInChunks(
      plan, total, cells, progress,
      [&]() {
        auto& mine = pool[omp_get_thread_num()];
        if (!mine) {
          mine = std::make_unique<ThreadWork>();
          mine->statistics = makeStatistics();
          mine->units.assign(nObj, 0);
          mine->tails = TailValues(cells, keep);
        }
        return mine.get();
      },
      [&](int64_t, int* list) { RndListBootstrap(rng, nObj, list); },
      [&](int64_t t, const int* list, ThreadWork* w, double* v, int64_t*) {
        for (int i = 0; i < nObj; i++) w->units[i] = list[i] - 1;
        w->statistics->Evaluate(w->units.data(), v);
        for (int c = 0; c < cells; c++)
          if (!std::isnan(v[c])) w->tails.Push(c, v[c]);
        if (observer) {
          DescriptiveIteration it;
          it.run = &r;
          it.iteration = t;
          it.units = list;
          it.values = v;
          (*observer)(it);
        }
      },
      [&](const double* v) {
        for (int c = 0; c < cells; c++)
          if (!std::isnan(v[c])) {
            sums[c] += v[c];
            valid[c]++;
          }
      });
  r.threads = std::max(r.threads, run.threads);

  // The first thread's keeper takes in the others'.
  TailValues merged;
  for (auto& w : pool) {
    if (!w) continue;
    if (merged.cells() == 0)
      merged = std::move(w->tails);
    else
      merged.Merge(w->tails);
  }
  for (int c = 0; c < cells; c++) {
    if (valid[c] == 0) continue;
    r.average[c] = sums[c] / static_cast<double>(valid[c]);
    r.lower[c] = merged.Lower(c);
    r.upper[c] = merged.Upper(c);
  }
}

}  // namespace

int64_t ConfidenceTail(int64_t iterations, double alpha) {
  if (iterations <= 0 || !(alpha > 0.0)) return 0;
  const double half = static_cast<double>(iterations) * alpha / 2.0;
  const double whole = std::floor(half + 1e-9 * std::max(1.0, half));
  return static_cast<int64_t>(whole);
}

DescriptiveBootstrapResults SamplerMeans(int nObj, int nVar, const double* const* data, const int* varType,
                                         const DescriptiveBootstrapSettings& settings, gsl_rng* rng, int maxThreads,
                                         const ProgressHook& progress, const DescriptiveObserver* observer) {
  DescriptiveBootstrapResults r = Prepare(nObj, nVar, varType, settings, 3, 1, 3);
  Run(nObj, r, rng, maxThreads, progress, observer, [&]() -> std::unique_ptr<IterationStatistics> {
    return std::make_unique<MomentStatistics>(nVar, data, r.computed, r.sampleSizes);
  });
  return r;
}

DescriptiveBootstrapResults SamplerEntropy(int nObj, int nVar, const double* const* data, const int* varType,
                                           double renyiOrder, const DescriptiveBootstrapSettings& settings,
                                           gsl_rng* rng, int maxThreads, const ProgressHook& progress,
                                           const DescriptiveObserver* observer) {
  DescriptiveBootstrapResults r = Prepare(nObj, nVar, varType, settings, 1, 1, 2);
  const StateTable states(nObj, nVar, data, r.computed);
  const RenyiOfCounts renyi(nObj, renyiOrder);
  Run(nObj, r, rng, maxThreads, progress, observer, [&]() -> std::unique_ptr<IterationStatistics> {
    return std::make_unique<EntropyStatistics>(states, renyi, r.computed, r.sampleSizes);
  });
  return r;
}

// The randomization test for Markovity through the iteration runner.
#include "dynamics/MarkovTest.h"

#include <algorithm>
#include <numeric>

#include "dynamics/MarkovFitting.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

MarkovStressEvaluator::MarkovStressEvaluator(int n, int p, int L, const double* const* X,
                                             const double* const* distances)
    : n_(n), p_(p), L_(L), X_(X), distances_(distances), rows_(static_cast<size_t>(n)), Z_(n, p), A_(n, n),
      B_(n, n), work_(3 * static_cast<size_t>(p)) {
  for (int l = 0; l < L; l++) T_.emplace_back(p, p);
  for (auto& t : T_) tRows_.push_back(t.data());
}

void MarkovStressEvaluator::Evaluate(const int* order, double* K) {
  const int n = n_, p = p_;
  for (int i = 0; i < n; i++) rows_[i] = X_[order[i] - 1];
  // Distances of the states in this order.
  for (int i = 0; i < n; i++) {
    const double* d = distances_[order[i] - 1];
    for (int j = i + 1; j < n; j++) A_[i][j] = d[order[j] - 1];
  }
  FitMarkov(n, p, L_, rows_.data(), tRows_.data(), work_.data());
  for (int i = 0; i < n; i++) std::copy(rows_[i], rows_[i] + p, Z_[i]);
  for (int lag = 1; lag <= L_; lag++) {
    ProjectMarkovLag(n, p, lag, T_[lag - 1].data(), Z_.data());
    UpperRowDistances(n, p, Z_.data(), B_.data());
    K[lag - 1] = MatrixStressKruskal(n, A_.data(), B_.data());
  }
}

namespace {

// Random orders evaluated per run of the iteration runner: their stresses
// (at most this many values) are kept and added in order afterwards, so that
// the sums do not depend on the threads.
constexpr int64_t kStressesPerRun = int64_t{1} << 22;

}  // namespace

MarkovityResult MarkovityTest(int n, int p, int L, const double* const* X, int64_t N, gsl_rng* rng,
                              const ProgressHook& progress, int maxThreads, int64_t ordersPerRun) {
  MarkovityResult res;
  res.orders = std::max<int64_t>(N, 1);
  Matrix distances(n, n);
  RowDistances(n, p, X, distances.data());
  std::vector<int> identity(static_cast<size_t>(n));
  std::iota(identity.begin(), identity.end(), 1);
  res.observed.assign(static_cast<size_t>(L), 0.0);
  {
    MarkovStressEvaluator observed(n, p, L, X, distances.data());
    observed.Evaluate(identity.data(), res.observed.data());
  }
  res.counts.assign(static_cast<size_t>(L), 1);
  std::vector<double> sums(static_cast<size_t>(L), 0.0);
  const int64_t random = res.orders - 1;
  std::vector<double> stresses;
  const int64_t perRun =
      ordersPerRun > 0 ? ordersPerRun : std::max<int64_t>(1024, kStressesPerRun / std::max(L, 1));
  for (int64_t first = 1; first <= random; first += perRun) {
    const int64_t count = std::min(perRun, random - first + 1);
    stresses.assign(static_cast<size_t>(count * L), 0.0);
    IterationPlan plan;
    plan.iterations = count;
    plan.listLength = n;
    plan.nCounts = L;
    plan.maxThreads = maxThreads;
    if (progress) {
      const int64_t done = first - 1;
      plan.progress = [&progress, done, random](int64_t d, int64_t) { progress(done + d, random); };
    }
    struct Workspace {
      MarkovStressEvaluator eval;
      std::vector<double> K;
    };
    const IterationResult run = RunIterations(
        plan, [&] { return Workspace{MarkovStressEvaluator(n, p, L, X, distances.data()), std::vector<double>(L)}; },
        [&](int64_t, int* list) { RndList(rng, n, list); },
        [&](int64_t t, const int* list, Workspace& w, int64_t* c) {
          w.eval.Evaluate(list, w.K.data());
          double* keep = stresses.data() + (t - 1) * L;
          for (int l = 0; l < L; l++) {
            keep[l] = w.K[l];
            if (AtMostAsLarge(w.K[l], res.observed[l])) c[l]++;
          }
        });
    for (int l = 0; l < L; l++) res.counts[l] += run.counts[l];
    for (int64_t t = 0; t < count; t++)
      for (int l = 0; l < L; l++) sums[l] += stresses[t * L + l];
    res.threads = run.threads;
  }
  const double N1 = static_cast<double>(res.orders);
  for (int l = 0; l < L; l++) {
    res.probability.push_back(res.counts[l] / N1);
    res.averageNull.push_back(random > 0 ? sums[l] / static_cast<double>(random) : 0.0);
  }
  return res;
}

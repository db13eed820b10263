// Randomization test comparing groups (option P), the test itself.
// Workload: n = 200, 500, 1000 sampling units by 20 variables drawn from a
// standard normal distribution (fixed seed), Euclidean distances; one factor
// of 4 groups of equal size; 999 permutations (998 random ones) with the
// between-group sum of squares Qb, and the same with MRPP. Also the default
// series for two factors (4 x 2 groups) at n = 500: interaction on residual
// vectors, all-factor cells, two restricted main-effect runs. Threads: the
// OpenMP default (all processors).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "randomization/IterationGenerator.h"
#include "randomization/ManovaEngine.h"
#include "randomization/ManovaSeries.h"
#include "randomization/GroupSumsOfSquares.h"

namespace {

constexpr int kVars = 20;

struct Workload {
  explicit Workload(int n) : n(n), x(static_cast<size_t>(n) * kVars), store(static_cast<size_t>(n) * n), rows(n) {
    std::mt19937 gen(20240601);
    std::normal_distribution<double> normal;
    for (auto& v : x) v = normal(gen);
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
    Euclidean(x, rows.data());
    for (int i = 0; i < n; i++) {
      factorA.push_back(i % 4 + 1);
      factorB.push_back((i / 4) % 2 + 1);
    }
    memb[0] = factorA.data();
    memb[1] = factorB.data();
  }
  void Euclidean(const std::vector<double>& data, double** D) const {
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) {
        double s = 0;
        for (int t = 0; t < kVars; t++) {
          const double d = data[i * kVars + t] - data[j * kVars + t];
          s += d * d;
        }
        D[i][j] = std::sqrt(s);
      }
  }
  manovaInput Input(int factors) {
    manovaInput in;
    in.nUnits = n;
    in.nVars = kVars;
    in.nPermutations = 999;
    in.dissim = rows.data();
    in.nFactors = factors;
    in.factorMemb = memb;
    in.showProgress = false;
    return in;
  }
  int n;
  std::vector<double> x, store;
  std::vector<double*> rows;
  std::vector<int> factorA, factorB;
  int* memb[2];
};

void BM_GroupTestQb(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  const manovaInput in = w.Input(1);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    RandomizationTestManova t(in, g.get());
    benchmark::DoNotOptimize(t.GetManovaResults().P[0][0]);
  }
}

void BM_GroupTestMrpp(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  const manovaInput in = w.Input(1);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    RandomizationTestManova t(in, 3, g.get());
    benchmark::DoNotOptimize(t.GetManovaResults().deltaP[0]);
  }
}

void BM_GroupTestTwoFactorSeries(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  const manovaInput in = w.Input(2);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  // Residual vectors as the menu computes them, then their distances.
  std::vector<double*> xRows(w.n), rRows(w.n);
  std::vector<double> r(w.x.size());
  std::vector<double> xCopy = w.x;
  for (int i = 0; i < w.n; i++) {
    xRows[i] = xCopy.data() + static_cast<size_t>(i) * kVars;
    rRows[i] = r.data() + static_cast<size_t>(i) * kVars;
  }
  int nGroups[2] = {4, 2};
  int labA[4] = {1, 2, 3, 4}, labB[2] = {1, 2};
  int* labels[2] = {labA, labB};
  DissimilarityProvider provider = [&](int nRemove, const int* which, double** D) {
    if (nRemove == 0) {
      w.Euclidean(w.x, D);
      return;
    }
    Residuals(w.n, kVars, 2, w.memb, nGroups, labels, xRows.data(), rRows.data(), nRemove, which);
    w.Euclidean(r, D);
  };
  for (auto _ : state) {
    auto last = RunManovaSeries(in, g.get(), provider, {});
    benchmark::DoNotOptimize(last->GetManovaResults().P[0][0]);
  }
}

}  // namespace

BENCHMARK(BM_GroupTestQb)->Arg(200)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GroupTestMrpp)->Arg(200)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GroupTestTwoFactorSeries)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_MAIN();

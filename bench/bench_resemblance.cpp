// Resemblance matrices through the dispatcher ResemblanceLib, as the menu and
// the resampling tests compute them.
// Workloads (fixed seed):
//  - Euclidean distance (3), percentage difference (20) and correlation (17)
//    between 2000 sampling units described by 50 quantitative attributes
//    (abundance-like values, 30% zeros, no missing values);
//  - Gower index (5) between 1000 sampling units of a mixed table of 30
//    attributes: 10 quantitative, 8 ordinal, 6 nominal, 6 binary, 1% missing.
// The 2000 x 2000 result matrix is allocated once outside the timed loop.
// Euclidean distances run on all threads (the target is under 30 ms for
// 2000 x 50 on 2 cores); the other measures are sequential.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "resemblance/ResemblanceLib.h"

namespace {

struct Quantitative {
  Quantitative(int n, int m) : n(n), m(m), t(dimDouble2D(n, m)), r(dimDouble2D(n, n)) {
    std::mt19937 gen(1985);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int i = 0; i < n; i++)
      for (int k = 0; k < m; k++) t[i][k] = u(gen) < 0.3 ? 0.0 : 1.0 + 20.0 * u(gen);
  }
  ~Quantitative() {
    freeDouble2D(t, n);
    freeDouble2D(r, n);
  }
  int n, m;
  double** t;
  double** r;
};

struct Mixed {
  Mixed(int n, int m) : n(n), m(m), t(dimDouble2D(n, m)), r(dimDouble2D(n, n)), types(m) {
    std::mt19937 gen(2012);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int k = 0; k < m; k++) types[k] = k < 10 ? 3 : k < 18 ? 4 : k < 24 ? 2 : 1;
    for (int i = 0; i < n; i++)
      for (int k = 0; k < m; k++) {
        double v;
        switch (types[k]) {
          case 3: v = 100.0 * u(gen); break;
          case 4: v = static_cast<int>(7 * u(gen)); break;
          case 2: v = 1 + static_cast<int>(5 * u(gen)); break;
          default: v = u(gen) < 0.4 ? 1.0 : 0.0; break;
        }
        t[i][k] = u(gen) < 0.01 ? -999.0 : v;
      }
  }
  ~Mixed() {
    freeDouble2D(t, n);
    freeDouble2D(r, n);
  }
  int n, m;
  double** t;
  double** r;
  std::vector<int> types;
};

void RunQuantitative(benchmark::State& state, int measure) {
  Quantitative w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ResemblanceLib(w.n, w.m, w.t, w.r, 1, measure, nullptr, 1.0, 0.0, 0);
    benchmark::DoNotOptimize(w.r[0][1]);
  }
}

void BM_Euclidean(benchmark::State& state) { RunQuantitative(state, 3); }
void BM_PercentageDifference(benchmark::State& state) { RunQuantitative(state, 20); }
void BM_Correlation(benchmark::State& state) { RunQuantitative(state, 17); }

void BM_Gower(benchmark::State& state) {
  Mixed w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ResemblanceLib(w.n, w.m, w.t, w.r, 1, 5, w.types.data(), 1.0, 0.0, 1);
    benchmark::DoNotOptimize(w.r[0][1]);
  }
}

}  // namespace

BENCHMARK(BM_Euclidean)->Args({2000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PercentageDifference)->Args({2000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Correlation)->Args({2000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Gower)->Args({1000, 30})->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

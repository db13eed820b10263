// The Beals test of every species (option T after Beals smoothing).
// Workload: 200 sites x 100 species, presence/absence (fixed seed): sites
// evenly along a gradient, each species with a Gaussian response around its
// own optimum (width 0.05 to 0.2 of the gradient, peak probability 0.8) plus
// occasional strays (probability 0.02); co-occurrences of type 0, target
// excluded, no unit sums, medians; 999 permutations per species. The
// argument is the number of threads (1 and 2).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "randomization/BealsTest.h"

namespace {

constexpr int kSites = 200, kSpecies = 100;

struct Presences {
  Presences() : cells(static_cast<size_t>(kSites) * kSpecies), rows(kSites) {
    std::mt19937 gen(20240918);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> optimum(kSpecies), width(kSpecies);
    for (int s = 0; s < kSpecies; s++) {
      optimum[s] = u(gen);
      width[s] = 0.05 + 0.15 * u(gen);
    }
    for (int i = 0; i < kSites; i++) {
      const double x = static_cast<double>(i) / (kSites - 1);
      for (int s = 0; s < kSpecies; s++) {
        const double z = (x - optimum[s]) / width[s];
        const double p = 0.8 * std::exp(-0.5 * z * z) + 0.02;
        cells[static_cast<size_t>(i) * kSpecies + s] = u(gen) < p ? 1.0 : 0.0;
      }
    }
    for (int i = 0; i < kSites; i++) rows[i] = cells.data() + static_cast<size_t>(i) * kSpecies;
  }
  std::vector<double> cells;
  std::vector<const double*> rows;
};

void BM_BealsTest(benchmark::State& state) {
  Presences table;
  BealsTestSettings settings;
  settings.nPermutations = 999;
  settings.type = 0;
  settings.seed = 42;
  settings.maxThreads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    BealsTestResult r = BealsTest_Partial(kSites, kSpecies, table.rows.data(), settings);
    benchmark::DoNotOptimize(r.pValues.data());
  }
}

}  // namespace

BENCHMARK(BM_BealsTest)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

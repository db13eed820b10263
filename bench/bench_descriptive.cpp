// Bootstrap of descriptive statistics (after option V), the bootstrap itself.
// Workload: 200 sampling units x 50 variables (fixed seed): for the means,
// quantitative values (lognormal); for the entropy, qualitative variables of
// 6 states. Samples of 10, 20, ..., 200 units (20 sampling steps), 1000
// iterations, alpha 0.05 (t = 25). Threads: 1 and 2 (argument).
#include <benchmark/benchmark.h>
#include <gsl/gsl_rng.h>

#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/DescriptiveBootstrap.h"

namespace {

constexpr int kUnits = 200, kVars = 50;

struct Workload {
  explicit Workload(bool qualitative) : data(kUnits, kVars), types(kVars, qualitative ? 2 : 3) {
    std::mt19937 gen(20240917);
    std::normal_distribution<double> z;
    for (int i = 0; i < kUnits; i++)
      for (int j = 0; j < kVars; j++) data[i][j] = qualitative ? static_cast<double>(gen() % 6) : std::exp(z(gen));
    settings.initialSize = 10;
    settings.step = 10;
    settings.iterations = 1000;
    settings.alpha = 0.05;
  }
  Matrix data;
  std::vector<int> types;
  DescriptiveBootstrapSettings settings;
};

void BM_SamplerMeans(benchmark::State& state) {
  Workload w(false);
  gsl_rng* rng = gsl_rng_alloc(gsl_rng_mt19937);
  for (auto _ : state) {
    gsl_rng_set(rng, 12345);
    const DescriptiveBootstrapResults r = SamplerMeans(kUnits, kVars, w.data.data(), w.types.data(), w.settings, rng,
                                                       static_cast<int>(state.range(0)), {}, nullptr);
    benchmark::DoNotOptimize(r.lower.data());
  }
  gsl_rng_free(rng);
}

void BM_SamplerEntropy(benchmark::State& state) {
  Workload w(true);
  gsl_rng* rng = gsl_rng_alloc(gsl_rng_mt19937);
  for (auto _ : state) {
    gsl_rng_set(rng, 12345);
    const DescriptiveBootstrapResults r = SamplerEntropy(kUnits, kVars, w.data.data(), w.types.data(), 1.0,
                                                         w.settings, rng, static_cast<int>(state.range(0)), {},
                                                         nullptr);
    benchmark::DoNotOptimize(r.lower.data());
  }
  gsl_rng_free(rng);
}

}  // namespace

BENCHMARK(BM_SamplerMeans)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SamplerEntropy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

// Randomization test comparing variables (option A), the test itself.
// Workload: 100 sampling units by 20 variables (abundance-like values drawn
// from a gamma distribution, fixed seed), 9999 permutations (9998 random data
// sets, each variable permuted independently), each random data set passed
// through the transformation and resemblance measure in force:
//  - correlation between variables, no transformation;
//  - Hellinger transformation within sampling units, then Euclidean distance
//    between variables.
// Argument: the processor limit (1 or 2 threads). The drawing of the lists
// from one generator is part of the time.
#include <benchmark/benchmark.h>
#include <omp.h>

#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationGenerator.h"
#include "randomization/VariableTest.h"

namespace {

constexpr int kUnits = 100, kVars = 20, kPermutations = 9999;

struct Workload {
  Workload(int measure, int withinUnits) : data(kUnits, kVars), observed(kVars, kVars) {
    std::mt19937 gen(20240601);
    std::gamma_distribution<double> gamma(2.0, 3.0);
    for (int i = 0; i < kUnits; i++)
      for (int j = 0; j < kVars; j++) data[i][j] = gamma(gen);
    in.nObj = kUnits;
    in.nVar = kVars;
    in.data = data.data();
    in.transform.withinUnits = withinUnits;
    in.resemblance.direction = 2;
    in.resemblance.measure = measure;
    in.nPermutations = kPermutations;
    Matrix transformed = data;
    DataTransformationsLib(in.transform, kUnits, kVars, transformed.data());
    ResemblanceLib(in.resemblance, kUnits, kVars, transformed.data(), observed.data());
    in.observed = observed.data();
  }
  Matrix data, observed;
  VariableTestInput in;
};

void Run(benchmark::State& state, Workload& w) {
  // The processor limit, as the preferences set it for the whole program.
  const int saved = omp_get_max_threads();
  omp_set_num_threads(static_cast<int>(state.range(0)));
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const VariableTestResult r = RandomizationTestVariables(w.in, g.get());
    benchmark::DoNotOptimize(r.probability[0][1]);
  }
  omp_set_num_threads(saved);
}

void BM_VariableTestCorrelation(benchmark::State& state) {
  Workload w(17, TR_VEC_NONE);
  Run(state, w);
}

void BM_VariableTestHellingerEuclidean(benchmark::State& state) {
  Workload w(3, TR_VEC_HELLINGER);
  Run(state, w);
}

}  // namespace

BENCHMARK(BM_VariableTestCorrelation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_VariableTestHellingerEuclidean)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_MAIN();

// The simulation generators (letters U and J), the whole runs.
// U with the bootstrap: 100 data sets of 30 units x 20 species, unimodal
// responses along 2 gradients of lengths 3 and 2 (maximum expected count 10,
// noise 0.3), Hellinger within units, Euclidean distances, principal
// coordinates, 3 axes evaluated, the bootstrap criterion with 99 iterations
// at the full sample size only.
// U without the bootstrap: 1000 data sets of 50 units x 30 variables, linear
// responses to 3 gradients (strengths 3, 2, 1, noise 1), principal components
// of correlations, 5 axes evaluated.
// J: 200 models of 6 variables and 7 paths (coefficients 0.2 to 0.8, error
// variance 1), 100 units, 999 permutations per test (true and false models),
// all variables permuted at once.
// Threads: 1 and 2 (the argument).
#include <benchmark/benchmark.h>

#include "simulation/DimensionSimulation.h"
#include "simulation/PathModelSimulation.h"

namespace {

void BM_DimensionsWithBootstrap(benchmark::State& state) {
  DimensionSimulationSettings s;
  s.model.units = 30;
  s.model.variables = 20;
  s.model.kind = ResponseKind::UNIMODAL;
  s.model.strength = {3.0, 2.0};
  s.model.noise = 0.3;
  s.model.maxCount = 10.0;
  s.analysis = MakeOrdinationAnalysis(1, 3, 1, 10);
  s.maxAxes = 3;
  s.initialSize = 30;
  s.bootstrapIterations = 99;
  s.tables = 100;
  for (auto _ : state) {
    const DimensionSimulationResults r = RunDimensionSimulation(s, 12345, nullptr, static_cast<int>(state.range(0)), {});
    benchmark::DoNotOptimize(r.analysed);
  }
}

void BM_DimensionsWithoutBootstrap(benchmark::State& state) {
  DimensionSimulationSettings s;
  s.model.units = 50;
  s.model.variables = 30;
  s.model.strength = {3.0, 2.0, 1.0};
  s.model.noise = 1.0;
  s.analysis = MakeOrdinationAnalysis(2, 17, 2, 0);
  s.maxAxes = 5;
  s.tables = 1000;
  for (auto _ : state) {
    const DimensionSimulationResults r = RunDimensionSimulation(s, 12345, nullptr, static_cast<int>(state.range(0)), {});
    benchmark::DoNotOptimize(r.analysed);
  }
}

void BM_PathModels(benchmark::State& state) {
  PathSimulationSettings s;
  s.variables = 6;
  s.paths = 7;
  s.sampleSize = 100;
  s.coefficientLow = 0.2;
  s.coefficientHigh = 0.8;
  s.errorVariance = 1.0;
  s.models = 200;
  s.permutations = 999;
  s.alpha = 0.05;
  for (auto _ : state) {
    const PathSimulationResults r = RunPathSimulation(s, 12345, nullptr, static_cast<int>(state.range(0)), {});
    benchmark::DoNotOptimize(r.trueModels.rejected);
  }
}

}  // namespace

BENCHMARK(BM_DimensionsWithBootstrap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DimensionsWithoutBootstrap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PathModels)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

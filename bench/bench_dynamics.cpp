// Analyses of dynamics (option Y), the kernels.
// Markov fitting: 60 states by 20 variables (abundances drawn uniformly from
// 0 to 10, fixed seed), lags 1 to 5, the randomization test for Markovity
// with 999 orders (998 random ones), at 1 and 2 threads (second argument).
// Canonical serial scaling: 200 units by 30 variables (standard normal, fixed
// seed), correlation between variables, 40 block sizes.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "dynamics/MarkovFitting.h"
#include "dynamics/MarkovTest.h"
#include "dynamics/SerialScaling.h"
#include "randomization/IterationGenerator.h"

namespace {

Matrix Table(int n, int p, bool abundances) {
  std::mt19937 gen(20240601);
  std::uniform_real_distribution<double> uniform(0.0, 10.0);
  std::normal_distribution<double> normal;
  Matrix X(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) X[i][j] = abundances ? uniform(gen) : normal(gen);
  return X;
}

void BM_MarkovFittingAndTest(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), p = 20, L = 5;
  const int threads = static_cast<int>(state.range(1));
  const Matrix X = Table(n, p, true);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  std::vector<Matrix> T(L, Matrix(p, p));
  std::vector<double**> rows;
  for (auto& t : T) rows.push_back(t.data());
  for (auto _ : state) {
    FitMarkov(n, p, L, X.data(), rows.data());
    const MarkovityResult r = MarkovityTest(n, p, L, X.data(), 999, g.get(), {}, threads);
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_CanonicalSerialScaling(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), p = 30;
  const Matrix X = Table(n, p, false);
  ResemblanceChoice choice;
  choice.direction = 2;
  choice.measure = 17;
  for (auto _ : state) {
    const SerialScalingResult r = CanonicalSerialScalingLib(choice, n, p, X.data());
    benchmark::DoNotOptimize(r.predicted[1][0]);
  }
}

}  // namespace

BENCHMARK(BM_MarkovFittingAndTest)->Args({60, 1})->Args({60, 2})->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CanonicalSerialScaling)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_MAIN();

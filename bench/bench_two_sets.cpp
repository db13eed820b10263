// Randomization tests between two data sets (option K), the tests themselves.
// Workloads (tables drawn from a standard normal distribution, fixed seeds;
// 999 permutations, that is 998 random ones):
//  - Mantel, partial Mantel and Rd: n = 1000 units, Euclidean distances of
//    two (three) random tables of 5 variables each;
//  - RV and Procrustes: 200 units x 20 variables in each table;
//  - redundancy analysis: 200 units, 10 responses, 5 explanatory variables;
//  - linear models: 200 units, 10 responses, 5 factors.
// The argument is the number of threads (1 or 2). The distance matrices are
// computed once, outside the timed loop.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationGenerator.h"
#include "randomization/TwoSetTests.h"

namespace {

Matrix RandomTable(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> normal;
  Matrix X(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) X[i][j] = normal(gen);
  return X;
}

Matrix Euclidean(const Matrix& X) {
  const int n = X.rows();
  Matrix D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double s = 0;
      for (int k = 0; k < X.cols(); k++) s += (X[i][k] - X[j][k]) * (X[i][k] - X[j][k]);
      D[i][j] = std::sqrt(s);
    }
  return D;
}

TwoSetTestRun Run(const benchmark::State& state) {
  TwoSetTestRun run;
  run.permutations = 999;
  run.maxThreads = static_cast<int>(state.range(0));
  return run;
}

struct Distances {
  static const Distances& Get() {
    static const Distances d;
    return d;
  }
  Matrix a = Euclidean(RandomTable(1000, 5, 1)), b = Euclidean(RandomTable(1000, 5, 2)),
         c = Euclidean(RandomTable(1000, 5, 3));
};

void BM_Mantel1000(benchmark::State& state) {
  const Distances& d = Distances::Get();
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const TwoSetTestResult r = MantelTest(1000, d.a.data(), d.b.data(), g.get(), Run(state));
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_PartialMantel1000(benchmark::State& state) {
  const Distances& d = Distances::Get();
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const TwoSetTestResult r = PartialMantelTest(1000, d.a.data(), d.b.data(), d.c.data(), g.get(), Run(state));
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_Rd1000(benchmark::State& state) {
  const Distances& d = Distances::Get();
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const TwoSetTestResult r = RdTest(1000, d.a.data(), d.b.data(), g.get(), Run(state));
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_RV200(benchmark::State& state) {
  const Matrix x = RandomTable(200, 20, 4), y = RandomTable(200, 20, 5);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const TwoSetTestResult r = RVTest(200, 20, 20, x.data(), y.data(), g.get(), Run(state));
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_Procrustes200(benchmark::State& state) {
  const Matrix x = RandomTable(200, 20, 4), y = RandomTable(200, 20, 5);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    const TwoSetTestResult r = ProcrustesTest(200, 20, 20, x.data(), y.data(), g.get(), Run(state));
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_RDA200(benchmark::State& state) {
  const Matrix y = RandomTable(200, 10, 6), x = RandomTable(200, 5, 7);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    TwoSetTestResult r;
    RdaTest(200, 10, 5, y.data(), x.data(), 5, g.get(), Run(state), r);
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

void BM_LinearModels200(benchmark::State& state) {
  const Matrix y = RandomTable(200, 10, 6), x = RandomTable(200, 5, 7);
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  for (auto _ : state) {
    TwoSetTestResult r;
    LinearModelTest(200, 10, 5, y.data(), x.data(), PermutationRestriction{}, g.get(), Run(state), r);
    benchmark::DoNotOptimize(r.probability[0]);
  }
}

}  // namespace

BENCHMARK(BM_Mantel1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PartialMantel1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Rd1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RV200)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_Procrustes200)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_RDA200)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_LinearModels200)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_MAIN();

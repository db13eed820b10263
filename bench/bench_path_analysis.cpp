// Path analysis (option F), the tests themselves.
// Workloads (values from the Park-Miller table of BenchData.h, turned into a
// chain of variables x_j = 0.7 x_(j-1) + u_j so that the correlations are
// real, as in a path model):
//  - basis-set test: 100 sampling units by 8 variables, a model with 10
//    d-separation statements of orders 0 to 3, 9999 permutations, under each
//    null model (every variable permuted, or only each statement's first);
//  - undirected dependency search: 100 units by 10 variables, 999
//    permutations per batch of tests, alpha 0.05 (every batch the search
//    runs on these data).
// Argument: the processor limit (1 or 2 threads). The drawing of the lists
// from one generator (one per variable and permutation, in the order of the
// sequential stream) is part of the time.
#include <benchmark/benchmark.h>
#include <omp.h>

#include <vector>

#include "BenchData.h"
#include "ZQLib/Matrix.h"
#include "pathanalysis/BasisSetTest.h"
#include "pathanalysis/UndirectedSearch.h"
#include "randomization/IterationGenerator.h"
#include "resemblance/ResemblanceLib.h"

namespace {

Matrix ChainTable(int n, int p) {
  const std::vector<double> u = benchdata::ParkMillerTable(n, p);
  Matrix m(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) m[i][j] = u[static_cast<size_t>(i) * p + j] + (j > 0 ? 0.7 * m[i][j - 1] : 0.0);
  return m;
}

void WithThreads(benchmark::State& state, const std::function<void()>& body) {
  const int saved = omp_get_max_threads();
  omp_set_num_threads(static_cast<int>(state.range(0)));
  for (auto _ : state) body();
  omp_set_num_threads(saved);
}

void BasisSet(benchmark::State& state, int nullModel) {
  const Matrix table = ChainTable(100, 8);
  BasisSetTestInput in;
  in.nObj = 100;
  in.nVar = 8;
  in.data = table.data();
  in.nullModel = nullModel;
  in.nPermutations = 9999;
  in.elements = {{0, 2, {1}},       {0, 3, {2}},       {1, 3, {2}},       {0, 4, {3}},    {2, 5, {4}},
                 {0, 5, {1, 4}},    {3, 6, {5}},       {1, 6, {0, 5}},    {2, 7, {6, 1, 4}}, {0, 7, {6, 3, 2}}};
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  WithThreads(state, [&] {
    const BasisSetTestResult r = BasisSetPermutationTest(in, g.get());
    benchmark::DoNotOptimize(r.fisher.C);
  });
}

void BM_BasisSetTestAllPermuted(benchmark::State& state) { BasisSet(state, PERMUTE_ALL_ITEMS); }
void BM_BasisSetTestFirstPermuted(benchmark::State& state) { BasisSet(state, PERMUTE_FIRST_ITEM); }

void BM_UndirectedSearch(benchmark::State& state) {
  const Matrix table = ChainTable(100, 10);
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  Matrix observed(10, 10);
  ResemblanceLib(c, 100, 10, table.data(), observed.data());
  PartialCorrelationRun run;
  run.nObj = 100;
  run.nVar = 10;
  run.data = table.data();
  run.observed = observed.data();
  run.nPermutations = 999;
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  int64_t batches = 0;
  WithThreads(state, [&] {
    batches = 0;
    const LinkMatrix links =
        SearchUndirectedDependencies(run, 0.05, g.get(), {}, [&](const PartialCorrelationBatch&, const LinkMatrix&) {
          batches++;
        });
    benchmark::DoNotOptimize(links.Linked(0, 1));
  });
  state.counters["batches"] = static_cast<double>(batches);
}

}  // namespace

BENCHMARK(BM_BasisSetTestAllPermuted)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_BasisSetTestFirstPermuted)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_UndirectedSearch)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();

// Hierarchical clustering of 2000 objects.
// Workload: 2000 points drawn uniformly in the 5-dimensional unit cube (fixed
// seed), Euclidean distance matrix; one full clustering per iteration with
// average linkage (UPGMA, method 4) and with Ward's incremental sum of
// squares (method 3). Both rescan all pairs of current groups at every
// step, O(n^3) overall.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterReport.h"

namespace {

struct Workload {
  explicit Workload(int n) : n(n), store(static_cast<size_t>(n) * n), rows(n) {
    std::mt19937 gen(20070516);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> x(static_cast<size_t>(n) * 5);
    for (auto& v : x) v = u(gen);
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) {
        double s = 0;
        for (int t = 0; t < 5; t++) s += (x[i * 5 + t] - x[j * 5 + t]) * (x[i * 5 + t] - x[j * 5 + t]);
        rows[i][j] = std::sqrt(s);
      }
  }
  int n;
  std::vector<double> store;
  std::vector<double*> rows;
};

void BM_AverageLinkage(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  clusterReport* rep = AllocClusterReport(w.n, 1, false);
  for (auto _ : state) {
    LinkageCluster(w.n, w.rows.data(), rep, true, false, kUPGMA, true);
    benchmark::DoNotOptimize(rep[w.n - 2].level);
  }
  FreeClusterReport(w.n, rep);
}

void BM_SingleLinkage(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  clusterReport* rep = AllocClusterReport(w.n, 1, false);
  for (auto _ : state) {
    LinkageCluster(w.n, w.rows.data(), rep, true, false, kSingleLinkage, true);
    benchmark::DoNotOptimize(rep[w.n - 2].level);
  }
  FreeClusterReport(w.n, rep);
}

void BM_Ward(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  clusterReport* rep = AllocClusterReport(w.n, 1, false);
  for (auto _ : state) {
    SumSqCluster(w.n, w.rows.data(), rep, false);
    benchmark::DoNotOptimize(rep[w.n - 2].level);
  }
  FreeClusterReport(w.n, rep);
}

}  // namespace

BENCHMARK(BM_AverageLinkage)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Ward)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SingleLinkage)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();

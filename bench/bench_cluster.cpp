// Hierarchical clustering of 2000 and 5000 objects.
// Workload: points drawn uniformly in the 5-dimensional unit cube
// (BenchData.h, the same table as bench/compare_with_r.sh gives R's hclust),
// Euclidean distance matrix; one full clustering per iteration with average
// linkage (UPGMA, method 4), Ward's incremental sum of squares (method 3) and
// single linkage (method 1). Each keeps the best pair of every row and
// rescans only the rows a fusion touches: typically O(n^2) time; Ward adds
// the sums of squared distances between the members of the fused groups,
// O(n^2) reads of the distance matrix over the whole history.
//
// Wall time on the 2-core machine (load from other work varied):
//                       n = 2000   n = 5000
//   before (rescan every pair at every step, O(n^3)):
//     UPGMA               1.32 s    30.0 s
//     Ward                2.42 s    47.7 s
//     single linkage      1.37 s    30.1 s
//   after: see README.md (performance table)
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchData.h"
#include "cluster/ClusterMethods.h"
#include "cluster/ClusterReport.h"

namespace {

struct Workload {
  explicit Workload(int n) : n(n), store(static_cast<size_t>(n) * n), rows(n) {
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
    benchdata::EuclideanDistances(n, 5, benchdata::ParkMillerTable(n, 5), rows.data());
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

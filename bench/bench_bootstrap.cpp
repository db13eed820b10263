// Bootstrap of group partition sharpness (after option C), the bootstrap
// itself.
// Workload: 100 sampling units in 4 clear groups of 25 (5 variables, group g
// centred at 6 on variable g, standard normal noise, fixed seed), Euclidean
// distances; the reference clustered by average linkage (UPGMA, method 4) or
// Ward's method (3); partitions into 2..5 groups; samples of 20, 40, 60, 80
// and 100 units; 1000 iterations. Threads: 1 and 2 (second argument).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/PartitionSharpness.h"
#include "cluster/ClusterMethods.h"
#include "cluster/ClusterReport.h"

namespace {

constexpr int kUnits = 100, kVars = 5;

struct Workload {
  explicit Workload(int method) : d(kUnits, kUnits), rep(AllocClusterReport(kUnits, 1, false)) {
    std::mt19937 gen(20240917);
    std::normal_distribution<double> noise;
    std::vector<std::vector<double>> x(kUnits, std::vector<double>(kVars));
    for (int i = 0; i < kUnits; i++)
      for (int t = 0; t < kVars; t++) x[i][t] = (t == i % 4 ? 6.0 : 0.0) + noise(gen);
    for (int i = 0; i < kUnits; i++)
      for (int j = 0; j < kUnits; j++) {
        double s = 0;
        for (int t = 0; t < kVars; t++) s += (x[i][t] - x[j][t]) * (x[i][t] - x[j][t]);
        d[i][j] = std::sqrt(s);
      }
    if (method == kWard)
      SumSqCluster(kUnits, d.data(), rep, false);
    else
      LinkageCluster(kUnits, d.data(), rep, true, false, method, true);
    settings.kmax = 5;
    settings.initialSize = 20;
    settings.step = 20;
    settings.method = method;
    settings.isDissim = true;
    settings.measure = 3;
  }
  ~Workload() { FreeClusterReport(kUnits, rep); }
  Matrix d;
  clusterReport* rep;
  SharpnessSettings settings;
};

void BM_PartitionSharpness(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  const SharpnessReference ref(kUnits, w.d.data(), w.rep, w.settings);
  const int threads = static_cast<int>(state.range(1));
  for (auto _ : state) {
    const SharpnessResults r = RunPartitionSharpness(ref, 1000, 12345, nullptr, threads, {}, nullptr);
    benchmark::DoNotOptimize(r.meanG.data());
  }
  state.SetLabel(state.range(0) == kWard ? "Ward" : "UPGMA");
}

}  // namespace

BENCHMARK(BM_PartitionSharpness)
    ->Args({kUPGMA, 1})
    ->Args({kUPGMA, 2})
    ->Args({kWard, 1})
    ->Args({kWard, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();

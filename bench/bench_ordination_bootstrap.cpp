// Bootstrap of ordination dimensions (after option O), the bootstrap itself.
// Workload: 60 sampling units x 30 species; abundance of species j at unit i
// = floor(9 u) where u is the Park-Miller value of the cell (BenchData.h),
// set to 0 when u < 0.3, plus a gradient: 3 more on the first ten species
// for the first twenty units, on the next ten for the next twenty. The
// Hellinger transformation within units, Euclidean distances, principal
// coordinates; 3 axes monitored; samples of 20, 30, 40, 50 and 60 units;
// 1000 iterations. Threads: 1 and 2 (the argument).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "ZQLib/Matrix.h"
#include "BenchData.h"
#include "bootstrap/OrdinationBootstrap.h"
#include "ordination/OrdinationLib.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

namespace {

constexpr int kUnits = 60, kSpecies = 30;

struct Workload {
  Workload() : table(kUnits, kSpecies) {
    const std::vector<double> u = benchdata::ParkMillerTable(kUnits, kSpecies);
    for (int i = 0; i < kUnits; i++)
      for (int j = 0; j < kSpecies; j++) {
        const double x = u[static_cast<size_t>(i) * kSpecies + j];
        table[i][j] = (x < 0.3 ? 0.0 : std::floor(9.0 * x)) + (i / 20 == j / 10 ? 3.0 : 0.0);
      }
    analysis.transform.withinUnits = TR_VEC_HELLINGER;
    analysis.resemblance.direction = 1;
    analysis.resemblance.measure = 3;
    analysis.ordination.type = 1;
    analysis.ordination.reseType = 3;
    analysis.ordination.reseDir = 1;
    // The reference: the whole analysis of all units.
    Matrix t = table, rese(kUnits, kUnits), evec(kUnits, kUnits), scores(kUnits, kUnits);
    std::vector<double> eig(kUnits);
    DataTransformationsLib(analysis.transform, kUnits, kSpecies, t.data());
    ResemblanceLib(analysis.resemblance, kUnits, kSpecies, t.data(), rese.data());
    bool ok = true;
    OrdinationLib_D(analysis.ordination, kUnits, kSpecies, t.data(), rese.data(), evec.data(), scores.data(), &rank,
                    eig.data(), &ok);
    refScores = scores;
    settings.nAxes = 3;
    settings.initialSize = 20;
    settings.step = 10;
  }
  Matrix table, refScores;
  int rank = 0;
  OrdinationAnalysis analysis;
  OrdinationBootstrapSettings settings;
};

void BM_OrdinationBootstrap(benchmark::State& state) {
  Workload w;
  const OrdinationBootstrapReference ref(kUnits, kSpecies, w.table.data(), w.rank, w.refScores.data(), w.analysis,
                                         w.settings);
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const OrdinationBootstrapResults r = RunOrdinationBootstrap(ref, 1000, 12345, nullptr, threads, {}, nullptr);
    benchmark::DoNotOptimize(r.meanRo.data());
  }
}

}  // namespace

BENCHMARK(BM_OrdinationBootstrap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

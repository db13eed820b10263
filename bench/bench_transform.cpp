// DataTransformationsLib on a 2000 x 200 table (sampling units x variables) of
// abundance-like counts, about 40% zeros and 1% missing cells, for the common
// options. Each iteration restores the table from the original (a 400 000-cell
// copy, included in the time, as the menu and the resampling tests do) and
// applies the transformation in place.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "ZQLib/zqlibDim.h"
#include "transform/DataTransformationsLib.h"

namespace {

constexpr int kRows = 2000;
constexpr int kCols = 200;

struct Tables {
  double** orig;
  double** work;
  Tables() {
    orig = dimDouble2D(kRows, kCols);
    work = dimDouble2D(kRows, kCols);
    uint64_t s = 88172645463325252ull;
    for (int i = 0; i < kRows; i++)
      for (int j = 0; j < kCols; j++) {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        unsigned r = static_cast<unsigned>(s % 1000);
        orig[i][j] = r < 10 ? -999.0 : (r < 400 ? 0.0 : static_cast<double>(r % 23));
      }
  }
  ~Tables() {
    freeDouble2D(orig, kRows);
    freeDouble2D(work, kRows);
  }
  void Restore() {
    for (int i = 0; i < kRows; i++) memcpy(work[i], orig[i], sizeof(double) * kCols);
  }
};

Tables& Shared() {
  static Tables t;
  return t;
}

// args: scalar, within variables, within units
void BM_DataTransformationsLib(benchmark::State& state) {
  Tables& t = Shared();
  int scalar = static_cast<int>(state.range(0));
  int optVar = static_cast<int>(state.range(1));
  int optUnits = static_cast<int>(state.range(2));
  for (auto _ : state) {
    t.Restore();
    DataTransformationsLib(kRows, kCols, t.work, scalar, optVar, optUnits, 5, 5, 0, true, false);
    benchmark::DoNotOptimize(t.work[0][0]);
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_RestoreOnly(benchmark::State& state) {
  Tables& t = Shared();
  for (auto _ : state) {
    t.Restore();
    benchmark::DoNotOptimize(t.work[0][0]);
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

}  // namespace

BENCHMARK(BM_RestoreOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataTransformationsLib)
    ->ArgNames({"scalar", "var", "units"})
    ->Args({1, 0, 0})     // presence/absence
    ->Args({2, 0, 0})     // square root
    ->Args({3, 0, 0})     // logarithm
    ->Args({0, 0, 1})     // marginal total within units
    ->Args({0, 0, 10})    // Hellinger within units
    ->Args({0, 5, 0})     // centring and normalization within variables (correlation)
    ->Args({0, 2, 0})     // covariance scaling within variables
    ->Args({0, 7, 0})     // range within variables
    ->Args({0, 8, 0})     // classes within variables
    ->Args({0, 9, 0})     // ranks within variables
    ->Args({0, 9, 9})     // ranks in both directions
    ->Args({3, 1, 4})     // log, totals within variables, normalization within units
    ->Args({0, 0, 6})     // double adjustment
    ->Args({1, 0, 11})    // presence/absence then Beals smoothing
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

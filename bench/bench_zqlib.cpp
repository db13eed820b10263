// Array library costs.
// Workloads: allocate and release a 1000 x 1000 double matrix (dim2D/free2D);
// print a 300 x 300 matrix of varied magnitudes with automatic width and 5
// significant digits to a null stream (PrintMatrix); compare 1e6 pairs of
// doubles within 4 units in the last place (AlmostEqual2sComplement).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "ZQLib/zqlibDim.h"

static void BM_Dim2DFree2D(benchmark::State& state) {
  for (auto _ : state) {
    double** m = dimDouble2D(1000, 1000);
    benchmark::DoNotOptimize(m[999][999]);
    freeDouble2D(m, 1000);
  }
}
BENCHMARK(BM_Dim2DFree2D);

static void BM_PrintMatrix(benchmark::State& state) {
  const int n = 300;
  double** m = dimDouble2D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) m[i][j] = (i - j) * 1.0371 + (i * j % 7) * 100.5;
  FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : state) benchmark::DoNotOptimize(PrintMatrix(sink, n, n, m, 5, 0));
  std::fclose(sink);
  freeDouble2D(m, n);
}
BENCHMARK(BM_PrintMatrix)->Unit(benchmark::kMillisecond);

static void BM_AlmostEqual(benchmark::State& state) {
  const int n = 1000000;
  double* a = dimDouble1D(n);
  double* b = dimDouble1D(n);
  for (int i = 0; i < n; i++) {
    a[i] = i * 0.001;
    b[i] = a[i] * (1.0 + 1e-8 * (i % 3));
  }
  for (auto _ : state) {
    int count = 0;
    for (int i = 0; i < n; i++) count += AlmostEqual2sComplement(a[i], b[i], 4);
    benchmark::DoNotOptimize(count);
  }
  free1D(a);
  free1D(b);
}
BENCHMARK(BM_AlmostEqual)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

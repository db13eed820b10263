// Principal coordinates of 1000, 2000 and 4000 sampling units.
//
// Workload: a table of n units by 20 variables of uniform values
// (BenchData.h; bench/compare_with_r.sh gives R the same table), Euclidean
// distances between units computed once outside the timed loop.
// OrdinationLib_D (type 1) squares the distances, Gower-centres them,
// decomposes the centred matrix and computes the scores of every kept axis
// (20 here: the table has 20 variables). The decomposition is also timed on
// its own, with every eigenvector and with the first 20, at one thread and
// at the machine's two.
//
// Where the time goes: the reduction of the dense centred matrix to
// tridiagonal form (dsytrd, O(n^3), half of it matrix-vector products that
// are memory-bound once the matrix leaves the cache) is the floor; the
// eigenvalues of the tridiagonal matrix cost O(n^2). Every eigenvector adds
// the eigenvectors of the tridiagonal matrix and the back-transformation
// (2 n^3 in matrix products); the 20 eigenvectors of the kept axes add
// 2 n^2 20, a few per cent. OrdinationLib_D computes the eigenvectors of the
// kept axes only, since nothing reads the others. For every eigenvector,
// divide and conquer on the tridiagonal matrix (as in dsyevd, timed below as
// a whole) took 0.29 s at n = 2000 where the relatively robust
// representations of dsyevr took 0.94 s; for a few, the latter cost O(n)
// each. Threads: see DecompositionThreads in EigenKernels.cpp; under load
// from other work, two threads waiting for each other at every BLAS call
// make a decomposition many times slower (dsyevd below).
//
// Before (GSL's gsl_eigen_symmv, Householder tridiagonalisation plus implicit
// QL accumulating every rotation into the eigenvectors), on the same machine:
// OrdinationLib_D n = 1000 2.2 s, n = 2000 30 s. After: README.md.
#include <benchmark/benchmark.h>
#include <lapacke.h>
#include <omp.h>

#include <cstring>
#include <vector>

#include "BenchData.h"
#include "ZQLib/zqlibDim.h"
#include "ordination/EigenKernels.h"
#include "ordination/OrdinationLib.h"

namespace {

constexpr int kVariables = 20;

struct Problem {
  int n;
  double** distances;
  double** centred;
  double** evectors;
  double** scores;
  std::vector<double> eig;
  explicit Problem(int units)
      : n(units),
        distances(dimDouble2D(units, units)),
        centred(dimDouble2D(units, units)),
        evectors(dimDouble2D(units + 1, units + 1)),
        scores(dimDouble2D(units, units)),
        eig(units + 1) {
    benchdata::EuclideanDistances(units, kVariables, benchdata::ParkMillerTable(units, kVariables), distances);
    OrdinationMatrix(units, distances, 1, 3, centred);
  }
  ~Problem() {
    freeDouble2D(distances, n);
    freeDouble2D(centred, n);
    freeDouble2D(evectors, n + 1);
    freeDouble2D(scores, n);
  }
};

// Thread limit of the benchmark (state.range(1)), restored afterwards.
struct Threads {
  explicit Threads(int n) : before(omp_get_max_threads()) { omp_set_num_threads(n); }
  ~Threads() { omp_set_num_threads(before); }
  int before;
};

void BM_PrincipalCoordinates(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int rank = 0;
    bool ok = false;
    OrdinationLib_D(p.n, kVariables, nullptr, p.distances, p.evectors, p.scores, &rank, p.eig.data(), &ok, 1, 3, 1);
    benchmark::DoNotOptimize(rank);
  }
}

void BM_GowerCentring(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    OrdinationMatrix(p.n, p.distances, 1, 3, p.centred);
    benchmark::ClobberMemory();
  }
}

void BM_EigenAllVectors(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  Threads t(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    bool ok = EigenHouseholderQL_GSL_D(p.n, p.centred, p.evectors, p.eig.data());
    benchmark::DoNotOptimize(ok);
  }
}

void BM_EigenLeading20(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  Threads t(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    bool ok = EigenLeadingVectors(p.n, p.centred, 20, p.evectors, p.eig.data());
    benchmark::DoNotOptimize(ok);
  }
}

// LAPACK's divide-and-conquer driver on the same matrix, for comparison.
void BM_EigenAllVectorsDivideAndConquer(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  Threads t(static_cast<int>(state.range(1)));
  std::vector<double> a(static_cast<size_t>(p.n) * p.n), w(p.n);
  for (auto _ : state) {
    for (int i = 0; i < p.n; i++) std::memcpy(a.data() + static_cast<size_t>(i) * p.n, p.centred[i], sizeof(double) * p.n);
    benchmark::DoNotOptimize(LAPACKE_dsyevd(LAPACK_COL_MAJOR, 'V', 'U', p.n, a.data(), p.n, w.data()));
  }
}

}  // namespace

BENCHMARK(BM_PrincipalCoordinates)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GowerCentring)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenAllVectors)->ArgsProduct({{1000, 2000, 4000}, {1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenAllVectorsDivideAndConquer)->ArgsProduct({{1000, 2000, 4000}, {1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenLeading20)->ArgsProduct({{1000, 2000, 4000}, {1, 2}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Principal coordinates of 1000 and 2000 sampling units.
//
// Workload: a pseudo-random table of n units by 20 variables (uniform values,
// fixed seed); the Euclidean distance matrix between units is computed once
// outside the timed loop. OrdinationLib_D(type 1) then squares the distances,
// Gower-centres them, runs the symmetric eigen-decomposition and computes the
// scores of every kept axis. The pieces are timed separately as well.
//
// Where the time goes: the eigen-decomposition of the dense n x n centred
// matrix (gsl_eigen_symmv: Householder tridiagonalisation plus implicit QL
// with accumulation of the eigenvectors, O(n^3), memory-bound beyond the
// cache) takes practically all of it; squaring and centring are O(n^2) and
// the scores O(rank n), each well under 1 % of the total. Measured CPU time
// on a shared 2-core machine (load ~9, so wall time was about double):
//   n = 1000: whole ordination 1.45 s, eigen 1.7 s, squaring + centring 3 ms
//   n = 2000: whole ordination 24.8 s, eigen 25.0 s, squaring + centring 18 ms
// Going from 1000 to 2000 units costs about 17 times more (8 from the cube,
// the rest from cache misses of the 32 MB matrix).

// Faster routes through GSL, measured on the same n = 1000 centred matrix
// (the machine idle, wall time):
//   gsl_eigen_symm (eigenvalues only)            0.25 s
//   gsl_linalg_symmtd_decomp (tridiagonal form)   0.23 s
//   gsl_linalg_symmtd_unpack (orthogonal factor)  0.24 s
//   gsl_eigen_symmv (values and vectors)          1.29 s
//   gsl_eigen_jacobi (values and vectors)         370 s
// So about 80 % of gsl_eigen_symmv is the accumulation of the QL rotations
// into the eigenvector matrix. The values-only routine cannot replace it:
// the scores need the eigenvector of every kept axis, and the kept axes run
// up to n - 1 (every axis with a positive eigenvalue; Euclidean distances
// between n units in more than n dimensions keep n - 1), all of them stored
// for the later bootstrap and the session track. The Jacobi routine is far
// slower. The decomposition is done once per ordination: OrdinationLib_D
// calls it a single time, and the report only rebuilds the centred matrix
// (O(n^2)) to print it and take its trace. The work around it (copying into
// and out of the GSL matrices, squaring, centring, scores) is O(n^2) or
// O(rank n), below 1 % of the total. A shortcut that would pay off is
// eigenvalues first and then eigenvectors by inverse iteration on the
// tridiagonal form only for the kept axes, back-transformed by the
// Householder reflectors; it helps only when few axes are kept and needs
// reorthogonalisation for close eigenvalues, so it is not done.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

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
    std::vector<double> x(static_cast<size_t>(units) * kVariables);
    unsigned s = 2024;
    for (double& v : x) {
      s = s * 1664525u + 1013904223u;
      v = (s >> 8) / 16777216.0;
    }
    for (int i = 0; i < units; i++)
      for (int j = 0; j < units; j++) {
        double d = 0;
        for (int k = 0; k < kVariables; k++) {
          const double t = x[i * kVariables + k] - x[j * kVariables + k];
          d += t * t;
        }
        distances[i][j] = std::sqrt(d);
      }
    OrdinationMatrix(units, distances, 1, 3, centred);
  }
  ~Problem() {
    freeDouble2D(distances, n);
    freeDouble2D(centred, n);
    freeDouble2D(evectors, n + 1);
    freeDouble2D(scores, n);
  }
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

void BM_EigenDecomposition(benchmark::State& state) {
  Problem p(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    bool ok = EigenHouseholderQL_GSL_D(p.n, p.centred, p.evectors, p.eig.data());
    benchmark::DoNotOptimize(ok);
  }
}

}  // namespace

BENCHMARK(BM_PrincipalCoordinates)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GowerCentring)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenDecomposition)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

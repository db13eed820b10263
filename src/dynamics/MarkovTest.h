// Randomization test for Markovity: is the observed order of the states more
// Markovian than random orders? For an order of the n states (rows of Y),
// transition matrices are fitted from Y, the sequence is projected from its
// first state lag after lag (Z), and after each lag the stress of Kruskal
// between the distances of Y and of Z measures the fit. The observed order
// counts as the first of the N orders; the other N - 1 are random
// permutations drawn from the generator in iteration order and evaluated in
// parallel through the iteration runner, so a seed gives the same results at
// any number of threads.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationRunner.h"

// Stresses of every lag for the states of X (n x p) taken in a given order.
// One object serves one thread; Evaluate allocates nothing.
class MarkovStressEvaluator {
 public:
  // distances: n x n Euclidean distances between the rows of X (RowDistances).
  MarkovStressEvaluator(int n, int p, int L, const double* const* X, const double* const* distances);
  // order[i]: the 1-based state at position i. K[l-1] receives the stress of
  // lag l (-1 when all the distances are 0).
  void Evaluate(const int* order, double* K);

 private:
  int n_, p_, L_;
  const double* const* X_;
  const double* const* distances_;
  std::vector<const double*> rows_;
  Matrix Z_, A_, B_;
  std::vector<Matrix> T_;
  std::vector<double**> tRows_;
  std::vector<double> work_;
};

struct MarkovityResult {
  int64_t orders = 0;                // N, the observed order included
  std::vector<double> observed;      // stress of the observed order, per lag
  std::vector<int64_t> counts;       // 1 + random orders with a stress at most as large (tie rule)
  std::vector<double> probability;   // counts / N
  std::vector<double> averageNull;   // sum of the random stresses / (N - 1); 0 when N = 1
  int threads = 1;
};

// N >= 1 orders; the random ones are RndList permutations drawn from rng.
// maxThreads as in IterationPlan (0: the session limit). The random orders
// go through the runner ordersPerRun at a time (0: as many as keep the
// stresses held within 2^22 values).
MarkovityResult MarkovityTest(int n, int p, int L, const double* const* X, int64_t N, gsl_rng* rng,
                              const ProgressHook& progress = {}, int maxThreads = 0, int64_t ordersPerRun = 0);

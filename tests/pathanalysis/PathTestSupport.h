// Tables and textbook statistics for the path-analysis tests, computed here
// independently of the program's kernels (with the randomization tests'
// helpers: generator, Pearson, permuted columns).
#pragma once
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "ZQLib/Matrix.h"
#include "pathanalysis/BasisSetTest.h"
#include "randomization/RandomTestSupport.h"

namespace path_test {

using rtest::Column;
using rtest::ColumnOf;
using rtest::FromColumns;
using rtest::Generator;
using rtest::Pearson;
using rtest::Permuted;

// First-order partial correlation r(a,b | c) from the three correlations.
inline double FirstOrder(double rab, double rac, double rbc) {
  return (rab - rac * rbc) / std::sqrt((1 - rac * rac) * (1 - rbc * rbc));
}

// A chain x1 -> x2 -> x3 and an unrelated x4 (standard normal errors).
inline Matrix Chain(int n, unsigned seed, double slope = 0.8) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> z(0.0, 1.0);
  Matrix m(n, 4);
  for (int i = 0; i < n; i++) {
    m[i][0] = z(gen);
    m[i][1] = slope * m[i][0] + 0.6 * z(gen);
    m[i][2] = slope * m[i][1] + 0.6 * z(gen);
    m[i][3] = z(gen);
  }
  return m;
}

// The basis-set test of `elements` on the table.
inline BasisSetTestInput Input(const Matrix& table, std::vector<BasisSetElement> elements, int nullModel, int N) {
  BasisSetTestInput in;
  in.nObj = table.rows();
  in.nVar = table.cols();
  in.data = table.data();
  in.elements = std::move(elements);
  in.nullModel = nullModel;
  in.nPermutations = N;
  return in;
}

}  // namespace path_test

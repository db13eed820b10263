// Tables of pseudo-random values for the benchmarks, from the Park-Miller
// minimal standard generator (x <- 16807 x mod 2^31 - 1, value x / (2^31 - 1)),
// which bench/compare_with_r.sh reproduces exactly in R, so that R's timings
// are taken on the same data.
#pragma once
#include <cmath>
#include <cstddef>
#include <vector>

namespace benchdata {

// rows x cols values in [0, 1), filled row by row.
inline std::vector<double> ParkMillerTable(int rows, int cols, long long seed = 20240601) {
  std::vector<double> x(static_cast<std::size_t>(rows) * cols);
  long long s = seed;
  for (double& v : x) {
    s = (16807 * s) % 2147483647;
    v = static_cast<double>(s) / 2147483647.0;
  }
  return x;
}

// Euclidean distances between the rows of a rows x cols table, into D.
inline void EuclideanDistances(int rows, int cols, const std::vector<double>& x, double** D) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < rows; j++) {
      double s = 0;
      for (int t = 0; t < cols; t++) {
        const double d = x[static_cast<std::size_t>(i) * cols + t] - x[static_cast<std::size_t>(j) * cols + t];
        s += d * d;
      }
      D[i][j] = std::sqrt(s);
    }
}

}  // namespace benchdata

// Canonical serial scaling: the number of block sizes, moving averages worked
// by hand, the correlations per block size against GSL's, and the value for
// block size one against an independent least-squares line (GSL's). (One
// block size and none: option Y's end-to-end test.)
#include <gtest/gtest.h>
#include <gsl/gsl_fit.h>
#include <gsl/gsl_statistics_double.h>

#include <cmath>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "dynamics/SerialScaling.h"

namespace {

ResemblanceChoice Correlation() {
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  return c;
}

TEST(SerialScaling, BlockCount) {
  const int cases[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {10, 4}, {99, 39}, {100, 40}, {200, 40}};
  for (const auto& c : cases) EXPECT_EQ(SerialScalingBlockCount(c[0]), c[1]) << c[0];
}

TEST(SerialScaling, MovingAverages) {
  const Matrix data = {{1, 10}, {2, MISSING_VALUE}, {6, 30}, {3, MISSING_VALUE}};
  Matrix M(4, 2);
  MovingAverages(4, 2, data.data(), 3, M.data());
  // Rows 0 and 1 hold means of three units (missing values left out); rows
  // 2 and 3 are 0.
  EXPECT_DOUBLE_EQ(M[0][0], 3);
  EXPECT_DOUBLE_EQ(M[1][0], 11.0 / 3);
  EXPECT_DOUBLE_EQ(M[0][1], 20);
  EXPECT_DOUBLE_EQ(M[1][1], 30);
  for (int i = 2; i < 4; i++) EXPECT_EQ(M[i][0] + M[i][1], 0.0);
  const Matrix gaps = {{MISSING_VALUE}, {MISSING_VALUE}, {1}};
  Matrix G(3, 1);
  MovingAverages(3, 1, gaps.data(), 2, G.data());
  EXPECT_EQ(G[0][0], MISSING_VALUE);
  EXPECT_EQ(G[1][0], 1.0);
}

TEST(SerialScaling, FittedAtOneOfOnePointAndOfNone) {
  // (Lines through several points: against GSL's below.)
  const double x[] = {3}, y[] = {0.2};
  EXPECT_DOUBLE_EQ(FittedAtOne(1, x, y), 0.2);
  EXPECT_EQ(FittedAtOne(0, x, y), MISSING_VALUE);
}

// Twelve units of three variables with a trend and noise.
Matrix Series() {
  Matrix X(12, 3);
  for (int i = 0; i < 12; i++) {
    X[i][0] = i + std::sin(1.7 * i);
    X[i][1] = 12 - i + 3 * std::cos(2.3 * i);
    X[i][2] = std::sin(0.9 * i) * 4 + (i % 3);
  }
  return X;
}

TEST(CanonicalSerialScalingLib, EveryBlockAndTheLineAgainstGsl) {
  const Matrix X = Series();
  const int n = 12, p = 3;
  std::vector<std::vector<double>> corr(p * p);  // per pair, over block sizes
  int seen = 0;
  const SerialScalingResult r = CanonicalSerialScalingLib(
      Correlation(), n, p, X.data(), [&](int b, const Matrix& M, const Matrix& C) {
        EXPECT_EQ(b, ++seen);
        const int rows = n - b + 1;
        // Moving averages by a direct sum; later rows 0.
        for (int i = 0; i < n; i++)
          for (int j = 0; j < p; j++) {
            double s = 0;
            for (int k = i; k < i + b && i + b <= n; k++) s += X[k][j];
            EXPECT_NEAR(M[i][j], i < rows ? s / b : 0.0, 1e-13);
          }
        // Correlations between the columns of the first rows.
        for (int a = 0; a < p; a++)
          for (int c = 0; c < p; c++) {
            std::vector<double> u(rows), v(rows);
            for (int i = 0; i < rows; i++) {
              u[i] = M[i][a];
              v[i] = M[i][c];
            }
            EXPECT_NEAR(C[a][c], gsl_stats_correlation(u.data(), 1, v.data(), 1, rows), 1e-12);
            corr[a * p + c].push_back(C[a][c]);
          }
      });
  ASSERT_EQ(r.blocks, 4);
  EXPECT_EQ(seen, 4);
  EXPECT_FALSE(r.refused);
  const double sizes[] = {1, 2, 3, 4};
  for (int a = 0; a < p; a++) EXPECT_EQ(r.predicted[a][a], 0.0);
  for (int a = 0; a < p; a++)
    for (int c = a + 1; c < p; c++) {
      EXPECT_EQ(r.predicted[a][c], 0.0);  // above the diagonal
      double c0, c1, cov00, cov01, cov11, ss;
      gsl_fit_linear(sizes, 1, corr[a * p + c].data(), 1, 4, &c0, &c1, &cov00, &cov01, &cov11, &ss);
      EXPECT_NEAR(r.predicted[c][a], c0 + c1, 1e-13);
    }
}

}  // namespace

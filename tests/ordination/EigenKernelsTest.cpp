// Symmetric eigen-decomposition and singular value decomposition, checked
// against matrices with known spectra and against the defining identities.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/TestMatrix.h"
#include "ordination/EigenKernels.h"

namespace {

// Q diag(d) Q' with Q a fixed rotation in the (0,1) and (1,2) planes, so
// that the spectrum is known while the matrix is full.
void RotatedDiagonal(const std::vector<double>& d, TestMatrix& A) {
  const double c1 = std::cos(0.3), s1 = std::sin(0.3), c2 = std::cos(1.1), s2 = std::sin(1.1);
  const double q[3][3] = {{c1, -s1 * c2, s1 * s2}, {s1, c1 * c2, -c1 * s2}, {0.0, s2, c2}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      double s = 0;
      for (int k = 0; k < 3; k++) s += q[i][k] * d[k] * q[j][k];
      A[i][j] = s;
    }
}

void ExpectEigenPairs(int n, const TestMatrix& A, const TestMatrix& V, const double* eig) {
  for (int k = 0; k < n; k++) {
    double norm = 0;
    for (int i = 0; i < n; i++) norm += V[k][i] * V[k][i];
    EXPECT_NEAR(norm, 1.0, 1e-12) << "eigenvector " << k;
    for (int i = 0; i < n; i++) {
      double av = 0;
      for (int j = 0; j < n; j++) av += A[i][j] * V[k][j];
      EXPECT_NEAR(av, eig[k] * V[k][i], 1e-10) << "A v = lambda v, vector " << k;
    }
    for (int l = k + 1; l < n; l++) {
      double dot = 0;
      for (int i = 0; i < n; i++) dot += V[k][i] * V[l][i];
      EXPECT_NEAR(dot, 0.0, 1e-12);
    }
  }
}

}  // namespace

TEST(EigenHouseholderQL, TridiagonalSpectrumAndInputUntouched) {
  // The second-difference matrix tridiag(-1, 2, -1) of order n has
  // eigenvalues 2 - 2 cos(k pi / (n + 1)), k = 1..n.
  const int n = 7;
  TestMatrix A(n, n), V(n, n);
  for (int i = 0; i < n; i++) {
    A[i][i] = 2;
    if (i + 1 < n) A[i][i + 1] = A[i + 1][i] = -1;
  }
  std::vector<double> eig(n);
  EXPECT_TRUE(EigenHouseholderQL_GSL_D(n, A, V, eig.data()));
  for (int k = 0; k < n; k++) EXPECT_NEAR(eig[k], 2 - 2 * std::cos((n - k) * M_PI / (n + 1)), 1e-12) << k;
  ExpectEigenPairs(n, A, V, eig.data());
  EXPECT_EQ(A[0][0], 2.0);
  EXPECT_EQ(A[0][1], -1.0);
}

TEST(EigenHouseholderQL, SortedBySignedValueWithNegativeTolerance) {
  // Spectrum, and whether the smallest eigenvalue lies within 0.1 % of the trace below zero.
  struct Case {
    std::vector<double> spectrum;  // in descending order
    bool accepted;
  };
  const Case cases[] = {
      {{3, 0.5, -1}, false},        // -40 % of the trace
      {{500.5, 500, -0.5}, true},   // -0.05 %
      {{501, 501, -2}, false},      // -0.2 %
      {{4, 1, 0}, true},            // semi-definite
      {{-1, -2, -3}, false},        // negative definite
  };
  for (const Case& c : cases) {
    TestMatrix A(3, 3), V(3, 3);
    RotatedDiagonal({c.spectrum[1], c.spectrum[2], c.spectrum[0]}, A);
    double eig[3];
    EXPECT_EQ(EigenHouseholderQL_GSL_D(3, A, V, eig), c.accepted) << c.spectrum[2];
    for (int k = 0; k < 3; k++) EXPECT_NEAR(eig[k], c.spectrum[k], 1e-9);
    ExpectEigenPairs(3, A, V, eig);  // delivered even when refused
  }
  TestMatrix N(2, 2, {1, NAN, NAN, 1}), V(2, 2);
  double eig[2];
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(2, N, V, eig));  // refused at once rather than iterating forever
  EXPECT_TRUE(std::isnan(eig[0]));
}

TEST(SingValueDecomp, KnownSingularValuesAndRefusals) {
  // A'A = [[10, 6], [6, 10]] has eigenvalues 16 and 4: singular values 4 and 2.
  TestMatrix A(3, 2, {3, 1, 1, 3, 0, 0}), U(3, 2), V(2, 2);
  double S[3];
  ASSERT_TRUE(SingValueDecomp(3, 2, A, U, S, V));
  EXPECT_NEAR(S[0], 4.0, 1e-12);
  EXPECT_NEAR(S[1], 2.0, 1e-12);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++) EXPECT_NEAR(U[i][0] * S[0] * V[j][0] + U[i][1] * S[1] * V[j][1], A[i][j], 1e-12);
  // Wider than tall, or not finite: refused, outputs untouched.
  S[0] = 9;
  TestMatrix W(2, 3, {1, 2, 3, 4, 5, 6}), U3(2, 3), V3(3, 3);
  EXPECT_FALSE(SingValueDecomp(2, 3, W, U3, S, V3));
  TestMatrix B(2, 2, {1, INFINITY, 0, 1});
  EXPECT_FALSE(SingValueDecomp(2, 2, B, U, S, V));
  EXPECT_EQ(S[0], 9.0);
}

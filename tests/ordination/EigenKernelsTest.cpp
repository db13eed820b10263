// Symmetric eigen-decomposition and singular value decomposition, checked
// against matrices with known spectra and against the defining identities.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "OrdinationTestMatrix.h"
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

TEST(EigenHouseholderQL, TwoByTwoKnownPairs) {
  TestMatrix A(2, 2, {2, 1, 1, 2}), V(3, 3);
  double eig[3] = {0, 0, 0};
  EXPECT_TRUE(EigenHouseholderQL_GSL_D(2, A, V, eig));
  EXPECT_NEAR(eig[0], 3.0, 1e-14);
  EXPECT_NEAR(eig[1], 1.0, 1e-14);
  // Row k holds eigenvector k: (1,1)/sqrt2 for 3, (1,-1)/sqrt2 for 1, up to sign.
  EXPECT_NEAR(std::fabs(V[0][0]), M_SQRT1_2, 1e-14);
  EXPECT_NEAR(V[0][0], V[0][1], 1e-14);
  EXPECT_NEAR(V[1][0], -V[1][1], 1e-14);
  EXPECT_EQ(A[0][0], 2.0);  // input untouched
  EXPECT_EQ(A[0][1], 1.0);
}

TEST(EigenHouseholderQL, TridiagonalSpectrum) {
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
  for (int k = 0; k < n; k++) {
    const double expected = 2 - 2 * std::cos((n - k) * M_PI / (n + 1));  // descending
    EXPECT_NEAR(eig[k], expected, 1e-12) << k;
  }
  ExpectEigenPairs(n, A, V, eig.data());
}

TEST(EigenHouseholderQL, SortedBySignedValueAndFlagged) {
  TestMatrix A(3, 3), V(3, 3);
  RotatedDiagonal({3, -1, 0.5}, A);
  double eig[3];
  // -1 / trace 2.5 = -40 %: far beyond the tolerance.
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(3, A, V, eig));
  EXPECT_NEAR(eig[0], 3.0, 1e-12);
  EXPECT_NEAR(eig[1], 0.5, 1e-12);
  EXPECT_NEAR(eig[2], -1.0, 1e-12);
  ExpectEigenPairs(3, A, V, eig);  // delivered although refused
}

TEST(EigenHouseholderQL, AcceptanceToleranceOfNegativeEigenvalues) {
  TestMatrix A(3, 3), V(3, 3);
  double eig[3];
  // Trace 1000; smallest eigenvalue -0.5 = -0.05 % of the trace: accepted.
  RotatedDiagonal({500, 500.5, -0.5}, A);
  EXPECT_TRUE(EigenHouseholderQL_GSL_D(3, A, V, eig));
  EXPECT_NEAR(eig[2], -0.5, 1e-9);
  // Trace 1000; smallest eigenvalue -2 = -0.2 % of the trace: refused.
  RotatedDiagonal({501, 501, -2}, A);
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(3, A, V, eig));
  EXPECT_NEAR(eig[2], -2.0, 1e-9);
  // Exactly positive semi-definite (a zero eigenvalue).
  RotatedDiagonal({4, 1, 0}, A);
  EXPECT_TRUE(EigenHouseholderQL_GSL_D(3, A, V, eig));
}

TEST(EigenHouseholderQL, NegativeDefiniteIsNotAccepted) {
  TestMatrix A(2, 2, {-1, 0, 0, -2}), V(2, 2);
  double eig[2];
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(2, A, V, eig));
  EXPECT_DOUBLE_EQ(eig[0], -1.0);
  EXPECT_DOUBLE_EQ(eig[1], -2.0);
}

TEST(EigenHouseholderQL, NonFiniteInputIsRefusedWithoutHanging) {
  TestMatrix A(2, 2, {1, NAN, NAN, 1}), V(2, 2);
  double eig[2];
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(2, A, V, eig));
  EXPECT_TRUE(std::isnan(eig[0]));
}

TEST(EigenHouseholderQL, RandomSymmetricSatisfiesDefinition) {
  const int n = 12;
  TestMatrix A(n, n), V(n, n);
  unsigned s = 12345;
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      s = s * 1103515245u + 12345u;
      A[i][j] = A[j][i] = ((s >> 8) % 2001) / 1000.0 - 1.0;
    }
  std::vector<double> eig(n);
  EigenHouseholderQL_GSL_D(n, A, V, eig.data());
  double trace = 0, sum = 0;
  for (int i = 0; i < n; i++) trace += A[i][i], sum += eig[i];
  EXPECT_NEAR(sum, trace, 1e-10);
  for (int k = 1; k < n; k++) EXPECT_GE(eig[k - 1], eig[k]);
  ExpectEigenPairs(n, A, V, eig.data());
}

TEST(SingValueDecomp, KnownSingularValuesAndReconstruction) {
  // A'A = [[10, 6], [6, 10]] has eigenvalues 16 and 4: singular values 4 and 2.
  TestMatrix A(3, 2, {3, 1, 1, 3, 0, 0}), U(3, 2), V(2, 2);
  double S[2];
  ASSERT_TRUE(SingValueDecomp(3, 2, A, U, S, V));
  EXPECT_NEAR(S[0], 4.0, 1e-12);
  EXPECT_NEAR(S[1], 2.0, 1e-12);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++) {
      double r = 0;
      for (int k = 0; k < 2; k++) r += U[i][k] * S[k] * V[j][k];
      EXPECT_NEAR(r, A[i][j], 1e-12);
    }
  EXPECT_EQ(A[0][0], 3.0);
}

TEST(SingValueDecomp, RefusesWideOrNonFiniteMatrices) {
  TestMatrix A(2, 3, {1, 2, 3, 4, 5, 6}), U(2, 3, {7, 7, 7, 7, 7, 7}), V(3, 3);
  double S[3] = {9, 9, 9};
  EXPECT_FALSE(SingValueDecomp(2, 3, A, U, S, V));
  EXPECT_EQ(S[0], 9.0);
  TestMatrix B(2, 2, {1, INFINITY, 0, 1}), U2(2, 2), V2(2, 2);
  EXPECT_FALSE(SingValueDecomp(2, 2, B, U2, S, V2));
  EXPECT_EQ(S[0], 9.0);
}

// Symmetric eigen-decomposition and singular value decomposition, checked
// against matrices with known spectra and against the defining identities.
#include <gtest/gtest.h>

#include <omp.h>

#include <cmath>
#include <random>
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

// The first `vectors` rows of V (all n when 0) against A v = lambda v and
// orthonormality.
void ExpectEigenPairs(int n, const TestMatrix& A, const TestMatrix& V, const double* eig, int vectors = 0) {
  for (int k = 0; k < (vectors ? vectors : n); k++) {
    double norm = 0;
    for (int i = 0; i < n; i++) norm += V[k][i] * V[k][i];
    EXPECT_NEAR(norm, 1.0, 1e-12) << "eigenvector " << k;
    for (int i = 0; i < n; i++) {
      double av = 0;
      for (int j = 0; j < n; j++) av += A[i][j] * V[k][j];
      EXPECT_NEAR(av, eig[k] * V[k][i], 1e-10) << "A v = lambda v, vector " << k;
    }
    for (int l = k + 1; l < (vectors ? vectors : n); l++) {
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
  // Finite entries whose largest eigenvalue (3e308) is not: refused, not accepted.
  for (int n : {2, 3}) {
    TestMatrix H(n, n), W(n, n);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) H[i][j] = 1e308;
    double big[3];
    EXPECT_FALSE(EigenHouseholderQL_GSL_D(n, H, W, big)) << n;
  }
}

namespace {

// Symmetric n x n matrix X X' - c I of a random n x p table: p positive
// eigenvalues at most (shifted by -c), the others -c, like a centred
// cross-product matrix of p variables.
void RandomCrossProducts(int n, int p, double c, unsigned seed, TestMatrix& A) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  std::vector<double> x(static_cast<size_t>(n) * p);
  for (double& v : x) v = u(gen);
  for (int i = 0; i < n; i++)
    for (int j = 0; j <= i; j++) {
      double s = i == j ? -c : 0.0;
      for (int t = 0; t < p; t++) s += x[i * p + t] * x[j * p + t];
      A[i][j] = A[j][i] = s;
    }
}

// Component of largest magnitude of every vector is positive.
void ExpectSignRule(int rows, int n, const TestMatrix& V) {
  for (int k = 0; k < rows; k++) {
    int at = 0;
    for (int i = 1; i < n; i++)
      if (std::fabs(V[k][i]) > std::fabs(V[k][at]) * (1 + 1e-9)) at = i;
    EXPECT_GT(V[k][at], 0.0) << "vector " << k;
  }
}

}  // namespace

TEST(EigenSignRule, LargestComponentPositiveTheFirstOnTies) {
  const double r = std::sqrt(0.5);
  struct Case {
    std::vector<double> in, out;
  };
  const Case cases[] = {
      {{0.6, -0.8}, {-0.6, 0.8}},
      {{-0.6, 0.8}, {-0.6, 0.8}},
      {{-0.5, 0.5, 0.5, -0.5}, {0.5, -0.5, -0.5, 0.5}},
      {{0.5, -0.5, -0.5, 0.5}, {0.5, -0.5, -0.5, 0.5}},
      // Equal in exact arithmetic, a unit in the last place apart here.
      {{-0.70710678118654746, 0.70710678118654757}, {0.70710678118654746, -0.70710678118654757}},
      {{0.1, -0.7, 0.7 * (1 - 1e-6)}, {-0.1, 0.7, -0.7 * (1 - 1e-6)}},
      {{0.0, 0.0}, {0.0, 0.0}},
  };
  for (const Case& c : cases) {
    std::vector<double> v = c.in;
    OrientEigenvector(static_cast<int>(v.size()), v.data());
    EXPECT_EQ(v, c.out) << c.in[0] << " " << c.in[1];
  }
  // The 2 x 2 case: [[2, 1], [1, 2]] has 3 with (r, r) and 1 with (r, -r).
  TestMatrix A(2, 2, {2, 1, 1, 2}), V(2, 2);
  double eig[2];
  EXPECT_TRUE(EigenHouseholderQL_GSL_D(2, A, V, eig));
  const double want[2][3] = {{3, r, r}, {1, r, -r}};  // eigenvalue, vector
  for (int k = 0; k < 2; k++) {
    EXPECT_NEAR(eig[k], want[k][0], 1e-15);
    for (int i = 0; i < 2; i++) EXPECT_NEAR(V[k][i], want[k][1 + i], 1e-15);
  }
  // Order 1.
  TestMatrix One(1, 1, {-4}), W(1, 1);
  EXPECT_FALSE(EigenHouseholderQL_GSL_D(1, One, W, eig));
  EXPECT_EQ(eig[0], -4.0);
  EXPECT_EQ(W[0][0], 1.0);
}

TEST(EigenLeadingVectors, AllValuesAndTheLeadingVectorsOfTheFullDecomposition) {
  // 80 objects. 12 variables: 12 eigenvalues near 80 / 3 and 68 at -0.01;
  // 80 variables: 80 distinct eigenvalues. A few vectors, or a quarter and
  // more (which take another route), fixed or decided from the eigenvalues
  // (those above 1, or half of them).
  const int n = 80;
  struct Case {
    int p, k;
    bool counted;
  };
  const Case cases[] = {{12, 5, false}, {12, 12, true}, {80, 30, false}, {80, 40, true}};
  for (const Case& c : cases) {
    TestMatrix A(n, n), full(n, n), lead(n, n);
    RandomCrossProducts(n, c.p, c.p < n ? 0.01 : 0.0, 3, A);
    std::vector<double> eigFull(n), eig(n), seen;
    const bool okFull = EigenHouseholderQL_GSL_D(n, A, full, eigFull.data());
    for (int r = 0; r < n; r++)
      for (int i = 0; i < n; i++) lead[r][i] = 7.0;
    auto count = [&](const double* e) {
      seen.assign(e, e + n);
      int above1 = 0;
      while (above1 < n && e[above1] > 1) above1++;
      return c.p < n ? above1 : n / 2;
    };
    const bool ok = c.counted ? EigenLeadingVectors(n, A, count, lead, eig.data())
                              : EigenLeadingVectors(n, A, c.k, lead, eig.data());
    EXPECT_EQ(ok, okFull);
    if (c.counted) {
      EXPECT_EQ(seen, eig);  // the count saw the sorted eigenvalues
    }
    for (int r = 0; r < n; r++) EXPECT_NEAR(eig[r], eigFull[r], 1e-12 * eigFull[0]) << r;
    if (c.p < n) {
      for (int r = 0; r < n; r++) EXPECT_EQ(eig[r] > 1.0, r < c.p) << r;
      for (int r = c.p; r < n; r++) EXPECT_NEAR(eig[r], -0.01, 1e-12) << r;
    }
    for (int r = 0; r < n; r++)
      for (int i = 0; i < n; i++) {
        ASSERT_EQ(lead[r][i] == 7.0, r >= c.k) << "k " << c.k << " row " << r;  // later rows not touched
        if (r < c.k) {
          ASSERT_NEAR(lead[r][i], full[r][i], 1e-9) << "k " << c.k << " row " << r;
        }
      }
    ExpectEigenPairs(n, A, lead, eig.data(), c.k);
    ExpectSignRule(c.k, n, lead);
  }
}

TEST(EigenHouseholderQL, SameResultsAtOneAndTwoThreadsAndInsideParallelRegions) {
  // Large enough for the BLAS to share the work among threads; symmetric
  // with uniform entries, so that the eigenvalues are well apart.
  const int n = 1000;
  TestMatrix A(n, n), one(n, n), two(n, n), inner0(n, n), inner1(n, n);
  std::mt19937 gen(11);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int i = 0; i < n; i++)
    for (int j = 0; j <= i; j++) A[i][j] = A[j][i] = u(gen);
  std::vector<double> e1(n), e2(n), f0(n), f1(n);
  const int before = omp_get_max_threads();
  omp_set_num_threads(1);
  EigenHouseholderQL_GSL_D(n, A, one, e1.data());
  omp_set_num_threads(2);
  EigenHouseholderQL_GSL_D(n, A, two, e2.data());
#pragma omp parallel num_threads(2)
  {
    if (omp_get_thread_num() == 0) EigenHouseholderQL_GSL_D(n, A, inner0, f0.data());
    if (omp_get_thread_num() == 1 || omp_get_num_threads() == 1) EigenHouseholderQL_GSL_D(n, A, inner1, f1.data());
  }
  omp_set_num_threads(before);
  const double scale = std::fabs(e1[0]);
  for (int k = 0; k < n; k++) {
    EXPECT_NEAR(e2[k], e1[k], 1e-12 * scale) << k;
    EXPECT_NEAR(f0[k], e1[k], 1e-12 * scale) << k;
    EXPECT_NEAR(f1[k], e1[k], 1e-12 * scale) << k;
    for (int i = 0; i < n; i++) {
      ASSERT_NEAR(two[k][i], one[k][i], 1e-8) << k << " " << i;  // the same signs, too
      ASSERT_NEAR(inner0[k][i], one[k][i], 1e-8) << k << " " << i;
      ASSERT_NEAR(inner1[k][i], one[k][i], 1e-8) << k << " " << i;
    }
  }
  ExpectSignRule(n, n, two);
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

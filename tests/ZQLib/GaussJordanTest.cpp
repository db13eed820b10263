// Gauss-Jordan inversion and solution, the zero-based inverse and the
// conversions between zero- and one-based matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "support/TestMatrix.h"
#include "ZQLib/GaussJordan.h"

TEST(GaussJordan, InvertsAndSolvesOneBased) {
  // [[4, 7], [2, 6]]^-1 = [[0.6, -0.7], [-0.2, 0.4]]; solution of a x = (1, 2)
  // is (0.6 - 1.4, -0.2 + 0.8) = (-0.8, 0.6).
  TestMatrix a(3, 3, {0, 0, 0, 0, 4, 7, 0, 2, 6}), b(3, 2, {0, 0, 0, 1, 0, 2});
  gaussj(a, 2, b, 1);
  const double inverse[2][2] = {{0.6, -0.7}, {-0.2, 0.4}}, solution[2] = {-0.8, 0.6};
  for (int i = 1; i <= 2; i++) {
    for (int j = 1; j <= 2; j++) EXPECT_NEAR(a[i][j], inverse[i - 1][j - 1], 1e-14) << i << "," << j;
    EXPECT_NEAR(b[i][1], solution[i - 1], 1e-14) << i;
  }
}

TEST(GaussJordan, PivotingThroughZeroDiagonal) {
  // A zero in the leading position forces row and column interchanges.
  TestMatrix A(3, 3, {0, 1, 2, 1, 0, 3, 4, -3, 8}), B(3, 3);
  ASSERT_TRUE(MatrixInverse(3, 3, A, B));
  // A^-1 by the adjugate: det(A) = -2; adj = [[9, -14, 3], [4, -8, 2], [-3, 4, -1]].
  const double expected[3][3] = {{-4.5, 7, -1.5}, {-2, 4, -1}, {1.5, -2, 0.5}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_NEAR(B[i][j], expected[i][j], 1e-12) << i << "," << j;
  EXPECT_EQ(A[0][1], 1.0);  // input untouched
}

TEST(GaussJordan, SingularMatrixLeavesOutputUntouched) {
  TestMatrix A(2, 2, {1, 2, 2, 4}), B(2, 2, {5, 6, 7, 8});
  EXPECT_FALSE(MatrixInverse(2, 2, A, B));
  EXPECT_EQ(B[0][0], 5.0);
  EXPECT_EQ(B[1][1], 8.0);
  TestMatrix Z(2, 2);
  EXPECT_FALSE(MatrixInverse(2, 2, Z, B));
  EXPECT_EQ(B[0][1], 6.0);
}

TEST(GaussJordan, OneSingularityRuleSilentInEveryForm) {
  // Exactly singular, singular within n * 1e-12 of the largest entry, and a
  // zero or non-finite matrix: refused by every form, nothing printed.
  const double nearly = 1.0 + 1e-13;
  TestMatrix a(3, 3, {0, 0, 0, 0, 1, 2, 0, 2, 4}), b(3, 1), c(3, 3, {0, 0, 0, 0, 1, 1, 0, 1, nearly});
  testing::internal::CaptureStderr();
  EXPECT_FALSE(gaussj(a, 2, b, 0));
  EXPECT_FALSE(gaussj_VP(c, 2, b, 0));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  TestMatrix N(2, 2, {1, 0, 0, std::nan("")}), B(2, 2, {5, 6, 7, 8});
  EXPECT_FALSE(MatrixInverse(2, 2, N, B));
  EXPECT_EQ(B[0][0], 5.0);
  // Well within the rule: [[1, 1], [1, 1 + 1e-6]] is inverted.
  TestMatrix W(2, 2, {1, 1, 1, 1 + 1e-6});
  ASSERT_TRUE(MatrixInverse(2, 2, W, B));
  EXPECT_NEAR(B[0][0], (1 + 1e-6) / 1e-6, 1e-3);
}

TEST(GaussJordan, ConversionsRoundTrip) {
  TestMatrix A(2, 3, {1, 2, 3, 4, 5, 6}), W(3, 4), B(2, 3);
  Convertn_n1(2, 3, A, W);
  EXPECT_EQ(W[0][0], 0.0);
  EXPECT_EQ(W[1][1], 1.0);
  EXPECT_EQ(W[2][3], 6.0);
  Convertn1_n(2, 3, W, B);
  EXPECT_EQ(B.Values(), A.Values());
}

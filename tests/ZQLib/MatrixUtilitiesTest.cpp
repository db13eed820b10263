// Dense-matrix utilities and their treatment of the missing-value code.
#include <gtest/gtest.h>

#include <vector>

#include "support/TestMatrix.h"
#include "ZQLib/MatrixUtilities.h"

namespace {
constexpr double M = -999.0;
using Values = std::vector<std::vector<double>>;
}  // namespace

TEST(MatrixProducts, MissingTermsSkipped) {
  TestMatrix A(2, 2, {1, M, 3, 4}), B(2, 2, {5, 6, 7, 8}), C(2, 2);
  EXPECT_EQ(MatrixProd(2, 2, 2, 2, A, B, C), 0);
  // Row 0 loses the terms 2*7 and 2*8; row 1 is the plain product.
  EXPECT_EQ(C.Values(), (Values{{5, 6}, {43, 50}}));
  // Every term missing: 0 from the plain product, the missing code from the MV one.
  TestMatrix row(1, 2, {M, 1}), col(2, 1, {2, M}), col2(2, 1, {2, 3}), P(1, 1, {42});
  MatrixProd(1, 2, 2, 1, row, col, P);
  EXPECT_EQ(P[0][0], 0.0);
  MatrixProdMV(1, 2, 2, 1, row, col, P);
  EXPECT_EQ(P[0][0], M);
  MatrixProdMV(1, 2, 2, 1, row, col2, P);
  EXPECT_EQ(P[0][0], 3.0);
}

TEST(MatrixProducts, DimensionMismatchLeavesOutput) {
  TestMatrix A(2, 3), B(2, 2), C(2, 2, {9, 9, 9, 9});
  EXPECT_EQ(MatrixProd(2, 3, 2, 2, A, B, C), 1);
  EXPECT_EQ(MatrixProdMV(2, 3, 2, 2, A, B, C), 1);
  EXPECT_EQ(MatrixSum(2, 3, 2, 2, A, B, C, 1.0), 1);
  EXPECT_EQ(MatrixProdTargetMV(2, 3, 2, 2, 0, B, A, B, C), 1);
  EXPECT_EQ(MatrixProdTargetMV(2, 2, 2, 2, 2, B, B, B, C), 1);  // target beyond the columns
  EXPECT_EQ(C.Values(), (Values{{9, 9}, {9, 9}}));
}

TEST(MatrixProducts, TargetUpdateTouchesOnlyTermsOfTheTarget) {
  // With T = 0 the update adds A[i][k] B[k][j] for the terms with j == t,
  // k == t or j == k; here t = 0 and every B entry is 1.
  TestMatrix A(1, 3, {1, 2, 3}), B(3, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), T(3, 3), C(1, 3);
  EXPECT_EQ(MatrixProdTargetMV(1, 3, 3, 3, 0, T, A, B, C), 0);
  // Column 0 (j == t): all k -> 6. Column 1: k = 0 (k == t) and k = 1 (j == k) -> 3.
  // Column 2: k = 0 and k = 2 -> 4.
  EXPECT_EQ(C.Values(), (Values{{6, 3, 4}}));
  // Subtracting the target matrix: B - T = 0 adds nothing.
  MatrixProdTargetMV(1, 3, 3, 3, 0, B, A, B, C);
  EXPECT_EQ(C[0][0], 6.0);
}

TEST(MatrixArithmetic, ScalarSumOuterAndInnerProducts) {
  TestMatrix A(1, 3, {1, M, 3}), B(1, 3);
  ScalarMatrixProd(1, 3, 2.0, A, B);
  EXPECT_EQ(B.Values(), (Values{{2, M, 6}}));
  TestMatrix P(2, 2, {1, 2, 3, 4}), Q(2, 2, {1, 1, 1, 1}), R(2, 2);
  EXPECT_EQ(MatrixSum(2, 2, 2, 2, P, Q, R, -0.5), 0);
  EXPECT_EQ(R.Values(), (Values{{0.5, 1.5}, {2.5, 3.5}}));
  const double x[2] = {1, 2}, y[3] = {3, 4, 5};
  TestMatrix O(2, 3);
  VectorOuterProd(2, 3, x, y, O);
  EXPECT_EQ(O.Values(), (Values{{3, 4, 5}, {6, 8, 10}}));
  const double u[3] = {1, M, 2}, v[3] = {4, 5, M};
  EXPECT_EQ(VectorProdMV(3, u, v), 4.0);
}

TEST(MatrixShape, TransposesAndTriangles) {
  TestMatrix A(2, 3, {1, 2, 3, 4, 5, 6}), T(3, 2);
  TransposeMatrix(2, 3, A, T);
  EXPECT_EQ(T.Values(), (Values{{1, 4}, {2, 5}, {3, 6}}));
  TestMatrix S(2, 2, {1, 2, 3, 4});
  TransposeSqMatrix(2, S, S);
  EXPECT_EQ(S.Values(), (Values{{1, 3}, {2, 4}}));
  TestMatrix U(3, 3, {1, 2, 3, 0, 4, 5, 0, 0, 6});
  UpperToLowerMatrix(3, U);
  EXPECT_EQ(U.Values(), (Values{{1, 2, 3}, {2, 4, 5}, {3, 5, 6}}));
  EXPECT_EQ(MatrixTrace(3, U), 11.0);
}

TEST(MatrixTotals, PlainAndMissingAware) {
  TestMatrix A(2, 2, {1, M, 3, 4});
  double r[2], c[2];
  RowTotals(2, 2, A, r);
  EXPECT_EQ(r[0], -998.0);
  RowTotalsMV(2, 2, A, r);
  EXPECT_EQ(r[0], 1.0);
  EXPECT_EQ(r[1], 7.0);
  ColTotals(2, 2, A, c);
  EXPECT_EQ(c[1], -995.0);
  ColTotalsMV(2, 2, A, c);
  EXPECT_EQ(c[0], 4.0);
  EXPECT_EQ(c[1], 4.0);
  EXPECT_EQ(MatrixTotalMV(2, 2, A), 8.0);
  const double d[4] = {2.5, -1, 7, 3};
  EXPECT_EQ(maxVector(4, d), 7.0);
  EXPECT_EQ(minVector(4, d), -1.0);
}

// Ordination kernels checked against textbook identities: principal
// coordinates of Euclidean distances against principal components of the
// centred data and its singular value decomposition; correspondence analysis
// against the singular values of the standardized residuals.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/TestMatrix.h"
#include "ordination/EigenKernels.h"
#include "ordination/GowerCentring.h"
#include "ordination/OrdinationLib.h"

namespace {

// Five sampling units by three variables.
const int kUnits = 5, kVars = 3;
const double kData[kUnits][kVars] = {{2, 0, 1}, {4, 1, 3}, {1, 5, 2}, {0, 2, 7}, {3, 3, 3}};

void FillData(TestMatrix& X) {
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kVars; j++) X[i][j] = kData[i][j];
}

void CentreColumns(TestMatrix& X) {
  for (int j = 0; j < X.cols; j++) {
    double s = 0;
    for (int i = 0; i < X.rows; i++) s += X[i][j];
    for (int i = 0; i < X.rows; i++) X[i][j] -= s / X.rows;
  }
}

// Scores equal up to the sign of the whole axis.
void ExpectSameAxis(int n, const double* a, const double* b, double tol) {
  int largest = 0;
  for (int i = 1; i < n; i++)
    if (std::fabs(a[i]) > std::fabs(a[largest])) largest = i;
  const double sign = (a[largest] * b[largest] >= 0) ? 1.0 : -1.0;
  for (int i = 0; i < n; i++) EXPECT_NEAR(a[i], sign * b[i], tol) << "entity " << i;
}

}  // namespace

TEST(PrincipalCoordinates, EuclideanDistancesReproduceCentredPrincipalComponents) {
  TestMatrix X(kUnits, kVars);
  FillData(X);
  // Principal coordinates of Euclidean distances between units (measure 3).
  TestMatrix D(kUnits, kUnits);
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kUnits; j++) {
      double s = 0;
      for (int v = 0; v < kVars; v++) s += (X[i][v] - X[j][v]) * (X[i][v] - X[j][v]);
      D[i][j] = std::sqrt(s);
    }
  TestMatrix V1(kUnits + 1, kUnits + 1), S1(kUnits, kUnits);
  std::vector<double> e1(kUnits + 1);
  int rank1 = 0;
  bool ok1 = false;
  OrdinationLib_D(kUnits, kVars, nullptr, D, V1, S1, &rank1, e1.data(), &ok1, 1, 3, 1);
  EXPECT_TRUE(ok1);
  EXPECT_EQ(rank1, kVars);  // five units in three dimensions

  // Principal components: cross products between the centred variables
  // (measure 1, comparing variables), scores of the units.
  TestMatrix Xc(kUnits, kVars);
  FillData(Xc);
  CentreColumns(Xc);
  TestMatrix C(kVars, kVars);
  for (int a = 0; a < kVars; a++)
    for (int b = 0; b < kVars; b++)
      for (int i = 0; i < kUnits; i++) C[a][b] += Xc[i][a] * Xc[i][b];
  TestMatrix V2(kVars + 1, kVars + 1), S2(kVars, kUnits);
  std::vector<double> e2(kVars + 1);
  int rank2 = 0;
  bool ok2 = false;
  OrdinationLib_D(kVars, kUnits, Xc, C, V2, S2, &rank2, e2.data(), &ok2, 2, 1, 2);
  EXPECT_TRUE(ok2);
  ASSERT_EQ(rank2, rank1);

  // Singular values of the centred data: lambda = sigma^2, scores = U sigma.
  TestMatrix U(kUnits, kVars), W(kVars, kVars);
  double sigma[kVars];
  ASSERT_TRUE(SingValueDecomp(kUnits, kVars, Xc, U, sigma, W));
  for (int k = 0; k < rank1; k++) {
    EXPECT_NEAR(e1[k], e2[k], 1e-9) << "axis " << k;
    EXPECT_NEAR(e1[k], sigma[k] * sigma[k], 1e-9) << "axis " << k;
    ExpectSameAxis(kUnits, S1[k], S2[k], 1e-9);
    std::vector<double> us(kUnits);
    for (int i = 0; i < kUnits; i++) us[i] = U[i][k] * sigma[k];
    ExpectSameAxis(kUnits, S1[k], us.data(), 1e-9);
  }
}

TEST(PrincipalCoordinates, NonEuclideanMatrixIsFlaggedAndNegativeAxesDropped) {
  // Violates the triangle inequality (5 > 1 + 1): strongly negative eigenvalue.
  TestMatrix D(3, 3, {0, 1, 5, 1, 0, 1, 5, 1, 0}), V(4, 4), S(3, 3);
  double eig[4];
  int rank = 0;
  bool ok = true;
  OrdinationLib_D(3, 3, nullptr, D, V, S, &rank, eig, &ok, 1, 20, 1);
  EXPECT_FALSE(ok);
  EXPECT_LT(eig[2], 0.0);
  EXPECT_EQ(rank, 1);
  // The trace of the centred matrix equals the sum of all eigenvalues:
  // sum of squared distances / n = (1 + 25 + 1) / 3.
  EXPECT_NEAR(eig[0] + eig[1] + eig[2], 9.0, 1e-12);
}

TEST(PrincipalComponents, CorrelationMatrixScoresOfStandardizedData) {
  // Correlation between two variables: the components are (1,1)/sqrt2 and
  // (1,-1)/sqrt2 with eigenvalues 1 + r and 1 - r.
  // Means 3 and 3, sums of squares 14 and 10, sum of products 7.
  TestMatrix X(4, 2, {1, 2, 2, 1, 3, 5, 6, 4});
  const double mean[2] = {3, 3}, ss[2] = {14, 10}, r = 7 / std::sqrt(140.0);
  TestMatrix R(2, 2, {1, r, r, 1}), V(3, 3), S(2, 4);
  double eig[3];
  int rank = 0;
  bool ok = false;
  OrdinationLib_D(2, 4, X, R, V, S, &rank, eig, &ok, 2, 17, 2);
  EXPECT_EQ(rank, 2);
  EXPECT_NEAR(eig[0], 1 + r, 1e-12);
  EXPECT_NEAR(eig[1], 1 - r, 1e-12);
  // Scores: standardized variables z (centred, unit norm) times the eigenvector.
  for (int i = 0; i < 4; i++) {
    const double z0 = (X[i][0] - mean[0]) / std::sqrt(ss[0]);
    const double z1 = (X[i][1] - mean[1]) / std::sqrt(ss[1]);
    EXPECT_NEAR(std::fabs(S[0][i]), std::fabs(z0 + z1) / std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(std::fabs(S[1][i]), std::fabs(z0 - z1) / std::sqrt(2.0), 1e-12);
  }
  EXPECT_EQ(X[0][0], 1.0);  // data untouched
}

namespace {

// Standardized residuals (p_ij - p_i p_j) / sqrt(p_i p_j) of a table.
void StandardizedResiduals(const TestMatrix& N, TestMatrix& Q, std::vector<double>& pr, std::vector<double>& pc) {
  double T = 0;
  pr.assign(N.rows, 0);
  pc.assign(N.cols, 0);
  for (int i = 0; i < N.rows; i++)
    for (int j = 0; j < N.cols; j++) T += N[i][j];
  for (int i = 0; i < N.rows; i++)
    for (int j = 0; j < N.cols; j++) pr[i] += N[i][j] / T, pc[j] += N[i][j] / T;
  for (int i = 0; i < N.rows; i++)
    for (int j = 0; j < N.cols; j++)
      Q[i][j] = (pr[i] > 0 && pc[j] > 0) ? (N[i][j] / T - pr[i] * pc[j]) / std::sqrt(pr[i] * pc[j]) : 0.0;
}

// Correspondence analysis of an r x c table by OrdinationLib_D, from the
// cross products of the rows of its standardized residuals Q.
struct Correspondence {
  explicit Correspondence(const TestMatrix& N)
      : Q(N.rows, N.cols), P(N.rows, N.rows), V(N.rows + 1, N.rows + 1), S(N.rows, N.cols), eig(N.rows + 1) {
    StandardizedResiduals(N, Q, pr, pc);
    for (int a = 0; a < Q.rows; a++)
      for (int b = 0; b < Q.rows; b++)
        for (int j = 0; j < Q.cols; j++) P[a][b] += Q[a][j] * Q[b][j];
    OrdinationLib_D(N.rows, N.cols, N, P, V, S, &rank, eig.data(), &ok, 3, 1, 1);
  }
  TestMatrix Q, P, V, S;
  std::vector<double> pr, pc, eig;
  int rank = 0;
  bool ok = false;
};

}  // namespace

TEST(CorrespondenceAnalysis, EigenvaluesAreSquaredSingularValuesOfStandardizedResiduals) {
  const int r = 4, c = 3;
  TestMatrix N(r, c, {10, 2, 3, 4, 12, 1, 2, 3, 9, 5, 5, 5});
  const Correspondence ca(N);
  const TestMatrix &Q = ca.Q, &V = ca.V, &S = ca.S;
  const std::vector<double>&pr = ca.pr, &pc = ca.pc, &eig = ca.eig;
  const int rank = ca.rank;
  EXPECT_TRUE(ca.ok);
  EXPECT_EQ(rank, c - 1);  // min(rows, columns) - 1 non-trivial axes

  TestMatrix U(r, c), W(c, c);
  double sv[c];
  ASSERT_TRUE(SingValueDecomp(r, c, Q, U, sv, W));
  double inertia = 0, chi2 = 0, T = 0;
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) T += N[i][j];
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) {
      const double e = pr[i] * pc[j] * T;
      chi2 += (N[i][j] - e) * (N[i][j] - e) / e;
    }
  for (int k = 0; k < rank; k++) {
    EXPECT_NEAR(eig[k], sv[k] * sv[k], 1e-12) << k;
    inertia += eig[k];
  }
  EXPECT_NEAR(inertia, chi2 / T, 1e-12);  // total inertia = chi-square / n

  // Row scores: standard coordinates u / sqrt(p_i); column scores: standard
  // coordinates v / sqrt(p_j), with the sign carried over from the rows.
  for (int k = 0; k < rank; k++) {
    std::vector<double> rows(r), cols(c);
    for (int i = 0; i < r; i++) rows[i] = U[i][k] / std::sqrt(pr[i]);
    ExpectSameAxis(r, V[k], rows.data(), 1e-10);
    const double sign = (V[k][0] * rows[0] >= 0) ? 1.0 : -1.0;
    for (int j = 0; j < c; j++) EXPECT_NEAR(S[k][j], sign * W[j][k] / std::sqrt(pc[j]), 1e-10);
  }
}

TEST(CorrespondenceAnalysis, ZeroRowKeepsEigenvectorAndZeroColumnScoresZero) {
  const int r = 4, c = 4;
  TestMatrix N(r, c, {10, 2, 3, 0, 4, 12, 1, 0, 0, 0, 0, 0, 5, 5, 9, 0});
  const Correspondence ca(N);
  TestMatrix Vplain(r + 1, r + 1);
  std::vector<double> eigPlain(r + 1);
  ASSERT_EQ(ca.rank, 2);
  EigenHouseholderQL_GSL_D(r, ca.P, Vplain, eigPlain.data());
  for (int k = 0; k < ca.rank; k++) {
    EXPECT_NEAR(ca.V[k][2], Vplain[k][2], 1e-12);  // row of zeros: unchanged (here 0)
    EXPECT_EQ(ca.S[k][3], 0.0);                     // column of zeros
  }
}

TEST(OrdinationRank, CountsEigenvaluesAboveTinyFractionOfPositiveSum) {
  const double eig[5] = {5, 3, 1e-7, 1e-9, -2};
  EXPECT_DOUBLE_EQ(SumPositiveEigenvalues(5, eig), 8 + 1e-7 + 1e-9);
  EXPECT_EQ(OrdinationRank(5, eig), 3);  // 1e-9 / 8 < 1e-8
  const double zero[2] = {0, 0};
  EXPECT_EQ(OrdinationRank(2, zero), 0);
}

TEST(GowerCentring, CentredCrossProductsOfPointsOnALine) {
  // Points 0, 1, 3: centred coordinates -4/3, -1/3, 5/3 and b(i,j) = x_i x_j.
  const double x[3] = {-4.0 / 3, -1.0 / 3, 5.0 / 3};
  TestMatrix D(3, 3, {0, 1, 3, 1, 0, 2, 3, 2, 0}), B(3, 3);
  DissToCenterProdMatrix(3, D, B, false);
  for (int i = 0; i < 3; i++)
    for (int j = i; j < 3; j++) EXPECT_NEAR(B[i][j], x[i] * x[j], 1e-14);
  EXPECT_EQ(B[1][0], 0.0);  // lower triangle not written
  TestMatrix D2(3, 3, {0, 1, 9, 99, 0, 4, 99, 99, 0});  // only the upper triangle is read
  DissToCenterProdMatrix(3, D2, D2, true);
  for (int i = 0; i < 3; i++)
    for (int j = i; j < 3; j++) EXPECT_NEAR(D2[i][j], x[i] * x[j], 1e-14);
  TestMatrix F(3, 3);
  GowerMatrixCentering(3, D, F, true);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_NEAR(F[i][j], x[i] * x[j], 1e-14);
}

TEST(GowerCentring, SquaredDistancesFromCrossProducts) {
  TestMatrix S(3, 3, {4, 1, 0, 1, 9, 2, 0, 2, 1}), D(3, 3);
  ProdToSqDist(3, S, D);
  EXPECT_EQ(D[0][1], 11.0);
  EXPECT_EQ(D[0][2], 5.0);
  EXPECT_EQ(D[1][2], 6.0);
  EXPECT_EQ(D[2][2], 0.0);
  ProdToSqDist(3, S, S);  // in place
  EXPECT_EQ(S[1][2], 6.0);
  EXPECT_EQ(S[0][2], 5.0);
  // Principal coordinates: similarities and cross products through those
  // distances (mirrored), dissimilarities squared.
  TestMatrix Sx(2, 2, {4, 1, 1, 9}), D2(2, 2);
  OrdinationSquaredDistances(2, Sx, 22, D2);
  EXPECT_EQ(D2[1][0], 11.0);
  OrdinationSquaredDistances(2, Sx, 20, D2);
  EXPECT_EQ(D2[0][1], 1.0);
  EXPECT_EQ(D2[1][1], 81.0);
  EXPECT_TRUE(IsCrossProductMeasure(17));
  EXPECT_FALSE(IsCrossProductMeasure(18));
}

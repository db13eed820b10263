// Statistics relating two sets of variables, each checked against a
// computation written here from its definition, and against R (vegan and
// energy) on the small tables below:
//   X1 <- matrix(c(1.2,3.4,0.5, 2.3,1.1,1.7, 0.7,2.8,2.2, 3.1,0.4,1.1,
//                  1.9,2.2,3.0, 2.8,3.9,0.2, 0.3,1.5,2.6, 2.2,0.9,1.4), ncol=3, byrow=TRUE)
//   X2 <- matrix(c(0.4,5.1, 1.8,3.3, 2.9,4.0, 0.6,2.2, 3.3,4.8, 1.1,1.9, 2.4,3.6, 1.7,0.8),
//                ncol=2, byrow=TRUE)
//   X3 <- matrix(c(1,2, 2,1, 3,5, 4,4, 5,2, 6,6, 7,3, 8,8), ncol=2, byrow=TRUE)
// with d1, d2, d3 the Euclidean distances (dist) of the three tables.
#include <gsl/gsl_eigen.h>
#include <gsl/gsl_fit.h>
#include <gsl/gsl_multifit.h>
#include <gsl/gsl_statistics_double.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ordination/LinearRegression.h"
#include "ordination/RateOfChange.h"
#include "ordination/RedundancyAnalysis.h"
#include "ordination/TwoSetStatistics.h"

namespace {

const Matrix kX1 = {{1.2, 3.4, 0.5}, {2.3, 1.1, 1.7}, {0.7, 2.8, 2.2}, {3.1, 0.4, 1.1},
                    {1.9, 2.2, 3.0}, {2.8, 3.9, 0.2}, {0.3, 1.5, 2.6}, {2.2, 0.9, 1.4}};
const Matrix kX2 = {{0.4, 5.1}, {1.8, 3.3}, {2.9, 4.0}, {0.6, 2.2}, {3.3, 4.8}, {1.1, 1.9}, {2.4, 3.6}, {1.7, 0.8}};
const Matrix kX3 = {{1, 2}, {2, 1}, {3, 5}, {4, 4}, {5, 2}, {6, 6}, {7, 3}, {8, 8}};

Matrix Euclidean(const Matrix& X) {
  const int n = X.rows();
  Matrix D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double s = 0.0;
      for (int k = 0; k < X.cols(); k++) s += (X[i][k] - X[j][k]) * (X[i][k] - X[j][k]);
      D[i][j] = std::sqrt(s);
    }
  return D;
}

Matrix Random(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> normal;
  Matrix X(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) X[i][j] = normal(gen);
  return X;
}

// The upper-triangle entries (i < j) in row order.
std::vector<double> Half(const Matrix& D) {
  std::vector<double> v;
  for (int i = 0; i < D.rows(); i++)
    for (int j = i + 1; j < D.rows(); j++) v.push_back(D[i][j]);
  return v;
}

double Pearson(const std::vector<double>& x, const std::vector<double>& y) {
  return gsl_stats_correlation(x.data(), 1, y.data(), 1, x.size());
}

// Residuals of the least-squares line of y on x.
std::vector<double> Residuals(const std::vector<double>& y, const std::vector<double>& x) {
  double c0, c1, cov00, cov01, cov11, ss;
  gsl_fit_linear(x.data(), 1, y.data(), 1, x.size(), &c0, &c1, &cov00, &cov01, &cov11, &ss);
  std::vector<double> e(x.size());
  for (size_t i = 0; i < x.size(); i++) e[i] = y[i] - c0 - c1 * x[i];
  return e;
}

// Least squares with an intercept through GSL's SVD-based solver: column k
// of the returned (q+1) x p table holds response k's intercept and slopes.
Matrix LeastSquares(const Matrix& Y, const Matrix& X) {
  const int n = X.rows(), q = X.cols(), p = Y.cols();
  gsl_matrix* A = gsl_matrix_alloc(n, q + 1);
  gsl_vector* y = gsl_vector_alloc(n);
  gsl_vector* c = gsl_vector_alloc(q + 1);
  gsl_matrix* cov = gsl_matrix_alloc(q + 1, q + 1);
  gsl_multifit_linear_workspace* w = gsl_multifit_linear_alloc(n, q + 1);
  for (int i = 0; i < n; i++) {
    gsl_matrix_set(A, i, 0, 1.0);
    for (int k = 0; k < q; k++) gsl_matrix_set(A, i, k + 1, X[i][k]);
  }
  Matrix coef(q + 1, p);
  for (int j = 0; j < p; j++) {
    for (int i = 0; i < n; i++) gsl_vector_set(y, i, Y[i][j]);
    double chisq;
    gsl_multifit_linear(A, y, c, cov, &chisq, w);
    for (int k = 0; k <= q; k++) coef[k][j] = gsl_vector_get(c, k);
  }
  gsl_multifit_linear_free(w);
  gsl_matrix_free(cov);
  gsl_vector_free(c);
  gsl_vector_free(y);
  gsl_matrix_free(A);
  return coef;
}

// Eigenvalues of a symmetric matrix, descending.
std::vector<double> Eigenvalues(const Matrix& S) {
  const int p = S.rows();
  gsl_matrix* m = gsl_matrix_alloc(p, p);
  for (int a = 0; a < p; a++)
    for (int b = 0; b < p; b++) gsl_matrix_set(m, a, b, S[a][b]);
  gsl_vector* v = gsl_vector_alloc(p);
  gsl_eigen_symm_workspace* w = gsl_eigen_symm_alloc(p);
  gsl_eigen_symm(m, v, w);
  std::vector<double> e(p);
  for (int k = 0; k < p; k++) e[k] = gsl_vector_get(v, k);
  std::sort(e.rbegin(), e.rend());
  gsl_eigen_symm_free(w);
  gsl_vector_free(v);
  gsl_matrix_free(m);
  return e;
}

Matrix Centred(const Matrix& X) {
  Matrix Z = X;
  for (int j = 0; j < X.cols(); j++) {
    double m = 0;
    for (int i = 0; i < X.rows(); i++) m += X[i][j] / X.rows();
    for (int i = 0; i < X.rows(); i++) Z[i][j] -= m;
  }
  return Z;
}

TEST(MatrixCorr, PearsonOfTheHalfMatrices) {
  const Matrix d1 = Euclidean(kX1), d2 = Euclidean(kX2);
  EXPECT_NEAR(MatrixCorr(8, d1.data(), d2.data()), 0.166112499903076, 1e-13);  // vegan mantel
  EXPECT_NEAR(MatrixCorr(8, d1.data(), d1.data()), 1.0, 1e-15);
  // Only the upper triangle is read.
  Matrix lower = d2;
  for (int i = 0; i < 8; i++)
    for (int j = 0; j < i; j++) lower[i][j] = 1e6 * (i + j);
  EXPECT_NEAR(MatrixCorr(8, d1.data(), lower.data()), 0.166112499903076, 1e-13);
  Matrix constant(8, 8);
  for (int i = 0; i < 8; i++)
    for (int j = 0; j < 8; j++) constant[i][j] = 2.5;
  EXPECT_EQ(MatrixCorr(8, d1.data(), constant.data()), 0.0);
  // Pairs holding the missing code in either matrix are left out.
  Matrix holes = d2;
  holes[0][3] = -999.0;
  Matrix other = d1;
  other[2][5] = -999.0;
  std::vector<double> a, b;
  for (int i = 0; i < 8; i++)
    for (int j = i + 1; j < 8; j++)
      if (!(i == 0 && j == 3) && !(i == 2 && j == 5)) {
        a.push_back(d1[i][j]);
        b.push_back(d2[i][j]);
      }
  EXPECT_NEAR(MatrixCorr(8, other.data(), holes.data()), Pearson(a, b), 1e-14);
}

TEST(MatrixCorr, PartialAsCorrelationOfResiduals) {
  const Matrix d1 = Euclidean(kX1), d2 = Euclidean(kX2), d3 = Euclidean(kX3);
  const double expected = Pearson(Residuals(Half(d1), Half(d3)), Residuals(Half(d2), Half(d3)));
  EXPECT_NEAR(PartialMatrixCorr(8, d1.data(), d2.data(), d3.data()), expected, 1e-13);
  EXPECT_NEAR(PartialMatrixCorr(8, d1.data(), d2.data(), d3.data()), 0.329083847258851, 1e-13);  // mantel.partial
  // A third matrix identical to the first leaves nothing to correlate.
  EXPECT_EQ(PartialMatrixCorr(8, d1.data(), d2.data(), d1.data()), 0.0);
  EXPECT_EQ(PartialCorrelation(0.5, 1.0, 0.2), 0.0);
}

// Rd from Gower-centred matrices built here: b(i,j) = -0.5 (a(i,j) - r(i) -
// c(j) + g), then Pearson over all n^2 cells. R: the squared distance
// correlation of energy::dcor(X1, X2)^2 = 0.652658947557578.
TEST(RdMatrixCorr, CorrelationOfCentredMatrices) {
  const Matrix d1 = Euclidean(kX1), d2 = Euclidean(kX2);
  auto centre = [](const Matrix& D, bool square) {
    const int n = D.rows();
    Matrix a(n, n), b(n, n);
    std::vector<double> row(n, 0.0);
    double g = 0;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) {
        a[i][j] = square ? D[i][j] * D[i][j] : D[i][j];
        row[i] += a[i][j] / n;
        g += a[i][j] / (n * n);
      }
    std::vector<double> cells;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) cells.push_back(-0.5 * (a[i][j] - row[i] - row[j] + g));
    return cells;
  };
  EXPECT_NEAR(RdMatrixCorr(8, d2.data(), d1.data(), false), Pearson(centre(d1, false), centre(d2, false)), 1e-13);
  EXPECT_NEAR(RdMatrixCorr(8, d2.data(), d1.data(), false), 0.652658947557578, 1e-13);
  EXPECT_NEAR(RdMatrixCorr(8, d2.data(), d1.data(), true), Pearson(centre(d1, true), centre(d2, true)), 1e-13);
  EXPECT_NEAR(RdMatrixCorr(8, d1.data(), d1.data(), false), 1.0, 1e-14);
}

// RV from its definition, W = Xc Xc' (n x n) for each table; on the tables
// above, the definition computed in R.
TEST(RVcoeff, FromTheCrossProductMatrices) {
  const int n = 15;
  const Matrix A = Random(n, 4, 2), B = Random(n, 6, 12), Za = Centred(A), Zb = Centred(B);
  double ab = 0, aa = 0, bb = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double wa = 0, wb = 0;
      for (int k = 0; k < 4; k++) wa += Za[i][k] * Za[j][k];
      for (int k = 0; k < 6; k++) wb += Zb[i][k] * Zb[j][k];
      ab += wa * wb;
      aa += wa * wa;
      bb += wb * wb;
    }
  EXPECT_NEAR(RVcoeff(n, 4, 6, A.data(), B.data()), ab / std::sqrt(aa * bb), 1e-13);
  EXPECT_NEAR(RVcoeff(n, 6, 4, B.data(), A.data()), ab / std::sqrt(aa * bb), 1e-13);
  EXPECT_NEAR(RVcoeff(8, 3, 2, kX1.data(), kX2.data()), 0.447758324905465, 1e-13);
  EXPECT_NEAR(RVcoeff(8, 3, 3, kX1.data(), kX1.data()), 1.0, 1e-14);
}

// Sum of singular values of the standardized cross product, from the
// eigenvalues of C'C here. R: protest(X1, X2)$t0 = 0.626327093839071.
TEST(ProcrustesCoeff, SumOfSingularValues) {
  EXPECT_NEAR(ProcrustesCoeff(8, 3, 2, kX1.data(), kX2.data()), 0.626327093839071, 1e-12);
  EXPECT_NEAR(ProcrustesCoeff(8, 2, 3, kX2.data(), kX1.data()), 0.626327093839071, 1e-12);
  const Matrix A = Random(30, 5, 7), B = Random(30, 3, 8);
  Matrix Za = Centred(A), Zb = Centred(B);
  double ta = 0, tb = 0;
  for (int i = 0; i < 30; i++) {
    for (int k = 0; k < 5; k++) ta += Za[i][k] * Za[i][k];
    for (int k = 0; k < 3; k++) tb += Zb[i][k] * Zb[i][k];
  }
  Matrix CtC(3, 3);  // C = Za'Zb / sqrt(ta tb)
  for (int a = 0; a < 3; a++)
    for (int b = 0; b < 3; b++)
      for (int k = 0; k < 5; k++) {
        double ca = 0, cb = 0;
        for (int i = 0; i < 30; i++) {
          ca += Za[i][k] * Zb[i][a];
          cb += Za[i][k] * Zb[i][b];
        }
        CtC[a][b] += ca * cb / (ta * tb);
      }
  double expected = 0;
  for (double e : Eigenvalues(CtC)) expected += std::sqrt(std::max(e, 0.0));
  EXPECT_NEAR(ProcrustesCoeff(30, 5, 3, A.data(), B.data()), expected, 1e-12);
  Matrix constant(30, 3);
  EXPECT_EQ(ProcrustesCoeff(30, 5, 3, A.data(), constant.data()), 0.0);
}

// A rotated, reflected, rescaled and shifted copy fits perfectly: the
// statistic is 1 and the adjusted copy is the first table standardized.
TEST(ProcrustesCoeff, PerfectFitOfATransformedCopy) {
  const int n = 25, p = 4;
  const Matrix X = Random(n, p, 3);
  // An orthogonal matrix from Gram-Schmidt on random columns, one column reflected.
  Matrix Q = Random(p, p, 4);
  for (int j = 0; j < p; j++) {
    for (int k = 0; k < j; k++) {
      double d = 0;
      for (int i = 0; i < p; i++) d += Q[i][j] * Q[i][k];
      for (int i = 0; i < p; i++) Q[i][j] -= d * Q[i][k];
    }
    double norm = 0;
    for (int i = 0; i < p; i++) norm += Q[i][j] * Q[i][j];
    for (int i = 0; i < p; i++) Q[i][j] /= std::sqrt(norm) * (j == 2 ? -1.0 : 1.0);
  }
  Matrix Y(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) {
      double s = 0;
      for (int k = 0; k < p; k++) s += X[i][k] * Q[k][j];
      Y[i][j] = 3.7 * s + 10.0 * j - 2.0;
    }
  EXPECT_NEAR(ProcrustesCoeff(n, p, p, X.data(), Y.data()), 1.0, 1e-12);
  Matrix adjusted(n, p);
  EXPECT_NEAR(ProcrustesCoeff(n, p, p, X.data(), Y.data(), adjusted.data()), 1.0, 1e-12);
  Matrix Z = Centred(X);
  double total = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) total += Z[i][j] * Z[i][j];
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) EXPECT_NEAR(adjusted[i][j], Z[i][j] * std::sqrt((n - 1) / total), 1e-10);
}

// R: procrustes(X1, X2, symmetric = TRUE)$Yrot * sqrt(7): X2 adjusted to X1
// (X2 padded with a zero column, so the result is unique).
TEST(ProcrustesCoeff, AdjustedMatrixAgainstVegan) {
  const double yrot[8][3] = {{-0.3092796229784910, 0.6667309511864680, -0.3268734208963512},
                             {-0.0213696440087372, 0.0193752464929085, 0.0122680932221361},
                             {-0.2636456763788517, 0.0574138606683804, 0.3885125718749927},
                             {0.3174641438251249, -0.1090924843131261, -0.4156448158291239},
                             {-0.4726098273730621, 0.2122802366477735, 0.5536493733108588},
                             {0.3443176202311309, -0.2516409114710295, -0.2767213092906297},
                             {-0.1353906407816744, 0.0189684586012827, 0.2132442601984701},
                             {0.5405136474645604, -0.6140353578126574, -0.1484347525903527}};
  Matrix adjusted(8, 3);
  EXPECT_NEAR(ProcrustesCoeff(8, 3, 2, kX1.data(), kX2.data(), adjusted.data()), 0.626327093839071, 1e-12);
  for (int i = 0; i < 8; i++)
    for (int j = 0; j < 3; j++) EXPECT_NEAR(adjusted[i][j], yrot[i][j], 1e-12) << i << "," << j;
}

// Coefficients against GSL's least-squares solver; r squared against
// R's lm (summary r.squared) on the tables above.
TEST(Regression, AgainstAnotherSolver) {
  RegressionFit fit;
  ASSERT_TRUE(regression(8, 2, 3, kX2.data(), kX1.data(), fit));
  const Matrix coef = LeastSquares(kX2, kX1);
  for (int j = 0; j < 2; j++) {
    EXPECT_NEAR(fit.b0[j], coef[0][j], 1e-12);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(fit.B[k][j], coef[k + 1][j], 1e-12);
  }
  EXPECT_NEAR(fit.b0[0], -1.172573870006763, 1e-12);
  EXPECT_NEAR(fit.B[2][1], 0.609197354716669, 1e-12);
  EXPECT_NEAR(fit.r2[0], 0.909934517509523, 1e-12);
  EXPECT_NEAR(fit.r2[1], 0.488429020743173, 1e-12);
  for (int j = 0; j < 2; j++) {
    EXPECT_NEAR(fit.ssRegression[j] + fit.ssResidual[j], fit.ssY[j], 1e-12);
    for (int i = 0; i < 8; i++) {
      double y = coef[0][j];
      for (int k = 0; k < 3; k++) y += coef[k + 1][j] * kX1[i][k];
      EXPECT_NEAR(fit.Yhat[i][j], y, 1e-12);
    }
  }
  // A larger problem with factors of very different units.
  Matrix X = Random(40, 4, 11), Y = Random(40, 3, 12);
  for (int i = 0; i < 40; i++) {
    X[i][0] *= 1e7;
    X[i][3] *= 1e-5;
    Y[i][1] += 2e-7 * X[i][0] - 3e4 * X[i][3];
  }
  ASSERT_TRUE(regression(40, 3, 4, Y.data(), X.data(), fit));
  const Matrix big = LeastSquares(Y, X);
  for (int j = 0; j < 3; j++)
    for (int k = 0; k < 4; k++) EXPECT_NEAR(fit.B[k][j], big[k + 1][j], 1e-9 * std::fabs(big[k + 1][j]) + 1e-15);
}

TEST(Regression, SingularSystemsRefused) {
  RegressionFit fit;
  Matrix X(8, 3);
  for (int i = 0; i < 8; i++) {
    X[i][0] = kX1[i][0];
    X[i][1] = kX1[i][1];
    X[i][2] = 2 * kX1[i][0] - kX1[i][1] + 4;  // collinear
  }
  EXPECT_FALSE(regression(8, 2, 3, kX2.data(), X.data(), fit));
  EXPECT_EQ(fit.p, 0);  // untouched
  for (int i = 0; i < 8; i++) X[i][2] = 5.0;  // constant factor
  EXPECT_FALSE(regression(8, 2, 3, kX2.data(), X.data(), fit));
  const Matrix wide = Random(5, 6, 2), y = Random(5, 1, 3);  // more factors than units
  EXPECT_FALSE(regression(5, 1, 6, y.data(), wide.data(), fit));
  RdaResult rda;
  EXPECT_FALSE(RDA(5, 1, 6, y.data(), wide.data(), rda));
  EXPECT_EQ(rda.p, 0);
}

// Canonical eigenvalues against the eigenvalues of the covariance matrix of
// the fitted responses built here (vegan's rda(X2 ~ X1): 1.77080992339041,
// 0.308617798949186; total inertia 3.30625); axis correlations against
// scores built from the eigenvectors found here (vegan's spenvcor:
// 0.909823306000273, 0.514246870718343), free of eigenvector signs.
TEST(RDA, EigenvaluesAndAxisCorrelations) {
  RdaResult r;
  ASSERT_TRUE(RDA(8, 2, 3, kX2.data(), kX1.data(), r));
  EXPECT_NEAR(r.totalVar, 3.30625, 1e-12);
  ASSERT_EQ(r.rank, 2);
  EXPECT_NEAR(r.eig[0], 1.77080992339041, 1e-12);
  EXPECT_NEAR(r.eig[1], 0.308617798949186, 1e-12);
  EXPECT_NEAR(r.axisCorr[0], 0.909823306000273, 1e-12);
  EXPECT_NEAR(r.axisCorr[1], 0.514246870718343, 1e-12);
  const double biplot[3][2] = {{-0.721041158451760, -0.423350649864522},
                               {0.293235748078214, 0.773659260458885},
                               {0.791522568622769, -0.538406294268273}};
  for (int k = 0; k < 2; k++)
    for (int j = 0; j < 3; j++) EXPECT_NEAR(std::fabs(r.biplotCorr[k][j]), std::fabs(biplot[j][k]), 1e-12);

  const int n = 30, p = 5, q = 3;
  const Matrix X = Random(n, q, 21);
  Matrix Y = Random(n, p, 22);
  for (int i = 0; i < n; i++) Y[i][0] += 2 * X[i][0];
  ASSERT_TRUE(RDA(n, p, q, Y.data(), X.data(), r));
  const Matrix coef = LeastSquares(Y, X);
  Matrix fitted(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) {
      double s = coef[0][j];
      for (int k = 0; k < q; k++) s += coef[k + 1][j] * X[i][k];
      fitted[i][j] = s;
    }
  const Matrix F = Centred(fitted), Yc = Centred(Y);
  Matrix cov(p, p);
  for (int a = 0; a < p; a++)
    for (int b = 0; b < p; b++)
      for (int i = 0; i < n; i++) cov[a][b] += F[i][a] * F[i][b] / (n - 1);
  const std::vector<double> expected = Eigenvalues(cov);
  EXPECT_EQ(r.rank, q);  // the fitted responses span the q explanatory directions
  for (int k = 0; k < p; k++) EXPECT_NEAR(r.eig[k], expected[k], 1e-12);
  for (int k = 0; k < r.rank; k++) {
    // The eigenvector delivered satisfies cov u = lambda u; scores from it.
    std::vector<double> f(n), s(n);
    for (int a = 0; a < p; a++) {
      double cu = 0;
      for (int b = 0; b < p; b++) cu += cov[a][b] * r.evec[k][b];
      EXPECT_NEAR(cu, r.eig[k] * r.evec[k][a], 1e-12);
    }
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) {
        f[i] += F[i][j] * r.evec[k][j];
        s[i] += Yc[i][j] * r.evec[k][j];
      }
    EXPECT_NEAR(r.axisCorr[k], Pearson(s, f), 1e-12);
    for (int i = 0; i < n; i++) EXPECT_NEAR(std::fabs(r.fittedScores[k][i]), std::fabs(f[i]), 1e-12);
  }
}

TEST(RateOfChange, VelocitiesAndAccelerations) {
  // Units along a reference variable; D2 is the reference distance, D1 the
  // distance in the first data set.
  const Matrix D1 = {{0, 2, 9, 9}, {2, 0, 3, 9}, {9, 3, 0, 1}, {9, 9, 1, 0}};
  const Matrix D2 = {{0, 1, 9, 9}, {1, 0, 0, 9}, {9, 0, 0, 2}, {9, 9, 2, 0}};
  const double x[4] = {1, 2, 2, 4};
  const RatesBetweenSets r = ComputeRatesBetweenSets(4, D1.data(), D2.data(), x);
  ASSERT_EQ(r.velocity.size(), 3u);
  EXPECT_EQ(r.velocity[0], 2.0);
  EXPECT_EQ(r.velocity[1], kUndefinedSetRate);  // the reference distance is 0
  EXPECT_EQ(r.velocity[2], 0.5);
  EXPECT_EQ(r.velocityScale[0], 1.5);
  EXPECT_EQ(r.velocityScale[2], 3.0);
  ASSERT_EQ(r.acceleration.size(), 2u);
  EXPECT_EQ(r.acceleration[0], kUndefinedSetRate);  // from an undefined velocity
  EXPECT_EQ(r.acceleration[1], kUndefinedSetRate);
  EXPECT_EQ(r.accelerationScale[1], 8.0 / 3.0);
  EXPECT_EQ(ComputeRatesBetweenSets(1, D1.data(), D2.data(), x).velocity.size(), 0u);
  // Three units at positive reference distances 1 and 2: velocities 2 and 1.5.
  const Matrix E1 = {{0, 2, 9}, {2, 0, 3}, {9, 3, 0}}, E2 = {{0, 1, 9}, {1, 0, 2}, {9, 2, 0}};
  const RatesBetweenSets s = ComputeRatesBetweenSets(3, E1.data(), E2.data(), x);
  EXPECT_DOUBLE_EQ(s.acceleration[0], (1.5 - 2.0) / 1.5);
  EXPECT_DOUBLE_EQ(s.accelerationScale[0], 5.0 / 3.0);
}

}  // namespace

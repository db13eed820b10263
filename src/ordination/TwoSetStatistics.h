// Statistics relating two sets of variables measured on the same n sampling
// units: correlations between two resemblance matrices (Mantel r, partial
// Mantel r, Rd), and between two data tables (RV coefficient, symmetric
// Procrustes correlation, with the second table adjusted to the first).
//
// Inputs are row-pointer tables, units in rows, read only. Resemblance
// matrices are n x n; MatrixCorr and PartialMatrixCorr read their upper
// triangles (pairs i < j) and leave out every pair in which either matrix
// holds the missing-value code. The other statistics take complete tables.
// A correlation whose sum of squares is 0 (a constant matrix or table) is 0.
#pragma once
#include <gsl/gsl_linalg.h>

#include "ZQLib/Matrix.h"

// Mantel r: Pearson correlation of the entries a(i,j) and b(i,j), i < j, over
// the pairs where neither is missing.
double MatrixCorr(int n, const double* const* A, const double* const* B);

// Partial matrix correlation r(A,B | C) = (rAB - rAC rBC) /
// (sqrt(1 - rAC^2) sqrt(1 - rBC^2)), each r a MatrixCorr. 0 when C correlates
// perfectly with A or B (the denominator is 0).
double PartialMatrixCorr(int n, const double* const* A, const double* const* B, const double* const* C);
// The same formula from the three correlations.
double PartialCorrelation(double rAB, double rAC, double rBC);

// Rd: both matrices Gower-centred (GowerMatrixCentering; `square` squares the
// entries first, from the upper triangles), then the Pearson correlation of
// the two centred matrices over all n x n cells.
double RdMatrixCorr(int n, const double* const* A, const double* const* B, bool square);

// RV coefficient: with the columns of X1 (n x p1) and X2 (n x p2) centred,
// W1 = X1 X1', W2 = X2 X2', RV = <W1,W2> / sqrt(<W1,W1> <W2,W2>) (sums of
// element-wise products); computed as ||X1'X2||^2 / (||X1'X1|| ||X2'X2||).
double RVcoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2);

// Symmetric Procrustes correlation: each table centred by columns and scaled
// to a total variance of 1 (sum over its variables of SS/(n-1)); the
// statistic is the sum of the singular values of C = Z1'Z2 / (n-1). It is 1
// when X2 is a rotated, reflected, rescaled and shifted copy of X1, 0 when a
// table is constant or the decomposition fails.
double ProcrustesCoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2);
// The same, and X2 adjusted to X1 for the best fit: with both tables
// standardized as above and padded with zero columns to q = max(p1, p2)
// columns, C = U S V', out (n x q) = (sum of S) Z2 V U'. When p2 > p1 the
// columns beyond the first p1 lie outside the space of X1 and are not unique.
double ProcrustesCoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2, double** out);

// Centres the columns of X (n x p) and scales the table to a total variance
// of 1: into Z (resized to n x p). False when the table is constant.
bool StandardizeTotalVariance(int n, int p, const double* const* X, Matrix& Z);

// Sum of the singular values of a rows x cols matrix given row by row
// (row-major, contiguous), with GSL work space made once: evaluating it
// allocates nothing. 0 when the decomposition fails. One object per thread.
class SingularValueSum {
 public:
  SingularValueSum(int rows, int cols);
  ~SingularValueSum();
  SingularValueSum(const SingularValueSum&) = delete;
  SingularValueSum& operator=(const SingularValueSum&) = delete;
  SingularValueSum(SingularValueSum&& other) noexcept;
  double operator()(const double* m);

 private:
  void Free();
  int rows_ = 0, cols_ = 0;
  bool transpose_ = false;  // the decomposition needs at least as many rows as columns
  gsl_matrix* a_ = nullptr;
  gsl_matrix* v_ = nullptr;
  gsl_vector* s_ = nullptr;
  gsl_vector* work_ = nullptr;
};

// Pearson correlation of x and y (n values each); 0 when either is constant.
double PearsonCorrelation(int n, const double* x, const double* y);

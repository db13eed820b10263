// Multivariate linear regression of response variables on factors
// (explanatory variables) by least squares, one model per response, and the
// normal equations it rests on (shared with redundancy analysis and the
// permutation tests).
#pragma once
#include <vector>

#include "ZQLib/Matrix.h"

// The factors X (n x q) centred by columns and the inverse of Xc'Xc, found
// by Gauss-Jordan elimination on the correlation-scaled matrix (each centred
// column divided by its root sum of squares), so that whether the system is
// singular does not depend on the units of the factors.
class NormalEquations {
 public:
  // False when Xc'Xc is singular: a constant factor, factors that are linear
  // combinations of others, or more factors than the units can determine
  // (q >= n).
  bool Prepare(int n, int q, const double* const* X);
  int n() const { return n_; }
  int q() const { return q_; }
  const Matrix& Xc() const { return xc_; }            // n x q
  const Matrix& Inverse() const { return inverse_; }  // q x q, (Xc'Xc)^-1
  const std::vector<double>& XMean() const { return xMean_; }

 private:
  int n_ = 0, q_ = 0;
  Matrix xc_, inverse_;
  std::vector<double> xMean_;
};

struct RegressionFit {
  int n = 0, p = 0, q = 0;
  Matrix B;                             // q x p: coefficient of factor k (row) in the model of response j (column)
  std::vector<double> b0;               // p intercepts: mean(y_j) - sum_k B(k,j) mean(x_k)
  Matrix Yhat;                          // n x p predicted responses
  std::vector<double> yMean, xMean;     // p, q
  std::vector<double> ssY;              // p total sums of squares (deviations from the mean)
  std::vector<double> ssRegression;     // p sums of squares of the predicted responses
  std::vector<double> ssResidual;       // p sums of squares of the residuals Y - Yhat
  std::vector<double> r2;               // p: ssRegression / ssY (0 for a constant response)
};

// Least-squares fit of every response in Y (n x p) on the factors X (n x q),
// with an intercept: B = (Xc'Xc)^-1 Xc'Yc. False, leaving `fit` untouched,
// when the normal equations are singular.
bool regression(int n, int p, int q, const double* const* Y, const double* const* X, RegressionFit& fit);

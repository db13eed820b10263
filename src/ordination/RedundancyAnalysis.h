// Redundancy analysis (canonical ordination): principal components of the
// responses Y as predicted by a linear regression on the explanatory
// variables X.
#pragma once
#include <vector>

#include "ZQLib/Matrix.h"

struct RdaResult {
  int n = 0, p = 0, q = 0;
  double totalVar = 0.0;         // trace of the covariance matrix of Y
  std::vector<double> eig;       // p eigenvalues of the covariance matrix of the fitted Y, descending
  Matrix evec;                   // p x p, row k = unit eigenvector of eig[k] (its sign is the solver's)
  bool eigenAccepted = true;     // false: a negative eigenvalue beyond 0.1 % of the trace
  int rank = 0;                  // canonical axes: eigenvalues with 100 eig / sum(eig) > 0.0001
  Matrix fittedScores;           // rank x n: unit scores in the space of X (fitted Y on axis k)
  Matrix scores;                 // rank x n: unit scores in the space of Y (centred Y on axis k)
  std::vector<double> axisCorr;  // rank: correlation of scores row k with fittedScores row k
  Matrix biplotCorr;             // rank x q: correlation of fittedScores row k with explanatory variable j
};

// Y (n x p) responses, X (n x q) explanatory variables, both centred by
// columns here. Fitted Yhat = Xc B, B = (Xc'Xc)^-1 Xc'Yc; eigen-decomposition
// of Yhat'Yhat / (n-1); scores on axis k are Yhat u_k and Yc u_k. False,
// leaving `out` untouched, when the normal equations of X are singular.
bool RDA(int n, int p, int q, const double* const* Y, const double* const* X, RdaResult& out);

// The rule of the number of canonical axes, on eigenvalues sorted descending.
int CanonicalRank(int p, const double* eig);

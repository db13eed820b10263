// Partial correlations from a correlation matrix: the correlation of two
// variables i and j once q covariables are held constant, from the blocks of
// the matrix (R11 the pair, R12 the pair against the covariables, R22 the
// covariables): S = R11 - R12 R22^-1 R12', r = S10 / sqrt(S00 S11).
//
// The pair's own diagonal is not read (R11 carries 1.0 on its diagonal); the
// covariables' diagonal is. A partial correlation that does not exist is
// +infinity: a singular covariable matrix (Gauss-Jordan singularity rule of
// ZQLib), or a variable of the pair that the covariables determine entirely
// (S00 or S11, the shares of their variances left unexplained, at most 1e-12).
#pragma once
#include <vector>

#include "ZQLib/Matrix.h"

// Partial correlation of variables i and j of the n x n correlation matrix R
// given the q covariables listed (column indices); R[i][j] when q is 0.
// Allocates its work space (throws std::bad_alloc).
double PartialCorrelation_GeneralProc(int n, const double* const* R, int i, int j, int q, const int* covariables);

// The same with work space made once, for the solves of a permutation loop:
// evaluating allocates nothing. One object per thread.
class PartialCorrelationSolver {
 public:
  // Solves of order (number of covariables) up to maxOrder; a higher order
  // throws std::invalid_argument.
  explicit PartialCorrelationSolver(int maxOrder);
  int MaxOrder() const { return maxOrder_; }
  // From the correlation matrix R.
  double operator()(const double* const* R, int i, int j, int q, const int* covariables);
  // From the matrix R whose row and column `replaced` are `row` (entry
  // (replaced, b) and (b, replaced) read as row[b]): the null model that
  // permutes one variable only.
  double operator()(const double* const* R, const double* row, int replaced, int i, int j, int q,
                    const int* covariables);

 private:
  template <class Entry>
  double Solve(const Entry& entry, int i, int j, int q, const int* covariables);
  int maxOrder_;
  Matrix a_;               // the covariable matrix, one-based, inverted in place
  std::vector<int> work_;  // Gauss-Jordan indices
  std::vector<double> r12_, t_;
};

// The partial correlation of the pair (f, j) given q covariables under the
// null model that permutes only f, prepared from the observed matrix R:
// neither the covariables' matrix nor j's correlations involve f, so the
// covariable matrix is inverted once and each evaluation, from f's row of
// correlations, costs O(q^2). It gives exactly what PartialCorrelationSolver
// gives from R with f's row and column replaced by the row. Shared read-only
// by the threads; each passes its own work space of q doubles.
class OneVariablePartialCorrelation {
 public:
  OneVariablePartialCorrelation(const double* const* R, int f, int j, int q, const int* covariables);
  double operator()(const double* row, double* work) const;
  int Order() const { return q_; }

 private:
  int f_, j_, q_;
  bool defined_ = true;      // the covariable matrix is not singular and j is not determined by it
  std::vector<int> c_;
  std::vector<double> inverse_;  // q x q
  std::vector<double> rj_;       // j's correlations with the covariables
  std::vector<double> tj_;       // inverse * rj
  double p11_ = 0.0;
};

// The matrix R with the row and column `replaced` equal to `row`, into out
// (n x n): the matrix a solver reads under the one-variable null model.
void OneVariableNullModelMatrix(int n, const double* const* R, const double* row, int replaced, double** out);

// Partial correlations from a correlation matrix.
#include "pathanalysis/PartialCorrelation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "ZQLib/GaussJordan.h"

namespace {

constexpr double kUndefined = std::numeric_limits<double>::infinity();
// S00 and S11 are the shares of the pair's variances that the covariables
// leave unexplained (1 - R^2): at or below this the covariables determine the
// variable and the partial correlation does not exist.
constexpr double kDetermined = 1e-12;

}  // namespace

PartialCorrelationSolver::PartialCorrelationSolver(int maxOrder)
    : maxOrder_(std::max(0, maxOrder)),
      a_(maxOrder_ + 1, maxOrder_ + 1),
      work_(static_cast<size_t>(GaussJordanWorkInts(maxOrder_))),
      r12_(static_cast<size_t>(2 * std::max(1, maxOrder_))),
      t_(static_cast<size_t>(2 * std::max(1, maxOrder_))) {}

template <class Entry>
double PartialCorrelationSolver::Solve(const Entry& entry, int i, int j, int q, const int* c) {
  if (q <= 0) return entry(i, j);
  double** a = a_.data();
  for (int x = 0; x < q; x++)
    for (int y = 0; y < q; y++) a[x + 1][y + 1] = entry(c[x], c[y]);
  if (!gaussj(a, q, nullptr, 0, work_.data())) return kUndefined;
  // R12 (2 x q), then T = R22^-1 R12' (q x 2).
  double* r12 = r12_.data();
  double* t = t_.data();
  for (int m = 0; m < q; m++) {
    r12[m] = entry(i, c[m]);
    r12[q + m] = entry(j, c[m]);
  }
  for (int x = 0; x < q; x++) {
    double s0 = 0.0, s1 = 0.0;
    for (int m = 0; m < q; m++) {
      s0 += a[x + 1][m + 1] * r12[m];
      s1 += a[x + 1][m + 1] * r12[q + m];
    }
    t[2 * x] = s0;
    t[2 * x + 1] = s1;
  }
  // S = R11 - R12 T.
  double p00 = 0.0, p11 = 0.0, p10 = 0.0;
  for (int m = 0; m < q; m++) {
    p00 += r12[m] * t[2 * m];
    p11 += r12[q + m] * t[2 * m + 1];
    p10 += r12[q + m] * t[2 * m];
  }
  const double s00 = 1.0 - p00, s11 = 1.0 - p11, s10 = entry(i, j) - p10;
  if (!(s00 > kDetermined) || !(s11 > kDetermined)) return kUndefined;
  const double result = (1.0 / std::sqrt(s11)) * s10 * (1.0 / std::sqrt(s00));
  return std::isfinite(result) ? result : kUndefined;
}

double PartialCorrelationSolver::operator()(const double* const* R, int i, int j, int q, const int* covariables) {
  if (q > maxOrder_) throw std::invalid_argument("partial correlation of an order beyond the solver's");
  return Solve([R](int a, int b) { return R[a][b]; }, i, j, q, covariables);
}

double PartialCorrelationSolver::operator()(const double* const* R, const double* row, int replaced, int i, int j,
                                            int q, const int* covariables) {
  if (q > maxOrder_) throw std::invalid_argument("partial correlation of an order beyond the solver's");
  return Solve([R, row, replaced](int a, int b) { return a == replaced ? row[b] : b == replaced ? row[a] : R[a][b]; },
               i, j, q, covariables);
}

double PartialCorrelation_GeneralProc(int n, const double* const* R, int i, int j, int q, const int* covariables) {
  PartialCorrelationSolver solver(q);
  return solver(R, i, j, q, covariables);
}

void OneVariableNullModelMatrix(int n, const double* const* R, const double* row, int replaced, double** out) {
  for (int a = 0; a < n; a++)
    for (int b = 0; b < n; b++) out[a][b] = a == replaced ? row[b] : b == replaced ? row[a] : R[a][b];
}

OneVariablePartialCorrelation::OneVariablePartialCorrelation(const double* const* R, int f, int j, int q,
                                                             const int* covariables)
    : f_(f), j_(j), q_(std::max(0, q)), c_(covariables, covariables + std::max(0, q)) {
  if (q_ == 0) return;
  Matrix a(q_ + 1, q_ + 1);
  for (int x = 0; x < q_; x++)
    for (int y = 0; y < q_; y++) a[x + 1][y + 1] = R[c_[x]][c_[y]];
  std::vector<int> work(static_cast<size_t>(GaussJordanWorkInts(q_)));
  if (!gaussj(a.data(), q_, nullptr, 0, work.data())) {
    defined_ = false;
    return;
  }
  inverse_.resize(static_cast<size_t>(q_) * q_);
  for (int x = 0; x < q_; x++)
    for (int y = 0; y < q_; y++) inverse_[static_cast<size_t>(x) * q_ + y] = a[x + 1][y + 1];
  rj_.resize(static_cast<size_t>(q_));
  tj_.resize(static_cast<size_t>(q_));
  for (int m = 0; m < q_; m++) rj_[m] = R[j][c_[m]];
  // The same sums, in the same order, as the solver's.
  for (int x = 0; x < q_; x++) {
    double s1 = 0.0;
    for (int m = 0; m < q_; m++) s1 += inverse_[static_cast<size_t>(x) * q_ + m] * rj_[m];
    tj_[x] = s1;
  }
  for (int m = 0; m < q_; m++) p11_ += rj_[m] * tj_[m];
  if (!(1.0 - p11_ > kDetermined)) defined_ = false;
}

double OneVariablePartialCorrelation::operator()(const double* row, double* t) const {
  if (q_ == 0) return row[j_];
  if (!defined_) return kUndefined;
  const int q = q_;
  for (int x = 0; x < q; x++) {
    double s0 = 0.0;
    const double* a = inverse_.data() + static_cast<size_t>(x) * q;
    for (int m = 0; m < q; m++) s0 += a[m] * row[c_[m]];
    t[x] = s0;
  }
  double p00 = 0.0, p10 = 0.0;
  for (int m = 0; m < q; m++) {
    p00 += row[c_[m]] * t[m];
    p10 += rj_[m] * t[m];
  }
  const double s00 = 1.0 - p00, s11 = 1.0 - p11_, s10 = row[j_] - p10;
  if (!(s00 > kDetermined) || !(s11 > kDetermined)) return kUndefined;
  const double result = (1.0 / std::sqrt(s11)) * s10 * (1.0 / std::sqrt(s00));
  return std::isfinite(result) ? result : kUndefined;
}

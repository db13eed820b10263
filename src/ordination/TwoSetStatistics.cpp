// Correlations between two resemblance matrices and between two tables.
#include "ordination/TwoSetStatistics.h"

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "ZQLib/MissingValue.h"
#include "ordination/GowerCentring.h"

namespace {

// Pearson correlation over the pairs i < j of two matrices where neither
// entry is missing: means first, then deviations.
double PairCorrelation(int n, const double* const* A, const double* const* B) {
  double sa = 0.0, sb = 0.0;
  long long count = 0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double a = A[i][j], b = B[i][j];
      if (IsMissing(a) || IsMissing(b)) continue;
      sa += a;
      sb += b;
      count++;
    }
  if (count == 0) return 0.0;
  const double ma = sa / static_cast<double>(count), mb = sb / static_cast<double>(count);
  double sab = 0.0, saa = 0.0, sbb = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double a = A[i][j], b = B[i][j];
      if (IsMissing(a) || IsMissing(b)) continue;
      sab += (a - ma) * (b - mb);
      saa += (a - ma) * (a - ma);
      sbb += (b - mb) * (b - mb);
    }
  if (saa <= 0.0 || sbb <= 0.0) return 0.0;
  return sab / std::sqrt(saa * sbb);
}

// Centred copy of the columns of X.
Matrix CentredColumns(int n, int p, const double* const* X) {
  Matrix Z(n, p);
  for (int j = 0; j < p; j++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += X[i][j];
    const double mean = n > 0 ? s / n : 0.0;
    for (int i = 0; i < n; i++) Z[i][j] = X[i][j] - mean;
  }
  return Z;
}

// A' B for tables of n rows (p x q result).
Matrix CrossProduct(int n, int p, int q, const Matrix& A, const Matrix& B) {
  Matrix C(p, q);
  for (int i = 0; i < n; i++)
    for (int a = 0; a < p; a++) {
      const double x = A[i][a];
      for (int b = 0; b < q; b++) C[a][b] += x * B[i][b];
    }
  return C;
}

double SquaredNorm(const Matrix& M) {
  double s = 0.0;
  for (int i = 0; i < M.rows(); i++)
    for (int j = 0; j < M.cols(); j++) s += M[i][j] * M[i][j];
  return s;
}

// Standardized tables padded to q columns, and their scaled cross product
// C = Z1'Z2 / (n-1) (q x q). False when either table is constant.
bool ProcrustesCrossProduct(int n, int p1, int p2, const double* const* X1, const double* const* X2, Matrix& Z1,
                            Matrix& Z2, Matrix& C) {
  const int q = std::max(p1, p2);
  Matrix S1, S2;
  if (!StandardizeTotalVariance(n, p1, X1, S1) || !StandardizeTotalVariance(n, p2, X2, S2)) return false;
  Z1.Resize(n, q);
  Z2.Resize(n, q);
  for (int i = 0; i < n; i++) {
    for (int j = 0; j < p1; j++) Z1[i][j] = S1[i][j];
    for (int j = 0; j < p2; j++) Z2[i][j] = S2[i][j];
  }
  C = CrossProduct(n, q, q, Z1, Z2);
  const double scale = 1.0 / (n - 1);
  for (int a = 0; a < q; a++)
    for (int b = 0; b < q; b++) C[a][b] *= scale;
  return true;
}

struct GslMatrix {
  explicit GslMatrix(int r, int c) : m(gsl_matrix_alloc(r, c)) {
    if (m == nullptr) throw std::bad_alloc();
  }
  ~GslMatrix() { gsl_matrix_free(m); }
  GslMatrix(const GslMatrix&) = delete;
  GslMatrix& operator=(const GslMatrix&) = delete;
  gsl_matrix* m;
};

struct GslVector {
  explicit GslVector(int n) : v(gsl_vector_alloc(n)) {
    if (v == nullptr) throw std::bad_alloc();
  }
  ~GslVector() { gsl_vector_free(v); }
  GslVector(const GslVector&) = delete;
  GslVector& operator=(const GslVector&) = delete;
  gsl_vector* v;
};

}  // namespace

double MatrixCorr(int n, const double* const* A, const double* const* B) { return PairCorrelation(n, A, B); }

double PartialCorrelation(double rAB, double rAC, double rBC) {
  const double denominator = std::sqrt(std::max(0.0, 1.0 - rAC * rAC)) * std::sqrt(std::max(0.0, 1.0 - rBC * rBC));
  if (!(denominator > 0.0)) return 0.0;
  return (rAB - rAC * rBC) / denominator;
}

double PartialMatrixCorr(int n, const double* const* A, const double* const* B, const double* const* C) {
  return PartialCorrelation(PairCorrelation(n, A, B), PairCorrelation(n, A, C), PairCorrelation(n, B, C));
}

double RdMatrixCorr(int n, const double* const* A, const double* const* B, bool square) {
  if (n <= 0) return 0.0;
  Matrix GA(n, n), GB(n, n);
  GowerMatrixCentering(n, A, GA.data(), square);
  GowerMatrixCentering(n, B, GB.data(), square);
  const double cells = static_cast<double>(n) * n;
  double ma = 0.0, mb = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      ma += GA[i][j];
      mb += GB[i][j];
    }
  ma /= cells;
  mb /= cells;
  double sab = 0.0, saa = 0.0, sbb = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      const double a = GA[i][j] - ma, b = GB[i][j] - mb;
      sab += a * b;
      saa += a * a;
      sbb += b * b;
    }
  if (saa <= 0.0 || sbb <= 0.0) return 0.0;
  return sab / std::sqrt(saa * sbb);
}

double RVcoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2) {
  const Matrix Z1 = CentredColumns(n, p1, X1), Z2 = CentredColumns(n, p2, X2);
  const double s12 = SquaredNorm(CrossProduct(n, p1, p2, Z1, Z2));
  const double s11 = SquaredNorm(CrossProduct(n, p1, p1, Z1, Z1));
  const double s22 = SquaredNorm(CrossProduct(n, p2, p2, Z2, Z2));
  if (s11 <= 0.0 || s22 <= 0.0) return 0.0;
  return s12 / std::sqrt(s11 * s22);
}

bool StandardizeTotalVariance(int n, int p, const double* const* X, Matrix& Z) {
  Z = CentredColumns(n, p, X);
  const double total = SquaredNorm(Z);
  if (!(total > 0.0) || n < 2) return false;
  const double scale = std::sqrt((n - 1) / total);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) Z[i][j] *= scale;
  return true;
}

double ProcrustesCoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2) {
  Matrix Z1, Z2, C;
  if (p1 <= 0 || p2 <= 0 || !ProcrustesCrossProduct(n, p1, p2, X1, X2, Z1, Z2, C)) return 0.0;
  // The cross product of the variables actually present: p1 x p2.
  std::vector<double> m(static_cast<size_t>(p1) * p2);
  for (int a = 0; a < p1; a++)
    for (int b = 0; b < p2; b++) m[static_cast<size_t>(a) * p2 + b] = C[a][b];
  SingularValueSum sum(p1, p2);
  return sum(m.data());
}

double ProcrustesCoeff(int n, int p1, int p2, const double* const* X1, const double* const* X2, double** out) {
  const int q = std::max(p1, p2);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < q; j++) out[i][j] = 0.0;
  Matrix Z1, Z2, C;
  if (p1 <= 0 || p2 <= 0 || !ProcrustesCrossProduct(n, p1, p2, X1, X2, Z1, Z2, C)) return 0.0;
  GslMatrix U(q, q), V(q, q);
  GslVector S(q), work(q);
  for (int a = 0; a < q; a++)
    for (int b = 0; b < q; b++) gsl_matrix_set(U.m, a, b, C[a][b]);
  if (gsl_linalg_SV_decomp(U.m, V.m, S.v, work.v) != GSL_SUCCESS) return 0.0;
  double total = 0.0;
  for (int k = 0; k < q; k++) total += gsl_vector_get(S.v, k);
  // Rotation V U' (q x q), then out = total * Z2 * rotation.
  Matrix rotation(q, q);
  for (int a = 0; a < q; a++)
    for (int b = 0; b < q; b++) {
      double s = 0.0;
      for (int k = 0; k < q; k++) s += gsl_matrix_get(V.m, a, k) * gsl_matrix_get(U.m, b, k);
      rotation[a][b] = s;
    }
  for (int i = 0; i < n; i++)
    for (int b = 0; b < q; b++) {
      double s = 0.0;
      for (int a = 0; a < p2; a++) s += Z2[i][a] * rotation[a][b];
      out[i][b] = total * s;
    }
  return total;
}

SingularValueSum::SingularValueSum(int rows, int cols)
    : rows_(rows), cols_(cols), transpose_(rows < cols) {
  const int r = std::max(1, std::max(rows, cols)), c = std::max(1, std::min(rows, cols));
  a_ = gsl_matrix_alloc(r, c);
  v_ = gsl_matrix_alloc(c, c);
  s_ = gsl_vector_alloc(c);
  work_ = gsl_vector_alloc(c);
  if (!a_ || !v_ || !s_ || !work_) {
    Free();
    throw std::bad_alloc();
  }
}

SingularValueSum::~SingularValueSum() { Free(); }

void SingularValueSum::Free() {
  if (work_) gsl_vector_free(work_);
  if (s_) gsl_vector_free(s_);
  if (v_) gsl_matrix_free(v_);
  if (a_) gsl_matrix_free(a_);
  a_ = v_ = nullptr;
  s_ = work_ = nullptr;
}

SingularValueSum::SingularValueSum(SingularValueSum&& other) noexcept
    : rows_(other.rows_), cols_(other.cols_), transpose_(other.transpose_), a_(other.a_), v_(other.v_),
      s_(other.s_), work_(other.work_) {
  other.a_ = other.v_ = nullptr;
  other.s_ = other.work_ = nullptr;
}

double SingularValueSum::operator()(const double* m) {
  if (rows_ <= 0 || cols_ <= 0) return 0.0;
  for (int i = 0; i < rows_; i++)
    for (int j = 0; j < cols_; j++) {
      const double x = m[static_cast<size_t>(i) * cols_ + j];
      if (transpose_) gsl_matrix_set(a_, j, i, x);
      else gsl_matrix_set(a_, i, j, x);
    }
  if (gsl_linalg_SV_decomp(a_, v_, s_, work_) != GSL_SUCCESS) return 0.0;
  double total = 0.0;
  for (size_t k = 0; k < s_->size; k++) total += gsl_vector_get(s_, k);
  return total;
}

double PearsonCorrelation(int n, const double* x, const double* y) {
  if (n <= 0) return 0.0;
  double mx = 0.0, my = 0.0;
  for (int i = 0; i < n; i++) {
    mx += x[i];
    my += y[i];
  }
  mx /= n;
  my /= n;
  double sxy = 0.0, sxx = 0.0, syy = 0.0;
  for (int i = 0; i < n; i++) {
    const double a = x[i] - mx, b = y[i] - my;
    sxy += a * b;
    sxx += a * a;
    syy += b * b;
  }
  if (sxx <= 0.0 || syy <= 0.0) return 0.0;
  return sxy / std::sqrt(sxx * syy);
}

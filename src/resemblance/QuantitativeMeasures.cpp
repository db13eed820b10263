#include "resemblance/QuantitativeMeasures.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "ZQLib/GaussJordan.h"
#include "ZQLib/Matrix.h"
#include "ZQLib/Parallel.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/RowKernels.h"

namespace {

inline double Dot(int m, const double* x, const double* y) {
  double s = 0.0;
  for (int k = 0; k < m; k++) s += x[k] * y[k];
  return s;
}

// Cross products of all pairs i <= j of rows of a table without missing cells.
void CrossProductsUpper(int n, int m, const double* const* t, double** result) {
  const Matrix tt = TransposeOf(n, m, t);
  for (int i = 0; i < n; i++) rsm::DotRow(n, m, tt.data(), t[i], i, result[i]);
}

// Inverse of a covariance matrix, judged singular on its correlation form so
// that attributes of very different variances are not mistaken for a
// singular matrix: S^-1 = D^-1 R^-1 D^-1 with D the standard deviations. An
// attribute without variance makes the matrix singular. False (inverse
// untouched) when it is.
bool InvertCovariance(int m, const double* const* s, double** inverse) {
  std::vector<double> sd(m > 0 ? m : 1);
  for (int k = 0; k < m; k++) {
    if (!(s[k][k] > 0.0)) return false;
    sd[k] = std::sqrt(s[k][k]);
  }
  Matrix r(m, m);
  for (int a = 0; a < m; a++)
    for (int b = 0; b < m; b++) r[a][b] = s[a][b] / (sd[a] * sd[b]);
  const bool invertible = MatrixInverse(m, m, r.data(), r.data());
  if (invertible)
    for (int a = 0; a < m; a++)
      for (int b = 0; b < m; b++) inverse[a][b] = r[a][b] / (sd[a] * sd[b]);
  return invertible;
}

// True when the present values of attribute k are all equal (or fewer than two).
bool ConstantAttribute(int n, const double* const* table, int k) {
  int present = 0;
  double first = 0.0;
  for (int i = 0; i < n; i++) {
    const double x = table[i][k];
    if (IsMissing(x)) continue;
    if (present++ == 0)
      first = x;
    else if (x != first)
      return false;
  }
  return true;
}

}  // namespace

void CrossProductMV(int n, int m, const double* const* table, double** result) {
  if (!rsm::TableHasMissing(n, m, table)) {
    CrossProductsUpper(n, m, table, result);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) result[i][j] = CrossProduct2VecMV(m, table[i], table[j]);
  }
  rsm::MirrorUpper(n, result);
}

void AbsValFunctionMV(int n, int m, const double* const* table, double** result) {
  const bool missing = rsm::TableHasMissing(n, m, table);
  const Matrix tt = TransposeOf(n, m, table);
  for (int i = 0; i < n; i++) {
    result[i][i] = 0.0;
    rsm::AbsDiffRow(n, m, tt.data(), table[i], i + 1, result[i], missing);
  }
}

void EucliDistMV(int n, int m, const double* const* table, double** result) {
  const bool missing = rsm::TableHasMissing(n, m, table);
  const Matrix tt = TransposeOf(n, m, table);
  // Row i has n - i - 1 pairs: round-robin rows of one keep the threads' shares
  // even. Called from a thread of an outer parallel loop, it runs on that thread.
#pragma omp parallel for schedule(static, 1) if (!InParallelRegion())
  for (int i = 0; i < n; i++) {
    result[i][i] = 0.0;
    rsm::SqDistRow(n, m, tt.data(), table[i], i + 1, result[i], missing);
  }
  rsm::MirrorUpper(n, result, true);
}

void CorrelationMV(int n, int m, const double* const* table, double** result) {
  if (!rsm::TableHasMissing(n, m, table)) {
    Matrix z = CopyOf(n, m, table);
    CenterRowsMV(n, m, z.data(), z.data());
    NormalizeRowsMV(n, m, z.data(), z.data());
    CrossProductsUpper(n, m, z.data(), result);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) result[i][j] = Correlation2VecMV(m, table[i], table[j]);
  }
  rsm::MirrorUpper(n, result);
}

void CovarianceMV(int n, int m, const double* const* table, double** result) {
  if (!rsm::TableHasMissing(n, m, table)) {
    Matrix z = CopyOf(n, m, table);
    // Rows become (x - mean) / sqrt(m - 1); a single attribute leaves zeros.
    CenterRowsCovMV(n, m, z.data(), z.data());
    CrossProductsUpper(n, m, z.data(), result);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) result[i][j] = Covariance2VecMV(m, table[i], table[j]);
  }
  rsm::MirrorUpper(n, result);
}

void ChordDistMV(int n, int m, const double* const* table, double** result) {
  if (!rsm::TableHasMissing(n, m, table)) {
    Matrix z = CopyOf(n, m, table);
    NormalizeRowsMV(n, m, z.data(), z.data());
    EucliDistMV(n, m, z.data(), result);
    return;
  }
  for (int i = 0; i < n; i++) {
    result[i][i] = 0.0;
    for (int j = i + 1; j < n; j++) {
      const double s = ChordDistSq2VecMV(m, table[i], table[j]);
      result[i][j] = s > 0.0 ? std::sqrt(s) : 0.0;
    }
  }
  rsm::MirrorUpper(n, result);
}

void BrayCurtisMV(int n, int m, const double* const* table, double** result) {
  double mn = DBL_MAX;
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++)
      if (!IsMissing(table[i][k]) && table[i][k] < mn) mn = table[i][k];
  const double shift = mn < 0.0 ? mn : 0.0;
  const bool missing = rsm::TableHasMissing(n, m, table);
  const Matrix tt = TransposeOf(n, m, table);
  for (int i = 0; i < n; i++) {
    result[i][i] = 0.0;
    rsm::BrayCurtisRow(n, m, tt.data(), table[i], i + 1, result[i], shift, missing);
  }
}

void LegendreChodorowski(int n, int m, const double* const* table, double** result, const double* weights, double k) {
  for (int i = 0; i < n; i++) {
    result[i][i] = 1.0;
    const double* x = table[i];
    for (int j = i + 1; j < n; j++) {
      const double* y = table[j];
      double num = 0.0, den = 0.0;
      for (int a = 0; a < m; a++) {
        if (IsMissing(x[a]) || IsMissing(y[a])) continue;
        if (!(x[a] + y[a] > 0.0)) continue;
        const double w = weights ? weights[a] : 1.0;
        den += w;
        const double d = std::fabs(x[a] - y[a]);
        if (d <= k && x[a] * y[a] > 0.0) num += w * 2.0 * (k + 1.0 - d) / (d * k + 2.0 * k + 2.0);
      }
      if (den > 0.0) {
        result[i][j] = static_cast<float>(num / den);
        result[j][i] = result[i][j];
      }
    }
  }
}

CovarianceDefect MahalanobisDefect(int n, int m, const double* const* table, int* attribute) {
  // m attributes measured on n entities span at most n - 1 dimensions.
  if (n <= m) return CovarianceDefect::TooFewEntities;
  for (int k = 0; k < m; k++)
    if (ConstantAttribute(n, table, k)) {
      if (attribute != nullptr) *attribute = k;
      return CovarianceDefect::ConstantAttribute;
    }
  Matrix s(m, m), inverse(m, m);
  CovarianceMV(m, n, TransposeOf(n, m, table).data(), s.data());
  return InvertCovariance(m, s.data(), inverse.data()) ? CovarianceDefect::None : CovarianceDefect::Collinear;
}

bool Mahalanobis(int n, int m, const double* const* table, double** result) {
  if (n <= m) return false;
  Matrix s(m, m), sInv(m, m);
  CovarianceMV(m, n, TransposeOf(n, m, table).data(), s.data());
  if (!InvertCovariance(m, s.data(), sInv.data())) return false;
  std::vector<double> d(m > 0 ? m : 1), dS(m > 0 ? m : 1);
  for (int i = 0; i < n; i++) {
    result[i][i] = 0.0;
    const double* x = table[i];
    for (int j = i + 1; j < n; j++) {
      const double* y = table[j];
      for (int k = 0; k < m; k++) d[k] = (IsMissing(x[k]) || IsMissing(y[k])) ? 0.0 : x[k] - y[k];
      for (int c = 0; c < m; c++) dS[c] = 0.0;
      for (int k = 0; k < m; k++) {
        if (d[k] == 0.0) continue;
        const double dk = d[k];
        const double* row = sInv[k];
        for (int c = 0; c < m; c++) dS[c] += dk * row[c];
      }
      const double q = Dot(m, dS.data(), d.data());
      // A covariance matrix from pairwise deletion need not be positive
      // definite; a negative form is reported as distance 0, never NaN.
      result[i][j] = q > 0.0 ? std::sqrt(q) : 0.0;
    }
  }
  return true;
}

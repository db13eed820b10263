// Symmetric eigen-decomposition and singular value decomposition through GSL.
#include "ordination/EigenKernels.h"

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>

#include <cmath>
#include <limits>
#include <new>

namespace {

// Negative eigenvalues (or singular values) tolerated, as a fraction of the
// sum of all of them.
constexpr double kNegativeTolerance = -0.001;

bool AllFinite(int rows, int cols, double** A) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++)
      if (!std::isfinite(A[i][j])) return false;
  return true;
}

// True when no value is negative beyond the tolerance relative to the sum.
// The magnitude of the sum is used, so that a matrix whose eigenvalues are
// all negative is not taken for a positive semi-definite one.
bool Acceptable(int n, const double* v) {
  double total = 0.0;
  for (int k = 0; k < n; k++) total += v[k];
  const double scale = std::fabs(total);
  for (int k = 0; k < n; k++)
    if (v[k] < kNegativeTolerance * scale) return false;
  return true;
}

}  // namespace

bool EigenHouseholderQL_GSL_D(int n, double** A, double** evec, double* eig) {
  if (n <= 0) return true;
  if (!AllFinite(n, n, A)) {
    // The QL iterations do not terminate on non-finite input: deliver
    // non-finite results and refuse the decomposition instead.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int k = 0; k < n; k++) {
      eig[k] = nan;
      for (int i = 0; i < n; i++) evec[k][i] = nan;
    }
    return false;
  }
  gsl_matrix* m = gsl_matrix_alloc(n, n);
  gsl_vector* values = gsl_vector_alloc(n);
  gsl_matrix* vectors = gsl_matrix_alloc(n, n);
  gsl_eigen_symmv_workspace* w = gsl_eigen_symmv_alloc(n);
  if (!m || !values || !vectors || !w) {
    if (w) gsl_eigen_symmv_free(w);
    if (vectors) gsl_matrix_free(vectors);
    if (values) gsl_vector_free(values);
    if (m) gsl_matrix_free(m);
    throw std::bad_alloc();
  }
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) gsl_matrix_set(m, i, j, A[i][j]);
  gsl_eigen_symmv(m, values, vectors, w);
  gsl_eigen_symmv_free(w);
  gsl_eigen_symmv_sort(values, vectors, GSL_EIGEN_SORT_VAL_DESC);
  for (int k = 0; k < n; k++) {
    eig[k] = gsl_vector_get(values, k);
    for (int i = 0; i < n; i++) evec[k][i] = gsl_matrix_get(vectors, i, k);
  }
  gsl_matrix_free(vectors);
  gsl_vector_free(values);
  gsl_matrix_free(m);
  return Acceptable(n, eig);
}

bool SingValueDecomp(int m, int n, double** A, double** U, double* S, double** V) {
  if (n <= 0 || m < n) return false;
  if (!AllFinite(m, n, A)) return false;
  gsl_matrix* a = gsl_matrix_alloc(m, n);
  gsl_matrix* v = gsl_matrix_alloc(n, n);
  gsl_vector* s = gsl_vector_alloc(n);
  gsl_vector* work = gsl_vector_alloc(n);
  if (!a || !v || !s || !work) {
    if (work) gsl_vector_free(work);
    if (s) gsl_vector_free(s);
    if (v) gsl_matrix_free(v);
    if (a) gsl_matrix_free(a);
    throw std::bad_alloc();
  }
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) gsl_matrix_set(a, i, j, A[i][j]);
  const int status = gsl_linalg_SV_decomp(a, v, s, work);
  bool ok = status == GSL_SUCCESS;
  if (ok) {
    for (int k = 0; k < n; k++) S[k] = gsl_vector_get(s, k);
    for (int i = 0; i < m; i++)
      for (int j = 0; j < n; j++) U[i][j] = gsl_matrix_get(a, i, j);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) V[i][j] = gsl_matrix_get(v, i, j);
    ok = Acceptable(n, S);
  }
  gsl_vector_free(work);
  gsl_vector_free(s);
  gsl_matrix_free(v);
  gsl_matrix_free(a);
  return ok;
}

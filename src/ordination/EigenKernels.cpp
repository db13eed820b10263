// Symmetric eigen-decomposition through LAPACK; singular value decomposition
// through GSL.
//
// The decomposition reduces the matrix to tridiagonal form once (dsytrd),
// takes all eigenvalues from the tridiagonal matrix (dsterf), computes only
// the eigenvectors asked for on it, and turns them back with the reduction's
// reflectors (dormtr). A few vectors come from the relatively robust
// representations (dstemr, as in dsyevr), O(n) each; a quarter of them or
// more from divide and conquer (dstedc, as in dsyevd), whose matrix products
// make it several times faster than the former for every vector. With few
// vectors the whole cost is little more than the reduction.
// Threads: OpenBLAS built for OpenMP follows the thread limit it finds, and
// runs on one thread inside a parallel region; see DecompositionThreads.
#include "ordination/EigenKernels.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>
#include <lapacke.h>
#include <omp.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <optional>
#include <vector>

extern "C" {
// LAPACK's eigen-decomposition of the 2 x 2 symmetric matrix [[a, b], [b, c]]:
// rt1 the eigenvalue of larger magnitude with unit eigenvector (cs1, sn1),
// rt2 the other one.
void dlaev2_(const double* a, const double* b, const double* c, double* rt1, double* rt2, double* cs1, double* sn1);
}

namespace {

// Negative eigenvalues (or singular values) tolerated, as a fraction of the
// sum of all of them.
constexpr double kNegativeTolerance = -0.001;
// Magnitudes within this relative distance of the largest count as equal
// for the sign rule: equal components of an exact eigenvector come out of
// the arithmetic a few units in the last place apart.
constexpr double kSignTie = 1e-10;

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

using Count = std::function<int(const double*)>;

// LAPACKE's result code; its own work areas that cannot be had are thrown as
// std::bad_alloc like every allocation of the kernels.
lapack_int Checked(lapack_int info) {
  if (info == LAPACK_WORK_MEMORY_ERROR || info == LAPACK_TRANSPOSE_MEMORY_ERROR) throw std::bad_alloc();
  return info;
}

int VectorCount(const Count& count, int n, const double* eig) { return std::clamp(count(eig), 0, n); }

// Column-major copy whose upper triangle holds the lower triangle of A (row
// i of A becomes column i), so that rows are read and written contiguously.
std::vector<double> UpperColumns(int n, double** A) {
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (int i = 0; i < n; i++) std::memcpy(a.data() + static_cast<std::size_t>(i) * n, A[i], sizeof(double) * (i + 1));
  return a;
}

// Row r of evec from column `column` of the column-major matrix z.
void CopyColumn(int n, const std::vector<double>& z, int column, double* row) {
  const double* from = z.data() + static_cast<std::size_t>(column) * n;
  std::copy(from, from + n, row);
}

// Orders of 1 and 2 in closed form. Returns the number of vectors written.
int Small(int n, double** A, const Count& count, double** evec, double* eig) {
  if (n == 1) {
    eig[0] = A[0][0];
    const int k = VectorCount(count, n, eig);
    if (k > 0) evec[0][0] = 1.0;
    return k;
  }
  double rt1, rt2, cs, sn;
  dlaev2_(&A[0][0], &A[1][0], &A[1][1], &rt1, &rt2, &cs, &sn);
  // Eigenvector of rt1 is (cs, sn), of rt2 (-sn, cs).
  const double v[2][2] = {{cs, sn}, {-sn, cs}};
  int first = 0;
  if (rt2 > rt1) {
    std::swap(rt1, rt2);
    first = 1;
  }
  eig[0] = rt1;
  eig[1] = rt2;
  const int k = VectorCount(count, n, eig);
  for (int r = 0; r < k; r++) {
    evec[r][0] = v[(first + r) % 2][0];
    evec[r][1] = v[(first + r) % 2][1];
  }
  return k;
}

// Threads of a decomposition of order n. The reduction to tridiagonal form
// is a long sequence of matrix-vector products, one parallel region each:
// below about 1000 rows each is too short to gain from sharing, and a thread
// that waits for a processor at every one of them makes the whole many times
// slower (measured on two cores: order 1500 in 0.08 to 0.12 s on two threads
// and 0.15 s on one when the machine is otherwise idle, but 1 to 3 s on two
// threads and 0.3 to 1.2 s on one beside two busy processes). So the BLAS
// uses the program's thread limit from order 1000 on, less the processors
// that other work keeps busy (the load average of the last minute, less one
// for the program itself), and one thread inside a parallel region
// (OpenBLAS's own rule).
constexpr int kThreadedOrder = 1000;

int DecompositionThreads(int n) {
  const int limit = omp_get_max_threads();
  if (n < kThreadedOrder || limit <= 1 || omp_in_parallel()) return 1;
  double load = 0.0;
  if (getloadavg(&load, 1) != 1) return limit;
  const double others = load > 1.0 ? load - 1.0 : 0.0;
  const int idle = omp_get_num_procs() - static_cast<int>(others + 0.5);
  return std::clamp(idle, 1, limit);
}

// Thread limit of the calling thread for the LAPACK calls in its scope.
class ThreadLimit {
 public:
  explicit ThreadLimit(int n) : before_(omp_get_max_threads()) { omp_set_num_threads(n); }
  ~ThreadLimit() { omp_set_num_threads(before_); }
  ThreadLimit(const ThreadLimit&) = delete;
  ThreadLimit& operator=(const ThreadLimit&) = delete;

 private:
  int before_;
};

// Eigenvectors of the k largest eigenvalues of the tridiagonal matrix (d, e;
// both overwritten), in ascending order of their eigenvalues, as the columns
// of z (n x k). Few vectors: relatively robust representations, O(n) each;
// many: divide and conquer, whose matrix products share the work among the
// threads. eig receives the eigenvalues in descending order when the second
// route computes them all.
bool TridiagonalVectors(int n, int k, std::vector<double>& d, std::vector<double>& e, std::vector<double>& z,
                        double* eig) {
  if (4 * k <= n) {
    std::vector<double> w(n);
    std::vector<lapack_int> support(2 * static_cast<std::size_t>(k));
    lapack_int found = 0;
    lapack_logical tryAccuracy = 1;
    z.resize(static_cast<std::size_t>(n) * k);
    return Checked(LAPACKE_dstemr(LAPACK_COL_MAJOR, 'V', 'I', n, d.data(), e.data(), 0.0, 0.0, n - k + 1, n, &found,
                          w.data(), z.data(), n, k, support.data(), &tryAccuracy)) == 0 &&
           found == k;
  }
  std::vector<double> all(static_cast<std::size_t>(n) * n);
  if (Checked(LAPACKE_dstedc(LAPACK_COL_MAJOR, 'I', n, d.data(), e.data(), all.data(), n)) != 0) return false;
  if (eig)
    for (int r = 0; r < n; r++) eig[r] = d[n - 1 - r];
  z.assign(all.begin() + static_cast<std::ptrdiff_t>(n - k) * n, all.end());
  return true;
}

// Reduction, all eigenvalues, the vectors asked for: k of them, or when k
// is negative count(eig) of them. False when a step did not succeed
// (nothing usable written).
bool Reduced(int n, double** A, int k, const Count& count, double** evec, double* eig, int* vectors) {
  std::vector<double> a = UpperColumns(n, A);
  std::vector<double> d(n), e(n), tau(n), values(n);
  if (Checked(LAPACKE_dsytrd(LAPACK_COL_MAJOR, 'U', n, a.data(), n, d.data(), e.data(), tau.data())) != 0) return false;
  // All eigenvalues alone, unless every vector (which brings them) is asked for.
  const bool valuesFirst = k < 0 || 4 * k <= n;
  if (valuesFirst) {
    std::vector<double> w(d), e2(e);
    if (Checked(LAPACKE_dsterf(n, w.data(), e2.data())) != 0) return false;
    for (int r = 0; r < n; r++) values[r] = w[n - 1 - r];
    if (k < 0) k = VectorCount(count, n, values.data());
  }
  if (k > 0) {
    std::vector<double> z;
    if (!TridiagonalVectors(n, k, d, e, z, valuesFirst ? nullptr : values.data())) return false;
    if (Checked(LAPACKE_dormtr(LAPACK_COL_MAJOR, 'L', 'U', 'N', n, k, a.data(), n, tau.data(), z.data(), n)) != 0) return false;
    // Vectors come in ascending order of their eigenvalues.
    for (int r = 0; r < k; r++) CopyColumn(n, z, k - 1 - r, evec[r]);
  }
  std::copy(values.begin(), values.end(), eig);
  *vectors = k;
  return true;
}

// The driver routine on the whole matrix, for the rare matrices on which a
// step above does not succeed.
bool Fallback(int n, double** A, const Count& count, double** evec, double* eig, int* vectors) {
  std::vector<double> a = UpperColumns(n, A), w(n);
  if (Checked(LAPACKE_dsyevd(LAPACK_COL_MAJOR, 'V', 'U', n, a.data(), n, w.data())) != 0) return false;
  for (int r = 0; r < n; r++) eig[r] = w[n - 1 - r];
  const int k = VectorCount(count, n, eig);
  for (int r = 0; r < k; r++) CopyColumn(n, a, n - 1 - r, evec[r]);
  *vectors = k;
  return true;
}

// Eigenvalues, then the eigenvectors of the first count(eig) of them.
// k >= 0: that many vectors; otherwise count(eig) of them.
bool Decompose(int n, double** A, double** evec, double* eig, int k, const Count& count) {
  if (n <= 0) return true;
  const int fixed = std::min(k, n);
  const Count howMany = fixed >= 0 ? Count([fixed](const double*) { return fixed; }) : count;
  bool done = false;
  // Orders 1 and 2 call no BLAS (and come by the million from the factorial
  // clustering): no change of the thread limit for them.
  std::optional<ThreadLimit> threads;
  if (n > 2) threads.emplace(DecompositionThreads(n));
  if (AllFinite(n, n, A)) {
    if (n <= 2) {
      k = Small(n, A, howMany, evec, eig);
      done = true;
    } else {
      done = Reduced(n, A, fixed, howMany, evec, eig, &k) || Fallback(n, A, howMany, evec, eig, &k);
    }
  }
  if (!done) {
    // Non-finite input (on which the iterations need not end) or no
    // decomposition: non-finite results, refused.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::fill(eig, eig + n, nan);
    k = VectorCount(howMany, n, eig);
    for (int r = 0; r < k; r++) std::fill(evec[r], evec[r] + n, nan);
    return false;
  }
  for (int r = 0; r < k; r++) OrientEigenvector(n, evec[r]);
  // Values so large that the arithmetic overflowed give no decomposition.
  for (int r = 0; r < n; r++)
    if (!std::isfinite(eig[r])) return false;
  return Acceptable(n, eig);
}

}  // namespace

void OrientEigenvector(int n, double* v) {
  double largest = 0.0;
  for (int i = 0; i < n; i++) largest = std::max(largest, std::fabs(v[i]));
  const double tie = largest * (1.0 - kSignTie);
  for (int i = 0; i < n; i++) {
    if (std::fabs(v[i]) < tie) continue;
    if (v[i] < 0.0)
      for (int j = 0; j < n; j++) v[j] = -v[j];
    return;
  }
}

bool EigenHouseholderQL_GSL_D(int n, double** A, double** evec, double* eig) {
  return Decompose(n, A, evec, eig, n, nullptr);
}

bool EigenLeadingVectors(int n, double** A, int k, double** evec, double* eig) {
  return Decompose(n, A, evec, eig, std::max(k, 0), nullptr);
}

bool EigenLeadingVectors(int n, double** A, const std::function<int(const double* eig)>& vectorCount,
                         double** evec, double* eig) {
  return Decompose(n, A, evec, eig, -1, vectorCount);
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

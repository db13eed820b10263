// Gauss-Jordan elimination with full pivoting (one-based matrices) and the
// zero-based matrix inverse built on it.
#include "ordination/GaussJordan.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "ZQLib/zqlibDim.h"

namespace {

// The elimination shared by gaussj and gaussj_VP. With `report` the two
// singularity messages go to the error stream and the elimination carries
// on; without it the first singular pass is completed and the elimination
// stops there, skipping the column unscrambling. Returns false on a
// singular matrix.
bool Eliminate(double** a, int n, double** b, int m, bool report) {
  std::vector<int> indxc(n + 1, 0), indxr(n + 1, 0), ipiv(n + 1, 0);
  bool regular = true;
  for (int i = 1; i <= n; i++) {
    double big = 0.0;
    int irow = 0, icol = 0;
    bool repeated = false;
    for (int j = 1; j <= n; j++) {
      if (ipiv[j] == 1) continue;
      for (int k = 1; k <= n; k++) {
        if (ipiv[k] == 0) {
          if (std::fabs(a[j][k]) >= big) {
            big = std::fabs(a[j][k]);
            irow = j;
            icol = k;
          }
        } else if (ipiv[k] > 1) {
          repeated = true;
        }
      }
    }
    if (repeated) {
      if (report) fprintf(stderr, "gaussj: Singular Matrix-1\n");
      regular = false;
    }
    if (irow == 0) {
      // No candidate compared as a number (every entry non-finite): there is
      // no pivot to take, so the matrix is treated as singular.
      if (report) fprintf(stderr, "gaussj: Singular Matrix-2\n");
      return false;
    }
    ++ipiv[icol];
    if (irow != icol) {
      for (int l = 1; l <= n; l++) std::swap(a[irow][l], a[icol][l]);
      for (int l = 1; l <= m; l++) std::swap(b[irow][l], b[icol][l]);
    }
    indxr[i] = irow;
    indxc[i] = icol;
    if (a[icol][icol] == 0.0) {
      if (report) fprintf(stderr, "gaussj: Singular Matrix-2\n");
      regular = false;
    }
    const double pivinv = 1.0 / a[icol][icol];
    a[icol][icol] = 1.0;
    for (int l = 1; l <= n; l++) a[icol][l] *= pivinv;
    for (int l = 1; l <= m; l++) b[icol][l] *= pivinv;
    for (int ll = 1; ll <= n; ll++) {
      if (ll == icol) continue;
      const double dum = a[ll][icol];
      a[ll][icol] = 0.0;
      for (int l = 1; l <= n; l++) a[ll][l] -= a[icol][l] * dum;
      for (int l = 1; l <= m; l++) b[ll][l] -= b[icol][l] * dum;
    }
    if (!regular && !report) return false;
  }
  for (int l = n; l >= 1; l--) {
    if (indxr[l] == indxc[l]) continue;
    for (int k = 1; k <= n; k++) std::swap(a[k][indxr[l]], a[k][indxc[l]]);
  }
  return regular;
}

}  // namespace

void gaussj(double** a, int n, double** b, int m) { Eliminate(a, n, b, m, true); }

bool gaussj_VP(double** a, int n, double** b, int m) { return Eliminate(a, n, b, m, false); }

bool MatrixInverse(int n, int m, double** A, double** B) {
  if (n != m) return false;
  double** work = dimDouble2D(n + 1, m + 1);
  double** rhs = dimDouble2D(n + 1, m + 1);
  Convertn_n1(n, m, A, work);
  const bool ok = gaussj_VP(work, n, rhs, m);
  if (ok) Convertn1_n(n, m, work, B);
  freeDouble2D(work, n + 1);
  freeDouble2D(rhs, n + 1);
  return ok;
}

void Convertn_n1(int n, int m, double** A, double** B) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < m; j++) B[i + 1][j + 1] = A[i][j];
}

void Convertn1_n(int n, int m, double** A, double** B) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < m; j++) B[i][j] = A[i + 1][j + 1];
}

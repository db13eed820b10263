// Gauss-Jordan elimination with full pivoting (one-based matrices) and the
// zero-based matrix inverse built on it.
#include "ZQLib/GaussJordan.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ZQLib/Matrix.h"

namespace {

constexpr double kRelativePivot = 1e-12;

double LargestMagnitude(double** a, int n) {
  double big = 0.0;
  for (int i = 1; i <= n; i++)
    for (int j = 1; j <= n; j++) {
      const double v = std::fabs(a[i][j]);
      if (v > big) big = v;
    }
  return big;
}

}  // namespace

bool gaussj(double** a, int n, double** b, int m) {
  if (n <= 0) return true;
  std::vector<int> work(static_cast<size_t>(GaussJordanWorkInts(n)));
  return gaussj(a, n, b, m, work.data());
}

bool gaussj(double** a, int n, double** b, int m, int* work) {
  if (n <= 0) return true;
  const double big0 = LargestMagnitude(a, n);
  if (!(big0 > 0.0) || !std::isfinite(big0)) return false;
  const double tolerance = n * kRelativePivot * big0;
  int* indxc = work;
  int* indxr = work + (n + 1);
  int* ipiv = work + 2 * (n + 1);
  std::fill(work, work + GaussJordanWorkInts(n), 0);
  for (int i = 1; i <= n; i++) {
    // Largest remaining entry; among equal magnitudes the last one found.
    double big = 0.0;
    int irow = 0, icol = 0;
    for (int j = 1; j <= n; j++) {
      if (ipiv[j] != 0) continue;
      for (int k = 1; k <= n; k++)
        if (ipiv[k] == 0 && std::fabs(a[j][k]) >= big) {
          big = std::fabs(a[j][k]);
          irow = j;
          icol = k;
        }
    }
    if (irow == 0 || !(big > tolerance)) return false;
    ipiv[icol] = 1;
    if (irow != icol) {
      for (int l = 1; l <= n; l++) std::swap(a[irow][l], a[icol][l]);
      for (int l = 1; l <= m; l++) std::swap(b[irow][l], b[icol][l]);
    }
    indxr[i] = irow;
    indxc[i] = icol;
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
  }
  for (int l = n; l >= 1; l--) {
    if (indxr[l] == indxc[l]) continue;
    for (int k = 1; k <= n; k++) std::swap(a[k][indxr[l]], a[k][indxc[l]]);
  }
  return true;
}

bool MatrixInverse(int n, int m, const double* const* A, double** B) {
  if (n != m) return false;
  Matrix work(n + 1, m + 1);
  Convertn_n1(n, m, A, work.data());
  if (!gaussj(work.data(), n, nullptr, 0)) return false;
  Convertn1_n(n, m, work.data(), B);
  return true;
}

void Convertn_n1(int n, int m, const double* const* A, double** B) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < m; j++) B[i + 1][j + 1] = A[i][j];
}

void Convertn1_n(int n, int m, const double* const* A, double** B) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < m; j++) B[i][j] = A[i + 1][j + 1];
}

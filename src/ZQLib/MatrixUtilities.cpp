// Dense-matrix utilities over row-pointer matrices.
#include "ZQLib/MatrixUtilities.h"

#include "ZQLib/MissingValue.h"

namespace {
inline bool Missing(double x) { return IsMissing(x); }
}  // namespace

int MatrixProd(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C) {
  if (cA != rB) return 1;
  for (int i = 0; i < rA; i++) {
    const double* a = A[i];
    double* c = C[i];
    for (int j = 0; j < cB; j++) c[j] = 0.0;
    for (int k = 0; k < cA; k++) {
      const double aik = a[k];
      if (Missing(aik)) continue;
      const double* b = B[k];
      for (int j = 0; j < cB; j++)
        if (!Missing(b[j])) c[j] += aik * b[j];
    }
  }
  return 0;
}

int MatrixProdMV(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C) {
  if (cA != rB) return 1;
  for (int i = 0; i < rA; i++) {
    const double* a = A[i];
    for (int j = 0; j < cB; j++) {
      double s = 0.0;
      int terms = 0;
      for (int k = 0; k < cA; k++) {
        const double aik = a[k], bkj = B[k][j];
        if (Missing(aik) || Missing(bkj)) continue;
        s += aik * bkj;
        terms++;
      }
      C[i][j] = terms > 0 ? s : MISSING_VALUE;
    }
  }
  return 0;
}

int MatrixProdTargetMV(int rA, int cA, int rB, int cB, int t, const double* const* T, const double* const* A,
                       const double* const* B, double** C) {
  if (cA != rB || cB <= t) return 1;
  for (int i = 0; i < rA; i++)
    for (int j = 0; j < cB; j++)
      for (int k = 0; k < cA; k++) {
        if (j != t && k != t && j != k) continue;
        const double aik = A[i][k], bkj = B[k][j];
        if (Missing(aik) || Missing(bkj)) continue;
        C[i][j] += aik * (bkj - T[k][j]);
      }
  return 0;
}

void ScalarMatrixProd(int r, int c, double s, const double* const* A, double** B) {
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) B[i][j] = Missing(A[i][j]) ? MISSING_VALUE : s * A[i][j];
}

int MatrixSum(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C, double w) {
  if (rA != rB || cA != cB) return 1;
  for (int i = 0; i < rA; i++)
    for (int j = 0; j < cA; j++) C[i][j] = A[i][j] + w * B[i][j];
  return 0;
}

void VectorOuterProd(int n, int m, const double* x, const double* y, double** M) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < m; j++) M[i][j] = x[i] * y[j];
}

double VectorProdMV(int n, const double* x, const double* y) {
  double s = 0.0;
  for (int i = 0; i < n; i++)
    if (!Missing(x[i]) && !Missing(y[i])) s += x[i] * y[i];
  return s;
}

void TransposeMatrix(int r, int c, const double* const* A, double** B) {
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) B[j][i] = A[i][j];
}

void TransposeSqMatrix(int n, double** A, double** B) {
  if (A == B) {
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) {
        const double t = A[i][j];
        A[i][j] = A[j][i];
        A[j][i] = t;
      }
    return;
  }
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) B[j][i] = A[i][j];
}

void UpperToLowerMatrix(int n, double** A) {
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) A[j][i] = A[i][j];
}

double MatrixTrace(int n, const double* const* A) {
  double s = 0.0;
  for (int i = 0; i < n; i++) s += A[i][i];
  return s;
}

void RowTotals(int r, int c, const double* const* A, double* v) {
  for (int i = 0; i < r; i++) {
    double s = 0.0;
    for (int j = 0; j < c; j++) s += A[i][j];
    v[i] = s;
  }
}

void RowTotalsMV(int r, int c, const double* const* A, double* v) {
  for (int i = 0; i < r; i++) {
    double s = 0.0;
    for (int j = 0; j < c; j++)
      if (!Missing(A[i][j])) s += A[i][j];
    v[i] = s;
  }
}

void ColTotals(int r, int c, const double* const* A, double* v) {
  for (int j = 0; j < c; j++) v[j] = 0.0;
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) v[j] += A[i][j];
}

void ColTotalsMV(int r, int c, const double* const* A, double* v) {
  for (int j = 0; j < c; j++) v[j] = 0.0;
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++)
      if (!Missing(A[i][j])) v[j] += A[i][j];
}

double MatrixTotalMV(int r, int c, const double* const* A) {
  double s = 0.0;
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++)
      if (!Missing(A[i][j])) s += A[i][j];
  return s;
}

namespace {
template <typename T>
T Extreme(int n, const T* v, bool largest) {
  if (n <= 0) return T(0);
  T e = v[0];
  for (int i = 1; i < n; i++)
    if (largest ? v[i] > e : v[i] < e) e = v[i];
  return e;
}
}  // namespace

double maxVector(int n, const double* v) { return Extreme(n, v, true); }
double minVector(int n, const double* v) { return Extreme(n, v, false); }
int maxVector(int n, const int* v) { return Extreme(n, v, true); }
int minVector(int n, const int* v) { return Extreme(n, v, false); }

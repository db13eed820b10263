// Dense-matrix utilities. "MV" routines (and MatrixProd, VectorProdMV and
// ScalarMatrixProd) skip entries equal to the missing-value code -999.0.
#pragma once

// C = A B (rA x cB). Returns 1 without computing when cA != rB, else 0.
int MatrixProd(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C);
// As MatrixProd; a C[i][j] whose every term was skipped becomes -999.0.
int MatrixProdMV(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C);
// C[i][j] += A[i][k] (B[k][j] - T[k][j]) for the terms involving index t
// (j == t, k == t or j == k). Returns 1 when cA != rB or cB <= t, else 0.
int MatrixProdTargetMV(int rA, int cA, int rB, int cB, int t, const double* const* T, const double* const* A,
                       const double* const* B, double** C);
// B = s A; a missing entry of A stays missing in B.
void ScalarMatrixProd(int r, int c, double s, const double* const* A, double** B);
// C = A + w B. Returns 1 when the dimensions differ, else 0.
int MatrixSum(int rA, int cA, int rB, int cB, const double* const* A, const double* const* B, double** C, double w);
// M[i][j] = x[i] y[j].
void VectorOuterProd(int n, int m, const double* x, const double* y, double** M);
// Sum of x[i] y[i] over the pairs with neither value missing.
double VectorProdMV(int n, const double* x, const double* y);
// B[j][i] = A[i][j] (A is r x c, B is c x r).
void TransposeMatrix(int r, int c, const double* const* A, double** B);
// Transpose of a square matrix; A and B may be the same matrix.
void TransposeSqMatrix(int n, double** A, double** B);
// Copies the strict upper triangle onto the lower one.
void UpperToLowerMatrix(int n, double** A);
double MatrixTrace(int n, const double* const* A);
void RowTotals(int r, int c, const double* const* A, double* v);
void RowTotalsMV(int r, int c, const double* const* A, double* v);
void ColTotals(int r, int c, const double* const* A, double* v);
void ColTotalsMV(int r, int c, const double* const* A, double* v);
double MatrixTotalMV(int r, int c, const double* const* A);
double maxVector(int n, const double* v);
double minVector(int n, const double* v);
int maxVector(int n, const int* v);
int minVector(int n, const int* v);

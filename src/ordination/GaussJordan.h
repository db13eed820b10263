// Gauss-Jordan elimination with full pivoting on one-based matrices
// (row and column 0 unused), and the inverse of a zero-based matrix.
#pragma once

// In-place inverse of the one-based n x n matrix a, and solution of a X = b
// for the m right-hand columns of the one-based n x m matrix b (m may be 0).
// A singular matrix is reported on the error stream; the routine goes on.
void gaussj(double** a, int n, double** b, int m);
// The same elimination, silent: returns false on a singular matrix.
bool gaussj_VP(double** a, int n, double** b, int m);
// B = inverse of the zero-based n x m (square) matrix A. On failure returns
// false and leaves B as it was.
bool MatrixInverse(int n, int m, double** A, double** B);

// Copy the zero-based n x m matrix A into rows/columns 1..n, 1..m of the
// (n+1) x (m+1) matrix B, and back.
void Convertn_n1(int n, int m, double** A, double** B);
void Convertn1_n(int n, int m, double** A, double** B);

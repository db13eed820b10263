// Gauss-Jordan elimination with full pivoting: the one matrix inverse of the
// program, on one-based matrices (row and column 0 unused) and zero-based.
//
// Singularity rule, the same for every form: the matrix is singular when its
// largest absolute entry is not a positive number, or when a pivot's
// magnitude is at most n * 1e-12 times that entry (an exact zero included).
// The elimination then stops and reports false. Nothing is printed.
#pragma once

// In-place inverse of the one-based n x n matrix a, and solution of a X = b
// for the m right-hand columns of the one-based n x m matrix b (m may be 0).
// Returns false on a singular matrix (a and b then hold partial results).
bool gaussj(double** a, int n, double** b, int m);
// The same with the caller's index work space of GaussJordanWorkInts(n) ints,
// for solves repeated in a loop: nothing is allocated.
bool gaussj(double** a, int n, double** b, int m, int* work);
inline int GaussJordanWorkInts(int n) { return 3 * (n + 1); }
// The same routine under the name the silent form has always had.
inline bool gaussj_VP(double** a, int n, double** b, int m) { return gaussj(a, n, b, m); }
// B = inverse of the zero-based n x m (square) matrix A; A and B may be the
// same matrix. On a singular or non-square matrix returns false and leaves B
// as it was. Throws std::bad_alloc when its work matrices cannot be had.
bool MatrixInverse(int n, int m, const double* const* A, double** B);

// Copy the zero-based n x m matrix A into rows/columns 1..n, 1..m of the
// (n+1) x (m+1) matrix B, and back.
void Convertn_n1(int n, int m, const double* const* A, double** B);
void Convertn1_n(int n, int m, const double* const* A, double** B);

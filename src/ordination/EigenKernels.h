// Eigenanalysis and matrix kernels: the symmetric eigen-decomposition with
// the program's sorting, sign and acceptance rules, the singular value
// decomposition, Gauss-Jordan inversion and the dense-matrix utilities.
// Matrices are row-pointer arrays addressed M[row][column]; dimensions come
// first. An entry equal to -999.0 is a missing value for the routines that
// say so.
#pragma once
#include <functional>

#include "ZQLib/GaussJordan.h"
#include "ZQLib/MatrixUtilities.h"

// Symmetric eigen-decomposition (LAPACK through LAPACKE, over OpenBLAS; the
// name is kept from the routine it replaced). The lower triangle of the n x n
// matrix A is read; A is not modified. Eigenvalues go to eig[0..n-1] in
// descending order of signed value, and row k of evec receives the unit
// eigenvector of eig[k].
// Sign rule: eigenvector signs are arbitrary and differ between libraries and
// thread counts; each vector is turned so that its component of largest
// magnitude is positive (the first of them when several are equal, magnitudes
// within a relative 1e-10 counting as equal). Scores computed from the
// vectors follow.
// Returns false when some eigenvalue is negative by more than 0.1 % of the
// trace (the decomposition is delivered anyway), or when A holds a value
// that is not finite (everything is then not-a-number).
// Threads: the decomposition uses the program's thread limit, and one thread
// when called inside a parallel region; results do not depend on the number
// of threads beyond the last bits.
bool EigenHouseholderQL_GSL_D(int n, double** A, double** evec, double* eig);

// All n eigenvalues as above, but eigenvectors only for the first k of them
// (rows 0..k-1 of evec; later rows are not touched). Much faster when k is
// small compared with n.
bool EigenLeadingVectors(int n, double** A, int k, double** evec, double* eig);
// The same with the number of eigenvectors decided from the eigenvalues:
// vectorCount receives eig[0..n-1] (sorted) and returns k.
bool EigenLeadingVectors(int n, double** A, const std::function<int(const double* eig)>& vectorCount,
                         double** evec, double* eig);

// The sign rule above applied to one vector of n components.
void OrientEigenvector(int n, double* v);

// A (m x n, m >= n) = U diag(S) V'. U is m x n, S has n entries, V is n x n.
// Returns false when the decomposition failed (outputs untouched).
bool SingValueDecomp(int m, int n, double** A, double** U, double* S, double** V);

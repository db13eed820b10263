// Eigenanalysis and matrix kernels: the symmetric eigen-decomposition with
// the program's sorting and acceptance rule, the singular value
// decomposition, Gauss-Jordan inversion and the dense-matrix utilities.
// Matrices are row-pointer arrays addressed M[row][column]; dimensions come
// first. An entry equal to -999.0 is a missing value for the routines that
// say so.
#pragma once
#include "ZQLib/GaussJordan.h"
#include "ZQLib/MatrixUtilities.h"

// Eigenvalues of the symmetric n x n matrix A (not modified) into eig[0..n-1]
// in descending order of signed value; row k of evec receives the unit
// eigenvector of eig[k]. Returns false when some eigenvalue is negative by
// more than 0.1 % of the trace (the decomposition is delivered anyway).
bool EigenHouseholderQL_GSL_D(int n, double** A, double** evec, double* eig);

// A (m x n, m >= n) = U diag(S) V'. U is m x n, S has n entries, V is n x n.
// Returns false when the decomposition failed (outputs untouched).
bool SingValueDecomp(int m, int n, double** A, double** U, double* S, double** V);

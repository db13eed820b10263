// Gower centring of distance matrices into centred cross-product matrices,
// and squared distances from cross-product or similarity matrices.
#pragma once

// b(i,j) = -0.5 (a(i,j) - m(i) - m(j) + g) with a = D squared (or D itself when
// `squared`), m the row means and g the grand mean of a. Reads and writes
// only the upper triangle with diagonal; D and B may be the same matrix.
void DissToCenterProdMatrix(int n, const double* const* D, double** B, bool squared);
// The same centring on full matrices: squares D when `square`, copies the
// upper triangle onto the lower one before the means and writes all n x n
// entries of B.
void GowerMatrixCentering(int n, const double* const* D, double** B, bool square);
// d2(i,j) = s(i,i) + s(j,j) - 2 s(i,j) for i < j and 0 on the diagonal; upper
// triangle only.
void ProdToSqDist(int n, const double* const* S, double** D);

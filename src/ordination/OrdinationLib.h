// Eigenvector ordinations of a resemblance matrix: principal coordinates
// (type 1), principal components (type 2) and correspondence analysis
// (type 3).
#pragma once

enum OrdinationType { ORD_PRINCIPAL_COORDINATES = 1, ORD_PRINCIPAL_COMPONENTS = 2, ORD_CORRESPONDENCE = 3 };

// True for the resemblance measures that are similarities or cross products,
// which principal coordinates converts through s(i,i) + s(j,j) - 2 s(i,j).
bool IsCrossProductMeasure(int reseType);

// Squared distances (full symmetric n x n matrix D2) that principal
// coordinates derives from the resemblance matrix.
void OrdinationSquaredDistances(int n, double** rese, int reseType, double** D2);

// The matrix subjected to eigenanalysis (full n x n): the Gower-centred
// squared distances for type 1, a copy of rese otherwise.
void OrdinationMatrix(int n, double** rese, int ordType, int reseType, double** B);

// Number of eigenvalues kept: those with 100 lambda / S+ > 1e-6, S+ being the
// sum of the positive eigenvalues (eig sorted in descending order).
int OrdinationRank(int n, const double* eig);
// Sum of the positive eigenvalues.
double SumPositiveEigenvalues(int n, const double* eig);

// Computes an ordination of the nRows entities compared in rese. X is the
// data table (sampling units x variables) from which scores are computed for
// types 2 (transformed data) and 3 (original data); reseDir 1 = rese compares
// sampling units, 2 = variables. eig needs nRows entries, evectors nRows x
// nRows; escores nRows x nRows for type 1, nRows x nCols otherwise. Rows
// 0..rank-1 of evectors receive the eigenvectors of the kept axes (the later
// rows are not written). ok gets the acceptance flag of the
// eigen-decomposition. Returns 1.
int OrdinationLib_D(int nRows, int nCols, double** X, double** rese, double** evectors, double** escores,
                    int* rank, double* eig, bool* ok, int ordType, int reseType, int reseDir);

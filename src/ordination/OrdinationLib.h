// Eigenvector ordinations of a resemblance matrix: principal coordinates
// (type 1), principal components (type 2) and correspondence analysis
// (type 3).
#pragma once

#include "ordination/OrdinationChoice.h"

enum OrdinationType { ORD_PRINCIPAL_COORDINATES = 1, ORD_PRINCIPAL_COMPONENTS = 2, ORD_CORRESPONDENCE = 3 };

// True for the resemblance measures that are similarities or cross products,
// which principal coordinates converts through s(i,i) + s(j,j) - 2 s(i,j).
bool IsCrossProductMeasure(int reseType);

// Squared distances (full symmetric n x n matrix D2) that principal
// coordinates derives from the resemblance matrix.
void OrdinationSquaredDistances(int n, const double* const* rese, int reseType, double** D2);

// The matrix subjected to eigenanalysis (full n x n): the Gower-centred
// squared distances for type 1, a copy of rese otherwise.
void OrdinationMatrix(int n, const double* const* rese, int ordType, int reseType, double** B);

// Number of eigenvalues kept: those with 100 lambda / S+ > 1e-6, S+ being the
// sum of the positive eigenvalues (eig sorted in descending order).
int OrdinationRank(int n, const double* eig);
// Sum of the positive eigenvalues.
double SumPositiveEigenvalues(int n, const double* eig);

// Computes an ordination of the nRows entities compared in rese (nRows x
// nRows). X is the data table (sampling units x variables) from which the
// scores are computed: the transformed data for principal components (type 2),
// the original data for correspondence analysis (type 3); not read for
// principal coordinates. nCols is the number of the other entities (variables
// when sampling units are compared, and the reverse). eig needs nRows entries,
// evectors nRows x nRows; escores nRows x nRows for type 1, nRows x nCols
// otherwise. ok gets the acceptance flag of the eigen-decomposition, rank the
// number of eigenvalues kept; rows 0..rank-1 of evectors receive the
// eigenvectors of the kept axes (the later rows are not written). X and rese are only read. Safe to call from
// several threads at once with different outputs; throws std::bad_alloc when
// its work tables cannot be allocated. Returns 1.
int OrdinationLib_D(const OrdinationChoice& choice, int nRows, int nCols, const double* const* X,
                    const double* const* rese, double** evectors, double** escores, int* rank, double* eig,
                    bool* ok);
// The same, with eigenvectors and scores for the first min(rank, maxAxes)
// axes only: rank and the nRows eigenvalues are those of the whole
// ordination, but evectors and escores need (and receive) only that many
// rows. Much cheaper than the whole ordination when a few leading axes are
// used, as in resampling loops.
int OrdinationLeadingAxes(const OrdinationChoice& choice, int maxAxes, int nRows, int nCols, const double* const* X,
                          const double* const* rese, double** evectors, double** escores, int* rank, double* eig,
                          bool* ok);
// The same with the choice as numbers: ordType, reseType, reseDir.
int OrdinationLib_D(int nRows, int nCols, const double* const* X, const double* const* rese, double** evectors,
                    double** escores, int* rank, double* eig, bool* ok, int ordType, int reseType, int reseDir);

// Correlations between descriptors and ordination axes, and contributions of
// descriptors to principal components. Scores come one row per axis
// (scores[k][e] = score of entity e on axis k).
#pragma once

// Centres each row of the rows x cols matrix M on the mean of its
// non-missing entries and divides it by its Euclidean norm (a zero norm
// leaves the row unchanged); missing entries (-999.0) stay as they are.
void StandardizeRowsForCorrelation(int rows, int cols, double** M);

// R[d][k] (p x min(rank, maxDim)): correlation over the n entities between
// descriptor d and axis k. Descriptor d of entity e is data[d][e] when flag
// is 1 (descriptors are sampling units), data[e][d] when flag is 0. Pairs
// with a missing entry are left out of the sums.
void ScoreCorrComp(int rank, int n, double** scores, double** data, int p, int flag, int maxDim, double** R);

// Correlations of the p descriptors analysed by principal components with
// the first m components: R[i][k] = sqrt(eig[k] / rese[i][i]) evectors[k][i]
// (0 for a descriptor whose variance rese[i][i] is not positive).
void ScoreCorrPrincipalComponents(int m, int p, double** rese, const double* eig, double** evectors, double** R);

// Percentage contribution C[i][k] of descriptor i to component k < m:
// (sqrt(rese[i][i]) evectors[k][i])^2, each column brought to a total of 100.
void VarContributionComp(int m, int p, double** evectors, double** rese, double** C);

// Tables that follow an ordination in the results file: scores (also
// written to "scores.txt"), descriptor-axis correlations with their ranked
// listing, and contributions of descriptors to principal components. Every
// table shows the first min(rank, nMaxDim) axes with sDigits digits.
#pragma once
#include <cstdio>

void PrintScores(FILE* f, int rank, int n, double** scores, const char* label);
// Correlations of p descriptors with the axes; descriptor d of entity e is
// data[d][e] when flag is 1, data[e][d] when flag is 0.
void ScoreCorr(FILE* f, int rank, int n, double** scores, double** data, int p, const char* label, int flag,
               char** labels);
// As above; for ordType 2 (principal components) the coefficients come from
// the eigen-solution (descriptors = the entities compared in rese).
void ScoreCorr(FILE* f, int rank, int n, double** scores, double** data, int p, const char* label, int flag,
               char** labels, int ordType, double** rese, double* eig, double** evectors);
void VarContribution(FILE* f, int rank, int p, double** evectors, double** rese, const char* label, char** labels);

// Information-theoretic resemblance: contingency tables of qualitative states,
// Renyi entropies of order alpha, mutual entropy, coherence, chi-square and
// mutual information of frequency profiles. Logarithms are natural (nats).
// Cells equal to -999.0 are missing and drop the attribute from a pair.
#pragma once
#include <cstdio>

// States of a vector are its distinct present values, converted to int, in
// order of first appearance. Cell (r, c) counts the attributes where x holds
// row state r and y column state c, both present. contingency must be at
// least (states of x) x (states of y); dims receives the two extents. When
// tablesFile is given the states and the table are printed to it.
void ContingencyMV(int m, const double* x, const double* y, double** contingency, int* dims, FILE* tablesFile);
// The same for three vectors: contingency[state of x][state of y][state of z],
// dims of three. Printed as one two-way table (y by z) per state of x.
void Contingency3D_MV(int m, const double* x, const double* y, const double* z, double*** contingency, int* dims,
                      FILE* tablesFile);
// Distinct values of x (as int, in order of first appearance) and their counts.
// Missing values are not treated specially.
void ContingencyVector(int m, const double* x, double* counts, int* nStates, int* states);
// Largest number of distinct present states of any row of the table.
int MaxStatesRows(int n, int m, const double* const* table);

// Renyi entropy of order alpha of the proportions counts/sum (Shannon for 1).
double EntropyVector(int n, const double* counts, double alpha);
// Entropies of a table for alpha = alphaFrom, alphaFrom + alphaStep, ... up to
// alphaTo (one output entry each): joint, of the column and of the row margins.
void EntropyMV(int r, int c, const double* const* contingency, double* hJoint, double* hColumns, double* hRows,
               double alphaFrom, double alphaTo, double alphaStep);
// As EntropyMV, plus mutual entropy, Rajski's distance and coherence per alpha.
void Entropy_MV(int r, int c, const double* const* contingency, double* hJoint, double* hColumns, double* hRows,
                double* mutual, double* rajski, double* coherence, double alphaFrom, double alphaTo,
                double alphaStep);
// Number of alpha values EntropyMV produces for the range.
int AlphaSteps(double alphaFrom, double alphaTo, double alphaStep);
double MutualEntropyMV(int r, int c, const double* const* contingency, double alpha);
double CoheCoefMV(int r, int c, const double* const* contingency, double alpha);
double MutualEntropy3D_MV(int r, int c, int l, const double* const* const* contingency, double alpha);

// Pairwise measures, result[i][j] for j >= i.
void MutualInformationMV(int n, int m, const double* const* table, double** result);                    // 4
void MDISMV(int n, int m, const double* const* table, double** result);                                 // 6
void MutualEntropyPairwiseMV(int n, int m, const double* const* table, double** result, double alpha);  // 7
void CoheCoefPairwiseMV(int n, int m, const double* const* table, double** result, double alpha);       // 9
void QuiSquareMV(int n, int m, const double* const* table, double** result);                            // 10
void IDivergenceMV(int n, int m, const double* const* table, double** result);
// Mutual entropy of every triplet i < j < k, stored in all six index orders.
void MutualEntropyTripletsMV(int n, int m, const double* const* table, double*** result3, double alpha);

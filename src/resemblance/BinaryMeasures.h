// Resemblance measures for presence/absence data, built on the 2 x 2 counts of
// two rows, and the partition of beta diversity into turnover and nestedness.
// Every pairwise routine fills result[i][j] for j >= i (diagonal included).
#pragma once

// a: x = 1 and y = 1; b: x = 1, y = 0; c: x = 0, y = 1; d: x = 0, y = 0.
// Cells holding anything but exactly 0 or 1 enter none of the counts.
void JointFreq(int m, const double* x, const double* y, int* a, int* b, int* c, int* d);

void Jaccard(int n, int m, const double* const* table, double** result);                // 11
void SimpleMatching(int n, int m, const double* const* table, double** result);         // 12
void SokalMichener(int n, int m, const double* const* table, double** result);          // 13
void Ochiai(int n, int m, const double* const* table, double** result);                 // 14
void Sorensen(int n, int m, const double* const* table, double** result);               // 15
void MeanSquareContingency(int n, int m, const double* const* table, double** result);  // 16
void JaccardDissimilarity(int n, int m, const double* const* table, double** result);   // 23
void JaccardTurnover(int n, int m, const double* const* table, double** result);        // 24
void JaccardNestedness(int n, int m, const double* const* table, double** result);      // 25
void SorensenDissimilarity(int n, int m, const double* const* table, double** result);  // 26
void SorensenTurnover(int n, int m, const double* const* table, double** result);       // 27
void SorensenNestedness(int n, int m, const double* const* table, double** result);     // 28

// Multi-site Sorensen dissimilarity of the sites (rows). With groups null
// the value for all sites together is returned; otherwise one value per group,
// in ascending order of group number, goes to betaByGroup and 0 is returned.
double BetaSOR(int nSites, int nSpecies, const double* const* table, int* groups, double* betaByGroup);

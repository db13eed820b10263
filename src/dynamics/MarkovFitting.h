// Markov fitting of a sequence of states: the sampling units, ordered from
// past to present, are successive compositions of a community over the
// variables. For each lag an average transition matrix between variables is
// derived from the observed changes, and the sequence is projected forward
// with it.
#pragma once

#include <vector>

// Most values (Markov releves times variables) a projection may hold: beyond
// this the table would not fit in memory, nor could anyone read its printout.
constexpr double kMaxMarkovValues = 10000000.0;

// T[l-1] (p x p, allocated by the caller) receives the transition matrix of
// lag l = 1..L from the rows of X (n x p) in their order. For each pair of
// states x = X[k], y = X[k+l] with t = the sum of y, a p x p matrix W: a
// variable a that decreased (d = y[a] - x[a] < 0) gives |d| y[b] / t to
// every other variable b (W[a][b]); one that increased or kept its value
// draws d y[b] / t from every other b (W[b][a]); W[a][a] = y[a]. The shares
// need t > 0. T is the average of the n - l matrices W with each row divided
// by its sum (a row summing to 0 stays 0).
void FitMarkov(int n, int p, int L, const double* const* X, double*** T);
// The same without allocating: work holds 3p doubles.
void FitMarkov(int n, int p, int L, const double* const* X, double*** T, double* work);

// One lag of the projection of the rows of P (rows x p): rows lag..rows-1,
// in increasing order, become P[i] = P[i - lag] T (row vector times matrix);
// rows 0..lag-1 keep their values.
void ProjectMarkovLag(int rows, int p, int lag, const double* const* T, double** P);

// Euclidean distance between each row of P (rows x p) and the next one:
// d[j] = distance(P[j], P[j+1]), j = 0..rows-2.
void ConsecutiveDistances(int rows, int p, const double* const* P, double* d);

// Instability of a projection: the distances between consecutive Markov
// releves, and as percentages of the first one.
struct MarkovInstability {
  std::vector<double> levels;       // m - 1 distances
  std::vector<double> percentages;  // 100 levels[j] / levels[0]; empty when levels[0] == 0
  int stableReleve = 0;             // j + 2 for the first percentage below 1; 0 when none
};
MarkovInstability MeasureInstability(int rows, int p, const double* const* P);

// Euclidean distances between the rows of X (n x p): D[i][j] for i < j (the
// upper triangle, mirrored; the diagonal 0).
void RowDistances(int n, int p, const double* const* X, double** D);
// The same for the entries above the diagonal only.
void UpperRowDistances(int n, int p, const double* const* X, double** D);

// Kruskal's stress between two n x n matrices of distances over the pairs
// i < j (entries [i][j]): sqrt(sum (A - B)^2 / sum ((A + B) / 2)^2), or -1
// when the denominator is 0.
double MatrixStressKruskal(int n, const double* const* A, const double* const* B);

// Building blocks of the entropy routines that work in caller-given buffers,
// so that the pairwise loops allocate nothing per pair.
#pragma once
#include <vector>

namespace rsm {

// Accumulates the Renyi entropy of order alpha of probabilities (p <= 0 skipped).
struct RenyiSum {
  double alpha;
  double s = 0.0;
  void Add(double p);
  double Value() const;
};

// Row and column proportions of a count table (divided by the total when it is
// positive) and the total.
void Margins(int r, int c, const double* const* f, double* rowP, double* colP, double* total);
void Entropies(int r, int c, const double* const* f, double alpha, double* rowP, double* colP, double* hJoint,
               double* hRows, double* hColumns);
// Mutual entropy I = H_A + H_B - H_AB, Rajski's distance 1 - I/H_AB and
// coherence sqrt(1 - D^2); a negative I or a zero joint entropy gives I >= 0,
// D = 1, C = 0.
void MutualRajskiCoherence(double hJoint, double hRows, double hColumns, double* mutual,
                           double* rajski, double* coherence);
double MutualEntropyWork(int r, int c, const double* const* f, double alpha, double* rowP, double* colP);
double CoherenceWork(int r, int c, const double* const* f, double alpha, double* rowP, double* colP);
double MutualEntropy3DWork(int r, int c, int l, const double* const* const* f, double alpha, std::vector<double>& w);

}  // namespace rsm

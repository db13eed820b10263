// Orthogonal Procrustes fit of one ordination configuration to another, and
// the Pearson correlation of two score vectors, as the bootstrap of
// ordination axes uses them.
#pragma once
#include <vector>

// Work areas of ProcrustesAdjT for up to maxAxes axes and maxUnits units,
// allocated once (one per thread); a fit within those sizes allocates
// nothing.
class ProcrustesWork {
 public:
  ProcrustesWork(int maxAxes, int maxUnits);

  int maxAxes() const { return axes_; }
  int maxUnits() const { return units_; }

  // q x q cross products (then U), q x q V, q singular values, the q x q
  // rotation, and the centred configurations (q x m each), row by row.
  std::vector<double> cross, v, singular, rotation, ref, sample;

 private:
  int axes_, units_;
};

// Fits the first k axes of the sample configuration to the first kRef axes
// of the reference configuration of the same m units. Configurations are
// given axis by axis (row a = the m scores on axis a + 1). Both are centred
// on their axis means; with q = max(k, kRef) (the missing axes of either
// taken as zeros), C = S'R is the q x q cross product of the centred sample
// S (m x q) and reference R, C = U D V' its singular value decomposition,
// and the sample is turned by Q = U V', the orthogonal matrix that brings S
// closest to R in the least-squares sense. The fit is a rotation (possibly
// with a reflection) only: no scaling, no shift beyond the centring, so
// correlations between fitted and reference axes are those of the rotated
// configuration. fitted receives the q rows of SQ, axis by axis (m values
// each; it may not be the sample itself). work: null to allocate for this
// call, or the caller's areas of at least q axes and m units. A failed
// decomposition (which Jacobi rotations do not give on finite input) leaves
// the centred sample unturned.
void ProcrustesAdjT(int k, int kRef, int m, const double* const* ref, const double* const* sample, double** fitted,
                    ProcrustesWork* work);

// Pearson correlation of x and y (m values each): both centred and scaled to
// unit length, then their cross product. A vector of length 0 after centring
// (a constant vector, up to the rounding of its mean) is not divided, which
// gives 0.
double Correlation2Vec(int m, const double* x, const double* y);

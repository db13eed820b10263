// Restrictions on the permutation of the values of each variable over the
// sampling units, as a value, and the drawer of one independent permutation
// list per variable that the tests comparing variables share (the test of
// option A, its triplet test and the path-analysis tests).
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "randomization/RandomLists.h"

struct PermutationRestrictions {
  enum Option {
    NONE = 0,             // free permutation of the sampling units
    EMBEDDED_MATRIX = 1,  // each variable holds the pairs above the diagonal of a matrixDim x matrixDim
                          // resemblance matrix, one pair per sampling unit; its objects are permuted
    NESTING = 2,          // permutation within nesting groups (nestMemb)
    BUNDLES = 3           // permutation of bundles of units as wholes (bundleMemb)
  };
  int option = NONE;
  int matrixDim = 0;
  bool nestingOn = false;
  std::vector<int> nestMemb;    // one group label per sampling unit (any integers)
  bool bundlesOn = false;
  std::vector<int> bundleMemb;  // one bundle label per sampling unit
};

// Pairs above the diagonal of an m x m matrix: m(m-1)/2 (0 for m < 2).
int64_t EmbeddedMatrixPairs(int m);
// The dimension m of the matrix with exactly `pairs` pairs above the
// diagonal, or 0 when no matrix has that many.
int EmbeddedMatrixDimension(int pairs);

// Why restrictions cannot serve a table of nUnits sampling units.
enum class RestrictionProblem {
  NONE,
  UNKNOWN_OPTION,     // option outside 0 to 3
  PAIRS_MISMATCH,     // EMBEDDED_MATRIX: matrixDim(matrixDim-1)/2 differs from nUnits
  MEMBERSHIP_LENGTH,  // a membership vector in force without one label per unit
  UNEQUAL_BUNDLES     // bundles of different sizes cannot be exchanged as wholes
};
RestrictionProblem CheckPermutationRestrictions(const PermutationRestrictions& r, int nUnits);

// Draws permutation lists of nUnits sampling units under the restrictions:
// NONE RndList, EMBEDDED_MATRIX RndListMantelRestricted, NESTING and BUNDLES
// the lists of RndListNestedNew (bundlesOnly false), from the same draws as
// those builders. Prepared once; Draw allocates nothing. It keeps scratch
// space, so one object serves one thread (the draw step of an iteration run).
// Throws std::invalid_argument when CheckPermutationRestrictions finds a problem.
class ColumnPermutations {
 public:
  ColumnPermutations(const PermutationRestrictions& r, int nUnits);
  int Units() const { return n_; }
  // One list of Units() entries (1-based unit numbers).
  void DrawOne(gsl_rng* rng, int* list);
  // nVar independent lists, list j at lists + j * Units(), drawn in variable order.
  void Draw(gsl_rng* rng, int nVar, int* lists);

 private:
  int option_;
  int n_;
  int matrixDim_;
  std::vector<int> objects_;  // the object permutation of EMBEDDED_MATRIX
  std::unique_ptr<RestrictedPermutation> restricted_;
};

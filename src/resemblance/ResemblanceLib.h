// The resemblance dispatcher: from a measure number (1 to 29) to the routine
// that computes it, with the direction of comparison and the transformation
// of the resulting values. Used by the resemblance menu and by every analysis
// that recomputes the session's resemblance on a resampled table.
#pragma once

#include "ZQLib/TableChecks.h"
#include "resemblance/ResemblanceChoice.h"

// Why a measure could not be computed on a table.
struct ResemblanceRefusal {
  enum Problem {
    NONE,
    NEGATIVE_VALUE,      // mutual information: cell holds the first negative value
    TOO_FEW_ENTITIES,    // Mahalanobis: no more entities than attributes
    CONSTANT_ATTRIBUTE,  // Mahalanobis: attribute has no variance
    COLLINEAR            // Mahalanobis: attributes are linear combinations of others
  } problem = NONE;
  TableCell cell;      // row = sampling unit, col = variable, as in the data
  int attribute = -1;  // a variable when units are compared, a unit otherwise
  int entities = 0;    // number of entities compared
  int attributes = 0;  // number of attributes they are compared over
};

// data: nObj x nVar (sampling units in rows), only read. rese is n x n with
// n = choice.Order(nObj, nVar), allocated by the caller, symmetric on return.
// A measure outside 1 to 29 leaves rese as it was, apart from the
// transformation of the values. A pair of entities with no attribute present
// in both has no resemblance: it gets the missing code (-999), as the
// turnover measures give a pair without presences, and keeps it whatever the
// transformation of the values. The contingency tables behind measures 6 to
// 10 are written by the menu (WriteTablesFile), never here. Returns 1, or 0
// when the measure is undefined for the table (negative values for mutual
// information, a singular covariance matrix for Mahalanobis); rese is then
// unspecified and *refusal (when given) says why. Safe to call from several
// threads at once with different outputs; a measure that opens its own
// parallel loop runs it on the calling thread when called from inside a
// parallel region. Throws std::bad_alloc when its work tables cannot be
// allocated.
int ResemblanceLib(const ResemblanceChoice& choice, int nObj, int nVar, const double* const* data, double** rese,
                   ResemblanceRefusal* refusal = nullptr);
// The same with the choice as separate values: dir 1 compares the rows, dir 2
// the columns; post 0 none, 1 square, 2 square root; varType (per variable)
// serves the Gower index, alpha the entropy measures 7 to 9, k the Legendre &
// Chodorowski index.
int ResemblanceLib(int nObj, int nVar, const double* const* data, double** rese, int dir, int measure, int post,
                   const int* varType, double alpha, double k, int countDoubleAbsence,
                   ResemblanceRefusal* refusal = nullptr);
// The same without transformation of the values.
int ResemblanceLib(int nObj, int nVar, const double* const* data, double** rese, int dir, int measure,
                   const int* varType, double alpha, double k, int countDoubleAbsence);
// Measure 7 only: the mutual entropy of every triplet of entities into the
// n x n x n array rese3 (all six index orders). Returns 1 (0 for any other
// measure, rese3 untouched).
int ResemblanceLibTriplets(int nObj, int nVar, const double* const* data, double*** rese3, int dir, int measure,
                           const int* varType, double alpha);

// Measure 21: for each pair i < j of the centred and normalized rows, the
// smaller eigenvalue of their 2 x 2 matrix of cross products (attributes
// present in both). The diagonal is not written.
void SecondEigenvaluePairwiseMV(int n, int m, const double* const* table, double** result);

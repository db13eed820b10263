// Data transformations applied to a table of sampling units (rows) by
// variables (columns): the re-application entry points, the per-vector and
// per-matrix primitives, Beals smoothing, and the two expansions (nominal
// variables into binary ones, contingency table into nominal data).
//
// All routines are functions of their arguments. Tables are arrays of row
// pointers; "in" and "out" may be the same table (in-place work). A cell equal
// to MISSING_VALUE is missing: routines whose names end in MV leave it out of
// every sum, mean, count and extreme and write it back unchanged.
#pragma once

#include "ZQLib/Centring.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/TableChecks.h"
#include "transform/TransformChoice.h"

// Option numbers of the scalar transformation.
enum ScalarTransformation {
  TR_SCALAR_NONE = 0,
  TR_SCALAR_PRESENCE = 1,
  TR_SCALAR_SQRT = 2,
  TR_SCALAR_LOG = 3,
  TR_SCALAR_EXPAND_NOMINAL = 4,
  TR_SCALAR_EXPAND_CONTINGENCY = 5
};

// Option numbers of the vector transformations (within variables, within
// sampling units, and the "other" transformations kept with the latter).
enum VectorTransformation {
  TR_VEC_NONE = 0,
  TR_VEC_MARGINAL_TOTAL = 1,
  TR_VEC_CENTER_COV = 2,
  TR_VEC_CENTER = 3,
  TR_VEC_NORMALIZE = 4,
  TR_VEC_CENTER_NORMALIZE = 5,
  TR_VEC_DOUBLE_ADJUSTMENT = 6,
  TR_VEC_RANGE = 7,
  TR_VEC_CLASSES = 8,
  TR_VEC_RANKS = 9,
  TR_VEC_HELLINGER = 10,
  TR_VEC_BEALS = 11,
  TR_VEC_GROUP_MEANS = 12
};

// A step that cannot take the table it is given: the Hellinger transformation
// and the double adjustment work on frequencies (square roots of proportions
// and of products of totals), so a negative value makes them undefined.
struct TransformRefusal {
  int option = 0;            // the vector option refused (TR_VEC_HELLINGER or TR_VEC_DOUBLE_ADJUSTMENT)
  bool withinUnits = false;  // the step within sampling units (else within variables)
  TableCell cell;            // the first negative cell of the table that step received
};
// True for the vector options that need a table without negative values.
bool NeedsNonNegativeValues(int optVector);

// Re-application entry point: applies the choice to the nRows x nCols table in
// place. Scalar step, then within variables, then within sampling units (or
// double adjustment / Beals smoothing). Scalar options 4 and 5 change nothing
// here. Returns 1, or 0 when a step needing values that are not negative meets
// a negative one: the table is then left as the steps before it made it, and
// *refusal (when given) says where. Safe to call from several threads at once
// on different tables; throws std::bad_alloc when its work tables cannot be
// allocated.
int DataTransformationsLib(const TransformChoice& choice, int nRows, int nCols, double** data,
                           TransformRefusal* refusal = nullptr);
// The same with the options as numbers, in the order of the session's
// optTrEs, optTrVeVar, optTrVeUnits, nClassesVar, nClassesUnits, BealsTypeOpt,
// BealsIncludeOpt, BealsNormalizeOpt.
int DataTransformationsLib(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                           int nClassesVar, int nClassesUnits, int bealsType, bool bealsInclude,
                           bool bealsNormalize);
// Same, plus option 12 within variables with groups[i] the (1-based) group of row i.
int DataTransformationsLib(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                           int nClassesVar, int nClassesUnits, int bealsType, bool bealsInclude,
                           bool bealsNormalize, const int* groups, TransformRefusal* refusal = nullptr);
// Variant for simulated and permuted tables: no Beals smoothing, no groups;
// double adjustment (6) accepted in either direction.
int DataTransformationsLib_D(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                             int nClassesVar, int nClassesUnits, TransformRefusal* refusal = nullptr);

// Scalar transformation of every non-missing cell (options 1 to 3).
void ScalarTransformationMV(int nRows, int nCols, double** data, int optScalar);

// Row and column primitives, missing-value aware.
void UnitSumRowsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void UnitSumColsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void RangeRowsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void RangeColsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void HellingerRowsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void HellingerColsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void ClassesRowsMV(int nRows, int nCols, const double* const* in, double** out, int nClasses);
void ClassesColsMV(int nRows, int nCols, const double* const* in, double** out, int nClasses);
void RankRowsAdjMV(int nRows, int nCols, const double* const* in, double** out);
void RankColsAdjMV(int nRows, int nCols, const double* const* in, double** out);
// Double adjustment: (x*T - r*c) / (sqrt(r*c) * T) where row and column totals are positive.
void DeviationsExpectationsMV(int nRows, int nCols, const double* const* in, double** out);
// Deviations from the mean of each unit's group, variable by variable; every
// distinct number in groups (one per row) is one group.
void DeviationsGroupMeansMV(int nRows, int nCols, const double* const* in, double** out, const int* groups);

// Vector primitives, missing-value aware.
void ClassesMV(int n, const double* in, double* out, int nClasses);
void RankVectorAdjMV(int n, const double* in, double* out);

// The same arithmetic treating every cell, the missing code included, as data.
void UnitSumRowsAdj(int nRows, int nCols, const double* const* in, double** out);
void UnitSumColsAdj(int nRows, int nCols, const double* const* in, double** out);
void Classes(int n, const double* in, double* out, int nClasses);
void RankVectorAdj(int n, const double* in, double* out);

// Standardizations of the Procrustes statistics; both return the divisor.
double GowerStandardizationRows(int nRows, int nCols, double** data);
double GowerStandardizationCols(int nRows, int nCols, double** data);

// Beals smoothing. data, probData and out may be the same table. With
// givenMatrix false the whole table is smoothed; with givenMatrix true only
// column `target` of out is written (the co-occurrences are recomputed from
// probData). coocc (nCols x nCols), when not null, receives the co-occurrence
// matrix used in the product. Cells missing in data stay missing in out.
void BealsSmoothing(int nRows, int nCols, const double* const* data, const double* const* probData, double** out, bool givenMatrix,
                    int target, double** coocc, bool include, int type, bool normalize);
// Co-occurrence matrix m (nCols x nCols) of the variables of x; see BealsSmoothing.
void ConditionalProb(int nRows, int nCols, const double* const* x, double** m, int type, bool normalize);

// Expansion of nominal variables into binary ones. Nominal codes must be
// non-negative integers (see NominalCodesValid). stateLabels[j] must hold room
// for the states of variable j (at most nRows); expanded must
// hold nRows x (number of expanded columns), which CountExpandedColumns gives.
int CountExpandedColumns(int nRows, int nCols, const bool* isNominal, const double* const* data);
bool Binarize(int nRows, int nCols, const bool* isNominal, const double* const* data, double** expanded, int* nExpanded,
              int** stateLabels, int* nStates);

// First cell that is not a non-negative integer among the nominal columns:
// returns true when every code is valid, else false with its row and column.
bool NominalCodesValid(int nRows, int nCols, const bool* isNominal, const double* const* data, int* badRow, int* badCol);
// The same check for the counts of a contingency table (every cell).
bool ContingencyCountsValid(int nRows, int nCols, const double* const* data, int* badRow, int* badCol);
// Rows contributed by one cell: max(1, ceil(count)) for a positive count, else 0.
int ContingencyCellRows(double count);
// Number of rows of the expanded contingency table: the sum of the counts (each
// positive count rounded up, so that a non-integer count still gets its rows).
int ContingencyExpandedRows(int nRows, int nCols, const double* const* data);
// Fills expanded (ContingencyExpandedRows x 2):
// one row (unit number, variable number), both 1-based, per unit of count. Returns rows written.
int ExpandContingencyTable(int nRows, int nCols, const double* const* data, double** expanded);

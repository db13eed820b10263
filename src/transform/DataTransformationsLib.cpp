// The re-application entry points: scalar step, then within variables, then
// within sampling units or one of the transformations of the whole table.
#include "transform/DataTransformationsLib.h"

namespace {

// Steps shared by every entry point for the options valid in both directions.
// Returns false when the option is not one of them.
bool CommonColumnStep(int nRows, int nCols, double** data, int opt, int nClasses) {
  switch (opt) {
    case TR_VEC_MARGINAL_TOTAL: UnitSumColsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER_COV: CenterColsCovMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER: CenterColsMV(nRows, nCols, data, data); return true;
    case TR_VEC_NORMALIZE: NormalizeColsMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER_NORMALIZE:
      CenterColsMV(nRows, nCols, data, data);
      NormalizeColsMV(nRows, nCols, data, data);
      return true;
    case TR_VEC_RANGE: RangeColsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_CLASSES: ClassesColsMV(nRows, nCols, data, data, nClasses); return true;
    case TR_VEC_RANKS: RankColsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_HELLINGER: HellingerColsAdjMV(nRows, nCols, data, data); return true;
    default: return false;
  }
}

bool CommonRowStep(int nRows, int nCols, double** data, int opt, int nClasses) {
  switch (opt) {
    case TR_VEC_MARGINAL_TOTAL: UnitSumRowsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER_COV: CenterRowsCovMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER: CenterRowsMV(nRows, nCols, data, data); return true;
    case TR_VEC_NORMALIZE: NormalizeRowsMV(nRows, nCols, data, data); return true;
    case TR_VEC_CENTER_NORMALIZE:
      CenterRowsMV(nRows, nCols, data, data);
      NormalizeRowsMV(nRows, nCols, data, data);
      return true;
    case TR_VEC_RANGE: RangeRowsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_CLASSES: ClassesRowsMV(nRows, nCols, data, data, nClasses); return true;
    case TR_VEC_RANKS: RankRowsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_HELLINGER: HellingerRowsAdjMV(nRows, nCols, data, data); return true;
    case TR_VEC_DOUBLE_ADJUSTMENT: DeviationsExpectationsMV(nRows, nCols, data, data); return true;
    default: return false;
  }
}

// False, with *refusal filled, when the step `opt` needs values that are not
// negative and the table holds one.
bool StepAccepts(int nRows, int nCols, double** data, int opt, bool withinUnits, TransformRefusal* refusal) {
  if (!NeedsNonNegativeValues(opt)) return true;
  TableCell cell;
  if (!FindNegativeCell(nRows, nCols, data, &cell)) return true;
  if (refusal != nullptr) {
    refusal->option = opt;
    refusal->withinUnits = withinUnits;
    refusal->cell = cell;
  }
  return false;
}

}  // namespace

bool NeedsNonNegativeValues(int optVector) {
  return optVector == TR_VEC_HELLINGER || optVector == TR_VEC_DOUBLE_ADJUSTMENT;
}

int DataTransformationsLib(const TransformChoice& c, int nRows, int nCols, double** data, TransformRefusal* refusal) {
  ScalarTransformationMV(nRows, nCols, data, c.scalar);
  if (!StepAccepts(nRows, nCols, data, c.withinVariables, false, refusal)) return 0;
  if (!CommonColumnStep(nRows, nCols, data, c.withinVariables, c.classesVar)) {
    // The groups must cover every row; a shorter vector belongs to another table.
    if (c.withinVariables == TR_VEC_GROUP_MEANS && static_cast<int>(c.groups.size()) >= nRows)
      DeviationsGroupMeansMV(nRows, nCols, data, data, c.groups.data());
  }
  if (!StepAccepts(nRows, nCols, data, c.withinUnits, true, refusal)) return 0;
  if (!CommonRowStep(nRows, nCols, data, c.withinUnits, c.classesUnits)) {
    if (c.withinUnits == TR_VEC_BEALS)
      BealsSmoothing(nRows, nCols, data, data, data, false, 0, nullptr, c.bealsInclude, c.bealsType,
                     c.bealsNormalize);
  }
  return 1;
}

int DataTransformationsLib(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                           int nClassesVar, int nClassesUnits, int bealsType, bool bealsInclude,
                           bool bealsNormalize, const int* groups, TransformRefusal* refusal) {
  TransformChoice c;
  c.scalar = optScalar;
  c.withinVariables = optVar;
  c.withinUnits = optUnits;
  c.classesVar = nClassesVar;
  c.classesUnits = nClassesUnits;
  c.bealsType = bealsType;
  c.bealsInclude = bealsInclude;
  c.bealsNormalize = bealsNormalize;
  if (groups != nullptr) c.groups.assign(groups, groups + (nRows > 0 ? nRows : 0));
  return DataTransformationsLib(c, nRows, nCols, data, refusal);
}

int DataTransformationsLib(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                           int nClassesVar, int nClassesUnits, int bealsType, bool bealsInclude,
                           bool bealsNormalize) {
  return DataTransformationsLib(nRows, nCols, data, optScalar, optVar, optUnits, nClassesVar, nClassesUnits,
                                bealsType, bealsInclude, bealsNormalize, nullptr, nullptr);
}

int DataTransformationsLib_D(int nRows, int nCols, double** data, int optScalar, int optVar, int optUnits,
                             int nClassesVar, int nClassesUnits, TransformRefusal* refusal) {
  ScalarTransformationMV(nRows, nCols, data, optScalar);
  if (!StepAccepts(nRows, nCols, data, optVar, false, refusal)) return 0;
  if (!CommonColumnStep(nRows, nCols, data, optVar, nClassesVar)) {
    if (optVar == TR_VEC_DOUBLE_ADJUSTMENT) DeviationsExpectationsMV(nRows, nCols, data, data);
  }
  if (!StepAccepts(nRows, nCols, data, optUnits, true, refusal)) return 0;
  CommonRowStep(nRows, nCols, data, optUnits, nClassesUnits);
  return 1;
}

// A user's data transformation as a value: everything DataTransformationsLib
// needs to apply it again to another table of the same shape (a permuted or
// resampled copy, in any thread).
#pragma once
#include <vector>

struct TransformChoice {
  int scalar = 0;           // scalar transformation, 0 to 3 (4 and 5 only write files)
  int withinVariables = 0;  // vector transformation down each column, 0 to 10 or 12
  int withinUnits = 0;      // along each row, 0 to 10, or the whole-table 6 and 11
  int classesVar = 0;       // classes of the rescaling into classes (8) within variables
  int classesUnits = 0;     // and within sampling units
  int bealsType = 1;        // Beals smoothing (11): co-occurrence type,
  bool bealsInclude = true;     // target variable in its own prediction,
  bool bealsNormalize = false;  // co-occurrence rows brought to unit sum
  // Deviations from group means (12 within variables): the factor whose
  // effect is removed (0-based) and its group number for every sampling unit
  // (one per row, 1-based). Without groups option 12 changes nothing.
  int groupFactor = 0;
  std::vector<int> groups;

  // Whether any transformation changes the table.
  bool Any() const { return scalar != 0 || withinVariables != 0 || withinUnits != 0; }
};

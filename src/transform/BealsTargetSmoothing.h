// Beals smoothing of one target variable, without the target in its own
// prediction, for many tables that differ from one reference table only in
// the target's column (the permuted tables of the Beals test).
//
// The result equals column `target` of
//   BealsSmoothing(table, table, out, false, 0, nullptr, false, type, normalize)
// on the table with the target's column replaced, up to rounding. Only the
// co-occurrences that involve the target are recomputed: the co-occurrence
// matrix of the reference table (before its rows are brought to unit sum)
// is kept, its column `target` is rebuilt from the units where the new
// target column occurs, and the product is taken for the target's column
// only, over the non-zero cells of each unit.
#pragma once
#include <cstddef>
#include <vector>

#include "ZQLib/Matrix.h"

class BealsTargetSmoother {
 public:
  // Work area of one thread: allocated once by MakeWorkspace and reused for
  // every target and every column.
  struct Workspace {
    int target = -1;
    std::vector<double> otherTotal;   // per unit: sum of the non-missing cells but the target's
    std::vector<double> offDiagonal;  // per variable j: sum of its co-occurrences but with j and the target
    std::vector<double> raw;          // per variable: co-occurrences with the new target column
    std::vector<double> column;       // per variable j: its entry in the target's column of the final matrix
  };

  // The reference table (nRows x nCols, copied) and the Beals options: the
  // co-occurrence type (0, 1, 2, as ConditionalProb) and whether the
  // co-occurrence rows are brought to unit sum. Throws std::bad_alloc.
  BealsTargetSmoother(int nRows, int nCols, const double* const* data, int type, bool normalize);

  int Rows() const { return n_; }
  int Cols() const { return p_; }
  Workspace MakeWorkspace() const;
  // Prepares the workspace for a target (0-based): what depends on the
  // target but not on its column. O(nRows * nCols + nCols^2).
  void PrepareTarget(int target, Workspace& w) const;
  // Builds the target's column of the co-occurrence matrix for the table
  // whose target column holds targetColumn[nRows]. Missing cells of the
  // target must be where they are in the reference table.
  void SetTargetColumn(const double* targetColumn, Workspace& w) const;
  // Smoothed value of the target in unit i after SetTargetColumn (targetValue
  // is targetColumn[i]); MISSING_VALUE when that cell or the whole unit is
  // missing, 0 when the unit holds nothing but the target.
  double Smoothed(int i, double targetValue, const Workspace& w) const;

 private:
  // A unit's share in the co-occurrences with the target is the weight of
  // its cell of each other variable times this factor of its target cell.
  double TargetFactor(double v) const;

  int n_, p_, type_;
  bool normalize_;
  Matrix x_;                      // the reference table
  Matrix m1_;                     // co-occurrences divided by the diagonal (ConditionalProb without unit sum)
  std::vector<double> rawDiagonal_;  // co-occurrences of each variable with itself, before that division
  std::vector<bool> unitHasValue_;   // a unit with at least one non-missing cell
  // Non-zero, non-missing cells of each unit (compressed rows), and the
  // co-occurrence weights of each unit's cells, in the same form.
  std::vector<int> cellStart_, cellVar_, weightStart_, weightVar_;
  std::vector<double> cellValue_, weightValue_;
};

// Beals smoothing of one target variable over tables that differ only in
// the target's column.
//
// With P the table's rows brought to unit sum and M the co-occurrence matrix
// (ConditionalProb; then, for the target left out of its own prediction,
// the diagonal set to 0 and, with unit sums, each row brought to unit sum
// again), the smoothed target value of unit i is
//   b_it = sum_{j != t} p_ij M[j][t] / (1 - p_it).
// A new target column changes, in M, only the target's column (and its own
// row, which meets the target's column only on the zeroed diagonal); in P,
// only each unit's total. So the sums of each row of M without the target's
// column, and each unit's total without the target's cell, are kept per
// target, and each new column costs one pass over the units where it occurs
// and one over the non-zero cells of the table.
#include "transform/BealsTargetSmoothing.h"

#include "ZQLib/MissingValue.h"
#include "transform/DataTransformationsLib.h"

namespace {

// Co-occurrence weight of a cell x of a reference variable (see
// ConditionalProb): type 0 counts the units where it occurs, type 1 weighs
// by its quantity, type 2 by its value; other types count nothing.
double CooccurrenceWeight(int type, double x) {
  if (IsMissing(x)) return 0.0;
  switch (type) {
    case 0:
      return x > 0.0 ? 1.0 : 0.0;
    case 1:
    case 2:
      return x;
    default:
      return 0.0;
  }
}

// Co-occurrence of a variable with itself, before the division by it.
double SelfCooccurrence(int type, double x) {
  if (IsMissing(x)) return 0.0;
  switch (type) {
    case 0:
      return x > 0.0 ? 1.0 : 0.0;
    case 1:
      return x > 0.0 ? x : 0.0;
    case 2:
      return x * x;
    default:
      return 0.0;
  }
}

}  // namespace

BealsTargetSmoother::BealsTargetSmoother(int nRows, int nCols, const double* const* data, int type, bool normalize)
    : n_(nRows),
      p_(nCols),
      type_(type),
      normalize_(normalize),
      x_(CopyOf(nRows, nCols, data)),
      m1_(nCols, nCols),
      rawDiagonal_(static_cast<size_t>(nCols), 0.0),
      unitHasValue_(static_cast<size_t>(nRows), false) {
  ConditionalProb(n_, p_, x_.data(), m1_.data(), type_, false);
  cellStart_.reserve(static_cast<size_t>(n_) + 1);
  weightStart_.reserve(static_cast<size_t>(n_) + 1);
  for (int i = 0; i < n_; i++) {
    cellStart_.push_back(static_cast<int>(cellVar_.size()));
    weightStart_.push_back(static_cast<int>(weightVar_.size()));
    for (int j = 0; j < p_; j++) {
      const double v = x_[i][j];
      if (IsMissing(v)) continue;
      unitHasValue_[i] = true;
      rawDiagonal_[j] += SelfCooccurrence(type_, v);
      if (v != 0.0) {
        cellVar_.push_back(j);
        cellValue_.push_back(v);
      }
      const double w = CooccurrenceWeight(type_, v);
      if (w != 0.0) {
        weightVar_.push_back(j);
        weightValue_.push_back(w);
      }
    }
  }
  cellStart_.push_back(static_cast<int>(cellVar_.size()));
  weightStart_.push_back(static_cast<int>(weightVar_.size()));
}

BealsTargetSmoother::Workspace BealsTargetSmoother::MakeWorkspace() const {
  Workspace w;
  w.otherTotal.assign(static_cast<size_t>(n_), 0.0);
  w.offDiagonal.assign(static_cast<size_t>(p_), 0.0);
  w.raw.assign(static_cast<size_t>(p_), 0.0);
  w.column.assign(static_cast<size_t>(p_), 0.0);
  return w;
}

void BealsTargetSmoother::PrepareTarget(int target, Workspace& w) const {
  w.target = target;
  for (int i = 0; i < n_; i++) {
    double total = 0.0;
    for (int j = 0; j < p_; j++)
      if (j != target && !IsMissing(x_[i][j])) total += x_[i][j];
    w.otherTotal[i] = total;
  }
  for (int j = 0; j < p_; j++) {
    double sum = 0.0;
    if (j != target)
      for (int k = 0; k < p_; k++)
        if (k != j && k != target) sum += m1_[j][k];
    w.offDiagonal[j] = sum;
  }
}

double BealsTargetSmoother::TargetFactor(double v) const {
  if (IsMissing(v)) return 0.0;
  if (type_ == 2) return v;
  return v > 0.0 ? 1.0 : 0.0;
}

void BealsTargetSmoother::SetTargetColumn(const double* targetColumn, Workspace& w) const {
  const int t = w.target;
  for (int j = 0; j < p_; j++) w.raw[j] = 0.0;
  for (int i = 0; i < n_; i++) {
    const double f = TargetFactor(targetColumn[i]);
    if (f == 0.0) continue;
    for (int c = weightStart_[i]; c < weightStart_[i + 1]; c++) w.raw[weightVar_[c]] += weightValue_[c] * f;
  }
  for (int j = 0; j < p_; j++) {
    if (j == t) {
      w.column[j] = 0.0;  // the target out of its own prediction
      continue;
    }
    double m = w.raw[j];
    if (type_ != 2 && rawDiagonal_[j] > 0.0) m /= rawDiagonal_[j];
    if (normalize_) {
      // Row j to unit sum, its diagonal to 0, and to unit sum again.
      const double total = w.offDiagonal[j] + m + m1_[j][j];
      const double s = total == 0.0 ? 1.0 : total;
      const double rest = (w.offDiagonal[j] + m) / s;
      m = (m / s) / (rest == 0.0 ? 1.0 : rest);
    }
    w.column[j] = m;
  }
}

double BealsTargetSmoother::Smoothed(int i, double targetValue, const Workspace& w) const {
  if (!unitHasValue_[i] || IsMissing(targetValue)) return MISSING_VALUE;
  // Four partial sums, so that the gathers of the column overlap.
  const int first = cellStart_[i], last = cellStart_[i + 1];
  const int* var = cellVar_.data();
  const double* value = cellValue_.data();
  const double* column = w.column.data();
  double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
  int c = first;
  for (; c + 3 < last; c += 4) {
    s0 += value[c] * column[var[c]];
    s1 += value[c + 1] * column[var[c + 1]];
    s2 += value[c + 2] * column[var[c + 2]];
    s3 += value[c + 3] * column[var[c + 3]];
  }
  for (; c < last; c++) s0 += value[c] * column[var[c]];
  const double dot = (s0 + s1) + (s2 + s3);
  // (dot / total) / (1 - targetValue / total) = dot / (total - targetValue):
  // the unit's total without the target. A unit holding only the target has
  // nothing to predict it from.
  const double others = w.otherTotal[i];
  if (others + targetValue != 0.0) return others != 0.0 ? dot / others : 0.0;
  // A zero total counts as 1 in the row proportions.
  const double rest = 1.0 - targetValue;
  return rest != 0.0 ? dot / rest : 0.0;
}

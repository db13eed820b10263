// Row and column transformations of a table: marginal totals, range,
// Hellinger, double adjustment, deviations from group means, and the plain
// forms that treat the missing code as data. (Centring and normalization are
// shared with other folders: ZQLib/Centring.) Column forms accumulate per-column totals in one pass over the
// rows, so the table is always read row by row.
#include <algorithm>
#include <cmath>
#include <vector>

#include "transform/DataTransformationsLib.h"

namespace {

// skip(x): whether the cell takes no part in the arithmetic.
template <bool MV>
inline bool Skip(double x) {
  return MV && IsMissing(x);
}

template <bool MV>
void UnitSumRows(int nRows, int nCols, const double* const* in, double** out) {
  for (int i = 0; i < nRows; i++) {
    double total = 0.0;
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) total += in[i][j];
    if (total == 0.0) total = 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / total;
  }
}

template <bool MV>
void UnitSumCols(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<double> total(nCols, 0.0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) total[j] += in[i][j];
  for (int j = 0; j < nCols; j++)
    if (total[j] == 0.0) total[j] = 1.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / total[j];
}

}  // namespace

void UnitSumRowsAdjMV(int nRows, int nCols, const double* const* in, double** out) { UnitSumRows<true>(nRows, nCols, in, out); }
void UnitSumColsAdjMV(int nRows, int nCols, const double* const* in, double** out) { UnitSumCols<true>(nRows, nCols, in, out); }
void UnitSumRowsAdj(int nRows, int nCols, const double* const* in, double** out) { UnitSumRows<false>(nRows, nCols, in, out); }
void UnitSumColsAdj(int nRows, int nCols, const double* const* in, double** out) { UnitSumCols<false>(nRows, nCols, in, out); }

// Along a row the values are divided by the range without subtracting the minimum.
void RangeRowsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  for (int i = 0; i < nRows; i++) {
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    for (int j = 0; j < nCols; j++) {
      double x = in[i][j];
      if (IsMissing(x)) continue;
      if (x < lo) lo = x;
      if (x > hi) hi = x;
    }
    double range = hi - lo;
    if (range == 0.0) range = 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = IsMissing(in[i][j]) ? in[i][j] : in[i][j] / range;
  }
}

// Down a column the minimum is subtracted: values run from 0 to 1.
void RangeColsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<double> lo(nCols, HUGE_VAL), hi(nCols, -HUGE_VAL);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      double x = in[i][j];
      if (IsMissing(x)) continue;
      if (x < lo[j]) lo[j] = x;
      if (x > hi[j]) hi[j] = x;
    }
  std::vector<double> range(nCols);
  for (int j = 0; j < nCols; j++) {
    range[j] = hi[j] - lo[j];
    if (range[j] == 0.0) range[j] = 1.0;
  }
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      out[i][j] = IsMissing(in[i][j]) ? in[i][j] : (in[i][j] - lo[j]) / range[j];
}

void HellingerRowsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  UnitSumRowsAdjMV(nRows, nCols, in, out);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(out[i][j])) out[i][j] = std::sqrt(out[i][j]);
}

void HellingerColsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  UnitSumColsAdjMV(nRows, nCols, in, out);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(out[i][j])) out[i][j] = std::sqrt(out[i][j]);
}

void DeviationsExpectationsMV(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<double> rowTot(nRows, 0.0), colTot(nCols, 0.0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      double x = in[i][j];
      if (IsMissing(x)) continue;
      rowTot[i] += x;
      colTot[j] += x;
    }
  double total = 0.0;
  for (int i = 0; i < nRows; i++) total += rowTot[i];
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      double x = in[i][j];
      double rc = rowTot[i] * colTot[j];
      if (!IsMissing(x) && rowTot[i] > 0.0 && colTot[j] > 0.0)
        out[i][j] = (x * total - rc) / (std::sqrt(rc) * total);
      else
        out[i][j] = x;
    }
}

// Each distinct group number is one group (numbers need not be consecutive);
// groups are indexed by the rank of their number among the distinct ones.
void DeviationsGroupMeansMV(int nRows, int nCols, const double* const* in, double** out, const int* groups) {
  std::vector<int> labels(groups, groups + nRows);
  std::sort(labels.begin(), labels.end());
  labels.erase(std::unique(labels.begin(), labels.end()), labels.end());
  std::vector<size_t> base(nRows);
  for (int i = 0; i < nRows; i++)
    base[i] = static_cast<size_t>(std::lower_bound(labels.begin(), labels.end(), groups[i]) - labels.begin()) * nCols;
  std::vector<double> mean(labels.size() * nCols, 0.0);
  std::vector<int> count(labels.size() * nCols, 0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(in[i][j])) {
        mean[base[i] + j] += in[i][j];
        count[base[i] + j]++;
      }
  for (size_t k = 0; k < mean.size(); k++)
    if (count[k] > 0) mean[k] /= count[k];
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      double x = in[i][j];
      out[i][j] = IsMissing(x) ? x : x - mean[base[i] + j];
    }
}

// s = sqrt(sum over rows of their sums of squares / (nCols - 1)).
double GowerStandardizationRows(int nRows, int nCols, double** data) {
  double ss = 0.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(data[i][j])) ss += data[i][j] * data[i][j];
  double s = std::sqrt(ss / (nCols > 1 ? nCols - 1 : 1));
  if (s > 0.0)
    for (int i = 0; i < nRows; i++)
      for (int j = 0; j < nCols; j++)
        if (!IsMissing(data[i][j])) data[i][j] /= s;
  return s;
}

// s = sqrt(sum over columns of their sums of squares / (nRows - 1)).
double GowerStandardizationCols(int nRows, int nCols, double** data) {
  double ss = 0.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(data[i][j])) ss += data[i][j] * data[i][j];
  double s = std::sqrt(ss / (nRows > 1 ? nRows - 1 : 1));
  if (s > 0.0)
    for (int i = 0; i < nRows; i++)
      for (int j = 0; j < nCols; j++)
        if (!IsMissing(data[i][j])) data[i][j] /= s;
  return s;
}

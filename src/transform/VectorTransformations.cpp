// Row and column transformations of a table: marginal totals, centring,
// normalization, range, Hellinger, and the plain forms that treat the missing
// code as data. Column forms accumulate per-column totals in one pass over the
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
void UnitSumRows(int nRows, int nCols, double** in, double** out) {
  for (int i = 0; i < nRows; i++) {
    double total = 0.0;
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) total += in[i][j];
    if (total == 0.0) total = 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / total;
  }
}

template <bool MV>
void UnitSumCols(int nRows, int nCols, double** in, double** out) {
  std::vector<double> total(nCols, 0.0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) total[j] += in[i][j];
  for (int j = 0; j < nCols; j++)
    if (total[j] == 0.0) total[j] = 1.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / total[j];
}

// Centring of each row; with cov the deviations are divided by sqrt(n - 1)
// (by 1 when a row has fewer than two values, whose deviations are all 0).
template <bool MV>
void CenterRowsT(int nRows, int nCols, double** in, double** out, bool cov) {
  for (int i = 0; i < nRows; i++) {
    double sum = 0.0, lo = HUGE_VAL, hi = -HUGE_VAL;
    int n = 0;
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) {
        sum += in[i][j];
        lo = std::min(lo, in[i][j]);
        hi = std::max(hi, in[i][j]);
        n++;
      }
    // A constant row centres to exact zeros: its rounded mean may differ from
    // the value itself in the last bit.
    double mean = n == 0 ? 0.0 : (lo == hi ? lo : sum / n);
    double div = (cov && n > 1) ? std::sqrt(static_cast<double>(n - 1)) : 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : (in[i][j] - mean) / div;
  }
}

template <bool MV>
void CenterColsT(int nRows, int nCols, double** in, double** out, bool cov) {
  std::vector<double> mean(nCols, 0.0), div(nCols, 1.0), lo(nCols, HUGE_VAL), hi(nCols, -HUGE_VAL);
  std::vector<int> n(nCols, 0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) {
        mean[j] += in[i][j];
        lo[j] = std::min(lo[j], in[i][j]);
        hi[j] = std::max(hi[j], in[i][j]);
        n[j]++;
      }
  for (int j = 0; j < nCols; j++) {
    if (n[j] > 0) mean[j] = lo[j] == hi[j] ? lo[j] : mean[j] / n[j];
    if (cov && n[j] > 1) div[j] = std::sqrt(static_cast<double>(n[j] - 1));
  }
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : (in[i][j] - mean[j]) / div[j];
}

template <bool MV>
void NormalizeRowsT(int nRows, int nCols, double** in, double** out) {
  for (int i = 0; i < nRows; i++) {
    double ss = 0.0;
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) ss += in[i][j] * in[i][j];
    double div = ss > 0.0 ? std::sqrt(ss) : 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / div;
  }
}

template <bool MV>
void NormalizeColsT(int nRows, int nCols, double** in, double** out) {
  std::vector<double> div(nCols, 0.0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) div[j] += in[i][j] * in[i][j];
  for (int j = 0; j < nCols; j++) div[j] = div[j] > 0.0 ? std::sqrt(div[j]) : 1.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / div[j];
}

}  // namespace

void UnitSumRowsAdjMV(int nRows, int nCols, double** in, double** out) { UnitSumRows<true>(nRows, nCols, in, out); }
void UnitSumColsAdjMV(int nRows, int nCols, double** in, double** out) { UnitSumCols<true>(nRows, nCols, in, out); }
void UnitSumRowsAdj(int nRows, int nCols, double** in, double** out) { UnitSumRows<false>(nRows, nCols, in, out); }
void UnitSumColsAdj(int nRows, int nCols, double** in, double** out) { UnitSumCols<false>(nRows, nCols, in, out); }

void CenterRowsCovMV(int nRows, int nCols, double** in, double** out) { CenterRowsT<true>(nRows, nCols, in, out, true); }
void CenterColsCovMV(int nRows, int nCols, double** in, double** out) { CenterColsT<true>(nRows, nCols, in, out, true); }
void CenterRowsMV(int nRows, int nCols, double** in, double** out) { CenterRowsT<true>(nRows, nCols, in, out, false); }
void CenterColsMV(int nRows, int nCols, double** in, double** out) { CenterColsT<true>(nRows, nCols, in, out, false); }
void CenterRows(int nRows, int nCols, double** in, double** out) { CenterRowsT<false>(nRows, nCols, in, out, false); }
void CenterCols(int nRows, int nCols, double** in, double** out) { CenterColsT<false>(nRows, nCols, in, out, false); }

void NormalizeRowsMV(int nRows, int nCols, double** in, double** out) { NormalizeRowsT<true>(nRows, nCols, in, out); }
void NormalizeColsMV(int nRows, int nCols, double** in, double** out) { NormalizeColsT<true>(nRows, nCols, in, out); }
void NormalizeRows(int nRows, int nCols, double** in, double** out) { NormalizeRowsT<false>(nRows, nCols, in, out); }
void NormalizeCols(int nRows, int nCols, double** in, double** out) { NormalizeColsT<false>(nRows, nCols, in, out); }

// Along a row the values are divided by the range without subtracting the minimum.
void RangeRowsAdjMV(int nRows, int nCols, double** in, double** out) {
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
void RangeColsAdjMV(int nRows, int nCols, double** in, double** out) {
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

void HellingerRowsAdjMV(int nRows, int nCols, double** in, double** out) {
  UnitSumRowsAdjMV(nRows, nCols, in, out);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(out[i][j])) out[i][j] = std::sqrt(out[i][j]);
}

void HellingerColsAdjMV(int nRows, int nCols, double** in, double** out) {
  UnitSumColsAdjMV(nRows, nCols, in, out);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!IsMissing(out[i][j])) out[i][j] = std::sqrt(out[i][j]);
}

void DeviationsExpectationsMV(int nRows, int nCols, double** in, double** out) {
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
void DeviationsGroupMeansMV(int nRows, int nCols, double** in, double** out, int* groups) {
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

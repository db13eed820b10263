// Centring and normalization of the rows or columns of a table, in the
// missing-value-aware forms (MV) and in the plain forms that treat every cell,
// the missing code included, as data. Column forms accumulate per-column
// totals in one pass over the rows, so the table is always read row by row.
#include "ZQLib/Centring.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ZQLib/MissingValue.h"

namespace {

template <bool MV>
inline bool Skip(double x) {
  return MV && IsMissing(x);
}

// Centring of each row; with cov the deviations are divided by sqrt(n - 1)
// (by 1 when a row has fewer than two values, whose deviations are all 0).
template <bool MV>
void CenterRowsT(int nRows, int nCols, const double* const* in, double** out, bool cov) {
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
void CenterColsT(int nRows, int nCols, const double* const* in, double** out, bool cov) {
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
void NormalizeRowsT(int nRows, int nCols, const double* const* in, double** out) {
  for (int i = 0; i < nRows; i++) {
    double ss = 0.0;
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) ss += in[i][j] * in[i][j];
    double div = ss > 0.0 ? std::sqrt(ss) : 1.0;
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / div;
  }
}

template <bool MV>
void NormalizeColsT(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<double> div(nCols, 0.0);
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (!Skip<MV>(in[i][j])) div[j] += in[i][j] * in[i][j];
  for (int j = 0; j < nCols; j++) div[j] = div[j] > 0.0 ? std::sqrt(div[j]) : 1.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) out[i][j] = Skip<MV>(in[i][j]) ? in[i][j] : in[i][j] / div[j];
}

}  // namespace

void CenterRowsCovMV(int nRows, int nCols, const double* const* in, double** out) { CenterRowsT<true>(nRows, nCols, in, out, true); }
void CenterColsCovMV(int nRows, int nCols, const double* const* in, double** out) { CenterColsT<true>(nRows, nCols, in, out, true); }
void CenterRowsMV(int nRows, int nCols, const double* const* in, double** out) { CenterRowsT<true>(nRows, nCols, in, out, false); }
void CenterColsMV(int nRows, int nCols, const double* const* in, double** out) { CenterColsT<true>(nRows, nCols, in, out, false); }
void CenterRows(int nRows, int nCols, const double* const* in, double** out) { CenterRowsT<false>(nRows, nCols, in, out, false); }
void CenterCols(int nRows, int nCols, const double* const* in, double** out) { CenterColsT<false>(nRows, nCols, in, out, false); }

void NormalizeRowsMV(int nRows, int nCols, const double* const* in, double** out) { NormalizeRowsT<true>(nRows, nCols, in, out); }
void NormalizeColsMV(int nRows, int nCols, const double* const* in, double** out) { NormalizeColsT<true>(nRows, nCols, in, out); }
void NormalizeRows(int nRows, int nCols, const double* const* in, double** out) { NormalizeRowsT<false>(nRows, nCols, in, out); }
void NormalizeCols(int nRows, int nCols, const double* const* in, double** out) { NormalizeColsT<false>(nRows, nCols, in, out); }

// Rescaling of vectors into classes and into ranks, and their application
// along the rows or down the columns of a table.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "transform/DataTransformationsLib.h"

namespace {

template <bool MV>
void ClassesT(int n, const double* in, double* out, int nClasses) {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  for (int i = 0; i < n; i++) {
    if (MV && IsMissing(in[i])) continue;
    if (in[i] < lo) lo = in[i];
    if (in[i] > hi) hi = in[i];
  }
  for (int i = 0; i < n; i++) {
    double x = in[i];
    if (x == lo)
      out[i] = 1.0;
    else if (x == hi)
      out[i] = nClasses;
    else if (MV && IsMissing(x))
      out[i] = x;
    else
      out[i] = std::ceil((x - lo) * nClasses / (hi - lo));
  }
}

// Mid-ranks of the selected values (all values, or the non-missing ones),
// 1 for the smallest; work holds n (value, position) pairs.
template <bool MV>
void RankT(int n, const double* in, double* out, std::vector<std::pair<double, int>>& work) {
  work.clear();
  for (int i = 0; i < n; i++)
    if (!(MV && IsMissing(in[i]))) work.emplace_back(in[i], i);
  // NaN sorts after every number, so the order stays a strict weak ordering.
  std::sort(work.begin(), work.end(), [](const std::pair<double, int>& a, const std::pair<double, int>& b) {
    if (std::isnan(a.first)) return false;
    if (std::isnan(b.first)) return true;
    return a.first < b.first;
  });
  for (int i = 0; i < n; i++)
    if (MV && IsMissing(in[i])) out[i] = in[i];
  const int m = static_cast<int>(work.size());
  for (int a = 0; a < m;) {
    int b = a + 1;
    while (b < m && work[b].first == work[a].first) b++;
    double rank = 0.5 * ((a + 1) + b);  // mean of the ranks a+1 .. b
    for (int k = a; k < b; k++) out[work[k].second] = rank;
    a = b;
  }
}

// Applies a vector routine to each column through a contiguous copy.
template <typename F>
void ByColumns(int nRows, int nCols, const double* const* in, double** out, F f) {
  std::vector<double> col(nRows), res(nRows);
  for (int j = 0; j < nCols; j++) {
    for (int i = 0; i < nRows; i++) col[i] = in[i][j];
    f(col.data(), res.data());
    for (int i = 0; i < nRows; i++) out[i][j] = res[i];
  }
}

}  // namespace

void ClassesMV(int n, const double* in, double* out, int nClasses) { ClassesT<true>(n, in, out, nClasses); }
void Classes(int n, const double* in, double* out, int nClasses) { ClassesT<false>(n, in, out, nClasses); }

void RankVectorAdjMV(int n, const double* in, double* out) {
  std::vector<std::pair<double, int>> work;
  work.reserve(n);
  std::vector<double> res(n);
  RankT<true>(n, in, res.data(), work);
  std::copy(res.begin(), res.end(), out);
}

void RankVectorAdj(int n, const double* in, double* out) {
  std::vector<std::pair<double, int>> work;
  work.reserve(n);
  std::vector<double> res(n);
  RankT<false>(n, in, res.data(), work);
  std::copy(res.begin(), res.end(), out);
}

void ClassesRowsMV(int nRows, int nCols, const double* const* in, double** out, int nClasses) {
  for (int i = 0; i < nRows; i++) ClassesT<true>(nCols, in[i], out[i], nClasses);
}

void ClassesColsMV(int nRows, int nCols, const double* const* in, double** out, int nClasses) {
  ByColumns(nRows, nCols, in, out, [&](const double* c, double* r) { ClassesT<true>(nRows, c, r, nClasses); });
}

void RankRowsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<std::pair<double, int>> work;
  work.reserve(nCols);
  std::vector<double> res(nCols);
  for (int i = 0; i < nRows; i++) {
    RankT<true>(nCols, in[i], res.data(), work);
    std::copy(res.begin(), res.end(), out[i]);
  }
}

void RankColsAdjMV(int nRows, int nCols, const double* const* in, double** out) {
  std::vector<std::pair<double, int>> work;
  work.reserve(nRows);
  ByColumns(nRows, nCols, in, out, [&](const double* c, double* r) { RankT<true>(nRows, c, r, work); });
}

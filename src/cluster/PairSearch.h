// The search for the next fusion of a hierarchical clustering in typically
// quadratic time, choosing exactly the pair that a full rescan of all pairs
// of current groups would choose.
//
// A full rescan visits the pairs a < b of current groups with a ascending,
// then b ascending, and replaces its choice only by a strictly better value
// (smaller, or larger for similarities), starting from a fixed bound; it
// therefore takes the first best pair. Here each live row a keeps its best
// value over the live b > a and the first b that holds it; the first live row
// whose value is strictly better than those before it gives that same pair.
// After a fusion only the rows that the fusion touches are brought up to date:
// a row is scanned again only when its best entry changed or disappeared.
//
// Pair values live in a packed upper triangle. A retired slot's entries are
// set to not-a-number, which no comparison ever prefers, so that rows can be
// scanned as contiguous runs of values.
#pragma once
#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

namespace clusterwork {

constexpr double kRetired = std::numeric_limits<double>::quiet_NaN();

// Strict upper triangle of an n x n matrix, row by row: entry (i, j), i < j.
template <class T>
class Triangle {
 public:
  explicit Triangle(int n) : n_(n), start_(n > 0 ? n : 1), values_(n > 1 ? static_cast<std::size_t>(n) * (n - 1) / 2 : 1) {
    std::size_t s = 0;
    for (int i = 0; i < n; i++) {
      start_[i] = s;
      s += static_cast<std::size_t>(n - i - 1);
    }
  }
  T& operator()(int i, int j) { return values_[start_[i] + (j - i - 1)]; }
  // Entry of the pair {i, j}, i != j, in either order.
  T& Pair(int i, int j) { return i < j ? (*this)(i, j) : (*this)(j, i); }
  // Entries (i, i+1) .. (i, n-1), n - i - 1 of them.
  T* Row(int i) { return values_.data() + start_[i]; }
  int size() const { return n_; }

 private:
  int n_;
  std::vector<std::size_t> start_;
  std::vector<T> values_;
};

// Best of start and v[0..len-1] (not-a-number never wins); four running
// values keep the comparisons independent of each other.
template <bool kLargest>
inline double Extreme(const double* v, int len, double start) {
  double m0 = start, m1 = start, m2 = start, m3 = start;
  int i = 0;
  if (kLargest) {
    for (; i + 3 < len; i += 4) {
      m0 = v[i] > m0 ? v[i] : m0;
      m1 = v[i + 1] > m1 ? v[i + 1] : m1;
      m2 = v[i + 2] > m2 ? v[i + 2] : m2;
      m3 = v[i + 3] > m3 ? v[i + 3] : m3;
    }
    for (; i < len; i++) m0 = v[i] > m0 ? v[i] : m0;
    m0 = m1 > m0 ? m1 : m0;
    m2 = m3 > m2 ? m3 : m2;
    return m2 > m0 ? m2 : m0;
  }
  for (; i + 3 < len; i += 4) {
    m0 = v[i] < m0 ? v[i] : m0;
    m1 = v[i + 1] < m1 ? v[i + 1] : m1;
    m2 = v[i + 2] < m2 ? v[i + 2] : m2;
    m3 = v[i + 3] < m3 ? v[i + 3] : m3;
  }
  for (; i < len; i++) m0 = v[i] < m0 ? v[i] : m0;
  m0 = m1 < m0 ? m1 : m0;
  m2 = m3 < m2 ? m3 : m2;
  return m2 < m0 ? m2 : m0;
}

// Best values of the live rows and the first position holding each.
// kLargest: the largest value is the best (similarities); otherwise the
// smallest. Values not strictly better than `start` are never chosen.
template <bool kLargest>
class RowBest {
 public:
  RowBest(int n, double start) : start_(start), value_(n, start), pos_(n, -1), live_(n) {
    for (int i = 0; i < n; i++) live_[i] = i;
  }
  static bool Better(double x, double y) { return kLargest ? x > y : x < y; }

  // Row a from its values v[0..len-1], which stand for the columns
  // a+1 .. a+len (retired and ineligible columns hold not-a-number).
  void Scan(int a, const double* v, int len) {
    const double best = Extreme<kLargest>(v, len, start_);
    int p = -1;
    if (Better(best, start_)) {
      p = 0;
      while (!(v[p] == best)) p++;
    }
    value_[a] = p >= 0 ? v[p] : start_;
    pos_[a] = p >= 0 ? a + 1 + p : -1;
  }
  // The first best pair of live rows; false when no value beats the start.
  bool First(int* a, int* b) const {
    double best = start_;
    int row = -1;
    for (int r : live_)
      if (pos_[r] >= 0 && Better(value_[r], best)) {
        best = value_[r];
        row = r;
      }
    if (row < 0) return false;
    *a = row;
    *b = pos_[row];
    return true;
  }
  // Row k's entry in column a took the value v. Returns false when the row
  // must be scanned again (its best entry was the one changed, or was in the
  // retired column b).
  bool Changed(int k, int a, int b, double v) {
    const int p = pos_[k];
    if (p == a || p == b) return false;
    if (Better(v, value_[k]) || (p >= 0 && v == value_[k] && a < p)) {
      value_[k] = v;
      pos_[k] = a;
    }
    return true;
  }
  // Column b was retired: false when row k's best entry was there.
  bool Retired(int k, int b) const { return pos_[k] != b; }
  // Takes slot b out of the live rows.
  void Retire(int b) {
    const auto at = std::lower_bound(live_.begin(), live_.end(), b);
    if (at != live_.end() && *at == b) live_.erase(at);
    pos_[b] = -1;
  }
  // Live slots in index order.
  const std::vector<int>& Live() const { return live_; }

 private:
  double start_;
  std::vector<double> value_;
  std::vector<int> pos_;
  std::vector<int> live_;
};

}  // namespace clusterwork

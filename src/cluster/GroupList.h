// Working state shared by the clustering methods: the current groups in
// index order with their member lists, and removal of one group from an
// upper-triangle working matrix.
#pragma once
#include <cstring>
#include <vector>

#include "cluster/ClusterReport.h"

namespace clusterwork {

// Member lists as linked lists over the objects, so that fusing two groups
// costs nothing and keeps the order: first group's members, then the second's.
class GroupList {
 public:
  explicit GroupList(int n) : next_(n, -1), head_(n), tail_(n) {
    for (int i = 0; i < n; i++) head_[i] = tail_[i] = i;
  }
  int count() const { return static_cast<int>(head_.size()); }
  // Copies the members of the fusion of a and b (1-based) into rec and sets
  // nMembers and lastMember; returns nMembers.
  int Describe(int a, int b, clusterReport& rec) const {
    int k = 0;
    for (int o = head_[a]; o >= 0; o = next_[o]) rec.members[k++] = o + 1;
    rec.lastMember = tail_[a] + 1;
    for (int o = head_[b]; o >= 0; o = next_[o]) rec.members[k++] = o + 1;
    rec.nMembers = k;
    return k;
  }
  // Fuses b into a and removes position b.
  void Fuse(int a, int b) {
    next_[tail_[a]] = head_[b];
    tail_[a] = tail_[b];
    head_.erase(head_.begin() + b);
    tail_.erase(tail_.begin() + b);
  }
  // Objects (0-based) of the group at position g.
  template <class F>
  void ForEach(int g, F f) const {
    for (int o = head_[g]; o >= 0; o = next_[o]) f(o);
  }

 private:
  std::vector<int> next_, head_, tail_;
};

// Removes row and column b from the upper triangle of the m x m matrix W by
// moving the values (the row pointers stay where they are).
template <class T>
void RemoveFromUpperTriangle(int m, int b, T** W) {
  for (int i = 0; i < b; i++) {
    int count = m - 1 - b;
    if (count > 0) std::memmove(&W[i][b], &W[i][b + 1], sizeof(T) * count);
  }
  for (int i = b; i < m - 1; i++) {
    int count = m - 2 - i;
    if (count > 0) std::memcpy(&W[i][i + 1], &W[i + 1][i + 2], sizeof(T) * count);
  }
}

// Removes entry b of a vector of m values.
template <class T>
void RemoveEntry(int m, int b, T* v) {
  if (m - 1 - b > 0) std::memmove(&v[b], &v[b + 1], sizeof(T) * (m - 1 - b));
}

// Smallest of start and row[from..to-1]; four running minima keep the
// comparisons independent of each other.
inline double RowMinimum(const double* row, int from, int to, double start) {
  double m0 = start, m1 = start, m2 = start, m3 = start;
  int b = from;
  for (; b + 3 < to; b += 4) {
    m0 = row[b] < m0 ? row[b] : m0;
    m1 = row[b + 1] < m1 ? row[b + 1] : m1;
    m2 = row[b + 2] < m2 ? row[b + 2] : m2;
    m3 = row[b + 3] < m3 ? row[b + 3] : m3;
  }
  for (; b < to; b++) m0 = row[b] < m0 ? row[b] : m0;
  m0 = m1 < m0 ? m1 : m0;
  m2 = m3 < m2 ? m3 : m2;
  return m2 < m0 ? m2 : m0;
}

// An owned n x n matrix with row pointers, for the working copies.
template <class T>
struct WorkMatrix {
  explicit WorkMatrix(int n) : store(static_cast<size_t>(n) * n), rows(n) {
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
  }
  T** get() { return rows.data(); }
  std::vector<T> store;
  std::vector<T*> rows;
};

// Ward's clustering of SumSqCluster, restricted to pairs with a non-zero
// adjacency[a][b] when adjacency is given (SumSqClusterRestrained).
void SumSqCore(int n, double** D, int** adjacency, clusterReport* rep, bool squared);

}  // namespace clusterwork

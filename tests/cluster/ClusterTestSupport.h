// Helpers of the clustering tests: matrices built from literals and fusion
// histories owned by the test.
#pragma once
#include <cmath>
#include <vector>

#include "cluster/ClusterReport.h"

namespace clustertest {

// Square matrix with row pointers, filled from a full row-major list.
struct Matrix {
  Matrix(int n, std::vector<double> values) : n(n), store(std::move(values)), rows(n) {
    store.resize(static_cast<size_t>(n) * n);
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
  }
  double** get() { return rows.data(); }
  int n;
  std::vector<double> store;
  std::vector<double*> rows;
};

// Table of rows x cols values with row pointers, filled row by row.
struct Table {
  Table(int rows, int cols, std::vector<double> values) : store(std::move(values)), ptr(rows) {
    store.resize(static_cast<size_t>(rows) * cols);
    for (int i = 0; i < rows; i++) ptr[i] = store.data() + static_cast<size_t>(i) * cols;
  }
  double** get() { return ptr.data(); }
  std::vector<double> store;
  std::vector<double*> ptr;
};

// Euclidean distances (or their squares) between the rows of points.
inline Matrix Distances(const std::vector<std::vector<double>>& points, bool squared = false) {
  const int n = static_cast<int>(points.size());
  Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double s = 0;
      for (size_t t = 0; t < points[i].size(); t++) s += (points[i][t] - points[j][t]) * (points[i][t] - points[j][t]);
      d.rows[i][j] = squared ? s : std::sqrt(s);
    }
  return d;
}

// Fusion history of n objects with room for the factorial vectors.
struct History {
  History(int n, int p = 1) : n(n), store(n > 1 ? n - 1 : 0), members(n > 1 ? n - 1 : 0, std::vector<int>(n)) {
    vecs.resize(4 * store.size(), std::vector<double>(n > p ? n : p));
    for (size_t s = 0; s < store.size(); s++) {
      store[s] = clusterReport{};
      store[s].members = members[s].data();
      store[s].eigVecI = vecs[4 * s].data();
      store[s].scoresI = vecs[4 * s + 1].data();
      store[s].eigVecII = vecs[4 * s + 2].data();
      store[s].scoresII = vecs[4 * s + 3].data();
    }
  }
  clusterReport* get() { return store.data(); }
  clusterReport& operator[](int s) { return store[s]; }
  std::vector<int> Members(int s) const {
    return std::vector<int>(members[s].begin(), members[s].begin() + store[s].nMembers);
  }
  // Records a fusion by hand (for the partition and Newick tests).
  void Set(int s, std::vector<int> m, int lastMember, double level, double left, double right) {
    for (size_t t = 0; t < m.size(); t++) members[s][t] = m[t];
    store[s].nMembers = static_cast<int>(m.size());
    store[s].lastMember = lastMember;
    store[s].level = level;
    store[s].node = n + s + 1;
    store[s].branchLeft = left;
    store[s].branchRight = right;
  }
  int n;
  std::vector<clusterReport> store;
  std::vector<std::vector<int>> members;
  std::vector<std::vector<double>> vecs;
};

}  // namespace clustertest

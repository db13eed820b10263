// Helpers of the clustering tests: matrices built from literals, labels and
// fusion histories owned by the test.
#pragma once
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "cluster/ClusterReport.h"

namespace clustertest {

using Points = std::vector<std::vector<double>>;

// rows x cols matrix with row pointers, filled row by row (square when cols is 0).
struct Matrix {
  Matrix(int rows, std::vector<double> values, int cols = 0) : n(rows), store(std::move(values)), ptr(rows) {
    store.resize(static_cast<size_t>(rows) * (cols ? cols : rows));
    for (int i = 0; i < rows; i++) ptr[i] = store.data() + static_cast<size_t>(i) * (cols ? cols : rows);
  }
  double** get() { return ptr.data(); }
  double* operator[](int i) { return ptr[i]; }
  int n;
  std::vector<double> store;
  std::vector<double*> ptr;
};

// Euclidean distances (or their squares) between points.
inline Matrix Distances(const Points& x, bool squared = false) {
  const int n = static_cast<int>(x.size());
  Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      double s = 0;
      for (size_t t = 0; t < x[i].size(); t++) s += (x[i][t] - x[j][t]) * (x[i][t] - x[j][t]);
      d[i][j] = squared ? s : std::sqrt(s);
    }
  return d;
}

// Object labels as the kernels take them.
struct Labels {
  explicit Labels(std::vector<std::string> names) : text(std::move(names)) {
    for (auto& s : text) ptr.push_back(&s[0]);
  }
  char** get() { return ptr.data(); }
  std::vector<std::string> text;
  std::vector<char*> ptr;
};

// Chain topology: each object adjacent to the next.
struct Chain {
  explicit Chain(int n) : cells(n, std::vector<int>(n, 0)), rows(n) {
    for (int i = 0; i < n; i++) rows[i] = cells[i].data();
    for (int i = 0; i + 1 < n; i++) cells[i][i + 1] = 1;
  }
  int** get() { return rows.data(); }
  std::vector<std::vector<int>> cells;
  std::vector<int*> rows;
};

// Fusion history of n objects with room for the factorial vectors (p scores).
struct History {
  explicit History(int n, int p = 1)
      : n(n), store(n > 1 ? n - 1 : 0), members(store.size(), std::vector<int>(n)), vecs(4 * store.size()) {
    for (auto& v : vecs) v.resize(n > p ? n : p);
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

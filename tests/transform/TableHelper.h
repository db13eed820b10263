// A small owner of a table of doubles with row pointers, for the kernels that
// take double**, and a cell-by-cell comparison in which missing codes must match.
#pragma once
#include <gtest/gtest.h>

#include <vector>

using Cells = std::vector<std::vector<double>>;

class Table {
 public:
  Table(const Cells& cells) : cells_(cells) { Bind(); }  // NOLINT: tables are written as literals
  Table(int nRows, int nCols, double fill = 0.0) : cells_(nRows, std::vector<double>(nCols, fill)) { Bind(); }
  Table(const Table& o) : cells_(o.cells_) { Bind(); }
  Table& operator=(const Table&) = delete;
  double** p() { return ptrs_.data(); }
  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cells_.empty() ? 0 : static_cast<int>(cells_[0].size()); }
  double operator()(int i, int j) const { return cells_[i][j]; }

 private:
  void Bind() {
    for (auto& r : cells_) ptrs_.push_back(r.data());
  }
  Cells cells_;
  std::vector<double*> ptrs_;
};

inline void ExpectTable(const Table& got, const Cells& want, double tol = 1e-12) {
  for (size_t i = 0; i < want.size(); i++)
    for (size_t j = 0; j < want[i].size(); j++) {
      if (want[i][j] == -999.0)
        EXPECT_EQ(got(i, j), -999.0) << "cell " << i << "," << j;
      else
        EXPECT_NEAR(got(i, j), want[i][j], tol) << "cell " << i << "," << j;
    }
}

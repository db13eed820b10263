// A small owner of a table of doubles with row pointers, for the kernels that
// take double**.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class Table {
 public:
  Table(std::initializer_list<std::initializer_list<double>> rows) {
    for (auto& r : rows) cells_.emplace_back(r);
    Bind();
  }
  Table(int nRows, int nCols, double fill = 0.0) : cells_(nRows, std::vector<double>(nCols, fill)) { Bind(); }
  Table(const Table& o) : cells_(o.cells_) { Bind(); }
  Table& operator=(const Table&) = delete;
  double** p() { return ptrs_.data(); }
  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cells_.empty() ? 0 : static_cast<int>(cells_[0].size()); }
  double operator()(int i, int j) const { return cells_[i][j]; }
  double* row(int i) { return cells_[i].data(); }

 private:
  void Bind() {
    ptrs_.clear();
    for (auto& r : cells_) ptrs_.push_back(r.data());
  }
  std::vector<std::vector<double>> cells_;
  std::vector<double*> ptrs_;
};

// Compares every cell with the expected table within tol; missing codes must match exactly.
inline void ExpectTable(const Table& got, std::initializer_list<std::initializer_list<double>> want,
                        double tol = 1e-12) {
  int i = 0;
  for (auto& r : want) {
    int j = 0;
    for (double w : r) {
      if (w == -999.0)
        EXPECT_EQ(got(i, j), -999.0) << "cell " << i << "," << j;
      else
        EXPECT_NEAR(got(i, j), w, tol) << "cell " << i << "," << j;
      j++;
    }
    i++;
  }
}

inline void ExpectVector(const double* got, std::initializer_list<double> want, double tol = 1e-12) {
  int i = 0;
  for (double w : want) {
    if (w == -999.0)
      EXPECT_EQ(got[i], -999.0) << "element " << i;
    else
      EXPECT_NEAR(got[i], w, tol) << "element " << i;
    i++;
  }
}

// Row-pointer matrices for the kernel tests, built from literal
// values and released automatically.
#pragma once
#include <initializer_list>
#include <vector>

#include "ZQLib/zqlibDim.h"

struct TestMatrix {
  int rows, cols;
  double** m;
  TestMatrix(int r, int c) : rows(r), cols(c), m(dimDouble2D(r, c)) {}
  TestMatrix(int r, int c, std::initializer_list<double> values) : TestMatrix(r, c) {
    int k = 0;
    for (double v : values) {
      m[k / c][k % c] = v;
      k++;
    }
  }
  ~TestMatrix() { freeDouble2D(m, rows); }
  TestMatrix(const TestMatrix&) = delete;
  TestMatrix& operator=(const TestMatrix&) = delete;
  double* operator[](int i) const { return m[i]; }
  // The values row by row, for comparing a whole matrix at once.
  std::vector<std::vector<double>> Values() const {
    std::vector<std::vector<double>> v(rows);
    for (int i = 0; i < rows; i++) v[i].assign(m[i], m[i] + cols);
    return v;
  }
  operator double**() const { return m; }
};

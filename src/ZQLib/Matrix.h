// An owned, zero-filled matrix of doubles addressed through row pointers, so
// that it passes wherever the program takes a double** table. Its memory is
// released when it goes out of scope, also when an exception passes through,
// which is what kernels use for their work tables.
#pragma once
#include <initializer_list>
#include <vector>

class Matrix {
 public:
  Matrix() = default;
  // rows x cols zeros; throws std::bad_alloc when the memory is not there
  // (negative extents included).
  Matrix(int rows, int cols) { Resize(rows, cols); }
  // Rows written as literals: {{1, 2}, {3, 4}}; the first row gives the width.
  Matrix(std::initializer_list<std::initializer_list<double>> rows);
  Matrix(const Matrix& other);
  Matrix& operator=(const Matrix& other);
  Matrix(Matrix&&) noexcept = default;
  Matrix& operator=(Matrix&&) noexcept = default;

  // Becomes rows x cols of zeros. Capacity is kept, so a work table resized
  // to the same or a smaller shape allocates nothing.
  void Resize(int rows, int cols);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  double** data() { return row_.data(); }
  const double* const* data() const { return row_.data(); }
  double* operator[](int i) { return row_[i]; }
  const double* operator[](int i) const { return row_[i]; }

 private:
  void Bind();
  int rows_ = 0, cols_ = 0;
  std::vector<double> cell_;
  std::vector<double*> row_;
};

// A fresh copy of the n x m table t, and its m x n transpose.
Matrix CopyOf(int n, int m, const double* const* t);
Matrix TransposeOf(int n, int m, const double* const* t);

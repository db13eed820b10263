// Owned row-pointer matrices.
#include "ZQLib/Matrix.h"

#include <algorithm>
#include <new>

Matrix::Matrix(std::initializer_list<std::initializer_list<double>> rows) {
  Resize(static_cast<int>(rows.size()), rows.size() > 0 ? static_cast<int>(rows.begin()->size()) : 0);
  int i = 0;
  for (const auto& r : rows) {
    int j = 0;
    for (double v : r)
      if (j < cols_) row_[i][j++] = v;
    i++;
  }
}

Matrix::Matrix(const Matrix& other) : rows_(other.rows_), cols_(other.cols_), cell_(other.cell_) { Bind(); }

Matrix& Matrix::operator=(const Matrix& other) {
  if (this != &other) {
    rows_ = other.rows_;
    cols_ = other.cols_;
    cell_ = other.cell_;
    Bind();
  }
  return *this;
}

void Matrix::Resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw std::bad_alloc();
  const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(cols);
  if (cols != 0 && count / static_cast<size_t>(cols) != static_cast<size_t>(rows)) throw std::bad_alloc();
  rows_ = rows;
  cols_ = cols;
  cell_.assign(count, 0.0);
  Bind();
}

void Matrix::Bind() {
  row_.resize(static_cast<size_t>(rows_));
  for (int i = 0; i < rows_; i++) row_[i] = cell_.data() + static_cast<size_t>(i) * cols_;
}

Matrix CopyOf(int n, int m, const double* const* t) {
  Matrix c(n, m);
  for (int i = 0; i < n; i++) std::copy(t[i], t[i] + m, c[i]);
  return c;
}

Matrix TransposeOf(int n, int m, const double* const* t) {
  Matrix c(m, n);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) c[k][i] = t[i][k];
  return c;
}

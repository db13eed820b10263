// Small tables for the resemblance tests, built from rows of numbers.
#pragma once
#include <initializer_list>
#include <vector>

#include "ZQLib/zqlibDim.h"

constexpr double MV = -999.0;

// An n x m table of row pointers (dim2D) filled from the given rows.
class Table {
 public:
  Table(std::initializer_list<std::initializer_list<double>> rows) {
    n_ = static_cast<int>(rows.size());
    m_ = n_ > 0 ? static_cast<int>(rows.begin()->size()) : 0;
    t_ = dimDouble2D(n_, m_);
    int i = 0;
    for (const auto& r : rows) {
      int k = 0;
      for (double v : r) t_[i][k++] = v;
      i++;
    }
  }
  explicit Table(const std::vector<std::vector<double>>& rows) : Table(static_cast<int>(rows.size()),
                                                                       static_cast<int>(rows[0].size())) {
    for (int i = 0; i < n_; i++)
      for (int k = 0; k < m_; k++) t_[i][k] = rows[i][k];
  }
  Table(int n, int m) : n_(n), m_(m), t_(dimDouble2D(n, m)) {}
  ~Table() { freeDouble2D(t_, n_); }
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;
  double** operator*() const { return t_; }
  double* operator[](int i) const { return t_[i]; }
  int n() const { return n_; }
  int m() const { return m_; }

 private:
  int n_, m_;
  double** t_;
};

// A square result matrix.
class Square : public Table {
 public:
  explicit Square(int n) : Table(n, n) {}
};

// Deterministic pseudo-random numbers for larger tables (linear congruential).
class Lcg {
 public:
  explicit Lcg(unsigned s) : s_(s) {}
  double Uniform() {
    s_ = s_ * 1664525u + 1013904223u;
    return (s_ >> 8) / 16777216.0;
  }

 private:
  unsigned s_;
};

// Layouts of the vector and matrix printers, checked character by character.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZQLib/zqlibDim.h"

namespace {

// Collects what a printer writes to a stream.
class Capture {
 public:
  Capture() { f_ = open_memstream(&buf_, &len_); }
  ~Capture() {
    if (f_ != nullptr) std::fclose(f_);
    std::free(buf_);
  }
  FILE* f() { return f_; }
  std::string text() {
    std::fflush(f_);
    return std::string(buf_, len_);
  }

 private:
  char* buf_ = nullptr;
  size_t len_ = 0;
  FILE* f_ = nullptr;
};

// Owns a dim2D matrix filled from a row-major list.
struct Matrix {
  int rows, cols;
  double** m;
  Matrix(int r, int c, std::initializer_list<double> values) : rows(r), cols(c), m(dimDouble2D(r, c)) {
    int k = 0;
    for (double v : values) {
      m[k / c][k % c] = v;
      k++;
    }
  }
  ~Matrix() { freeDouble2D(m, rows); }
};

// Restores maxColsPrint after a test changes it.
struct MaxColsGuard {
  int saved = maxColsPrint;
  ~MaxColsGuard() { maxColsPrint = saved; }
};

}  // namespace

TEST(PrintMatrix, AutomaticWidthIsLongestRendering) {
  Matrix a(2, 2, {1, 10.5, 100, 2});
  Capture c;
  EXPECT_EQ(PrintMatrix(c.f(), a.rows, a.cols, a.m, 5, 0), 4);
  EXPECT_EQ(c.text(), "   1\t10.5\t\n 100\t   2\t\n");
}

TEST(PrintMatrix, GivenWidthAndDigits) {
  Matrix a(1, 2, {3.14159265, -2});
  Capture c;
  EXPECT_EQ(PrintMatrix(c.f(), 1, 2, a.m, 3, 6), 6);
  EXPECT_EQ(c.text(), "  3.14\t    -2\t\n");
}

TEST(PrintMatrix, FloatFormHasTheSameLayout) {
  Matrix a(2, 2, {1, 10.5, 100, 2});
  Capture c;
  EXPECT_EQ(PrintMatrixFloat(c.f(), 2, 2, a.m, 5, 0), 4);
  EXPECT_EQ(c.text(), "   1\t10.5\t\n 100\t   2\t\n");
}

TEST(PrintMatrix, LongRowContinuesOnIndentedLine) {
  MaxColsGuard guard;
  maxColsPrint = 3;
  Matrix a(1, 4, {1, 2, 3, 4});
  Capture c;
  PrintMatrix(c.f(), 1, 4, a.m, 5, 0);
  // Counts before each element: 0, 2, 4 (> 3: break, restart at 0), 2.
  EXPECT_EQ(c.text(), "1\t2\t\n \t3\t4\t\n");
}

TEST(PrintHalfMatrix, OffsetOneKeepsTriangleAligned) {
  Matrix a(3, 3, {0, 1, 2, 1, 0, 30, 2, 30, 0});
  Capture c;
  EXPECT_EQ(PrintHalfMatrix(c.f(), 3, a.m, 5, 1), 2);
  EXPECT_EQ(c.text(), "  \t 1\t 2\t\n  \t  \t30\t\n");
}

TEST(PrintHalfMatrix, OffsetZeroIncludesDiagonal) {
  Matrix a(2, 2, {5, 1, 1, 6});
  Capture c;
  PrintHalfMatrix(c.f(), 2, a.m, 5, 0);
  EXPECT_EQ(c.text(), "5\t1\t\n \t6\t\n");
}

TEST(PrintLowerHalfMatrix, RowShowsColumnsUpToDiagonal) {
  Matrix a(3, 3, {1, 99, 99, 2, 3, 99, 4, 5, 6});
  Capture c;
  EXPECT_EQ(PrintLowerHalfMatrix(c.f(), 3, a.m, 5, 0), 2);  // width over the whole matrix
  EXPECT_EQ(c.text(), " 1\t\n 2\t 3\t\n 4\t 5\t 6\t\n");
}

TEST(PrintLowerHalfMatrixTab, DoubleAndIntForms) {
  Matrix a(2, 2, {1.5, 9, 2.25, 3});
  Capture c;
  PrintLowerHalfMatrixTab(c.f(), 2, a.m, 2);
  EXPECT_EQ(c.text(), "1.5\t\n2.2\t3\t\n");
  int** im = dimInt2D(2, 2);
  im[0][0] = 7;
  im[1][0] = -1;
  im[1][1] = 12;
  Capture ci;
  PrintLowerHalfMatrixTab(ci.f(), 2, im);
  EXPECT_EQ(ci.text(), "7\t\n-1\t12\t\n");
  freeInt2D(im, 2);
}

TEST(PrintMatrixTab, DoubleAndInt64Forms) {
  Matrix a(2, 2, {0.125, 1e-7, 1e10, -3});
  Capture c;
  PrintMatrixTab(c.f(), 2, 2, a.m, 5);
  EXPECT_EQ(c.text(), "0.125\t1e-07\t\n1e+10\t-3\t\n");
  int64_t** lm = reinterpret_cast<int64_t**>(dim2D(sizeof(int64_t), 1, 2));
  lm[0][0] = 5000000000LL;
  lm[0][1] = -2;
  Capture cl;
  PrintMatrixTab(cl.f(), 1, 2, lm);
  EXPECT_EQ(cl.text(), "5000000000\t-2\t\n");
  free2D(reinterpret_cast<void**>(lm), 1);
}

TEST(PrintVector, NaturalAndGivenOrder) {
  double v[] = {1, 22, 333};
  Capture c;
  PrintVector(c.f(), 3, v, 5, 0, 0, nullptr);
  EXPECT_EQ(c.text(), "  1\t 22\t333\t\n");
  int order[] = {3, 1, 2};  // 1-based positions
  Capture co;
  PrintVector(co.f(), 3, v, 5, 4, 0, order);
  EXPECT_EQ(co.text(), " 333\t   1\t  22\t\n");
}

TEST(PrintVector, ContinuedLinesUseIndent) {
  MaxColsGuard guard;
  maxColsPrint = 4;
  double v[] = {1, 2, 3};
  Capture c;
  // Counts start at the indent 3: 3, 5 (> 4: break, restart at 3), 5 (break again).
  PrintVector(c.f(), 3, v, 5, 1, 3, nullptr);
  EXPECT_EQ(c.text(), "1\t\n   \t2\t\n   \t3\t\n");
}

TEST(PrintVectorTab, DoubleAndIntWithOrder) {
  double v[] = {0.5, 1.25, 2};
  int order[] = {2, 3, 1};
  Capture c;
  PrintVectorTab(c.f(), 3, v, 5, order);
  EXPECT_EQ(c.text(), "1.25\t2\t0.5\t\n");
  int iv[] = {4, -5};
  Capture ci;
  PrintVectorTab(ci.f(), 2, iv, nullptr);
  EXPECT_EQ(ci.text(), "4\t-5\t\n");
}

TEST(PrintStringVector, RightAlignedInLongestLength) {
  char a[] = "ab", b[] = "abcd", d[] = "x";
  char* s[] = {a, b, d};
  Capture c;
  PrintStringVector(c.f(), 3, s, 0, 0, nullptr);
  EXPECT_EQ(c.text(), "  ab\tabcd\t   x\t\n");
  int order[] = {3, 1};
  Capture co;
  PrintStringVectorTab(co.f(), 2, s, order);
  EXPECT_EQ(co.text(), "x\tab\t\n");
}

TEST(PrintHalfMatrixFf, OneValuePerLineFromDiagonal) {
  Matrix a(3, 3, {1, 2, 3, 2, 4, 5, 3, 5, 6});
  Capture c;
  PrintHalfMatrix_ff(c.f(), 3, a.m, 0);
  EXPECT_EQ(c.text(), "1\n2\n3\n4\n5\n6\n");
  Capture c1;
  PrintHalfMatrix_ff(c1.f(), 3, a.m, 1);
  EXPECT_EQ(c1.text(), "2\n3\n5\n");
}

TEST(GetWidthMax, DependsOnDigitsAndSign) {
  Matrix a(2, 2, {3.14159265, -1, 0, 1e-12});
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 3), 5);  // "1e-12"
  a.m[1][1] = 0;
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 3), 4);  // "3.14"
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 6), 7);  // "3.14159"
  EXPECT_EQ(GetWidthMax(0, 0, a.m, 5), 0);
}

// Layouts of the vector and matrix printers, checked character by character.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "support/ShellHelpers_shell.h"
#include "support/TestMatrix.h"

namespace {

// Restores maxColsPrint after a test changes it.
struct MaxColsGuard {
  int saved = maxColsPrint;
  ~MaxColsGuard() { maxColsPrint = saved; }
};

}  // namespace

// Each printer on a small case, the expected text worked out by hand from the
// layout rules: width w = longest rendering, "%*.*g\t" per element, a newline
// per row, blanks of the width for the missing part of a triangle.
TEST(Printers, LayoutsCharacterByCharacter) {
  TestMatrix a(2, 2, {1, 10.5, 100, 2});
  TestMatrix sym(3, 3, {0, 1, 2, 1, 0, 30, 2, 30, 0});
  TestMatrix low(3, 3, {1, 99, 99, 2, 3, 99, 4, 5, 6});
  TestMatrix mixed(2, 2, {0.125, 1e-7, 1e10, -3});
  double v[] = {1, 22, 333};
  int order[] = {3, 1, 2};  // 1-based positions
  int iv[] = {4, -5};
  char s0[] = "ab", s1[] = "abcd", s2[] = "x";
  char* s[] = {s0, s1, s2};
  int** im = dimInt2D(2, 2);
  im[0][0] = 7;
  im[1][0] = -1;
  im[1][1] = 12;
  int64_t** lm = reinterpret_cast<int64_t**>(dim2D(sizeof(int64_t), 1, 2));
  lm[0][0] = 5000000000LL;
  lm[0][1] = -2;
  struct {
    const char* name;
    std::function<void(FILE*)> print;
    const char* expected;
  } cases[] = {
      {"PrintMatrix", [&](FILE* f) { EXPECT_EQ(PrintMatrix(f, 2, 2, a.m, 5, 0), 4); }, "   1\t10.5\t\n 100\t   2\t\n"},
      {"PrintMatrixFloat", [&](FILE* f) { PrintMatrixFloat(f, 2, 2, a.m, 5, 0); }, "   1\t10.5\t\n 100\t   2\t\n"},
      {"PrintMatrix given width", [&](FILE* f) { PrintMatrix(f, 1, 2, a.m, 3, 6); }, "     1\t  10.5\t\n"},
      {"PrintHalfMatrix offset 1", [&](FILE* f) { EXPECT_EQ(PrintHalfMatrix(f, 3, sym.m, 5, 1), 2); },
       "  \t 1\t 2\t\n  \t  \t30\t\n"},
      {"PrintHalfMatrix offset 0", [&](FILE* f) { PrintHalfMatrix(f, 2, a.m, 5, 0); }, "   1\t10.5\t\n    \t   2\t\n"},
      {"PrintLowerHalfMatrix", [&](FILE* f) { EXPECT_EQ(PrintLowerHalfMatrix(f, 3, low.m, 5, 0), 2); },
       " 1\t\n 2\t 3\t\n 4\t 5\t 6\t\n"},
      {"PrintLowerHalfMatrixTab", [&](FILE* f) { PrintLowerHalfMatrixTab(f, 2, mixed.m, 2); }, "0.12\t\n1e+10\t-3\t\n"},
      {"PrintLowerHalfMatrixTab int", [&](FILE* f) { PrintLowerHalfMatrixTab(f, 2, im); }, "7\t\n-1\t12\t\n"},
      {"PrintMatrixTab", [&](FILE* f) { PrintMatrixTab(f, 2, 2, mixed.m, 5); }, "0.125\t1e-07\t\n1e+10\t-3\t\n"},
      {"PrintMatrixTab int64", [&](FILE* f) { PrintMatrixTab(f, 1, 2, lm); }, "5000000000\t-2\t\n"},
      {"PrintVector", [&](FILE* f) { PrintVector(f, 3, v, 5, 0, 0, nullptr); }, "  1\t 22\t333\t\n"},
      {"PrintVector ordered", [&](FILE* f) { PrintVector(f, 3, v, 5, 4, 0, order); }, " 333\t   1\t  22\t\n"},
      {"PrintVectorTab", [&](FILE* f) { PrintVectorTab(f, 3, v, 5, order); }, "333\t1\t22\t\n"},
      {"PrintVectorTab int", [&](FILE* f) { PrintVectorTab(f, 2, iv, nullptr); }, "4\t-5\t\n"},
      {"PrintStringVector", [&](FILE* f) { PrintStringVector(f, 3, s, 0, 0, nullptr); }, "  ab\tabcd\t   x\t\n"},
      {"PrintStringVectorTab", [&](FILE* f) { PrintStringVectorTab(f, 2, s, order); }, "x\tab\t\n"},
      {"PrintHalfMatrix_ff", [&](FILE* f) { PrintHalfMatrix_ff(f, 3, sym.m, 0); }, "0\n1\n2\n0\n30\n0\n"},
      {"PrintHalfMatrix_ff offset 1", [&](FILE* f) { PrintHalfMatrix_ff(f, 3, sym.m, 1); }, "1\n2\n30\n"},
  };
  for (auto& c : cases) {
    FILE* f = std::tmpfile();
    c.print(f);
    EXPECT_EQ(shelltest::Contents(f), c.expected) << c.name;
  }
  freeInt2D(im, 2);
  free2D(reinterpret_cast<void**>(lm), 1);
}

// A row longer than maxColsPrint continues on a new line that starts with the
// width (matrices) or the indent (vectors) in blanks and a tab.
TEST(Printers, LongRowsContinueOnNewLines) {
  MaxColsGuard guard;
  maxColsPrint = 3;
  TestMatrix a(1, 4, {1, 2, 3, 4});
  FILE* f = std::tmpfile();
  PrintMatrix(f, 1, 4, a.m, 5, 0);  // counts before each element: 0, 2, 4 (break), 2
  EXPECT_EQ(shelltest::Contents(f), "1\t2\t\n \t3\t4\t\n");
  maxColsPrint = 4;
  double v[] = {1, 2, 3};
  f = std::tmpfile();
  PrintVector(f, 3, v, 5, 1, 3, nullptr);  // counts start at the indent 3: 3, 5 (break), 5 (break)
  EXPECT_EQ(shelltest::Contents(f), "1\t\n   \t2\t\n   \t3\t\n");
}

TEST(GetWidthMax, DependsOnDigitsAndSign) {
  TestMatrix a(2, 2, {3.14159265, -1, 0, 1e-12});
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 3), 5);  // "1e-12"
  a.m[1][1] = 0;
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 3), 4);  // "3.14"
  EXPECT_EQ(GetWidthMax(2, 2, a.m, 6), 7);  // "3.14159"
  EXPECT_EQ(GetWidthMax(0, 0, a.m, 5), 0);
}

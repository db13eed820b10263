// Printers of the data and resemblance matrices. (Release of the
// data-dependent session state: SessionObjectsTest.cpp.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::Contents;

TEST(DataPrinters, DataMatrixInColumnsOfEight) {
  port = 0;
  double r0[] = {1, 2.5};
  double r1[] = {-0.333333333, 1000000};
  double* m[] = {r0, r1};
  FILE* f = tmpfile();
  PrintData(f, 2, 2, 3, m);
  EXPECT_EQ(Contents(f), "Data matrix:\n       1\t     2.5\t\n  -0.333\t   1e+06\t\n");
  float g0[] = {1.5f};
  float* g[] = {g0};
  port = 1;
  f = tmpfile();
  PrintData(f, 1, 1, 5, g);
  EXPECT_EQ(Contents(f), "Matriz de dados:\n     1.5\t\n");
  port = 0;
}

TEST(DataPrinters, ResemblanceUpperTriangleShownBelowTheDiagonal) {
  port = 0;
  double r0[] = {1, 2, 3};
  double r1[] = {7, 4, 5};
  double r2[] = {8, 9, 6};
  double* m[] = {r0, r1, r2};
  FILE* f = tmpfile();
  PrintRese(f, 3, 5, m);
  EXPECT_EQ(Contents(f), "\nResemblance matrix:\n1\t\n2\t4\t\n3\t5\t6\t\n");
  // The matrix is left as it was.
  EXPECT_EQ(m[0][1], 2);
  EXPECT_EQ(m[1][0], 7);
  EXPECT_EQ(m[2][1], 9);
}

}  // namespace

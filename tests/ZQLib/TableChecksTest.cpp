// The checks made before an analysis that cannot take every value.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "ZQLib/TableChecks.h"

namespace {

struct Table {
  std::vector<std::vector<double>> v;
  std::vector<double*> rows;
  Table(std::initializer_list<std::vector<double>> values) : v(values) {
    for (auto& r : v) rows.push_back(r.data());
  }
  double** m() { return rows.data(); }
};

TEST(FindNegativeCell, FirstInRowOrderMissingSkipped) {
  Table t = {{1, -999, 0}, {2, 3, -0.5}, {-4, 5, 6}};
  TableCell c;
  ASSERT_TRUE(FindNegativeCell(3, 3, t.m(), &c));
  EXPECT_EQ(c.row, 1);
  EXPECT_EQ(c.col, 2);
  EXPECT_EQ(c.value, -0.5);
  Table none = {{0, -999}, {1e-300, 7}};
  EXPECT_FALSE(FindNegativeCell(2, 2, none.m(), &c));
  Table negativeZero = {{-0.0}};
  EXPECT_FALSE(FindNegativeCell(1, 1, negativeZero.m(), nullptr));
}

TEST(ContingencyExpandedRowCount, CeilingOfEveryPositiveCount) {
  // 2 + ceil(0.5) + ceil(2.1) = 6 rows; zero and negative counts give none.
  Table t = {{2, 0.5}, {0, 2.1}, {-3, 0}};
  EXPECT_EQ(ContingencyExpandedRowCount(3, 2, t.m()), 6.0);
  // Far beyond the range of int, still counted exactly.
  Table big = {{2e9, 2e9}, {1, 0}};
  EXPECT_EQ(ContingencyExpandedRowCount(2, 2, big.m()), 4000000001.0);
  EXPECT_GT(ContingencyExpandedRowCount(2, 2, big.m()), kMaxExpandedRows);
}

}  // namespace

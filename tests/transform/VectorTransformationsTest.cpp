#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

namespace {
const double r3 = std::sqrt(3.0);
}

TEST(MarginalTotal, RowsSkipMissingAndKeepZeroRows) {
  Table t{{1, 3, -999, 4}, {0, 0, 0, -999}};
  UnitSumRowsAdjMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0.125, 0.375, -999, 0.5}, {0, 0, 0, -999}});
}

TEST(MarginalTotal, ColumnsSkipMissingIntoSeparateOutput) {
  Table in{{2, 0}, {-999, 0}, {6, 0}};
  Table out(3, 2, 7.0);
  UnitSumColsAdjMV(in.rows(), in.cols(), in.p(), out.p());
  ExpectTable(out, {{0.25, 0}, {-999, 0}, {0.75, 0}});
  ExpectTable(in, {{2, 0}, {-999, 0}, {6, 0}});
}

TEST(MarginalTotal, PlainFormCountsTheMissingCodeAsData) {
  Table t{{1, -999, 1000}};
  UnitSumRowsAdj(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0.5, -499.5, 500}});
}

TEST(Centering, RowsDividedBySqrtNMinusOneOverNonMissing) {
  Table t{{1, 2, 3, -999, 6}};
  CenterRowsCovMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{-2 / r3, -1 / r3, 0, -999, 3 / r3}});
}

TEST(Centering, SingleValueRowBecomesZeroNotNaN) {
  Table t{{5, -999}};
  CenterRowsCovMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0, -999}});
}

TEST(Centering, ColumnsAndRows) {
  Table c{{1}, {5}, {-999}, {3}};
  CenterColsMV(c.rows(), c.cols(), c.p(), c.p());
  ExpectTable(c, {{-2}, {2}, {-999}, {0}});
  Table r{{4, -999, 8}};
  CenterRowsMV(r.rows(), r.cols(), r.p(), r.p());
  ExpectTable(r, {{-2, -999, 2}});
  Table cc{{1, 1}, {2, 1}, {6, 1}};
  CenterColsCovMV(cc.rows(), cc.cols(), cc.p(), cc.p());
  ExpectTable(cc, {{-2 / std::sqrt(2.0), 0}, {-1 / std::sqrt(2.0), 0}, {3 / std::sqrt(2.0), 0}});
}

TEST(Centering, PlainFormsUseEveryCell) {
  Table t{{-999, 999}};
  CenterRows(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{-999, 999}});
  Table c{{1}, {-999}, {-1}};
  CenterCols(c.rows(), c.cols(), c.p(), c.p());
  ExpectTable(c, {{334}, {-666}, {332}});
}

TEST(Normalization, RowsAndColumnsToUnitLength) {
  Table t{{3, -999, 4}, {0, 0, 0}};
  NormalizeRowsMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0.6, -999, 0.8}, {0, 0, 0}});
  Table c{{-999, 0}, {5, 0}, {12, 0}};
  NormalizeColsMV(c.rows(), c.cols(), c.p(), c.p());
  ExpectTable(c, {{-999, 0}, {5.0 / 13, 0}, {12.0 / 13, 0}});
  Table plain{{3, 4}};
  NormalizeRows(plain.rows(), plain.cols(), plain.p(), plain.p());
  ExpectTable(plain, {{0.6, 0.8}});
  Table plainC{{6}, {8}};
  NormalizeCols(plainC.rows(), plainC.cols(), plainC.p(), plainC.p());
  ExpectTable(plainC, {{0.6}, {0.8}});
}

TEST(Range, AlongRowsDividesWithoutSubtractingMinimum) {
  Table t{{2, 4, 6}, {2, -999, 6}, {3, 3, 3}};
  RangeRowsAdjMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0.5, 1, 1.5}, {0.5, -999, 1.5}, {3, 3, 3}});
}

TEST(Range, DownColumnsSubtractsMinimum) {
  Table t{{2, 5, -999}, {4, 5, 10}, {6, 5, 20}, {-999, 5, 30}};
  RangeColsAdjMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0, 0, -999}, {0.5, 0, 0}, {1, 0, 0.5}, {-999, 0, 1}});
}

TEST(Hellinger, RowsAndColumns) {
  Table t{{1, 3, -999, 0}};
  HellingerRowsAdjMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{0.5, std::sqrt(0.75), -999, 0}});
  Table c{{9, 0}, {16, 0}, {-999, 0}};
  HellingerColsAdjMV(c.rows(), c.cols(), c.p(), c.p());
  ExpectTable(c, {{0.6, 0}, {0.8, 0}, {-999, 0}});
}

// Double adjustment equals the chi-square residual (o - e) / sqrt(e) divided by sqrt(T).
TEST(DoubleAdjustment, ChiSquareResidualsOfTwoByTwo) {
  Table t{{1, 3}, {3, 1}};
  DeviationsExpectationsMV(t.rows(), t.cols(), t.p(), t.p());
  double e = 2.0, T = 8.0;
  double lo = (1 - e) / std::sqrt(e) / std::sqrt(T), hi = (3 - e) / std::sqrt(e) / std::sqrt(T);
  ExpectTable(t, {{lo, hi}, {hi, lo}});
  EXPECT_NEAR(lo, -0.25, 1e-12);
}

TEST(DoubleAdjustment, ZeroMarginsLeaveRowAndColumnUnchanged) {
  Table t{{1, 0, 3}, {0, 0, 0}, {3, 0, 1}};
  DeviationsExpectationsMV(t.rows(), t.cols(), t.p(), t.p());
  ExpectTable(t, {{-0.25, 0, 0.25}, {0, 0, 0}, {0.25, 0, -0.25}});
}

TEST(DoubleAdjustment, MissingCellLeftOutOfTotals) {
  Table t{{1, 3}, {3, -999}};
  DeviationsExpectationsMV(t.rows(), t.cols(), t.p(), t.p());
  // r = (4, 3), c = (4, 3), T = 7.
  ExpectTable(t, {{(7.0 - 16) / (4 * 7), (21.0 - 12) / (std::sqrt(12.0) * 7)},
                  {(21.0 - 12) / (std::sqrt(12.0) * 7), -999}});
}

TEST(GroupMeans, DeviationsPerGroupWithMissing) {
  Table t{{1, -999}, {10, 4}, {3, 2}, {-999, 8}};
  int groups[] = {1, 2, 1, 2};
  DeviationsGroupMeansMV(t.rows(), t.cols(), t.p(), t.p(), groups);
  ExpectTable(t, {{-1, -999}, {0, -2}, {1, 0}, {-999, 2}});
}

TEST(GroupMeans, GroupNumbersNeedNotBeConsecutive) {
  Table in{{2}, {4}, {7}, {9}, {100}, {5}, {1}};
  Table out(7, 1);
  int groups[] = {30, 30, 1, 1, 0, 1000000000, 0};
  DeviationsGroupMeansMV(in.rows(), in.cols(), in.p(), out.p(), groups);
  ExpectTable(out, {{-1}, {1}, {-1}, {1}, {49.5}, {0}, {-49.5}});
}

TEST(GowerStandardization, RowsAndColumnsReturnDivisor) {
  Table r{{3, 4}, {0, 0}};
  EXPECT_NEAR(GowerStandardizationRows(r.rows(), r.cols(), r.p()), 5.0, 1e-12);
  ExpectTable(r, {{0.6, 0.8}, {0, 0}});
  Table c{{3, -999}, {4, 0}, {0, 0}};
  // sum of squares 25 over nRows - 1 = 2
  double s = std::sqrt(12.5);
  EXPECT_NEAR(GowerStandardizationCols(c.rows(), c.cols(), c.p()), s, 1e-12);
  ExpectTable(c, {{3 / s, -999}, {4 / s, 0}, {0, 0}});
}

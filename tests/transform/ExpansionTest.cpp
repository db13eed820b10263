#include <cmath>
#include <vector>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

TEST(Binarize, OneBinaryColumnPerStateZeroLastOthersCopied) {
  Table d{{2, 5, 1}, {1, 6, 3}, {0, 7, 3}, {2, 8, 1}};
  bool nominal[] = {true, false, true};
  EXPECT_EQ(CountExpandedColumns(d.rows(), d.cols(), nominal, d.p()), 6);
  Table e(4, 6, -1.0);
  std::vector<int> s0(4), s1(4), s2(4);
  int* labels[] = {s0.data(), s1.data(), s2.data()};
  int nStates[3];
  int nExpanded = 0;
  EXPECT_TRUE(Binarize(d.rows(), d.cols(), nominal, d.p(), e.p(), &nExpanded, labels, nStates));
  EXPECT_EQ(nExpanded, 6);
  EXPECT_EQ(nStates[0], 3);
  EXPECT_EQ(nStates[1], 1);
  EXPECT_EQ(nStates[2], 2);
  EXPECT_EQ(s0[0], 1);
  EXPECT_EQ(s0[1], 2);
  EXPECT_EQ(s0[2], 0);
  EXPECT_EQ(s2[0], 1);
  EXPECT_EQ(s2[1], 3);
  ExpectTable(e, {{0, 1, 0, 5, 1, 0}, {1, 0, 0, 6, 0, 1}, {0, 0, 1, 7, 0, 1}, {0, 1, 0, 8, 1, 0}});
  ExpectTable(d, {{2, 5, 1}, {1, 6, 3}, {0, 7, 3}, {2, 8, 1}});
}

TEST(Binarize, CodesThatDoNotOccurGetNoColumn) {
  Table d{{7}, {3}, {7}};
  bool nominal[] = {true};
  Table e(3, 2);
  std::vector<int> s(3);
  int* labels[] = {s.data()};
  int nStates[1];
  int nExpanded = 0;
  Binarize(3, 1, nominal, d.p(), e.p(), &nExpanded, labels, nStates);
  EXPECT_EQ(nExpanded, 2);
  EXPECT_EQ(s[0], 3);
  EXPECT_EQ(s[1], 7);
  ExpectTable(e, {{0, 1}, {1, 0}, {0, 1}});
}

TEST(NominalCodes, NegativeMissingNonIntegerAndNaNRefused) {
  bool nominal[] = {false, true};
  int r = -1, c = -1;
  Table ok{{-5.5, 0}, {-999, 3}};
  EXPECT_TRUE(NominalCodesValid(2, 2, nominal, ok.p(), &r, &c));
  Table neg{{1, 2}, {1, -1}};
  EXPECT_FALSE(NominalCodesValid(2, 2, nominal, neg.p(), &r, &c));
  EXPECT_EQ(r, 1);
  EXPECT_EQ(c, 1);
  Table miss{{1, -999}, {1, 1}};
  EXPECT_FALSE(NominalCodesValid(2, 2, nominal, miss.p(), &r, &c));
  EXPECT_EQ(r, 0);
  Table frac{{1, 1}, {1, 2.5}};
  EXPECT_FALSE(NominalCodesValid(2, 2, nominal, frac.p(), &r, &c));
  Table nan{{1, std::nan("")}};
  EXPECT_FALSE(NominalCodesValid(1, 2, nominal, nan.p(), &r, &c));
}

TEST(ContingencyExpansion, OneRowPerUnitOfCountInRowOrder) {
  Table t{{2, 0}, {1, 3}};
  int r, c;
  EXPECT_TRUE(ContingencyCountsValid(2, 2, t.p(), &r, &c));
  ASSERT_EQ(ContingencyExpandedRows(2, 2, t.p()), 6);
  Table e(6, 2);
  EXPECT_EQ(ExpandContingencyTable(2, 2, t.p(), e.p()), 6);
  ExpectTable(e, {{1, 1}, {1, 1}, {2, 1}, {2, 2}, {2, 2}, {2, 2}});
}

TEST(ContingencyExpansion, NegativeMissingAndNonIntegerCountsRefused) {
  int r = -1, c = -1;
  Table frac{{2, 0.5}};
  EXPECT_FALSE(ContingencyCountsValid(1, 2, frac.p(), &r, &c));
  EXPECT_EQ(c, 1);
  Table neg{{2, 1}, {-1, 0}};
  EXPECT_FALSE(ContingencyCountsValid(2, 2, neg.p(), &r, &c));
  EXPECT_EQ(r, 1);
  EXPECT_EQ(c, 0);
  Table miss{{-999}};
  EXPECT_FALSE(ContingencyCountsValid(1, 1, miss.p(), &r, &c));
  Table huge{{2e9, 2e9}};
  EXPECT_FALSE(ContingencyCountsValid(1, 2, huge.p(), &r, &c));
}

TEST(ContingencyExpansion, RowsPerCellRoundUpPositiveCounts) {
  EXPECT_EQ(ContingencyCellRows(0.0), 0);
  EXPECT_EQ(ContingencyCellRows(-1.0), 0);
  EXPECT_EQ(ContingencyCellRows(0.5), 1);
  EXPECT_EQ(ContingencyCellRows(2.0), 2);
  EXPECT_EQ(ContingencyCellRows(2.2), 3);
}

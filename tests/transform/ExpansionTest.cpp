// Expansion of nominal variables into binary ones and of a contingency table
// into two nominal variables, and the checks that refuse bad codes or counts.
#include <cmath>
#include <vector>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

TEST(Binarize, OneBinaryColumnPerOccurringStateZeroLastOthersCopied) {
  // Column 0 holds codes 2, 1, 0: states 1, 2, 0. Column 2 holds 1 and 3 (no 2): states 1, 3.
  Table d({{2, 5, 1}, {1, 6, 3}, {0, 7, 3}, {2, 8, 1}});
  bool nominal[] = {true, false, true};
  EXPECT_EQ(CountExpandedColumns(4, 3, nominal, d.p()), 6);
  Table e(4, 6, -1.0);
  std::vector<int> s0(4), s1(4), s2(4);
  int* labels[] = {s0.data(), s1.data(), s2.data()};
  int nStates[3], nExpanded = 0;
  EXPECT_TRUE(Binarize(4, 3, nominal, d.p(), e.p(), &nExpanded, labels, nStates));
  EXPECT_EQ(nExpanded, 6);
  EXPECT_EQ(std::vector<int>(nStates, nStates + 3), (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(std::vector<int>(s0.begin(), s0.begin() + 3), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(std::vector<int>(s2.begin(), s2.begin() + 2), (std::vector<int>{1, 3}));
  ExpectTable(e, {{0, 1, 0, 5, 1, 0}, {1, 0, 0, 6, 0, 1}, {0, 0, 1, 7, 0, 1}, {0, 1, 0, 8, 1, 0}});
  ExpectTable(d, {{2, 5, 1}, {1, 6, 3}, {0, 7, 3}, {2, 8, 1}});
}

TEST(ExpansionInput, NominalCodesAndCountsMustBeNonNegativeIntegers) {
  bool nominal[] = {false, true};
  int r = -1, c = -1;
  Table ok({{-5.5, 0}, {-999, 3}});  // the first column is not nominal
  EXPECT_TRUE(NominalCodesValid(2, 2, nominal, ok.p(), &r, &c));
  for (double bad : {-1.0, -999.0, 2.5, std::nan("")}) {
    Table t({{1, 2}, {1, bad}});
    EXPECT_FALSE(NominalCodesValid(2, 2, nominal, t.p(), &r, &c)) << bad;
    EXPECT_EQ(r, 1);
    EXPECT_EQ(c, 1);
  }
  Table counts({{2, 0}, {1, 3}});
  EXPECT_TRUE(ContingencyCountsValid(2, 2, counts.p(), &r, &c));
  for (double bad : {0.5, -1.0, -999.0}) {
    Table t({{2, 1}, {bad, 0}});
    EXPECT_FALSE(ContingencyCountsValid(2, 2, t.p(), &r, &c)) << bad;
    EXPECT_EQ(r, 1);
    EXPECT_EQ(c, 0);
  }
  Table huge({{2e9, 2e9}});  // the total would not fit an int
  EXPECT_FALSE(ContingencyCountsValid(1, 2, huge.p(), &r, &c));
}

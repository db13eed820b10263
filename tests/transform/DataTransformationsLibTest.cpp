#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

TEST(DataTransformationsLib, ScalarThenVariablesThenUnits) {
  Table t{{2, 0}, {5, 3}};
  EXPECT_EQ(DataTransformationsLib(2, 2, t.p(), 1, 1, 4, 0, 0, 1, true, false), 1);
  // presence: (1 0)(1 1); column totals 2, 1: (.5 0)(.5 1); rows to unit length.
  double n = std::sqrt(1.25);
  ExpectTable(t, {{1, 0}, {0.5 / n, 1 / n}});
}

TEST(DataTransformationsLib, HellingerWithinUnitsWithMissing) {
  Table t{{1, 3, -999, 0}, {4, 0, 0, 0}};
  DataTransformationsLib(2, 4, t.p(), 0, 0, 10, 0, 0, 1, true, false);
  ExpectTable(t, {{0.5, std::sqrt(0.75), -999, 0}, {1, 0, 0, 0}});
}

TEST(DataTransformationsLib, CenteringThenNormalizationWithinVariables) {
  Table t{{1, 10}, {2, -999}, {3, 30}};
  DataTransformationsLib(3, 2, t.p(), 0, 5, 0, 0, 0, 1, true, false);
  double r = 1 / std::sqrt(2.0);
  ExpectTable(t, {{-r, -r}, {0, -999}, {r, r}});
}

TEST(DataTransformationsLib, ClassCountsPerDirection) {
  Table t{{0, 4}, {2, 0}, {4, 2}};
  DataTransformationsLib(3, 2, t.p(), 0, 8, 0, 2, 5, 1, true, false);
  ExpectTable(t, {{1, 2}, {1, 1}, {2, 1}});
  Table u{{0, 1, 2, 3, 4}};
  DataTransformationsLib(1, 5, u.p(), 0, 0, 8, 2, 4, 1, true, false);
  ExpectTable(u, {{1, 1, 2, 3, 4}});
}

TEST(DataTransformationsLib, RanksAndRangeInBothDirections) {
  Table t{{2, 4, 6}};
  DataTransformationsLib(1, 3, t.p(), 0, 0, 7, 0, 0, 1, true, false);
  ExpectTable(t, {{0.5, 1, 1.5}});
  Table c{{2}, {4}, {6}};
  DataTransformationsLib(3, 1, c.p(), 0, 7, 0, 0, 0, 1, true, false);
  ExpectTable(c, {{0}, {0.5}, {1}});
  Table r{{5, 2, 2, -999, 7}};
  DataTransformationsLib(1, 5, r.p(), 0, 0, 9, 0, 0, 1, true, false);
  ExpectTable(r, {{3, 1.5, 1.5, -999, 4}});
}

TEST(DataTransformationsLib, DoubleAdjustmentAndBealsAsOtherTransformations) {
  Table t{{1, 3}, {3, 1}};
  DataTransformationsLib(2, 2, t.p(), 0, 0, 6, 0, 0, 1, true, false);
  ExpectTable(t, {{-0.25, 0.25}, {0.25, -0.25}});
  Table b{{1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {0, 0, 1}};
  DataTransformationsLib(4, 3, b.p(), 0, 0, 11, 0, 0, 0, true, false);
  EXPECT_NEAR(b(0, 2), 5.0 / 12, 1e-12);
  EXPECT_NEAR(b(3, 0), 0.5, 1e-12);
}

TEST(DataTransformationsLib, GroupMeansOnlyWithGroups) {
  Table t{{1}, {3}, {10}, {20}};
  int groups[] = {1, 1, 2, 2};
  DataTransformationsLib(4, 1, t.p(), 0, 12, 0, 0, 0, 1, true, false, groups);
  ExpectTable(t, {{-1}, {1}, {-5}, {5}});
  Table u{{1}, {3}};
  DataTransformationsLib(2, 1, u.p(), 0, 12, 0, 0, 0, 1, true, false);
  ExpectTable(u, {{1}, {3}});
}

TEST(DataTransformationsLib, OptionsOutsideTheirDirectionChangeNothing) {
  for (int optVar : {6, 11, 13, -1}) {
    Table t{{1, 3}, {3, 1}};
    DataTransformationsLib(2, 2, t.p(), 4, optVar, 12, 0, 0, 1, true, false);
    ExpectTable(t, {{1, 3}, {3, 1}});
  }
  Table e{{1, 3}, {3, 1}};
  DataTransformationsLib(2, 2, e.p(), 5, 0, 0, 0, 0, 1, true, false);
  ExpectTable(e, {{1, 3}, {3, 1}});
}

TEST(DataTransformationsLib_D, DoubleAdjustmentWithinVariablesAndNoBeals) {
  Table t{{1, 3}, {3, 1}};
  DataTransformationsLib_D(2, 2, t.p(), 0, 6, 0, 0, 0);
  ExpectTable(t, {{-0.25, 0.25}, {0.25, -0.25}});
  Table b{{1, 0}, {0, 1}};
  DataTransformationsLib_D(2, 2, b.p(), 0, 0, 11, 0, 0);
  ExpectTable(b, {{1, 0}, {0, 1}});
  Table s{{9, 0}, {0, 99}};
  DataTransformationsLib_D(2, 2, s.p(), 3, 1, 0, 0, 0);
  ExpectTable(s, {{1, 0}, {0, 1}});
}

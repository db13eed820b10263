// Expected values from the Beals formula b_ik = (1/S_i) sum_{j present in i} N_jk / N_j
// (with the target: S_i species in unit i) and, without the target,
// b_ik = (1/(S_i - I_ik)) sum_{j present, j != k} N_jk / N_j.
#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

namespace {
// Occurrences: species 0 in units 0,1,2; species 1 in 0,1; species 2 in 1,3.
// N = (3, 2, 2); joint N01 = 2, N02 = 1, N12 = 1.
Table Example() { return Table{{1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {0, 0, 1}}; }
}  // namespace

TEST(ConditionalProb, JointOccurrencesOverOccurrencesOfRowVariable) {
  Table x = Example();
  Table m(3, 3);
  ConditionalProb(x.rows(), x.cols(), x.p(), m.p(), 0, false);
  ExpectTable(m, {{1, 2.0 / 3, 1.0 / 3}, {1, 1, 0.5}, {0.5, 0.5, 1}});
}

TEST(ConditionalProb, NormalizedRowsSumToOne) {
  Table x = Example();
  Table m(3, 3);
  ConditionalProb(x.rows(), x.cols(), x.p(), m.p(), 0, true);
  ExpectTable(m, {{0.5, 1.0 / 3, 1.0 / 6}, {0.4, 0.4, 0.2}, {0.25, 0.25, 0.5}});
}

TEST(ConditionalProb, QuantitiesOfRowVariableWhereColumnVariableOccurs) {
  Table x{{2, 1}, {0, 3}, {4, 0}};
  Table m(2, 2);
  ConditionalProb(x.rows(), x.cols(), x.p(), m.p(), 1, false);
  // quantity of 0 where 1 occurs: 2 of 6; of 1 where 0 occurs: 1 of 4.
  ExpectTable(m, {{1, 1.0 / 3}, {0.25, 1}});
  Table m2(2, 2);
  ConditionalProb(x.rows(), x.cols(), x.p(), m2.p(), 2, false);
  ExpectTable(m2, {{20, 2}, {2, 10}});
}

TEST(ConditionalProb, PairsWithMissingValueAreLeftOut) {
  Table x{{1, -999}, {1, 1}, {0, 1}};
  Table m(2, 2);
  ConditionalProb(x.rows(), x.cols(), x.p(), m.p(), 0, false);
  // N0 = 2 (units 0, 1), joint = 1 (unit 1); N1 = 2 (units 1, 2).
  ExpectTable(m, {{1, 0.5}, {0.5, 1}});
}

TEST(BealsSmoothing, TargetIncluded) {
  Table x = Example();
  Table m(3, 3);
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), x.p(), false, 0, m.p(), true, 0, false);
  ExpectTable(x, {{1, 5.0 / 6, 5.0 / 12},
                  {5.0 / 6, 13.0 / 18, 11.0 / 18},
                  {1, 2.0 / 3, 1.0 / 3},
                  {0.5, 0.5, 1}});
  ExpectTable(m, {{1, 2.0 / 3, 1.0 / 3}, {1, 1, 0.5}, {0.5, 0.5, 1}});
}

TEST(BealsSmoothing, TargetExcludedFollowsDeCaceresLegendre) {
  Table x = Example();
  Table out(4, 3);
  Table m(3, 3);
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), out.p(), false, 0, m.p(), false, 0, false);
  ExpectTable(out, {{1, 2.0 / 3, 5.0 / 12},
                    {0.75, 7.0 / 12, 5.0 / 12},
                    {0, 2.0 / 3, 1.0 / 3},  // unit holding only the target: nothing to predict from
                    {0.5, 0.5, 0}});
  ExpectTable(m, {{0, 2.0 / 3, 1.0 / 3}, {1, 0, 0.5}, {0.5, 0.5, 0}});
  ExpectTable(x, {{1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {0, 0, 1}});
}

TEST(BealsSmoothing, QuantitiesWeightRowProportions) {
  Table x{{2, 1}, {0, 3}, {4, 0}};
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), x.p(), false, 0, nullptr, true, 1, false);
  // P = (2/3, 1/3), (0, 1), (1, 0); M = [[1, 1/3], [1/4, 1]]
  ExpectTable(x, {{2.0 / 3 + 1.0 / 12, 2.0 / 9 + 1.0 / 3}, {0.25, 1}, {1, 1.0 / 3}});
}

TEST(BealsSmoothing, MissingCellStaysMissingAndAllMissingRowToo) {
  Table x{{1, 1, -999}, {1, 0, 1}, {-999, -999, -999}, {0, 1, 1}};
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), x.p(), false, 0, nullptr, true, 0, false);
  EXPECT_EQ(x(0, 2), -999.0);
  for (int j = 0; j < 3; j++) EXPECT_EQ(x(2, j), -999.0);
  // Unit 1: P = (1/2, 0, 1/2). N0 = 2 (units 0,1), N2 = 2 (units 1,3);
  // M row 0 = (1, 1/2, 1/2), row 2 = (1/2, 1/2, 1)
  EXPECT_NEAR(x(1, 0), 0.75, 1e-12);
  EXPECT_NEAR(x(1, 1), 0.5, 1e-12);
  EXPECT_NEAR(x(1, 2), 0.75, 1e-12);
}

TEST(BealsSmoothing, TargetColumnOnlyWithGivenMatrix) {
  Table x = Example();
  Table out(4, 3, 42.0);
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), out.p(), true, 1, nullptr, false, 0, false);
  ExpectTable(out, {{42, 2.0 / 3, 42}, {42, 7.0 / 12, 42}, {42, 2.0 / 3, 42}, {42, 0.5, 42}});
}

TEST(BealsSmoothing, NormalizedWithoutTargetRowsRescaledAfterDroppingDiagonal) {
  Table x = Example();
  Table out(4, 3);
  Table m(3, 3);
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), out.p(), false, 0, m.p(), false, 0, true);
  // Off-diagonal N_jk / N_j of each row brought to unit sum.
  ExpectTable(m, {{0, 2.0 / 3, 1.0 / 3}, {2.0 / 3, 0, 1.0 / 3}, {0.5, 0.5, 0}});
  // Unit 0: P = (1/2, 1/2, 0); P.M = (1/3, 1/3, 1/3), then / (1 - p).
  EXPECT_NEAR(out(0, 0), 2.0 / 3, 1e-12);
  EXPECT_NEAR(out(0, 1), 2.0 / 3, 1e-12);
  EXPECT_NEAR(out(0, 2), 1.0 / 3, 1e-12);
}

TEST(BealsSmoothing, UnknownTypeLeavesRowProportions) {
  Table x{{1, 3}, {2, 2}};
  BealsSmoothing(x.rows(), x.cols(), x.p(), x.p(), x.p(), false, 0, nullptr, true, 7, false);
  ExpectTable(x, {{0.25, 0.75}, {0.5, 0.5}});
}

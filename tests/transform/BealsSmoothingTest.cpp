// Expected values from the Beals formula b_ik = (1/S_i) sum_{j present in i} N_jk / N_j
// (S_i species in unit i) and, without the target (De Caceres & Legendre 2008),
// b_ik = (1/(S_i - I_ik)) sum_{j present, j != k} N_jk / N_j.
#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

namespace {
// Species 0 in units 0,1,2; species 1 in 0,1; species 2 in 1,3.
// N = (3, 2, 2); joint N01 = 2, N02 = 1, N12 = 1.
const Cells kExample = {{1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {0, 0, 1}};
const Cells kNjkOverNj = {{1, 2. / 3, 1. / 3}, {1, 1, .5}, {.5, .5, 1}};
}  // namespace

TEST(ConditionalProb, EachTypeAndNormalization) {
  Table x(kExample), m(3, 3);
  ConditionalProb(4, 3, x.p(), m.p(), 0, false);
  ExpectTable(m, kNjkOverNj);
  ConditionalProb(4, 3, x.p(), m.p(), 0, true);
  ExpectTable(m, {{.5, 1. / 3, 1. / 6}, {.4, .4, .2}, {.25, .25, .5}});
  // Quantity of 0 where 1 occurs: 2 of 6; of 1 where 0 occurs: 1 of 4.
  Table q({{2, 1}, {0, 3}, {4, 0}}), mq(2, 2);
  ConditionalProb(3, 2, q.p(), mq.p(), 1, false);
  ExpectTable(mq, {{1, 1. / 3}, {.25, 1}});
  ConditionalProb(3, 2, q.p(), mq.p(), 2, false);
  ExpectTable(mq, {{20, 2}, {2, 10}});
  // Pairs with a missing value are left out: N0 = 2, joint = 1 (unit 1), N1 = 2.
  Table miss({{1, -999}, {1, 1}, {0, 1}}), mm(2, 2);
  ConditionalProb(3, 2, miss.p(), mm.p(), 0, false);
  ExpectTable(mm, {{1, .5}, {.5, 1}});
}

TEST(BealsSmoothing, TargetIncludedOrExcluded) {
  Table x(kExample), m(3, 3);
  BealsSmoothing(4, 3, x.p(), x.p(), x.p(), false, 0, m.p(), true, 0, false);
  ExpectTable(x, {{1, 5. / 6, 5. / 12}, {5. / 6, 13. / 18, 11. / 18}, {1, 2. / 3, 1. / 3}, {.5, .5, 1}});
  ExpectTable(m, kNjkOverNj);

  Table y(kExample), out(4, 3);
  BealsSmoothing(4, 3, y.p(), y.p(), out.p(), false, 0, m.p(), false, 0, false);
  // Unit 2 holds only species 0: nothing predicts it, and it gets 0.
  ExpectTable(out, {{1, 2. / 3, 5. / 12}, {.75, 7. / 12, 5. / 12}, {0, 2. / 3, 1. / 3}, {.5, .5, 0}});
  ExpectTable(m, {{0, 2. / 3, 1. / 3}, {1, 0, .5}, {.5, .5, 0}});
  ExpectTable(y, kExample);
}

TEST(BealsSmoothing, NormalizedWithoutTargetRowsRescaledAfterDroppingDiagonal) {
  Table x(kExample), out(4, 3), m(3, 3);
  BealsSmoothing(4, 3, x.p(), x.p(), out.p(), false, 0, m.p(), false, 0, true);
  ExpectTable(m, {{0, 2. / 3, 1. / 3}, {2. / 3, 0, 1. / 3}, {.5, .5, 0}});
  // Unit 0: P = (1/2, 1/2, 0); P.M = (1/3, 1/3, 1/3), then / (1 - p).
  ExpectTable(out, {{2. / 3, 2. / 3, 1. / 3}});
}

TEST(BealsSmoothing, QuantitiesWeightRowProportions) {
  Table x({{2, 1}, {0, 3}, {4, 0}});
  BealsSmoothing(3, 2, x.p(), x.p(), x.p(), false, 0, nullptr, true, 1, false);
  // P = (2/3, 1/3), (0, 1), (1, 0); M = [[1, 1/3], [1/4, 1]].
  ExpectTable(x, {{2. / 3 + 1. / 12, 2. / 9 + 1. / 3}, {.25, 1}, {1, 1. / 3}});
  Table u({{1, 3}, {2, 2}});  // an unknown type leaves the row proportions
  BealsSmoothing(2, 2, u.p(), u.p(), u.p(), false, 0, nullptr, true, 7, false);
  ExpectTable(u, {{.25, .75}, {.5, .5}});
}

TEST(BealsSmoothing, MissingCellsStayMissing) {
  Table x({{1, 1, -999}, {1, 0, 1}, {-999, -999, -999}, {0, 1, 1}});
  BealsSmoothing(4, 3, x.p(), x.p(), x.p(), false, 0, nullptr, true, 0, false);
  // N = (2, 2, 2) over the non-missing cells; joint N01 = 1, N02 = 1, N12 = 1, so
  // M = 1 on the diagonal and 1/2 elsewhere. Unit 0: P = (1/2, 1/2, missing);
  // unit 1: P = (1/2, 0, 1/2).
  ExpectTable(x, {{.75, .75, -999}, {.75, .5, .75}, {-999, -999, -999}});
}

TEST(BealsSmoothing, TargetColumnOnlyWithGivenMatrix) {
  Table x(kExample), out(4, 3, 42.0);
  BealsSmoothing(4, 3, x.p(), x.p(), out.p(), true, 1, nullptr, false, 0, false);
  ExpectTable(out, {{42, 2. / 3, 42}, {42, 7. / 12, 42}, {42, 2. / 3, 42}, {42, .5, 42}});
}

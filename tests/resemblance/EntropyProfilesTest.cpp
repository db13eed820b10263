// Renyi entropies of frequency vectors, their Shannon code lengths and the
// entropies of the margins of a table, against hand values.
#include <gtest/gtest.h>

#include <cmath>

#include "resemblance/EntropyProfiles.h"

namespace {

TEST(EntropyVectorCodeLength, RenyiOrdersZeroHalfOneTwo) {
  // Frequencies 1 1 2 (and a zero, a missing cell): p = 1/4 1/4 1/2.
  const double x[] = {1, 0, 1, -999, 2};
  struct Case {
    double alpha, entropy;
  };
  const Case cases[] = {
      {0.0, 1.0986122886681098},  // ln 3: the number of states
      {0.5, 1.0695999934791407},  // 2 ln(1/2 + 1/2 + sqrt(1/2))
      {1.0, 1.0397207708399179},  // 1.5 ln 2
      {2.0, 0.9808292530117262},  // -ln(1/16 + 1/16 + 1/4)
  };
  for (const Case& c : cases) {
    double lengths[5] = {7, 7, 7, 7, 7};
    EXPECT_NEAR(EntropyVectorCodeLength(5, x, c.alpha, lengths), c.entropy, 1e-15) << c.alpha;
    if (c.alpha == 1.0) {
      // -ln p of the positive values; the others as they were.
      EXPECT_NEAR(lengths[0], std::log(4.0), 1e-15);
      EXPECT_NEAR(lengths[2], std::log(4.0), 1e-15);
      EXPECT_NEAR(lengths[4], std::log(2.0), 1e-15);
      EXPECT_EQ(lengths[1], 7.0);
      EXPECT_EQ(lengths[3], 7.0);
    } else {
      for (double v : lengths) EXPECT_EQ(v, 7.0);
    }
  }
  // Four equal cells: 2 bits at every order.
  const double four[] = {5, 5, 5, 5};
  for (double alpha : {0.0, 0.5, 1.0, 3.0}) EXPECT_NEAR(EntropyVectorCodeLength(4, four, alpha, nullptr) / std::log(2.0), 2.0, 1e-15);
  // Nothing positive: 0.
  const double none[] = {0, -999};
  EXPECT_EQ(EntropyVectorCodeLength(2, none, 1.0, nullptr), 0.0);
}

TEST(EntropyMargins, RowAndColumnTotals) {
  // Rows total 2 and 6 (p = 1/4, 3/4); columns 1 1 6 (missing counts 0).
  const double r0[] = {1, 1, 0}, r1[] = {0, -999, 6};
  const double* table[] = {r0, r1};
  const double h = -(0.25 * std::log(0.25) + 0.75 * std::log(0.75));
  EXPECT_NEAR(EntropyRows(2, 3, table, 1.0), h, 1e-15);
  EXPECT_NEAR(EntropyRows(2, 3, table, 2.0), -std::log(0.0625 + 0.5625), 1e-15);
  const double pc[] = {1.0 / 8, 1.0 / 8, 6.0 / 8};
  double hc = 0;
  for (double p : pc) hc -= p * std::log(p);
  EXPECT_NEAR(EntropyCols(2, 3, table, 1.0), hc, 1e-15);
  EXPECT_NEAR(EntropyCols(2, 3, table, 0.0), std::log(3.0), 1e-15);
}

}  // namespace

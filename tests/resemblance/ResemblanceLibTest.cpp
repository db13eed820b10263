// The dispatcher: direction, measure numbers, post-transformations, mirroring,
// undefined values and refusals, and the triplets.
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "resemblance/ResemblanceLib.h"

namespace {

// Rows (1,2,3), (4,6,8), (3,2,1), (1,3,2) of three attributes.
struct Small : Table {
  Small() : Table{{1, 2, 3}, {4, 6, 8}, {3, 2, 1}, {1, 3, 2}} {}
};

double Lib(Table& t, int dir, int measure, int post, int i, int j, int* types = nullptr, int cda = 0,
           double k = 0.0) {
  const int n = dir == 1 ? t.n() : t.m();
  Square r(n);
  EXPECT_EQ(ResemblanceLib(t.n(), t.m(), *t, *r, dir, measure, post, types, 1.0, k, cda), 1);
  for (int a = 0; a < n; a++)
    for (int b = 0; b < a; b++) {
      if (!std::isnan(r[a][b])) {
        EXPECT_EQ(r[a][b], r[b][a]) << measure;
      }
    }
  return r[i][j];
}

TEST(ResemblanceLib, DirectionsMeasuresAndPostTransformations) {
  Small t;
  EXPECT_DOUBLE_EQ(Lib(t, 1, 3, 0, 1, 0), std::sqrt(50.0));
  EXPECT_NEAR(Lib(t, 1, 3, 1, 0, 1), 50.0, 1e-12);
  EXPECT_NEAR(Lib(t, 1, 3, 2, 0, 1), std::pow(50.0, 0.25), 1e-12);
  EXPECT_TRUE(std::isnan(Lib(t, 1, 17, 2, 0, 2)));  // square root of a negative correlation
  EXPECT_NEAR(Lib(t, 1, 17, 2, 0, 3), std::sqrt(0.5), 1e-14);
  // Variables (1,4,3,1), (2,6,2,3), (3,8,1,2) compared over the units.
  EXPECT_DOUBLE_EQ(Lib(t, 2, 3, 0, 0, 2), 5.0);
  const double sxy = 1.5625 + 4.8125 - 0.9375 + 0.3125;
  const double sxx = 1.5625 + 3.0625 + 0.5625 + 1.5625, syy = 1.5625 + 7.5625 + 1.5625 + 0.0625;
  EXPECT_NEAR(Lib(t, 2, 17, 0, 1, 0), sxy / std::sqrt(sxx * syy), 1e-14);
  EXPECT_EQ(t[1][2], 8.0);  // the data stay as they were
  EXPECT_EQ(t[3][0], 1.0);
  // Measure 21, the second eigenvalue: 1 - |correlation|.
  EXPECT_NEAR(Lib(t, 1, 21, 0, 0, 1), 0.0, 1e-14);
  EXPECT_NEAR(Lib(t, 1, 21, 0, 0, 2), 0.0, 1e-14);
  EXPECT_NEAR(Lib(t, 1, 21, 0, 3, 0), 0.5, 1e-14);
  EXPECT_EQ(Lib(t, 1, 21, 0, 2, 2), 0.0);
}

TEST(ResemblanceLib, EveryMeasureNumberReachesItsRoutine) {
  Table q{{1, 1, 2, 2}, {1, 1, 2, 2}, {1, 2, 1, 2}};
  EXPECT_NEAR(Lib(q, 1, 8, 0, 0, 1), 0.0, 1e-7);  // Rajski's metric from the coherence
  EXPECT_NEAR(Lib(q, 1, 8, 0, 0, 2), 1.0, 1e-14);
  EXPECT_NEAR(Lib(q, 1, 9, 0, 0, 1), 1.0, 1e-14);
  EXPECT_NEAR(Lib(q, 1, 7, 0, 1, 0), std::log(2.0), 1e-14);
  EXPECT_NEAR(Lib(q, 1, 6, 0, 0, 1), 8.0 * std::log(2.0), 1e-13);
  EXPECT_NEAR(Lib(q, 1, 10, 0, 0, 1), 4.0, 1e-13);
  // Binary rows: a, b, c, d of rows 1 and 2 are 2, 1, 0, 1.
  Table t{{1, 1, 0, 1}, {1, 0, 0, 1}, {0, 1, 1, 0}};
  int types[4] = {1, 1, 1, 1};
  const struct {
    int measure;
    double value;
  } expect[] = {{1, 2.0}, {2, 1.0}, {11, 2.0 / 3}, {12, 3.0 / 4}, {13, 2.0 / 4}, {14, 2.0 / std::sqrt(6.0)},
                {15, 4.0 / 5}, {16, 4.0 / 12}, {20, 1.0 / 5}, {23, 1.0 / 3}, {24, 0.0}, {25, 1.0 / 3},
                {26, 1.0 / 5}, {27, 0.0}, {28, 1.0 / 5}, {4, 2 * std::log(5.0 / 6) + std::log(5.0 / 3) + 2 * std::log(5.0 / 4)},
                {18, std::sqrt(2 - 4 / std::sqrt(6.0))}, {22, 1.0 / 6}};
  for (const auto& e : expect) EXPECT_NEAR(Lib(t, 1, e.measure, 0, 0, 1, types), e.value, 1e-14) << e.measure;
  EXPECT_DOUBLE_EQ(Lib(t, 1, 5, 0, 0, 1, types, 1), 3.0 / 4.0);
  EXPECT_DOUBLE_EQ(Lib(t, 1, 5, 0, 0, 1, types, 0), 2.0 / 3.0);
  // Legendre & Chodorowski, k = 0: equal positive values score 1.
  EXPECT_DOUBLE_EQ(Lib(t, 1, 19, 0, 0, 1, types), static_cast<float>(2.0 / 3.0));
}

// Two entities with no attribute present in both have no resemblance: every
// measure gives the pair the missing code (Euclidean distance and percentage
// difference gave 0, as if the two were identical), whatever transformation
// of the values follows, in both directions of comparison.
TEST(ResemblanceLib, PairsWithoutCommonAttributesAreUndefined) {
  // Unit 2 shares no attribute with unit 0 (and unit 3 is all missing);
  // units 0 and 1 share attributes 0 and 1.
  Table t{{1, 0, 1, MV, 1}, {1, 1, MV, MV, 0}, {MV, MV, MV, 1, MV}, {MV, MV, MV, MV, MV},
          {0, 1, 1, 1, 1},  {1, 1, 0, 0, 1}};
  int types[5] = {3, 3, 3, 3, 3};
  for (int measure = 1; measure <= 29; measure++) {
    if (measure == 29) continue;  // its covariance matrix is refused first (see below)
    for (int post = 0; post <= 2; post++) {
      Square r(6);
      ASSERT_EQ(ResemblanceLib(6, 5, *t, *r, 1, measure, post, types, 1.0, 1.0, 0), 1) << measure;
      EXPECT_EQ(r[0][2], MV) << measure << " post " << post;
      EXPECT_EQ(r[2][0], MV) << measure << " post " << post;
      for (int j = 0; j < 6; j++) {
        if (j != 3) {
          EXPECT_EQ(r[3][j], MV) << measure << " unit 3 with " << j;
        }
      }
      EXPECT_NE(r[0][1], MV) << measure;
      EXPECT_NE(r[4][5], MV) << measure;
    }
  }
  // The turnover measures' own undefined values stay undefined under the
  // transformations of the values (squared, -999 became 998001).
  Table empty{{1, 0, 1}, {0, 0, 0}, {1, 1, 0}};
  for (int post = 1; post <= 2; post++) {
    Square r(3);
    ASSERT_EQ(ResemblanceLib(3, 3, *empty, *r, 1, 24, post, nullptr, 1.0, 0.0, 0), 1);
    EXPECT_EQ(r[0][1], MV) << post;
    EXPECT_EQ(r[2][1], MV) << post;
  }
  // Compared as variables: pairs sharing one unit are defined, a pair
  // sharing none is not.
  Table v{{1, 2, MV}, {MV, 1, 1}, {3, MV, 4}, {MV, 5, 2}};
  Square r(3);
  ASSERT_EQ(ResemblanceLib(4, 3, *v, *r, 2, 3, 0, nullptr, 1.0, 0.0, 0), 1);
  EXPECT_EQ(r[0][1], std::sqrt(1.0));
  EXPECT_NE(r[1][2], MV);
  Table w{{1, MV}, {MV, 2}, {3, MV}};
  Square q(2);
  ASSERT_EQ(ResemblanceLib(3, 2, *w, *q, 2, 20, 0, nullptr, 1.0, 0.0, 0), 1);
  EXPECT_EQ(q[0][1], MV);
  EXPECT_EQ(q[1][0], MV);
}

// Measures that are undefined for a table refuse it and say why.
TEST(ResemblanceLib, UndefinedMeasuresRefused) {
  ResemblanceRefusal why;
  Square r(3);
  // Mutual information compares frequency profiles: the logarithms of
  // negative values gave negative "information".
  Table negative{{1, 2, 3}, {4, MV, -5}, {-1, 0, 2}};
  EXPECT_EQ(ResemblanceLib(3, 3, *negative, *r, 1, 4, 0, nullptr, 1.0, 0.0, 0, &why), 0);
  EXPECT_EQ(why.problem, ResemblanceRefusal::NEGATIVE_VALUE);
  EXPECT_EQ(why.cell.row, 1);
  EXPECT_EQ(why.cell.col, 2);
  EXPECT_EQ(why.cell.value, -5.0);
  EXPECT_EQ(ResemblanceLib(3, 3, *negative, *r, 2, 4, 0, nullptr, 1.0, 0.0, 0, &why), 0);
  EXPECT_EQ(why.cell.row, 1) << "cells are named in the data, whatever the direction";
  EXPECT_EQ(why.cell.col, 2);
  // Mahalanobis with a singular covariance matrix (each defect, compared as
  // units: QuantitativeMeasuresTest and ResemblanceRefusalE2E).
  Table collinear{{1, 2}, {2, 4}, {3, 6}, {5, 10}};
  // Compared as variables, the units are the attributes: two variables over
  // four units are too few.
  EXPECT_EQ(ResemblanceLib(4, 2, *collinear, *r, 2, 29, 0, nullptr, 1.0, 0.0, 0, &why), 0);
  EXPECT_EQ(why.problem, ResemblanceRefusal::TOO_FEW_ENTITIES);
  EXPECT_EQ(why.entities, 2);
  EXPECT_EQ(why.attributes, 4);
}

// Variables x, y and not (x and y), each cell 1/4: expected values q of 1/3,
// 1/6, 1/6, 1/4, so sum p ln(p/q) = ln(27/16) / 4. Only measure 7 is served.
// (The files "Tables.txt" and "Tables3D.txt": ResemblanceE2E.)
TEST(ResemblanceLib, MutualEntropyOfTripletsOfVariables) {
  Table v{{0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  EXPECT_EQ(ResemblanceLibTriplets(4, 3, *v, r3, 2, 9, nullptr, 1.0), 0);
  EXPECT_EQ(ResemblanceLibTriplets(4, 3, *v, r3, 2, 7, nullptr, 1.0), 1);
  EXPECT_NEAR(r3[2][0][1], std::log(27.0 / 16.0) / 4.0, 1e-14);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
}

}  // namespace

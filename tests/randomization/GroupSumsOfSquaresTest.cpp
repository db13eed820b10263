// Group sums of squares from dissimilarities checked against hand-worked
// values and against centroid sums of squares computed from coordinates;
// MRPP from its definition; residual vectors.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "RandomTestSupport.h"
#include "randomization/GroupSumsOfSquares.h"

namespace {

using rtest::Distances;

TEST(GroupSumsOfSquares, FourPointsOnALine) {
  Matrix d = Distances({{0}, {1}, {10}, {11}});
  EXPECT_DOUBLE_EQ(SumSqDissim(4, d.data(), false), 101.0);
  // Members {0, 1}, {10, 11}, none, a single one.
  const std::vector<int> members[] = {{1, 1, 0, 0}, {0, 0, 1, 1}, {0, 0, 0, 0}, {0, 0, 1, 0}};
  const double within[] = {0.5, 0.5, 0.0, 0.0};
  for (int k = 0; k < 4; k++) EXPECT_DOUBLE_EQ(WithinGrSqDissim(4, d.data(), members[k].data(), false), within[k]);
  // Squared values given as they are.
  Matrix d2({{0, 1, 100, 121}, {1, 0, 81, 100}, {100, 81, 0, 1}, {121, 100, 1, 0}});
  EXPECT_DOUBLE_EQ(SumSqDissim(4, d2.data(), true), 101.0);
  // Through the evaluator: groupings of every kind.
  PairTable table(4, d.data(), true);
  GroupingEvaluator e(table);
  const int identity[4] = {1, 2, 3, 4}, swapped[4] = {1, 3, 2, 4};
  const struct {
    std::vector<int> labels;
    double within;
  } cases[] = {{{5, 5, 9, 9}, 1.0}, {{1, 2, 3, 4}, 0.0}, {{7, 7, 7, 7}, 101.0}};  // Qb 100, Qt (singletons), 0
  const Grouping all = Grouping::FromLabels(4, std::vector<int>{0, 0, 0, 0}.data());
  EXPECT_DOUBLE_EQ(e.TotalSum(all) / 4, 101.0);
  for (const auto& c : cases) {
    Grouping g = Grouping::FromLabels(4, c.labels.data());
    EXPECT_NEAR(e.PooledWithinQ(g, identity), c.within, 1e-12);
  }
  // Units 2 and 3 exchanged: groups {0,10} and {1,11}: 50 + 50.
  Grouping halves = Grouping::FromLabels(4, std::vector<int>{1, 1, 2, 2}.data());
  EXPECT_DOUBLE_EQ(e.PooledWithinQ(halves, swapped), 100.0);
  // Only some positions taking part: units 1, 2, 4 in groups {1,2} {4}.
  const bool take[4] = {true, true, false, true};
  Grouping part = Grouping::FromLabels(4, std::vector<int>{1, 1, 0, 2}.data(), take);
  EXPECT_EQ(part.members, 3);
  EXPECT_DOUBLE_EQ(e.PooledWithinQ(part, identity), 0.5);
  EXPECT_DOUBLE_EQ(e.TotalSum(part), 1 + 121 + 100);
}

TEST(GroupSumsOfSquares, EqualsCentroidSumsOfSquares) {
  const int n = 23;
  const Matrix x = rtest::Normal(n, 3, 5);
  std::vector<int> labels(n), list(n), memb(n);
  for (int i = 0; i < n; i++) labels[i] = (i * 7) % 4 + 10, memb[i] = labels[i] == 11;
  Matrix d = Distances(x);
  std::iota(list.begin(), list.end(), 1);
  std::mt19937 gen(5);
  std::shuffle(list.begin(), list.end(), gen);
  // Permuted data: unit list[i] takes position i (and so the label of i).
  Matrix permuted(n, 3);
  for (int i = 0; i < n; i++) std::copy(x[list[i] - 1], x[list[i] - 1] + 3, permuted[i]);
  PairTable table(n, d.data(), true);
  GroupingEvaluator e(table);
  Grouping g = Grouping::FromLabels(n, labels.data());
  const double qt = e.TotalSum(g) / n;
  EXPECT_NEAR(qt, rtest::CentroidSS(x, rtest::All), 1e-10);
  EXPECT_NEAR(qt - e.PooledWithinQ(g, list.data()), rtest::BetweenSS(permuted, labels), 1e-10);
  // The membership form gives the same Q as the centroid form.
  EXPECT_NEAR(WithinGrSqDissim(n, d.data(), memb.data(), false),
              rtest::CentroidSS(x, [&](size_t i) { return labels[i] == 11; }), 1e-10);
}

TEST(GroupSumsOfSquares, PairwiseBetweenGroups) {
  Matrix d = Distances({{0}, {1}, {10}, {11}, {20}, {22}});
  const int memb[6] = {1, 1, 2, 2, 3, 3};
  Matrix qp{{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}};
  BetweenGrSSPairwise(6, d.data(), qp.data(), memb, 3, false);
  EXPECT_TRUE(qp[0][0] == 0.5 && qp[1][1] == 0.5 && qp[2][2] == 2.0) << qp[0][0] << " " << qp[1][1] << " " << qp[2][2];
  EXPECT_NEAR(qp[0][1], 100.0, 1e-12);  // centroids 0.5 and 10.5, two units each: 4 x 25
  EXPECT_NEAR(qp[1][2], 4 * 5.25 * 5.25, 1e-12);
  EXPECT_NEAR(qp[0][2], 4 * 10.25 * 10.25, 1e-12);
  EXPECT_EQ(qp[1][0], -1);  // lower triangle untouched
}

TEST(GroupSumsOfSquares, MrppFromItsDefinition) {
  // Points 0, 1, 3 (group 1) and 10, 14 (group 2) and 30 (group 3, alone).
  Matrix d = Distances({{0}, {1}, {3}, {10}, {14}, {30}});
  const int memb[6] = {1, 1, 1, 2, 2, 3};
  // Group 1: mean of 1, 3, 2 = 2, weight 3/6; group 2: 4, weight 2/6; group 3: none.
  EXPECT_NEAR(MRPP(6, 3, memb, d.data(), false, false), 0.5 * 2 + 4.0 / 3, 1e-12);
  // v = 2: mean squared 14/3 weighted (3-1)/(6-3); 16 weighted 1/3.
  EXPECT_NEAR(MRPP(6, 3, memb, d.data(), false, true), 14.0 / 3 * 2 / 3 + 16.0 / 3, 1e-12);
  // A matrix of squared values: square roots for v = 1.
  Matrix sq({{0, 1, 9, 100, 196, 900}, {1, 0, 4, 81, 169, 841}, {9, 4, 0, 49, 121, 729},
             {100, 81, 49, 0, 16, 400}, {196, 169, 121, 16, 0, 256}, {900, 841, 729, 400, 256, 0}});
  EXPECT_NEAR(MRPP(6, 3, memb, sq.data(), true, false), 0.5 * 2 + 4.0 / 3, 1e-12);
}

TEST(GroupSumsOfSquares, ResidualsFromGroupMeans) {
  // Two factors, 2 x 2 with two units per cell; one variable plus one with a missing cell.
  const int n = 8;
  int a[n] = {1, 1, 1, 1, 2, 2, 2, 2}, b[n] = {5, 5, 6, 6, 5, 5, 6, 6}, c[n] = {1, 2, 1, 2, 1, 2, 1, 2};
  int* memb[3] = {a, b, c};
  int labA[2] = {1, 2}, labB[2] = {5, 6}, labC[2] = {1, 2};
  int* labels[3] = {labA, labB, labC};
  const int groups[3] = {2, 2, 2};
  Matrix x({{1, 2}, {3, 2}, {5, -999}, {7, 2}, {11, 4}, {13, 4}, {15, 4}, {17, 4}});
  Matrix r(n, 2);
  const int first[1] = {1};
  Residuals(n, 2, 3, memb, groups, labels, x.data(), r.data(), 1, first);
  // Factor A means: 4 and 14 (variable 1); 2 and 4 (variable 2, missing left out).
  const double oneFactor[n] = {-3, -1, 1, 3, -3, -1, 1, 3};
  for (int i = 0; i < n; i++) EXPECT_DOUBLE_EQ(r[i][0], oneFactor[i]);
  EXPECT_DOUBLE_EQ(r[2][1], -999);
  EXPECT_DOUBLE_EQ(r[0][1], 0);
  // A and B: X - mA - mB + m; B means 7 (1,3,11,13) and 11; grand mean 9.
  const int both[2] = {1, 2};
  Residuals(n, 2, 3, memb, groups, labels, x.data(), r.data(), 2, both);
  const double twoFactors[n] = {1 - 4 - 7 + 9, 3 - 4 - 7 + 9, 5 - 4 - 11 + 9, 7 - 4 - 11 + 9,
                                11 - 14 - 7 + 9, 13 - 14 - 7 + 9, 15 - 14 - 11 + 9, 17 - 14 - 11 + 9};
  for (int i = 0; i < n; i++) EXPECT_DOUBLE_EQ(r[i][0], twoFactors[i]);
  // Three factors: C means 8 (1,5,11,15) and 10; additive residuals have mean 0.
  const int three[3] = {3, 1, 2};
  Residuals(n, 2, 3, memb, groups, labels, x.data(), r.data(), 3, three);
  double sum = 0;
  for (int i = 0; i < n; i++) {
    const double expected = x[i][0] - (a[i] == 1 ? 4 : 14) - (b[i] == 5 ? 7 : 11) - (c[i] == 1 ? 8 : 10) + 2 * 9;
    EXPECT_DOUBLE_EQ(r[i][0], expected);
    sum += r[i][0];
  }
  EXPECT_DOUBLE_EQ(sum, 0.0);
}

}  // namespace

// Hierarchical factorial clustering: the 2 x 2 eigenproblem of a pair and
// the fusion by the smallest second eigenvalue.
#include <gtest/gtest.h>

#include <cmath>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

TEST(HierFactorialEigen, EigenvaluesOfTheCrossProductsOverPresentAttributes) {
  const double r = 1 / std::sqrt(2.0);
  double x[3] = {r, 0, -r}, e1, e2, v1[2], v2[2];
  HierFactorialEigen(3, x, x, &e1, &e2, v1, v2);
  EXPECT_NEAR(e1, 2, 1e-12);
  EXPECT_NEAR(e2, 0, 1e-12);
  EXPECT_NEAR(std::fabs(v1[0]), r, 1e-12);
  EXPECT_NEAR(v1[0], v1[1], 1e-12);
  EXPECT_NEAR(v2[0], -v2[1], 1e-12);
  // Over attributes 1 and 3 only: [[5, 5], [5, 10]].
  double a[3] = {1, -999.0, 2}, b[3] = {3, 5, 1};
  HierFactorialEigen(3, a, b, &e1, &e2, v1, v2);
  EXPECT_NEAR(e1, (15 + std::sqrt(125.0)) / 2, 1e-10);
  EXPECT_NEAR(e2, (15 - std::sqrt(125.0)) / 2, 1e-10);
}

TEST(HierFactorialClustering, MostCorrelatedRowsFuseFirst) {
  // Row 3 = 2 * row 1 + 5: correlation 1, second eigenvalue 0.
  Matrix x(4, {1, 2, 4, 3,  //
               0, 5, 1, 1,  //
               7, 9, 13, 11,  //
               4, 0, 3, 5});
  History h(4, 4);
  HierFactorialClustering(4, 4, x.get(), h.get());
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 3}));
  EXPECT_NEAR(h[0].level, 0, 1e-12);
  EXPECT_NEAR(h[0].level2, 2, 1e-12);
  EXPECT_EQ(h[2].nMembers, 4);
  for (int s = 0; s < 3; s++) {
    EXPECT_EQ(h[s].node, 0);
    EXPECT_EQ(h[s].branchLeft, 0);
    // Scores on an eigenvector of the cross products have the eigenvalue as
    // their sum of squares.
    double s1 = 0, s2 = 0;
    for (int t = 0; t < 4; t++) {
      s1 += h[s].scoresI[t] * h[s].scoresI[t];
      s2 += h[s].scoresII[t] * h[s].scoresII[t];
    }
    EXPECT_NEAR(s1, h[s].level2, 1e-10);
    EXPECT_NEAR(s2, h[s].level, 1e-10);
    EXPECT_NEAR(h[s].eigVecI[0] * h[s].eigVecI[0] + h[s].eigVecI[1] * h[s].eigVecI[1], 1, 1e-12);
  }
}

TEST(HierFactorialClustering, SecondStepUsesTheRepresentativeVector) {
  // Rows 1 and 2 are identical after centring; the group's vector is then
  // sqrt(2) z1, and its pair with z3 (correlation r = 0.8 with z1) has the
  // eigenvalues (3 -+ sqrt(1 + 8 r^2)) / 2.
  Matrix x(3, {1, 2, 3, 4, 2, 3, 4, 5, 1, 3, 2, 4}, 4);
  History h(3, 4);
  HierFactorialClustering(3, 4, x.get(), h.get());
  EXPECT_EQ(h.Members(0), (std::vector<int>{1, 2}));
  const double r = 0.8;
  EXPECT_NEAR(h[1].level, (3 - std::sqrt(1 + 8 * r * r)) / 2, 1e-10);
  EXPECT_NEAR(h[1].level2, (3 + std::sqrt(1 + 8 * r * r)) / 2, 1e-10);
  EXPECT_EQ(h.Members(1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(h[1].lastMember, 2);
}

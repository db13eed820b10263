// Size of the basis set, Fisher's C with its chi-square probability and AICc
// against hand values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pathanalysis/BasisSet.h"

namespace {

TEST(BasisSetStatistics, SizeFromVariablesAndPaths) {
  struct Row {
    int V, A;
    long long k, largestPaths;
  };
  // k = V(V-1)/2 - A; the largest A leaving a test is V(V-1)/2 - 1.
  for (const Row& r : std::vector<Row>{{3, 2, 1, 2}, {3, 3, 0, 2}, {3, 4, -1, 2}, {5, 4, 6, 9}, {8, 10, 18, 27},
                                       {100, 99, 4851, 4949}}) {
    EXPECT_EQ(BasisSetSize(r.V, r.A), r.k) << r.V << " " << r.A;
    EXPECT_EQ(LargestPathsLeavingATest(r.V), r.largestPaths);
  }
  // Blocks: B(B-1)/2 - (B-1).
  EXPECT_EQ(LargestBlockBasisSetSize(2), 0);
  EXPECT_EQ(LargestBlockBasisSetSize(4), 3);
  EXPECT_EQ(LargestBlockBasisSetSize(6), 10);
}

TEST(BasisSetStatistics, FisherCAndItsChiSquareProbability) {
  // One P: C = -2 ln P on 2 degrees of freedom, Q = e^(-C/2) = P. Two:
  // C = -2 ln(0.5 * 0.25) = 4.1588830833596715 on 4, Q = e^(-C/2) (1 + C/2)
  // = 0.125 * (1 + 2.0794415416798357) = 0.38493019270997947. Three ones: C = 0, Q = 1.
  const struct {
    std::vector<double> p;
    double C;
    int df;
    double Q, tolerance;
  } cases[] = {{{0.2}, -2 * std::log(0.2), 2, 0.2, 1e-14},
               {{0.5, 0.25}, 4.1588830833596715, 4, 0.38493019270997947, 1e-13},
               {{1, 1, 1}, 0.0, 6, 1.0, 1e-15}};
  for (const auto& c : cases) {
    const FisherCTest f = FisherC(c.p);
    EXPECT_NEAR(f.C, c.C, c.tolerance);
    EXPECT_EQ(f.degreesOfFreedom, c.df);
    EXPECT_NEAR(f.probability, c.Q, c.tolerance);
  }
  // Empty basis set: -0.0 with 0 degrees of freedom.
  FisherCTest none = FisherC({});
  EXPECT_EQ(none.C, 0.0);
  EXPECT_TRUE(std::signbit(none.C));
  EXPECT_EQ(none.degreesOfFreedom, 0);
}

TEST(BasisSetStatistics, AICcFormula) {
  // C + 2Kn/(n-K-1): 4.1588830833596715 + 200/14.
  EXPECT_NEAR(AICc(4.1588830833596715, 5, 20), 4.1588830833596715 + 200.0 / 14.0, 1e-13);
  EXPECT_NEAR(AICc(0.0, 3, 10), 60.0 / 6.0, 1e-14);
  // Fewer units than parameters: the formula as it stands (negative correction).
  EXPECT_NEAR(AICc(1.0, 8, 5), 1.0 + 80.0 / -4.0, 1e-14);
  EXPECT_TRUE(std::isinf(AICc(1.0, 4, 5)));
}

}  // namespace

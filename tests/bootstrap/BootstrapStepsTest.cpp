// Sample sizes of the sampling-effort curve and the iterations adjusted to
// whole confidence tails.
#include <gtest/gtest.h>

#include <vector>

#include "bootstrap/BootstrapSteps.h"

namespace {

TEST(BootstrapSteps, SizesGrowByTheStepAndEndAtN) {
  struct Case {
    int n, initial, step;
    std::vector<int> sizes;
  } cases[] = {
      {100, 20, 20, {20, 40, 60, 80, 100}},  // the steps reach n exactly
      {100, 30, 20, {30, 50, 70, 90, 100}},  // the last step is shorter
      {10, 10, 0, {10}},                     // initial size n: one step, no increment
      {10, 3, 7, {3, 10}},
      {10, 3, 50, {3, 10}},                  // a step beyond n goes straight to n
      {10, 9, 1, {9, 10}},
      {6, 3, 1, {3, 4, 5, 6}},
      {10, 4, 0, {4, 10}},                   // no step: the initial size, then n
  };
  for (const Case& c : cases) {
    ASSERT_EQ(CountSteps(c.n, c.initial, c.step), static_cast<int>(c.sizes.size())) << c.n << " " << c.initial;
    for (size_t s = 0; s < c.sizes.size(); s++)
      EXPECT_EQ(SampleSizeAtStep(c.n, c.initial, c.step, static_cast<int>(s)), c.sizes[s]) << c.initial << " " << s;
  }
}

TEST(BootstrapSteps, IterationsRiseUntilBothTailsHoldWholeIterations) {
  struct Case {
    int nIter;
    double alpha;
    int expected;
  } cases[] = {
      {1000, 0.05, 1000},  // 1000 x 0.05 = 50, 25 iterations in each tail
      {990, 0.05, 1000},   // 49.5
      // 1010 x 0.05 = 50.5; 1020 x 0.05 = 51 is whole but odd (25.5 per
      // tail); 1040 x 0.05 = 52 is the first even product.
      {1010, 0.05, 1040},
      {999, 0.1, 1000},
      {1010, 0.1, 1020},   // 102
      {100, 0.01, 200},
      {200, 0.07, 200},    // 14.000000000000002 in floating point: taken as 14
      {37, 1.0, 38},
      {500, 0.0, 500},     // no alpha: unchanged
      {500, -0.5, 500},
      // No whole count within reach: unchanged. 2 / alpha is about 1.6e9, no
      // count within the next ten million qualifies; none up to the largest int.
      {1000, 1.23456789e-9, 1000},
      {2147483640, 0.05, 2147483640},  // 107374182 is even
      {2147483645, 0.05, 2147483645},
  };
  for (const Case& c : cases) EXPECT_EQ(IterationsForAlpha(c.nIter, c.alpha), c.expected) << c.nIter << " " << c.alpha;
}

}  // namespace

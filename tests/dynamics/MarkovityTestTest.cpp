// The randomization test for Markovity: the probability against complete
// enumeration of the 120 orders of 5 states, the same results at one and two
// threads and equal to the sequential stream of orders, the counts and the
// average null stress, and the progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "ZQLib/Matrix.h"
#include "dynamics/MarkovFitting.h"
#include "dynamics/MarkovTest.h"
#include "randomization/IterationGenerator.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

namespace {

// A succession of five states over four variables.
const Matrix kSuccession = {{10, 0, 0, 1}, {7, 3, 0, 1}, {4, 5, 2, 1}, {2, 5, 5, 2}, {0, 4, 8, 3}};
// Six states without a direction.
const Matrix kSix = {{3, 1, 0, 2}, {0, 4, 1, 1}, {2, 2, 2, 0}, {1, 0, 5, 1}, {4, 1, 1, 3}, {0, 3, 2, 2}};

RngPtr Generator(unsigned long s) {
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(g.get(), s);
  return g;
}

TEST(MarkovityTest, ProbabilityAgainstCompleteEnumeration) {
  const int n = 5, p = 4, L = 2;
  Matrix D(n, n);
  RowDistances(n, p, kSuccession.data(), D.data());
  MarkovStressEvaluator e(n, p, L, kSuccession.data(), D.data());
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 1);
  double observed[L], K[L];
  e.Evaluate(order.data(), observed);
  int atMost[L] = {0, 0}, orders = 0;
  do {
    e.Evaluate(order.data(), K);
    for (int l = 0; l < L; l++) atMost[l] += AtMostAsLarge(K[l], observed[l]);
    orders++;
  } while (std::next_permutation(order.begin(), order.end()));
  ASSERT_EQ(orders, 120);
  // A direct transcription of the rules in R over the 120 orders gives the
  // observed stresses 0.401716173040005 and 0.394554550599176, at most
  // reached by 2 and 3 orders (the observed one included).
  EXPECT_NEAR(observed[0], 0.401716173040005, 1e-13);
  EXPECT_NEAR(observed[1], 0.394554550599176, 1e-13);
  EXPECT_EQ(atMost[0], 2);
  EXPECT_EQ(atMost[1], 3);

  const int64_t N = 20000;
  RngPtr g = Generator(2024);
  const MarkovityResult r = MarkovityTest(n, p, L, kSuccession.data(), N, g.get());
  for (int l = 0; l < L; l++) {
    const double exact = atMost[l] / 120.0;
    // The random orders are uniform over all 120 (the observed one included).
    const double se = std::sqrt(exact * (1 - exact) / N);
    EXPECT_NEAR(r.probability[l], exact, 4 * se + 1.0 / N) << "lag " << l + 1;
    EXPECT_EQ(r.observed[l], observed[l]);
  }
}

// The test run by hand, order after order, from the same seed.
MarkovityResult Sequential(const Matrix& X, int L, int64_t N, unsigned long seed) {
  const int n = X.rows(), p = X.cols();
  Matrix D(n, n);
  RowDistances(n, p, X.data(), D.data());
  MarkovStressEvaluator e(n, p, L, X.data(), D.data());
  RngPtr g = Generator(seed);
  std::vector<int> list(n);
  std::iota(list.begin(), list.end(), 1);
  MarkovityResult r;
  r.observed.resize(L);
  e.Evaluate(list.data(), r.observed.data());
  r.counts.assign(L, 1);
  std::vector<double> sum(L, 0.0), K(L);
  for (int64_t t = 1; t < N; t++) {
    RndList(g.get(), n, list.data());
    e.Evaluate(list.data(), K.data());
    for (int l = 0; l < L; l++) {
      if (AtMostAsLarge(K[l], r.observed[l])) r.counts[l]++;
      sum[l] += K[l];
    }
  }
  for (int l = 0; l < L; l++) r.averageNull.push_back(sum[l] / (N - 1));
  return r;
}

TEST(MarkovityTest, SameSeedSameResultsAtOneAndTwoThreads) {
  const int L = 3;
  const int64_t N = 1999;
  const MarkovityResult want = Sequential(kSix, L, N, 77);
  for (int threads : {1, 2})
    for (int64_t perRun : {int64_t{0}, int64_t{7}}) {
      RngPtr g = Generator(77);
      int64_t last = 0, total = 0;
      const auto progress = [&](int64_t done, int64_t all) { last = done, total = all; };
      const MarkovityResult got = MarkovityTest(6, 4, L, kSix.data(), N, g.get(), progress, threads, perRun);
      EXPECT_EQ(last, N - 1) << "the progress ends at the random orders";
      EXPECT_EQ(total, N - 1);
      EXPECT_EQ(got.observed, want.observed);
      EXPECT_EQ(got.counts, want.counts) << threads << " threads, " << perRun;
      EXPECT_EQ(got.averageNull, want.averageNull) << threads << " threads, " << perRun;  // bit for bit
      for (int l = 0; l < L; l++) EXPECT_DOUBLE_EQ(got.probability[l], want.counts[l] / static_cast<double>(N));
      EXPECT_EQ(got.orders, N);
    }
}

TEST(MarkovityTest, ObservedOrderOnlyAndIdenticalStates) {
  // N = 1: only the observed order; nothing is drawn.
  RngPtr g = Generator(5);
  RngPtr untouched = Generator(5);
  const MarkovityResult one = MarkovityTest(6, 4, 2, kSix.data(), 1, g.get());
  EXPECT_EQ(one.counts, (std::vector<int64_t>{1, 1}));
  EXPECT_EQ(one.probability, (std::vector<double>{1, 1}));
  EXPECT_EQ(one.averageNull, (std::vector<double>{0, 0}));
  EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(untouched.get()));
  // Identical states: every distance 0, every stress -1, every order counts.
  const Matrix same = {{1, 2}, {1, 2}, {1, 2}, {1, 2}};
  const MarkovityResult s = MarkovityTest(4, 2, 2, same.data(), 50, g.get());
  EXPECT_EQ(s.observed, (std::vector<double>{-1, -1}));
  EXPECT_EQ(s.counts, (std::vector<int64_t>{50, 50}));
  EXPECT_EQ(s.averageNull, (std::vector<double>{-1, -1}));
}

}  // namespace

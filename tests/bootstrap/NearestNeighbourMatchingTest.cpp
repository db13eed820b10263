// Exclusive nearest-neighbour matching: the optimum over all k! matchings on
// small tables, the number of random orders tried, and the tie rule.
#include <gtest/gtest.h>
#include <gsl/gsl_rng.h>

#include <algorithm>
#include <random>
#include <vector>

#include "bootstrap/NearestNeighbourMatching.h"
#include "bootstrap/SharpnessTestSupport.h"
#include "randomization/IterationGenerator.h"

namespace {

// A 2k x 2k table whose block [g][k + h] is given; the rest is left at a
// value the matching must not read.
struct Table {
  explicit Table(const std::vector<std::vector<double>>& block)
      : k(static_cast<int>(block.size())), cells(4 * k * k, 1e300), rows(2 * k) {
    for (int i = 0; i < 2 * k; i++) rows[i] = cells.data() + 2 * k * i;
    for (int g = 0; g < k; g++)
      for (int h = 0; h < k; h++) rows[g][k + h] = block[g][h];
  }
  int k;
  std::vector<double> cells;
  std::vector<double*> rows;
};

RngPtr Generator(unsigned long seed) {
  RngPtr r(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(r.get(), seed);
  return r;
}

TEST(NearestNeighbourMatching, TryLimitIsAHundredTimesLog10OfKFactorial) {
  const int expected[] = {0, 0, 30, 77, 138, 207, 285};  // k = 0..6
  for (int k = 1; k <= 6; k++) EXPECT_EQ(MatchingTryLimit(k), expected[k]) << k;
}

TEST(NearestNeighbourMatching, FindsTheBestOfAllMatchingsOnSmallTables) {
  // Integer values 0..9 give many ties; greedy choices in one fixed order
  // often miss the optimum, random orders find it.
  std::mt19937 values(77);
  std::uniform_int_distribution<int> digit(0, 9);
  RngPtr rng = Generator(4321);
  int tables = 0;
  for (int k = 1; k <= 4; k++)
    for (int rep = 0; rep < 60; rep++) {
      std::vector<std::vector<double>> block(k, std::vector<double>(k));
      for (auto& row : block)
        for (double& v : row) v = digit(values);
      Table t(block);
      std::vector<int> which(k, -1);
      const double s = NearNeigSSqWhich(rng.get(), k, t.rows.data(), which.data());
      EXPECT_EQ(s, sharpnesstest::BestMatchingSum(k, t.rows.data())) << "k " << k << " table " << rep;
      // which is a matching, and s its sum.
      std::vector<int> sorted = which;
      std::sort(sorted.begin(), sorted.end());
      for (int h = 0; h < k; h++) EXPECT_EQ(sorted[h], h);
      double sum = 0;
      for (int g = 0; g < k; g++) sum += block[g][which[g]];
      EXPECT_EQ(sum, s);
      tables++;
    }
  EXPECT_EQ(tables, 240);
}

TEST(NearestNeighbourMatching, TwoGroupsStopAfterThirtyTriesWithoutImprovement) {
  // Both orders give the same sum: only the first try improves, then 30
  // misses; each try draws one number (RndList of 2), so 31 draws in all.
  Table same({{1, 2}, {3, 4}});
  RngPtr a = Generator(99), b = Generator(99);
  std::vector<int> which(2);
  EXPECT_EQ(NearNeigSSqWhich(a.get(), 2, same.rows.data(), which.data()), 5.0);
  for (int d = 0; d < 31; d++) gsl_rng_uniform_int(b.get(), 2);
  EXPECT_EQ(gsl_rng_get(a.get()), gsl_rng_get(b.get()));

  // Reference group 0 alone takes sample group 0 (sum 101); group 1 first
  // leaves the better matching (3.5). Whenever the first order is the worse,
  // the search goes on for 30 tries after the better one appears.
  Table order({{1, 2}, {1.5, 100}});
  for (unsigned long seed = 1; seed <= 20; seed++) {
    RngPtr r = Generator(seed), replay = Generator(seed);
    EXPECT_EQ(NearNeigSSqWhich(r.get(), 2, order.rows.data(), which.data()), 3.5);
    EXPECT_EQ(which[0], 1);
    EXPECT_EQ(which[1], 0);
    // Replay the orders: RndList(2) swaps when the draw is 1.
    int draws = 0, sinceBest = 0;
    bool found = false;
    for (;;) {
      const bool groupOneFirst = gsl_rng_uniform_int(replay.get(), 2) == 1;
      draws++;
      if (groupOneFirst && !found) {
        found = true;
        sinceBest = 0;
      } else if (draws > 1) {
        sinceBest++;
      }
      if (sinceBest == 30) break;
    }
    EXPECT_EQ(gsl_rng_get(r.get()), gsl_rng_get(replay.get())) << "seed " << seed << ", " << draws << " tries";
  }
}

TEST(NearestNeighbourMatching, OneGroupTakesTheOnlySampleGroupWithoutDrawing) {
  Table one(std::vector<std::vector<double>>{{7.5}});
  RngPtr a = Generator(5), b = Generator(5);
  int which = -1;
  EXPECT_EQ(NearNeigSSqWhich(a.get(), 1, one.rows.data(), &which), 7.5);
  EXPECT_EQ(which, 0);
  EXPECT_EQ(gsl_rng_get(a.get()), gsl_rng_get(b.get()));
}

TEST(NearestNeighbourMatching, TiesGoToTheFirstFreeSampleGroup) {
  // Every value equal: whatever the order, each group takes the first free
  // sample group, so the group drawn first gets sample group 0.
  Table flat({{2, 2, 2}, {2, 2, 2}, {2, 2, 2}});
  RngPtr r = Generator(3);
  std::vector<int> which(3);
  EXPECT_EQ(NearNeigSSqWhich(r.get(), 3, flat.rows.data(), which.data()), 6.0);
  std::vector<int> sorted = which;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2}));
}

}  // namespace

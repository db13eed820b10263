// List builders: draws consumed, the shape of every restricted permutation,
// uniformity over all arrangements, and the prepared design drawing the same
// lists as the builders.
#include <gtest/gtest.h>
#include <gsl/gsl_cdf.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <set>
#include <vector>

#include "RandomTestSupport.h"
#include "randomization/RandomLists.h"

namespace {

using List = std::vector<int>;
using rtest::Generator;

// The next raw draw of g (consumes it).
unsigned long Next(gsl_rng* g) { return gsl_rng_get(g); }

TEST(RndList, DrawsConsumed) {
  for (int n : {0, 1, 2, 5}) {
    RngPtr g = Generator(11), copy = Generator(11);
    List list(std::max(n, 1), -7);
    RndList(g.get(), n, list.data());
    for (int k = n - 1; k > 0; k--) gsl_rng_uniform_int(copy.get(), k + 1);  // n - 1 draws of n, n-1, ..., 2
    EXPECT_EQ(Next(g.get()), Next(copy.get())) << "n = " << n;
    // One unit stays; two are swapped exactly when the one draw is 1.
    if (n == 1 || n == 2) {
      RngPtr replay = Generator(11);
      const List want = n == 2 && gsl_rng_uniform_int(replay.get(), 2) == 1 ? List{2, 1} : List{1, 2};
      EXPECT_EQ(list, List(want.begin(), want.begin() + n));
    }
  }
}

// Pearson chi-square of the frequencies of every arrangement seen; all
// `expected` arrangements must occur and fit a uniform distribution.
void ExpectUniform(const std::map<List, int>& seen, int expected, int draws) {
  ASSERT_EQ(static_cast<int>(seen.size()), expected);
  const double e = static_cast<double>(draws) / expected;
  double chi2 = 0;
  for (const auto& s : seen) chi2 += (s.second - e) * (s.second - e) / e;
  EXPECT_GT(gsl_cdf_chisq_Q(chi2, expected - 1), 1e-4) << "chi2 = " << chi2;
}

// Every builder over many draws: each list has the shape its restriction
// allows, and all the allowed arrangements occur, uniformly.
TEST(RandomLists, EveryAllowedArrangementEquallyOften) {
  const bool sel[6] = {false, true, false, true, true, false};
  const int selInt[6] = {0, 1, 0, 1, 1, 2};  // only 1 selects
  const int nest5[5] = {1, 1, 2, 2, 2}, bundle6[6] = {7, 7, 3, 3, 5, 5};
  const int nest8[8] = {1, 1, 1, 1, 2, 2, 2, 2}, bundle8[8] = {1, 1, 2, 2, 3, 3, 4, 4};
  const std::set<List> bundlesOnly = {
      {1, 2, 3, 4, 5, 6, 7, 8}, {3, 4, 1, 2, 5, 6, 7, 8}, {1, 2, 3, 4, 7, 8, 5, 6}, {3, 4, 1, 2, 7, 8, 5, 6}};
  std::set<List> objectOrders;
  List pi = {0, 1, 2, 3};
  do objectOrders.insert(rtest::PairList(pi));
  while (std::next_permutation(pi.begin(), pi.end()));
  ASSERT_EQ(objectOrders.size(), 24u);
  auto units = [](const List& l, List want) { return std::is_permutation(l.begin(), l.end(), want.begin()); };
  int calls = 0;
  const struct {
    const char* name;
    int n, arrangements, draws;
    unsigned long seed;
    std::function<void(gsl_rng*, List&)> draw;
    std::function<bool(const List&)> allowed;
  } cases[] = {
      {"RndList", 4, 24, 48000, 2024, [](gsl_rng* g, List& l) { RndList(g, 4, l.data()); },
       [&](const List& l) { return units(l, {1, 2, 3, 4}); }},
      // Positions 0, 2 and 5 keep their values, the others receive units 2,
      // 4, 5; bool and int selections alternate.
      {"RndListSelect", 6, 6, 6000, 3,
       [&](gsl_rng* g, List& l) {
         l = {10, 20, 30, 40, 50, 60};
         if (calls++ % 2) RndListSelect(g, 6, l.data(), sel);
         else RndListSelect(g, 6, l.data(), selInt);
       },
       [&](const List& l) { return l[0] == 10 && l[2] == 30 && l[5] == 60 && units(l, {10, 2, 30, 4, 5, 60}); }},
      // Units stay in their nesting group.
      {"nesting", 5, 12, 12000, 77,
       [&](gsl_rng* g, List& l) { EXPECT_TRUE(RndListNestedNew(g, 5, true, nest5, false, nullptr, false, l.data())); },
       [&](const List& l) { return units(l, {1, 2, 3, 4, 5}) && units({l[0], l[1]}, {1, 2}); }},
      // Bundles move whole, a bundle's first unit first.
      {"bundles", 6, 6, 6000, 5,
       [&](gsl_rng* g, List& l) { EXPECT_TRUE(RndListNestedNew(g, 6, false, nullptr, true, bundle6, false, l.data())); },
       [&](const List& l) {
         bool whole = units(l, {1, 2, 3, 4, 5, 6});
         for (int k = 0; k < 6; k += 2) whole = whole && l[k] % 2 == 1 && l[k + 1] == l[k] + 1;
         return whole;
       }},
      // Only bundles of the same nesting group are exchanged, units keep their rank.
      {"bundles only, within nesting", 8, 4, 8000, 4,
       [&](gsl_rng* g, List& l) { EXPECT_TRUE(RndListNestedNew(g, 8, true, nest8, true, bundle8, true, l.data())); },
       [&](const List& l) { return bundlesOnly.count(l) == 1; }},
      // Pairs of a 4 x 4 matrix follow its objects.
      {"RndListMantelRestricted", 6, 24, 12000, 21,
       [](gsl_rng* g, List& l) { RndListMantelRestricted(g, 6, l.data(), 4); },
       [&](const List& l) { return objectOrders.count(l) == 1; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RngPtr g = Generator(c.seed);
    std::map<List, int> seen;
    for (int t = 0; t < c.draws; t++) {
      List l(c.n);
      c.draw(g.get(), l);
      EXPECT_TRUE(c.allowed(l));
      seen[l]++;
    }
    ExpectUniform(seen, c.arrangements, c.draws);
  }
}

// Nothing to permute: nothing moves, nothing is drawn.
TEST(RandomLists, NothingToPermuteDrawsNothing) {
  RngPtr g = Generator(9), copy = Generator(9);
  const bool none[3] = {false, false, false};
  List l = {3, 2, 1};
  RndListSelect(g.get(), 3, l.data(), none);
  EXPECT_EQ(l, List({3, 2, 1}));
  // Bundles of unequal sizes are not exchanged.
  const int bundle[5] = {1, 1, 2, 2, 2};
  List u(5);
  EXPECT_FALSE(RndListNestedNew(g.get(), 5, false, nullptr, true, bundle, false, u.data()));
  EXPECT_EQ(u, List({1, 2, 3, 4, 5}));
  EXPECT_EQ(Next(g.get()), Next(copy.get()));
  // With nesting, the within-group step still stands.
  const int nest[5] = {1, 1, 1, 2, 2};
  bool moved = false;
  for (int t = 0; t < 50; t++) {
    EXPECT_FALSE(RndListNestedNew(g.get(), 5, true, nest, true, bundle, false, u.data()));
    EXPECT_TRUE(std::is_permutation(u.begin(), u.begin() + 3, List{1, 2, 3}.begin()));
    moved = moved || u != List({1, 2, 3, 4, 5});
  }
  EXPECT_TRUE(moved);
}

TEST(RndListNested, NestingLabelsInAnyOrder) {
  // Labels 9, 4, 9, 4: groups visited by ascending label (4 first).
  RngPtr g = Generator(1), copy = Generator(1);
  const int nest[4] = {9, 4, 9, 4};
  List l(4);
  RndListNestedNew(g.get(), 4, true, nest, false, nullptr, false, l.data());
  List expected = {1, 2, 3, 4};
  if (gsl_rng_uniform_int(copy.get(), 2) == 1) std::swap(expected[1], expected[3]);  // group 4: positions 1, 3
  if (gsl_rng_uniform_int(copy.get(), 2) == 1) std::swap(expected[0], expected[2]);  // group 9: positions 0, 2
  EXPECT_EQ(l, expected);
}

// Two nesting groups of 4 (units 1-4, 5-8); bundles are pairs across them:
// units are permuted within the nesting groups, then pairs exchanged by rank.
TEST(RndListNested, WithinNestingThenBundles) {
  RngPtr g = Generator(8);
  const int nest[8] = {1, 1, 1, 1, 2, 2, 2, 2};
  const int bundle[8] = {1, 2, 3, 4, 1, 2, 3, 4};
  std::set<List> seen;
  for (int t = 0; t < 20000; t++) {
    List l(8);
    EXPECT_TRUE(RndListNestedNew(g.get(), 8, true, nest, true, bundle, false, l.data()));
    // Each bundle's two slots hold one unit from each nesting group.
    for (int b = 0; b < 4; b++) EXPECT_TRUE(l[b] <= 4 && l[b + 4] >= 5);
    seen.insert(l);
  }
  // 24 x 24 within-nesting arrangements; the bundle step maps them onto themselves.
  EXPECT_GT(seen.size(), 500u);
}

TEST(RndListNested, SelectLeavesOthersAndChecksSelectedBundles) {
  RngPtr g = Generator(6);
  const int nest[6] = {1, 1, 1, 2, 2, 2};
  const bool sel[6] = {true, false, true, true, true, false};
  for (int t = 0; t < 100; t++) {
    List l(6);
    EXPECT_TRUE(RndListNestedSelect(g.get(), 6, true, nest, false, nullptr, false, l.data(), sel));
    EXPECT_TRUE(l[1] == 2 && l[5] == 6);
    EXPECT_TRUE(std::is_permutation(l.begin(), l.begin() + 3, List{1, 2, 3}.begin()));
  }
  // Bundles {1,2} {3,4} {5,6}: all have 2 units, but only 1, 2 and 1 selected.
  const int bundle[6] = {1, 1, 2, 2, 3, 3};
  List l(6);
  EXPECT_FALSE(RndListNestedSelect(g.get(), 6, false, nullptr, true, bundle, false, l.data(), sel));
  EXPECT_EQ(l, List({1, 2, 3, 4, 5, 6}));
}

TEST(RndListNested, SynchronizedAppliesOneRankPermutation) {
  RngPtr g = Generator(12);
  const int nest[6] = {1, 1, 1, 2, 2, 2};
  for (int t = 0; t < 100; t++) {
    List l(6);
    RndListNestedSynchronized(g.get(), 6, true, nest, false, nullptr, false, l.data(), true, nullptr);
    for (int k = 0; k < 3; k++) EXPECT_EQ(l[k + 3], l[k] + 3);
  }
}

TEST(RndListBootstrap, DrawsWithReplacement) {
  RngPtr g = Generator(1), copy = Generator(1);
  List l(7);
  RndListBootstrapN(g.get(), 3, 7, l.data());
  for (int v : l) EXPECT_EQ(v, static_cast<int>(gsl_rng_uniform_int(copy.get(), 3)) + 1);
  RndListBootstrap(g.get(), 4, l.data());
  for (int k = 0; k < 4; k++) EXPECT_EQ(l[k], static_cast<int>(gsl_rng_uniform_int(copy.get(), 4)) + 1);
}

TEST(RestrictedPermutation, SameListsAsTheBuilders) {
  const int n = 12;
  const int nest[n] = {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  const int bundle[n] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
  bool sel[n];
  for (int i = 0; i < n; i++) sel[i] = i % 3 != 1;
  for (int variant = 0; variant < 12; variant++) {
    RestrictedPermutation::Design d;
    d.n = n, d.nestMemb = nest, d.bundleMemb = bundle;
    d.nesting = variant % 2 == 0;
    d.bundles = variant % 6 >= 2;
    d.bundlesOnly = variant % 6 >= 4;
    d.sel = variant >= 6 ? sel : nullptr;
    RngPtr g = Generator(100 + variant), copy = Generator(100 + variant);
    RestrictedPermutation prepared(d);
    for (int t = 0; t < 20; t++) {
      List a(n), b(n);
      std::iota(b.begin(), b.end(), 1);
      prepared.Draw(g.get(), a.data());
      if (!d.nesting && !d.bundles) {
        if (d.sel) RndListSelect(copy.get(), n, b.data(), sel);
        else RndList(copy.get(), n, b.data());
      } else if (d.sel) {
        RndListNestedSelect(copy.get(), n, d.nesting, nest, d.bundles, bundle, d.bundlesOnly, b.data(), sel);
      } else {
        RndListNestedNew(copy.get(), n, d.nesting, nest, d.bundles, bundle, d.bundlesOnly, b.data());
      }
      EXPECT_EQ(a, b) << "variant " << variant;
    }
  }
}

}  // namespace

// List builders: draws consumed, the shape of every restricted permutation,
// uniformity over all arrangements, and the prepared design drawing the same
// lists as the builders.
#include <gtest/gtest.h>
#include <gsl/gsl_cdf.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <vector>

#include "randomization/IterationGenerator.h"
#include "randomization/RandomLists.h"

namespace {

using List = std::vector<int>;

RngPtr Generator(unsigned long s) {
  RngPtr g(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(g.get(), s);
  return g;
}

// The next raw draw of g (consumes it).
unsigned long Next(gsl_rng* g) { return gsl_rng_get(g); }

TEST(RndList, DrawsConsumed) {
  for (int n : {0, 1, 2, 5}) {
    RngPtr g = Generator(11), copy = Generator(11);
    List list(std::max(n, 1), -7);
    RndList(g.get(), n, list.data());
    for (int k = n - 1; k > 0; k--) gsl_rng_uniform_int(copy.get(), k + 1);  // n - 1 draws of n, n-1, ..., 2
    EXPECT_EQ(Next(g.get()), Next(copy.get())) << "n = " << n;
    if (n == 1) {
      EXPECT_EQ(list[0], 1);
    }
  }
  // Two units: swapped exactly when the one draw is 1.
  RngPtr g = Generator(5), copy = Generator(5);
  List two(2);
  RndList(g.get(), 2, two.data());
  EXPECT_EQ(two, gsl_rng_uniform_int(copy.get(), 2) == 1 ? List({2, 1}) : List({1, 2}));
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

TEST(RndList, UniformOverAllPermutations) {
  RngPtr g = Generator(2024);
  std::map<List, int> seen;
  const int draws = 48000;
  for (int t = 0; t < draws; t++) {
    List l(4);
    RndList(g.get(), 4, l.data());
    seen[l]++;
  }
  ExpectUniform(seen, 24, draws);
}

TEST(RndListSelect, PermutesOnlySelectedPositions) {
  RngPtr g = Generator(3);
  const bool sel[6] = {false, true, false, true, true, false};
  const int selInt[6] = {0, 1, 0, 1, 1, 2};  // only 1 selects
  std::map<List, int> seen;
  for (int t = 0; t < 6000; t++) {
    List l = {10, 20, 30, 40, 50, 60};
    if (t % 2) RndListSelect(g.get(), 6, l.data(), sel);
    else RndListSelect(g.get(), 6, l.data(), selInt);
    EXPECT_EQ(l[0], 10);
    EXPECT_EQ(l[2], 30);
    EXPECT_EQ(l[5], 60);
    seen[{l[1], l[3], l[4]}]++;
  }
  for (const auto& s : seen) EXPECT_TRUE(std::is_permutation(s.first.begin(), s.first.end(), List{2, 4, 5}.begin()));
  ExpectUniform(seen, 6, 6000);
}

TEST(RndListSelect, NothingSelectedMakesNoDraw) {
  RngPtr g = Generator(9), copy = Generator(9);
  const bool none[3] = {false, false, false};
  List l = {3, 2, 1};
  RndListSelect(g.get(), 3, l.data(), none);
  EXPECT_EQ(l, List({3, 2, 1}));
  EXPECT_EQ(Next(g.get()), Next(copy.get()));
}

TEST(RndListNested, UnitsStayInTheirNestingGroup) {
  RngPtr g = Generator(77);
  const int nest[5] = {1, 1, 2, 2, 2};
  std::map<List, int> seen;
  for (int t = 0; t < 12000; t++) {
    List l(5);
    EXPECT_TRUE(RndListNestedNew(g.get(), 5, true, nest, false, nullptr, false, l.data()));
    EXPECT_TRUE(std::is_permutation(l.begin(), l.begin() + 2, List{1, 2}.begin()));
    EXPECT_TRUE(std::is_permutation(l.begin() + 2, l.end(), List{3, 4, 5}.begin()));
    seen[l]++;
  }
  ExpectUniform(seen, 12, 12000);
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

TEST(RndListNested, BundlesMoveWhole) {
  RngPtr g = Generator(5);
  const int bundle[6] = {7, 7, 3, 3, 5, 5};
  std::map<List, int> seen;
  for (int t = 0; t < 6000; t++) {
    List l(6);
    EXPECT_TRUE(RndListNestedNew(g.get(), 6, false, nullptr, true, bundle, false, l.data()));
    for (int k = 0; k < 6; k += 2) {
      EXPECT_EQ(l[k] % 2, 1) << "a bundle's first unit goes first";
      EXPECT_EQ(l[k + 1], l[k] + 1) << "bundles move whole";
    }
    seen[l]++;
  }
  ExpectUniform(seen, 6, 6000);
}

TEST(RndListNested, UnequalBundlesAreNotPermuted) {
  RngPtr g = Generator(5), copy = Generator(5);
  const int bundle[5] = {1, 1, 2, 2, 2};
  List l(5);
  EXPECT_FALSE(RndListNestedNew(g.get(), 5, false, nullptr, true, bundle, false, l.data()));
  EXPECT_EQ(l, List({1, 2, 3, 4, 5}));
  EXPECT_EQ(Next(g.get()), Next(copy.get()));
  // With nesting, the within-group step still stands.
  const int nest[5] = {1, 1, 1, 2, 2};
  bool moved = false;
  for (int t = 0; t < 50; t++) {
    EXPECT_FALSE(RndListNestedNew(g.get(), 5, true, nest, true, bundle, false, l.data()));
    EXPECT_TRUE(std::is_permutation(l.begin(), l.begin() + 3, List{1, 2, 3}.begin()));
    moved = moved || l != List({1, 2, 3, 4, 5});
  }
  EXPECT_TRUE(moved);
}

TEST(RndListNested, WithinNestingThenBundles) {
  // Two nesting groups of 4 (units 1-4, 5-8); bundles are pairs across them:
  // {1,5}, {2,6}, {3,7}, {4,8}. Units are first permuted within the nesting
  // groups, then the pairs are exchanged rank by rank.
  RngPtr g = Generator(8);
  const int nest[8] = {1, 1, 1, 1, 2, 2, 2, 2};
  const int bundle[8] = {1, 2, 3, 4, 1, 2, 3, 4};
  std::set<List> seen;
  for (int t = 0; t < 20000; t++) {
    List l(8);
    EXPECT_TRUE(RndListNestedNew(g.get(), 8, true, nest, true, bundle, false, l.data()));
    // Each bundle's two slots hold one unit from each nesting group.
    for (int b = 0; b < 4; b++) {
      EXPECT_LE(l[b], 4);
      EXPECT_GE(l[b + 4], 5);
    }
    seen.insert(l);
  }
  // 24 x 24 within-nesting arrangements; the bundle step maps them onto themselves.
  EXPECT_GT(seen.size(), 500u);
}

TEST(RndListNested, OnlyBundlesWithinNesting) {
  // Nesting groups {1-4}, {5-8}; bundles are consecutive pairs. Only bundles
  // of the same nesting group are exchanged, units keep their rank.
  RngPtr g = Generator(4);
  const int nest[8] = {1, 1, 1, 1, 2, 2, 2, 2};
  const int bundle[8] = {1, 1, 2, 2, 3, 3, 4, 4};
  std::map<List, int> seen;
  for (int t = 0; t < 8000; t++) {
    List l(8);
    EXPECT_TRUE(RndListNestedNew(g.get(), 8, true, nest, true, bundle, true, l.data()));
    seen[l]++;
  }
  const std::set<List> expected = {{1, 2, 3, 4, 5, 6, 7, 8},
                                   {3, 4, 1, 2, 5, 6, 7, 8},
                                   {1, 2, 3, 4, 7, 8, 5, 6},
                                   {3, 4, 1, 2, 7, 8, 5, 6}};
  for (const auto& s : seen) EXPECT_TRUE(expected.count(s.first));
  ExpectUniform(seen, 4, 8000);
}

TEST(RndListNested, SelectLeavesOthersAndChecksSelectedBundles) {
  RngPtr g = Generator(6);
  const int nest[6] = {1, 1, 1, 2, 2, 2};
  const bool sel[6] = {true, false, true, true, true, false};
  for (int t = 0; t < 100; t++) {
    List l(6);
    EXPECT_TRUE(RndListNestedSelect(g.get(), 6, true, nest, false, nullptr, false, l.data(), sel));
    EXPECT_EQ(l[1], 2);
    EXPECT_EQ(l[5], 6);
    EXPECT_TRUE(std::is_permutation(l.begin(), l.begin() + 3, List{1, 2, 3}.begin()));
  }
  // Bundles {1,2} {3,4} {5,6}: all have 2 units, but only 1, 2 and 1 selected.
  const int bundle[6] = {1, 1, 2, 2, 3, 3};
  const bool sel2[6] = {true, false, true, true, true, false};
  List l(6);
  EXPECT_FALSE(RndListNestedSelect(g.get(), 6, false, nullptr, true, bundle, false, l.data(), sel2));
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

TEST(RndListMantel, PairsFollowTheObjects) {
  // Pairs of 3 objects: (0,1)=1, (0,2)=2, (1,2)=3. Every result is the pair
  // list of an object permutation p: pair (i, j) -> pair (p[i], p[j]).
  std::set<List> induced;
  List p = {0, 1, 2};
  auto number = [](int a, int b) {
    if (a > b) std::swap(a, b);
    return a == 0 ? b : 3;
  };
  do induced.insert({number(p[0], p[1]), number(p[0], p[2]), number(p[1], p[2])});
  while (std::next_permutation(p.begin(), p.end()));
  EXPECT_TRUE(induced.count({1, 3, 2}));  // objects (2,1,3)
  RngPtr g = Generator(21);
  std::map<List, int> seen;
  for (int t = 0; t < 6000; t++) {
    List l(3);
    RndListMantelRestricted(g.get(), 3, l.data(), 3);
    EXPECT_TRUE(induced.count(l));
    seen[l]++;
  }
  ExpectUniform(seen, 6, 6000);
}

TEST(RndListBootstrap, DrawsWithReplacement) {
  RngPtr g = Generator(1), copy = Generator(1);
  List l(7);
  RndListBootstrapN(g.get(), 3, 7, l.data());
  for (int v : l) {
    EXPECT_GE(v, 1);
    EXPECT_LE(v, 3);
    EXPECT_EQ(v, static_cast<int>(gsl_rng_uniform_int(copy.get(), 3)) + 1);
  }
  RndListBootstrap(g.get(), 4, l.data());
  for (int k = 0; k < 4; k++) EXPECT_EQ(l[k], static_cast<int>(gsl_rng_uniform_int(copy.get(), 4)) + 1);
}

TEST(RestrictedPermutation, SameListsAsTheBuilders) {
  const int n = 12;
  const int nest[n] = {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  const int bundle[n] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
  bool sel[n];
  for (int i = 0; i < n; i++) sel[i] = i % 3 != 1;
  for (int variant = 0; variant < 6; variant++) {
    RestrictedPermutation::Design d;
    d.n = n;
    d.nesting = variant % 2 == 0;
    d.nestMemb = nest;
    d.bundles = variant >= 2;
    d.bundleMemb = bundle;
    d.bundlesOnly = variant >= 4;
    RngPtr g = Generator(100 + variant), copy = Generator(100 + variant);
    RestrictedPermutation prepared(d);
    for (int t = 0; t < 20; t++) {
      List a(n), b(n);
      prepared.Draw(g.get(), a.data());
      if (!d.nesting && !d.bundles) RndList(copy.get(), n, b.data());
      else RndListNestedNew(copy.get(), n, d.nesting, nest, d.bundles, bundle, d.bundlesOnly, b.data());
      EXPECT_EQ(a, b) << "variant " << variant;
    }
    d.sel = sel;
    RestrictedPermutation selected(d);
    for (int t = 0; t < 20; t++) {
      List a(n), b(n);
      selected.Draw(g.get(), a.data());
      if (!d.nesting && !d.bundles) {
        std::iota(b.begin(), b.end(), 1);
        RndListSelect(copy.get(), n, b.data(), sel);
      } else {
        RndListNestedSelect(copy.get(), n, d.nesting, nest, d.bundles, bundle, d.bundlesOnly, b.data(), sel);
      }
      EXPECT_EQ(a, b) << "selected, variant " << variant;
    }
  }
}

TEST(RndList, SameSeedSameLists) {
  RngPtr a = Generator(424242), b = Generator(424242);
  for (int t = 0; t < 10; t++) {
    List x(30), y(30);
    RndList(a.get(), 30, x.data());
    RndList(b.get(), 30, y.data());
    EXPECT_EQ(x, y);
  }
}

}  // namespace

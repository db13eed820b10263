// The test of mutual entropies of variable triplets: observed triplet and
// conditional values against entropies computed here from the frequencies,
// probabilities against complete enumeration, one and two threads, N = 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "RandomTestSupport.h"
#include "randomization/TripletTest.h"

namespace {

using Codes = std::vector<int>;
using rtest::Generator;

// Joint and marginal relative frequencies of three coded variables.
struct Frequencies {
  Frequencies(const Codes& x, const Codes& y, const Codes& z) {
    const double w = 1.0 / x.size();
    for (size_t i = 0; i < x.size(); i++) {
      xyz[{x[i], y[i], z[i]}] += w;
      xy[{x[i], y[i]}] += w, xz[{x[i], z[i]}] += w, yz[{y[i], z[i]}] += w;
      px[x[i]] += w, py[y[i]] += w, pz[z[i]] += w;
    }
  }
  std::map<std::tuple<int, int, int>, double> xyz;
  std::map<std::pair<int, int>, double> xy, xz, yz;
  std::map<int, double> px, py, pz;
};

// Mutual entropy of order alpha of x and y.
double Mutual(const Codes& x, const Codes& y, double alpha) {
  const Frequencies f(x, y, y);
  double s = 0.0;
  for (const auto& [key, p] : f.xy) {
    const double e = f.px.at(key.first) * f.py.at(key.second);
    s += alpha == 1.0 ? p * std::log(p / e) : std::pow(p, alpha) / std::pow(e, alpha - 1.0);
  }
  return alpha == 1.0 ? s : std::log(s) / (alpha - 1.0);
}

// Triplet value: p against q = p(xy) p(xz) p(yz) / (p(x) p(y) p(z)).
double Triplet(const Codes& x, const Codes& y, const Codes& z, double alpha) {
  const Frequencies f(x, y, z);
  double s = 0.0;
  for (const auto& [key, p] : f.xyz) {
    const auto [a, b, c] = key;
    const double q = f.xy.at({a, b}) * f.xz.at({a, c}) * f.yz.at({b, c}) / (f.px.at(a) * f.py.at(b) * f.pz.at(c));
    s += alpha == 1.0 ? p * std::log(p / q) : std::pow(p, alpha) / std::pow(q, alpha - 1.0);
  }
  return alpha == 1.0 ? s : std::log(s) / (alpha - 1.0);
}

// Shannon mutual information of x and y conditional to z, from its own
// definition: sum of p(xyz) ln(p(xyz) p(z) / (p(xz) p(yz))).
double Conditional(const Codes& x, const Codes& y, const Codes& z) {
  const Frequencies f(x, y, z);
  double s = 0.0;
  for (const auto& [key, p] : f.xyz) {
    const auto [a, b, c] = key;
    s += p * std::log(p * f.pz.at(c) / (f.xz.at({a, c}) * f.yz.at({b, c})));
  }
  return s;
}

struct TripletCase {
  TripletCase(const std::vector<Codes>& vars, double alpha)
      : vars(vars), data(int(vars[0].size()), 3), pairs(3, 3), triplets(3) {
    for (int j = 0; j < 3; j++)
      for (int i = 0; i < data.rows(); i++) data[i][j] = vars[j][i];
    in.nObj = data.rows(), in.nVar = 3, in.data = data.data();
    in.resemblance.direction = 2, in.resemblance.measure = 7, in.resemblance.alpha = alpha;
    ResemblanceLib(in.resemblance, in.nObj, 3, data.data(), pairs.data());
    ResemblanceLibTriplets(in.nObj, 3, data.data(), triplets.data(), 2, 7, nullptr, alpha);
    in.observed = pairs.data();
  }
  std::vector<Codes> vars;
  Matrix data, pairs;
  TripletTable triplets;
  VariableTestInput in;
};

const std::vector<Codes> kEight = {{1, 1, 2, 2, 1, 2, 3, 3}, {1, 2, 1, 2, 1, 2, 3, 1}, {1, 1, 1, 2, 2, 2, 1, 2}};

}  // namespace

// The triplet value, and for each pair and third variable the pairwise value
// plus the triplet value (for order 1 the conditional mutual information).
TEST(TripletTest, ObservedValuesMatchEntropiesFromFrequencies) {
  for (double alpha : {1.0, 2.0}) {
    TripletCase c(kEight, alpha);
    c.in.nPermutations = 99;
    RngPtr g = Generator(5);
    const TripletTestResult r = RandomizationTestTriplets(c.in, c.triplets.data(), g.get());
    ASSERT_EQ(r.triplets.size(), 1u);
    ASSERT_EQ(r.conditional.size(), 3u);
    const std::vector<Codes>& v = c.vars;
    EXPECT_NEAR(r.triplets[0].value, Triplet(v[0], v[1], v[2], alpha), 1e-12) << alpha;
    const int order[3][3] = {{0, 1, 2}, {0, 2, 1}, {1, 2, 0}};
    for (int k = 0; k < 3; k++) {
      const TripletValue& t = r.conditional[k];
      const int a = order[k][0], b = order[k][1], third = order[k][2];
      EXPECT_TRUE(t.a == a && t.b == b && t.c == third) << k;
      EXPECT_NEAR(t.value, Mutual(v[a], v[b], alpha) + Triplet(v[a], v[b], v[third], alpha), 1e-12) << alpha;
      if (alpha == 1.0) {
        EXPECT_NEAR(t.value, Conditional(v[a], v[b], v[third]), 1e-12);
      }
    }
  }
}

// Five units: exact P of each value (at least as large) over the 120 x 120
// orderings of the second and third variables against the first.
TEST(TripletTest, ProbabilitiesMatchCompleteEnumeration) {
  const std::vector<Codes> vars = {{1, 1, 2, 2, 3}, {1, 2, 2, 1, 3}, {1, 1, 1, 2, 2}};
  TripletCase c(vars, 1.0);
  c.in.nPermutations = 10000;
  RngPtr g = Generator(77);
  const TripletTestResult r = RandomizationTestTriplets(c.in, c.triplets.data(), g.get());

  auto values = [](const std::vector<Codes>& v) {
    return std::vector<double>{Triplet(v[0], v[1], v[2], 1.0), Conditional(v[0], v[1], v[2]),
                               Conditional(v[0], v[2], v[1]), Conditional(v[1], v[2], v[0])};
  };
  const std::vector<double> observed = values(vars);
  std::vector<int> hits(4, 0);
  int total = 0;
  std::vector<int> o1 = {0, 1, 2, 3, 4};
  do {
    std::vector<int> o2 = {0, 1, 2, 3, 4};
    do {
      std::vector<Codes> v = vars;
      for (int i = 0; i < 5; i++) {
        v[1][i] = vars[1][o1[i]];
        v[2][i] = vars[2][o2[i]];
      }
      const std::vector<double> random = values(v);
      for (int k = 0; k < 4; k++) hits[k] += random[k] >= observed[k] - 1e-9;
      total++;
    } while (std::next_permutation(o2.begin(), o2.end()));
  } while (std::next_permutation(o1.begin(), o1.end()));
  const std::vector<double> estimated = {r.triplets[0].probability, r.conditional[0].probability,
                                         r.conditional[1].probability, r.conditional[2].probability};
  for (int k = 0; k < 4; k++)
    rtest::ExpectNearExact(estimated[k], static_cast<double>(hits[k]) / total, c.in.nPermutations, std::to_string(k));
}

TEST(TripletTest, SameResultsAtOneAndTwoThreadsAndNothingDrawnForOnePermutation) {
  TripletCase c(kEight, 1.0);
  c.in.nPermutations = 2001;
  std::vector<double> p[2];
  for (int threads : {1, 2}) {
    c.in.maxThreads = threads;
    RngPtr g = Generator(123);
    const TripletTestResult r = RandomizationTestTriplets(c.in, c.triplets.data(), g.get());
    EXPECT_EQ(r.threads, threads);
    for (const auto* list : {&r.triplets, &r.conditional})
      for (const TripletValue& t : *list) p[threads - 1].push_back(t.probability);
  }
  EXPECT_EQ(p[0], p[1]);
  c.in.nPermutations = 1;
  RngPtr g = Generator(9), fresh = Generator(9);
  const TripletTestResult one = RandomizationTestTriplets(c.in, c.triplets.data(), g.get());
  for (const auto* list : {&one.triplets, &one.conditional})
    for (const TripletValue& t : *list) EXPECT_EQ(t.probability, 1.0);
  EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(fresh.get()));
}

// The Beals test against an independent reckoning of presence/absence tables
// (De Caceres & Legendre 2008, co-occurrence type 0, no unit sums):
//   with the target k in its own prediction   b_ik = sum_{j in i} N_jk / N_j / S_i,
//   without it                                b_ik = sum_{j in i, j != k} N_jk / N_j / (S_i - I_ik),
// N_j the units holding j, N_jk those holding both, S_i the species of unit i
// (0 when the unit holds nothing else); observed differences, p-values by
// complete enumeration of the orderings of the target among the eligible
// units, one seed at one and two threads, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "randomization/BealsTest.h"

namespace {

using Cells = std::vector<std::vector<double>>;

struct Rows {
  explicit Rows(const Cells& c) : cells(c) {
    for (auto& r : cells) ptr.push_back(r.data());
  }
  const double* const* p() const { return ptr.data(); }
  Cells cells;
  std::vector<const double*> ptr;
};

// Beals value of species k in unit i, with or without k in its own prediction.
double Beals(const Cells& x, int i, int k, bool include) {
  const int n = static_cast<int>(x.size()), p = static_cast<int>(x[0].size());
  double sum = 0.0;
  int species = 0;
  for (int j = 0; j < p; j++) {
    if (x[i][j] <= 0 || (!include && j == k)) continue;
    species++;
    int nj = 0, njk = 0;
    for (int u = 0; u < n; u++) {
      nj += x[u][j] > 0;
      njk += x[u][j] > 0 && x[u][k] > 0;
    }
    sum += static_cast<double>(njk) / nj;
  }
  return species > 0 ? sum / species : 0.0;
}

double Centre(std::vector<double> v, bool medians) {
  if (!medians) {
    double s = 0;
    for (double x : v) s += x;
    return s / v.size();
  }
  std::sort(v.begin(), v.end());
  const size_t m = v.size();
  return m % 2 ? v[m / 2] : (v[m / 2 - 1] + v[m / 2]) / 2;
}

// Observed statistic of species k: Beals values without k, where k occurs
// minus where it does not.
double Difference(const Cells& x, int k, bool medians = true) {
  std::vector<double> present, absent;
  for (size_t i = 0; i < x.size(); i++) (x[i][k] > 0 ? present : absent).push_back(Beals(x, i, k, false));
  return Centre(present, medians) - Centre(absent, medians);
}

// Share of all orderings of species k among its eligible units (those with a
// non-zero Beals value of k, k included) whose statistic is at least the
// observed one.
double EnumeratedP(const Cells& x, int k) {
  std::vector<int> eligible;
  for (size_t i = 0; i < x.size(); i++)
    if (Beals(x, i, k, true) != 0.0) eligible.push_back(static_cast<int>(i));
  const double observed = Difference(x, k);
  std::vector<int> order(eligible.size());
  for (size_t q = 0; q < order.size(); q++) order[q] = static_cast<int>(q);
  long total = 0, atLeast = 0;
  do {
    Cells y = x;
    for (size_t q = 0; q < order.size(); q++) y[eligible[q]][k] = x[eligible[order[q]]][k];
    total++;
    atLeast += Difference(y, k) >= observed - 1e-9;
  } while (std::next_permutation(order.begin(), order.end()));
  return static_cast<double>(atLeast) / total;
}

Cells RandomPresences(int n, int p, double share, unsigned seed) {
  std::mt19937 gen(seed);
  std::bernoulli_distribution occurs(share);
  Cells x(n, std::vector<double>(p, 0.0));
  for (auto& row : x)
    for (auto& v : row) v = occurs(gen) ? 1 : 0;
  return x;
}

BealsTestSettings Settings(int nPermutations, uint32_t seed, int threads = 0) {
  BealsTestSettings s;
  s.nPermutations = nPermutations;
  s.type = 0;
  s.seed = seed;
  s.maxThreads = threads;
  return s;
}

// Eight units by five species: A {0,1,6}, B {0,1,2}, C {1,2,3,6}, D {3,4,7},
// E {4,5}. Units 4, 5 and 7 hold only D and E, which never meet A: they are
// not eligible for A's permutations (and so on for each species).
const Cells kTiny = {{1, 1, 0, 0, 0}, {1, 1, 1, 0, 0}, {0, 1, 1, 0, 0}, {0, 0, 1, 1, 0},
                     {0, 0, 0, 1, 1}, {0, 0, 0, 0, 1}, {1, 0, 1, 0, 0}, {0, 0, 0, 1, 0}};

}  // namespace

TEST(BealsTest, ObservedDifferencesOfMediansAndMeans) {
  Cells x = RandomPresences(30, 9, 0.35, 11);
  for (auto& row : x) row[7] = 1, row[8] = 0;  // species 7 everywhere, 8 nowhere
  Rows rows(x);
  for (int statistic : {BEALS_MEDIANS, BEALS_MEANS}) {
    BealsTestSettings s = Settings(1, 5);
    s.statistic = statistic;
    const BealsTestResult r = BealsTest_Partial(30, 9, rows.p(), s);
    for (int k = 0; k < 7; k++) {
      EXPECT_EQ(r.status[k], BealsTarget::Tested);
      EXPECT_NEAR(r.differences[k], Difference(x, k, statistic == BEALS_MEDIANS), 1e-12) << statistic << " " << k;
      EXPECT_EQ(r.pValues[k], 1.0);  // one permutation: the observed table alone
    }
    EXPECT_EQ(r.status[7], BealsTarget::OccursEverywhere);
    EXPECT_EQ(r.status[8], BealsTarget::OccursNowhere);
    for (int k : {7, 8}) EXPECT_TRUE(std::isnan(r.differences[k]) && std::isnan(r.pValues[k])) << k;
  }
}

TEST(BealsTest, PValuesAgreeWithCompleteEnumeration) {
  Rows rows(kTiny);
  const int n = 20000;
  const BealsTestResult r = BealsTest_Partial(8, 5, rows.p(), Settings(n, 2024));
  for (int k = 0; k < 5; k++) {
    const double exact = EnumeratedP(kTiny, k);
    // (1 + Binomial(n - 1, exact)) / n: four standard errors, and the 1/n.
    const double tolerance = 4 * std::sqrt(exact * (1 - exact) / n) + 1.0 / n;
    EXPECT_NEAR(r.pValues[k], exact, tolerance) << "species " << k;
    EXPECT_NEAR(r.differences[k], Difference(kTiny, k), 1e-12) << "species " << k;
  }
}

TEST(BealsTest, SameSeedSameResultsAtOneAndTwoThreads) {
  const Cells x = RandomPresences(25, 12, 0.4, 8);
  Rows rows(x);
  const BealsTestResult one = BealsTest_Partial(25, 12, rows.p(), Settings(199, 31337, 1));
  const BealsTestResult two = BealsTest_Partial(25, 12, rows.p(), Settings(199, 31337, 2));
  EXPECT_EQ(one.threads, 1);
  ASSERT_EQ(one.pValues.size(), 12u);
  EXPECT_TRUE(one.status == two.status && one.differences == two.differences && one.pValues == two.pValues);
  // Another seed draws other permutations.
  const BealsTestResult other = BealsTest_Partial(25, 12, rows.p(), Settings(199, 31338, 2));
  int same = 0;
  for (int k = 0; k < 12; k++) same += other.pValues[k] == one.pValues[k];
  EXPECT_LT(same, 12);
}

TEST(BealsTest, RefusesFewerThanOnePermutationOrAnUnknownStatistic) {
  Rows rows(kTiny);
  EXPECT_THROW(BealsTest_Partial(8, 5, rows.p(), Settings(0, 1)), std::invalid_argument);
  BealsTestSettings s = Settings(9, 1);
  s.statistic = 3;
  EXPECT_THROW(BealsTest_Partial(8, 5, rows.p(), s), std::invalid_argument);
}

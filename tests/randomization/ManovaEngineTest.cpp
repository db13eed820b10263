// The group-test engine: decompositions checked against classical analysis
// of variance computed from coordinates, probabilities against complete
// enumeration of the distinct group assignments, restricted permutations,
// ties, and identical results at one and two threads.
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "RandomTestSupport.h"
#include "randomization/ManovaEngine.h"

namespace {

using rtest::BetweenSS;
using rtest::Distances;
using rtest::Generator;

// A design over n units; the vectors own what the input points to.
struct Design {
  std::vector<std::vector<int>> factors;
  std::vector<int*> memb;
  std::vector<std::vector<std::vector<double>>> coef;  // [factor][contrast][group]
  std::vector<std::vector<double*>> coefRows;
  std::vector<double**> coefPtr;
  std::vector<int> nContrasts;
  manovaInput in;

  Design(Matrix& d, std::vector<std::vector<int>> f, int permutations) : factors(std::move(f)) {
    for (auto& v : factors) memb.push_back(v.data());
    in.nUnits = static_cast<int>(factors[0].size()), in.nFactors = static_cast<int>(factors.size());
    in.factorMemb = memb.data(), in.dissim = d.data(), in.nPermutations = permutations, in.showProgress = false;
  }
  void Contrasts(std::vector<std::vector<std::vector<double>>> c) {
    coef = std::move(c);
    coefRows.resize(coef.size());
    for (size_t a = 0; a < coef.size(); a++) {
      for (auto& row : coef[a]) coefRows[a].push_back(row.data());
      coefPtr.push_back(coefRows[a].data());
      nContrasts.push_back(static_cast<int>(coef[a].size()));
    }
    in.contrastsOn = true;
    in.contrasts = coefPtr.data();
    in.nContrasts = nContrasts.data();
  }
};

// Normal points with the first half shifted by `shiftFirst` on the first axis.
Matrix RandomPoints(int n, int p, unsigned s, double shiftFirst = 0) {
  Matrix x = rtest::Normal(n, p, s);
  for (int i = 0; i < n / 2; i++) x[i][0] += shiftFirst;
  return x;
}

// Labels combining factors: cell = sum of factor[i] * weight.
std::vector<int> Cells(const std::vector<std::vector<int>>& factors, std::vector<int> weights) {
  std::vector<int> c(factors[0].size(), 0);
  for (size_t i = 0; i < c.size(); i++)
    for (size_t f = 0; f < factors.size(); f++) c[i] += factors[f][i] * weights[f];
  return c;
}

TEST(ManovaEngine, TwoFactorsAgreeWithClassicalAnova) {
  // 3 x 2 levels, 3 replicates, one variable: the sums of squares of the
  // balanced two-way analysis of variance from the cell and margin means.
  const int n = 18;
  const Matrix x = RandomPoints(n, 1, 3);
  std::vector<int> A(n), B(n);
  for (int i = 0; i < n; i++) A[i] = i / 6 + 1, B[i] = (i / 3) % 2 + 1;
  const double ssA = BetweenSS(x, A), ssB = BetweenSS(x, B), ssCells = BetweenSS(x, Cells({A, B}, {10, 1}));
  const double ssT = rtest::CentroidSS(x, rtest::All);
  Matrix d = Distances(x);
  Design design(d, {A, B}, 1);
  RngPtr g = Generator(1);
  RandomizationTestManova t(design.in, g.get());
  const ManovaResults& r = t.GetManovaResults();
  const double want[] = {ssA, ssB, ssCells - ssA - ssB, ssCells, ssT, ssT - ssCells};
  const double got[] = {r.Q[0][0], r.Q[1][1], r.Q[0][1], r.Q[2][2], r.Q[3][3], r.Qw};
  for (int k = 0; k < 6; k++) EXPECT_NEAR(got[k], want[k], 1e-10) << k;
  EXPECT_TRUE(r.pairComplete[0][1]);
  // nPermutations = 1: every probability is 1.
  for (int a = 0; a < 3; a++)
    for (int b = a; b < 3; b++) EXPECT_EQ(r.P[a][b], 1.0);
  // Block design: factor A's interaction with B pooled into the error.
  design.in.blockDesign = true;
  RandomizationTestManova block(design.in, g.get());
  EXPECT_NEAR(block.GetManovaResults().Qw, ssT - ssCells + (ssCells - ssA - ssB), 1e-10);
}

TEST(ManovaEngine, ThreeFactorsAndMissingCombinations) {
  // 2 x 2 x 2 with 2 replicates: Q3 is the classical three-way interaction.
  const int n = 16;
  const Matrix x = RandomPoints(n, 2, 8);
  std::vector<int> A(n), B(n), C(n);
  for (int i = 0; i < n; i++) A[i] = i / 8, B[i] = (i / 4) % 2, C[i] = (i / 2) % 2;
  const double a = BetweenSS(x, A), b = BetweenSS(x, B), c = BetweenSS(x, C);
  const double ab = BetweenSS(x, Cells({A, B}, {2, 1})) - a - b, ac = BetweenSS(x, Cells({A, C}, {2, 1})) - a - c,
               bc = BetweenSS(x, Cells({B, C}, {2, 1})) - b - c;
  Matrix d = Distances(x);
  Design design(d, {A, B, C}, 1);
  RngPtr g = Generator(2);
  RandomizationTestManova t(design.in, g.get());
  const ManovaResults& r = t.GetManovaResults();
  EXPECT_NEAR(r.Q[0][1], ab, 1e-10);
  EXPECT_NEAR(r.Q[0][2], ac, 1e-10);
  EXPECT_NEAR(r.Q[1][2], bc, 1e-10);
  EXPECT_NEAR(r.Q3, BetweenSS(x, Cells({A, B, C}, {4, 2, 1})) - a - b - c - ab - ac - bc, 1e-10);
  // Crossed without replication (one unit per cell): Qw = 0, no F ratio.
  Matrix dh = Distances(CopyOf(8, 2, x.data()));
  std::vector<int> hA(8), hB(8);
  for (int i = 0; i < 8; i++) hA[i] = i / 2, hB[i] = i % 2;
  Design single(dh, {hA, hB}, 20);
  single.in.pseudoF = true;
  RandomizationTestManova singleTest(single.in, g.get());
  const ManovaResults& s = singleTest.GetManovaResults();
  EXPECT_NEAR(s.Q[2][2], s.Qt, 1e-10);
  EXPECT_EQ(s.Qw, 0.0);
  EXPECT_FALSE(s.ratioFormed);
  // A combination of levels absent.
  Matrix d6 = Distances(RandomPoints(6, 1, 4));
  Design incomplete(d6, {{1, 1, 2, 2, 2, 1}, {1, 2, 1, 2, 1, 1}, {1, 1, 1, 2, 2, 3}}, 1);
  RandomizationTestManova inc(incomplete.in, g.get());
  EXPECT_TRUE(inc.GetManovaResults().pairComplete[0][1]);
  EXPECT_FALSE(inc.GetManovaResults().pairComplete[0][2]);
}

// Share of all ways of choosing which k of n units form the first group
// (labels 1 and 0) whose statistic is at least (or at most) the observed one.
template <class Statistic>
double ExactProbability(int n, int k, Statistic stat, double observed, bool larger) {
  std::vector<int> choose(n, 0);
  std::fill(choose.begin(), choose.begin() + k, 1);
  int total = 0, count = 0;
  do {
    const double v = stat(choose), tol = 1e-9 * std::fabs(observed);
    total++;
    if (larger ? v >= observed - tol : v <= observed + tol) count++;
  } while (std::prev_permutation(choose.begin(), choose.end()));
  return static_cast<double>(count) / total;
}

// Four standard errors of a Monte Carlo P from N permutations, and the 1/N.
double Tolerance(double exact, int N) { return 4 * std::sqrt(exact * (1 - exact) / N) + 1.0 / N; }

TEST(ManovaEngine, ProbabilitiesAgreeWithCompleteEnumeration) {
  const int n = 10, N = 20000;
  const Matrix x = RandomPoints(n, 2, 17, 0.9);
  const std::vector<int> labels = {1, 1, 1, 1, 1, 2, 2, 2, 2, 2};
  Matrix d = Distances(x);
  const double observedQb = BetweenSS(x, labels);
  const double exactQb = ExactProbability(n, 5, [&](const std::vector<int>& c) { return BetweenSS(x, c); },
                                          observedQb, true);
  auto delta = [&](const std::vector<int>& c) {
    double result = 0;
    for (int g = 0; g <= 1; g++) {
      double s = 0;
      int pairs = 0, size = 0;
      for (int i = 0; i < n; i++) {
        if (c[i] != g) continue;
        size++;
        for (int j = i + 1; j < n; j++)
          if (c[j] == g) s += d[i][j], pairs++;
      }
      result += static_cast<double>(size) / n * s / pairs;
    }
    return result;
  };
  const std::vector<int> observedLabels = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
  const double exactMrpp = ExactProbability(n, 5, delta, delta(observedLabels), false);
  ASSERT_GT(exactQb, 0.02);
  ASSERT_LT(exactQb, 0.5);

  Design design(d, {labels}, N);
  RngPtr g = Generator(99);
  RandomizationTestManova qb(design.in, g.get());
  EXPECT_NEAR(qb.GetManovaResults().P[0][0], exactQb, Tolerance(exactQb, N));
  EXPECT_NEAR(qb.GetManovaResults().Q[0][0], observedQb, 1e-10);
  RandomizationTestManova mrpp(design.in, 3, g.get());
  EXPECT_NEAR(mrpp.GetManovaResults().delta[0], delta(observedLabels), 1e-12);
  EXPECT_NEAR(mrpp.GetManovaResults().deltaP[0], exactMrpp, Tolerance(exactMrpp, N));
  // One factor: F = Qb / (Qt - Qb) grows with Qb, so the same lists give the same P.
  RngPtr g1 = Generator(5), g2 = Generator(5);
  RandomizationTestManova byQb(design.in, g1.get());
  design.in.pseudoF = true;
  RandomizationTestManova byF(design.in, g2.get());
  EXPECT_EQ(byQb.GetManovaResults().P[0][0], byF.GetManovaResults().P[0][0]);
  EXPECT_NEAR(byF.GetManovaResults().F[0][0], observedQb / (rtest::CentroidSS(x, rtest::All) - observedQb), 1e-10);
}

TEST(ManovaEngine, SeparatedGroupsAndTies) {
  // Perfect separation: P near 1/N for Qb and MRPP.
  Matrix x(20, 1);
  std::vector<int> labels;
  for (int i = 0; i < 20; i++) {
    x[i][0] = i < 10 ? 0.01 * i : 100 + 0.01 * i;
    labels.push_back(i < 10 ? 1 : 2);
  }
  Matrix d = Distances(x);
  Design design(d, {labels}, 1000);
  RngPtr g = Generator(3);
  RandomizationTestManova qb(design.in, g.get());
  EXPECT_LE(qb.GetManovaResults().P[0][0], 3.0 / 1000);
  RandomizationTestManova mrpp(design.in, 3, g.get());
  EXPECT_LE(mrpp.GetManovaResults().deltaP[0], 3.0 / 1000);
  // All dissimilarities equal: every permutation ties with the observed data.
  Matrix flat(12, 12);
  std::vector<int> twelve(12);
  for (int i = 0; i < 12; i++) {
    twelve[i] = i % 3;
    std::fill(flat[i], flat[i] + 12, 0.7);
  }
  Design ties(flat, {twelve}, 200);
  RandomizationTestManova t(ties.in, g.get());
  EXPECT_EQ(t.GetManovaResults().P[0][0], 1.0);
  RandomizationTestManova tm(ties.in, 3, g.get());
  EXPECT_EQ(tm.GetManovaResults().deltaP[0], 1.0);
  // A permuted error of 0 makes the random F infinite: counted as larger.
  EXPECT_TRUE(std::isinf(PermutedRatio(2.0, 0.0)));
  EXPECT_EQ(PermutedRatio(2.0, 4.0), 0.5);
}

TEST(ManovaEngine, ContrastsPermuteOnlyTheirGroups) {
  // Groups 1, 2, 3 of 4 units; contrast (1, -1, 0): exact P over the
  // C(8,4) = 70 assignments of groups 1 and 2 alone; signs only matter.
  const int n = 12, N = 20000;
  Matrix x = RandomPoints(n, 1, 23);
  for (int i = 0; i < 4; i++) x[i][0] += 0.8;
  for (int i = 8; i < 12; i++) x[i][0] += 50;  // group 3 far away: a full permutation would differ
  std::vector<int> labels(n);
  for (int i = 0; i < n; i++) labels[i] = i / 4 + 1;
  const Matrix eight = CopyOf(8, 1, x.data());
  const double qb = BetweenSS(eight, std::vector<int>(labels.begin(), labels.begin() + 8));
  const double exact =
      ExactProbability(8, 4, [&](const std::vector<int>& c) { return BetweenSS(eight, c); }, qb, true);
  Matrix d = Distances(x);
  Design design(d, {labels}, N);
  design.Contrasts({{{1, -1, 0}, {2, -1, -1}, {1, -1, -1}, {0, 0, 0}}});
  RngPtr g = Generator(8);
  RandomizationTestManova t(design.in, g.get());
  const auto& c = t.GetManovaResults().contrasts[0];
  ASSERT_EQ(c.size(), 4u);
  EXPECT_NEAR(c[0].Qb, qb, 1e-10);
  EXPECT_NEAR(c[0].probability, exact, Tolerance(exact, N));
  EXPECT_NEAR(c[1].Qb, c[2].Qb, 1e-9);
  EXPECT_NEAR(c[1].Qb, BetweenSS(x, {1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2}), 1e-9);
  EXPECT_EQ(c[3].Qb, 0.0);
  EXPECT_EQ(c[3].probability, 1.0);
}

TEST(ManovaEngine, NestedPermutationsStayWithinBlocks) {
  const int n = 12;
  Matrix d = Distances(RandomPoints(n, 2, 4));
  std::vector<int> blocks(n), treatment(n);
  for (int i = 0; i < n; i++) blocks[i] = i / 4 + 1, treatment[i] = i % 4 + 1;
  Design design(d, {blocks, treatment}, 60);
  design.in.nestingOn = true;
  design.in.nestingFactor = 1;
  design.in.blockDesign = true;
  design.in.printIntermediate = true;
  int seen = 0;
  RngPtr g = Generator(4);
  RandomizationTestManova t(design.in, g.get(), {}, [&](int permutation, const int* list, const ManovaResults&) {
    EXPECT_EQ(permutation, ++seen);
    for (int i = 0; i < n; i++) EXPECT_EQ((list[i] - 1) / 4, i / 4) << "unit left its block";
  });
  EXPECT_EQ(seen, 60);
  EXPECT_EQ(t.GetManovaResults().threads, 1);
  // Blocks never change under these permutations: P of the block factor is 1.
  EXPECT_EQ(t.GetManovaResults().P[0][0], 1.0);
}

TEST(ManovaEngine, SameResultsAtOneAndTwoThreads) {
  const int n = 40;
  Matrix d = Distances(RandomPoints(n, 3, 6, 0.4));
  std::vector<int> A(n), B(n);
  for (int i = 0; i < n; i++) A[i] = i % 4, B[i] = (i / 4) % 2;
  auto run = [&](int threads, int statistic) {
    omp_set_num_threads(threads);
    Design design(d, {A, B}, 3001);
    design.Contrasts({{{1, -1, 0, 0}, {1, 1, -1, -1}}, {}});
    design.in.pseudoF = statistic == 2;
    RngPtr g = Generator(777);
    std::vector<double> out;
    if (statistic == 3) {
      RandomizationTestManova t(design.in, 3, g.get());
      out = t.GetManovaResults().deltaP;
    } else {
      RandomizationTestManova t(design.in, g.get());
      const ManovaResults& r = t.GetManovaResults();
      for (auto& row : r.P) out.insert(out.end(), row.begin(), row.end());
      for (auto& c : r.contrasts[0]) out.push_back(c.probability);
    }
    return out;
  };
  const int saved = omp_get_max_threads();
  for (int statistic : {1, 2, 3}) EXPECT_EQ(run(1, statistic), run(2, statistic)) << "statistic " << statistic;
  omp_set_num_threads(saved);
}

}  // namespace

// Bootstrap of group partition sharpness: the squared distances, every
// quantity of an iteration against the literal combined matrices of
// reference plus sample units (sums of squares by SumSqDissim and
// BetweenGrSSPairwise, matching by brute force), a hand-worked structure,
// separated against structureless data, and the same results at any number
// of threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "bootstrap/PartitionSharpness.h"
#include "bootstrap/SharpnessTestSupport.h"
#include "randomization/GroupSumsOfSquares.h"

namespace {

using namespace sharpnesstest;

// SharpnessSettings{kmax, initial size, step, method[, dissimilarities, measure]}.

TEST(SharpnessSquaredDistances, SquaredDissimilaritiesSimilaritiesAndCentredMutualInformation) {
  Matrix dissim{{0, 3}, {3, 0}};
  Matrix similarity{{4, 1}, {1, 9}};
  // Non-zero self-dissimilarities: d2 = d(1,2)^2 - (d(1,1)^2 + d(2,2)^2) / 2.
  Matrix info{{1, 3}, {3, 2}};
  struct Case {
    Matrix* rese;
    bool isDissim;
    int measure;
    double d12, diagonal;
  } cases[] = {{&dissim, true, 3, 9.0, 0.0}, {&similarity, false, 1, 11.0, 0.0}, {&info, true, 4, 6.5, 0.0},
               {&info, true, 8, 9.0, 1.0}};
  for (const Case& c : cases) {
    Matrix d2(2, 2);
    SharpnessSquaredDistances(2, c.rese->data(), c.isDissim, c.measure, d2.data());
    EXPECT_DOUBLE_EQ(d2[0][1], c.d12) << c.measure;
    EXPECT_DOUBLE_EQ(d2[1][0], c.d12) << c.measure;
    EXPECT_DOUBLE_EQ(d2[0][0], c.diagonal) << c.measure;
  }
}

TEST(SharpnessReference, RefusesSettingsThatLeaveNoSpareUnit) {
  const Points x = Clouds(2, 3, 2, 5, 1, 1);  // 6 units
  Matrix d = Euclidean(x);
  auto h = Cluster(d, kUPGMA, true);
  struct Case {
    int kmax, initial, step;
    bool valid;
  } cases[] = {{2, 3, 1, true}, {5, 6, 0, true}, {1, 3, 1, false}, {6, 6, 0, false},
               {3, 3, 1, false}, {2, 7, 0, false}, {2, 4, 0, false}};
  for (const Case& c : cases) {
    const SharpnessSettings s{c.kmax, c.initial, c.step, kUPGMA};
    if (c.valid)
      EXPECT_NO_THROW(SharpnessReference(6, d.data(), h->rep, s)) << c.kmax << " " << c.initial;
    else
      EXPECT_THROW(SharpnessReference(6, d.data(), h->rep, s), std::invalid_argument) << c.kmax << " " << c.initial;
  }
}

// The literal combined table of the n reference units and the given units.
Matrix Combined(const Matrix& d2, int n, const std::vector<int>& units0) {
  const int m = static_cast<int>(units0.size());
  Matrix c(n + m, n + m);
  auto at = [&](int x) { return x < n ? x : units0[x - n]; };
  for (int x = 0; x < n + m; x++)
    for (int y = 0; y < n + m; y++) c[x][y] = d2[at(x)][at(y)];
  return c;
}

// Checks a comparison's table, T, S and G against the literal combined
// matrix.
void ExpectLiteral(const Matrix& d2, int n, int k, const std::vector<int>& units0, const int* labels,
                   const double* const* qp, double total, double within, double S, double G,
                   const int* which, const char* what) {
  const int m = static_cast<int>(units0.size());
  Matrix comb = Combined(d2, n, units0);
  Matrix literal(2 * k, 2 * k);
  BetweenGrSSPairwise(n + m, comb.data(), literal.data(), labels, 2 * k, true);
  const double T = SumSqDissim(n + m, comb.data(), true);
  const double tol = 1e-10 * T;
  EXPECT_NEAR(total, T, tol) << what;
  double diagonal = 0;
  for (int a = 0; a < 2 * k; a++) {
    diagonal += literal[a][a];
    for (int b = a; b < 2 * k; b++)
      EXPECT_NEAR(qp[a][b], literal[a][b], tol) << what << " k " << k << " entry " << a << "," << b;
  }
  EXPECT_NEAR(within, diagonal, tol) << what;
  double s = 0;
  for (int g = 0; g < k; g++) s += literal[g][k + which[g]];
  EXPECT_NEAR(S, s, tol) << what;
  EXPECT_NEAR(G, 1.0 - s / T, 1e-12) << what;
}

struct LiteralCase {
  const char* name;
  int method;
  bool similarity;
  int initial, step;
};

TEST(PartitionSharpness, EveryQuantityOfAnIterationMatchesTheLiteralCombinedMatrices) {
  const Points x = Clouds(3, 5, 3, 4.0, 1.5, 11);  // 15 units
  const int n = static_cast<int>(x.size());
  Matrix d2(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) d2[i][j] = SquaredDistance(x[i], x[j]);
  const LiteralCase cases[] = {{"UPGMA", kUPGMA, false, 6, 4},
                               {"Ward", kWard, false, 5, 5},
                               {"single linkage of cross products", kSingleLinkage, true, 8, 3},
                               {"complete linkage", kCompleteLinkage, false, 15, 0},
                               {"WPGMA", kWPGMA, false, 9, 2}};
  for (const LiteralCase& c : cases) {
    SCOPED_TRACE(c.name);
    Matrix rese = c.similarity ? CrossProducts(x) : Euclidean(x);
    auto h = Cluster(rese, c.method, !c.similarity);
    const SharpnessSettings s{4, c.initial, c.step, c.method, !c.similarity, c.similarity ? 6 : 1};
    const SharpnessReference ref(n, rese.data(), h->rep, s);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) ASSERT_NEAR(ref.D2()[i][j], d2[i][j], 1e-9 * (1 + d2[i][j]));

    std::vector<int> sample;  // 0-based units of the current step
    int comparisons = 0, steps = 0;
    std::vector<double> seen;
    SharpnessObserver obs;
    obs.step = [&](const SharpnessStepDetail& d) {
      EXPECT_EQ(d.sampleSize, ref.SampleSize(d.step));
      sample.assign(d.units, d.units + d.sampleSize);
      for (int& u : sample) u -= 1;
      Matrix literal = Combined(d2, n, sample);
      for (int a = 0; a < n + d.sampleSize; a++)
        for (int b = 0; b < n + d.sampleSize; b++)
          ASSERT_NEAR(d.combined[a][b], literal[a][b], 1e-9 * (1 + literal[a][b]));
      steps++;
    };
    obs.comparison = [&](const SharpnessComparison& cmp) {
      const int k = cmp.k, m = cmp.sampleSize;
      ASSERT_EQ(m, static_cast<int>(sample.size()));
      for (int i = 0; i < n; i++) ASSERT_EQ(cmp.labels[i], ref.Partition(k)[i]);
      std::vector<int> present(k, 0);
      for (int j = 0; j < m; j++) present[cmp.labels[n + j] - k - 1] = 1;
      EXPECT_EQ(std::count(present.begin(), present.end(), 1), k) << "every sample group has members";
      ExpectLiteral(d2, n, k, sample, cmp.labels, cmp.qp, cmp.total, cmp.within, cmp.s, cmp.g, cmp.which,
                    "observed");
      EXPECT_DOUBLE_EQ(cmp.s, BestMatchingSum(k, cmp.qp)) << "the matching found the optimum";
      // Null sample: the places of sample group which[g] hold members of
      // reference group g.
      std::vector<int> nullUnits(cmp.nullUnits, cmp.nullUnits + m);
      for (int& u : nullUnits) u -= 1;
      for (int j = 0; j < m; j++) {
        const int h = cmp.labels[n + j] - k - 1;
        const int g = static_cast<int>(std::find(cmp.which, cmp.which + k, h) - cmp.which);
        EXPECT_EQ(ref.Partition(k)[nullUnits[j]], g + 1);
      }
      ExpectLiteral(d2, n, k, nullUnits, cmp.labels, cmp.qpNull, cmp.totalNull, cmp.withinNull, cmp.sNull, cmp.gNull,
                    cmp.which, "null");
      seen.push_back(cmp.g);
      comparisons++;
    };
    std::vector<double> ended;
    obs.iterationEnd = [&](int64_t, const double* g) { ended.assign(g, g + 3 * ref.steps()); };
    SharpnessWorkspace work(ref, 2024, nullptr, true);
    std::vector<double> gStar(3 * ref.steps());
    std::vector<int64_t> counts(ref.CounterCount(), 0);
    for (int64_t t = 1; t <= 3; t++) GroupPartitionSharpness_PerGroup(ref, t, work, gStar.data(), counts.data(), &obs);
    EXPECT_EQ(steps, 3 * ref.steps());
    EXPECT_EQ(comparisons, 3 * 3 * ref.steps());
    // The last iteration's values, step by step for k = 2..4.
    for (int k = 2; k <= 4; k++)
      for (int st = 0; st < ref.steps(); st++)
        EXPECT_EQ(ended[(k - 2) * ref.steps() + st], seen[seen.size() - 3 * ref.steps() + st * 3 + (k - 2)]);
  }
}

TEST(PartitionSharpness, GroupsOfIdenticalUnitsAreRecoveredExactly) {
  // Three groups of ten identical units at 0, 10 and 25 on a line: every
  // bootstrap sample of all 30 units holds the three positions, its three
  // groups coincide with the reference groups, S = 0 and G* = 1; the null
  // sample is the same, so every iteration counts (ties included).
  Points x;
  for (int i = 0; i < 30; i++) x.push_back({i < 10 ? 0.0 : i < 20 ? 10.0 : 25.0});
  Matrix d = Euclidean(x);
  for (int method : {kSingleLinkage, kUPGMA, kWard}) {
    auto h = Cluster(d, method, true);
    const SharpnessSettings s{3, 30, 0, method};
    const SharpnessReference ref(30, d.data(), h->rep, s);
    const SharpnessResults r = RunPartitionSharpness(ref, 50, 9, nullptr, 0, {}, nullptr);
    ASSERT_EQ(r.sampleSizes, std::vector<int>{30});
    EXPECT_EQ(r.meanG[1], 1.0) << method;
    EXPECT_EQ(r.pG[1], 1.0) << method;
    EXPECT_EQ(r.pQb[1], std::vector<double>(3, 1.0)) << method;
  }
}

TEST(PartitionSharpness, SeparatedGroupsAreSharpAndStructurelessDataIsNot) {
  // 40 units in 4 clouds, far apart or all at the origin. With the four
  // groups of separated clouds G* is close to 1 at every sample size, and a
  // null sample drawn from the matched reference groups is no closer
  // (P(GNull <= G*) near one half); without structure the samples' groups
  // fall across the reference groups: G* lower and P small.
  for (int method : {kUPGMA, kWard}) {
    SCOPED_TRACE(method);
    const SharpnessSettings s{5, 10, 10, method};
    const Points separated = Clouds(4, 10, 3, 10.0, 0.3, 5);
    const Points structureless = Clouds(4, 10, 3, 0.0, 1.0, 5);
    Matrix ds = Euclidean(separated), dn = Euclidean(structureless);
    auto hs = Cluster(ds, method, true);
    auto hn = Cluster(dn, method, true);
    const SharpnessReference rs(40, ds.data(), hs->rep, s), rn(40, dn.data(), hn->rep, s);
    const SharpnessResults sharp = RunPartitionSharpness(rs, 400, 1234, nullptr, 0, {}, nullptr);
    const SharpnessResults flat = RunPartitionSharpness(rn, 400, 1234, nullptr, 0, {}, nullptr);
    ASSERT_EQ(sharp.sampleSizes, (std::vector<int>{10, 20, 30, 40}));
    const int k4 = 2;  // row of k = 4
    for (int st = 0; st < 4; st++) {
      EXPECT_GT(sharp.meanG[k4 * 4 + st], 0.98) << "size " << sharp.sampleSizes[st];
      EXPECT_GT(sharp.pG[k4 * 4 + st], 0.25) << "size " << sharp.sampleSizes[st];
      for (int g = 0; g < 4; g++) EXPECT_GT(sharp.pQb[k4][g * 4 + st], 0.25) << "group " << g + 1;
      EXPECT_LT(flat.meanG[k4 * 4 + st], 0.95) << "size " << flat.sampleSizes[st];
      EXPECT_LT(flat.meanG[k4 * 4 + st], sharp.meanG[k4 * 4 + st] - 0.04);
      EXPECT_LT(flat.pG[k4 * 4 + st], 0.1) << "size " << flat.sampleSizes[st];
    }
    for (double p : sharp.pG) EXPECT_LE(p, 1.0);
    for (double g : flat.meanG) EXPECT_GT(g, 0.5);
  }
}

// The detailed path (with an observer, in iteration order) computes what the
// quick path does at one and two threads, and its values average to the means.
TEST(PartitionSharpness, SameSeedSameResultsAtOneAndTwoThreadsAndWithTheObserver) {
  const Points x = Clouds(3, 12, 4, 3.0, 1.2, 8);
  Matrix d = Euclidean(x);
  for (int method : {kCompleteLinkage, kWard}) {
    auto h = Cluster(d, method, true);
    const SharpnessSettings s{4, 12, 9, method};
    const SharpnessReference ref(36, d.data(), h->rep, s);
    const int cells = 3 * ref.steps();
    SharpnessObserver obs;
    std::vector<double> shown;
    obs.iterationEnd = [&](int64_t, const double* g) { shown.insert(shown.end(), g, g + cells); };
    const SharpnessResults one = RunPartitionSharpness(ref, 301, 42, nullptr, 1, {}, nullptr);
    const SharpnessResults two = RunPartitionSharpness(ref, 301, 42, nullptr, 2, {}, nullptr);
    const SharpnessResults detailed = RunPartitionSharpness(ref, 301, 42, nullptr, 2, {}, &obs);
    EXPECT_EQ(one.threads, 1);
    EXPECT_EQ(two.threads, 2);
    for (const SharpnessResults* r : {&two, &detailed}) {
      EXPECT_EQ(r->meanG, one.meanG);
      EXPECT_EQ(r->pG, one.pG);
      EXPECT_EQ(r->pQb, one.pQb);
    }
    ASSERT_EQ(shown.size(), 301u * cells);
    for (int i = 0; i < cells; i++) {
      double sum = 0;
      for (int t = 0; t < 301; t++) sum += shown[t * cells + i];
      EXPECT_EQ(one.meanG[i], sum / 301);
    }
    const SharpnessResults other = RunPartitionSharpness(ref, 301, 43, nullptr, 2, {}, nullptr);
    EXPECT_NE(one.meanG, other.meanG) << "another seed draws other samples";
  }
}

// Over more than one chunk of iterations.
TEST(PartitionSharpness, ProgressEndsAtTheNumberOfIterations) {
  const Points x = Clouds(2, 5, 2, 5.0, 1.0, 2);
  Matrix d = Euclidean(x);
  auto h = Cluster(d, kUPGMA, true);
  const SharpnessSettings s{2, 10, 0, kUPGMA};
  const SharpnessReference ref(10, d.data(), h->rep, s);
  int64_t last = 0, total = 0;
  bool increasing = true;
  const auto progress = [&](int64_t done, int64_t all) {
    increasing = increasing && done >= last;
    last = done;
    total = all;
  };
  EXPECT_EQ(RunPartitionSharpness(ref, 9000, 1, nullptr, 2, progress, nullptr).iterations, 9000);
  EXPECT_TRUE(increasing);
  EXPECT_EQ(last, 9000);
  EXPECT_EQ(total, 9000);
}

}  // namespace

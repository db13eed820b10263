// Bootstrap of ordination dimensions: every quantity of an iteration against
// an independent reconstruction (the sampled and permuted tables, and ro by a
// brute-force search of the best rotation), structured against
// structureless data, the axes a sample lacks and the samples that cannot
// be ordinated, the last-axis rule, the same results at any number of
// threads, and the settings refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/OrdinationBootstrap.h"
#include "bootstrap/ProcrustesFit.h"
#include "ordination/OrdinationLib.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

namespace {

constexpr double kMissing = -999.0;

OrdinationAnalysis Analysis(int type, int measure, int direction, int withinUnits = 0, int withinVariables = 0) {
  return MakeOrdinationAnalysis(type, measure, direction, withinUnits, withinVariables);
}


// The whole analysis of an n x p table, as option O leaves it: the scores of
// the sampling units (row per axis), the rank in *rank.
Matrix UnitScores(const Matrix& table, const OrdinationAnalysis& a, int* rank) {
  const int n = table.rows(), p = table.cols();
  Matrix t = table;
  EXPECT_EQ(DataTransformationsLib(a.transform, n, p, t.data()), 1);
  const int q = a.resemblance.Order(n, p);
  Matrix rese(q, q), evec(q, q), scores(q, std::max(n, p));
  std::vector<double> eig(q);
  EXPECT_EQ(ResemblanceLib(a.resemblance, n, p, t.data(), rese.data()), 1);
  bool ok = true;
  const double* const* X = a.ordination.type == 3 ? table.data() : t.data();
  const int cols = a.resemblance.direction == 2 ? n : p;
  OrdinationLib_D(a.ordination, q, cols, X, rese.data(), evec.data(), scores.data(), rank, eig.data(), &ok);
  Matrix units(*rank, n);
  for (int k = 0; k < *rank; k++)
    for (int i = 0; i < n; i++) units[k][i] = scores[k][i];
  return units;
}

OrdinationBootstrapReference Reference(const Matrix& table, const OrdinationAnalysis& a, int nAxes, int initial,
                                       int step) {
  int rank = 0;
  const Matrix scores = UnitScores(table, a, &rank);
  return OrdinationBootstrapReference(table.rows(), table.cols(), table.data(), rank, scores.data(), a,
                                      OrdinationBootstrapSettings{nAxes, initial, step});
}

// n units on two gradients that every variable follows: the first half of
// the variables the first gradient (spread 10), the others the second
// (spread 4), with alternating signs and small noise. Permuting the
// variables independently keeps their variances but breaks the gradients.
Matrix Gradients(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> z;
  std::uniform_real_distribution<double> u(0.0, 1.0);
  Matrix t(n, p);
  for (int i = 0; i < n; i++) {
    const double g1 = 10.0 * u(gen), g2 = 4.0 * u(gen);
    for (int j = 0; j < p; j++) t[i][j] = (j % 2 ? -1.0 : 1.0) * (2 * j < p ? g1 : g2) + 0.5 * z(gen);
  }
  return t;
}

Matrix Noise(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> z;
  Matrix t(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) t[i][j] = z(gen);
  return t;
}

// Abundances: positive counts, larger along a gradient for the first species.
Matrix Abundances(int n, int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> u(1, 9);
  Matrix t(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) t[i][j] = u(gen) + (j == 0 ? 2 * i : j == 1 ? 2 * (n - i) : 0);
  return t;
}

void ExpectNoNaN(const OrdinationBootstrapResults& r) {
  for (double v : r.meanRo) EXPECT_TRUE(v == kMissing || (v >= -1.0 && v <= 1.0)) << v;
  for (double v : r.p) EXPECT_TRUE(v == kMissing || (v >= 0.0 && v <= 1.0)) << v;
}

TEST(OrdinationBootstrap, TwoDominantGradientsAreStableAndNoiseIsNot) {
  const OrdinationAnalysis euclid = Analysis(1, 3, 1);
  const Matrix structured = Gradients(40, 8, 3), noise = Noise(40, 8, 4);
  const auto refS = Reference(structured, euclid, 2, 20, 10);
  const auto refN = Reference(noise, euclid, 2, 20, 10);
  const OrdinationBootstrapResults s = RunOrdinationBootstrap(refS, 200, 11, nullptr, 0, {}, nullptr);
  const OrdinationBootstrapResults n = RunOrdinationBootstrap(refN, 200, 11, nullptr, 0, {}, nullptr);
  ASSERT_EQ(s.sampleSizes, (std::vector<int>{20, 30, 40}));
  for (int a = 0; a < 2; a++)
    for (int st = 0; st < 3; st++) {
      const int i = a * 3 + st;
      EXPECT_EQ(s.valid[i], 200);
      EXPECT_GT(s.meanRo[i], 0.97) << a << " " << st;
      EXPECT_LT(s.p[i], 0.05) << a << " " << st;
      EXPECT_GT(n.p[i], 0.2) << a << " " << st;
      EXPECT_LT(n.meanRo[i], 0.9) << a << " " << st;
    }
  ExpectNoNaN(s);
  ExpectNoNaN(n);
}

// Distinct units among the first m of a bootstrap list.
int Distinct(const int* units, int m) { return static_cast<int>(std::set<int>(units, units + m).size()); }

// Three variables in general position: a sample of u distinct units has
// min(u - 1, 3) principal coordinates, so axis a exists when u >= a + 1.
// With Mahalanobis distances a sample of no more distinct units than
// variables cannot be compared at all. Each cell's valid count is the number
// of iterations whose sample allows it (the permuted table's rows at the same
// positions are as many distinct rows).
TEST(OrdinationBootstrap, AxesASampleLacksAndSamplesThatCannotBeComparedAreLeftOut) {
  const Matrix table = Noise(8, 3, 21);
  struct Case {
    const char* name;
    int measure;
    bool wholeSampleNeeded;  // every axis needs more distinct units than variables
  } cases[] = {{"Euclidean", 3, false}, {"Mahalanobis", 29, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto ref = Reference(table, Analysis(1, c.measure, 1), 3, 2, 2);  // sizes 2, 4, 6, 8
    const int steps = ref.steps();
    ASSERT_EQ(steps, 4);
    std::vector<int64_t> expected(3 * steps, 0);
    int computed = 0, notComputed = 0;
    OrdinationBootstrapObserver watch;
    watch.step = [&](const OrdinationStepView& v) {
      const int u = Distinct(v.units, v.sampleSize);
      const bool comparable = !c.wholeSampleNeeded || u > 3;
      EXPECT_EQ(v.sample.computed, comparable) << u;
      EXPECT_EQ(v.random.computed, comparable) << u;
      (comparable ? computed : notComputed)++;
      for (int a = 0; a < 3; a++) {
        const bool has = comparable && u >= a + 2;
        EXPECT_EQ(v.sample.ro[a] != kMissing, has) << "axis " << a + 1 << " with " << u << " distinct units";
        if (has) expected[a * steps + v.step]++;
      }
    };
    const OrdinationBootstrapResults r = RunOrdinationBootstrap(ref, 150, 5, nullptr, 0, {}, &watch);
    EXPECT_EQ(r.valid, expected);
    EXPECT_GT(computed, 0);
    if (c.wholeSampleNeeded) {
      EXPECT_GT(notComputed, 0);
    }
    // Samples of 2 units never have a second axis.
    for (int a = 1; a < 3; a++) {
      EXPECT_EQ(r.valid[a * steps], 0);
      EXPECT_EQ(r.meanRo[a * steps], kMissing);
      EXPECT_EQ(r.p[a * steps], kMissing);
    }
    EXPECT_LT(r.valid[2 * steps + 1], r.valid[2 * steps + 3]);
    ExpectNoNaN(r);
  }
}

// A third variable with a variance 1e-6 of the others: its axis carries far
// less than 0.1 % of the sum of the first three eigenvalues, so its ro* is 0
// in every sample, and roRnd (the permuted variable is as small) ties.
TEST(OrdinationBootstrap, LastAxisWithANegligibleEigenvalueCountsAsZero) {
  Matrix table = Noise(15, 3, 8);
  for (int i = 0; i < 15; i++) table[i][2] *= 1e-3;
  const auto ref = Reference(table, Analysis(1, 3, 1), 3, 10, 5);
  const OrdinationBootstrapResults r = RunOrdinationBootstrap(ref, 60, 3, nullptr, 0, {}, nullptr);
  const int steps = ref.steps();
  for (int st = 0; st < steps; st++) {
    ASSERT_GT(r.valid[2 * steps + st], 0);
    EXPECT_EQ(r.meanRo[2 * steps + st], 0.0);
    EXPECT_EQ(r.p[2 * steps + st], 1.0);
    EXPECT_GT(r.meanRo[st], 0.0);
  }
}

// Sample axis 2 of the best rotation or reflection of the first two axes,
// found by search over the angle (no decomposition): the correlation of
// reference axis 2 with it.
double BruteForceSecondAxis(int m, const double* const* ref, const double* const* smp) {
  std::vector<double> R[2], S[2];
  for (int a = 0; a < 2; a++) {
    double mr = 0, ms = 0;
    for (int i = 0; i < m; i++) mr += ref[a][i] / m, ms += smp[a][i] / m;
    for (int i = 0; i < m; i++) R[a].push_back(ref[a][i] - mr), S[a].push_back(smp[a][i] - ms);
  }
  auto fit = [&](double theta, double flip, int j, std::vector<double>* out) {
    const double q[2][2] = {{std::cos(theta), -std::sin(theta) * flip}, {std::sin(theta), std::cos(theta) * flip}};
    double agreement = 0;
    for (int c = 0; c < 2; c++)
      for (int i = 0; i < m; i++) {
        const double v = S[0][i] * q[0][c] + S[1][i] * q[1][c];
        agreement += v * R[c][i];
        if (out && c == j) (*out)[i] = v;
      }
    return agreement;
  };
  double bestTheta = 0, bestFlip = 1, best = -1e300;
  for (double flip : {1.0, -1.0})
    for (int g = 0; g < 3600; g++) {
      const double theta = g * 2 * M_PI / 3600;
      const double v = fit(theta, flip, 0, nullptr);
      if (v > best) best = v, bestTheta = theta, bestFlip = flip;
    }
  double lo = bestTheta - 0.002, hi = bestTheta + 0.002;
  for (int it = 0; it < 200; it++) {
    const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
    if (fit(a, bestFlip, 0, nullptr) < fit(b, bestFlip, 0, nullptr)) lo = a; else hi = b;
  }
  std::vector<double> axis2(m);
  fit((lo + hi) / 2, bestFlip, 1, &axis2);
  return Correlation2Vec(m, R[1].data(), axis2.data());
}

// Every quantity of a few iterations, rebuilt from the units the iteration
// drew: the sampled and permuted tables, the samples' scores (a new
// ordination of the sampled rows), ro by brute force, and what the iteration
// stores and counts.
TEST(OrdinationBootstrap, EveryQuantityOfAnIterationAgreesWithAnIndependentReconstruction) {
  const Matrix table = Abundances(12, 5, 31);
  const OrdinationAnalysis hellinger = Analysis(1, 3, 1, 10);
  int refRank = 0;
  const Matrix refScores = UnitScores(table, hellinger, &refRank);
  const auto ref = Reference(table, hellinger, 2, 6, 3);
  const int steps = ref.steps();
  ASSERT_EQ(steps, 3);
  OrdinationBootstrapWorkspace work(ref, 77, nullptr);

  Matrix permuted, permutedScores;
  std::vector<double> ro(2 * steps), roRnd(2 * steps);
  int checkedRandom = 0;
  OrdinationBootstrapObserver watch;
  watch.iterationStart = [&](const OrdinationPermutedView& v) {
    ASSERT_EQ(v.variables, 5);
    permuted = Matrix(12, 5);
    for (int j = 0; j < 5; j++) {
      std::vector<double> column, original;
      for (int i = 0; i < 12; i++) column.push_back(permuted[i][j] = v.data[i][j]), original.push_back(table[i][j]);
      std::sort(column.begin(), column.end());
      std::sort(original.begin(), original.end());
      EXPECT_EQ(column, original) << "column " << j << " is a permutation of the original";
    }
    ASSERT_TRUE(v.computed);
    EXPECT_EQ(v.axes, 2);
    int rank = 0;
    permutedScores = UnitScores(permuted, hellinger, &rank);
    for (int a = 0; a < 2; a++)
      for (int i = 0; i < 12; i++) EXPECT_NEAR(v.scores[a][i], permutedScores[a][i], 1e-9);
  };
  watch.step = [&](const OrdinationStepView& v) {
    const int m = v.sampleSize;
    ASSERT_EQ(m, 6 + 3 * v.step);
    for (const OrdinationSampleView* side : {&v.sample, &v.random}) {
      const bool random = side == &v.random;
      const Matrix& source = random ? permuted : table;
      ASSERT_EQ(side->variables, 5);
      Matrix rows(m, 5);
      for (int i = 0; i < m; i++)
        for (int j = 0; j < 5; j++) {
          rows[i][j] = source[v.units[i] - 1][j];
          ASSERT_EQ(side->data[i][j], rows[i][j]);
        }
      ASSERT_TRUE(side->computed);
      int rank = 0;
      const Matrix scores = UnitScores(rows, hellinger, &rank);
      ASSERT_GE(std::min(rank, 2), side->axes);
      for (int a = 0; a < side->axes; a++)
        for (int i = 0; i < m; i++) EXPECT_NEAR(side->scores[a][i], scores[a][i], 1e-9);
      ASSERT_EQ(side->referenceAxes, 2);
      const Matrix& reference = random ? permutedScores : refScores;
      for (int a = 0; a < 2; a++)
        for (int i = 0; i < m; i++) EXPECT_NEAR(side->reference[a][i], reference[a][v.units[i] - 1], 1e-9);
      // Axis 1: the fit is at most a reflection, so ro = |r|; axis 2 by search.
      if (side->axes >= 1) {
        EXPECT_NEAR(side->ro[0], std::fabs(Correlation2Vec(m, side->reference[0], side->scores[0])), 1e-12);
      }
      if (side->axes >= 2) {
        EXPECT_NEAR(side->ro[1], BruteForceSecondAxis(m, side->reference, side->scores), 1e-7);
      }
      for (int a = 0; a < 2; a++) (random ? roRnd : ro)[a * steps + v.step] = side->ro[a];
      if (random) checkedRandom++;
    }
  };
  for (int64_t t = 1; t <= 4; t++) {
    std::vector<double> roStar(2 * steps, 0.0);
    std::vector<int64_t> counts(ref.CounterCount(), 0);
    BootstrappedOrdination_D(ref, t, work, roStar.data(), counts.data(), &watch);
    for (int a = 0; a < 2; a++)
      for (int s = 0; s < steps; s++) {
        const int i = a * steps + s;
        const bool valid = ro[i] != kMissing;
        EXPECT_EQ(roStar[i], valid ? ro[i] : kMissing);
        EXPECT_EQ(counts[ref.ValidCounter(a, s)], valid ? 1 : 0);
        EXPECT_EQ(counts[ref.RandomCounter(a, s)], valid && roRnd[i] != kMissing && roRnd[i] >= ro[i] ? 1 : 0);
      }
  }
  EXPECT_EQ(checkedRandom, 4 * steps);
}

// The analyses the bootstrap re-applies: principal coordinates after the
// Hellinger transformation, principal components of variables from
// correlations and covariances, correspondence analysis, the Gower index
// with variable kinds, deviations from group means.
TEST(OrdinationBootstrap, SameSeedSameResultsAtOneAndTwoThreadsAndWithTheObserver) {
  const Matrix abundances = Abundances(18, 6, 41);
  Matrix mixed = Noise(18, 4, 42);
  for (int i = 0; i < 18; i++) mixed[i][0] = i % 2, mixed[i][1] = i % 3;
  OrdinationAnalysis gower = Analysis(1, 5, 1);
  gower.resemblance.varType = {1, 2, 3, 3};
  OrdinationAnalysis groupMeans = Analysis(1, 3, 1, 0, 12);
  for (int i = 0; i < 18; i++) groupMeans.transform.groups.push_back(1 + i % 3);
  struct Case {
    const char* name;
    const Matrix* table;
    OrdinationAnalysis analysis;
  } cases[] = {{"Hellinger, principal coordinates", &abundances, Analysis(1, 3, 1, 10)},
               {"principal components of correlations", &abundances, Analysis(2, 17, 2)},
               {"principal components of covariances", &abundances, Analysis(2, 22, 2)},
               {"correspondence analysis", &abundances, Analysis(3, 1, 2, 6)},
               {"Gower index", &mixed, gower},
               {"deviations from group means", &mixed, groupMeans}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto ref = Reference(*c.table, c.analysis, 3, 8, 5);
    const auto one = RunOrdinationBootstrap(ref, 120, 2024, nullptr, 1, {}, nullptr);
    const auto two = RunOrdinationBootstrap(ref, 120, 2024, nullptr, 2, {}, nullptr);
    OrdinationBootstrapObserver quiet;
    quiet.step = [](const OrdinationStepView&) {};
    const auto watched = RunOrdinationBootstrap(ref, 120, 2024, nullptr, 2, {}, &quiet);
    EXPECT_EQ(one.threads, 1);
    EXPECT_EQ(watched.threads, 1);
    for (const auto* r : {&two, &watched}) {
      EXPECT_EQ(r->meanRo, one.meanRo);
      EXPECT_EQ(r->p, one.p);
      EXPECT_EQ(r->valid, one.valid);
    }
    const auto other = RunOrdinationBootstrap(ref, 120, 2025, nullptr, 2, {}, nullptr);
    EXPECT_NE(other.meanRo, one.meanRo);
    for (int64_t v : one.valid) EXPECT_GT(v, 60);
    ExpectNoNaN(one);
  }
}

TEST(OrdinationBootstrapReference, RefusesSettingsThatDoNotFit) {
  const Matrix table = Noise(6, 3, 2);
  int rank = 0;
  const OrdinationAnalysis pcoa = Analysis(1, 3, 1);
  const Matrix scores = UnitScores(table, pcoa, &rank);
  ASSERT_EQ(rank, 3);
  struct Case {
    int nAxes, initial, step;
    OrdinationAnalysis analysis;
    bool valid;
  } cases[] = {{3, 4, 1, pcoa, true},
               {1, 6, 0, pcoa, true},
               {0, 4, 1, pcoa, false},                 // no axis
               {4, 5, 1, pcoa, false},                 // more axes than variables
               {2, 0, 1, pcoa, false},                 // no unit
               {2, 7, 0, pcoa, false},                 // more units than there are
               {2, 4, 0, pcoa, false},                 // no step below n
               {2, 4, 1, Analysis(2, 17, 1), false},   // components of units score the variables
               {2, 4, 1, Analysis(1, 3, 2), false}};   // coordinates of variables
  for (const Case& c : cases) {
    const OrdinationBootstrapSettings s{c.nAxes, c.initial, c.step};
    auto make = [&] { OrdinationBootstrapReference(6, 3, table.data(), rank, scores.data(), c.analysis, s); };
    if (c.valid)
      EXPECT_NO_THROW(make()) << c.nAxes << " " << c.initial;
    else
      EXPECT_THROW(make(), std::invalid_argument) << c.nAxes << " " << c.initial;
  }
  // Axes beyond the reference's own.
  EXPECT_THROW(OrdinationBootstrapReference(6, 3, table.data(), 1, scores.data(), pcoa, {2, 4, 1}),
               std::invalid_argument);
}

}  // namespace

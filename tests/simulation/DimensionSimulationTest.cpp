// The random data generator's kernels: the tables structured by gradients
// (their rank without noise, the counts of unimodal responses), the criteria
// for the number of axes against hand-worked eigenvalue lists, the summaries,
// the bootstrap criterion against the ordination bootstrap run on its own,
// the same results at one and two threads, and the settings refused.
#include <gtest/gtest.h>
#include <gsl/gsl_rng.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/BootstrapSampleData.h"
#include "randomization/IterationGenerator.h"
#include "simulation/DimensionCriteria.h"
#include "simulation/DimensionSimulation.h"
#include "simulation/GradientTables.h"
#include "ordination/OrdinationLib.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

namespace {

constexpr double kMissing = -999.0;

OrdinationAnalysis Analysis(int type, int measure, int direction, int withinUnits = 0, int withinVariables = 0) {
  return MakeOrdinationAnalysis(type, measure, direction, withinUnits, withinVariables);
}


GradientModel Linear(int n, int p, std::vector<double> strength, double noise) {
  GradientModel m;
  m.units = n;
  m.variables = p;
  m.kind = ResponseKind::LINEAR;
  m.strength = std::move(strength);
  m.noise = noise;
  return m;
}

GradientModel Unimodal(int n, int p, std::vector<double> length, double noise, double maxCount) {
  GradientModel m = Linear(n, p, std::move(length), noise);
  m.kind = ResponseKind::UNIMODAL;
  m.maxCount = maxCount;
  return m;
}

DimensionSimulationSettings Settings(const GradientModel& m, const OrdinationAnalysis& a, int maxAxes,
                                     int64_t tables, int64_t iterations) {
  DimensionSimulationSettings s;
  s.model = m;
  s.analysis = a;
  s.maxAxes = maxAxes;
  s.tables = tables;
  s.bootstrapIterations = iterations;
  s.initialSize = m.units;
  s.alpha = 0.05;
  return s;
}

TableOutcome OneTable(const DimensionSimulationSettings& s, uint32_t seed, int64_t t) {
  DimensionTableWork work(s, seed, nullptr);
  return SimulateDimensionTable(s, t, work);
}

TEST(GradientTables, LinearTablesWithoutNoiseHaveRankG) {
  // A rank-1 table: every 2 x 2 minor vanishes.
  {
    Matrix t(7, 5);
    GradientTableGenerator gen(Linear(7, 5, {2.0}, 0.0));
    RngPtr rng(gsl_rng_alloc(gsl_rng_default));
    gen.Generate(rng.get(), t.data());
    for (int i = 1; i < 7; i++)
      for (int j = 1; j < 5; j++) EXPECT_NEAR(t[0][0] * t[i][j], t[0][j] * t[i][0], 1e-12);
  }
  // Principal components (correlation and covariance between variables) and
  // principal coordinates of Euclidean distances between units: exactly g
  // positive eigenvalues, holding all the variation.
  const OrdinationAnalysis analyses[] = {Analysis(2, 17, 2), Analysis(2, 22, 2), Analysis(1, 3, 1)};
  for (const OrdinationAnalysis& a : analyses)
    for (int g = 1; g <= kMaxGradients; g++) {
      std::vector<double> strength(g);
      for (int k = 0; k < g; k++) strength[k] = 1.0 + k;
      const DimensionSimulationSettings s = Settings(Linear(20, 12, strength, 0.0), a, 8, 1, 0);
      for (int64_t t = 1; t <= 3; t++) {
        const TableOutcome o = OneTable(s, 11, t);
        ASSERT_TRUE(o.analysed);
        EXPECT_EQ(o.rank, g) << "measure " << a.resemblance.measure << " g " << g;
        double share = 0.0;
        for (int k = 0; k < g; k++) share += o.percentages[k];
        EXPECT_NEAR(share, 100.0, 1e-9);
        for (int k = g; k < 8; k++) EXPECT_EQ(o.eigenvalues[k], kMissing);
      }
    }
}

TEST(GradientTables, DimensionsNoiseAndCounts) {
  RngPtr rng(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(rng.get(), 5);
  // Noise alone: standard deviation sigma.
  {
    const int n = 400, p = 50;
    Matrix t(n + 1, p + 1);  // the generator writes n x p only
    for (int j = 0; j <= p; j++) t[n][j] = 123.0;
    for (int i = 0; i <= n; i++) t[i][p] = 123.0;
    GradientTableGenerator gen(Linear(n, p, {}, 2.5));
    gen.Generate(rng.get(), t.data());
    double sum = 0, squares = 0;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) {
        sum += t[i][j];
        squares += t[i][j] * t[i][j];
      }
    const double cells = n * p, mean = sum / cells;
    EXPECT_NEAR(mean, 0.0, 4 * 2.5 / std::sqrt(cells));
    EXPECT_NEAR(std::sqrt(squares / cells - mean * mean), 2.5, 0.05);
    for (int j = 0; j <= p; j++) EXPECT_EQ(t[n][j], 123.0);
    for (int i = 0; i <= n; i++) EXPECT_EQ(t[i][p], 123.0);
  }
  // Unimodal: whole counts; without gradients Poisson counts of mean h.
  {
    const int n = 300, p = 40;
    Matrix t(n, p);
    GradientTableGenerator flat(Unimodal(n, p, {}, 0.0, 6.0));
    flat.Generate(rng.get(), t.data());
    double sum = 0, squares = 0;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) {
        EXPECT_EQ(t[i][j], std::floor(t[i][j]));
        EXPECT_GE(t[i][j], 0.0);
        sum += t[i][j];
        squares += t[i][j] * t[i][j];
      }
    const double cells = n * p, mean = sum / cells;
    EXPECT_NEAR(mean, 6.0, 4 * std::sqrt(6.0 / cells));
    EXPECT_NEAR(squares / cells - mean * mean, 6.0, 0.4);  // Poisson: variance = mean
    // Along one long gradient a variable is absent far from its optimum.
    GradientTableGenerator gradient(Unimodal(n, p, {12.0}, 0.5, 6.0));
    gradient.Generate(rng.get(), t.data());
    int zeros = 0;
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) zeros += t[i][j] == 0.0;
    EXPECT_GT(zeros, n * p / 2);
  }
}

TEST(GradientTables, ModelsRefused) {
  const GradientModel bad[] = {
      Linear(0, 5, {1}, 0),          Linear(5, 0, {1}, 0),      Linear(5, 5, {1, 1, 1, 1, 1, 1}, 0),
      Linear(5, 5, {-1}, 0),         Linear(5, 5, {1}, -0.1),   Linear(5, 5, {NAN}, 0),
      Unimodal(5, 5, {1}, 0, 0.0),   Unimodal(5, 5, {1}, 0, INFINITY),
  };
  for (const GradientModel& m : bad) EXPECT_THROW(CheckGradientModel(m), std::invalid_argument);
  EXPECT_NO_THROW(CheckGradientModel(Linear(5, 5, {}, 0)));
  EXPECT_NO_THROW(CheckGradientModel(Linear(5, 5, {1, 2, 3, 4, 5}, 0)));
}

TEST(DimensionCriteria, BrokenStick) {
  // vegan::bstick(4) and bstick(10)[1:3].
  const double four[] = {0.5208333333, 0.2708333333, 0.1458333333, 0.0625};
  for (int k = 1; k <= 4; k++) EXPECT_NEAR(BrokenStickShare(4, k), four[k - 1], 1e-10);
  const double ten[] = {0.2928968254, 0.1928968254, 0.1428968254};
  for (int k = 1; k <= 3; k++) EXPECT_NEAR(BrokenStickShare(10, k), ten[k - 1], 1e-10);
  struct Case {
    std::vector<double> eig;
    int maxAxes, axes;
  } cases[] = {
      {{5, 3, 1.5, 0.5}, 4, 0},    // shares .5 < .5208: none
      {{6, 2.8, 1, 0.2}, 4, 2},    // .6 and .28 above, .10 below .1458
      {{6, 2.8, 1, 0.2}, 1, 1},    // at most one asked
      {{9, 0.5, 0.3, 0.2}, 4, 1},  // the second share .05 below .2708
      {{1}, 3, 0},                 // one eigenvalue: share 1 is not above 1
      {{3, 1}, 2, 0},              // share .75 equals b_1 = (1 + 1/2) / 2: not above it
  };
  for (const Case& c : cases)
    EXPECT_EQ(BrokenStickAxes(static_cast<int>(c.eig.size()), c.eig.data(), c.maxAxes), c.axes) << c.eig[0];
}

TEST(DimensionCriteria, KaiserGuttmanBartlettBootstrap) {
  struct Kg {
    std::vector<double> eig;
    int rank, maxAxes, axes;
  } kg[] = {
      {{2.5, 1.2, 0.2, 0.1}, 4, 4, 2},   // correlation matrix: mean 1
      {{3, 1, 0, 0}, 2, 4, 1},           // 1 is not above the mean 1
      {{4, 2, 1, -1}, 3, 4, 2},          // negative eigenvalues enter the mean 1.5
      {{2.5, 1.2, 0.2, 0.1}, 4, 1, 1},
      {{5, 5, 5, 5}, 4, 4, 0},           // none above the mean
  };
  for (const Kg& c : kg)
    EXPECT_EQ(KaiserGuttmanAxes(static_cast<int>(c.eig.size()), c.rank, c.eig.data(), c.maxAxes), c.axes)
        << c.eig[0] << " " << c.rank;

  // Bartlett, n = 100, p = 4: the test of eigenvalues 1..4 of {10, 1, 1, 1}
  // gives u = (4 ln 3.25 - ln 10)(100 - 19/6) = 233.565 on 9 degrees of
  // freedom, P = 2.9e-45 (R: pchisq); the trailing 1, 1, 1 are equal (u = 0).
  const double e[] = {10, 1, 1, 1};
  EXPECT_EQ(BartlettAxes(4, e, 100, 4, 0.05, 4), 1);
  EXPECT_EQ(BartlettAxes(4, e, 100, 4, 0.0, 4), 0);
  const double spread[] = {10, 5, 2, 1};  // u large at every k < 4; the last axis has no test
  EXPECT_EQ(BartlettAxes(4, spread, 100, 4, 0.05, 4), 3);
  EXPECT_EQ(BartlettAxes(4, spread, 100, 4, 0.05, 2), 2);

  const double p[] = {0.01, 0.05, 0.2, 0.01};
  EXPECT_EQ(BootstrapAxes(4, p, 0.05), 2);
  EXPECT_EQ(BootstrapAxes(4, p, 0.001), 0);
  EXPECT_EQ(BootstrapAxes(4, p, 1.0), 4);
  const double missing[] = {0.0, kMissing, 0.0};
  EXPECT_EQ(BootstrapAxes(3, missing, 0.05), 1);
}

TEST(DimensionCriteria, Summary) {
  // Axes 0, 1, 1, 2, 3 (one table not counted): mean 1.4, deviations
  // -1.4, -.4, -.4, .6, 1.6, sum of squares 5.2, sd sqrt(5.2 / 4).
  const CriterionSummary s = SummarizeCriterion({0, 1, 1, 2, -1, 3}, 3, 1);
  EXPECT_EQ(s.tables, 5);
  EXPECT_EQ(s.frequency, (std::vector<int64_t>{1, 2, 1, 1}));
  EXPECT_DOUBLE_EQ(s.proportionTrue, 0.4);
  EXPECT_DOUBLE_EQ(s.mean, 1.4);
  EXPECT_NEAR(s.sd, std::sqrt(1.3), 1e-15);
  EXPECT_EQ(SummarizeCriterion({1, 2}, 2, 4).proportionTrue, 0.0);  // g beyond the axes evaluated
  const CriterionSummary one = SummarizeCriterion({2}, 2, 2);
  EXPECT_EQ(one.proportionTrue, 1.0);
  EXPECT_EQ(one.sd, kMissing);
  const CriterionSummary none = SummarizeCriterion({-1}, 2, 2);
  EXPECT_EQ(none.tables, 0);
  EXPECT_EQ(none.mean, kMissing);
}

// The bootstrap criterion of table t is the ordination bootstrap of that
// table (its zero variables left out) seeded with the table's seed.
TEST(DimensionSimulation, BootstrapCriterionIsTheOrdinationBootstrapOfTheTable) {
  const OrdinationAnalysis a = Analysis(1, 20, 1, 10);  // Hellinger, percentage difference, principal coordinates
  DimensionSimulationSettings s = Settings(Unimodal(16, 14, {3.0, 2.0}, 0.3, 8.0), a, 3, 4, 30);
  s.initialSize = 8;
  s.step = 4;  // sizes 8, 12, 16
  const uint32_t seed = 2024;
  const DimensionSimulationResults res = RunDimensionSimulation(s, seed, nullptr, 2, {});
  ASSERT_EQ(res.sampleSizes, (std::vector<int>{8, 12, 16}));
  for (int64_t t = 1; t <= 4; t++) {
    const TableOutcome& o = res.tables[t - 1];
    ASSERT_TRUE(o.analysed);
    Matrix table;
    GenerateSimulatedTable(s.model, seed, t, nullptr, table);
    std::vector<int> cols(14);
    const int pk = NonZeroColumns(16, 14, table.data(), cols.data());
    EXPECT_EQ(o.variablesKept, pk);
    Matrix kept(16, pk);
    for (int i = 0; i < 16; i++)
      for (int j = 0; j < pk; j++) kept[i][j] = table[i][cols[j]];
    // The reference scores, from the whole analysis of the kept table.
    Matrix tr = kept;
    ASSERT_EQ(DataTransformationsLib(a.transform, 16, pk, tr.data()), 1);
    Matrix rese(16, 16), evec(16, 16), scores(16, 16);
    std::vector<double> eig(16);
    ASSERT_EQ(ResemblanceLib(a.resemblance, 16, pk, tr.data(), rese.data()), 1);
    int rank = 0;
    bool ok = true;
    OrdinationLib_D(a.ordination, 16, pk, tr.data(), rese.data(), evec.data(), scores.data(), &rank, eig.data(), &ok);
    EXPECT_EQ(o.rank, rank);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(o.eigenvalues[k], eig[k], 1e-9 * eig[0]);
    OrdinationBootstrapSettings bs;
    bs.nAxes = o.monitoredAxes;
    bs.initialSize = 8;
    bs.step = 4;
    ASSERT_EQ(o.monitoredAxes, 3);
    // Scores may differ in sign between the two runs; the bootstrap's ro does not.
    const OrdinationBootstrapReference ref(16, pk, kept.data(), 3, scores.data(), a, bs);
    const OrdinationBootstrapResults boot = RunOrdinationBootstrap(ref, 30, TableSeed(seed, t), nullptr, 1, {}, nullptr);
    for (int i = 0; i < 9; i++) {
      EXPECT_NEAR(o.probability[i], boot.p[i], 1e-12) << t << " " << i;
      EXPECT_NEAR(o.meanRo[i], boot.meanRo[i], 1e-9) << t << " " << i;
    }
    const double full[] = {boot.p[2], boot.p[5], boot.p[8]};
    EXPECT_EQ(o.axes[CRITERION_BOOTSTRAP], BootstrapAxes(3, full, 0.05));
    EXPECT_EQ(o.axes[CRITERION_BROKEN_STICK], BrokenStickAxes(rank, eig.data(), 3));
    EXPECT_EQ(o.axes[CRITERION_KAISER_GUTTMAN], KaiserGuttmanAxes(16, rank, eig.data(), 3));
    EXPECT_EQ(o.axes[CRITERION_BARTLETT], BartlettAxes(rank, eig.data(), pk, 16, 0.05, 3));
  }
}

TEST(DimensionSimulation, SameResultsAtOneAndTwoThreads) {
  DimensionSimulationSettings s = Settings(Linear(14, 9, {2.0, 1.0}, 0.5), Analysis(2, 17, 2), 3, 9, 15);
  s.initialSize = 10;
  s.step = 2;
  const DimensionSimulationResults one = RunDimensionSimulation(s, 77, nullptr, 1, {});
  const DimensionSimulationResults two = RunDimensionSimulation(s, 77, nullptr, 2, {});
  ASSERT_EQ(one.tables.size(), 9u);
  for (size_t t = 0; t < 9; t++) {
    EXPECT_EQ(one.tables[t].axes, two.tables[t].axes);
    EXPECT_EQ(one.tables[t].eigenvalues, two.tables[t].eigenvalues);
    EXPECT_EQ(one.tables[t].probability, two.tables[t].probability);
    EXPECT_EQ(one.tables[t].meanRo, two.tables[t].meanRo);
  }
  EXPECT_EQ(one.meanProbability, two.meanProbability);
  for (int c = 0; c < DIMENSION_CRITERIA; c++) {
    EXPECT_EQ(one.summary[c].frequency, two.summary[c].frequency);
    EXPECT_EQ(one.summary[c].mean, two.summary[c].mean);
  }
  // A table does not depend on which tables run with it.
  DimensionSimulationSettings fewer = s;
  fewer.tables = 3;
  const DimensionSimulationResults three = RunDimensionSimulation(fewer, 77, nullptr, 2, {});
  for (size_t t = 0; t < 3; t++) EXPECT_EQ(three.tables[t].probability, one.tables[t].probability);
}

TEST(DimensionSimulation, StrongGradientsAreFound) {
  // Two strong gradients, little noise, principal components of correlations.
  const DimensionSimulationSettings s = Settings(Linear(30, 10, {3.0, 3.0}, 0.3), Analysis(2, 17, 2), 4, 10, 40);
  const DimensionSimulationResults res = RunDimensionSimulation(s, 3, nullptr, 0, {});
  EXPECT_EQ(res.analysed, 10);
  EXPECT_GE(res.summary[CRITERION_KAISER_GUTTMAN].proportionTrue, 0.9);
  EXPECT_GE(res.summary[CRITERION_BROKEN_STICK].proportionTrue, 0.7);
  EXPECT_GE(res.summary[CRITERION_BARTLETT].mean, 2.0);
  EXPECT_GE(res.summary[CRITERION_BOOTSTRAP].mean, 1.0);
  for (int c = 0; c < DIMENSION_CRITERIA; c++) {
    int64_t total = 0;
    for (int64_t f : res.summary[c].frequency) total += f;
    EXPECT_EQ(total, 10) << c;
  }
}

TEST(DimensionSimulation, TablesNotAnalysedAndCriteriaNotApplying) {
  // Hellinger needs values that are not negative: linear tables have some.
  const DimensionSimulationResults refused =
      RunDimensionSimulation(Settings(Linear(10, 6, {1.0}, 1.0), Analysis(1, 3, 1, 10), 2, 3, 5), 1, nullptr, 0, {});
  EXPECT_EQ(refused.analysed, 0);
  for (const TableOutcome& o : refused.tables) {
    EXPECT_FALSE(o.analysed);
    EXPECT_EQ(o.axes[CRITERION_BROKEN_STICK], -1);
  }
  EXPECT_EQ(refused.summary[CRITERION_KAISER_GUTTMAN].tables, 0);
  // Correspondence analysis of counts (double adjustment, product moment):
  // no Bartlett's test; no bootstrap without iterations.
  const DimensionSimulationResults ca = RunDimensionSimulation(
      Settings(Unimodal(12, 10, {3.0}, 0.0, 10.0), Analysis(3, 1, 2, 6), 2, 3, 0), 1, nullptr, 0, {});
  EXPECT_EQ(ca.analysed, 3);
  EXPECT_FALSE(ca.summary[CRITERION_BARTLETT].applies);
  EXPECT_FALSE(ca.summary[CRITERION_BOOTSTRAP].applies);
  EXPECT_TRUE(ca.summary[CRITERION_BROKEN_STICK].applies);
  for (const TableOutcome& o : ca.tables) {
    EXPECT_EQ(o.axes[CRITERION_BARTLETT], -1);
    EXPECT_EQ(o.axes[CRITERION_BOOTSTRAP], -1);
    EXPECT_GE(o.axes[CRITERION_KAISER_GUTTMAN], 0);
  }
}

TEST(DimensionSimulation, SettingsRefused) {
  const DimensionSimulationSettings good = Settings(Linear(10, 6, {1.0}, 1.0), Analysis(1, 3, 1), 2, 3, 5);
  EXPECT_NO_THROW(CheckDimensionSettings(good));
  std::vector<DimensionSimulationSettings> bad(8, good);
  bad[0].maxAxes = 0;
  bad[1].maxAxes = 7;                        // beyond the variables
  bad[2].analysis = Analysis(1, 3, 2);       // principal coordinates of variables
  bad[3].tables = 0;
  bad[4].initialSize = 11;
  bad[5].initialSize = 5;                    // below n without a step
  bad[6].alpha = 1.5;
  bad[7].analysis.resemblance.varType = {3, 3, 3, 3, 3, 3};
  for (const DimensionSimulationSettings& s : bad) EXPECT_THROW(CheckDimensionSettings(s), std::invalid_argument);
}

}  // namespace

// The path model generator's kernels: basis sets of small DAGs against
// hand-derived d-separation statements, random DAGs (acyclic, A distinct
// paths, every statement a d-separation by an independent check), data that
// reproduce their coefficients by regression, the type I error and power of
// the basis-set test over simulated models, the same models at one and two
// threads, the summaries and the settings refused.
#include <gtest/gtest.h>
#include <gsl/gsl_rng.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "randomization/IterationGenerator.h"
#include "simulation/PathModelSimulation.h"
#include "simulation/RandomPathModel.h"

namespace {

struct Statement {
  int first, second;
  std::vector<int> covariables;
  bool operator==(const Statement& o) const {
    return first == o.first && second == o.second && covariables == o.covariables;
  }
};

std::vector<Statement> Statements(const std::vector<BasisSetElement>& basis) {
  std::vector<Statement> s;
  for (const BasisSetElement& e : basis) s.push_back({e.first, e.second, e.covariables});
  return s;
}

PathDag Dag(int v, std::vector<int> order, std::vector<std::pair<int, int>> arrows) {
  PathDag d;
  d.variables = v;
  d.order = std::move(order);
  for (auto [from, to] : arrows) d.paths.push_back({from, to, 0.5});
  return d;
}

// d-separation of x and y given z by the moral ancestral graph (Lauritzen):
// the ancestors of {x, y} and z, their parents married, directions dropped,
// z removed; separated when y cannot be reached from x.
bool DSeparated(const PathDag& d, int x, int y, const std::vector<int>& z) {
  const int v = d.variables;
  std::vector<bool> keep(v, false);
  std::vector<int> stack = {x, y};
  stack.insert(stack.end(), z.begin(), z.end());
  while (!stack.empty()) {
    const int a = stack.back();
    stack.pop_back();
    if (keep[a]) continue;
    keep[a] = true;
    for (const PathArrow& p : d.paths)
      if (p.to == a) stack.push_back(p.from);
  }
  std::vector<std::set<int>> link(v);
  for (const PathArrow& p : d.paths)
    if (keep[p.from] && keep[p.to]) {
      link[p.from].insert(p.to);
      link[p.to].insert(p.from);
    }
  for (int c = 0; c < v; c++) {
    if (!keep[c]) continue;
    std::vector<int> parents;
    for (const PathArrow& p : d.paths)
      if (p.to == c && keep[p.from]) parents.push_back(p.from);
    for (int a : parents)
      for (int b : parents)
        if (a != b) link[a].insert(b);
  }
  std::vector<bool> blocked(v, false), seen(v, false);
  for (int c : z) blocked[c] = true;
  stack = {x};
  while (!stack.empty()) {
    const int a = stack.back();
    stack.pop_back();
    if (seen[a]) continue;
    seen[a] = true;
    if (a == y) return false;
    for (int b : link[a])
      if (!blocked[b] && keep[b]) stack.push_back(b);
  }
  return true;
}

TEST(PathBasisSet, SmallGraphsByHand) {
  // Chain 0 -> 1 -> 2: 0 _||_ 2 | 1. Fork 0 <- 1 -> 2: 0 _||_ 2 | 1.
  // Collider 0 -> 1 <- 2: 0 _||_ 2 unconditionally.
  EXPECT_EQ(Statements(DagBasisSet(Dag(3, {0, 1, 2}, {{0, 1}, {1, 2}}))), (std::vector<Statement>{{0, 2, {1}}}));
  EXPECT_EQ(Statements(DagBasisSet(Dag(3, {1, 0, 2}, {{1, 0}, {1, 2}}))), (std::vector<Statement>{{0, 2, {1}}}));
  EXPECT_EQ(Statements(DagBasisSet(Dag(3, {0, 2, 1}, {{0, 1}, {2, 1}}))), (std::vector<Statement>{{0, 2, {}}}));
  // Shipley (2000, ch. 3): X1 -> X2, X1 -> X3, X2 -> X4, X3 -> X4, X4 -> X5
  // (here 0..4): (1,4)|{2,3}, (1,5)|{4}, (2,3)|{1}, (2,5)|{1,4}, (3,5)|{1,4}.
  const PathDag five = Dag(5, {0, 1, 2, 3, 4}, {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {3, 4}});
  EXPECT_EQ(Statements(DagBasisSet(five)),
            (std::vector<Statement>{{0, 3, {1, 2}}, {0, 4, {3}}, {1, 2, {0}}, {1, 4, {0, 3}}, {2, 4, {0, 3}}}));
  // Removing 3 -> 4 adds (3,4) given 3's causes; the statements about 4 lose 3.
  const PathDag without = WithoutPath(five, 4);
  EXPECT_EQ(Statements(DagBasisSet(without)),
            (std::vector<Statement>{{0, 3, {1, 2}}, {0, 4, {}}, {1, 2, {0}}, {1, 4, {0}}, {2, 4, {0}}, {3, 4, {1, 2}}}));
  for (const PathDag* d : {&five, &without})
    for (const BasisSetElement& e : DagBasisSet(*d)) EXPECT_TRUE(DSeparated(*d, e.first, e.second, e.covariables));
  // The checker itself: 0 and 4 are not separated by 1 alone.
  EXPECT_FALSE(DSeparated(five, 0, 4, {1}));
  EXPECT_FALSE(DSeparated(Dag(3, {0, 2, 1}, {{0, 1}, {2, 1}}), 0, 2, {1}));  // conditioning on the collider
}

TEST(PathBasisSet, RandomDags) {
  RngPtr rng(gsl_rng_alloc(gsl_rng_default));
  gsl_rng_set(rng.get(), 9);
  for (int v = 2; v <= 8; v++)
    for (int a = 0; a <= v * (v - 1) / 2; a++) {
      const PathDag d = RandomPathDag(rng.get(), v, a, -0.4, 0.9);
      ASSERT_EQ(static_cast<int>(d.paths.size()), a);
      std::vector<int> position(v);
      for (int k = 0; k < v; k++) position[d.order[k]] = k;
      std::set<std::pair<int, int>> pairs;
      for (const PathArrow& p : d.paths) {
        EXPECT_LT(position[p.from], position[p.to]) << "acyclic";
        EXPECT_GE(p.coefficient, -0.4);
        EXPECT_LE(p.coefficient, 0.9);
        pairs.insert({std::min(p.from, p.to), std::max(p.from, p.to)});
      }
      EXPECT_EQ(static_cast<int>(pairs.size()), a) << "distinct";
      const std::vector<BasisSetElement> basis = DagBasisSet(d);
      EXPECT_EQ(static_cast<int64_t>(basis.size()), BasisSetSize(v, a));
      for (const BasisSetElement& e : basis) {
        EXPECT_FALSE(d.Adjacent(e.first, e.second));
        EXPECT_TRUE(DSeparated(d, e.first, e.second, e.covariables)) << v << " " << a;
      }
    }
  EXPECT_THROW(RandomPathDag(rng.get(), 4, 7, 0, 1), std::invalid_argument);
  EXPECT_THROW(RandomPathDag(rng.get(), 4, 2, 1, 0), std::invalid_argument);
}

// Least squares of y on the columns xs (with an intercept) by the normal
// equations, solved by Gaussian elimination with partial pivoting.
std::vector<double> Regression(const Matrix& data, int y, const std::vector<int>& xs) {
  const int m = static_cast<int>(xs.size()) + 1, n = data.rows();
  std::vector<std::vector<double>> a(m, std::vector<double>(m + 1, 0.0));
  for (int i = 0; i < n; i++) {
    std::vector<double> row = {1.0};
    for (int x : xs) row.push_back(data[i][x]);
    for (int r = 0; r < m; r++) {
      for (int c = 0; c < m; c++) a[r][c] += row[r] * row[c];
      a[r][m] += row[r] * data[i][y];
    }
  }
  for (int c = 0; c < m; c++) {
    int best = c;
    for (int r = c + 1; r < m; r++)
      if (std::fabs(a[r][c]) > std::fabs(a[best][c])) best = r;
    std::swap(a[c], a[best]);
    for (int r = 0; r < m; r++) {
      if (r == c) continue;
      const double f = a[r][c] / a[c][c];
      for (int k = c; k <= m; k++) a[r][k] -= f * a[c][k];
    }
  }
  std::vector<double> b(m);
  for (int r = 0; r < m; r++) b[r] = a[r][m] / a[r][r];
  return b;
}

TEST(PathSimulation, LargeSamplesReproduceThePathCoefficients) {
  PathSimulationSettings s;
  s.variables = 5;
  s.paths = 6;
  s.sampleSize = 20000;
  s.coefficientLow = -0.8;
  s.coefficientHigh = 0.8;
  s.errorVariance = 2.0;
  IterationGenerator gen(17, nullptr);
  for (uint32_t t = 1; t <= 3; t++) {
    const SimulatedPathData d = SimulatePathData(s, gen.For(t));
    const std::vector<std::vector<int>> parents = d.dag.Parents();
    for (int v = 0; v < 5; v++) {
      const std::vector<double> b = Regression(d.data, v, parents[v]);
      EXPECT_NEAR(b[0], 0.0, 0.05);
      for (size_t k = 0; k < parents[v].size(); k++) {
        double truth = 0;
        for (const PathArrow& p : d.dag.paths)
          if (p.from == parents[v][k] && p.to == v) truth = p.coefficient;
        EXPECT_NEAR(b[k + 1], truth, 0.04) << t << " " << v;
      }
      // The residual variance is the error variance.
      double rss = 0;
      for (int i = 0; i < s.sampleSize; i++) {
        double e = d.data[i][v] - b[0];
        for (size_t k = 0; k < parents[v].size(); k++) e -= b[k + 1] * d.data[i][parents[v][k]];
        rss += e * e;
      }
      EXPECT_NEAR(rss / s.sampleSize, 2.0, 0.12);
    }
  }
}

PathSimulationSettings Design(int models, double low, double high, int nullModel) {
  PathSimulationSettings s;
  s.variables = 5;
  s.paths = 5;
  s.sampleSize = 60;
  s.coefficientLow = low;
  s.coefficientHigh = high;
  s.errorVariance = 1.0;
  s.models = models;
  s.permutations = 99;
  s.alpha = 0.05;
  s.nullModel = nullModel;
  return s;
}

TEST(PathSimulation, TypeIErrorNearAlphaAndPowerHigh) {
  // 300 true models at alpha 0.05: about 15 rejected (a generous bound).
  const PathSimulationResults res = RunPathSimulation(Design(300, 0.3, 0.8, PERMUTE_ALL_ITEMS), 5, nullptr, 0, {});
  EXPECT_EQ(res.trueModels.models, 300);
  EXPECT_GE(res.trueModels.proportionRejected, 0.01);
  EXPECT_LE(res.trueModels.proportionRejected, 0.10);
  // The probabilities of the true models spread over [0, 1].
  for (int c = 0; c < kProbabilityClasses; c++) EXPECT_GT(res.trueModels.probabilityClasses[c], 5) << c;
  // False models lack a path of coefficient 0.3 to 0.8: rejected more often,
  // though with 99 permutations no statement's P falls below 0.01, which
  // bounds what one broken statement adds to C.
  EXPECT_GE(res.falseModels.proportionRejected, res.trueModels.proportionRejected + 0.1);
  EXPECT_GE(res.trueModels.lowerAICc, 200);
  // Strong paths, 4 variables and 4 paths (2 statements, 3 for the false
  // model), 499 permutations: the false model is almost always rejected,
  // under either null model.
  for (int nullModel : {PERMUTE_ALL_ITEMS, PERMUTE_FIRST_ITEM}) {
    PathSimulationSettings s = Design(20, 0.7, 1.0, nullModel);
    s.variables = 4;
    s.paths = 4;
    s.permutations = 499;
    const PathSimulationResults strong = RunPathSimulation(s, 6, nullptr, 0, {});
    EXPECT_GE(strong.falseModels.proportionRejected, 0.9) << nullModel;
    EXPECT_LE(strong.trueModels.proportionRejected, 0.2) << nullModel;
  }
}

TEST(PathSimulation, SameModelsAtOneAndTwoThreads) {
  const PathSimulationSettings s = Design(12, -0.9, 0.9, PERMUTE_FIRST_ITEM);
  const PathSimulationResults one = RunPathSimulation(s, 31, nullptr, 1, {});
  const PathSimulationResults two = RunPathSimulation(s, 31, nullptr, 2, {});
  for (size_t t = 0; t < 12; t++) {
    EXPECT_EQ(one.models[t].trueModel.fisher.C, two.models[t].trueModel.fisher.C);
    EXPECT_EQ(one.models[t].falseModel.fisher.C, two.models[t].falseModel.fisher.C);
    EXPECT_EQ(one.models[t].removed.from, two.models[t].removed.from);
    // Each model is its own: the same when run alone.
    const PathModelOutcome alone = SimulatePathModel(s, 31, static_cast<int64_t>(t + 1), nullptr);
    EXPECT_EQ(alone.trueModel.fisher.probability, one.models[t].trueModel.fisher.probability);
    EXPECT_EQ(alone.falseModel.aicc, one.models[t].falseModel.aicc);
  }
  EXPECT_EQ(one.trueModels.rejected, two.trueModels.rejected);
  EXPECT_EQ(one.falseModels.meanC, two.falseModels.meanC);
}

TEST(PathSimulation, Summary) {
  std::vector<PathModelOutcome> m(3);
  const double pTrue[] = {0.5, 0.04, 1.0}, pFalse[] = {0.01, 0.2, 0.0999};
  const double aTrue[] = {10, 20, 30}, aFalse[] = {12, 15, 30};
  for (int i = 0; i < 3; i++) {
    m[i].trueModel.fisher.probability = pTrue[i];
    m[i].trueModel.fisher.C = i + 1.0;
    m[i].trueModel.rejected = pTrue[i] <= 0.05;
    m[i].trueModel.aicc = aTrue[i];
    m[i].falseModel.fisher.probability = pFalse[i];
    m[i].falseModel.rejected = pFalse[i] <= 0.05;
    m[i].falseModel.aicc = aFalse[i];
  }
  const ModelSummary t = SummarizeModels(m, true), f = SummarizeModels(m, false);
  EXPECT_EQ(t.rejected, 1);
  EXPECT_DOUBLE_EQ(t.proportionRejected, 1.0 / 3);
  EXPECT_DOUBLE_EQ(t.meanC, 2.0);
  EXPECT_DOUBLE_EQ(t.meanP, 1.54 / 3);
  EXPECT_DOUBLE_EQ(t.meanAICc, 20.0);
  EXPECT_EQ(t.probabilityClasses[0], 1);  // 0.04
  EXPECT_EQ(t.probabilityClasses[5], 1);  // 0.5
  EXPECT_EQ(t.probabilityClasses[9], 1);  // 1.0 in the last class
  EXPECT_EQ(f.probabilityClasses[0], 2);  // 0.01 and 0.0999
  EXPECT_EQ(f.probabilityClasses[2], 1);
  EXPECT_EQ(t.lowerAICc, 1);  // 10 < 12; ties count for neither
  EXPECT_EQ(f.lowerAICc, 1);
}

TEST(PathSimulation, SettingsRefused) {
  const PathSimulationSettings good = Design(2, 0.1, 0.5, 1);
  EXPECT_NO_THROW(CheckPathSettings(good));
  std::vector<PathSimulationSettings> bad(9, good);
  bad[0].variables = 2;
  bad[1].paths = 0;
  bad[2].paths = 10;  // a complete graph leaves nothing to test
  bad[3].sampleSize = 11;  // V + A + 1
  bad[4].coefficientLow = 0.6;
  bad[5].errorVariance = 0.0;
  bad[6].permutations = 0;
  bad[7].alpha = -0.1;
  bad[8].nullModel = 3;
  for (const PathSimulationSettings& s : bad) EXPECT_THROW(CheckPathSettings(s), std::invalid_argument);
}

}  // namespace

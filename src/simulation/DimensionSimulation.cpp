// Random tables with a known number of gradients and the number of
// ordination axes each criterion keeps.
#include "simulation/DimensionSimulation.h"

#include <omp.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "ZQLib/MissingValue.h"
#include "bootstrap/BootstrapSampleData.h"
#include "bootstrap/BootstrapSteps.h"
#include "ordination/OrdinationLib.h"
#include "resemblance/ResemblanceLib.h"
#include "simulation/DimensionCriteria.h"
#include "transform/DataTransformationsLib.h"

void CheckDimensionSettings(const DimensionSimulationSettings& s) {
  CheckGradientModel(s.model);
  const int n = s.model.units, p = s.model.variables;
  if (n < 3) throw std::invalid_argument("dimension simulation: at least 3 units");
  if (s.maxAxes < 1 || s.maxAxes > std::min(p, n - 1))
    throw std::invalid_argument("dimension simulation: axes outside 1..min(variables, units - 1)");
  if (!OrdinationScoresUnits(s.analysis.ordination))
    throw std::invalid_argument("dimension simulation: the ordination does not score the sampling units");
  if (!s.analysis.resemblance.varType.empty() || !s.analysis.transform.groups.empty())
    throw std::invalid_argument("dimension simulation: variable kinds or groups given");
  if (s.tables < 1) throw std::invalid_argument("dimension simulation: no table");
  if (s.bootstrapIterations < 0) throw std::invalid_argument("dimension simulation: negative iterations");
  if (s.bootstrapIterations > 0) {
    if (s.initialSize < 1 || s.initialSize > n)
      throw std::invalid_argument("dimension simulation: initial size outside 1..units");
    if (s.initialSize < n && s.step < 1) throw std::invalid_argument("dimension simulation: no step below n units");
  }
  if (!(s.alpha >= 0.0 && s.alpha <= 1.0)) throw std::invalid_argument("dimension simulation: alpha outside 0..1");
}

bool CriterionApplies(const DimensionSimulationSettings& s, int criterion) {
  if (criterion == CRITERION_BARTLETT) return s.analysis.ordination.type != 3;
  if (criterion == CRITERION_BOOTSTRAP) return s.bootstrapIterations > 0;
  return criterion >= 0 && criterion < DIMENSION_CRITERIA;
}

uint32_t TableSeed(uint32_t seed, int64_t table) { return IterationSeed(seed, static_cast<uint32_t>(table)); }

void GenerateSimulatedTable(const GradientModel& model, uint32_t seed, int64_t table, const gsl_rng_type* type,
                            Matrix& out) {
  IterationGenerator gen(seed, type);
  GradientTableGenerator generator(model);
  out.Resize(model.units, model.variables);
  generator.Generate(gen.For(static_cast<uint32_t>(table)), out.data());
}

namespace {

int BootstrapSteps(const DimensionSimulationSettings& s) {
  return s.bootstrapIterations > 0 ? CountSteps(s.model.units, s.initialSize, s.step) : 0;
}

bool Finite(int rows, int cols, const double* const* t) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++)
      if (!std::isfinite(t[i][j])) return false;
  return true;
}

}  // namespace

DimensionTableWork::DimensionTableWork(const DimensionSimulationSettings& s, uint32_t seed_,
                                       const gsl_rng_type* type_)
    : seed(seed_), type(type_), gen(seed_, type_), generator(s.model) {
  const int n = s.model.units, p = s.model.variables;
  const int order = s.analysis.resemblance.Order(n, p);
  table.Resize(n, p);
  kept.Resize(n, p);
  transformed.Resize(n, p);
  rese.Resize(order, order);
  evectors.Resize(s.maxAxes, order);
  scores.Resize(s.maxAxes, std::max(n, p));
  eig.assign(order, 0.0);
  columns.assign(p, 0);
}

TableOutcome SimulateDimensionTable(const DimensionSimulationSettings& s, int64_t t, DimensionTableWork& w) {
  const int n = s.model.units, p = s.model.variables, k = s.maxAxes;
  const int steps = BootstrapSteps(s);
  TableOutcome out;
  out.axes.fill(-1);
  out.eigenvalues.assign(k, MISSING_VALUE);
  out.percentages.assign(k, MISSING_VALUE);
  out.probability.assign(static_cast<size_t>(k) * steps, MISSING_VALUE);
  out.meanRo.assign(static_cast<size_t>(k) * steps, MISSING_VALUE);

  w.generator.Generate(w.gen.For(static_cast<uint32_t>(t)), w.table.data());
  // Variables never observed are not part of the table analysed.
  const int pk = NonZeroColumns(n, p, w.table.data(), w.columns.data());
  out.variablesKept = pk;
  if (pk < 1) return out;
  w.kept.Resize(n, pk);
  w.transformed.Resize(n, pk);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < pk; j++) w.kept[i][j] = w.transformed[i][j] = w.table[i][w.columns[j]];

  const OrdinationAnalysis& a = s.analysis;
  if (DataTransformationsLib(a.transform, n, pk, w.transformed.data()) == 0) return out;
  const int order = a.resemblance.Order(n, pk);
  w.rese.Resize(order, order);
  if (ResemblanceLib(a.resemblance, n, pk, w.transformed.data(), w.rese.data()) == 0) return out;
  for (int i = 0; i < order; i++)
    for (int j = i; j < order; j++)
      if (!std::isfinite(w.rese[i][j]) || IsMissing(w.rese[i][j])) return out;
  const int others = a.resemblance.direction == 2 ? n : pk;
  const double* const* X = a.ordination.type == 3 ? w.kept.data() : w.transformed.data();
  int rank = 0;
  bool ok = true;
  OrdinationLeadingAxes(a.ordination, k, order, others, X, w.rese.data(), w.evectors.data(), w.scores.data(), &rank,
                        w.eig.data(), &ok);
  const int shown = std::min(rank, k);
  for (int i = 0; i < order; i++)
    if (!std::isfinite(w.eig[i])) return out;
  if (!Finite(shown, n, w.scores.data())) return out;

  out.analysed = true;
  out.rank = rank;
  const double positive = SumPositiveEigenvalues(order, w.eig.data());
  for (int a2 = 0; a2 < shown; a2++) {
    out.eigenvalues[a2] = w.eig[a2];
    out.percentages[a2] = 100.0 * w.eig[a2] / positive;
  }
  out.axes[CRITERION_BROKEN_STICK] = BrokenStickAxes(rank, w.eig.data(), k);
  out.axes[CRITERION_KAISER_GUTTMAN] = KaiserGuttmanAxes(order, rank, w.eig.data(), k);
  if (CriterionApplies(s, CRITERION_BARTLETT))
    out.axes[CRITERION_BARTLETT] = BartlettAxes(rank, w.eig.data(), others, order, s.alpha, k);

  if (CriterionApplies(s, CRITERION_BOOTSTRAP)) {
    out.monitoredAxes = std::min(shown, pk);
    out.axes[CRITERION_BOOTSTRAP] = 0;
    if (out.monitoredAxes >= 1) {
      OrdinationBootstrapSettings settings;
      settings.nAxes = out.monitoredAxes;
      settings.initialSize = s.initialSize;
      settings.step = s.step;
      const OrdinationBootstrapReference ref(n, pk, w.kept.data(), out.monitoredAxes, w.scores.data(), a, settings);
      // On this thread: the tables are what runs in parallel.
      const OrdinationBootstrapResults boot = RunOrdinationBootstrap(ref, s.bootstrapIterations,
                                                                     TableSeed(w.seed, t), w.type, 1, {}, nullptr);
      std::vector<double> full(out.monitoredAxes);
      for (int ax = 0; ax < out.monitoredAxes; ax++) {
        for (int st = 0; st < steps; st++) {
          out.probability[ax * steps + st] = boot.p[ax * steps + st];
          out.meanRo[ax * steps + st] = boot.meanRo[ax * steps + st];
        }
        full[ax] = boot.p[ax * steps + steps - 1];
      }
      out.axes[CRITERION_BOOTSTRAP] = BootstrapAxes(out.monitoredAxes, full.data(), s.alpha);
    }
  }
  return out;
}

CriterionSummary SummarizeCriterion(const std::vector<int>& axes, int maxAxes, int trueAxes) {
  CriterionSummary c;
  c.applies = true;
  c.frequency.assign(static_cast<size_t>(std::max(maxAxes, 0)) + 1, 0);
  double sum = 0.0;
  for (int v : axes) {
    if (v < 0) continue;
    c.tables++;
    c.frequency[std::min(v, maxAxes)]++;
    sum += v;
  }
  if (c.tables == 0) {
    c.proportionTrue = c.mean = c.sd = MISSING_VALUE;
    return c;
  }
  const double count = static_cast<double>(c.tables);
  c.proportionTrue = trueAxes >= 0 && trueAxes <= maxAxes ? c.frequency[trueAxes] / count : 0.0;
  c.mean = sum / count;
  if (c.tables < 2) {
    c.sd = MISSING_VALUE;
    return c;
  }
  double squares = 0.0;
  for (int v : axes)
    if (v >= 0) squares += (v - c.mean) * (v - c.mean);
  c.sd = std::sqrt(squares / (count - 1.0));
  return c;
}

DimensionSimulationResults RunDimensionSimulation(const DimensionSimulationSettings& s, uint32_t seed,
                                                  const gsl_rng_type* type, int maxThreads,
                                                  const ProgressHook& progress) {
  CheckDimensionSettings(s);
  const int k = s.maxAxes, steps = BootstrapSteps(s);
  DimensionSimulationResults res;
  res.tables.resize(static_cast<size_t>(s.tables));
  for (int st = 0; st < steps; st++) res.sampleSizes.push_back(SampleSizeAtStep(s.model.units, s.initialSize, s.step, st));

  IterationPlan plan;
  plan.iterations = s.tables;
  plan.listLength = 0;
  plan.maxThreads = maxThreads;
  plan.progress = progress;
  const int threads = IterationThreads(plan);
  std::vector<std::unique_ptr<DimensionTableWork>> pool(threads);
  const IterationResult run = RunIterations(
      plan,
      [&]() {
        auto& mine = pool[omp_get_thread_num()];
        if (!mine) mine = std::make_unique<DimensionTableWork>(s, seed, type);
        return mine.get();
      },
      [](int64_t, int*) {},
      [&](int64_t t, const int*, DimensionTableWork* w, int64_t*) {
        res.tables[static_cast<size_t>(t - 1)] = SimulateDimensionTable(s, t, *w);
      });
  res.threads = run.threads;

  const int g = s.model.Gradients();
  for (int c = 0; c < DIMENSION_CRITERIA; c++) {
    if (!CriterionApplies(s, c)) {
      res.summary[c].frequency.assign(static_cast<size_t>(k) + 1, 0);
      res.summary[c].proportionTrue = res.summary[c].mean = res.summary[c].sd = MISSING_VALUE;
      continue;
    }
    std::vector<int> axes;
    axes.reserve(res.tables.size());
    for (const TableOutcome& o : res.tables)
      if (o.analysed) axes.push_back(o.axes[c]);
    res.summary[c] = SummarizeCriterion(axes, k, g);
  }
  for (const TableOutcome& o : res.tables)
    if (o.analysed) res.analysed++;

  const size_t cells = static_cast<size_t>(k) * steps;
  std::vector<double> sums(cells, 0.0);
  res.probabilityTables.assign(cells, 0);
  res.meanProbability.assign(cells, MISSING_VALUE);
  for (const TableOutcome& o : res.tables) {
    if (!o.analysed) continue;
    for (size_t i = 0; i < cells; i++)
      if (!IsMissing(o.probability[i])) {
        sums[i] += o.probability[i];
        res.probabilityTables[i]++;
      }
  }
  for (size_t i = 0; i < cells; i++)
    if (res.probabilityTables[i] > 0) res.meanProbability[i] = sums[i] / static_cast<double>(res.probabilityTables[i]);
  return res;
}

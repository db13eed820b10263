// Bootstrap of ordination dimensions: the reference, one iteration, and the
// run of all iterations.
#include "bootstrap/OrdinationBootstrap.h"

#include <omp.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ZQLib/MissingValue.h"
#include "bootstrap/BootstrapSampleData.h"
#include "bootstrap/BootstrapSteps.h"
#include "ordination/OrdinationLib.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

bool OrdinationScoresUnits(const OrdinationChoice& c) {
  if (c.type == 1) return c.reseDir == 1;
  return (c.type == 2 || c.type == 3) && c.reseDir == 2;
}

OrdinationBootstrapReference::OrdinationBootstrapReference(int n, int p, const double* const* data, int refAxes,
                                                           const double* const* refScores,
                                                           const OrdinationAnalysis& analysis,
                                                           const OrdinationBootstrapSettings& settings)
    : n_(n), p_(p), settings_(settings), analysis_(analysis) {
  if (n < 2 || p < 1) throw std::invalid_argument("ordination bootstrap: at least 2 units and 1 variable");
  if (settings.nAxes < 1 || settings.nAxes > std::min(p, refAxes))
    throw std::invalid_argument("ordination bootstrap: axes outside 1..min(variables, reference axes)");
  if (settings.initialSize < 1 || settings.initialSize > n)
    throw std::invalid_argument("ordination bootstrap: initial size outside 1..n");
  if (settings.initialSize < n && settings.step < 1)
    throw std::invalid_argument("ordination bootstrap: no step below n units");
  if (!OrdinationScoresUnits(analysis.ordination))
    throw std::invalid_argument("ordination bootstrap: the ordination does not score the sampling units");
  data_ = CopyOf(n, p, data);
  scores_ = CopyOf(settings.nAxes, n, refScores);
  nonZero_.resize(p);
  nonZero_.resize(NonZeroColumns(n, p, data, nonZero_.data()));
  const int steps = CountSteps(n, settings.initialSize, settings.step);
  for (int s = 0; s < steps; s++) sizes_.push_back(SampleSizeAtStep(n, settings.initialSize, settings.step, s));
}

namespace {

void SizeSide(const OrdinationBootstrapReference& ref, OrdinationSideWork& w) {
  const int n = ref.n(), p = ref.p(), axes = ref.nAxes();
  const int order = ref.analysis().resemblance.Order(n, p);
  const int scored = std::max(n, p);
  w.sample.Resize(n, p);
  w.transformed.Resize(n, p);
  w.rese.Resize(order, order);
  w.evectors.Resize(axes, order);
  w.scores.Resize(axes, scored);
  w.reference.Resize(axes, n);
  w.fitted.Resize(axes, n);
  w.fittedLast.Resize(axes, n);
  w.eig.assign(order, 0.0);
  w.ro.assign(axes, MISSING_VALUE);
  w.kept.assign(p, 0);
  // Kinds and groups that do not cover the whole table are not used for it
  // (ResemblanceLib, DataTransformationsLib), nor for its samples.
  w.analysis = ref.analysis();
  std::vector<int>& kinds = w.analysis.resemblance.varType;
  if (static_cast<int>(kinds.size()) < p) kinds.clear();
  std::vector<int>& groups = w.analysis.transform.groups;
  if (static_cast<int>(groups.size()) < n) groups.clear();
}

// The variable kinds and the groups of a table of m rows whose columns are
// the original columns `columns`, and whose row i is original row
// list[i] - 1 (row i itself when list is null).
void PrepareAnalysis(const OrdinationBootstrapReference& ref, OrdinationSideWork& w, int m, int variables,
                     const int* list, const int* columns) {
  const OrdinationAnalysis& all = ref.analysis();
  if (!w.analysis.resemblance.varType.empty())
    for (int j = 0; j < variables; j++) w.analysis.resemblance.varType[j] = all.resemblance.varType[columns[j]];
  if (!w.analysis.transform.groups.empty())
    for (int i = 0; i < m; i++) w.analysis.transform.groups[i] = all.transform.groups[list ? list[i] - 1 : i];
}

bool Finite(int rows, int cols, const double* const* t) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++)
      if (!std::isfinite(t[i][j])) return false;
  return true;
}

// Transformation, resemblance and ordination of the m x variables table
// (units in rows, untransformed), as the session ran them on all units.
// False when any of them cannot be computed for this table; otherwise *axes
// = min(rank, nAxes) and the scores of the m units on them are in w.scores.
bool Ordinate(const OrdinationBootstrapReference& ref, OrdinationSideWork& w, const double* const* table, int m,
              int variables, int* axes) {
  *axes = 0;
  if (m < 1 || variables < 1) return false;
  const OrdinationAnalysis& a = w.analysis;
  for (int i = 0; i < m; i++) std::copy(table[i], table[i] + variables, w.transformed[i]);
  if (DataTransformationsLib(a.transform, m, variables, w.transformed.data()) == 0) return false;
  if (ResemblanceLib(a.resemblance, m, variables, w.transformed.data(), w.rese.data()) == 0) return false;
  const int order = a.resemblance.Order(m, variables);
  for (int i = 0; i < order; i++)
    for (int j = i; j < order; j++)
      if (!std::isfinite(w.rese[i][j]) || IsMissing(w.rese[i][j])) return false;
  const OrdinationChoice& o = a.ordination;
  const int others = a.resemblance.direction == 2 ? m : variables;
  const double* const* X = o.type == 3 ? table : w.transformed.data();
  int rank = 0;
  bool ok = true;
  OrdinationLeadingAxes(o, ref.nAxes(), order, others, X, w.rese.data(), w.evectors.data(), w.scores.data(), &rank,
                        w.eig.data(), &ok);
  const int kept = std::min(rank, ref.nAxes());
  for (int k = 0; k < kept; k++)
    if (!std::isfinite(w.eig[k])) return false;
  if (!Finite(kept, m, w.scores.data())) return false;
  *axes = kept;
  return true;
}

// The reference scores of the sampled units, and ro for a = 1..min(axes,
// refAxes) (-999 beyond).
void Compare(const OrdinationBootstrapReference& ref, const double* const* refScores, int refAxes, const int* list,
             int m, int axes, OrdinationSideWork& w, ProcrustesWork& procrustes) {
  for (int a = 0; a < refAxes; a++)
    for (int i = 0; i < m; i++) w.reference[a][i] = refScores[a][list[i] - 1];
  std::fill(w.ro.begin(), w.ro.end(), MISSING_VALUE);
  const int last = std::min(axes, refAxes);
  for (int a = 1; a <= last; a++) {
    ProcrustesAdjT(a, a, m, w.reference.data(), w.scores.data(), w.fitted.data(), &procrustes);
    std::copy(w.fitted[a - 1], w.fitted[a - 1] + m, w.fittedLast[a - 1]);
    w.ro[a - 1] = Correlation2Vec(m, w.reference[a - 1], w.fitted[a - 1]);
  }
  if (last > 0) {
    double sum = 0.0;
    for (int k = 0; k < last; k++) sum += w.eig[k];
    if (w.eig[last - 1] < 0.001 * sum) w.ro[last - 1] = 0.0;
  }
}

OrdinationSampleView View(const OrdinationSideWork& w, int variables, bool computed, int axes, int refAxes) {
  OrdinationSampleView v;
  v.data = w.sample.data();
  v.variables = variables;
  v.computed = computed;
  v.axes = computed ? std::min(axes, refAxes) : 0;
  v.eig = w.eig.data();
  v.reference = w.reference.data();
  v.referenceAxes = refAxes;
  v.scores = w.scores.data();
  v.fitted = w.fittedLast.data();
  v.ro = w.ro.data();
  return v;
}

}  // namespace

OrdinationBootstrapWorkspace::OrdinationBootstrapWorkspace(const OrdinationBootstrapReference& ref, uint32_t seed,
                                                           const gsl_rng_type* type)
    : gen(seed, type),
      list(ref.n()),
      permutation(ref.n()),
      permuted(ref.n(), std::max<int>(1, static_cast<int>(ref.NonZero().size()))),
      randomScores(ref.nAxes(), ref.n()),
      randomEig(ref.nAxes(), 0.0),
      procrustes(ref.nAxes(), ref.n()) {
  SizeSide(ref, real);
  SizeSide(ref, random);
}

void BootstrappedOrdination_D(const OrdinationBootstrapReference& ref, int64_t iteration,
                              OrdinationBootstrapWorkspace& w, double* roStar, int64_t* counts,
                              const OrdinationBootstrapObserver* observer) {
  const int n = ref.n(), p = ref.p(), nAxes = ref.nAxes(), steps = ref.steps();
  const double* const* X = ref.Data();
  const std::vector<int>& nonZero = ref.NonZero();
  const int pz = static_cast<int>(nonZero.size());
  gsl_rng* g = w.gen.For(static_cast<uint32_t>(iteration));
  RndListBootstrap(g, n, w.list.data());
  const int* list = w.list.data();

  // The structureless table: every variable permuted over the units on its
  // own, and its ordination as the reference of the random samples.
  for (int jj = 0; jj < pz; jj++) {
    RndList(g, n, w.permutation.data());
    const int j = nonZero[jj];
    for (int i = 0; i < n; i++) w.permuted[i][jj] = X[w.permutation[i] - 1][j];
  }
  PrepareAnalysis(ref, w.random, n, pz, nullptr, nonZero.data());
  w.randomComputed = Ordinate(ref, w.random, w.permuted.data(), n, pz, &w.randomAxes);
  if (!w.randomComputed) w.randomAxes = 0;
  for (int a = 0; a < w.randomAxes; a++) {
    std::copy(w.random.scores[a], w.random.scores[a] + n, w.randomScores[a]);
    w.randomEig[a] = w.random.eig[a];
  }
  if (observer && observer->iterationStart) {
    OrdinationPermutedView v;
    v.iteration = iteration;
    v.data = w.permuted.data();
    v.variables = pz;
    v.computed = w.randomComputed;
    v.axes = w.randomAxes;
    v.eig = w.randomEig.data();
    v.scores = w.randomScores.data();
    observer->iterationStart(v);
  }

  for (int s = 0; s < steps; s++) {
    const int m = ref.SampleSize(s);
    // The bootstrap sample.
    int pm = 0, axes = 0;
    GetData(n, m, p, &pm, X, w.real.sample.data(), list, 1, w.real.kept.data());
    PrepareAnalysis(ref, w.real, m, pm, list, w.real.kept.data());
    const bool realOk = Ordinate(ref, w.real, w.real.sample.data(), m, pm, &axes);
    if (realOk) {
      Compare(ref, ref.Scores(), nAxes, list, m, axes, w.real, w.procrustes);
    } else {
      for (int a = 0; a < nAxes; a++)
        for (int i = 0; i < m; i++) w.real.reference[a][i] = ref.Scores()[a][list[i] - 1];
      std::fill(w.real.ro.begin(), w.real.ro.end(), MISSING_VALUE);
    }
    // The same units of the permuted table.
    int pr = 0, randomAxes = 0;
    bool randomOk = false;
    std::fill(w.random.ro.begin(), w.random.ro.end(), MISSING_VALUE);
    if (w.randomComputed) {
      GetData(n, m, pz, &pr, w.permuted.data(), w.random.sample.data(), list, 1, w.random.kept.data());
      for (int j = 0; j < pr; j++) w.random.kept[j] = nonZero[w.random.kept[j]];
      PrepareAnalysis(ref, w.random, m, pr, list, w.random.kept.data());
      randomOk = Ordinate(ref, w.random, w.random.sample.data(), m, pr, &randomAxes);
      if (randomOk) Compare(ref, w.randomScores.data(), w.randomAxes, list, m, randomAxes, w.random, w.procrustes);
    }

    for (int a = 0; a < nAxes; a++) {
      double value = MISSING_VALUE;
      const double ro = w.real.ro[a], roRnd = w.random.ro[a];
      if (realOk && randomOk && !IsMissing(ro)) {
        value = ro;
        counts[ref.ValidCounter(a, s)]++;
        if (!IsMissing(roRnd) && AtLeastAsLarge(roRnd, ro)) counts[ref.RandomCounter(a, s)]++;
      }
      roStar[a * steps + s] = value;
    }

    if (observer && observer->step) {
      OrdinationStepView v;
      v.iteration = iteration;
      v.step = s;
      v.sampleSize = m;
      v.units = list;
      v.sample = View(w.real, pm, realOk, axes, nAxes);
      v.random = View(w.random, pr, randomOk, randomAxes, w.randomAxes);
      observer->step(v);
    }
  }
}

OrdinationBootstrapResults RunOrdinationBootstrap(const OrdinationBootstrapReference& ref, int64_t nIter,
                                                  uint32_t seed, const gsl_rng_type* type, int maxThreads,
                                                  const ProgressHook& progress,
                                                  const OrdinationBootstrapObserver* observer) {
  const int steps = ref.steps(), cells = ref.nAxes() * steps;
  OrdinationBootstrapResults res;
  res.iterations = std::max<int64_t>(nIter, 0);
  for (int s = 0; s < steps; s++) res.sampleSizes.push_back(ref.SampleSize(s));
  res.meanRo.assign(cells, MISSING_VALUE);
  res.p.assign(cells, MISSING_VALUE);
  res.valid.assign(cells, 0);
  if (res.iterations == 0) return res;

  IterationPlan plan;
  plan.listLength = 0;
  plan.nCounts = ref.CounterCount();
  plan.maxThreads = observer ? 1 : maxThreads;
  std::vector<std::unique_ptr<OrdinationBootstrapWorkspace>> pool(IterationThreads(plan));
  // The ro* are added in t order, so that the averages do not depend on how
  // the iterations were shared out.
  std::vector<double> sums(cells, 0.0);
  const IterationResult run = RunIterationsInChunks(
      plan, res.iterations, cells, progress,
      [&]() {
        auto& mine = pool[omp_get_thread_num()];
        if (!mine) mine = std::make_unique<OrdinationBootstrapWorkspace>(ref, seed, type);
        return mine.get();
      },
      [](int64_t, int*) {},
      [&](int64_t t, const int*, OrdinationBootstrapWorkspace* w, double* values, int64_t* c) {
        BootstrappedOrdination_D(ref, t, *w, values, c, observer);
      },
      [&](const double* values) {
        for (int i = 0; i < cells; i++)
          if (!IsMissing(values[i])) sums[i] += values[i];
      });
  const std::vector<int64_t>& counts = run.counts;
  res.threads = run.threads;
  for (int a = 0; a < ref.nAxes(); a++)
    for (int s = 0; s < steps; s++) {
      const int i = a * steps + s;
      const int64_t valid = counts[ref.ValidCounter(a, s)];
      res.valid[i] = valid;
      if (valid == 0) continue;
      res.meanRo[i] = sums[i] / static_cast<double>(valid);
      res.p[i] = static_cast<double>(counts[ref.RandomCounter(a, s)]) / static_cast<double>(valid);
    }
  return res;
}

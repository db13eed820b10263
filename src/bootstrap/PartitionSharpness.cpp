// Bootstrap of group partition sharpness: the reference, one iteration, and
// the run of all iterations.
//
// The sums of squares of the combined set (n reference units and m sample
// units) are assembled from parts instead of summing its (n + m)^2 / 2 pairs
// for every partition level: the reference groups' own sums and the sums
// from every unit to every reference group are fixed for the run, so a
// sample costs only the pairs among its m units and m x k look-ups.
#include "bootstrap/PartitionSharpness.h"

#include <omp.h>

#include <algorithm>
#include <stdexcept>

#include "bootstrap/BootstrapSteps.h"
#include "bootstrap/NearestNeighbourMatching.h"
#include "cluster/ClusterMethods.h"
#include "cluster/Partitions.h"
#include "ordination/GowerCentring.h"
#include "randomization/GroupSumsOfSquares.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

void SharpnessSquaredDistances(int n, const double* const* rese, bool isDissim, int measure, double** D2) {
  if (!isDissim) {
    ProdToSqDist(n, rese, D2);
  } else if (measure == 4) {
    DissToCenterProdMatrix(n, rese, D2, false);
    ProdToSqDist(n, D2, D2);
  } else {
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) D2[i][j] = rese[i][j] * rese[i][j];
  }
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) D2[j][i] = D2[i][j];
}

namespace {

bool IsLinkage(int method) {
  return method == kSingleLinkage || method == kCompleteLinkage || method == kUPGMA || method == kWPGMA;
}

double Q(double sum, double size) { return size > 0 ? sum / size : 0.0; }

// Sums of D2 over the pairs of the m units (0-based) of a sample: diag[h]
// over the pairs within group h (labels 1..k), full[g * k + h] (g < h) over
// the pairs between two groups when full is given, *total over all pairs
// when total is given.
void SamplePairSums(const double* const* D2, int m, const int* units, const int* labels, int k, double* diag,
                    double* full, double* total) {
  for (int h = 0; h < k; h++) diag[h] = 0.0;
  if (full)
    for (int h = 0; h < k * k; h++) full[h] = 0.0;
  double all = 0.0;
  for (int b = 1; b < m; b++) {
    const double* row = D2[units[b]];
    const int lb = labels[b];
    double same = 0.0, sum = 0.0;
    if (full == nullptr) {
      for (int a = 0; a < b; a++) {
        const double v = row[units[a]];
        sum += v;
        same += labels[a] == lb ? v : 0.0;
      }
    } else {
      for (int a = 0; a < b; a++) {
        const double v = row[units[a]];
        sum += v;
        const int la = labels[a];
        if (la == lb) same += v;
        else full[(std::min(la, lb) - 1) * k + std::max(la, lb) - 1] += v;
      }
    }
    diag[lb - 1] += same;
    all += sum;
  }
  if (total) *total = all;
}

// Sums of the upper triangle of the m x m table sub over the pairs within
// each group: diag[h] for labels h + 1.
// Four running sums in a fixed order, so that the result does not depend on
// how the compiler vectorizes the loop.
void WithinSumsOfTable(const double* const* sub, int m, const int* labels, int k, double* diag) {
  for (int h = 0; h < k; h++) diag[h] = 0.0;
  for (int a = 0; a + 1 < m; a++) {
    const double* row = sub[a];
    const int la = labels[a];
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    int b = a + 1;
    for (; b + 3 < m; b += 4) {
      s0 += labels[b] == la ? row[b] : 0.0;
      s1 += labels[b + 1] == la ? row[b + 1] : 0.0;
      s2 += labels[b + 2] == la ? row[b + 2] : 0.0;
      s3 += labels[b + 3] == la ? row[b + 3] : 0.0;
    }
    for (; b < m; b++) s0 += labels[b] == la ? row[b] : 0.0;
    diag[la - 1] += (s0 + s1) + (s2 + s3);
  }
}

}  // namespace

SharpnessReference::SharpnessReference(int n, const double* const* rese, const clusterReport* rep,
                                       const SharpnessSettings& settings)
    : n_(n), settings_(settings) {
  const int kmax = settings.kmax;
  if (n < 3 || kmax < 2 || kmax > n - 1 || settings.initialSize < kmax + 1 || settings.initialSize > n ||
      (settings.initialSize < n && settings.step < 1) || rese == nullptr || rep == nullptr)
    throw std::invalid_argument("partition sharpness: settings do not fit the number of units");
  steps_ = CountSteps(n, settings.initialSize, settings.step);
  for (int s = 0; s < steps_; s++) sizes_.push_back(SampleSizeAtStep(n, settings.initialSize, settings.step, s));
  sampleMethod_ = IsLinkage(settings.method) ? settings.method : kWard;

  rese_.Resize(n, n);
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) rese_[i][j] = rese_[j][i] = rese[i][j];
  d2_.Resize(n, n);
  SharpnessSquaredDistances(n, rese, settings.isDissim, settings.measure, d2_.data());
  rowSums_.assign(n, 0.0);
  for (int u = 0; u < n; u++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += d2_[u][i];
    rowSums_[u] = s;
    for (int i = 0; i < u; i++) totalPairs_ += d2_[u][i];
  }

  std::vector<int> order(n - 1);
  ClusterFusionOrder(n, rep, settings.method, order.data());
  const PairTable table(n, d2_.data(), false);
  GroupingEvaluator evaluator(table);
  std::vector<int> identity(n);
  for (int i = 0; i < n; i++) identity[i] = i + 1;
  counters_ = (kmax - 1) * steps_;
  groups_.resize(kmax - 1);
  for (int k = 2; k <= kmax; k++) {
    Groups& G = groups_[k - 2];
    G.labels.assign(n, 0);
    ClusterPartitionFromOrder(n, k, G.labels.data(), nullptr, rep, order.data());
    G.sizes.assign(k, 0);
    for (int i = 0; i < n; i++) G.sizes[G.labels[i] - 1]++;
    G.start.assign(k + 1, 0);
    for (int g = 0; g < k; g++) G.start[g + 1] = G.start[g] + G.sizes[g];
    G.members.assign(n, 0);
    std::vector<int> next(G.start.begin(), G.start.end() - 1);
    for (int i = 0; i < n; i++) G.members[next[G.labels[i] - 1]++] = i;
    G.toGroup.assign(static_cast<size_t>(n) * k, 0.0);
    for (int u = 0; u < n; u++)
      for (int i = 0; i < n; i++) G.toGroup[static_cast<size_t>(u) * k + G.labels[i] - 1] += d2_[u][i];
    G.within.assign(k, 0.0);
    evaluator.WithinSums(Grouping::FromLabels(n, G.labels.data()), identity.data(), G.within.data());
    G.between.assign(static_cast<size_t>(k) * k, 0.0);
    for (int i = 0; i < n; i++)
      for (int h = 0; h < k; h++)
        if (h != G.labels[i] - 1) G.between[(G.labels[i] - 1) * k + h] += G.toGroup[static_cast<size_t>(i) * k + h];
    G.counterOffset = counters_;
    counters_ += k * steps_;
  }
}

SharpnessWorkspace::SharpnessWorkspace(const SharpnessReference& ref, uint32_t seed, const gsl_rng_type* type,
                                       bool detailedResults)
    : gen(seed, type), detailed(detailedResults), n(ref.n()) {
  const int kmax = ref.kmax();
  list.assign(n, 0);
  units.assign(n, 0);
  nullUnits.assign(n, 0);
  shown.assign(n, 0);
  part.assign(n, 0);
  labels.assign(2 * n, 0);
  order.assign(n, 0);
  cut.assign(n, 0);
  draws.assign(n, 0);
  match.assign(3 * kmax, 0);
  which.assign(kmax, 0);
  groupSize.assign(kmax, 0);
  matchedTo.assign(kmax, 0);
  sample.Resize(n, n);
  sampleD2.Resize(n, n);
  qp.Resize(2 * kmax, 2 * kmax);
  qpNull.Resize(2 * kmax, 2 * kmax);
  if (detailed) combined.Resize(2 * n, 2 * n);
  const size_t kk = static_cast<size_t>(kmax) * kmax;
  ws.assign(kmax, 0.0);
  ss.assign(kk, 0.0);
  cross.assign(kk, 0.0);
  wsNull.assign(kmax, 0.0);
  ssNull.assign(kk, 0.0);
  crossNull.assign(kk, 0.0);
  qRef.assign(kmax, 0.0);
  qSample.assign(kmax, 0.0);
  qNull.assign(kmax, 0.0);
  scratch.assign(kmax, 0.0);
  history = AllocClusterReport(n, 0, false);
}

SharpnessWorkspace::~SharpnessWorkspace() { FreeClusterReport(n, history); }

namespace {

// The squared distances among the first m units of the bootstrap list
// (upper triangle of w.sampleD2), then their clustering as the reference was
// clustered, into w.history.
void ClusterSample(const SharpnessReference& ref, SharpnessWorkspace& w, int m) {
  const int* u = w.units.data();
  auto gather = [&](const double* const* source, double** target) {
    for (int a = 0; a < m; a++) {
      const double* row = source[u[a]];
      double* to = target[a];
      for (int b = a + 1; b < m; b++) to[b] = row[u[b]];
    }
  };
  gather(ref.D2(), w.sampleD2.data());
  const int method = ref.SampleMethod();
  if (method == kWard) {
    SumSqCluster(m, w.sampleD2.data(), w.history, true);  // reads the table only
  } else {
    gather(ref.Resemblance(), w.sample.data());
    LinkageCluster(m, w.sample.data(), w.history, ref.settings().isDissim, false, method, false);
  }
}

void FillCombined(const SharpnessReference& ref, SharpnessWorkspace& w, int m, const int* sampleUnits) {
  const int n = ref.n();
  const double* const* D2 = ref.D2();
  auto unitAt = [&](int x) { return x < n ? x : sampleUnits[x - n]; };
  for (int x = 0; x < n + m; x++) {
    const double* row = D2[unitAt(x)];
    for (int y = 0; y < n + m; y++) w.combined[x][y] = row[unitAt(y)];
  }
}

// Observed and null comparison of the sample partition in w.part with the
// reference partition into k groups at sampling step s.
void CompareWithReference(const SharpnessReference& ref, SharpnessWorkspace& w, gsl_rng* rng, int k, int s, int m,
                          double total, double* gStar, int64_t* counts, const SharpnessObserver* observer) {
  const int n = ref.n();
  const SharpnessReference::Groups& G = ref.GroupsOf(k);
  const double* const* D2 = ref.D2();
  const double* rowSums = ref.RowSums();
  const bool detailed = w.detailed;
  const int* part = w.part.data();
  int* mh = w.groupSize.data();
  for (int h = 0; h < k; h++) mh[h] = 0;
  for (int j = 0; j < m; j++) mh[part[j] - 1]++;
  for (int g = 0; g < k; g++) w.qRef[g] = Q(G.within[g], G.sizes[g]);

  // Observed: pairs among the sample units, sums from the sample units to the
  // reference groups.
  WithinSumsOfTable(w.sampleD2.data(), m, part, k, w.ws.data());
  if (detailed)  // the sums between sample groups (its within sums are those above)
    SamplePairSums(D2, m, w.units.data(), part, k, w.scratch.data(), w.ss.data(), nullptr);
  double* cross = w.cross.data();
  for (int i = 0; i < k * k; i++) cross[i] = 0.0;
  for (int j = 0; j < m; j++) {
    const double* to = G.toGroup.data() + static_cast<size_t>(w.units[j]) * k;
    const int h = part[j] - 1;
    for (int g = 0; g < k; g++) cross[g * k + h] += to[g];
  }
  double within = 0.0;
  for (int g = 0; g < k; g++) within += w.qRef[g];
  for (int h = 0; h < k; h++) {
    w.qSample[h] = Q(w.ws[h], mh[h]);
    within += w.qSample[h];
  }
  double** qp = w.qp.data();
  for (int g = 0; g < k; g++)
    for (int h = 0; h < k; h++)
      qp[g][k + h] = Q(G.within[g] + w.ws[h] + cross[g * k + h], G.sizes[g] + mh[h]) - w.qRef[g] - w.qSample[h];
  if (detailed) {
    for (int a = 0; a < k; a++) {
      qp[a][a] = w.qRef[a];
      qp[k + a][k + a] = w.qSample[a];
      for (int b = a + 1; b < k; b++) {
        qp[a][b] = Q(G.within[a] + G.within[b] + G.between[a * k + b], G.sizes[a] + G.sizes[b]) - w.qRef[a] -
                   w.qRef[b];
        qp[k + a][k + b] = Q(w.ws[a] + w.ws[b] + w.ss[a * k + b], mh[a] + mh[b]) - w.qSample[a] - w.qSample[b];
      }
    }
  }
  int* which = w.which.data();
  const double S = NearNeigSSqWhich(rng, k, qp, which, w.match.data());
  const double gObserved = 1.0 - S / total;

  // Null sample: the places of sample group which[g] receive units drawn with
  // replacement from reference group g.
  int* matchedTo = w.matchedTo.data();
  for (int a = 0; a < k; a++) {
    const int h = which[a];
    matchedTo[h] = a;
    RndListBootstrapN(rng, G.sizes[a], mh[h], w.draws.data());
    const int* members = G.members.data() + G.start[a];
    int c = 0;
    for (int j = 0; j < m; j++)
      if (part[j] - 1 == h) w.nullUnits[j] = members[w.draws[c++] - 1];
  }
  double nullPairs = 0.0, nullCross = 0.0;
  SamplePairSums(D2, m, w.nullUnits.data(), part, k, w.wsNull.data(), detailed ? w.ssNull.data() : nullptr,
                 &nullPairs);
  double* crossNull = w.crossNull.data();
  for (int i = 0; i < k * k; i++) crossNull[i] = 0.0;
  for (int j = 0; j < m; j++) {
    const int u = w.nullUnits[j];
    nullCross += rowSums[u];
    const double* to = G.toGroup.data() + static_cast<size_t>(u) * k;
    const int h = part[j] - 1;
    if (detailed) {
      for (int a = 0; a < k; a++) crossNull[a * k + h] += to[a];
    } else {
      crossNull[matchedTo[h] * k + h] += to[matchedTo[h]];
    }
  }
  const double totalNull = (ref.TotalPairSum() + nullCross + nullPairs) / (n + m);
  double withinNull = 0.0;
  for (int a = 0; a < k; a++) withinNull += w.qRef[a];
  for (int h = 0; h < k; h++) {
    w.qNull[h] = Q(w.wsNull[h], mh[h]);
    withinNull += w.qNull[h];
  }
  double** qpNull = w.qpNull.data();
  auto nullBetween = [&](int a, int h) {
    return Q(G.within[a] + w.wsNull[h] + crossNull[a * k + h], G.sizes[a] + mh[h]) - w.qRef[a] - w.qNull[h];
  };
  double sNull = 0.0;
  for (int a = 0; a < k; a++) {
    qpNull[a][k + which[a]] = nullBetween(a, which[a]);
    sNull += qpNull[a][k + which[a]];
  }
  if (detailed) {
    for (int a = 0; a < k; a++) {
      qpNull[a][a] = w.qRef[a];
      qpNull[k + a][k + a] = w.qNull[a];
      for (int h = 0; h < k; h++) qpNull[a][k + h] = nullBetween(a, h);
      for (int b = a + 1; b < k; b++) {
        qpNull[a][b] = qp[a][b];
        qpNull[k + a][k + b] =
            Q(w.wsNull[a] + w.wsNull[b] + w.ssNull[a * k + b], mh[a] + mh[b]) - w.qNull[a] - w.qNull[b];
      }
    }
  }
  const double gNull = 1.0 - sNull / totalNull;

  if (AtMostAsLarge(gNull, gObserved)) counts[ref.GCounter(k, s)]++;
  for (int a = 0; a < k; a++)
    if (AtLeastAsLarge(qpNull[a][k + which[a]], qp[a][k + which[a]])) counts[ref.QbCounter(k, a, s)]++;
  gStar[(k - 2) * ref.steps() + s] = gObserved;

  if (observer && observer->comparison) {
    for (int i = 0; i < n; i++) w.labels[i] = G.labels[i];
    for (int j = 0; j < m; j++) w.labels[n + j] = k + part[j];
    for (int j = 0; j < m; j++) w.shown[j] = w.nullUnits[j] + 1;
    SharpnessComparison c;
    c.k = k;
    c.sampleSize = m;
    c.labels = w.labels.data();
    c.nullUnits = w.shown.data();
    c.which = which;
    c.qp = qp;
    c.qpNull = qpNull;
    c.total = total;
    c.within = within;
    c.s = S;
    c.g = gObserved;
    c.totalNull = totalNull;
    c.withinNull = withinNull;
    c.sNull = sNull;
    c.gNull = gNull;
    observer->comparison(c);
  }
}

}  // namespace

void GroupPartitionSharpness_PerGroup(const SharpnessReference& ref, int64_t iteration, SharpnessWorkspace& w,
                                      double* gStar, int64_t* counts, const SharpnessObserver* observer) {
  const int n = ref.n();
  const double* const* D2 = ref.D2();
  const double* rowSums = ref.RowSums();
  gsl_rng* rng = w.gen.For(static_cast<uint32_t>(iteration));
  RndListBootstrap(rng, n, w.list.data());
  for (int j = 0; j < n; j++) w.units[j] = w.list[j] - 1;
  if (observer && observer->iterationStart) observer->iterationStart(iteration);

  // The samples are nested: the pair and cross sums of the sample grow with it.
  double samplePairs = 0.0, sampleCross = 0.0;
  int counted = 0;
  for (int s = 0; s < ref.steps(); s++) {
    const int m = ref.SampleSize(s);
    for (int b = counted; b < m; b++) {
      const double* row = D2[w.units[b]];
      double sum = 0.0;
      for (int a = 0; a < b; a++) sum += row[w.units[a]];
      samplePairs += sum;
      sampleCross += rowSums[w.units[b]];
    }
    counted = m;
    const double total = (ref.TotalPairSum() + sampleCross + samplePairs) / (n + m);

    ClusterSample(ref, w, m);
    ClusterFusionOrder(m, w.history, ref.SampleMethod(), w.order.data());
    if (observer && observer->step) {
      FillCombined(ref, w, m, w.units.data());
      SharpnessStepDetail d;
      d.iteration = iteration;
      d.step = s;
      d.sampleSize = m;
      d.units = w.list.data();
      d.combined = w.combined.data();
      observer->step(d);
    }
    for (int k = 2; k <= ref.kmax(); k++) {
      ClusterPartitionFromOrder(m, k, w.part.data(), nullptr, w.history, w.order.data(), w.cut.data());
      CompareWithReference(ref, w, rng, k, s, m, total, gStar, counts, observer);
    }
  }
  if (observer && observer->iterationEnd) observer->iterationEnd(iteration, gStar);
}

SharpnessResults RunPartitionSharpness(const SharpnessReference& ref, int64_t nIter, uint32_t seed,
                                       const gsl_rng_type* type, int maxThreads, const ProgressHook& progress,
                                       const SharpnessObserver* observer) {
  const int kmax = ref.kmax(), steps = ref.steps();
  const int perIteration = (kmax - 1) * steps;
  SharpnessResults res;
  res.iterations = std::max<int64_t>(nIter, 0);
  for (int s = 0; s < steps; s++) res.sampleSizes.push_back(ref.SampleSize(s));
  res.meanG.assign(perIteration, 0.0);
  res.pG.assign(perIteration, 0.0);
  res.pQb.resize(kmax - 1);
  for (int k = 2; k <= kmax; k++) res.pQb[k - 2].assign(static_cast<size_t>(k) * steps, 0.0);
  if (res.iterations == 0) return res;

  IterationPlan plan;
  plan.listLength = 0;
  plan.nCounts = ref.CounterCount();
  plan.maxThreads = observer ? 1 : maxThreads;
  std::vector<std::unique_ptr<SharpnessWorkspace>> pool(IterationThreads(plan));
  // The G* values are added in t order, so that the means do not depend on
  // how the iterations were shared out.
  std::vector<double> sums(perIteration, 0.0);
  const IterationResult run = RunIterationsInChunks(
      plan, res.iterations, perIteration, progress,
      [&]() {
        auto& mine = pool[omp_get_thread_num()];
        if (!mine) mine = std::make_unique<SharpnessWorkspace>(ref, seed, type, observer != nullptr);
        return mine.get();
      },
      [](int64_t, int*) {},
      [&](int64_t t, const int*, SharpnessWorkspace* w, double* values, int64_t* c) {
        GroupPartitionSharpness_PerGroup(ref, t, *w, values, c, observer);
      },
      [&](const double* values) {
        for (int i = 0; i < perIteration; i++) sums[i] += values[i];
      });
  const std::vector<int64_t>& counts = run.counts;
  res.threads = run.threads;
  const double N = static_cast<double>(res.iterations);
  for (int k = 2; k <= kmax; k++)
    for (int s = 0; s < steps; s++) {
      res.meanG[(k - 2) * steps + s] = sums[(k - 2) * steps + s] / N;
      res.pG[(k - 2) * steps + s] = counts[ref.GCounter(k, s)] / N;
      for (int g = 0; g < k; g++) res.pQb[k - 2][g * steps + s] = counts[ref.QbCounter(k, g, s)] / N;
    }
  return res;
}

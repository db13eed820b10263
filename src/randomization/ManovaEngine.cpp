// The group-test engine: groupings and contrasts prepared once, the observed
// statistics, and the random permutations run through the iteration runner
// on one table of pair values.
#include "randomization/ManovaEngine.h"

#include <omp.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

#include "randomization/GroupSumsOfSquares.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

namespace {

constexpr double kMissing = -999.0;

// Labels 1-based by order of first appearance: two groupings are the same
// partition exactly when these agree.
std::vector<int> FirstAppearance(const std::vector<int>& group) {
  std::map<int, int> seen;
  std::vector<int> out(group.size());
  for (size_t i = 0; i < group.size(); i++) out[i] = seen.emplace(group[i], static_cast<int>(seen.size()) + 1).first->second;
  return out;
}

// Cell label of every unit under several factors: 1 + the position of the
// first unit with the same levels.
std::vector<int> CellLabels(int n, const std::vector<const int*>& factors) {
  std::map<std::vector<int>, int> first;
  std::vector<int> labels(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) {
    std::vector<int> key;
    for (const int* f : factors) key.push_back(f[i]);
    labels[i] = first.emplace(key, i + 1).first->second;
  }
  return labels;
}

struct Contrast {
  int factor = 0;
  Grouping signs;             // positive 0, negative 1, zero coefficients take no part
  std::vector<char> selected;  // units of groups with a nonzero coefficient
  double Qnonzero = 0.0;      // Q of the selected units (the same under the contrast's permutations)
  std::unique_ptr<RestrictedPermutation> permutation;
};

// Everything a permutation is evaluated against, built once per test.
struct Design {
  int n = 0, nf = 0;
  std::vector<Grouping> groupings;      // distinct partitions
  std::vector<int> factorGrouping;      // per factor
  int cellGrouping = 0;
  std::vector<std::vector<int>> pairGrouping;  // [a][b], a < b
  std::vector<Contrast> contrasts;
  bool blockDesign = false;
  double Qt = 0.0;

  int Add(const std::vector<int>& labels) {
    Grouping g = Grouping::FromLabels(n, labels.data());
    const std::vector<int> canonical = FirstAppearance(g.group);
    for (size_t k = 0; k < groupings.size(); k++)
      if (FirstAppearance(groupings[k].group) == canonical) return static_cast<int>(k);
    groupings.push_back(std::move(g));
    return static_cast<int>(groupings.size()) - 1;
  }
};

// Sums of squares of one data set (observed or permuted).
struct Table {
  std::vector<double> q;  // (nf+2)^2, row-major
  double Q3 = 0.0, Qw = 0.0;
  std::vector<double> contrastQb, contrastQw;
  double& At(int a, int b, int nf) { return q[static_cast<size_t>(a) * (nf + 2) + b]; }
};

class Evaluator {
 public:
  Evaluator(const PairTable& table, const Design& design) : eval_(table), design_(design) {
    qb_.resize(design.groupings.size());
  }

  // Main statistics through `list`.
  void Statistics(const int* list, Table& t) {
    const int nf = design_.nf;
    t.q.assign(static_cast<size_t>(nf + 2) * (nf + 2), 0.0);
    for (size_t k = 0; k < design_.groupings.size(); k++)
      qb_[k] = design_.Qt - eval_.PooledWithinQ(design_.groupings[k], list);
    for (int a = 0; a < nf; a++) t.At(a, a, nf) = qb_[design_.factorGrouping[a]];
    t.At(nf, nf, nf) = qb_[design_.cellGrouping];
    t.At(nf + 1, nf + 1, nf) = design_.Qt;
    for (int a = 0; a < nf; a++)
      for (int b = a + 1; b < nf; b++)
        t.At(a, b, nf) = qb_[design_.pairGrouping[a][b]] - t.At(a, a, nf) - t.At(b, b, nf);
    if (nf == 3) {
      double s = 0.0;
      for (int a = 0; a < nf; a++)
        for (int b = a; b < nf; b++) s += t.At(a, b, nf);
      t.Q3 = t.At(nf, nf, nf) - s;
    }
    t.Qw = design_.Qt - t.At(nf, nf, nf);
    if (design_.blockDesign && nf >= 2) {
      for (int b = 1; b < nf; b++) t.Qw += t.At(0, b, nf);
      if (nf == 3) t.Qw += t.Q3;
    }
  }

  // Contrast c through its own list.
  void Contrast(size_t c, const int* list, Table& t) {
    const ::Contrast& k = design_.contrasts[c];
    const double within = eval_.PooledWithinQ(k.signs, list);
    t.contrastQw[c] = within;
    t.contrastQb[c] = k.Qnonzero - within;
  }

 private:
  GroupingEvaluator eval_;
  const Design& design_;
  std::vector<double> qb_;
};

// Index of the counts: the Q table, Q3, then the contrasts.
struct CountLayout {
  int nf;
  int Table(int a, int b) const { return a * (nf + 2) + b; }
  int Q3() const { return (nf + 2) * (nf + 2); }
  int Contrast(int c) const { return Q3() + 1 + c; }
  int Size(int contrasts) const { return Contrast(contrasts); }
};

std::vector<std::vector<double>> Square(int size) {
  return std::vector<std::vector<double>>(static_cast<size_t>(size), std::vector<double>(static_cast<size_t>(size)));
}

}  // namespace

double PermutedRatio(double value, double qw) {
  if (qw > 0.0) return value / qw;
  return std::numeric_limits<double>::infinity();
}

namespace {

Design BuildDesign(const manovaInput& in, bool withContrasts) {
  Design d;
  d.n = in.nUnits;
  d.nf = in.nFactors;
  d.blockDesign = in.blockDesign;
  const int n = d.n, nf = d.nf;
  for (int a = 0; a < nf; a++)
    d.factorGrouping.push_back(d.Add(std::vector<int>(in.factorMemb[a], in.factorMemb[a] + n)));
  std::vector<const int*> all;
  for (int a = 0; a < nf; a++) all.push_back(in.factorMemb[a]);
  d.cellGrouping = d.Add(CellLabels(n, all));
  d.pairGrouping.assign(static_cast<size_t>(nf), std::vector<int>(static_cast<size_t>(nf), -1));
  for (int a = 0; a < nf; a++)
    for (int b = a + 1; b < nf; b++) d.pairGrouping[a][b] = d.Add(CellLabels(n, {in.factorMemb[a], in.factorMemb[b]}));
  if (!withContrasts || !in.contrastsOn || in.contrasts == nullptr || in.nContrasts == nullptr) return d;
  for (int a = 0; a < nf; a++) {
    const Grouping& levels = d.groupings[d.factorGrouping[a]];
    for (int c = 0; c < in.nContrasts[a]; c++) {
      const double* coef = in.contrasts[a][c];
      Contrast k;
      k.factor = a;
      std::vector<int> sign(static_cast<size_t>(n));
      k.selected.assign(static_cast<size_t>(n), 0);
      for (int i = 0; i < n; i++) {
        const double x = coef[levels.group[i]];
        sign[i] = x > 0 ? 0 : 1;
        k.selected[i] = x != 0.0;
      }
      k.signs = Grouping::FromLabels(n, sign.data(), reinterpret_cast<const bool*>(k.selected.data()));
      // Groups keep their numbers 0 (positive) and 1 (negative) even when one is absent.
      if (k.signs.nGroups < 2) {
        k.signs.nGroups = 2;
        k.signs.sizes.resize(2, 0);
      }
      if (k.signs.members > 0 && (k.signs.sizes[0] == 0 || k.signs.sizes[1] == 0)) {
        const int present = sign[std::find(k.selected.begin(), k.selected.end(), 1) - k.selected.begin()];
        k.signs.sizes.assign(2, 0);
        for (int i = 0; i < n; i++)
          if (k.selected[i]) k.signs.group[i] = present;
        k.signs.sizes[present] = k.signs.members;
      }
      d.contrasts.push_back(std::move(k));
    }
  }
  return d;
}

RestrictedPermutation::Design PermutationDesign(const manovaInput& in, const bool* sel) {
  RestrictedPermutation::Design p;
  p.n = in.nUnits;
  p.sel = sel;
  p.nesting = in.nestingOn;
  p.nestMemb = in.nestingOn ? (in.nestingFactor > 0 ? in.factorMemb[in.nestingFactor - 1] : in.nestMemb) : nullptr;
  p.bundles = in.bundlesOn;
  p.bundleMemb = in.bundleMemb;
  p.bundlesOnly = in.bundlesOnly;
  p.synchronized = in.synchronized;
  return p;
}

void Validate(const manovaInput& in) {
  if (in.nUnits < 1 || in.nFactors < 1 || in.dissim == nullptr || in.factorMemb == nullptr)
    throw std::invalid_argument("group test: no units, factors or dissimilarities");
  if (in.nPermutations < 1) throw std::invalid_argument("group test: fewer than one permutation");
  if (in.nestingOn && in.nestingFactor == 0 && in.nestMemb == nullptr)
    throw std::invalid_argument("group test: nesting groups missing");
  if (in.bundlesOn && in.bundleMemb == nullptr) throw std::invalid_argument("group test: bundles missing");
}

}  // namespace

RandomizationTestManova::RandomizationTestManova(const manovaInput& input, gsl_rng* rng, const ProgressHook& progress,
                                                 const ManovaObserver& observer) {
  Validate(input);
  const double start = omp_get_wtime();
  Prepare(input);
  RunSumsOfSquares(input, rng, progress, observer);
  results_.elapsedSeconds = omp_get_wtime() - start;
}

RandomizationTestManova::RandomizationTestManova(const manovaInput& input, int statistic, gsl_rng* rng,
                                                 const ProgressHook& progress, const ManovaObserver& observer) {
  Validate(input);
  if (statistic != 3) throw std::invalid_argument("group test: unknown statistic");
  const double start = omp_get_wtime();
  Prepare(input);
  RunMrpp(input, rng, progress, observer);
  results_.elapsedSeconds = omp_get_wtime() - start;
}

void RandomizationTestManova::Prepare(const manovaInput& in) {
  const int n = in.nUnits, nf = in.nFactors;
  results_.nFactors = nf;
  results_.nPermutations = in.nPermutations;
  results_.seed = in.seed;
  results_.pseudoF = in.pseudoF;
  results_.pairComplete.assign(static_cast<size_t>(nf), std::vector<bool>(static_cast<size_t>(nf), true));
  std::vector<std::vector<int>> levels(static_cast<size_t>(nf));
  for (int a = 0; a < nf; a++) {
    levels[a].assign(in.factorMemb[a], in.factorMemb[a] + n);
    std::sort(levels[a].begin(), levels[a].end());
    levels[a].erase(std::unique(levels[a].begin(), levels[a].end()), levels[a].end());
  }
  for (int a = 0; a < nf; a++)
    for (int b = a + 1; b < nf; b++) {
      std::map<std::pair<int, int>, int> cells;
      for (int i = 0; i < n; i++) cells[{in.factorMemb[a][i], in.factorMemb[b][i]}]++;
      results_.pairComplete[a][b] = cells.size() == levels[a].size() * levels[b].size();
    }
  if (!in.meansAvailable || in.data == nullptr) return;
  const int p = in.nVars;
  auto meanOf = [&](auto member) {
    GroupMean g;
    g.mean.assign(static_cast<size_t>(p), 0.0);
    std::vector<int> present(static_cast<size_t>(p), 0);
    for (int i = 0; i < n; i++) {
      if (!member(i)) continue;
      g.size++;
      for (int j = 0; j < p; j++)
        if (in.data[i][j] != kMissing) {
          g.mean[j] += in.data[i][j];
          present[j]++;
        }
    }
    for (int j = 0; j < p; j++) g.mean[j] = present[j] > 0 ? g.mean[j] / present[j] : kMissing;
    return g;
  };
  results_.factorMeans.resize(static_cast<size_t>(nf));
  for (int a = 0; a < nf; a++)
    for (int level : levels[a]) {
      GroupMean g = meanOf([&](int i) { return in.factorMemb[a][i] == level; });
      g.label = level;
      results_.factorMeans[a].push_back(std::move(g));
    }
  results_.pairMeans.assign(static_cast<size_t>(nf), std::vector<std::vector<GroupMean>>(static_cast<size_t>(nf)));
  for (int a = 0; a < nf; a++)
    for (int b = a + 1; b < nf; b++)
      for (int la : levels[a])
        for (int lb : levels[b]) {
          GroupMean g = meanOf([&](int i) { return in.factorMemb[a][i] == la && in.factorMemb[b][i] == lb; });
          if (g.size == 0) continue;
          g.label = la;
          g.label2 = lb;
          results_.pairMeans[a][b].push_back(std::move(g));
        }
}

void RandomizationTestManova::RunSumsOfSquares(const manovaInput& in, gsl_rng* rng, const ProgressHook& progress,
                                               const ManovaObserver& observer) {
  const int n = in.nUnits, nf = in.nFactors;
  Design design = BuildDesign(in, true);
  const PairTable table(n, in.dissim, !in.squared);
  {
    GroupingEvaluator e(table);
    Grouping all = Grouping::FromLabels(n, std::vector<int>(static_cast<size_t>(n), 0).data());
    design.Qt = e.TotalSum(all) / n;
    for (auto& k : design.contrasts) {
      const int m = k.signs.members;
      k.Qnonzero = m > 0 ? e.TotalSum(k.signs) / m : 0.0;
    }
  }
  const int nc = static_cast<int>(design.contrasts.size());
  // Permutation designs: the main list, then one per contrast.
  RestrictedPermutation mainList(PermutationDesign(in, nullptr));
  results_.bundleStepSkipped = in.bundlesOn && !mainList.BundleStepPossible();
  for (auto& k : design.contrasts) {
    k.permutation = std::make_unique<RestrictedPermutation>(
        PermutationDesign(in, reinterpret_cast<const bool*>(k.selected.data())));
    if (in.bundlesOn && !k.permutation->BundleStepPossible()) results_.contrastBundleStepSkipped = true;
  }

  // Observed statistics.
  std::vector<int> identity(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) identity[i] = i + 1;
  Evaluator observedEval(table, design);
  Table obs;
  obs.contrastQb.resize(static_cast<size_t>(nc));
  obs.contrastQw.resize(static_cast<size_t>(nc));
  observedEval.Statistics(identity.data(), obs);
  for (int c = 0; c < nc; c++) observedEval.Contrast(static_cast<size_t>(c), identity.data(), obs);

  const bool ratio = in.pseudoF && obs.Qw > 0.0;
  results_.ratioFormed = ratio;
  results_.Q = Square(nf + 2);
  results_.F = Square(nf + 2);
  for (int a = 0; a < nf + 2; a++)
    for (int b = 0; b < nf + 2; b++) {
      results_.Q[a][b] = obs.At(a, b, nf);
      results_.F[a][b] = ratio ? obs.At(a, b, nf) / obs.Qw : obs.At(a, b, nf);
    }
  results_.Q3 = obs.Q3;
  results_.F3 = ratio ? obs.Q3 / obs.Qw : obs.Q3;
  results_.Qw = obs.Qw;
  results_.Qt = design.Qt;
  results_.contrasts.assign(static_cast<size_t>(nf), {});
  std::vector<double> observedContrast(static_cast<size_t>(nc));
  std::vector<bool> contrastRatio(static_cast<size_t>(nc));
  {
    int c = 0;
    for (int a = 0; a < nf; a++)
      for (int j = 0; in.contrastsOn && in.nContrasts != nullptr && j < in.nContrasts[a]; j++, c++) {
        ContrastRecord r;
        r.coefficients.assign(in.contrasts[a][j], in.contrasts[a][j] + design.groupings[design.factorGrouping[a]].nGroups);
        r.Qb = obs.contrastQb[c];
        r.QwContrast = obs.contrastQw[c];
        r.ratioFormed = in.pseudoF && r.QwContrast > 0.0;
        r.statistic = r.ratioFormed ? r.Qb / r.QwContrast : r.Qb;
        contrastRatio[c] = r.ratioFormed;
        observedContrast[c] = r.statistic;
        results_.contrasts[a].push_back(std::move(r));
      }
  }

  // What counts, and against which observed value.
  const CountLayout layout{nf};
  std::vector<std::pair<int, double>> tests;  // (count index, observed statistic)
  auto observedStat = [&](int a, int b) { return results_.F[a][b]; };
  for (int a = 0; a < nf; a++) tests.push_back({layout.Table(a, a), observedStat(a, a)});
  if (nf >= 2) {
    tests.push_back({layout.Table(nf, nf), observedStat(nf, nf)});
    for (int a = 0; a < nf; a++)
      for (int b = a + 1; b < nf; b++) tests.push_back({layout.Table(a, b), observedStat(a, b)});
  }
  if (nf == 3) tests.push_back({layout.Q3(), results_.F3});

  const bool printing = static_cast<bool>(observer) && (in.saveEachPermutation || in.printIntermediate);
  auto snapshot = [&](const Table& t, const int64_t* counts, ManovaResults& s) {
    s = results_;
    for (int a = 0; a < nf + 2; a++)
      for (int b = 0; b < nf + 2; b++) {
        s.Q[a][b] = t.q[static_cast<size_t>(a) * (nf + 2) + b];
        s.F[a][b] = ratio ? PermutedRatio(s.Q[a][b], t.Qw) : s.Q[a][b];
        s.P[a][b] = 1.0 + (counts != nullptr ? static_cast<double>(counts[layout.Table(a, b)]) : 0.0);
      }
    s.Q3 = t.Q3;
    s.F3 = ratio ? PermutedRatio(t.Q3, t.Qw) : t.Q3;
    s.P3 = 1.0 + (counts != nullptr ? static_cast<double>(counts[layout.Q3()]) : 0.0);
    s.Qw = t.Qw;
    int c = 0;
    for (int a = 0; a < nf; a++)
      for (auto& r : s.contrasts[a]) {
        r.Qb = t.contrastQb[c];
        r.QwContrast = t.contrastQw[c];
        r.statistic = contrastRatio[c] ? PermutedRatio(r.Qb, r.QwContrast) : r.Qb;
        r.probability = 1.0 + (counts != nullptr ? static_cast<double>(counts[layout.Contrast(c)]) : 0.0);
        c++;
      }
  };
  if (printing) {
    results_.P = Square(nf + 2);
    ManovaResults s;
    snapshot(obs, nullptr, s);
    ConsoleSection([&] { observer(1, identity.data(), s); });
  }

  struct Workspace {
    Evaluator eval;
    Table table;
    ManovaResults snapshot;
  };
  IterationPlan plan;
  plan.iterations = in.nPermutations - 1;
  plan.listLength = n * (1 + nc);
  plan.nCounts = layout.Size(nc);
  plan.maxThreads = printing ? 1 : 0;
  if (in.showProgress) plan.progress = progress;
  IterationResult run = RunIterations(
      plan,
      [&] {
        Workspace w{Evaluator(table, design), Table(), ManovaResults()};
        w.table.contrastQb.resize(static_cast<size_t>(nc));
        w.table.contrastQw.resize(static_cast<size_t>(nc));
        return w;
      },
      [&](int64_t, int* lists) {
        mainList.Draw(rng, lists);
        for (int c = 0; c < nc; c++) design.contrasts[c].permutation->Draw(rng, lists + static_cast<size_t>(n) * (c + 1));
      },
      [&](int64_t t, const int* lists, Workspace& w, int64_t* counts) {
        Table& p = w.table;
        w.eval.Statistics(lists, p);
        for (const auto& test : tests) {
          const double value = test.first == layout.Q3() ? p.Q3 : p.q[test.first];
          if (AtLeastAsLarge(ratio ? PermutedRatio(value, p.Qw) : value, test.second)) counts[test.first]++;
        }
        for (int c = 0; c < nc; c++) {
          w.eval.Contrast(static_cast<size_t>(c), lists + static_cast<size_t>(n) * (c + 1), p);
          const double value = contrastRatio[c] ? PermutedRatio(p.contrastQb[c], p.contrastQw[c]) : p.contrastQb[c];
          if (AtLeastAsLarge(value, observedContrast[c])) counts[layout.Contrast(c)]++;
        }
        if (printing) {
          snapshot(p, counts, w.snapshot);
          ConsoleSection([&] { observer(static_cast<int>(t) + 1, lists, w.snapshot); });
        }
      });
  results_.threads = run.threads;

  const double N = in.nPermutations;
  results_.P = Square(nf + 2);
  for (int a = 0; a < nf + 2; a++)
    for (int b = 0; b < nf + 2; b++) results_.P[a][b] = (1.0 + run.counts[layout.Table(a, b)]) / N;
  results_.P3 = (1.0 + run.counts[layout.Q3()]) / N;
  int c = 0;
  for (int a = 0; a < nf; a++)
    for (auto& r : results_.contrasts[a]) r.probability = (1.0 + run.counts[layout.Contrast(c++)]) / N;
}

void RandomizationTestManova::RunMrpp(const manovaInput& in, gsl_rng* rng, const ProgressHook& progress,
                                      const ManovaObserver& observer) {
  const int n = in.nUnits, nf = in.nFactors;
  results_.mrpp = true;
  const PairTable table(n, in.dissim, in.mrppSquared && !in.squared);
  // With v = 1 on squared values, their square roots are averaged.
  std::unique_ptr<PairTable> roots;
  if (!in.mrppSquared && in.squared) {
    std::vector<double> store(static_cast<size_t>(n) * n);
    std::vector<double*> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
      rows[i] = store.data() + static_cast<size_t>(i) * n;
      for (int j = 0; j < i; j++) rows[i][j] = std::sqrt(in.dissim[i][j]);
    }
    roots = std::make_unique<PairTable>(n, rows.data(), false);
  }
  const PairTable& values = roots ? *roots : table;
  std::vector<Grouping> groupings;
  for (int a = 0; a < nf; a++) groupings.push_back(Grouping::FromLabels(n, in.factorMemb[a]));
  RestrictedPermutation mainList(PermutationDesign(in, nullptr));
  results_.bundleStepSkipped = in.bundlesOn && !mainList.BundleStepPossible();

  auto deltas = [&](GroupingEvaluator& e, std::vector<double>& sums, const int* list, std::vector<double>& out) {
    for (int a = 0; a < nf; a++) {
      const Grouping& g = groupings[a];
      sums.resize(static_cast<size_t>(g.nGroups));
      e.WithinSums(g, list, sums.data());
      double delta = 0.0;
      for (int k = 0; k < g.nGroups; k++) {
        const int size = g.sizes[k];
        if (size < 2) continue;
        const double mean = sums[k] / (size * (size - 1) / 2.0);
        delta += in.mrppSquared ? (n > g.nGroups ? (size - 1.0) / (n - g.nGroups) : 0.0) * mean
                                : static_cast<double>(size) / n * mean;
      }
      out[a] = delta;
    }
  };
  std::vector<int> identity(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) identity[i] = i + 1;
  results_.delta.assign(static_cast<size_t>(nf), 0.0);
  {
    GroupingEvaluator e(values);
    std::vector<double> sums;
    deltas(e, sums, identity.data(), results_.delta);
  }
  const bool printing = static_cast<bool>(observer) && (in.saveEachPermutation || in.printIntermediate);
  if (printing) {
    results_.deltaP.assign(static_cast<size_t>(nf), 1.0);
    ConsoleSection([&] { observer(1, identity.data(), results_); });
  }
  struct Workspace {
    GroupingEvaluator eval;
    std::vector<double> sums, delta;
    ManovaResults snapshot;
  };
  IterationPlan plan;
  plan.iterations = in.nPermutations - 1;
  plan.listLength = n;
  plan.nCounts = nf;
  plan.maxThreads = printing ? 1 : 0;
  if (in.showProgress) plan.progress = progress;
  IterationResult run = RunIterations(
      plan, [&] { return Workspace{GroupingEvaluator(values), {}, std::vector<double>(static_cast<size_t>(nf)), {}}; },
      [&](int64_t, int* list) { mainList.Draw(rng, list); },
      [&](int64_t t, const int* list, Workspace& w, int64_t* counts) {
        deltas(w.eval, w.sums, list, w.delta);
        for (int a = 0; a < nf; a++)
          if (AtMostAsLarge(w.delta[a], results_.delta[a])) counts[a]++;
        if (printing) {
          w.snapshot = results_;
          w.snapshot.delta = w.delta;
          for (int a = 0; a < nf; a++) w.snapshot.deltaP[a] = 1.0 + static_cast<double>(counts[a]);
          ConsoleSection([&] { observer(static_cast<int>(t) + 1, list, w.snapshot); });
        }
      });
  results_.threads = run.threads;
  results_.deltaP.assign(static_cast<size_t>(nf), 1.0);
  for (int a = 0; a < nf; a++) results_.deltaP[a] = (1.0 + run.counts[a]) / in.nPermutations;
}

void RandomizationTestManova::ReplaceProbabilities(const ManovaProbabilities& p) {
  const int nf = results_.nFactors;
  for (int a = 0; a <= nf && a < static_cast<int>(p.P.size()); a++)
    for (int b = 0; b <= nf && b < static_cast<int>(p.P[a].size()); b++) results_.P[a][b] = p.P[a][b];
  results_.P3 = p.P3;
  for (int a = 0; a < nf && a < static_cast<int>(p.contrastP.size()); a++)
    for (size_t c = 0; c < results_.contrasts[a].size() && c < p.contrastP[a].size(); c++)
      results_.contrasts[a][c].probability = p.contrastP[a][c];
}

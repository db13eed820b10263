// The undirected dependency search and its partial-correlation permutation tests.
#include "pathanalysis/UndirectedSearch.h"

#include <algorithm>
#include <utility>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "pathanalysis/ItemCorrelations.h"
#include "pathanalysis/PartialCorrelation.h"
#include "randomization/TieRule.h"
#include "randomization/VariableTest.h"

void PartialCorrelationBatch::Add(int first, int second, const int* c) {
  pairs.push_back(first);
  pairs.push_back(second);
  covariables.insert(covariables.end(), c, c + order);
}

namespace {

// One thread's work tables: the random data set (as read, then transformed),
// its correlations, and under the one-variable null model the rows of the
// first variables.
struct Work {
  Matrix raw;
  VariableCorrelations correlations;
  Matrix permuted;             // null model 1: every variable permuted
  Matrix rows;                 // null model 2: row f of each first variable f
  std::vector<int64_t> rowOf;  // the permutation row f was computed for
  PartialCorrelationSolver solver;
  std::vector<double> solve;   // null model 2: work space of the prepared tests
};

}  // namespace

void PartialCorrelationPermutationTests(const PartialCorrelationRun& run, PartialCorrelationBatch& batch, gsl_rng* rng,
                                        const ProgressHook& progress) {
  const int n = run.nObj, p = run.nVar, tests = batch.Tests(), order = batch.order;
  const double* const* observed = run.observed;
  auto covariables = [&](int t) {
    return order > 0 ? batch.covariables.data() + static_cast<size_t>(order) * t : nullptr;
  };
  batch.r.assign(static_cast<size_t>(tests), 0.0);
  {
    PartialCorrelationSolver solver(order);
    for (int t = 0; t < tests; t++)
      batch.r[t] = solver(observed, batch.pairs[2 * t], batch.pairs[2 * t + 1], order, covariables(t));
  }
  ColumnPermutations lists(run.restrictions, n);
  const bool transform = run.transform.Any(), firstOnly = run.nullModel == 2;
  FirstRefusal refused;
  // The variables whose lists are drawn, in variable order: every variable,
  // or the first variables of the tests; slot[j] is the place of j's list.
  std::vector<int> slot(static_cast<size_t>(p), firstOnly ? -1 : 0);
  for (int t = 0; t < tests; t++) slot[batch.pairs[2 * t]] = 0;
  int drawnVariables = 0;
  for (int j = 0; j < p; j++)
    if (slot[j] == 0) slot[j] = drawnVariables++;
  auto listOf = [&](const int* drawn, int j) { return drawn + static_cast<size_t>(slot[j]) * n; };
  // Null model 2: each test prepared on the observed matrix.
  std::vector<OneVariablePartialCorrelation> prepared;
  if (firstOnly)
    for (int t = 0; t < tests; t++)
      prepared.emplace_back(observed, batch.pairs[2 * t], batch.pairs[2 * t + 1], order, covariables(t));

  // Variable f's values in the order of its list, the other variables as
  // read (firstOnly), or every variable in the order of its own list; then
  // the transformation. False when the transformation refuses the table.
  auto randomTable = [&](const int* drawn, int f, Matrix& raw) {
    for (int j = 0; j < p; j++) {
      const int* list = firstOnly && j != f ? nullptr : listOf(drawn, j);
      for (int i = 0; i < n; i++) raw[i][j] = run.data[list == nullptr ? i : list[i] - 1][j];
    }
    return DataTransformationsLib(run.transform, n, p, raw.data()) != 0;
  };

  IterationPlan plan;
  plan.iterations = std::max(run.nPermutations, 1) - 1;
  plan.listLength = n * drawnVariables;
  plan.nCounts = tests;
  plan.maxThreads = run.maxThreads;
  plan.progress = progress;
  const IterationResult result = RunIterations(
      plan,
      [&] {
        Work w{transform ? Matrix(n, p) : Matrix(), VariableCorrelations(n, p), Matrix(firstOnly ? 0 : p, p),
               Matrix(firstOnly ? p : 0, p), std::vector<int64_t>(static_cast<size_t>(p), -1),
               PartialCorrelationSolver(firstOnly ? 0 : order), std::vector<double>(static_cast<size_t>(std::max(1, order)))};
        if (firstOnly && !transform) w.correlations.SetReference(run.data);
        return w;
      },
      [&](int64_t, int* drawn) { lists.Draw(rng, drawnVariables, drawn); },
      [&](int64_t t, const int* drawn, Work& w, int64_t* counts) {
        const int permutation = static_cast<int>(t) + 1;
        if (transform && refused.Before(permutation)) return;
        if (!firstOnly) {
          if (transform) {
            if (!randomTable(drawn, -1, w.raw)) {
              refused.Keep(RandomDataRefused(permutation, true));
              return;
            }
            w.correlations.Compute(w.raw.data(), nullptr, w.permuted.data());
          } else {
            w.correlations.Compute(run.data, drawn, w.permuted.data());
          }
        }
        for (int k = 0; k < tests; k++) {
          const int first = batch.pairs[2 * k], second = batch.pairs[2 * k + 1];
          double r;
          if (firstOnly) {
            if (w.rowOf[first] != t) {
              if (transform) {
                if (!randomTable(drawn, first, w.raw)) {
                  refused.Keep(RandomDataRefused(permutation, true));
                  return;
                }
                w.correlations.SetReference(w.raw.data());
                w.correlations.Row(w.raw.data(), first, nullptr, w.rows[first]);
              } else {
                w.correlations.Row(run.data, first, listOf(drawn, first), w.rows[first]);
              }
              w.rowOf[first] = t;
            }
            r = prepared[k](w.rows[first], w.solve.data());
          } else {
            r = w.solver(w.permuted.data(), first, second, order, covariables(k));
          }
          if (AtLeastAsLargeAbsolute(r, batch.r[k], 1.0)) counts[k]++;
        }
      });
  refused.ThrowIfAny();
  const double N = std::max(run.nPermutations, 1);
  batch.p.resize(static_cast<size_t>(tests));
  for (int k = 0; k < tests; k++) batch.p[k] = (1.0 + result.counts[k]) / N;
}

LinkMatrix::LinkMatrix(int n) : n_(std::max(0, n)), cells_(static_cast<size_t>(n_) * n_, 0), rows_(static_cast<size_t>(n_)) {
  for (int i = 0; i < n_; i++) rows_[i] = cells_.data() + static_cast<size_t>(i) * n_;
  for (int j = 0; j < n_; j++)
    for (int i = 0; i < j; i++) rows_[j][i] = 1;
}

LinkMatrix& LinkMatrix::operator=(const LinkMatrix& other) {
  if (this != &other) {
    LinkMatrix copy(other);
    std::swap(n_, copy.n_);
    std::swap(cells_, copy.cells_);
    std::swap(rows_, copy.rows_);
  }
  return *this;
}

bool LinkMatrix::Linked(int i, int j) const {
  if (i == j) return false;
  if (i > j) std::swap(i, j);
  return cells_[static_cast<size_t>(j) * n_ + i] == 1;
}

void LinkMatrix::Remove(int i, int j) {
  if (i == j) return;
  if (i > j) std::swap(i, j);
  cells_[static_cast<size_t>(j) * n_ + i] = 0;
}

namespace {

// The next o-subset of {0 .. n-1} in lexicographic order; false after the last.
bool NextSubset(int n, int o, std::vector<int>& s) {
  int k = o - 1;
  while (k >= 0 && s[k] == n - o + k) k--;
  if (k < 0) return false;
  s[k]++;
  for (int m = k + 1; m < o; m++) s[m] = s[m - 1] + 1;
  return true;
}

// Removes the link of every pair of the batch with a test above alpha.
void RemoveLinks(const PartialCorrelationBatch& batch, double alpha, LinkMatrix& links) {
  for (int t = 0; t < batch.Tests(); t++)
    if (batch.p[t] > alpha) links.Remove(batch.pairs[2 * t], batch.pairs[2 * t + 1]);
}

}  // namespace

LinkMatrix SearchUndirectedDependencies(const PartialCorrelationRun& run, double alpha, gsl_rng* rng,
                                        const ProgressHook& progress, const UndirectedSearchObserver& observer) {
  const int p = run.nVar;
  LinkMatrix links(p);
  auto test = [&](PartialCorrelationBatch& batch) {
    PartialCorrelationPermutationTests(run, batch, rng, progress);
    RemoveLinks(batch, alpha, links);
    if (observer) observer(batch, links);
  };
  for (int o = 0; o + 2 < p; o++) {
    if (o == 0) {
      PartialCorrelationBatch batch;
      for (int i = 0; i + 1 < p; i++)
        for (int j = i + 1; j < p; j++) batch.Add(i, j, nullptr);
      test(batch);
      continue;
    }
    for (int i = 0; i + 1 < p; i++)
      for (int j = i + 1; j < p; j++) {
        if (!links.Linked(i, j)) continue;
        PartialCorrelationBatch batch;
        batch.order = o;
        std::vector<int> s(static_cast<size_t>(o));
        for (int k = 0; k < o; k++) s[k] = k;
        do {
          if (std::find(s.begin(), s.end(), i) == s.end() && std::find(s.begin(), s.end(), j) == s.end())
            batch.Add(i, j, s.data());
        } while (NextSubset(p, o, s));
        test(batch);
      }
  }
  return links;
}

std::vector<int> ConstantVariables(int nObj, int nVar, const double* const* data) {
  std::vector<int> constant;
  for (int j = 0; j < nVar; j++) {
    int present = 0;
    double first = 0.0;
    bool varies = false;
    for (int i = 0; i < nObj && !varies; i++) {
      const double x = data[i][j];
      if (IsMissing(x)) continue;
      if (present++ == 0)
        first = x;
      else
        varies = x != first;
    }
    if (!varies) constant.push_back(j);
  }
  return constant;
}

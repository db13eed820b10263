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

// One thread's random data set: the permuted table, its transformed copy and
// its correlation matrix.
struct Work {
  Matrix raw;
  VariableCorrelations correlations;
  Matrix permuted;
  PartialCorrelationSolver solver;
};

double TestCorrelation(PartialCorrelationSolver& solver, int nullModel, const double* const* observed,
                       const double* const* permuted, int first, int second, int order, const int* c) {
  if (permuted == nullptr) return solver(observed, first, second, order, c);
  if (nullModel == 2) return solver(observed, permuted, first, first, second, order, c);
  return solver(permuted, first, second, order, c);
}

}  // namespace

void PartialCorrelationPermutationTests(const PartialCorrelationRun& run, PartialCorrelationBatch& batch, gsl_rng* rng,
                                        const ProgressHook& progress) {
  const int n = run.nObj, p = run.nVar, tests = batch.Tests(), order = batch.order;
  const double* const* observed = run.observed;
  auto covariables = [&](int t) { return order > 0 ? batch.covariables.data() + static_cast<size_t>(order) * t : nullptr; };
  batch.r.assign(static_cast<size_t>(tests), 0.0);
  {
    PartialCorrelationSolver solver(order);
    for (int t = 0; t < tests; t++)
      batch.r[t] = TestCorrelation(solver, run.nullModel, observed, nullptr, batch.pairs[2 * t], batch.pairs[2 * t + 1],
                                   order, covariables(t));
  }
  ColumnPermutations lists(run.restrictions, n);
  const bool transform = run.transform.Any();
  FirstRefusal refused;

  IterationPlan plan;
  plan.iterations = std::max(run.nPermutations, 1) - 1;
  plan.listLength = n * p;
  plan.nCounts = tests;
  plan.maxThreads = run.maxThreads;
  plan.progress = progress;
  const IterationResult result = RunIterations(
      plan,
      [&] {
        return Work{transform ? Matrix(n, p) : Matrix(), VariableCorrelations(n, p), Matrix(p, p),
                    PartialCorrelationSolver(order)};
      },
      [&](int64_t, int* drawn) { lists.Draw(rng, p, drawn); },
      [&](int64_t t, const int* drawn, Work& w, int64_t* counts) {
        const int permutation = static_cast<int>(t) + 1;
        if (transform) {
          if (refused.Before(permutation)) return;
          for (int j = 0; j < p; j++) {
            const int* list = drawn + static_cast<size_t>(j) * n;
            for (int i = 0; i < n; i++) w.raw[i][j] = run.data[list[i] - 1][j];
          }
          if (!DataTransformationsLib(run.transform, n, p, w.raw.data())) {
            refused.Keep(RandomDataRefused(permutation, true));
            return;
          }
          w.correlations.Compute(w.raw.data(), nullptr, w.permuted.data());
        } else {
          w.correlations.Compute(run.data, drawn, w.permuted.data());
        }
        const double* const* permuted = w.permuted.data();
        for (int k = 0; k < tests; k++) {
          const double r = TestCorrelation(w.solver, run.nullModel, observed, permuted, batch.pairs[2 * k],
                                           batch.pairs[2 * k + 1], order, covariables(k));
          if (AtLeastAsLargeAbsolute(r, batch.r[k])) counts[k]++;
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

// The randomization test comparing variables.
#include "randomization/VariableTest.h"

#include <algorithm>
#include <cstdint>

#include "ZQLib/MissingValue.h"
#include "randomization/TieRule.h"

void FirstRefusal::Keep(const RandomDataRefused& e) {
  const int64_t code = Code(e.permutation, e.inTransformation);
  int64_t kept = code_.load();
  while (code < kept && !code_.compare_exchange_weak(kept, code)) {
  }
}

void FirstRefusal::ThrowIfAny() const {
  const int64_t code = code_.load();
  if (code != INT64_MAX) throw RandomDataRefused(static_cast<int>(code / 2), code % 2 == 0);
}

PermutedDataSet::PermutedDataSet(const VariableTestInput& in)
    : in_(&in),
      transform_(in.transform.Any()),
      raw_(in.nObj, in.nVar),
      transformed_(transform_ ? Matrix(in.nObj, in.nVar) : Matrix()),
      rese_(in.resemblance.Order(in.nObj, in.nVar), in.resemblance.Order(in.nObj, in.nVar)) {}

void PermutedDataSet::Compute(int permutation, const int* lists) {
  const int n = in_->nObj, p = in_->nVar;
  const double* const* data = in_->data;
  for (int j = 0; j < p; j++) {
    const int* list = lists + static_cast<size_t>(j) * n;
    for (int i = 0; i < n; i++) raw_[i][j] = data[list[i] - 1][j];
  }
  double** table = raw_.data();
  if (transform_) {
    for (int i = 0; i < n; i++) std::copy(raw_[i], raw_[i] + p, transformed_[i]);
    table = transformed_.data();
    if (!DataTransformationsLib(in_->transform, n, p, table)) throw RandomDataRefused(permutation, true);
  }
  if (!ResemblanceLib(in_->resemblance, n, p, table, rese_.data())) throw RandomDataRefused(permutation, false);
}

VariableTestResult RandomizationTestVariables(const VariableTestInput& in, gsl_rng* rng, const ProgressHook& progress,
                                              const VariableTestObserver& observer) {
  const int n = in.nObj, p = in.nVar;
  ColumnPermutations lists(in.restrictions, n);
  // Pair (j, k), j < k, is counter k(k-1)/2 + j.
  auto pair = [](int j, int k) { return k * (k - 1) / 2 + j; };
  const double* const* observed = in.observed;
  // The magnitude of the measure's values, for the rounding of ties.
  double scale = 0.0;
  for (int j = 0; j < p; j++)
    for (int k = 0; k < p; k++)
      if (!IsMissing(observed[j][k])) scale = std::max(scale, std::fabs(observed[j][k]));
  FirstRefusal refused;

  IterationPlan plan;
  plan.iterations = std::max(in.nPermutations, 1) - 1;
  plan.listLength = n * p;
  plan.nCounts = p * (p - 1) / 2;
  plan.maxThreads = observer ? 1 : in.maxThreads;
  plan.progress = progress;
  IterationResult run = RunIterations(
      plan, [&] { return PermutedDataSet(in); },
      [&](int64_t, int* drawn) { lists.Draw(rng, p, drawn); },
      [&](int64_t t, const int* drawn, PermutedDataSet& set, int64_t* counts) {
        const int permutation = static_cast<int>(t) + 1;
        if (refused.Before(permutation)) return;
        try {
          set.Compute(permutation, drawn);
        } catch (const RandomDataRefused& e) {
          refused.Keep(e);
          return;
        }
        const double* const* random = set.Rese();
        for (int k = 1; k < p; k++)
          for (int j = 0; j < k; j++) {
            const double value = random[j][k];
            if (!IsMissing(value) && AtLeastAsLargeAbsolute(value, observed[j][k], scale)) counts[pair(j, k)]++;
          }
        if (observer) observer(permutation, set.Raw(), random);
      });
  refused.ThrowIfAny();

  VariableTestResult result;
  result.threads = run.threads;
  result.probability = Matrix(p, p);
  const double N = std::max(in.nPermutations, 1);
  for (int j = 0; j < p; j++) {
    result.probability[j][j] = 1.0;
    for (int k = j + 1; k < p; k++) {
      const double P = IsMissing(observed[j][k]) ? MISSING_VALUE : (1.0 + run.counts[pair(j, k)]) / N;
      result.probability[j][k] = result.probability[k][j] = P;
    }
  }
  return result;
}

Matrix VariableTestTable(int nVar, const double* const* observed, const Matrix& probability) {
  Matrix t(nVar, nVar);
  for (int j = 0; j < nVar; j++)
    for (int k = 0; k < nVar; k++) t[j][k] = k > j ? probability[j][k] : observed[j][k];
  return t;
}

// The randomization test of mutual entropies of variable triplets.
#include "randomization/TripletTest.h"

#include <algorithm>
#include <cstdint>

#include "ZQLib/MissingValue.h"
#include "randomization/TieRule.h"

TripletTable::TripletTable(int n)
    : cells_(static_cast<size_t>(n) * n * n), rows_(static_cast<size_t>(n) * n), planes_(static_cast<size_t>(n)) {
  for (size_t r = 0; r < rows_.size(); r++) rows_[r] = cells_.data() + r * static_cast<size_t>(n);
  for (int a = 0; a < n; a++) planes_[a] = rows_.data() + static_cast<size_t>(a) * n;
}

namespace {

// The triplets and the conditional pairs, in report order, with their values.
void ListValues(int p, const double* const* pairs, const double* const* const* triplets,
                std::vector<TripletValue>& tripletValues, std::vector<TripletValue>& conditional) {
  tripletValues.clear();
  conditional.clear();
  for (int a = 0; a < p; a++)
    for (int b = a + 1; b < p; b++)
      for (int c = b + 1; c < p; c++) tripletValues.push_back({a, b, c, triplets[a][b][c], 1.0});
  for (int a = 0; a < p; a++)
    for (int b = a + 1; b < p; b++)
      for (int c = 0; c < p; c++)
        if (c != a && c != b) conditional.push_back({a, b, c, pairs[a][b] + triplets[a][b][c], 1.0});
}

struct Workspace {
  PermutedDataSet set;
  TripletTable triplets;
  std::vector<TripletValue> tripletValues, conditional;
};

}  // namespace

TripletTestResult RandomizationTestTriplets(const VariableTestInput& in, const double* const* const* observedTriplets,
                                            gsl_rng* rng, const ProgressHook& progress,
                                            const TripletTestObserver& observer) {
  const int n = in.nObj, p = in.nVar;
  const ResemblanceChoice& choice = in.resemblance;
  TripletTestResult result;
  ListValues(p, in.observed, observedTriplets, result.triplets, result.conditional);
  const int nTriplets = static_cast<int>(result.triplets.size());
  const int nConditional = static_cast<int>(result.conditional.size());
  ColumnPermutations lists(in.restrictions, n);
  FirstRefusal refused;

  IterationPlan plan;
  plan.iterations = std::max(in.nPermutations, 1) - 1;
  plan.listLength = n * p;
  plan.nCounts = nTriplets + nConditional;
  plan.maxThreads = observer ? 1 : in.maxThreads;
  plan.progress = progress;
  IterationResult run = RunIterations(
      plan,
      [&] {
        Workspace w{PermutedDataSet(in), TripletTable(p), {}, {}};
        w.tripletValues.reserve(result.triplets.size());
        w.conditional.reserve(result.conditional.size());
        return w;
      },
      [&](int64_t, int* drawn) { lists.Draw(rng, p, drawn); },
      [&](int64_t t, const int* drawn, Workspace& w, int64_t* counts) {
        const int permutation = static_cast<int>(t) + 1;
        if (refused.Before(permutation)) return;
        try {
          w.set.Compute(permutation, drawn);
        } catch (const RandomDataRefused& e) {
          refused.Keep(e);
          return;
        }
        ResemblanceLibTriplets(n, p, w.set.Transformed(), w.triplets.data(), choice.direction, choice.measure,
                               choice.varType.empty() ? nullptr : choice.varType.data(), choice.alpha);
        ListValues(p, w.set.Rese(), w.triplets.data(), w.tripletValues, w.conditional);
        for (int k = 0; k < nTriplets; k++) {
          const double v = w.tripletValues[k].value;
          if (!IsMissing(v) && AtLeastAsLarge(v, result.triplets[k].value)) counts[k]++;
        }
        for (int k = 0; k < nConditional; k++) {
          const double v = w.conditional[k].value;
          if (!IsMissing(v) && AtLeastAsLarge(v, result.conditional[k].value)) counts[nTriplets + k]++;
        }
        if (observer) observer(permutation, w.set.Raw(), w.set.Rese(), w.triplets.data());
      });
  refused.ThrowIfAny();

  result.threads = run.threads;
  const double N = std::max(in.nPermutations, 1);
  for (int k = 0; k < nTriplets; k++) result.triplets[k].probability = (1.0 + run.counts[k]) / N;
  for (int k = 0; k < nConditional; k++)
    result.conditional[k].probability = (1.0 + run.counts[nTriplets + k]) / N;
  return result;
}

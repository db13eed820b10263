// The basis-set test of a path model by permutation.
#include "pathanalysis/BasisSetTest.h"

#include <algorithm>
#include <stdexcept>

#include "pathanalysis/PartialCorrelation.h"
#include "randomization/TieRule.h"

namespace {

void CheckElements(const std::vector<BasisSetElement>& elements, int items) {
  for (const BasisSetElement& e : elements) {
    auto inside = [items](int k) { return k >= 0 && k < items; };
    if (!inside(e.first) || !inside(e.second) || e.first == e.second)
      throw std::invalid_argument("a statement's pair is not two items of the table");
    std::vector<bool> used(static_cast<size_t>(items), false);
    used[e.first] = used[e.second] = true;
    for (int c : e.covariables) {
      if (!inside(c) || used[c]) throw std::invalid_argument("a covariable repeated or outside the table");
      used[c] = true;
    }
  }
}

int LargestOrder(const std::vector<BasisSetElement>& elements) {
  int q = 0;
  for (const BasisSetElement& e : elements) q = std::max(q, e.Order());
  return q;
}

struct Work {
  ItemCorrelations correlations;
  Matrix permuted;              // every item permuted
  Matrix rows;                  // null model 2: row f of each first item f
  std::vector<int64_t> rowOf;   // the arrangement row f was computed for
  PartialCorrelationSolver solver;
  std::vector<double> solve;    // null model 2: work space of the prepared statements
  std::vector<double> random;
  std::vector<int> fullLists;   // null model 2, results written: a list for every item
};

}  // namespace

BasisSetTestResult BasisSetPermutationTest(const BasisSetTestInput& in, gsl_rng* rng, const ProgressHook& progress,
                                           const BasisSetObserver& observer) {
  if (in.nullModel != PERMUTE_ALL_ITEMS && in.nullModel != PERMUTE_FIRST_ITEM)
    throw std::invalid_argument("null model 1 or 2");
  const ItemModel model(in.nObj, in.nVar, in.data, in.criterion, in.blocks);
  const int n = in.nObj, items = model.Items();
  const int nElements = static_cast<int>(in.elements.size());
  CheckElements(in.elements, items);
  ColumnPermutations lists(in.restrictions, n);
  const int maxOrder = LargestOrder(in.elements);

  BasisSetTestResult result;
  result.observedMatrix = Matrix(items, items);
  ItemCorrelations(model).Compute(nullptr, result.observedMatrix.data(), true);
  const double* const* observed = result.observedMatrix.data();
  {
    PartialCorrelationSolver solver(maxOrder);
    for (const BasisSetElement& e : in.elements)
      result.observed.push_back(solver(observed, e.first, e.second, e.Order(), e.covariables.data()));
  }

  if (observer) observer(1, nullptr, observed, nullptr, result.observed.data());
  const bool firstOnly = in.nullModel == PERMUTE_FIRST_ITEM;
  // The items whose lists are drawn, in item order: every item, or those
  // first in some statement; slot[k] is the place of item k's list.
  std::vector<int> slot(static_cast<size_t>(items), firstOnly ? -1 : 0);
  for (const BasisSetElement& e : in.elements) slot[e.first] = 0;
  int drawnItems = 0;
  for (int k = 0; k < items; k++)
    if (slot[k] == 0) slot[k] = drawnItems++;
  const size_t listSize = static_cast<size_t>(n);
  // Null model 2: each statement prepared on the observed matrix.
  std::vector<OneVariablePartialCorrelation> prepared;
  if (firstOnly)
    for (const BasisSetElement& e : in.elements)
      prepared.emplace_back(observed, e.first, e.second, e.Order(), e.covariables.data());

  IterationPlan plan;
  plan.iterations = std::max(in.nPermutations, 1) - 1;
  plan.listLength = n * drawnItems;
  plan.nCounts = nElements;
  plan.maxThreads = observer ? 1 : in.maxThreads;
  plan.progress = progress;
  const IterationResult run = RunIterations(
      plan,
      [&] {
        return Work{ItemCorrelations(model), Matrix(items, items), Matrix(firstOnly ? items : 0, items),
                    std::vector<int64_t>(static_cast<size_t>(items), -1),
                    PartialCorrelationSolver(firstOnly ? 0 : maxOrder),
                    std::vector<double>(static_cast<size_t>(std::max(1, maxOrder))),
                    std::vector<double>(static_cast<size_t>(nElements)),
                    std::vector<int>(firstOnly && observer ? listSize * items : 0)};
      },
      [&](int64_t, int* drawn) { lists.Draw(rng, drawnItems, drawn); },
      [&](int64_t t, const int* drawn, Work& w, int64_t* counts) {
        // Every item's list: items not drawn stay in their observed order.
        const int* full = drawn;
        if (firstOnly && observer) {
          for (int k = 0; k < items; k++)
            for (int i = 0; i < n; i++)
              w.fullLists[k * listSize + i] = slot[k] >= 0 ? drawn[slot[k] * listSize + i] : i + 1;
          full = w.fullLists.data();
        }
        if (!firstOnly || observer) w.correlations.Compute(full, w.permuted.data(), true);
        const double* const* permuted = w.permuted.data();
        for (int k = 0; k < nElements; k++) {
          const BasisSetElement& e = in.elements[k];
          const int* c = e.covariables.empty() ? nullptr : e.covariables.data();
          double r;
          if (firstOnly) {
            if (w.rowOf[e.first] != t) {
              w.correlations.FirstItemRow(e.first, drawn + slot[e.first] * listSize, w.rows[e.first]);
              w.rowOf[e.first] = t;
            }
            r = prepared[k](w.rows[e.first], w.solve.data());
          } else {
            r = w.solver(permuted, e.first, e.second, e.Order(), c);
          }
          w.random[k] = r;
          if (AtLeastAsLargeAbsolute(r, result.observed[k], 1.0)) counts[k]++;
        }
        if (observer)
          observer(static_cast<int>(t) + 1, full, permuted, firstOnly ? w.rows.data() : nullptr, w.random.data());
      });

  result.threads = run.threads;
  const double N = std::max(in.nPermutations, 1);
  for (int k = 0; k < nElements; k++) result.probability.push_back((1.0 + run.counts[k]) / N);
  result.fisher = FisherC(result.probability);
  return result;
}

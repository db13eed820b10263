// The default series of group tests for several factors.
#include "randomization/ManovaSeries.h"

#include <map>
#include <vector>

namespace {

struct OwnedMatrix {
  explicit OwnedMatrix(int n) : store(static_cast<size_t>(n) * n), rows(static_cast<size_t>(n)) {
    for (int i = 0; i < n; i++) rows[i] = store.data() + static_cast<size_t>(i) * n;
  }
  double** get() { return rows.data(); }
  std::vector<double> store;
  std::vector<double*> rows;
};

// Nesting groups of factor a's test: units equal in every other factor.
std::vector<int> CellsOfOtherFactors(const manovaInput& in, int a) {
  std::map<std::vector<int>, int> first;
  std::vector<int> cells(static_cast<size_t>(in.nUnits));
  for (int i = 0; i < in.nUnits; i++) {
    std::vector<int> key;
    for (int f = 0; f < in.nFactors; f++)
      if (f != a) key.push_back(in.factorMemb[f][i]);
    cells[i] = first.emplace(key, i + 1).first->second;
  }
  return cells;
}

}  // namespace

bool ManovaNeedsSeries(int nFactors, bool blockDesign) { return nFactors >= 3 || (nFactors == 2 && !blockDesign); }

int ManovaSeriesLength(int nFactors, bool blockDesign) {
  int runs = 0;
  for (int a = 0; a < nFactors; a++)
    for (int b = a + 1; b < nFactors; b++)
      if (!(blockDesign && a == 0)) runs++;
  if (nFactors == 3 && !blockDesign) runs++;
  runs++;  // all-factor cells
  runs += nFactors - (blockDesign ? 1 : 0);
  return runs;
}

std::unique_ptr<RandomizationTestManova> RunManovaSeries(
    const manovaInput& base, gsl_rng* rng, const DissimilarityProvider& provider,
    const std::function<ProgressHook(int nTests, int testIndex)>& progressFor, const ManovaObserver& observer) {
  const int n = base.nUnits, nf = base.nFactors;
  const bool block = base.blockDesign;
  const int nTests = ManovaSeriesLength(nf, block);
  ManovaProbabilities merged;
  merged.P.assign(static_cast<size_t>(nf + 1), std::vector<double>(static_cast<size_t>(nf + 1), 1.0));
  merged.contrastP.resize(static_cast<size_t>(nf));
  int index = 0;
  auto run = [&](manovaInput in, double** D) {
    in.dissim = D;
    in.nTests = nTests;
    in.testIndex = ++index;
    const ProgressHook hook = progressFor ? progressFor(nTests, index) : ProgressHook();
    return std::make_unique<RandomizationTestManova>(in, rng, hook, observer);
  };
  OwnedMatrix work(n);
  // Interactions of two factors, both effects removed, F criterion.
  for (int a = 0; a < nf; a++)
    for (int b = a + 1; b < nf; b++) {
      if (block && a == 0) continue;
      const int which[2] = {a + 1, b + 1};
      provider(2, which, work.get());
      manovaInput in = base;
      in.pseudoF = true;
      in.contrastsOn = false;
      in.nRemoved = 2;
      if (in.nestingOn && in.nestingFactor > 0 && (in.nestingFactor - 1 == a || in.nestingFactor - 1 == b))
        in.nestingOn = false;
      merged.P[a][b] = run(in, work.get())->GetManovaResults().P[a][b];
    }
  if (nf == 3 && !block) {
    const int which[3] = {1, 2, 3};
    provider(3, which, work.get());
    manovaInput in = base;
    in.pseudoF = true;
    in.contrastsOn = false;
    in.nRemoved = 3;
    merged.P3 = run(in, work.get())->GetManovaResults().P3;
  }
  // The data themselves from here on.
  provider(0, nullptr, work.get());
  {
    manovaInput in = base;
    in.pseudoF = false;
    in.nestingOn = false;
    in.bundlesOn = false;
    in.nRemoved = 0;
    merged.P[nf][nf] = run(in, work.get())->GetManovaResults().P[nf][nf];
  }
  std::unique_ptr<RandomizationTestManova> last;
  std::vector<int> cells;
  for (int a = 0; a < nf; a++) {
    if (block && a == 0) continue;
    cells = CellsOfOtherFactors(base, a);
    manovaInput in = base;
    in.pseudoF = false;
    in.nestingOn = true;
    in.nestingFactor = 0;
    in.nestMemb = cells.data();
    in.nRemoved = 0;
    last = run(in, work.get());
    const ManovaResults& r = last->GetManovaResults();
    merged.P[a][a] = r.P[a][a];
    merged.contrastP[a].clear();
    for (const auto& c : r.contrasts[a]) merged.contrastP[a].push_back(c.probability);
  }
  last->ReplaceProbabilities(merged);
  return last;
}

// Random permutation and bootstrap lists, plain and restricted.
#include "randomization/RandomLists.h"

#include <algorithm>
#include <map>

namespace {

// Distinct labels of the units taking part, ascending, each with its 0-based
// positions in ascending order.
std::vector<std::vector<int>> PositionsByLabel(int n, const int* memb, const bool* sel) {
  std::map<int, std::vector<int>> byLabel;
  for (int i = 0; i < n; i++)
    if (sel == nullptr || sel[i]) byLabel[memb[i]].push_back(i);
  std::vector<std::vector<int>> groups;
  groups.reserve(byLabel.size());
  for (auto& entry : byLabel) groups.push_back(std::move(entry.second));
  return groups;
}

bool SameSizes(const std::vector<std::vector<int>>& groups) {
  for (size_t g = 1; g < groups.size(); g++)
    if (groups[g].size() != groups[0].size()) return false;
  return true;
}

RestrictedPermutation::Design NestedDesign(int n, bool nesting, const int* nestMemb, bool bundles,
                                           const int* bundleMemb, bool bundlesOnly) {
  RestrictedPermutation::Design d;
  d.n = n;
  d.nesting = nesting;
  d.nestMemb = nestMemb;
  d.bundles = bundles;
  d.bundleMemb = bundleMemb;
  d.bundlesOnly = bundlesOnly;
  return d;
}

// One list of a nested design (the identity when neither nesting nor bundles
// are on); false when the bundle step was not possible.
bool DrawNested(gsl_rng* rng, const RestrictedPermutation::Design& d, int* list) {
  if (!d.nesting && !d.bundles) {
    for (int i = 0; i < d.n; i++) list[i] = i + 1;
    return true;
  }
  RestrictedPermutation p(d);
  p.Draw(rng, list);
  return p.BundleStepPossible();
}

}  // namespace

void RndList(gsl_rng* rng, int n, int* list) {
  for (int i = 0; i < n; i++) list[i] = i + 1;
  for (int i = 0; i + 1 < n; i++) {
    const int j = i + static_cast<int>(gsl_rng_uniform_int(rng, static_cast<unsigned long>(n - i)));
    std::swap(list[i], list[j]);
  }
}

void RndListSelect(gsl_rng* rng, int n, int* list, const bool* sel) {
  RestrictedPermutation::Design d;
  d.n = n;
  d.sel = sel;
  std::vector<int> full(list, list + n);
  RestrictedPermutation(d).Draw(rng, full.data());
  for (int i = 0; i < n; i++)
    if (sel[i]) list[i] = full[i];
}

void RndListSelect(gsl_rng* rng, int n, int* list, const int* sel) {
  std::vector<char> mask(static_cast<size_t>(n > 0 ? n : 0));
  for (int i = 0; i < n; i++) mask[i] = sel[i] == 1;
  RndListSelect(rng, n, list, reinterpret_cast<const bool*>(mask.data()));
}

void RndListSelectSynchronized(gsl_rng* rng, int n, int* list, const bool* sel, const int* order, int* permBuf,
                               bool fresh) {
  std::vector<int> positions;
  for (int i = 0; i < n; i++)
    if (sel[i]) positions.push_back(i + 1);
  const int m = static_cast<int>(positions.size());
  if (fresh) RndList(rng, m, permBuf);
  for (int s = 0; s < m; s++) {
    const int t = order != nullptr ? order[s] - 1 : s;
    list[positions[t] - 1] = positions[permBuf[t] - 1];
  }
}

bool RndListNestedNew(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles, const int* bundleMemb,
                      bool bundlesOnly, int* list) {
  return RndListNestedSynchronized(rng, n, nesting, nestMemb, bundles, bundleMemb, bundlesOnly, list, false,
                                   nullptr);
}

bool RndListNestedSynchronized(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles,
                               const int* bundleMemb, bool bundlesOnly, int* list, bool synchronized,
                               const int* /*order*/) {
  RestrictedPermutation::Design d = NestedDesign(n, nesting, nestMemb, bundles, bundleMemb, bundlesOnly);
  d.synchronized = synchronized;
  return DrawNested(rng, d, list);
}

bool RndListNestedSelect(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles,
                         const int* bundleMemb, bool bundlesOnly, int* list, const bool* sel) {
  RestrictedPermutation::Design d = NestedDesign(n, nesting, nestMemb, bundles, bundleMemb, bundlesOnly);
  d.sel = sel;
  return DrawNested(rng, d, list);
}

void RndListMantelRestricted(gsl_rng* rng, int nPairs, int* list, int nObj, int* work) {
  std::vector<int> own;
  if (work == nullptr) {
    own.resize(static_cast<size_t>(nObj > 0 ? nObj : 0));
    work = own.data();
  }
  RndList(rng, nObj, work);
  // Number (1-based) of pair (a, b), a < b, in row order of the upper triangle.
  auto pairNumber = [nObj](int a, int b) {
    if (a > b) std::swap(a, b);
    return a * nObj - a * (a + 1) / 2 + (b - a - 1) + 1;
  };
  int k = 0;
  for (int i = 0; i < nObj; i++)
    for (int j = i + 1; j < nObj && k < nPairs; j++) list[k++] = pairNumber(work[i] - 1, work[j] - 1);
}

void RndListBootstrap(gsl_rng* rng, int n, int* list) { RndListBootstrapN(rng, n, n, list); }

void RndListBootstrapN(gsl_rng* rng, int n, int m, int* list) {
  for (int t = 0; t < m; t++) list[t] = static_cast<int>(gsl_rng_uniform_int(rng, static_cast<unsigned long>(n))) + 1;
}

RestrictedPermutation::RestrictedPermutation(const Design& d)
    : n_(d.n),
      restricted_(d.nesting || d.bundles),
      synchronized_(d.synchronized),
      bundlesWithinNesting_(d.bundlesOnly && d.nesting && d.bundles) {
  size_t largest = 0;
  if (!restricted_) {
    for (int i = 0; i < n_; i++)
      if (d.sel == nullptr || d.sel[i]) selected_.push_back(i);
    largest = selected_.size();
  }
  if (d.nesting) {
    nestGroups_ = PositionsByLabel(n_, d.nestMemb, d.sel);
    for (auto& g : nestGroups_) largest = std::max(largest, g.size());
  }
  if (d.bundles) {
    bundles_ = PositionsByLabel(n_, d.bundleMemb, d.sel);
    bundleStepPossible_ = SameSizes(bundles_);
    largest = std::max(largest, bundles_.size());
    if (bundlesWithinNesting_ && bundleStepPossible_) {
      // Bundles exchanged within each nesting group: their members there.
      for (auto& group : nestGroups_) {
        std::map<int, std::vector<int>> present;
        for (int position : group) {
          const int label = d.bundleMemb[position];
          const auto found = std::find_if(bundles_.begin(), bundles_.end(), [&](const std::vector<int>& b) {
            return d.bundleMemb[b[0]] == label;
          });
          present[static_cast<int>(found - bundles_.begin())].push_back(position);
        }
        std::vector<int> ids;
        std::vector<std::vector<int>> positions;
        for (auto& entry : present) {
          ids.push_back(entry.first);
          positions.push_back(std::move(entry.second));
        }
        // A bundle split between nesting groups leaves unequal parts.
        if (!SameSizes(positions)) bundleStepPossible_ = false;
        bundlesInGroup_.push_back(std::move(ids));
        bundlePositionsInGroup_.push_back(std::move(positions));
      }
    }
  }
  scratch_.resize(largest);
  synchronizedRanks_.resize(largest);
  values_.resize(static_cast<size_t>(n_ > 0 ? n_ : 0));
}

void RestrictedPermutation::DrawRanks(gsl_rng* rng, int m) { RndList(rng, m, scratch_.data()); }

void RestrictedPermutation::Draw(gsl_rng* rng, int* list) {
  for (int i = 0; i < n_; i++) list[i] = i + 1;
  if (!restricted_) {
    const int m = static_cast<int>(selected_.size());
    DrawRanks(rng, m);
    for (int t = 0; t < m; t++) list[selected_[t]] = selected_[scratch_[t] - 1] + 1;
    return;
  }
  // Units within their nesting group.
  if (!nestGroups_.empty() && !bundlesWithinNesting_) {
    int savedSize = -1;
    for (const auto& group : nestGroups_) {
      const int m = static_cast<int>(group.size());
      const int* ranks = scratch_.data();
      if (synchronized_ && m == savedSize) {
        ranks = synchronizedRanks_.data();
      } else {
        DrawRanks(rng, m);
        if (synchronized_ && savedSize < 0) {
          std::copy(scratch_.begin(), scratch_.begin() + m, synchronizedRanks_.begin());
          savedSize = m;
        }
      }
      for (int t = 0; t < m; t++) list[group[t]] = group[ranks[t] - 1] + 1;
    }
  }
  if (bundles_.empty() || !bundleStepPossible_) return;
  if (!bundlesWithinNesting_) {
    ExchangeBundles(rng, bundles_, list);
    return;
  }
  // Bundles exchanged only with bundles of the same nesting group.
  for (const auto& positions : bundlePositionsInGroup_) ExchangeBundles(rng, positions, list);
}

void RestrictedPermutation::ExchangeBundles(gsl_rng* rng, const std::vector<std::vector<int>>& bundles, int* list) {
  const int nb = static_cast<int>(bundles.size());
  if (nb == 0) return;
  const int size = static_cast<int>(bundles[0].size());
  for (int g = 0; g < nb; g++)
    for (int k = 0; k < size; k++) values_[static_cast<size_t>(g) * size + k] = list[bundles[g][k]];
  DrawRanks(rng, nb);
  for (int g = 0; g < nb; g++)
    for (int k = 0; k < size; k++) list[bundles[g][k]] = values_[static_cast<size_t>(scratch_[g] - 1) * size + k];
}

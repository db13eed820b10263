// Random permutation and bootstrap lists. A list of length n holds 1-based
// unit numbers: entry i names the unit whose data go to position i of the
// randomized data set. Every builder takes the generator it draws from, so
// the same code serves the session generator and per-iteration generators;
// the number and order of the draws are part of each builder's contract
// (a given seed reproduces the same lists).
#pragma once
#include <gsl/gsl_rng.h>

#include <vector>

// Uniform random permutation of 1..n: forward Fisher-Yates, position i
// swapped with i + gsl_rng_uniform_int(rng, n - i) for i = 0..n-2 (n - 1
// draws; none for n <= 1).
void RndList(gsl_rng* rng, int n, int* list);

// The entries at the selected positions become a random permutation of those
// (1-based) positions, drawn with RndList over the m selected positions taken
// in ascending order; other entries are untouched. No draw when m = 0.
void RndListSelect(gsl_rng* rng, int n, int* list, const bool* sel);
void RndListSelect(gsl_rng* rng, int n, int* list, const int* sel);  // selected: sel[i] == 1

// As RndListSelect, but the permutation of the m selected ranks is drawn and
// kept in permBuf[m] when `fresh`, and otherwise taken from permBuf without
// drawing. order[m] gives the order in which the ranks are written (1-based,
// may be null); each rank goes to its own position, so it does not change
// the list.
void RndListSelectSynchronized(gsl_rng* rng, int n, int* list, const bool* sel, const int* order, int* permBuf,
                               bool fresh);

// Restricted permutations: within nesting groups (nestMemb) and/or of bundles
// (bundleMemb) as wholes. bundlesOnly false: units are permuted within their
// nesting group, then whole bundles are exchanged rank by rank; bundlesOnly
// true (with nesting): only bundles are exchanged, each with bundles of its
// own nesting group. Groups and bundles are visited in ascending label order.
// Return false when the bundle step was asked for but skipped because the
// bundles differ in size (the list then keeps the within-nesting step).
bool RndListNestedNew(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles, const int* bundleMemb,
                      bool bundlesOnly, int* list);
// With `synchronized`, every nesting group applies the rank permutation drawn
// for the first one (groups must then have equal sizes).
bool RndListNestedSynchronized(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles,
                               const int* bundleMemb, bool bundlesOnly, int* list, bool synchronized,
                               const int* order);
// As RndListNestedNew among the selected units only; the others keep
// list[i] = i + 1. Returns false when the selected bundles differ in size.
bool RndListNestedSelect(gsl_rng* rng, int n, bool nesting, const int* nestMemb, bool bundles,
                         const int* bundleMemb, bool bundlesOnly, int* list, const bool* sel);

// Pairs (i, j), i < j, of nObj objects in row order of the upper triangle;
// the list of nPairs = nObj(nObj-1)/2 pair numbers is permuted as the rows
// and columns of a resemblance matrix are permuted together (one RndList of
// the objects). work, when given, holds nObj ints (no allocation).
void RndListMantelRestricted(gsl_rng* rng, int nPairs, int* list, int nObj, int* work = nullptr);

// n (or m) draws with replacement from 1..n, one per entry in ascending order.
void RndListBootstrap(gsl_rng* rng, int n, int* list);
void RndListBootstrapN(gsl_rng* rng, int n, int m, int* list);

// A restricted permutation design prepared once and drawn many times without
// allocation: the same lists, from the same draws, as the builders above.
// Draw keeps scratch space in the object, so one object serves one thread.
class RestrictedPermutation {
 public:
  struct Design {
    int n = 0;
    const bool* sel = nullptr;  // units taking part; null = all
    bool nesting = false;
    const int* nestMemb = nullptr;
    bool bundles = false;
    const int* bundleMemb = nullptr;
    bool bundlesOnly = false;
    bool synchronized = false;   // one rank permutation for every nesting group
  };
  explicit RestrictedPermutation(const Design& design);
  // False when bundles were asked for and differ in size: the bundle step is
  // then skipped.
  bool BundleStepPossible() const { return bundleStepPossible_; }
  int Size() const { return n_; }
  void Draw(gsl_rng* rng, int* list);

 private:
  void DrawRanks(gsl_rng* rng, int m);  // RndList of m into scratch_
  // Exchanges equal-sized groups of positions as wholes, rank by rank.
  void ExchangeBundles(gsl_rng* rng, const std::vector<std::vector<int>>& bundles, int* list);
  int n_;
  bool restricted_;                   // nesting or bundles
  bool synchronized_;
  bool bundlesWithinNesting_;         // bundlesOnly with nesting
  bool bundleStepPossible_ = true;
  std::vector<int> selected_;         // 0-based positions taking part (plain case)
  std::vector<std::vector<int>> nestGroups_;  // 0-based positions per nesting group
  std::vector<std::vector<int>> bundles_;     // 0-based positions per bundle
  // Per nesting group: the bundles present in it and their positions there.
  std::vector<std::vector<int>> bundlesInGroup_;
  std::vector<std::vector<std::vector<int>>> bundlePositionsInGroup_;
  std::vector<int> scratch_, synchronizedRanks_, values_;
};

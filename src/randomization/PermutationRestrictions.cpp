// Restrictions on permuting each variable's values, and their list drawer.
#include "randomization/PermutationRestrictions.h"

#include <cmath>
#include <stdexcept>

int64_t EmbeddedMatrixPairs(int m) { return m < 2 ? 0 : static_cast<int64_t>(m) * (m - 1) / 2; }

int EmbeddedMatrixDimension(int pairs) {
  if (pairs < 1) return 0;
  // m(m-1)/2 = pairs  =>  m = (1 + sqrt(1 + 8 pairs)) / 2; check the neighbours
  // of the rounded root against rounding.
  const int guess = static_cast<int>(std::lround((1.0 + std::sqrt(1.0 + 8.0 * pairs)) / 2.0));
  for (int m = guess - 1; m <= guess + 1; m++)
    if (m >= 2 && EmbeddedMatrixPairs(m) == pairs) return m;
  return 0;
}

RestrictionProblem CheckPermutationRestrictions(const PermutationRestrictions& r, int nUnits) {
  switch (r.option) {
    case PermutationRestrictions::NONE:
      return RestrictionProblem::NONE;
    case PermutationRestrictions::EMBEDDED_MATRIX:
      return EmbeddedMatrixPairs(r.matrixDim) == nUnits ? RestrictionProblem::NONE
                                                        : RestrictionProblem::PAIRS_MISMATCH;
    case PermutationRestrictions::NESTING:
    case PermutationRestrictions::BUNDLES:
      break;
    default:
      return RestrictionProblem::UNKNOWN_OPTION;
  }
  if (r.nestingOn && static_cast<int>(r.nestMemb.size()) != nUnits) return RestrictionProblem::MEMBERSHIP_LENGTH;
  if (r.bundlesOn && static_cast<int>(r.bundleMemb.size()) != nUnits) return RestrictionProblem::MEMBERSHIP_LENGTH;
  if (r.bundlesOn) {
    RestrictedPermutation::Design d;
    d.n = nUnits;
    d.bundles = true;
    d.bundleMemb = r.bundleMemb.data();
    if (!RestrictedPermutation(d).BundleStepPossible()) return RestrictionProblem::UNEQUAL_BUNDLES;
  }
  return RestrictionProblem::NONE;
}

ColumnPermutations::ColumnPermutations(const PermutationRestrictions& r, int nUnits)
    : option_(r.option), n_(nUnits), matrixDim_(r.matrixDim) {
  if (nUnits < 0 || CheckPermutationRestrictions(r, nUnits) != RestrictionProblem::NONE)
    throw std::invalid_argument("permutation restrictions do not fit the table");
  if (option_ == PermutationRestrictions::EMBEDDED_MATRIX) objects_.resize(static_cast<size_t>(matrixDim_));
  // Options 2 and 3 with neither flag on leave every unit in place, as
  // RndListNestedNew does.
  if ((option_ == PermutationRestrictions::NESTING || option_ == PermutationRestrictions::BUNDLES) &&
      (r.nestingOn || r.bundlesOn)) {
    RestrictedPermutation::Design d;
    d.n = nUnits;
    d.nesting = r.nestingOn;
    d.nestMemb = r.nestingOn ? r.nestMemb.data() : nullptr;
    d.bundles = r.bundlesOn;
    d.bundleMemb = r.bundlesOn ? r.bundleMemb.data() : nullptr;
    d.bundlesOnly = false;
    restricted_ = std::make_unique<RestrictedPermutation>(d);
  }
}

void ColumnPermutations::DrawOne(gsl_rng* rng, int* list) {
  switch (option_) {
    case PermutationRestrictions::NONE:
      RndList(rng, n_, list);
      return;
    case PermutationRestrictions::EMBEDDED_MATRIX:
      RndListMantelRestricted(rng, n_, list, matrixDim_, objects_.data());
      return;
    default:
      if (restricted_) {
        restricted_->Draw(rng, list);
      } else {
        for (int i = 0; i < n_; i++) list[i] = i + 1;
      }
      return;
  }
}

void ColumnPermutations::Draw(gsl_rng* rng, int nVar, int* lists) {
  for (int j = 0; j < nVar; j++) DrawOne(rng, lists + static_cast<size_t>(j) * n_);
}

// The basis-set test of a path model by permutation (d-separation test,
// Shipley 2000): for every statement of the basis set, the observed partial
// correlation of its pair given its covariables and the probability that a
// random arrangement gives one at least as large in absolute value; the
// probabilities combined into Fisher's C.
//
// Each random arrangement draws one permutation of the sampling units, under
// the permutation restrictions, for every item (variable, or block of
// columns) that the null model permutes, in item order, and each statement's
// random partial correlation comes from the null model:
//  1 - every item permuted at once: the correlation matrix of the permuted
//      table, computed once per arrangement;
//  2 - only the statement's first item permuted (Smouse et al. 1986): the
//      observed matrix whose row and column of that item are its correlations,
//      permuted by its list, with every other item in its observed order
//      (computed once per arrangement for each item that is first in some
//      statement).
// Counts start at 1 (the observed arrangement is the first of the N) and grow
// when |r random| >= |r observed| within one single-precision unit in the
// last place; P = count / N. An undefined partial correlation is +infinity
// and counts like any other value.
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <vector>

#include "ZQLib/Matrix.h"
#include "pathanalysis/BasisSet.h"
#include "pathanalysis/ItemCorrelations.h"
#include "pathanalysis/PartialCorrelation.h"
#include "randomization/IterationRunner.h"
#include "randomization/PermutationRestrictions.h"

enum PathNullModel { PERMUTE_ALL_ITEMS = 1, PERMUTE_FIRST_ITEM = 2 };

struct BasisSetTestInput {
  int nObj = 0, nVar = 0;
  const double* const* data = nullptr;  // nObj x nVar, only read: the table whose items are permuted
  ItemCriterion criterion = ItemCriterion::CORRELATION;
  ColumnBlocks blocks;                    // the items of PROCRUSTES and MANTEL (consecutive columns)
  std::vector<BasisSetElement> elements;  // the basis set, in item indices (0-based)
  int nullModel = PERMUTE_ALL_ITEMS;
  PermutationRestrictions restrictions;
  int nPermutations = 1;  // N: the observed arrangement counts as the first
  int maxThreads = 0;     // 0: the session limit
};

struct BasisSetTestResult {
  Matrix observedMatrix;             // items x items, 1 on the diagonal
  std::vector<double> observed;      // each statement's observed partial correlation
  std::vector<double> probability;   // and its P
  FisherCTest fisher;                // Fisher's C of the probabilities
  int threads = 1;
};

// Called when the results of every arrangement are to be written (the run
// then keeps to one thread, in order): first for the observed arrangement
// (permutation 1, lists null, the observed matrix and partial correlations),
// then for every random one: permutation number (2..N), every item's list
// (item k's at lists + k * nObj; under null model 2 the items that are first
// in no statement keep their observed order), the correlation matrix of the
// items in those orders, under null model 2 the rows of the first items (row
// f, for each f first in a statement, as the null model reads it; null under
// model 1), and each statement's random partial correlation.
using BasisSetObserver =
    std::function<void(int permutation, const int* lists, const double* const* permutedMatrix,
                       const double* const* firstItemRows, const double* random)>;

// Draws each arrangement's lists from rng in arrangement order and item order
// (ColumnPermutations: one list per item permuted), evaluates the arrangements in
// parallel: for a given generator state the same probabilities at any number
// of threads. Throws std::invalid_argument for statements or restrictions
// that do not fit the table.
BasisSetTestResult BasisSetPermutationTest(const BasisSetTestInput& in, gsl_rng* rng,
                                           const ProgressHook& progress = {}, const BasisSetObserver& observer = {});


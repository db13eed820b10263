// The search for an undirected dependency model (Shipley 2000, after
// Spirtes, Glymour and Scheines): every pair of variables starts linked, and
// a pair loses its link as soon as a permutation test of its partial
// correlation given some set of other variables is not significant at alpha
// (P > alpha). Orders o = 0 .. nVar - 3: at order 0 every pair is tested in
// one batch; at order o > 0 each pair still linked (pairs in the order
// (0,1), (0,2), ..., (1,2), ...) is tested given every o-subset of the other
// variables (lexicographic order), in one batch per pair. Conditioning sets
// come from all other variables, not only from those still linked to the pair.
//
// Every batch is a separate permutation run (PartialCorrelationPermutationTests):
// each permutation draws one list for every variable the null model permutes,
// in variable order; a random data set is the table as read with the pair's
// first variable permuted by its list and the other variables in place
// (Smouse et al. 1986), or with every variable permuted by its own list, then
// the user's transformation and the correlation measure. The random partial correlation comes from the observed
// matrix whose row and column of the first variable are its correlations in
// the random data set (one variable permuted), or from the random data set's
// matrix (every variable permuted).
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <vector>

#include "randomization/IterationRunner.h"
#include "randomization/PermutationRestrictions.h"
#include "transform/DataTransformationsLib.h"

// Tests of one order on pairs of variables.
struct PartialCorrelationBatch {
  int order = 0;                 // covariables of every test
  std::vector<int> pairs;        // the pair of test t at 2t, 2t + 1
  std::vector<int> covariables;  // the covariables of test t at order * t
  std::vector<double> r;         // observed partial correlations, written by the tests
  std::vector<double> p;         // their probabilities
  int Tests() const { return static_cast<int>(pairs.size() / 2); }
  void Add(int first, int second, const int* covariables);
};

// The settings of the permutation runs.
struct PartialCorrelationRun {
  int nObj = 0, nVar = 0;
  const double* const* data = nullptr;      // nObj x nVar as read: random data sets are drawn from it
  const double* const* observed = nullptr;  // nVar x nVar correlations of the observed (transformed) table
  TransformChoice transform;                // applied to every random data set
  PermutationRestrictions restrictions;
  int nPermutations = 1;                    // N: the observed data set counts as the first
  int nullModel = 2;                        // 2: only the pair's first variable permuted; 1: every variable
  int maxThreads = 0;                       // 0: the session limit
};

// Observed partial correlations (from run.observed) and their permutation
// probabilities into batch.r and batch.p: counts start at 1 and grow when
// |r random| >= |r observed| within one single-precision unit in the last
// place (an undefined partial correlation is +infinity); P = count / N. The
// lists (one per variable permuted: every variable, or the first variables of
// the tests) are drawn from rng in permutation order and variable order, the
// random data sets evaluated in parallel. Throws RandomDataRefused
// (randomization/VariableTest.h) for the first random data set on which the
// transformation is undefined, std::invalid_argument for restrictions that do
// not fit the table.
void PartialCorrelationPermutationTests(const PartialCorrelationRun& run, PartialCorrelationBatch& batch, gsl_rng* rng,
                                        const ProgressHook& progress = {});

// Links between n variables: the lower triangle, entry [j][i] (i < j) 1 when
// variables i and j are linked; the rest is 0.
class LinkMatrix {
 public:
  explicit LinkMatrix(int n = 0);
  LinkMatrix(const LinkMatrix& other) : LinkMatrix(other.n_) { cells_ = other.cells_; }
  LinkMatrix& operator=(const LinkMatrix& other);
  int Size() const { return n_; }
  bool Linked(int i, int j) const;  // either order
  void Remove(int i, int j);
  int** Rows() { return rows_.data(); }  // for the printers

 private:
  int n_;
  std::vector<int> cells_;
  std::vector<int*> rows_;
};

// Called after every batch has been tested, with the batch and the links left.
using UndirectedSearchObserver = std::function<void(const PartialCorrelationBatch& batch, const LinkMatrix& links)>;

// The search; run.nullModel is used for every batch. Throws as
// PartialCorrelationPermutationTests does.
LinkMatrix SearchUndirectedDependencies(const PartialCorrelationRun& run, double alpha, gsl_rng* rng,
                                        const ProgressHook& progress = {},
                                        const UndirectedSearchObserver& observer = {});

// The variables whose present values are all equal (or that have fewer than
// two): their partial correlations are undefined.
std::vector<int> ConstantVariables(int nObj, int nVar, const double* const* data);

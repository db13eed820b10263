// Random path models for the path model generator (letter J): a directed
// acyclic graph among V variables with A paths and their coefficients, data
// simulated from it by linear structural equations, and the basis set of
// d-separation statements it implies (Shipley 2000).
#pragma once
#include <gsl/gsl_rng.h>

#include <vector>

#include "pathanalysis/BasisSet.h"

struct PathArrow {
  int from = 0, to = 0;      // variables (0-based): from is a direct cause of to
  double coefficient = 0.0;  // the path coefficient of the structural equation of `to`
};

struct PathDag {
  int variables = 0;
  std::vector<int> order;       // causal order: order[0] has no cause, every path goes forward in it
  std::vector<PathArrow> paths;

  // The direct causes of each variable, ascending.
  std::vector<std::vector<int>> Parents() const;
  bool Adjacent(int a, int b) const;
};

// A random DAG with `paths` of the V(V-1)/2 possible paths. Draws: the
// causal order (RndList of the V variables); the paths as a partial
// Fisher-Yates shuffle of the pairs of positions in that order (pair
// (a, b), a < b, listed a-major, drawn with gsl_rng_uniform_int), kept
// sorted by cause and effect (variable numbers); then each path's
// coefficient, in that sorted order, uniform on [low, high]. Throws
// std::invalid_argument for fewer than 2 variables, paths outside
// 0..V(V-1)/2, or low > high.
PathDag RandomPathDag(gsl_rng* rng, int variables, int paths, double low, double high);

// The DAG without path k (its index in dag.paths).
PathDag WithoutPath(const PathDag& dag, int k);

// The basis set: one statement per pair of variables not joined by a path,
// pairs in ascending order (first < second), independent given the direct
// causes of both (ascending).
std::vector<BasisSetElement> DagBasisSet(const PathDag& dag);

// n units of the V variables (units in rows): in the causal order, each
// variable is the sum of its causes times their coefficients plus a normal
// error of variance errorVariance. Draws: the errors unit by unit, in the
// causal order within a unit (gsl_ran_gaussian).
void SimulateStructuralEquations(const PathDag& dag, double errorVariance, gsl_rng* rng, int n, double** data);

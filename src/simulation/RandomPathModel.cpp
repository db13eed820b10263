// Random directed acyclic path models, their data and their basis sets.
#include "simulation/RandomPathModel.h"

#include <gsl/gsl_randist.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "randomization/RandomLists.h"

std::vector<std::vector<int>> PathDag::Parents() const {
  std::vector<std::vector<int>> parents(static_cast<size_t>(variables));
  for (const PathArrow& a : paths) parents[a.to].push_back(a.from);
  for (auto& p : parents) std::sort(p.begin(), p.end());
  return parents;
}

bool PathDag::Adjacent(int a, int b) const {
  for (const PathArrow& p : paths)
    if ((p.from == a && p.to == b) || (p.from == b && p.to == a)) return true;
  return false;
}

PathDag RandomPathDag(gsl_rng* rng, int variables, int paths, double low, double high) {
  const int pairs = variables * (variables - 1) / 2;
  if (variables < 2) throw std::invalid_argument("path model: at least two variables");
  if (paths < 0 || paths > pairs) throw std::invalid_argument("path model: paths outside 0..V(V-1)/2");
  if (!(low <= high)) throw std::invalid_argument("path model: the smallest coefficient above the largest");
  PathDag dag;
  dag.variables = variables;
  dag.order.resize(variables);
  RndList(rng, variables, dag.order.data());
  for (int& v : dag.order) v--;
  std::vector<std::pair<int, int>> all;  // positions in the causal order
  for (int a = 0; a < variables; a++)
    for (int b = a + 1; b < variables; b++) all.emplace_back(a, b);
  for (int m = 0; m < paths; m++) {
    const int j = m + static_cast<int>(gsl_rng_uniform_int(rng, static_cast<unsigned long>(pairs - m)));
    std::swap(all[m], all[j]);
    dag.paths.push_back({dag.order[all[m].first], dag.order[all[m].second], 0.0});
  }
  std::sort(dag.paths.begin(), dag.paths.end(), [](const PathArrow& x, const PathArrow& y) {
    return x.from != y.from ? x.from < y.from : x.to < y.to;
  });
  for (PathArrow& p : dag.paths) p.coefficient = low + (high - low) * gsl_rng_uniform(rng);
  return dag;
}

PathDag WithoutPath(const PathDag& dag, int k) {
  PathDag d = dag;
  d.paths.erase(d.paths.begin() + k);
  return d;
}

std::vector<BasisSetElement> DagBasisSet(const PathDag& dag) {
  const std::vector<std::vector<int>> parents = dag.Parents();
  std::vector<BasisSetElement> basis;
  for (int i = 0; i < dag.variables; i++)
    for (int j = i + 1; j < dag.variables; j++) {
      if (dag.Adjacent(i, j)) continue;
      BasisSetElement e;
      e.first = i;
      e.second = j;
      std::vector<int>& c = e.covariables;
      std::set_union(parents[i].begin(), parents[i].end(), parents[j].begin(), parents[j].end(),
                     std::back_inserter(c));
      basis.push_back(std::move(e));
    }
  return basis;
}

void SimulateStructuralEquations(const PathDag& dag, double errorVariance, gsl_rng* rng, int n, double** data) {
  const double sd = std::sqrt(errorVariance);
  // The paths into each variable, so that a unit costs one pass over them.
  std::vector<std::vector<const PathArrow*>> into(static_cast<size_t>(dag.variables));
  for (const PathArrow& p : dag.paths) into[p.to].push_back(&p);
  for (int i = 0; i < n; i++)
    for (int v : dag.order) {
      double x = gsl_ran_gaussian(rng, sd);
      for (const PathArrow* p : into[v]) x += p->coefficient * data[i][p->from];
      data[i][v] = x;
    }
}

// Simulated path models tested by their basis sets.
#include "simulation/PathModelSimulation.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "randomization/IterationGenerator.h"

void CheckPathSettings(const PathSimulationSettings& s) {
  if (s.variables < 3) throw std::invalid_argument("path simulation: at least 3 variables");
  if (s.paths < 1 || s.paths > LargestPathsLeavingATest(s.variables))
    throw std::invalid_argument("path simulation: paths outside 1..V(V-1)/2 - 1");
  if (s.sampleSize < s.variables + s.paths + 2)
    throw std::invalid_argument("path simulation: sample size below variables + paths + 2");
  if (!(s.coefficientLow <= s.coefficientHigh) || !std::isfinite(s.coefficientLow) ||
      !std::isfinite(s.coefficientHigh))
    throw std::invalid_argument("path simulation: coefficient range");
  if (!(s.errorVariance > 0.0) || !std::isfinite(s.errorVariance))
    throw std::invalid_argument("path simulation: error variance not positive");
  if (s.models < 1 || s.permutations < 1) throw std::invalid_argument("path simulation: no model or permutation");
  if (!(s.alpha >= 0.0 && s.alpha <= 1.0)) throw std::invalid_argument("path simulation: alpha outside 0..1");
  if (s.nullModel != PERMUTE_ALL_ITEMS && s.nullModel != PERMUTE_FIRST_ITEM)
    throw std::invalid_argument("path simulation: null model 1 or 2");
}

uint32_t ModelSeed(uint32_t seed, int64_t model) { return IterationSeed(seed, static_cast<uint32_t>(model)); }

SimulatedPathData SimulatePathData(const PathSimulationSettings& s, gsl_rng* rng) {
  SimulatedPathData d;
  d.dag = RandomPathDag(rng, s.variables, s.paths, s.coefficientLow, s.coefficientHigh);
  d.removed = static_cast<int>(gsl_rng_uniform_int(rng, static_cast<unsigned long>(s.paths)));
  d.data.Resize(s.sampleSize, s.variables);
  SimulateStructuralEquations(d.dag, s.errorVariance, rng, s.sampleSize, d.data.data());
  return d;
}

namespace {

ModelTestOutcome TestModel(const PathSimulationSettings& s, const PathDag& dag, const Matrix& data, gsl_rng* rng) {
  BasisSetTestInput in;
  in.nObj = s.sampleSize;
  in.nVar = s.variables;
  in.data = data.data();
  in.criterion = ItemCriterion::CORRELATION;
  in.elements = DagBasisSet(dag);
  in.nullModel = s.nullModel;
  in.nPermutations = s.permutations;
  in.maxThreads = 1;  // the models are what runs in parallel
  const BasisSetTestResult r = BasisSetPermutationTest(in, rng);
  ModelTestOutcome o;
  o.statements = static_cast<int>(in.elements.size());
  o.fisher = r.fisher;
  o.K = s.variables + static_cast<int>(dag.paths.size());
  o.aicc = AICc(r.fisher.C, o.K, s.sampleSize);
  o.rejected = r.fisher.probability <= s.alpha;
  return o;
}

}  // namespace

PathModelOutcome SimulatePathModel(const PathSimulationSettings& s, uint32_t seed, int64_t model,
                                   const gsl_rng_type* type) {
  IterationGenerator gen(seed, type);
  gsl_rng* rng = gen.For(static_cast<uint32_t>(model));
  const SimulatedPathData d = SimulatePathData(s, rng);
  PathModelOutcome o;
  o.dag = d.dag;
  o.removed = d.dag.paths[d.removed];
  o.trueModel = TestModel(s, d.dag, d.data, rng);
  o.falseModel = TestModel(s, WithoutPath(d.dag, d.removed), d.data, rng);
  return o;
}

ModelSummary SummarizeModels(const std::vector<PathModelOutcome>& models, bool trueModels) {
  ModelSummary m;
  double c = 0.0, p = 0.0, aicc = 0.0;
  for (const PathModelOutcome& o : models) {
    const ModelTestOutcome& x = trueModels ? o.trueModel : o.falseModel;
    const ModelTestOutcome& other = trueModels ? o.falseModel : o.trueModel;
    m.models++;
    if (x.rejected) m.rejected++;
    c += x.fisher.C;
    p += x.fisher.probability;
    aicc += x.aicc;
    const int cls = std::clamp(static_cast<int>(std::floor(x.fisher.probability * kProbabilityClasses)), 0,
                               kProbabilityClasses - 1);
    m.probabilityClasses[cls]++;
    if (x.aicc < other.aicc) m.lowerAICc++;
  }
  if (m.models > 0) {
    const double count = static_cast<double>(m.models);
    m.proportionRejected = m.rejected / count;
    m.meanC = c / count;
    m.meanP = p / count;
    m.meanAICc = aicc / count;
  }
  return m;
}

PathSimulationResults RunPathSimulation(const PathSimulationSettings& s, uint32_t seed, const gsl_rng_type* type,
                                        int maxThreads, const ProgressHook& progress) {
  CheckPathSettings(s);
  PathSimulationResults res;
  res.models.resize(static_cast<size_t>(s.models));
  IterationPlan plan;
  plan.iterations = s.models;
  plan.listLength = 0;
  plan.maxThreads = maxThreads;
  plan.progress = progress;
  const IterationResult run = RunIterations(
      plan, [] { return 0; }, [](int64_t, int*) {},
      [&](int64_t t, const int*, int&, int64_t*) {
        res.models[static_cast<size_t>(t - 1)] = SimulatePathModel(s, seed, t, type);
      });
  res.threads = run.threads;
  res.trueModels = SummarizeModels(res.models, true);
  res.falseModels = SummarizeModels(res.models, false);
  return res;
}

// How often does the basis-set test reject a true or a false path model?
// For every simulated model: a random DAG (RandomPathModel.h), data from its
// structural equations, the basis-set permutation test of the true model
// (its own basis set) and of a false one (the true one with one path
// removed, so that the pair it joined becomes a statement of the basis set
// and the statements about its effect lose that cause), both on the same
// data, with Fisher's C, its chi-square probability and AICc (K = variables
// plus paths of the model tested).
//
// Model t (1..M) draws from its own generator, seeded IterationSeed(seed, t)
// (IterationGenerator.h), in this order: the DAG and its coefficients, the
// path removed (gsl_rng_uniform_int over the paths), the data, then the
// permutations of the true model's test and those of the false model's
// test (BasisSetPermutationTest). Models are the same whatever the number of
// threads; they run in parallel through the iteration runner, each test on
// its model's thread.
#pragma once
#include <gsl/gsl_rng.h>

#include <array>
#include <cstdint>
#include <vector>

#include "pathanalysis/BasisSetTest.h"
#include "randomization/IterationRunner.h"
#include "simulation/RandomPathModel.h"

struct PathSimulationSettings {
  int variables = 3;                // V
  int paths = 1;                    // A, 1..V(V-1)/2 - 1
  int sampleSize = 10;              // n, at least V + A + 2 (AICc finite for both models)
  double coefficientLow = 0.0, coefficientHigh = 1.0;
  double errorVariance = 1.0;       // positive
  int64_t models = 1;
  int permutations = 99;            // N of each test, the observed arrangement included
  double alpha = 0.05;              // a model is rejected when the P of its C is at most alpha
  int nullModel = PERMUTE_ALL_ITEMS;
};

// Throws std::invalid_argument when the settings cannot be run.
void CheckPathSettings(const PathSimulationSettings& s);

struct ModelTestOutcome {
  int statements = 0;     // basis-set size
  FisherCTest fisher;     // C, 2k degrees of freedom, P
  double aicc = 0.0;
  int K = 0;              // variables + paths
  bool rejected = false;  // fisher.probability <= alpha
};

struct PathModelOutcome {
  PathDag dag;
  PathArrow removed;      // the path the false model lacks
  ModelTestOutcome trueModel, falseModel;
};

uint32_t ModelSeed(uint32_t seed, int64_t model);

// Model t's DAG, the path removed and its data (n x V), as the run draws them.
struct SimulatedPathData {
  PathDag dag;
  int removed = 0;  // index in dag.paths
  Matrix data;
};
SimulatedPathData SimulatePathData(const PathSimulationSettings& s, gsl_rng* rng);

// Model t with the generator the run gives it.
PathModelOutcome SimulatePathModel(const PathSimulationSettings& s, uint32_t seed, int64_t model,
                                   const gsl_rng_type* type);

constexpr int kProbabilityClasses = 10;  // [0, 0.1), [0.1, 0.2), ..., [0.9, 1]

struct ModelSummary {
  int64_t models = 0, rejected = 0;
  double proportionRejected = 0.0;
  double meanC = 0.0, meanP = 0.0, meanAICc = 0.0;
  std::array<int64_t, kProbabilityClasses> probabilityClasses{};
  int64_t lowerAICc = 0;  // models in which this model's AICc is below the other's
};

// Summary of the true (first) or false (second) models.
ModelSummary SummarizeModels(const std::vector<PathModelOutcome>& models, bool trueModels);

struct PathSimulationResults {
  std::vector<PathModelOutcome> models;  // M, in model order
  ModelSummary trueModels, falseModels;
  int threads = 1;
};

// Models 1..M through the iteration runner (maxThreads 0: the session limit).
PathSimulationResults RunPathSimulation(const PathSimulationSettings& s, uint32_t seed, const gsl_rng_type* type,
                                        int maxThreads, const ProgressHook& progress);

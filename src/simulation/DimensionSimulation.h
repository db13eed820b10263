// How many ordination dimensions can we trust? Random tables with a known
// number of gradients (GradientTables.h), each analysed as the user chose
// (transformation, resemblance measure, ordination of the sampling units),
// and the number of axes each criterion keeps (DimensionCriteria.h): the
// bootstrap of ordination dimensions, the broken stick, Kaiser-Guttman and
// Bartlett's test.
//
// Table t (1..T) draws from its own generator, seeded IterationSeed(seed, t)
// (IterationGenerator.h): first the table, then, with that seed as the
// bootstrap's own seed, the bootstrap iterations (iteration i seeded
// IterationSeed(IterationSeed(seed, t), i)). So every table and its criteria
// are the same whatever the number of threads and whichever tables are run
// with it; the tables run in parallel through the iteration runner, each
// bootstrap on its table's thread.
//
// The analysis of a table: variables that are zero for every unit are left
// out (as the bootstrap leaves them out of its samples); the rest is
// transformed (DataTransformationsLib), compared (ResemblanceLib) and
// ordinated (all eigenvalues; eigenvectors and scores of the first maxAxes
// axes). A table for which any of them cannot be computed (a transformation
// or measure undefined for it, undefined or non-finite resemblances or
// eigenvalues) is not analysed and enters no summary.
#pragma once
#include <gsl/gsl_rng.h>

#include <array>
#include <cstdint>
#include <vector>

#include "bootstrap/OrdinationBootstrap.h"
#include "randomization/IterationGenerator.h"
#include "randomization/IterationRunner.h"
#include "simulation/GradientTables.h"

enum DimensionCriterion { CRITERION_BOOTSTRAP = 0, CRITERION_BROKEN_STICK = 1, CRITERION_KAISER_GUTTMAN = 2,
                          CRITERION_BARTLETT = 3, DIMENSION_CRITERIA = 4 };

struct DimensionSimulationSettings {
  GradientModel model;
  // The analysis of every table: its variable kinds and groups must be empty
  // (the simulated variables are quantitative; there are no groups), and the
  // ordination must score the sampling units (OrdinationScoresUnits).
  OrdinationAnalysis analysis;
  int maxAxes = 1;                  // k: axes evaluated, 1..min(variables, units - 1)
  int initialSize = 0, step = 0;    // bootstrap sample sizes (initialSize..units)
  int64_t bootstrapIterations = 0;  // per table; 0: no bootstrap criterion
  double alpha = 0.05;              // bootstrap and Bartlett's test
  int64_t tables = 1;
};

// Throws std::invalid_argument when the settings cannot be run.
void CheckDimensionSettings(const DimensionSimulationSettings& s);

// Whether a criterion applies to the chosen ordination: Bartlett's test is
// that of principal coordinates and components (not correspondence analysis);
// the bootstrap needs iterations.
bool CriterionApplies(const DimensionSimulationSettings& s, int criterion);

struct TableOutcome {
  bool analysed = false;
  int variablesKept = 0;                // variables not zero for every unit
  int rank = 0;                         // positive eigenvalues kept by the ordination
  std::array<int, DIMENSION_CRITERIA> axes{};  // axes kept by each criterion (-1: not applicable or not analysed)
  std::vector<double> eigenvalues;      // the first maxAxes (missing code beyond the rank)
  std::vector<double> percentages;      // 100 lambda / sum of the positive eigenvalues
  int monitoredAxes = 0;                // axes the bootstrap followed: min(maxAxes, rank, variables kept)
  // Bootstrap, maxAxes x sample sizes (row a = axis a + 1): P(roRnd >= ro*)
  // and the average ro*, missing code where there is no valid iteration.
  std::vector<double> probability, meanRo;
};

// The seed of table t's generator (and of its bootstrap).
uint32_t TableSeed(uint32_t seed, int64_t table);

// The simulated table t alone (units x variables), as the run analyses it
// before leaving out its zero variables.
void GenerateSimulatedTable(const GradientModel& model, uint32_t seed, int64_t table, const gsl_rng_type* type,
                            Matrix& out);

struct CriterionSummary {
  bool applies = false;
  int64_t tables = 0;                 // analysed tables
  std::vector<int64_t> frequency;     // tables keeping 0..maxAxes axes
  double proportionTrue = 0.0;        // share of the tables keeping exactly g axes
  double mean = 0.0, sd = 0.0;        // sd with divisor tables - 1 (missing code below 2 tables)
};

// The summary of the axes kept (values 0..maxAxes, negative ones left out).
CriterionSummary SummarizeCriterion(const std::vector<int>& axes, int maxAxes, int trueAxes);

struct DimensionSimulationResults {
  std::vector<TableOutcome> tables;   // T, in table order
  int64_t analysed = 0;
  std::array<CriterionSummary, DIMENSION_CRITERIA> summary;
  std::vector<int> sampleSizes;       // of the bootstrap
  // Average over the analysed tables of P(roRnd >= ro*), maxAxes x sizes
  // (missing code where no table has one), and the tables behind each cell.
  std::vector<double> meanProbability;
  std::vector<int64_t> probabilityTables;
  int threads = 1;
};

// The work areas of one thread, made once for the settings: the table's
// generator and the tables of its analysis.
struct DimensionTableWork {
  DimensionTableWork(const DimensionSimulationSettings& s, uint32_t seed, const gsl_rng_type* type);
  uint32_t seed;
  const gsl_rng_type* type;
  IterationGenerator gen;
  GradientTableGenerator generator;
  Matrix table, kept, transformed, rese, evectors, scores;
  std::vector<double> eig;
  std::vector<int> columns;
};

// Simulates and analyses table t with the calling thread's work areas.
TableOutcome SimulateDimensionTable(const DimensionSimulationSettings& s, int64_t table, DimensionTableWork& work);

// Tables 1..T through the iteration runner (maxThreads 0: the session limit).
// type: the GSL generator type (null: GSL's default).
DimensionSimulationResults RunDimensionSimulation(const DimensionSimulationSettings& s, uint32_t seed,
                                                  const gsl_rng_type* type, int maxThreads,
                                                  const ProgressHook& progress);

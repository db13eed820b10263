// The path model generator's results: its block in the results file, the
// summary files "SummaryResultsPath.txt" (one row for the true models, one
// for the false ones) and "SummaryResultsPathPerModel.txt" (one row per
// simulated model), and the simulated models and data in a file the user
// names. The summary files are rectangular tab-separated tables with one
// header row, the same column names in both languages, each replaced in one
// step (AtomicFileWrite.h).
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdio>
#include <string>

#include "simulation/PathModelSimulation.h"
#include "simulation/SimulationReport.h"

extern const char* const kSummaryResultsPathFile;          // "SummaryResultsPath.txt"
extern const char* const kSummaryResultsPathPerModelFile;  // "SummaryResultsPathPerModel.txt"

// Header: Model, Statements, DegreesOfFreedom, K, Models, Rejected,
// ProportionRejected, MeanC, MeanP, MeanAICc, LowerAICc, then the number of
// models whose P falls in each tenth of [0, 1]: P_0.0_0.1 ... P_0.9_1.0.
// Rows: True, False.
bool WriteSummaryResultsPath(const std::string& path, const PathSimulationSettings& s,
                             const PathSimulationResults& r);
// Header: Model, Paths ("1->2=0.53;..." with 1-based variables), Removed,
// RemovedCoefficient, TrueC, TrueP, TrueAICc, TrueRejected, FalseC, FalseP,
// FalseAICc, FalseRejected.
bool WriteSummaryResultsPathPerModel(const std::string& path, const PathSimulationResults& r);
// "Model t", its causal order and paths, and its n x V data, for t = 1..M,
// drawn again from the seed.
bool WriteSimulatedPathData(const std::string& path, const PathSimulationSettings& s, uint32_t seed,
                            const gsl_rng_type* type);

void WritePathSimulationBlock(FILE* f, const SimulationRunFacts& facts, const PathSimulationSettings& s,
                              const PathSimulationResults& r);

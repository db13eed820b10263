// The random data generator's results: its block in the results file, the
// summary files "SummaryResults.txt" (one row per criterion) and
// "SummaryResultsPerTable.txt" (one row per simulated data set), and the
// simulated tables themselves in a file the user names.
//
// The summary files are rectangular tab-separated tables with one header
// row, for spreadsheets and statistics programs (R: read.delim): the same
// column names in both languages, "NA" where a value does not exist. Each
// is replaced in one step (AtomicFileWrite.h).
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdio>
#include <string>

#include "simulation/DimensionSimulation.h"
#include "simulation/SimulationReport.h"

extern const char* const kSummaryResultsFile;          // "SummaryResults.txt"
extern const char* const kSummaryResultsPerTableFile;  // "SummaryResultsPerTable.txt"

// Header: Criterion, Applies, DataSets, Axes0..Axes<k>, ProportionTrue, Mean, SD.
bool WriteSummaryResults(const std::string& path, const DimensionSimulationSettings& s,
                         const DimensionSimulationResults& r);
// Header: DataSet, Analysed, VariablesKept, Rank, the four criteria,
// Eigenvalue1..k, Percentage1..k, P1..Pk (bootstrap, full sample size).
bool WriteSummaryResultsPerTable(const std::string& path, const DimensionSimulationSettings& s,
                                 const DimensionSimulationResults& r);
// "Data set t" and its units x variables values, for t = 1..T, generated
// again from the seed.
bool WriteSimulatedTables(const std::string& path, const DimensionSimulationSettings& s, uint32_t seed,
                          const gsl_rng_type* type);

// The block of the results file (opened by the caller).
void WriteDimensionBlock(FILE* f, const SimulationRunFacts& facts, const DimensionSimulationSettings& s,
                         const DimensionSimulationResults& r);

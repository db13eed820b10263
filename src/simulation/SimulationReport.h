// What both simulation generators' results blocks say about the run itself:
// its time, threads and seed, and which of the files it writes were written.
#pragma once
#include <cstdio>
#include <string>

struct SimulationRunFacts {
  bool portuguese = false;
  int digits = 5;
  unsigned seed = 0;
  double seconds = 0.0;
  int threads = 1;
  bool detailed = false;  // every simulated item's results in the block too
  std::string dataFile;   // the simulated data's file ("" none)
  bool summaryWritten = false, perItemWritten = false, dataWritten = false;
};

// The session's language, digits and seed, and the data file chosen.
SimulationRunFacts SessionRunFacts(const std::string& dataFile);

// "Elapsed time", "Maximum number of threads" and the generator's seed.
void WriteSimulationRunTimes(FILE* f, const SimulationRunFacts& x);

// "File <name> written." (or could not be written) for the summary file and
// the per-item file, then the data file's line with `dataWritten` in the
// block's language.
void WriteSimulationFiles(FILE* f, const SimulationRunFacts& x, const char* summaryFile, const char* perItemFile,
                          const char* dataWrittenPt, const char* dataWrittenEn);

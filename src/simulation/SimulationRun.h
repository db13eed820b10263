// The run shared by the two simulation generators, once their dialogue is
// done: the simulation timed, its summary files and the results block.
#pragma once
#include <cstdio>
#include <new>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/Timing.h"
#include "simulation/SimulationDialogue.h"
#include "simulation/SimulationReport.h"

// simulate() returns the results (with their `threads`); writeFiles(results,
// &facts) writes the side files and notes which were written;
// writeBlock(f, facts, results) writes the block headed `title`. A shortage
// of memory is reported and nothing is written.
template <class Simulate, class WriteFiles, class WriteBlock>
void RunSimulationGenerator(SimulationRunFacts facts, const char* title, Simulate simulate, WriteFiles writeFiles,
                            WriteBlock writeBlock) {
  try {
    const double start = difftime_Clock_Init();
    const auto results = simulate();
    facts.seconds = difftime_Clock(start);
    facts.threads = results.threads;
    ClearLine();
    writeFiles(results, &facts);
    FILE* f = OpenResultsBlock(title);
    if (f == nullptr) return;  // the shell said so
    writeBlock(f, facts, results);
    fclose(f);
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return;
  }
  fprintf(out, "%s", SimTx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
}

// The parts every bootstrap report shares in the results file, and the
// console progress line of the bootstrap iterations, in either language.
#pragma once
#include <cstdio>

#include "randomization/IterationRunner.h"

// What every bootstrap report states about its run, as its dialogue set it.
struct SamplerReportInfo {
  bool portuguese = false;
  int n = 0;            // sampling units
  int initialSize = 0;
  int step = 0;
  int nIter = 0;
  unsigned seed = 0;
  bool saved = false;   // intermediate results are written
  int digits = 6;       // significant digits of the tables
};

// "SAMPLER", "Bootstrap resampling", the separator line and, when the
// initial size is below n, the units added at each sampling step.
void WriteSamplerOpening(FILE* f, const SamplerReportInfo& info);

// After the iterations: the separator and "FINAL RESULTS:" when intermediate
// results were written, the time stamp, the elapsed time, the threads, the
// number of sampling steps (when the initial size is below n) and the seed.
void WriteSamplerRunFacts(FILE* f, const SamplerReportInfo& info, double seconds, int threads, int steps);

// "Bootstrap iteration: <total> <done>" on the console progress line.
ProgressHook BootstrapProgress(bool portuguese);

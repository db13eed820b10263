// The parts every bootstrap report shares in the results file, and the
// console progress line of the bootstrap iterations, in either language.
#pragma once
#include <cstdio>

#include "randomization/IterationRunner.h"

// "SAMPLER", "Bootstrap resampling", the separator line and, when the
// initial size is below n, the units added at each sampling step.
void WriteSamplerOpening(FILE* f, bool portuguese, int n, int initialSize, int step);

struct SamplerRunFacts {
  bool portuguese = false;
  bool saved = false;   // intermediate results were written before
  double seconds = 0;
  int threads = 1;
  int n = 0, initialSize = 0, step = 0, steps = 1;
  unsigned seed = 0;
};
// After the iterations: the separator and "FINAL RESULTS:" when intermediate
// results were written, the time stamp, the elapsed time, the threads, the
// number of sampling steps (when the initial size is below n) and the seed.
void WriteSamplerRunFacts(FILE* f, const SamplerRunFacts& facts);

// "Bootstrap iteration: <total> <done>" on the console progress line.
ProgressHook BootstrapProgress(bool portuguese);

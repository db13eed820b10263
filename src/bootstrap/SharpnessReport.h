// The bootstrap of partition sharpness in the results file, in both
// languages: the heading, the intermediate results of every iteration, and
// the final tables.
#pragma once
#include <cstdio>

#include "bootstrap/PartitionSharpness.h"

struct SharpnessReportInfo {
  bool portuguese = false;
  int n = 0;            // sampling units
  int kmax = 2;
  int initialSize = 0;
  int step = 0;
  int nIter = 0;
  unsigned seed = 0;
  bool saved = false;   // intermediate results were written
  int digits = 6;       // significant digits of the final tables
};

void WriteSharpnessHeading(FILE* f, const SharpnessReportInfo& info);
// An observer writing every iteration's intermediate results to f.
SharpnessObserver SharpnessIntermediateWriter(FILE* f, const SharpnessReportInfo& info, const SharpnessReference& ref);
void WriteSharpnessResults(FILE* f, const SharpnessReportInfo& info, const SharpnessResults& r, double seconds);

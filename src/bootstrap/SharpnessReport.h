// The bootstrap of partition sharpness in the results file, in both
// languages: the heading, the intermediate results of every iteration, and
// the final tables.
#pragma once
#include <cstdio>

#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/PartitionSharpness.h"

struct SharpnessReportInfo : SamplerReportInfo {
  int kmax = 2;
};

void WriteSharpnessHeading(FILE* f, const SharpnessReportInfo& info);
// An observer writing every iteration's intermediate results to f.
SharpnessObserver SharpnessIntermediateWriter(FILE* f, const SharpnessReportInfo& info, const SharpnessReference& ref);
void WriteSharpnessResults(FILE* f, const SharpnessReportInfo& info, const SharpnessResults& r, double seconds);

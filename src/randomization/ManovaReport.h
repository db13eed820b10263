// The results of the group test as written to the results file: the final
// table, the results of every permutation, and the line of intermediate sums
// of squares per permutation.
#pragma once
#include <cstdio>

#include "randomization/ManovaEngine.h"

// How the probabilities of a printed table were obtained.
struct ManovaReportNotes {
  bool series = false;  // default series: raw data for main effects, residuals for interactions
};

// Final results (or, with intermediate > 0, the results of permutation
// `intermediate`, whose list is given; P then holds counts).
void PrintManovaResults(FILE* f, const manovaInput& in, const ManovaResults& r, const ManovaReportNotes& notes,
                        int intermediate = 0, const int* list = nullptr);
// One line of sums of squares of permutation `permutation` (1 = observed),
// preceded on the first call by the heading block.
void PrintManovaIntermResults(FILE* f, const manovaInput& in, const ManovaResults& values, int permutation,
                              const int* list);
// The console and report message for bundles of unequal sizes.
const char* UnbalancedBundlesMessage(int portuguese);

// The four reports of option V, written into the results block that
// DescriptiveAttributes opened. They read the session's data table, labels
// and types; nothing of the session is changed. Kernels may throw
// std::bad_alloc.
#pragma once
#include <cstdio>

// Option 1: mean, standard deviation, skewness and redundancy of variables.
void WriteMeansReport(FILE* f);
// Option 2: states, frequencies and Renyi entropy of order alpha of variables.
void WriteEntropyOfVariablesReport(FILE* f, double alpha);
// Option 3: the table as a contingency table: entropies of its margins,
// mutual entropy, coherence, and per sampling unit entropy, complexity and
// code lengths.
void WriteContingencyReport(FILE* f, double alpha);
// Option 4: multi-site beta diversity of the whole table (factor < 0) or of
// the groups of a factor (0-based).
void WriteBetaDiversityReport(FILE* f, int factor);

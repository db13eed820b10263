// Exclusive nearest-neighbour matching between the k groups of a reference
// partition and the k groups of a sample partition.
#pragma once
#include <gsl/gsl_rng.h>

// Random orders of the reference groups tried before the search stops:
// (int)(100 x log10(k!)), the number of consecutive tries without
// improvement that ends it (30 for k = 2, 0 for k = 1).
int MatchingTryLimit(int k);

// Qp is the 2k x 2k table of the reference groups 0..k-1 and the sample
// groups k..2k-1; Qp[g][k + h] is the between-group sum of squares of
// reference group g and sample group h (only these entries are read).
// Each try draws a random order of the reference groups (RndList of k) and
// gives each, in that order, the free sample group with the smallest value
// (the first one on ties); a try whose sum is smaller than the best so far
// becomes the best. The search stops after MatchingTryLimit(k) tries in a row
// without improvement. Returns the best sum S and the matching:
// which[g] = h (0-based). work, when given, holds 3k ints (no allocation).
double NearNeigSSqWhich(gsl_rng* rng, int k, const double* const* Qp, int* which, int* work = nullptr);

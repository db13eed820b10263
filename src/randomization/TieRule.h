// The counting rule of every randomization test and bootstrap: a random value
// counts when it is at least as extreme as the observed one, or equal to it
// within one unit in the last place of single precision (so that values
// equal in exact arithmetic but rounded differently count as ties).
#pragma once
#include <cmath>

#include "ZQLib/zqlibDim.h"

// Sums of squares, F and G-type statistics: random >= observed.
inline bool AtLeastAsLarge(double random, double observed) {
  return random >= observed || AlmostEqual2sComplement(random, observed, 1);
}
// Statistics where small is extreme (MRPP average dissimilarity): random <= observed.
inline bool AtMostAsLarge(double random, double observed) {
  return random <= observed || AlmostEqual2sComplement(random, observed, 1);
}
// Correlation-type statistics: |random| >= |observed|.
inline bool AtLeastAsLargeAbsolute(double random, double observed) {
  return AtLeastAsLarge(std::fabs(random), std::fabs(observed));
}

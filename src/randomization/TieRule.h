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

// Rounding noise, relative to the scale of a test's values: values closer
// than this are taken as equal in exact arithmetic. A correlation of exactly
// zero comes out as 1e-17 on one table and -6e-17 on a permuted one, which
// no relative rule can tie.
constexpr double kRoundingNoise = 1e-12;

// |random| >= |observed| for values whose magnitudes are at most about
// `scale` (1 for correlations): values within kRoundingNoise * scale of each
// other count as ties.
inline bool AtLeastAsLargeAbsolute(double random, double observed, double scale) {
  return AtLeastAsLargeAbsolute(random, observed) ||
         std::fabs(std::fabs(random) - std::fabs(observed)) <= kRoundingNoise * scale;
}

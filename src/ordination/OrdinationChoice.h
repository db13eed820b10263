// A user's ordination as a value: everything OrdinationLib_D needs to run it
// again on another resemblance matrix (computed from a permuted or resampled
// table, in any thread).
#pragma once

struct OrdinationChoice {
  int type = 1;       // 1 principal coordinates, 2 principal components, 3 correspondence analysis
  int reseType = 0;   // measure (1 to 29) of the resemblance matrix analysed
  int reseDir = 1;    // 1 that matrix compares sampling units, 2 variables
};

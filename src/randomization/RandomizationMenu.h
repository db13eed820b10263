// Menu routines of the randomization folder reached from the main menu.
#pragma once

#include "randomization/PermutationRestrictions.h"

// Option P, after the groups (SetGroups): the randomization test comparing
// groups of sampling units.
void AleatorizacaoUnitsManova();

// The settings option A's test ran with, which its follow-ups reuse.
struct VariableTestRun {
  bool completed = false;  // the test ran and wrote its results
  int nPermutations = 0;
  PermutationRestrictions restrictions;
  bool saveEach = false;   // the data and results of every permutation were saved
};

// Option A: the randomization test comparing variables (the session's
// resemblance matrix must compare variables), followed, for the mutual
// entropy of three variables, by the offer of the triplet test. The offer to
// test partial correlations after correlations (path analysis) is made by
// the caller with the settings returned.
VariableTestRun AleatorizacaoVar();
// The test of the mutual entropy of variable triplets (mutual entropy
// comparing at least three variables).
void AleatorizacaoVar_Triplets();

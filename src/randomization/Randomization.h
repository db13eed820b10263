// Randomization tests and the machinery they share.
// Core (no session state, no console): the random list builders
// (RandomLists.h), the one parallel iteration runner (IterationRunner.h), the
// per-iteration generators (IterationGenerator.h), the counting rule
// (TieRule.h), the group sums of squares (GroupSumsOfSquares.h), the
// group-test engine (ManovaEngine.h) and its default series (ManovaSeries.h),
// the Beals test of every variable (BealsTest.h), the tests between two data
// sets (TwoSetTests.h), the restrictions on permuting each variable's values
// and their list drawer (PermutationRestrictions.h), the test comparing
// variables (VariableTest.h) and the test of mutual entropies of variable
// triplets (TripletTest.h).
// Menu layer: the session generator and seed dialogue (SessionRandom.h, kept
// by the shell), the group-membership and permutation-restriction dialogues
// (MembershipDialogue.h, PermutationRestrictionsDialogue.h), the results of
// the group test (ManovaReport.h), the dialogues of options P and A
// (AleatorizacaoUnitsManova, AleatorizacaoVar) and the tests between two data
// sets reached from option K (TwoSetTestsMenu.h).
#pragma once
#include "randomization/IterationGenerator.h"
#include "randomization/IterationRunner.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

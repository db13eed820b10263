// Menu routines of the randomization folder reached from the main menu.
#pragma once

// Option P, after the groups (SetGroups): the randomization test comparing
// groups of sampling units.
void AleatorizacaoUnitsManova();

// Option A: the randomization test comparing variables (the session's
// resemblance matrix must compare variables), followed, for the mutual
// entropy of three variables, by the offer of the triplet test.
void AleatorizacaoVar();
// The test of the mutual entropy of variable triplets (mutual entropy
// comparing at least three variables).
void AleatorizacaoVar_Triplets();

// The dialogue of the restrictions on permuting each variable's values, and
// their lines in a results block: shared by the tests that permute the
// variables of the data table independently (option A and path analysis).
// Menu layer.
#pragma once
#include <cstdio>

#include "randomization/PermutationRestrictions.h"

// Asks for the restriction (none, embedded resemblance matrix, nesting groups,
// bundles) and what it needs, for the nObj sampling units of the session.
// A matrix dimension whose pairs are not one per sampling unit, and bundles
// of unequal sizes, are refused with a message and asked again. Both flags
// are false unless the option turns one on.
PermutationRestrictions SetPermutationRestrictions();
// The same into separate values: nestMemb and bundleMemb hold nObj ints each
// and receive the memberships when their flag is set.
void SetPermutationRestrictions(int* option, int* matrixDim, bool* nestingOn, int* nestMemb, bool* bundlesOn,
                                int* bundleMemb);

// "Permutation restrictions:" and the restriction in force, with the
// memberships (nUnits of them), in the console language. The undirected
// dependency search's report closes the parenthesis of the bundles line
// (`closedBundleNote`); the other reports print it as they always have.
void PrintPermutationRestrictions(FILE* f, const PermutationRestrictions& r, int nUnits,
                                  bool closedBundleNote = false);

// Menu routines of path analysis: option F (the basis-set test of a path
// model among variables or blocks of variables, and the search for an
// undirected dependency model), and the offer to test partial correlations
// that follows option A's test of correlations.
#pragma once

#include "pathanalysis/UndirectedSearch.h"
#include "randomization/PermutationRestrictions.h"
#include "randomization/RandomizationMenu.h"

// The permutation settings the tests of path analysis share.
struct PathTestSettings {
  int nPermutations = 1;  // N, the observed arrangement counted as the first
  PermutationRestrictions restrictions;
  int nullModel = 1;      // 1 permute all variables (blocks) at once; 2 only each statement's first
  char saveIntermediate = 'n';  // 'y' (or 's'): every permutation written to the results file
};

// Option F (main menu; the data type was checked by the caller).
void PathAnalysis();

// The basis-set test of a path model among the variables of the session's
// data: asks the model (variables, paths) and its statements, tests them on
// the data in force and appends the results to the results file. The
// resemblance settings of the session name the criterion in the reports.
void PathAnalysisBasisSetPermutationTest(const PathTestSettings& settings);
// The same in separate values: the restriction type (0 none, 1 embedded
// resemblance matrix with mantelRows rows, 2 and 3 groups), the group and
// bundle memberships (nObj each) when their flag is set; bundlesOnly is
// not used by these permutations.
void PathAnalysisBasisSetPermutationTest(int nPermutations, int restrictionType, int mantelRows, bool withinGroups,
                                         const int* groups, bool bundles, const int* bundleGroups, bool bundlesOnly,
                                         int nullModel, char saveIntermediate);
// The block variants: blocks of consecutive columns compared by the
// Procrustes correlation, or by the Mantel correlation of their Euclidean
// distances between sampling units.
void PathAnalysisBasisSetPermutationTest_Procrustes(const PathTestSettings& settings);
void PathAnalysisBasisSetPermutationTest_Mantel(const PathTestSettings& settings);

// The undirected dependency search at the probability threshold alpha; the
// report goes to the results file and the links found are returned.
LinkMatrix SearchingUndirectedPath(double alpha, const PathTestSettings& settings);

// After option A's test of correlations (the correlation measure between at
// least three variables): "Test partial correlations? y/n", asked until the
// answer is no, each yes running the basis-set test with the null model
// chosen and the settings of A's test.
void PartialCorrelationsAfterVariableTest(const VariableTestRun& run);

// Menu routines of the randomization tests between two (or three) data sets,
// reached from option K: each asks for the seed, the number of permutations
// and whether to save every permutation, runs the test and appends its
// results to the results file. The data sets are only read.
#pragma once
#include "shell/SessionObjects.h"

// Every data set describes the same sampling units, in the same order; the
// first one is permuted.
void AleatorizacaoMantel(const DataSetView& first, const DataSetView& second);
void AleatorizacaoPartialMantel(const DataSetView& first, const DataSetView& second, const DataSetView& third);
void AleatorizacaoProcrustes(const DataSetView& first, const DataSetView& second);
void AleatorizacaoRV(const DataSetView& first, const DataSetView& second);
void AleatorizacaoRd(const DataSetView& first, const DataSetView& second);
// Linear models of the responses' variables on the factors' (the observed
// regression printed in detail when `detailed`), with the permutation
// restrictions asked for.
void AleatorizacaoModLin(const DataSetView& responses, const DataSetView& factors, bool detailed);
// Redundancy analysis of the responses on the explanatory variables.
void AleatorizacaoRDA(const DataSetView& responses, const DataSetView& explanatory);

// Refusals shared with option K (they print the reason and return true).
// Undefined values (the missing code) in a data table or in a resemblance
// matrix the test needs complete.
bool RefuseMissingData(const DataSetView& set);
bool RefuseUndefinedResemblance(const DataSetView& set);
// Normal equations of the factors that cannot be solved.
bool RefuseSingularFactors(const DataSetView& factors);

// Menu routines of the bootstrap folder: the dialogue every bootstrap asks,
// the bootstrap of group partition sharpness that option C offers, the
// bootstrap of descriptive statistics that option V offers and the
// bootstrap of ordination dimensions that option O offers.
#pragma once
#include "cluster/ClusterReport.h"

struct OrdinationAnalysis;
struct SamplerReportInfo;

// The bootstrap dialogue, in the console language:
//  - the initial sample size, minInitial..n;
//  - when it is below n, the units added at each sampling step, 1..n
//    (otherwise *step = 0);
//  - the number of iterations, 1..2147483647;
//  - when withAlpha is 1, the alpha probability for confidence limits, 0..1,
//    and the iterations then raised to the first count whose product with
//    alpha is even (IterationsForAlpha), so that both tails are whole;
//  - when seed is not null, the seed: automatic (the current time) or typed,
//    0..4294967295; the session generator is seeded with it
//    (InitRndNumberGenerator);
//  - whether to save the intermediate results: *save = 'y' or 'n'; a yes
//    with 51 iterations or more is confirmed first.
// Sizes and iterations with CountSteps / SampleSizeAtStep (BootstrapSteps.h).
void SetBootstrapOptions(int n, int minInitial, int* initialSize, int* step, int* nIter, unsigned* seed, char* save,
                         int withAlpha, double* alpha);
// The same dialogue, without alpha, for a report: info also gets the
// language, n and the digits of the tables (sDigits).
void SetBootstrapOptions(int n, int minInitial, SamplerReportInfo& info);

// After a cluster analysis of n sampling units: asks the largest number of
// groups (2..n-1) and the bootstrap options, runs the bootstrap of the
// sharpness of the partitions into 2..kmax groups and appends the results to
// "Zoviri.txt". rese: the resemblance matrix that was clustered (read only);
// rep: its fusion history by `method`.
void SamplerGroups(int n, double** rese, bool isDissim, clusterReport* rep, int method);

// After an ordination that scores the sampling units (principal coordinates
// of units, principal components or correspondence analysis of variables):
// asks the number of axes to monitor (1..the smallest of the variables, the
// ordination's rank and n - 1) and the bootstrap options, runs the bootstrap
// of ordination dimensions on the session's original data with `analysis`
// (the session's transformation, resemblance measure and ordination) against
// the session's scores, and appends the results to "Zoviri.txt". The
// session's state is only read.
void SamplerOrdination(const OrdinationAnalysis& analysis);

// After the means and standard deviations (SamplerMeans) or the entropy of
// variables (SamplerEntropy) of option V: asks the bootstrap options (sample
// sizes 1..nObj, iterations, alpha, seed, intermediate results), resamples
// the sampling units of the nObj x nVar table (the session's data, read
// only) and appends the averages and confidence limits of the statistics of
// each variable to "Zoviri.txt". They read varType, varLabels, alphaEntropy,
// sDigits and the language.
void SamplerMeans(int nObj, int nVar, double** data);
void SamplerEntropy(int nObj, int nVar, double** data);

// The cluster analysis report: fusion directory, dendrogram in Newick form,
// partitions at every level and, for the factorial method, the scores of
// the representative vectors.
#pragma once
#include <cstdio>

#include "cluster/ClusterReport.h"

// Writes the report of the fusion history of n objects named by labels to f
// and the Newick line to "newick.txt". correlTransf: the transformation of
// correlations chosen (-1 when not asked). otherLabels / nOther: labels of
// the attributes scored by the factorial method.
void WriteClusterReport(FILE* f, int n, clusterReport* rep, int method, bool isDissim, char** labels, int correlTransf,
                        int nOther, char** otherLabels);

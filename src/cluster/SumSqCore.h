// Ward's clustering shared by methods 3 and 7.
#pragma once
#include "cluster/ClusterReport.h"

namespace clusterwork {

// Ward's clustering of SumSqCluster, restricted to pairs with a non-zero
// adjacency[a][b] (a < b) when adjacency is given (SumSqClusterRestrained).
void SumSqCore(int n, double** D, int** adjacency, clusterReport* rep, bool squared);

}  // namespace clusterwork

// Session value kept by the cluster analysis between calls.
#include "cluster/ClusterState.h"

int clusMeth = 0;

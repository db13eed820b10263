// Ward's clustering among neighbouring groups (method 7).
#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"

void TopologyFusion(int m, int* sizes, int a, int b, int** adjacency) {
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    int& aka = k < a ? adjacency[k][a] : adjacency[a][k];
    const int akb = k < b ? adjacency[k][b] : adjacency[b][k];
    if (akb > aka) aka = akb;
  }
  clusterwork::RemoveFromUpperTriangle(m, b, adjacency);
}

void SumSqClusterRestrained(int n, double** D, int** adjacency, clusterReport* rep, bool squared) {
  clusterwork::SumSqCore(n, D, adjacency, rep, squared);
}

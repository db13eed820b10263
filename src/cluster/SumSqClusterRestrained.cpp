// Ward's clustering among neighbouring groups (method 7).
#include "cluster/ClusterMethods.h"
#include "cluster/SumSqCore.h"

void TopologyFusion(int m, int* sizes, int a, int b, int** adjacency) {
  (void)sizes;
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    int& aka = k < a ? adjacency[k][a] : adjacency[a][k];
    const int akb = k < b ? adjacency[k][b] : adjacency[b][k];
    if (akb > aka) aka = akb;
  }
  for (int i = 0; i < b; i++)
    for (int j = b; j < m - 1; j++) adjacency[i][j] = adjacency[i][j + 1];
  for (int i = b; i < m - 1; i++)
    for (int j = i + 1; j < m - 1; j++) adjacency[i][j] = adjacency[i + 1][j + 1];
}

void SumSqClusterRestrained(int n, double** D, int** adjacency, clusterReport* rep, bool squared) {
  clusterwork::SumSqCore(n, D, adjacency, rep, squared);
}

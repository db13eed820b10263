// The fusion history of an agglomerative hierarchical clustering: one record
// per fusion, record s describing fusion step s + 1. Built by the clustering
// methods, read by the cluster report, the Newick writer, the partition
// routines and the bootstrap of partition sharpness.
#pragma once

struct clusterReport {
  double level;        // fusion level of the group formed
  double level2;       // sums of squares: increase of the within sum; factorial: first eigenvalue
  int nMembers;        // objects in the group formed
  int* members;        // 1-based object numbers: first group's members, then the second's (capacity n)
  int node;            // node number of the group formed, n + s + 1 (0 for the factorial method)
  int lastMember;      // object number ending the first group's member list
  double branchLeft;   // level minus the height of the first group
  double branchRight;  // level minus the height of the second group
  double* eigVecI;     // factorial method: loadings of the first eigenvector (2 used)
  double* scoresI;     // factorial method: scores of the first representative vector (p)
  double* eigVecII;    // factorial method: loadings of the second eigenvector (2 used)
  double* scoresII;    // factorial method: scores of the second representative vector (p)
};

// Zero-filled history of n - 1 records for n objects, each with room for n
// members; with withFactorial the four vectors of the factorial method are
// added (eigenvector loadings with n entries, scores with p entries).
// Returns null when n < 2.
clusterReport* AllocClusterReport(int n, int p, bool withFactorial);
void FreeClusterReport(int n, clusterReport* rep);

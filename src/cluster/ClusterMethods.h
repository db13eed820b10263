// Agglomerative hierarchical clustering of n objects compared by a symmetric
// resemblance matrix, of which only the upper triangle (row < column) is
// read. Every method writes its fusion history into rep (n - 1 records
// allocated by the caller, see ClusterReport.h). The groups are numbered in
// index order: fusing a < b keeps the new group at position a and removes b,
// so that later groups move down one place. Each step fuses the first best
// pair (a ascending, then b ascending). The methods find that pair without
// rescanning every pair at every step (typically O(n^2) time overall, with
// one triangle of working values); LinkageFusion, FusionMatrix and
// TopologyFusion are the same updates on an m x m matrix whose rows and
// columns shift.
#pragma once
#include "cluster/ClusterReport.h"

// Methods of the clustering menu.
enum ClusterMethod {
  kSingleLinkage = 1,
  kCompleteLinkage = 2,
  kWard = 3,
  kUPGMA = 4,
  kWPGMA = 5,
  kHierFactorial = 6,
  kWardConstrained = 7
};

// Methods 1, 2, 4, 5. isDissim: D holds dissimilarities (else similarities).
// squared: D holds squared dissimilarities; the reported levels are then
// their square roots, except for the average linkages on dissimilarities,
// which average the square roots themselves. D is only read; copy is kept
// for callers written when the routine worked in D itself.
void LinkageCluster(int n, double** D, clusterReport* rep, bool isDissim, bool squared, int method, bool copy);
// Resemblance of the fused group a+b to every other group, then removal of b.
void LinkageFusion(int m, int* sizes, int a, int b, double** W, bool isDissim, int method);

// Method 3 (Ward). squared: D holds squared distances (otherwise they are squared here).
void SumSqCluster(int n, double** D, clusterReport* rep, bool squared);
// Squared distances between centroids after fusing a and b, then removal of b.
void FusionMatrix(int m, int* sizes, int a, int b, double** W, bool isDissim);

// Method 7: Ward among neighbours; adjacency[a][b] (a < b) non-zero marks
// neighbouring objects. adjacency is not changed.
void SumSqClusterRestrained(int n, double** D, int** adjacency, clusterReport* rep, bool squared);
// Adjacency of the fused group: the larger of its parts' adjacencies; then
// removal of b. The sizes are left to FusionMatrix.
void TopologyFusion(int m, int* sizes, int a, int b, int** adjacency);

// Method 6 (hierarchical factorial): n objects as rows of X (n x p, -999.0 missing).
// The records need the factorial vectors (AllocClusterReport(n, p, true)).
void HierFactorialClustering(int n, int p, double** X, clusterReport* rep);
// Eigen-decomposition of the 2 x 2 cross-product matrix of x and y over the
// attributes where both are present: eigenvalues eigI >= eigII and their
// eigenvectors (two loadings each).
void HierFactorialEigen(int p, double* x, double* y, double* eigI, double* eigII, double* vecI, double* vecII);

// B(i,j) = B(j,i) = A(i,j)^2 for i <= j (A and B may be the same matrix).
void SquareSqMatrix(int n, double** A, double** B);
// true when resemblance measure number `measure` is a dissimilarity.
bool ClusterMeasureIsDissim(int measure);

// Preparation of the resemblance matrix for clustering.
#include "cluster/ClusterMethods.h"

void SquareSqMatrix(int n, double** A, double** B) {
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      const double v = A[i][j] * A[i][j];
      B[i][j] = v;
      B[j][i] = v;
    }
}

bool ClusterMeasureIsDissim(int measure) {
  return measure == 2 || measure == 3 || measure == 4 || measure == 8 || measure == 18 || measure >= 20;
}

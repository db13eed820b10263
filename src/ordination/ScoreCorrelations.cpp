// Descriptor-axis correlations and contributions to principal components.
#include "ordination/ScoreCorrelations.h"

#include <cmath>

#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"

void StandardizeRowsForCorrelation(int rows, int cols, double** M) {
  for (int i = 0; i < rows; i++) {
    double* x = M[i];
    double sum = 0.0;
    int count = 0;
    for (int j = 0; j < cols; j++)
      if (x[j] != MISSING_VALUE) {
        sum += x[j];
        count++;
      }
    if (count == 0) continue;
    const double mean = sum / count;
    double ss = 0.0;
    for (int j = 0; j < cols; j++)
      if (x[j] != MISSING_VALUE) {
        x[j] -= mean;
        ss += x[j] * x[j];
      }
    if (ss <= 0.0) continue;
    const double norm = std::sqrt(ss);
    for (int j = 0; j < cols; j++)
      if (x[j] != MISSING_VALUE) x[j] /= norm;
  }
}

void ScoreCorrComp(int rank, int n, double** scores, double** data, int p, int flag, int maxDim, double** R) {
  const int m = rank < maxDim ? rank : maxDim;
  if (m <= 0) return;
  double** W = dimDouble2D(m + p, n);
  for (int k = 0; k < m; k++)
    for (int e = 0; e < n; e++) W[k][e] = scores[k][e];
  for (int d = 0; d < p; d++)
    for (int e = 0; e < n; e++) W[m + d][e] = flag == 1 ? data[d][e] : data[e][d];
  StandardizeRowsForCorrelation(m + p, n, W);
  for (int d = 0; d < p; d++) {
    const double* x = W[m + d];
    for (int k = 0; k < m; k++) {
      const double* y = W[k];
      double r = 0.0;
      for (int e = 0; e < n; e++)
        if (x[e] != MISSING_VALUE && y[e] != MISSING_VALUE) r += x[e] * y[e];
      R[d][k] = r;
    }
  }
  freeDouble2D(W, m + p);
}

void ScoreCorrPrincipalComponents(int m, int p, double** rese, const double* eig, double** evectors, double** R) {
  for (int i = 0; i < p; i++)
    for (int k = 0; k < m; k++)
      // A descriptor without variance is uncorrelated with every component.
      R[i][k] = rese[i][i] > 0.0 ? std::sqrt(eig[k] / rese[i][i]) * evectors[k][i] : 0.0;
}

void VarContributionComp(int m, int p, double** evectors, double** rese, double** C) {
  for (int k = 0; k < m; k++) {
    double total = 0.0;
    for (int i = 0; i < p; i++) {
      const double c = std::sqrt(rese[i][i]) * evectors[k][i];
      C[i][k] = c * c;
      total += C[i][k];
    }
    if (total > 0.0)
      for (int i = 0; i < p; i++) C[i][k] = C[i][k] * 100.0 / total;
  }
}

// Moments of variables and their redundancy.
#include "transform/DescriptiveStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "ZQLib/Centring.h"
#include "ZQLib/GaussJordan.h"
#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"

double MomentAccumulator::StDev() const {
  if (n_ < 2.0 || !(m2_ > 0.0)) return 0.0;
  return std::sqrt(m2_ / (n_ - 1.0));
}

double MomentAccumulator::Skewness() const {
  if (!(m2_ > 0.0)) return 0.0;
  const double m2 = m2_ / n_;
  return (m3_ / n_) / (m2 * std::sqrt(m2));
}

VariableMoments ColumnMoments(int nObj, const double* const* data, int column) {
  MomentAccumulator acc;
  for (int i = 0; i < nObj; i++) {
    const double x = data[i][column];
    if (!IsMissing(x)) acc.Add(x);
  }
  VariableMoments m;
  m.count = acc.Count();
  if (m.count == 0) {
    m.mean = m.stDev = m.skewness = MISSING_VALUE;
  } else {
    m.mean = acc.Mean();
    m.stDev = acc.StDev();
    m.skewness = acc.Skewness();
  }
  return m;
}

void Communality(int nVar, int nObj, const double* const* variables, double* redundancy, int* nUsed) {
  for (int j = 0; j < nVar; j++) redundancy[j] = MISSING_VALUE;
  *nUsed = 0;
  if (nVar < 1 || nObj < 2) return;

  Matrix centred(nVar, nObj);
  CenterRowsCovMV(nVar, nObj, variables, centred.data());
  bool anyMissing = false;
  std::vector<int> positives(nVar, 0);
  std::vector<double> variance(nVar, 0.0);
  for (int j = 0; j < nVar; j++) {
    double ss = 0.0;
    for (int k = 0; k < nObj; k++) {
      const double x = variables[j][k];
      if (IsMissing(x)) {
        anyMissing = true;
        continue;
      }
      if (x > 0.0) positives[j]++;
      ss += centred[j][k] * centred[j][k];
    }
    variance[j] = ss;
  }

  std::vector<int> order;
  for (int j = 0; j < nVar; j++)
    if (variance[j] > 0.0) order.push_back(j);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return positives[a] > positives[b]; });
  const int m = static_cast<int>(order.size());
  if (m == 0) return;

  // Correlations of the ordered variables, each over the units where both are present.
  Matrix corr(m, m);
  for (int a = 0; a < m; a++) {
    const double* x = centred[order[a]];
    const double* rx = variables[order[a]];
    for (int b = a; b < m; b++) {
      const double* y = centred[order[b]];
      const double* ry = variables[order[b]];
      double s = 0.0;
      for (int k = 0; k < nObj; k++)
        if (!IsMissing(rx[k]) && !IsMissing(ry[k])) s += x[k] * y[k];
      corr[a][b] = corr[b][a] = s / std::sqrt(variance[order[a]] * variance[order[b]]);
    }
  }

  // Without missing cells the centred values span at most nObj - 1
  // dimensions: larger sets of variables are singular.
  int k = m;
  if (!anyMissing) k = std::min(k, nObj - 1);
  Matrix inverse(m, m);
  for (; k >= 1; k--) {
    if (!MatrixInverse(k, k, corr.data(), inverse.data())) continue;
    *nUsed = k;
    for (int a = 0; a < k; a++) redundancy[order[a]] = 1.0 - 1.0 / inverse[a][a];
    return;
  }
}

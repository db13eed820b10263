// Hierarchical factorial clustering (method 6): at each step the two groups
// whose representative vectors leave the smallest second eigenvalue of their
// 2 x 2 cross-product matrix fuse; the fused group is represented by the
// scores on the first eigenvector.
#include <cfloat>
#include <cstddef>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"
#include "cluster/PairSearch.h"
#include "ordination/EigenKernels.h"
#include "ZQLib/Centring.h"
#include "ZQLib/MissingValue.h"

using clusterwork::GroupList;
using clusterwork::kRetired;
using clusterwork::RowBest;
using clusterwork::Triangle;

void HierFactorialEigen(int p, double* x, double* y, double* eigI, double* eigII, double* vecI, double* vecII) {
  double xx = 0.0, xy = 0.0, yy = 0.0;
  for (int t = 0; t < p; t++) {
    if (x[t] == MISSING_VALUE || y[t] == MISSING_VALUE) continue;
    xx += x[t] * x[t];
    xy += x[t] * y[t];
    yy += y[t] * y[t];
  }
  double row0[2] = {xx, xy}, row1[2] = {xy, yy};
  double* A[2] = {row0, row1};
  double vec0[2] = {0, 0}, vec1[2] = {0, 0};
  double* E[2] = {vec0, vec1};
  double values[2] = {0, 0};
  EigenHouseholderQL_GSL_D(2, A, E, values);
  *eigI = values[0];
  *eigII = values[1];
  vecI[0] = vec0[0];
  vecI[1] = vec0[1];
  vecII[0] = vec1[0];
  vecII[1] = vec1[1];
}

void HierFactorialClustering(int n, int p, double** X, clusterReport* rep) {
  if (n < 2 || rep == nullptr) return;
  std::vector<double> zStore(static_cast<std::size_t>(n) * p);
  std::vector<double*> Z(n);
  for (int i = 0; i < n; i++) {
    Z[i] = zStore.data() + static_cast<std::size_t>(i) * p;
    for (int t = 0; t < p; t++) Z[i][t] = X[i][t];
  }
  CenterRowsMV(n, p, Z.data(), Z.data());
  NormalizeRowsMV(n, p, Z.data(), Z.data());

  // Eigen results of every pair i < j; the second eigenvalues apart, as the
  // values the search compares.
  struct PairEigen {
    double first, vecI[2], vecII[2];
  };
  Triangle<double> second(n);
  Triangle<PairEigen> pairs(n);
  auto pairEigen = [&](int i, int j) {
    PairEigen& e = pairs(i, j);
    HierFactorialEigen(p, Z[i], Z[j], &e.first, &second(i, j), e.vecI, e.vecII);
  };
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) pairEigen(i, j);
  RowBest<false> best(n, DBL_MAX);
  for (int a = 0; a < n - 1; a++) best.Scan(a, second.Row(a), n - a - 1);

  GroupList groups(n);
  for (int s = 0; s < n - 1; s++) {
    int a, b;
    if (!best.First(&a, &b)) {  // values that cannot be compared: the first active pair
      a = best.Live()[0];
      b = best.Live()[1];
    }
    const PairEigen& e = pairs(a, b);
    clusterReport& rec = rep[s];
    rec.level = second(a, b);
    rec.level2 = e.first;
    groups.Describe(a, b, rec);
    rec.eigVecI[0] = e.vecI[0];
    rec.eigVecI[1] = e.vecI[1];
    rec.eigVecII[0] = e.vecII[0];
    rec.eigVecII[1] = e.vecII[1];
    double* za = Z[a];
    const double* zb = Z[b];
    for (int t = 0; t < p; t++) {
      if (za[t] == MISSING_VALUE || zb[t] == MISSING_VALUE) {
        rec.scoresI[t] = 0.0;
        rec.scoresII[t] = 0.0;
        continue;
      }
      rec.scoresI[t] = za[t] * e.vecI[0] + zb[t] * e.vecI[1];
      rec.scoresII[t] = za[t] * e.vecII[0] + zb[t] * e.vecII[1];
    }
    for (int t = 0; t < p; t++) za[t] = rec.scoresI[t];
    groups.Fuse(a, b);

    // Pairs of the new group with every other active group; b's column
    // retired; rows before a and b brought up to date as they are passed.
    best.Retire(b);
    for (int k : best.Live()) {
      if (k == a) continue;
      if (k < b) second(k, b) = kRetired;
      if (k < a) {
        pairEigen(k, a);
        if (!best.Changed(k, a, b, second(k, a))) best.Scan(k, second.Row(k), n - k - 1);
      } else {
        pairEigen(a, k);
        if (k < b && !best.Retired(k, b)) best.Scan(k, second.Row(k), n - k - 1);
      }
    }
    second(a, b) = kRetired;
    best.Scan(a, second.Row(a), n - a - 1);
  }
}

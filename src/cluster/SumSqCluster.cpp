// Incremental sum of squares (Ward, method 3) and its topologically
// constrained variant (method 7).
#include <cfloat>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"
#include "cluster/LanceWilliams.h"
#include "cluster/PairSearch.h"
#include "cluster/SumSqCore.h"

using clusterwork::GroupList;
using clusterwork::kRetired;
using clusterwork::RowBest;
using clusterwork::Triangle;
using clusterwork::WardIncrease;
using clusterwork::WardUpdate;

void FusionMatrix(int m, int* sizes, int a, int b, double** W, bool isDissim) {
  const WardUpdate update(sizes[a], sizes[b], W[a][b], isDissim);
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    double& wka = k < a ? W[k][a] : W[a][k];
    const double wkb = k < b ? W[k][b] : W[b][k];
    wka = update(wka, wkb);
  }
  sizes[a] += sizes[b];
  for (int i = 0; i < b; i++)
    for (int j = b; j < m - 1; j++) W[i][j] = W[i][j + 1];
  for (int i = b; i < m - 1; i++)
    for (int j = i + 1; j < m - 1; j++) W[i][j] = W[i + 1][j + 1];
  for (int k = b; k < m - 1; k++) sizes[k] = sizes[k + 1];
}

namespace clusterwork {

void SumSqCore(int n, double** D, int** adjacency, clusterReport* rep, bool squared) {
  if (n < 2 || rep == nullptr) return;
  // Squared distance between objects x and y of the original matrix.
  auto d2 = [&](int x, int y) {
    const double v = x < y ? D[x][y] : D[y][x];
    return squared ? v : v * v;
  };
  Triangle<double> W(n);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) W(i, j) = d2(i, j);
  Triangle<int> A(adjacency ? n : 0);
  if (adjacency)
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) A(i, j) = adjacency[i][j];

  std::vector<double> sizes(n, 1.0), ssw(n, 0.0), increase(n);
  // Increases of row a's pairs into `increase` (pairs that may not fuse get
  // not-a-number), then the row's first smallest.
  RowBest<false> best(n, adjacency ? 3.4028234663852886e38 : DBL_MAX);
  auto scan = [&](int a) {
    const int len = n - a - 1;
    const double na = sizes[a];
    const double* w = W.Row(a);
    const double* nb = sizes.data() + a + 1;
    double* inc = increase.data();
    if (adjacency) {
      const int* adj = A.Row(a);
      for (int j = 0; j < len; j++) inc[j] = adj[j] != 0 ? WardIncrease(na, nb[j], w[j]) : kRetired;
    } else {
#pragma omp simd
      for (int j = 0; j < len; j++) inc[j] = WardIncrease(na, nb[j], w[j]);
    }
    best.Scan(a, inc, len);
  };
  for (int a = 0; a < n - 1; a++) scan(a);

  GroupList groups(n);
  for (int s = 0; s < n - 1; s++) {
    int a, b;
    if (!best.First(&a, &b)) {
      // No eligible pair below the starting value (a topology that leaves
      // groups unconnected, or values that cannot be compared): the first
      // adjacent pair in scan order (or else the first pair) fuses, so that
      // the history is always complete.
      const std::vector<int>& live = best.Live();
      a = live[0];
      b = live[1];
      bool found = false;
      for (size_t i = 0; adjacency && i < live.size() && !found; i++)
        for (size_t j = i + 1; j < live.size() && !found; j++)
          if (A(live[i], live[j]) != 0) {
            a = live[i];
            b = live[j];
            found = true;
          }
    }
    const double na = sizes[a];
    const double nb = sizes[b];
    const double wab = W(a, b);
    const double heightA = ssw[a] / na;
    const double heightB = ssw[b] / nb;
    double cross = 0.0;
    groups.ForEach(a, [&](int x) { groups.ForEach(b, [&](int y) { cross += d2(x, y); }); });
    ssw[a] = ssw[a] + ssw[b] + cross;

    clusterReport& rec = rep[s];
    rec.level = ssw[a] / (na + nb);
    rec.level2 = WardIncrease(na, nb, wab);
    rec.node = n + s + 1;
    rec.branchLeft = rec.level - heightA;
    rec.branchRight = rec.level - heightB;
    groups.Describe(a, b, rec);
    groups.Fuse(a, b);

    // Centroid distances (and adjacencies) of a+b to the other groups; b's
    // column retired; rows before a and b brought up to date as they are
    // passed, with the new size of a.
    const WardUpdate update(na, nb, wab, true);
    sizes[a] = na + nb;
    best.Retire(b);
    for (int k : best.Live()) {
      if (k == a) continue;
      double& wka = W.Pair(k, a);
      wka = update(wka, W.Pair(k, b));
      if (adjacency) {
        int& aka = A.Pair(k, a);
        const int akb = A.Pair(k, b);
        if (akb > aka) aka = akb;
      }
      if (k < b) W(k, b) = kRetired;
      if (k < a) {
        const double v = adjacency && A(k, a) == 0 ? kRetired : WardIncrease(sizes[k], sizes[a], wka);
        if (!best.Changed(k, a, b, v)) scan(k);
      } else if (k < b && !best.Retired(k, b)) {
        scan(k);
      }
    }
    W(a, b) = kRetired;
    scan(a);
  }
}

}  // namespace clusterwork

void SumSqCluster(int n, double** D, clusterReport* rep, bool squared) {
  clusterwork::SumSqCore(n, D, nullptr, rep, squared);
}

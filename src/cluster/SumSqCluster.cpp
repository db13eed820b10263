// Incremental sum of squares (Ward, method 3) and its topologically
// constrained variant (method 7).
#include <cfloat>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"

using clusterwork::GroupList;
using clusterwork::RemoveEntry;
using clusterwork::RowMinimum;
using clusterwork::RemoveFromUpperTriangle;
using clusterwork::WorkMatrix;

void FusionMatrix(int m, int* sizes, int a, int b, double** W, bool isDissim) {
  const double na = sizes[a];
  const double nb = sizes[b];
  const double nab = na + nb;
  const double alphaA = na / nab;
  const double alphaB = nb / nab;
  const double beta = -na * nb / (nab * nab);
  const double wab = W[a][b];
  const double last = isDissim ? beta * wab : -beta * (1.0 - wab);
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    double& wka = k < a ? W[k][a] : W[a][k];
    const double wkb = k < b ? W[k][b] : W[b][k];
    wka = alphaA * wka + alphaB * wkb + last;
  }
  sizes[a] += sizes[b];
  RemoveFromUpperTriangle(m, b, W);
  RemoveEntry(m, b, sizes);
}

namespace clusterwork {

// Ward's clustering, restricted to adjacent pairs when adjacency is given.
void SumSqCore(int n, double** D, int** adjacency, clusterReport* rep, bool squared) {
  if (n < 2 || rep == nullptr) return;
  WorkMatrix<double> work(n);
  double** W = work.get();
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) W[i][j] = squared ? D[i][j] : D[i][j] * D[i][j];
  WorkMatrix<int> adjWork(adjacency ? n : 0);
  int** A = nullptr;
  if (adjacency) {
    A = adjWork.get();
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) A[i][j] = adjacency[i][j];
  }
  // Squared distance between objects x and y of the original matrix.
  auto d2 = [&](int x, int y) {
    if (x > y) {
      int t = x;
      x = y;
      y = t;
    }
    return squared ? D[x][y] : D[x][y] * D[x][y];
  };

  GroupList groups(n);
  std::vector<int> sizes(n, 1);
  std::vector<double> ssw(n, 0.0);
  const double start = adjacency ? 3.4028234663852886e38 : DBL_MAX;
  std::vector<double> increase(n);

  for (int s = 0; s < n - 1; s++) {
    const int m = n - s;
    int ba = -1, bb = -1;
    double best = start;
    const int* size = sizes.data();
    for (int a = 0; a < m - 1; a++) {
      const double* row = W[a];
      const double na = size[a];
      if (A) {
        const int* adj = A[a];
        for (int b = a + 1; b < m; b++) {
          if (adj[b] == 0) continue;
          const double nb = size[b];
          const double delta = na * nb * row[b] / (na + nb);
          if (delta < best) {
            best = delta;
            ba = a;
            bb = b;
          }
        }
        continue;
      }
      // Increases of the row into a buffer (a vectorized loop), their
      // smallest, then its first position: the same pair as a strict scan.
      double* inc = increase.data();
#pragma omp simd
      for (int b = a + 1; b < m; b++) {
        const double nb = size[b];
        inc[b] = na * nb * row[b] / (na + nb);
      }
      const double low = RowMinimum(inc, a + 1, m, best);
      if (low < best) {
        int b = a + 1;
        while (b < m - 1 && !(inc[b] == low)) b++;
        best = low;
        ba = a;
        bb = b;
      }
    }
    if (ba < 0) {
      // No eligible pair below the starting value (a topology that leaves
      // groups unconnected, or values that cannot be compared): the first
      // adjacent pair in scan order (or else the first pair) fuses, so that
      // the history is always complete.
      ba = 0;
      bb = 1;
      bool found = false;
      for (int a = 0; A && a < m - 1 && !found; a++)
        for (int b = a + 1; b < m && !found; b++)
          if (A[a][b] != 0) {
            ba = a;
            bb = b;
            found = true;
          }
    }
    const double na = sizes[ba];
    const double nb = sizes[bb];
    const double delta = na * nb * W[ba][bb] / (na + nb);
    const double heightA = ssw[ba] / na;
    const double heightB = ssw[bb] / nb;
    double cross = 0.0;
    groups.ForEach(ba, [&](int x) { groups.ForEach(bb, [&](int y) { cross += d2(x, y); }); });
    ssw[ba] = ssw[ba] + ssw[bb] + cross;

    clusterReport& rec = rep[s];
    rec.level = ssw[ba] / (na + nb);
    rec.level2 = delta;
    rec.node = n + s + 1;
    rec.branchLeft = rec.level - heightA;
    rec.branchRight = rec.level - heightB;
    groups.Describe(ba, bb, rec);

    RemoveEntry(m, bb, ssw.data());
    groups.Fuse(ba, bb);
    if (A) TopologyFusion(m, sizes.data(), ba, bb, A);
    FusionMatrix(m, sizes.data(), ba, bb, W, true);
  }
}

}  // namespace clusterwork

void SumSqCluster(int n, double** D, clusterReport* rep, bool squared) {
  clusterwork::SumSqCore(n, D, nullptr, rep, squared);
}

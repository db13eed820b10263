// Single, complete and average linkage (methods 1, 2, 4 and 5).
#include <cfloat>
#include <cmath>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"
#include "cluster/LanceWilliams.h"
#include "cluster/PairSearch.h"

using clusterwork::GroupList;
using clusterwork::kRetired;
using clusterwork::LinkageUpdate;
using clusterwork::RowBest;
using clusterwork::Triangle;

namespace {

// Removes row and column b from the upper triangle of the m x m matrix W.
void RemoveFromUpperTriangle(int m, int b, double** W) {
  for (int i = 0; i < b; i++)
    for (int j = b; j < m - 1; j++) W[i][j] = W[i][j + 1];
  for (int i = b; i < m - 1; i++)
    for (int j = i + 1; j < m - 1; j++) W[i][j] = W[i + 1][j + 1];
}

// kLargest: similarities (the largest value fuses first).
template <bool kLargest>
void Linkage(int n, double** D, clusterReport* rep, bool rootValues, bool rootLevels, int method) {
  const bool isDissim = !kLargest;
  Triangle<double> W(n);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) W(i, j) = rootValues ? std::sqrt(D[i][j]) : D[i][j];
  RowBest<kLargest> best(n, kLargest ? -DBL_MAX : DBL_MAX);
  for (int a = 0; a < n - 1; a++) best.Scan(a, W.Row(a), n - a - 1);

  GroupList groups(n);
  std::vector<double> sizes(n, 1.0), height(n, 0.0);
  for (int s = 0; s < n - 1; s++) {
    int a, b;
    if (!best.First(&a, &b)) {
      // Nothing comparable left (values that cannot be compared): the first
      // two current groups fuse.
      a = best.Live()[0];
      b = best.Live()[1];
    }
    const double value = W(a, b);
    const double level = rootLevels ? std::sqrt(value) : value;
    clusterReport& rec = rep[s];
    rec.level = level;
    rec.level2 = 0.0;
    rec.node = n + s + 1;
    rec.branchLeft = level - height[a];
    rec.branchRight = level - height[b];
    groups.Describe(a, b, rec);
    height[a] = level;
    groups.Fuse(a, b);

    // Resemblances of a+b to the other groups; b's column retired; rows
    // before a and b brought up to date as they are passed.
    const double na = sizes[a], nb = sizes[b];
    best.Retire(b);
    for (int k : best.Live()) {
      if (k == a) continue;
      double& wka = W.Pair(k, a);
      wka = LinkageUpdate(method, isDissim, na, nb, wka, W.Pair(k, b));
      if (k < b) W(k, b) = kRetired;
      if (k < a) {
        if (!best.Changed(k, a, b, wka)) best.Scan(k, W.Row(k), n - k - 1);
      } else if (k < b && !best.Retired(k, b)) {
        best.Scan(k, W.Row(k), n - k - 1);
      }
    }
    W(a, b) = kRetired;
    sizes[a] = na + nb;
    best.Scan(a, W.Row(a), n - a - 1);
  }
}

}  // namespace

void LinkageFusion(int m, int* sizes, int a, int b, double** W, bool isDissim, int method) {
  const double na = sizes[a];
  const double nb = sizes[b];
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    double& wka = k < a ? W[k][a] : W[a][k];
    const double wkb = k < b ? W[k][b] : W[b][k];
    wka = LinkageUpdate(method, isDissim, na, nb, wka, wkb);
  }
  sizes[a] += sizes[b];
  RemoveFromUpperTriangle(m, b, W);
  for (int k = b; k < m - 1; k++) sizes[k] = sizes[k + 1];
}

void LinkageCluster(int n, double** D, clusterReport* rep, bool isDissim, bool squared, int method, bool copy) {
  (void)copy;  // D is only read
  if (n < 2 || rep == nullptr) return;
  // Average linkages of squared dissimilarities average their square roots;
  // the other methods report the square root of the fusing value.
  const bool rootValues = (method == kUPGMA || method == kWPGMA) && isDissim && squared;
  const bool rootLevels = squared && !rootValues;
  if (isDissim)
    Linkage<false>(n, D, rep, rootValues, rootLevels, method);
  else
    Linkage<true>(n, D, rep, rootValues, rootLevels, method);
}

// Single, complete and average linkage (methods 1, 2, 4 and 5).
#include <cfloat>
#include <cmath>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/GroupList.h"

using clusterwork::GroupList;
using clusterwork::RemoveEntry;
using clusterwork::RowMinimum;
using clusterwork::RemoveFromUpperTriangle;
using clusterwork::WorkMatrix;

namespace {

// Largest of start and row[from..to-1].
double RowMaximum(const double* row, int from, int to, double start) {
  double m0 = start, m1 = start, m2 = start, m3 = start;
  int b = from;
  for (; b + 3 < to; b += 4) {
    m0 = row[b] > m0 ? row[b] : m0;
    m1 = row[b + 1] > m1 ? row[b + 1] : m1;
    m2 = row[b + 2] > m2 ? row[b + 2] : m2;
    m3 = row[b + 3] > m3 ? row[b + 3] : m3;
  }
  for (; b < to; b++) m0 = row[b] > m0 ? row[b] : m0;
  m0 = m1 > m0 ? m1 : m0;
  m2 = m3 > m2 ? m3 : m2;
  return m2 > m0 ? m2 : m0;
}

}  // namespace

void LinkageFusion(int m, int* sizes, int a, int b, double** W, bool isDissim, int method) {
  const double na = sizes[a];
  const double nb = sizes[b];
  for (int k = 0; k < m; k++) {
    if (k == a || k == b) continue;
    double& wka = k < a ? W[k][a] : W[a][k];
    const double wkb = k < b ? W[k][b] : W[b][k];
    double v = wka;
    switch (method) {
      case kSingleLinkage:
        v = isDissim ? (wkb < wka ? wkb : wka) : (wkb > wka ? wkb : wka);
        break;
      case kCompleteLinkage:
        v = isDissim ? (wkb > wka ? wkb : wka) : (wkb < wka ? wkb : wka);
        break;
      case kUPGMA:
        v = (na * wka + nb * wkb) / (na + nb);
        break;
      case kWPGMA:
        v = (wka + wkb) / 2.0;
        break;
      default:
        break;
    }
    wka = v;
  }
  sizes[a] += sizes[b];
  RemoveFromUpperTriangle(m, b, W);
  RemoveEntry(m, b, sizes);
}

void LinkageCluster(int n, double** D, clusterReport* rep, bool isDissim, bool squared, int method, bool copy) {
  if (n < 2 || rep == nullptr) return;
  WorkMatrix<double> work(copy ? n : 0);
  double** W = D;
  if (copy) {
    W = work.get();
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) W[i][j] = D[i][j];
  }
  bool rootLevels = squared;
  if ((method == kUPGMA || method == kWPGMA) && isDissim && squared) {
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) W[i][j] = std::sqrt(W[i][j]);
    rootLevels = false;
  }

  GroupList groups(n);
  std::vector<int> sizes(n, 1);
  std::vector<double> height(n, 0.0);

  for (int s = 0; s < n - 1; s++) {
    const int m = n - s;
    int ba = 0, bb = 1;
    if (isDissim) {
      double best = DBL_MAX;
      for (int a = 0; a < m - 1; a++) {
        const double* row = W[a];
        // Smallest value of the row first, then its first position: the same
        // pair as a strict scan.
        const double low = RowMinimum(row, a + 1, m, best);
        if (low < best) {
          int b = a + 1;
          while (b < m - 1 && !(row[b] == low)) b++;
          best = low;
          ba = a;
          bb = b;
        }
      }
    } else {
      double best = -DBL_MAX;
      for (int a = 0; a < m - 1; a++) {
        const double* row = W[a];
        const double high = RowMaximum(row, a + 1, m, best);
        if (high > best) {
          int b = a + 1;
          while (b < m - 1 && !(row[b] == high)) b++;
          best = high;
          ba = a;
          bb = b;
        }
      }
    }
    const double value = W[ba][bb];
    const double level = rootLevels ? std::sqrt(value) : value;
    clusterReport& rec = rep[s];
    rec.level = level;
    rec.level2 = 0.0;
    rec.node = n + s + 1;
    rec.branchLeft = level - height[ba];
    rec.branchRight = level - height[bb];
    groups.Describe(ba, bb, rec);

    height[ba] = level;
    RemoveEntry(m, bb, height.data());
    groups.Fuse(ba, bb);
    LinkageFusion(m, sizes.data(), ba, bb, W, isDissim, method);
  }
}

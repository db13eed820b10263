// Counting groups of a membership vector and cutting fusion histories.
#include "cluster/Partitions.h"

#include <algorithm>
#include <vector>

#include "cluster/ClusterMethods.h"

void CountGroupsNew(int n, int* memb, int* nGroups, int* labels) {
  int count = 0;
  for (int i = 0; i < n; i++) {
    bool seen = false;
    if (labels) {
      for (int k = 0; k < count && !seen; k++) seen = labels[k] == memb[i];
    } else {
      for (int j = 0; j < i && !seen; j++) seen = memb[j] == memb[i];
    }
    if (seen) continue;
    if (labels) labels[count] = memb[i];
    count++;
  }
  if (labels) std::sort(labels, labels + count);
  *nGroups = count;
}

void CountGroups(int n, int* memb, int* nGroups, int* labels) { CountGroupsNew(n, memb, nGroups, labels); }

void RenamePartitionLabels(int n, int g, int* part) {
  // The k-th smallest positive label becomes k.
  std::vector<int> distinct;
  distinct.reserve(n);
  for (int i = 0; i < n; i++)
    if (part[i] >= 1) distinct.push_back(part[i]);
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  for (int i = 0; i < n; i++)
    if (part[i] >= 1)
      part[i] = static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), part[i]) - distinct.begin()) + 1;
}

void ClusterFusionOrder(int n, const clusterReport* rep, int method, int* order) {
  const int r = n - 1;
  for (int s = 0; s < r; s++) order[s] = s;
  if (method != kWard) return;
  // Exchange sort by ascending level.
  for (int i = 0; i < r; i++)
    for (int j = i + 1; j < r; j++)
      if (rep[order[i]].level > rep[order[j]].level) std::swap(order[i], order[j]);
}

void ClusterPartitionFromOrder(int n, int g, int* part, double* level, const clusterReport* rep, const int* order,
                               int* work) {
  for (int i = 0; i < n; i++) part[i] = i + 1;
  int c = n;
  double cut = 0.0;
  for (int s = 0; s < n - 1 && c != g; s++) {
    const clusterReport& rec = rep[order[s]];
    const int first = part[rec.members[0] - 1];
    for (int t = 1; t < rec.nMembers; t++) part[rec.members[t] - 1] = first;
    cut = rec.level;
    c--;
  }
  if (level) *level = cut;
  // The labels are object numbers 1..n: the k-th smallest becomes k, as
  // RenamePartitionLabels does.
  for (int v = 0; v < n; v++) work[v] = 0;
  for (int i = 0; i < n; i++) work[part[i] - 1] = 1;
  int next = 0;
  for (int v = 0; v < n; v++)
    if (work[v]) work[v] = ++next;
  for (int i = 0; i < n; i++) part[i] = work[part[i] - 1];
}

void ClusterPartitionFromOrder(int n, int g, int* part, double* level, const clusterReport* rep, const int* order) {
  std::vector<int> work(n > 0 ? n : 1);
  ClusterPartitionFromOrder(n, g, part, level, rep, order, work.data());
}

void GetClusterPartitionLevel(int n, int g, int* part, double* level, clusterReport* rep, int method) {
  std::vector<int> order(n > 1 ? n - 1 : 1);
  ClusterFusionOrder(n, rep, method, order.data());
  ClusterPartitionFromOrder(n, g, part, level, rep, order.data());
}

void GetClusterPartitionNew(int n, int g, int* part, clusterReport* rep, int method) {
  GetClusterPartitionLevel(n, g, part, nullptr, rep, method);
}

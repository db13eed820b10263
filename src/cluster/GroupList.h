// Member lists of the current groups of a hierarchical clustering. Group
// slots are the object indices 0..n-1: a fusion of a < b keeps the new group
// in slot a and retires slot b, so that the live slots, in index order, are
// the current groups in the order in which the fusion routines number them.
#pragma once
#include <vector>

#include "cluster/ClusterReport.h"

namespace clusterwork {

// Members as linked lists over the objects, so that fusing two groups costs
// nothing and keeps the order: first group's members, then the second's.
class GroupList {
 public:
  explicit GroupList(int n) : next_(n, -1), head_(n), tail_(n) {
    for (int i = 0; i < n; i++) head_[i] = tail_[i] = i;
  }
  // Copies the members of the fusion of a and b (1-based) into rec and sets
  // nMembers and lastMember; returns nMembers.
  int Describe(int a, int b, clusterReport& rec) const {
    int k = 0;
    for (int o = head_[a]; o >= 0; o = next_[o]) rec.members[k++] = o + 1;
    rec.lastMember = tail_[a] + 1;
    for (int o = head_[b]; o >= 0; o = next_[o]) rec.members[k++] = o + 1;
    rec.nMembers = k;
    return k;
  }
  // Appends the members of slot b to slot a; slot b is no longer used.
  void Fuse(int a, int b) {
    next_[tail_[a]] = head_[b];
    tail_[a] = tail_[b];
  }
  // Objects (0-based) of the group in slot g.
  template <class F>
  void ForEach(int g, F f) const {
    for (int o = head_[g]; o >= 0; o = next_[o]) f(o);
  }

 private:
  std::vector<int> next_, head_, tail_;
};

}  // namespace clusterwork

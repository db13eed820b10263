// The binary tree of a fusion history.
#include "cluster/FusionTree.h"

bool BuildFusionTree(int n, const clusterReport* rep, FusionTree& tree) {
  tree = FusionTree{};
  if (n < 2 || rep == nullptr) return false;
  FusionTree t;
  t.n = n;
  t.left.resize(n - 1);
  t.right.resize(n - 1);
  // Node currently holding each object, and whether a node is already a child.
  std::vector<int> holder(n + 1);
  for (int i = 1; i <= n; i++) holder[i] = i;
  std::vector<bool> isChild(2 * n, false);
  for (int s = 0; s < n - 1; s++) {
    const clusterReport& rec = rep[s];
    if (rec.members == nullptr || rec.nMembers < 2 || rec.nMembers > n) return false;
    int split = 0;
    while (split < rec.nMembers && rec.members[split] != rec.lastMember) split++;
    split = split + 1 < rec.nMembers ? split + 1 : 1;
    const int firstLeft = rec.members[0], firstRight = rec.members[split];
    if (firstLeft < 1 || firstLeft > n || firstRight < 1 || firstRight > n) return false;
    const int a = holder[firstLeft], b = holder[firstRight];
    if (a == b || isChild[a] || isChild[b]) return false;
    isChild[a] = isChild[b] = true;
    t.left[s] = a;
    t.right[s] = b;
    const int node = n + s + 1;
    for (int k = 0; k < rec.nMembers; k++) {
      const int o = rec.members[k];
      if (o >= 1 && o <= n) holder[o] = node;
    }
  }
  tree = std::move(t);
  return true;
}

std::vector<int> LeafOrder(const FusionTree& tree) {
  std::vector<int> order;
  if (tree.n < 2 || static_cast<int>(tree.left.size()) != tree.n - 1) return order;
  order.reserve(tree.n);
  std::vector<int> stack{2 * tree.n - 1};
  while (!stack.empty()) {
    const int node = stack.back();
    stack.pop_back();
    if (node < 1 || node > 2 * tree.n - 1) break;
    if (node <= tree.n) {
      order.push_back(node);
      if (static_cast<int>(order.size()) > tree.n) break;  // a node used twice: not a tree
    } else {
      stack.push_back(tree.right[node - tree.n - 1]);
      stack.push_back(tree.left[node - tree.n - 1]);
    }
  }
  return order;
}

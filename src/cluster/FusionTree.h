// The binary tree a fusion history describes: nodes 1..n are the objects,
// node n + s + 1 the group formed by fusion s, the last fusion the root.
// Read by the Newick writer and the dendrogram picture.
#pragma once
#include <vector>

#include "cluster/ClusterReport.h"

struct FusionTree {
  int n = 0;               // objects
  std::vector<int> left;   // per fusion: node number of the first fused group
  std::vector<int> right;  // per fusion: node number of the second fused group
};

// The tree of the n - 1 fusions in rep. The first group of a record is its
// member list up to the first occurrence of lastMember, the second the rest;
// each is the node currently holding its first member. Returns false, leaving
// tree empty, when the records do not form a binary tree of the n objects.
bool BuildFusionTree(int n, const clusterReport* rep, FusionTree& tree);

// The objects (1..n) in the order the tree places them, first groups before
// second groups (the order of the Newick text). Empty for an empty tree.
std::vector<int> LeafOrder(const FusionTree& tree);

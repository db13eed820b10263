// Newick text of a fusion history.
#include "cluster/NewickFormat.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/FusionTree.h"

namespace {

void AppendLength(std::string& out, double length) {
  char buf[48];
  std::snprintf(buf, sizeof buf, ":%g", length);
  out += buf;
}

}  // namespace

std::string NewickLabel(const char* label) {
  const std::string text = label != nullptr ? label : "";
  const bool plain = text.find_first_of(" \t\n\r\v\f,():;'[]") == std::string::npos;
  if (plain) return text;
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

void NewickFormat(int n, const clusterReport* rep, int method, char** labels, bool isDissim, std::string& out,
                  bool withLengths) {
  if (method == kHierFactorial || n < 2 || rep == nullptr) return;
  FusionTree tree;
  if (!BuildFusionTree(n, rep, tree)) return;
  const int nodes = 2 * n - 1;  // nodes 1..n are the objects, n + s + 1 the fusion s
  std::vector<int> left(nodes + 1, 0), right(nodes + 1, 0);
  std::vector<double> length(nodes + 1, 0.0);
  for (int s = 0; s < n - 1; s++) {
    const int node = n + s + 1;
    left[node] = tree.left[s];
    right[node] = tree.right[s];
    length[left[node]] = rep[s].branchLeft;
    length[right[node]] = rep[s].branchRight;
  }
  // Depth-first writing from the root; each node is visited on entering, between
  // its children and on leaving.
  struct Visit {
    int node;
    int stage;
  };
  std::vector<Visit> stack;
  stack.reserve(nodes);
  stack.push_back({nodes, 0});
  while (!stack.empty()) {
    Visit& v = stack.back();
    const int node = v.node;
    if (node <= n) {
      out += NewickLabel(labels[node - 1]);
      if (withLengths) AppendLength(out, length[node]);
      stack.pop_back();
      continue;
    }
    if (v.stage == 0) {
      out += '(';
      v.stage = 1;
      stack.push_back({left[node], 0});
    } else if (v.stage == 1) {
      out += ',';
      v.stage = 2;
      stack.push_back({right[node], 0});
    } else {
      out += ')';
      if (withLengths && node != nodes) AppendLength(out, length[node]);
      stack.pop_back();
    }
  }
}

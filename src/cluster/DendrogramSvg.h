// The picture of a dendrogram as an SVG document: the tree of a fusion
// history with the root at the top, each fusion drawn as a horizontal bar at
// its level joining its two groups and a vertical stem rising to the fusion
// above it, the leaves along the bottom with their labels written upwards
// (optionally coloured and keyed by group), and the fusion levels on a
// labelled scale at the left.
#pragma once
#include <string>
#include <vector>

#include "cluster/ClusterReport.h"
#include "cluster/FusionTree.h"

struct DendrogramPicture {
  std::string title, subtitle;
  std::string scaleTitle;              // name of the fusion levels
  std::vector<std::string> labels;     // one per object
  FusionTree tree;
  std::vector<double> levels;          // one per fusion
  double leafLevel = 0;                // level at which the leaves stand
  bool rootAtHighLevels = true;        // false when levels fall towards the root (similarities)
  std::vector<int> leafGroup;          // per object: index into keyNames, -1 for none (may be empty)
  std::string keyTitle;                // heading of the group key
  std::vector<std::string> keyNames;   // one per group; no key when empty
  double width = 0, height = 0;        // size in pixels; 0 for the default size
};

// Default height of the picture and smallest room per leaf, in pixels; the
// default width gives each leaf 12 pixels, at least 640 in all.
constexpr double kDendrogramDefaultHeight = 560.0;
constexpr double kDendrogramLeafRoom = 12.0;
constexpr double kDendrogramMinLeafRoom = 8.0;

// Fills labels, tree and levels of picture from the fusion history of n
// objects (labels[i] names object i + 1). false when the history holds no tree.
bool DendrogramFromFusions(int n, const clusterReport* rep, char** labels, DendrogramPicture& picture);

// The SVG text of the picture. When the given width leaves less than
// kDendrogramMinLeafRoom per leaf, the picture is widened; leaf labels get
// smaller as the room per leaf shrinks, and the picture is made taller for
// the longest label instead of overprinting.
std::string DendrogramSvg(const DendrogramPicture& picture);

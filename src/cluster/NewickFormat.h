// The dendrogram of a fusion history as a tree in Newick notation.
#pragma once
#include <string>

#include "cluster/ClusterReport.h"

// A label as Newick text: as it stands, unless it holds a blank or one of
// , ( ) : ; ' [ ] (which would end or break it); such a label goes in single
// quotes, each single quote in it doubled.
std::string NewickLabel(const char* label);

// Appends to out the Newick text of the tree of the n objects (labels[i] is
// object i + 1, written through NewickLabel), without the final ";": leaves
// "label:length", inner nodes "(left,right):length", the root "(left,right)";
// without lengths the ":length" parts are left out. The hierarchical
// factorial method (6) records no tree and gives no text. The text grows as
// needed, whatever the labels' lengths.
void NewickFormat(int n, const clusterReport* rep, int method, char** labels, bool isDissim, std::string& out,
                  bool withLengths);

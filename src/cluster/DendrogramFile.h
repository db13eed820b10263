// The dendrogram of option C drawn in the side file "Dendrogram.svg".
#pragma once
#include "cluster/ClusterReport.h"

extern const char* const dendrogramFileName;  // "Dendrogram.svg"

enum class PictureOutcome { kNone, kWritten, kFailed };

// Draws the tree of the fusion history of the n entities compared (labels
// from the session) by the given method and writes it to "Dendrogram.svg"
// (replacing it in one step). leafLevel: the level at which the leaves stand
// (0 for dissimilarities, the self-resemblance for similarities). The
// factorial method records no tree: nothing is drawn (kNone).
PictureOutcome WriteDendrogramFile(int n, const clusterReport* rep, int method, bool isDissim, double leafLevel);

// Bootstrap resampling of sampling units.
// Core (no session state, no console): the sample sizes of a sampling-effort
// curve and the adjustment of the iterations to a confidence level
// (BootstrapSteps.h); the exclusive nearest-neighbour matching of two
// partitions (NearestNeighbourMatching.h); the bootstrap of group partition
// sharpness after a cluster analysis (PartitionSharpness.h).
// Menu layer: the bootstrap dialogue shared by the bootstraps
// (BootstrapMenu.h), the bootstrap run after option C and its report.
#pragma once
#include "bootstrap/BootstrapSteps.h"
#include "bootstrap/NearestNeighbourMatching.h"
#include "bootstrap/PartitionSharpness.h"

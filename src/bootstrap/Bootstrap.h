// Bootstrap resampling of sampling units.
// Core (no session state, no console): the sample sizes of a sampling-effort
// curve and the adjustment of the iterations to a confidence level
// (BootstrapSteps.h); the exclusive nearest-neighbour matching of two
// partitions (NearestNeighbourMatching.h); the bootstrap of group partition
// sharpness after a cluster analysis (PartitionSharpness.h); the bootstrap
// of ordination dimensions after an ordination (OrdinationBootstrap.h), with
// its Procrustes fit (ProcrustesFit.h) and sample tables
// (BootstrapSampleData.h).
// Menu layer: the bootstrap dialogue shared by the bootstraps
// (BootstrapMenu.h), the bootstrap runs after options C and O and their
// reports.
#pragma once
#include "bootstrap/BootstrapSampleData.h"
#include "bootstrap/BootstrapSteps.h"
#include "bootstrap/NearestNeighbourMatching.h"
#include "bootstrap/OrdinationBootstrap.h"
#include "bootstrap/PartitionSharpness.h"
#include "bootstrap/ProcrustesFit.h"

// Menu routines of the cluster folder: groups of sampling units (option G,
// also asked by option P and by the deviations from group means) and
// hierarchical cluster analysis (option C).
#pragma once

void SetGroups();
void Cluster();

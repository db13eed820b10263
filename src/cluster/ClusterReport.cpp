// Allocation and release of a fusion history.
#include "cluster/ClusterReport.h"

#include "ZQLib/zqlibDim.h"

clusterReport* AllocClusterReport(int n, int p, bool withFactorial) {
  if (n < 2) return nullptr;
  auto* rep = static_cast<clusterReport*>(dim1D(sizeof(clusterReport), n - 1));
  for (int s = 0; s < n - 1; s++) {
    rep[s].members = dimInt1D(n);
    if (withFactorial) {
      rep[s].eigVecI = dimDouble1D(n);
      rep[s].eigVecII = dimDouble1D(n);
      rep[s].scoresI = dimDouble1D(p > 0 ? p : 1);
      rep[s].scoresII = dimDouble1D(p > 0 ? p : 1);
    }
  }
  return rep;
}

void FreeClusterReport(int n, clusterReport* rep) {
  if (rep == nullptr) return;
  for (int s = 0; s < n - 1; s++) {
    free1D(rep[s].members);
    if (rep[s].eigVecI) free1D(rep[s].eigVecI);
    if (rep[s].eigVecII) free1D(rep[s].eigVecII);
    if (rep[s].scoresI) free1D(rep[s].scoresI);
    if (rep[s].scoresII) free1D(rep[s].scoresII);
  }
  free1D(rep);
}

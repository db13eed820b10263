// Multi-site Sorensen dissimilarity (Baselga 2010) of a set of sites.
#include <algorithm>
#include <vector>

#include "resemblance/BinaryMeasures.h"
#include "resemblance/PairwiseHelpers.h"

namespace {

// beta_SOR of the sites listed in `sites`. A set without any mismatch and
// without shared species (for instance a single empty site) gives 0.
double BetaSORSites(int nSpecies, const double* const* table, const std::vector<int>& sites) {
  long long sumMin = 0, sumMax = 0;
  for (size_t p = 0; p < sites.size(); p++)
    for (size_t q = p + 1; q < sites.size(); q++) {
      int a, bij, bji, d;
      JointFreq(nSpecies, table[sites[p]], table[sites[q]], &a, &bij, &bji, &d);
      sumMin += std::min(bij, bji);
      sumMax += std::max(bij, bji);
    }
  double sumS = 0.0;
  int sT = 0;
  for (int k = 0; k < nSpecies; k++) {
    bool present = false;
    for (int s : sites) {
      const double v = table[s][k];
      if (IsMissing(v)) continue;
      sumS += v;
      if (v > 0.0) present = true;
    }
    if (present) sT++;
  }
  const double num = static_cast<double>(sumMin + sumMax);
  const double den = 2.0 * (sumS - sT) + num;
  return den != 0.0 ? num / den : 0.0;
}

}  // namespace

double BetaSOR(int nSites, int nSpecies, const double* const* table, int* groups, double* betaByGroup) {
  if (groups == nullptr) {
    std::vector<int> all(nSites);
    for (int i = 0; i < nSites; i++) all[i] = i;
    return BetaSORSites(nSpecies, table, all);
  }
  std::vector<int> labels(groups, groups + nSites);
  std::sort(labels.begin(), labels.end());
  labels.erase(std::unique(labels.begin(), labels.end()), labels.end());
  std::vector<int> sites;
  for (size_t g = 0; g < labels.size(); g++) {
    sites.clear();
    for (int i = 0; i < nSites; i++)
      if (groups[i] == labels[g]) sites.push_back(i);
    betaByGroup[g] = BetaSORSites(nSpecies, table, sites);
  }
  return 0.0;
}

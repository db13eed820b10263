// Renyi entropies of frequency vectors and of the margins of a table.
#include "resemblance/EntropyProfiles.h"

#include <cmath>
#include <vector>

#include "ZQLib/MissingValue.h"
#include "resemblance/EntropyCore.h"
#include "resemblance/EntropyMeasures.h"

namespace {

double Count(double x) { return IsMissing(x) || !(x > 0.0) ? 0.0 : x; }

}  // namespace

double EntropyVectorCodeLength(int n, const double* x, double alpha, double* codeLengths) {
  double total = 0.0;
  for (int k = 0; k < n; k++) total += Count(x[k]);
  if (!(total > 0.0)) return 0.0;
  rsm::RenyiSum h{alpha};
  for (int k = 0; k < n; k++) {
    const double p = Count(x[k]) / total;
    h.Add(p);
    if (alpha == 1.0 && codeLengths != nullptr && p > 0.0) codeLengths[k] = -std::log(p);
  }
  return h.Value();
}

double EntropyRows(int r, int c, const double* const* table, double alpha) {
  std::vector<double> totals(r > 0 ? r : 1, 0.0);
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) totals[i] += Count(table[i][j]);
  return EntropyVector(r, totals.data(), alpha);
}

double EntropyCols(int r, int c, const double* const* table, double alpha) {
  std::vector<double> totals(c > 0 ? c : 1, 0.0);
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) totals[j] += Count(table[i][j]);
  return EntropyVector(c, totals.data(), alpha);
}

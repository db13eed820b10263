// Exclusive nearest-neighbour matching by repeated greedy tries in random
// orders.
#include "bootstrap/NearestNeighbourMatching.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "randomization/RandomLists.h"

int MatchingTryLimit(int k) {
  double log10Factorial = 0.0;
  for (int i = 2; i <= k; i++) log10Factorial += std::log10(static_cast<double>(i));
  return static_cast<int>(100.0 * log10Factorial);
}

double NearNeigSSqWhich(gsl_rng* rng, int k, const double* const* Qp, int* which, int* work) {
  if (k < 1) return 0.0;
  std::vector<int> own;
  if (work == nullptr) {
    own.resize(static_cast<size_t>(3) * k);
    work = own.data();
  }
  int* order = work;
  int* taken = work + k;
  int* current = work + 2 * k;
  const int limit = MatchingTryLimit(k);
  double best = DBL_MAX;
  int misses = 0;
  bool first = true;  // the first try is kept whatever its sum (not finite ones included)
  do {
    RndList(rng, k, order);
    for (int h = 0; h < k; h++) taken[h] = 0;
    double s = 0.0;
    for (int t = 0; t < k; t++) {
      const int g = order[t] - 1;
      const double* row = Qp[g] + k;
      int chosen = -1;
      for (int h = 0; h < k; h++)
        if (!taken[h] && (chosen < 0 || row[h] < row[chosen])) chosen = h;
      taken[chosen] = 1;
      current[g] = chosen;
      s += row[chosen];
    }
    if (s < best || first) {
      first = false;
      best = s;
      for (int g = 0; g < k; g++) which[g] = current[g];
      misses = 0;
    } else {
      misses++;
    }
  } while (misses < limit);
  return best;
}

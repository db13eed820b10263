// Sample sizes and iteration counts of the bootstraps.
#include "bootstrap/BootstrapSteps.h"

#include <algorithm>
#include <climits>
#include <cmath>

int CountSteps(int n, int initialSize, int step) {
  if (initialSize >= n) return 1;
  if (step < 1) return 2;
  const long long gap = static_cast<long long>(n) - initialSize;
  return static_cast<int>(1 + (gap + step - 1) / step);
}

int SampleSizeAtStep(int n, int initialSize, int step, int s) {
  const int steps = CountSteps(n, initialSize, step);
  if (s >= steps - 1) return n;
  const long long size = static_cast<long long>(initialSize) + static_cast<long long>(s) * step;
  return size < n ? static_cast<int>(size) : n;
}

namespace {

bool EvenWhole(double x) {
  const double whole = std::nearbyint(x);
  if (std::fabs(x - whole) > 1e-9 * std::fmax(1.0, std::fabs(x))) return false;
  return std::fmod(whole, 2.0) == 0.0;
}

}  // namespace

int IterationsForAlpha(int nIter, double alpha) {
  if (!(alpha > 0.0 && alpha <= 1.0) || nIter < 0) return nIter;
  // Counts are tried one by one, at most kSearch of them: an alpha with many
  // decimals may have no qualifying count within reach.
  constexpr long long kSearch = 10000000;
  const long long last = std::min<long long>(INT_MAX, static_cast<long long>(nIter) + kSearch);
  for (long long count = nIter; count <= last; count++)
    if (EvenWhole(static_cast<double>(count) * alpha)) return static_cast<int>(count);
  return nIter;
}

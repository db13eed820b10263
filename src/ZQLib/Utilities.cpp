// Comparison within units in the last place, factorials, counting of the
// states of a nominal variable, and qsort comparators.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"

namespace {

// Integer ordered like the single-precision value: patterns of negative
// numbers are mirrored below zero (-0.0 and +0.0 both map to 0).
int64_t OrderedBits(double x) {
  float fx = static_cast<float>(x);
  int32_t bits;
  std::memcpy(&bits, &fx, sizeof bits);
  int64_t v = bits;
  if (v < 0) v = static_cast<int64_t>(INT32_MIN) - v;
  return v;
}

}  // namespace

bool AlmostEqual2sComplement(double a, double b, int maxUlps) {
  assert(maxUlps > 0 && maxUlps < 4 * 1024 * 1024);
  int64_t diff = OrderedBits(a) - OrderedBits(b);
  if (diff < 0) diff = -diff;
  return diff <= maxUlps;
}

long double Factorial(int n) {
  long double f = 1.0L;
  for (int k = n; k >= 2; k--) f *= k;
  return f;
}

int CountStates(int n, const double* x) { return CountStates(n, x, nullptr); }

// States are the truncated values 0..max; missing cells are not states. When
// `states` is given it receives the states 1..max that occur in increasing
// order, followed by 0 when 0 occurs.
int CountStates(int n, const double* x, int* states) {
  std::vector<int> found;
  found.reserve(static_cast<size_t>(n > 0 ? n : 0));
  for (int i = 0; i < n; i++) {
    if (IsMissing(x[i]) || !(x[i] > -1.0) || !(x[i] < 2147483648.0)) continue;  // no state
    found.push_back(static_cast<int>(x[i]));
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  int count = static_cast<int>(found.size());
  if (states != nullptr) {
    bool hasZero = count > 0 && found[0] == 0;
    int k = 0;
    for (int s : found)
      if (s != 0) states[k++] = s;
    if (hasZero) states[k] = 0;
  }
  return count;
}

int compareInt(const void* a, const void* b) {
  int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
  return (x > y) - (x < y);
}

int compareDouble(const void* a, const void* b) {
  double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
  if (x > y) return 1;
  if (x < y) return -1;
  return 0;
}

int compareDoubleDecreasing(const void* a, const void* b) { return compareDouble(b, a); }

// Linear interpolation of serially ordered units onto a regular scale.
#include "dynamics/Interpolation.h"

#include <algorithm>
#include <cmath>

#include "ZQLib/MissingValue.h"

int FirstDecreasingTime(int n, const double* times) {
  for (int i = 1; i < n; i++)
    if (times[i] < times[i - 1]) return i;
  return -1;
}

bool WholeNumberScale(int n, const double* times, double interval) {
  if (std::floor(interval) != interval) return false;
  for (int i = 0; i < n; i++)
    if (std::floor(times[i]) != times[i]) return false;
  return true;
}

double InterpolatedUnitCount(int n, const double* times, double interval) {
  if (n < 1) return 0.0;
  const double q = (times[n - 1] - times[0]) / interval;
  if (!(q > 0.0)) return 1.0;
  // Whole quotients of whole numbers are exact; others may fall a few units
  // in the last place short of the whole number they stand for.
  const double whole = std::floor(q);
  const double next = whole + 1.0;
  const double steps = next - q <= 1e-10 * next ? next : whole;
  return steps + 1.0;
}

std::vector<double> InterpolationTimes(const double* times, double interval, int nNew) {
  std::vector<double> t(static_cast<size_t>(std::max(nNew, 0)));
  for (int k = 0; k < nNew; k++) t[k] = times[0] + k * interval;
  return t;
}

void InterpolateAt(int nObj, int nVar, const double* const* data, const double* times, double x, double* row) {
  // First unit at a time not before x.
  const int at = static_cast<int>(std::lower_bound(times, times + nObj, x) - times);
  if (at == nObj || times[at] == x || at == 0) {
    // x at a unit's time (the first unit of that time), or outside the
    // times: the value of that unit (or of the nearest end).
    int unit = at;
    if (at == nObj) unit = static_cast<int>(std::lower_bound(times, times + nObj, times[nObj - 1]) - times);
    for (int j = 0; j < nVar; j++) {
      const double v = data[unit][j];
      row[j] = IsMissing(v) ? v : (v < kInterpolationFloor ? 0.0 : v);
    }
    return;
  }
  // Between the last unit before x and the first one after it.
  const int a = at - 1, b = at;
  const double span = times[b] - times[a];
  const double offset = x - times[a];
  for (int j = 0; j < nVar; j++) {
    const double va = data[a][j], vb = data[b][j];
    if (IsMissing(va) || IsMissing(vb)) {
      row[j] = MISSING_VALUE;
      continue;
    }
    const double v = va + (vb - va) * offset / span;
    row[j] = v < kInterpolationFloor ? 0.0 : v;
  }
}

void Interpolate(int nObj, int nVar, const double* const* data, const double* times, int nNew,
                 const double* newTimes, double** result) {
  for (int k = 0; k < nNew; k++) InterpolateAt(nObj, nVar, data, times, newTimes[k], result[k]);
}

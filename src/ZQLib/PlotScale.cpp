// Round tick values along an axis.
#include "ZQLib/PlotScale.h"

#include <cmath>

#include "ZQLib/SvgDocument.h"

namespace {

double RoundStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / magnitude;
  if (fraction < 1.5) return magnitude;
  if (fraction < 3.0) return 2.0 * magnitude;
  if (fraction < 7.0) return 5.0 * magnitude;
  return 10.0 * magnitude;
}

int Decimals(double step) {
  if (!(step > 0)) return 0;
  const int d = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return d > 0 ? (d > 15 ? 15 : d) : 0;
}

}  // namespace

AxisTicks RoundTicks(double lo, double hi, int target) {
  AxisTicks ticks;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || target < 1) return ticks;
  ticks.step = RoundStep((hi - lo) / target);
  // Too coarse a step leaves fewer than two ticks: take the next finer one.
  for (int attempt = 0; attempt < 4; attempt++) {
    const double first = std::ceil(lo / ticks.step - 1e-9), last = std::floor(hi / ticks.step + 1e-9);
    if (last - first >= 1) break;
    ticks.step = RoundStep(ticks.step / 2.5);
  }
  const double first = std::ceil(lo / ticks.step - 1e-9), last = std::floor(hi / ticks.step + 1e-9);
  for (double k = first; k <= last && ticks.values.size() < 1000; k += 1.0) {
    double v = k * ticks.step;
    if (std::fabs(v) < ticks.step * 1e-9) v = 0.0;
    // Round to the decimals of the step, so that 0.1 * 3 is 0.3.
    const double scale = std::pow(10.0, Decimals(ticks.step));
    v = std::round(v * scale) / scale;
    ticks.values.push_back(v);
  }
  return ticks;
}

std::string TickText(double value, double step) { return SvgNumber(value, Decimals(step)); }

// Scales of pictures: round tick values along an axis and their texts.
#pragma once
#include <string>
#include <vector>

struct AxisTicks {
  double step = 0;              // distance between neighbouring ticks
  std::vector<double> values;   // ascending multiples of step within [lo, hi]
};

// Ticks at multiples of 1, 2 or 5 times a power of ten within [lo, hi],
// about `target` intervals apart over the range (at least two ticks when the
// range is not empty). An empty or non-finite range gives no ticks.
AxisTicks RoundTicks(double lo, double hi, int target);

// Text of a tick value: as many decimals as the step needs, no more.
std::string TickText(double value, double step);

// Reading the pictures back in the tests: the map from values to pixels that
// an axis's tick marks show, the centres of point marks, and element texts.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/MiniXml.h"

namespace svgread {

struct DrawnScale {
  double value0 = 0, pixel0 = 0, value1 = 1, pixel1 = 1;
  double Pixel(double v) const { return pixel0 + (v - value0) * (pixel1 - pixel0) / (value1 - value0); }
  double PerUnit() const { return std::fabs((pixel1 - pixel0) / (value1 - value0)); }
};

// From the first and last tick of an axis: the tick lines of class `cls` hold
// the pixel position in `pixelAttribute`, the tick texts of the same class
// (in the same order) the value.
inline DrawnScale ScaleOf(const minixml::Element& root, const std::string& cls, const char* pixelAttribute) {
  const auto lines = minixml::FindAll(root, "line", cls);
  const auto texts = minixml::FindAll(root, "text", cls);
  EXPECT_EQ(lines.size(), texts.size()) << cls;
  EXPECT_GE(lines.size(), 2u) << cls;
  if (lines.size() < 2 || texts.size() != lines.size()) return {};
  return {std::stod(texts.front()->text), lines.front()->Number(pixelAttribute), std::stod(texts.back()->text),
          lines.back()->Number(pixelAttribute)};
}

// Centre of a point mark (a square or a circle).
inline void Centre(const minixml::Element& e, double& x, double& y) {
  if (e.name == "circle") {
    x = e.Number("cx"), y = e.Number("cy");
  } else {
    x = e.Number("x") + e.Number("width") / 2, y = e.Number("y") + e.Number("height") / 2;
  }
}

inline std::vector<std::string> Texts(const std::vector<const minixml::Element*>& elements) {
  std::vector<std::string> out;
  for (const minixml::Element* e : elements) out.push_back(e->text);
  return out;
}

}  // namespace svgread

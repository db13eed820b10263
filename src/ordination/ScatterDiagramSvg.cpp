// The picture of a scatter diagram as an SVG document.
#include "ordination/ScatterDiagramSvg.h"

#include <algorithm>
#include <cmath>

#include "ZQLib/PlotScale.h"
#include "ZQLib/SvgDocument.h"

namespace {

constexpr double kTitleFont = 15, kSubtitleFont = 12, kAxisFont = 13, kTickFont = 11, kLabelFont = 10;
constexpr double kPointSize = 7;
constexpr const char* kPointColour = "#1f4e79";
constexpr const char* kSecondColour = "#b03a2e";
constexpr const char* kArrowColour = "#555555";

struct Range {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  void Add(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool Empty() const { return lo > hi; }
  double Width() const { return hi - lo; }
  // Widens the range by a margin on both sides; a single value gets room around it.
  void Pad(double fraction) {
    if (Empty()) lo = -1, hi = 1;
    double margin = Width() * fraction;
    if (!(margin > 0)) margin = lo != 0 ? std::fabs(lo) * 0.1 : 1.0;
    lo -= margin;
    hi += margin;
  }
  // Widens the range about its centre to the given width.
  void Stretch(double width) {
    const double centre = (lo + hi) / 2;
    lo = centre - width / 2;
    hi = centre + width / 2;
  }
};

bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Picture coordinates of the plotting area.
struct Frame {
  double left, top, width, height;
  Range x, y;
  double X(double v) const { return left + (v - x.lo) / x.Width() * width; }
  double Y(double v) const { return top + height - (v - y.lo) / y.Width() * height; }
};

Frame PlaceFrame(const ScatterPicture& p, double& width, double& height) {
  const double left = 72, right = 24 + GroupKeyWidth(p.keyTitle, p.keyNames);
  const double top = p.subtitle.empty() ? 44 : 62, bottom = 62;
  width = PictureSize(p.width, kScatterDefaultSize);
  height = PictureSize(p.height, kScatterDefaultSize);
  // The plotting area is never smaller than 120 pixels: the picture grows instead.
  width = std::max(width, left + right + 120);
  height = std::max(height, top + bottom + 120);
  Frame f{left, top, width - left - right, height - top - bottom, {}, {}};
  for (const ScatterPicturePoint& q : p.points)
    if (Finite(q.x, q.y)) f.x.Add(q.x), f.y.Add(q.y);
  for (const ScatterPictureArrow& a : p.arrows)
    if (Finite(a.x, a.y)) f.x.Add(a.x), f.y.Add(a.y), f.x.Add(0), f.y.Add(0);
  f.x.Pad(0.08);
  f.y.Pad(0.08);
  if (p.equalScales) {
    const double perUnit = std::min(f.width / f.x.Width(), f.height / f.y.Width());
    f.x.Stretch(f.width / perUnit);
    f.y.Stretch(f.height / perUnit);
  }
  return f;
}

void DrawAxes(SvgDocument& svg, const ScatterPicture& p, const Frame& f, double width, double height) {
  svg.Element("rect", {{"class", "frame"},
                       {"x", f.left},
                       {"y", f.top},
                       {"width", f.width},
                       {"height", f.height},
                       {"fill", "none"},
                       {"stroke", "#000000"},
                       {"stroke-width", "1"}});
  if (f.x.lo < 0 && f.x.hi > 0)
    svg.Element("line", {{"class", "origin"}, {"x1", f.X(0)}, {"y1", f.top}, {"x2", f.X(0)},
                         {"y2", f.top + f.height}, {"stroke", "#999999"}, {"stroke-dasharray", "4 3"}});
  if (f.y.lo < 0 && f.y.hi > 0)
    svg.Element("line", {{"class", "origin"}, {"x1", f.left}, {"y1", f.Y(0)}, {"x2", f.left + f.width},
                         {"y2", f.Y(0)}, {"stroke", "#999999"}, {"stroke-dasharray", "4 3"}});
  const double bottom = f.top + f.height;
  const AxisTicks tx = RoundTicks(f.x.lo, f.x.hi, std::max(2, static_cast<int>(f.width / 90)));
  for (double v : tx.values) {
    svg.Element("line", {{"class", "tick-x"}, {"x1", f.X(v)}, {"y1", bottom}, {"x2", f.X(v)}, {"y2", bottom + 5},
                         {"stroke", "#000000"}});
    svg.Text({{"class", "tick-x"}, {"x", f.X(v)}, {"y", bottom + 18}, {"font-size", kTickFont},
              {"text-anchor", "middle"}},
             TickText(v, tx.step));
  }
  const AxisTicks ty = RoundTicks(f.y.lo, f.y.hi, std::max(2, static_cast<int>(f.height / 70)));
  for (double v : ty.values) {
    svg.Element("line", {{"class", "tick-y"}, {"x1", f.left - 5}, {"y1", f.Y(v)}, {"x2", f.left}, {"y2", f.Y(v)},
                         {"stroke", "#000000"}});
    svg.Text({{"class", "tick-y"}, {"x", f.left - 8}, {"y", f.Y(v) + 4}, {"font-size", kTickFont},
              {"text-anchor", "end"}},
             TickText(v, ty.step));
  }
  svg.Text({{"class", "axis-title"}, {"x", f.left + f.width / 2}, {"y", height - 16}, {"font-size", kAxisFont},
            {"text-anchor", "middle"}},
           p.xTitle);
  const double yMiddle = f.top + f.height / 2;
  svg.Text({{"class", "axis-title"}, {"x", 20.0}, {"y", yMiddle}, {"font-size", kAxisFont},
            {"text-anchor", "middle"}, {"transform", "rotate(-90 20 " + SvgNumber(yMiddle) + ")"}},
           p.yTitle);
  svg.Text({{"class", "title"}, {"x", width / 2}, {"y", 26.0}, {"font-size", kTitleFont}, {"text-anchor", "middle"}},
           p.title);
  if (!p.subtitle.empty())
    svg.Text({{"class", "subtitle"}, {"x", width / 2}, {"y", 44.0}, {"font-size", kSubtitleFont},
              {"text-anchor", "middle"}},
             p.subtitle);
}

const char* PointColour(const ScatterPicture& p, const ScatterPicturePoint& q) {
  if (q.group >= 0 && q.group < static_cast<int>(p.keyNames.size())) return GroupColour(q.group);
  return q.second ? kSecondColour : kPointColour;
}

void DrawPoints(SvgDocument& svg, const ScatterPicture& p, const Frame& f) {
  svg.OpenGroup({{"class", "points"}});
  for (const ScatterPicturePoint& q : p.points) {
    if (!Finite(q.x, q.y)) continue;
    const double x = f.X(q.x), y = f.Y(q.y), half = kPointSize / 2;
    if (q.second)
      svg.Element("circle", {{"class", "point"}, {"cx", x}, {"cy", y}, {"r", half}, {"fill", PointColour(p, q)}});
    else
      svg.Element("rect", {{"class", "point"}, {"x", x - half}, {"y", y - half}, {"width", kPointSize},
                           {"height", kPointSize}, {"fill", PointColour(p, q)}});
  }
  svg.CloseGroup();
  svg.OpenGroup({{"class", "labels"}, {"font-size", SvgNumber(kLabelFont)}});
  for (const ScatterPicturePoint& q : p.points) {
    if (!Finite(q.x, q.y) || q.label.empty()) continue;
    const double x = f.X(q.x), y = f.Y(q.y);
    // Labels sit right of their point, left of it near the right edge.
    const bool leftOfPoint = x + 6 + TextWidth(q.label, kLabelFont) > f.left + f.width;
    svg.Text({{"class", "label"}, {"x", leftOfPoint ? x - 6 : x + 6}, {"y", y + 3.5},
              {"text-anchor", leftOfPoint ? "end" : "start"}},
             q.label);
  }
  svg.CloseGroup();
}

void DrawArrows(SvgDocument& svg, const ScatterPicture& p, const Frame& f) {
  if (p.arrows.empty()) return;
  svg.OpenGroup({{"class", "arrows"}, {"font-size", SvgNumber(kLabelFont)}});
  const double x0 = f.X(0), y0 = f.Y(0);
  for (const ScatterPictureArrow& a : p.arrows) {
    if (!Finite(a.x, a.y)) continue;
    const double x = f.X(a.x), y = f.Y(a.y), dx = x - x0, dy = y - y0, length = std::hypot(dx, dy);
    svg.Element("line", {{"class", "arrow"}, {"x1", x0}, {"y1", y0}, {"x2", x}, {"y2", y}, {"stroke", kArrowColour},
                         {"stroke-width", "1.2"}});
    if (length > 1e-9) {
      const double ux = dx / length, uy = dy / length, head = std::min(8.0, length / 2), side = head * 0.45;
      const double bx = x - ux * head, by = y - uy * head;
      const std::string corners = SvgNumber(x) + "," + SvgNumber(y) + " " + SvgNumber(bx - uy * side) + "," +
                                  SvgNumber(by + ux * side) + " " + SvgNumber(bx + uy * side) + "," +
                                  SvgNumber(by - ux * side);
      svg.Element("polygon", {{"class", "arrowhead"}, {"points", corners}, {"fill", kArrowColour}});
    }
    const double ux = length > 1e-9 ? dx / length : 1, uy = length > 1e-9 ? dy / length : 0;
    svg.Text({{"class", "arrow-label"}, {"x", x + ux * 6}, {"y", y + uy * 6 + 3.5},
              {"text-anchor", ux >= 0 ? "start" : "end"}, {"fill", "#333333"}},
             a.label);
  }
  svg.CloseGroup();
}

void DrawKey(SvgDocument& svg, const ScatterPicture& p, const Frame& f) {
  DrawGroupKey(svg, f.left + f.width + 16, f.top + 12, p.keyTitle, p.keyNames);
}

}  // namespace

std::string ScatterDiagramSvg(const ScatterPicture& picture) {
  double width = 0, height = 0;
  const Frame f = PlaceFrame(picture, width, height);
  SvgDocument svg(width, height, picture.title);
  DrawAxes(svg, picture, f, width, height);
  DrawArrows(svg, picture, f);
  DrawPoints(svg, picture, f);
  DrawKey(svg, picture, f);
  return svg.Finish();
}

// The picture of a dendrogram as an SVG document.
#include "cluster/DendrogramSvg.h"

#include <algorithm>
#include <cmath>

#include "ZQLib/PlotScale.h"
#include "ZQLib/SvgDocument.h"

namespace {

constexpr double kTitleFont = 15, kSubtitleFont = 12, kAxisFont = 13, kTickFont = 11;
constexpr double kMaxLeafFont = 12;
constexpr double kRootStub = 12;
constexpr const char* kLineColour = "#1f1f1f";

struct Layout {
  double width, height;
  double left, top, plotWidth, plotHeight;
  double room, font;     // room per leaf and leaf label size
  double topValue, bottomValue;
  double X(int position) const { return left + (position + 0.5) * room; }
  double Y(double v) const { return top + (v - topValue) / (bottomValue - topValue) * plotHeight; }
};

Layout PlaceTree(const DendrogramPicture& p, int n) {
  Layout L{};
  L.left = 84;
  const double right = 24 + GroupKeyWidth(p.keyTitle, p.keyNames);
  // Width: the preference, or room for every leaf; never less than the
  // smallest room per leaf.
  const double wanted = PictureSize(p.width, std::max(640.0, L.left + right + n * kDendrogramLeafRoom));
  L.room = std::max((wanted - L.left - right) / n, kDendrogramMinLeafRoom);
  L.width = L.left + right + n * L.room;
  L.plotWidth = n * L.room;
  L.font = std::min(kMaxLeafFont, 0.8 * L.room);
  double labelBand = 0;
  for (const std::string& label : p.labels) labelBand = std::max(labelBand, TextWidth(label, L.font));
  labelBand = std::min(labelBand, 600.0);
  L.top = 52 + (p.subtitle.empty() ? 0 : 18) + kRootStub;
  const double bottom = 14 + labelBand + 10;
  L.height = PictureSize(p.height, kDendrogramDefaultHeight);
  L.plotHeight = std::max(L.height - L.top - bottom, 160.0);
  L.height = L.top + L.plotHeight + bottom;
  // Levels: the root's end of the scale at the top, the leaves' at the bottom.
  double lo = p.leafLevel, hi = p.leafLevel;
  for (double v : p.levels)
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0, hi = 1;
  if (!(hi > lo)) {
    // All levels equal: the fusions at the top, the leaves one unit below.
    if (p.rootAtHighLevels) lo = hi - 1;
    else hi = lo + 1;
  }
  L.topValue = p.rootAtHighLevels ? hi : lo;
  L.bottomValue = p.rootAtHighLevels ? lo : hi;
  return L;
}

void DrawScale(SvgDocument& svg, const DendrogramPicture& p, const Layout& L) {
  const double x = L.left - 12;
  svg.Element("line", {{"class", "scale"}, {"x1", x}, {"y1", L.Y(L.topValue)}, {"x2", x}, {"y2", L.Y(L.bottomValue)},
                       {"stroke", "#000000"}});
  const double lo = std::min(L.topValue, L.bottomValue), hi = std::max(L.topValue, L.bottomValue);
  const AxisTicks ticks = RoundTicks(lo, hi, std::max(2, static_cast<int>(L.plotHeight / 60)));
  for (double v : ticks.values) {
    svg.Element("line", {{"class", "tick"}, {"x1", x - 5}, {"y1", L.Y(v)}, {"x2", x}, {"y2", L.Y(v)},
                         {"stroke", "#000000"}});
    svg.Text({{"class", "tick"}, {"x", x - 8}, {"y", L.Y(v) + 4}, {"font-size", kTickFont}, {"text-anchor", "end"}},
             TickText(v, ticks.step));
  }
  const double middle = L.top + L.plotHeight / 2;
  svg.Text({{"class", "scale-title"}, {"x", 18.0}, {"y", middle}, {"font-size", kAxisFont},
            {"text-anchor", "middle"}, {"transform", "rotate(-90 18 " + SvgNumber(middle) + ")"}},
           p.scaleTitle);
}

void DrawTitles(SvgDocument& svg, const DendrogramPicture& p, const Layout& L) {
  svg.Text({{"class", "title"}, {"x", L.width / 2}, {"y", 26.0}, {"font-size", kTitleFont}, {"text-anchor", "middle"}},
           p.title);
  if (!p.subtitle.empty())
    svg.Text({{"class", "subtitle"}, {"x", L.width / 2}, {"y", 44.0}, {"font-size", kSubtitleFont},
              {"text-anchor", "middle"}},
             p.subtitle);
}

const char* LeafColour(const DendrogramPicture& p, int object) {
  if (object - 1 < static_cast<int>(p.leafGroup.size())) {
    const int g = p.leafGroup[object - 1];
    if (g >= 0 && g < static_cast<int>(p.keyNames.size())) return GroupColour(g);
  }
  return kLineColour;
}

void DrawTree(SvgDocument& svg, const DendrogramPicture& p, const Layout& L) {
  const int n = p.tree.n, nodes = 2 * n - 1;
  const std::vector<int> order = LeafOrder(p.tree);
  std::vector<double> x(nodes + 1, 0.0), level(nodes + 1, p.leafLevel);
  std::vector<int> parent(nodes + 1, 0);
  for (int k = 0; k < n; k++) x[order[k]] = L.X(k);
  for (int s = 0; s < n - 1; s++) {
    const int node = n + s + 1, a = p.tree.left[s], b = p.tree.right[s];
    x[node] = (x[a] + x[b]) / 2;
    level[node] = std::isfinite(p.levels[s]) ? p.levels[s] : p.leafLevel;
    parent[a] = parent[b] = node;
  }
  svg.OpenGroup({{"class", "tree"}, {"stroke", kLineColour}, {"stroke-width", "1.2"}, {"stroke-linecap", "square"}});
  for (int s = 0; s < n - 1; s++) {
    const int node = n + s + 1;
    const double y = L.Y(level[node]);
    svg.Element("line", {{"class", "bar"}, {"x1", x[p.tree.left[s]]}, {"y1", y}, {"x2", x[p.tree.right[s]]},
                         {"y2", y}});
    const double above = parent[node] ? L.Y(level[parent[node]]) : y - kRootStub;
    svg.Element("line", {{"class", "stem"}, {"x1", x[node]}, {"y1", y}, {"x2", x[node]}, {"y2", above}});
  }
  for (int k = 0; k < n; k++) {
    const int object = order[k];
    svg.Element("line", {{"class", "leaf-stem"}, {"x1", x[object]}, {"y1", L.Y(p.leafLevel)}, {"x2", x[object]},
                         {"y2", L.Y(level[parent[object]])}, {"stroke", LeafColour(p, object)}});
  }
  svg.CloseGroup();
  svg.OpenGroup({{"class", "leaves"}, {"font-size", SvgNumber(L.font)}});
  const double y = L.top + L.plotHeight + 8;
  for (int k = 0; k < n; k++) {
    const int object = order[k];
    const double lx = x[object] + 0.35 * L.font;
    const std::string label = object - 1 < static_cast<int>(p.labels.size()) ? p.labels[object - 1] : "";
    svg.Text({{"class", "leaf-label"}, {"x", lx}, {"y", y}, {"text-anchor", "end"},
              {"transform", "rotate(-90 " + SvgNumber(lx) + " " + SvgNumber(y) + ")"},
              {"fill", LeafColour(p, object)}},
             label);
  }
  svg.CloseGroup();
}

void DrawKey(SvgDocument& svg, const DendrogramPicture& p, const Layout& L) {
  DrawGroupKey(svg, L.left + L.plotWidth + 16, L.top + 4, p.keyTitle, p.keyNames);
}

}  // namespace

bool DendrogramFromFusions(int n, const clusterReport* rep, char** labels, DendrogramPicture& picture) {
  if (!BuildFusionTree(n, rep, picture.tree)) return false;
  picture.labels.assign(n, std::string());
  for (int i = 0; i < n; i++)
    if (labels != nullptr && labels[i] != nullptr) picture.labels[i] = labels[i];
  picture.levels.resize(n - 1);
  for (int s = 0; s < n - 1; s++) picture.levels[s] = rep[s].level;
  return true;
}

std::string DendrogramSvg(const DendrogramPicture& picture) {
  const int n = picture.tree.n;
  bool drawable = n >= 2 && static_cast<int>(picture.tree.left.size()) == n - 1 &&
                  static_cast<int>(picture.tree.right.size()) == n - 1 &&
                  static_cast<int>(picture.levels.size()) == n - 1;
  // Each fusion joins nodes made before it.
  for (int s = 0; drawable && s < n - 1; s++)
    drawable = picture.tree.left[s] >= 1 && picture.tree.left[s] <= n + s && picture.tree.right[s] >= 1 &&
               picture.tree.right[s] <= n + s && picture.tree.left[s] != picture.tree.right[s];
  // ... and every object is one leaf.
  if (drawable) {
    const std::vector<int> order = LeafOrder(picture.tree);
    std::vector<bool> seen(n + 1, false);
    drawable = static_cast<int>(order.size()) == n;
    for (int object : order) {
      drawable = drawable && object >= 1 && object <= n && !seen[object];
      if (drawable) seen[object] = true;
    }
  }
  const Layout L = PlaceTree(picture, drawable ? n : 1);
  SvgDocument svg(L.width, L.height, picture.title);
  DrawTitles(svg, picture, L);
  if (drawable) {
    DrawScale(svg, picture, L);
    DrawTree(svg, picture, L);
  }
  DrawKey(svg, picture, L);
  return svg.Finish();
}

// The picture of a scatter diagram as an SVG document: the points of two
// chosen axes with their labels, optionally coloured and keyed by group, and
// the descriptor arrows of a biplot, within a frame with round ticks on both
// axes and the axis titles.
#pragma once
#include <string>
#include <vector>

struct ScatterPicturePoint {
  double x = 0, y = 0;
  std::string label;     // empty: the point is drawn without a label
  int group = -1;        // index into ScatterPicture::keyNames, -1 for none
  bool second = false;   // of the second set of a joint plot (drawn as a circle, not a square)
};

struct ScatterPictureArrow {
  double x = 0, y = 0;   // tip; the arrow starts at the origin
  std::string label;
};

struct ScatterPicture {
  std::string title, subtitle;
  std::string xTitle, yTitle;
  std::vector<ScatterPicturePoint> points;
  std::vector<ScatterPictureArrow> arrows;
  std::string keyTitle;               // heading of the group key
  std::vector<std::string> keyNames;  // one per group; no key when empty
  bool equalScales = false;           // one unit as long on both axes (ordinations)
  double width = 0, height = 0;       // size in pixels; 0 for the default size
};

// Width and height of the picture when the preferences leave them at 0.
constexpr double kScatterDefaultSize = 640.0;

// The SVG text of the picture. Points or arrows with a non-finite coordinate
// are left out.
std::string ScatterDiagramSvg(const ScatterPicture& picture);

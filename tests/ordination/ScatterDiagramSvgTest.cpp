// The scatter diagram picture read back as XML: one point and one label per
// entity, points where the drawn scales put their coordinates, equal units
// on both axes for ordinations, biplot arrows, and labels with markup
// characters escaped. (Group colours and key, and the arrows' ends: option D's
// end-to-end test.)
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ZQLib/SvgDocument.h"
#include "ordination/ScatterDiagramSvg.h"
#include "support/MiniXml.h"
#include "support/SvgReading.h"

using minixml::Element;
using minixml::FindAll;
using svgread::Centre;
using svgread::DrawnScale;
using svgread::ScaleOf;

namespace {

ScatterPicture ThreePoints() {
  ScatterPicture p;
  p.title = "t";
  p.xTitle = "Axis 1 (40.0%)";
  p.yTitle = "Axis 2 (23.1%)";
  p.points = {{-1.2, 0.5, "A"}, {2.0, -0.7, "B"}, {0.3, 1.1, "C"}};
  return p;
}

}  // namespace

TEST(ScatterDiagramSvg, PointsWhereTheDrawnScalesPutThem) {
  for (bool equal : {false, true}) {
    ScatterPicture p = ThreePoints();
    p.equalScales = equal;
    p.width = 800;
    p.height = 500;
    const std::string svg = ScatterDiagramSvg(p);
    const minixml::Document doc = minixml::Parse(svg);
    ASSERT_TRUE(doc.ok()) << doc.error;
    EXPECT_EQ(doc.root->Attribute("width"), "800");
    EXPECT_EQ(doc.root->Attribute("height"), "500");
    const auto points = FindAll(*doc.root, "", "point");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "label")), (std::vector<std::string>{"A", "B", "C"}));
    const DrawnScale sx = ScaleOf(*doc.root, "tick-x", "x1"), sy = ScaleOf(*doc.root, "tick-y", "y1");
    // Two known points at the pixels the tick marks give for their scores
    // (coordinates are written to 0.01 pixel).
    for (int k : {0, 1}) {
      double x = 0, y = 0;
      Centre(*points[k], x, y);
      EXPECT_NEAR(x, sx.Pixel(p.points[k].x), 0.02) << equal << " point " << k;
      EXPECT_NEAR(y, sy.Pixel(p.points[k].y), 0.02) << equal << " point " << k;
    }
    // Larger values to the right and upwards.
    EXPECT_GT(sx.pixel1, sx.pixel0);
    EXPECT_LT(sy.pixel1, sy.pixel0);
    if (equal) {
      EXPECT_NEAR(sx.PerUnit(), sy.PerUnit(), 1e-3 * sx.PerUnit());
    }
    // Every point inside the frame.
    const auto frame = FindAll(*doc.root, "rect", "frame");
    ASSERT_EQ(frame.size(), 1u);
    for (const Element* e : points) {
      double x = 0, y = 0;
      Centre(*e, x, y);
      EXPECT_GT(x, frame[0]->Number("x"));
      EXPECT_LT(x, frame[0]->Number("x") + frame[0]->Number("width"));
      EXPECT_GT(y, frame[0]->Number("y"));
      EXPECT_LT(y, frame[0]->Number("y") + frame[0]->Number("height"));
    }
    EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "axis-title")),
              (std::vector<std::string>{"Axis 1 (40.0%)", "Axis 2 (23.1%)"}));
  }
}

TEST(ScatterDiagramSvg, DefaultSizeUnlabelledAndSecondSetPoints) {
  ScatterPicture p = ThreePoints();
  for (auto& q : p.points) q.label.clear();
  p.points.push_back({0.5, 0.5, "v1", -1, true});
  p.points.push_back({std::nan(""), 0.5, "lost"});
  const minixml::Document doc = minixml::Parse(ScatterDiagramSvg(p));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(doc.root->Attribute("width"), "640");
  EXPECT_EQ(doc.root->Attribute("height"), "640");
  EXPECT_EQ(FindAll(*doc.root, "rect", "point").size(), 3u);
  EXPECT_EQ(FindAll(*doc.root, "circle", "point").size(), 1u);
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "label")), std::vector<std::string>{"v1"});
}

TEST(ScatterDiagramSvg, BiplotArrowsOfDefinedVariablesOnly) {
  ScatterPicture p = ThreePoints();
  p.equalScales = true;
  p.arrows = {{1.5, 0.8, "Poatriv"}, {-0.4, -1.0, "Lolipere"}, {std::nan(""), 0, "none"}};
  const minixml::Document doc = minixml::Parse(ScatterDiagramSvg(p));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto arrows = FindAll(*doc.root, "line", "arrow");
  const auto heads = FindAll(*doc.root, "polygon", "arrowhead");
  EXPECT_EQ(arrows.size(), 2u);
  EXPECT_EQ(heads.size(), 2u);
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "arrow-label")),
            (std::vector<std::string>{"Poatriv", "Lolipere"}));
  EXPECT_EQ(FindAll(*doc.root, "", "point").size(), 3u);  // arrows are not points
}

TEST(ScatterDiagramSvg, LabelsWithMarkupCharactersEscaped) {
  ScatterPicture p = ThreePoints();
  p.points[0].label = "<b>";
  p.points[1].label = "R&D";
  p.points[2].label = "\"q\"'s";
  p.title = "a<b&c";
  p.xTitle = "x\"y";
  p.arrows = {{1, 1, "</svg>"}};
  p.keyTitle = "f&g";
  p.keyNames = {"<1>"};
  const std::string svg = ScatterDiagramSvg(p);
  for (const char* raw : {"<b>", "R&D", "\"q\"", "'s", "a<b", "</svg>\n<", "f&g", "<1>"})
    EXPECT_EQ(svg.find(std::string(">") + raw), std::string::npos) << raw;
  EXPECT_NE(svg.find("&lt;b&gt;"), std::string::npos);
  EXPECT_NE(svg.find("R&amp;D"), std::string::npos);
  EXPECT_NE(svg.find("&quot;q&quot;&apos;s"), std::string::npos);
  const minixml::Document doc = minixml::Parse(svg);
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "label")), (std::vector<std::string>{"<b>", "R&D", "\"q\"'s"}));
  EXPECT_EQ(FindAll(*doc.root, "text", "arrow-label")[0]->text, "</svg>");
  EXPECT_EQ(FindAll(*doc.root, "text", "key-name")[0]->text, "<1>");
  EXPECT_EQ(FindAll(*doc.root, "title")[0]->text, "a<b&c");
}

TEST(ScatterDiagramSvg, SinglePointAndNoPoints) {
  ScatterPicture p;
  p.points = {{3, 3, "only"}};
  for (int k = 0; k < 2; k++) {
    const minixml::Document doc = minixml::Parse(ScatterDiagramSvg(p));
    ASSERT_TRUE(doc.ok()) << doc.error;
    EXPECT_EQ(FindAll(*doc.root, "", "point").size(), p.points.size());
    EXPECT_GE(FindAll(*doc.root, "text", "tick-x").size(), 2u);
    p.points.clear();
  }
}

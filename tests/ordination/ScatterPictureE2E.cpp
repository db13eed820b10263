// Option D run by the program draws "ScatterDiagram.svg" next to
// "ScatterData.txt": on the dune meadow table the points stand where the
// drawn scales put the written coordinates, the axis titles carry the
// percentages printed with the ordination, and the points are keyed by the
// management groups; biplot arrows in Portuguese; labels from a data file
// holding markup characters; and a picture that cannot be written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ordination/AnalysisE2ESupport.h"
#include "support/MiniXml.h"
#include "support/SvgReading.h"

using minixml::FindAll;
using namespace analysis_e2e;

namespace {

const char* const kGroups = "G\n1\nmanagement\nf\ndune_management.txt\n";

struct Point {
  std::string label;
  double x, y;
};

// The labelled points of "ScatterData.txt", up to the blank line.
std::vector<Point> ScatterData(const std::string& text) {
  std::vector<Point> out;
  std::istringstream s(text);
  std::string line;
  std::getline(s, line);  // header
  while (std::getline(s, line) && !line.empty()) {
    std::istringstream l(line);
    Point p;
    std::getline(l, p.label, '\t');
    l >> p.x >> p.y;
    out.push_back(p);
  }
  return out;
}

std::string OneDecimal(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

class ScatterPicture : public ::testing::Test {
 protected:
  PlexorFolder folder = Examples({"dune.txt", "dune_management.txt"});
};

}  // namespace

TEST_F(ScatterPicture, PrincipalCoordinatesKeyedByManagement) {
  const PlexorRun r =
      folder.run(kDune + kGroups + Resemblance(1, 20) + "O\n1\nn\nn\nD\n3\n1\n1\n1\n2\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\nScatter diagram drawn on file ScatterDiagram.svg.\n"));
  const std::string z = folder.read("Zoviri.txt");
  EXPECT_TRUE(Lacks(z, "ScatterDiagram"));  // option D writes no results block
  const std::vector<Point> data = ScatterData(folder.read("ScatterData.txt"));
  ASSERT_EQ(data.size(), 20u);
  const minixml::Document doc = minixml::Parse(folder.read("ScatterDiagram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto points = FindAll(*doc.root, "rect", "point");
  const auto labels = FindAll(*doc.root, "text", "label");
  ASSERT_EQ(points.size(), 20u);
  ASSERT_EQ(labels.size(), 20u);
  for (int i = 0; i < 20; i++) EXPECT_EQ(labels[i]->text, "site" + std::to_string(i + 1));
  // Axis titles with the percentages printed after the eigenvalues.
  const std::vector<double> percent = Row(z, "\nPercentage:\t");
  ASSERT_GE(percent.size(), 2u);
  const auto titles = svgread::Texts(FindAll(*doc.root, "text", "axis-title"));
  EXPECT_EQ(titles, (std::vector<std::string>{"Axis 1 (" + OneDecimal(percent[0]) + "%)",
                                              "Axis 2 (" + OneDecimal(percent[1]) + "%)"}));
  // Sites 1 and 17 where the tick marks put their written scores (scores
  // are written with 6 significant digits, pixels to 0.01).
  const svgread::DrawnScale sx = svgread::ScaleOf(*doc.root, "tick-x", "x1");
  const svgread::DrawnScale sy = svgread::ScaleOf(*doc.root, "tick-y", "y1");
  EXPECT_NEAR(sx.PerUnit(), sy.PerUnit(), 1e-3 * sx.PerUnit());  // one unit as long on both axes
  for (int i : {0, 16}) {
    double x = 0, y = 0;
    svgread::Centre(*points[i], x, y);
    EXPECT_NEAR(x, sx.Pixel(data[i].x), 0.05) << data[i].label;
    EXPECT_NEAR(y, sy.Pixel(data[i].y), 0.05) << data[i].label;
  }
  // One colour per management group (dune_management.txt), and a key.
  const int group[] = {4, 1, 4, 4, 2, 2, 2, 2, 2, 1, 1, 4, 4, 3, 3, 4, 3, 3, 3, 3};
  std::map<int, std::set<std::string>> fills;
  std::set<std::string> all;
  for (int i = 0; i < 20; i++) {
    fills[group[i]].insert(points[i]->Attribute("fill"));
    all.insert(points[i]->Attribute("fill"));
  }
  for (const auto& g : fills) EXPECT_EQ(g.second.size(), 1u) << "group " << g.first;
  EXPECT_EQ(all.size(), 4u);
  EXPECT_EQ(FindAll(*doc.root, "text", "key-title")[0]->text, "management");
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "key-name")), (std::vector<std::string>{"1", "2", "3", "4"}));
  const auto swatches = FindAll(*doc.root, "rect", "key-swatch");
  ASSERT_EQ(swatches.size(), 4u);
  for (int g = 1; g <= 4; g++) EXPECT_EQ(fills[g], std::set<std::string>{swatches[g - 1]->Attribute("fill")}) << g;
}

TEST_F(ScatterPicture, PortugueseBiplotArrows) {
  const PlexorRun r = folder.run("E\nL\nC\n" + kDune + Resemblance(1, 3) + "O\n1\nn\nn\nD\n3\n2\n1\n1\n2\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\nDiagrama de dispersao desenhado no arquivo ScatterDiagram.svg.\n"));
  const std::vector<Point> data = ScatterData(folder.read("ScatterData.txt"));
  ASSERT_GT(data.size(), 20u);
  const minixml::Document doc = minixml::Parse(folder.read("ScatterDiagram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(FindAll(*doc.root, "rect", "point").size(), 20u);
  const auto arrows = FindAll(*doc.root, "line", "arrow");
  const auto names = FindAll(*doc.root, "text", "arrow-label");
  ASSERT_EQ(arrows.size(), data.size() - 20);
  ASSERT_EQ(names.size(), data.size() - 20);
  const svgread::DrawnScale sx = svgread::ScaleOf(*doc.root, "tick-x", "x1");
  const svgread::DrawnScale sy = svgread::ScaleOf(*doc.root, "tick-y", "y1");
  for (size_t k = 0; k < arrows.size(); k++) {
    const Point& v = data[20 + k];
    EXPECT_EQ(names[k]->text, v.label);
    EXPECT_NEAR(arrows[k]->Number("x1"), sx.Pixel(0), 0.05);
    EXPECT_NEAR(arrows[k]->Number("y1"), sy.Pixel(0), 0.05);
    EXPECT_NEAR(arrows[k]->Number("x2"), sx.Pixel(v.x), 0.05) << v.label;
    EXPECT_NEAR(arrows[k]->Number("y2"), sy.Pixel(v.y), 0.05) << v.label;
  }
  const auto titles = svgread::Texts(FindAll(*doc.root, "text", "axis-title"));
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_EQ(titles[0].rfind("Eixo 1 (", 0), 0u) << titles[0];
}

TEST_F(ScatterPicture, LabelsWithMarkupCharactersFromTheDataFile) {
  // Three units and two variables, labels after the data; one label in Latin-1.
  folder.write("m.txt", "1 2\n3 5\n4 1\n<b> R&D \"q\"'s\nx<y rel\xe9v\xe9\n");
  const PlexorRun r = folder.run("N\nn\nm.txt\n1\n3\n2\nN\n2\nn\nD\n1\n2\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  // Escaped in the file (the escaping of every text is checked on the
  // picture builder), the labels read back whole.
  const minixml::Document doc = minixml::Parse(folder.read("ScatterDiagram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "label")), (std::vector<std::string>{"<b>", "R&D", "\"q\"'s"}));
  // Variables 2 and 1 as axes, named by their labels.
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "axis-title")),
            (std::vector<std::string>{"rel\xc3\xa9v\xc3\xa9", "x<y"}));
}

TEST_F(ScatterPicture, UnitMissingAVariableIsLeftOutOfThePicture) {
  folder.write("m.txt", "1 2\n-999 5\n4 1\n2 2\n");
  const PlexorRun r = folder.run("N\nn\nm.txt\n1\n4\n2\nN\n1\nn\nD\n1\n1\n2\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ScatterData(folder.read("ScatterData.txt")).size(), 4u);
  const minixml::Document doc = minixml::Parse(folder.read("ScatterDiagram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "label")), (std::vector<std::string>{"1", "3", "4"}));
  // The scale covers the values present only.
  const svgread::DrawnScale sx = svgread::ScaleOf(*doc.root, "tick-x", "x1");
  EXPECT_GE(sx.value0, 0.0);
}

TEST_F(ScatterPicture, PictureThatCannotBeWrittenLeavesTheDataFile) {
  ASSERT_EQ(mkdir((folder.path() + "/ScatterDiagram.svg").c_str(), 0755), 0);
  const PlexorRun r = folder.run(kDune + "D\n1\n1\n2\nD\n1\n2\n3\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "\nCould not write file ScatterDiagram.svg.\n"), 2);
  EXPECT_TRUE(Lacks(r.out, "Scatter diagram drawn"));
  const std::vector<Point> data = ScatterData(folder.read("ScatterData.txt"));
  ASSERT_EQ(data.size(), 20u);
  EXPECT_EQ(data[0].label, "site1");
}

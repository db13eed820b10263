// The tree of a fusion history and its dendrogram picture read back as XML:
// one horizontal bar and one vertical stem per fusion, the leaves in the
// order of the Newick text, a scale whose top is the root's level, group
// colours, room for hundreds of leaves, and labels with markup escaped.
// (Similarities, whose lowest level is at the top: DendrogramE2E.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ZQLib/SvgDocument.h"
#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "cluster/DendrogramSvg.h"
#include "cluster/FusionTree.h"
#include "cluster/NewickFormat.h"
#include "cluster/NewickText.h"
#include "support/MiniXml.h"
#include "support/SvgReading.h"

using clustertest::History;
using clustertest::Labels;
using minixml::Element;
using minixml::FindAll;
using svgread::DrawnScale;
using svgread::Texts;

namespace {

// A, E fuse; B, D fuse; C joins (B, D); then the two groups: ((A,E),((B,D),C)).
History FiveObjects() {
  History h(5);
  h.Set(0, {2, 4}, 2, 1.0, 1.0, 1.0);
  h.Set(1, {1, 5}, 1, 2.0, 2.0, 2.0);
  h.Set(2, {2, 4, 3}, 4, 3.0, 2.0, 3.0);
  h.Set(3, {1, 5, 2, 4, 3}, 5, 6.0, 4.0, 3.0);
  return h;
}

}  // namespace

TEST(FusionTree, ChildrenAndLeafOrder) {
  History h = FiveObjects();
  FusionTree t;
  ASSERT_TRUE(BuildFusionTree(5, h.get(), t));
  EXPECT_EQ(t.left, (std::vector<int>{2, 1, 6, 7}));
  EXPECT_EQ(t.right, (std::vector<int>{4, 5, 3, 8}));
  EXPECT_EQ(LeafOrder(t), (std::vector<int>{1, 5, 2, 4, 3}));
  // A record naming an object already inside another group's node, twice.
  History bad = FiveObjects();
  bad.Set(2, {2, 2}, 2, 3.0, 1.0, 1.0);
  EXPECT_FALSE(BuildFusionTree(5, bad.get(), t));
  EXPECT_TRUE(t.left.empty());
  EXPECT_TRUE(LeafOrder(t).empty());
  EXPECT_FALSE(BuildFusionTree(1, h.get(), t));
}

// The leaves in the order of the tree, which differs from the data order.
TEST(DendrogramSvg, BarsStemsLeavesInNewickOrderAndTheScale) {
  History h = FiveObjects();
  Labels labels({"A", "B", "C", "D", "E"});
  DendrogramPicture p;
  ASSERT_TRUE(DendrogramFromFusions(5, h.get(), labels.get(), p));
  p.scaleTitle = "SSwithin";
  const minixml::Document doc = minixml::Parse(DendrogramSvg(p));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto bars = FindAll(*doc.root, "line", "bar");
  const auto stems = FindAll(*doc.root, "line", "stem");
  ASSERT_EQ(bars.size(), 4u);
  ASSERT_EQ(stems.size(), 4u);
  for (const Element* b : bars) EXPECT_EQ(b->Number("y1"), b->Number("y2"));
  for (const Element* s : stems) EXPECT_EQ(s->Number("x1"), s->Number("x2"));
  EXPECT_EQ(FindAll(*doc.root, "line", "leaf-stem").size(), 5u);
  std::string newick;
  NewickFormat(5, h.get(), kSingleLinkage, labels.get(), true, newick, false);
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  EXPECT_EQ(Texts(leaves), newicktest::LeafOrder(newick, "")) << newick;
  for (size_t k = 1; k < leaves.size(); k++) EXPECT_GT(leaves[k]->Number("x"), leaves[k - 1]->Number("x"));
  // Each fusion's stem rises from the middle of its bar to the bar of the fusion above.
  for (int s = 0; s < 4; s++)
    EXPECT_NEAR(stems[s]->Number("x1"), (bars[s]->Number("x1") + bars[s]->Number("x2")) / 2, 0.02) << s;

  // The scale's top is the root's level.
  const auto scale = FindAll(*doc.root, "line", "scale");
  ASSERT_EQ(scale.size(), 1u);
  const double top = scale[0]->Number("y1"), bottom = scale[0]->Number("y2");
  EXPECT_LT(top, bottom);
  const DrawnScale s = svgread::ScaleOf(*doc.root, "tick", "y1");
  EXPECT_NEAR(s.Pixel(6.0), top, 0.05);     // the highest fusion level at the top
  EXPECT_NEAR(s.Pixel(0.0), bottom, 0.05);  // the leaves at the bottom
  const double levels[] = {1, 2, 3, 6};
  for (int k = 0; k < 4; k++) EXPECT_NEAR(bars[k]->Number("y1"), s.Pixel(levels[k]), 0.05) << k;
  for (const Element* leaf : FindAll(*doc.root, "line", "leaf-stem")) EXPECT_NEAR(leaf->Number("y1"), bottom, 0.02);
  // The root bar joins the middles of its two groups: (A,E) and ((B,D),C).
  std::vector<double> x(6);
  const int order[] = {1, 5, 2, 4, 3};
  for (int k = 0; k < 5; k++) x[order[k]] = leaves[k]->Number("x");  // labels sit a fixed step right of their leaf
  EXPECT_NEAR(bars[3]->Number("x2") - bars[3]->Number("x1"), ((x[2] + x[4]) / 2 + x[3]) / 2 - (x[1] + x[5]) / 2,
              0.05);
  EXPECT_EQ(FindAll(*doc.root, "text", "scale-title")[0]->text, "SSwithin");
}

TEST(DendrogramSvg, HundredsOfLeavesNeverOverprint) {
  const int n = 300;
  clustertest::Points pts;
  for (int i = 0; i < n; i++) pts.push_back({std::fmod(i * 37.0, 101.0), std::fmod(i * 11.0, 29.0)});
  clustertest::Matrix d = clustertest::Distances(pts, true);
  History h(n);
  SumSqCluster(n, d.get(), h.get(), true);
  std::vector<std::string> names;
  for (int i = 0; i < n; i++) names.push_back("releve_number_" + std::to_string(i + 1) + "_of_the_survey");
  Labels labels(names);
  DendrogramPicture p;
  ASSERT_TRUE(DendrogramFromFusions(n, h.get(), labels.get(), p));
  p.width = 640;  // far too narrow for 300 leaves
  p.height = 300;  // too low for the tree and its long labels
  const minixml::Document doc = minixml::Parse(DendrogramSvg(p));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const double width = doc.root->Number("width");
  EXPECT_GE(width, n * kDendrogramMinLeafRoom);
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  ASSERT_EQ(leaves.size(), static_cast<size_t>(n));
  const double font = std::stod(FindAll(*doc.root, "g", "leaves")[0]->Attribute("font-size"));
  EXPECT_LT(font, 12.0);  // smaller labels ...
  for (size_t k = 1; k < leaves.size(); k++)  // ... that do not overlap
    EXPECT_GE(leaves[k]->Number("x") - leaves[k - 1]->Number("x"), font) << k;
  for (const Element* e : leaves) EXPECT_LT(e->Number("x"), width);
  // The labels are written upwards below the tree: the picture grew in
  // height to hold the longest one.
  const double labelTop = leaves[0]->Number("y");
  EXPECT_GE(doc.root->Number("height"), labelTop + TextWidth(names.back(), font));
  EXPECT_GT(doc.root->Number("height"), 300.0);
}

TEST(DendrogramSvg, LeavesColouredByGroupAndLabelsEscaped) {
  History h = FiveObjects();
  Labels labels({"<A>", "B&b", "\"C\"", "D's", "E"});
  DendrogramPicture p;
  ASSERT_TRUE(DendrogramFromFusions(5, h.get(), labels.get(), p));
  p.title = "x<y";
  p.leafGroup = {0, 1, 1, 0, -1};
  p.keyTitle = "<f>";
  p.keyNames = {"7", "9"};
  const std::string svg = DendrogramSvg(p);
  EXPECT_NE(svg.find("&lt;A&gt;"), std::string::npos);
  EXPECT_NE(svg.find("B&amp;b"), std::string::npos);
  EXPECT_NE(svg.find("&quot;C&quot;"), std::string::npos);
  EXPECT_NE(svg.find("D&apos;s"), std::string::npos);
  const minixml::Document doc = minixml::Parse(svg);
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  EXPECT_EQ(Texts(leaves), (std::vector<std::string>{"<A>", "E", "B&b", "D's", "\"C\""}));
  EXPECT_EQ(leaves[0]->Attribute("fill"), GroupColour(0));
  EXPECT_EQ(leaves[2]->Attribute("fill"), GroupColour(1));
  EXPECT_EQ(leaves[3]->Attribute("fill"), GroupColour(0));
  EXPECT_EQ(leaves[4]->Attribute("fill"), GroupColour(1));
  EXPECT_NE(leaves[1]->Attribute("fill"), GroupColour(0));  // no group
  EXPECT_EQ(Texts(FindAll(*doc.root, "text", "key-name")), (std::vector<std::string>{"7", "9"}));
  EXPECT_EQ(FindAll(*doc.root, "text", "key-title")[0]->text, "<f>");
}

TEST(DendrogramSvg, NoTreeStillGivesAWellFormedPicture) {
  DendrogramPicture p;
  p.title = "empty";
  p.tree.n = 3;
  p.tree.left = {1, 1};  // object 1 used twice
  p.tree.right = {2, 4};
  p.levels = {1, 2};
  p.labels = {"a", "b", "c"};
  const minixml::Document doc = minixml::Parse(DendrogramSvg(p));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_TRUE(FindAll(*doc.root, "line", "bar").empty());
}

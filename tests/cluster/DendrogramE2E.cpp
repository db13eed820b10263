// Option C run by the program draws "Dendrogram.svg" next to "newick.txt"
// and names it at the end of the results block: on the dune meadow table the
// leaves follow the Newick text and carry the management groups' colours,
// the root stands at the top of the scale at its printed level; correlations
// between species in Portuguese put the lowest similarity at the top; the
// factorial method draws nothing; a picture that cannot be written is
// reported and the results stay whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/MiniXml.h"
#include "support/RunPlexor.h"
#include "support/SvgReading.h"

using minixml::FindAll;

namespace {

const char* const kData = "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const char* const kGroups = "G\n1\nmanagement\nf\ndune_management.txt\n";
const char* const kPortuguese = "E\nL\nC\n";
std::string Resemblance(int dir, int measure) {
  return "R\n" + std::to_string(dir) + "\n" + std::to_string(measure) + "\n0\nn\n";
}

// Leaf names of a Newick line, in their order.
std::vector<std::string> NewickLeafOrder(const std::string& newick) {
  std::vector<std::string> out;
  std::string name;
  bool inLength = false;
  for (char c : newick) {
    if (c == '(' || c == ')' || c == ',' || c == ';' || c == '\n') {
      if (!name.empty()) out.push_back(name);
      name.clear();
      inLength = false;
    } else if (c == ':') {
      inLength = true;
    } else if (!inLength) {
      name += c;
    }
  }
  return out;
}

// Level of the last fusion in the fusion directory ("19   \t<level>\t...").
double LastFusionLevel(const std::string& z, int step) {
  const size_t p = z.find("\n" + std::to_string(step) + " ");
  if (p == std::string::npos) return 0;
  std::istringstream s(z.substr(p + 1));
  int k = 0;
  double level = 0;
  s >> k >> level;
  return level;
}

class DendrogramPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.copyFromSource("examples/dune.txt", "dune.txt");
    folder.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  }
  PlexorFolder folder;
};

}  // namespace

TEST_F(DendrogramPicture, WardOnPercentageDifferencesKeyedByManagement) {
  const PlexorRun r = folder.run(kData + std::string(kGroups) + Resemblance(1, 20) + "C\n3\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nDendrogram drawn on file Dendrogram.svg.\n\nSee results on file Zoviri.txt."),
            std::string::npos);
  const std::string z = folder.read("Zoviri.txt");
  // The block ends naming the picture, after the partitions.
  const size_t named = z.find("\nDendrogram drawn on file Dendrogram.svg.\n");
  ASSERT_NE(named, std::string::npos);
  EXPECT_LT(z.find("\n19 groups (cl = "), named);
  EXPECT_EQ(named + 42, z.size());
  const minixml::Document doc = minixml::Parse(folder.read("Dendrogram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(FindAll(*doc.root, "line", "bar").size(), 19u);
  EXPECT_EQ(FindAll(*doc.root, "line", "stem").size(), 19u);
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  const std::vector<std::string> order = NewickLeafOrder(folder.read("newick.txt"));
  ASSERT_EQ(order.size(), 20u);
  EXPECT_EQ(svgread::Texts(leaves), order);
  // The root at the top of the scale, at the level printed for step 19.
  const auto scale = FindAll(*doc.root, "line", "scale");
  ASSERT_EQ(scale.size(), 1u);
  const svgread::DrawnScale s = svgread::ScaleOf(*doc.root, "tick", "y1");
  EXPECT_NEAR(s.Pixel(LastFusionLevel(z, 19)), scale[0]->Number("y1"), 0.05);
  EXPECT_NEAR(FindAll(*doc.root, "line", "bar").back()->Number("y1"), scale[0]->Number("y1"), 0.02);
  EXPECT_EQ(FindAll(*doc.root, "text", "scale-title")[0]->text, "SSwithin");
  // Leaf colours by management group.
  const int group[] = {4, 1, 4, 4, 2, 2, 2, 2, 2, 1, 1, 4, 4, 3, 3, 4, 3, 3, 3, 3};
  std::map<int, std::set<std::string>> fills;
  for (const minixml::Element* leaf : leaves) fills[group[std::stoi(leaf->text.substr(4)) - 1]].insert(leaf->Attribute("fill"));
  ASSERT_EQ(fills.size(), 4u);
  std::set<std::string> distinct;
  for (const auto& g : fills) {
    EXPECT_EQ(g.second.size(), 1u) << "group " << g.first;
    distinct.insert(*g.second.begin());
  }
  EXPECT_EQ(distinct.size(), 4u);
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "key-name")), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(DendrogramPicture, PortugueseSingleLinkageOfCorrelationsBetweenSpecies) {
  const PlexorRun r = folder.run(kPortuguese + std::string(kData) + "G\n1\nmanejo\na\ndune_management.txt\n" +
                                 Resemblance(2, 17) + "C\n1\n0\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nDendrograma desenhado no arquivo Dendrogram.svg.\n"), std::string::npos);
  EXPECT_NE(folder.read("Zoviri.txt").find("\nDendrograma desenhado no arquivo Dendrogram.svg.\n"), std::string::npos);
  const minixml::Document doc = minixml::Parse(folder.read("Dendrogram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  ASSERT_EQ(leaves.size(), 30u);
  EXPECT_EQ(svgread::Texts(leaves), NewickLeafOrder(folder.read("newick.txt")));
  EXPECT_TRUE(FindAll(*doc.root, "text", "key-name").empty());  // species carry no groups of sampling units
  EXPECT_EQ(FindAll(*doc.root, "text", "scale-title")[0]->text, "Semelhanca");
  // Similarities fall towards the root: the last fusion, the lowest, at the
  // top; the leaves at the correlation of a species with itself, 1.
  const auto bars = FindAll(*doc.root, "line", "bar");
  const auto scale = FindAll(*doc.root, "line", "scale");
  ASSERT_EQ(bars.size(), 29u);
  for (const minixml::Element* b : bars) EXPECT_GE(b->Number("y1"), bars.back()->Number("y1"));
  EXPECT_NEAR(bars.back()->Number("y1"), scale[0]->Number("y1"), 0.02);
  const svgread::DrawnScale s = svgread::ScaleOf(*doc.root, "tick", "y1");
  EXPECT_NEAR(s.Pixel(1.0), scale[0]->Number("y2"), 0.05);
}

TEST_F(DendrogramPicture, FactorialMethodDrawsNothing) {
  const PlexorRun r = folder.run(kData + Resemblance(1, 21) + "C\n6\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(folder.exists("Dendrogram.svg"));
  EXPECT_EQ(r.out.find("Dendrogram"), std::string::npos);
  EXPECT_EQ(folder.read("Zoviri.txt").find("Dendrogram.svg"), std::string::npos);
}

TEST_F(DendrogramPicture, PictureThatCannotBeWrittenIsReportedAndResultsStay) {
  ASSERT_EQ(mkdir((folder.path() + "/Dendrogram.svg").c_str(), 0755), 0);
  const PlexorRun r = folder.run(kData + Resemblance(1, 20) + "C\n2\nn\nC\n4\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "\nCould not write file Dendrogram.svg.\n"), 2);
  const std::string z = folder.read("Zoviri.txt");
  EXPECT_EQ(CountOccurrences(z, "\nCould not write file Dendrogram.svg.\n"), 2);
  EXPECT_EQ(CountOccurrences(z, "\nDendrogram in Newick format:\n"), 2);
  EXPECT_EQ(CountOccurrences(z, "\n19 groups (cl = "), 2);
  EXPECT_EQ(NewickLeafOrder(folder.read("newick.txt")).size(), 20u);
}

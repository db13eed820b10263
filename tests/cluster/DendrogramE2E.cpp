// Option C draws "Dendrogram.svg" next to "newick.txt" and names it at the end
// of the results block: leaves in Newick order coloured by group, the root at
// the top of the scale (the lowest similarity, for similarities); a picture
// that cannot be written is reported and the results stay whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cluster/NewickText.h"
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
  const std::vector<std::string> order = newicktest::LeafOrder(folder.read("newick.txt"));
  ASSERT_EQ(order.size(), 20u);
  EXPECT_EQ(svgread::Texts(leaves), order);
  // The root at the top of the scale, at the level printed for step 19.
  const auto scale = FindAll(*doc.root, "line", "scale");
  ASSERT_EQ(scale.size(), 1u);
  const std::vector<double> last = Numbers(z.substr(z.find("\n19   \t") + 1));  // step 19 and its level
  ASSERT_GE(last.size(), 2u);
  const svgread::DrawnScale s = svgread::ScaleOf(*doc.root, "tick", "y1");
  EXPECT_NEAR(s.Pixel(last[1]), scale[0]->Number("y1"), 0.05);
  EXPECT_NEAR(FindAll(*doc.root, "line", "bar").back()->Number("y1"), scale[0]->Number("y1"), 0.02);
  EXPECT_EQ(FindAll(*doc.root, "text", "scale-title")[0]->text, "SSwithin");
  // Leaf colours by management group.
  const int group[] = {4, 1, 4, 4, 2, 2, 2, 2, 2, 1, 1, 4, 4, 3, 3, 4, 3, 3, 3, 3};
  std::map<int, std::string> fillOf;
  std::set<std::string> distinct;
  for (const minixml::Element* leaf : leaves) {
    const std::string fill = leaf->Attribute("fill");
    EXPECT_EQ(fillOf.emplace(group[std::stoi(leaf->text.substr(4)) - 1], fill).first->second, fill) << leaf->text;
    distinct.insert(fill);
  }
  EXPECT_EQ(fillOf.size(), 4u);
  EXPECT_EQ(distinct.size(), 4u);
  EXPECT_EQ(svgread::Texts(FindAll(*doc.root, "text", "key-name")), (std::vector<std::string>{"1", "2", "3", "4"}));
}

// Absolute values of the correlations.
TEST_F(DendrogramPicture, PortugueseSingleLinkageOfCorrelationsBetweenSpecies) {
  const PlexorRun r = folder.run(kPortuguese + std::string(kData) + "G\n1\nmanejo\na\ndune_management.txt\n" +
                                 Resemblance(2, 17) + "C\n1\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nDendrograma desenhado no arquivo Dendrogram.svg.\n"), std::string::npos);
  const std::string z = folder.read("Zoviri.txt");
  EXPECT_NE(z.find("\nTransformacao das correlacoes: (1)valor absoluto das correlacoes\n"), std::string::npos);
  EXPECT_NE(z.find("\nDendrograma desenhado no arquivo Dendrogram.svg.\n"), std::string::npos);
  const minixml::Document doc = minixml::Parse(folder.read("Dendrogram.svg"));
  ASSERT_TRUE(doc.ok()) << doc.error;
  const auto leaves = FindAll(*doc.root, "text", "leaf-label");
  ASSERT_EQ(leaves.size(), 30u);
  EXPECT_EQ(svgread::Texts(leaves), newicktest::LeafOrder(folder.read("newick.txt")));
  EXPECT_TRUE(FindAll(*doc.root, "text", "key-name").empty());  // species carry no groups of sampling units
  EXPECT_EQ(FindAll(*doc.root, "text", "scale-title")[0]->text, "Semelhanca");
  // Similarities fall towards the root, each fusion at a lower level than the
  // one before: the last fusion, the lowest, at the top; the leaves at the
  // correlation of a species with itself, 1.
  const auto bars = FindAll(*doc.root, "line", "bar");
  const auto scale = FindAll(*doc.root, "line", "scale");
  ASSERT_EQ(bars.size(), 29u);
  for (size_t k = 1; k < bars.size(); k++) EXPECT_GE(bars[k - 1]->Number("y1"), bars[k]->Number("y1")) << k;
  EXPECT_LE(bars[0]->Number("y1"), scale[0]->Number("y2"));
  EXPECT_NEAR(bars.back()->Number("y1"), scale[0]->Number("y1"), 0.02);
  const svgread::DrawnScale s = svgread::ScaleOf(*doc.root, "tick", "y1");
  EXPECT_NEAR(s.Pixel(1.0), scale[0]->Number("y2"), 0.05);
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
  EXPECT_EQ(newicktest::LeafOrder(folder.read("newick.txt")).size(), 20u);
}

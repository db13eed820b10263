// The bundled example analysis: the script of answers in examples/ runs to
// the end on the dune meadow data and leaves every result file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/MiniXml.h"
#include "support/PngPixels.h"
#include "support/RunPlexor.h"

TEST(ExampleAnalysis, RunsToTheEndAndWritesEveryResultFile) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  f.copyFromSource("examples/example-answers.txt", "example-answers.txt");
  const std::string answers = f.read("example-answers.txt");
  ASSERT_FALSE(answers.empty());
  PlexorRun r = f.run(answers);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos) << r.err;
  std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("Original data matrix:"), std::string::npos);
  EXPECT_NE(z.find("DATA TRANSFORMATION"), std::string::npos);
  EXPECT_NE(z.find("ORDINATION"), std::string::npos);
  for (const char* side : {"scores.txt", "ScatterData.txt", "newick.txt", "Sessao.trk", "ScatterDiagram.svg",
                           "Dendrogram.svg"})
    EXPECT_TRUE(f.exists(side)) << side;
}

// The two pictures of the example, rendered by rsvg-convert: images of the
// size the pictures declare, with drawing on them and the first group's
// colour among their pixels.
TEST(ExampleAnalysis, PicturesRenderToImagesThatAreNotBlank) {
  ASSERT_EQ(std::system("command -v rsvg-convert >/dev/null 2>&1"), 0)
      << "rsvg-convert (Debian librsvg2-bin) is needed; scripts/deps.sh installs it";
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  f.copyFromSource("examples/example-answers.txt", "example-answers.txt");
  ASSERT_EQ(f.run(f.read("example-answers.txt")).status, 0);
  for (const std::string name : {"ScatterDiagram", "Dendrogram"}) {
    const minixml::Document doc = minixml::Parse(f.read(name + ".svg"));
    ASSERT_TRUE(doc.ok()) << name << ": " << doc.error;
    const std::string command = "cd '" + f.path() + "' && rsvg-convert -b white -o " + name + ".png " + name + ".svg";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const png::Image img = png::Decode(f.read(name + ".png"));
    ASSERT_TRUE(img.error.empty()) << name << ": " << img.error;
    EXPECT_EQ(img.width, static_cast<int>(doc.root->Number("width") + 0.5)) << name;
    EXPECT_EQ(img.height, static_cast<int>(doc.root->Number("height") + 0.5)) << name;
    const auto swatches = minixml::FindAll(*doc.root, "rect", "key-swatch");
    ASSERT_EQ(swatches.size(), 4u) << name;  // the four management groups
    const std::string colour = swatches[0]->Attribute("fill");
    const int r = std::stoi(colour.substr(1, 2), nullptr, 16), g = std::stoi(colour.substr(3, 2), nullptr, 16),
              b = std::stoi(colour.substr(5, 2), nullptr, 16);
    long drawn = 0, groupColoured = 0;
    for (int y = 0; y < img.height; y++)
      for (int x = 0; x < img.width; x++) {
        const uint8_t* p = img.At(x, y);
        if (p[0] < 250 || p[1] < 250 || p[2] < 250) drawn++;
        if (std::abs(p[0] - r) + std::abs(p[1] - g) + std::abs(p[2] - b) < 12) groupColoured++;
      }
    const double total = static_cast<double>(img.width) * img.height;
    EXPECT_GT(drawn / total, 0.02) << name << ": " << drawn << " drawn pixels";
    EXPECT_LT(drawn / total, 0.5) << name;
    EXPECT_GT(groupColoured, 50) << name;
  }
}

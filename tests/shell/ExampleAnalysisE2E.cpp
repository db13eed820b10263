// The bundled example analysis: the script of answers in examples/ runs to
// the end on the dune meadow data and leaves every result file behind.
#include <gtest/gtest.h>

#include <string>

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
  for (const char* side : {"scores.txt", "ScatterData.txt", "newick.txt", "Sessao.trk"})
    EXPECT_TRUE(f.exists(side)) << side;
}

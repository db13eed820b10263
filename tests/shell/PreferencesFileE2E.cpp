// The preferences file when a value in it is wrong, when it cannot be
// rewritten, and the number of ordination dimensions printed when it is set
// beyond any table.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

// A negative processor count was reported as "End of file".
TEST(PreferencesFile, WrongProcessorCountNamed) {
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n7\n4\n-3\n");
  PlexorRun r = f.run("X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\nThe preferences file Plexor.prf gives \"-3\" as the maximum number of processors (line "
                       "10), which is not 0 or a positive whole number: all available processors are used.\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("End of file"), std::string::npos);
  // The values before it are kept.
  PlexorFolder g;
  g.write("Plexor.prf", "06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n7\n4\n-3\n");
  g.write("d.txt", "1 2 3 4 5 6\n");
  ASSERT_EQ(g.run(shelltest::NewData("d.txt", 1, 2, 3) + "E\nC\nX\n").status, 0);
  EXPECT_EQ(g.read("Plexor.prf").rfind("06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n7\n4\n0\n", 0), 0u);
}

// A preferences file that cannot be rewritten whole is left as it was (the
// program then ends with its failed-write message).
TEST(PreferencesFile, FailedRewriteKeepsTheFile) {
  PlexorFolder f;
  const char* portuguese = shelltest::PortuguesePreferences();
  f.write("Plexor.prf", portuguese);
  PlexorRun r = f.runWithFileSizeLimit("E\nL\nC\nX\n", 0);
  EXPECT_NE(r.out.find("FAIL TO PRINT ON FILE !!!"), std::string::npos) << r.out;
  EXPECT_EQ(f.read("Plexor.prf"), portuguese);
}

// Any number of dimensions up to the largest int may be asked for; the
// ordination report shows the axes it has, and the ranked correlations list
// every descriptor (twice the setting is no longer computed in int, which
// overflowed and left the lists empty).
TEST(PreferencesFile, DimensionsBeyondAnyTable) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run("E\nF\n0\n2147483647\nC\n" + shelltest::ReadDune() + "R\n1\n3\n0\nn\nO\n1\nn\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(f.read("Plexor.prf").find("\n5\n2147483647\n"), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("\nScores of sampling units on the first 19 components:\n"), std::string::npos);
  const size_t ranked = z.find("Original descriptors with the highest correlation coefficients:\nAxis 1:\t");
  ASSERT_NE(ranked, std::string::npos);
  const std::string axis1 = z.substr(ranked, z.find('\n', z.find("Axis 1:\t", ranked)) - ranked);
  EXPECT_EQ(CountOccurrences(axis1, ":"), 1 + 1 + 30) << axis1;  // heading, "Axis 1:" and 30 descriptors
}

}  // namespace

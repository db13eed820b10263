// Option E and the preferences file: digits and processors set and kept, the
// language lasting to the next start, damaged, foreign or short files, a file
// that cannot be rewritten, and a number of dimensions beyond any table.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

using shelltest::NewData;

TEST(Preferences, DigitsUsedByTheDataEchoAndKeptInTheFile) {
  struct {
    const char* digits;
    const char* echoed;
    const char* stored;
  } cases[] = {{"12", "0.123456789012\t", "\n12\n6\n0\n"},
               {"0", "0.12346\t", "\n5\n6\n0\n"},
               {"40", "0.1234567890123455941031593852130754385144\t", "\n40\n6\n0\n"}};
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("d.txt", "0.1234567890123456 2\n");
    PlexorRun r = f.run(std::string("E\nF\n") + c.digits + "\n0\nC\n" + NewData("d.txt", 1, 1, 2) + "X\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Holds(f.read("Zoviri.txt"), c.echoed)) << c.digits;
    EXPECT_TRUE(Begins(f.read("Plexor.prf"),
                       std::string("06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000") + c.stored));
  }
}

TEST(Preferences, PortugueseLastsToTheNextStart) {
  PlexorFolder f;
  PlexorRun first = f.run("E\nL\nC\nX\n");
  ASSERT_EQ(first.status, 0);
  const size_t menu = first.out.find("\nPREFERENCES\nSet preferences of: \n   L  language (change to Portuguese/"
                                     "mudar para portugues)\n   F  output \n   M  multiprocessing \n"
                                     "   C  return to main menu \nType option: ");
  ASSERT_NE(menu, std::string::npos);
  EXPECT_NE(first.out.find("\nPREFERENCIAS\nAlterar preferencias em: \n", menu), std::string::npos);
  EXPECT_NE(first.out.find("MENU PRINCIPAL\n", menu), std::string::npos);

  PlexorRun second = f.run("X\n");
  EXPECT_TRUE(Holds(second.out, "MENU PRINCIPAL\n"));
  EXPECT_TRUE(Lacks(second.out, "MAIN MENU"));
}

TEST(Preferences, ProcessorLimitShownAsSetEvenBeyondTheMachine) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 7 8\n");
  // Resemblance between units (Euclidean distances run in parallel) with the limit set.
  PlexorRun r = f.run("E\nM\n1000000\nC\n" + NewData("d.txt", 1, 4, 2) + "R\n1\n3\n0\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "Maximum number of processors the program may use: 1000000\n"));
  EXPECT_TRUE(Holds(r.out, "Resemblance measure: (3)Euclidean distance"));
  EXPECT_TRUE(Holds(f.read("Plexor.prf"), "\n1000000\n"));
}

// The values before a fault are kept (a negative processor count was
// reported as "End of file"), a file of another version is ignored, and a
// file without its last line is read; leaving the menu writes what was kept.
TEST(Preferences, DamagedOtherVersionOrShortFiles) {
  const std::string defaults = "06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n";
  struct {
    const char* file;
    const char* err;  // "" when nothing is said
    const char* menu;
    std::string rewritten;
  } cases[] = {
      {"06Apr2012\n0\n1\n0.0\nbroken\n",
       "The preferences file Plexor.prf is damaged (line 5, scatter height: \"broken\"): default preferences are used.",
       "MAIN MENU\n", defaults + "5\n6\n0\n"},
      {"06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n7\n4\n-3\n",
       "\nThe preferences file Plexor.prf gives \"-3\" as the maximum number of processors (line 10), which is not 0 "
       "or a positive whole number: all available processors are used.\n",
       "MAIN MENU\n", defaults + "7\n4\n0\n"},
      {"01Jan2000\n0\n1\n0\n0\n0\n0\n9\n6\n0\n", "", "MAIN MENU\n", defaults + "5\n6\n0\n"},
      {"06Apr2012\n0\n1\n1.5\n2.5\n3.5\n4.5\n7\n3\n", "\nEnd of file Plexor.prf\n", "MENU PRINCIPAL\n",
       "06Apr2012\n0\n1\n1.500000\n2.500000\n3.500000\n4.500000\n7\n3\n0\n"},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("Plexor.prf", c.file);
    PlexorRun r = f.run("E\nC\nX\n");
    ASSERT_EQ(r.status, 0);
    if (*c.err == '\0') {
      EXPECT_EQ(r.err, "") << c.file;
    }
    EXPECT_TRUE(Holds(r.err, c.err));
    EXPECT_EQ(CountOccurrences(r.err, "End of file"), CountOccurrences(c.err, "End of file")) << r.err;
    EXPECT_TRUE(Holds(r.out, c.menu)) << c.file;
    EXPECT_TRUE(Begins(f.read("Plexor.prf"), c.rewritten));
  }
}

// A preferences file that cannot be rewritten whole is left as it was (the
// program then ends with its failed-write message).
TEST(Preferences, FailedRewriteKeepsTheFile) {
  PlexorFolder f;
  const char* portuguese = shelltest::PortuguesePreferences();
  f.write("Plexor.prf", portuguese);
  PlexorRun r = f.runWithFileSizeLimit("E\nL\nC\nX\n", 0);
  EXPECT_TRUE(Holds(r.out, "FAIL TO PRINT ON FILE !!!"));
  EXPECT_EQ(f.read("Plexor.prf"), portuguese);
}

// Any number of dimensions up to the largest int may be asked for; the
// ordination report shows the axes it has, and the ranked correlations list
// every descriptor (twice the setting is no longer computed in int, which
// overflowed and left the lists empty).
TEST(Preferences, DimensionsBeyondAnyTable) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run("E\nF\n0\n2147483647\nC\n" + shelltest::ReadDune() + "R\n1\n3\n0\nn\nO\n1\nn\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(f.read("Plexor.prf"), "\n5\n2147483647\n"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Holds(z, "\nScores of sampling units on the first 19 components:\n"));
  const size_t ranked = z.find("Original descriptors with the highest correlation coefficients:\nAxis 1:\t");
  ASSERT_NE(ranked, std::string::npos);
  const std::string axis1 = z.substr(ranked, z.find('\n', z.find("Axis 1:\t", ranked)) - ranked);
  EXPECT_EQ(CountOccurrences(axis1, ":"), 1 + 1 + 30) << axis1;  // heading, "Axis 1:" and 30 descriptors
}

}  // namespace

// The data file as the reader meets it when it is not what the dialogue
// announced: words and non-finite numbers among the values, a binary file, a
// folder, labels with multi-byte characters, a contingency table whose
// expansion would fill the disk, and new data that could not be read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

using shelltest::NewData;

// Every value must be a finite number (-999 marks a missing one). "NA" was
// skipped a character at a time, so the values after it shifted; "inf" and
// overflowing numbers were taken as values. (Which words are finite numbers:
// TextWordsTest.cpp.)
TEST(DataFileReader, ValueThatIsNotAFiniteNumberRefusesTheFile) {
  const struct {
    const char* file;
    const char* where;  // line, position and text in the message
  } cases[] = {
      {"1 2 3\n4 NA 6\n", "at line 2, position 3, \"NA\""},
      {"inf 2 3\n4 5 6\n", "at line 1, position 1, \"inf\""},
      {"1 2 3\n4 5 1e999\n", "at line 2, position 5, \"1e999\""},
      {"1 2 3\n\x7f\x45\x4c\x46\x02\x01 5 6\n", "at line 2, position 1, \"?ELF??\""},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("d.txt", c.file);
    PlexorRun r = f.run(NewData("d.txt", 1, 2, 3) + "X\n");
    ASSERT_EQ(r.status, 0) << c.file;
    EXPECT_TRUE(Holds(r.out, std::string("\nFile d.txt was not read: ") + c.where +
                                 " is not a finite number (missing values are written -999).\nPlease check!\n"))
        << c.file;
    EXPECT_TRUE(Holds(r.out, "\nAnalysis status: Data not available.")) << c.file;
    EXPECT_TRUE(Lacks(r.out, "Labels for sampling units")) << c.file;
    EXPECT_FALSE(f.exists("Zoviri.txt")) << c.file;
  }
}

// A folder opens like a file on this system: it is named as a folder, not
// reported as an incomplete data file. Missing values and every form of
// number are then read.
TEST(DataFileReader, FolderNamedAsTheDataFileThenNumberFormsRead) {
  PlexorFolder f;
  ASSERT_EQ(mkdir((f.path() + "/tables").c_str(), 0755), 0);
  f.write("d.txt", "1 -999 3.5e0\n+4 .5 -6\n");
  PlexorRun r = f.run("N\nn\ntables\ny\nd.txt\n1\n2\n3\nN\n1\ny\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\ntables is a folder, not a data file.\n\aTry again? y/n "));
  EXPECT_TRUE(Lacks(r.out, "incomplete"));
  EXPECT_TRUE(Holds(f.read("Zoviri.txt"), "\n   1\t-999\t 3.5\t\n   4\t 0.5\t  -6\t\n"));
}

// Labels are cut to 30 bytes at a character boundary: 29 letters and an
// accented one (two bytes) keep the 29 letters.
TEST(DataFileReader, LabelsCutAtACharacterBoundary) {
  PlexorFolder f;
  const std::string accented = std::string(29, 'a') + "\xc3\xa9" + "z";
  const std::string exact = std::string(28, 'b') + "\xc3\xa9";  // 30 bytes: kept whole
  f.write("d.txt", "1 2\n" + accented + " " + exact + " v\n");
  PlexorRun r = f.run(NewData("d.txt", 1, 2, 1, "", 2) + "X\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(
      Holds(f.read("Zoviri.txt"), "Labels of sampling units:\t" + std::string(29, 'a') + "\t" + exact + "\t\n"));
}

// Expanding a contingency table writes one line per count: two thousand
// million lines would fill the disk. The expansion is refused before
// anything of it is written, when the data are read (they are read as
// usual) and from the transformation menu. (Within the limit:
// DataSessionE2E.cpp.)
TEST(DataFileReader, ExpansionBeyondTheLimitRefused) {
  PlexorFolder f;
  f.write("c.txt", "2000000000 1\n0 3\n");
  PlexorRun r = f.run("N\nn\nc.txt\n6\n2\n2\nN\n1\ny\ny\nT\n1\n5\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string refused =
      "\nExpansion refused: the contingency table would give 2000000004 rows, more than the limit of 10000000 rows.\n";
  EXPECT_EQ(CountOccurrences(r.out, refused), 2);
  EXPECT_TRUE(Holds(r.out, refused + "Data and files were left unchanged.\n"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_LT(z.size(), 5000u);
  EXPECT_TRUE(Lacks(z, "Expanded contingency table"));
  EXPECT_TRUE(Holds(r.out, "Dimensions: 2 sampling units, 2 variables\n"));
  EXPECT_FALSE(f.exists("ExpandedNominalData.txt"));
}

// When new data cannot be read the last session is offered again, but the
// question on the results file, settled at start-up, is not asked again.
TEST(DataFileReader, FailedNewDataDoesNotAskAboutTheResultsFileAgain) {
  PlexorFolder f;
  f.write("Zoviri.txt", "earlier results\n");
  f.write("d.txt", "1 2 x\n");
  PlexorRun r = f.run("a\n" + NewData("d.txt", 1, 1, 3, "N", 1, "n") + "X\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "An older file Zoviri.txt was found. Wish to erase(e) or append(a)? "), 1);
  EXPECT_TRUE(Holds(r.out, "\"x\" is not a finite number"));
  EXPECT_EQ(f.read("Zoviri.txt"), "earlier results\n");
}

}  // namespace

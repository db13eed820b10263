// Reading a data table through option N (value orders, labels, variable
// kinds, incomplete files, the echo to the results file) and the session
// track as the user meets it: resumed at the next start, saved and reopened
// by name (also from a copied track), damaged or foreign, failing to be
// written. (What the track holds, to the last bit of every real and with the
// choices that close it: SessionTrackTest.cpp; a pointer file that is empty
// or names a missing track: ReadmeExampleE2E.cpp.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

using shelltest::LastStatus;
using shelltest::NewData;

// The echoed matrix: everything after the line of variable labels.
std::string EchoedMatrix(const std::string& zoviri) {
  size_t p = zoviri.find("Labels of variables:\t");
  return p == std::string::npos ? std::string() : zoviri.substr(zoviri.find('\n', p) + 1);
}

TEST(DataFile, UnitAndVariableOrdersGiveTheSameRows) {
  PlexorFolder byUnits, byVariables;
  byUnits.write("d.txt", "1 2 3\n4 5 6\n");
  byVariables.write("d.txt", "1 4\n2 5\n3 6\n");
  ASSERT_EQ(byUnits.run(NewData("d.txt", 1, 2, 3, "N") + "X\n").status, 0);
  ASSERT_EQ(byVariables.run(NewData("d.txt", 1, 2, 3, "T") + "X\n").status, 0);
  for (const PlexorFolder* f : {&byUnits, &byVariables}) {
    EXPECT_EQ(EchoedMatrix(f->read("Zoviri.txt")), "1\t2\t3\t\n4\t5\t6\t\n");
    EXPECT_TRUE(Holds(f->read("Sessao.trk"), "\n1\t2\t3\t\n4\t5\t6\t\n"));
  }
}

// The dune table echoed with its labels; the next start resumes the session
// or, declined, starts without data.
TEST(DataFile, DuneEchoedWithItsLabelsAndResumed) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(shelltest::ReadDune() + "X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out, "\nSee data on file Zoviri.txt."));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(
      Begins(z, std::string("\n") + std::string(79, '-') + "\nPLEXOR version 3.85b\n" + std::string(79, '-') + "\n"));
  EXPECT_TRUE(Holds(z,
                    "\nAnalysis status:\nData file name: dune.txt\nDimensions: 20 sampling units, 30 variables\n"
                    "Data type: (1) quantitative, same measurement scales\n"));
  EXPECT_TRUE(Holds(z, "Session is NOT saved.\nMaximum number of processors the program may use: "));
  EXPECT_TRUE(Holds(z,
                    "\n\nOriginal data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n"
                    "Labels of sampling units:\tsite1\tsite2\t"));
  EXPECT_TRUE(Holds(z, "site20\t\nLabels of variables:\tAchimill\tAgrostol\t"));
  const std::string m = EchoedMatrix(z);
  EXPECT_EQ(CountOccurrences(m, "\n"), 20);
  EXPECT_TRUE(Begins(m, "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t4\t0\t0\t0\t0\t7\t0\t4\t2\t")) << m.substr(0, 200);

  const std::string before = LastStatus(r.out);
  EXPECT_TRUE(Holds(before, "Session IS saved."));
  PlexorRun resumed = f.run("y\na\nX\n");
  EXPECT_TRUE(Holds(resumed.out, "Wish to continue analysis session with data file dune.txt? y/n An older file"));
  EXPECT_EQ(LastStatus(resumed.out), before);
  EXPECT_EQ(CountOccurrences(resumed.out, "\t* "), 13);
  PlexorRun declined = f.run("n\na\nX\n");
  EXPECT_TRUE(Holds(declined.out, "\nAnalysis status: Data not available.\n"));
  EXPECT_EQ(CountOccurrences(declined.out, "\t* "), 4);
}

// Labels cut to 30 characters: DataFileReaderE2E.cpp.
TEST(DataFile, MissingLabels) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 a b x y");
  PlexorRun r = f.run(NewData("d.txt", 1, 2, 3, "N", 2) + "X\n");  // "y" is taken by the menu and refused
  EXPECT_TRUE(Holds(r.out,
                    "\nLabels not read because the file d.txt is incomplete.\nPlease check!\n\nAnalysis status: "
                    "Data not available."));
}

// A file without all its values is refused after the whole dialogue, and
// nothing is loaded; a file far too small for its dimensions as well.
TEST(DataFile, IncompleteFilesAreNotLoaded) {
  struct {
    const char* values;
    int rows, cols;
  } cases[] = {{"1 2 3 4 5\n", 2, 3}, {"1 2 3 4 5\n", 3, 4}, {"1 2 3\n", 2000000, 2000000}};
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("short.txt", c.values);
    PlexorRun r = f.run("N\nn\nshort.txt\n1\n" + std::to_string(c.rows) + "\n" + std::to_string(c.cols) + "\nN\nX\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t order = r.out.find("Data ordered by");
    const size_t msg = r.out.find("\nFile short.txt was not read because it is incomplete.\nPlease check!\n");
    ASSERT_NE(msg, std::string::npos) << r.out;
    EXPECT_LT(order, msg);
    EXPECT_NE(r.out.find("Analysis status: Data not available.", msg), std::string::npos);
    EXPECT_TRUE(Lacks(r.out, "Labels for sampling units"));
    EXPECT_FALSE(f.exists("Zoviri.txt"));
    EXPECT_TRUE(Holds(f.read("Sessao.trk"), "16/May/2007\n0\n"));
  }
}

TEST(DataFile, DimensionsAndMissingFileAskedAgain) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  PlexorRun r = f.run("N\nn\nnothere.txt\ny\nd.txt\n1\n0\n-4\n2\n0\n3\nN\n1\nn\nN\nn\nnone.txt\nn\ny\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.err, "can't open nothere.txt"));
  EXPECT_TRUE(Holds(r.err, "Incorrect input = 0. Reenter."));
  EXPECT_TRUE(Holds(r.err, "Incorrect input = -4. Reenter."));
  EXPECT_TRUE(Holds(r.out, "Dimensions: 2 sampling units, 3 variables\n"));
  EXPECT_EQ(CountOccurrences(r.out, "Try again? y/n "), 2);
  // Giving up on a file falls back to the session of the folder: offered again.
  EXPECT_TRUE(Holds(r.out, "Try again? y/n Wish to continue analysis session with data file d.txt? y/n "));
}

TEST(DataFile, MixedTypes) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  // Types 3 3 3 kept, not mixed, no manual correction: different scales.
  PlexorRun r = f.run("N\nn\nd.txt\n5\n2\n3\n3 3 3\nn\nn\nN\n1\nn\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out,
                    "Enter variable type (1:binary,2:qualitative,3:quantitative interval or ratio scale,4:ordinal): "
                    "\nVariable: 1  2  3  \nType:     Wish to correct? y/n Data not mixed as indicated!!!\n"
                    "Wish to correct manually? y/n "));
  EXPECT_TRUE(Holds(r.out, "Data type: (2) quantitative, different scales\n"));
  EXPECT_FALSE(f.exists("Zoviri.txt"));  // the echo was declined

  // A type 9 refused; 1 1 1 corrected to 1 3 2: mixed.
  r = f.run("n\nN\nn\nd.txt\n5\n2\n3\n1 9 1 1\ny\n1 3 2\nn\nN\n1\nn\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.err, "Incorrect input = 9. Reenter."));
  EXPECT_TRUE(Holds(LastStatus(r.out), "Data type: (5) mixed\nVariable: 1 2 3 \nType:     1 3 2 \n"));
}

TEST(DataFile, ContingencyTableExpanded) {
  PlexorFolder f;
  f.write("c.txt", "2 0.5\n0 0\n");
  PlexorRun r = f.run(NewData("c.txt", 6, 2, 2) + "y\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out, "Number of rows:    Number of columns: "));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Holds(z,
                    "\t0.5\t\n  0\t  0\t\n\nExpanded contingency table:\n"
                    "\t(Rows= 2 sampling units, columns= 2 nominal variables)\n1\t1\n1\t1\n1\t2\n"));
  EXPECT_EQ(CountOccurrences(z, "1\t2\n"), 1);
}

TEST(DataFile, PortugueseDialogueAndEcho) {
  PlexorFolder f;
  f.write("Plexor.prf", shelltest::PortuguesePreferences());
  f.write("d.txt", "1 2 3 4 5 6");
  PlexorRun r = f.run(NewData("d.txt", 1, 2, 3, "N", 1, "s") + "X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out, "Entre nome do arquivo com matriz de dados: Os dados contem: \n"));
  EXPECT_TRUE(Holds(r.out, "\nVeja dados no arquivo Zoviri.txt."));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Holds(z, "PLEXOR versao 3.85b"));
  EXPECT_TRUE(Holds(z,
                    "\nMatriz de dados originais:\n\t(Linhas= 2 unidades amostrais, colunas= 3 variaveis)\n"
                    "Rotulos de unidades amostrais:\t1\t2\t\nRotulos de variaveis:\t1\t2\t3\t\n"));
}

// A session name whose track cannot be written (a folder that does not
// exist) is refused without touching the track already written: the next
// start resumes it whole. New data after that session was declined hold no
// resemblance of the former table.
TEST(SessionTrack, UnwritableNameLeavesTheTrackWholeAndADeclinedSessionNothing) {
  PlexorFolder f;
  f.write("d.txt", "1 0 3\n4 5 0\n0 1 1\n3 3 2\n");
  f.write("b.txt", "1 2 3 4");
  PlexorRun r = f.run(NewData("d.txt", 1, 4, 3, "N", 1, "n") + "R\n1\n3\n0\nn\nS\nno/such\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\nFailed to write file no/such.trk (No such file or directory): the session is NOT saved"));
  const std::string status = LastStatus(r.out);
  EXPECT_TRUE(Begins(status, "\nAnalysis status:\n"));
  EXPECT_TRUE(Begins(f.read("Sessao.trk"), "Sessao\nd.txt\n16/May/2007\n1\n"));
  r = f.run("y\na\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "Wish to continue analysis session with data file d.txt? y/n "));
  EXPECT_EQ(LastStatus(r.out), status);

  r = f.run("y\na\nN\nn\nnone.txt\nn\nn\na\n" + NewData("b.txt", 1, 2, 2, "N", 1, "n") + "X\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(LastStatus(r.out), "Dimensions: 2 sampling units, 2 variables"));
  EXPECT_TRUE(Lacks(LastStatus(r.out), "Resemblance"));
  EXPECT_EQ(CountOccurrences(r.out.substr(r.out.rfind("MAIN MENU")), "\t* "), 13);
}

// Session "beta" is a copy of "meadow.trk": opening it, the pointer was
// rewritten with the name inside the track, so the next start resumed meadow.
TEST(SessionTrack, NamedSessionsSavedRenamedAndReopened) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.write("d.txt", "1 2 3 4");
  f.write("old.trk", "old\n");
  // Save as "old" (exists: not erased), then "meadow"; new data renamed "small".
  PlexorRun r = f.run(shelltest::ReadDune() + "S\nold\nn\nmeadow\n" + NewData("d.txt", 1, 2, 2, "N", 1, "n") +
                      "y\nsmall\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out, "Enter name for the session: A session named old already exists. Wish to erase? y/n "));
  EXPECT_TRUE(Holds(r.out, "\nAnalysis status session meadow:\nData file name: dune.txt"));
  EXPECT_TRUE(Holds(r.out, "Wish to rename this session? y/n "));
  EXPECT_EQ(f.read("old.trk"), "old\n");
  EXPECT_EQ(f.read("Sessao.trk"), "small\n");
  EXPECT_TRUE(Begins(f.read("small.trk"), "small\nd.txt\n16/May/2007\n1\n2\n2\n"));
  const std::string meadow = f.read("meadow.trk");
  EXPECT_TRUE(Begins(meadow, "meadow\ndune.txt\n"));
  f.write("beta.trk", meadow);

  // Next start: decline "small", then open "beta" through N after a wrong name.
  r = f.run("n\na\nN\no\nnosuch\ny\nbeta\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.out, "Wish to continue analysis session small with data file d.txt? y/n "));
  EXPECT_TRUE(Holds(r.err, "can't open nosuch.trk"));
  EXPECT_TRUE(Holds(LastStatus(r.out),
                    "Analysis status session beta:\nData file name: dune.txt\n"
                    "Dimensions: 20 sampling units, 30 variables\n"));
  EXPECT_EQ(f.read("Sessao.trk"), "beta\n");
  EXPECT_TRUE(Begins(f.read("beta.trk"), "beta\ndune.txt\n"));
  EXPECT_EQ(f.read("meadow.trk"), meadow);
  r = f.run("y\na\nX\n");
  EXPECT_TRUE(Holds(r.out, "Wish to continue analysis session beta with data file dune.txt? y/n "));
}

// Which tracks are damaged: SessionTrackTest.cpp.
TEST(SessionTrack, DamagedOrForeignTracksLeaveNoData) {
  const struct {
    std::string track;
    const char* message;
  } cases[] = {
      {"Sessao\nd.txt\n16/May/2007\n1\n2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tfoo\t\n3\t4\t\n",
       "\nSession track file Sessao.trk is damaged ("},
      {"Sessao\nd.txt\n01/Jan/1999\n0\n0\n0\n0\n", "Previous analysis done with incompatible version of Plexor. \nSpecify data again."},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("Sessao.trk", c.track);
    PlexorRun r = f.run("y\nX\n");
    EXPECT_EQ(r.status, 0) << c.track;
    EXPECT_TRUE(Holds(r.out, c.message));
    EXPECT_TRUE(Holds(r.out, "\nAnalysis status: Data not available.\n")) << c.track;
    EXPECT_TRUE(Lacks(r.err, "END OF FILE"));
  }
}

// A rewrite of the track that fails part way (a file-size limit stands for a
// full disk) destroyed the previous track and still reported the session as
// saved. The old track now stays whole and the session is reported NOT saved.
TEST(TrackFile, FailedRewriteKeepsTheLastTrackAndSaysSo) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  ASSERT_EQ(f.run(shelltest::ReadDune() + "R\n1\n3\n0\nn\nX\n").status, 0);
  const std::string track = f.read("Sessao.trk");
  ASSERT_GT(track.size(), 4096u);

  // Half the size of the track: the results blocks still fit, the track not.
  const int blocks = static_cast<int>(track.size() / 512 / 2);
  PlexorRun r = f.runWithFileSizeLimit("y\ne\nR\n1\n20\n0\nn\nX\n", blocks);
  EXPECT_TRUE(Holds(r.out,
                    "\nFailed to write file Sessao.trk (File too large): the session is NOT saved; the previous "
                    "version of the file stays as it was.\n"));
  EXPECT_TRUE(Holds(LastStatus(r.out), "Resemblance measure: (20)percentage difference"));
  EXPECT_TRUE(Holds(LastStatus(r.out), "\nSession is NOT saved.\n"));
  EXPECT_EQ(f.read("Sessao.trk"), track);
  EXPECT_NE(std::system(("ls '" + f.path() + "' | grep -q 'Sessao.trk.'").c_str()), 0)
      << "no temporary file left behind";

  // The next start resumes the last state that was written whole.
  PlexorRun resumed = f.run("y\na\nX\n");
  EXPECT_TRUE(Holds(LastStatus(resumed.out), "Resemblance measure: (3)Euclidean distance"));
}

}  // namespace

// The session track written and read back in-process, and damaged tracks that
// must be refused without touching the session state.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::FileText;

// A 3 x 2 table read by variables, transformed, with a resemblance matrix
// between units, two principal-coordinate axes and one factor of two groups,
// in the layout of the track file.
const char* const kFullTrack =
    "Sessao\nmeadow.txt\n16/May/2007\n1\n"
    "3\n2\n2\n1\n0\n0\nT\n3\t4\t\n"
    "0.123457\t2.000000\t\n-3.500000\t4.000000\t\n5.000000\t-999.000000\t\n"
    "1\n2\n0\n"
    "10.000000\t2.000000\t\n-3.500000\t4.000000\t\n5.000000\t-999.000000\t\n"
    "u1\tu2\tu3\t\nalpha\tbeta\t\n2\n"
    "1\n1\n3\n4\n0\n1.500000\n0.250000\n1\n"
    "0\n1.23457\n2\n0\n3\n0\n"
    "1\n1\n2\n7.000000\t2.000000\t\n0.000000\t0.500000\t1.000000\t\n1.000000\t1.500000\t2.000000\t\n"
    "1\n1\n0\nsite\n0\t\n2\t\n1\t2\t\n1\t2\t2\t\n";

// The same state as written now: reals with 17 significant digits, so that
// they read back as the very same doubles.
const char* const kFullTrackExact =
    "Sessao\nmeadow.txt\n16/May/2007\n1\n"
    "3\n2\n2\n1\n0\n0\nT\n3\t4\t\n"
    "0.123457\t2\t\n-3.5\t4\t\n5\t-999\t\n"
    "1\n2\n0\n"
    "10\t2\t\n-3.5\t4\t\n5\t-999\t\n"
    "u1\tu2\tu3\t\nalpha\tbeta\t\n2\n"
    "1\n1\n3\n4\n0\n1.5\n0.25\n1\n"
    "0\n1.2345699999999999\n2\n0\n3\n0\n"
    "1\n1\n2\n7\t2\t\n0\t0.5\t1\t\n1\t1.5\t2\t\n"
    "1\n1\n0\nsite\n0\t\n2\t\n1\t2\t\n1\t2\t2\t\n";

// Every test runs in its own empty folder with no state loaded.
class SessionTrackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port = 0;
    eng = 1;
    Initialize();
    secondSet = thirdSet = false;
    LivraMemoria();
    SetDefaultSessionName();
    strcpy(filename, "");
    savedSession = 0;
  }
  void TearDown() override {
    LivraMemoria();
    nObj = nVar = nRows = nCols = nFactors = rank = 0;
    SetDefaultSessionName();
  }
  void Write(const char* name, const std::string& text) { std::ofstream(name) << text; }
  shelltest::InTempFolder folder_;
};

TEST_F(SessionTrackTest, StateWithoutDataIsSevenLines) {
  strcpy(filename, "meadow.txt");
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(savedSession, 1);
  EXPECT_EQ(FileText("Sessao.trk"), "Sessao\nmeadow.txt\n16/May/2007\n0\n0\n0\n0\n");
  // Flags set without their arrays are recorded as absent, so the track stays readable.
  temDados = temRese = temEscore = temGrupo = 1;
  nObj = 4;
  nFactors = 2;
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), "Sessao\nmeadow.txt\n16/May/2007\n0\n0\n0\n0\n");
  temDados = temRese = temEscore = temGrupo = 0;
}

TEST_F(SessionTrackTest, FullTrackReadAndWrittenBackUnchanged) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_EQ(format, 'T');
  EXPECT_EQ(optTrVeVar, 2);
  EXPECT_DOUBLE_EQ(data[0][0], 10);
  EXPECT_STREQ(varLabels[0], "alpha");
  EXPECT_EQ(nRows, 3);
  EXPECT_EQ(nCols, 2);
  EXPECT_DOUBLE_EQ(rese[1][0], 1.23457);  // the lower triangle mirrors the stored upper one
  EXPECT_DOUBLE_EQ(rese[2][1], 3);
  EXPECT_DOUBLE_EQ(escores[1][2], 2);
  EXPECT_STREQ(factorLabel[0], "site");
  EXPECT_EQ(grMemb[0][2], 2);

  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrackExact);
  ASSERT_EQ(ReadSessionTrack(), 1);
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrackExact);
}

// Every real comes back as the same double: six decimals turned values below
// 5e-7 into 0 and six significant digits changed a resumed ordination.
TEST_F(SessionTrackTest, RealsReadBackExactly) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  const double values[] = {0.1234567, 4e-7, 1.0 / 3.0, -2.0 / 7.0, 1e-300, 123456789.123456789};
  dataOrig[0][0] = values[0];
  data[1][0] = values[1];
  rese[0][1] = rese[1][0] = values[2];
  eig[1] = values[3];
  escores[0][2] = values[4];
  alphaH = values[5];
  kParameter = values[1];
  ASSERT_EQ(WriteSessionTrack(), 1);
  LivraMemoria();
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(dataOrig[0][0], values[0]);
  EXPECT_EQ(data[1][0], values[1]);
  EXPECT_EQ(rese[1][0], values[2]);
  EXPECT_EQ(eig[1], values[3]);
  EXPECT_EQ(escores[0][2], values[4]);
  EXPECT_EQ(alphaH, values[5]);
  EXPECT_EQ(kParameter, values[1]);
}

// A copied track carries the name of the session it was copied from: the
// session opened is the file, and the pointer names the file written.
TEST_F(SessionTrackTest, SessionIsTheTrackFileOpened) {
  Write("alpha.trk", "alpha" + std::string(kFullTrack).substr(6));
  Write("beta.trk", "alpha" + std::string(kFullTrack).substr(6));
  strcpy(sessionFilename, "beta.trk");
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_STREQ(sessionName, "beta");
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), "beta\n");
  EXPECT_EQ(FileText("beta.trk"), "beta" + std::string(kFullTrackExact).substr(6));
  EXPECT_EQ(FileText("alpha.trk"), "alpha" + std::string(kFullTrack).substr(6));
}

// The transformation of the resemblance values and the Beals options close
// the track when they matter, and are read back; a track without them has
// neither.
TEST_F(SessionTrackTest, ClosingChoicesWrittenOnlyWhenTheyMatter) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  optPostReseTransf = 2;
  BealsTypeOpt = 1;
  BealsIncludeOpt = 0;
  BealsNormalizeOpt = 1;
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), std::string(kFullTrackExact) + "2\n1\n0\n1\n");
  optPostReseTransf = 0;
  BealsTypeOpt = 0;
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(optPostReseTransf, 2);
  EXPECT_EQ(BealsTypeOpt, 1);
  EXPECT_EQ(BealsIncludeOpt, 0);
  EXPECT_EQ(BealsNormalizeOpt, 1);

  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(optPostReseTransf, 0) << "a track without the closing choices has an untransformed resemblance";
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrackExact);

  optTrVeUnits = 11;  // Beals smoothing in force, resemblance values untransformed
  ASSERT_EQ(WriteSessionTrack(), 1);
  const std::string beals = FileText("Sessao.trk");
  EXPECT_EQ(beals.substr(beals.size() - 16), "\n1\t2\t2\t\n0\n1\n0\n1\n");
  optTrVeUnits = 0;

  Write("Sessao.trk", std::string(kFullTrack) + "5\n0\n0\n0\n");
  LivraMemoria();
  EXPECT_EQ(ReadSessionTrack(), 0) << "no such transformation of the resemblance values";
  EXPECT_EQ(temDados, 0);
}

// Without a resemblance matrix, which records them, the numbers of classes
// of a rescaling in force close the track: a resumed session re-applies the
// rescaling it ended with, not the default.
TEST_F(SessionTrackTest, NumbersOfClassesKeptWithoutResemblance) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  FreeOrdination();
  FreeResemblance();
  optTrVeVar = 8;
  nClassesVar = 5;
  nClassesUnits = 0;
  BealsTypeOpt = 1;
  BealsIncludeOpt = 1;
  BealsNormalizeOpt = 0;
  ASSERT_EQ(WriteSessionTrack(), 1);
  const std::string text = FileText("Sessao.trk");
  EXPECT_EQ(text.substr(text.size() - 14), "\t\n0\n1\n1\n0\n5\n0\n") << text;
  nClassesVar = 0;
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(nClassesVar, 5);
  EXPECT_EQ(optTrVeVar, 8);
}

TEST_F(SessionTrackTest, NamedSessionHasItsOwnFileAndThePointer) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  strcpy(sessionName, "prado");
  strcpy(sessionFilename, "prado.trk");
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), "prado\n");
  EXPECT_EQ(FileText("prado.trk"), "prado" + std::string(kFullTrackExact).substr(6));
}

TEST_F(SessionTrackTest, UnwritableTrackLeavesThePointerAndTheLastTrack) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  savedSession = 1;
  strcpy(sessionName, "lost");
  strcpy(sessionFilename, "nodir/lost.trk");
  testing::internal::CaptureStdout();
  EXPECT_EQ(WriteSessionTrack(), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Failed to write file nodir/lost.trk"), std::string::npos);
  EXPECT_EQ(savedSession, 0) << "the state is no longer what a track holds";
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrack);
}

// A write that fails part way (here a file-size limit, as a full disk would)
// leaves the last track whole, and the session is reported as not saved.
TEST_F(SessionTrackTest, FailedRewriteKeepsTheLastTrackWhole) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  const int n = 60;  // a table far larger than the limit below
  LivraMemoria();
  nObj = nVar = n;
  Dimensiona();
  for (int i = 0; i < n; i++) {
    snprintf(uaLabels[i], LABEL_LEN + 1, "u%d", i);
    snprintf(varLabels[i], LABEL_LEN + 1, "v%d", i);
    for (int j = 0; j < n; j++) dataOrig[i][j] = data[i][j] = 1.0 / (i + j + 1);
  }
  temDados = 1;
  savedSession = 1;
  fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const int written = WriteSessionTrack();
    _exit(written * 10 + savedSession);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "not written, and the session not saved";
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrack);
  EXPECT_EQ(system("ls Sessao.trk.* >/dev/null 2>&1"), 256 * 2) << "no temporary file left";
}

TEST_F(SessionTrackTest, MissingOrOtherVersionReadsNothing) {
  Write("Sessao.trk", "Sessao\nmeadow.txt\n01/Jan/2001\n0\n0\n0\n0\n");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 0);
  strcpy(sessionFilename, "ghost.trk");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 0);
}

// Damaged variants of a valid 2 x 2 track: each is refused and nothing is loaded.
TEST_F(SessionTrackTest, DamagedTracksRefused) {
  const std::string head = "Sessao\nd.txt\n16/May/2007\n1\n";
  const std::string good = head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n0\n0\n1\t2\t\n3\t4\t\na\tb\t\nc\td\t\n1\n0\n0\n0\n";
  Write("Sessao.trk", good);
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_DOUBLE_EQ(data[1][1], 4);
  LivraMemoria();
  // Rescaling into k classes within variables, with a resemblance that
  // records k: one class at least.
  auto classes = [&](int k) {
    return head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n8\n0\n1\t1\t\n2\t2\t\na\tb\t\nc\td\t\n1\n" +
           "1\n1\n1\n" + std::to_string(k) + "\n0\n1\n0\n0\n" + "2\n4\n8\n0\n0\n";
  };
  Write("Sessao.trk", classes(3));
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(nClassesVar, 3);
  EXPECT_DOUBLE_EQ(rese[1][0], 4);
  LivraMemoria();

  const std::vector<std::string> damaged = {
      "",                                                           // empty
      head,                                                         // stops after the data flag
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t",              // truncated in the data
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tx\t\n3\t4\t\n",        // a word among the numbers
      head + "-2\n2\n1\n1\n0\n0\nN\n",                              // negative dimension
      head + "0\n2\n1\n1\n0\n0\nN\n",                               // zero dimension
      head + "2000000000\n2000000000\n1\n1\n0\n0\nN\n",             // absurd dimensions
      head + "2\n2\n1\n1\n0\n0\nQ\n",                               // unknown order
      head + "2\n2\n1\n1\n0\n0\nN\n3\t9\t\n",                        // variable type out of range
      head + "2\n2\n9\n1\n0\n0\nN\n",                               // kind of data out of range
      good.substr(0, good.size() - 6) + "1\n2\n",                   // resemblance flag set, settings missing
      good.substr(0, good.size() - 6) + "1\n1\n3\n0\n0\n1\n0\n0\n1\n2\n",  // triangle cut short
      good.substr(0, good.size() - 4) + "1\n1\n5\n",                // ordination without resemblance
      good.substr(0, good.size() - 2) + "1\n100000\n",              // absurd number of factors
      good.substr(0, good.size() - 2) + "1\n1\n0\nf\n0\t\n7\t\n",   // more groups than units
      "Sessao\nd.txt\n16/May/2007\n0\n1\n1\n1\n2\n",                 // resemblance without data
      "Sessao\nd.txt\n16/May/2007\n7\n",                             // flag not 0 or 1
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n99\n0\n0\n",       // no such transformation
      good.substr(0, good.size() - 6) + "1\n1\n77\n0\n0\n1\n0\n0\n",      // no such resemblance measure
      // Option numbers that the option tables hold but no menu offers.
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n6\n0\n0\n",    // scalar: the cancel entry
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n10\n0\n",   // Hellinger within variables
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n13\n0\n",   // within variables: cancel
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n0\n12\n",   // group means within units
      good.substr(0, good.size() - 6) + "1\n1\n0\n0\n0\n1\n0\n0\n1\n2\n3\n",       // measure 0
      good.substr(0, good.size() - 6) + "1\n1\n30\n0\n0\n1\n0\n0\n1\n2\n3\n",      // measure 30: cancel
      good + "0\n2\n1\n0\n",                                           // Beals co-occurrence type 2
      classes(0),                                                    // rescaling into 0 classes
      // Data as read that are not finite numbers.
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tnan\t\n3\t4\t\n0\n0\n0\n1\t2\t\n3\t4\t\na\tb\t\nc\td\t\n1\n0\n0\n0\n",
  };
  for (size_t k = 0; k < damaged.size(); k++) {
    Write("Sessao.trk", damaged[k]);
    EXPECT_EQ(ReadSessionTrack(), 0) << "variant " << k;
    EXPECT_EQ(temDados, 0) << "variant " << k;
    EXPECT_EQ(temRese, 0) << "variant " << k;
    EXPECT_EQ(dataOrig, nullptr) << "variant " << k;
  }
}

TEST_F(SessionTrackTest, DamagedTrackLeavesLoadedDataAlone) {
  Write("Sessao.trk", kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  Write("broken.trk", "broken\nx.txt\n16/May/2007\n1\n5\n5\n1\n1\n0\n0\nN\n");
  strcpy(sessionFilename, "broken.trk");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 1);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(nObj, 3);
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_STREQ(sessionName, "Sessao");
}

TEST_F(SessionTrackTest, LongLabelsInTrackAreCut) {
  const std::string label(45, 'z');
  Write("Sessao.trk", "Sessao\nd.txt\n16/May/2007\n1\n1\n1\n1\n1\n0\n0\nN\n3\t\n1\t\n0\n0\n0\n1\t\n" + label +
                          "\t\nv\t\n2\n0\n0\n0\n");
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(std::string(uaLabels[0]), std::string(30, 'z'));
}

}  // namespace

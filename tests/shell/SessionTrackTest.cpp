// The session track written and read back in-process: the layout and exact
// reals, the choices that close it, and damaged tracks refused without
// touching the session state. (Named sessions, the pointer file and failed
// writes are checked end to end in DataSessionE2E.cpp.)
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

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

void Write(const std::string& text, const char* name = "Sessao.trk") { std::ofstream(name) << text; }

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
  shelltest::InTempFolder folder_;
};

TEST_F(SessionTrackTest, StateWithoutDataIsSevenLines) {
  strcpy(filename, "meadow.txt");
  for (int flags : {0, 1}) {
    // Flags set without their arrays are recorded as absent, so the track stays readable.
    temDados = temRese = temEscore = temGrupo = flags;
    nObj = nFactors = 4 * flags;
    ASSERT_EQ(WriteSessionTrack(), 1);
    EXPECT_EQ(savedSession, 1);
    EXPECT_EQ(FileText("Sessao.trk"), "Sessao\nmeadow.txt\n16/May/2007\n0\n0\n0\n0\n");
  }
  temDados = temRese = temEscore = temGrupo = 0;
}

TEST_F(SessionTrackTest, FullTrackReadAndWrittenBackUnchanged) {
  Write(kFullTrack);
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
  for (int pass = 0; pass < 2; pass++) {
    ASSERT_EQ(WriteSessionTrack(), 1);
    EXPECT_EQ(FileText("Sessao.trk"), kFullTrackExact);
    ASSERT_EQ(ReadSessionTrack(), 1);
  }
}

// Every real comes back as the same double: six decimals turned values below
// 5e-7 into 0 and six significant digits changed a resumed ordination.
TEST_F(SessionTrackTest, RealsReadBackExactly) {
  Write(kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  const double values[] = {0.1234567, 4e-7, 1.0 / 3.0, -2.0 / 7.0, 1e-300, 123456789.123456789};
  dataOrig[0][0] = values[0];
  data[1][0] = kParameter = values[1];
  rese[0][1] = rese[1][0] = values[2];
  eig[1] = values[3];
  escores[0][2] = values[4];
  alphaH = values[5];
  ASSERT_EQ(WriteSessionTrack(), 1);
  LivraMemoria();
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(dataOrig[0][0], values[0]);
  EXPECT_EQ(data[1][0], values[1]);
  EXPECT_EQ(kParameter, values[1]);
  EXPECT_EQ(rese[1][0], values[2]);
  EXPECT_EQ(eig[1], values[3]);
  EXPECT_EQ(escores[0][2], values[4]);
  EXPECT_EQ(alphaH, values[5]);
}

// The transformation of the resemblance values, the Beals options and,
// without a resemblance matrix (which records them), the numbers of classes
// of a rescaling close the track when they matter, and are read back; a
// track without them has none of them.
TEST_F(SessionTrackTest, ClosingChoicesWrittenOnlyWhenTheyMatter) {
  Write(kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  optPostReseTransf = 2;
  BealsTypeOpt = 1;
  BealsIncludeOpt = 0;
  BealsNormalizeOpt = 1;
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), std::string(kFullTrackExact) + "2\n1\n0\n1\n");
  optPostReseTransf = BealsTypeOpt = 0;
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(optPostReseTransf * 1000 + BealsTypeOpt * 100 + BealsIncludeOpt * 10 + BealsNormalizeOpt, 2101);

  Write(kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(optPostReseTransf, 0) << "a track without the closing choices has an untransformed resemblance";
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(FileText("Sessao.trk"), kFullTrackExact);
  optTrVeUnits = 11;  // Beals smoothing in force, resemblance values untransformed
  ASSERT_EQ(WriteSessionTrack(), 1);
  std::string text = FileText("Sessao.trk");
  EXPECT_EQ(text.substr(text.size() - 16), "\n1\t2\t2\t\n0\n1\n0\n1\n");
  optTrVeUnits = 0;

  // Rescaling into 5 classes within variables, no resemblance matrix: a
  // resumed session re-applies the rescaling it ended with, not the default.
  FreeOrdination();
  FreeResemblance();
  optTrVeVar = 8;
  nClassesVar = 5;
  nClassesUnits = 0;
  BealsTypeOpt = BealsIncludeOpt = 1;
  BealsNormalizeOpt = 0;
  ASSERT_EQ(WriteSessionTrack(), 1);
  text = FileText("Sessao.trk");
  EXPECT_EQ(text.substr(text.size() - 14), "\t\n0\n1\n1\n0\n5\n0\n") << text;
  nClassesVar = 0;
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(nClassesVar, 5);
  EXPECT_EQ(optTrVeVar, 8);
}

// Damaged variants of a valid 2 x 2 track: each is refused and nothing is loaded.
TEST_F(SessionTrackTest, DamagedTracksRefused) {
  const std::string head = "Sessao\nd.txt\n16/May/2007\n1\n";
  const std::string table = head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n";
  const std::string good = table + "0\n0\n0\n1\t2\t\n3\t4\t\na\tb\t\nc\td\t\n1\n0\n0\n0\n";
  const std::string noGroups = good.substr(0, good.size() - 2), noRese = good.substr(0, good.size() - 6);
  Write(good);
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_DOUBLE_EQ(data[1][1], 4);
  LivraMemoria();
  // Rescaling into k classes within variables, with a resemblance that
  // records k: one class at least.
  auto classes = [&](int k) {
    return head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n8\n0\n1\t1\t\n2\t2\t\na\tb\t\nc\td\t\n1\n" +
           "1\n1\n1\n" + std::to_string(k) + "\n0\n1\n0\n0\n" + "2\n4\n8\n0\n0\n";
  };
  Write(classes(3));
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(nClassesVar, 3);
  EXPECT_DOUBLE_EQ(rese[1][0], 4);
  LivraMemoria();

  const std::vector<std::string> damaged = {
      "",                                                     // empty
      head,                                                   // stops after the data flag
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t",       // truncated in the data
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tx\t\n3\t4\t\n",  // a word among the numbers
      head + "-2\n2\n1\n1\n0\n0\nN\n",                        // negative dimension
      head + "0\n2\n1\n1\n0\n0\nN\n",                         // zero dimension
      head + "2000000000\n2000000000\n1\n1\n0\n0\nN\n",       // absurd dimensions
      head + "2\n2\n1\n1\n0\n0\nQ\n",                         // unknown order
      head + "2\n2\n1\n1\n0\n0\nN\n3\t9\t\n",                  // variable type out of range
      head + "2\n2\n9\n1\n0\n0\nN\n",                         // kind of data out of range
      "Sessao\nd.txt\n01/Jan/2001\n0\n0\n0\n0\n",             // another version
      noRese + "1\n2\n",                                      // resemblance flag set, settings missing
      noRese + "1\n1\n3\n0\n0\n1\n0\n0\n1\n2\n",              // triangle cut short
      good.substr(0, good.size() - 4) + "1\n1\n5\n",          // ordination without resemblance
      noGroups + "1\n100000\n",                               // absurd number of factors
      noGroups + "1\n1\n0\nf\n0\t\n7\t\n",                    // more groups than units
      "Sessao\nd.txt\n16/May/2007\n0\n1\n1\n1\n2\n",          // resemblance without data
      "Sessao\nd.txt\n16/May/2007\n7\n",                      // flag not 0 or 1
      table + "99\n0\n0\n",                                   // no such transformation
      noRese + "1\n1\n77\n0\n0\n1\n0\n0\n",                   // no such resemblance measure
      std::string(kFullTrack) + "5\n0\n0\n0\n",               // no such transformation of the resemblance
      // Option numbers that the option tables hold but no menu offers.
      table + "6\n0\n0\n",                                    // scalar: the cancel entry
      table + "0\n10\n0\n",                                   // Hellinger within variables
      table + "0\n13\n0\n",                                   // within variables: cancel
      table + "0\n0\n12\n",                                   // group means within units
      noRese + "1\n1\n0\n0\n0\n1\n0\n0\n1\n2\n3\n",           // measure 0
      noRese + "1\n1\n30\n0\n0\n1\n0\n0\n1\n2\n3\n",          // measure 30: cancel
      good + "0\n2\n1\n0\n",                                  // Beals co-occurrence type 2
      classes(0),                                             // rescaling into 0 classes
      // Data as read that are not finite numbers.
      head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tnan\t\n3\t4\t\n0\n0\n0\n1\t2\t\n3\t4\t\na\tb\t\nc\td\t\n1\n0\n0\n0\n",
  };
  for (size_t k = 0; k < damaged.size(); k++) {
    Write(damaged[k]);
    EXPECT_EQ(ReadSessionTrack(), 0) << "variant " << k;
    EXPECT_EQ(temDados + temRese, 0) << "variant " << k;
    EXPECT_EQ(dataOrig, nullptr) << "variant " << k;
  }
}

TEST_F(SessionTrackTest, DamagedTrackLeavesLoadedDataAlone) {
  Write(kFullTrack);
  ASSERT_EQ(ReadSessionTrack(), 1);
  Write("broken\nx.txt\n16/May/2007\n1\n5\n5\n1\n1\n0\n0\nN\n", "broken.trk");
  strcpy(sessionFilename, "broken.trk");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 1);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(nObj, 3);
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_STREQ(sessionName, "Sessao");
}

TEST_F(SessionTrackTest, LongLabelsInTrackAreCut) {
  Write("Sessao\nd.txt\n16/May/2007\n1\n1\n1\n1\n1\n0\n0\nN\n3\t\n1\t\n0\n0\n0\n1\t\n" + std::string(45, 'z') +
        "\t\nv\t\n2\n0\n0\n0\n");
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(std::string(uaLabels[0]), std::string(30, 'z'));
}

}  // namespace

// The session track written and read back in-process, and damaged tracks that
// must be refused without touching the session state.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

namespace {

std::string Slurp(const char* name) {
  std::ifstream f(name);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> v;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

// Every test runs in its own empty folder with no state loaded.
class SessionTrackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/plexor-track-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
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
    ASSERT_EQ(chdir(previous_), 0);
    std::string cmd = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(system(cmd.c_str()), 0);
  }
  // A 3 x 2 table with resemblance between units, principal coordinates and one factor.
  void LoadState() {
    strcpy(filename, "meadow.txt");
    nObj = 3;
    nVar = 2;
    optVarTipo = 2;
    temQuant = 1;
    temQual = temBin = 0;
    format = 'T';
    Dimensiona();
    const double values[3][2] = {{0.1234567, 2}, {-3.5, 4}, {5, -999}};
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 2; j++) dataOrig[i][j] = data[i][j] = values[i][j];
    data[0][0] = 10;
    varType[0] = 3;
    varType[1] = 4;
    strcpy(uaLabels[0], "u1");
    strcpy(uaLabels[1], "u2");
    strcpy(uaLabels[2], "u3");
    strcpy(varLabels[0], "alpha");
    strcpy(varLabels[1], "beta");
    optLabel = 2;
    optTrEs = 1;
    optTrVeVar = 2;
    optTrVeUnits = 0;
    temDados = 1;
    temRese = 1;
    optReseDir = 1;
    optReseTipo = 3;
    nClassesVar = 4;
    nClassesUnits = 0;
    alphaH = 1.5;
    kParameter = 0.25;
    countDoubleAbsence = 1;
    nRows = 3;
    nCols = 2;
    rese = dimDouble2D(3, 3);
    const double r[3][3] = {{0, 1.23456789, 2}, {1.23456789, 0, 3}, {2, 3, 0}};
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) rese[i][j] = r[i][j];
    temEscore = 1;
    optOrdiType = 1;
    rank = 2;
    eig = dimDouble1D(4);
    evectors = dimDouble2D(4, 4);
    escores = dimDouble2D(3, 3);
    eig[0] = 7;
    eig[1] = 2;
    for (int k = 0; k < 2; k++)
      for (int i = 0; i < 3; i++) escores[k][i] = k + 0.5 * i;
    temGrupo = 1;
    nFactors = 1;
    nesting = 0;
    grMembDimensioned = 1;
    const int rows = GroupArrayRows(1);
    grMemb = dimInt2D(rows, 3);
    grLabel = dimInt2D(rows, 3);
    nGroups = dimInt1D(rows);
    nestedFactor = dimInt1D(1);
    factorLabel = dimChar2D(1, NAME_LEN);
    strcpy(factorLabel[0], "site");
    nGroups[0] = 2;
    grLabel[0][0] = 1;
    grLabel[0][1] = 2;
    grMemb[0][0] = 1;
    grMemb[0][1] = 2;
    grMemb[0][2] = 2;
  }
  void Write(const char* name, const std::string& text) { std::ofstream(name) << text; }

  std::string dir_;
  char previous_[4096];
};

TEST_F(SessionTrackTest, EmptySessionLines) {
  strcpy(filename, "meadow.txt");
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(savedSession, 1);
  EXPECT_EQ(Slurp("Sessao.trk"), "Sessao\nmeadow.txt\n16/May/2007\n0\n0\n0\n0\n");
}

TEST_F(SessionTrackTest, FullRoundTrip) {
  LoadState();
  ASSERT_EQ(WriteSessionTrack(), 1);
  const std::vector<std::string> lines = Lines(Slurp("Sessao.trk"));
  EXPECT_EQ(lines[0], "Sessao");
  // The resemblance upper triangle: 3 + 2 + 1 lines after countDoubleAbsence.
  size_t k = 0;
  while (k < lines.size() && lines[k] != "0.250000") k++;
  ASSERT_LT(k + 8, lines.size());
  EXPECT_EQ(lines[k + 1], "1");
  EXPECT_EQ(lines[k + 2], "0");
  EXPECT_EQ(lines[k + 3], "1.23457");
  EXPECT_EQ(lines[k + 7], "0");
  EXPECT_EQ(lines[k + 8], "1");  // temEscore

  LivraMemoria();
  optTrEs = optTrVeVar = 0;
  strcpy(filename, "other");
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_STREQ(sessionName, "Sessao");
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_EQ(temDados, 1);
  EXPECT_EQ(nObj, 3);
  EXPECT_EQ(nVar, 2);
  EXPECT_EQ(optVarTipo, 2);
  EXPECT_EQ(format, 'T');
  EXPECT_EQ(varType[1], 4);
  EXPECT_DOUBLE_EQ(dataOrig[0][0], 0.123457);
  EXPECT_DOUBLE_EQ(dataOrig[2][1], -999);
  EXPECT_DOUBLE_EQ(data[0][0], 10);
  EXPECT_STREQ(uaLabels[2], "u3");
  EXPECT_STREQ(varLabels[0], "alpha");
  EXPECT_EQ(optLabel, 2);
  EXPECT_EQ(optTrEs, 1);
  EXPECT_EQ(optTrVeVar, 2);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(nRows, 3);
  EXPECT_EQ(nCols, 2);
  EXPECT_EQ(nClassesVar, 4);
  EXPECT_DOUBLE_EQ(alphaH, 1.5);
  EXPECT_DOUBLE_EQ(kParameter, 0.25);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_DOUBLE_EQ(rese[i][j], rese[j][i]);
  EXPECT_DOUBLE_EQ(rese[1][0], 1.23457);
  EXPECT_DOUBLE_EQ(rese[2][1], 3);
  EXPECT_EQ(temEscore, 1);
  EXPECT_EQ(rank, 2);
  EXPECT_DOUBLE_EQ(eig[0], 7);
  EXPECT_DOUBLE_EQ(escores[1][2], 2);
  EXPECT_EQ(temGrupo, 1);
  EXPECT_EQ(grMembDimensioned, 1);
  EXPECT_STREQ(factorLabel[0], "site");
  EXPECT_EQ(nGroups[0], 2);
  EXPECT_EQ(grLabel[0][1], 2);
  EXPECT_EQ(grMemb[0][2], 2);
}

TEST_F(SessionTrackTest, NamedSessionKeepsPointerFile) {
  LoadState();
  strcpy(sessionName, "prado");
  strcpy(sessionFilename, "prado.trk");
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(Slurp("Sessao.trk"), "prado\n");
  EXPECT_EQ(Lines(Slurp("prado.trk"))[0], "prado");
}

TEST_F(SessionTrackTest, FlagsWithoutArraysAreRecordedAsAbsent) {
  strcpy(filename, "meadow.txt");
  temDados = temRese = temEscore = temGrupo = 1;
  nObj = 4;
  nFactors = 2;
  ASSERT_EQ(WriteSessionTrack(), 1);
  EXPECT_EQ(Slurp("Sessao.trk"), "Sessao\nmeadow.txt\n16/May/2007\n0\n0\n0\n0\n");
  temDados = temRese = temEscore = temGrupo = 0;
}

TEST_F(SessionTrackTest, IncompatibleVersionRefused) {
  Write("Sessao.trk", "Sessao\nmeadow.txt\n01/Jan/2001\n0\n0\n0\n0\n");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 0);
}

TEST_F(SessionTrackTest, MissingTrackReturnsZero) {
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
  LoadState();
  Write("broken.trk", "broken\nx.txt\n16/May/2007\n1\n5\n5\n1\n1\n0\n0\nN\n");
  strcpy(sessionFilename, "broken.trk");
  EXPECT_EQ(ReadSessionTrack(), 0);
  EXPECT_EQ(temDados, 1);
  EXPECT_EQ(nObj, 3);
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_STREQ(sessionName, "Sessao");
}

TEST_F(SessionTrackTest, LongLabelsInTrackAreCut) {
  const std::string label(45, 'z');
  Write("Sessao.trk", "Sessao\nd.txt\n16/May/2007\n1\n1\n1\n1\n1\n0\n0\nN\n3\t\n1\t\n0\n0\n0\n1\t\n" + label + "\t\nv\t\n2\n0\n0\n0\n");
  ASSERT_EQ(ReadSessionTrack(), 1);
  EXPECT_EQ(std::string(uaLabels[0]), std::string(30, 'z'));
}

}  // namespace

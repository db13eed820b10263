// Bookkeeping after each main-menu action: when the session track is
// rewritten and which flags and derived values change; the results file
// switches from "w" to "a" when it is opened.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"

namespace {

// Runs in an empty folder with no data and a results file still to be erased.
class AfterAction : public ::testing::Test {
 protected:
  void SetUp() override {
    port = 0;
    eng = 1;
    SetDefaultSessionName();
    Reset();
  }
  void TearDown() override { Reset(); }
  static void Reset() {
    temDados = temRese = temEscore = temGrupo = 0;
    optVarTipo = 1;
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    optReseDir = 1;
    nRows = 0;
    savedSession = 0;
    strcpy(modeZoviri, "w");
    unlink("Sessao.trk");
    SetStepReached();
    SetDataType(0, 0, 0);
  }
  static bool TrackWritten() { return access("Sessao.trk", F_OK) == 0; }
  static bool Appending() { return strcmp(modeZoviri, "a") == 0; }
  shelltest::InTempFolder folder_;
};

TEST_F(AfterAction, TrackByLetterAndResultModeLeftAlone) {
  struct {
    char letter;
    int result;
    bool track;
  } cases[] = {
      {'A', 1, true},  {'P', 1, true},  {'K', 1, true},  {'F', 1, true},  {'F', 0, false},  // path analysis refused
      {'C', 1, false}, {'Y', 1, false}, {'V', 1, false}, {'V', 0, false}, {'G', 1, true},
      {'N', 1, true},  {'O', 1, true},  {'O', 0, false}, {'R', 1, true},  {'R', 0, false},
      {'R', 2, false}, {'T', 1, true},  {'T', 0, false}, {'D', 1, false}, {'E', 1, false},
      {'J', 1, false}, {'S', 1, false}, {'U', 1, false}, {'Z', 1, false},
  };
  for (const auto& c : cases) {
    Reset();
    AfterMainOption(c.letter, c.result);
    EXPECT_EQ(TrackWritten(), c.track) << c.letter << c.result;
    // Only opening the results file turns the mode to append: an action
    // that wrote nothing (a cancelled cluster analysis, restored data)
    // leaves a file the user chose to erase still to be erased.
    EXPECT_FALSE(Appending()) << c.letter << c.result;
  }
}

TEST_F(AfterAction, OpeningTheResultsFileTurnsTheModeToAppend) {
  FILE* old = fopen("Zoviri.txt", "w");
  ASSERT_NE(old, nullptr);
  fputs("earlier run\n", old);
  fclose(old);
  FILE* f = OpenResultsFile();
  ASSERT_NE(f, nullptr);
  fputs("first\n", f);
  fclose(f);
  EXPECT_TRUE(Appending());
  f = OpenResultsFile();
  ASSERT_NE(f, nullptr);
  fputs("second\n", f);
  fclose(f);
  EXPECT_TRUE(Appending()) << "the mode never returns to w";
  EXPECT_EQ(shelltest::FileText("Zoviri.txt"), "first\nsecond\n");
}

TEST_F(AfterAction, ResemblanceRecordedUpTo400Rows) {
  nRows = 400;
  rese = dimDouble2D(nRows, nRows);
  temEscore = 1;
  AfterMainOption('R', 1);
  freeDouble2D(rese, nRows);
  rese = nullptr;
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(savedSession, 1);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(temEscore, 0) << "scores of the former matrix are gone";

  Reset();
  savedSession = 1;
  nRows = 401;
  temDados = 1;
  optReseDir = 2;
  AfterMainOption('R', 1);
  EXPECT_FALSE(TrackWritten());
  EXPECT_EQ(savedSession, 0);
  EXPECT_EQ(stepReached, 4);

  // Once the matrix is gone its former order no longer holds the track back.
  temRese = 0;
  AfterMainOption('G', 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(savedSession, 1);
}

TEST_F(AfterAction, TransformationAlwaysRecordedAndRetypesTheData) {
  temRese = 1;
  temEscore = 1;
  nRows = 500;
  optVarTipo = 2;
  optTrVeVar = 7;  // range within variables: type 2 becomes type 1
  AfterMainOption('T', 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(temRese, 0);
  EXPECT_EQ(temEscore, 0);
  EXPECT_EQ(dataType, 1);

  Reset();
  temRese = 1;
  AfterMainOption('T', 0);
  EXPECT_EQ(temRese, 1) << "a cancelled transformation changes nothing";
}

TEST_F(AfterAction, OrdinationAndGroupsSetTheirFlagAndStage) {
  AfterMainOption('O', 0);
  EXPECT_EQ(temEscore, 0);
  AfterMainOption('O', 1);
  EXPECT_EQ(temEscore, 1);
  temDados = temRese = temGrupo = 1;
  AfterMainOption('G', 1);
  EXPECT_EQ(stepReached, 3);
}

TEST_F(AfterAction, PathAnalysisRefusedForUnsuitableTypes) {
  testing::internal::CaptureStdout();
  for (int type : {3, 5, 6, 7, 8}) {
    dataType = type;
    EXPECT_EQ(RunMainOption('F'), 0) << type;
  }
  const std::string printed = testing::internal::GetCapturedStdout();
  std::string expected;
  for (int k = 0; k < 5; k++) expected += "\nData type is not adequate for any option of path analysis.";
  EXPECT_EQ(printed, expected);
}

}  // namespace

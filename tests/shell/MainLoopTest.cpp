// Bookkeeping after each main-menu action: when the session track is
// rewritten, when the results file switches from "w" to "a", and when the
// stage and data type are derived again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/SessionState.h"

namespace {

// Runs each case in an empty folder with no data and a fresh results file.
class AfterAction : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/plexor-mainloop-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    port = 0;
    eng = 1;
    SetDefaultSessionName();
    temDados = temRese = temEscore = temGrupo = 0;
    optVarTipo = 1;
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    optReseDir = 1;
    nRows = 0;
    savedSession = 0;
    strcpy(modeZoviri, "w");
    SetStepReached();
    SetDataType(0, 0, 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(home_), 0);
    std::string cmd = "rm -rf '" + dir_ + "'";
    if (system(cmd.c_str()) != 0) {
    }
    optVarTipo = 0;
    temDados = temRese = temEscore = temGrupo = 0;
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    nRows = 0;
    strcpy(modeZoviri, "w");
    SetDataType(0, 0, 0);
    SetStepReached();
  }
  static bool TrackWritten() { return access("Sessao.trk", F_OK) == 0; }
  static bool Appending() { return strcmp(modeZoviri, "a") == 0; }

 private:
  std::string dir_;
  char home_[4096] = "";
};

TEST_F(AfterAction, ResemblanceOf400RowsIsRecorded) {
  nRows = 400;
  rese = dimDouble2D(nRows, nRows);
  AfterMainOption('R', 1);
  freeDouble2D(rese, nRows);
  rese = nullptr;
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(savedSession, 1);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(temEscore, 0);
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, ResemblanceOf401RowsIsNotRecorded) {
  savedSession = 1;
  nRows = 401;
  temEscore = 1;
  AfterMainOption('R', 1);
  EXPECT_FALSE(TrackWritten());
  EXPECT_EQ(savedSession, 0);
  EXPECT_EQ(temRese, 1);
  EXPECT_EQ(temEscore, 0) << "scores of the former matrix are gone";
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, ResemblanceSetsTheStage) {
  temDados = 1;
  nRows = 401;  // not recorded: the state holds no real table
  optReseDir = 2;
  SetStepReached();
  ASSERT_EQ(stepReached, 1);
  AfterMainOption('R', 1);
  EXPECT_EQ(stepReached, 4);
}

TEST_F(AfterAction, CancelledResemblanceChangesNothing) {
  nRows = 3;
  AfterMainOption('R', 0);
  EXPECT_FALSE(TrackWritten());
  EXPECT_EQ(temRese, 0);
  EXPECT_FALSE(Appending());
  AfterMainOption('R', 2);
  EXPECT_EQ(temRese, 0);
}

TEST_F(AfterAction, TransformationIsAlwaysRecorded) {
  temRese = 1;
  temEscore = 1;
  nRows = 500;
  optVarTipo = 2;
  optTrVeVar = 7;  // range within variables: type 2 becomes type 1
  AfterMainOption('T', 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(savedSession, 1);
  EXPECT_EQ(temRese, 0);
  EXPECT_EQ(temEscore, 0);
  EXPECT_EQ(dataType, 1);
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, CancelledTransformationChangesNothing) {
  temRese = 1;
  AfterMainOption('T', 0);
  EXPECT_FALSE(TrackWritten());
  EXPECT_EQ(temRese, 1);
  EXPECT_FALSE(Appending());
}

TEST_F(AfterAction, OrdinationMarksScoresOnlyWhenDone) {
  AfterMainOption('O', 0);
  EXPECT_EQ(temEscore, 0);
  EXPECT_FALSE(TrackWritten());
  AfterMainOption('O', 1);
  EXPECT_EQ(temEscore, 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, GroupsAreRecordedAndSetTheStageButNotTheMode) {
  temDados = 1;
  temRese = 1;
  temGrupo = 1;
  AfterMainOption('G', 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(stepReached, 3);
  EXPECT_FALSE(Appending());
}

TEST_F(AfterAction, ClusterAndDynamicsOnlySwitchTheMode) {
  AfterMainOption('C', 1);
  EXPECT_TRUE(Appending());
  EXPECT_FALSE(TrackWritten());
  strcpy(modeZoviri, "w");
  AfterMainOption('Y', 1);
  EXPECT_TRUE(Appending());
  EXPECT_FALSE(TrackWritten());
}

TEST_F(AfterAction, TestsAndRelationsRecordAndSwitch) {
  for (char letter : {'A', 'P', 'K'}) {
    remove("Sessao.trk");
    strcpy(modeZoviri, "w");
    AfterMainOption(letter, 1);
    EXPECT_TRUE(TrackWritten()) << letter;
    EXPECT_TRUE(Appending()) << letter;
  }
}

TEST_F(AfterAction, RefusedPathAnalysisChangesNothing) {
  AfterMainOption('F', 0);
  EXPECT_FALSE(TrackWritten());
  EXPECT_FALSE(Appending());
  AfterMainOption('F', 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, ModeNeverReturnsToW) {
  strcpy(modeZoviri, "a");
  AfterMainOption('C', 1);
  EXPECT_TRUE(Appending());
}

TEST_F(AfterAction, DescriptiveAttributesSwitchOnlyWhenDone) {
  AfterMainOption('V', 0);
  EXPECT_FALSE(Appending());
  AfterMainOption('V', 1);
  EXPECT_TRUE(Appending());
  EXPECT_FALSE(TrackWritten());
}

TEST_F(AfterAction, LettersWithNothingAfterwards) {
  for (char letter : {'D', 'E', 'J', 'S', 'U', 'Z'}) {
    AfterMainOption(letter, 1);
    EXPECT_FALSE(TrackWritten()) << letter;
    EXPECT_FALSE(Appending()) << letter;
  }
}

TEST_F(AfterAction, NewDataAreRecorded) {
  AfterMainOption('N', 1);
  EXPECT_TRUE(TrackWritten());
}

TEST_F(AfterAction, PathAnalysisRefusedForUnsuitableTypes) {
  testing::internal::CaptureStdout();
  for (int type : {3, 5, 6, 7, 8}) {
    dataType = type;
    EXPECT_EQ(RunMainOption('F'), 0) << type;
  }
  std::string printed = testing::internal::GetCapturedStdout();
  const std::string refusal = "\nData type is not adequate for any option of path analysis.";
  int count = 0;
  for (size_t p = printed.find(refusal); p != std::string::npos; p = printed.find(refusal, p + 1)) count++;
  EXPECT_EQ(count, 5) << printed;
}

}  // namespace

// Bookkeeping after each main-menu action: when the session track is
// rewritten and which flags and derived values change. (The results file
// erased by its first block and appended to afterwards: SpineE2E.cpp and
// ExampleAnalysisE2E.cpp.)
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
class Bookkeeping : public ::testing::Test {
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

TEST_F(Bookkeeping, TrackByActionAndResultModeLeftAlone) {
  using A = AfterAction;
  struct {
    A after;
    int result;
    bool track;
  } cases[] = {
      {A::Record, 1, true},          {A::Record, 0, true},          {A::RecordWhenDone, 1, true},
      {A::RecordWhenDone, 0, false}, {A::Nothing, 1, false},        {A::Nothing, 0, false},
      {A::Groups, 1, true},          {A::NewData, 0, true},         {A::Ordination, 1, true},
      {A::Ordination, 0, false},     {A::Resemblance, 1, true},     {A::Resemblance, 0, false},
      {A::Resemblance, 2, false},    {A::Transformation, 1, true},  {A::Transformation, 0, false},
  };
  for (const auto& c : cases) {
    Reset();
    AfterMainOption(c.after, c.result);
    EXPECT_EQ(TrackWritten(), c.track) << static_cast<int>(c.after) << " " << c.result;
    // Only opening the results file turns the mode to append: an action
    // that wrote nothing (a cancelled cluster analysis, restored data)
    // leaves a file the user chose to erase still to be erased.
    EXPECT_FALSE(Appending()) << static_cast<int>(c.after) << " " << c.result;
  }
}

TEST_F(Bookkeeping, ResemblanceRecordedUpTo400Rows) {
  nRows = 400;
  rese = dimDouble2D(nRows, nRows);
  temEscore = 1;
  AfterMainOption(AfterAction::Resemblance, 1);
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
  AfterMainOption(AfterAction::Resemblance, 1);
  EXPECT_FALSE(TrackWritten());
  EXPECT_EQ(savedSession, 0);
  EXPECT_EQ(stepReached, 4);
  // Later steps, once the matrix is released: SpineE2E.cpp.
}

TEST_F(Bookkeeping, TransformationAlwaysRecordedAndRetypesTheData) {
  temRese = 1;
  temEscore = 1;
  nRows = 500;
  optVarTipo = 2;
  optTrVeVar = 7;  // range within variables: type 2 becomes type 1
  AfterMainOption(AfterAction::Transformation, 1);
  EXPECT_TRUE(TrackWritten());
  EXPECT_EQ(temRese, 0);
  EXPECT_EQ(temEscore, 0);
  EXPECT_EQ(dataType, 1);

  Reset();
  temRese = 1;
  AfterMainOption(AfterAction::Transformation, 0);
  EXPECT_EQ(temRese, 1) << "a cancelled transformation changes nothing";
}

TEST_F(Bookkeeping, OrdinationAndGroupsSetTheirFlagAndStage) {
  AfterMainOption(AfterAction::Ordination, 0);
  EXPECT_EQ(temEscore, 0);
  AfterMainOption(AfterAction::Ordination, 1);
  EXPECT_EQ(temEscore, 1);
  temDados = temRese = temGrupo = 1;
  AfterMainOption(AfterAction::Groups, 1);
  EXPECT_EQ(stepReached, 3);
}

}  // namespace

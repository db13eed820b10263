// Data set objects: copies, exchanges with the current data set, release
// (run under AddressSanitizer, which reports a double release or a leak),
// the status report of a held second data set, and the dialogues reading a
// second and a third data set from stored sessions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionObjects.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

// Makes the current data set an n x p table named `file` (values base + i +
// j/10), optionally with a resemblance matrix between units, two principal
// coordinate axes and one factor of two groups.
void MakeCurrent(const char* file, int n, int p, double base, bool withRese, bool withScores = false,
                 bool withGroups = false) {
  LivraMemoria();
  snprintf(filename, sizeof filename, "%s", file);
  nObj = n;
  nVar = p;
  optVarTipo = 1;
  temQuant = 1;
  temQual = temBin = 0;
  Dimensiona();
  temDados = 1;
  for (int j = 0; j < p; j++) {
    varType[j] = 3;
    snprintf(varLabels[j], LABEL_LEN + 1, "v%d", j + 1);
  }
  for (int i = 0; i < n; i++) {
    snprintf(uaLabels[i], LABEL_LEN + 1, "u%d", i + 1);
    for (int j = 0; j < p; j++) dataOrig[i][j] = data[i][j] = base + i + j / 10.0;
  }
  nRows = n;
  nCols = p;
  if (withRese) {
    optReseDir = 1;
    optReseTipo = 3;
    rese = dimDouble2D(n, n);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) rese[i][j] = base * (i > j ? i - j : j - i);
    temRese = 1;
  }
  if (withScores) {
    optOrdiType = 1;
    rank = 2;
    eig = dimDouble1D(n + 1);
    evectors = dimDouble2D(n + 1, n + 1);
    escores = dimDouble2D(n, n);
    eig[0] = 2 * base;
    eig[1] = base;
    escores[1][n - 1] = -base;
    temEscore = 1;
  }
  if (withGroups) {
    nFactors = 1;
    nesting = 0;
    const int rows = GroupArrayRows(1);
    grMemb = dimInt2D(rows, n);
    grLabel = dimInt2D(rows, n);
    nGroups = dimInt1D(rows);
    nestedFactor = dimInt1D(1);
    factorLabel = dimChar2D(1, NAME_LEN);
    strcpy(factorLabel[0], "site");
    nGroups[0] = 2;
    grLabel[0][0] = 1;
    grLabel[0][1] = 2;
    for (int i = 0; i < n; i++) grMemb[0][i] = i % 2 + 1;
    grMembDimensioned = 1;
    temGrupo = 1;
  }
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  SetStepReached();
}

// Writes the current data set as the stored session `name`.
void Store(const char* name) {
  snprintf(sessionName, sizeof sessionName, "%s", name);
  snprintf(sessionFilename, sizeof sessionFilename, "%s.trk", name);
  ASSERT_EQ(WriteSessionTrack(), 1);
}

class SessionObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    port = 0;
    eng = 1;
    Initialize();
    secondSet = thirdSet = false;
    makeDataSetCurrent = MakeDataSetCurrent;
    LivraMemoria();
    SetDefaultSessionName();
    savedSession = 1;
    nProcessors = 2;
    out_ = tmpfile();
    out = out_;
  }
  void TearDown() override {
    session2.reset();
    session3.reset();
    secondSet = thirdSet = false;
    LivraMemoria();
    nObj = nVar = nRows = nCols = nFactors = rank = 0;
    strcpy(filename, "");
    SetDefaultSessionName();
    out = stdout;
    in = stdin;
    if (answers_ != nullptr) fclose(answers_);
    fclose(out_);
  }
  void Answers(const std::string& text) {
    if (answers_ != nullptr) fclose(answers_);
    answers_ = shelltest::Input(text);
    in = answers_;
  }
  std::string Console() {
    fflush(out_);
    rewind(out_);
    std::string s;
    for (int c; (c = fgetc(out_)) != EOF;) s.push_back(static_cast<char>(c));
    return s;
  }
  FILE* out_ = nullptr;
  FILE* answers_ = nullptr;
  shelltest::InTempFolder folder_;
};

TEST_F(SessionObjects, CopyHoldsItsOwnArrays) {
  MakeCurrent("meadow.txt", 3, 2, 1.5, true, true, true);
  std::unique_ptr<Session> copy = SessionClass(true);
  const SessionData& c = copy->Data();
  EXPECT_STREQ(c.filename, "meadow.txt");
  ASSERT_EQ(c.nRows, 3);
  ASSERT_TRUE(c.rese != nullptr && c.rese != rese && c.data != data);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(c.rese[i][j], rese[i][j]);
  EXPECT_EQ(c.data[2][1], 3.6);
  EXPECT_STREQ(c.uaLabels[2], "u3");
  EXPECT_EQ(c.eig[0], 3.0);
  EXPECT_EQ(c.escores[1][2], -1.5);
  EXPECT_EQ(c.grMemb[0][1], 2);
  EXPECT_STREQ(c.factorLabel[0], "site");
  // The current set's arrays are replaced or released without touching the
  // copy; releasing the data releases what depends on them.
  FreeResemblance();
  data[2][1] = -1;
  LivraMemoria();
  EXPECT_EQ(c.rese[1][0], 1.5);
  EXPECT_EQ(c.data[2][1], 3.6);
  EXPECT_EQ(temDados + temRese + temEscore + temGrupo + grMembDimensioned, 0);
  EXPECT_TRUE(data == nullptr && dataOrig == nullptr && escores == nullptr && grMemb == nullptr);

  // A data set without resemblance, ordination or groups copies none of them.
  MakeCurrent("meadow.txt", 4, 3, 1, false);
  const std::unique_ptr<Session> plain = Session::CopyOfCurrent();
  const SessionData& p = plain->Data();
  EXPECT_TRUE(p.rese == nullptr && p.eig == nullptr && p.escores == nullptr && p.grMemb == nullptr &&
              p.factorLabel == nullptr);
  EXPECT_EQ(p.data[3][2], 4.2);
}

TEST_F(SessionObjects, ExchangeMovesEveryFieldAndBack) {
  MakeCurrent("meadow.txt", 3, 2, 1, true, false, true);
  double** const table = data;
  double** const matrix = rese;
  optTrVeVar = 2;
  std::unique_ptr<Session> taken = SessionClass(false);
  // The globals hold no data set, and no array.
  EXPECT_EQ(temDados + temRese + optTrVeVar, 0);
  EXPECT_TRUE(data == nullptr && rese == nullptr && grMemb == nullptr);
  EXPECT_EQ(taken->Data().data, table);
  MakeCurrent("env.txt", 3, 5, 7, false);
  ChangeCurrentSession(*taken);  // meadow current, env held by the object
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_TRUE(data == table && rese == matrix);
  EXPECT_EQ(optTrVeVar, 2);
  EXPECT_EQ(stepReached, 3);  // data, resemblance between units, groups
  EXPECT_STREQ(taken->Data().filename, "env.txt");
  EXPECT_EQ(taken->View().nVar, 5);
  EXPECT_FALSE(taken->View().UnitResemblance());
  EXPECT_TRUE(CurrentDataSetView().UnitResemblance());
  // Two objects exchange what they hold.
  Session other;
  other.Swap(*taken);
  EXPECT_EQ(taken->Data().temDados, 0);
  EXPECT_STREQ(other.Data().filename, "env.txt");
}

// The report shows a held second set in full every time (exchanging data
// sets leaves the session's flags alone), and the first set is current again.
TEST_F(SessionObjects, StatusShowsTheHeldSecondSetEveryTime) {
  MakeCurrent("env.txt", 3, 5, 7, true);
  strcpy(sessionName, "env");
  session2 = Session::TakeCurrent();
  MakeCurrent("meadow.txt", 3, 2, 1, false);
  savedSession = 1;  // each data set has its own (the second one took the first value)
  secondSet = true;
  for (int pass = 0; pass < 2; pass++) {
    FILE* f = tmpfile();
    ShowStatus(f);
    const std::string r = shelltest::Contents(f);
    const size_t line16a = r.find("Second data set: env.txt, with 5 variables\nSession IS saved.\n");
    const size_t second = r.find("\nAnalysis status session env:\nData file name: env.txt\nDimensions: 3 sampling "
                                 "units, 5 variables\n");
    ASSERT_NE(line16a, std::string::npos) << r;
    ASSERT_NE(second, std::string::npos) << r;
    EXPECT_LT(r.find("Data file name: meadow.txt"), line16a);
    EXPECT_LT(line16a, second);
    EXPECT_EQ(r.find("Second data set", line16a + 1), std::string::npos);
    EXPECT_NE(r.find("Resemblance measure:", second), std::string::npos);
    EXPECT_LT(second, r.find("Maximum number of processors"));
    EXPECT_STREQ(filename, "meadow.txt");
    EXPECT_EQ(temRese, 0);
  }
}

TEST_F(SessionObjects, SecondAndThirdSetsFromStoredSessions) {
  MakeCurrent("env.txt", 4, 2, 2, true);
  Store("env");
  MakeCurrent("soil.txt", 4, 3, 3, true);
  Store("soil");
  MakeCurrent("other.txt", 5, 3, 3, true);
  Store("other");
  MakeCurrent("meadow.txt", 4, 6, 1, true, true, true);
  Store("meadow");
  double** const table = data;

  Answers("env\n");
  ASSERT_EQ(SpecifySecondSession(), 1);
  EXPECT_TRUE(secondSet);
  EXPECT_STREQ(sessionName, "meadow");
  EXPECT_EQ(data, table);
  ASSERT_TRUE(session2);
  EXPECT_STREQ(session2->Data().sessionName, "env");
  EXPECT_EQ(session2->Data().rese[3][0], 6.0);
  EXPECT_TRUE(Holds(Console(), "First data set: meadow.txt\nSpecify now the second data set.\n"));

  // Keep, switch and specify again, end to end: CanonicalE2E.cpp.
  // A stored session of another number of units is refused (message checked
  // in CanonicalE2E.cpp); the set held before stays held.
  Answers("n\nother\n");
  EXPECT_EQ(SpecifySecondSession(), 0);
  EXPECT_TRUE(data == table && secondSet);
  EXPECT_EQ(nObj, 4);
  EXPECT_STREQ(session2->Data().filename, "env.txt");

  // A session that cannot be found, given up.
  Answers("n\nnowhere\nn\n");
  EXPECT_EQ(SpecifySecondSession(), 0);
  EXPECT_STREQ(sessionFilename, "meadow.trk");

  // Third set, then the switch between second and third.
  Answers("soil\n");
  ASSERT_EQ(SpecifyThirdSession(), 1);
  EXPECT_STREQ(session3->Data().filename, "soil.txt");
  EXPECT_TRUE(
      Holds(Console(), "First data set: meadow.txt\nSecond data set: env.txt\nSpecify now the third data set.\n"));
  Answers("s\n");
  ASSERT_EQ(SpecifyThirdSession(), 1);
  EXPECT_STREQ(session2->Data().filename, "soil.txt");
  EXPECT_STREQ(session3->Data().filename, "env.txt");
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_TRUE(Holds(Console(),
                    "Third data set: soil.txt\nKeep (k), switch order (s) between second and third or specify "
                    "the third data set again (n)? "));

  // Each data set can be transformed and its arrays replaced while the others
  // are held; releasing everything afterwards releases each array once.
  FreeResemblance();
  rese = dimDouble2D(4, 4);
  nRows = 4;
  temRese = 1;
  ChangeCurrentSession(*session2);
  FreeOrdination();
  FreeResemblance();
  ChangeCurrentSession(*session2);
  EXPECT_STREQ(filename, "meadow.txt");
  EXPECT_EQ(session2->Data().rese, nullptr);
}

TEST_F(SessionObjects, PortugueseDialogue) {
  port = 1;
  eng = 0;
  Initialize();
  MakeCurrent("env.txt", 3, 2, 2, true);
  Store("amb");
  MakeCurrent("meadow.txt", 3, 4, 1, true);
  Store("campo");
  Answers("amb\nk\n");
  ASSERT_EQ(SpecifySecondSession(), 1);
  ASSERT_EQ(SpecifySecondSession(), 1);
  EXPECT_EQ(Console(),
            "Primeiro conjunto de dados: meadow.txt\nEspecifique agora o segundo conjunto de dados.\n"
            "Entre nome da sessao (sem a extensao .trk): Primeiro conjunto de dados: meadow.txt\n"
            "Segundo conjunto de dados: env.txt\nManter (k), inverter ordem (s) ou especificar o segundo novamente (n)? ");
}

}  // namespace

// The stage of analysis, the derived data type with its effect on the
// resemblance menu, the generic numbered menu, and the option tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

namespace {

class MenuState : public ::testing::Test {
 protected:
  void SetUp() override {
    savedIn_ = in;
    savedOut_ = out;
    port = 0;
    eng = 1;
    Initialize();
    temDados = temRese = temGrupo = 0;
    optReseDir = 1;
    optVarTipo = 1;
    temQuant = temQual = temBin = 0;
    SetDataType(0, 0, 0);
  }
  void TearDown() override {
    if (in != savedIn_ && in != nullptr && in != stdin) fclose(in);
    if (out != savedOut_ && out != nullptr) fclose(out);
    in = savedIn_;
    out = savedOut_;
    port = 0;
    eng = 1;
    Initialize();
    optVarTipo = 0;
    temDados = temRese = temGrupo = 0;
    temQuant = temQual = temBin = 0;
    SetDataType(0, 0, 0);
  }

  // Answers come from a temporary file; questions go to another one.
  void Answers(const std::string& text) {
    in = tmpfile();
    fputs(text.c_str(), in);
    rewind(in);
    out = tmpfile();
  }
  std::string Printed() {
    fflush(out);
    rewind(out);
    std::string s;
    int c;
    while ((c = fgetc(out)) != EOF) s.push_back((char)c);
    return s;
  }

 private:
  FILE* savedIn_ = nullptr;
  FILE* savedOut_ = nullptr;
};

// ---------------------------------------------------------------- stage

TEST_F(MenuState, StageFollowsDataResemblanceAndGroups) {
  temDados = 0;
  temRese = 1;
  temGrupo = 1;
  SetStepReached();
  EXPECT_EQ(stepReached, 0) << "no data means stage 0 whatever else is set";

  temDados = 1;
  temRese = 0;
  SetStepReached();
  EXPECT_EQ(stepReached, 1);

  temRese = 1;
  temGrupo = 0;
  optReseDir = 1;
  SetStepReached();
  EXPECT_EQ(stepReached, 2);

  temGrupo = 1;
  SetStepReached();
  EXPECT_EQ(stepReached, 3);

  optReseDir = 2;  // groups, but the matrix compares variables
  SetStepReached();
  EXPECT_EQ(stepReached, 4);

  temGrupo = 0;
  SetStepReached();
  EXPECT_EQ(stepReached, 4);
}

// ---------------------------------------------------------------- data type

TEST_F(MenuState, ContingencyTableIsType1AndBinaryAfterPresenceAbsence) {
  optVarTipo = 6;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 1);
  SetDataType(1, 0, 0);
  EXPECT_EQ(dataType, 4);
}

TEST_F(MenuState, DeclaredKindsWithoutTransformation) {
  for (int kind : {1, 2, 3, 4}) {
    optVarTipo = kind;
    SetDataType(0, 0, 0);
    EXPECT_EQ(dataType, kind) << "declared kind " << kind;
    EXPECT_EQ(isStandardized, 0);
    EXPECT_EQ(hasNegative, 0);
  }
}

TEST_F(MenuState, PresenceAbsenceMakesUnmixedDataBinary) {
  for (int kind : {1, 2, 3, 4, 6}) {
    optVarTipo = kind;
    SetDataType(1, 0, 0);
    EXPECT_EQ(dataType, 4) << "declared kind " << kind;
  }
}

TEST_F(MenuState, DifferentScalesBecomeType1OnlyWhenStandardized) {
  optVarTipo = 2;
  SetDataType(0, 7, 0);  // range within variables
  EXPECT_EQ(dataType, 1);
  EXPECT_EQ(isStandardized, 1);
  EXPECT_EQ(hasNegative, 0);

  SetDataType(0, 3, 0);  // centring within variables
  EXPECT_EQ(dataType, 2);
  EXPECT_EQ(isStandardized, 0);
  EXPECT_EQ(hasNegative, 1);

  SetDataType(0, 0, 1);  // within sampling units: not a standardization of the variables
  EXPECT_EQ(dataType, 2);
}

TEST_F(MenuState, StandardizingAndCentringTransformations) {
  optVarTipo = 1;
  const int standardizing[] = {1, 4, 5, 6, 7, 8, 9};
  const int notStandardizing[] = {0, 2, 3, 10, 11, 12};
  for (int t : standardizing) {
    SetDataType(0, t, 0);
    EXPECT_EQ(isStandardized, 1) << "within variables " << t;
  }
  for (int t : notStandardizing) {
    SetDataType(0, t, 0);
    EXPECT_EQ(isStandardized, 0) << "within variables " << t;
  }
  for (int t = 0; t <= 12; t++) {
    bool centres = t == 2 || t == 3 || t == 5 || t == 6;
    SetDataType(0, t, 0);
    EXPECT_EQ(hasNegative, centres ? 1 : 0) << "within variables " << t;
    SetDataType(0, 0, t);
    EXPECT_EQ(hasNegative, centres ? 1 : 0) << "within units " << t;
  }
}

TEST_F(MenuState, MutualInformationWithdrawnForCentredType1Data) {
  optVarTipo = 1;
  SetDataType(0, 0, 3);  // centred within sampling units
  EXPECT_EQ(dataType, 1);
  EXPECT_EQ(appliesReseUnits[4][0], 0);
  EXPECT_EQ(appliesReseVar[4][0], 0);

  SetDataType(0, 0, 0);  // transformation removed
  EXPECT_EQ(appliesReseUnits[4][0], 1);
  EXPECT_EQ(appliesReseVar[4][0], 1);

  // Centred data of type 2 keep the entry: the column for type 1 is not theirs.
  optVarTipo = 2;
  SetDataType(0, 3, 0);
  EXPECT_EQ(dataType, 2);
  EXPECT_EQ(appliesReseUnits[4][0], 1);

  // Type 1 reached by standardizing type 2 data with centring and normalization.
  SetDataType(0, 5, 0);
  EXPECT_EQ(dataType, 1);
  EXPECT_EQ(appliesReseUnits[4][0], 0);
}

TEST_F(MenuState, MixedDataTypeFromKindsPresent) {
  optVarTipo = 5;
  temQuant = 1, temQual = 1, temBin = 0;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 5);
  SetDataType(1, 0, 0);
  EXPECT_EQ(dataType, 5) << "qualitative variables survive presence/absence";

  temQuant = 1, temQual = 0, temBin = 1;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 6);
  SetDataType(1, 0, 0);
  EXPECT_EQ(dataType, 4);

  temQuant = 0, temQual = 1, temBin = 1;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 7);
  SetDataType(1, 0, 0);
  EXPECT_EQ(dataType, 7);

  temQuant = 1, temQual = 1, temBin = 1;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 8);
  SetDataType(1, 0, 0);
  EXPECT_EQ(dataType, 8);

  // A single kind is never left by the data reader; the type is kept.
  temQuant = 1, temQual = 0, temBin = 0;
  dataType = 6;
  SetDataType(0, 0, 0);
  EXPECT_EQ(dataType, 6);
}

// ---------------------------------------------------------------- ShowMenu

TEST_F(MenuState, ShowMenuAnswers99ForTheEntryMarked99) {
  Answers("5 2 99\n");
  int answer = -1;
  testing::internal::CaptureStderr();
  ShowMenu(0, 2, appliesTr, 0, optTrInfo, &answer);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, 99);
  // Entry 2 is "(99)leave as is": its index is not an accepted answer.
  EXPECT_NE(err.find("\nIncorrect input = 5. Reenter.\nAccepted input: 0 1 99 \n"), std::string::npos) << err;
  EXPECT_NE(err.find("\nIncorrect input = 2. Reenter.\nAccepted input: 0 1 99 \n"), std::string::npos) << err;
  EXPECT_EQ(Printed(),
            "\t(0)restore original data (no transformation)\n "
            "\t(1)specify transformations on original data\n "
            "\t(99)leave as is\n "
            "\t\tEnter option: ");
}

TEST_F(MenuState, ShowMenuOffersOnlyApplicableEntries) {
  // Binary data (column 3): the scalar menu offers none, presence/absence,
  // square root, logarithm, contingency expansion and cancel.
  Answers("4 3\n");
  int answer = -1;
  testing::internal::CaptureStderr();
  ShowMenu(0, 6, appliesScalar, 3, optTrEsInfo, &answer);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, 3);
  EXPECT_NE(err.find("Accepted input: 0 1 2 3 5 99 \n"), std::string::npos) << err;
  std::string shown = Printed();
  EXPECT_EQ(shown.find("(4)expand nominal variables"), std::string::npos);
  EXPECT_NE(shown.find("\t(5)expand contingency table into nominal data\n "), std::string::npos);
}

TEST_F(MenuState, ShowMenuFromIndex1SkipsTheBlankEntry) {
  Answers("1\n");
  int answer = -1;
  ShowMenu(1, 4, nullptr, 0, optOrdiTypeInfo, &answer);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(Printed(),
            "\t(1)principal coordinates analysis\n "
            "\t(2)principal components analysis\n "
            "\t(3)correspondence analysis\n "
            "\t(99)cancel and return to main menu\n "
            "\t\tEnter option: ");
}

TEST_F(MenuState, ShowMenuWithoutMatrixOffersEverything) {
  Answers("3 99\n");
  int answer = -1;
  testing::internal::CaptureStderr();
  ShowMenu(0, 3, nullptr, 0, optPostReseTransfInfo, &answer);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, 99);
  EXPECT_NE(err.find("Accepted input: 0 1 2 99 \n"), std::string::npos) << err;
}

TEST_F(MenuState, ShowMenuTruncatesTheNumberRead) {
  Answers("2.0\n");
  int answer = -1;
  ShowMenu(1, 3, appliesReseDir, 0, optReseDirInfo, &answer);
  EXPECT_EQ(answer, 2);
}

TEST_F(MenuState, MutualInformationLeavesAndReturnsToTheResemblanceMenu) {
  optVarTipo = 1;
  SetDataType(0, 0, 5);  // centred and normalized within sampling units
  Answers("4 17\n");
  int answer = -1;
  testing::internal::CaptureStderr();
  ShowMenu(1, 30, appliesReseUnits, dataType - 1, optReseTipoInfo, &answer);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, 17);
  EXPECT_EQ(Printed().find("mutual information"), std::string::npos);
  EXPECT_NE(err.find("Incorrect input = 4."), std::string::npos);
  fclose(out);
  fclose(in);

  SetDataType(0, 0, 0);
  Answers("4\n");
  ShowMenu(1, 30, appliesReseUnits, dataType - 1, optReseTipoInfo, &answer);
  EXPECT_EQ(answer, 4);
  EXPECT_NE(Printed().find("\t(4)mutual information\n "), std::string::npos);
}

TEST_F(MenuState, ShowMenuUsesTheLanguageOfTheTables) {
  port = 1;
  eng = 0;
  Initialize();
  Answers("99\n");
  int answer = -1;
  ShowMenu(1, 3, appliesReseDir, 0, optReseDirInfo, &answer);
  EXPECT_EQ(answer, 99);
  EXPECT_EQ(Printed(),
            "\t(1)compara unidades amostrais\n "
            "\t(2)compara variaveis\n "
            "\t(99)cancelar e voltar ao menu principal\n "
            "\t\tEntre opcao: ");
}

// ---------------------------------------------------------------- tables

TEST_F(MenuState, MainMenuAtStage0OffersOnlyNEZX) {
  std::string offered;
  for (int e = 0; e < MAIN_MENU_ENTRIES; e++)
    if (appliesMain[e][0] == 1) offered.push_back(optMainMenuInfo[e][0]);
  EXPECT_EQ(offered, "NEZX");
}

TEST_F(MenuState, RandomizationTestsDependOnTheDirectionOfResemblance) {
  auto offers = [](char letter, int stage) {
    for (int e = 0; e < MAIN_MENU_ENTRIES; e++)
      if (optMainMenuInfo[e][0] == letter) return appliesMain[e][stage] == 1;
    return false;
  };
  EXPECT_FALSE(offers('O', 1));
  EXPECT_TRUE(offers('O', 2));
  EXPECT_TRUE(offers('P', 3));
  EXPECT_FALSE(offers('P', 4)) << "groups of units cannot be tested on a matrix between variables";
  EXPECT_FALSE(offers('A', 3));
  EXPECT_TRUE(offers('A', 4));
}

TEST_F(MenuState, MainMenuLettersAreTheSameInBothLanguages) {
  std::string english, portuguese;
  for (int e = 0; e < MAIN_MENU_ENTRIES; e++) english.push_back(optMainMenuInfo[e][0]);
  port = 1;
  eng = 0;
  Initialize();
  for (int e = 0; e < MAIN_MENU_ENTRIES; e++) portuguese.push_back(optMainMenuInfo[e][0]);
  EXPECT_EQ(english, "NVTRGDOCPAFKYESZX");
  EXPECT_EQ(portuguese, english);
  EXPECT_STREQ(enterOptValid, "Entre opcao (opcoes validas com *)");
  EXPECT_STREQ(optDescrAttrInfo[3], "(3) entropia e complexidade de unidades amostrais");
  EXPECT_STREQ(yesnoInfo[0], "nao");
  EXPECT_STREQ(versao, "3.85b");
}

TEST_F(MenuState, CancelEntriesAreOfferedForEveryDataType) {
  for (int k = 0; k < 8; k++) {
    EXPECT_EQ(appliesScalar[6][k], 1);
    EXPECT_EQ(appliesVectorVar[13][k], 1);
    EXPECT_EQ(appliesVectorUnits[13][k], 1);
    EXPECT_EQ(appliesVectorOther[13][k], 1);
    EXPECT_EQ(appliesReseUnits[30][k], 1);
    EXPECT_EQ(appliesReseVar[30][k], 1);
    EXPECT_EQ(appliesDescriptiveAttr[5][k], 1);
    EXPECT_EQ(appliesReseDir[4][k], 1);
  }
  EXPECT_STREQ(optTrEsInfo[6], "(99)cancel and return to main menu");
  EXPECT_STREQ(optTrVe2Info[13], "(99)cancel and return to main menu");
  EXPECT_STREQ(optReseTipoInfo[30], "(99)cancel and return to main menu");
  EXPECT_STREQ(clusMethInfo[8], "(99)cancel and return to main menu");
}

}  // namespace

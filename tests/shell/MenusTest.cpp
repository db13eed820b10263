// The stage of analysis, the derived data type with its effect on the
// resemblance menu, and the generic numbered menu.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { Language(0); }
  void TearDown() override {
    if (in != stdin) fclose(in);
    if (out != stdout) fclose(out);
    in = stdin;
    out = stdout;
    Language(0);
    temDados = temRese = temGrupo = 0;
    optVarTipo = 0;
    temQuant = temQual = temBin = 0;
    SetDataType(0, 0, 0);
  }
  static void Language(int portuguese) {
    port = portuguese;
    eng = !portuguese;
    Initialize();
  }
  // Shows a menu with `answers` to read; returns what it printed and leaves
  // the refusals in `refusals`.
  std::string Show(const std::string& answers, int first, int last, const int (*applies)[8], int column,
                   const char** info, int* answer) {
    if (in != stdin) fclose(in);
    if (out != stdout) fclose(out);
    in = shelltest::Input(answers);
    out = tmpfile();
    testing::internal::CaptureStderr();
    ShowMenu(first, last, applies, column, info, answer);
    refusals = testing::internal::GetCapturedStderr();
    std::string shown = shelltest::Contents(out);
    out = stdout;
    return shown;
  }
  std::string refusals;
};

TEST_F(Menus, StageFromDataResemblanceAndGroups) {
  struct {
    int dados, rese, grupo, dir, stage;
  } cases[] = {{0, 1, 1, 1, 0}, {1, 0, 1, 1, 1}, {1, 1, 0, 1, 2}, {1, 1, 1, 1, 3}, {1, 1, 1, 2, 4}, {1, 1, 0, 2, 4}};
  for (const auto& c : cases) {
    temDados = c.dados;
    temRese = c.rese;
    temGrupo = c.grupo;
    optReseDir = c.dir;
    SetStepReached();
    EXPECT_EQ(stepReached, c.stage) << c.dados << c.rese << c.grupo << c.dir;
  }
}

TEST_F(Menus, DataTypeFromDeclaredKindKindsPresentAndTransformations) {
  struct {
    int tipo, quant, qual, bin, es, veVar, veUnits;
    int type, standardized, negative;
  } cases[] = {
      {1, 1, 0, 0, 0, 0, 0, 1, 0, 0}, {3, 0, 1, 0, 0, 0, 0, 3, 0, 0}, {4, 0, 0, 1, 0, 0, 0, 4, 0, 0},
      {6, 1, 0, 0, 0, 0, 0, 1, 0, 0},  // contingency table
      {6, 1, 0, 0, 1, 0, 0, 4, 0, 0},  // ... after presence/absence
      {3, 0, 1, 0, 1, 0, 0, 4, 0, 0},
      {2, 1, 0, 0, 0, 7, 0, 1, 1, 0},  // range within variables standardizes
      {2, 1, 0, 0, 0, 3, 0, 2, 0, 1},  // centring does not
      {2, 1, 0, 0, 0, 0, 1, 2, 0, 0},  // nor anything within sampling units
      {2, 1, 0, 0, 0, 5, 0, 1, 1, 1}, {1, 1, 0, 0, 0, 9, 0, 1, 1, 0}, {1, 1, 0, 0, 0, 10, 6, 1, 0, 1},
      {1, 1, 0, 0, 0, 12, 2, 1, 0, 1},
      {5, 1, 1, 0, 0, 0, 0, 5, 0, 0}, {5, 1, 1, 0, 1, 0, 0, 5, 0, 0},  // qualitative survives presence/absence
      {5, 1, 0, 1, 0, 0, 0, 6, 0, 0}, {5, 1, 0, 1, 1, 0, 0, 4, 0, 0},
      {5, 0, 1, 1, 1, 0, 0, 7, 0, 0}, {5, 1, 1, 1, 1, 0, 0, 8, 0, 0},
  };
  for (const auto& c : cases) {
    optVarTipo = c.tipo;
    temQuant = c.quant;
    temQual = c.qual;
    temBin = c.bin;
    SetDataType(c.es, c.veVar, c.veUnits);
    EXPECT_EQ(dataType, c.type) << "kind " << c.tipo << " transformations " << c.es << c.veVar << c.veUnits;
    EXPECT_EQ(isStandardized, c.standardized) << c.veVar;
    EXPECT_EQ(hasNegative, c.negative) << c.veVar << " " << c.veUnits;
  }
}

TEST_F(Menus, MutualInformationWithdrawnWhileType1DataAreCentred) {
  int answer = -1;
  optVarTipo = 1;
  SetDataType(0, 0, 5);  // centred and normalized within sampling units
  std::string shown = Show("4 17\n", 1, 30, appliesReseUnits, dataType - 1, optReseTipoInfo, &answer);
  EXPECT_EQ(answer, 17);
  EXPECT_TRUE(Lacks(shown, "mutual information"));
  EXPECT_TRUE(Holds(refusals, "Incorrect input = 4."));
  EXPECT_EQ(appliesReseVar[4][0], 0);

  SetDataType(0, 0, 0);  // transformation removed: offered again
  shown = Show("4\n", 1, 30, appliesReseUnits, dataType - 1, optReseTipoInfo, &answer);
  EXPECT_EQ(answer, 4);
  EXPECT_TRUE(Holds(shown, "\t(4)mutual information\n "));

  optVarTipo = 2;  // centred type 2 data leave the column of type 1 alone
  SetDataType(0, 3, 0);
  EXPECT_EQ(appliesReseUnits[4][0], 1);
}

TEST_F(Menus, ShowMenuLayoutAndTheAnswer99) {
  int answer = -1;
  EXPECT_EQ(Show("5 2 99\n", 0, 2, appliesTr, 0, optTrInfo, &answer),
            "\t(0)restore original data (no transformation)\n "
            "\t(1)specify transformations on original data\n "
            "\t(99)leave as is\n "
            "\t\tEnter option: ");
  EXPECT_EQ(answer, 99);
  EXPECT_EQ(refusals,
            "\nIncorrect input = 5. Reenter.\nAccepted input: 0 1 99 \n"
            "\nIncorrect input = 2. Reenter.\nAccepted input: 0 1 99 \n");
}

TEST_F(Menus, ShowMenuOffersOnlyApplicableEntries) {
  int answer = -1;
  // Binary data: no expansion of nominal variables.
  std::string shown = Show("4 3\n", 0, 6, appliesScalar, 3, optTrEsInfo, &answer);
  EXPECT_EQ(answer, 3);
  EXPECT_TRUE(Holds(refusals, "Accepted input: 0 1 2 3 5 99 \n"));
  EXPECT_TRUE(Lacks(shown, "(4)expand nominal"));
  // Without a matrix every entry is offered; index 0, a blank entry, is skipped from 1.
  EXPECT_EQ(Show("1\n", 1, 4, nullptr, 0, optOrdiTypeInfo, &answer),
            "\t(1)principal coordinates analysis\n \t(2)principal components analysis\n "
            "\t(3)correspondence analysis\n \t(99)cancel and return to main menu\n \t\tEnter option: ");
}

TEST_F(Menus, ShowMenuInPortuguese) {
  Language(1);
  int answer = -1;
  EXPECT_EQ(Show("99\n", 1, 3, appliesReseDir, 0, optReseDirInfo, &answer),
            "\t(1)compara unidades amostrais\n \t(2)compara variaveis\n "
            "\t(99)cancelar e voltar ao menu principal\n \t\tEntre opcao: ");
  EXPECT_EQ(answer, 99);
}

}  // namespace

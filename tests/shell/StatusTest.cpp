// The status report, line by line, for the states it describes, and the
// header of a block of results. (Mixed variable types: DataSessionE2E.cpp;
// a held second data set: SessionObjectsTest.cpp.)
#include <gtest/gtest.h>
#include <omp.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

std::string Report() {
  FILE* f = tmpfile();
  ShowStatus(f);
  return shelltest::Contents(f);
}

class Status : public ::testing::Test {
 protected:
  void SetUp() override {
    Language(0);
    strcpy(sessionName, "Sessao");
    strcpy(filename, "meadow.txt");
    temDados = 1;
    nObj = 20;
    nVar = 30;
    optVarTipo = 1;
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    temRese = temEscore = temGrupo = 0;
    savedSession = 1;
    nProcessors = 3;
  }
  void TearDown() override {
    Language(0);
    temDados = temRese = temEscore = 0;
    nObj = nVar = optVarTipo = nProcessors = 0;
    strcpy(filename, "");
    secondSet = false;
    makeDataSetCurrent = nullptr;
  }
  static void Language(int portuguese) {
    port = portuguese;
    eng = !portuguese;
    Initialize();
  }
};

TEST_F(Status, WithoutData) {
  temDados = 0;
  EXPECT_EQ(Report(), "\nAnalysis status: Data not available.\nMaximum number of processors the program may use: 3\n");
  nProcessors = 0;
  EXPECT_EQ(Report(), "\nAnalysis status: Data not available.\nMaximum number of processors the program may use: " +
                          std::to_string(omp_get_num_procs()) + "\n");
  Language(1);
  strcpy(sessionName, "prado");
  nProcessors = 3;
  EXPECT_EQ(Report(),
            "\nStatus da analise sessao prado: Dados nao disponiveis.\n"
            "Numero maximo de processadores que o programa pode usar: 3\n");
}

TEST_F(Status, DataWithoutTransformation) {
  savedSession = 0;
  EXPECT_EQ(Report(),
            "\nAnalysis status:\nData file name: meadow.txt\n"
            "Dimensions: 20 sampling units, 30 variables\n"
            "Data type: (1) quantitative, same measurement scales\n"
            "Scalar transformation: (0)none\n"
            "Vector transformation: (0)none\n"
            "Session is NOT saved.\n"
            "Maximum number of processors the program may use: 3\n");
}

TEST_F(Status, VectorTransformationLine) {
  struct {
    int veVar, veUnits;
    const char* line;
  } cases[] = {
      {7, 1, "(7)standardizing by the range, within variables and (1)standardizing by marginal total, within "
             "sampling units\n"},
      {3, 0, "(3)centering, within variables\n"},
      {0, 9, "(9)rescaling into ranks, within sampling units\n"},
      {0, 6, "(6)deviations expected values via marginal totals (double adjustment)\n"},
  };
  for (const auto& c : cases) {
    optTrVeVar = c.veVar;
    optTrVeUnits = c.veUnits;
    EXPECT_TRUE(Holds(Report(), std::string("Vector transformation: ") + c.line + "Session IS saved.\n"));
  }
  optTrVeVar = 0;
  optTrVeUnits = 11;
  BealsTypeOpt = 1;
  BealsIncludeOpt = 0;
  BealsNormalizeOpt = 1;
  EXPECT_TRUE(Holds(Report(),
                    "(11)Beals smoothing\nCo-occurence probabilities of target variable weighted by quantities "
                    "of reference variables (as in De Caceres&Legendre (2008) Appendix)\n"
                    "Target species values NOT included in their own prediction\n"
                    "Probabilities of co-occurrence standardized to unit sum\nSession IS saved.\n"));
  BealsTypeOpt = BealsIncludeOpt = 1;
  BealsNormalizeOpt = 0;
}

TEST_F(Status, ResemblanceAndOrdinationLines) {
  temRese = 1;
  optReseDir = 1;
  optPostReseTransf = 0;
  struct {
    int measure, doubleAbsence;
    double alpha, k;
    const char* after;  // what follows the transformation line
  } cases[] = {
      {5, 0, 1, 0, "Joint absences in binary variables were NOT considered.\nSession"},
      {5, 1, 1, 0, "Joint absences in binary variables were considered.\nSession"},
      {3, 1, 1, 0, "Session"},
      {19, 0, 1, 2.5, "k Parameter: 2.5\nSession"},
      {8, 0, 0.5, 0, "Order of entropy measure (alpha in Reyni's general entropy): 0.5\nSession"},
  };
  for (const auto& c : cases) {
    optReseTipo = c.measure;
    countDoubleAbsence = c.doubleAbsence;
    alphaH = c.alpha;
    kParameter = c.k;
    const std::string expected = std::string("Resemblance measure: ") + optReseTipoInfo[c.measure] +
                                 ", (1)comparing sampling units\nTransformation of the resemblance measure: (0)none\n" +
                                 c.after;
    EXPECT_TRUE(Holds(Report(), expected));
  }
  temEscore = 1;
  optOrdiType = 2;
  EXPECT_TRUE(Holds(Report(), "Ordination scores available: (2)principal components analysis\nSession"));
  Language(1);
  optReseTipo = 5;
  countDoubleAbsence = 0;
  EXPECT_TRUE(Holds(Report(),
                    "Tranformacao da medida de semelhanca: (0)nenhuma\n"
                    "Ausencias compartilhadas em variaveis binarias nao foram consideradas.\n"));
}

TEST_F(Status, ResultsBlockHeader) {
  shelltest::InTempFolder folder;
  temDados = 0;
  strcpy(modeZoviri, "w");
  FILE* f = OpenResultsBlock("CLUSTER ANALYSIS");
  ASSERT_NE(f, nullptr);
  fprintf(f, "body\n");
  fclose(f);
  const std::string s = shelltest::FileText("Zoviri.txt");
  EXPECT_TRUE(Begins(s, std::string("\n") + line + "\nCLUSTER ANALYSIS\n"));
  EXPECT_TRUE(Holds(s,
                    "\nAnalysis status: Data not available.\nMaximum number of processors the program may use: 3\n"
                    "body\n"));
}

}  // namespace

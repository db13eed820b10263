// The status report, line by line, for the states it describes.
#include <gtest/gtest.h>
#include <omp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

namespace {

int CountOccurrencesOf(const std::string& hay, const std::string& needle) {
  int n = 0;
  for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) n++;
  return n;
}

std::string Report() {
  FILE* f = tmpfile();
  ShowStatus(f);
  std::string s;
  rewind(f);
  for (int c; (c = fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
  fclose(f);
  return s;
}

class StatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port = 0;
    eng = 1;
    Initialize();
    strcpy(sessionName, "Sessao");
    strcpy(filename, "meadow.txt");
    temDados = 0;
    nObj = 20;
    nVar = 30;
    optVarTipo = 1;
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    temRese = temEscore = temGrupo = 0;
    savedSession = 1;
    nProcessors = 3;
    secondSet = false;
    makeDataSetCurrent = nullptr;
  }
  void TearDown() override {
    port = 0;
    eng = 1;
    Initialize();
    temDados = temRese = temEscore = 0;
    nObj = nVar = 0;
    optVarTipo = 0;
    strcpy(filename, "");
    secondSet = false;
    makeDataSetCurrent = nullptr;
  }
};

TEST_F(StatusTest, NoDataDefaultSession) {
  EXPECT_EQ(Report(), "\nAnalysis status: Data not available.\nMaximum number of processors the program may use: 3\n");
  nProcessors = 0;
  EXPECT_EQ(Report(), "\nAnalysis status: Data not available.\nMaximum number of processors the program may use: " +
                          std::to_string(omp_get_num_procs()) + "\n");
}

TEST_F(StatusTest, NamedSessionInPortuguese) {
  port = 1;
  eng = 0;
  Initialize();
  strcpy(sessionName, "prado");
  EXPECT_EQ(Report(),
            "\nStatus da analise sessao prado: Dados nao disponiveis.\n"
            "Numero maximo de processadores que o programa pode usar: 3\n");
}

TEST_F(StatusTest, DataLoadedNoTransformation) {
  temDados = 1;
  savedSession = 0;
  const std::string expected = std::string("\nAnalysis status:\nData file name: meadow.txt\n") +
                               "Dimensions: 20 sampling units, 30 variables\n" + "Data type: " + optVarTipoInfo[1] +
                               "\n" + "Scalar transformation: " + optTrEsInfo[0] + "\n" + "Vector transformation: " +
                               optTrVe2Info[0] + "\n" + "Session is NOT saved.\n" +
                               "Maximum number of processors the program may use: 3\n";
  EXPECT_EQ(Report(), expected);
  EXPECT_STREQ(optVarTipoInfo[1], "(1) quantitative, same measurement scales");
}

TEST_F(StatusTest, VectorTransformationsBothDirections) {
  temDados = 1;
  optTrVeVar = 7;
  optTrVeUnits = 1;
  const std::string expected = std::string("Vector transformation: ") + optTrVe2Info[7] + ", within variables and " +
                               optTrVe2Info[1] + ", within sampling units\nSession IS saved.\n";
  EXPECT_NE(Report().find(expected), std::string::npos) << Report();
}

TEST_F(StatusTest, DoubleAdjustmentHasNoDirection) {
  temDados = 1;
  optTrVeUnits = 6;
  const std::string expected = std::string("Vector transformation: ") + optTrVe2Info[6] + "\nSession IS saved.\n";
  EXPECT_NE(Report().find(expected), std::string::npos) << Report();
}

TEST_F(StatusTest, BealsSmoothingOptions) {
  temDados = 1;
  optTrVeUnits = 11;
  BealsTypeOpt = 1;
  BealsIncludeOpt = 0;
  BealsNormalizeOpt = 1;
  const std::string r = Report();
  EXPECT_NE(r.find(std::string(optTrVe2Info[11]) + "\nCo-occurence probabilities of target variable weighted"),
            std::string::npos);
  EXPECT_NE(r.find("Target species values NOT included in their own prediction\n"
                   "Probabilities of co-occurrence standardized to unit sum\n"),
            std::string::npos);
  BealsTypeOpt = BealsIncludeOpt = BealsNormalizeOpt = 0;
}

TEST_F(StatusTest, MixedTypesListed) {
  temDados = 1;
  optVarTipo = 5;
  nVar = 3;
  int types[3] = {1, 3, 4};
  int* saved = varType;
  varType = types;
  EXPECT_NE(Report().find("Variable: 1 2 3 \nType:     1 3 4 \n"), std::string::npos);
  varType = saved;
}

TEST_F(StatusTest, ResemblanceLines) {
  temDados = 1;
  temRese = 1;
  optReseDir = 1;
  optPostReseTransf = 0;
  optReseTipo = 5;
  countDoubleAbsence = 0;
  std::string r = Report();
  EXPECT_NE(r.find(std::string("Resemblance measure: ") + optReseTipoInfo[5] + ", " + optReseDirInfo[1] + "\n" +
                   "Transformation of the resemblance measure: " + optPostReseTransfInfo[0] + "\n" +
                   "Joint absences in binary variables were NOT considered.\n"),
            std::string::npos)
      << r;
  countDoubleAbsence = 1;
  EXPECT_NE(Report().find("Joint absences in binary variables were considered.\n"), std::string::npos);
  optReseTipo = 3;
  r = Report();
  EXPECT_EQ(r.find("Joint absences"), std::string::npos);
  EXPECT_EQ(r.find("k Parameter"), std::string::npos);
  optReseTipo = 19;
  kParameter = 2.5;
  EXPECT_NE(Report().find("k Parameter: 2.5\n"), std::string::npos);
  optReseTipo = 8;
  alphaH = 0.5;
  EXPECT_NE(Report().find("Order of entropy measure (alpha in Reyni's general entropy): 0.5\n"), std::string::npos);
  port = 1;
  eng = 0;
  Initialize();
  optReseTipo = 5;
  countDoubleAbsence = 0;
  EXPECT_NE(Report().find(std::string("Ausencias compartilhadas em variaveis binarias ") + yesnoInfo[0] +
                          " foram consideradas.\n"),
            std::string::npos);
}

TEST_F(StatusTest, OrdinationLine) {
  temDados = 1;
  temEscore = 1;
  optOrdiType = 2;
  EXPECT_NE(Report().find(std::string("Ordination scores available: ") + optOrdiTypeInfo[2] + "\n"), std::string::npos);
}

// A stand-in for the stored data sets: the second one differs by name and width.
void SwapDataSet(int which) {
  if (which == 2) {
    strcpy(filename, "env.txt");
    nVar = 5;
  } else {
    strcpy(filename, "meadow.txt");
    nVar = 30;
  }
}

TEST_F(StatusTest, SecondDataSetReportedInFull) {
  temDados = 1;
  secondSet = true;
  makeDataSetCurrent = SwapDataSet;
  const std::string r = Report();
  const size_t first = r.find("Data file name: meadow.txt");
  const size_t line16a = r.find("Second data set: env.txt, with 5 variables\nSession IS saved.\n");
  const size_t second = r.find("\nAnalysis status:\nData file name: env.txt\nDimensions: 20 sampling units, 5 variables");
  const size_t last = r.find("Maximum number of processors");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(line16a, std::string::npos) << r;
  ASSERT_NE(second, std::string::npos) << r;
  EXPECT_LT(first, line16a);
  EXPECT_LT(line16a, second);
  EXPECT_LT(second, last);
  EXPECT_EQ(CountOccurrencesOf(r, "Second data set"), 1);
  EXPECT_STREQ(filename, "meadow.txt");  // the first set is current again
  EXPECT_EQ(nVar, 30);
}

TEST_F(StatusTest, ResultsBlockHeader) {
  char dir[] = "/tmp/plexor-status-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  strcpy(modeZoviri, "w");
  FILE* f = OpenResultsBlock("CLUSTER ANALYSIS");
  ASSERT_NE(f, nullptr);
  fprintf(f, "body\n");
  fclose(f);
  FILE* g = fopen("Zoviri.txt", "r");
  ASSERT_NE(g, nullptr);
  std::string s;
  for (int c; (c = fgetc(g)) != EOF;) s.push_back(static_cast<char>(c));
  fclose(g);
  EXPECT_EQ(s.rfind(std::string("\n") + line + "\nCLUSTER ANALYSIS\n", 0), 0u) << s;
  EXPECT_NE(s.find("\nAnalysis status: Data not available.\n"), std::string::npos);
  EXPECT_NE(s.find("body\n"), std::string::npos);
  unlink("Zoviri.txt");
  ASSERT_EQ(chdir(previous), 0);
  rmdir(dir);
}

}  // namespace

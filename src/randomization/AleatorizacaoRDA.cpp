// Redundancy analysis (canonical ordination) of response variables on
// explanatory variables, with the randomization test of the correlation
// between the unit scores in the space of the responses and in the space of
// the explanatory variables, axis by axis.
#include <cstdio>
#include <string>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "ordination/RedundancyAnalysis.h"
#include "randomization/SessionRandom.h"
#include "randomization/TwoSetReport.h"
#include "randomization/TwoSetTests.h"
#include "randomization/TwoSetTestsMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return TwoSetText(portuguese, english); }

const char* EigenWarning() {
  return Tx("Problemas na extracao de raizes da matriz de covariancia\n",
            "Problems in the extraction of the roots of the covariance matrix\n");
}

void AxisRows(FILE* f, int rows, int cols, const Matrix& m) {
  for (int k = 0; k < rows; k++) {
    fprintf(f, Tx("Eixo canonico\t%d:\t", "Canonical axis\t%d:\t"), k + 1);
    for (int j = 0; j < cols; j++) fprintf(f, "%.*g\t", sDigits, m[k][j]);
    fprintf(f, "\n");
  }
}

void PrintRda(FILE* f, const RdaResult& rda, const DataSetView& responses, const DataSetView& explanatory) {
  fprintf(f, "%s", Tx("ANALISE DE REDUNDANCIA (RDA) ", "REDUNDANCY ANALYSIS (RDA) "));
  fprintf(f, Tx("\nMatriz de dados com variaveis resposta (Y):\t%s\n", "\nData matrix with response variables (Y):\t%s\n"),
          responses.filename);
  fprintf(f, Tx("Matriz de dados com variaveis explanatorias (X):\t%s\n",
                "Data matrix with explanatory variables (X):\t%s\n"),
          explanatory.filename);
  fprintf(f, "%s\n", Tx("Primeira iteracao (com dados observados)", "First iteration (with observed data)"));
  if (!rda.eigenAccepted) fprintf(f, "%s", EigenWarning());
  fprintf(f, Tx("Variacao total de Y (traco da matriz de covariancia):\t%.*g\n",
                "Total variation in Y (trace of the covariance matrix):\t%.*g\n"),
          sDigits, rda.totalVar);
  fprintf(f, "%s", Tx("Autovalores canonicos:\t", "Canonical eigenvalues:\t"));
  for (int k = 0; k < rda.rank; k++) fprintf(f, "%.*g\t", sDigits, rda.eig[k]);
  fprintf(f, "%s", Tx("\nProporcao da variacao de Y explicada pelos eixos canonicos:\t",
                      "\nProportion of the variation in Y explained by the canonical axes:\t"));
  for (int k = 0; k < rda.rank; k++)
    fprintf(f, "%.*g\t", sDigits, rda.totalVar > 0.0 ? rda.eig[k] / rda.totalVar : 0.0);
  fprintf(f, "%s", Tx("\n\nAutovetores (variaveis resposta em colunas):\n",
                      "\n\nEigenvectors (response variables in columns):\n"));
  fprintf(f, "\t");
  for (int j = 0; j < responses.nVar; j++) fprintf(f, "\t%s", responses.varLabels[j]);
  fprintf(f, "\n");
  AxisRows(f, rda.rank, rda.p, rda.evec);
  fprintf(f, "%s", Tx("\nEscores das unidades amostrais no espaco das variaveis explanatorias (X):\n",
                      "\nUnit scores in the space of the explanatory variables (X):\n"));
  AxisRows(f, rda.rank, rda.n, rda.fittedScores);
  fprintf(f, "%s", Tx("\nEscores das unidades amostrais no espaco das variaveis resposta (Y):\n",
                      "\nUnit scores in the space of the response variables (Y):\n"));
  AxisRows(f, rda.rank, rda.n, rda.scores);
  fprintf(f, "%s", Tx("\nCorrelacoes entre as variaveis explanatorias e os eixos canonicos:\n",
                      "\nCorrelations between the explanatory variables and the canonical axes:\n"));
  fprintf(f, "\t");
  for (int j = 0; j < explanatory.nVar; j++) fprintf(f, "\t%s", explanatory.varLabels[j]);
  fprintf(f, "\n");
  AxisRows(f, rda.rank, rda.q, rda.biplotCorr);
}

const char* Criterion() {
  return Tx("Criterio de teste: Correlacao entre escores no espaco definido pelas variaveis resposta (Y) e "
            "explanatorias (X).\n",
            "Test criterion: Correlation between scores on the space defined by the response (Y) and explanatory (X) "
            "variables.\n");
}

}  // namespace

void AleatorizacaoRDA(const DataSetView& responses, const DataSetView& explanatory) {
  const int n = responses.nObj, p = responses.nVar, q = explanatory.nVar;
  if (RefuseMissingData(responses) || RefuseMissingData(explanatory) || RefuseSingularFactors(explanatory)) return;
  RdaResult rda;
  if (!RDA(n, p, q, responses.data, explanatory.data, rda)) return;
  if (!rda.eigenAccepted) fprintf(out, "\n%s", EigenWarning());
  if (rda.rank == 0) {
    fprintf(out, "%s",
            Tx("\nAs variaveis explanatorias nao explicam nenhuma variacao das variaveis resposta: nao ha eixo "
               "canonico a testar.\n",
               "\nThe explanatory variables explain no variation of the response variables: there is no canonical "
               "axis to test.\n"));
    return;
  }
  AleatorizacaoMain();
  const int permutations = AskTwoSetPermutations();
  const bool saveEach = AskSaveEachPermutation(permutations);
  const double start = difftime_Clock_Init();
  FILE* f = OpenTwoSetResults(saveEach,
                              Tx("TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n",
                                 "RANDOMIZATION TEST: Data and results of each permutation\n"),
                              permutations, Criterion());
  if (f == nullptr) return;
  const TwoSetTestRun run = PermutationRun(permutations);
  TwoSetObserver observer;
  const char* correlations = Tx("Correlacoes entre escores nos espacos de Y e de X:\t",
                                "Correlations between scores in the spaces of Y and X:\t");
  if (saveEach) {
    PrintDataSet(f, explanatory);
    PrintDataSet(f, responses);
    fprintf(f, "%s", correlations);
    for (int k = 0; k < rda.rank; k++) fprintf(f, "%g\t", rda.axisCorr[k]);
    fprintf(f, "\n");
    observer = [&](int permutation, const int* list, const double* statistics) {
      WritePermutationHeading(f, permutation);
      PrintTable(f, responses, list);
      fprintf(f, "%s", correlations);
      for (int k = 0; k < rda.rank; k++) fprintf(f, "%g\t", statistics[k]);
      fprintf(f, "\n");
    };
  }
  TwoSetTestResult result;
  if (!RunTwoSetTest(f, [&] {
        return RdaTest(n, p, q, responses.data, explanatory.data, rda.rank, r, run, result, observer);
      }))
    return;
  WriteFinalHeading(f, Tx("TESTE DE ALEATORIZACAO", "RANDOMIZATION TEST"), saveEach, difftime_Clock(start),
                    permutations);
  PrintRda(f, rda, responses, explanatory);
  fprintf(f, "\n%s", Criterion());
  fprintf(f,
          Tx("\nCorrelacoes entre escores no espaco definido pelas variaveis resposta (Y) e explanatorias (X), com as "
             "probabilidades correspondentes geradas por permutacao (%d permutacoes aleatorias de vetores de unidades "
             "amostrais na matriz Y):\n",
             "\nCorrelations between scores on the space defined by the response (Y) and explanatory (X) variables, "
             "with corresponding P-values generated by permutation (%d random permutations of unit vectors in matrix "
             "Y):\n"),
          permutations - 1);
  for (int k = 0; k < rda.rank; k++)
    fprintf(f, Tx("Eixo canonico %d:\t%g\t%g\n", "Canonical axis %d:\t%g\t%g\n"), k + 1, rda.axisCorr[k],
            result.probability[k]);
  fclose(f);
  SeeResultsOnFile();
}

// The correlation-type tests between two (or three) data sets: Mantel,
// partial Mantel, Rd, RV and Procrustes. One scheme: seed, number of
// permutations, the question on saving every permutation, the test, and
// the final block with the observed statistic and its probability.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "ZQLib/MissingValue.h"
#include "ordination/LinearRegression.h"
#include "ordination/TwoSetStatistics.h"
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

struct CorrelationTest {
  const char* eachHeading = "";
  const char* finalHeading = "";
  std::string criterion, eachCriterion;
  const char* statisticLine = "";    // "...:\t%g\n"
  const char* probabilityLine = "";  // "...:\t%g\n"
  double observed = 0.0;             // the statistic of the observed data sets
  std::function<TwoSetTestResult(const TwoSetTestRun&, const TwoSetObserver&)> run;
  std::function<void(FILE*)> printObserved;
  std::function<void(FILE*, const int* list)> printPermuted;
};

void RunCorrelationTest(const CorrelationTest& t) {
  AleatorizacaoMain();
  const int permutations = AskTwoSetPermutations();
  const bool saveEach = AskSaveEachPermutation(permutations);
  const double start = difftime_Clock_Init();
  FILE* f = OpenTwoSetResults(saveEach, t.eachHeading, permutations, t.eachCriterion);
  if (f == nullptr) return;
  const TwoSetTestRun run = PermutationRun(permutations);
  TwoSetObserver observer;
  if (saveEach) {
    t.printObserved(f);
    fprintf(f, t.statisticLine, t.observed);
    observer = [&](int permutation, const int* list, const double* statistics) {
      WritePermutationHeading(f, permutation);
      t.printPermuted(f, list);
      fprintf(f, t.statisticLine, statistics[0]);
    };
  }
  TwoSetTestResult result;
  if (!RunTwoSetTest(f, [&] {
        result = t.run(run, observer);
        return true;
      }))
    return;
  WriteFinalHeading(f, t.finalHeading, saveEach, difftime_Clock(start), permutations);
  fprintf(f, "%s", t.criterion.c_str());
  fprintf(f, "%s", Tx("Resultados:\n", "Results:\n"));
  fprintf(f, t.statisticLine, t.observed);
  fprintf(f, t.probabilityLine, result.probability[0]);
  fclose(f);
  SeeResultsOnFile();
}

// The resemblance matrix of a data set, or its rows and columns permuted.
void PrintResemblance(FILE* f, const DataSetView& set, const int* list = nullptr) {
  const int n = set.nObj;
  Matrix m(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) m[i][j] = list ? set.rese[list[i] - 1][list[j] - 1] : set.rese[i][j];
  PrintRese(f, n, sDigits, m.data());
}

// What each saved permutation shows: the resemblance matrices of the data
// sets (each after its name), then the first one's, permuted.
void ShowResemblances(CorrelationTest& t, std::vector<const DataSetView*> sets) {
  t.printObserved = [sets](FILE* f) {
    for (const DataSetView* s : sets) {
      fprintf(f, "\n%s\n", s->filename);
      PrintResemblance(f, *s);
    }
  };
  t.printPermuted = [first = sets[0]](FILE* f, const int* list) { PrintResemblance(f, *first, list); };
}

// The same with the data tables of two data sets.
void ShowTables(CorrelationTest& t, const DataSetView& first, const DataSetView& second) {
  t.printObserved = [&first, &second](FILE* f) {
    PrintDataSet(f, first);
    PrintDataSet(f, second);
  };
  t.printPermuted = [&first](FILE* f, const int* list) { PrintTable(f, first, list); };
}

}  // namespace

bool RefuseMissingData(const DataSetView& set) {
  for (int i = 0; i < set.nObj; i++)
    for (int j = 0; j < set.nVar; j++)
      if (IsMissing(set.data[i][j])) {
        fprintf(out,
                Tx("\nA analise nao e possivel com valores faltantes (-999) nos dados %s.\n",
                   "\nThe analysis is not possible with missing values (-999) in data %s.\n"),
                set.filename);
        return true;
      }
  return false;
}

bool RefuseUndefinedResemblance(const DataSetView& set) {
  for (int i = 0; i < set.nObj; i++)
    for (int j = 0; j < set.nObj; j++)
      if (IsMissing(set.rese[i][j])) {
        fprintf(out,
                Tx("\nA matriz de semelhanca dos dados %s contem valores indefinidos (-999): o coeficiente Rd nao "
                   "pode ser calculado.\n",
                   "\nThe resemblance matrix of data %s holds undefined values (-999): the Rd coefficient cannot be "
                   "computed.\n"),
                set.filename);
        return true;
      }
  return false;
}

bool RefuseSingularFactors(const DataSetView& factors) {
  NormalEquations ne;
  if (ne.Prepare(factors.nObj, factors.nVar, factors.data)) return false;
  fprintf(out,
          Tx("\nAs variaveis fatores (explanatorias) de %s sao colineares, constantes ou mais numerosas do que as %d "
             "unidades amostrais permitem: o sistema de equacoes normais e singular e a analise nao e possivel.\n",
             "\nThe factor (explanatory) variables of %s are collinear, constant or more numerous than %d sampling "
             "units allow: the system of normal equations is singular and the analysis is not possible.\n"),
          factors.filename, factors.nObj);
  return true;
}

void AleatorizacaoMantel(const DataSetView& first, const DataSetView& second) {
  const int n = first.nObj;
  CorrelationTest t;
  t.eachHeading = Tx("TESTE DE MANTEL: Dados e resultados de cada permutacao\n",
                     "MANTEL TEST: Data and results of each permutation\n");
  t.finalHeading = Tx("TESTE DE MANTEL", "MANTEL TEST");
  t.criterion = Format(Tx("Criterio de teste: Correlacao matricial  (Pearson entre semelhancas definidas com os "
                          "conjuntos de dados %s e %s).\n",
                          "Test criterion: Matrix correlation  (Pearson between resemblances defined with data sets "
                          "%s and %s).\n"),
                       first.filename, second.filename);
  t.eachCriterion = Format(Tx("Criterio de teste: correlacao matricial  (Pearson entre semelhancas definidas com os "
                              "conjuntos de dados %s e %s).\n",
                              "Test criterion: matrix correlation  (Pearson between resemblances defined with data "
                              "sets %s and %s).\n"),
                           first.filename, second.filename);
  t.statisticLine = Tx("Correlacao matricial:\t%g\n", "Matrix correlation:\t%g\n");
  t.probabilityLine = Tx("Probabilidade P(|ro aleatorio| >= |ro observado|):\t%g\n",
                         "Probability P(|ro random| >= |ro observed|):\t%g\n");
  t.observed = MatrixCorr(n, first.rese, second.rese);
  t.run = [&](const TwoSetTestRun& run, const TwoSetObserver& o) {
    return MantelTest(n, first.rese, second.rese, r, run, o);
  };
  ShowResemblances(t, {&first, &second});
  RunCorrelationTest(t);
}

void AleatorizacaoPartialMantel(const DataSetView& first, const DataSetView& second, const DataSetView& third) {
  const int n = first.nObj;
  CorrelationTest t;
  t.eachHeading = Tx("TESTE DE MANTEL PARCIAL: Dados e resultados de cada permutacao\n",
                     "PARTIAL MANTEL TEST: Data and results of each permutation\n");
  t.finalHeading = Tx("TESTE DE MANTEL PARCIAL", "PARTIAL MANTEL TEST");
  t.criterion = Format(Tx("Criterio de teste: Correlacao matricial parcial  (Pearson entre semelhancas definidas com "
                          "os conjuntos de dados %s e %s, controlando pelas semelhancas com %s).\n",
                          "Test criterion: Partial matrix correlation  (Pearson between resemblances defined with "
                          "data sets %s and %s, controling for resemblances with %s).\n"),
                       first.filename, second.filename, third.filename);
  t.eachCriterion = Format(Tx("Criterio de teste: correlacao matricial parcial  (Pearson entre semelhancas definidas "
                              "com os conjuntos de dados %s e %s, removendo o efeito das semelhancas com %s).\n",
                              "Test criterion: partial matrix correlation  (Pearson between resemblances defined "
                              "with data sets %s and %s, removing effect of resemblances with %s).\n"),
                           first.filename, second.filename, third.filename);
  t.statisticLine = Tx("Correlacao matricial parcial:\t%g\n", "Partial matrix correlation:\t%g\n");
  t.probabilityLine = Tx("Probabilidade P(|ro aleatorio| >= |ro observado|):\t%g\n",
                         "Probability P(|ro random| >= |ro observed|):\t%g\n");
  t.observed = PartialMatrixCorr(n, first.rese, second.rese, third.rese);
  t.run = [&](const TwoSetTestRun& run, const TwoSetObserver& o) {
    return PartialMantelTest(n, first.rese, second.rese, third.rese, r, run, o);
  };
  ShowResemblances(t, {&first, &second, &third});
  RunCorrelationTest(t);
}

void AleatorizacaoRd(const DataSetView& first, const DataSetView& second) {
  if (RefuseUndefinedResemblance(first) || RefuseUndefinedResemblance(second)) return;
  const int n = first.nObj;
  CorrelationTest t;
  t.eachHeading = Tx("Coeficiente Rd: Dados e resultados de cada permutacao\n",
                     "Rd Coefficient: Data and results of each permutation\n");
  t.finalHeading = Tx("TESTE DO Coeficiente Rd", "Rd Coefficient TEST");
  t.criterion = Format(Tx("Criterio de teste: Coeficiente Rd definido com os conjuntos de dados %s e %s).\n",
                          "Test criterion: Rd coefficient defined with data sets %s and %s).\n"),
                       first.filename, second.filename);
  t.eachCriterion = t.criterion;
  t.statisticLine = Tx("Coeficiente Rd:\t%g\n", "Rd coefficient:\t%g\n");
  t.probabilityLine = Tx("Probabilidade P(|Rd aleatorio| >= |Rd observado|):\t%g\n",
                         "Probability P(|Rd random| >= |Rd observed|):\t%g\n");
  t.observed = RdMatrixCorr(n, second.rese, first.rese, false);
  t.run = [&](const TwoSetTestRun& run, const TwoSetObserver& o) {
    return RdTest(n, first.rese, second.rese, r, run, o);
  };
  ShowResemblances(t, {&first, &second});
  RunCorrelationTest(t);
}

void AleatorizacaoRV(const DataSetView& first, const DataSetView& second) {
  if (RefuseMissingData(first) || RefuseMissingData(second)) return;
  const int n = first.nObj;
  CorrelationTest t;
  t.eachHeading = Tx("Coeficiente RV: Dados e resultados de cada permutacao\n",
                     "RV Coefficient: Data and results of each permutation\n");
  t.finalHeading = Tx("TESTE DO Coeficiente RV", "RV Coefficient TEST");
  t.criterion = Format(Tx("Criterio de teste: Coeficiente RV definido com os conjuntos de dados %s e %s).\n",
                          "Test criterion: RV coefficient defined with data sets %s and %s).\n"),
                       first.filename, second.filename);
  t.eachCriterion = t.criterion;
  t.statisticLine = Tx("Coeficiente RV:\t%g\n", "RV coefficient:\t%g\n");
  t.probabilityLine = Tx("Probabilidade P(|RV aleatorio| >= |RV observado|):\t%g\n",
                         "Probability P(|RV random| >= |RV observed|):\t%g\n");
  t.observed = RVcoeff(n, second.nVar, first.nVar, second.data, first.data);
  t.run = [&](const TwoSetTestRun& run, const TwoSetObserver& o) {
    return RVTest(n, first.nVar, second.nVar, first.data, second.data, r, run, o);
  };
  ShowTables(t, first, second);
  RunCorrelationTest(t);
}

void AleatorizacaoProcrustes(const DataSetView& first, const DataSetView& second) {
  const int n = first.nObj;
  CorrelationTest t;
  t.eachHeading = Tx("PROCRUSTES: Dados e resultados de cada permutacao\n",
                     "PROCRUSTES: Data and results of each permutation\n");
  t.finalHeading = Tx("TESTE DE PROCRUSTES", "PROCRUSTES TEST");
  t.criterion = Format(Tx("Criterio de teste: Correlacao de Procrustes definida com os conjuntos de dados %s e %s).\n",
                          "Test criterion: Procrustes correlation defined with data sets %s and %s).\n"),
                       first.filename, second.filename);
  t.eachCriterion = t.criterion;
  t.statisticLine = Tx("Correlacao de Procrustes (r):\t%g\n", "Procrustes correlation (r):\t%g\n");
  t.probabilityLine = Tx("Probabilidade P(|r aleatorio| >= |r observado|):\t%g\n",
                         "Probability P(|r random| >= |r observed|):\t%g\n");
  t.observed = ProcrustesCoeff(n, second.nVar, first.nVar, second.data, first.data);
  t.run = [&](const TwoSetTestRun& run, const TwoSetObserver& o) {
    return ProcrustesTest(n, first.nVar, second.nVar, first.data, second.data, r, run, o);
  };
  ShowTables(t, first, second);
  RunCorrelationTest(t);
}

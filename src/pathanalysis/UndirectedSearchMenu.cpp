// The undirected dependency search of option F: the test on the session's
// data and its reports (intermediate results after every batch of tests).
#include <cstdio>
#include <new>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "pathanalysis/PathAnalysisMenu.h"
#include "pathanalysis/PathReportFile.h"
#include "randomization/PermutationRestrictionsDialogue.h"
#include "randomization/VariableTest.h"
#include "resemblance/ResemblanceLib.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionRandom.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/TransformationMenu.h"

namespace {

using namespace path_report;

void PrintTests(FILE* f, const PartialCorrelationBatch& batch) {
  for (int t = 0; t < batch.Tests(); t++) {
    fprintf(f, Tx("Par de variaveis:\t%s\t%s", "Variable pair:\t%s\t%s"), varLabels[batch.pairs[2 * t]],
            varLabels[batch.pairs[2 * t + 1]]);
    if (batch.order > 0) {
      fprintf(f, "%s", Tx("\tCovariavel(is):\t", "\tCovariable(s):\t"));
      for (int m = 0; m < batch.order; m++)
        fprintf(f, m == 0 ? "%s" : "\t%s", varLabels[batch.covariables[static_cast<size_t>(batch.order) * t + m]]);
    }
    fprintf(f, "\t%g\t%g\n", batch.r[t], batch.p[t]);
  }
}

void WriteIntermediate(FILE* f, const PartialCorrelationBatch& batch, LinkMatrix links) {
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s",
          Tx("Algoritmo de caminhos nao dirigidos: Resultados intermediarios\n",
             "Undirected path algorithm: Intermediate results\n"));
  fprintf(f, "%s\n", line);
  fprintf(f, "%s", Tx("\nCorrelacoes observadas e probabilidades:\n", "\nObserved correlations and p-value:\n"));
  PrintTests(f, batch);
  fprintf(f, "%s",
          Tx("\tMatriz intermediaria de caminhos nao dirigidos (1 indica uma ligacao, 0 indica nenhuma ligacao entre "
             "as variaveis)\n",
             "\tIntermediate undirected path matrix (1 indicates a link, 0 indicates no link between the "
             "variables)\n"));
  PrintLowerHalfMatrixTab(f, links.Size(), links.Rows());
}

void WriteFinal(FILE* f, const PathTestSettings& s, double alpha, double elapsed, LinkMatrix& links) {
  const bool saved = s.saveIntermediate == 'y' || s.saveIntermediate == 's';
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s",
          Tx("ANALISE DE CAMINHOS: Algoritmo para gerar modelo de relacoes de dependencia nao dirigida, described in "
             "Shipley 2000 (Spirtes, Glymour and Scheines 1990)\n",
             "PATH ANALYSIS: Undirected dependency model algorithm described in Shipley 2000 (quoted as by Spirtes, "
             "Glymour and Scheines 1990)\n"));
  if (saved) fprintf(f, "%s", Tx("Resultado final:", "Final results:"));
  fprintf(f, "\n%s\n", line);
  fprintf(f, Tx("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), elapsed);
  ShowStatus(f);
  fprintf(f, Tx("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), s.nPermutations);
  fprintf(f, Tx("Inicializador da geracao de numeros aleatorios: %u\n", "Random number generation initializer: %u\n"),
          seed);
  fprintf(f, "%s", Tx("Criterio de teste:\n", "Test criterion:\n"));
  fprintf(f, Tx("\tMedida de semelhanca: %s, %s\n", "\tResemblance measure: %s, %s\n"), optReseTipoInfo[optReseTipo],
          optReseDirInfo[optReseDir]);
  PrintPermutationRestrictions(f, s.restrictions, nObj, true);
  fprintf(f, "%s", Tx("\nResultados:\n", "\nResults:\n"));
  fprintf(f, Tx("\tLimiar the probabilidade alfa: \t%g\n", "\tAlpha probability threshold: \t%g\n"), alpha);
  fprintf(f, "%s",
          Tx("\tMatriz indicando caminhos nao direcionais entre as variaveis ()\n",
             "\tUndirected path matrix (1 indicates a link, 0 indicates no link between the variables)\n"));
  PrintLowerHalfMatrixTab(f, links.Size(), links.Rows());
}

ResemblanceChoice CorrelationBetweenVariables() {
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  return c;
}

}  // namespace

LinkMatrix SearchingUndirectedPath(double alpha, const PathTestSettings& settings) {
  LinkMatrix links(nVar);
  const double start = difftime_Clock_Init();
  ResultsFile results;
  try {
    Matrix observed(nVar, nVar);
    ResemblanceLib(CorrelationBetweenVariables(), nObj, nVar, data, observed.data());
    PartialCorrelationRun run;
    run.nObj = nObj;
    run.nVar = nVar;
    run.data = dataOrig;
    run.observed = observed.data();
    run.transform = CurrentTransformChoice();
    run.restrictions = settings.restrictions;
    run.nPermutations = settings.nPermutations;
    run.nullModel = 2;
    results.Open();
    UndirectedSearchObserver observer;
    if ((settings.saveIntermediate == 'y' || settings.saveIntermediate == 's') && results.f != nullptr)
      observer = [&](const PartialCorrelationBatch& batch, const LinkMatrix& now) {
        WriteIntermediate(results.f, batch, now);
      };
    links = SearchUndirectedDependencies(run, alpha, r, PermutationProgress(), observer);
  } catch (const RandomDataRefused& e) {
    ClearLine();
    fprintf(out,
            Tx("\nA transformacao dos dados nao e definida para o conjunto de dados aleatorio %d: a busca foi "
               "interrompida.\n",
               "\nThe data transformation is undefined for random data set %d: the search was stopped.\n"),
            e.permutation);
    return links;
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return links;
  } catch (const std::invalid_argument&) {
    ClearLine();
    fprintf(out, "%s",
            Tx("\nAs restricoes nas permutacoes nao servem para estes dados: a busca nao foi feita.\n",
               "\nThe permutation restrictions do not fit these data: the search was not run.\n"));
    return links;
  }
  const double elapsed = difftime_Clock(start);
  ClearLine();
  if (results.f != nullptr) WriteFinal(results.f, settings, alpha, elapsed, links);
  results.Close();
  SeeResults();
  return links;
}

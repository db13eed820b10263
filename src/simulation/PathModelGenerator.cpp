// Letter J: the path model generator's dialogue and run.
#include <cstdio>
#include <new>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "simulation/PathSimulationReport.h"
#include "simulation/SimulationDialogue.h"
#include "simulation/SimulationMenu.h"
#include "simulation/SimulationRun.h"

namespace {

constexpr int kMaxVariables = 30, kMaxSampleSize = 100000, kMaxModels = 100000, kMaxPermutations = 10000000;

int AskInt(const char* portuguese, const char* english, int low, int high) {
  fprintf(out, SimTx(portuguese, english), low, high);
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", static_cast<double>(low), static_cast<double>(high)));
}

double AskReal(const char* portuguese, const char* english, double low, double high) {
  fprintf(out, "%s", SimTx(portuguese, english));
  return ScanNumber(in, KeyboardLabel(), "-", low, high);
}

PathSimulationSettings AskSettings(std::string* dataFile) {
  PathSimulationSettings s;
  s.variables = AskInt("Numero de variaveis no modelo (%d a %d): ", "Number of variables in the model (%d to %d): ", 3,
                       kMaxVariables);
  s.paths = AskInt("Numero de caminhos no modelo (%d a %d): ", "Number of paths in the model (%d to %d): ", 1,
                   static_cast<int>(LargestPathsLeavingATest(s.variables)));
  s.sampleSize = AskInt("Tamanho da amostra (%d a %d): ", "Sample size (%d to %d): ", s.variables + s.paths + 2,
                        kMaxSampleSize);
  s.coefficientLow = AskReal("Menor coeficiente de caminho: ", "Smallest path coefficient: ", -100.0, 100.0);
  s.coefficientHigh = AskReal("Maior coeficiente de caminho: ", "Largest path coefficient: ", s.coefficientLow, 100.0);
  s.errorVariance = AskReal("Variancia dos erros: ", "Error variance: ", 1e-12, 1e6);
  s.models = AskInt("Numero de modelos simulados (%d a %d): ", "Number of simulated models (%d to %d): ", 1,
                    kMaxModels);
  s.permutations = AskInt("Numero de permutacoes para cada teste (%d a %d): ",
                          "Number of permutations for each test (%d to %d): ", 1, kMaxPermutations);
  s.alpha = AskReal("Probabilidade alfa para rejeitar um modelo: ", "Alpha probability for rejecting a model: ", 0.0,
                    1.0);
  fprintf(out, "%s",
          SimTx("Modelo nulo para testar correlacoes parciais: \n\t(1) permutar todas as variaveis (ou blocos de "
                "variaveis) ao mesmo tempo\n\t(2) permutar somente a primeira variavel (ou bloco de variaveis) para "
                "testar cada afirmacao de d-separacao (Smouse et al. 1986)\n\t\tEntre opcao: ",
                "Null model for testing partial correlations: \n\t(1) permute all variables (or blocks of variables) "
                "at once\n\t(2) permute only the first variable (or block of variables) for testing each d-separation "
                "statement (Smouse et al. 1986)\n\t\tEntre opcao: "));
  s.nullModel = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  {
    // The seed dialogue notes the session's direction of comparison.
    BorrowedSessionChoices borrowed;
    AleatorizacaoMain();
  }
  dataFile->clear();
  if (AskYes("Guardar os modelos e dados simulados em um arquivo? s/n ",
             "Save the simulated models and data on a file? y/n "))
    *dataFile = AskSimulatedDataFile({kSummaryResultsPathFile, kSummaryResultsPathPerModelFile});
  return s;
}

}  // namespace

void PathModelGenerator() {
  fprintf(out, "\n%s\n", line);
  fprintf(out, "%s",
          SimTx("GERADOR DE MODELOS DE CAMINHOS: TESTE DO CONJUNTO BASICO EM MODELOS VERDADEIROS E FALSOS\n",
                "PATH MODEL GENERATOR: BASIS-SET TEST OF TRUE AND FALSE MODELS\n"));
  std::string dataFile;
  const PathSimulationSettings s = AskSettings(&dataFile);

  const gsl_rng_type* type = r ? r->type : nullptr;
  RunSimulationGenerator(
      SessionRunFacts(dataFile), SimTx("GERADOR DE MODELOS DE CAMINHOS", "PATH MODEL GENERATOR"),
      [&] { return RunPathSimulation(s, seed, type, 0, SimulationProgress("Modelo simulado:", "Simulated model:")); },
      [&](const PathSimulationResults& results, SimulationRunFacts* facts) {
        facts->summaryWritten = WriteSummaryResultsPath(kSummaryResultsPathFile, s, results);
        facts->perItemWritten = WriteSummaryResultsPathPerModel(kSummaryResultsPathPerModelFile, results);
        if (!dataFile.empty()) facts->dataWritten = WriteSimulatedPathData(dataFile, s, seed, type);
      },
      [&](FILE* f, const SimulationRunFacts& facts, const PathSimulationResults& results) {
        WritePathSimulationBlock(f, facts, s, results);
      });
}

// Letter U: the random data generator's dialogue and run.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "randomization/SessionRandom.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"
#include "simulation/DimensionReport.h"
#include "simulation/SimulationDialogue.h"
#include "simulation/SimulationMenu.h"
#include "simulation/SimulationRun.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TransformationMenu.h"

namespace {

constexpr int kMaxUnits = 5000, kMaxVariables = 5000, kMaxDataSets = 100000;

int AskInt(const char* portuguese, const char* english, int low, int high) {
  fprintf(out, SimTx(portuguese, english), low, high);
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", static_cast<double>(low), static_cast<double>(high)));
}

double AskReal(const char* portuguese, const char* english, double low, double high) {
  fprintf(out, "%s", SimTx(portuguese, english));
  return ScanNumber(in, KeyboardLabel(), "-", low, high);
}

GradientModel AskModel() {
  GradientModel m;
  m.units = AskInt("Numero de unidades amostrais (%d a %d): ", "Number of sampling units (%d to %d): ", 3, kMaxUnits);
  m.variables = AskInt("Numero de variaveis (%d a %d): ", "Number of variables (%d to %d): ", 2, kMaxVariables);
  const int g = AskInt("Numero verdadeiro de gradientes (%d a %d): ", "True number of gradients (%d to %d): ", 0,
                       kMaxGradients);
  fprintf(out, "%s",
          SimTx("Resposta das variaveis ao longo dos gradientes:\n\t(1) linear\n\t(2) unimodal (gaussiana), com "
                "contagens sorteadas dela\n\t\tEntre opcao: ",
                "Response of the variables along the gradients:\n\t(1) linear\n\t(2) unimodal (Gaussian), with "
                "counts drawn from it\n\t\tEnter option: "));
  m.kind = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2")) == 1 ? ResponseKind::LINEAR
                                                                          : ResponseKind::UNIMODAL;
  const bool linear = m.kind == ResponseKind::LINEAR;
  for (int k = 1; k <= g; k++) {
    fprintf(out,
            linear ? SimTx("Intensidade do gradiente %d (desvio padrao do seu efeito): ",
                           "Strength of gradient %d (standard deviation of its effect): ")
                   : SimTx("Comprimento do gradiente %d (em tolerancias das respostas): ",
                           "Length of gradient %d (in tolerances of the responses): "),
            k);
    m.strength.push_back(ScanNumber(in, KeyboardLabel(), "-", 0.0, linear ? 1e6 : 1000.0));
  }
  if (linear) {
    m.noise = AskReal("Nivel de ruido (desvio padrao dos erros): ", "Noise level (standard deviation of the errors): ",
                      0.0, 1e6);
  } else {
    m.noise = AskReal("Nivel de ruido (desvio padrao da variacao log-normal das contagens esperadas): ",
                      "Noise level (standard deviation of the log-normal variation of the expected counts): ", 0.0,
                      5.0);
    m.maxCount = AskReal("Contagem maxima esperada (no otimo de cada variavel): ",
                         "Maximum expected count (at the optimum of each variable): ", 1e-6, 1e6);
  }
  return m;
}

// The ordination of the simulated tables, asked until it fits the
// transformation and measure chosen and scores the sampling units; 0 when
// the user cancels.
int AskOrdination(const GradientModel& m) {
  for (;;) {
    fprintf(out, "%s", SimTx("\nMetodo de ordenacao:\n", "\nOrdination method:\n"));
    fprintf(out, "\t%s\n\t%s\n \t%s\n \t(99)%s\n ", optOrdiTypeInfo[1], optOrdiTypeInfo[2], optOrdiTypeInfo[3],
            returnMain);
    fprintf(out, "\t\t%s: ", enterOpt);
    const int type = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 99"));
    if (type == 99) return 0;
    OrdinationChoice c;
    c.type = type;
    c.reseType = optReseTipo;
    c.reseDir = optReseDir;
    bool accepted = true;
    if (type == 3 && !((optTrVeUnits == 6 || optTrVeVar == 6) && optReseTipo == 1)) {
      fprintf(out, "%s\n",
              SimTx("Transformacao de dados e/ou medida de semelhanca nao compativeis.",
                    "Data transformation and/or resemblance measure are not compatible."));
      fprintf(out,
              SimTx("\tOpcoes aceitaveis para analise de correspondencia:\n\tTransformacao vetorial: %s\n\tMedida de "
                    "semelhanca: %s\n",
                    "\tAcceptable options for correspondence analysis:\n\tVector transformation: %s\n\tResemblance "
                    "option: %s\n"),
              optTrVe2Info[6], optReseTipoInfo[1]);
      accepted = false;
    } else if (type == 3 && m.kind == ResponseKind::LINEAR) {
      fprintf(out, "%s",
              SimTx("\nAnalise de correspondencia requer dados sem valores negativos: escolha respostas unimodais "
                    "(contagens).\n",
                    "\nCorrespondence analysis needs data without negative values: choose unimodal responses "
                    "(counts).\n"));
      accepted = false;
    } else if (type == 2 && optReseTipo != 1 && optReseTipo != 17 && optReseTipo != 22) {
      fprintf(out, "%s\n", SimTx("Medida de semelhanca nao eh compativel.", "Resemblance measure is not compatible."));
      fprintf(out,
              SimTx("Opcoes aceitaveis para analise de componentes principais: %s, %s ou %s %s\n",
                    "Acceptable options for principal components analysis: %s, %s ou %s %s\n"),
              optReseTipoInfo[1], optReseTipoInfo[17], optReseTipoInfo[22], optReseDirInfo[2]);
      accepted = false;
    } else if (!OrdinationScoresUnits(c)) {
      fprintf(out, "%s",
              SimTx("\nOs criterios comparam ordenacoes das unidades amostrais: coordenadas principais de unidades "
                    "amostrais, ou componentes principais ou analise de correspondencia de variaveis.\n",
                    "\nThe criteria compare ordinations of the sampling units: principal coordinates of sampling "
                    "units, or principal components or correspondence analysis of variables.\n"));
      accepted = false;
    }
    if (accepted) return type;
    fputc('\a', out);
  }
}

// The whole dialogue; false when the user cancelled.
bool AskSettings(DimensionSimulationSettings* s, char* save, std::string* dataFile) {
  s->model = AskModel();
  const GradientModel& m = s->model;
  s->tables = AskInt("Numero de conjuntos de dados simulados (%d a %d): ", "Number of simulated data sets (%d to %d): ",
                     1, kMaxDataSets);

  BorrowedSessionChoices borrowed;
  borrowed.AsQuantitativeData();
  // The double adjustment works on the whole table: offered in either
  // direction, it is applied as the table's one vector transformation.
  for (;;) {
    if (SettingsDataTransformation() != 1) return false;
    if (optTrVeVar != TR_VEC_DOUBLE_ADJUSTMENT || optTrVeUnits == 0) break;
    fprintf(out, "%s",
            SimTx("\nO ajuste duplo transforma a tabela inteira: escolha-o sem outra transformacao vetorial.\n",
                  "\nThe double adjustment transforms the whole table: choose it without another vector "
                  "transformation.\n"));
    fputc('\a', out);
  }
  if (optTrVeVar == TR_VEC_DOUBLE_ADJUSTMENT) {
    optTrVeVar = 0;
    optTrVeUnits = TR_VEC_DOUBLE_ADJUSTMENT;
  }
  SettingsResemblance();
  const int type = AskOrdination(m);
  if (type == 0) return false;
  s->analysis.transform.scalar = optTrEs;
  s->analysis.transform.withinVariables = optTrVeVar;
  s->analysis.transform.withinUnits = optTrVeUnits;
  s->analysis.transform.classesVar = nClassesVar;
  s->analysis.transform.classesUnits = nClassesUnits;
  s->analysis.resemblance.direction = optReseDir;
  s->analysis.resemblance.measure = optReseTipo;
  s->analysis.resemblance.post = 0;
  s->analysis.resemblance.alpha = alphaH;
  s->analysis.resemblance.k = kParameter;
  s->analysis.resemblance.countDoubleAbsence = countDoubleAbsence;
  s->analysis.ordination.type = type;
  s->analysis.ordination.reseType = optReseTipo;
  s->analysis.ordination.reseDir = optReseDir;

  const int maxAxes = std::min(m.variables, m.units - 1);
  s->maxAxes = AskInt("Entre o numero maximo de eixos da ordenacao a serem avaliados (%d a %d): ",
                      "Enter the maximum number of ordination axes to be evaluated (%d to %d): ", 1, maxAxes);
  AleatorizacaoMain();
  *save = 'n';
  if (AskYes("Incluir entre os criterios a autoreamostragem ('bootstrap') de dimensoes da ordenacao? s/n ",
             "Include the bootstrap of ordination dimensions among the criteria? y/n ")) {
    int iterations = 0;
    SetBootstrapOptions(m.units, s->maxAxes + 1, &s->initialSize, &s->step, &iterations, nullptr, save, 0, nullptr);
    s->bootstrapIterations = iterations;
  } else {
    s->initialSize = m.units;
    s->step = 0;
    s->bootstrapIterations = 0;
  }
  if (CriterionApplies(*s, CRITERION_BOOTSTRAP) || CriterionApplies(*s, CRITERION_BARTLETT))
    s->alpha = AskReal("Entre a probabilidade alfa para aceitar um eixo (autoreamostragem e teste de Bartlett): ",
                       "Enter alpha probability for accepting an axis (bootstrap and Bartlett's test): ", 0.0, 1.0);
  dataFile->clear();
  if (AskYes("Guardar os conjuntos de dados simulados em um arquivo? s/n ",
             "Save the simulated data sets on a file? y/n "))
    *dataFile = AskSimulatedDataFile({kSummaryResultsFile, kSummaryResultsPerTableFile});
  return true;
}

}  // namespace

void RandomDataGenerator() {
  fprintf(out, "\n%s\n", line);
  fprintf(out, "%s",
          SimTx("GERADOR DE DADOS ALEATORIOS: NUMERO DE DIMENSOES DA ORDENACAO\n",
                "RANDOM DATA GENERATOR: NUMBER OF ORDINATION DIMENSIONS\n"));
  DimensionSimulationSettings s;
  char save = 'n';
  std::string dataFile;
  if (!AskSettings(&s, &save, &dataFile)) return;

  SimulationRunFacts runFacts = SessionRunFacts(dataFile);
  runFacts.detailed = save == 'y';
  const gsl_rng_type* type = r ? r->type : nullptr;
  RunSimulationGenerator(
      runFacts,
      SimTx("GERADOR DE DADOS ALEATORIOS: NUMERO DE DIMENSOES DA ORDENACAO",
            "RANDOM DATA GENERATOR: NUMBER OF ORDINATION DIMENSIONS"),
      [&] {
        return RunDimensionSimulation(s, seed, type, 0,
                                      SimulationProgress("Conjunto de dados simulado:", "Simulated data set:"));
      },
      [&](const DimensionSimulationResults& results, SimulationRunFacts* facts) {
        facts->summaryWritten = WriteSummaryResults(kSummaryResultsFile, s, results);
        facts->perItemWritten = WriteSummaryResultsPerTable(kSummaryResultsPerTableFile, s, results);
        if (!dataFile.empty()) facts->dataWritten = WriteSimulatedTables(dataFile, s, seed, type);
      },
      [&](FILE* f, const SimulationRunFacts& facts, const DimensionSimulationResults& results) {
        WriteDimensionBlock(f, facts, s, results);
      });
}

// The basis-set test of option F (variables, or blocks compared by Procrustes
// or Mantel correlations) and of option A's follow-up: the dialogue of the
// model, the test on the session's data and its reports.
#include <climits>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "pathanalysis/BasisSetDialogue.h"
#include "pathanalysis/BasisSetTest.h"
#include "pathanalysis/PathAnalysisMenu.h"
#include "pathanalysis/PathReportFile.h"
#include "randomization/PermutationRestrictionsDialogue.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionRandom.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

using namespace path_report;

// The items a test relates, as the reports name them.
struct Items {
  ItemCriterion criterion = ItemCriterion::CORRELATION;
  std::vector<std::string> labels;  // variable labels, or "1".."B" for blocks
  bool Blocks() const { return criterion != ItemCriterion::CORRELATION; }
};

// The covariables of a statement, when there are any.
void DescribeCovariables(FILE* f, const Items& items, const BasisSetElement& e) {
  if (e.covariables.empty()) return;
  fprintf(f, "%s",
          items.Blocks() ? Tx("\tCovariavel(is) (blocos):\t", "\tCovariable(s) (blocks):\t")
                         : Tx("\tCovariavel(is):\t", "\tCovariable(s):\t"));
  for (size_t m = 0; m < e.covariables.size(); m++)
    fprintf(f, m == 0 ? "%s" : "\t%s", items.labels[e.covariables[m]].c_str());
}

// "Variable pair: a b", and the covariables.
void Describe(FILE* f, const Items& items, const BasisSetElement& e) {
  fprintf(f,
          items.Blocks() ? Tx("Par de variaveis (blocos):\t%s\t%s", "Variable pair (blocks):\t%s\t%s")
                         : Tx("Par de variaveis:\t%s\t%s", "Variable pair:\t%s\t%s"),
          items.labels[e.first].c_str(), items.labels[e.second].c_str());
  DescribeCovariables(f, items, e);
}

void CriterionLine(FILE* f, const Items& items) {
  switch (items.criterion) {
    case ItemCriterion::CORRELATION:
      fprintf(f, Tx("\tMedida de semelhanca: %s, %s\n", "\tResemblance measure: %s, %s\n"),
              optReseTipoInfo[optReseTipo], optReseDirInfo[optReseDir]);
      break;
    case ItemCriterion::PROCRUSTES:
      fprintf(f, "%s",
              Tx("\tMedida de semelhanca: correlacao de Procrustes\n", "\tResemblance measure: Procrustes correlation\n"));
      break;
    case ItemCriterion::MANTEL:
      fprintf(f, Tx("\tMedida de semelhanca: correlacao de Mantel (%s, %s)\n",
                    "\tResemblance measure: Mantel correlation (%s, %s)\n"),
              optReseTipoInfo[optReseTipo], optReseDirInfo[optReseDir]);
      break;
  }
}

// The blocks and the columns each takes; the columns no block takes.
void BlockLines(FILE* f, const ColumnBlocks& blocks) {
  fprintf(f, "%s", Tx("Blocos de variaveis:\n", "Blocks of variables:\n"));
  for (int b = 0, column = 0; b < blocks.Count(); b++) {
    fprintf(f, Tx("Bloco %d:\t", "Block %d:\t"), b + 1);
    for (int c = 0; c < blocks.sizes[b]; c++, column++) fprintf(f, c == 0 ? "%s" : "\t%s", varLabels[column]);
    fprintf(f, "\n");
  }
  if (blocks.Columns() < nVar) {
    fprintf(f, "%s", Tx("Variaveis deixadas fora dos blocos:\t", "Variables left out of the blocks:\t"));
    for (int j = blocks.Columns(); j < nVar; j++) fprintf(f, j == blocks.Columns() ? "%s" : "\t%s", varLabels[j]);
    fprintf(f, "\n");
  }
}

// One test: its settings, its items and what the reports need of the model.
struct TestSetup {
  PathTestSettings settings;
  Items items;
  ColumnBlocks blocks;
  std::vector<BasisSetElement> elements;
  int modelVariables = 0, modelPaths = 0;  // V and A: K = V + A in AICc
};

bool SavesEach(const PathTestSettings& s) { return s.saveIntermediate == 'y' || s.saveIntermediate == 's'; }

// The data and the observed correlations as permutation 1.
void WriteObserved(FILE* f, const TestSetup& test, const ItemModel& model, const double* const* observedMatrix,
                   const double* observed) {
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s",
          test.items.Blocks()
              ? Tx("TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n",
                   "RANDOMIZATION TEST: Data and results of each permutation\n")
              : Tx("TESTE DE ALEATORIZACAO PARA ANALISE DE CAMINHOS: Resultados de cada permutacao\n",
                   "RANDOMIZATION TEST FOR PATH ANALYSIS: Data and results of each permutation\n"));
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  fprintf(f, Tx("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), test.settings.nPermutations);
  fprintf(f, "%s", Tx("Criterio de teste:\n", "Test criterion:\n"));
  CriterionLine(f, test.items);
  fprintf(f, "%s", Tx("Permutacao 1:\n", "Permutation 1:\n"));
  Matrix table;
  PermutedItemTable(model, nullptr, table);
  PrintData(f, table.rows(), table.cols(), sDigits, table.data());
  Matrix copy = CopyOf(model.Items(), model.Items(), observedMatrix);
  PrintRese(f, model.Items(), sDigits, copy.data());
  fprintf(f, "%s", Tx("\nCorrelacoes observadas:\n", "\nObserved correlations:\n"));
  for (size_t k = 0; k < test.elements.size(); k++) {
    Describe(f, test.items, test.elements[k]);
    fprintf(f, "\t%g\n", observed[k]);
  }
}

// One random arrangement: its data, the matrices and the random correlations.
void WriteRandom(FILE* f, const TestSetup& test, const ItemModel& model, int permutation, const int* lists,
                 const double* const* observedMatrix, const double* const* permuted,
                 const double* const* firstItemRows, const double* random, Matrix& table, Matrix& nullMatrix) {
  const int items = model.Items();
  fprintf(f, "\n%s: %d\n", iteraStr, permutation);
  fprintf(f, "%s", Tx("Dados aleatorios:\n", "Random data:\n"));
  PermutedItemTable(model, lists, table);
  PrintRows(f, table.rows(), table.cols(), table.data());
  if (firstItemRows != nullptr)
    for (const BasisSetElement& e : test.elements) {
      fprintf(f,
              test.items.Blocks()
                  ? Tx("\nMatriz de correlacoes permutada (conforme Smouse et al. 1986) para o par de variaveis "
                       "(blocos):\t%s\t%s",
                       "\nPermuted correlation matrix (according to Smouse et al. 1986) for variable pair "
                       "(blocks):\t%s\t%s")
                  : Tx("\nMatriz de correlacoes permutada (conforme Smouse et al. 1986) para o par de "
                       "variaveis:\t%s\t%s",
                       "\nPermuted correlation matrix (according to Smouse et al. 1986) for variable pair:\t%s\t%s"),
              test.items.labels[e.first].c_str(), test.items.labels[e.second].c_str());
      DescribeCovariables(f, test.items, e);
      fprintf(f, "\n");
      nullMatrix.Resize(items, items);
      OneVariableNullModelMatrix(items, observedMatrix, firstItemRows[e.first], e.first, nullMatrix.data());
      PrintSymmetric(f, items, nullMatrix.data());
    }
  fprintf(f, "%s",
          Tx("\nMatriz de correlacoes dos dados permutados:\n", "\nCorrelation matrix based on permuted data:\n"));
  PrintSymmetric(f, items, permuted);
  fprintf(f, "%s", Tx("\nCorrelacoes aleatorias:", "\nRandom correlations:"));
  for (size_t k = 0; k < test.elements.size(); k++) {
    fprintf(f, Tx("\nCorrelacao:\t%g\t", "\nCorrelation:\t%g\t"), random[k]);
    Describe(f, test.items, test.elements[k]);
  }
}

void WriteFinal(FILE* f, const TestSetup& test, double elapsed, const BasisSetTestResult& result) {
  const bool saved = SavesEach(test.settings);
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s%s\n", Tx("ANALISE DE CAMINHOS", "PATH ANALYSIS"),
          saved ? Tx(": Resultado final", ": Final results") : "");
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  fprintf(f, "PLEXOR %s\n", versao);
  fprintf(f, Tx("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), elapsed);
  ShowStatus(f);
  fprintf(f, Tx("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), test.settings.nPermutations);
  fprintf(f, Tx("Inicializador da geracao de numeros aleatorios: %u\n", "Random number generation initializer: %u\n"),
          seed);
  if (test.settings.restrictions.option != PermutationRestrictions::NONE)
    PrintPermutationRestrictions(f, test.settings.restrictions, nObj);
  if (test.items.Blocks()) {
    fprintf(f, "%s", Tx("Criterio de teste:\n", "Test criterion:\n"));
    CriterionLine(f, test.items);
    BlockLines(f, test.blocks);
  }
  fprintf(f, "%s", Tx("\nMetodo de permutacao:\t", "\nPermutation method:\t"));
  if (test.settings.nullModel == PERMUTE_FIRST_ITEM)
    fprintf(f, "%s",
            Tx("Permutacao somente da primeira variavel (ou bloco de variaveis) para testar cada afirmacao de "
               "d-separacao (Smouse et al. 1986).\n",
               "Permutation of only the first variable (or block of variables) for testing each d-separation "
               "statement (Smouse et al. 1986).\n"));
  else
    fprintf(f, "%s",
            Tx("Permutacao de todas as variaveis (ou blocos de variaveis) ao mesmo tempo.\n",
               "Permutation of all variables (or blocks of variables) at once.\n"));
  fprintf(f, "%s",
          Tx("\nResultados para as correlacoes especificadas (parciais ou nao):",
             "\nResults for the specified (partial) correlations:"));
  for (size_t k = 0; k < test.elements.size(); k++) {
    fprintf(f, Tx("\nCorrelacao r =\t%g\tP-value =\t%g\t", "\nCorrelation r =\t%g\tP-value =\t%g\t"),
            result.observed[k], result.probability[k]);
    Describe(f, test.items, test.elements[k]);
  }
  fprintf(f,
          Tx("\nEstatistica C de Fisher (Shipley 2000):\t%g\tP-value distribuicao qui-quadrado com %d graus de "
             "liberdade =\t%g\n",
             "\nFisher's C statistics (Shipley 2000):\t%g\tP-value chi-square distribution with %d degrees of "
             "freedom =\t%g\n"),
          result.fisher.C, result.fisher.degreesOfFreedom, result.fisher.probability);
  const int K = test.modelVariables + test.modelPaths;
  fprintf(f,
          Tx("AICc (criterio de informacao de Akaike corrigido para amostra pequena (Shipley 2013):\t%g\tK=\t%d\n",
             "AICc (Akaike's information criterion with correction for small sample (Shipley 2013):\t%g\tK=\t%d\n"),
          AICc(result.fisher.C, K, nObj), K);
}

// Runs the test on the session's data and writes its reports.
void RunTest(const TestSetup& test) {
  const double start = difftime_Clock_Init();
  BasisSetTestInput input;
  input.nObj = nObj;
  input.nVar = nVar;
  input.data = data;
  input.criterion = test.items.criterion;
  input.blocks = test.blocks;
  input.elements = test.elements;
  input.nullModel = test.settings.nullModel;
  input.restrictions = test.settings.restrictions;
  input.nPermutations = test.settings.nPermutations;
  ResultsFile results;
  results.Open();
  BasisSetTestResult result;
  try {
    const ItemModel model(nObj, nVar, data, input.criterion, input.blocks);
    BasisSetObserver observer;
    Matrix table, nullMatrix;
    const double* const* observedMatrix = nullptr;
    if (SavesEach(test.settings) && results.f != nullptr)
      observer = [&](int permutation, const int* lists, const double* const* matrix, const double* const* rows,
                     const double* values) {
        if (permutation == 1) {
          observedMatrix = matrix;
          WriteObserved(results.f, test, model, matrix, values);
        } else {
          WriteRandom(results.f, test, model, permutation, lists, observedMatrix, matrix, rows, values, table,
                      nullMatrix);
        }
      };
    result = BasisSetPermutationTest(input, r, PermutationProgress(), observer);
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return;
  } catch (const std::invalid_argument&) {
    ClearLine();
    fprintf(out, "%s",
            Tx("\nAs restricoes nas permutacoes nao servem para estes dados: o teste nao foi feito.\n",
               "\nThe permutation restrictions do not fit these data: the test was not run.\n"));
    return;
  }
  const double elapsed = difftime_Clock(start);
  ClearLine();
  if (results.f != nullptr) WriteFinal(results.f, test, elapsed, result);
  results.Close();
  SeeResults();
}

std::vector<std::string> VariableLabels() {
  std::vector<std::string> labels;
  for (int j = 0; j < nVar; j++) labels.emplace_back(varLabels[j]);
  return labels;
}

void RunBlockTest(const PathTestSettings& settings, ItemCriterion criterion) {
  if (nVar < 2) {
    fprintf(out, "%s",
            Tx("\nSao necessarias ao menos duas variaveis para formar blocos.\n",
               "\nAt least two variables are needed to form blocks.\n"));
    return;
  }
  BlockModel model = AskBlockModel();
  TestSetup test;
  test.settings = settings;
  test.items.criterion = criterion;
  for (int b = 1; b <= model.blocks.Count(); b++) test.items.labels.push_back(std::to_string(b));
  test.blocks = model.blocks;
  test.elements = model.elements;
  // The model relates B blocks; its paths are the pairs its statements leave.
  const int B = model.blocks.Count();
  test.modelVariables = B;
  test.modelPaths = static_cast<int>(BasisSetSize(B, static_cast<int64_t>(test.elements.size())));
  RunTest(test);
}

}  // namespace

void PathAnalysisBasisSetPermutationTest(const PathTestSettings& settings) {
  if (nVar < 3) {
    fprintf(out, "%s",
            Tx("\nUm modelo de caminhos requer ao menos tres variaveis.\n",
               "\nA path model needs at least three variables.\n"));
    return;
  }
  PathModel model = AskPathModel();
  TestSetup test;
  test.settings = settings;
  test.items.labels = VariableLabels();
  test.elements = model.elements;
  test.modelVariables = model.variables;
  test.modelPaths = model.paths;
  RunTest(test);
}

void PathAnalysisBasisSetPermutationTest(int nPermutations, int restrictionType, int mantelRows, bool withinGroups,
                                         const int* groups, bool bundles, const int* bundleGroups, bool,
                                         int nullModel, char saveIntermediate) {
  PathTestSettings s;
  s.nPermutations = nPermutations;
  s.restrictions.option = restrictionType;
  s.restrictions.matrixDim = mantelRows;
  s.restrictions.nestingOn = withinGroups;
  if (withinGroups && groups != nullptr) s.restrictions.nestMemb.assign(groups, groups + nObj);
  s.restrictions.bundlesOn = bundles;
  if (bundles && bundleGroups != nullptr) s.restrictions.bundleMemb.assign(bundleGroups, bundleGroups + nObj);
  s.nullModel = nullModel;
  s.saveIntermediate = saveIntermediate;
  PathAnalysisBasisSetPermutationTest(s);
}

void PathAnalysisBasisSetPermutationTest_Procrustes(const PathTestSettings& settings) {
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++)
      if (IsMissing(data[i][j])) {
        fprintf(out, "%s",
                Tx("\nA correlacao de Procrustes nao e definida com valores faltantes (-999) nos dados.\n",
                   "\nThe Procrustes correlation is not defined with missing values (-999) in the data.\n"));
        return;
      }
  RunBlockTest(settings, ItemCriterion::PROCRUSTES);
}

void PathAnalysisBasisSetPermutationTest_Mantel(const PathTestSettings& settings) {
  RunBlockTest(settings, ItemCriterion::MANTEL);
}

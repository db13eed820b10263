// Option F, path analysis: the choices common to its tests (variables or
// blocks, null model, seed, permutations and their restrictions, whether
// to write intermediate results), then the basis-set test or the undirected
// dependency search. The resemblance settings the tests name are put in
// place for the analysis and restored afterwards.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "pathanalysis/PathAnalysisMenu.h"
#include "pathanalysis/PathReportFile.h"
#include "randomization/PermutationRestrictionsDialogue.h"
#include "shell/Console.h"
#include "shell/SessionRandom.h"
#include "shell/SessionState.h"

namespace {

using path_report::Tx;

// The three resemblance settings, put back at the end of the scope.
class ResemblanceSettings {
 public:
  ResemblanceSettings() : dir_(optReseDir), measure_(optReseTipo), post_(optPostReseTransf) {}
  ~ResemblanceSettings() {
    optReseDir = dir_;
    optReseTipo = measure_;
    optPostReseTransf = post_;
  }
  ResemblanceSettings(const ResemblanceSettings&) = delete;
  ResemblanceSettings& operator=(const ResemblanceSettings&) = delete;
  void Set(int dir, int measure, int post) {
    optReseDir = dir;
    optReseTipo = measure;
    optPostReseTransf = post;
  }

 private:
  int dir_, measure_, post_;
};

// Constant variables have no partial correlations: the search refuses them.
bool RefuseConstantVariables() {
  const std::vector<int> constant = ConstantVariables(nObj, nVar, data);
  if (constant.empty()) return false;
  fprintf(out, "%s",
          Tx("\nVariaveis constantes nao tem correlacoes parciais (seriam infinitas), e a busca nao pode usa-las:",
             "\nConstant variables have no partial correlations (they would all be infinite), and the search "
             "cannot use them:"));
  for (int j : constant) fprintf(out, " %s", varLabels[j]);
  fprintf(out, "%s",
          Tx("\nElimine-as dos dados, ou por uma transformacao, antes da busca.\n",
             "\nRemove them from the data, or by a transformation, before the search.\n"));
  return true;
}

void Univariate(const PathTestSettings& settings) {
  ResemblanceSettings saved;
  saved.Set(2, 17, 0);
  fprintf(out, "%s",
          Tx("Opcoes de analise de caminhos: \n\t(1) buscar um modelo de dependencia nao dirigida (executar "
             "algoritmo)\n\t(2) especificar e testar um modelo de caminhos dirigido\n\t\tEntre opcao: ",
             "Path analysis options: \n\t(1) search for an undirected dependency model (run algorithm)\n\t(2) "
             "specify and test a directed path model\n\t\tEntre opcao: "));
  const int option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  if (option == 2) {
    PathAnalysisBasisSetPermutationTest(settings);
    return;
  }
  if (RefuseConstantVariables()) return;
  fprintf(out, "%s",
          Tx("Especifique o limiar de probabilidade (alfa) para considerar as correlacoes significativas: ",
             "Specify the probability threshold (alpha) for considering the correlations significant: "));
  const double alpha = ScanNumber(in, KeyboardLabel(), "-", 0.0, 1.0);
  SearchingUndirectedPath(alpha, settings);
}

void Blocks(const PathTestSettings& settings) {
  fprintf(out, "%s",
          Tx("Usar como criterio de teste: \n\t(1) correlacoes de Procrustes\n\t(2) correlacoes de Mantel\n\t\tEntre "
             "opcao: ",
             "Use as test criterion: \n\t(1) Procrustes correlations\n\t(2) Mantel correlations\n\t\tEntre opcao: "));
  if (static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2")) == 1) {
    PathAnalysisBasisSetPermutationTest_Procrustes(settings);
    return;
  }
  ResemblanceSettings saved;
  saved.Set(1, 3, 0);
  PathAnalysisBasisSetPermutationTest_Mantel(settings);
}

}  // namespace

void PathAnalysis() {
  if (nVar < 2) {
    fprintf(out, "%s",
            Tx("\nA analise de caminhos requer ao menos duas variaveis.\n",
               "\nPath analysis needs at least two variables.\n"));
    return;
  }
  fprintf(out,
          Tx("Realizar analise de caminhos baseada em: \n\t(1) as %d variaveis originais (analise univariada)\n\t(2) "
             "blocos especificados de variaveis (particionando a matriz de dados original)\n\t\tEntre opcao: ",
             "Perform path analysis based on: \n\t(1) the original %d variables (univariate analysis)\n\t(2) "
             "specified blocks of variables (partitioning the original data matrix)\n\t\tEntre opcao: "),
          nVar);
  const int based = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  fprintf(out, "%s",
          Tx("Modelo nulo para testar correlacoes parciais: \n\t(1) permutar todas as variaveis (ou blocos de "
             "variaveis) ao mesmo tempo\n\t(2) permutar somente a primeira variavel (ou bloco de variaveis) para "
             "testar cada afirmacao de d-separacao (Smouse et al. 1986)\n\t\tEntre opcao: ",
             "Null model for testing partial correlations: \n\t(1) permute all variables (or blocks of variables) "
             "at once\n\t(2) permute only the first variable (or block of variables) for testing each d-separation "
             "statement (Smouse et al. 1986)\n\t\tEntre opcao: "));
  PathTestSettings settings;
  settings.nullModel = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  AleatorizacaoMain();
  fprintf(out, "%s", Tx("Numero de permutacoes: ", "Number of permutations: "));
  settings.nPermutations = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(INT_MAX)));
  settings.restrictions = SetPermutationRestrictions();
  fprintf(out, "%s",
          Tx("Guardar resultados intermediarios do algoritmo? s/n ", "Save intermediate results of the algorithm? y/n "));
  settings.saveIntermediate = ScanChar(in, YesNoAccepted(), KeyboardLabel());
  if (based == 1)
    Univariate(settings);
  else
    Blocks(settings);
}

// The questions that specify a path model's basis set.
#include "pathanalysis/BasisSetDialogue.h"

#include <climits>
#include <cstdio>
#include <string>

#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// The texts of one kind of statement: between variables, or between blocks.
struct StatementTexts {
  const char* pairQuestion;     // with the highest order
  const char* pairItems;        // line before the item labels
  const char* pairMarks;        // question before the 0/1 answers
  const char* pairError;
  const char* orderQuestion;    // with the highest order
  const char* covariableItems;
  const char* covariableMarks;
  const char* covariableError;  // with the order
  const char* pairAsCovariable;
};

StatementTexts VariableTexts() {
  StatementTexts t;
  t.pairQuestion = Tx("\nEspecifique o par de variaveis comparado na correlacao parcial de ordem zero a %d: ",
                      "\nSpecify the variable pair compared in the partial correlation of order zero to %d: ");
  t.pairItems = Tx("\nVariaveis:            ", "\nVariables:            ");
  t.pairMarks = Tx("\nEspecifique quais (0/1):  ", "\nSpecify which (0/1):  ");
  t.pairError = Tx("\nErro! Especifique duas variaveis. Tente novamente.\n",
                   "\nError! Please specify two variables. Try again.\n");
  t.orderQuestion = Tx("Especifique a ordem da correlacao parcial (numero de covariaveis, zero a %d): ",
                       "Specify the order of the partial correlation (number of covariables, zero to %d): ");
  t.covariableItems = Tx("Variaveis:                  ", "Variables:                  ");
  t.covariableMarks = Tx("\nEspecifique covariaveis (0/1):  ", "\nSpecify covariables (0/1):  ");
  t.covariableError = Tx("\nErro! Especifique %d covariaveis. Tente novamente.\n",
                         "\nError! Please specify %d covariables. Try again.\n");
  t.pairAsCovariable = Tx("\nErro! As variaveis do par nao podem ser covariaveis. Tente novamente.\n",
                          "\nError! The variables of the pair cannot be covariables. Try again.\n");
  return t;
}

StatementTexts BlockTexts() {
  StatementTexts t;
  t.pairQuestion =
      Tx("\nEspecifique o par de blocos de variaveis comparado na correlacao parcial de ordem zero a %d: ",
         "\nSpecify the variable block pair compared in the partial correlation of order zero to %d: ");
  t.pairItems = Tx("\nBlocos de variaveis:  ", "\nBlocks of variables:  ");
  t.pairMarks = Tx("\nEspecifique quais (0/1):  ", "\nSpecify which (0/1):  ");
  t.pairError = Tx("\nErro! Especifique dois blocos de variaveis. Tente novamente.\n",
                   "\nError! Please specify two blocks of variables. Try again.\n");
  t.orderQuestion =
      Tx("Especifique a ordem da correlacao parcial (numero de blocos de covariaveis, zero a %d): ",
         "Specify the order of the partial correlation (number of blocks of covariables, zero to %d): ");
  t.covariableItems = Tx("Blocos de variaveis:                     ", "Blocks of variables:                 ");
  t.covariableMarks = Tx("\nEspecifique blocos de covariaveis (0/1): ", "\nSpecify blocks of covariables (0/1): ");
  t.covariableError = Tx("\nErro! Especifique %d blocos de covariaveis. Tente novamente.\n",
                         "\nError! Please specify %d blocks of covariables. Try again.\n");
  t.pairAsCovariable = Tx("\nErro! Os blocos do par nao podem ser covariaveis. Tente novamente.\n",
                          "\nError! The blocks of the pair cannot be covariables. Try again.\n");
  return t;
}

// The items marked 1, in order, after the labels and the question.
std::vector<int> AskMarks(const char* itemsLine, const char* marksQuestion, const std::vector<std::string>& labels) {
  fprintf(out, "%s", itemsLine);
  for (const std::string& label : labels) fprintf(out, "%s ", label.c_str());
  fprintf(out, "%s", marksQuestion);
  std::vector<int> marked;
  for (int k = 0; k < static_cast<int>(labels.size()); k++)
    if (static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1")) == 1) marked.push_back(k);
  return marked;
}

// One statement among the labelled items.
BasisSetElement AskStatement(const StatementTexts& t, const std::vector<std::string>& labels) {
  const int items = static_cast<int>(labels.size()), highest = items - 2;
  BasisSetElement e;
  for (;;) {
    fprintf(out, t.pairQuestion, highest);
    const std::vector<int> pair = AskMarks(t.pairItems, t.pairMarks, labels);
    if (pair.size() == 2) {
      e.first = pair[0];
      e.second = pair[1];
      break;
    }
    fprintf(out, "%s", t.pairError);
  }
  fprintf(out, t.orderQuestion, highest);
  const int q = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, static_cast<double>(highest)));
  while (q > 0) {
    const std::vector<int> marked = AskMarks(t.covariableItems, t.covariableMarks, labels);
    if (static_cast<int>(marked.size()) != q) {
      fprintf(out, t.covariableError, q);
      continue;
    }
    bool pairMarked = false;
    for (int c : marked) pairMarked = pairMarked || c == e.first || c == e.second;
    if (pairMarked) {
      fprintf(out, "%s", t.pairAsCovariable);
      continue;
    }
    e.covariables = marked;
    break;
  }
  return e;
}

std::vector<std::string> VariableLabels() {
  std::vector<std::string> labels;
  for (int j = 0; j < nVar; j++) labels.emplace_back(varLabels[j]);
  return labels;
}

}  // namespace

PathModel AskPathModel() {
  PathModel m;
  fprintf(out, "%s",
          Tx("Especifique o numero de variaveis no modelo (para calcular o tamanho do conjunto basico conforme "
             "Shipley 2000): ",
             "Specify the number of variables in the model (to compute the size of the basis set as in Shipley "
             "2000): "));
  m.variables = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 3.0, static_cast<double>(nVar)));
  const int64_t pairs = BasisSetSize(m.variables, 0);
  for (;;) {
    fprintf(out, "%s",
            Tx("Especifique o numero de caminhos no modelo (para calcular o tamanho do conjunto basico conforme "
               "Shipley 2000): ",
               "Specify the number of paths in the model (to compute the size of the basis set as in Shipley "
               "2000): "));
    m.paths = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 2.0, static_cast<double>(pairs + 1)));
    const int64_t k = BasisSetSize(m.variables, m.paths);
    if (k >= 1) break;
    fprintf(out,
            Tx("\nUm modelo de %d variaveis e %d caminhos nao deixa afirmacao de d-separacao a testar (conjunto "
               "basico de tamanho %lld). Especifique no maximo %lld caminhos.\n",
               "\nA model of %d variables and %d paths leaves no d-separation statement to test (basis set of "
               "size %lld). Specify at most %lld paths.\n"),
            m.variables, m.paths, static_cast<long long>(k),
            static_cast<long long>(LargestPathsLeavingATest(m.variables)));
  }
  const int k = static_cast<int>(BasisSetSize(m.variables, m.paths));
  fprintf(out,
          Tx("Especifique agora as %d correlacoes a serem calculadas (tamanho do conjunto basico conforme Shipley "
             "2000):\n",
             "Specify now the %d correlations to be computed (size of the basis set as in Shipley 2000):\n"),
          k);
  const StatementTexts texts = VariableTexts();
  const std::vector<std::string> labels = VariableLabels();
  for (int e = 0; e < k; e++) m.elements.push_back(AskStatement(texts, labels));
  return m;
}

BlockModel AskBlockModel() {
  BlockModel m;
  fprintf(out, "%s", Tx("Especifique o numero de blocos de variaveis: ", "Specify the number of blocks of variables: "));
  const int B = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 2.0, static_cast<double>(nVar)));
  std::vector<std::string> labels;
  for (int b = 1; b <= B; b++) labels.push_back(std::to_string(b));
  for (;;) {
    fprintf(out, "%s", Tx("\nBlocos de variaveis:                              ",
                          "\nBlocks of variables:                           "));
    for (const std::string& label : labels) fprintf(out, "%s ", label.c_str());
    fprintf(out, "%s", Tx("\nEspecifique o numero de variaveis em cada bloco: ",
                          "\nSpecify the number of variables in each block: "));
    m.blocks.sizes.clear();
    int total = 0;
    for (int b = 0; b < B; b++) {
      const int size = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(nVar)));
      m.blocks.sizes.push_back(size);
      total += size;
    }
    if (total <= nVar) break;
    fprintf(out, "%s", Tx("\nErro! A soma dos tamanhos dos blocos e maior que o numero de variaveis.",
                          "\nError! Sum of block sizes is larger than the number of variables."));
  }
  fprintf(out, "%s",
          Tx("Especifique o numero de correlacoes a serem calculadas (tamanho do conjunto basico conforme Shipley "
             "2000): ",
             "Specify the number of correlations to be computed (size of the basis set as in Shipley 2000): "));
  const int k = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(INT_MAX)));
  if (k > LargestBlockBasisSetSize(B))
    fprintf(out, "%s",
            Tx("Numero de correlacoes e maior que o tamanho maximo do conjunto basico. ",
               "Number of correlations is larger than the maximum size of the basis set. "));
  const StatementTexts texts = BlockTexts();
  for (int e = 0; e < k; e++) m.elements.push_back(AskStatement(texts, labels));
  return m;
}

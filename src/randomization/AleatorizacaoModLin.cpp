// Linear models relating response variables to factors, with the
// randomization test of every regression coefficient and coefficient of
// determination: the rows of the responses are permuted (freely, as the pairs
// of an embedded resemblance matrix, within nesting groups or as bundles).
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "ZQLib/TextWords.h"
#include "ordination/LinearRegression.h"
#include "randomization/ManovaReport.h"
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
const char* const kDashes78 = "------------------------------------------------------------------------------";

struct Restriction {
  int option = 0;
  int matrixDim = 0;
  std::vector<int> nestMemb, bundleMemb;
};

bool WholeNumber(const std::string& word, int* value) {
  double x;
  if (!ParseFiniteNumber(word, &x) || x != std::floor(x) || x < INT_MIN || x > INT_MAX) return false;
  *value = static_cast<int>(x);
  return true;
}

// One whole number per sampling unit from a file; false, after saying why,
// when the file cannot be opened, holds too few numbers or something else.
bool ReadMemberships(const char* name, std::vector<int>& memb) {
  FILE* f = fopen(name, "r");
  if (f == nullptr) {
    fprintf(out, Tx("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), name);
    return false;
  }
  WordReader words(f);
  std::string word;
  int count = 0;
  const int n = static_cast<int>(memb.size());
  bool bad = false;
  while (count < n && words.Next(word)) {
    if (!WholeNumber(word, &memb[count])) {
      bad = true;
      break;
    }
    count++;
  }
  fclose(f);
  if (count == n) return true;
  if (bad)
    fprintf(out,
            Tx("\nArquivo %s: o valor numero %d (%s) nao e um numero inteiro de grupo. Favor conferir!\n",
               "\nFile %s: value number %d (%s) is not an integer group number. Please check!\n"),
            name, count + 1, PrintableWord(word).c_str());
  else
    fprintf(out,
            Tx("\nO arquivo %s contem somente %d numeros de grupo; sao necessarios %d (um por unidade amostral). "
               "Favor conferir!\n",
               "\nFile %s holds only %d group numbers; %d are needed (one per sampling unit). Please check!\n"),
            name, count, n);
  return false;
}

struct MembershipTexts {
  const char *criterion, *source, *fileName, *keyboard, *unitRow, *groupRow;
};

std::vector<int> AskMemberships(const DataSetView& set, const MembershipTexts& t) {
  std::vector<int> memb(static_cast<size_t>(set.nObj));
  fprintf(out, "%s", t.criterion);
  for (;;) {
    fprintf(out, "%s", t.source);
    const char source = ScanChar(in, "f k a t", KeyboardLabel());
    if (source == 'k' || source == 't') {
      fprintf(out, "%s%s", t.keyboard, t.unitRow);
      for (int i = 0; i < set.nObj; i++) fprintf(out, "\t%s", set.uaLabels[i]);
      fprintf(out, "%s", t.groupRow);
      for (int i = 0; i < set.nObj; i++)
        memb[i] = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", static_cast<double>(INT_MIN),
                                              static_cast<double>(INT_MAX)));
      return memb;
    }
    fprintf(out, "%s", t.fileName);
    char name[NAME_LEN];
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    if (ReadMemberships(name, memb)) return memb;
  }
}

// The permutation restrictions of the responses.
Restriction AskRestriction(const DataSetView& set) {
  Restriction r;
  const int n = set.nObj;
  for (;;) {
    fprintf(out, "%s",
            Tx("Restricoes as permutacoes: \n\t(0) nenhuma\n\t(1) considerar as variaveis arranjadas numa matriz de "
               "semelhanca (como num teste de Mantel)\n\t(2) Permutacoes restritas a grupos a especificar\n\t(3) "
               "Permutacao entre blocos de unidades a especificar (p.ex., para evitar autocorrelacao)\n\t\tEntre "
               "opcao: ",
               "Permutation restrictions: \n\t(0) none\n\t(1) take variables arranged into a resemblance matrix (as "
               "in a Mantel test)\n\t(2) Permutations restricted within groups to be specified\n\t(3) Permutation "
               "among unit bundles to be specified (e.g., to avoid autocorrelation)\n\t\tEnter option: "));
    r.option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1 2 3"));
    if (r.option != 1) break;
    fprintf(out, "%s",
            Tx("Entre a dimensao da matriz de semelhanca embutida: ",
               "Enter the dimension of the embedded resemblance matrix: "));
    r.matrixDim = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 2.0, 100000.0));
    if (static_cast<long long>(r.matrixDim) * (r.matrixDim - 1) / 2 == n) break;
    fprintf(out,
            Tx("\nUma matriz de semelhanca com %d linhas tem %lld pares, mas ha %d unidades amostrais: cada unidade "
               "deve ser um par da matriz.\n",
               "\nA resemblance matrix with %d rows has %lld pairs, but there are %d sampling units: each unit must "
               "be one pair of the matrix.\n"),
            r.matrixDim, static_cast<long long>(r.matrixDim) * (r.matrixDim - 1) / 2, n);
  }
  if (r.option == 2) {
    static const MembershipTexts pt{
        "Especifique o criterio de aninhamento (para cada unidade, informe o grupo a que pertence):\n",
        "Ler grupos de aninhamento de um arquivo (a) ou do teclado (t)? a/t ",
        "Entre nome do arquivo contendo os grupos de aninhamento: ",
        "Informe o grupo de aninhamento de cada unidade amostral:\n", "Unidade amostral:  ",
        "\nGrupos de aninhamento: "};
    static const MembershipTexts en{
        "Specify the nesting criterion (for each unit, enter the group to which it belongs):\n",
        "Read nesting group memberships from file (f) or from the keyboard (k)? f/k ",
        "Enter name of file containing nesting group memberships: ", "Enter the nesting group of each sampling unit:\n",
        "Sampling unit:    ", "\nNesting groups:   "};
    r.nestMemb = AskMemberships(set, port ? pt : en);
  } else if (r.option == 3) {
    static const MembershipTexts pt{
        "Especifique o criterio de agrupamento  (para cada unidade, informe o grupo a que pertence):\n",
        "Ler blocos de agrupamento de um arquivo (a) ou do teclado (t)? a/t ",
        "Entre nome do arquivo contendo os blocos de agrupamento: ",
        "Informe o bloco de agrupamento de cada unidade amostral:\n", "Unidade amostral: ",
        "\nBlocos de agrupamento:  "};
    static const MembershipTexts en{
        "Specify the bundling criterion  (for each unit, enter the group to which it belongs):\n",
        "Read bundling group memberships from file (f) or from the keyboard (k)? f/k ",
        "Enter name of file containing bundling group memberships: ",
        "Enter the bundling group of each sampling unit:\n", "Sampling unit:   ", "\nBundling groups:  "};
    r.bundleMemb = AskMemberships(set, port ? pt : en);
  }
  return r;
}

void PrintRow(FILE* f, int n, const double* v) {
  for (int j = 0; j < n; j++) fprintf(f, "%g\t", v[j]);
  fprintf(f, "\n");
}

void PrintRows(FILE* f, int rows, int cols, const double* const* m) {
  for (int i = 0; i < rows; i++) PrintRow(f, cols, m[i]);
}

// The observed regression, as the regression routine reports it.
void PrintRegression(FILE* f, const RegressionFit& fit, const DataSetView& responses, const DataSetView& factors,
                     bool detailed) {
  const int n = fit.n, p = fit.p, q = fit.q;
  if (detailed) {
    fprintf(f, "%s", Tx("\nMatriz de fatores:\n", "\nFactor matrix:\n"));
    PrintRows(f, n, q, factors.data);
    fprintf(f, "%s", Tx("\nMatriz de respostas:\n", "\nResponse matrix:\n"));
    PrintRows(f, n, p, responses.data);
  }
  fprintf(f, "%s",
          Tx("\nCoeficientes de regressao para cada fator (linhas), um modelo para cada variavel resposta (colunas):\n",
             "\nRegression coefficients for each factor (rows), one model for each response variable (coluns):\n"));
  for (int k = 0; k < q; k++) {
    fprintf(f, Tx("Fator %d:\t", "Factor %d:\t"), k + 1);
    PrintRow(f, p, fit.B[k]);
  }
  fprintf(f, "%s", Tx("\nInterseccao (bo para cada variavel resposta):\n", "\nIntersection (bo for each response variable):\n"));
  PrintRow(f, p, fit.b0.data());
  if (detailed) {
    fprintf(f, "%s",
            Tx("\n\nRespostas preditas pelo modelo (para cada variavel resposta em colunas, e unidade amostral em "
               "linhas):\n",
               "\n\nPredicted model responses (for each response variable in columns, and sampling unit in rows):\n"));
    PrintRows(f, n, p, fit.Yhat.data());
    Matrix residual(n, p), adjusted(n, p);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) {
        residual[i][j] = responses.data[i][j] - fit.Yhat[i][j];
        adjusted[i][j] = fit.yMean[j] + residual[i][j];
      }
    fprintf(f, "%s",
            Tx("\nResiduos nao explicados pelo modelo (para cada variavel resposta em colunas, e unidade amostral em "
               "linhas):\n",
               "\nResiduals not explained by the model (for each response variable in columns, and sampling unit in "
               "rows):\n"));
    PrintRows(f, n, p, residual.data());
    fprintf(f, "%s",
            Tx("\nVariaveis resposta ajustadas pela remocao dos efeitos das variaveis preditoras (corresponde aos "
               "residuos nao explicados pelo modelo mais a media da variavel resposta) (para cada variavel resposta em "
               "colunas, e unidade amostral em linhas):\n",
               "\nResponse variables with values adjusted by removing the effects of the predictor variable(s) (this is "
               "simply the residuals plus the mean of the response variable) (for each response variable in columns, "
               "and sampling unit in rows):\n"));
    PrintRows(f, n, p, adjusted.data());
  }
  fprintf(f,
          Tx("\nCoeficiente de determinacao (r ao quadrado) para %d variaveis resposta:\n",
             "\nCoefficient of determination (r squared) for %d response variables:\n"),
          p);
  PrintRow(f, p, fit.r2.data());
}

// Intercepts, coefficients (or their probabilities) in the layout of the final
// table: a heading of the responses, then "bo:" and one row per factor.
void CoefficientTable(FILE* f, int p, int q, const double* values, const DataSetView& responses,
                      const DataSetView& factors) {
  for (int j = 0; j < p; j++) fprintf(f, "\t%s", responses.varLabels[j]);
  fprintf(f, "\nbo:");
  for (int j = 0; j < p; j++) fprintf(f, "\t%g", values[j]);
  for (int k = 0; k < q; k++) {
    fprintf(f, "\n%s b%d:", factors.varLabels[k], k + 1);
    for (int j = 0; j < p; j++) fprintf(f, "\t%g", values[p + k * p + j]);
  }
}

void RestrictionLines(FILE* f, const Restriction& r) {
  fprintf(f, "%s", Tx("Restricoes as permutacoes:\t", "Permutation restrictions:\t"));
  const std::vector<int>* groups = nullptr;
  switch (r.option) {
    case 1:
      fprintf(f,
              Tx("Cada variavel considerada arranjada numa matriz de semelhanca (diagonal superior) com %d linhas.\n",
                 "Considered each variable arranged in a resemblance matrix (upper diagonal) with %d rows.\n"),
              r.matrixDim);
      break;
    case 2:
      fprintf(f, "%s", Tx("Permutacoes restritas dentro de grupos especificados\n",
                          "Restricted permutations within specified groups\n"));
      groups = &r.nestMemb;
      break;
    case 3:
      fprintf(f, "%s", Tx("Permutacoes restritas como blocos especificados (p.ex. para evitar autocorrelacao\n",
                          "Restricted permutations as specified bundles (e.g. to avoid autocorrelation\n"));
      groups = &r.bundleMemb;
      break;
    default:
      fprintf(f, "%s", Tx("Nenhuma\n", "None\n"));
  }
  if (groups == nullptr) return;
  fprintf(f, "%s", Tx("Grupos:\t", "Groups:\t"));
  for (int g : *groups) fprintf(f, "%d\t", g);
  fprintf(f, "\n");
}

void AnovaTables(FILE* f, const RegressionFit& fit, const double* probabilityR2) {
  const int p = fit.p;
  fprintf(f, "\n\n%s\t%s\n%s\n", Tx("Fonte de variacao     ", "Source of variation   "),
          Tx("Soma de quadrados(Q) para cada variavel resposta", "Sum of squares(Q) for each response variable"),
          kDashes78);
  fprintf(f, "%s", Tx("Regressao         ", "Regression        "));
  for (int j = 0; j < p; j++) fprintf(f, "\t%20.*g", sDigits, fit.ssRegression[j]);
  fprintf(f, "%s", Tx("\nResiduo           ", "\nResidual          "));
  for (int j = 0; j < p; j++) fprintf(f, "\t%20.*g", sDigits, fit.ssResidual[j]);
  fprintf(f, "%s", Tx("\nTotal             ", "\nTotal             "));
  for (int j = 0; j < p; j++) fprintf(f, "\t%20.*g", sDigits, fit.ssY[j]);
  fprintf(f, "\n%s\n", kDashes78);
  fprintf(f, "\n%s\t%s\n%s\n", Tx("Fonte de variacao     ", "Source of variation   "),
          Tx("P(QbNULL>=Qb) para cada variavel resposta", "P(QbNULL>=Qb) for each response variable"), kDashes78);
  fprintf(f, "%s", Tx("Regressao         ", "Regression        "));
  for (int j = 0; j < p; j++) fprintf(f, "\t%20.*g", sDigits, probabilityR2[j]);
  fprintf(f, "\n%s\n", kDashes78);
}

// The coefficients of one permutation (statistics in the engine's order).
void PermutationCoefficients(FILE* f, int p, int q, const double* s) {
  fprintf(f, "bo:\t");
  PrintRow(f, p, s);
  for (int k = 0; k < q; k++) {
    fprintf(f, "b%d:\t", k + 1);
    PrintRow(f, p, s + p + k * p);
  }
  fprintf(f, "%s", Tx("r ao quadrado:\t", "r squared:\t"));
  PrintRow(f, p, s + p + q * p);
}

}  // namespace

void AleatorizacaoModLin(const DataSetView& responses, const DataSetView& factors, bool detailed) {
  const int n = responses.nObj, p = responses.nVar, q = factors.nVar;
  if (RefuseMissingData(responses) || RefuseMissingData(factors) || RefuseSingularFactors(factors)) return;
  RegressionFit fit;
  if (!regression(n, p, q, responses.data, factors.data, fit)) return;
  AleatorizacaoMain();
  const int permutations = AskTwoSetPermutations();
  const Restriction restriction = AskRestriction(responses);
  const bool saveEach = AskSaveEachPermutation(permutations);
  const double start = difftime_Clock_Init();
  const std::string criterion = Tx("Criterios de teste: coeficientes de regressao e coeficiente de determinacao (r ao "
                                   "quadrado)\n",
                                   "Test criteria: regression coefficients and coefficient of determination (r "
                                   "squared)\n");
  FILE* f = OpenTwoSetResults(saveEach,
                              Tx("TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n",
                                 "RANDOMIZATION TEST: Data and results of each permutation\n"),
                              permutations, criterion);
  if (f == nullptr) return;
  PermutationRestriction design;
  design.option = restriction.option;
  design.matrixDim = restriction.matrixDim;
  design.nestingOn = restriction.option == 2;
  design.nestMemb = restriction.nestMemb.empty() ? nullptr : restriction.nestMemb.data();
  design.bundlesOn = restriction.option == 3;
  design.bundleMemb = restriction.bundleMemb.empty() ? nullptr : restriction.bundleMemb.data();
  const TwoSetTestRun run = PermutationRun(permutations);
  TwoSetObserver observer;
  if (saveEach) {
    PrintDataSet(f, factors);
    PrintDataSet(f, responses);
    std::vector<double> observed(fit.b0);
    for (int k = 0; k < q; k++)
      for (int j = 0; j < p; j++) observed.push_back(fit.B[k][j]);
    observed.insert(observed.end(), fit.r2.begin(), fit.r2.end());
    PermutationCoefficients(f, p, q, observed.data());
    observer = [&](int permutation, const int* list, const double* statistics) {
      WritePermutationHeading(f, permutation);
      PrintTable(f, responses, list);
      PermutationCoefficients(f, p, q, statistics);
    };
  }
  TwoSetTestResult result;
  bool bundlesSkipped = false;
  if (!RunTwoSetTest(f, [&] {
        return LinearModelTest(n, p, q, responses.data, factors.data, design, r, run, result, &bundlesSkipped,
                               observer);
      }))
    return;
  if (bundlesSkipped) fprintf(out, "\n%s", UnbalancedBundlesMessage(port));
  WriteFinalHeading(f, Tx("MODELOS LINEARES: TESTE DE ALEATORIZACAO", "LINEAR MODELS: RANDOMIZATION TEST"), saveEach,
                    difftime_Clock(start), permutations);
  fprintf(f, "%s", criterion.c_str());
  RestrictionLines(f, restriction);
  if (bundlesSkipped) fprintf(f, "%s", UnbalancedBundlesMessage(port));
  fprintf(f, Tx("\nVariaveis resposta (dados %s) e fatores (dados %s):\n",
                "\nResponse variables (data %s) and factors (data %s):\n"),
          responses.filename, factors.filename);
  PrintRegression(f, fit, responses, factors, detailed);
  fprintf(f, "%s", Tx("\n\nResultados:", "\n\nResults:"));
  fprintf(f,
          Tx("\nCoeficientes de regressao para %d fatores (linhas) e %d variaveis resposta (colunas):\n",
             "\nRegression coefficients for %d factors (rows) and %d response variables (columns):\n"),
          q, p);
  std::vector<double> observed(fit.b0);
  for (int k = 0; k < q; k++)
    for (int j = 0; j < p; j++) observed.push_back(fit.B[k][j]);
  CoefficientTable(f, p, q, observed.data(), responses, factors);
  fprintf(f,
          Tx("\n\nProbabilidades correspondentes para %d fatores (linhas) e %d variaveis resposta (colunas):\n",
             "\n\nCorresponding probabilities for %d factors (rows) and %d response variables (columns):\n"),
          q, p);
  CoefficientTable(f, p, q, result.probability.data(), responses, factors);
  fprintf(f,
          Tx("\n\nCoeficientes de determinacao (r ao quadrado) para %d variaveis resposta:",
             "\n\nCoefficients of determination (r squared) for %d response variables:"),
          p);
  for (int j = 0; j < p; j++) fprintf(f, "\t%g", fit.r2[j]);
  fprintf(f,
          Tx("\nProbabilidades correspondentes de r ao quadrado para %d variaveis resposta:",
             "\nCorresponding probabilities of r squared for %d response variaveis:"),
          p);
  const double* probabilityR2 = result.probability.data() + p + q * p;
  for (int j = 0; j < p; j++) fprintf(f, "\t%g", probabilityR2[j]);
  AnovaTables(f, fit, probabilityR2);
  fclose(f);
  SeeResultsOnFile();
}

// The results of option V: one routine per analysis, each writing its part
// of the results block.
#include "transform/DescriptiveAttributesReport.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "cluster/Partitions.h"
#include "resemblance/BinaryMeasures.h"
#include "resemblance/EntropyMeasures.h"
#include "resemblance/EntropyProfiles.h"
#include "shell/SessionState.h"
#include "transform/DescriptiveStatistics.h"
#include "transform/HuffmanCode.h"

namespace {

const double kLn2 = 0.6931471805599453;
const double kInfinity = std::numeric_limits<double>::infinity();

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

void LabelRow(FILE* f, const char* heading, int n, char** labels) {
  std::fprintf(f, "%s", heading);
  PrintStringVectorTab(f, n, labels, nullptr);
}

void ValueRow(FILE* f, const char* heading, const std::vector<double>& v) {
  std::fprintf(f, "%s", heading);
  PrintVectorTab(f, static_cast<int>(v.size()), v.data(), sDigits, nullptr);
}

void DimensionLine(FILE* f) {
  std::fprintf(f,
               Tx("\t(Linhas= %d unidades amostrais, colunas= %d variaveis): \n",
                  "\t(Rows= %d sampling units, columns= %d variables):\n"),
               nObj, nVar);
}

}  // namespace

void WriteMeansReport(FILE* f) {
  std::vector<double> mean(nVar), sd(nVar), skew(nVar);
  std::vector<int> used(nVar);
  bool anyMissing = false;
  for (int j = 0; j < nVar; j++) {
    const VariableMoments m = ColumnMoments(nObj, data, j);
    used[j] = m.count;
    if (m.count < nObj) anyMissing = true;
    if (varType[j] == 1 || varType[j] == 3) {
      mean[j] = m.mean;
      sd[j] = m.stDev;
      skew[j] = m.skewness;
    } else {
      mean[j] = sd[j] = kInfinity;
      skew[j] = 0.0;
    }
  }
  std::vector<double> redundancy(nVar > 0 ? nVar : 1);
  int nUsed = 0;
  {
    const Matrix variables = TransposeOf(nObj, nVar, data);
    Communality(nVar, nObj, variables.data(), redundancy.data(), &nUsed);
  }
  redundancy.resize(nVar);

  std::fprintf(f, "%s", Tx("\nMedia e desvio padrao de variaveis:\n", "\nMean and standard deviation of variables:\n"));
  LabelRow(f, Tx("Variavel:    \t", "Variable:     \t"), nVar, varLabels);
  ValueRow(f, Tx("Media:        \t", "Mean:         \t"), mean);
  ValueRow(f, Tx("Desvio padrao:\t", "Standard dev.: \t"), sd);
  ValueRow(f,
           Tx("Assimetria na distribuicao de frequencias de cada variavel:\t",
              "Skewness in the frequency distribution of each variable: \t"),
           skew);
  if (anyMissing) {
    std::fprintf(f, "%s", Tx("Valores usados (sem faltantes):\t", "Values used (missing left out):\t"));
    PrintVectorTab(f, nVar, used.data(), nullptr);
  }

  if (nUsed > 0)
    std::fprintf(f,
                 Tx("\nRedundancia de %d variaveis: nivel de redundancia relativa (co-variacao) de cada variavel em "
                    "relacao as demais, o quadrado da correlacao multipla da variavel com as outras (as variaveis "
                    "tomadas em ordem decrescente do numero de valores positivos, tantas quantas permitem inverter "
                    "sua matriz de covariancias; -999: nao pode ser computada):\n",
                    "\nRedundancy of %d variables: level of relative redundancy (co-variation) of each variable with "
                    "respect to the others, the squared multiple correlation of the variable with the others (the "
                    "variables taken in decreasing order of their number of positive values, as many as allow "
                    "their covariance matrix to be inverted; -999: could not be computed):\n"),
                 nUsed);
  else
    std::fprintf(f, "%s",
                 Tx("\nRedundancia: nenhum subconjunto das variaveis tem matriz de covariancias inversivel; nivel de "
                    "redundancia relativa (co-variacao) de cada variavel em relacao as demais nao computado (-999: "
                    "nao pode ser computada):\n",
                    "\nRedundancy: no subset of the variables has an invertible covariance matrix; the level of "
                    "relative redundancy (co-variation) of each variable with respect to the others was not "
                    "computed (-999: could not be computed):\n"));
  LabelRow(f, Tx("Variavel:    \t", "Variable:    \t"), nVar, varLabels);
  ValueRow(f, Tx("Redundancia:\t", "Redundancy: \t"), redundancy);
}

void WriteEntropyOfVariablesReport(FILE* f, double alpha) {
  std::fprintf(f,
               Tx("\nTabela de frequencias e entropia geral de Renyi ordem %g (nats) em cada variavel:\n",
                  "\nFrequency table an Renyi general entropy of order %g (nats) in each variable:\n"),
               alpha);
  std::vector<double> entropy(nVar, kInfinity);
  std::vector<double> column(nObj > 0 ? nObj : 1), counts(nObj > 0 ? nObj : 1);
  std::vector<int> states(nObj > 0 ? nObj : 1);
  for (int j = 0; j < nVar; j++) {
    if (varType[j] != 1 && varType[j] != 2) continue;
    int present = 0;
    for (int i = 0; i < nObj; i++)
      if (!IsMissing(data[i][j])) column[present++] = data[i][j];
    int nStates = 0;
    ContingencyVector(present, column.data(), counts.data(), &nStates, states.data());
    std::fprintf(f, Tx("Variavel %s:\n", "Variable %s:\n"), varLabels[j]);
    std::fprintf(f, "%s", Tx("Estados:   \t", "States:    \t"));
    for (int s = 0; s < nStates; s++) std::fprintf(f, "%d\t", states[s]);
    std::fprintf(f, "%s", Tx("\nFrequencia:\t", "\nFrequency: \t"));
    PrintVectorTab(f, nStates, counts.data(), 5, nullptr);
    entropy[j] = present > 0 ? EntropyVector(nStates, counts.data(), alpha) : MISSING_VALUE;
  }
  std::fprintf(f,
               Tx("\nEntropia geral de Renyi ordem %g (nats) em variaveis:\n",
                  "\nRenyi general entropy of order %g (nats) in variables:\n"),
               alpha);
  LabelRow(f, Tx("Variaveis:\t", "Variables:\t"), nVar, varLabels);
  ValueRow(f, Tx("Entropia: \t", "Entropy:  \t"), entropy);
}

void WriteContingencyReport(FILE* f, double alpha) {
  // Counts: a missing cell counts as 0.
  Matrix table(nObj, nVar);
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++) table[i][j] = IsMissing(data[i][j]) ? 0.0 : data[i][j];
  if (optPrintData != 's') {
    std::fprintf(f, "%s", Tx("Matriz de dados:\n", "Data matrix:\n"));
    std::fprintf(f,
                 Tx("\t(Linhas= %d unidades amostrais, colunas= %d variaveis)\n",
                    "\t(Rows= %d sampling units, columns= %d variables)\n"),
                 nObj, nVar);
    PrintMatrixFloat(f, nObj, nVar, data, sDigits, 0);
  }
  std::vector<double> rowTotals(nObj, 0.0), colTotals(nVar, 0.0);
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++) {
      rowTotals[i] += table[i][j];
      colTotals[j] += table[i][j];
    }
  std::fprintf(f,
               Tx("\nPressupondo que a matriz de dados %s eh uma TABELA DE CONTINGENCIA:\n",
                  "\nAssuming data matrix %s is a CONTINGENCY TABLE:\n"),
               filename);
  std::fprintf(f, "%s", Tx("Totais de linhas:\n", "Row totals:\n"));
  PrintVectorTab(f, nObj, rowTotals.data(), sDigits, nullptr);
  std::fprintf(f,
               Tx("Entropia de Renyi ordem %g (em nats) com os totais de linhas: \t%.*g\n",
                  "Renyi entropy order %g (nats) with marginal totals of rows: \t%.*g\n"),
               alpha, sDigits, EntropyRows(nObj, nVar, table.data(), alpha));
  std::fprintf(f, "%s", Tx("\nTotais de colunas:\n", "\nColumn totals:\n"));
  PrintVectorTab(f, nVar, colTotals.data(), sDigits, nullptr);
  std::fprintf(f,
               Tx("Entropia de Renyi ordem %g (em nats) com os totais de colunas: \t%.*g\n",
                  "Renyi entropy order %g (nats) with marginal totals of columns: \t%.*g\n"),
               alpha, sDigits, EntropyCols(nObj, nVar, table.data(), alpha));
  std::fprintf(f,
               Tx("Entropia mutua de Renyi ordem %g (em nats): \t%.*g\n", "Renyi mutual entropy order %g (nats): \t%.*g\n"),
               alpha, sDigits, MutualEntropyMV(nObj, nVar, table.data(), alpha));
  std::fprintf(f,
               Tx("Coeficiente de coerencia (Renyi ordem %g): \t%.*g\n", "Coherence coefficient (Renyi order %g): \t%.*g\n"),
               alpha, sDigits, CoheCoefMV(nObj, nVar, table.data(), alpha));

  std::vector<double> entropy(nObj), bits(nObj), complexity(nObj), structural(nObj);
  std::vector<unsigned long> lengths(static_cast<size_t>(nObj) * nVar, 0);
  Matrix shannon(nObj, nVar);
  for (int i = 0; i < nObj; i++) {
    entropy[i] = EntropyVectorCodeLength(nVar, table[i], alpha, shannon[i]);
    bits[i] = entropy[i] / kLn2;
    complexity[i] = ComplexityVectorHuffCode(nVar, table[i], lengths.data() + static_cast<size_t>(i) * nVar);
    structural[i] = complexity[i] - bits[i];
  }
  std::fprintf(f,
               Tx("\nEntropia de Renyi ordem %g em unidades amostrais (nats):\n",
                  "\nRenyi entropy of order %g in sampling units (nats):\n"),
               alpha);
  LabelRow(f, Tx("Unidades amostrais:\t", "Sampling units:    \t"), nObj, uaLabels);
  ValueRow(f, Tx("Entropia (nats):   \t", "Entropy (nats):    \t"), entropy);
  std::fprintf(f,
               Tx("\nEntropia de Renyi (H) ordem %g em unidades amostrais (em bits):\n",
                  "\nRenyi entropy (H) of order %g in sampling units (bits):\n"),
               alpha);
  LabelRow(f, Tx("Unidades amostrais:\t", "Sampling units:    \t"), nObj, uaLabels);
  ValueRow(f, Tx("Entropia (bits):   \t", "Entropy (bits):    \t"), bits);

  std::fprintf(f, "%s",
               Tx("\nComplexidade de Kolmogorov das unidades amostrais (bits), estimada pelo comprimento medio do "
                  "codigo de Huffman das frequencias de cada unidade (Huffman 1952); complexidade estrutural = "
                  "complexidade total menos entropia de Shannon (bits); unidades com menos de 3 valores positivos: "
                  "0:\n",
                  "\nKolmogorov complexity of sampling units (bits), estimated by the mean length of the Huffman code "
                  "of the frequencies of each unit (Huffman 1952); structural complexity = total complexity minus "
                  "Shannon entropy (bits); units with fewer than 3 positive values: 0:\n"));
  LabelRow(f, Tx("Unidades amostrais:           \t", "Sampling units:     \t       \t"), nObj, uaLabels);
  ValueRow(f, Tx("Complexidade total (L):       \t", "Total complexity (L):       \t"), complexity);
  if (std::fabs(alpha - 1.0) < 0.0001)
    ValueRow(f, Tx("Complexidade estrutural (L-H):\t", "Structural complexity (L-H):\t"), structural);
  else
    std::fprintf(f, "%s",
                 Tx("Complexidade estrutural (L-H) computada somente para entropia Renyi de ordem alfa limite 1 "
                    "(entropia de Shannon).\n",
                    "Structural complexity (L-H) computed only for Renyi entropy of order alpha limit 1 (Shannon "
                    "entropy):\n"));

  std::fprintf(f, "%s",
               Tx("\n\nComprimento dos codigos Huffmann (bits inteiros) ", "\n\nHuffmann code lengths (integer bits)"));
  DimensionLine(f);
  for (int i = 0; i < nObj; i++) {
    for (int j = 0; j < nVar; j++) std::fprintf(f, "%lu\t", lengths[static_cast<size_t>(i) * nVar + j]);
    std::fprintf(f, "\n");
  }
  if (alpha == 1.0) {
    for (int i = 0; i < nObj; i++)
      for (int j = 0; j < nVar; j++) shannon[i][j] /= kLn2;
    std::fprintf(f, "%s",
                 Tx("\n\nComprimento dos codigos Shannon (bits fracionarios) ",
                    "\n\nShannon's code lengths (fractionary bits)"));
    DimensionLine(f);
    PrintMatrixTab(f, nObj, nVar, shannon.data(), sDigits);
  }
}

void WriteBetaDiversityReport(FILE* f, int factor) {
  if (factor < 0) {
    std::fprintf(f,
                 Tx("\nDiversidade beta (sensu Baselga 2010) para toda a tabela de dados:\t%g\n",
                    "\nBeta diversity (betaSOR, sensu Baselga 2010) for the whole data table:\t%g\n"),
                 BetaSOR(nObj, nVar, data, nullptr, nullptr));
    return;
  }
  std::vector<int> memb(grMemb[factor], grMemb[factor] + nObj);
  std::vector<int> labels(nObj > 0 ? nObj : 1);
  int groups = 0;
  CountGroupsNew(nObj, memb.data(), &groups, labels.data());
  std::vector<double> beta(groups > 0 ? groups : 1);
  BetaSOR(nObj, nVar, data, memb.data(), beta.data());
  std::fprintf(f, "%s",
               Tx("\nDiversidade beta (sensu Baselga 2010) para cada grupo especificado:\n",
                  "\nBeta diversity (betaSOR, sensu Baselga 2010) for each specified group:\n"));
  std::fprintf(f, "%s", Tx("\nGrupos:\t", "\nGroups:\t"));
  for (int g = 0; g < groups; g++) std::fprintf(f, "%d\t", labels[g]);
  std::fprintf(f, "\nBetaSOR:\t");
  for (int g = 0; g < groups; g++) std::fprintf(f, "%g\t", beta[g]);
  std::fprintf(f, "\n");
}

// The report of the data transformation in "Zoviri.txt", the side files of
// the two expansions, and the check of their input.
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "ZQLib/TableChecks.h"
#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TransformationMenu.h"

namespace {

void PrintTableBlock(FILE* f, const char* title, double** m) {
  fprintf(f, "%s", title);
  fprintf(f, PtEn("\t(Linhas= %d unidades amostrais, colunas= %d variaveis)\n",
                  "\t(Rows= %d sampling units, columns= %d variables)\n"),
          nObj, nVar);
  PrintMatrixFloat(f, nObj, nVar, m, sDigits, 0);
}

// A variable is nominal when its declared type is 2 (qualitative).
std::unique_ptr<bool[]> NominalFlags() {
  std::unique_ptr<bool[]> v(new bool[nVar > 0 ? nVar : 1]);
  for (int j = 0; j < nVar; j++) v[j] = varType != nullptr && varType[j] == 2;
  return v;
}

// Labels and state counts of the expanded variables; with `reduced` the last
// state of each nominal variable is left out.
void PrintExpansionLabels(FILE* f, const bool* nominal, int** states, const int* nStates, bool reduced) {
  fprintf(f, "Variable labels (each row corresponding to an original variable):\n");
  for (int j = 0; j < nVar; j++) {
    if (!nominal[j]) {
      fprintf(f, "%s\n", varLabels[j]);
      continue;
    }
    int n = reduced ? nStates[j] - 1 : nStates[j];
    for (int s = 0; s < n; s++) fprintf(f, "%d\t", states[j][s]);
    fprintf(f, "\n");
  }
  fprintf(f, "\nNumber of states for each nominal variable in the original data:\n");
  for (int j = 0; j < nVar; j++) {
    if (nominal[j])
      fprintf(f, "%d\n", reduced ? nStates[j] - 1 : nStates[j]);
    else
      fprintf(f, "not nominal\n");
  }
  fprintf(f, "\n");
}

}  // namespace

bool ExpansionInputValid(int optScalar) {
  int row = 0, col = 0;
  if (optScalar == TR_SCALAR_EXPAND_NOMINAL) {
    std::unique_ptr<bool[]> nominal = NominalFlags();
    if (NominalCodesValid(nObj, nVar, nominal.get(), dataOrig, &row, &col))
      return true;
    fprintf(out,
            PtEn("\nExpansao recusada: a variavel nominal %s tem o valor %g na unidade amostral %s; os codigos "
                 "devem ser inteiros nao negativos e nao faltantes.\nDados e arquivos nao foram alterados.\n",
                 "\nExpansion refused: nominal variable %s holds %g in sampling unit %s; codes must be "
                 "non-negative integers, not missing.\nData and files were left unchanged.\n"),
            varLabels[col], dataOrig[row][col], uaLabels[row]);
    return false;
  }
  if (ContingencyCountsValid(nObj, nVar, dataOrig, &row, &col)) {
    // One line per count: a huge total would fill the disk, so it is refused
    // before anything is written.
    const double rows = ContingencyExpandedRowCount(nObj, nVar, dataOrig);
    if (rows <= kMaxExpandedRows) return true;
    fprintf(out,
            PtEn("\nExpansao recusada: a tabela de contingencia daria %.0f linhas, mais que o limite de %.0f "
                 "linhas.\nDados e arquivos nao foram alterados.\n",
                 "\nExpansion refused: the contingency table would give %.0f rows, more than the limit of %.0f "
                 "rows.\nData and files were left unchanged.\n"),
            rows, kMaxExpandedRows);
    return false;
  }
  fprintf(out,
          PtEn("\nExpansao recusada: a contagem %g na linha %d, coluna %d da tabela de contingencia nao e um "
               "inteiro nao negativo e nao faltante (ou o total excede o maior inteiro).\nDados e arquivos nao "
               "foram alterados.\n",
               "\nExpansion refused: the count %g in row %d, column %d of the contingency table is not a "
               "non-negative integer, or is missing (or the total exceeds the largest integer).\nData and files "
               "were left unchanged.\n"),
          dataOrig[row][col], row + 1, col + 1);
  return false;
}

bool WriteTransformationReport() {
  const bool firstBlock = modeZoviri[0] == 'w';
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return false;
  if (firstBlock) fprintf(f, PtEn("PLEXOR versao %s", "PLEXOR version %s"), versao);
  fprintf(f, "\n%s\n", line);
  // The block title of the results file is the same in both languages.
  fprintf(f, "DATA TRANSFORMATION\n");
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  ShowStatus(f);
  if (optPrintData == 's') {
    PrintTableBlock(f, PtEn("\nMatriz de dados originais:\n", "\nOriginal data matrix:\n"), dataOrig);
    if (optTrEs != 0 || optTrVeVar != 0 || optTrVeUnits != 0)
      PrintTableBlock(f, PtEn("Matriz de dados transformados:\n", "Transformed data matrix:\n"), data);
  }
  fclose(f);
  return true;
}

bool WriteExpandedNominalData() {
  std::unique_ptr<bool[]> flags = NominalFlags();
  bool* nominal = flags.get();
  FILE* f = fopen("ExpandedData.txt", "w");
  if (f == nullptr) {
    fprintf(out, PtEn("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), "ExpandedData.txt");
    return false;
  }
  int nExp = CountExpandedColumns(nObj, nVar, nominal, dataOrig);
  double** expanded = dimDouble2D(nObj, nExp);
  int** states = dimInt2D(nVar, nObj > 0 ? nObj : 1);
  int* nStates = dimInt1D(nVar);
  int nExpanded = 0;
  Binarize(nObj, nVar, nominal, dataOrig, expanded, &nExpanded, states, nStates);

  PrintMatrixTab(f, nObj, nExpanded, expanded, sDigits);
  fprintf(f, "\nExpanded data with %d units in rows and %d expanded variables in columns.\n", nObj, nExpanded);
  PrintExpansionLabels(f, nominal, states, nStates, false);

  // The same table without the last binary column of each nominal variable.
  std::vector<int> keep;
  int col = 0;
  for (int j = 0; j < nVar; j++) {
    int n = nominal[j] ? nStates[j] : 1;
    for (int s = 0; s < n; s++, col++)
      if (!nominal[j] || s < n - 1) keep.push_back(col);
  }
  int nReduced = static_cast<int>(keep.size());
  double** reduced = dimDouble2D(nObj, nReduced);
  for (int i = 0; i < nObj; i++)
    for (int k = 0; k < nReduced; k++) reduced[i][k] = expanded[i][keep[k]];
  PrintMatrixTab(f, nObj, nReduced, reduced, sDigits);
  fprintf(f,
          "\nExpanded data with %d units in rows and %d expanded variables in columns (eliminating last expanded "
          "binary for each nominal variable).\n",
          nObj, nReduced);
  PrintExpansionLabels(f, nominal, states, nStates, true);
  fclose(f);

  freeDouble2D(reduced, nObj);
  freeDouble2D(expanded, nObj);
  freeInt2D(states, nVar);
  free1D(nStates);
  return true;
}

bool WriteExpandedContingencyData() {
  FILE* f = fopen("ExpandedNominalData.txt", "w");
  if (f == nullptr) {
    fprintf(out, PtEn("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"),
            "ExpandedNominalData.txt");
    return false;
  }
  // Written row by row: the expanded table can be far longer than the table
  // itself, and unit and variable numbers are printed whole.
  int n = ContingencyExpandedRows(nObj, nVar, dataOrig);
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++) {
      int times = ContingencyCellRows(dataOrig[i][j]);
      for (int t = 0; t < times; t++) fprintf(f, "%d\t%d\t\n", i + 1, j + 1);
    }
  fprintf(f, "\nExpanded data with %d units in rows and %d nominal variables in columns.\n", n, 2);
  fclose(f);
  return true;
}

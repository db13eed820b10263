// Option R of the main menu: choice of direction, measure and transformation
// of the values, computation of the session's resemblance matrix and its
// report in the results file.
#include <cstdio>
#include <new>

#include "ZQLib/zqlibDim.h"
#include "resemblance/ContingencyTablesFile.h"
#include "resemblance/ResemblanceDialogue.h"
#include "resemblance/ResemblanceLib.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const double kLn2 = 0.6931471805599453;

void PrintBits(FILE* f, int n, double** m) {
  double** bits = dimDouble2D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) bits[i][j] = m[i][j] / kLn2;
  PrintLowerHalfMatrix(f, n, bits, sDigits, 0);
  freeDouble2D(bits, n);
}

// The four blocks of the mutual entropy of triplets, in nats then in bits.
void PrintTriplets(FILE* f, int n, double*** r3, double** r) {
  for (int unit = 0; unit < 2; unit++) {
    const double div = unit == 0 ? 1.0 : kLn2;
    if (unit == 0)
      fprintf(f, port ? "\nEntropia mutua entre variaveis em tripletos (nats):\n"
                      : "\nMutual entropy between variables in triplets (nats):\n");
    else
      fprintf(f, port ? "\nEntropia mutua entre variaveis em tripletos (bits):\n"
                      : "\nMutual entropy between variables in triplets (bits):\n");
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++)
        for (int k = j + 1; k < n; k++) fprintf(f, "Var. %d x %d x %d:\t%g\n", i + 1, j + 1, k + 1, r3[i][j][k] / div);
    if (unit == 0)
      fprintf(f, port ? "\nEntropia mutua aos pares, condicional (|) a uma terceira variavel (nats):\n"
                      : "\nMutual entropy pairwise conditional (|) to a third variable (nats):\n");
    else
      fprintf(f, port ? "\n\nEntropia mutua aos pares, condicional (|) a uma terceira variavel (bits):\n"
                      : "\n\nMutual entropy pairwise conditional (|) to a third variable (bits):\n");
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++)
        for (int k = 0; k < n; k++) {
          if (k == i || k == j) continue;
          fprintf(f, "Var. %d x %d | %d:\t%g\n", i + 1, j + 1, k + 1, (r[i][j] + r3[i][j][k]) / div);
        }
  }
}

// Why the measure chosen cannot be computed on these data.
void ReportRefusal(const ResemblanceRefusal& r, int dir) {
  // The attributes are the variables when units are compared, and the reverse.
  const char* attribute = "";
  if (r.attribute >= 0) attribute = dir == 1 ? varLabels[r.attribute] : uaLabels[r.attribute];
  switch (r.problem) {
    case ResemblanceRefusal::NEGATIVE_VALUE:
      fprintf(out,
              port ? "\nInformacao mutua compara perfis de frequencias e nao admite valores negativos: a unidade "
                     "amostral %s tem o valor %g na variavel %s.\n"
                   : "\nMutual information compares frequency profiles and does not admit negative values: sampling "
                     "unit %s holds %g in variable %s.\n",
              uaLabels[r.cell.row], r.cell.value, varLabels[r.cell.col]);
      break;
    case ResemblanceRefusal::TOO_FEW_ENTITIES:
      fprintf(out,
              port ? "\nA matriz de covariancias de %d atributos nao pode ser invertida com %d entidades (sao "
                     "necessarias pelo menos %d).\n"
                   : "\nThe covariance matrix of %d attributes cannot be inverted with %d entities (at least %d are "
                     "needed).\n",
              r.attributes, r.entities, r.attributes + 1);
      break;
    case ResemblanceRefusal::CONSTANT_ATTRIBUTE:
      fprintf(out,
              port ? "\nA matriz de covariancias nao pode ser invertida: o atributo %s nao varia.\n"
                   : "\nThe covariance matrix cannot be inverted: attribute %s does not vary.\n",
              attribute);
      break;
    default:
      fprintf(out,
              port ? "\nA matriz de covariancias nao pode ser invertida: alguns atributos sao combinacoes lineares "
                     "de outros.\n"
                   : "\nThe covariance matrix cannot be inverted: some attributes are linear combinations of "
                     "others.\n");
      break;
  }
  fprintf(out, "%s", port ? "Medida de semelhanca nao calculada; a matriz de semelhanca anterior foi mantida.\n"
                          : "Resemblance measure not computed; the previous resemblance matrix is kept.\n");
  fputc('\a', stdout);
}

}  // namespace

int Semelhanca() {
  if (!temDados) return 0;
  rsmdlg::ShowHeading();
  const int dir = rsmdlg::AskDirection(true);
  if (dir == 99) return 0;
  const int measure = rsmdlg::AskMeasure(dir, 29);
  // Parameters stay local until the computation, so that cancelling keeps
  // the session's options consistent with its matrix.
  int cda = countDoubleAbsence;
  double alpha = alphaH, k = kParameter;
  rsmdlg::AskParameters(measure, false, 3.4028234663852886e38, &cda, &alpha, &k);

  fprintf(out, port ? "\nTransformacoes da matriz de semelhanca: \n" : "\nTransformations of the resemblance matrix: \n");
  int post = 0;
  ShowMenu(0, 3, nullptr, 0, optPostReseTransfInfo, &post);
  if (post == 99) return 0;

  fprintf(out, port ? "Incluir matriz de semelhanca nos resultados? s/n "
                    : "Include resemblance matrix in the output file? y/n ");
  const char print = ScanChar(in, YesNoAccepted(), KeyboardLabel());
  optPrintData = (print == 's' || print == 'y') ? 's' : 'n';

  // The new matrix is computed apart: a measure that cannot be computed on
  // these data leaves the matrix held, its options and its ordination as
  // they were.
  const int n = dir == 1 ? nObj : nVar;
  ResemblanceChoice choice = CurrentResemblanceChoice();
  choice.direction = dir;
  choice.measure = measure;
  choice.post = post;
  choice.countDoubleAbsence = cda;
  choice.alpha = alpha;
  choice.k = k;
  double** fresh = nullptr;
  ResemblanceRefusal refusal;
  try {
    fresh = dimDouble2D(n, n);
    if (!ResemblanceLib(choice, nObj, nVar, data, fresh, &refusal)) {
      freeDouble2D(fresh, n);
      ReportRefusal(refusal, dir);
      return 0;
    }
  } catch (const std::bad_alloc&) {
    freeDouble2D(fresh, n);
    ReportNoMemory();  // nothing in the session changed
    return 0;
  }
  // Results of an earlier matrix are sized by its order: release them first.
  FreeOrdination();
  FreeResemblance();
  optReseDir = dir;
  optReseTipo = measure;
  optPostReseTransf = post;
  countDoubleAbsence = cda;
  alphaH = alpha;
  kParameter = k;
  nRows = n;
  nCols = dir == 1 ? nVar : nObj;
  rese = fresh;
  temRese = 1;
  temEscore = 0;

  // The side files and the triplets are extras of the matrix, which stands
  // even when memory runs out for them.
  double*** rese3 = nullptr;
  try {
    if (measure >= 6 && measure <= 10) WriteTablesFile(nObj, nVar, data, optReseDir);
    if (measure == 7 && nVar == 3) {
      rese3 = reinterpret_cast<double***>(dim3D(sizeof(double), nRows, nRows, nRows));
      ResemblanceLibTriplets(nObj, nVar, data, rese3, optReseDir, optReseTipo, varType, alphaH);
      WriteTables3DFile(nObj, nVar, data, optReseDir);
    }
  } catch (const std::bad_alloc&) {
    if (rese3 != nullptr) free3D(reinterpret_cast<void***>(rese3), nRows, nRows);
    rese3 = nullptr;
    ReportNoMemory();
  }

  FILE* f = OpenResultsFileOrSay();
  if (f != nullptr) {
    fprintf(f, port ? "\nPLEXOR versao %s" : "\nPLEXOR version %s", versao);
    fprintf(f, "\n%s\n", line);
    // The block title of the results file is the same in both languages.
    fprintf(f, "RESEMBLANCE MEASURES\n");
    fprintf(f, "%s\n", line);
    TimeStamp(f);
    ShowStatus(f);
    if (optPrintData == 's') {
      fprintf(f, port ? "\nMatriz de semelhanca:\n" : "\nResemblance matrix:\n");
      PrintLowerHalfMatrix(f, nRows, rese, sDigits, 0);
      if (measure == 7) {
        fprintf(f, port ? "\nMatriz de semelhanca (bits):\n" : "\nResemblance matrix (bits):\n");
        PrintBits(f, nRows, rese);
        if (rese3 != nullptr) PrintTriplets(f, nRows, rese3, rese);
      }
    }
    fclose(f);
  }
  if (rese3 != nullptr) free3D(reinterpret_cast<void***>(rese3), nRows, nRows);

  ClearLine();
  fprintf(stdout, port ? "\nVeja resultados no arquivo Zoviri.txt." : "\nSee results on file Zoviri.txt.");
  if (optPrintData == 's' && measure >= 6 && measure <= 10)
    fprintf(stdout, port ? "Veja tabelas de contingencia no arquivo Tables.txt."
                         : "\nSee contingency tables in file Tables.txt.");
  return 1;
}

ResemblanceChoice CurrentResemblanceChoice() {
  ResemblanceChoice c;
  c.direction = optReseDir;
  c.measure = optReseTipo;
  c.post = optPostReseTransf;
  c.alpha = alphaH;
  c.k = kParameter;
  c.countDoubleAbsence = countDoubleAbsence;
  if (varType != nullptr && nVar > 0) c.varType.assign(varType, varType + nVar);
  return c;
}

// Option 4 of the Y menu: canonical serial scaling of the session's data with
// its correlation between variables, reported in "Zoviri.txt".
#include <cstdio>
#include <memory>
#include <new>

#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "dynamics/DynamicsMenu.h"
#include "dynamics/SerialScaling.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

bool AnyMissing(int n, const Matrix& m) {
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (IsMissing(m[i][j])) return true;
  return false;
}

// Why the matrix holds what it holds, when it is not a fitted line.
void PrintNotes(FILE* f, const SerialScalingResult& res) {
  if (res.refused) {
    fprintf(f,
            Tx("\nA semelhanca entre variaveis nao pode ser calculada para o tamanho de bloco %d; o escalonamento "
               "foi interrompido.\n",
               "\nThe resemblance between variables could not be computed for block size %d; the scaling was "
               "stopped.\n"),
            res.refusedBlock);
  } else if (res.blocks == 0) {
    fprintf(f,
            Tx("\nCom %d unidades amostrais nao ha tamanho de bloco (o numero de tamanhos de bloco e a parte inteira "
               "de 0.4 x %d): a matriz esta vazia (zeros).\n",
               "\nWith %d sampling units there is no block size (the number of block sizes is the integer part of "
               "0.4 x %d): the matrix is empty (zeros).\n"),
            nObj, nObj);
  } else if (res.blocks == 1) {
    fprintf(f,
            Tx("\nSomente um tamanho de bloco (%d unidades amostrais): nenhuma reta pode ser ajustada; os valores "
               "sao as correlacoes para tamanho de bloco igual a 1.\n",
               "\nOnly one block size (%d sampling units): no line could be fitted; the values are the correlations "
               "for block size one.\n"),
            nObj);
  }
  if (AnyMissing(nVar, res.predicted))
    fprintf(f,
            Tx("\nValores %g: pares de variaveis sem semelhanca definida em nenhum tamanho de bloco.\n",
               "\nValues %g: pairs of variables without a defined resemblance at any block size.\n"),
            MISSING_VALUE);
}

}  // namespace

void CanonicalSerialScaling() {
  fprintf(out, "%s", Tx("Guardar resultados intermediarios? s/n ", "Save intermediate results? y/n "));
  const bool intermediate = ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n';
  std::unique_ptr<FILE, int (*)(FILE*)> results(OpenResultsFileOrSay(), fclose);
  FILE* f = results.get();
  if (f == nullptr) return;
  if (intermediate) fprintf(f, "Canonical Serial Scaling INTERMEDIATE RESULTS:\n");
  SerialScalingObserver observer;
  if (intermediate)
    observer = [f](int b, const Matrix& averages, const Matrix& resemblance) {
      fprintf(f, "\nBlock size: %d\tData:\n", b);
      PrintMatrixTab(f, averages.rows(), averages.cols(), const_cast<double**>(averages.data()), sDigits);
      fprintf(f, "\nBlock size: %d\tCorrelation matrix:\n", b);
      PrintMatrixTab(f, resemblance.rows(), resemblance.cols(), const_cast<double**>(resemblance.data()), sDigits);
    };
  SerialScalingResult res;
  try {
    res = CanonicalSerialScalingLib(CurrentResemblanceChoice(), nObj, nVar, data, observer);
  } catch (const std::bad_alloc&) {
    ReportNoMemory();
    return;
  }
  fprintf(f, "\n%s", line);
  fprintf(f, "%s", Tx("\nESCALONAMENTO SERIAL CANONICO:", "\nCANONICAL SERIAL SCALING:"));
  fprintf(f, "\n%s\n", line);
  TimeStamp(f);
  ShowStatus(f);
  fprintf(f, "%s",
          Tx("\nMatriz de correlacao estimada por regressao linear para tamanho de bloco igual a 1:\n",
             "\nCorrelation matrix predicted by linear regression for block size equal to one:\n"));
  PrintMatrixTab(f, nVar, nVar, res.predicted.data(), sDigits);
  PrintNotes(f, res);
  results.reset();
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
}

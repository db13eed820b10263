// Option 2 of the Y menu: the original data interpolated onto a regular time
// (or spatial) scale and written to "Interpolated.txt".
#include <cfloat>
#include <cstdio>
#include <new>
#include <vector>

#include "ZQLib/AtomicFileWrite.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "dynamics/DynamicsMenu.h"
#include "dynamics/Interpolation.h"
#include "dynamics/TimeScaleFile.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

const char* const kInterpolatedFile = "Interpolated.txt";

// The interval between new units: larger than 0, and not so small that the
// new scale would exceed kMaxInterpolatedUnits units. nNew receives their number.
double AskInterval(const std::vector<double>& times, int* nNew) {
  for (;;) {
    fprintf(out, "%s", "Enter the time (or spatial) interval between new interpolated sampling units:  ");
    const double h = ScanNumber(in, KeyboardLabel(), "-", 0.0, static_cast<double>(FLT_MAX));
    if (h == 0.0) {
      fprintf(out, "%s", Tx("\nO intervalo deve ser maior que 0.\n", "\nThe interval must be larger than 0.\n"));
      continue;
    }
    const double count = InterpolatedUnitCount(nObj, times.data(), h);
    if (count > kMaxInterpolatedUnits) {
      fprintf(out,
              Tx("\nO intervalo %g daria %.0f novas unidades amostrais, mais que o limite de %.0f. Entre um "
                 "intervalo maior.\n",
                 "\nThe interval %g would give %.0f new sampling units, more than the limit of %.0f. Enter a larger "
                 "interval.\n"),
              h, count, kMaxInterpolatedUnits);
      continue;
    }
    *nNew = static_cast<int>(count);
    return h;
  }
}

bool HasMissing(int rows, int cols, const double* const* table) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++)
      if (IsMissing(table[i][j])) return true;
  return false;
}

// Writes the interpolated table, computed row by row into row[nVar], and the
// two scales. Allocates nothing.
bool WriteInterpolated(FILE* f, const std::vector<double>& times, double h, const std::vector<double>& newTimes,
                       std::vector<double>& row, int digits) {
  const int nNew = static_cast<int>(newTimes.size());
  double* rowPtr = row.data();
  for (int k = 0; k < nNew; k++) {
    InterpolateAt(nObj, nVar, dataOrig, times.data(), newTimes[k], rowPtr);
    PrintMatrixTab(f, 1, nVar, &rowPtr, digits);
    if (ferror(f)) return false;
  }
  fprintf(f,
          "\nAbove matrix (Rows= %d sampling units, columns= %d variables)\ncontains interpolated data obtained from "
          "data originally with %d sampling units.\n",
          nNew, nVar, nObj);
  fprintf(f, "New time (or spatial) scale of interpolated data:\n");
  PrintVectorTab(f, nNew, newTimes.data(), digits, nullptr);
  fprintf(f, "\nSpecified time (or spatial) scale of original data:\n");
  PrintVectorTab(f, nObj, times.data(), digits, nullptr);
  if (!WholeNumberScale(nObj, times.data(), h))
    fprintf(f,
            "\nThe times (or positions) or the interval are not whole numbers: values were interpolated linearly at "
            "the exact new times (first time + k x interval).\n");
  if (HasMissing(nObj, nVar, dataOrig))
    fprintf(f, "\nValues interpolated next to a missing value (%g) are missing.\n", MISSING_VALUE);
  return true;
}

}  // namespace

int Interpolation() {
  std::vector<double> times;
  if (!AskTimeScale("Entre nome do arquivo com escala de tempo (ou espaco), assumindo que os dados estão em ordem "
                    "crescente de idade (ou distancia): ",
                    "Enter name of file containing time (or spatial), assuming that the data are ordered by "
                    "increasing age (or distance): ",
                    true, times))
    return 0;
  int nNew = 0;
  const double h = AskInterval(times, &nNew);
  std::vector<double> newTimes, row;
  try {
    newTimes = InterpolationTimes(times.data(), h, nNew);
    row.resize(static_cast<size_t>(nVar));
  } catch (const std::bad_alloc&) {
    ReportNoMemory();
    return 0;
  }
  const bool written = WriteFileAtomically(
      kInterpolatedFile, [&](FILE* f) { return WriteInterpolated(f, times, h, newTimes, row, sDigits); });
  ClearLine();
  if (!written) {
    fprintf(out,
            Tx("\n\nNao foi possivel gravar o arquivo %s; um arquivo anterior com esse nome ficou como estava.\n",
               "\n\nCould not write file %s; an earlier file of that name was left as it was.\n"),
            kInterpolatedFile);
    return 0;
  }
  fprintf(out, "\n\nInterpolated data exported on file %s\n", kInterpolatedFile);
  return 1;
}

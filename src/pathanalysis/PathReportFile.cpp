// What the reports of path analysis share.
#include "pathanalysis/PathReportFile.h"

#include <string>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionRandom.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace path_report {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

ResultsFile::~ResultsFile() { Close(); }

void ResultsFile::Open() {
  if (f != nullptr) return;
  f = OpenResultsFile();
  if (f == nullptr)
    fprintf(out, Tx("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), resultsFileName);
}

void ResultsFile::Close() {
  if (f != nullptr) fclose(f);
  f = nullptr;
}

ProgressHook PermutationProgress() {
  return ConsoleProgress([](int64_t done, int64_t total) {
    return std::string(port ? "Permutacao: " : "Permutation: ") + std::to_string(total + 1) + " " +
           std::to_string(done + 1);
  });
}

void SeeResults() {
  ClearLine();
  fprintf(out, "%s", Tx("\n\nVeja resultados no arquivo Zoviri.txt.", "\n\nSee results on file Zoviri.txt."));
}

void PrintRows(FILE* f, int rows, int cols, const double* const* m) {
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) fprintf(f, "%8.*g\t", sDigits, m[i][j]);
    fprintf(f, "\n");
  }
}

void PrintSymmetric(FILE* f, int n, const double* const* m) {
  Matrix copy = CopyOf(n, n, m);
  PrintLowerHalfMatrix(f, n, copy.data(), sDigits, 0);
}

}  // namespace path_report

// Dialogue and results blocks shared by the tests between two data sets.
#include "randomization/TwoSetReport.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <new>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

const char* TwoSetText(const char* portuguese, const char* english) { return port ? portuguese : english; }

int AskTwoSetPermutations() {
  fprintf(out, "%s", TwoSetText("Numero de permutacoes: ", "Number of permutations: "));
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(INT_MAX)));
}

bool AskSaveEachPermutation(int permutations) {
  for (;;) {
    fprintf(out, "%s",
            TwoSetText("Salvar dados e resultados de cada permutacao aleatoria? s/n ",
                       "Save data and results of each random permutation? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return false;
    if (permutations < 51) return true;
    fprintf(out, TwoSetText("Tem certeza? s/n Sao %d permutacoes! ", "Are you sure? y/n There are %d permutations! "),
            permutations);
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') return true;
  }
}

FILE* OpenTwoSetResults(bool saveEach, const char* eachHeading, int permutations, const std::string& criterion) {
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return nullptr;
  if (!saveEach) return f;
  fprintf(f, "\n%s\n%s%s\n", line, eachHeading, line);
  TimeStamp(f);
  fprintf(f, TwoSetText("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), permutations);
  fprintf(f, "%s", criterion.c_str());
  fprintf(f, "%s\n%s", line, TwoSetText("Permutacao 1:\n", "Permutation 1:\n"));
  return f;
}

void WritePermutationHeading(FILE* f, int permutation) {
  fprintf(f, "%s\n%s: %d\n", line, iteraStr, permutation);
  fprintf(f, "%s", TwoSetText("Dados aleatorios e resultados correspondentes:\n", "Random data and corresponding results:\n"));
}

void WriteFinalHeading(FILE* f, const char* heading, bool saveEach, double elapsedSeconds, int permutations) {
  fprintf(f, "\n%s\n%s%s\n%s\n", line, heading, saveEach ? TwoSetText(": Resultados finais", ": Final results") : "",
          line);
  TimeStamp(f);
  fprintf(f, TwoSetText("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), elapsedSeconds);
  ShowStatus(f);
  fprintf(f, TwoSetText("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), permutations);
  fprintf(f, TwoSetText("Inicializador da geracao de numeros aleatorios: %u\n",
                        "Random number generation initializer: %u\n"),
          seed);
}

ProgressHook PermutationProgress(int permutations) {
  return ConsoleProgress([permutations](int64_t done, int64_t) {
    char text[64];
    snprintf(text, sizeof text, "Permutation: %d %lld", permutations, static_cast<long long>(done + 1));
    return std::string(text);
  });
}

TwoSetTestRun PermutationRun(int permutations) {
  TwoSetTestRun run;
  run.permutations = permutations;
  run.progress = PermutationProgress(permutations);
  return run;
}

bool RunTwoSetTest(FILE* f, const std::function<bool()>& test) {
  try {
    if (test()) return true;
    fclose(f);
  } catch (const std::bad_alloc&) {
    fclose(f);
    ClearLine();
    ReportNoMemory();
  }
  return false;
}

void PrintDataSet(FILE* f, const DataSetView& set) {
  fprintf(f, "\n%s\n", set.filename);
  PrintTable(f, set);
}

void PrintTable(FILE* f, const DataSetView& set, const int* list) {
  Matrix m(set.nObj, set.nVar);
  for (int i = 0; i < set.nObj; i++)
    for (int j = 0; j < set.nVar; j++) m[i][j] = set.data[list ? list[i] - 1 : i][j];
  PrintData(f, set.nObj, set.nVar, sDigits, m.data());
}

void SeeResultsOnFile() {
  ClearLine();
  fprintf(out, "%s", TwoSetText("\n\nVeja resultados no arquivo Zoviri.txt.", "\n\nSee results on file Zoviri.txt."));
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char buffer[1024];
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

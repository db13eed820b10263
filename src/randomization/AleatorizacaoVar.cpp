// Menu option A: the randomization test comparing variables, and its
// follow-up, the test of the mutual entropy of variable triplets. Both work
// on their own copies of the data (random data sets drawn from the table as
// read, then the session's transformation and resemblance measure) and never
// change the session; only the generator and its seed are new.
#include <climits>
#include <cstdio>
#include <new>
#include <string>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "randomization/PermutationRestrictionsDialogue.h"
#include "randomization/RandomizationMenu.h"
#include "randomization/SessionRandom.h"
#include "randomization/TripletTest.h"
#include "randomization/VariableTest.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/TransformationMenu.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

const double kLn2 = 0.6931471805599453;

// The session holds a resemblance matrix comparing its variables.
bool ComparesVariables() {
  if (!temDados) return false;
  if (temRese && rese != nullptr && optReseDir == 2 && nRows == nVar) return true;
  fprintf(out, "%s",
          Tx("\nO teste requer uma matriz de semelhanca entre variaveis (opcao R, comparando variaveis).\n",
             "\nThe test needs a resemblance matrix comparing variables (option R, comparing variables).\n"));
  return false;
}

int AskPermutations() {
  fprintf(out, "%s", Tx("Numero de permutacoes: ", "Number of permutations: "));
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(INT_MAX)));
}

// Whether the data and results of every permutation are to be saved; many
// permutations ask for confirmation.
bool AskSaveEach(int nPermutations) {
  for (;;) {
    fprintf(out, "%s",
            Tx("Salvar dados e resultados de cada permutacao aleatoria? s/n ",
               "Save data and results of each random permutation? y/n "));
    const char answer = ScanChar(in, YesNoAccepted(), KeyboardLabel());
    if (answer == 'n') return false;
    if (nPermutations < 51) return true;
    fprintf(out, Tx("Tem certeza? s/n Sao %d permutacoes! ", "Are you sure? y/n There are %d permutations! "),
            nPermutations);
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') return true;
  }
}

// The session's data, choices and observed resemblance as the test's input.
VariableTestInput SessionInput(int nPermutations) {
  VariableTestInput input;
  input.nObj = nObj;
  input.nVar = nVar;
  input.data = dataOrig;
  input.observed = rese;
  input.transform = CurrentTransformChoice();
  input.resemblance = CurrentResemblanceChoice();
  input.nPermutations = nPermutations;
  return input;
}

// A results file open for one test, closed at the end of the scope.
struct ResultsFile {
  FILE* f = nullptr;
  ResultsFile() = default;
  ResultsFile(const ResultsFile&) = delete;
  ResultsFile& operator=(const ResultsFile&) = delete;
  ~ResultsFile() {
    if (f != nullptr) fclose(f);
  }
  void Open() {
    if (f != nullptr) return;
    f = OpenResultsFile();
    if (f == nullptr)
      fprintf(out, Tx("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), resultsFileName);
  }
};

void PrintMeasure(FILE* f) {
  fprintf(f, Tx("\tMedida de semelhanca: %s, %s\n", "\tResemblance measure: %s, %s\n"), optReseTipoInfo[optReseTipo],
          optReseDirInfo[optReseDir]);
}

// Rows of a data table in the layout of the session's data printer.
void PrintRows(FILE* f, int rows, int cols, const double* const* m) {
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) fprintf(f, "%8.*g\t", sDigits, m[i][j]);
    fprintf(f, "\n");
  }
}

// A resemblance matrix as the resemblance report prints it (lower half).
void PrintResemblance(FILE* f, int n, const double* const* m, Matrix& copy) {
  copy.Resize(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) copy[i][j] = m[i][j];
  fprintf(f, "%s", Tx("\nMatriz de semelhanca:\n", "\nResemblance matrix:\n"));
  PrintLowerHalfMatrix(f, n, copy.data(), sDigits, 0);
}

// The opening of the per-permutation block and the observed data set as
// permutation 1.
void PrintFirstPermutation(FILE* f, int nPermutations, Matrix& copy) {
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s",
          Tx("TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n",
             "RANDOMIZATION TEST: Data and results of each permutation\n"));
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  fprintf(f, Tx("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), nPermutations);
  fprintf(f, "%s", Tx("Criterio de teste:\n", "Test criterion:\n"));
  PrintMeasure(f);
  fprintf(f, "%s\n", line);
  fprintf(f, "%s", Tx("Permutacao 1:\n", "Permutation 1:\n"));
  PrintData(f, nObj, nVar, sDigits, dataOrig);
  PrintResemblance(f, nVar, rese, copy);
}

void PrintRandomDataSet(FILE* f, int permutation, const double* const* randomData, const double* const* randomRese,
                        Matrix& copy) {
  fprintf(f, "%s\n", line);
  fprintf(f, "%s: %d\n", iteraStr, permutation);
  fprintf(f, "%s", Tx("Dados aleatorios:\n", "Random data:\n"));
  PrintRows(f, nObj, nVar, randomData);
  PrintResemblance(f, nVar, randomRese, copy);
}

// Heading of the final results, down to the permutation restrictions.
void PrintFinalHeading(FILE* f, bool savedEach, double elapsed, int nPermutations,
                       const PermutationRestrictions& restrictions) {
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s%s\n", Tx("TESTE DE ALEATORIZACAO", "RANDOMIZATION TEST"),
          savedEach ? Tx(": Resultado final", ": Final results") : "");
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  fprintf(f, Tx("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), elapsed);
  ShowStatus(f);
  fprintf(f, Tx("Numero de permutacoes: %d\n", "Number of permutations: %d\n"), nPermutations);
  fprintf(f, Tx("Inicializador da geracao de numeros aleatorios: %u\n", "Random number generation initializer: %u\n"),
          seed);
  fprintf(f, "%s", Tx("Criterio de teste (Lambda):\n", "Test criterion (Lambda):\n"));
  PrintMeasure(f);
  PrintPermutationRestrictions(f, restrictions, nObj);
}

ProgressHook PermutationProgress() {
  return ConsoleProgress([](int64_t done, int64_t total) {
    return std::string(port ? "Permutacao: " : "Permutation: ") + std::to_string(total + 1) + " " +
           std::to_string(done + 1);
  });
}

void ReportRefusal(const RandomDataRefused& e) {
  ClearLine();
  if (e.inTransformation)
    fprintf(out,
            Tx("\nA transformacao dos dados nao e definida para o conjunto de dados aleatorio %d: o teste foi "
               "interrompido.\n",
               "\nThe data transformation is undefined for random data set %d: the test was stopped.\n"),
            e.permutation);
  else
    fprintf(out,
            Tx("\nA medida de semelhanca nao e definida para o conjunto de dados aleatorio %d: o teste foi "
               "interrompido.\n",
               "\nThe resemblance measure is undefined for random data set %d: the test was stopped.\n"),
            e.permutation);
}

void SeeResults() {
  fprintf(out, "%s", Tx("\n\nVeja resultados no arquivo Zoviri.txt.", "\n\nSee results on file Zoviri.txt."));
}

}  // namespace

VariableTestRun AleatorizacaoVar() {
  VariableTestRun run;
  if (!ComparesVariables()) return run;
  AleatorizacaoMain();
  const int nPermutations = AskPermutations();
  const PermutationRestrictions restrictions = SetPermutationRestrictions();
  const bool saveEach = AskSaveEach(nPermutations);

  const double start = difftime_Clock_Init();
  VariableTestInput input = SessionInput(nPermutations);
  input.restrictions = restrictions;
  ResultsFile results;
  Matrix copy;
  VariableTestResult result;
  try {
    VariableTestObserver observer;
    if (saveEach) {
      results.Open();
      if (results.f != nullptr) {
        PrintFirstPermutation(results.f, nPermutations, copy);
        observer = [&](int permutation, const double* const* randomData, const double* const* randomRese) {
          PrintRandomDataSet(results.f, permutation, randomData, randomRese, copy);
        };
      }
    }
    result = RandomizationTestVariables(input, r, PermutationProgress(), observer);
  } catch (const RandomDataRefused& e) {
    ReportRefusal(e);
    return run;
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return run;
  }
  const double elapsed = difftime_Clock(start);
  ClearLine();
  results.Open();
  if (results.f != nullptr) {
    FILE* f = results.f;
    PrintFinalHeading(f, saveEach, elapsed, nPermutations, restrictions);
    fprintf(f, "%s", Tx("Resultados:\n", "Results:\n"));
    fprintf(f, "%s",
            Tx("\t(Matriz de semelhanca abaixo da diagonal principal e\n probabilidades correspondentes P(|Lambda "
               "aleatorio| >= |Lambda observado|) acima da diagonal principal)\n",
               "\t(Resemblance matrix below the main diagonal and\n corresponding probabilities P(|Lambda random| >= "
               "|Lambda observed|) above the main diagonal)\n"));
    Matrix table = VariableTestTable(nVar, rese, result.probability);
    PrintMatrix(f, nVar, nVar, table.data(), sDigits, 0);
    fclose(results.f);
    results.f = nullptr;
  }
  SeeResults();

  if (optReseTipo == 7 && nVar == 3) {
    fprintf(out, "%s",
            Tx("\nTestar a entropia mutua de tripletos de variaveis? s/n ",
               "\nTest for mutual entropy of variable triplets? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') AleatorizacaoVar_Triplets();
  }
  run.completed = true;
  run.nPermutations = nPermutations;
  run.restrictions = restrictions;
  run.saveEach = saveEach;
  return run;
}

void AleatorizacaoVar_Triplets() {
  if (!ComparesVariables()) return;
  if (optReseTipo != 7 || nVar < 3) {
    fprintf(out, "%s",
            Tx("\nO teste de tripletos requer a entropia mutua entre pelo menos tres variaveis.\n",
               "\nThe triplet test needs the mutual entropy between at least three variables.\n"));
    return;
  }
  AleatorizacaoMain();
  const int nPermutations = AskPermutations();
  const bool saveEach = AskSaveEach(nPermutations);

  const double start = difftime_Clock_Init();
  VariableTestInput input = SessionInput(nPermutations);
  ResultsFile results;
  Matrix copy;
  TripletTestResult result;
  try {
    // The observed triplets, from the session's (transformed) data.
    TripletTable observed(nVar);
    const ResemblanceChoice& choice = input.resemblance;
    ResemblanceLibTriplets(nObj, nVar, data, observed.data(), choice.direction, choice.measure,
                           choice.varType.empty() ? nullptr : choice.varType.data(), choice.alpha);
    TripletTestObserver observer;
    if (saveEach) {
      results.Open();
      if (results.f != nullptr) {
        PrintFirstPermutation(results.f, nPermutations, copy);
        observer = [&](int permutation, const double* const* randomData, const double* const* randomRese,
                       const double* const* const* randomTriplets) {
          PrintRandomDataSet(results.f, permutation, randomData, randomRese, copy);
          fprintf(results.f, "%s",
                  Tx("\nEntropia mutua entre variaveis em tripletos (nats):\n",
                     "\nMutual entropy between variables in triplets (nats):\n"));
          for (int a = 0; a < nVar; a++)
            for (int b = a + 1; b < nVar; b++)
              for (int c = b + 1; c < nVar; c++)
                fprintf(results.f, "Var. %d x %d x %d:\t%g\n", a + 1, b + 1, c + 1, randomTriplets[a][b][c]);
        };
      }
    }
    result = RandomizationTestTriplets(input, observed.data(), r, PermutationProgress(), observer);
  } catch (const RandomDataRefused& e) {
    ReportRefusal(e);
    return;
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return;
  }
  const double elapsed = difftime_Clock(start);
  ClearLine();
  results.Open();
  if (results.f != nullptr) {
    FILE* f = results.f;
    PrintFinalHeading(f, saveEach, elapsed, nPermutations, input.restrictions);
    fprintf(
        f, "%s",
        Tx("\nEntropia mutua entre variaveis em tripletos:\n", "\nMutual entropy between variables in triplets:\n"));
    for (const TripletValue& v : result.triplets)
      fprintf(f, "Var. %d x %d x %d:\t%g\tnats (\t%g\tbits)\tP=\t%g\n", v.a + 1, v.b + 1, v.c + 1, v.value,
              v.value / kLn2, v.probability);
    fprintf(f, "%s",
            Tx("\nEntropia mutua aos pares, condicional (|) a uma terceira variavel:\n",
               "\nMutual entropy pairwise conditional (|) to a third variable:\n"));
    for (const TripletValue& v : result.conditional)
      fprintf(f, "Var. %d x %d | %d:\t%g\tnats (\t%g\tbits)\tP=\t%g\n", v.a + 1, v.b + 1, v.c + 1, v.value,
              v.value / kLn2, v.probability);
    fclose(results.f);
    results.f = nullptr;
  }
  SeeResults();
}

// Option 1 of the Y menu: Markov fitting of the sequence of states, the
// projection of Markov releves, and the randomization test for Markovity.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ZQLib/zqlibDim.h"
#include "dynamics/DynamicsMenu.h"
#include "dynamics/MarkovFitting.h"
#include "dynamics/MarkovTest.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

const char* const kMarkovFittingReference =
    "Orloci, L., Anand, M. & He, X. S. 1993. Markov chain: a realistic model for temporal coenosere? "
    "Biometrie-Praximetrie 33: 7-26.";

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

struct MarkovChoices {
  bool reversed = false;
  int lags = 1;        // L
  int releves = 2;     // m
  int64_t orders = 1;  // N
};

// False, after saying why, when the data cannot be fitted.
bool DataFit() {
  if (!temDados || nObj < 2) {
    fprintf(out, "%s",
            Tx("\nO ajuste de um modelo Markoviano requer ao menos duas unidades amostrais.\n",
               "\nMarkov fitting requires at least two sampling units.\n"));
    return false;
  }
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++)
      if (IsMissing(data[i][j])) {
        fprintf(out,
                Tx("\nO ajuste de um modelo Markoviano requer dados sem valores faltantes; a unidade amostral %d tem "
                   "valor faltante (%g) na variavel %d.\n",
                   "\nMarkov fitting requires data without missing values; sampling unit %d has a missing value (%g) "
                   "in variable %d.\n"),
                i + 1, MISSING_VALUE, j + 1);
        return false;
      }
  return true;
}

MarkovChoices AskChoices() {
  MarkovChoices c;
  const int n = nObj;
  fprintf(out, "\n%s\n%s\n", "MARKOV FITTING", kMarkovFittingReference);
  fprintf(out, "%s", "Are the sampling units arranged in reversed order (from present to past)? y/n ");
  c.reversed = ScanChar(in, "y n", KeyboardLabel()) == 'y';
  fprintf(out, "%s",
          "Enter the maximum lag between steps (must not be larger than number of described units - 1):  ");
  c.lags = std::min(static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(n - 1))), n - 1);
  for (;;) {
    fprintf(out, "%s", "Enter the number of markov units to be predicted:  ");
    c.releves = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 2.0, 2147483647.0));
    const double values = static_cast<double>(c.releves) * nVar;
    if (c.releves <= n || values <= kMaxMarkovValues) break;
    fprintf(out,
            Tx("\n%d releves markovianos de %d variaveis teriam %.0f valores, mais que o limite de %.0f. Entre um "
               "numero menor.\n",
               "\n%d Markov releves of %d variables would hold %.0f values, more than the limit of %.0f. Enter a "
               "smaller number.\n"),
            c.releves, nVar, values, kMaxMarkovValues);
  }
  fprintf(out, "%s", "Enter the number of iterations for testing Markovity:  ");
  c.orders = static_cast<int64_t>(ScanNumber(in, KeyboardLabel(), "-", 1.0, 2147483647.0));
  return c;
}

void PrintValues(FILE* f, const std::vector<double>& v) {
  for (double x : v) fprintf(f, "%g\t", x);
}

// The projection of lag l (already made in P) and its instability.
void PrintProjection(FILE* f, int lag, int m, int p, Matrix& P) {
  fprintf(f, "\nMarkov releves in rows (lag = %d step(s) up to %d Markov releves, ordered from past to present):\n",
          lag, m);
  PrintMatrixTab(f, m, p, P.data(), sDigits);
  const MarkovInstability s = MeasureInstability(m, p, P.data());
  fprintf(f, "\nInstability levels between Markov releves j and j+1 (lag = %d step(s) up to %d Markov releves):\n",
          lag, m);
  PrintValues(f, s.levels);
  fprintf(f,
          "\n\nInstability levels (percentage) between Markov releves j and j+1 (lag = %d step(s) up to %d Markov "
          "releves):\n",
          lag, m);
  if (s.percentages.empty()) {
    for (size_t j = 0; j < s.levels.size(); j++) fprintf(f, "-\t");
    fprintf(f, "\n");
    fprintf(f,
            "Percentages are undefined: the first two Markov releves are equal, so the instability is measured in "
            "absolute terms only.\n");
    return;
  }
  PrintValues(f, s.percentages);
  fprintf(f, "\n");
  if (s.stableReleve > 0)
    fprintf(f, "Instability level of less than 1 percent reached at Markov relevé %d.\n", s.stableReleve);
  else
    fprintf(f, "Instability level of less than 1 percent was not reached.\n");
}

void PrintTest(FILE* f, int n, int L, const MarkovityResult* test) {
  if (n < 3) {
    fprintf(f,
            "\nRANDOMIZATION TEST FOR MARKOVITY (Ho: coenosere undirected) not performed for the number of relevés "
            "< 3.\n");
    return;
  }
  if (test == nullptr) return;
  fprintf(f, "\nRANDOMIZATION TEST FOR MARKOVITY (Ho: coenosere undirected):\n");
  fprintf(f, "Number of iterations: %lld\n", static_cast<long long>(test->orders));
  fprintf(f, "Minimum theoretical probability of the test (1/n!): %Lg\n", 1.0L / Factorial(n));
  for (int l = 0; l < L; l++) {
    fprintf(f, "\nLag = %d step(s):\n", l + 1);
    fprintf(f, "Engineer's stress coefficient of Kruskal (K) between observed and Markov releves: %g\n",
            test->observed[l]);
    fprintf(f, "Probability P(Knull <= K): %g\n", test->probability[l]);
    fprintf(f, "Average Knull: %g\n", test->averageNull[l]);
  }
}

std::string ProgressLabel(int64_t done, int64_t total) {
  char text[96];
  snprintf(text, sizeof text, "%s: %lld %lld", iteraStr, static_cast<long long>(total + 1),
           static_cast<long long>(done + 1));
  return text;
}

}  // namespace

void Markov() {
  if (!DataFit()) return;
  const MarkovChoices c = AskChoices();
  AleatorizacaoMain();
  const int n = nObj, p = nVar, L = c.lags, m = c.releves;
  try {
    Matrix X(n, p);
    for (int i = 0; i < n; i++)
      for (int j = 0; j < p; j++) X[i][j] = data[c.reversed ? n - 1 - i : i][j];
    MarkovityResult test;
    const bool tested = n >= 3 && c.orders > 1;
    if (tested) test = MarkovityTest(n, p, L, X.data(), c.orders, r, ConsoleProgress(ProgressLabel));
    std::vector<Matrix> T;
    for (int l = 0; l < L; l++) T.emplace_back(p, p);
    std::vector<double**> tRows;
    for (auto& t : T) tRows.push_back(t.data());
    FitMarkov(n, p, L, X.data(), tRows.data());
    Matrix P(std::max(n, m), p);
    for (int i = 0; i < n; i++) std::copy(X[i], X[i] + p, P[i]);
    ClearLine();

    std::unique_ptr<FILE, int (*)(FILE*)> results(OpenResultsFileOrSay(), fclose);
    FILE* f = results.get();
    if (f == nullptr) return;
    fprintf(f, "\n\nMARKOV FITTING\n");
    fprintf(f, "%s\n\n", kMarkovFittingReference);
    TimeStamp(f);
    fprintf(f, "Data matrix with %d described units (rows) and %d variables (columns) ordered from past to present:\n",
            n, p);
    if (c.reversed) fprintf(f, "(Original data was reordered from past to present)\n");
    PrintMatrixTab(f, n, p, X.data(), sDigits);
    for (int l = 1; l <= L; l++) {
      fprintf(f, "\nAverage transition matrix lag = %d step(s):\n", l);
      PrintMatrixTab(f, p, p, T[l - 1].data(), sDigits);
    }
    for (int l = 1; l <= L; l++) {
      ProjectMarkovLag(m, p, l, T[l - 1].data(), P.data());
      PrintProjection(f, l, m, p, P);
    }
    PrintTest(f, n, L, tested ? &test : nullptr);
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return;
  }
  fprintf(out, "\n\nResults appended to file Zoviri.txt\n");
}

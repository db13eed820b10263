// Reading the time-scale file: every value a finite number, one per unit.
#include "dynamics/TimeScaleFile.h"

#include <cstdio>
#include <string>

#include "ZQLib/TextWords.h"
#include "dynamics/Interpolation.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// Reads nObj times from the file `name` (already open as f). False, after
// saying why, when they are not all there as numbers or (nondecreasing) one
// of them is smaller than the one before.
bool ReadTimes(FILE* f, const char* name, bool nondecreasing, std::vector<double>& times) {
  times.assign(static_cast<size_t>(nObj), 0.0);
  WordReader words(f);
  std::string word;
  int count = 0;
  while (count < nObj && words.Next(word)) {
    if (!ParseFiniteNumber(word, &times[count])) {
      fprintf(out,
              Tx("\nArquivo %s: o valor numero %d (%s, linha %d) nao e um numero. Favor conferir!\n",
                 "\nFile %s: value number %d (%s, line %d) is not a number. Please check!\n"),
              name, count + 1, PrintableWord(word, 30).c_str(), words.line());
      return false;
    }
    count++;
  }
  if (count < nObj) {
    fprintf(out,
            Tx("\nO arquivo %s contem somente %d valores de tempo (ou espaco); sao necessarios %d (um por unidade "
               "amostral). Favor conferir!\n",
               "\nFile %s holds only %d time (or spatial) values; %d are needed (one per sampling unit). Please "
               "check!\n"),
            name, count, nObj);
    return false;
  }
  const int decrease = nondecreasing ? FirstDecreasingTime(nObj, times.data()) : -1;
  if (decrease >= 0) {
    fprintf(out,
            Tx("\nArquivo %s: o valor numero %d (%g) e menor que o anterior (%g); os dados devem estar em ordem "
               "crescente de tempo (ou distancia). Favor conferir!\n",
               "\nFile %s: value number %d (%g) is smaller than the one before it (%g); the data must be ordered by "
               "increasing time (or distance). Please check!\n"),
            name, decrease + 1, times[decrease], times[decrease - 1]);
    return false;
  }
  return true;
}

}  // namespace

bool AskTimeScale(const char* questionPt, const char* questionEn, bool nondecreasing, std::vector<double>& times) {
  for (;;) {
    fprintf(out, "%s", Tx(questionPt, questionEn));
    char name[NAME_LEN];
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    FILE* f = fopenck(name, nullptr, "r");
    if (f != nullptr) {
      const bool read = ReadTimes(f, name, nondecreasing, times);
      fclose(f);
      if (read) return true;
      continue;
    }
    fprintf(out, "%s", Tx("Tentar novamente? s/n ", "Try again? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return false;
  }
}

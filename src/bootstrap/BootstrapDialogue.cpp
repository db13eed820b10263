// The bootstrap dialogue shared by the bootstraps.
#include <cstdio>
#include <ctime>

#include "ZQLib/zqlibDim.h"
#include "bootstrap/BootstrapMenu.h"
#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/BootstrapSteps.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

}  // namespace

void SetBootstrapOptions(int n, int minInitial, int* initialSize, int* step, int* nIter, unsigned* seed, char* save,
                         int withAlpha, double* alpha) {
  fprintf(out, "%s", Tx("Tamanho inicial de amostra: ", "Initial sample size: "));
  *initialSize = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", static_cast<double>(minInitial),
                                             static_cast<double>(n)));
  *step = 0;
  if (*initialSize < n) {
    fprintf(out, "%s",
            Tx("Numero de unidades amostrais agregadas a cada passo de amostragem: ",
               "Number of sampling units added at each sampling step: "));
    *step = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(n)));
  }
  fprintf(out, "%s",
          Tx("Entre o numero de iteracoes de autoreamostragem/permutacao: ",
             "Enter number of iterations in resampling/permutation: "));
  *nIter = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, 2147483647.0));
  if (withAlpha == 1 && alpha != nullptr) {
    fprintf(out, "%s",
            Tx("Entre a probabilidade alfa para limites de confianca: ",
               "Enter alpha probability for confidence limits: "));
    *alpha = ScanNumber(in, KeyboardLabel(), "-", 0.0, 1.0);
    *nIter = IterationsForAlpha(*nIter, *alpha);
  }
  if (seed != nullptr) {
    fprintf(out, "%s",
            Tx("Inicializacao do gerador de numeros aleatorios: \n\t(1) automatica\n\t(2) especificar numero "
               "inicializador\n\tEnter option: ",
               "Initialization of random number generation: \n\t(1) automatic\n\t(2) specify seed\n\tEnter option: "));
    if (static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2")) == 2) {
      fprintf(out, Tx("Entre numero inicializador (inteiro entre 0 e %u): ",
                      "Enter seed (integer in the 0 to %u interval): "),
              4294967295U);
      *seed = static_cast<unsigned>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 4294967295.0));
    } else {
      *seed = static_cast<unsigned>(static_cast<unsigned long>(std::time(nullptr)) & 0xFFFFFFFFUL);
    }
    InitRndNumberGenerator(*seed);
  }
  fprintf(out, "%s", Tx("Guardar resultados intermediarios? s/n  ", "Save intermediate results? y/n  "));
  char answer = ScanChar(in, YesNoAccepted(), KeyboardLabel());
  if (answer != 'n' && *nIter >= 51) {
    fprintf(out, Tx("Tem certeza? s/n Sao %d reamostragens! ", "Are you sure? y/n There will be %d bootstrap resamplings!"),
            *nIter);
    answer = ScanChar(in, YesNoAccepted(), KeyboardLabel());
  }
  *save = answer == 'n' ? 'n' : 'y';
}

void SetBootstrapOptions(int n, int minInitial, SamplerReportInfo& info) {
  info.portuguese = port != 0;
  info.n = n;
  info.digits = sDigits;
  char save = 'n';
  SetBootstrapOptions(n, minInitial, &info.initialSize, &info.step, &info.nIter, &info.seed, &save, 0, nullptr);
  info.saved = save == 'y';
}

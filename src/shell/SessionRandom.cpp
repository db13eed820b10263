// The session generator, the seed dialogue and the console progress hook.
#include "shell/SessionRandom.h"

#include <cstdio>
#include <ctime>
#include <new>
#include <utility>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

gsl_rng* r = nullptr;
unsigned int seed = 0;
int optCompara = 1;

void InitRndNumberGenerator(unsigned long newSeed) {
  if (r != nullptr) gsl_rng_free(r);
  r = gsl_rng_alloc(gsl_rng_default);
  if (r == nullptr) throw std::bad_alloc();
  seed = static_cast<unsigned int>(newSeed & 0xFFFFFFFFUL);
  gsl_rng_set(r, seed);
}

void AleatorizacaoMain() {
  ShowStatus(out);
  fprintf(out, "%s\n", line);
  fprintf(out, "%s", port ? "TESTES DE HIPOTESES VIA ALEATORIZACAO\n" : "HYPOTHESIS TESTING VIA RANDOMIZATION\n");
  optCompara = optReseDir == 1 ? 1 : 2;
  fprintf(out, "%s",
          port ? "Inicializacao da geracao de numeros aleatorios: \n\t(1) automatica\n\t(2) especificar numero "
                 "inicializador\n\t\tEntre opcao: "
               : "Initialization of random numbers: \n\t(1) automatically\n\t(2) wish to specify a seed\n\t\tEnter "
                 "option: ");
  const int option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  unsigned long chosen;
  if (option == 1) {
    chosen = static_cast<unsigned long>(std::time(nullptr)) & 0xFFFFFFFFUL;
  } else {
    fprintf(out, port ? "\nEntre numero inicializador (inteiro de 0 a %u): "
                      : "\nEnter seed (integer in the 0 to %u interval): ",
            4294967295U);
    chosen = static_cast<unsigned long>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 4294967295.0));
  }
  InitRndNumberGenerator(chosen);
}

std::function<void(int64_t done, int64_t total)> ConsoleProgress(
    std::function<std::string(int64_t done, int64_t total)> label) {
  return [label = std::move(label)](int64_t done, int64_t total) {
    HandleEventInfoWhere2(label(done, total).c_str());
  };
}

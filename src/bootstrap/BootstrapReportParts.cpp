// Parts shared by the bootstrap reports.
#include "bootstrap/BootstrapReportParts.h"

#include <string>

#include "randomization/SessionRandom.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

struct Texts {
  bool pt;
  const char* operator()(const char* portuguese, const char* english) const { return pt ? portuguese : english; }
};

}  // namespace

void WriteSamplerOpening(FILE* f, const SamplerReportInfo& info) {
  const Texts T{info.portuguese};
  std::fprintf(f, "\n\nSAMPLER\n");
  std::fprintf(f, "%s", T("Autoreamostragem ('bootstrap')\n", "Bootstrap resampling\n"));
  std::fprintf(f, "%s\n\n", line);
  if (info.initialSize < info.n)
    std::fprintf(f,
                 T("Numero de unidades amostrais agregadas a cada passo de amostragem: %d (iniciando com %d unidades "
                   "amostrais)\n",
                   "Number of sampling units added at each sampling step: %d (starting with %d units at 1st step)\n"),
                 info.step, info.initialSize);
}

void WriteSamplerRunFacts(FILE* f, const SamplerReportInfo& x, double seconds, int threads, int steps) {
  const Texts T{x.portuguese};
  if (x.saved) {
    std::fprintf(f, "\n%s\n", line);
    std::fprintf(f, "%s", T("RESULTADOS FINAIS:\n", "FINAL RESULTS:\n"));
  }
  TimeStamp(f);
  std::fprintf(f, T("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), seconds);
  std::fprintf(f, T("Numero maximo de threads: %d\n", "Maximum number of threads: %d\n"), threads);
  if (x.initialSize < x.n)
    std::fprintf(f,
                 T("Numero de passos de amostragem de tamanho %d (iniciando com %d unidades amostrais): %d\n",
                   "Number of sampling steps of size %d (starting with %d units at the 1st step): %d\n"),
                 x.step, x.initialSize, steps);
  std::fprintf(f,
               T("Inicializador do gerador de numeros aleatorios: %u\n",
                 "Initializer of pseudo-random number generator: %u\n"),
               x.seed);
}

ProgressHook BootstrapProgress(bool portuguese) {
  return ConsoleProgress([portuguese](int64_t done, int64_t total) {
    char text[96];
    std::snprintf(text, sizeof text,
                  portuguese ? "Iteracao de autoreamostragem: %lld %lld" : "Bootstrap iteration: %lld %lld",
                  static_cast<long long>(total), static_cast<long long>(done));
    return std::string(text);
  });
}

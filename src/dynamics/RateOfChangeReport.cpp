// Option 3 of the Y menu: velocities and accelerations of the system from the
// resemblance between consecutive sampling units and their time scale.
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "dynamics/DynamicsMenu.h"
#include "dynamics/RatesOfChange.h"
#include "dynamics/TimeScaleFile.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

void PrintRates(FILE* f, const RatesOfChange& r) {
  fprintf(f, "%s", Tx("\nEscala de referencia:\t", "\nReference scale:\t"));
  PrintVectorTab(f, static_cast<int>(r.velocityTimes.size()), r.velocityTimes.data(), sDigits, nullptr);
  fprintf(f, "%s", Tx("Taxa de mudanca (velocidade):\t", "Rate of change (velocity):\t"));
  PrintVectorTab(f, static_cast<int>(r.velocity.size()), r.velocity.data(), sDigits, nullptr);
  fprintf(f, "%s", Tx("\n\nEscala de referencia:\t", "\nReference scale:\t"));
  PrintVectorTab(f, static_cast<int>(r.accelerationTimes.size()), r.accelerationTimes.data(), sDigits, nullptr);
  fprintf(f, "%s", Tx("Aceleração:\t", "Acceleration:\t"));
  PrintVectorTab(f, static_cast<int>(r.acceleration.size()), r.acceleration.data(), sDigits, nullptr);
  if (r.undefined > 0)
    fprintf(f,
            Tx("\nValores iguais a %.*g (o maior float) indicam taxa indefinida: diferenca de tempo zero, ou "
               "semelhanca indefinida entre as unidades.\n",
               "\nValues equal to %.*g (the largest float) stand for an undefined rate: zero time difference, or "
               "undefined resemblance between the units.\n"),
            sDigits, kUndefinedRate);
}

}  // namespace

int Rate_of_Change() {
  std::vector<double> times;
  if (!AskTimeScale("Entre nome do arquivo com escala de tempo (ou espaco): ",
                    "Enter name of file containing time (or spatial) scale: ", false, times))
    return 0;
  RatesOfChange rates;
  try {
    rates = ComputeRatesOfChange(nObj, times.data(), rese);
  } catch (const std::bad_alloc&) {
    ReportNoMemory();
    return 0;
  }
  const bool first = strcmp(modeZoviri, "w") == 0;
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return 1;
  if (first) fprintf(f, Tx("PLEXOR versao %s", "PLEXOR version %s"), versao);
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s", Tx("TAXAS DE MUDANCA\n", "RATES OF CHANGE\n"));
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  ShowStatus(f);
  PrintRates(f, rates);
  fclose(f);
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
  return 1;
}

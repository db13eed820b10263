#include "simulation/SimulationReport.h"

#include "ZQLib/zqlibDim.h"
#include "shell/SessionRandom.h"
#include "shell/SessionState.h"

SimulationRunFacts SessionRunFacts(const std::string& dataFile) {
  SimulationRunFacts x;
  x.portuguese = eng == 0;
  x.digits = sDigits;
  x.seed = seed;
  x.dataFile = dataFile;
  return x;
}

void WriteSimulationRunTimes(FILE* f, const SimulationRunFacts& x) {
  const bool pt = x.portuguese;
  std::fprintf(f, pt ? "Tempo decorrido: %g segundos\n" : "Elapsed time: %g seconds\n", x.seconds);
  std::fprintf(f, pt ? "Numero maximo de threads: %d\n" : "Maximum number of threads: %d\n", x.threads);
  std::fprintf(f,
               pt ? "Inicializador do gerador de numeros aleatorios: %u\n"
                  : "Initializer of pseudo-random number generator: %u\n",
               x.seed);
}

void WriteSimulationFiles(FILE* f, const SimulationRunFacts& x, const char* summaryFile, const char* perItemFile,
                          const char* dataWrittenPt, const char* dataWrittenEn) {
  const bool pt = x.portuguese;
  const char* written = pt ? "Arquivo %s escrito.\n" : "File %s written.\n";
  const char* failed = pt ? "Nao foi possivel escrever o arquivo %s.\n" : "Could not write file %s.\n";
  std::fprintf(f, x.summaryWritten ? written : failed, summaryFile);
  std::fprintf(f, x.perItemWritten ? written : failed, perItemFile);
  if (!x.dataFile.empty())
    std::fprintf(f, x.dataWritten ? (pt ? dataWrittenPt : dataWrittenEn) : failed, x.dataFile.c_str());
}

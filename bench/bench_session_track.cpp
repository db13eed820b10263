// Writing and reading the session track.
// Workload: a 400 x 100 table (original and transformed) with a 400 x 400
// resemblance matrix between sampling units, the largest matrix the main loop
// still records; the track is written to and read from a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZQLib/zqlibDim.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

namespace {

void LoadSession(int units, int variables) {
  LivraMemoria();
  snprintf(filename, sizeof filename, "%s", "bench.txt");
  nObj = units;
  nVar = variables;
  optVarTipo = 1;
  temQuant = 1;
  format = 'N';
  Dimensiona();
  for (int i = 0; i < units; i++) {
    snprintf(uaLabels[i], LABEL_LEN + 1, "u%d", i + 1);
    for (int j = 0; j < variables; j++) dataOrig[i][j] = data[i][j] = (i * 31 + j * 17) % 101 / 7.0;
  }
  for (int j = 0; j < variables; j++) {
    snprintf(varLabels[j], LABEL_LEN + 1, "v%d", j + 1);
    varType[j] = 3;
  }
  temDados = 1;
  temRese = 1;
  optReseDir = 1;
  optReseTipo = 3;
  nRows = units;
  nCols = variables;
  rese = dimDouble2D(units, units);
  for (int i = 0; i < units; i++)
    for (int j = 0; j < units; j++) rese[i][j] = (i + j) / 3.0;
}

class InTempFolder {
 public:
  InTempFolder() {
    char tmpl[] = "/tmp/plexor-bench-XXXXXX";
    dir_ = mkdtemp(tmpl);
    if (getcwd(home_, sizeof home_) == nullptr || chdir(dir_.c_str()) != 0) std::abort();
  }
  ~InTempFolder() {
    if (chdir(home_) != 0) std::abort();
    std::string cmd = "rm -rf '" + dir_ + "'";
    if (std::system(cmd.c_str()) != 0) {
    }
  }

 private:
  std::string dir_;
  char home_[4096];
};

void BM_WriteSessionTrack(benchmark::State& state) {
  InTempFolder folder;
  LoadSession(400, 100);
  SetDefaultSessionName();
  for (auto _ : state) benchmark::DoNotOptimize(WriteSessionTrack());
  LivraMemoria();
}
BENCHMARK(BM_WriteSessionTrack)->Unit(benchmark::kMillisecond);

void BM_ReadSessionTrack(benchmark::State& state) {
  InTempFolder folder;
  LoadSession(400, 100);
  SetDefaultSessionName();
  WriteSessionTrack();
  for (auto _ : state) benchmark::DoNotOptimize(ReadSessionTrack());
  LivraMemoria();
}
BENCHMARK(BM_ReadSessionTrack)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

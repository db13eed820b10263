// The bootstrap of group partition sharpness after a cluster analysis of
// sampling units: dialogue, run and report.
#include <cstdio>
#include <new>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/PartitionSharpness.h"
#include "bootstrap/SharpnessReport.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

}  // namespace

void SamplerGroups(int n, double** rese, bool isDissim, clusterReport* rep, int method) {
  if (n < 3) {
    fprintf(out, "%s",
            Tx("\nA avaliacao de particoes requer ao menos 3 unidades amostrais.\n",
               "\nEvaluating group partitions needs at least 3 sampling units.\n"));
    return;
  }
  fprintf(out, "%s",
          Tx("Entre o numero maximo de grupos (nivel de particao) a avaliar: ",
             "Enter the maximum number of groups (group partition level) to be evaluated: "));
  const int kmax = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 2.0, static_cast<double>(n - 1)));
  SharpnessReportInfo info;
  info.kmax = kmax;
  SetBootstrapOptions(n, kmax + 1, info);

  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return;
  WriteSharpnessHeading(f, info);
  const double start = difftime_Clock_Init();
  try {
    SharpnessSettings settings;
    settings.kmax = kmax;
    settings.initialSize = info.initialSize;
    settings.step = info.step;
    settings.method = method;
    settings.isDissim = isDissim;
    settings.measure = optReseTipo;
    const SharpnessReference reference(n, rese, rep, settings);
    SharpnessObserver writer;
    if (info.saved) writer = SharpnessIntermediateWriter(f, info, reference);
    const ProgressHook progress = BootstrapProgress(info.portuguese);
    const SharpnessResults results = RunPartitionSharpness(reference, info.nIter, info.seed, r ? r->type : nullptr, 0,
                                                           progress, info.saved ? &writer : nullptr);
    ClearLine();
    WriteSharpnessResults(f, info, results, difftime_Clock(start));
    fclose(f);
  } catch (const std::bad_alloc&) {
    fclose(f);
    ClearLine();
    ReportNoMemory();
  }
}

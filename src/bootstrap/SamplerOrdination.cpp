// The bootstrap of ordination dimensions after an ordination: dialogue, run
// and report.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/OrdinationBootstrap.h"
#include "bootstrap/OrdinationBootstrapReport.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

}  // namespace

void SamplerOrdination(const OrdinationAnalysis& analysis) {
  // The reference: the session's scores of the sampling units on its axes.
  const int maxAxes = std::min({nVar, rank, nObj - 1});
  if (!temEscore || escores == nullptr || dataOrig == nullptr || !OrdinationScoresUnits(analysis.ordination) ||
      maxAxes < 1) {
    fprintf(out, "%s",
            Tx("\nA ordenacao nao tem eixos a avaliar por autoreamostragem.\n",
               "\nThe ordination has no axes to evaluate by bootstrap resampling.\n"));
    return;
  }
  fprintf(out, "%s",
          Tx("Entre o numero maximo de eixos principais da ordenacao a serem monitorados: ",
             "Enter the maximum number of ordination principal axes to be monitored: "));
  const int nAxes = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(maxAxes)));
  OrdinationBootstrapReportInfo info;
  info.nAxes = nAxes;
  SetBootstrapOptions(nObj, nAxes + 1, info);

  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return;
  WriteOrdinationBootstrapHeading(f, info);
  const double start = difftime_Clock_Init();
  try {
    OrdinationBootstrapSettings settings;
    settings.nAxes = nAxes;
    settings.initialSize = info.initialSize;
    settings.step = info.step;
    const OrdinationBootstrapReference reference(nObj, nVar, dataOrig, rank, escores, analysis, settings);
    OrdinationBootstrapObserver writer;
    if (info.saved) {
      WriteOrdinationReferenceScores(f, info, reference);
      writer = OrdinationBootstrapIntermediateWriter(f, info);
    }
    const ProgressHook progress = BootstrapProgress(info.portuguese);
    const OrdinationBootstrapResults results = RunOrdinationBootstrap(
        reference, info.nIter, info.seed, r ? r->type : nullptr, 0, progress, info.saved ? &writer : nullptr);
    ClearLine();
    WriteOrdinationBootstrapResults(f, info, results, difftime_Clock(start));
    fclose(f);
  } catch (const std::bad_alloc&) {
    fclose(f);
    ClearLine();
    ReportNoMemory();
  }
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
}

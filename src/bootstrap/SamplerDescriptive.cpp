// The bootstrap of descriptive statistics after option V: dialogue, run and
// report.
#include <cstdio>
#include <new>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/DescriptiveBootstrap.h"
#include "bootstrap/DescriptiveBootstrapReport.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

void RunDescriptiveSampler(bool entropy, int n, int m, double** table) {
  if (n < 1) return;
  DescriptiveReportInfo info;
  info.portuguese = port != 0;
  info.entropy = entropy;
  info.renyiOrder = alphaEntropy;
  info.nObj = n;
  info.nVar = m;
  info.digits = sDigits;
  info.varLabels = varLabels;
  info.alpha = 0.05;
  char save = 'n';
  SetBootstrapOptions(n, 1, &info.initialSize, &info.step, &info.nIter, &info.seed, &save, 1, &info.alpha);

  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return;
  WriteDescriptiveSamplerHeading(f, info);
  const double start = difftime_Clock_Init();
  try {
    DescriptiveBootstrapSettings settings;
    settings.initialSize = info.initialSize;
    settings.step = info.step;
    settings.iterations = info.nIter;
    settings.alpha = info.alpha;
    const ProgressHook progress = BootstrapProgress(info.portuguese);
    const DescriptiveObserver writer = DescriptiveIntermediateWriter(f, info, table);
    const DescriptiveObserver* observer = save == 'y' ? &writer : nullptr;
    const DescriptiveBootstrapResults results =
        entropy ? SamplerEntropy(n, m, table, varType, info.renyiOrder, settings, r, 0, progress, observer)
                : SamplerMeans(n, m, table, varType, settings, r, 0, progress, observer);
    ClearLine();
    WriteDescriptiveSamplerResults(f, info, results, difftime_Clock(start));
    fclose(f);
  } catch (const std::bad_alloc&) {
    fprintf(f, "%s",
            Tx("\nMemoria insuficiente: autoreamostragem nao realizada.\n",
               "\nNot enough memory: the bootstrap was not done.\n"));
    fclose(f);
    ClearLine();
    ReportNoMemory();
  }
}

}  // namespace

void SamplerMeans(int nObj, int nVar, double** data) { RunDescriptiveSampler(false, nObj, nVar, data); }

void SamplerEntropy(int nObj, int nVar, double** data) { RunDescriptiveSampler(true, nObj, nVar, data); }

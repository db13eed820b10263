// Option A's follow-up after a test of correlations between at least three
// variables: partial correlations tested as the statements of a basis set,
// with the permutation settings of A's test.
#include <cstdio>

#include "pathanalysis/PathAnalysisMenu.h"
#include "pathanalysis/PathReportFile.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

using path_report::Tx;

void PartialCorrelationsAfterVariableTest(const VariableTestRun& run) {
  if (!run.completed || optReseTipo != 17 || optReseDir != 2 || nVar < 3) return;
  for (;;) {
    fprintf(out, "%s", Tx("\nTestar correlacoes parciais? s/n ", "\nTest partial correlations? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return;
    fprintf(out, "%s",
            Tx("Modelo nulo para testar correlacoes parciais: \n\t(1) permutar todas as variaveis ao mesmo tempo\n\t(2) "
               "permutar somente a primeira variavel (Smouse et al. 1986)\n\t\tEntre opcao: ",
               "Null model for testing partial correlations: \n\t(1) permute all variables at once\n\t(2) permute "
               "only the first variable (Smouse et al. 1986)\n\t\tEntre opcao: "));
    PathTestSettings settings;
    settings.nullModel = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
    settings.nPermutations = run.nPermutations;
    settings.restrictions = run.restrictions;
    settings.saveIntermediate = run.saveEach ? 'y' : 'n';
    PathAnalysisBasisSetPermutationTest(settings);
  }
}

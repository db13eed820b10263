// Main-menu option V: the dialogue of the descriptive attributes, the
// results block, and the bootstrap offered after the first two analyses.
#include <cstdio>
#include <new>

#include "ZQLib/TableChecks.h"
#include "bootstrap/BootstrapMenu.h"
#include "cluster/ClusterMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DescriptiveAttributesMenu.h"
#include "transform/DescriptiveAttributesReport.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

constexpr int kMeans = 1, kEntropy = 2, kContingency = 3, kBetaDiversity = 4, kCancel = 99;

// A contingency table holds counts: a negative cell refuses option 3.
bool RefuseNegativeCounts() {
  TableCell cell;
  if (!FindNegativeCell(nObj, nVar, data, &cell)) return false;
  fprintf(out,
          Tx("\nUma tabela de contingencia contem frequencias: a unidade amostral %s tem o valor %g na variavel %s. "
             "Entropia e complexidade nao calculadas.\n",
             "\nA contingency table holds frequencies: sampling unit %s holds %g in variable %s. Entropy and "
             "complexity not computed.\n"),
          uaLabels[cell.row], cell.value, varLabels[cell.col]);
  return true;
}

// Option 4: the whole table (returns -1) or the groups of a factor (its
// number from 0); -2 when no groups could be had.
int AskBetaDiversityGroups() {
  fprintf(out, "%s",
          eng ? "Compute multi-site beta diversity for the whole data matrix (w) or within specified groups (g)? (w/g) "
              : "Calcular diversidade beta para toda a matroz de dados (w) ou para cada grupo especificado (g)? (w/g) ");
  if (ScanChar(in, "w g", KeyboardLabel()) == 'w') return -1;
  SetGroups();
  // The groups stay in the session: recorded now, and the stage follows them.
  AfterGroupsSpecified();
  if (temGrupo != 1 || grMemb == nullptr || nFactors < 1) {
    fprintf(out, "%s",
            Tx("\nGrupos de unidades amostrais nao especificados; diversidade beta nao calculada.\n",
               "\nGroups of sampling units not specified; beta diversity not computed.\n"));
    return -2;
  }
  if (nFactors < 2) return 0;
  fprintf(out, "%s",
          Tx("\nEspecifique o fator que define partencimento aos grupos de unidades: ",
             "\nSpecify the factor defining unit group membership: "));
  for (int k = 0; k < nFactors; k++) fprintf(out, "%d.%s ", k + 1, factorLabel[k]);
  fprintf(out, "): \t");
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(nFactors))) - 1;
}

void WriteBlockHeading(FILE* f, bool firstBlock) {
  if (firstBlock) fprintf(f, Tx("PLEXOR versao %s", "PLEXOR version %s"), versao);
  fprintf(f, "\n\n%s\n", line);
  // The block title of the results file is the same in both languages.
  fprintf(f, "DESCRIPTIVE ATTRIBUTES\n");
  fprintf(f, "%s\n", line);
  TimeStamp(f);
  ShowStatus(f);
}

}  // namespace

int DescriptiveAttributes() {
  if (!temDados || data == nullptr || nObj < 1) return 0;
  ShowStatus(out);
  fprintf(out, "\n%s\n", line);
  fprintf(out, "%s", Tx("ATRIBUTOS DESCRITIVOS\n", "DESCRIPTIVE ATTRIBUTES\n"));
  fprintf(out, "%s", Tx("Opcoes:\n", "Options:\n"));
  int option = 0;
  ShowMenu(1, 5, appliesDescriptiveAttr, dataType - 1, optDescrAttrInfo, &option);
  if (option == kCancel) return 0;
  optDescrAttr = option;
  if (option == kEntropy || option == kContingency) {
    fprintf(out, "Alpha value for Renyi entropy functions: ");
    alphaEntropy = ScanNumber(in, KeyboardLabel(), "-", 0.0, 20.0);
  }
  if (option == kContingency && RefuseNegativeCounts()) return 0;
  int factor = -1;
  if (option == kBetaDiversity) {
    factor = AskBetaDiversityGroups();
    if (factor == -2) return 0;
  }

  const bool firstBlock = modeZoviri[0] == 'w';
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return 0;
  WriteBlockHeading(f, firstBlock);
  try {
    switch (option) {
      case kMeans:
        WriteMeansReport(f);
        break;
      case kEntropy:
        WriteEntropyOfVariablesReport(f, alphaEntropy);
        break;
      case kContingency:
        WriteContingencyReport(f, alphaEntropy);
        break;
      default:
        WriteBetaDiversityReport(f, factor);
        break;
    }
  } catch (const std::bad_alloc&) {
    fclose(f);
    ReportNoMemory();
    return 1;
  }
  fclose(f);

  if (option == kMeans || option == kEntropy) {
    fprintf(out, "%s",
            Tx("\nObter limites de confianca atraves de autoreamostragem (bootstrap)? s/n ",
               "\nGet confidence limits using bootstrap resampling? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') {
      if (option == kMeans)
        SamplerMeans(nObj, nVar, data);
      else
        SamplerEntropy(nObj, nVar, data);
    }
  }
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
  return 1;
}

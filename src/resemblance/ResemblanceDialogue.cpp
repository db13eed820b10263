#include "resemblance/ResemblanceDialogue.h"

#include <cstdio>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

namespace rsmdlg {

void ShowHeading() {
  ShowStatus(out);
  fprintf(out, "\n%s\n", line);
  fprintf(out, port ? "MEDIDAS DE SEMELHANCA\n" : "RESEMBLANCE MEASURES\n");
  fprintf(out, port ? "Opcoes: \n" : "Options: \n");
}

int AskDirection(bool withCancel) {
  int dir = 0;
  ShowMenu(1, withCancel ? 3 : 2, appliesReseDir, dataType - 1, optReseDirInfo, &dir);
  return dir;
}

int AskMeasure(int dir, int last) {
  fprintf(out, port ? "\nTipo de medida de semelhanca %s: \n" : "\nType of resemblance measure %s: \n",
          optReseDirInfo[dir]);
  int measure = 0;
  ShowMenu(1, last, dir == 1 ? appliesReseUnits : appliesReseVar, dataType - 1, optReseTipoInfo, &measure);
  return measure;
}

void AskParameters(int measure, bool accentedGower, double kMax, int* countDoubleAbsence, double* alpha,
                   double* k) {
  if (measure == 5) {
    if (port)
      fprintf(out, accentedGower ? "Considerar ausências compartilhadas em variáveis binárias? s/n  "
                                 : "Considerar ausencias compartilhadas em variaveis binarias? s/n  ");
    else
      fprintf(out, "Consider matching absences in binary traits? y/n  ");
    *countDoubleAbsence = ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n' ? 0 : 1;
  }
  if (measure >= 7 && measure <= 9) {
    fprintf(out, port ? "Entre a ordem da medida de entropia (alfa): "
                      : "Enter order of entropy measure (alpha in Reyni's general entropy): ");
    *alpha = ScanNumber(in, KeyboardLabel(), "-", 0.0, 3.4028234663852886e38);
  }
  if (measure == 19) {
    fprintf(out, port ? "Entre o parametro k (comum para todas as variaveis): "
                      : "Enter parameter k (common for all variables): ");
    *k = ScanNumber(in, KeyboardLabel(), "-", 0.0, kMax);
  }
}

}  // namespace rsmdlg

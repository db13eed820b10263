// The resemblance choice without computation, for the random data generator.
#include "resemblance/ResemblanceDialogue.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/SessionState.h"

int SettingsResemblance() {
  rsmdlg::ShowHeading();
  const int dir = rsmdlg::AskDirection(false);
  const int measure = rsmdlg::AskMeasure(dir, 23);
  rsmdlg::AskParameters(measure, true, 1.7976931348623157e308, &countDoubleAbsence, &alphaH, &kParameter);
  optReseDir = dir;
  optReseTipo = measure;
  nRows = dir == 1 ? nObj : nVar;
  nCols = dir == 1 ? nVar : nObj;
  return 1;
}

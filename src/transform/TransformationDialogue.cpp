// Small readers used by the transformation dialogues.
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "transform/TransformationMenu.h"

void PrintClassesPrompt() {
  fprintf(out, "%s", PtEn("Entre o numero de classes na nova escala:  ", "Enter the number of classes in the new scale:  "));
}

int AskNumberOfClasses() {
  PrintClassesPrompt();
  // At least one class: with none, every value would fall outside the scale.
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, 2147483647.0));
}

bool AnswerNotNo() { return ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n'; }

int AskFirstTransformationChoice(int last) {
  ShowStatus(out);
  fprintf(out, "\n%s\n", line);
  fprintf(out, "%s", PtEn("TRANSFORMACAO DE DADOS\n", "DATA TRANSFORMATION\n"));
  fprintf(out, "%s", PtEn("Opcoes:\n", "Options:\n"));
  const int inForce = (optTrEs != 0 || optTrVeVar != 0 || optTrVeUnits != 0) ? 1 : 0;
  int first = 0;
  ShowMenu(0, last, appliesTr, inForce, optTrInfo, &first);
  return first;
}

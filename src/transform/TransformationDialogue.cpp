// Small readers used by the transformation dialogues.
#include "shell/Console.h"
#include "shell/SessionState.h"
#include "transform/TransformationMenu.h"

void PrintClassesPrompt() {
  fprintf(out, "%s", PtEn("Entre o numero de classes na nova escala:  ", "Enter the number of classes in the new scale:  "));
}

int AskNumberOfClasses() {
  PrintClassesPrompt();
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 2147483647.0));
}

bool AnswerNotNo() { return ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n'; }

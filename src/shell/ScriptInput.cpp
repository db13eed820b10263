// Main menu option Z: switches the source of the answers between the keyboard
// and a script file. The question itself is always answered on the keyboard,
// so a script can hand control back only through Z and "k".
#include <cstdio>

#include "shell/Console.h"
#include "shell/MainLoop.h"

namespace {
constexpr int SCRIPT_NAME_LEN = 49;

void SetInput(FILE* source) {
  if (in != nullptr && in != stdin && in != source) fclose(in);
  in = source;
}
}  // namespace

void ChooseInputSource() {
  for (;;) {
    fprintf(stdout, "Read input from file (f) or from the keyboard (k)? f/k ");
    fflush(stdout);
    char answer = ScanChar(stdin, "f k", KeyboardLabel());
    if (answer == 'k') {
      SetInput(stdin);
      return;
    }
    fprintf(stdout, "Enter name of text file with all the options: ");
    fflush(stdout);
    char name[SCRIPT_NAME_LEN + 1];
    ScanString(stdin, SCRIPT_NAME_LEN, name, nullptr, 1, KeyboardLabel());
    FILE* script = fopenck(name, nullptr, "r");
    if (script != nullptr) {
      SetInput(script);
      return;
    }
  }
}

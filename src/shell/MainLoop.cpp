// The main menu loop: status, the menu with the entries valid at the current
// stage, one letter, the action, and the bookkeeping that follows it.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

namespace {

// The track is not rewritten for resemblance matrices of more than this order.
constexpr int MAX_ROWS_RECORDED = 400;

// nRows keeps the order of the last matrix after the matrix itself is gone
// (new transformations, new data): only a matrix still held counts.
void Record() {
  if (temRese == 1 && nRows > MAX_ROWS_RECORDED)
    savedSession = 0;
  else
    WriteSessionTrack();
}

char ReadMainOption() {
  ShowStatus(out);
  fprintf(out, "\n%s\n", line);
  fprintf(out, port ? "MENU PRINCIPAL\n" : "MAIN MENU\n");
  // Two characters per entry, plus the unlisted U and J.
  char accepted[2 * MAIN_MENU_ENTRIES + 5] = "";
  size_t used = 0;
  for (int entry = 0; entry < MAIN_MENU_ENTRIES; entry++) {
    if (appliesMain[entry][stepReached] == 1) {
      fprintf(out, "\t* %s\n", optMainMenuInfo[entry]);
      accepted[used++] = optMainMenuInfo[entry][0];
      accepted[used++] = ' ';
    } else {
      fprintf(out, "\t  %s\n", optMainMenuInfo[entry]);
    }
  }
  strcpy(accepted + used, "U J ");
  fprintf(out, "%s\n", line);
  fprintf(out, "%s: ", enterOptValid);
  char c = ScanChar(in, accepted, KeyboardLabel());
  fprintf(out, "\n\n");
  return (char)toupper((unsigned char)c);
}

}  // namespace

void AfterGroupsSpecified() {
  Record();
  SetStepReached();
}

int AnalysisNotAvailable() {
  fprintf(stdout, port ? "\nAnalise ainda nao disponivel.\n" : "\nAnalysis not available yet.\n");
  return 0;
}

void AfterMainOption(AfterAction after, int result) {
  switch (after) {
    case AfterAction::NewData:
      WriteSessionTrack();
      break;
    case AfterAction::Record:
      Record();
      break;
    case AfterAction::RecordWhenDone:
      if (result == 1) Record();
      break;
    case AfterAction::Groups:
      AfterGroupsSpecified();
      break;
    case AfterAction::Ordination:
      if (result == 1) {
        temEscore = 1;
        Record();
      }
      break;
    case AfterAction::Resemblance:
      if (result == 1) {
        temRese = 1;
        temEscore = 0;
        Record();
        SetStepReached();
      }
      break;
    case AfterAction::Transformation:
      if (result == 1) {
        temRese = 0;
        temEscore = 0;
        WriteSessionTrack();  // whatever the order of the resemblance matrix
        SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
        SetStepReached();
      }
      break;
    case AfterAction::Nothing:
      break;
  }
}

int RunMainOption(const MainMenuTable& menu, char option) {
  for (const MainMenuEntry& e : menu) {
    if (e.letter != option) continue;
    const int result = e.run();
    AfterMainOption(e.after, result);
    return result;
  }
  return 0;
}

bool MainMenuPass(const MainMenuTable& menu) {
  optMain = ReadMainOption();
  if (optMain == 'X') return false;
  RunMainOption(menu, optMain);
  return true;
}

void MainLoop(const MainMenuTable& menu) {
  while (MainMenuPass(menu)) {
  }
}

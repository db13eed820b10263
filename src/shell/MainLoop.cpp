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

void Record() {
  if (nRows > MAX_ROWS_RECORDED)
    savedSession = 0;
  else
    WriteSessionTrack();
}

void SwitchMode() {
  if (strcmp(modeZoviri, "w") == 0) strcpy(modeZoviri, "a");
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
  char c = ScanChar(in, accepted, "teclado");
  fprintf(out, "\n\n");
  return (char)toupper((unsigned char)c);
}

void PathAnalysisIfAdequate() {
  if (dataType == 1 || dataType == 2 || dataType == 4) {
    PathAnalysis();
    Record();
    SwitchMode();
  } else {
    fprintf(stdout, port ? "\nTipo de dados nao adequado para nenhuma opcao de analise de caminhos."
                         : "\nData type is not adequate for any option of path analysis.");
  }
}

}  // namespace

bool MainMenuPass() {
  optMain = ReadMainOption();
  switch (optMain) {
    case 'E':
      SetPreferences();
      break;
    case 'S':
      SaveSession();
      break;
    case 'N':
      SpecifySession();
      WriteSessionTrack();
      break;
    case 'A':
      AleatorizacaoVar();
      Record();
      SwitchMode();
      break;
    case 'C':
      Cluster();
      SwitchMode();
      break;
    case 'D':
      Scatter();
      break;
    case 'F':
      PathAnalysisIfAdequate();
      break;
    case 'G':
      SetGroups();
      Record();
      SetStepReached();
      break;
    case 'J':
      PathModelGenerator();
      break;
    case 'K':
      Canonical();
      SwitchMode();
      Record();
      break;
    case 'O':
      if (Ordenacao() == 1) {
        SwitchMode();
        temEscore = 1;
        Record();
      }
      break;
    case 'P':
      SetGroups();
      AleatorizacaoUnitsManova();
      Record();
      SwitchMode();
      break;
    case 'R':
      if (Semelhanca() == 1) {
        SwitchMode();
        temRese = 1;
        temEscore = 0;
        Record();
        SetStepReached();
      }
      break;
    case 'T':
      if (TransformaDados() == 1) {
        SwitchMode();
        temRese = 0;
        temEscore = 0;
        WriteSessionTrack();
        SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
        SetStepReached();
      }
      break;
    case 'U':
      RandomDataGenerator();
      break;
    case 'V':
      if (DescriptiveAttributes() == 1) SwitchMode();
      break;
    case 'X':
      return false;
    case 'Y':
      Dynamics();
      SwitchMode();
      break;
    case 'Z':
      ChooseInputSource();
      break;
    default:
      break;
  }
  return true;
}

void MainLoop() {
  while (MainMenuPass()) {
  }
}

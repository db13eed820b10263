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

// Path analysis needs quantitative or binary data; returns 1 when it ran.
int PathAnalysisIfAdequate() {
  if (dataType == 1 || dataType == 2 || dataType == 4) {
    PathAnalysis();
    return 1;
  }
  fprintf(stdout, port ? "\nTipo de dados nao adequado para nenhuma opcao de analise de caminhos."
                       : "\nData type is not adequate for any option of path analysis.");
  return 0;
}

}  // namespace

void AfterGroupsSpecified() {
  Record();
  SetStepReached();
}

int RunMainOption(char option) {
  switch (option) {
    case 'A': AleatorizacaoVar(); return 1;
    case 'C': Cluster(); return 1;
    case 'D': Scatter(); return 1;
    case 'E': return SetPreferences();
    case 'F': return PathAnalysisIfAdequate();
    case 'G': SetGroups(); return 1;
    case 'J': PathModelGenerator(); return 1;
    case 'K': Canonical(); return 1;
    case 'N': return SpecifySession();
    case 'O': return Ordenacao();
    case 'P': SetGroups(); AleatorizacaoUnitsManova(); return 1;
    case 'R': return Semelhanca();
    case 'S': return SaveSession();
    case 'T': return TransformaDados();
    case 'U': RandomDataGenerator(); return 1;
    case 'V': return DescriptiveAttributes();
    case 'Y': Dynamics(); return 1;
    case 'Z': ChooseInputSource(); return 1;
    default: return 0;
  }
}

void AfterMainOption(char option, int result) {
  switch (option) {
    case 'N':
      WriteSessionTrack();
      break;
    case 'A':
    case 'K':
    case 'P':
      Record();
      break;
    case 'F':
      if (result == 1) Record();
      break;
    case 'G':
      AfterGroupsSpecified();
      break;
    case 'O':
      if (result == 1) {
        temEscore = 1;
        Record();
      }
      break;
    case 'R':
      if (result == 1) {
        temRese = 1;
        temEscore = 0;
        Record();
        SetStepReached();
      }
      break;
    case 'T':
      if (result == 1) {
        temRese = 0;
        temEscore = 0;
        WriteSessionTrack();  // whatever the order of the resemblance matrix
        SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
        SetStepReached();
      }
      break;
    default:  // C, D, E, J, S, U, V, Y, Z: nothing more
      break;
      break;
  }
}

bool MainMenuPass() {
  optMain = ReadMainOption();
  if (optMain == 'X') return false;
  int result = RunMainOption(optMain);
  AfterMainOption(optMain, result);
  return true;
}

void MainLoop() {
  while (MainMenuPass()) {
  }
}

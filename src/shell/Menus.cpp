// The generic numbered menu, and the two derived values that decide what the
// menus offer: the stage of analysis reached and the data type.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

namespace {
constexpr int MENU_LIST_LEN = 100;

bool OneOf(int v, std::initializer_list<int> set) {
  for (int s : set)
    if (v == s) return true;
  return false;
}
}  // namespace

void ShowMenu(int first, int last, const int (*applies)[8], int column, const char** info, int* answer) {
  char list[MENU_LIST_LEN + 1] = "";
  size_t used = 0;
  for (int i = first; i <= last; i++) {
    if (applies != nullptr && applies[i][column] != 1) continue;
    fprintf(out, "\t%s\n ", info[i]);
    char item[16];
    if (strncmp(info[i], "(99)", 4) == 0)
      snprintf(item, sizeof item, "99 ");
    else
      snprintf(item, sizeof item, "%d ", i);
    size_t len = strlen(item);
    if (used + len <= MENU_LIST_LEN) {
      memcpy(list + used, item, len + 1);
      used += len;
    }
  }
  fprintf(out, "\t\t%s: ", enterOpt);
  *answer = (int)ScanNumber(in, KeyboardLabel(), list);
}

void SetStepReached() {
  if (temDados == 0) {
    stepReached = 0;
    return;
  }
  stepReached = 1;
  if (temRese == 1) {
    if (optReseDir == 2)
      stepReached = 4;
    else if (temGrupo == 1 && optReseDir == 1)
      stepReached = 3;
    else
      stepReached = 2;
  }
}

void SetDataType(int optTrEs, int optTrVeVar, int optTrVeUnits) {
  isStandardized = OneOf(optTrVeVar, {1, 4, 5, 6, 7, 8, 9}) ? 1 : 0;
  hasNegative = (OneOf(optTrVeVar, {2, 3, 5, 6}) || OneOf(optTrVeUnits, {2, 3, 5, 6})) ? 1 : 0;

  if (OneOf(optVarTipo, {1, 2, 3, 4, 6})) {
    if (optVarTipo == 6 || (isStandardized == 1 && optVarTipo == 2))
      dataType = 1;
    else
      dataType = optVarTipo;
    // Mutual information needs non-negative data.
    int mutualInformation = (dataType == 1 && hasNegative == 1) ? 0 : 1;
    appliesReseUnits[4][0] = mutualInformation;
    appliesReseVar[4][0] = mutualInformation;
    if (optTrEs == 1) dataType = 4;
  }

  if (optVarTipo == 5) {
    if (temQuant && temQual && !temBin)
      dataType = 5;
    else if (temQuant && temBin && !temQual)
      dataType = (optTrEs == 1) ? 4 : 6;
    else if (temQual && temBin && !temQuant)
      dataType = 7;
    else if (temQuant && temQual && temBin)
      dataType = 8;
  }
}

// Menu option G: grouping factors and the group of every sampling unit,
// typed in or read from a membership file.
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cluster/Partitions.h"
#include "cluster/ClusterMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/GroupNumberFile.h"
#include "shell/SessionState.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// Group numbers typed in must fit an int.
constexpr double kLowestGroup = INT_MIN, kHighestGroup = INT_MAX;

void ShowCurrentGroups() {
  fprintf(out, "%s", Tx("Particao atual em grupos:\n", "Current group partition:\n"));
  fprintf(out, "%s", Tx("Unidades amostrais: ", "Sampling units:   "));
  for (int i = 0; i < nObj; i++) fprintf(out, "\t%s", uaLabels[i]);
  for (int f = 0; f < nFactors; f++) {
    fprintf(out, Tx("\nFator %s: ", "\nFactor %s: "), factorLabel[f]);
    fprintf(out, "%s", Tx("\nGrupos:             ", "\nGroups:           "));
    for (int i = 0; i < nObj; i++) fprintf(out, "\t%d", grMemb[f][i]);
  }
  fprintf(out, "\n");
}

// Allocates the zero-filled group arrays for `factors` factors.
void AllocGroups(int factors) {
  const int rows = GroupArrayRows(factors);
  nFactors = factors;
  grMemb = dimInt2D(rows, nObj);
  grLabel = dimInt2D(rows, nObj);
  nGroups = dimInt1D(rows);
  nestedFactor = dimInt1D(factors);
  factorLabel = dimChar2D(factors, NAME_LEN);
  grMembDimensioned = 1;
}

// Reads nFactors x nObj group numbers, factor after factor, from the file
// `name` into grMemb. Returns false, after telling why, when the file cannot
// be opened or does not hold them all as integers.
bool ReadMembershipFile(const char* name) {
  const int needed = nFactors * nObj;
  std::vector<int> values(static_cast<size_t>(needed));
  const bool read = ReadGroupNumbersFile(name, needed, values.data(), [name, needed](int count) {
    fprintf(out,
            Tx("\nO arquivo %s contem somente %d numeros de grupo; sao necessarios %d (%d fator(es) x %d unidades "
               "amostrais). Favor conferir!\n",
               "\nFile %s holds only %d group numbers; %d are needed (%d factor(s) x %d sampling units). Please "
               "check!\n"),
            name, count, needed, nFactors, nObj);
  });
  if (!read) return false;
  for (int k = 0; k < needed; k++) grMemb[k / nObj][k % nObj] = values[k];
  return true;
}

void ReadMembershipKeyboard() {
  fprintf(out, "%s", Tx("Informe o grupo de cada unidade amostral:\n", "Enter the group of each sampling unit:\n"));
  fprintf(out, "%s", Tx("Unidade amostral: ", "Sampling unit:   "));
  for (int i = 0; i < nObj; i++) fprintf(out, "\t%s", uaLabels[i]);
  for (int f = 0; f < nFactors; f++) {
    fprintf(out, Tx("\nFator %s: ", "\nFactor %s: "), factorLabel[f]);
    fprintf(out, "%s", Tx("\nGrupos:           ", "\nGroups:           "));
    for (int i = 0; i < nObj; i++)
      grMemb[f][i] = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", kLowestGroup, kHighestGroup));
  }
}

}  // namespace

void SetGroups() {
  fprintf(out, "%s\n", line);
  fprintf(out, "%s", Tx("ESPECIFICACAO DE GRUPOS\n", "SPECIFYING GROUPS\n"));
  fprintf(out, Tx("Arquivo: %s\n", "File: %s\n"), filename);
  if (!temDados || nObj < 1) {
    fprintf(out, "%s", Tx("\nNao ha dados.\n", "\nThere are no data.\n"));
    return;
  }

  if (temGrupo == 1 && grMembDimensioned) {
    ShowCurrentGroups();
    fprintf(out, "%s", Tx("Alterar? s/n ", "Change? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return;
  }
  FreeGroups();

  fprintf(out, "%s",
          Tx("Informe o numero de fatores de agrupamento: ", "Enter the number of factors that are defining groups: "));
  const int factors = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, 10.0));
  AllocGroups(factors);

  nesting = 0;
  if (factors >= 2) {
    fprintf(out, "%s", Tx("Delineamento em blocos? s/n ", "Block design? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') {
      nesting = 1;
      nestedFactor[1] = 1;
    }
  }

  fprintf(out, "%s", Tx("Informe o nome de cada fator de agrupamento: \n", "Enter the name of each factor: \n"));
  for (int f = 0; f < factors; f++) {
    if (nesting == 1 && f == 0) {
      snprintf(factorLabel[0], NAME_LEN, "%s", Tx("Blocos", "Blocks"));
      fprintf(out, Tx("Fator %d: %s\n", "Factor %d: %s\n"), 1, factorLabel[0]);
      continue;
    }
    fprintf(out, Tx("Fator %d: ", "Factor %d: "), f + 1);
    ScanString(in, NAME_LEN - 1, factorLabel[f], nullptr, 1, KeyboardLabel());
  }

  for (;;) {
    fprintf(out, "%s",
            eng ? "Read group memberships from file (f) or from the keyboard (k)? f/k "
                : "Ler grupo de cada unidade amostral de um arquivo (a) ou do teclado (t)? a/t ");
    const char source = ScanChar(in, eng ? "f k" : "a t", KeyboardLabel());
    if (source == 'k' || source == 't') {
      ReadMembershipKeyboard();
      break;
    }
    if (factors >= 2)
      fprintf(out, "%s",
              Tx("O arquivo deve estar ordenado por fator (f1u1, ..., f1uN; f2u1, ...f2uN ...).\n",
                 "File must be ordered by factors (f1u1, ..., f1uN; f2u1, ...f2uN ...).\n"));
    fprintf(out, "%s",
            Tx("Entre nome do arquivo contendo os grupos das unidades amostrais: ",
               "Enter name of file containing group memberships: "));
    char name[NAME_LEN];
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    if (ReadMembershipFile(name)) break;
  }

  for (int f = 0; f < factors; f++) CountGroups(nObj, grMemb[f], &nGroups[f], grLabel[f]);
  temGrupo = 1;
}

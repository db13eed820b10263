// Group labels of the sampling units from a file or from the keyboard.
#include "randomization/MembershipDialogue.h"

#include <climits>
#include <cstdio>

#include "shell/Console.h"
#include "shell/GroupNumberFile.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// One integer per sampling unit from the file `name`; false, after saying
// why, when it cannot be opened or does not hold them all as integers.
bool ReadMembershipFile(const char* name, std::vector<int>& memb) {
  return ReadGroupNumbersFile(name, nObj, memb.data(), [name](int count) {
    fprintf(out,
            Tx("\nO arquivo %s contem somente %d numeros de grupo; sao necessarios %d (um por unidade amostral). "
               "Favor conferir!\n",
               "\nFile %s holds only %d group numbers; %d are needed (one per sampling unit). Please check!\n"),
            name, count, nObj);
  });
}

}  // namespace

std::vector<int> AskMemberships(const MembershipTexts& t) {
  std::vector<int> memb(static_cast<size_t>(nObj));
  fprintf(out, "%s", t.criterion);
  for (;;) {
    fprintf(out, "%s", t.source);
    const char source = ScanChar(in, port ? "a t" : "f k", KeyboardLabel());
    if (source == 'k' || source == 't') {
      fprintf(out, "%s", t.keyboard);
      fprintf(out, "%s", t.unitRow);
      for (int i = 0; i < nObj; i++) fprintf(out, "\t%s", uaLabels[i]);
      fprintf(out, "%s", t.rowLabel);
      for (int i = 0; i < nObj; i++)
        memb[i] = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", double(INT_MIN), double(INT_MAX)));
      return memb;
    }
    fprintf(out, "%s", t.fileName);
    char name[NAME_LEN];
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    if (ReadMembershipFile(name, memb)) return memb;
  }
}

const MembershipTexts& NestingTexts() {
  static const MembershipTexts pt{
      "Especifique o criterio de aninhamento (para cada unidade, informe o grupo a que pertence):\n",
      "Ler grupos de aninhamento de um arquivo (a) ou do teclado (t)? a/t ",
      "Entre nome do arquivo contendo os grupos de aninhamento: ",
      "Informe o grupo de aninhamento de cada unidade amostral:\n",
      "Unidade amostral:  ",
      "\nGrupos de aninhamento: "};
  static const MembershipTexts en{
      "Specify the nesting criterion (for each unit, enter the group to which it belongs):\n",
      "Read nesting group memberships from file (f) or from the keyboard (k)? f/k ",
      "Enter name of file containing nesting group memberships: ",
      "Enter the nesting group of each sampling unit:\n",
      "Sampling unit:    ",
      "\nNesting groups:   "};
  return port ? pt : en;
}

const MembershipTexts& BundleTexts() {
  static const MembershipTexts pt{
      "Especifique o criterio de agrupamento  (para cada unidade, informe o grupo a que pertence):\n",
      "Ler blocos de agrupamento de um arquivo (a) ou do teclado (t)? a/t ",
      "Entre nome do arquivo contendo os blocos de agrupamento: ",
      "Informe o bloco de agrupamento de cada unidade amostral:\n",
      "Unidade amostral:  ",
      "\nBlocos de agrupamento:  "};
  static const MembershipTexts en{
      "Specify the bundling criterion  (for each unit, enter the group to which it belongs):\n",
      "Read bundling group memberships from file (f) or from the keyboard (k)? f/k ",
      "Enter name of file containing bundling group memberships: ",
      "Enter the bundling group of each sampling unit:\n",
      "Sampling unit:    ",
      "\nBundling groups:  "};
  return port ? pt : en;
}

// Group labels of the sampling units from a file or from the keyboard.
#include "randomization/MembershipDialogue.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// Next white-space-delimited word of f; false at the end of the file.
bool NextWord(FILE* f, std::string& word) {
  word.clear();
  int c = fgetc(f);
  while (c != EOF && isspace(c)) c = fgetc(f);
  while (c != EOF && !isspace(c)) {
    word += static_cast<char>(c);
    c = fgetc(f);
  }
  return !word.empty();
}

bool ParseInt(const std::string& word, int* value) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (end == word.c_str() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

// One integer per sampling unit from the file `name`; false, after saying
// why, when it cannot be opened or does not hold them all as integers.
bool ReadMembershipFile(const char* name, std::vector<int>& memb) {
  FILE* f = fopenck(name, nullptr, "r");
  if (f == nullptr) return false;
  int count = 0;
  std::string word;
  bool notNumber = false;
  while (count < nObj && NextWord(f, word)) {
    if (!ParseInt(word, &memb[count])) {
      notNumber = true;
      break;
    }
    count++;
  }
  fclose(f);
  if (count == nObj) return true;
  if (notNumber) {
    if (word.size() > 30) word = word.substr(0, 30) + "...";
    fprintf(out,
            Tx("\nArquivo %s: o valor numero %d (%s) nao e um numero inteiro de grupo. Favor conferir!\n",
               "\nFile %s: value number %d (%s) is not an integer group number. Please check!\n"),
            name, count + 1, word.c_str());
  } else {
    fprintf(out,
            Tx("\nO arquivo %s contem somente %d numeros de grupo; sao necessarios %d (um por unidade amostral). "
               "Favor conferir!\n",
               "\nFile %s holds only %d group numbers; %d are needed (one per sampling unit). Please check!\n"),
            name, count, nObj);
  }
  return false;
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

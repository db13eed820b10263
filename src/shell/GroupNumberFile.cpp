// Group numbers from a text file.
#include "shell/GroupNumberFile.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

// Next white-space-delimited word of f; false at the end of the file.
bool NextWord(FILE* f, std::string& word) {
  word.clear();
  int c = fgetc(f);
  while (c != EOF && std::isspace(c)) c = fgetc(f);
  while (c != EOF && !std::isspace(c)) {
    word += static_cast<char>(c);
    c = fgetc(f);
  }
  return !word.empty();
}

// The whole word is a decimal integer that fits an int.
bool ParseGroupNumber(const std::string& word, int* value) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (end == word.c_str() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace

bool ReadGroupNumbersFile(const char* name, int needed, int* values,
                          const std::function<void(int count)>& sayTooFew) {
  FILE* f = fopenck(name, nullptr, "r");
  if (f == nullptr) return false;
  int count = 0;
  std::string word;
  bool notNumber = false;
  while (count < needed && NextWord(f, word)) {
    if (!ParseGroupNumber(word, &values[count])) {
      notNumber = true;
      break;
    }
    count++;
  }
  fclose(f);
  if (count == needed) return true;
  if (notNumber) {
    if (word.size() > 30) word = word.substr(0, 30) + "...";
    fprintf(out,
            port ? "\nArquivo %s: o valor numero %d (%s) nao e um numero inteiro de grupo. Favor conferir!\n"
                 : "\nFile %s: value number %d (%s) is not an integer group number. Please check!\n",
            name, count + 1, word.c_str());
  } else {
    sayTooFew(count);
  }
  return false;
}

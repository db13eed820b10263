// Validating console readers (one character, one number, one word), the
// verifying file primitives, and the input and output streams of the dialogue.
#include "shell/Console.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZQLib/TextWords.h"
#include "shell/SessionState.h"

FILE* in = stdin;
FILE* out = stdout;

namespace {

// A refused answer is shown up to this many bytes.
constexpr size_t kShownWordBytes = 80;

void Bell() {
  std::fputc('\a', stdout);
  std::fflush(stdout);
}

// Standard input stays open: the error handler still reads it afterwards.
void CloseSource(FILE* f) {
  if (f != nullptr && f != stdin) std::fclose(f);
}

// End of input while an answer was awaited (the error handler rings).
[[noreturn]] void EndOfInput(FILE* f, const char* label) {
  CloseSource(f);
  std::fprintf(stderr, "\nfile %s ", label != nullptr ? label : "");
  throw 2;
}

// Questions are written to `out` without a newline; show them before waiting.
void ShowPendingQuestion() {
  if (out != nullptr) std::fflush(out);
}

bool IsAcceptedChar(int c, const char* accepted) {
  for (const char* p = accepted; *p != '\0'; p++) {
    unsigned char a = static_cast<unsigned char>(*p);
    if (std::isspace(a)) continue;
    if (std::tolower(a) == c) return true;
  }
  return false;
}

bool IsInNumberList(double x, const char* list) {
  const char* p = list;
  for (;;) {
    char* end = nullptr;
    double v = std::strtod(p, &end);
    if (end == p) return false;  // no more numbers (trailing blanks included)
    if (v == x) return true;
    p = end;
  }
}

bool IsInWordList(const std::string& word, const char* list, int caseSensitive) {
  const char* p = list;
  while (*p != '\0') {
    while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) p++;
    const char* start = p;
    while (*p != '\0' && !std::isspace(static_cast<unsigned char>(*p))) p++;
    if (p == start) break;
    std::string item(start, p);
    if (caseSensitive ? item == word : StrCmp(item.c_str(), word.c_str()) == 0) return true;
  }
  return false;
}

// Longest answer kept; the rest of a longer word is read and dropped.
constexpr size_t kMaxWordBytes = 4096;

// One white-space-delimited word; false at end of input. *cut tells whether
// the word was longer than what was kept.
bool ReadWord(FILE* f, std::string& word, bool* cut = nullptr) {
  word.clear();
  if (cut != nullptr) *cut = false;
  int c;
  do {
    c = std::fgetc(f);
  } while (c != EOF && std::isspace(c));
  if (c == EOF) return false;
  while (c != EOF && !std::isspace(c)) {
    if (word.size() < kMaxWordBytes)
      word.push_back(static_cast<char>(c));
    else if (cut != nullptr)
      *cut = true;
    c = std::fgetc(f);
  }
  if (c != EOF) std::ungetc(c, f);
  return true;
}

}  // namespace

FILE* fopenck(const char* name, const char* prefix, const char* mode) {
  std::string path = prefix != nullptr ? std::string(prefix) + name : std::string(name);
  FILE* f = std::fopen(path.c_str(), mode);
  if (f == nullptr) {
    std::fprintf(stderr, "\ncan't open %s \n", path.c_str());
    Bell();
  }
  return f;
}

void freadck(FILE* f, const char* format, void* target, const char* label) {
  int r = std::fscanf(f, format, target);
  if (r != 1) {
    CloseSource(f);
    std::fprintf(stderr, "\nfile %s ", label != nullptr ? label : "");
    Bell();
    throw 2;
  }
}

int freadck1(FILE* f, const char* format, void* target, const char* label) {
  for (;;) {
    int r = std::fscanf(f, format, target);
    if (r == 1) return 1;
    if (r == EOF || std::fgetc(f) == EOF) break;  // else one unreadable character dropped
  }
  CloseSource(f);
  std::fprintf(stderr, "\nEnd of file %s\n", label != nullptr ? label : "");
  Bell();
  return 0;
}

char ScanChar(FILE* f, const char* accepted, const char* label) {
  ShowPendingQuestion();
  bool hasList = accepted != nullptr && accepted[0] != '\0';
  std::string word;
  for (;;) {
    // A one-character answer is a word of its own: taking the first letter
    // of a longer word would hand the rest to the next questions.
    if (!ReadWord(f, word)) EndOfInput(f, label);
    if (word.size() == 1) {
      const int c = std::tolower(static_cast<unsigned char>(word[0]));
      if (!hasList || IsAcceptedChar(c, accepted)) return static_cast<char>(c);
    }
    Bell();
    std::fprintf(stderr, "\nIncorrect input = %s. Reenter.\n", PrintableWord(word, kShownWordBytes).c_str());
    if (hasList) std::fprintf(stderr, "Accepted input: %s\n", accepted);
  }
}

double ScanNumber(FILE* f, const char* label, const char* accepted, ...) {
  ShowPendingQuestion();
  const bool anyNumber = accepted == nullptr || accepted[0] == '\0';
  const bool isRange = !anyNumber && accepted[0] == '-' && accepted[1] == '\0';
  double lo = 0.0, hi = 0.0;
  if (isRange) {
    va_list args;
    va_start(args, accepted);
    lo = va_arg(args, double);
    hi = va_arg(args, double);
    va_end(args);
  }
  std::string word;
  bool cut = false;
  for (;;) {
    if (!ReadWord(f, word, &cut)) {
      CloseSource(f);
      if (accepted == nullptr)
        std::fprintf(stderr, "\nfile %s ", label != nullptr ? label : "");
      else
        std::fprintf(stderr, "\nEnd of file %s\n", label != nullptr ? label : "");
      Bell();
      throw 2;
    }
    // The whole word must be a finite number: "2O" is not 2, "twenty" is
    // not skipped.
    double x = 0.0;
    const bool isNumber = !cut && ParseFiniteNumber(word, &x);
    if (isNumber && (anyNumber || (isRange ? (lo <= x && x <= hi) : IsInNumberList(x, accepted)))) return x;
    Bell();
    if (isNumber)
      std::fprintf(stderr, "\nIncorrect input = %g. Reenter.\n", x);
    else
      std::fprintf(stderr, "\nIncorrect input = %s. Reenter.\n", PrintableWord(word, kShownWordBytes).c_str());
    if (anyNumber)
      std::fprintf(stderr, "Accepted input: any number\n");
    else if (isRange)
      std::fprintf(stderr, "Accepted input: %g to %g\n", lo, hi);
    else
      std::fprintf(stderr, "Accepted input: %s\n", accepted);
  }
}

char* ScanString(FILE* f, int maxLength, char* target, const char* accepted, int caseSensitive,
                 const char* label) {
  ShowPendingQuestion();
  bool hasList = accepted != nullptr && accepted[0] != '\0';
  std::string word;
  for (;;) {
    if (!ReadWord(f, word)) {
      CloseSource(f);
      std::fprintf(stderr, "\nEnd of file %s\n", label != nullptr ? label : "");
      Bell();
      throw 2;
    }
    if (!hasList || IsInWordList(word, accepted, caseSensitive)) break;
    Bell();
    std::fprintf(stderr, "\nIncorrect input = %s. Reenter.\n", word.c_str());
    std::fprintf(stderr, "Accepted input: %s\n", accepted);
  }
  // Cut at a character boundary, never inside a UTF-8 character.
  const size_t n = Utf8PrefixLength(word, maxLength > 0 ? static_cast<size_t>(maxLength) : 0);
  word.copy(target, n);
  target[n] = '\0';
  return target;
}

int StrCmp(const char* a, const char* b) {
  for (;; a++, b++) {
    int ca = std::toupper(static_cast<unsigned char>(*a));
    int cb = std::toupper(static_cast<unsigned char>(*b));
    if (ca != cb || ca == '\0') return ca - cb;
  }
}

const char* KeyboardLabel() { return port ? "teclado" : "keyboard"; }

const char* YesNoAccepted() { return port ? "s n" : "y n"; }

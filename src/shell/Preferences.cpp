// User preferences kept in "Plexor.prf": language, significant digits, number
// of ordination axes printed, processor limit and plot sizes; menu option E.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZQLib/AtomicFileWrite.h"
#include "ZQLib/TextWords.h"
#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* const preferencesFileName = "Plexor.prf";
// No double has more significant digits than this in its exact decimal form,
// so a larger setting prints the same and is kept at this value.
constexpr int MAX_DIGITS = 800;

int DigitsSetting(long long v) { return v > MAX_DIGITS ? MAX_DIGITS : static_cast<int>(v); }

const char* Tx(const char* pt, const char* en) { return port ? pt : en; }

bool ReadWord(FILE* f, std::string& w) {
  w.clear();
  int c;
  do {
    c = getc(f);
  } while (c != EOF && isspace(c));
  if (c == EOF) return false;
  while (c != EOF && !isspace(c)) {
    if (w.size() < 256) w.push_back(static_cast<char>(c));
    c = getc(f);
  }
  return true;
}

bool ParseInt(const std::string& w, int& v, long lo, long hi) {
  char* end = nullptr;
  errno = 0;
  long x = strtol(w.c_str(), &end, 10);
  if (end == w.c_str() || *end != '\0' || errno != 0 || x < lo || x > hi) return false;
  v = static_cast<int>(x);
  return true;
}

// Reads the values of lines 2 to 9 one by one; the first that is missing or
// wrong is named in `problem`.
class PreferenceLines {
 public:
  explicit PreferenceLines(FILE* f) : f_(f) {}
  bool Int(const char* what, int& v, long lo, long hi) {
    line_++;
    return (ReadWord(f_, w_) && ParseInt(w_, v, lo, hi)) || Fail(what);
  }
  bool Real(const char* what, double& v) {
    line_++;
    return (ReadWord(f_, w_) && ParseFiniteNumber(w_, &v)) || Fail(what);
  }
  const std::string& problem() const { return problem_; }

 private:
  bool Fail(const char* what) {
    char text[200];
    if (w_.empty())
      snprintf(text, sizeof text, "line %d, %s: missing", line_, what);
    else
      snprintf(text, sizeof text, "line %d, %s: \"%s\"", line_, what, PrintableWord(w_).c_str());
    problem_ = text;
    return false;
  }
  FILE* f_;
  int line_ = 1;  // the version word is line 1
  std::string w_;
  std::string problem_;
};

void Defaults() {
  eng = 1;
  port = 0;
  sDigits = 5;
  nMaxDim = 6;
  nProcessors = 0;
  scatterHSize = scatterVSize = treeHSize = treeVSize = 0;
}

}  // namespace

void ReadPreferences() {
  nMaxDim = 6;
  FILE* f = fopen(preferencesFileName, "r");
  if (f == nullptr) return;
  std::string version;
  if (!ReadWord(f, version) || version != versionPref) {
    fclose(f);
    return;
  }
  int e = 1, p = 0, digits = 5, dims = 6, procs = 0;
  double sh = 0, sv = 0, th = 0, tv = 0;
  PreferenceLines lines(f);
  // English and Portuguese are each other's opposite.
  const bool ok = lines.Int("English", e, 0, 1) && lines.Int("Portuguese", p, 1 - e, 1 - e) &&
                  lines.Real("scatter width", sh) && lines.Real("scatter height", sv) &&
                  lines.Real("tree width", th) && lines.Real("tree height", tv) &&
                  lines.Int("significant digits", digits, 1, INT_MAX) &&
                  lines.Int("ordination dimensions", dims, 1, INT_MAX);
  if (!ok) {
    fclose(f);
    Defaults();
    const std::string& what = lines.problem();
    fprintf(stderr, "\nThe preferences file %s is damaged (%s): default preferences are used.\n"
                    "O arquivo de preferencias %s esta danificado (%s): as preferencias padrao serao usadas.\n",
            preferencesFileName, what.c_str(), preferencesFileName, what.c_str());
    return;
  }
  eng = e;
  port = p;
  scatterHSize = sh;
  scatterVSize = sv;
  treeHSize = th;
  treeVSize = tv;
  sDigits = DigitsSetting(digits);
  nMaxDim = dims;
  // Line 10 may be missing; a value that is there must be a count of
  // processors, 0 for all of them.
  std::string w;
  if (!ReadWord(f, w))
    fprintf(stderr, "\nEnd of file %s\n", preferencesFileName);
  else if (ParseInt(w, procs, 0, INT_MAX))
    nProcessors = procs;
  else
    fprintf(stderr,
            "\nThe preferences file %s gives \"%s\" as the maximum number of processors (line 10), which is not 0 "
            "or a positive whole number: all available processors are used.\n"
            "O arquivo de preferencias %s da \"%s\" como numero maximo de processadores (linha 10), que nao e 0 "
            "nem um numero inteiro positivo: todos os processadores disponiveis serao usados.\n",
            preferencesFileName, PrintableWord(w).c_str(), preferencesFileName, PrintableWord(w).c_str());
  fclose(f);
}

void WritePreferences() {
  // The old file is replaced only by a whole new one.
  bool opened = false;
  const bool ok = WriteFileAtomically(preferencesFileName, [&](FILE* f) {
    opened = true;
    fprintf(f, "%s\n%d\n%d\n%f\n%f\n%f\n%f\n%d\n%d\n%d\n", versionPref, eng, port, scatterHSize, scatterVSize,
            treeHSize, treeVSize, sDigits, nMaxDim, nProcessors);
    TimeStamp(f);
    return !ferror(f);
  });
  if (!ok) throw opened ? 3 : 4;
}

int SetPreferences() {
  for (;;) {
    if (eng)
      fprintf(out, "%s", "\nPREFERENCES\nSet preferences of: \n"
                         "   L  language (change to Portuguese/mudar para portugues)\n"
                         "   F  output \n   M  multiprocessing \n   C  return to main menu \nType option: ");
    else
      fprintf(out, "%s", "\nPREFERENCIAS\nAlterar preferencias em: \n"
                         "   L  lingua (mudar para ingles/change to English)\n"
                         "   F  formato de resultados \n   M  multiprocessamento \n   C  voltar ao menu principal \n"
                         "Entre opcao: ");
    const char c = ScanChar(in, "L F M C", KeyboardLabel());
    if (c == 'l') {
      port = 1 - port;
      eng = !port;
      Initialize();
    } else if (c == 'f') {
      fprintf(out, "\n%s\n", line);
      fprintf(out, "%s", Tx("Numero de digitos significativos nos resultados (entre zero para usar o padrao):\n",
                            "Number of significant digits on printouts (enter zero for default):\n"));
      const int digits = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 2147483647.0));
      sDigits = digits == 0 ? 5 : DigitsSetting(digits);
      fprintf(out, "%s", Tx("Numero de dimensoes de ordenacao nos resultados (entre zero para usar o padrao):\n",
                            "Number of ordination dimensions on printouts (enter zero for default):\n"));
      const int dims = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 2147483647.0));
      nMaxDim = dims == 0 ? 6 : dims;
    } else if (c == 'm') {
      fprintf(out, "%s",
              Tx("Especifique o numero maximo de processadores a usar (entre zero para usar o padrao: maximo "
                 "disponivel): ",
                 "Specify the maximum number of processors to be used (enter zero for default, which is the maximum "
                 "available): "));
      nProcessors = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, 2147483647.0));
      InitMultiprocessing(nProcessors);
    } else {
      break;
    }
  }
  WritePreferences();
  return 1;
}

// User preferences kept in "Plexor.prf": language, significant digits, number
// of ordination axes printed, processor limit and plot sizes; menu option E.
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

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

bool ReadInt(FILE* f, int& v, long lo, long hi) {
  std::string w;
  if (!ReadWord(f, w)) return false;
  char* end = nullptr;
  long x = strtol(w.c_str(), &end, 10);
  if (end == w.c_str() || *end != '\0' || x < lo || x > hi) return false;
  v = static_cast<int>(x);
  return true;
}

bool ReadReal(FILE* f, double& v) {
  std::string w;
  if (!ReadWord(f, w)) return false;
  char* end = nullptr;
  v = strtod(w.c_str(), &end);
  return end != w.c_str() && *end == '\0';
}

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
  int e, p, digits, dims, procs;
  double sh, sv, th, tv;
  const bool ok = ReadInt(f, e, 0, 1) && ReadInt(f, p, 0, 1) && e != p && ReadReal(f, sh) && ReadReal(f, sv) &&
                  ReadReal(f, th) && ReadReal(f, tv) && ReadInt(f, digits, 1, INT_MAX) &&
                  ReadInt(f, dims, 1, INT_MAX);
  if (!ok) {
    fclose(f);
    Defaults();
    fprintf(stderr, "\nThe preferences file %s is damaged: default preferences are used.\n"
                    "O arquivo de preferencias %s esta danificado: as preferencias padrao serao usadas.\n",
            preferencesFileName, preferencesFileName);
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
  if (ReadInt(f, procs, 0, INT_MAX))
    nProcessors = procs;
  else
    fprintf(stderr, "\nEnd of file %s\n", preferencesFileName);
  fclose(f);
}

void WritePreferences() {
  FILE* f = fopen(preferencesFileName, "w");
  if (f == nullptr) throw 4;
  fprintf(f, "%s\n%d\n%d\n%f\n%f\n%f\n%f\n%d\n%d\n%d\n", versionPref, eng, port, scatterHSize, scatterVSize,
          treeHSize, treeVSize, sDigits, nMaxDim, nProcessors);
  TimeStamp(f);
  const bool ok = !ferror(f);
  if (fclose(f) != 0 || !ok) throw 3;
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

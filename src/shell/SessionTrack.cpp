// The session track: a text record of the analysis state that lets the next
// run in the same folder continue where this one stopped, and the dialogues
// that save and open named sessions.
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZQLib/AtomicFileWrite.h"
#include "ZQLib/TextWords.h"
#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* pt, const char* en) { return port ? pt : en; }
const char* const pointerFileName = "Sessao.trk";
const char* const sessionExt = ".trk";
// Session names leave room for the extension in a name buffer.
constexpr int SESSION_NAME_MAX = NAME_LEN - 1 - 4;
constexpr int BEALS_SMOOTHING = 11;  // optTrVeUnits value of Beals smoothing
constexpr int TR_CLASSES = 8;        // rescaling into classes, in either direction

// Option numbers the transformation menus can store: scalar 0 to 5; within
// variables 0 to 9 (6 only from the settings of generated tables) and 12;
// within sampling units 0 to 11.
bool ScalarOptionOffered(int v) { return v >= 0 && v <= 5; }
bool VariablesOptionOffered(int v) { return (v >= 0 && v <= 9) || v == 12; }
bool UnitsOptionOffered(int v) { return v >= 0 && v <= 11; }

// The session a track file belongs to: its name without the extension.
void SessionNameOf(const char* trackFile, char* name) {
  const size_t n = strlen(trackFile);
  const size_t ext = strlen(sessionExt);
  const size_t keep = n > ext && strcmp(trackFile + n - ext, sessionExt) == 0 ? n - ext : n;
  snprintf(name, NAME_LEN, "%.*s", static_cast<int>(keep), trackFile);
}

// A session name leaves room for the extension; it is cut at a character
// boundary.
void CutSessionName(char* name) {
  name[Utf8PrefixLength(name, SESSION_NAME_MAX)] = '\0';
}

void MakeTrackName(char* target, const char* name) {
  snprintf(target, NAME_LEN, "%.*s%s", SESSION_NAME_MAX, name, sessionExt);
}

// Reals are written with 17 significant digits, which read back as the very
// same double: a resumed session computes on exactly the numbers it left.
void WriteRowD(FILE* f, int n, const double* v) {
  for (int j = 0; j < n; j++) fprintf(f, "%.17g\t", v[j]);
  fprintf(f, "\n");
}

void WriteRowI(FILE* f, int n, const int* v) {
  for (int j = 0; j < n; j++) fprintf(f, "%d\t", v[j]);
  fprintf(f, "\n");
}

// Each part of the state is recorded only when its arrays exist; a flag set
// without them is written as 0, so that the track stays readable. False when
// a write failed.
bool WriteTrack(FILE* f) {
  const int dados = temDados == 1 && dataOrig && data && varType && uaLabels && varLabels ? 1 : 0;
  const int resemblance = dados && temRese == 1 && rese ? 1 : 0;
  const int scores = resemblance && temEscore == 1 && eig && escores && (optOrdiType != 3 || evectors) ? 1 : 0;
  const int groups = dados && temGrupo == 1 && grMembDimensioned && factorLabel && nestedFactor && nGroups &&
                             grLabel && grMemb
                         ? 1
                         : 0;
  // The data file name is a word of its own even before any file was named.
  fprintf(f, "%s\n%s\n%s\n%d\n", sessionName, filename[0] != '\0' ? filename : "-", versaoTrack, dados);
  if (dados) {
    fprintf(f, "%d\n%d\n%d\n%d\n%d\n%d\n", nObj, nVar, optVarTipo, temQuant, temQual, temBin);
    fprintf(f, "%c\n", format);
    WriteRowI(f, nVar, varType);
    for (int i = 0; i < nObj; i++) WriteRowD(f, nVar, dataOrig[i]);
    fprintf(f, "%d\n%d\n%d\n", optTrEs, optTrVeVar, optTrVeUnits);
    for (int i = 0; i < nObj; i++) WriteRowD(f, nVar, data[i]);
    for (int i = 0; i < nObj; i++) fprintf(f, "%s\t", uaLabels[i]);
    fprintf(f, "\n");
    for (int j = 0; j < nVar; j++) fprintf(f, "%s\t", varLabels[j]);
    fprintf(f, "\n");
    fprintf(f, "%d\n", optLabel);
  }
  fprintf(f, "%d\n", resemblance);
  if (resemblance) {
    fprintf(f, "%d\n%d\n%d\n%d\n", optReseDir, optReseTipo, nClassesVar, nClassesUnits);
    fprintf(f, "%.17g\n%.17g\n", alphaH, kParameter);
    fprintf(f, "%d\n", countDoubleAbsence);
    for (int i = 0; i < nRows; i++)
      for (int j = i; j < nRows; j++) fprintf(f, "%.17g\n", rese[i][j]);
  }
  fprintf(f, "%d\n", scores);
  if (scores) {
    fprintf(f, "%d\n%d\n", optOrdiType, rank);
    WriteRowD(f, rank, eig);
    for (int k = 0; k < rank; k++) {
      if (optOrdiType == 1) {
        WriteRowD(f, nRows, escores[k]);
      } else {
        WriteRowD(f, nCols, escores[k]);
        if (optOrdiType == 3) WriteRowD(f, nRows, evectors[k]);
      }
    }
  }
  fprintf(f, "%d\n", groups);
  if (groups) {
    fprintf(f, "%d\n%d\n", nFactors, nesting);
    for (int k = 0; k < nFactors; k++) fprintf(f, "%s\n", factorLabel[k]);
    WriteRowI(f, nFactors, nestedFactor);
    WriteRowI(f, nFactors, nGroups);
    for (int k = 0; k < nFactors; k++) WriteRowI(f, nGroups[k], grLabel[k]);
    for (int k = 0; k < nFactors; k++) WriteRowI(f, nObj, grMemb[k]);
  }
  // Choices that the fields above do not hold but the state depends on: the
  // transformation of the resemblance values, the Beals smoothing options and,
  // when no resemblance carries them, the numbers of classes of a rescaling.
  // Written only when they matter, after everything else, so that a track
  // without them reads as before.
  const bool classes = dados && !resemblance && (optTrVeVar == TR_CLASSES || optTrVeUnits == TR_CLASSES);
  if ((resemblance && optPostReseTransf != 0) || (dados && optTrVeUnits == BEALS_SMOOTHING) || classes) {
    fprintf(f, "%d\n%d\n%d\n%d\n", resemblance ? optPostReseTransf : 0, BealsTypeOpt, BealsIncludeOpt ? 1 : 0,
            BealsNormalizeOpt ? 1 : 0);
    if (classes) fprintf(f, "%d\n%d\n", nClassesVar, nClassesUnits);
  }
  return !ferror(f);
}

// Reads a track word by word and refuses anything a track written by this
// program cannot contain. Every count is checked against the size of the file
// before anything is allocated for it.
class TrackReader {
 public:
  TrackReader(FILE* f, long long size) : f_(f), size_(size) {}
  const std::string& problem() const { return problem_; }

  bool Word(std::string& w) {
    w.clear();
    int c;
    do {
      c = getc(f_);
    } while (c != EOF && isspace(c));
    if (c == EOF) return Fail(Tx("fim inesperado do arquivo", "unexpected end of file"));
    while (c != EOF && !isspace(c)) {
      if (w.size() < 4096) w.push_back(static_cast<char>(c));
      c = getc(f_);
    }
    return true;
  }
  bool Name(char* target, int maxLength) {
    if (!Word(word_)) return false;
    snprintf(target, static_cast<size_t>(maxLength) + 1, "%s", Utf8Prefix(word_, maxLength).c_str());
    return true;
  }
  bool Int(int& v, long lo = INT_MIN, long hi = INT_MAX) {
    std::string& w = word_;
    if (!Word(w)) return false;
    errno = 0;
    char* end = nullptr;
    long x = strtol(w.c_str(), &end, 10);
    if (end == w.c_str() || *end != '\0' || errno != 0 || x < lo || x > hi)
      return Fail(Tx("numero inteiro invalido", "invalid whole number") + std::string(" '") + w + "'");
    v = static_cast<int>(x);
    return true;
  }
  bool Flag(int& v) { return Int(v, 0, 1); }
  // An option number that `offered` accepts.
  bool Option(int& v, bool (*offered)(int)) {
    if (!Int(v)) return false;
    if (offered(v)) return true;
    return Fail(Tx("opcao que nenhum menu oferece", "option no menu offers") + std::string(" '") + word_ + "'");
  }
  // A real as written by %f, %g or %.17g; with finite, only a finite one.
  bool Real(double& v, bool finite = false) {
    std::string& w = word_;
    if (!Word(w)) return false;
    char* end = nullptr;
    v = strtod(w.c_str(), &end);
    if (end == w.c_str() || *end != '\0' || (finite && !std::isfinite(v)))
      return Fail(Tx("numero invalido", "invalid number") + std::string(" '") + w + "'");
    return true;
  }
  bool Reals(int n, double* v, bool finite = false) {
    for (int j = 0; j < n; j++)
      if (!Real(v[j], finite)) return false;
    return true;
  }
  bool Ints(int n, int* v, long lo = INT_MIN, long hi = INT_MAX) {
    for (int j = 0; j < n; j++)
      if (!Int(v[j], lo, hi)) return false;
    return true;
  }
  // Each value of the track takes a character and a separator at least.
  // True when nothing but white space is left.
  bool AtEnd() {
    int c;
    do {
      c = getc(f_);
    } while (c != EOF && isspace(c));
    if (c == EOF) return true;
    ungetc(c, f_);
    return false;
  }
  bool Fits(double count) {
    if (count <= static_cast<double>(size_) / 2 + 1) return true;
    return Fail(Tx("dimensoes incompativeis com o tamanho do arquivo", "dimensions do not fit the size of the file"));
  }
  bool Fail(const std::string& what) {
    if (problem_.empty()) problem_ = what;
    return false;
  }

 private:
  FILE* f_;
  long long size_;
  std::string problem_;
  std::string word_;  // the word last read, reused for every value
};

// Everything a track holds, read apart from the session state so that a
// damaged track leaves the state as it was.
struct Track {
  char name[NAME_LEN] = "";
  char dataFile[NAME_LEN] = "";
  int temDados = 0, nObj = 0, nVar = 0, optVarTipo = 0, temQuant = 0, temQual = 0, temBin = 0;
  char format = 'N';
  int* varType = nullptr;
  double** dataOrig = nullptr;
  double** data = nullptr;
  char** uaLabels = nullptr;
  char** varLabels = nullptr;
  int optTrEs = 0, optTrVeVar = 0, optTrVeUnits = 0, optLabel = 1;
  int temRese = 0, optReseDir = 1, optReseTipo = 0, nClassesVar = 0, nClassesUnits = 0, countDoubleAbsence = 0;
  double alphaH = 0, kParameter = 0;
  int nRows = 0, nCols = 0;
  double** rese = nullptr;
  int temEscore = 0, optOrdiType = 0, rank = 0;
  double* eig = nullptr;
  double** evectors = nullptr;
  double** escores = nullptr;
  int temGrupo = 0, nFactors = 0, nesting = 0;
  char** factorLabel = nullptr;
  int* nestedFactor = nullptr;
  int* nGroups = nullptr;
  int** grLabel = nullptr;
  int** grMemb = nullptr;
  bool hasChoices = false;  // the closing choices were present
  bool hasClasses = false;  // with the numbers of classes after them
  int optPostReseTransf = 0, BealsTypeOpt = 0, BealsIncludeOpt = 0, BealsNormalizeOpt = 0;

  void Release() {
    free1D(varType);
    freeDouble2D(dataOrig, nObj);
    freeDouble2D(data, nObj);
    freeChar2D(uaLabels, nObj);
    freeChar2D(varLabels, nVar);
    freeDouble2D(rese, nRows);
    free1D(eig);
    freeDouble2D(evectors, nRows + 1);
    freeDouble2D(escores, nRows);
    freeChar2D(factorLabel, nFactors);
    free1D(nestedFactor);
    free1D(nGroups);
    freeInt2D(grLabel, GroupArrayRows(nFactors));
    freeInt2D(grMemb, GroupArrayRows(nFactors));
    *this = Track();
  }
};

bool ReadData(TrackReader& r, Track& t) {
  if (!r.Int(t.nObj, 1) || !r.Int(t.nVar, 1) || !r.Int(t.optVarTipo, 1, 6) || !r.Flag(t.temQuant) ||
      !r.Flag(t.temQual) || !r.Flag(t.temBin))
    return false;
  const int rows = t.nObj, cols = t.nVar;
  t.nObj = t.nVar = 0;  // nothing allocated yet
  if (!r.Fits(2.0 * rows * cols + rows + cols)) return false;
  std::string w;
  if (!r.Word(w)) return false;
  if (w.size() != 1 || (toupper(w[0]) != 'N' && toupper(w[0]) != 'T'))
    return r.Fail(Tx("ordem dos dados invalida", "invalid order of values"));
  t.format = static_cast<char>(toupper(w[0]));
  t.nObj = rows;
  t.nVar = cols;
  t.varType = dimInt1D(cols);
  t.dataOrig = dimDouble2D(rows, cols);
  t.data = dimDouble2D(rows, cols);
  t.uaLabels = dimChar2D(rows, LABEL_LEN + 1);
  t.varLabels = dimChar2D(cols, LABEL_LEN + 1);
  if (!r.Ints(cols, t.varType, 1, 4)) return false;
  // The data as read from a data file are finite numbers.
  for (int i = 0; i < rows; i++)
    if (!r.Reals(cols, t.dataOrig[i], true)) return false;
  // Option numbers index the option tables: only those a menu offers.
  if (!r.Option(t.optTrEs, ScalarOptionOffered) || !r.Option(t.optTrVeVar, VariablesOptionOffered) ||
      !r.Option(t.optTrVeUnits, UnitsOptionOffered))
    return false;
  for (int i = 0; i < rows; i++)
    if (!r.Reals(cols, t.data[i])) return false;
  for (int i = 0; i < rows; i++)
    if (!r.Name(t.uaLabels[i], LABEL_LEN)) return false;
  for (int j = 0; j < cols; j++)
    if (!r.Name(t.varLabels[j], LABEL_LEN)) return false;
  return r.Int(t.optLabel, 1, 2);
}

// A rescaling into classes in force needs at least one class.
bool ClassesValid(TrackReader& r, const Track& t) {
  if ((t.optTrVeVar == TR_CLASSES && t.nClassesVar < 1) || (t.optTrVeUnits == TR_CLASSES && t.nClassesUnits < 1))
    return r.Fail(Tx("numero de classes invalido", "invalid number of classes"));
  return true;
}

bool ReadResemblance(TrackReader& r, Track& t) {
  if (!r.Int(t.optReseDir, 1, 2) || !r.Int(t.optReseTipo, 1, 29) || !r.Int(t.nClassesVar) || !r.Int(t.nClassesUnits) ||
      !r.Real(t.alphaH) || !r.Real(t.kParameter) || !r.Flag(t.countDoubleAbsence) || !ClassesValid(r, t))
    return false;
  const int n = t.optReseDir == 1 ? t.nObj : t.nVar;
  if (!r.Fits(0.5 * n * (n + 1.0))) return false;
  t.nCols = t.optReseDir == 1 ? t.nVar : t.nObj;
  t.nRows = n;
  t.rese = dimDouble2D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      if (!r.Real(t.rese[i][j])) return false;
      t.rese[j][i] = t.rese[i][j];
    }
  return true;
}

bool ReadOrdination(TrackReader& r, Track& t) {
  if (!r.Int(t.optOrdiType, 1, 3) || !r.Int(t.rank, 0, t.nRows)) return false;
  t.eig = dimDouble1D(t.nRows + 1);
  t.evectors = dimDouble2D(t.nRows + 1, t.nRows + 1);
  t.escores = dimDouble2D(t.nRows, t.optOrdiType == 1 ? t.nRows : t.nCols);
  if (!r.Reals(t.rank, t.eig)) return false;
  for (int k = 0; k < t.rank; k++) {
    if (!r.Reals(t.optOrdiType == 1 ? t.nRows : t.nCols, t.escores[k])) return false;
    if (t.optOrdiType == 3 && !r.Reals(t.nRows, t.evectors[k])) return false;
  }
  return true;
}

bool ReadGroups(TrackReader& r, Track& t) {
  int factors;
  if (!r.Int(factors, 1, 1000)) return false;
  const int rows = GroupArrayRows(factors);
  if (!r.Fits(static_cast<double>(factors) * (t.nObj + 1))) return false;
  t.nFactors = factors;
  t.grMemb = dimInt2D(rows, t.nObj);
  t.grLabel = dimInt2D(rows, t.nObj);
  t.nGroups = dimInt1D(rows);
  t.nestedFactor = dimInt1D(factors);
  t.factorLabel = dimChar2D(factors, NAME_LEN);
  if (!r.Int(t.nesting)) return false;
  for (int k = 0; k < factors; k++)
    if (!r.Name(t.factorLabel[k], NAME_LEN - 1)) return false;
  if (!r.Ints(factors, t.nestedFactor) || !r.Ints(factors, t.nGroups, 0, t.nObj)) return false;
  for (int k = 0; k < factors; k++)
    if (!r.Ints(t.nGroups[k], t.grLabel[k])) return false;
  for (int k = 0; k < factors; k++)
    if (!r.Ints(t.nObj, t.grMemb[k])) return false;
  return true;
}

// Fields 4 to 29, then the closing choices when present.
bool ReadState(TrackReader& r, Track& t) {
  if (!r.Flag(t.temDados)) return false;
  if (t.temDados == 1 && !ReadData(r, t)) return false;
  if (!r.Flag(t.temRese)) return false;
  if (t.temRese == 1) {
    if (t.temDados != 1) return r.Fail(Tx("semelhanca sem dados", "resemblance without data"));
    if (!ReadResemblance(r, t)) return false;
  }
  if (!r.Flag(t.temEscore)) return false;
  if (t.temEscore == 1) {
    if (t.temRese != 1) return r.Fail(Tx("ordenacao sem semelhanca", "ordination without resemblance"));
    if (!ReadOrdination(r, t)) return false;
  }
  if (!r.Flag(t.temGrupo)) return false;
  if (t.temGrupo == 1) {
    if (t.temDados != 1) return r.Fail(Tx("grupos sem dados", "groups without data"));
    if (!ReadGroups(r, t)) return false;
  }
  if (!r.AtEnd()) {
    t.hasChoices = true;
    if (!r.Int(t.optPostReseTransf, 0, 2) || !r.Int(t.BealsTypeOpt, 0, 1) || !r.Flag(t.BealsIncludeOpt) ||
        !r.Flag(t.BealsNormalizeOpt))
      return false;
    if (!r.AtEnd()) {
      if (t.temRese == 1) return r.Fail(Tx("valores a mais no fim", "extra values at the end"));
      t.hasClasses = true;
      if (!r.Int(t.nClassesVar) || !r.Int(t.nClassesUnits)) return false;
    }
  }
  if (t.temDados == 1 && (t.temRese == 1 || t.hasClasses) && !ClassesValid(r, t)) return false;
  return true;
}

// Replaces the session state by the track just read; the arrays now belong to
// the session state.
void Install(Track& t) {
  // The globals own their arrays alone (held data sets own theirs).
  LivraMemoria();
  // The session is the track file opened, whatever name a copied track
  // still carries inside.
  SessionNameOf(sessionFilename, sessionName);
  snprintf(filename, sizeof filename, "%s", t.dataFile);
  temDados = t.temDados;
  nObj = t.nObj;
  nVar = t.nVar;
  optVarTipo = t.optVarTipo;
  temQuant = t.temQuant;
  temQual = t.temQual;
  temBin = t.temBin;
  format = t.format;
  varType = t.varType;
  dataOrig = t.dataOrig;
  data = t.data;
  uaLabels = t.uaLabels;
  varLabels = t.varLabels;
  optLabel = t.optLabel;
  optTrEs = t.optTrEs;
  optTrVeVar = t.optTrVeVar;
  optTrVeUnits = t.optTrVeUnits;
  temRese = t.temRese;
  rese = t.rese;
  if (t.hasClasses) {
    nClassesVar = t.nClassesVar;
    nClassesUnits = t.nClassesUnits;
  }
  if (t.temRese) {
    optReseDir = t.optReseDir;
    optReseTipo = t.optReseTipo;
    nClassesVar = t.nClassesVar;
    nClassesUnits = t.nClassesUnits;
    alphaH = t.alphaH;
    kParameter = t.kParameter;
    countDoubleAbsence = t.countDoubleAbsence;
    nRows = t.nRows;
    nCols = t.nCols;
  }
  temEscore = t.temEscore;
  eig = t.eig;
  evectors = t.evectors;
  escores = t.escores;
  if (t.temEscore) {
    optOrdiType = t.optOrdiType;
    rank = t.rank;
  }
  temGrupo = t.temGrupo;
  grMembDimensioned = t.temGrupo;
  nFactors = t.nFactors;
  nesting = t.nesting;
  factorLabel = t.factorLabel;
  nestedFactor = t.nestedFactor;
  nGroups = t.nGroups;
  grLabel = t.grLabel;
  grMemb = t.grMemb;
  // A track without the closing choices has no transformed resemblance and
  // no Beals smoothing that needs them.
  optPostReseTransf = t.hasChoices ? t.optPostReseTransf : 0;
  if (t.hasChoices) {
    BealsTypeOpt = t.BealsTypeOpt;
    BealsIncludeOpt = t.BealsIncludeOpt;
    BealsNormalizeOpt = t.BealsNormalizeOpt;
  }
  t = Track();
}

bool Exists(const char* name) {
  struct stat st;
  return stat(name, &st) == 0;
}

}  // namespace

void SetDefaultSessionName() {
  snprintf(sessionName, sizeof sessionName, "%s", "Sessao");
  MakeTrackName(sessionFilename, sessionName);
}

int WriteSessionTrack() {
  // Each file is replaced only once its new contents are whole: a failed
  // write (a full disk, a size limit) leaves the last track as it was.
  char name[NAME_LEN];
  SessionNameOf(sessionFilename, name);
  snprintf(sessionName, sizeof sessionName, "%s", name);
  const char* failed = nullptr;
  if (!WriteFileAtomically(sessionFilename, WriteTrack)) {
    failed = sessionFilename;
  } else if (strcmp(sessionFilename, pointerFileName) != 0) {
    // The default session's track is the pointer file itself, starting with
    // the name; any other session is named by the pointer.
    if (!WriteFileAtomically(pointerFileName, [&](FILE* p) { return fprintf(p, "%s\n", name) > 0; }))
      failed = pointerFileName;
  }
  const int error = errno;
  ClearLine();
  if (failed != nullptr) {
    fprintf(stdout,
            Tx("\nFalha ao escrever o arquivo %s (%s): a sessao NAO esta armazenada; a versao anterior do arquivo "
               "ficou como estava.\n",
               "\nFailed to write file %s (%s): the session is NOT saved; the previous version of the file stays as "
               "it was.\n"),
            failed, strerror(error));
    fputc('\a', stdout);
    savedSession = 0;
    return 0;
  }
  savedSession = 1;
  return 1;
}

int ReadSessionTrack() {
  FILE* f = fopenck(sessionFilename, nullptr, "r");
  if (f == nullptr) {
    fprintf(stdout, Tx("\nSessao %s nao pode ser lida.\n", "\nSession %s could not be read.\n"), sessionFilename);
    return 0;
  }
  struct stat st;
  const long long size = fstat(fileno(f), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
  TrackReader r(f, size);
  Track t;
  std::string version;
  bool ok = r.Name(t.name, NAME_LEN - 1) && r.Name(t.dataFile, NAME_LEN - 1) && r.Word(version);
  if (ok && version != versaoTrack) {
    fclose(f);
    fprintf(stdout, "%s",
            Tx("Analise anterior gerada por versao incompativel. \nEspecifique dados novamente.",
               "Previous analysis done with incompatible version of Plexor. \nSpecify data again."));
    return 0;
  }
  ok = ok && ReadState(r, t);
  ClearLine();
  fclose(f);
  if (!ok) {
    t.Release();
    fprintf(stdout,
            Tx("\nO arquivo de sessao %s esta danificado (%s) e nao foi lido.\nEspecifique dados novamente.\n",
               "\nSession track file %s is damaged (%s) and was not read.\nSpecify data again.\n"),
            sessionFilename, r.problem().c_str());
    return 0;
  }
  Install(t);
  return 1;
}

int SaveSession() {
  char name[NAME_LEN];
  char track[NAME_LEN];
  for (;;) {
    fprintf(out, "%s", Tx("Entre nome para a sessao: ", "Enter name for the session: "));
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    CutSessionName(name);
    MakeTrackName(track, name);
    if (!Exists(track)) break;
    fprintf(out, Tx("Ja existe uma sessao denominada %s. Deseja apagar? s/n ", "A session named %s already exists. Wish to erase? y/n "),
            name);
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') break;
  }
  char formerName[NAME_LEN], formerFilename[NAME_LEN];
  snprintf(formerName, sizeof formerName, "%s", sessionName);
  snprintf(formerFilename, sizeof formerFilename, "%s", sessionFilename);
  const int formerSaved = savedSession;
  snprintf(sessionName, sizeof sessionName, "%s", name);
  snprintf(sessionFilename, sizeof sessionFilename, "%s", track);
  if (WriteSessionTrack() == 1) return 1;
  // A name whose track cannot be written is not taken; the former track,
  // untouched, is as current as it was.
  snprintf(sessionName, sizeof sessionName, "%s", formerName);
  snprintf(sessionFilename, sizeof sessionFilename, "%s", formerFilename);
  savedSession = formerSaved;
  return 0;
}

int OpenSession() {
  char name[NAME_LEN];
  char track[NAME_LEN];
  for (;;) {
    fprintf(out, "%s", Tx("Entre nome da sessao (sem a extensao .trk): ", "Enter session name (without the extension .trk): "));
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    CutSessionName(name);
    MakeTrackName(track, name);
    FILE* f = fopenck(track, nullptr, "r");
    if (f != nullptr) {
      fclose(f);
      break;
    }
    fprintf(out, "%s", Tx("Tentar novamente? s/n ", "Try again? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return 0;
  }
  snprintf(sessionFilename, sizeof sessionFilename, "%s", track);
  if (ReadSessionTrack() == 1) return 1;
  MakeTrackName(sessionFilename, sessionName);
  return 0;
}

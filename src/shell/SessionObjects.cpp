// Data set objects: exchange with the session globals, copies, release, and
// the dialogues that read a second and a third data set from stored sessions.
#include "shell/SessionObjects.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"

std::unique_ptr<Session> session2, session3;

namespace {

const char* Tx(const char* pt, const char* en) { return port ? pt : en; }

void SwapName(char* a, char* b) {
  char t[NAME_LEN];
  memcpy(t, a, NAME_LEN);
  memcpy(a, b, NAME_LEN);
  memcpy(b, t, NAME_LEN);
}

// Every field of the record against its global: the one list of what a data
// set is.
void ExchangeWithGlobals(SessionData& d) {
  using std::swap;
  SwapName(d.filename, filename);
  SwapName(d.sessionName, sessionName);
  SwapName(d.sessionFilename, sessionFilename);
  swap(d.format, format);
  swap(d.temDados, temDados);
  swap(d.nObj, nObj);
  swap(d.nVar, nVar);
  swap(d.nRows, nRows);
  swap(d.nCols, nCols);
  swap(d.optVarTipo, optVarTipo);
  swap(d.optLabel, optLabel);
  swap(d.temQuant, temQuant);
  swap(d.temQual, temQual);
  swap(d.temBin, temBin);
  swap(d.varType, varType);
  swap(d.optTrEs, optTrEs);
  swap(d.optTrVeVar, optTrVeVar);
  swap(d.optTrVeUnits, optTrVeUnits);
  swap(d.nClassesVar, nClassesVar);
  swap(d.nClassesUnits, nClassesUnits);
  swap(d.BealsTypeOpt, BealsTypeOpt);
  swap(d.BealsIncludeOpt, BealsIncludeOpt);
  swap(d.BealsNormalizeOpt, BealsNormalizeOpt);
  swap(d.trGroupFactor, trGroupFactor);
  swap(d.dataOrig, dataOrig);
  swap(d.data, data);
  swap(d.uaLabels, uaLabels);
  swap(d.varLabels, varLabels);
  swap(d.optPrintData, optPrintData);
  swap(d.temRese, temRese);
  swap(d.optReseDir, optReseDir);
  swap(d.optReseTipo, optReseTipo);
  swap(d.optPostReseTransf, optPostReseTransf);
  swap(d.countDoubleAbsence, countDoubleAbsence);
  swap(d.alphaH, alphaH);
  swap(d.kParameter, kParameter);
  swap(d.rese, rese);
  swap(d.temEscore, temEscore);
  swap(d.optOrdiType, optOrdiType);
  swap(d.rank, rank);
  swap(d.eig, eig);
  swap(d.evectors, evectors);
  swap(d.escores, escores);
  swap(d.temGrupo, temGrupo);
  swap(d.nFactors, nFactors);
  swap(d.nesting, nesting);
  swap(d.grMembDimensioned, grMembDimensioned);
  swap(d.factorLabel, factorLabel);
  swap(d.nestedFactor, nestedFactor);
  swap(d.nGroups, nGroups);
  swap(d.grLabel, grLabel);
  swap(d.grMemb, grMemb);
  swap(d.savedSession, savedSession);
}

// Width of the score table (principal coordinates score the compared entities).
int ScoreColumns(const SessionData& d) { return d.optOrdiType == 1 ? d.nRows : d.nCols; }

template <class T>
T** Copy2D(T** m, int rows, int cols) {
  if (m == nullptr) return nullptr;
  T** c = reinterpret_cast<T**>(dim2D(sizeof(T), rows, cols));
  for (int i = 0; i < rows; i++) memcpy(c[i], m[i], sizeof(T) * static_cast<size_t>(cols));
  return c;
}

template <class T>
T* Copy1D(const T* v, int n) {
  if (v == nullptr) return nullptr;
  T* c = static_cast<T*>(dim1D(sizeof(T), n));
  memcpy(c, v, sizeof(T) * static_cast<size_t>(n));
  return c;
}

// Clears every array pointer of a record (the arrays are not touched).
void ForgetArrays(SessionData& d) {
  d.varType = nullptr;
  d.dataOrig = d.data = nullptr;
  d.uaLabels = d.varLabels = nullptr;
  d.rese = nullptr;
  d.eig = nullptr;
  d.evectors = d.escores = nullptr;
  d.factorLabel = nullptr;
  d.nestedFactor = d.nGroups = nullptr;
  d.grLabel = d.grMemb = nullptr;
}

// Releases the arrays of a record, each by its own shape, and clears their
// pointers. Arrays are released whenever they exist, whatever the flags say.
void ReleaseArrays(SessionData& d) {
  free1D(d.varType);
  freeDouble2D(d.dataOrig, d.nObj);
  freeDouble2D(d.data, d.nObj);
  freeChar2D(d.uaLabels, d.nObj);
  freeChar2D(d.varLabels, d.nVar);
  freeDouble2D(d.rese, d.nRows);
  free1D(d.eig);
  freeDouble2D(d.evectors, d.nRows + 1);
  freeDouble2D(d.escores, d.nRows);
  const int groupRows = GroupArrayRows(d.nFactors);
  freeChar2D(d.factorLabel, d.nFactors);
  free1D(d.nestedFactor);
  free1D(d.nGroups);
  freeInt2D(d.grLabel, groupRows);
  freeInt2D(d.grMemb, groupRows);
  ForgetArrays(d);
}

// A record holding copies of every array of `d` (same shapes).
void CopyArrays(const SessionData& d, SessionData& c) {
  c = d;  // names and settings; the pointers are replaced below
  ForgetArrays(c);
  try {
    c.varType = Copy1D(d.varType, d.nVar);
    c.dataOrig = Copy2D(d.dataOrig, d.nObj, d.nVar);
    c.data = Copy2D(d.data, d.nObj, d.nVar);
    c.uaLabels = Copy2D(d.uaLabels, d.nObj, LABEL_LEN + 1);
    c.varLabels = Copy2D(d.varLabels, d.nVar, LABEL_LEN + 1);
    c.rese = Copy2D(d.rese, d.nRows, d.nRows);
    c.eig = Copy1D(d.eig, d.nRows + 1);
    c.evectors = Copy2D(d.evectors, d.nRows + 1, d.nRows + 1);
    c.escores = Copy2D(d.escores, d.nRows, ScoreColumns(d));
    const int groupRows = GroupArrayRows(d.nFactors);
    c.factorLabel = Copy2D(d.factorLabel, d.nFactors, NAME_LEN);
    c.nestedFactor = Copy1D(d.nestedFactor, d.nFactors);
    c.nGroups = Copy1D(d.nGroups, groupRows);
    c.grLabel = Copy2D(d.grLabel, groupRows, d.nObj);
    c.grMemb = Copy2D(d.grMemb, groupRows, d.nObj);
  } catch (...) {
    ReleaseArrays(c);
    throw;
  }
}

DataSetView ViewOf(const SessionData& d) {
  DataSetView v;
  v.filename = d.filename;
  v.sessionName = d.sessionName;
  v.nObj = d.nObj;
  v.nVar = d.nVar;
  v.optVarTipo = d.optVarTipo;
  v.data = d.data;
  v.dataOrig = d.dataOrig;
  v.uaLabels = d.uaLabels;
  v.varLabels = d.varLabels;
  v.hasRese = d.temRese == 1 && d.rese != nullptr;
  v.optReseDir = d.optReseDir;
  v.nRows = d.nRows;
  v.rese = d.rese;
  return v;
}

void DeriveState() {
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  SetStepReached();
}

// Reads a data set from a stored session (the session dialogue of option N)
// while the first data set waits aside, untouched. Null, after saying why,
// when no session was read or the one read cannot be related to the first
// data set. The first data set is current again on return, also when an
// exception passes.
std::unique_ptr<Session> ReadStoredDataSet() {
  Session first;
  first.ExchangeWithCurrent();  // the globals now hold no data set
  std::unique_ptr<Session> read;
  try {
    if (OpenSession() == 1) {
      savedSession = 1;  // it is what its track holds
      read = Session::TakeCurrent();
    }
  } catch (...) {
    LivraMemoria();  // whatever a failed reading left in the globals
    first.ExchangeWithCurrent();
    DeriveState();
    throw;
  }
  LivraMemoria();  // nothing, unless reading left something behind
  first.ExchangeWithCurrent();
  DeriveState();
  if (!read) return nullptr;
  const SessionData& s = read->Data();
  if (s.temDados != 1) {
    fprintf(out,
            Tx("\nA sessao %s nao contem dados e nao pode ser usada.\n",
               "\nSession %s holds no data and cannot be used.\n"),
            s.sessionName);
    return nullptr;
  }
  if (s.nObj != nObj) {
    fprintf(out,
            Tx("\nO conjunto de dados da sessao %s tem %d unidades amostrais, mas o primeiro conjunto de dados (%s) "
               "tem %d: os conjuntos de dados devem descrever as mesmas unidades amostrais, na mesma ordem.\n",
               "\nThe data set of session %s has %d sampling units, but the first data set (%s) has %d: the data "
               "sets must describe the same sampling units, in the same order.\n"),
            s.sessionName, s.nObj, filename, nObj);
    return nullptr;
  }
  return read;
}

}  // namespace

DataSetView CurrentDataSetView() {
  DataSetView v;
  v.filename = filename;
  v.sessionName = sessionName;
  v.nObj = nObj;
  v.nVar = nVar;
  v.optVarTipo = optVarTipo;
  v.data = data;
  v.dataOrig = dataOrig;
  v.uaLabels = uaLabels;
  v.varLabels = varLabels;
  v.hasRese = temRese == 1 && rese != nullptr;
  v.optReseDir = optReseDir;
  v.nRows = nRows;
  v.rese = rese;
  return v;
}

Session::~Session() { ReleaseArrays(d_); }

std::unique_ptr<Session> Session::CopyOfCurrent() {
  auto s = std::make_unique<Session>();
  // The current data set visits the object while its copy is made, so that
  // one routine reads every field.
  s->ExchangeWithCurrent();
  SessionData copy;
  try {
    CopyArrays(s->d_, copy);
  } catch (...) {
    s->ExchangeWithCurrent();
    throw;
  }
  s->ExchangeWithCurrent();
  s->d_ = copy;
  return s;
}

std::unique_ptr<Session> Session::TakeCurrent() {
  auto s = std::make_unique<Session>();
  s->ExchangeWithCurrent();
  return s;
}

void Session::ExchangeWithCurrent() { ExchangeWithGlobals(d_); }

void Session::Swap(Session& other) { std::swap(d_, other.d_); }

DataSetView Session::View() const { return ViewOf(d_); }

std::unique_ptr<Session> SessionClass(bool copyArrays) {
  return copyArrays ? Session::CopyOfCurrent() : Session::TakeCurrent();
}

void ChangeCurrentSession(Session& s) {
  s.ExchangeWithCurrent();
  DeriveState();
}

void MakeDataSetCurrent(int which) {
  static Session* lent = nullptr;  // the object holding the first data set meanwhile
  if (which == 2 && lent == nullptr && session2) {
    lent = session2.get();
    ChangeCurrentSession(*lent);
  } else if (which == 1 && lent != nullptr) {
    ChangeCurrentSession(*lent);
    lent = nullptr;
  }
}

int SpecifySecondSession() {
  if (secondSet && session2) {
    fprintf(out, Tx("Primeiro conjunto de dados: %s\n", "First data set: %s\n"), filename);
    fprintf(out, Tx("Segundo conjunto de dados: %s\n", "Second data set: %s\n"), session2->Data().filename);
    fprintf(out, "%s",
            Tx("Manter (k), inverter ordem (s) ou especificar o segundo novamente (n)? ",
               "Keep (k), switch order (s) or specify the second data set again (n)? "));
    const char answer = ScanChar(in, "k s n", KeyboardLabel());
    if (answer == 'k') return 1;
    if (answer == 's') {
      ChangeCurrentSession(*session2);
      return 1;
    }
  }
  fprintf(out, Tx("Primeiro conjunto de dados: %s\n", "First data set: %s\n"), filename);
  fprintf(out, "%s\n", Tx("Especifique agora o segundo conjunto de dados.", "Specify now the second data set."));
  // A set held before stays held when no new one could be had; the option
  // then ends.
  std::unique_ptr<Session> read = ReadStoredDataSet();
  if (!read) return 0;
  session2 = std::move(read);
  secondSet = true;
  return 1;
}

int SpecifyThirdSession() {
  if (thirdSet && session3 && session2) {
    fprintf(out, Tx("Primeiro conjunto de dados: %s\n", "First data set: %s\n"), filename);
    fprintf(out, Tx("Segundo conjunto de dados: %s\n", "Second data set: %s\n"), session2->Data().filename);
    fprintf(out, Tx("Terceiro conjunto de dados: %s\n", "Third data set: %s\n"), session3->Data().filename);
    fprintf(out, "%s",
            Tx("Manter (k), inverter ordem (s) entre segundo e terceiro ou especificar o terceiro novamente (n)? ",
               "Keep (k), switch order (s) between second and third or specify the third data set again (n)? "));
    const char answer = ScanChar(in, "k s n", KeyboardLabel());
    if (answer == 'k') return 1;
    if (answer == 's') {
      session2->Swap(*session3);
      return 1;
    }
  }
  fprintf(out, Tx("Primeiro conjunto de dados: %s\n", "First data set: %s\n"), filename);
  if (session2) fprintf(out, Tx("Segundo conjunto de dados: %s\n", "Second data set: %s\n"), session2->Data().filename);
  fprintf(out, "%s\n", Tx("Especifique agora o terceiro conjunto de dados.", "Specify now the third data set."));
  std::unique_ptr<Session> read = ReadStoredDataSet();
  if (!read) return 0;
  session3 = std::move(read);
  thirdSet = true;
  return 1;
}

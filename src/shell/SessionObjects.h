// The data sets held besides the current one: the second and third data sets
// of the analyses that relate two (or three) sets of variables describing the
// same sampling units.
//
// Ownership. The current data set lives in the session globals
// (SessionState.h), which own its arrays. A Session object owns the arrays of
// the data set it holds. No array is ever shared: making another data set
// current exchanges the whole contents of the globals and of an object
// (names, settings and array pointers), so every array has exactly one owner
// at any time and is released once, by that owner. A transformation or a new
// resemblance matrix computed on the current data set can therefore replace
// its arrays freely without touching a held data set.
//
// The flags secondSet and thirdSet (SessionState.h) say whether a second and
// a third data set are held; they belong to the session, not to any data set,
// so exchanging data sets never changes them.
#pragma once
#include <memory>

#include "shell/SessionState.h"

// Everything that describes one data set, as the session globals of the same
// names hold it for the current one. Plain values; the arrays are owned by
// whoever holds the record (a Session, or the globals).
struct SessionData {
  char filename[NAME_LEN] = "";
  char sessionName[NAME_LEN] = "Sessao";
  char sessionFilename[NAME_LEN] = "Sessao.trk";
  char format = 'N';
  int temDados = 0;
  int nObj = 0, nVar = 0, nRows = 0, nCols = 0;
  int optVarTipo = 0, optLabel = 1, temQuant = 0, temQual = 0, temBin = 0;
  int* varType = nullptr;
  int optTrEs = 0, optTrVeVar = 0, optTrVeUnits = 0;
  int nClassesVar = 0, nClassesUnits = 0;
  int BealsTypeOpt = 1, BealsIncludeOpt = 1, BealsNormalizeOpt = 0;
  int trGroupFactor = 0;
  double** dataOrig = nullptr;
  double** data = nullptr;
  char** uaLabels = nullptr;
  char** varLabels = nullptr;
  char optPrintData = 'n';
  int temRese = 0, optReseDir = 1, optReseTipo = 0, optPostReseTransf = 0, countDoubleAbsence = 0;
  double alphaH = 1, kParameter = 0;
  double** rese = nullptr;
  int temEscore = 0, optOrdiType = 0, rank = 0;
  double* eig = nullptr;
  double** evectors = nullptr;
  double** escores = nullptr;
  int temGrupo = 0, nFactors = 0, nesting = 0, grMembDimensioned = 0;
  char** factorLabel = nullptr;
  int* nestedFactor = nullptr;
  int* nGroups = nullptr;
  int** grLabel = nullptr;
  int** grMemb = nullptr;
  int savedSession = 0;
};

// What the analyses of two data sets read from one of them. Non-owning: valid
// while the data set it was taken from stays where it is.
struct DataSetView {
  const char* filename = "";     // the data file: the data set's name in reports
  const char* sessionName = "";  // the session it was stored as
  int nObj = 0, nVar = 0;
  int optVarTipo = 0;            // declared kind of data (1 to 6)
  const double* const* data = nullptr;      // nObj x nVar, after its transformations
  const double* const* dataOrig = nullptr;  // nObj x nVar, as read
  const char* const* uaLabels = nullptr;
  const char* const* varLabels = nullptr;
  bool hasRese = false;          // a resemblance matrix is held
  int optReseDir = 1;            // 1 it compares sampling units, 2 variables
  int nRows = 0;                 // its order
  const double* const* rese = nullptr;

  // A resemblance matrix comparing the sampling units is held.
  bool UnitResemblance() const { return hasRese && rese != nullptr && optReseDir == 1 && nRows == nObj; }
  // Variables measured on one scale: quantitative on the same scale (1) or binary (4).
  bool Commensurable() const { return optVarTipo == 1 || optVarTipo == 4; }
};

// The current data set (the globals) as a view.
DataSetView CurrentDataSetView();

class Session {
 public:
  // Holds no data set: no data, no arrays.
  Session() = default;
  // Releases every array held, each by its own shape.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // A copy of the current data set, arrays included (the globals keep theirs).
  static std::unique_ptr<Session> CopyOfCurrent();
  // Takes the current data set over: the globals are left holding no data.
  static std::unique_ptr<Session> TakeCurrent();

  // Exchanges the data set held with the current one (the globals). Derived
  // values (data type, stage) are not recomputed here: ChangeCurrentSession.
  void ExchangeWithCurrent();
  // Exchanges the data sets held by two objects.
  void Swap(Session& other);

  const SessionData& Data() const { return d_; }
  DataSetView View() const;

 private:
  void Release();
  SessionData d_;
};

// The session-creation name of the copy: a new object holding a copy of the
// current data set (copyArrays true), or taking it over (false; the globals
// are then left without data).
std::unique_ptr<Session> SessionClass(bool copyArrays);

// Makes the data set of s current: the data set current until now goes into
// s. Data type and stage are derived again for the new current data set.
void ChangeCurrentSession(Session& s);

// The second and third data sets, held while secondSet / thirdSet is true.
extern std::unique_ptr<Session> session2, session3;

// Option K's dialogues obtaining a second and a third data set from stored
// sessions (keep, switch order or specify again when one is held). A set
// whose number of sampling units differs from the first one's is refused
// with a message. Return 1 when the data set is held at the end, 0 when none
// could be had (the user gave up, or the set was refused); the first data set
// is current again in every case.
int SpecifySecondSession();
int SpecifyThirdSession();

// The status report's hook (makeDataSetCurrent): 2 makes the second data set
// current, 1 makes the first one current again.
void MakeDataSetCurrent(int which);

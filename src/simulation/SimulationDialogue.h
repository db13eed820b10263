// Dialogue pieces shared by the two simulation generators (letters U and J):
// the session choices their questions borrow, yes/no questions, the file a
// generator writes its simulated data to, and the console progress line.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "randomization/IterationRunner.h"

// Text in the console language.
const char* SimTx(const char* portuguese, const char* english);

// The transformation, resemblance and ordination questions store their
// answers in the session (option numbers, data type, the resemblance
// parameters, the offered measures). A generator asks them for its own
// tables: it snapshots the session's values first, and they are put back
// when the snapshot goes out of scope, so the session is as it was.
class BorrowedSessionChoices {
 public:
  BorrowedSessionChoices();
  ~BorrowedSessionChoices();
  BorrowedSessionChoices(const BorrowedSessionChoices&) = delete;
  BorrowedSessionChoices& operator=(const BorrowedSessionChoices&) = delete;
  // The questions then offer what suits quantitative variables on one scale.
  void AsQuantitativeData();

 private:
  int optVarTipo_, temQuant_, temQual_, temBin_;
  int optTrEs_, optTrVeVar_, optTrVeUnits_, nClassesVar_, nClassesUnits_;
  int dataType_, isStandardized_, hasNegative_, mutualUnits_, mutualVar_;
  int optReseDir_, optReseTipo_, optPostReseTransf_, nRows_, nCols_, countDoubleAbsence_;
  double alphaH_, kParameter_;
  int optOrdiType_, optCompara_;
};

// A yes/no question: true unless the answer is no.
bool AskYes(const char* portuguese, const char* english);

// Asks for the name of the file the simulated data go to. Names of the files
// the session keeps (the results file, the preferences, the session track and
// its pointer, the data file) and `reserved` (the generator's summary files)
// are refused and asked again; an existing file is replaced only when the
// user confirms.
std::string AskSimulatedDataFile(const std::vector<std::string>& reserved);

// "<label> <total> <done>" on the console progress line.
ProgressHook SimulationProgress(const char* portuguese, const char* english);

// Writes the tab-separated cell of a value ("NA" for the missing-value code).
void WriteCell(FILE* f, double value);

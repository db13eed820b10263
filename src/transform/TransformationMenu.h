// Menu routines of the transform folder: option T, the session's
// transformation as a value, and the dialogue pieces, report and side files
// shared by TransformaDados and SettingsDataTransformation.
#pragma once
#include <cstdio>

#include "shell/SessionState.h"
#include "transform/TransformChoice.h"

// Main-menu option T: 1 when a transformation was applied (or removed), 0
// when cancelled.
int TransformaDados();
// The transformation in force in the session, as a value that any thread can
// hand to DataTransformationsLib together with its own copy of the original
// table (dataOrig). For deviations from group means it holds a copy of the
// chosen factor's groups.
TransformChoice CurrentTransformChoice();

// Asks the same chain of transformation menus as TransformaDados and stores
// the three options (without touching the data). 1 stored, 0 cancelled.
int SettingsDataTransformation();

// Text in the console language.
inline const char* PtEn(const char* pt, const char* en) { return port ? pt : en; }

// Number of classes for the rescaling into classes: the prompt alone, and the
// prompt with the reading.
void PrintClassesPrompt();
int AskNumberOfClasses();
// The status, the heading of the transformation menu and its first question
// (entries 0 to last of optTrInfo, offered by whether any transformation is
// in force); returns the answer.
int AskFirstTransformationChoice(int last);
// A yes/no question already printed: true unless the answer is 'n'.
bool AnswerNotNo();

// The data transformation block of "Zoviri.txt" (header, status and, when
// optPrintData is 's', the original and transformed tables). False when the
// file cannot be opened.
bool WriteTransformationReport();
// The Beals test offered after Beals smoothing: asks whether to run it and,
// when yes, runs the seed dialogue and reads the number of permutations.
struct BealsTestRequest {
  bool run = false;
  int nPermutations = 0;
};
BealsTestRequest AskBealsTest();
// Runs the test on the original table after the session's scalar
// transformation only, with the session's Beals options and seed, and
// appends its results to "Zoviri.txt". The session's tables are not
// touched. False when memory ran out or the file could not be opened.
bool RunBealsTest(int nPermutations);

// Side files of the two expansions; false when the file cannot be opened.
bool WriteExpandedNominalData();
bool WriteExpandedContingencyData();
// Checks the codes or counts of dataOrig before an expansion (scalar option 4
// or 5); on bad input prints the reason on the console and returns false.
bool ExpansionInputValid(int optScalar);

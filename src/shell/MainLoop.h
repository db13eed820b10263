// Start-up and the main menu loop. The loop knows no analysis: main.cpp hands
// it the table of main-menu letters, each with its entry point and the
// session bookkeeping the loop does after it.
#pragma once
#include <vector>

// Bookkeeping after an entry point returns (result 1 = done and the state
// changed, anything else = cancelled). "Record" writes the session track,
// unless the resemblance matrix still held has more than 400 rows (the
// session is then marked as not saved).
enum class AfterAction {
  Nothing,         // the entry point keeps the session as it was, or records it itself
  Record,          // record, whatever the result
  RecordWhenDone,  // record when the result is 1
  NewData,         // write the track, whatever the order of the matrix
  Groups,          // record, then recompute the stage (AfterGroupsSpecified)
  Ordination,      // on 1: ordination results present, record
  Resemblance,     // on 1: matrix present, former scores gone, record, stage
  Transformation,  // on 1: matrix and scores gone, write the track, data type and stage
};

// One letter of the main menu. The letters shown, and whether each may be
// chosen at the current stage, come from the option tables (appliesMain);
// this table says what each letter runs.
struct MainMenuEntry {
  char letter;   // upper case
  int (*run)();  // entry point
  AfterAction after;
};
using MainMenuTable = std::vector<MainMenuEntry>;

// Error barrier around PlexorMain: memory exhaustion and the int codes
// thrown by the readers end the program with their message.
int mainInit(const MainMenuTable& menu);
// Preferences, language, clocks, banner, session resumption, thread limit,
// then the main loop; returns 1 when the user chooses X.
int PlexorMain(const MainMenuTable& menu);

// Prints the program banner on `out`.
void ShowBanner();
// Runs main-menu passes until the user chooses X.
void MainLoop(const MainMenuTable& menu);
// One pass of the main menu: returns false when the user chose X.
bool MainMenuPass(const MainMenuTable& menu);
// Calls the entry point of a letter other than X and does its bookkeeping;
// returns the entry point's result (0 for a letter without entry).
int RunMainOption(const MainMenuTable& menu, char option);
// The bookkeeping alone. The results-file mode is not touched here: it turns
// to append when the file is opened (OpenResultsFile), so an action that
// wrote nothing leaves it as it was.
void AfterMainOption(AfterAction after, int result);
// Entry point of an analysis not built yet: a one-line notice; returns 0.
int AnalysisNotAvailable();
// Main menu option Z: reads answers from a script file or from the keyboard.
void ChooseInputSource();

// Pieces of the program's start-up and main loop, shared between the files
// that hold them.
#pragma once

// Prints the program banner on `out`.
void ShowBanner();
// Runs main-menu passes until the user chooses X.
void MainLoop();
// One pass of the main menu: returns false when the user chose X.
bool MainMenuPass();
// Calls the entry point of a main-menu letter other than X; returns its
// result (1 for entry points that return nothing).
int RunMainOption(char option);
// Bookkeeping after a main-menu action: the session track, the stage and the
// data type, as the letter and its result require. The results-file mode is
// not touched here: it turns to append when the file is opened
// (OpenResultsFile), so an action that wrote nothing leaves it as it was.
void AfterMainOption(char option, int result);
// Main menu option Z: reads answers from a script file or from the keyboard.
void ChooseInputSource();

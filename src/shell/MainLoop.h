// Pieces of the program's start-up and main loop, shared between the files
// that hold them.
#pragma once

// Prints the program banner on `out`.
void ShowBanner();
// Runs main-menu passes until the user chooses X.
void MainLoop();
// One pass of the main menu: returns false when the user chose X.
bool MainMenuPass();
// Main menu option Z: reads answers from a script file or from the keyboard.
void ChooseInputSource();

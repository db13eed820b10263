// The services the shell gives the menu routines of every analysis: menus,
// status, session track and preferences, the results file and the common
// refusals. (Start-up and the main loop: MainLoop.h.)
#pragma once
#include <cstdio>

// Shell.
void HandleError(int code);
void Initialize();
void Init();
void CheckSession();
// CheckSession without the question on the results file: after new data
// could not be read, the last session is offered again mid-session.
void OfferLastSessionAgain();
void SetStepReached();
void SetDataType(int optTrEs, int optTrVeVar, int optTrVeUnits);
void ShowMenu(int first, int last, const int (*applies)[8], int column, const char** info, int* answer);
void ShowStatus(FILE* f);

// Data and session.
int SpecifySession();
int AbreDados();
void PrintData(FILE* f, int rows, int cols, int digits, double** m);
void PrintData(FILE* f, int rows, int cols, int digits, float** m);
void PrintRese(FILE* f, int n, int digits, double** m);
int WriteSessionTrack();
int ReadSessionTrack();
int SaveSession();
int OpenSession();
void SetDefaultSessionName();
void ReadPreferences();
int SetPreferences();
void WritePreferences();

// Bookkeeping once groups were specified (option G, or the groups a
// transformation asks for): the session track is recorded, unless the
// resemblance matrix held has more than 400 rows, and the stage recomputed.
void AfterGroupsSpecified();

// Number of pairs i < j of the n x n matrix m holding the missing-value code.
int CountUndefinedResemblances(int n, double** m);
// When the resemblance matrix holds undefined values, says so on the console
// and returns true: ordination and distance-based clustering refuse it.
bool RefuseUndefinedResemblances();

// Tells the user, in the console language, that an analysis stopped for want
// of memory. Menu routines call it when a kernel throws std::bad_alloc, after
// putting the session state back in order.
void ReportNoMemory();

// Results file: opens "Zoviri.txt" with modeZoviri. The first opening after
// the user chose to erase the file truncates it; from then on modeZoviri is
// "a", so every later block is appended. Null when it cannot be opened.
FILE* OpenResultsFile();
// The same; when the file cannot be opened, says so on the console first
// ("Could not open file Zoviri.txt.").
FILE* OpenResultsFileOrSay();
// The same, then writes the block header (separator line, title, date and
// time, status report).
FILE* OpenResultsBlock(const char* title);

// What the reports of path analysis share: the console language, the
// results file held open for one analysis, the progress line of the
// permutations and the closing words.
#pragma once
#include <cstdio>

#include "randomization/IterationRunner.h"

namespace path_report {

const char* Tx(const char* portuguese, const char* english);

// "Zoviri.txt" opened (in the session's mode) on the first Open, closed at
// the end of the scope; f stays null, with a message on the console, when it
// cannot be opened.
struct ResultsFile {
  FILE* f = nullptr;
  ResultsFile() = default;
  ResultsFile(const ResultsFile&) = delete;
  ResultsFile& operator=(const ResultsFile&) = delete;
  ~ResultsFile();
  void Open();
  void Close();
};

// "Permutation: N t" on the console progress line.
ProgressHook PermutationProgress();
// Clears the progress line and says where the results are.
void SeeResults();
// A table's rows in the layout of the session's data printer, without heading.
void PrintRows(FILE* f, int rows, int cols, const double* const* m);
// A symmetric matrix as its lower half.
void PrintSymmetric(FILE* f, int n, const double* const* m);

}  // namespace path_report

// The scheme every test between two data sets shares in its dialogue and
// its results: number of permutations, the question on saving every
// permutation, the block of each permutation and the final block.
#pragma once
#include <cstdio>
#include <functional>
#include <string>

#include "randomization/IterationRunner.h"
#include "randomization/TwoSetTests.h"
#include "shell/SessionObjects.h"

// The language of the console and the results.
const char* TwoSetText(const char* portuguese, const char* english);

// "Number of permutations: " (at least 1; anything else is asked again).
int AskTwoSetPermutations();
// "Save data and results of each random permutation? y/n ", confirmed when
// there are 51 permutations or more.
bool AskSaveEachPermutation(int permutations);

// Opens the results file for a test. With saveEach, writes the heading of the
// saved permutations: line, heading, line, date, number of permutations, the
// criterion, line and "Permutation 1:". Null (after saying so) when the file
// cannot be opened.
FILE* OpenTwoSetResults(bool saveEach, const char* eachHeading, int permutations, const std::string& criterion);
// Start of the block of random permutation `permutation`: line, iteration word
// and number, "Random data and corresponding results:".
void WritePermutationHeading(FILE* f, int permutation);
// The final block down to the seed: line, heading (": Final results" added
// when each permutation was saved), line, date, elapsed time, status report,
// number of permutations, seed.
void WriteFinalHeading(FILE* f, const char* heading, bool saveEach, double elapsedSeconds, int permutations);

// "Permutation: N t" on the console progress line.
ProgressHook PermutationProgress(int permutations);
// A run of `permutations` (the observed arrangement included) with that
// progress line.
TwoSetTestRun PermutationRun(int permutations);
// Runs the test whose results go to f: true when it ran. False, f closed,
// when it refused (test returned false, after saying why) or memory ran out
// (the console is told).
bool RunTwoSetTest(FILE* f, const std::function<bool()>& test);

// A data set as each saved permutation shows it: its name on a line of its
// own, then its data table.
void PrintDataSet(FILE* f, const DataSetView& set);
// The data table of a data set, rows in the order of `list` (1-based unit
// numbers) when given.
void PrintTable(FILE* f, const DataSetView& set, const int* list = nullptr);
// Closes the progress line and tells where the results are.
void SeeResultsOnFile();
// printf-style text.
std::string Format(const char* format, ...);

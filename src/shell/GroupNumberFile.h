// Group numbers read from a text file: one integer per sampling unit (or per
// unit and factor), shared by the dialogues that ask for group memberships.
#pragma once
#include <functional>

// Reads `needed` integers, any white space between them, from the file `name`
// into values. True when all are there; otherwise false after saying why: the
// file cannot be opened (the opener's message), a word is not a whole decimal
// integer that fits an int ("File %s: value number %d (%s) is not an integer
// group number. Please check!"), or the file ends after `count` numbers
// (sayTooFew(count) says that, in the caller's words).
bool ReadGroupNumbersFile(const char* name, int needed, int* values,
                          const std::function<void(int count)>& sayTooFew);

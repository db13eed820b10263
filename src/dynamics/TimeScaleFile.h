// The time (or spatial) scale of the sampling units, read from a file named
// by the user: one number per sampling unit, in table order.
#pragma once

#include <vector>

// Asks for the file with `question` (Portuguese and English) until it holds
// nObj numbers; with `nondecreasing`, a time smaller than the one before it
// is refused too. A file that holds a word that is not a number, fewer
// numbers than sampling units, or a decreasing time is refused with a message
// and the question comes back; a file that cannot be opened is followed by
// "Try again? y/n". Returns false when the user gives up.
bool AskTimeScale(const char* questionPt, const char* questionEn, bool nondecreasing, std::vector<double>& times);

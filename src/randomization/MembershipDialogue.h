// The dialogue that reads a group label for every sampling unit (nesting
// groups, bundles) from a file or from the keyboard: shared by the
// randomization tests. Menu layer.
#pragma once
#include <vector>

// The texts of one membership dialogue, in the console language.
struct MembershipTexts {
  const char* criterion;  // what is asked for, printed once
  const char* source;     // file or keyboard? (answers f/k, a/t in Portuguese)
  const char* fileName;   // prompt for the file name
  const char* keyboard;   // heading of the keyboard entry
  const char* unitRow;    // label of the row of unit labels
  const char* rowLabel;   // label of the row of answers
};

// Nesting groups and bundles, as the test comparing groups asks for them.
const MembershipTexts& NestingTexts();
const MembershipTexts& BundleTexts();

// One integer label per sampling unit (nObj of them). A file that cannot be
// opened, holds fewer numbers or a word that is not an integer is refused
// with a message, and the source is asked again.
std::vector<int> AskMemberships(const MembershipTexts& t);

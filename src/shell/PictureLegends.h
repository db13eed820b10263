// Texts and group keys that the pictures of the analyses take from the
// session: option names without their menu numbers, and the groups of
// sampling units under the first grouping factor.
#pragma once
#include <string>
#include <vector>

// An option text such as "(3)incremental sum of squares (Ward)" without its
// menu number, with a capital first letter unless lowerCase:
// "Incremental sum of squares (Ward)".
std::string OptionName(const char* optionText, bool lowerCase = false);

struct UnitGroupKey {
  std::string title;               // name of the factor
  std::vector<std::string> names;  // group numbers in ascending order, as text
  std::vector<int> unitGroup;      // per sampling unit: index into names
};

// The groups of the nObj sampling units under the first factor; false (and
// an empty key) when no groups were given.
bool FirstFactorGroups(UnitGroupKey& key);

// Texts and group keys of the pictures drawn from the session.
#include "shell/PictureLegends.h"

#include <cctype>

#include "shell/SessionState.h"

std::string OptionName(const char* optionText, bool lowerCase) {
  std::string s = optionText != nullptr ? optionText : "";
  if (!s.empty() && s[0] == '(') {
    size_t k = 1;
    while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) k++;
    if (k > 1 && k < s.size() && s[k] == ')') s.erase(0, k + 1);
  }
  if (!s.empty() && !lowerCase) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s;
}

bool FirstFactorGroups(UnitGroupKey& key) {
  key = UnitGroupKey{};
  if (!temGrupo || !grMembDimensioned || nFactors < 1 || grMemb == nullptr || grLabel == nullptr ||
      nGroups == nullptr || nObj < 1)
    return false;
  const int groups = nGroups[0];
  if (groups < 1) return false;
  key.title = factorLabel != nullptr && factorLabel[0] != nullptr ? factorLabel[0] : "";
  for (int g = 0; g < groups; g++) key.names.push_back(std::to_string(grLabel[0][g]));
  key.unitGroup.assign(nObj, -1);
  for (int i = 0; i < nObj; i++)
    for (int g = 0; g < groups; g++)
      if (grMemb[0][i] == grLabel[0][g]) key.unitGroup[i] = g;
  return true;
}

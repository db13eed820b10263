// Expansion of nominal variables into one binary variable per state.
#include <algorithm>
#include <cmath>
#include <vector>

#include "transform/DataTransformationsLib.h"

namespace {

inline bool IsCode(double x) { return !IsMissing(x) && x >= 0.0 && x == std::floor(x) && x < 2147483647.0; }

// States of column j: the distinct codes from 1 upward, ascending, then 0
// when it occurs. codes is a work vector.
int StatesOfColumn(int nRows, const double* const* data, int j, std::vector<int>& codes, int* states) {
  codes.clear();
  for (int i = 0; i < nRows; i++) {
    double x = data[i][j];
    if (IsMissing(x) || x < 0.0) continue;
    codes.push_back(static_cast<int>(x));
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  int n = 0;
  bool hasZero = false;
  for (int c : codes) {
    if (c == 0) {
      hasZero = true;
      continue;
    }
    if (states) states[n] = c;
    n++;
  }
  if (hasZero) {
    if (states) states[n] = 0;
    n++;
  }
  return n;
}

}  // namespace

bool NominalCodesValid(int nRows, int nCols, const bool* isNominal, const double* const* data, int* badRow, int* badCol) {
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++)
      if (isNominal[j] && !IsCode(data[i][j])) {
        *badRow = i;
        *badCol = j;
        return false;
      }
  return true;
}

int CountExpandedColumns(int nRows, int nCols, const bool* isNominal, const double* const* data) {
  std::vector<int> codes;
  int total = 0;
  for (int j = 0; j < nCols; j++) total += isNominal[j] ? StatesOfColumn(nRows, data, j, codes, nullptr) : 1;
  return total;
}

bool Binarize(int nRows, int nCols, const bool* isNominal, const double* const* data, double** expanded, int* nExpanded,
              int** stateLabels, int* nStates) {
  std::vector<int> codes;
  int col = 0;
  for (int j = 0; j < nCols; j++) {
    if (!isNominal[j]) {
      nStates[j] = 1;
      for (int i = 0; i < nRows; i++) expanded[i][col] = data[i][j];
      col++;
      continue;
    }
    int* states = stateLabels[j];
    int n = StatesOfColumn(nRows, data, j, codes, states);
    nStates[j] = n;
    for (int s = 0; s < n; s++, col++)
      for (int i = 0; i < nRows; i++) {
        double x = data[i][j];
        expanded[i][col] = (!IsMissing(x) && x >= 0.0 && static_cast<int>(x) == states[s]) ? 1.0 : 0.0;
      }
  }
  *nExpanded = col;
  return true;
}

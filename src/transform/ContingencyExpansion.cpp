// Expansion of a contingency table into a table of two nominal variables:
// one row (row number, column number) per unit of count.
#include <cmath>

#include "transform/DataTransformationsLib.h"

bool ContingencyCountsValid(int nRows, int nCols, const double* const* data, int* badRow, int* badCol) {
  double total = 0.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      double x = data[i][j];
      total += x;
      bool ok = !IsMissing(x) && x >= 0.0 && x == std::floor(x) && total < 2147483647.0;
      if (!ok) {
        *badRow = i;
        *badCol = j;
        return false;
      }
    }
  return true;
}

int ContingencyCellRows(double count) {
  if (!(count > 0.0)) return 0;
  return count < 1.0 ? 1 : static_cast<int>(std::ceil(count));
}

int ContingencyExpandedRows(int nRows, int nCols, const double* const* data) {
  int n = 0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) n += ContingencyCellRows(data[i][j]);
  return n;
}

int ExpandContingencyTable(int nRows, int nCols, const double* const* data, double** expanded) {
  int row = 0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) {
      int times = ContingencyCellRows(data[i][j]);
      for (int t = 0; t < times; t++, row++) {
        expanded[row][0] = i + 1;
        expanded[row][1] = j + 1;
      }
    }
  return row;
}

#include "ZQLib/TableChecks.h"

#include <cmath>

bool FindNegativeCell(int rows, int cols, const double* const* table, TableCell* where) {
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++) {
      const double x = table[i][j];
      if (x < 0.0 && x != -999.0) {
        if (where != nullptr) *where = TableCell{i, j, x};
        return true;
      }
    }
  return false;
}

double ContingencyExpandedRowCount(int rows, int cols, const double* const* table) {
  double n = 0.0;
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++)
      if (table[i][j] > 0.0) n += std::ceil(table[i][j]);
  return n;
}

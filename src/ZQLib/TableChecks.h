// Checks of a whole table made before an analysis that cannot take every
// value: where the first negative value stands, and how many rows the
// expansion of a contingency table into one row per count would write.
#pragma once

// A cell of a table: row and column from 0, and its value.
struct TableCell {
  int row = -1;
  int col = -1;
  double value = 0.0;
};

// The first cell in row order holding a value below 0; cells holding the
// missing-value code -999.0 are skipped. False when there is none.
bool FindNegativeCell(int rows, int cols, const double* const* table, TableCell* where);

// Expanding a contingency table writes ceil(c) rows for every count c > 0.
// Their number, exact as long as it stays below 2^53.
double ContingencyExpandedRowCount(int rows, int cols, const double* const* table);
// No expansion writes more rows than this: beyond it the file would fill the
// disk long before anyone could read it.
constexpr double kMaxExpandedRows = 10000000.0;

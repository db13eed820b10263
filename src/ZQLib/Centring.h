// Centring and normalization of the rows or the columns of a table (sampling
// units in rows). "in" and "out" may be the same table. The MV forms leave
// cells holding the missing code out of the arithmetic and write them back
// unchanged; the plain forms treat every cell as data.
//
// Centring subtracts the mean of the row (column); a constant row centres to
// exact zeros. The Cov forms then divide by sqrt(n - 1), n the number of
// values (by 1 when n < 2). Normalization divides by sqrt(sum of squares)
// (by 1 when that sum is not positive).
#pragma once

void CenterRowsCovMV(int nRows, int nCols, const double* const* in, double** out);
void CenterColsCovMV(int nRows, int nCols, const double* const* in, double** out);
void CenterRowsMV(int nRows, int nCols, const double* const* in, double** out);
void CenterColsMV(int nRows, int nCols, const double* const* in, double** out);
void NormalizeRowsMV(int nRows, int nCols, const double* const* in, double** out);
void NormalizeColsMV(int nRows, int nCols, const double* const* in, double** out);
void CenterRows(int nRows, int nCols, const double* const* in, double** out);
void CenterCols(int nRows, int nCols, const double* const* in, double** out);
void NormalizeRows(int nRows, int nCols, const double* const* in, double** out);
void NormalizeCols(int nRows, int nCols, const double* const* in, double** out);

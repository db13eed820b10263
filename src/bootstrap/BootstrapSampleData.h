// Tables of bootstrap samples: the sampled rows of a data table, and a table
// without its variables that are zero for every unit.
#pragma once

// sample[i] = X[list[i] - 1] for i < m (list: 1-based rows of the n x p
// table X). With dropZero = 1 a variable whose m sampled values are all zero
// is left out and the kept columns are packed in their order; otherwise all
// p are copied. *pOut receives the number of columns written; kept, when
// given (p entries), their 0-based columns in X. A missing value (-999) is
// not zero.
void GetData(int n, int m, int p, int* pOut, const double* const* X, double** sample, const int* list, int dropZero,
             int* kept = nullptr);

// Copies into Y, in order, the variables of the n x p table X that are not
// zero for every unit; *pOut receives their number and kept, when given,
// their 0-based columns in X.
void CheckZeroData(int n, int p, int* pOut, const double* const* X, double** Y, int* kept = nullptr);

// The columns of the n x p table X that are not zero for every unit
// (0-based, ascending, into kept); returns their number.
int NonZeroColumns(int n, int p, const double* const* X, int* kept);

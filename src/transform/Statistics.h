// Small statistics over vectors and tables shared by many analyses.
#pragma once

// Median of the non-missing values whose mask entry is 1 (all non-missing
// values when mask is null). x is left unchanged. Returns the missing code
// when no value is selected.
double Median(int n, const double* x, const int* mask);
// Median of values[0..n-1] (mean of the two middle values for an even n), as
// Median gives it, without allocating: the values are reordered. Returns the
// missing code when n is 0.
double MedianInPlace(int n, double* values);
// Mean and standard deviation (divisor n - 1) over all n values.
void MeanStDev(int n, const double* x, double* mean, double* sd);
// Central moment of order k: sum (x - mean)^k / n over all n values.
double Moment(int n, const double* x, int k);
// Sum of squares of the non-missing values.
double SumOfSquares(int n, const double* x);
// Sum of squared deviations from the mean of the c non-missing values.
double SumOfSquaresDev(int n, const double* x);
// Means of each row (means[nRows]) or each column (means[nCols]) over all cells.
void MeanVectorRows(int nRows, int nCols, const double* const* data, double* means);
void MeanVectorCols(int nRows, int nCols, const double* const* data, double* means);

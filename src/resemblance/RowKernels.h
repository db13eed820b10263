// Inner loops of the quantitative measures: one entity against every later
// entity, four at a time so that each value of the first row is loaded once
// per four pairs. Built for the widest vector unit the processor offers.
#pragma once

namespace rsm {

// r[j] = sqrt(sum (x - y_j)^2) for j = from..n-1 (0 when the sum is 0). With
// missing, attributes where either value is -999.0 are left out.
void SqDistRow(int n, int m, double** t, const double* x, int from, double* r, bool missing);
// r[j] = sum x * y_j for j = from..n-1 (no missing values in t).
void DotRow(int n, int m, double** t, const double* x, int from, double* r);
// Percentage difference of x and y_j, j = from..n-1, values shifted by s;
// r[j] is written only where the denominator is positive.
void BrayCurtisRow(int n, int m, double** t, const double* x, int from, double* r, double s, bool missing);

}  // namespace rsm

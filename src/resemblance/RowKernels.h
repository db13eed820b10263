// Inner loops of the quantitative measures: one entity against every later
// entity. The other entities are read from the table transposed (attributes
// in rows, see TransposedCopy), so that eight consecutive entities are
// compared at once with contiguous loads. Every sum runs over the attributes
// in their order, one running sum per pair, so the results are exactly those
// of the plain loop on any processor.
#pragma once

namespace rsm {

// r[j] = sqrt(sum (x - y_j)^2) for j = from..n-1 (0 when the sum is 0). With
// missing, attributes where either value is -999.0 are left out.
void SqDistRow(int n, int m, const double* const* tt, const double* x, int from, double* r, bool missing);
// r[j] = sum |x - y_j| for j = from..n-1, with the same rule for missing values.
void AbsDiffRow(int n, int m, const double* const* tt, const double* x, int from, double* r, bool missing);
// r[j] = sum x * y_j for j = from..n-1 (no missing values in the table).
void DotRow(int n, int m, const double* const* tt, const double* x, int from, double* r);
// Percentage difference of x and y_j, j = from..n-1, values shifted by s:
// sum |x - y| / sum ((x - s) + (y - s)); r[j] is written only where the
// denominator is positive.
void BrayCurtisRow(int n, int m, const double* const* tt, const double* x, int from, double* r, double s, bool missing);

}  // namespace rsm

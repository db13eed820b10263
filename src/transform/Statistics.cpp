// Statistics helpers over vectors and tables.
#include "transform/Statistics.h"

#include <gsl/gsl_sort.h>
#include <gsl/gsl_statistics_double.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "transform/DataTransformationsLib.h"

// Excluded values are set to the largest double so that they sort last, and
// the median is taken over the first c sorted values.
double Median(int n, const double* x, const int* mask) {
  std::vector<double> work(n);
  int c = 0;
  for (int i = 0; i < n; i++) {
    bool use = !IsMissing(x[i]) && (mask == nullptr || mask[i] == 1);
    work[i] = use ? x[i] : DBL_MAX;
    if (use) c++;
  }
  if (c == 0) return MISSING_VALUE;
  gsl_sort(work.data(), 1, n);
  return gsl_stats_median_from_sorted_data(work.data(), 1, c);
}

double MedianInPlace(int n, double* values) {
  if (n <= 0) return MISSING_VALUE;
  const int upper = n / 2;
  std::nth_element(values, values + upper, values + n);
  if (n % 2 == 1) return values[upper];
  const double lower = *std::max_element(values, values + upper);
  return (lower + values[upper]) / 2.0;
}

void MeanStDev(int n, const double* x, double* mean, double* sd) {
  double s = 0.0, ss = 0.0;
  for (int i = 0; i < n; i++) {
    s += x[i];
    ss += x[i] * x[i];
  }
  *mean = n > 0 ? s / n : 0.0;
  // Rounding can leave a tiny negative sum of squares for constant values.
  double var = n > 1 ? (ss - s * s / n) / (n - 1) : 0.0;
  *sd = var > 0.0 ? std::sqrt(var) : 0.0;
}

double Moment(int n, const double* x, int k) {
  if (n <= 0) return 0.0;
  double mean = 0.0;
  for (int i = 0; i < n; i++) mean += x[i];
  mean /= n;
  double m = 0.0;
  for (int i = 0; i < n; i++) m += std::pow(x[i] - mean, k);
  return m / n;
}

double SumOfSquares(int n, const double* x) {
  double ss = 0.0;
  for (int i = 0; i < n; i++)
    if (!IsMissing(x[i])) ss += x[i] * x[i];
  return ss;
}

double SumOfSquaresDev(int n, const double* x) {
  double s = 0.0, ss = 0.0;
  int c = 0;
  for (int i = 0; i < n; i++)
    if (!IsMissing(x[i])) {
      s += x[i];
      ss += x[i] * x[i];
      c++;
    }
  return c > 0 ? ss - s * s / c : 0.0;
}

void MeanVectorRows(int nRows, int nCols, const double* const* data, double* means) {
  for (int i = 0; i < nRows; i++) {
    double s = 0.0;
    for (int j = 0; j < nCols; j++) s += data[i][j];
    means[i] = nCols > 0 ? s / nCols : 0.0;
  }
}

void MeanVectorCols(int nRows, int nCols, const double* const* data, double* means) {
  for (int j = 0; j < nCols; j++) means[j] = 0.0;
  for (int i = 0; i < nRows; i++)
    for (int j = 0; j < nCols; j++) means[j] += data[i][j];
  for (int j = 0; j < nCols; j++) means[j] = nRows > 0 ? means[j] / nRows : 0.0;
}

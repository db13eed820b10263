// Descriptive statistics of the variables of a table (option V): mean,
// standard deviation and skewness of each variable, and the redundancy of
// each variable with respect to the others. Cells holding the missing code
// are left out of every statistic.
#pragma once

// Mean, second and third central sums of a sample, accumulated one value at
// a time: updates of the mean and of the central sums of the values less the
// first one, which stay exact for constant values and keep their precision
// for values far from zero.
class MomentAccumulator {
 public:
  void Reset() {
    n_ = 0;
    shift_ = mean_ = m2_ = m3_ = 0.0;
  }
  void Add(double value) {
    if (n_ == 0) shift_ = value;
    const double x = value - shift_;
    const double before = n_;
    n_ += 1;
    const double delta = x - mean_;
    const double share = delta / n_;
    const double term = delta * share * before;
    mean_ += share;
    m3_ += term * share * (n_ - 2.0) - 3.0 * share * m2_;
    m2_ += term;
  }
  int Count() const { return static_cast<int>(n_); }
  double Mean() const { return shift_ + mean_; }
  // Standard deviation with divisor n - 1; 0 for a single value.
  double StDev() const;
  // m3 / m2^1.5 with m_k = sum (x - mean)^k / n; 0 when the values do not vary.
  double Skewness() const;

 private:
  double n_ = 0.0;
  double shift_ = 0.0;  // the first value
  double mean_ = 0.0, m2_ = 0.0, m3_ = 0.0;  // of the values less shift_
};

struct VariableMoments {
  int count = 0;          // non-missing values used
  double mean = 0.0;      // the missing code when count is 0
  double stDev = 0.0;     // likewise
  double skewness = 0.0;  // likewise
};

// Statistics of the non-missing values of column `column` of the nObj x nVar
// table (sampling units in rows).
VariableMoments ColumnMoments(int nObj, const double* const* data, int column);

// Redundancy of each variable: the squared multiple correlation of the
// variable with the others, among the first k variables in decreasing order
// of their number of positive values (ties in the order of the variables),
// for the largest k whose covariance matrix can be inverted.
//  - variables: nVar rows (variables) of nObj values; missing cells are left
//    out (each variable centred over its own values and divided by
//    sqrt(count - 1); covariances summed over the units where both are
//    present);
//  - a variable without variation cannot be predicted and does not take part;
//  - redundancy[j] = 1 - 1 / (R^-1)_jj from the inverse of the correlation
//    matrix of the k variables (the same as (S_jj - 1 / (S^-1)_jj) / S_jj
//    from the covariances, but with the singularity of the inversion judged
//    independently of the scales of the variables);
//  - *nUsed = k; every variable outside the k gets the missing code, and all
//    of them when no subset can be inverted (*nUsed = 0).
// Throws std::bad_alloc when its work tables cannot be had.
void Communality(int nVar, int nObj, const double* const* variables, double* redundancy, int* nUsed);

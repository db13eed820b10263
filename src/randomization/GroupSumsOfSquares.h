// Sums of squares of groups of units computed from their pairwise
// dissimilarities: Q(S) = (sum of d(i,j)^2 over the pairs i < j of S) / |S|,
// which for Euclidean distances is the sum of squared deviations of the
// members from their centroid. Between-group, interaction and contrast sums
// of squares, the MRPP average within-group dissimilarity, and the residual
// data vectors that remove factor effects.
#pragma once
#include <cstddef>
#include <vector>

// Q of all n units; D is read in its lower triangle (D[i][j], i > j). With
// `squared` the values are taken as squared dissimilarities already.
double SumSqDissim(int n, double** D, bool squared);
// Q of the units with memb[i] == 1 (0 when there is none).
double WithinGrSqDissim(int n, double** D, const int* memb, bool squared);
// For groups labelled 1..k: Qp[a][a] = Q of group a+1, Qp[a][b] (a < b) =
// between-group sum of squares of groups a+1 and b+1 alone. Reads the lower
// triangle; the lower triangle of Qp is not written.
void BetweenGrSSPairwise(int n, double** D, double** Qp, const int* memb, int k, bool squared);
// MRPP statistic for groups labelled 1..k, D read in its upper triangle:
// delta = sum over groups of (n_g / n) x (mean dissimilarity within g). With
// vSquared the squared dissimilarities are averaged and weighted by
// (n_g - 1) / (n - k). `squared`: D holds squared values already.
double MRPP(int n, int k, const int* memb, double** D, bool squared, bool vSquared);
// Residual vectors of X (n x p) once the main effects of nRemove factors
// (1..3, their 1-based numbers in which[]) are removed, as in an additive
// model: R = X - (sum of the k level means) + (k - 1) x grand mean, i.e.
// X - m_a for one factor, X - m_a - m_b + m for two, X - m_a - m_b - m_c + 2m
// for three. grMemb[f][i] is the level of unit i under factor f, grLabel[f]
// its nGroups[f] levels. Missing cells (-999) are left out of the means and
// stay missing in R.
void Residuals(int n, int p, int nFactors, int** grMemb, const int* nGroups, int** grLabel, double** X, double** R,
               int nRemove, const int* which);

// The pair values of n units kept once as a packed lower triangle, squared or
// not, so that statistics of permuted data are read through a permutation
// list without copying the matrix.
class PairTable {
 public:
  // D is read in its lower triangle. `square`: square the values as they are read.
  PairTable(int n, double** D, bool square);
  int Size() const { return n_; }
  // Values of unit u with the units v < u.
  const double* Row(int u) const { return values_.data() + static_cast<size_t>(u) * (u - 1) / 2; }
  double At(int a, int b) const { return a > b ? Row(a)[b] : Row(b)[a]; }

 private:
  int n_;
  std::vector<double> values_;
};

// A partition of the positions 0..n-1 into groups 0..nGroups-1; position i
// takes no part when group[i] < 0.
struct Grouping {
  int nGroups = 0;
  std::vector<int> group;
  std::vector<int> sizes;   // members of each group
  int members = 0;          // positions taking part
  // From labels (any integers; groups in ascending label order) and an
  // optional mask of the positions taking part.
  static Grouping FromLabels(int n, const int* labels, const bool* take = nullptr);
};

// Evaluates groupings through permutation lists with work space allocated
// once: position i holds unit list[i] (1-based). Not for concurrent use; one
// per thread.
class GroupingEvaluator {
 public:
  explicit GroupingEvaluator(const PairTable& table);
  // sums[g] = sum of the table values over the pairs of units that lie in
  // the same group g (sums holds g.nGroups values).
  void WithinSums(const Grouping& g, const int* list, double* sums);
  // Sum over the groups of (within sum / group size): the pooled within-group Q.
  double PooledWithinQ(const Grouping& g, const int* list);
  // Sum over the pairs of units at positions taking part in g (any list that
  // permutes those positions among themselves gives the same).
  double TotalSum(const Grouping& g);

 private:
  const PairTable& table_;
  std::vector<double> label_;   // group of each unit under the current list (-1: none)
  std::vector<int> units_;      // units taking part, ascending
  std::vector<double> sums_;
};

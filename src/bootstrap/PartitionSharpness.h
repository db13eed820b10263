// Bootstrap of the sharpness of the group partitions of a hierarchical
// clustering of n sampling units.
//
// The reference partitions into k = 2..kmax groups are cut from the fusion
// history of all n units. In every bootstrap iteration the units are drawn n
// times with replacement; the first m of the draws form the sample of size m
// at each sampling step (so the samples of one iteration are nested). Each
// sample is clustered again by the same method, cut into k groups, and set
// beside the reference: the n reference units carry their reference groups
// 1..k and the m sample units their sample groups k+1..2k. With the squared
// distances D2 between units:
//   Q(set) = (sum of D2 over the pairs of the set) / (its size);
//   T  = Q of the n + m units together;
//   Qp = the pairwise table of the 2k groups: Q of a group on the diagonal,
//        Q(a and b together) - Q(a) - Q(b) above it;
//   S  = the exclusive nearest-neighbour matching of the reference groups
//        with the sample groups on Qp (NearestNeighbourMatching.h);
//   G* = 1 - S / T.
// The null sample replaces the units of each matched sample group which[g]
// by as many units drawn with replacement from reference group g (a random
// sample of its nearest reference group): T null, Qp null and S null (the
// matching kept) give G null. An iteration counts for P(GNull <= G*) when
// G null is at most G*, and for P(QbNull >= Qb) of group g when the null
// Qp[g][k + which[g]] is at least the observed one (TieRule.h).
//
// Iteration t draws from its own generator (IterationGenerator.h), seeded
// from the user's seed and t: first the n bootstrap draws, then at each step
// and each k the random orders of the matching and the null draws (one
// RndListBootstrapN per reference group, in group order). The results are
// therefore the same at any number of threads.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ZQLib/Matrix.h"
#include "cluster/ClusterReport.h"
#include "randomization/IterationGenerator.h"
#include "randomization/IterationRunner.h"

// Squared distances between the n units of the resemblance matrix rese (its
// upper triangle with the diagonal is read) into D2 (n x n, both triangles):
// dissimilarities are squared; similarities become s(i,i) + s(j,j) -
// 2 s(i,j); measure 4 (mutual information) is Gower-centred after squaring
// and then converted the same way.
void SharpnessSquaredDistances(int n, const double* const* rese, bool isDissim, int measure, double** D2);

struct SharpnessSettings {
  int kmax = 2;          // partitions into 2..kmax groups; 2 <= kmax <= n - 1
  int initialSize = 0;   // first sample size, kmax + 1 .. n
  int step = 0;          // units added at each sampling step (0 when initialSize = n)
  int method = 0;        // clustering method of the reference history (1..6)
  bool isDissim = true;  // rese holds dissimilarities
  int measure = 0;       // resemblance measure number
};

// What every iteration reads: the squared distances, the resemblances the
// linkage methods cluster, the reference partitions and the sums of squares
// of the reference groups. Built once; read-only (shared by the threads).
class SharpnessReference {
 public:
  // rese: n x n (upper triangle with diagonal read); rep: the fusion history
  // of the n units by settings.method. Throws std::invalid_argument when the
  // settings do not fit n (n < 3, kmax outside 2..n-1, initial size outside
  // kmax+1..n, a missing step).
  SharpnessReference(int n, const double* const* rese, const clusterReport* rep, const SharpnessSettings& settings);

  int n() const { return n_; }
  int kmax() const { return settings_.kmax; }
  int steps() const { return steps_; }
  const SharpnessSettings& settings() const { return settings_; }
  int SampleSize(int s) const { return sizes_[s]; }
  // Reference partition into k groups: labels 1..k of the n units.
  const int* Partition(int k) const { return groups_[k - 2].labels.data(); }
  // Squared distances, both triangles.
  const double* const* D2() const { return d2_.data(); }
  // Counters of one iteration run: the G counts, then per k the group counts.
  int CounterCount() const { return counters_; }
  int GCounter(int k, int s) const { return (k - 2) * steps_ + s; }
  int QbCounter(int k, int g, int s) const { return groups_[k - 2].counterOffset + g * steps_ + s; }

  // Per k: the reference groups and their sums.
  struct Groups {
    std::vector<int> labels;        // n labels 1..k
    std::vector<int> sizes;         // k
    std::vector<int> start;         // k + 1 offsets into members
    std::vector<int> members;       // units (0-based) of group 0, then group 1, ...
    std::vector<double> within;     // k: sum of D2 over the pairs of each group
    std::vector<double> between;    // k x k: sum of D2 between groups g and h (g != h)
    std::vector<double> toGroup;    // n x k: sum of D2 from unit u to the members of group g
    int counterOffset = 0;
  };
  const Groups& GroupsOf(int k) const { return groups_[k - 2]; }
  double TotalPairSum() const { return totalPairs_; }      // sum of D2 over the pairs of the n units
  const double* RowSums() const { return rowSums_.data(); }  // sum of D2 from unit u to all n units
  const double* const* Resemblance() const { return rese_.data(); }  // both triangles from the upper one
  // Method that clusters the samples and that orders their histories:
  // linkage methods keep theirs, the others are clustered by Ward's method.
  int SampleMethod() const { return sampleMethod_; }

 private:
  int n_;
  SharpnessSettings settings_;
  int steps_;
  int sampleMethod_;
  int counters_ = 0;
  std::vector<int> sizes_;
  Matrix d2_, rese_;
  std::vector<Groups> groups_;
  double totalPairs_ = 0.0;
  std::vector<double> rowSums_;
};

// The sample at one sampling step, as the observer sees it.
struct SharpnessStepDetail {
  int64_t iteration = 0;
  int step = 0;                              // 0-based
  int sampleSize = 0;                        // m
  const int* units = nullptr;                // m unit numbers, 1-based
  const double* const* combined = nullptr;   // (n + m) x (n + m) squared distances, reference units first
};

// One partition level of one sample, observed and null.
struct SharpnessComparison {
  int k = 0;
  int sampleSize = 0;
  const int* labels = nullptr;      // n + m: reference groups 1..k, then sample groups k+1..2k
  const int* nullUnits = nullptr;   // m unit numbers (1-based) of the null sample
  const int* which = nullptr;       // k: sample group (0-based) matched to each reference group
  const double* const* qp = nullptr;      // 2k x 2k, upper triangle with diagonal
  const double* const* qpNull = nullptr;  // the same for the null sample
  double total = 0, within = 0, s = 0, g = 0;              // T, sum of the diagonal of Qp, S, G*
  double totalNull = 0, withinNull = 0, sNull = 0, gNull = 0;
};

// Watches the iterations (for the intermediate results); the iterations then
// run in order on one thread, and every Qp table is filled whole.
struct SharpnessObserver {
  std::function<void(int64_t iteration)> iterationStart;
  std::function<void(const SharpnessStepDetail&)> step;
  std::function<void(const SharpnessComparison&)> comparison;
  // gStar: (kmax - 1) x steps values, row k - 2.
  std::function<void(int64_t iteration, const double* gStar)> iterationEnd;
};

// The work areas of one thread, allocated once. detailed: room for the
// combined matrix and whole Qp tables the observer is shown.
struct SharpnessWorkspace {
  SharpnessWorkspace(const SharpnessReference& ref, uint32_t seed, const gsl_rng_type* type, bool detailed);
  ~SharpnessWorkspace();
  SharpnessWorkspace(const SharpnessWorkspace&) = delete;
  SharpnessWorkspace& operator=(const SharpnessWorkspace&) = delete;

  IterationGenerator gen;
  bool detailed;
  int n;
  std::vector<int> list;         // bootstrap list, 1-based
  std::vector<int> units;        // the same, 0-based
  std::vector<int> nullUnits;    // null sample, 0-based
  std::vector<int> shown;        // 1-based copies for the observer
  std::vector<int> part;         // sample partition, labels 1..k
  std::vector<int> labels;       // n + m labels for the observer
  std::vector<int> order, cut, draws, match, which, groupSize, matchedTo;
  Matrix sample, sampleD2, qp, qpNull, combined;  // sample: what the linkage methods cluster; sampleD2: D2 among the sample units
  clusterReport* history = nullptr;
  std::vector<double> ws, ss, cross, wsNull, ssNull, crossNull, qRef, qSample, qNull, scratch;
};

// One bootstrap iteration t over every sampling step and every k. gStar
// receives (kmax - 1) x steps values of G* (row k - 2); counts are the
// iteration's counters (SharpnessReference::GCounter, QbCounter), added to.
void GroupPartitionSharpness_PerGroup(const SharpnessReference& ref, int64_t iteration, SharpnessWorkspace& work,
                                      double* gStar, int64_t* counts, const SharpnessObserver* observer);

struct SharpnessResults {
  int64_t iterations = 0;
  int threads = 1;
  std::vector<int> sampleSizes;                 // steps
  std::vector<double> meanG;                    // (kmax - 1) x steps: mean G*
  std::vector<double> pG;                       // (kmax - 1) x steps: P(GNull <= G*)
  std::vector<std::vector<double>> pQb;         // per k - 2: k x steps, P(QbNull >= Qb) of each reference group
};

// Iterations t = 1..nIter through the iteration runner (listLength 0, one
// generator per iteration). maxThreads: 0 the session limit; with an
// observer the iterations run in order on one thread. The mean of G* adds
// the iterations' values in t order.
SharpnessResults RunPartitionSharpness(const SharpnessReference& ref, int64_t nIter, uint32_t seed,
                                       const gsl_rng_type* type, int maxThreads, const ProgressHook& progress,
                                       const SharpnessObserver* observer);

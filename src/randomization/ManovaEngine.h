// The randomization test comparing groups of sampling units on a
// dissimilarity matrix: main effects, two- and three-factor interactions,
// group contrasts, block designs and restricted permutations, with the
// between-group sum of squares Qb, the pseudo-F ratio Qb/Qw or the MRPP
// average within-group dissimilarity as criterion. One construction runs one
// complete test; the results stay with the object.
#pragma once
#include <gsl/gsl_rng.h>

#include <functional>
#include <string>
#include <vector>

#include "randomization/IterationRunner.h"

// The design and options of one test. The engine reads it and never changes it.
struct manovaInput {
  int nUnits = 0;
  int nVars = 0;
  int nPermutations = 1;               // including the observed data set
  double** dissim = nullptr;           // n x n dissimilarities (lower triangle read)
  double*** contrasts = nullptr;       // [factor][contrast][group], groups in ascending label order
  double** data = nullptr;             // n x p data, for the group mean vectors (may be null)
  bool squared = false;                // dissim holds squared dissimilarities
  bool contrastsOn = false;
  bool initRng = false;                // the caller reseeds before the test (see SessionRandom.h)
  bool nestingOn = false;              // permutations within nesting groups
  bool bundlesOn = false;              // bundles permuted as wholes
  bool bundlesOnly = false;            // only bundles, within nesting groups
  bool blockDesign = false;            // factor 1 is the block factor of a block design
  bool synchronized = false;
  bool meansAvailable = false;         // the data allow group mean vectors
  bool pseudoF = false;                // criterion F = Qb/Qw instead of Qb
  int nFactors = 1;
  int** factorMemb = nullptr;          // [factor][unit] group labels
  int* nContrasts = nullptr;           // per factor
  int nestingFactor = 0;               // 1-based factor giving the nesting groups; 0: nestMemb given
  int* nestMemb = nullptr;             // nesting group of every unit
  int* bundleMemb = nullptr;           // bundle of every unit
  char** factorLabels = nullptr;
  char** unitLabels = nullptr;
  unsigned int seed = 0;               // printed with the results
  int portuguese = 0;
  int sDigits = 6;
  bool saveEachPermutation = false;    // results of every permutation (one thread)
  int nRemoved = 0;                    // factors whose effects were removed (0 to 3)
  int* removed = nullptr;              // their 1-based numbers
  bool printIntermediate = false;      // sums of squares of every permutation (one thread)
  int nTests = 1;                      // tests in the current series
  int testIndex = 1;                   // 1-based place of this test in the series
  bool showProgress = true;
  bool mrppSquared = false;            // MRPP with v = 2
};

struct ContrastRecord {
  std::vector<double> coefficients;  // one per group of the factor
  double Qb = 0.0;                   // observed between-group sum of squares of the contrast
  double QwContrast = 0.0;           // observed within part
  double statistic = 0.0;            // Qb, or Qb / QwContrast under the F criterion when QwContrast > 0
  bool ratioFormed = false;
  double probability = 1.0;          // count of the observed and random values at least as large, then / N
};

struct GroupMean {
  int label = 0, label2 = 0;  // level (and second factor's level for pair cells)
  int size = 0;
  std::vector<double> mean;   // nVars values
};

// What a test found. Q tables are indexed 0..nFactors+1 as in the text of
// the report: [a][a] factor a, [a][b] (a < b) interaction of a and b,
// [nf][nf] the all-factor cells, [nf+1][nf+1] the total.
struct ManovaResults {
  int nFactors = 0;
  int nPermutations = 1;
  std::vector<std::vector<double>> Q;     // sums of squares
  std::vector<std::vector<double>> F;     // Q / Qw when the ratio is formed
  std::vector<std::vector<double>> P;     // probabilities (counts in per-permutation snapshots)
  double Q3 = 0.0, F3 = 0.0, P3 = 1.0;    // three-factor interaction (three factors)
  double Qw = 0.0, Qt = 0.0;
  bool pseudoF = false;
  bool ratioFormed = false;               // F criterion and observed Qw > 0
  std::vector<std::vector<ContrastRecord>> contrasts;  // per factor
  std::vector<std::vector<bool>> pairComplete;         // [a][b]: every level combination present
  std::vector<std::vector<GroupMean>> factorMeans;     // per factor, levels ascending
  std::vector<std::vector<std::vector<GroupMean>>> pairMeans;  // [a][b], a < b
  bool mrpp = false;
  std::vector<double> delta;              // MRPP statistic per factor
  std::vector<double> deltaP;
  bool bundleStepSkipped = false;         // bundles of unequal sizes: not permuted
  bool contrastBundleStepSkipped = false;
  int threads = 1;
  double elapsedSeconds = 0.0;
  unsigned int seed = 0;
};

// Probabilities carried into the engine of the last run of a series.
struct ManovaProbabilities {
  std::vector<std::vector<double>> P;                    // indices 0..nFactors
  double P3 = 1.0;
  std::vector<std::vector<double>> contrastP;            // [factor][contrast]
};

// Called for the observed data set (permutation 1) and every random
// permutation when input.saveEachPermutation or input.printIntermediate is
// set: the values of that permutation and the counts so far in P. Runs on one
// thread, in order, inside the console critical section.
using ManovaObserver = std::function<void(int permutation, const int* list, const ManovaResults& values)>;

class RandomizationTestManova {
 public:
  // Qb or pseudo-F test. Draws every permutation list from rng.
  RandomizationTestManova(const manovaInput& input, gsl_rng* rng, const ProgressHook& progress = {},
                          const ManovaObserver& observer = {});
  // Single-statistic test; statistic 3 = MRPP (the only one).
  RandomizationTestManova(const manovaInput& input, int statistic, gsl_rng* rng, const ProgressHook& progress = {},
                          const ManovaObserver& observer = {});
  RandomizationTestManova(const RandomizationTestManova&) = delete;
  RandomizationTestManova& operator=(const RandomizationTestManova&) = delete;

  const ManovaResults& GetManovaResults() const { return results_; }
  void ReplaceProbabilities(const ManovaProbabilities& p);
  void SetElapsedTime(double seconds) { results_.elapsedSeconds = seconds; }

 private:
  void Prepare(const manovaInput& input);
  void RunSumsOfSquares(const manovaInput& input, gsl_rng* rng, const ProgressHook& progress,
                        const ManovaObserver& observer);
  void RunMrpp(const manovaInput& input, gsl_rng* rng, const ProgressHook& progress, const ManovaObserver& observer);
  ManovaResults results_;
};

// Pseudo-F of a permuted value given the permutation's own Qw: a positive
// observed Qw with a permuted Qw of 0 gives +infinity (counts as larger).
double PermutedRatio(double value, double qw);

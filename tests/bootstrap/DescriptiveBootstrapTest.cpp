// Bootstrap of descriptive statistics: the bounded heaps against sorting,
// the averages and limits against every resampled value computed here by
// brute force (the lists drawn with the documented rule, the statistics by
// two-pass formulas and by counting states), the iterations for alpha and
// t, and the same results at one and two threads.
#include <gsl/gsl_rng.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "bootstrap/BootstrapSteps.h"
#include "bootstrap/DescriptiveBootstrap.h"
#include "bootstrap/TailValues.h"

namespace {

using Grid = std::vector<std::vector<double>>;

struct Rng {
  explicit Rng(unsigned long seed) : g(gsl_rng_alloc(gsl_rng_mt19937)) { gsl_rng_set(g, seed); }
  ~Rng() { gsl_rng_free(g); }
  gsl_rng* g;
};

struct Data {
  explicit Data(const Grid& cells) : cells(cells) {
    for (auto& r : this->cells) rows.push_back(r.data());
  }
  Grid cells;
  std::vector<double*> rows;
  const double* const* p() const { return rows.data(); }
};

// Bitwise equality, NaN included.
bool Same(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// Mean, standard deviation and skewness of the non-missing values; NaN when none.
std::vector<double> Moments(const std::vector<double>& values) {
  std::vector<double> x;
  for (double v : values)
    if (v != -999.0) x.push_back(v);
  const double nan = std::nan("");
  if (x.empty()) return {nan, nan, nan};
  const double n = static_cast<double>(x.size());
  double mean = 0;
  for (double v : x) mean += v;
  mean /= n;
  double m2 = 0, m3 = 0;
  for (double v : x) {
    m2 += (v - mean) * (v - mean);
    m3 += std::pow(v - mean, 3);
  }
  const double sd = x.size() > 1 ? std::sqrt(m2 / (n - 1)) : 0.0;
  const double skew = m2 > 1e-12 ? (m3 / n) / std::pow(m2 / n, 1.5) : 0.0;
  return {mean, sd, skew};
}

// Renyi entropy of order alpha of the states of the non-missing values.
double StateEntropy(const std::vector<double>& values, double alpha) {
  std::map<int, double> counts;
  double n = 0;
  for (double v : values)
    if (v != -999.0) {
      counts[static_cast<int>(v)] += 1;
      n += 1;
    }
  if (n == 0) return std::nan("");
  double s = 0;
  for (const auto& [state, c] : counts) {
    const double p = c / n;
    s += alpha == 1.0 ? -p * std::log(p) : std::pow(p, alpha);
  }
  return alpha == 1.0 ? s : std::log(s) / (1.0 - alpha);
}

// Every iteration's values, per cell, from lists drawn as documented: n draws
// uniform_int(n) + 1 per iteration, in iteration order, from one generator.
struct BruteForce {
  std::vector<std::vector<double>> perCell;  // cell -> values of the iterations that gave one
  std::vector<std::vector<double>> perIteration;
};

BruteForce Resample(const Grid& data, const std::vector<int>& varType, bool entropy, double order,
                    const DescriptiveBootstrapSettings& s, unsigned long seed) {
  const int n = static_cast<int>(data.size()), m = static_cast<int>(data[0].size());
  const int steps = CountSteps(n, s.initialSize, s.step);
  const int stats = entropy ? 1 : 3;
  BruteForce b;
  b.perCell.assign(static_cast<size_t>(stats) * m * steps, {});
  Rng rng(seed);
  for (int64_t t = 0; t < s.iterations; t++) {
    std::vector<int> list(n);
    for (int i = 0; i < n; i++) list[i] = static_cast<int>(gsl_rng_uniform_int(rng.g, n));
    std::vector<double> values(b.perCell.size(), std::nan(""));
    for (int k = 0; k < steps; k++) {
      const int size = SampleSizeAtStep(n, s.initialSize, s.step, k);
      for (int j = 0; j < m; j++) {
        std::vector<double> column;
        for (int u = 0; u < size; u++) column.push_back(data[list[u]][j]);
        if (entropy) {
          if (varType[j] == 1 || varType[j] == 2) values[j * steps + k] = StateEntropy(column, order);
        } else if (varType[j] == 1 || varType[j] == 3) {
          const std::vector<double> mo = Moments(column);
          for (int st = 0; st < 3; st++) values[(st * m + j) * steps + k] = mo[st];
        }
      }
    }
    for (size_t c = 0; c < values.size(); c++)
      if (!std::isnan(values[c])) b.perCell[c].push_back(values[c]);
    b.perIteration.push_back(values);
  }
  return b;
}

// Averages and the t-th smallest and largest of every cell's values.
void ExpectLimits(const DescriptiveBootstrapResults& r, const BruteForce& b, int64_t t) {
  ASSERT_EQ(r.average.size(), b.perCell.size());
  for (size_t c = 0; c < b.perCell.size(); c++) {
    std::vector<double> v = b.perCell[c];
    if (v.empty()) {
      EXPECT_TRUE(std::isnan(r.average[c])) << c;
      continue;
    }
    std::sort(v.begin(), v.end());
    double mean = 0;
    for (double x : v) mean += x;
    mean /= static_cast<double>(v.size());
    const double tol = 1e-9 * (1 + std::fabs(mean));
    EXPECT_NEAR(r.average[c], mean, tol) << c;
    const int64_t k = std::max<int64_t>(t, 1);
    if (static_cast<int64_t>(v.size()) < k) {
      EXPECT_TRUE(std::isnan(r.lower[c])) << c;
      continue;
    }
    EXPECT_NEAR(r.lower[c], v[k - 1], 1e-9 * (1 + std::fabs(v[k - 1]))) << c;
    EXPECT_NEAR(r.upper[c], v[v.size() - k], 1e-9 * (1 + std::fabs(v[v.size() - k]))) << c;
  }
}

// DescriptiveBootstrapSettings{initial size, step, iterations, alpha}.
const Grid kTable = {
    {1.5, 2, 0, 3},  {4, 1, -999, 1},   {2.5, 2, 1, 2},  {10, 3, 0, 3},  {0, 1, 1, -999}, {7, 2, 0, 1},
    {3, 3, 1, 2},    {-2, 1, 1, 3},     {5, 2, 0, 1},    {1, 4, 1, 2},   {6.5, 2, 0, 3},
};
// Quantitative, qualitative, binary, ordinal.
const std::vector<int> kTypes = {3, 2, 1, 4};

TEST(TailValues, KeepsTheExtremesOfEachCellAndMergesExactly) {
  std::mt19937 gen(5);
  const int cells = 3;
  const int64_t t = 7;
  std::vector<std::vector<double>> all(cells);
  std::vector<TailValues> parts(3, TailValues(cells, t));
  for (int i = 0; i < 500; i++)
    for (int c = 0; c < cells; c++) {
      const double v = std::round(std::normal_distribution<double>(c, 1.0)(gen) * 4) / 4;  // many ties
      all[c].push_back(v);
      parts[gen() % 3].Push(c, v);
    }
  TailValues merged(cells, t);
  for (const TailValues& p : parts) merged.Merge(p);
  for (int c = 0; c < cells; c++) {
    std::sort(all[c].begin(), all[c].end());
    EXPECT_EQ(merged.Lower(c), all[c][t - 1]);
    EXPECT_EQ(merged.Upper(c), all[c][all[c].size() - t]);
  }
  TailValues few(1, 4);
  few.Push(0, 2.0);
  few.Push(0, 1.0);
  EXPECT_EQ(few.Kept(0), 2);
  EXPECT_TRUE(std::isnan(few.Lower(0)));
  EXPECT_TRUE(std::isnan(few.Upper(0)));
}

TEST(ConfidenceTail, IterationsInEachTail) {
  EXPECT_EQ(ConfidenceTail(1000, 0.05), 25);
  EXPECT_EQ(ConfidenceTail(100, 0.1), 5);
  EXPECT_EQ(ConfidenceTail(10, 0.3), 1);   // 10 x 0.3 is 3.0000000000000004
  EXPECT_EQ(ConfidenceTail(1000, 0.07), 35);
  EXPECT_EQ(ConfidenceTail(20, 0.05), 0);  // fewer than 2 / alpha
  EXPECT_EQ(ConfidenceTail(1000, 0.0), 0);
}

// The limits are the t-th smallest and largest values; without t (no alpha,
// or fewer iterations than 2 / alpha) the extreme values.
TEST(DescriptiveBootstrap, AveragesAndLimitsAreThoseOfEveryResampledValue) {
  const Data d(kTable);
  struct Case {
    const char* name;
    bool entropy;
    double order;
    int initial, step;
    int64_t iterations;
    double alpha;
    std::vector<int> sizes;
    int64_t tail;
  } cases[] = {
      {"means", false, 1, 3, 4, 200, 0.1, {3, 7, 11}, 10},
      // 990 iterations at 0.05 raised to 1000: the 25th values.
      {"means, all units", false, 1, 11, 0, IterationsForAlpha(990, 0.05), 0.05, {11}, 25},
      {"means, no alpha", false, 1, 2, 5, 30, 0.0, {2, 7, 11}, 0},
      {"means, too few iterations for alpha", false, 1, 2, 5, 30, 0.05, {2, 7, 11}, 0},
      {"entropy of order 0", true, 0.0, 1, 3, 150, 0.2, {1, 4, 7, 10, 11}, 15},
      {"entropy of order 0.5", true, 0.5, 1, 3, 150, 0.2, {1, 4, 7, 10, 11}, 15},
      {"entropy of order 1", true, 1.0, 1, 3, 150, 0.2, {1, 4, 7, 10, 11}, 15},
      {"entropy of order 2", true, 2.0, 1, 3, 150, 0.2, {1, 4, 7, 10, 11}, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DescriptiveBootstrapSettings s{c.initial, c.step, c.iterations, c.alpha};
    Rng rng(2718);
    const DescriptiveBootstrapResults r =
        c.entropy ? SamplerEntropy(11, 4, d.p(), kTypes.data(), c.order, s, rng.g, 0, {}, nullptr)
                  : SamplerMeans(11, 4, d.p(), kTypes.data(), s, rng.g, 0, {}, nullptr);
    EXPECT_EQ(r.iterations, c.iterations);
    EXPECT_EQ(r.statistics, c.entropy ? 1 : 3);
    EXPECT_EQ(r.sampleSizes, c.sizes);
    EXPECT_EQ(r.tail, c.tail);
    EXPECT_EQ(r.extremes, c.tail == 0);
    // Means of quantitative and binary variables, entropies of binary and
    // qualitative ones; the others have no values.
    EXPECT_EQ(r.computed, c.entropy ? (std::vector<char>{0, 1, 1, 0}) : (std::vector<char>{1, 0, 1, 0}));
    ExpectLimits(r, Resample(kTable, kTypes, c.entropy, c.order, s, 2718), c.tail);
  }
}

TEST(SamplerMeans, SamplesWithoutAValueLeaveTheStatisticUndefinedInThatIteration) {
  // The second variable is present in one unit only: samples of one unit
  // often miss it.
  const Grid table = {{1, -999}, {2, 5}, {4, -999}, {8, -999}};
  const Data d(table);
  const std::vector<int> types = {3, 3};
  const DescriptiveBootstrapSettings s{1, 3, 40, 0.5};  // t = 10
  Rng rng(8);
  const DescriptiveBootstrapResults r = SamplerMeans(4, 2, d.p(), types.data(), s, rng.g, 0, {}, nullptr);
  const BruteForce b = Resample(table, types, false, 1.0, s, 8);
  EXPECT_LT(b.perCell[r.Cell(0, 1, 0)].size(), 40u);
  EXPECT_GT(b.perCell[r.Cell(0, 1, 0)].size(), 0u);
  EXPECT_EQ(r.average[r.Cell(0, 1, 0)], 5.0);
  ExpectLimits(r, b, 10);
}

TEST(SamplerMeans, SameSeedSameResultsAtOneAndTwoThreadsAndInOrderForTheObserver) {
  const Data d(kTable);
  const DescriptiveBootstrapSettings s{2, 2, 5000, 0.05};  // more than one chunk of iterations
  auto run = [&](int threads, const DescriptiveObserver* observer) {
    Rng rng(1234);
    return SamplerMeans(11, 4, d.p(), kTypes.data(), s, rng.g, threads, {}, observer);
  };
  const DescriptiveBootstrapResults one = run(1, nullptr), two = run(2, nullptr);
  EXPECT_EQ(one.threads, 1);
  EXPECT_EQ(two.threads, 2);
  EXPECT_TRUE(Same(one.average, two.average));
  EXPECT_TRUE(Same(one.lower, two.lower));
  EXPECT_TRUE(Same(one.upper, two.upper));

  const BruteForce b = Resample(kTable, kTypes, false, 1.0, s, 1234);
  int64_t seen = 0;
  const DescriptiveObserver watch = [&](const DescriptiveIteration& it) {
    ASSERT_EQ(it.iteration, seen + 1);
    const std::vector<double>& want = b.perIteration[seen];
    for (size_t c = 0; c < want.size(); c++) {
      if (std::isnan(want[c]))
        EXPECT_TRUE(std::isnan(it.values[c]));
      else
        EXPECT_NEAR(it.values[c], want[c], 1e-9 * (1 + std::fabs(want[c])));
    }
    seen++;
  };
  const DescriptiveBootstrapResults watched = run(2, &watch);
  EXPECT_EQ(seen, 5000);
  EXPECT_EQ(watched.threads, 1);
  EXPECT_TRUE(Same(one.average, watched.average));
  EXPECT_TRUE(Same(one.lower, watched.lower));

  Rng other(1235);
  const DescriptiveBootstrapResults different = SamplerMeans(11, 4, d.p(), kTypes.data(), s, other.g, 2, {}, nullptr);
  EXPECT_FALSE(Same(one.average, different.average));
}

TEST(SamplerMeans, SettingsThatDoNotFitAreRefused) {
  const Data d(kTable);
  Rng rng(1);
  for (auto [initial, step] : {std::pair{0, 1}, std::pair{12, 1}, std::pair{3, 0}}) {
    const DescriptiveBootstrapSettings s{initial, step, 10};
    EXPECT_THROW(SamplerMeans(11, 4, d.p(), kTypes.data(), s, rng.g, 0, {}, nullptr), std::invalid_argument);
  }
}

}  // namespace

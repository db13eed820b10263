// Moments of variables and their redundancy, against formulas written here:
// two-pass central moments, and the squared multiple correlation of an
// ordinary least-squares regression solved in the test.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "TableHelper.h"
#include "transform/DescriptiveStatistics.h"

namespace {

struct TwoPass {
  double mean, sd, skew;
};

// Mean, standard deviation (n - 1) and m3 / m2^1.5 from central moments.
TwoPass TwoPassMoments(const std::vector<double>& x) {
  const double n = static_cast<double>(x.size());
  double mean = 0;
  for (double v : x) mean += v;
  mean /= n;
  double m2 = 0, m3 = 0;
  for (double v : x) {
    m2 += (v - mean) * (v - mean);
    m3 += (v - mean) * (v - mean) * (v - mean);
  }
  const double sd = x.size() > 1 ? std::sqrt(m2 / (n - 1)) : 0.0;
  m2 /= n;
  m3 /= n;
  return {mean, sd, m2 > 0 ? m3 / std::pow(m2, 1.5) : 0.0};
}

TEST(MomentAccumulator, AgreesWithTwoPassFormulas) {
  const std::vector<std::vector<double>> cases = {
      {1, 2, 3, 4, 10},
      {2.5, -1.25, 7, 0, 0, 3.5, 11, -4},
      {1e9 + 1, 1e9 + 2, 1e9 + 4, 1e9 + 8},  // far from zero
      {0, 0, 0, 1},
      {3, 1},
  };
  for (const auto& x : cases) {
    MomentAccumulator a;
    for (double v : x) a.Add(v);
    const TwoPass want = TwoPassMoments(x);
    const double scale = std::fabs(want.mean) + 1;
    EXPECT_EQ(a.Count(), static_cast<int>(x.size()));
    EXPECT_NEAR(a.Mean(), want.mean, 1e-14 * scale);
    EXPECT_NEAR(a.StDev(), want.sd, 1e-12 * (want.sd + 1));
    EXPECT_NEAR(a.Skewness(), want.skew, 1e-9);
  }
}

TEST(MomentAccumulator, HandValuesAndDegenerateSamples) {
  MomentAccumulator a;
  for (double v : {1.0, 2.0, 3.0, 4.0, 10.0}) a.Add(v);
  // Deviations -3 -2 -1 0 6: m2 = 50/5, m3 = 180/5.
  EXPECT_DOUBLE_EQ(a.Mean(), 4.0);
  EXPECT_DOUBLE_EQ(a.StDev(), 3.5355339059327378);
  EXPECT_NEAR(a.Skewness(), 1.1384199576606167, 1e-15);

  a.Reset();
  for (double v : {0.1, 0.1, 0.1}) a.Add(v);  // constant: no spread, no asymmetry
  EXPECT_EQ(a.StDev(), 0.0);
  EXPECT_EQ(a.Skewness(), 0.0);
  a.Reset();
  a.Add(-7.5);
  EXPECT_EQ(a.Mean(), -7.5);
  EXPECT_EQ(a.StDev(), 0.0);
  EXPECT_EQ(a.Skewness(), 0.0);
}

TEST(ColumnMoments, MissingCellsAreLeftOut) {
  Table t({{1, 5}, {-999, 5}, {3, -999}, {-999, -999}, {8, 5}});
  const VariableMoments m = ColumnMoments(5, t.p(), 0);
  const TwoPass want = TwoPassMoments({1, 3, 8});
  EXPECT_EQ(m.count, 3);
  EXPECT_NEAR(m.mean, 4.0, 1e-15);
  EXPECT_NEAR(m.stDev, want.sd, 1e-14);
  EXPECT_NEAR(m.skewness, want.skew, 1e-14);
  const VariableMoments c = ColumnMoments(5, t.p(), 1);
  EXPECT_EQ(c.count, 3);
  EXPECT_EQ(c.mean, 5.0);
  EXPECT_EQ(c.stDev, 0.0);

  Table empty(Cells{{-999}, {-999}});
  const VariableMoments e = ColumnMoments(2, empty.p(), 0);
  EXPECT_EQ(e.count, 0);
  EXPECT_EQ(e.mean, -999.0);
  EXPECT_EQ(e.stDev, -999.0);
  EXPECT_EQ(e.skewness, -999.0);
}

// R^2 of the regression of variable y on the variables xs (with intercept),
// over all units: normal equations solved by Gaussian elimination.
double RSquared(const std::vector<std::vector<double>>& vars, int y, const std::vector<int>& xs) {
  const int n = static_cast<int>(vars[0].size()), p = static_cast<int>(xs.size()) + 1;
  std::vector<std::vector<double>> a(p, std::vector<double>(p + 1, 0.0));
  auto column = [&](int c, int i) { return c == 0 ? 1.0 : vars[xs[c - 1]][i]; };
  for (int r = 0; r < p; r++) {
    for (int c = 0; c < p; c++)
      for (int i = 0; i < n; i++) a[r][c] += column(r, i) * column(c, i);
    for (int i = 0; i < n; i++) a[r][p] += column(r, i) * vars[y][i];
  }
  for (int c = 0; c < p; c++) {
    int pivot = c;
    for (int r = c + 1; r < p; r++)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    for (int r = 0; r < p; r++) {
      if (r == c) continue;
      const double factor = a[r][c] / a[c][c];
      for (int k = c; k <= p; k++) a[r][k] -= factor * a[c][k];
    }
  }
  double mean = 0;
  for (int i = 0; i < n; i++) mean += vars[y][i];
  mean /= n;
  double ssTotal = 0, ssResidual = 0;
  for (int i = 0; i < n; i++) {
    double fitted = 0;
    for (int c = 0; c < p; c++) fitted += a[c][p] / a[c][c] * column(c, i);
    ssTotal += (vars[y][i] - mean) * (vars[y][i] - mean);
    ssResidual += (vars[y][i] - fitted) * (vars[y][i] - fitted);
  }
  return 1.0 - ssResidual / ssTotal;
}

std::vector<double*> Rows(std::vector<std::vector<double>>& v) {
  std::vector<double*> r;
  for (auto& row : v) r.push_back(row.data());
  return r;
}

TEST(Communality, EveryVariableIsTheSquaredMultipleCorrelationWithTheOthers) {
  std::mt19937 gen(7);
  std::normal_distribution<double> z;
  std::vector<std::vector<double>> vars(4, std::vector<double>(12));
  for (int i = 0; i < 12; i++) {
    const double common = z(gen);
    vars[0][i] = common + z(gen);
    vars[1][i] = 100 * (common + 0.5 * z(gen));  // another scale
    vars[2][i] = z(gen);
    vars[3][i] = 0.001 * (vars[0][i] - common + z(gen));
  }
  std::vector<double*> rows = Rows(vars);
  std::vector<double> red(4);
  int used = 0;
  Communality(4, 12, rows.data(), red.data(), &used);
  EXPECT_EQ(used, 4);
  for (int y = 0; y < 4; y++) {
    std::vector<int> xs;
    for (int x = 0; x < 4; x++)
      if (x != y) xs.push_back(x);
    EXPECT_NEAR(red[y], RSquared(vars, y, xs), 1e-10) << y;
  }
}

TEST(Communality, TheVariablesWithMostPositiveValuesComeFirstWhenNotAllCanBeInverted) {
  // 4 units: centred values span 3 dimensions, so only 3 of the 5 variables
  // enter. Positive values: column 3 has 4, column 0 has 3, column 4 has 3
  // (later than column 0), column 1 has 2, column 2 has 1.
  std::vector<std::vector<double>> vars = {
      {1, 2, -1, 4},     // 3
      {1, -3, 2, -1},    // 2
      {-1, -2, 5, -3},   // 1
      {2, 1, 3, 7},      // 4
      {-2, 6, 1, 2},     // 3
  };
  std::vector<double*> rows = Rows(vars);
  std::vector<double> red(5);
  int used = 0;
  Communality(5, 4, rows.data(), red.data(), &used);
  EXPECT_EQ(used, 3);
  EXPECT_NEAR(red[3], RSquared(vars, 3, {0, 4}), 1e-10);
  EXPECT_NEAR(red[0], RSquared(vars, 0, {3, 4}), 1e-10);
  EXPECT_NEAR(red[4], RSquared(vars, 4, {3, 0}), 1e-10);
  EXPECT_EQ(red[1], -999.0);
  EXPECT_EQ(red[2], -999.0);
}

TEST(Communality, LinearlyDependentAndConstantVariables) {
  // Column 2 = column 0 + column 1 (all with 6 positive values, so in column
  // order): the three together cannot be inverted, the first two can. The
  // constant column takes no part.
  std::vector<std::vector<double>> vars = {
      {1, 2, 3, 4, 5, 7},
      {2, 1, 2, 5, 1, 1},
      {3, 3, 5, 9, 6, 8},
      {4, 4, 4, 4, 4, 4},
  };
  std::vector<double*> rows = Rows(vars);
  std::vector<double> red(4);
  int used = 0;
  Communality(4, 6, rows.data(), red.data(), &used);
  EXPECT_EQ(used, 2);
  EXPECT_NEAR(red[0], RSquared(vars, 0, {1}), 1e-10);
  EXPECT_NEAR(red[1], RSquared(vars, 1, {0}), 1e-10);
  EXPECT_EQ(red[2], -999.0);
  EXPECT_EQ(red[3], -999.0);

  // Nothing varies: no subset at all.
  std::vector<std::vector<double>> flat = {{1, 1, 1}, {0, 0, 0}};
  std::vector<double*> flatRows = Rows(flat);
  std::vector<double> none(2, 0.0);
  Communality(2, 3, flatRows.data(), none.data(), &used);
  EXPECT_EQ(used, 0);
  EXPECT_EQ(none[0], -999.0);
  EXPECT_EQ(none[1], -999.0);
}

TEST(Communality, MissingCellsArePairwiseDeleted) {
  // x = 1 2 3 4 (-999 in unit 5), y = 2 1 4 -999 3.
  // x: mean 2.5, sum of squares 5, n 4; y: mean 2.5, sum of squares 5, n 4.
  // Units with both: 1..3: (-1.5)(-0.5) + (-0.5)(-1.5) + (0.5)(1.5) = 2.25.
  // r = (2.25 / sqrt(3 * 3)) / sqrt((5/3) (5/3)) = 0.45; redundancy r^2.
  std::vector<std::vector<double>> vars = {{1, 2, 3, 4, -999}, {2, 1, 4, -999, 3}};
  std::vector<double*> rows = Rows(vars);
  std::vector<double> red(2);
  int used = 0;
  Communality(2, 5, rows.data(), red.data(), &used);
  EXPECT_EQ(used, 2);
  EXPECT_NEAR(red[0], 0.45 * 0.45, 1e-14);
  EXPECT_NEAR(red[1], 0.45 * 0.45, 1e-14);
}

}  // namespace

// Moments of variables and their redundancy, against formulas written here:
// two-pass central moments and squared correlations, and hand values. (The
// squared multiple correlations of many variables, against R's lm(), and
// the choice of the variables with most positive values: the dune table in
// DescriptiveAttributesE2E.)
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
      {1, 2, 3, 4, 10},  // deviations -3 -2 -1 0 6: sd sqrt(12.5), skewness 36 / 10^1.5
      {2.5, -1.25, 7, 0, 0, 3.5, 11, -4},
      {1e9 + 1, 1e9 + 2, 1e9 + 4, 1e9 + 8},  // far from zero
      {0, 0, 0, 1},
      {3, 1},
  };
  MomentAccumulator a;
  for (const auto& x : cases) {
    a.Reset();
    for (double v : x) a.Add(v);
    const TwoPass want = TwoPassMoments(x);
    const double scale = std::fabs(want.mean) + 1;
    EXPECT_EQ(a.Count(), static_cast<int>(x.size()));
    EXPECT_NEAR(a.Mean(), want.mean, 1e-14 * scale);
    EXPECT_NEAR(a.StDev(), want.sd, 1e-12 * (want.sd + 1));
    EXPECT_NEAR(a.Skewness(), want.skew, 1e-9);
  }
  // Constant values (whose rounded mean is not the value) and a single value:
  // no spread and no asymmetry.
  for (const std::vector<double>& x : {std::vector<double>{0.1, 0.1, 0.1}, std::vector<double>{-7.5}}) {
    a.Reset();
    for (double v : x) a.Add(v);
    EXPECT_EQ(a.Mean(), x[0]);
    EXPECT_EQ(a.StDev(), 0.0);
    EXPECT_EQ(a.Skewness(), 0.0);
  }
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

// Squared correlation of two variables without missing values.
double SquaredCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const double n = static_cast<double>(x.size());
  double mx = 0, my = 0, sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); i++) mx += x[i] / n, my += y[i] / n;
  for (size_t i = 0; i < x.size(); i++)
    sxy += (x[i] - mx) * (y[i] - my), sxx += (x[i] - mx) * (x[i] - mx), syy += (y[i] - my) * (y[i] - my);
  return sxy * sxy / (sxx * syy);
}

// Variables measured on scales 10^5 apart: the redundancies are those of the
// same variables on one scale (a singularity judged on the covariances
// would drop the small ones).
TEST(Communality, IndependentOfTheScalesOfTheVariables) {
  std::mt19937 gen(7);
  std::normal_distribution<double> z;
  std::vector<std::vector<double>> vars(4, std::vector<double>(12)), scaled = vars;
  const double scale[] = {1, 100, 1, 0.001};
  for (int i = 0; i < 12; i++) {
    const double common = z(gen);
    vars[0][i] = common + z(gen);
    vars[1][i] = common + 0.5 * z(gen);
    vars[2][i] = z(gen);
    vars[3][i] = vars[0][i] - common + z(gen);
    for (int j = 0; j < 4; j++) scaled[j][i] = scale[j] * vars[j][i];
  }
  Table rows(vars), scaledRows(scaled);
  std::vector<double> red(4), redScaled(4);
  int used = 0, usedScaled = 0;
  Communality(4, 12, rows.p(), red.data(), &used);
  Communality(4, 12, scaledRows.p(), redScaled.data(), &usedScaled);
  EXPECT_EQ(used, 4);
  EXPECT_EQ(usedScaled, 4);
  for (int j = 0; j < 4; j++) {
    EXPECT_GT(red[j], 0.0);
    EXPECT_NEAR(redScaled[j], red[j], 1e-10) << j;
  }
}

TEST(Communality, LinearlyDependentAndConstantVariables) {
  // Column 2 = column 0 + column 1 (all with 6 positive values, so in column
  // order): the three together cannot be inverted, the first two can, and
  // each predicts the other by their squared correlation. The constant
  // column takes no part.
  std::vector<std::vector<double>> vars = {
      {1, 2, 3, 4, 5, 7},
      {2, 1, 2, 5, 1, 1},
      {3, 3, 5, 9, 6, 8},
      {4, 4, 4, 4, 4, 4},
  };
  Table rows(vars);
  std::vector<double> red(4);
  int used = 0;
  Communality(4, 6, rows.p(), red.data(), &used);
  EXPECT_EQ(used, 2);
  EXPECT_NEAR(red[0], SquaredCorrelation(vars[0], vars[1]), 1e-10);
  EXPECT_NEAR(red[1], red[0], 1e-10);
  EXPECT_EQ(red[2], -999.0);
  EXPECT_EQ(red[3], -999.0);

  // Nothing varies: no subset at all.
  Table flat({{1, 1, 1}, {0, 0, 0}});
  std::vector<double> none(2, 0.0);
  Communality(2, 3, flat.p(), none.data(), &used);
  EXPECT_EQ(used, 0);
  EXPECT_EQ(none[0], -999.0);
  EXPECT_EQ(none[1], -999.0);
}

TEST(Communality, MissingCellsArePairwiseDeleted) {
  // x = 1 2 3 4 (-999 in unit 5), y = 2 1 4 -999 3.
  // x: mean 2.5, sum of squares 5, n 4; y: mean 2.5, sum of squares 5, n 4.
  // Units with both: 1..3: (-1.5)(-0.5) + (-0.5)(-1.5) + (0.5)(1.5) = 2.25.
  // r = (2.25 / sqrt(3 * 3)) / sqrt((5/3) (5/3)) = 0.45; redundancy r^2.
  Table vars({{1, 2, 3, 4, -999}, {2, 1, 4, -999, 3}});
  std::vector<double> red(2);
  int used = 0;
  Communality(2, 5, vars.p(), red.data(), &used);
  EXPECT_EQ(used, 2);
  EXPECT_NEAR(red[0], 0.45 * 0.45, 1e-14);
  EXPECT_NEAR(red[1], 0.45 * 0.45, 1e-14);
}

}  // namespace

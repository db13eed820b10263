// Quantitative measures against hand-derived values and independent formulas
// (the pairwise paths, taken when a value is missing, through the pairwise
// helpers).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "TableFixture.h"
#include "resemblance/QuantitativeMeasures.h"

namespace {

using Measure = std::function<void(int, int, const double* const*, double**)>;

struct Case {
  const char* what;
  Measure f;
  std::vector<std::vector<double>> rows;
  int i, j;
  double expected;
};

const double r2 = std::sqrt(2.0);

// Rows (1,2,3), (4,6,8) = 2x + 2, (3,2,1) reversed, (1,3,2) with r = 1/2.
const std::vector<std::vector<double>> kSmall = {{1, 2, 3}, {4, 6, 8}, {3, 2, 1}, {1, 3, 2}};

TEST(QuantitativeMeasures, HandValues) {
  const Measure lc0 = [](int n, int m, const double* const* t, double** r) { LegendreChodorowski(n, m, t, r, nullptr, 0.0); };
  const Measure lc2 = [](int n, int m, const double* const* t, double** r) { LegendreChodorowski(n, m, t, r, nullptr, 2.0); };
  const std::vector<Case> cases = {
      {"cross product", CrossProductMV, {{1, 2, 3}, {4, 6, 8}}, 0, 1, 40.0},
      {"cross product missing", CrossProductMV, {{1, MV, 3}, {4, 6, 8}}, 0, 1, 28.0},
      {"absolute value", AbsValFunctionMV, {{1, 2, 3}, {4, 6, 8}, {1, MV, 0}}, 0, 1, 12.0},
      {"absolute value missing", AbsValFunctionMV, {{1, 2, 3}, {4, 6, 8}, {1, MV, 0}}, 1, 2, 11.0},
      {"euclidean", EucliDistMV, kSmall, 0, 1, std::sqrt(50.0)},
      {"euclidean identical", EucliDistMV, {{1.5, -2, 7}, {1.5, -2, 7}}, 0, 1, 0.0},
      {"correlation +1", CorrelationMV, kSmall, 0, 1, 1.0},
      {"correlation -1", CorrelationMV, kSmall, 0, 2, -1.0},
      {"correlation 1/2", CorrelationMV, kSmall, 3, 0, 0.5},
      {"correlation pairwise", CorrelationMV, {{1, 2, 3, MV}, {1, 3, 2, 10}}, 0, 1, 0.5},
      {"covariance", CovarianceMV, kSmall, 0, 1, 2.0},
      {"variance", CovarianceMV, kSmall, 0, 0, 1.0},
      {"covariance pairwise", CovarianceMV, {{1, 2, 3, MV}, {1, 3, 2, 10}}, 1, 0, 0.5},
      {"variance pairwise", CovarianceMV, {{1, 2, 3, MV}, {1, 3, 2, 10}}, 1, 1, 50.0 / 3.0},
      {"covariance one attribute", CovarianceMV, {{1}, {5}}, 0, 1, 0.0},
      {"covariance one common", CovarianceMV, {{1, MV}, {5, 3}}, 0, 1, 0.0},
      {"chord orthogonal", ChordDistMV, {{1, 0}, {0, 1}, {3, 4}, {6, 8}, {1, 1}}, 0, 1, r2},
      {"chord proportional", ChordDistMV, {{1, 0}, {0, 1}, {3, 4}, {6, 8}, {1, 1}}, 2, 3, 0.0},
      {"chord 45 degrees", ChordDistMV, {{1, 0}, {0, 1}, {3, 4}, {6, 8}, {1, 1}}, 4, 0, std::sqrt(2.0 - r2)},
      // Pairwise path: a distance, not its square.
      {"chord pairwise", ChordDistMV, {{1, 0, MV}, {1, 1, 5}}, 1, 0, std::sqrt(2.0 - r2)},
      {"percentage difference", BrayCurtisMV, {{1, 2, 3}, {4, 6, 8}, {0, 0, 0}, {0, 0, 0}}, 0, 1, 0.5},
      {"percentage difference zero", BrayCurtisMV, {{1, 2, 3}, {4, 6, 8}, {0, 0, 0}, {0, 0, 0}}, 0, 2, 1.0},
      {"percentage difference empty", BrayCurtisMV, {{1, 2, 3}, {4, 6, 8}, {0, 0, 0}, {0, 0, 0}}, 2, 3, 0.0},
      {"percentage difference shifted", BrayCurtisMV, {{-1, 1}, {1, -1}}, 0, 1, 1.0},
      {"percentage difference missing", BrayCurtisMV, {{1, MV, 3}, {3, 5, 1}}, 0, 1, 0.5},
      {"legendre k 0", lc0, {{2, 3, 0}, {2, 1, 0}}, 0, 1, 0.5},
      // Attribute 1: 2*3/6 = 1; attribute 2: d = 2, 2*1/10; (1 + 0.2) / 2 in single precision.
      {"legendre k 2", lc2, {{2, 3, 0}, {2, 1, 0}}, 1, 0, static_cast<float>(0.6)},
  };
  for (const Case& c : cases) {
    Table t(c.rows);
    Square r(t.n());
    c.f(t.n(), t.m(), *t, *r);
    EXPECT_NEAR(r[c.i][c.j], c.expected, 1e-14) << c.what;
    EXPECT_FALSE(std::isnan(r[c.i][c.j])) << c.what;
  }
}

// A constant entity whose mean is not its value after rounding (seven times
// 0.1) still has deviations 0: correlation and covariance 0, never +-1.
TEST(QuantitativeMeasures, ConstantEntitiesOfInexactMean) {
  for (double last : {0.1, MV}) {
    Table t{{0.1, 0.1, 0.1, 0.1, 0.1, 0.1, last}, {1, 2, 3, 4, 5, 6, 7}, {0.7, 0.7, 0.7, 0.7, 0.7, 0.7, 0.7}};
    Square c(3), v(3);
    CorrelationMV(3, 7, *t, *c);
    CovarianceMV(3, 7, *t, *v);
    for (int j = 0; j < 3; j++) {
      EXPECT_EQ(c[0][j], 0.0) << last << " " << j;
      EXPECT_EQ(c[2][j], 0.0) << last << " " << j;
      EXPECT_EQ(v[0][j], 0.0) << last << " " << j;
    }
  }
}

// The row kernels work eight pairs at a time over a transposed table; every
// pair must equal the plain loop exactly, tails and missing cells included.
TEST(QuantitativeMeasures, RowKernelsEqualThePlainLoop) {
  for (double missing : {0.0, 0.07}) {
    const int n = 29, m = 13;
    Table t(n, m);
    Lcg g(7);
    for (int i = 0; i < n; i++)
      for (int k = 0; k < m; k++) t[i][k] = g.Uniform() < missing ? MV : 10.0 * g.Uniform() - 2.0;
    Square eu(n), ab(n), bc(n), cp(n);
    EucliDistMV(n, m, *t, *eu);
    AbsValFunctionMV(n, m, *t, *ab);
    BrayCurtisMV(n, m, *t, *bc);
    CrossProductMV(n, m, *t, *cp);
    double lo = 1e300;
    for (int i = 0; i < n; i++)
      for (int k = 0; k < m; k++)
        if (t[i][k] != MV) lo = std::fmin(lo, t[i][k]);
    const double s = lo < 0 ? lo : 0.0;
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) {
        double sq = 0, a = 0, num = 0, den = 0, p = 0;
        for (int k = 0; k < m; k++) {
          const double x = t[i][k], y = t[j][k];
          if (x == MV || y == MV) continue;
          sq += (x - y) * (x - y);
          a += std::fabs(x - y);
          num += std::fabs(x - y);
          den += (x - s) + (y - s);
          p += x * y;
        }
        ASSERT_EQ(eu[i][j], std::sqrt(sq)) << i << " " << j;
        ASSERT_EQ(eu[j][i], eu[i][j]);
        ASSERT_EQ(ab[i][j], a);
        ASSERT_EQ(bc[i][j], num / den);
        ASSERT_EQ(cp[i][j], p);
      }
  }
}

TEST(Mahalanobis, HandValuesAndPairwiseDeletion) {
  // One attribute: |difference| / standard deviation, sd^2 = 7/3.
  Table one{{1}, {2}, {4}};
  Square r(3);
  EXPECT_TRUE(Mahalanobis(3, 1, *one, *r));
  EXPECT_NEAR(r[0][2], 3.0 / std::sqrt(7.0 / 3.0), 1e-12);
  EXPECT_EQ(r[1][1], 0.0);
  // Covariance diag(4/3, 4/3): from (0,0) to (2,2) sqrt(6).
  Table two{{0, 0}, {2, 0}, {0, 2}, {2, 2}};
  Square s(4);
  EXPECT_TRUE(Mahalanobis(4, 2, *two, *s));
  EXPECT_NEAR(s[0][3], std::sqrt(6.0), 1e-12);
  // With a fifth unit missing attribute 2: variance 1 for attribute 1 over
  // five units, 4/3 for attribute 2 over four, covariance 0 over four.
  Table miss{{0, 0}, {2, 0}, {0, 2}, {2, 2}, {1, MV}};
  Square u(5);
  EXPECT_TRUE(Mahalanobis(5, 2, *miss, *u));
  EXPECT_NEAR(u[0][3], std::sqrt(4.0 + 3.0), 1e-12);
  EXPECT_NEAR(u[0][4], 1.0, 1e-12);
}

// A singular covariance matrix gave an all-zero matrix without a word: it is
// refused, with the reason, and the result is left untouched.
TEST(Mahalanobis, SingularCovarianceRefused) {
  struct Case {
    const char* what;
    Table t;
    CovarianceDefect defect;
    int attribute;
  };
  const Case cases[] = {
      {"more attributes than units", {{1, 2, 3}, {3, 5, 4}}, CovarianceDefect::TooFewEntities, -1},
      {"as many units as attributes", {{1, 2}, {3, 5}}, CovarianceDefect::TooFewEntities, -1},
      {"constant attribute", {{1, 5}, {2, 5}, {4, 5}}, CovarianceDefect::ConstantAttribute, 1},
      {"constant where present", {{1, 7, MV}, {2, 5, 3}, {4, 6, 3}, {5, 1, 3}}, CovarianceDefect::ConstantAttribute, 2},
      {"third = first + second",
       {{1, 0, 1}, {0, 1, 1}, {2, 3, 5}, {4, 1, 5}, {3, 3, 6}},
       CovarianceDefect::Collinear,
       -1},
      {"second = 2 x first", {{1, 2}, {2, 4}, {5, 10}, {7, 14}}, CovarianceDefect::Collinear, -1},
  };
  for (const Case& c : cases) {
    Square r(c.t.n());
    r[0][1] = 42.0;
    EXPECT_FALSE(Mahalanobis(c.t.n(), c.t.m(), *c.t, *r)) << c.what;
    EXPECT_EQ(r[0][1], 42.0) << c.what;
    int attribute = -1;
    EXPECT_EQ(MahalanobisDefect(c.t.n(), c.t.m(), *c.t, &attribute), c.defect) << c.what;
    EXPECT_EQ(attribute, c.attribute) << c.what;
  }
  Table good{{0, 0}, {2, 0}, {0, 2}, {2, 2}};
  EXPECT_EQ(MahalanobisDefect(4, 2, *good, nullptr), CovarianceDefect::None);
}

// The distance does not depend on the units of the attributes: variances
// 10^6 and 10^-12 must not be taken for a singular matrix.
TEST(Mahalanobis, IndependentOfTheScaleOfAttributes) {
  const int n = 9, m = 3;
  Table t(n, m), scaled(n, m);
  Lcg g(3);
  const double f[3] = {1e3, 1.0, 1e-6};
  for (int i = 0; i < n; i++)
    for (int k = 0; k < m; k++) {
      t[i][k] = g.Uniform();
      scaled[i][k] = t[i][k] * f[k];
    }
  Square a(n), b(n);
  Mahalanobis(n, m, *t, *a);
  Mahalanobis(n, m, *scaled, *b);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      EXPECT_GT(a[i][j], 0.0);
      EXPECT_NEAR(b[i][j], a[i][j], 1e-8 * a[i][j]);
    }
}

}  // namespace

// Orthogonal Procrustes fit and the correlation of two score vectors: a
// rotated, reflected and shifted configuration comes back whole, a fit
// checked against vegan's procrustes(), and the correlations of constant
// and known vectors. Also the sampled tables (GetData, CheckZeroData).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "ZQLib/Matrix.h"
#include "bootstrap/BootstrapSampleData.h"
#include "bootstrap/ProcrustesFit.h"

namespace {

// Configuration with one row per axis.
Matrix Axes(const std::vector<std::vector<double>>& columns) {
  const int k = static_cast<int>(columns.size()), m = static_cast<int>(columns[0].size());
  Matrix t(k, m);
  for (int a = 0; a < k; a++)
    for (int i = 0; i < m; i++) t[a][i] = columns[a][i];
  return t;
}

TEST(ProcrustesAdjT, RotatedReflectedAndShiftedConfigurationIsRecoveredExactly) {
  std::mt19937 gen(7);
  std::normal_distribution<double> z;
  const int m = 9;
  for (int k = 1; k <= 4; k++) {
    Matrix ref(k, m);
    for (int a = 0; a < k; a++)
      for (int i = 0; i < m; i++) ref[a][i] = z(gen) * (k - a + 1);
    // A random orthogonal matrix (Gram-Schmidt of a random one) with its
    // first column reflected.
    std::vector<std::vector<double>> q(k, std::vector<double>(k));
    for (int c = 0; c < k; c++) {
      for (int r = 0; r < k; r++) q[r][c] = z(gen);
      for (int b = 0; b < c; b++) {
        double d = 0;
        for (int r = 0; r < k; r++) d += q[r][c] * q[r][b];
        for (int r = 0; r < k; r++) q[r][c] -= d * q[r][b];
      }
      double norm = 0;
      for (int r = 0; r < k; r++) norm += q[r][c] * q[r][c];
      for (int r = 0; r < k; r++) q[r][c] /= std::sqrt(norm) * (c == 0 ? -1 : 1);
    }
    // sample axis c = sum over a of ref axis a x q[a][c], plus a shift.
    Matrix sample(k, m), fitted(k, m);
    for (int c = 0; c < k; c++)
      for (int i = 0; i < m; i++) {
        double s = 5.0 * (c + 1);
        for (int a = 0; a < k; a++) s += ref[a][i] * q[a][c];
        sample[c][i] = s;
      }
    ProcrustesWork work(k, m);
    ProcrustesAdjT(k, k, m, ref.data(), sample.data(), fitted.data(), &work);
    for (int a = 0; a < k; a++) {
      double mean = 0;
      for (int i = 0; i < m; i++) mean += ref[a][i] / m;
      for (int i = 0; i < m; i++) EXPECT_NEAR(fitted[a][i], ref[a][i] - mean, 1e-12) << k << " " << a;
      EXPECT_NEAR(Correlation2Vec(m, ref[a], fitted[a]), 1.0, 1e-14) << k << " " << a;
    }
  }
}

// Values from R: library(vegan); p <- procrustes(ref[, 1:k], smp[, 1:k],
// scale = FALSE, symmetric = FALSE); cor(ref[, k], p$Yrot[, k]) and
// p$Yrot[, k], with the two 6 x 3 configurations below (units in rows).
TEST(ProcrustesAdjT, FitOfTheFirstAxesAsVeganProcrustes) {
  const Matrix ref = Axes({{1.2, -0.4, 2.5, -1.9, 0.3, -0.7}, {0.5, 1.1, -0.8, 0.2, -1.6, 0.6},
                           {0.3, -0.2, 0.1, 0.4, -0.5, 0.9}});
  const Matrix smp = Axes({{-0.3, 1.4, -2.2, 0.9, 1.8, 0.1}, {1.0, -0.5, 2.1, -1.7, 0.2, -0.9},
                           {0.7, 0.1, -0.6, 0.2, 0.3, -0.4}});
  struct Case {
    int k;
    double r;
    std::vector<double> lastAxis;
  } cases[] = {
      {1, 0.712488216107009, {0.583333333333333, -1.116666666666667, 2.483333333333333, -0.616666666666667,
                              -1.516666666666667, 0.183333333333333}},
      {2, 0.466182783080965, {-0.315199060884818, -0.364915143275201, 0.164157726260904, 0.856216410777635,
                              -1.150681656703634, 0.810421723825114}},
      {3, 0.727199069146547, {-0.562431478481540, -0.417843468103667, 0.895495454294608, 0.345530871328186,
                              -1.101719225797815, 0.840967846760228}}};
  for (const Case& c : cases) {
    Matrix fitted(3, 6);
    // Without a work area, and with one too small: the fit makes its own.
    ProcrustesWork small(1, 2);
    ProcrustesAdjT(c.k, c.k, 6, ref.data(), smp.data(), fitted.data(), c.k == 2 ? &small : nullptr);
    for (int i = 0; i < 6; i++) EXPECT_NEAR(fitted[c.k - 1][i], c.lastAxis[i], 1e-12) << c.k << " " << i;
    EXPECT_NEAR(Correlation2Vec(6, ref[c.k - 1], fitted[c.k - 1]), c.r, 1e-12) << c.k;
  }
}

TEST(Correlation2Vec, ConstantVectorsGiveZeroAndOthersPearson) {
  const std::vector<double> x{1, 2, 3, 4, 6}, y{2, 4, 5, 9, 7}, flat(5, 0.1), zero(5, 0.0), big(5, 1e6 + 0.1);
  const std::vector<double> negative{-2, -4, -6, -8, -12};
  struct Case {
    const char* name;
    const std::vector<double>&a, &b;
    double r;
  } cases[] = {{"known (R cor)", x, y, 0.798520011992197},
               {"constant second", x, flat, 0.0},
               {"constant first", flat, y, 0.0},
               {"zeros", zero, x, 0.0},
               {"large constant", big, y, 0.0},
               {"both constant", flat, big, 0.0},
               {"perfectly negative", x, negative, -1.0},
               {"itself", y, y, 1.0}};
  for (const Case& c : cases) EXPECT_NEAR(Correlation2Vec(5, c.a.data(), c.b.data()), c.r, 1e-14) << c.name;
  EXPECT_EQ(Correlation2Vec(5, flat.data(), y.data()), 0.0);
  EXPECT_EQ(Correlation2Vec(0, x.data(), y.data()), 0.0);
}

TEST(BootstrapSampleData, SampledRowsAndTheVariablesKept) {
  // Column 1 is zero everywhere, column 3 only outside rows 2 and 3.
  const Matrix X{{1, 0, 2, 5}, {3, 0, 4, 0}, {5, 0, -999, 0}, {7, 0, 8, 6}};
  struct Case {
    std::vector<int> list;
    int dropZero;
    std::vector<int> kept;
  } cases[] = {{{2, 3, 2}, 1, {0, 2}},       // column 3 zero in the sample; the missing value is not zero
               {{2, 3, 2}, 0, {0, 1, 2, 3}},  // nothing dropped
               {{4, 1}, 1, {0, 2, 3}},
               {{1, 2, 3, 4}, 1, {0, 2, 3}}};
  for (const Case& c : cases) {
    const int m = static_cast<int>(c.list.size());
    Matrix sample(4, 4);
    std::vector<int> kept(4, -1);
    int p = -1;
    GetData(4, m, 4, &p, X.data(), sample.data(), c.list.data(), c.dropZero, kept.data());
    ASSERT_EQ(p, static_cast<int>(c.kept.size()));
    for (int j = 0; j < p; j++) {
      EXPECT_EQ(kept[j], c.kept[j]);
      for (int i = 0; i < m; i++) EXPECT_EQ(sample[i][j], X[c.list[i] - 1][c.kept[j]]);
    }
  }
  Matrix Y(4, 4);
  std::vector<int> kept(4, -1);
  int p = -1;
  CheckZeroData(4, 4, &p, X.data(), Y.data(), kept.data());
  ASSERT_EQ(p, 3);
  EXPECT_EQ(kept, (std::vector<int>{0, 2, 3, -1}));
  for (int i = 0; i < 4; i++) EXPECT_EQ(Y[i][2], X[i][3]);
  std::vector<int> nonZero(4);
  EXPECT_EQ(NonZeroColumns(4, 4, X.data(), nonZero.data()), 3);
  EXPECT_EQ(nonZero[1], 2);
}

}  // namespace

// Partial correlations against the correlation of least-squares residuals on
// the covariables (orders 0 to 3), the undefined cases (+infinity), and the
// one-variable null-model form of the solver.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#include "PathTestSupport.h"
#include "ZQLib/Matrix.h"
#include "pathanalysis/PartialCorrelation.h"

namespace {

using path_test::Column;
using path_test::Pearson;

// Residuals of y regressed on the columns xs with an intercept, by the normal
// equations solved with Gaussian elimination (partial pivoting).
Column Residuals(const Column& y, const std::vector<Column>& xs) {
  const size_t n = y.size(), k = xs.size() + 1;
  auto design = [&](size_t i, size_t a) { return a == 0 ? 1.0 : xs[a - 1][i]; };
  std::vector<std::vector<double>> A(k, std::vector<double>(k + 1, 0.0));
  for (size_t a = 0; a < k; a++) {
    for (size_t b = 0; b < k; b++)
      for (size_t i = 0; i < n; i++) A[a][b] += design(i, a) * design(i, b);
    for (size_t i = 0; i < n; i++) A[a][k] += design(i, a) * y[i];
  }
  for (size_t c = 0; c < k; c++) {
    size_t pivot = c;
    for (size_t r = c + 1; r < k; r++)
      if (std::fabs(A[r][c]) > std::fabs(A[pivot][c])) pivot = r;
    std::swap(A[c], A[pivot]);
    for (size_t r = 0; r < k; r++) {
      if (r == c) continue;
      const double f = A[r][c] / A[c][c];
      for (size_t col = c; col <= k; col++) A[r][col] -= f * A[c][col];
    }
  }
  Column e(n);
  for (size_t i = 0; i < n; i++) {
    double fit = 0;
    for (size_t a = 0; a < k; a++) fit += design(i, a) * A[a][k] / A[a][a];
    e[i] = y[i] - fit;
  }
  return e;
}

// Six correlated variables on 30 units.
std::vector<Column> Table() {
  std::mt19937 gen(7);
  std::normal_distribution<double> z(0, 1);
  std::vector<Column> cols(6, Column(30));
  for (int i = 0; i < 30; i++) {
    const double common = z(gen);
    for (int j = 0; j < 6; j++) cols[j][i] = (j + 1) * 0.3 * common + z(gen) + (j == 3 ? cols[1][i] : 0.0);
  }
  return cols;
}

Matrix CorrelationMatrix(const std::vector<Column>& cols) {
  const int p = static_cast<int>(cols.size());
  Matrix R(p, p);
  for (int a = 0; a < p; a++)
    for (int b = 0; b < p; b++) R[a][b] = a == b ? 1.0 : Pearson(cols[a], cols[b]);
  return R;
}

struct Case {
  int i, j;
  std::vector<int> covariables;
};

TEST(PartialCorrelation, EqualsTheCorrelationOfRegressionResidualsOfOrdersZeroToThree) {
  const std::vector<Column> cols = Table();
  const Matrix R = CorrelationMatrix(cols);
  const std::vector<Case> cases = {{0, 1, {}},     {2, 5, {}},        {0, 2, {1}},      {4, 1, {3}},
                                   {0, 5, {1, 2}}, {3, 2, {5, 0}},    {0, 1, {2, 3, 4}}, {5, 3, {0, 1, 2}},
                                   {1, 4, {5, 3, 0}}};
  PartialCorrelationSolver solver(3);
  for (const Case& c : cases) {
    std::vector<Column> xs;
    for (int k : c.covariables) xs.push_back(cols[k]);
    const double expected = Pearson(Residuals(cols[c.i], xs), Residuals(cols[c.j], xs));
    const int q = static_cast<int>(c.covariables.size());
    const double got = PartialCorrelation_GeneralProc(6, R.data(), c.i, c.j, q, c.covariables.data());
    EXPECT_NEAR(got, expected, 1e-12) << c.i << "," << c.j << " order " << q;
    EXPECT_EQ(solver(R.data(), c.i, c.j, q, c.covariables.data()), got);
    // The pair in the other order gives the same value.
    EXPECT_NEAR(PartialCorrelation_GeneralProc(6, R.data(), c.j, c.i, q, c.covariables.data()), got, 1e-14);
  }
}

TEST(PartialCorrelation, OrderZeroIsTheMatrixEntryAndThePairsDiagonalIsNotRead) {
  Matrix R{{7.0, 0.3, 0.2}, {0.3, -4.0, 0.5}, {0.2, 0.5, 1.0}};
  EXPECT_EQ(PartialCorrelation_GeneralProc(3, R.data(), 0, 1, 0, nullptr), 0.3);
  // r(0,1|2) from 1.0 on the pair's diagonal, whatever R holds there.
  const int c[] = {2};
  EXPECT_NEAR(PartialCorrelation_GeneralProc(3, R.data(), 0, 1, 1, c), path_test::FirstOrder(0.3, 0.2, 0.5), 1e-15);
}

TEST(PartialCorrelation, UndefinedCasesAreInfinite) {
  const double inf = std::numeric_limits<double>::infinity();
  // Covariables 2 and 3 perfectly correlated: singular covariable matrix.
  Matrix R{{1, 0.4, 0.3, 0.3}, {0.4, 1, 0.2, 0.2}, {0.3, 0.2, 1, 1}, {0.3, 0.2, 1, 1}};
  const int c23[] = {2, 3}, c2[] = {2};
  EXPECT_EQ(PartialCorrelation_GeneralProc(4, R.data(), 0, 1, 2, c23), inf);
  // A constant covariable (0 on its diagonal, as the correlation measure
  // gives); variable 0 equal to its covariable.
  for (const Matrix& M : {Matrix{{1, 0.4, 0}, {0.4, 1, 0}, {0, 0, 0}}, Matrix{{1, 0.4, 1}, {0.4, 1, 0.4}, {1, 0.4, 1}}})
    EXPECT_EQ(PartialCorrelation_GeneralProc(3, M.data(), 0, 1, 1, c2), inf);
}

// The one-variable null model: variable i's row replaced, every correlation
// not involving i as observed; the solver reading the replaced row, and the
// form prepared once per statement, give the partial correlations of that
// matrix (with the observed row, the observed ones).
TEST(PartialCorrelation, OneVariableNullModelReadsTheReplacedRowOnly) {
  const Matrix R = CorrelationMatrix(Table());
  const double row[] = {0.12, -0.25, 1.0, 0.33, -0.05, 0.2};
  Matrix built(6, 6);
  OneVariableNullModelMatrix(6, R.data(), row, 2, built.data());
  for (int a = 0; a < 6; a++)
    for (int b = 0; b < 6; b++) EXPECT_EQ(built[a][b], a == 2 || b == 2 ? row[a == 2 ? b : a] : R[a][b]);
  PartialCorrelationSolver solver(3);
  std::vector<double> work(3);
  const std::vector<Case> cases = {{2, 1, {}}, {2, 0, {5}}, {2, 4, {1, 3}}, {2, 5, {0, 1, 4}}};
  for (const Case& c : cases) {
    const int q = static_cast<int>(c.covariables.size());
    const double viaMatrix = solver(built.data(), c.i, c.j, q, c.covariables.data());
    EXPECT_EQ(solver(R.data(), row, c.i, c.i, c.j, q, c.covariables.data()), viaMatrix) << c.j;
    const OneVariablePartialCorrelation prepared(R.data(), c.i, c.j, q, c.covariables.data());
    EXPECT_EQ(prepared(row, work.data()), viaMatrix) << c.j;
    EXPECT_EQ(prepared(R[c.i], work.data()), solver(R.data(), c.i, c.j, q, c.covariables.data())) << c.j;
  }
  const int four[] = {0, 1, 3, 4};  // beyond the solver's order
  EXPECT_THROW(solver(R.data(), 2, 5, 4, four), std::invalid_argument);
  // A singular covariable matrix: undefined whatever the row.
  Matrix S{{1, 0.4, 0.3, 0.3}, {0.4, 1, 0.2, 0.2}, {0.3, 0.2, 1, 1}, {0.3, 0.2, 1, 1}};
  const int c23[] = {2, 3};
  EXPECT_EQ(OneVariablePartialCorrelation(S.data(), 0, 1, 2, c23)(S[0], work.data()),
            std::numeric_limits<double>::infinity());
}

}  // namespace

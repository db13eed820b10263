// Markov fitting: the edge cases of the fitting, the instability of Markov
// releves, Kruskal's stress against its formula and against R. (The
// transition matrices and releves of three states worked out by hand: option
// Y's end-to-end test.)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ZQLib/Matrix.h"
#include "dynamics/MarkovFitting.h"
#include "dynamics/MarkovTest.h"

namespace {

// Transition matrices of lags 1..L of X.
std::vector<Matrix> Fit(const Matrix& X, int L) {
  const int p = X.cols();
  std::vector<Matrix> T;
  for (int l = 0; l < L; l++) T.emplace_back(p, p);
  std::vector<double**> rows;
  for (auto& t : T) rows.push_back(t.data());
  FitMarkov(X.rows(), p, L, X.data(), rows.data());
  return T;
}

void ExpectMatrix(const Matrix& got, const std::vector<std::vector<double>>& want, double tol = 1e-14) {
  ASSERT_EQ(got.rows(), static_cast<int>(want.size()));
  for (int i = 0; i < got.rows(); i++)
    for (int j = 0; j < got.cols(); j++) EXPECT_NEAR(got[i][j], want[i][j], tol) << i << "," << j;
}

// States (2,1,0), (1,2,1), (0,2,3): their transition matrices worked out by
// hand and their Markov releves: option Y's end-to-end test.
const Matrix kStates = {{2, 1, 0}, {1, 2, 1}, {0, 2, 3}};

TEST(FitMarkov, EdgeCases) {
  // Three identical positive states: every d is 0, every W diagonal, every T
  // the identity; the projection keeps the first state.
  const Matrix same = {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
  for (const Matrix& t : Fit(same, 2)) ExpectMatrix(t, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 0);
  // A later state of zeros contributes only its zero diagonal: with one
  // pair, T is all zero and stays so after normalisation.
  const Matrix toZero = {{1, 2}, {0, 0}};
  ExpectMatrix(Fit(toZero, 1)[0], {{0, 0}, {0, 0}}, 0);
  // A variable absent from every state: its row sums to 0 and stays 0; the
  // other rows sum to 1.
  const Matrix absent = {{1, 0, 2}, {2, 0, 1}, {3, 0, 1}};
  const Matrix T = Fit(absent, 1)[0];
  for (int b = 0; b < 3; b++) EXPECT_EQ(T[1][b], 0.0);
  for (int a : {0, 2}) EXPECT_NEAR(T[a][0] + T[a][1] + T[a][2], 1.0, 1e-15);
}

TEST(MarkovProjection, StableReleveAndUndefinedPercentages) {
  // Distances 10, 5, 0.05: 0.5 percent at j = 2, releve 4.
  const Matrix P = {{0}, {10}, {15}, {15.05}};
  const MarkovInstability s = MeasureInstability(4, 1, P.data());
  EXPECT_EQ(s.stableReleve, 4);
  // The first two releves equal: no percentages.
  const Matrix Q = {{1, 1}, {1, 1}, {2, 1}};
  const MarkovInstability u = MeasureInstability(3, 2, Q.data());
  EXPECT_EQ(u.levels, (std::vector<double>{0, 1}));
  EXPECT_TRUE(u.percentages.empty());
  EXPECT_EQ(u.stableReleve, 0);
}

TEST(MatrixStressKruskal, Formula) {
  // Pairs (A, B): (3, 3), (4, 0), (5, 5): sqrt(16 / (9 + 4 + 25)).
  const Matrix A = {{0, 3, 4}, {3, 0, 5}, {4, 5, 0}};
  const Matrix B = {{0, 3, 0}, {9, 0, 5}, {9, 9, 0}};  // lower triangle not read
  EXPECT_DOUBLE_EQ(MatrixStressKruskal(3, A.data(), B.data()), std::sqrt(16.0 / 38.0));
  const Matrix zero(3, 3);
  EXPECT_EQ(MatrixStressKruskal(3, zero.data(), zero.data()), -1.0);
  EXPECT_DOUBLE_EQ(MatrixStressKruskal(3, A.data(), zero.data()), 2.0);
}

TEST(MarkovStressEvaluator, ObservedOrderAgainstR) {
  // Identity order of the three states: Z = (x1, x1 T1, x1 T1^2), then row 3
  // replaced by x1 T2. Stresses from R: 0.554181151174251, 0.450817712333824.
  Matrix D(3, 3);
  RowDistances(3, 3, kStates.data(), D.data());
  EXPECT_NEAR(D[0][2], std::sqrt(4 + 1 + 9), 1e-15);
  MarkovStressEvaluator e(3, 3, 2, kStates.data(), D.data());
  const int identity[] = {1, 2, 3};
  double K[2];
  e.Evaluate(identity, K);
  EXPECT_NEAR(K[0], 0.554181151174251, 1e-13);
  EXPECT_NEAR(K[1], 0.450817712333824, 1e-13);
  // Reversed order: the states (0,2,3), (1,2,1), (2,1,0) fitted afresh.
  const int reversed[] = {3, 2, 1};
  const Matrix R = {{0, 2, 3}, {1, 2, 1}, {2, 1, 0}};
  Matrix DR(3, 3);
  RowDistances(3, 3, R.data(), DR.data());
  MarkovStressEvaluator direct(3, 3, 2, R.data(), DR.data());
  const int in[] = {1, 2, 3};
  double KR[2], KD[2];
  e.Evaluate(reversed, KR);
  direct.Evaluate(in, KD);
  EXPECT_EQ(KR[0], KD[0]);
  EXPECT_EQ(KR[1], KD[1]);
}

}  // namespace

// Markov fitting: transition matrices of a 3-state, 3-variable sequence worked
// out by hand, the projection of Markov releves and their instability,
// Kruskal's stress against its formula, and the edge cases of the fitting.
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

// States (2,1,0), (1,2,1), (0,2,3). By hand, lag 1:
//  pair 1 -> 2, y = (1,2,1), t = 4, d = (-1,+1,+1):
//    W = [[1, 2/4 + 1/4, 1/4 + 1/4], [0, 2, 2/4], [0, 1/4, 1]]
//  pair 2 -> 3, y = (0,2,3), t = 5, d = (-1,0,+2):
//    W = [[0, 2/5, 3/5], [0, 2, 4/5], [0, 0, 3]]
//  mean = [[.5, .575, .55], [0, 2, .65], [0, .125, 2]], rows to unit sum:
//    [4/13, 23/65, 22/65], [0, 40/53, 13/53], [0, 1/17, 16/17].
// Lag 2: pair 1 -> 3, d = (-2,+1,+3): W = [[0, .8, 1.2], [0, 2, 1.2], [0, .6, 3]]
//    rows to unit sum: [0, .4, .6], [0, .625, .375], [0, 1/6, 5/6].
// (The same values from a direct transcription of the rules in R.)
const Matrix kStates = {{2, 1, 0}, {1, 2, 1}, {0, 2, 3}};

TEST(FitMarkov, HandComputedTransitionMatrices) {
  const std::vector<Matrix> T = Fit(kStates, 2);
  ExpectMatrix(T[0], {{4.0 / 13, 23.0 / 65, 22.0 / 65}, {0, 40.0 / 53, 13.0 / 53}, {0, 1.0 / 17, 16.0 / 17}});
  ExpectMatrix(T[1], {{0, 0.4, 0.6}, {0, 0.625, 0.375}, {0, 1.0 / 6, 5.0 / 6}});
}

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

TEST(MarkovProjection, ReleveRowsAndInstability) {
  const std::vector<Matrix> T = Fit(kStates, 2);
  // Five releves from the first state, lag 1 then lag 2 (not reset). Values
  // from R: P[i] = P[i-1] %*% T1, then P[i] = P[i-2] %*% T2 for i >= 3.
  Matrix P(5, 3);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) P[i][j] = kStates[i][j];
  ProjectMarkovLag(5, 3, 1, T[0].data(), P.data());
  ExpectMatrix(P, {{2, 1, 0},
                   {0.6153846153846154, 1.46240928882438, 0.922206095791002},
                   {0.1893491124260355, 1.37570402033046, 1.434946867243509},
                   {0.0582612653618571, 1.18967627957081, 1.752062455067329},
                   {0.0179265431882637, 1.02154691226553, 1.960526544546207}},
               1e-13);
  const MarkovInstability s = MeasureInstability(5, 3, P.data());
  const double levels[] = {1.726686479016606, 0.672255272999392, 0.390323763074840, 0.270835098474246};
  ASSERT_EQ(s.levels.size(), 4u);
  for (int j = 0; j < 4; j++) {
    EXPECT_NEAR(s.levels[j], levels[j], 1e-13);
    EXPECT_NEAR(s.percentages[j], 100 * levels[j] / levels[0], 1e-11);
  }
  EXPECT_EQ(s.stableReleve, 0);  // never below 1 percent
  ProjectMarkovLag(5, 3, 2, T[1].data(), P.data());
  ExpectMatrix(P, {{2, 1, 0},
                   {0.6153846153846154, 1.46240928882438, 0.922206095791002},
                   {0, 1.425, 1.575},
                   {0, 1.31386066763425, 1.686139332365747},
                   {0, 1.153125, 1.846875}},
               1e-13);
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

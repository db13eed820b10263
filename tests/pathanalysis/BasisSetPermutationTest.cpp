// The basis-set test by permutation: probabilities against complete
// enumeration under both null models, the one-variable null model's matrix,
// the generator's sequential stream at one and two threads, N = 1, and the
// correlations of permuted variables and blocks against ResemblanceLib,
// ProcrustesCoeff and MatrixCorr on permuted copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <stdexcept>
#include <vector>

#include "PathTestSupport.h"
#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ordination/TwoSetStatistics.h"
#include "pathanalysis/BasisSetTest.h"
#include "pathanalysis/ItemCorrelations.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"
#include "resemblance/ResemblanceLib.h"

namespace {

using path_test::Column;
using path_test::FirstOrder;
using path_test::Generator;
using path_test::Input;
using path_test::Pearson;
using path_test::Permuted;

// Six units, three variables: x0 -> x1 -> x2 roughly.
const std::vector<Column> kSix = {{1.0, 2.5, 2.0, 4.0, 3.5, 6.0},
                                  {1.2, 2.0, 3.1, 3.9, 4.2, 5.0},
                                  {0.7, 2.9, 2.2, 4.4, 3.0, 4.1}};

std::vector<std::vector<int>> AllOrders(int n) {
  std::vector<int> p(n);
  std::iota(p.begin(), p.end(), 0);
  std::vector<std::vector<int>> all;
  do all.push_back(p);
  while (std::next_permutation(p.begin(), p.end()));
  return all;
}

BasisSetTestInput SixUnitInput(const Matrix& table, int nullModel, int N) {
  return Input(table, {BasisSetElement{0, 2, {1}}, BasisSetElement{0, 1, {}}}, nullModel, N);
}

// Exact probabilities of r(0,2|1) and r(0,1): the share of arrangements at
// least as extreme (identity included), by the textbook formulas.
std::vector<double> Enumerated(int nullModel) {
  const double r01 = Pearson(kSix[0], kSix[1]), r02 = Pearson(kSix[0], kSix[2]), r12 = Pearson(kSix[1], kSix[2]);
  const double partial = FirstOrder(r02, r01, r12);
  const auto orders = AllOrders(6);
  double hits[2] = {0, 0}, total = 0;
  if (nullModel == 2) {
    // Only x0 permuted: its correlations with x1 and x2 under one order.
    for (const auto& o : orders) {
      const Column x0 = Permuted(kSix[0], o);
      const double a = Pearson(x0, kSix[1]), b = Pearson(x0, kSix[2]);
      hits[0] += AtLeastAsLargeAbsolute(FirstOrder(b, a, r12), partial);
      hits[1] += AtLeastAsLargeAbsolute(a, r01);
      total++;
    }
  } else {
    // Every variable permuted: only the orders of x1 and x2 relative to x0 matter.
    for (const auto& o1 : orders) {
      const Column x1 = Permuted(kSix[1], o1);
      const double a = Pearson(kSix[0], x1);
      for (const auto& o2 : orders) {
        const Column x2 = Permuted(kSix[2], o2);
        const double b = Pearson(kSix[0], x2), c = Pearson(x1, x2);
        hits[0] += AtLeastAsLargeAbsolute(FirstOrder(b, a, c), partial);
        hits[1] += AtLeastAsLargeAbsolute(a, r01);
        total++;
      }
    }
  }
  return {hits[0] / total, hits[1] / total};
}

TEST(BasisSetPermutationTest, ProbabilitiesAgreeWithCompleteEnumerationUnderBothNullModelsAndN1) {
  const Matrix table = rtest::FromColumns(kSix);
  const int N = 20000;
  for (int nullModel : {1, 2}) {
    const std::vector<double> exact = Enumerated(nullModel);
    RngPtr g = Generator(4242 + nullModel);
    const BasisSetTestResult r = BasisSetPermutationTest(SixUnitInput(table, nullModel, N), g.get());
    ASSERT_EQ(r.probability.size(), 2u);
    EXPECT_NEAR(r.observed[0], FirstOrder(Pearson(kSix[0], kSix[2]), Pearson(kSix[0], kSix[1]),
                                          Pearson(kSix[1], kSix[2])),
                1e-12);
    EXPECT_NEAR(r.observed[1], Pearson(kSix[0], kSix[1]), 1e-12);
    for (int k = 0; k < 2; k++) {
      // E[(1 + count) / N] = (1 + (N - 1) p) / N; four standard errors.
      const double p = exact[k], expected = (1 + (N - 1) * p) / N;
      EXPECT_NEAR(r.probability[k], expected, 4 * std::sqrt(p * (1 - p) / (N - 1)) + 1e-12)
          << "null model " << nullModel << " statement " << k << " exact " << p;
    }
    EXPECT_NEAR(r.fisher.C, -2 * (std::log(r.probability[0]) + std::log(r.probability[1])), 1e-12);
    EXPECT_EQ(r.fisher.degreesOfFreedom, 4);
    RngPtr h = Generator(1);  // N = 1: nothing drawn, every P = 1
    const BasisSetTestResult one = BasisSetPermutationTest(SixUnitInput(table, nullModel, 1), h.get());
    EXPECT_EQ(one.probability, std::vector<double>({1.0, 1.0}));
    EXPECT_EQ(one.fisher.C, 0.0);
    EXPECT_EQ(gsl_rng_get(h.get()), gsl_rng_get(Generator(1).get()));
  }
}

TEST(BasisSetPermutationTest, OneVariableNullModelChangesOnlyTheFirstVariablesCorrelations) {
  const Matrix table = rtest::FromColumns(kSix);
  BasisSetTestInput in = SixUnitInput(table, 2, 40);
  int seen = 0;
  Matrix observed;
  RngPtr g = Generator(5);
  BasisSetPermutationTest(in, g.get(), {},
                          [&](int permutation, const int* lists, const double* const* matrix,
                              const double* const* rows, const double* random) {
                            if (permutation == 1) {
                              observed = CopyOf(3, 3, matrix);
                              EXPECT_EQ(rows, nullptr);
                              return;
                            }
                            seen++;
                            ASSERT_NE(rows, nullptr);
                            // Variable 0's row: x0 in the order of its list, the others as observed.
                            std::vector<int> order(6);
                            for (int i = 0; i < 6; i++) order[i] = lists[i] - 1;
                            const Column x0 = Permuted(kSix[0], order);
                            EXPECT_NEAR(rows[0][1], Pearson(x0, kSix[1]), 1e-13);
                            EXPECT_NEAR(rows[0][2], Pearson(x0, kSix[2]), 1e-13);
                            // Its partial correlation with the others' correlations as observed.
                            EXPECT_NEAR(random[0], FirstOrder(rows[0][2], rows[0][1], observed[1][2]), 1e-12);
                            EXPECT_NEAR(random[1], rows[0][1], 1e-15);
                            // The matrix of every variable permuted is a correlation matrix of permuted data.
                            std::vector<int> order1(6);
                            for (int i = 0; i < 6; i++) order1[i] = lists[6 + i] - 1;
                            EXPECT_NEAR(matrix[0][1], Pearson(x0, Permuted(kSix[1], order1)), 1e-13);
                          });
  EXPECT_EQ(seen, 39);
}

// The test drawn by hand: one RndList per variable permuted, permutation
// after permutation, and the counts from the textbook formulas.
TEST(BasisSetPermutationTest, EqualsTheSequentialStreamAtOneAndTwoThreads) {
  const Matrix table = path_test::Chain(25, 99);
  std::vector<Column> cols;
  for (int j = 0; j < 4; j++) cols.push_back(rtest::ColumnOf(table, j));
  const int N = 500;
  for (int nullModel : {1, 2}) {
    BasisSetTestInput in =
        Input(table, {BasisSetElement{0, 2, {1}}, BasisSetElement{3, 1, {}}, BasisSetElement{0, 3, {}}}, nullModel, N);

    const double r01 = Pearson(cols[0], cols[1]), r02 = Pearson(cols[0], cols[2]), r12 = Pearson(cols[1], cols[2]);
    const double observed[3] = {FirstOrder(r02, r01, r12), Pearson(cols[3], cols[1]), Pearson(cols[0], cols[3])};
    RngPtr hand = Generator(77);
    int counts[3] = {1, 1, 1};
    std::vector<int> list(25);
    for (int t = 1; t < N; t++) {
      // Every variable's list, or (one variable permuted) those of the
      // statements' first variables 0 and 3, in variable order.
      std::vector<Column> p(4);
      for (int j = 0; j < 4; j++) {
        if (nullModel == 2 && j != 0 && j != 3) continue;
        RndList(hand.get(), 25, list.data());
        std::vector<int> order(25);
        for (int i = 0; i < 25; i++) order[i] = list[i] - 1;
        p[j] = Permuted(cols[j], order);
      }
      double random[3];
      if (nullModel == 1) {
        random[0] = FirstOrder(Pearson(p[0], p[2]), Pearson(p[0], p[1]), Pearson(p[1], p[2]));
        random[1] = Pearson(p[3], p[1]);
        random[2] = Pearson(p[0], p[3]);
      } else {
        random[0] = FirstOrder(Pearson(p[0], cols[2]), Pearson(p[0], cols[1]), r12);
        random[1] = Pearson(p[3], cols[1]);
        random[2] = Pearson(p[0], cols[3]);
      }
      for (int k = 0; k < 3; k++) counts[k] += AtLeastAsLargeAbsolute(random[k], observed[k]);
    }
    for (int threads : {1, 2}) {
      in.maxThreads = threads;
      RngPtr g = Generator(77);
      const BasisSetTestResult r = BasisSetPermutationTest(in, g.get());
      for (int k = 0; k < 3; k++)
        EXPECT_EQ(r.probability[k], counts[k] / double(N)) << "null model " << nullModel << " threads " << threads;
      // The generator ends where the hand-drawn stream ended.
      RngPtr after(gsl_rng_clone(hand.get()));
      EXPECT_EQ(gsl_rng_get(g.get()), gsl_rng_get(after.get()));
    }
  }
}

TEST(BasisSetPermutationTest, StatementsOutsideTheTableAreRefused) {
  const Matrix table = rtest::FromColumns(kSix);
  const std::vector<std::vector<BasisSetElement>> bad = {
      {BasisSetElement{0, 0, {}}}, {BasisSetElement{0, 3, {}}}, {BasisSetElement{0, 1, {1}}},
      {BasisSetElement{0, 1, {2, 2}}}, {BasisSetElement{-1, 1, {}}}};
  for (const auto& elements : bad) {
    BasisSetTestInput in = SixUnitInput(table, 1, 10);
    in.elements = elements;
    RngPtr g = Generator(1);
    EXPECT_THROW(BasisSetPermutationTest(in, g.get()), std::invalid_argument);
  }
  BasisSetTestInput in = SixUnitInput(table, 3, 10);
  RngPtr g = Generator(1);
  EXPECT_THROW(BasisSetPermutationTest(in, g.get()), std::invalid_argument);
}

// Lists of n units, one per item, from a generator.
std::vector<int> Lists(int n, int items, unsigned long seed) {
  RngPtr g = Generator(seed);
  std::vector<int> lists(static_cast<size_t>(n) * items);
  for (int k = 0; k < items; k++) RndList(g.get(), n, lists.data() + static_cast<size_t>(k) * n);
  return lists;
}

// The table with column j in the order of list j (lists of the columns).
Matrix PermuteColumns(const Matrix& t, const std::vector<int>& lists) {
  Matrix out(t.rows(), t.cols());
  for (int j = 0; j < t.cols(); j++)
    for (int i = 0; i < t.rows(); i++) out[i][j] = t[lists[static_cast<size_t>(j) * t.rows() + i] - 1][j];
  return out;
}

TEST(ItemCorrelations, VariablesGiveTheResemblanceMeasureOfThePermutedTable) {
  Matrix table = path_test::Chain(37, 3);
  ResemblanceChoice correlation;
  correlation.direction = 2, correlation.measure = 17;
  for (bool missing : {false, true}) {
    if (missing) table[4][1] = table[20][3] = MISSING_VALUE;
    const ItemModel model(37, 4, table.data(), ItemCriterion::CORRELATION, ColumnBlocks{});
    ItemCorrelations work(model);
    const std::vector<int> lists = Lists(37, 4, 11);
    Matrix got(4, 4), expected(4, 4);
    work.Compute(lists.data(), got.data(), false);
    const Matrix permuted = PermuteColumns(table, lists);
    ASSERT_EQ(ResemblanceLib(correlation, 37, 4, permuted.data(), expected.data()), 1);
    // Any other table: the measure's own arithmetic, to the last bit; the
    // observed arrangement: the measure of the table itself, to the last bit.
    VariableCorrelations plain(37, 4);
    Matrix bits(4, 4), self(4, 4), selfExpected(4, 4);
    plain.Compute(table.data(), lists.data(), bits.data());
    work.Compute(nullptr, self.data(), false);
    ResemblanceLib(correlation, 37, 4, table.data(), selfExpected.data());
    for (int a = 0; a < 4; a++)
      for (int b = 0; b < 4; b++) {
        EXPECT_NEAR(got[a][b], expected[a][b], 1e-14) << a << b << " missing " << missing;
        EXPECT_EQ(bits[a][b], expected[a][b]) << a << b << " missing " << missing;
        EXPECT_EQ(self[a][b], selfExpected[a][b]) << a << b << " missing " << missing;
      }
    work.Compute(lists.data(), got.data(), true);
    EXPECT_EQ(got[2][2], 1.0);
    // One variable permuted against the others as observed.
    std::vector<double> row(4);
    work.FirstItemRow(2, lists.data() + 2 * 37, row.data());
    for (int k = 0; k < 4; k++) {
      if (k == 2) continue;
      Matrix mixed(37, 2);
      for (int i = 0; i < 37; i++) mixed[i][0] = permuted[i][2], mixed[i][1] = table[i][k];
      Matrix r2(2, 2);
      ResemblanceLib(correlation, 37, 2, mixed.data(), r2.data());
      EXPECT_NEAR(row[k], r2[0][1], 1e-14) << k << " missing " << missing;
    }
  }
}

TEST(ItemCorrelations, BlocksGiveProcrustesAndMantelCorrelationsOfThePermutedBlocks) {
  const int n = 15;
  Matrix table = rtest::Normal(n, 6, 8);
  for (int i = 0; i < n; i++)
    for (int j = 1; j < 6; j++) table[i][j] += 0.5 * table[i][j - 1];
  ColumnBlocks blocks;
  blocks.sizes = {2, 1, 3};  // columns 0-1, 2, 3-5
  const std::vector<int> lists = Lists(n, 3, 21);
  auto permutedBlock = [&](int b, bool permute) {
    const int first = blocks.FirstColumn(b), size = blocks.sizes[b];
    Matrix m(n, size);
    for (int i = 0; i < n; i++)
      for (int c = 0; c < size; c++) m[i][c] = table[permute ? lists[static_cast<size_t>(b) * n + i] - 1 : i][first + c];
    return m;
  };
  ResemblanceChoice euclidean;
  euclidean.direction = 1, euclidean.measure = 3;
  auto distances = [&](const Matrix& m) {
    Matrix d(n, n);
    ResemblanceLib(euclidean, n, m.cols(), m.data(), d.data());
    return d;
  };
  for (ItemCriterion criterion : {ItemCriterion::PROCRUSTES, ItemCriterion::MANTEL}) {
    const ItemModel model(n, 6, table.data(), criterion, blocks);
    ItemCorrelations work(model);
    Matrix got(3, 3), observed(3, 3);
    work.Compute(lists.data(), got.data(), true);
    work.Compute(nullptr, observed.data(), true);
    std::vector<double> row(3);
    work.FirstItemRow(1, lists.data() + n, row.data());
    auto statistic = [&](const Matrix& A, const Matrix& B) {
      return criterion == ItemCriterion::PROCRUSTES ? ProcrustesCoeff(n, A.cols(), B.cols(), A.data(), B.data())
                                                    : MatrixCorr(n, distances(A).data(), distances(B).data());
    };
    for (int a = 0; a < 3; a++) {
      EXPECT_EQ(got[a][a], 1.0);
      for (int b = a + 1; b < 3; b++) {
        EXPECT_NEAR(got[a][b], statistic(permutedBlock(a, true), permutedBlock(b, true)), 1e-12);
        EXPECT_EQ(got[b][a], got[a][b]);
        // The observed arrangement: the arithmetic of the two-set statistics, to the last bit.
        EXPECT_EQ(observed[a][b], statistic(permutedBlock(a, false), permutedBlock(b, false)));
      }
    }
    // Block 1 permuted, blocks 0 and 2 as observed.
    EXPECT_NEAR(row[0], statistic(permutedBlock(0, false), permutedBlock(1, true)), 1e-12);
    EXPECT_NEAR(row[2], statistic(permutedBlock(1, true), permutedBlock(2, false)), 1e-12);
  }
  // A block of one column each: the Procrustes correlation is |r|.
  ColumnBlocks singles;
  singles.sizes = {1, 1};
  const ItemModel model(n, 6, table.data(), ItemCriterion::PROCRUSTES, singles);
  Matrix m(2, 2);
  ItemCorrelations(model).Compute(nullptr, m.data(), true);
  EXPECT_NEAR(m[0][1], std::fabs(Pearson(rtest::ColumnOf(table, 0), rtest::ColumnOf(table, 1))), 1e-12);
  // Blocks beyond the table are refused.
  ColumnBlocks tooMany;
  tooMany.sizes = {4, 3};
  EXPECT_THROW(ItemModel(n, 6, table.data(), ItemCriterion::MANTEL, tooMany), std::invalid_argument);
}

TEST(BasisSetPermutationTest, BlockTestsAtOneAndTwoThreadsAndRestrictedPermutations) {
  const Matrix table = path_test::Chain(30, 5);
  for (ItemCriterion criterion : {ItemCriterion::PROCRUSTES, ItemCriterion::MANTEL, ItemCriterion::CORRELATION})
    for (int nullModel : {1, 2}) {
      BasisSetTestInput in = Input(table, {BasisSetElement{0, 2, {1}}, BasisSetElement{2, 0, {}}}, nullModel, 300);
      in.criterion = criterion;
      in.blocks.sizes = {1, 2, 1};
      in.restrictions.option = PermutationRestrictions::NESTING, in.restrictions.nestingOn = true;
      for (int i = 0; i < 30; i++) in.restrictions.nestMemb.push_back(i % 3);
      std::vector<double> p[2];
      for (int threads : {1, 2}) {
        in.maxThreads = threads;
        RngPtr g = Generator(31);
        const BasisSetTestResult r = BasisSetPermutationTest(in, g.get());
        p[threads - 1] = r.probability;
        EXPECT_EQ(r.threads, threads);
      }
      EXPECT_EQ(p[0], p[1]);
    }
}
}  // namespace

// Scalar and vector transformations, double adjustment, group means and the
// re-application entry points, each case worked out by hand. Every case runs
// on a copy of its input, so in-place routines see the same table.
#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

namespace {

using Kernel = void (*)(int nRows, int nCols, const double* const* in, double** out);
struct Case {
  const char* name;
  Kernel kernel;
  Cells in, want;
};

const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0), r12 = std::sqrt(12.0);
const double lib5 = std::sqrt(1.25), half = 1 / std::sqrt(2.0);

template <int K>
void Scalar(int r, int c, const double* const*, double** o) { ScalarTransformationMV(r, c, o, K); }
template <int K>
void ClassesRow(int, int c, const double* const* i, double** o) { ClassesMV(c, i[0], o[0], K); }
template <int K>
void ClassesPlainRow(int, int c, const double* const* i, double** o) { Classes(c, i[0], o[0], K); }
void RanksRow(int, int c, const double* const* i, double** o) { RankVectorAdjMV(c, i[0], o[0]); }
void RanksPlainRow(int, int c, const double* const* i, double** o) { RankVectorAdj(c, i[0], o[0]); }
template <int K>
void ClassesCols(int r, int c, const double* const* i, double** o) { ClassesColsMV(r, c, i, o, K); }
template <int K>
void ClassesRows(int r, int c, const double* const* i, double** o) { ClassesRowsMV(r, c, i, o, K); }
void GroupsOf1212(int r, int c, const double* const* i, double** o) {
  int g[] = {1, 2, 1, 2};
  DeviationsGroupMeansMV(r, c, i, o, g);
}
void SparseGroupNumbers(int r, int c, const double* const* i, double** o) {
  int g[] = {30, 30, 1, 1, 0, 1000000000, 0};
  DeviationsGroupMeansMV(r, c, i, o, g);
}
// DataTransformationsLib(scalar, var, units) with 2 classes within variables and 4 within units.
template <int S, int V, int U>
void Lib(int r, int c, const double* const*, double** o) {
  EXPECT_EQ(DataTransformationsLib(r, c, o, S, V, U, 2, 4, 0, true, false), 1);
}
template <int S, int V, int U>
void LibGroups(int r, int c, const double* const*, double** o) {
  int g[] = {1, 1, 2, 2};
  DataTransformationsLib(r, c, o, S, V, U, 2, 4, 0, true, false, g);
}
template <int S, int V, int U>
void LibD(int r, int c, const double* const*, double** o) { EXPECT_EQ(DataTransformationsLib_D(r, c, o, S, V, U, 2, 4), 1); }

const Case kCases[] = {
    {"presence keeps zero, negative, missing", Scalar<1>, {{3, 0, -2, -999, 0.25}}, {{1, 0, -2, -999, 1}}},
    {"square root of |x|", Scalar<2>, {{4, -9, 0, -999, 2.25}}, {{2, 3, 0, -999, 1.5}}},
    {"log10(x + 1) of positives", Scalar<3>, {{9, 0, -3, 99, -999, 0.5}}, {{1, 0, -3, 2, -999, std::log10(1.5)}}},
    {"expansion and unknown scalar options", Scalar<4>, {{3, -999}}, {{3, -999}}},
    {"row totals", UnitSumRowsAdjMV, {{1, 3, -999, 4}, {0, 0, 0, -999}}, {{.125, .375, -999, .5}, {0, 0, 0, -999}}},
    {"column totals", UnitSumColsAdjMV, {{2, 0}, {-999, 0}, {6, 0}}, {{.25, 0}, {-999, 0}, {.75, 0}}},
    {"plain row totals count the code", UnitSumRowsAdj, {{1, -999, 1000}}, {{.5, -499.5, 500}}},
    // Mean 3 of four values, divisor sqrt(3); a single value gives 0, not 0/0.
    {"row centring over sqrt(n-1)", CenterRowsCovMV, {{1, 2, 3, -999, 6}, {5, -999, -999, -999, -999}},
     {{-2 / r3, -1 / r3, 0, -999, 3 / r3}, {0, -999, -999, -999, -999}}},
    {"column centring over sqrt(n-1)", CenterColsCovMV, {{1, 1}, {2, 1}, {6, 1}}, {{-2 / r2, 0}, {-1 / r2, 0}, {3 / r2, 0}}},
    {"column centring", CenterColsMV, {{1}, {5}, {-999}, {3}}, {{-2}, {2}, {-999}, {0}}},
    {"row centring", CenterRowsMV, {{4, -999, 8}}, {{-2, -999, 2}}},
    {"plain column centring", CenterCols, {{1}, {-999}, {-1}}, {{334}, {-666}, {332}}},
    {"row normalization", NormalizeRowsMV, {{3, -999, 4}, {0, 0, 0}}, {{.6, -999, .8}, {0, 0, 0}}},
    {"column normalization", NormalizeColsMV, {{-999, 0}, {5, 0}, {12, 0}}, {{-999, 0}, {5. / 13, 0}, {12. / 13, 0}}},
    {"plain column normalization", NormalizeCols, {{-999}, {0}}, {{-1}, {0}}},
    // Along rows the minimum is not subtracted; down columns it is.
    {"range along rows", RangeRowsAdjMV, {{2, 4, 6}, {2, -999, 6}, {3, 3, 3}}, {{.5, 1, 1.5}, {.5, -999, 1.5}, {3, 3, 3}}},
    {"range down columns", RangeColsAdjMV, {{2, 5, -999}, {4, 5, 10}, {6, 5, 20}, {-999, 5, 30}},
     {{0, 0, -999}, {.5, 0, 0}, {1, 0, .5}, {-999, 0, 1}}},
    {"Hellinger rows", HellingerRowsAdjMV, {{1, 3, -999, 0}}, {{.5, std::sqrt(.75), -999, 0}}},
    {"Hellinger columns", HellingerColsAdjMV, {{9, 0}, {16, 0}, {-999, 0}}, {{.6, 0}, {.8, 0}, {-999, 0}}},
    // (x - r c / T) / sqrt(r c): expected counts 2, T = 8.
    {"double adjustment", DeviationsExpectationsMV, {{1, 3}, {3, 1}}, {{-.25, .25}, {.25, -.25}}},
    {"double adjustment, zero margins", DeviationsExpectationsMV, {{1, 0, 3}, {0, 0, 0}, {3, 0, 1}},
     {{-.25, 0, .25}, {0, 0, 0}, {.25, 0, -.25}}},
    // r = c = (4, 3), T = 7.
    {"double adjustment, missing cell", DeviationsExpectationsMV, {{1, 3}, {3, -999}},
     {{(1 - 16. / 7) / 4, (3 - 12. / 7) / r12}, {(3 - 12. / 7) / r12, -999}}},
    {"4 classes on 0..4", ClassesRow<4>, {{0, 1, 2, 3, 4}}, {{1, 1, 2, 3, 4}}},
    {"constant vector in class 1", ClassesRow<7>, {{5, 5, 5}}, {{1, 1, 1}}},
    {"classes skip missing", ClassesRow<2>, {{0, -999, 4, 2, 3}}, {{1, -999, 2, 1, 2}}},
    {"plain classes take the code as minimum", ClassesPlainRow<2>, {{-999, 1, 3}}, {{1, 2, 2}}},
    {"classes down columns", ClassesCols<2>, {{0, 5}, {1, 2}, {2, 2}, {4, -999}}, {{1, 2}, {1, 1}, {1, 1}, {2, -999}}},
    {"classes along rows", ClassesRows<4>, {{0, 1, 2, 3, 4}, {9, -999, 9, 9, 9}}, {{1, 1, 2, 3, 4}, {1, -999, 1, 1, 1}}},
    {"mid-ranks, missing skipped", RanksRow, {{5, 2, 2, -999, 7}}, {{3, 1.5, 1.5, -999, 4}}},
    {"all tied", RanksRow, {{1, 1, 1}}, {{2, 2, 2}}},
    {"values below the missing code", RanksRow, {{-1000, -999, 3, -5000}}, {{2, -999, 3, 1}}},
    {"plain ranks rank the code", RanksPlainRow, {{5, -999, 7}}, {{2, 1, 3}}},
    {"ranks down columns", RankColsAdjMV, {{5, 1}, {2, 1}, {2, 3}, {-999, 2}, {7, 0}},
     {{3, 2.5}, {1.5, 2.5}, {1.5, 5}, {-999, 4}, {4, 1}}},
    {"group means with missing", GroupsOf1212, {{1, -999}, {10, 4}, {3, 2}, {-999, 8}},
     {{-1, -999}, {0, -2}, {1, 0}, {-999, 2}}},
    {"sparse group numbers", SparseGroupNumbers, {{2}, {4}, {7}, {9}, {100}, {5}, {1}},
     {{-1}, {1}, {-1}, {1}, {49.5}, {0}, {-49.5}}},
    // Presence (1 0)(1 1); column totals 2, 1: (.5 0)(.5 1); rows to unit length.
    {"lib: scalar, then variables, then units", Lib<1, 1, 4>, {{2, 0}, {5, 3}}, {{1, 0}, {.5 / lib5, 1 / lib5}}},
    {"lib: centring then normalization", Lib<0, 5, 0>, {{1, 10}, {2, -999}, {3, 30}}, {{-half, -half}, {0, -999}, {half, half}}},
    {"lib: 2 classes within variables", Lib<0, 8, 0>, {{0, 4}, {2, 0}, {4, 2}}, {{1, 2}, {1, 1}, {2, 1}}},
    {"lib: 4 classes within units", Lib<0, 0, 8>, {{0, 1, 2, 3, 4}}, {{1, 1, 2, 3, 4}}},
    {"lib: range within units", Lib<0, 0, 7>, {{2, 4, 6}}, {{.5, 1, 1.5}}},
    {"lib: range within variables", Lib<0, 7, 0>, {{2}, {4}, {6}}, {{0}, {.5}, {1}}},
    {"lib: ranks within units", Lib<0, 0, 9>, {{5, 2, 2, -999, 7}}, {{3, 1.5, 1.5, -999, 4}}},
    {"lib: Hellinger within variables", Lib<0, 10, 0>, {{1, 0}, {3, 4}}, {{.5, 0}, {std::sqrt(.75), 1}}},
    {"lib: double adjustment within units", Lib<0, 0, 6>, {{1, 3}, {3, 1}}, {{-.25, .25}, {.25, -.25}}},
    {"lib: group means", LibGroups<0, 12, 0>, {{1}, {3}, {10}, {20}}, {{-1}, {1}, {-5}, {5}}},
    {"lib: no groups, no option 12", Lib<0, 12, 0>, {{1}, {3}}, {{1}, {3}}},
    {"lib: 6 and 11 not within variables", Lib<0, 6, 12>, {{1, 3}, {3, 1}}, {{1, 3}, {3, 1}}},
    {"lib: Beals not within variables", Lib<5, 11, 0>, {{1, 3}, {3, 1}}, {{1, 3}, {3, 1}}},
    {"lib_D: double adjustment within variables", LibD<0, 6, 0>, {{1, 3}, {3, 1}}, {{-.25, .25}, {.25, -.25}}},
    {"lib_D: no Beals", LibD<0, 0, 11>, {{1, 0}, {0, 1}}, {{1, 0}, {0, 1}}},
    {"lib_D: log then column totals", LibD<3, 1, 0>, {{9, 0}, {0, 99}}, {{1, 0}, {0, 1}}},
};

}  // namespace

TEST(TransformKernels, HandWorkedCases) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Table in(c.in), out(c.in);
    c.kernel(in.rows(), in.cols(), in.p(), out.p());
    ExpectTable(out, c.want);
  }
}

TEST(TransformKernels, SeparateOutputLeavesInputAlone) {
  Table in({{2, 0}, {-999, 0}, {6, 0}}), out(3, 2, 7.0);
  UnitSumColsAdjMV(3, 2, in.p(), out.p());
  ExpectTable(out, {{.25, 0}, {-999, 0}, {.75, 0}});
  ExpectTable(in, {{2, 0}, {-999, 0}, {6, 0}});
}

// Seven values of 0.1 have a rounded mean that is not 0.1 itself; centring must
// still give exact zeros, and a normalization after it must leave them at 0.
TEST(TransformKernels, ConstantRowsAndColumnsCentreToExactZeros) {
  Table rows(2, 7, 0.1), cols(7, 2, 0.1);
  rows.p()[1][3] = -999;
  cols.p()[3][1] = -999;
  CenterRowsMV(2, 7, rows.p(), rows.p());
  NormalizeRowsMV(2, 7, rows.p(), rows.p());
  CenterColsMV(7, 2, cols.p(), cols.p());
  CenterColsCovMV(7, 2, cols.p(), cols.p());
  for (int j = 0; j < 7; j++) {
    EXPECT_EQ(rows.p()[0][j], 0.0);
    EXPECT_EQ(rows.p()[1][j], j == 3 ? -999.0 : 0.0);
    EXPECT_EQ(cols.p()[j][0], 0.0);
    EXPECT_EQ(cols.p()[j][1], j == 3 ? -999.0 : 0.0);
  }
}

// The Hellinger transformation and the double adjustment take frequencies:
// a negative value put NaN in the table (Hellinger) or was silently left
// where the totals were not positive (double adjustment). The step refuses
// the table it receives and names the first negative cell. (Hellinger on the
// data as read: TransformRefusalE2E.)
TEST(TransformKernels, StepsNeedingNonNegativeValuesRefuseNegativeOnes) {
  const struct {
    const char* name;
    int scalar, optVar, optUnits;
    Cells in;
    int option;
    bool withinUnits;
    int row, col;
    double value;
  } cases[] = {
      {"double adjustment", 0, 0, TR_VEC_DOUBLE_ADJUSTMENT, {{1, 2}, {-1, 2}}, TR_VEC_DOUBLE_ADJUSTMENT, true, 1, 0, -1},
      // Centring within variables makes negative values for the step after it.
      {"centred, then Hellinger", 0, TR_VEC_CENTER, TR_VEC_HELLINGER, {{1, 2}, {3, 2}}, TR_VEC_HELLINGER, true, 0, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Table t(c.in);
    TransformRefusal why;
    EXPECT_EQ(DataTransformationsLib(t.rows(), t.cols(), t.p(), c.scalar, c.optVar, c.optUnits, 0, 0, 1, true, false,
                                     nullptr, &why),
              0);
    EXPECT_EQ(why.option, c.option);
    EXPECT_EQ(why.withinUnits, c.withinUnits);
    EXPECT_EQ(why.cell.row, c.row);
    EXPECT_EQ(why.cell.col, c.col);
    EXPECT_EQ(why.cell.value, c.value);
  }
  // The square root of absolute values first leaves nothing negative.
  Table ok({{4, -9}, {1, 0}});
  EXPECT_EQ(DataTransformationsLib(2, 2, ok.p(), TR_SCALAR_SQRT, 0, TR_VEC_HELLINGER, 0, 0, 1, true, false), 1);
  ExpectTable(ok, {{std::sqrt(0.4), std::sqrt(0.6)}, {1, 0}});
  Table within({{1, 2}, {-3, 2}});
  EXPECT_EQ(DataTransformationsLib_D(2, 2, within.p(), 0, TR_VEC_DOUBLE_ADJUSTMENT, 0, 0, 0), 0);
}

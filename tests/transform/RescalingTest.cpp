#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

TEST(Classes, FourClassesOnZeroToFour) {
  double x[] = {0, 1, 2, 3, 4};
  double y[5];
  ClassesMV(5, x, y, 4);
  ExpectVector(y, {1, 1, 2, 3, 4});
}

TEST(Classes, ConstantVectorAllFirstClass) {
  double x[] = {5, 5, 5};
  ClassesMV(3, x, x, 7);
  ExpectVector(x, {1, 1, 1});
}

TEST(Classes, MissingValuesStayAndDoNotSetExtremes) {
  double x[] = {0, -999, 4, 2, 3};
  ClassesMV(5, x, x, 2);
  // 2 -> ceil(2*2/4) = 1; 3 -> ceil(3*2/4) = 2
  ExpectVector(x, {1, -999, 2, 1, 2});
}

TEST(Classes, PlainFormTakesMissingCodeAsMinimum) {
  double x[] = {-999, 1, 3};
  Classes(3, x, x, 2);
  // range 1002: 1 -> ceil(1000*2/1002) = 2, 3 -> max -> 2
  ExpectVector(x, {1, 2, 2});
}

TEST(Ranks, MidRanksForTiesAndMissingSkipped) {
  double x[] = {5, 2, 2, -999, 7};
  double y[5];
  RankVectorAdjMV(5, x, y);
  ExpectVector(y, {3, 1.5, 1.5, -999, 4});
}

TEST(Ranks, AllTiedAndValuesBelowMissingCode) {
  double a[] = {1, 1, 1};
  RankVectorAdjMV(3, a, a);
  ExpectVector(a, {2, 2, 2});
  double b[] = {-1000, -999, 3, -5000};
  RankVectorAdjMV(4, b, b);
  ExpectVector(b, {2, -999, 3, 1});
}

TEST(Ranks, PlainFormRanksTheMissingCode) {
  double x[] = {5, -999, 7};
  RankVectorAdj(3, x, x);
  ExpectVector(x, {2, 1, 3});
}

TEST(RescalingTables, ClassesAndRanksDownColumnsAndAlongRows) {
  Table c{{0, 5}, {1, 2}, {2, 2}, {4, -999}};
  ClassesColsMV(c.rows(), c.cols(), c.p(), c.p(), 2);
  ExpectTable(c, {{1, 2}, {1, 1}, {1, 1}, {2, -999}});
  Table r{{0, 1, 2, 3, 4}, {9, -999, 9, 9, 9}};
  ClassesRowsMV(r.rows(), r.cols(), r.p(), r.p(), 4);
  ExpectTable(r, {{1, 1, 2, 3, 4}, {1, -999, 1, 1, 1}});
  Table k{{5, 1}, {2, 1}, {2, 3}, {-999, 2}, {7, 0}};
  RankColsAdjMV(k.rows(), k.cols(), k.p(), k.p());
  ExpectTable(k, {{3, 2.5}, {1.5, 2.5}, {1.5, 5}, {-999, 4}, {4, 1}});
  Table kr{{5, 2, 2, -999, 7}};
  RankRowsAdjMV(kr.rows(), kr.cols(), kr.p(), kr.p());
  ExpectTable(kr, {{3, 1.5, 1.5, -999, 4}});
}

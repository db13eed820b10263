#include <cmath>

#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

TEST(ScalarTransformation, PresenceAbsenceKeepsZeroNegativeAndMissing) {
  Table t{{3}, {0}, {-2}, {-999}, {0.25}};
  ScalarTransformationMV(t.rows(), t.cols(), t.p(), TR_SCALAR_PRESENCE);
  ExpectTable(t, {{1}, {0}, {-2}, {-999}, {1}});
}

TEST(ScalarTransformation, SquareRootOfAbsoluteValue) {
  Table t{{4, -9, 0, -999, 2.25}};
  ScalarTransformationMV(t.rows(), t.cols(), t.p(), TR_SCALAR_SQRT);
  ExpectTable(t, {{2, 3, 0, -999, 1.5}});
}

TEST(ScalarTransformation, LogarithmBase10OfPositiveValuesOnly) {
  Table t{{9, 0, -3, 99, -999, 0.5}};
  ScalarTransformationMV(t.rows(), t.cols(), t.p(), TR_SCALAR_LOG);
  ExpectTable(t, {{1, 0, -3, 2, -999, std::log10(1.5)}});
}

TEST(ScalarTransformation, ExpansionOptionsAndUnknownOptionsChangeNothing) {
  for (int opt : {0, 4, 5, 7, -1}) {
    Table t{{3, -2}, {-999, 0.5}};
    ScalarTransformationMV(t.rows(), t.cols(), t.p(), opt);
    ExpectTable(t, {{3, -2}, {-999, 0.5}});
  }
}

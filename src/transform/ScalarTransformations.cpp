// Scalar transformations of the cells of a table.
#include <cmath>

#include "transform/DataTransformationsLib.h"

// 1 presence/absence (positive values become 1), 2 sqrt(|x|), 3 log10(|x + 1|)
// of positive values. Zero and negative values stay as they are under 1 and 3.
void ScalarTransformationMV(int nRows, int nCols, double** data, int optScalar) {
  if (optScalar < TR_SCALAR_PRESENCE || optScalar > TR_SCALAR_LOG) return;
  for (int i = 0; i < nRows; i++) {
    double* row = data[i];
    for (int j = 0; j < nCols; j++) {
      double x = row[j];
      if (IsMissing(x)) continue;
      switch (optScalar) {
        case TR_SCALAR_PRESENCE:
          if (x > 0.0) row[j] = 1.0;
          break;
        case TR_SCALAR_SQRT:
          row[j] = std::sqrt(std::fabs(x));
          break;
        case TR_SCALAR_LOG:
          if (x > 0.0) row[j] = std::log10(std::fabs(x + 1.0));
          break;
      }
    }
  }
}

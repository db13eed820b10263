// Canonical serial scaling: how the variables of a serially ordered table are
// related at the finest scale. The table is averaged over blocks of b
// consecutive sampling units (moving averages, b = 1..B), the resemblance
// between variables (a correlation matrix) is computed for each block size,
// and for each pair of variables the straight line fitted by least squares
// to its values over the block sizes predicts the value for block size one.
#pragma once

#include <functional>

#include "ZQLib/Matrix.h"
#include "resemblance/ResemblanceChoice.h"
#include "resemblance/ResemblanceLib.h"

// Block sizes of a table of nObj units: the integer part of 0.4 nObj, at
// most 40.
int SerialScalingBlockCount(int nObj);

// M (nObj x nVar, allocated by the caller) receives in rows 0..nObj-b the
// means of b consecutive rows of data; later rows are set to 0. Missing
// cells (-999) are left out of a mean; a mean with no value is missing.
void MovingAverages(int nObj, int nVar, const double* const* data, int b, double** M);

// Value at x = 1 of the least-squares line of y on x over the count points
// (x, y): with one point (or all x equal) the mean of y; with none the
// missing code.
double FittedAtOne(int count, const double* x, const double* y);

// Called for every block size b with its moving averages (nObj x nVar) and
// its resemblance matrix between variables (nVar x nVar).
using SerialScalingObserver = std::function<void(int b, const Matrix& averages, const Matrix& resemblance)>;

struct SerialScalingResult {
  int blocks = 0;               // B
  Matrix predicted;             // nVar x nVar: [c][a] for a < c, zeros on and above the diagonal
  bool refused = false;         // the resemblance could not be computed at block size refusedBlock
  int refusedBlock = 0;
  ResemblanceRefusal refusal;
};

// choice: the session's resemblance between variables. A resemblance value
// that is missing at some block size is left out of its pair's line; a pair
// with none gets the missing code. Throws std::bad_alloc.
SerialScalingResult CanonicalSerialScalingLib(const ResemblanceChoice& choice, int nObj, int nVar,
                                              const double* const* data,
                                              const SerialScalingObserver& observer = {});

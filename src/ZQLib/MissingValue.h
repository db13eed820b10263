// The missing-value code of every data table, resemblance matrix and score
// table: a cell equal to MISSING_VALUE (compared with ==) holds no value.
// Routines whose names end in MV leave such cells out of every sum, mean,
// count and extreme and write them back unchanged. A NaN is not missing.
#pragma once

constexpr double MISSING_VALUE = -999.0;

inline bool IsMissing(double x) { return x == MISSING_VALUE; }

// Serially ordered sampling units (states of one system in time, or places
// along a transect) put on a regular time (or spatial) scale: the new scale
// and the values interpolated linearly between the units.
#pragma once

#include <vector>

// Most new sampling units an interpolation writes: beyond this the file
// would hold more rows than anyone could read.
constexpr double kMaxInterpolatedUnits = 10000000.0;

// Interpolated values below this are written as 0 (negative ones included).
constexpr double kInterpolationFloor = 0.00001;

// Position (from 0) of the first time smaller than the one before it, or -1
// when the times never decrease.
int FirstDecreasingTime(int n, const double* times);

// True when every time and the interval are whole numbers.
bool WholeNumberScale(int n, const double* times, double interval);

// Number of new units for times t[0] <= ... <= t[n-1] and an interval h > 0:
// the integer part of (t[n-1] - t[0]) / h, plus one. Returned as a double so
// that a count too large for an int can be refused. A quotient that falls
// short of a whole number by rounding alone (0.3 / 0.1) counts as that whole
// number.
double InterpolatedUnitCount(int n, const double* times, double interval);

// The new scale: t[0] + k h for k = 0 .. nNew-1. With whole numbers this is
// the integer grid from t[0] in steps of h.
std::vector<double> InterpolationTimes(const double* times, double interval, int nNew);

// Values of the nObj x nVar table at time x, into row[nVar]. The table's
// units stand at times[] (never decreasing); between two units each variable
// changes linearly. At a time shared by several units the value is the first
// one's, and the series goes on from the last one's. Outside the times the
// nearest end holds. A value next to a missing one (-999) is missing; values
// below kInterpolationFloor become 0.
void InterpolateAt(int nObj, int nVar, const double* const* data, const double* times, double x, double* row);

// The whole interpolated table: result[k] = InterpolateAt(newTimes[k]).
void Interpolate(int nObj, int nVar, const double* const* data, const double* times, int nNew,
                 const double* newTimes, double** result);

// Option K: relations between the current data set and a second one on the
// same sampling units (and a third for the partial Mantel test).
#pragma once
#include "shell/SessionObjects.h"

// The option: menu of the eight analyses, the data sets they need, and the
// analysis. Always 1 (the main loop records the session afterwards).
int Canonical();

// The linear-model test of the responses on the factors.
void LinearModels(const DataSetView& responses, const DataSetView& factors, bool detailed);
// Rates of change of the first data set along the second (its first
// variable is the reference scale); both need resemblance matrices between
// sampling units.
void Rate_of_Change(const DataSetView& first, const DataSetView& second);
// The Procrustes test, then the second data set adjusted to the first.
void Procrustes(const DataSetView& first, const DataSetView& second);

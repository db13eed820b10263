// The bootstrap of descriptive statistics in the results file, in both
// languages: the heading, the intermediate results of every iteration and
// the final tables of averages and confidence limits.
#pragma once
#include <cstdio>

#include "bootstrap/DescriptiveBootstrap.h"

struct DescriptiveReportInfo {
  bool portuguese = false;
  bool entropy = false;        // the Renyi entropy (else mean, standard deviation, skewness)
  double renyiOrder = 1.0;
  int nObj = 0, nVar = 0;
  int initialSize = 0, step = 0;
  int nIter = 0;
  double alpha = 0.0;
  unsigned seed = 0;
  int digits = 5;              // significant digits of the final tables
  char** varLabels = nullptr;  // nVar labels
};

void WriteDescriptiveSamplerHeading(FILE* f, const DescriptiveReportInfo& info);
// An observer writing every iteration's resampled data and statistics to f;
// data: the nObj x nVar table resampled.
DescriptiveObserver DescriptiveIntermediateWriter(FILE* f, const DescriptiveReportInfo& info,
                                                  const double* const* data);
void WriteDescriptiveSamplerResults(FILE* f, const DescriptiveReportInfo& info, const DescriptiveBootstrapResults& r,
                                    double seconds);

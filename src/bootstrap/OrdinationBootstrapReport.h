// The bootstrap of ordination dimensions in the results file, in both
// languages: the heading, the reference scores and every iteration's
// intermediate results (when saved), and the final tables.
#pragma once
#include <cstdio>

#include "bootstrap/BootstrapReportParts.h"
#include "bootstrap/OrdinationBootstrap.h"

struct OrdinationBootstrapReportInfo : SamplerReportInfo {
  int nAxes = 1;
};

void WriteOrdinationBootstrapHeading(FILE* f, const OrdinationBootstrapReportInfo& info);
// The reference scores of the n units on the monitored axes (written once,
// before the intermediate results).
void WriteOrdinationReferenceScores(FILE* f, const OrdinationBootstrapReportInfo& info,
                                    const OrdinationBootstrapReference& ref);
// An observer writing every iteration's intermediate results to f.
OrdinationBootstrapObserver OrdinationBootstrapIntermediateWriter(FILE* f, const OrdinationBootstrapReportInfo& info);
void WriteOrdinationBootstrapResults(FILE* f, const OrdinationBootstrapReportInfo& info,
                                     const OrdinationBootstrapResults& r, double seconds);

// Main-menu option V: descriptive attributes of the data table in force
// (means, standard deviations, skewness and redundancy of variables; Renyi
// entropy of variables; entropy and complexity of a contingency table;
// multi-site beta diversity), with bootstrap confidence limits for the first
// two. Returns 1 when results were written, 0 when cancelled or refused.
#pragma once

int DescriptiveAttributes();

// Renyi entropies of frequency profiles for the descriptive attributes
// (option V): of a vector of frequencies with its Shannon code lengths, and of
// the row and column totals of a contingency table. Missing cells count as 0.
#pragma once

// Renyi entropy of order alpha (nats) of the proportions x_k / sum x of the
// positive values of x (n values); 0 when no value is positive. When alpha is
// exactly 1 (Shannon entropy) the code length -ln p_k (nats) of every positive
// value goes to codeLengths[k]; the other entries are left as they were.
// codeLengths may be null.
double EntropyVectorCodeLength(int n, const double* x, double alpha, double* codeLengths);

// Renyi entropy of order alpha of the r row totals (EntropyRows) or of the c
// column totals (EntropyCols) of the r x c table.
double EntropyRows(int r, int c, const double* const* table, double alpha);
double EntropyCols(int r, int c, const double* const* table, double alpha);

// Bartlett's test of the equality of the trailing eigenvalues of an
// ordination.
#pragma once

// u statistic for the eigenvalues k..p (one-based) of eig, with n the number
// of observations (scored entities) and p the order of the analysed matrix.
// Eigenvalues that are not positive, and those beyond the rank (rounding
// noise around zero), count as 1e-10.
double Bartlett_u(int rank, int k, const double* eig, int n, int p);
// Upper chi-square tail of u with ((rank - k + 3)(rank - k)) / 2 degrees of
// freedom; 1 when there are no degrees of freedom (the last axis).
double Bartlett_uProb(int rank, int k, const double* eig, int n, int p);

// Criteria for the number of ordination axes worth interpreting, each
// counting axes from the first until the first that fails (at most maxAxes):
//  - broken stick: axis k of the m positive eigenvalues is kept while its
//    share lambda_k / sum of the m exceeds the expected share of the k-th
//    longest of m pieces of a randomly broken stick,
//    b_k = (1/m) sum_{i=k..m} 1/i (Frontier 1976; Jackson 1993);
//  - Kaiser-Guttman: lambda_k above the mean of all the eigenvalues of the
//    analysed matrix (1 for a correlation matrix);
//  - Bartlett's test of the equality of the trailing eigenvalues (the test of
//    the ordination report): axis k is kept while the test of eigenvalues
//    k..p rejects equality at alpha (P <= alpha);
//  - the bootstrap of ordination dimensions: axis k is kept while
//    P(roRnd >= ro*) at the full sample size is at most alpha.
// Eigenvalues are in descending order.
#pragma once

// Expected share b_k of the k-th longest (1-based) of m broken-stick pieces.
double BrokenStickShare(int m, int k);

// eig: the m positive eigenvalues (the ordination's rank).
int BrokenStickAxes(int m, const double* eig, int maxAxes);

// eig: all `order` eigenvalues of the analysed matrix; only the first `rank`
// (the positive ones kept by the ordination) can be kept.
int KaiserGuttmanAxes(int order, int rank, const double* eig, int maxAxes);

// Bartlett_uProb(rank, k, eig, n, p) <= alpha for k = 1, 2, ...; n the
// number of scored entities and p the order of the analysed matrix, as in
// the ordination report.
int BartlettAxes(int rank, const double* eig, int n, int p, double alpha, int maxAxes);

// p: the probability of each of nAxes axes (the missing-value code where
// the bootstrap had no valid iteration, which fails).
int BootstrapAxes(int nAxes, const double* p, double alpha);

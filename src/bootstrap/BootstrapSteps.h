// Sample sizes of a bootstrap sampling-effort curve and the number of
// iterations that gives whole confidence tails.
#pragma once

// Number of sample sizes from initialSize growing by step up to n: the sizes
// initialSize, initialSize + step, ... while below n, and n itself last, so
// 1 + ceil((n - initialSize) / step). One size (n) when initialSize >= n; a
// step below 1 goes from initialSize straight to n.
int CountSteps(int n, int initialSize, int step);

// Sample size at step s (0-based) of those counted by CountSteps:
// initialSize + s x step, and n at the last step.
int SampleSizeAtStep(int n, int initialSize, int step, int s);

// The smallest number of iterations, from nIter upwards, for which
// nIter x alpha is an even whole number, so that each of the two confidence
// tails holds nIter x alpha / 2 whole iterations (1000 at alpha 0.05 stays
// 1000; 1010 becomes 1040). The product is taken as whole when it lies
// within 1e-9 (relative) of an integer, so that 0.05 x 1000 counts as 50.
// nIter itself when alpha is not in (0, 1] or when none of the next ten
// million counts (nor any up to the largest int) qualifies.
int IterationsForAlpha(int nIter, double alpha);

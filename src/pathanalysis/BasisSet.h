// The basis set of a path model and the statistics that combine its tests:
// the d-separation statements the model implies (each a pair of variables
// declared independent given a set of covariables), the size of the basis
// set from the numbers of variables and paths (Shipley 2000), Fisher's C with
// its chi-square probability, and AICc (Shipley 2013).
#pragma once
#include <cstdint>
#include <vector>

// One d-separation statement: the pair (first, second) independent given the
// covariables. Indices are columns of the table (or blocks of columns).
struct BasisSetElement {
  int first = 0;
  int second = 0;
  std::vector<int> covariables;
  int Order() const { return static_cast<int>(covariables.size()); }
};

// Pairs of V variables less the A paths of the model: V(V-1)/2 - A.
int64_t BasisSetSize(int64_t variables, int64_t paths);
// The largest number of paths among V variables that still leaves a
// statement to test: V(V-1)/2 - 1.
int64_t LargestPathsLeavingATest(int64_t variables);
// The largest basis set of a model relating B blocks (one connected by
// B - 1 paths): B(B-1)/2 - (B-1).
int64_t LargestBlockBasisSetSize(int64_t blocks);

struct FisherCTest {
  double C = 0.0;            // -2 sum ln(P)
  int degreesOfFreedom = 0;  // 2k
  double probability = 1.0;  // upper tail of the chi-square distribution with 2k degrees of freedom
};
// Fisher's C of the k probabilities of the basis set (C = -0.0 and
// probability 1 for an empty set).
FisherCTest FisherC(const std::vector<double>& probabilities);

// AICc = C + 2 K n / (n - K - 1), K the number of free parameters (variables
// plus paths of the model), n the number of sampling units; in floating
// point (infinite when n = K + 1).
double AICc(double C, int K, int n);

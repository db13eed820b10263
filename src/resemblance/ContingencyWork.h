// State codes of every row of a table, computed once per measure call, so
// that the contingency table of any pair or triplet of rows is a single pass
// over the attributes without searching.
#pragma once
#include <cstdio>
#include <vector>

namespace rsm {

struct RowStates {
  int n = 0, m = 0, maxStates = 0;
  std::vector<int> nStates;  // per row
  std::vector<int> states;   // row i: states[i*m .. i*m + nStates[i])
  std::vector<int> code;     // row i, attribute k: index of its state, -1 if missing

  void Build(int nRows, int mCols, const double* const* table);
  const int* States(int i) const { return states.data() + static_cast<size_t>(i) * m; }
  const int* Codes(int i) const { return code.data() + static_cast<size_t>(i) * m; }
};

// Contingency table of rows i and j into cont (nStates[i] x nStates[j]).
void CrossTab(const RowStates& s, int i, int j, double** cont);
// Three-way table of rows i, j, k into cont.
void CrossTab3(const RowStates& s, int i, int j, int k, double*** cont);

// Distinct present values of x (as int) in order of first appearance; code[k]
// is the index of x[k]'s state or -1 when missing. Returns the count.
int StatesOf(int m, const double* x, int* states, int* code);

}  // namespace rsm

// Printers of the side files "Tables.txt" and "Tables3D.txt".
void PrintContingencyTable(FILE* f, int r, int c, const int* rowStates, const int* colStates,
                           double** cont);
void PrintContingencyTable3D(FILE* f, int r, int c, int l, const int* colStates3,
                             const int* thirdStates, double*** cont);

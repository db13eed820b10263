// Contingency tables of qualitative states, and their printed form.
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "resemblance/ContingencyWork.h"
#include "resemblance/EntropyMeasures.h"
#include "resemblance/PairwiseHelpers.h"

namespace rsm {

int StatesOf(int m, const double* x, int* states, int* code) {
  int ns = 0;
  for (int k = 0; k < m; k++) {
    if (IsMissing(x[k])) {
      code[k] = -1;
      continue;
    }
    const int v = static_cast<int>(x[k]);
    int s = 0;
    while (s < ns && states[s] != v) s++;
    if (s == ns) states[ns++] = v;
    code[k] = s;
  }
  return ns;
}

void RowStates::Build(int nRows, int mCols, const double* const* table) {
  n = nRows;
  m = mCols;
  nStates.assign(n, 0);
  states.assign(static_cast<size_t>(n) * (m > 0 ? m : 1), 0);
  code.assign(static_cast<size_t>(n) * (m > 0 ? m : 1), -1);
  maxStates = 0;
  for (int i = 0; i < n; i++) {
    nStates[i] = StatesOf(m, table[i], states.data() + static_cast<size_t>(i) * m,
                          code.data() + static_cast<size_t>(i) * m);
    if (nStates[i] > maxStates) maxStates = nStates[i];
  }
}

void CrossTab(const RowStates& s, int i, int j, double** cont) {
  const int r = s.nStates[i], c = s.nStates[j];
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++) cont[a][b] = 0.0;
  const int* ci = s.Codes(i);
  const int* cj = s.Codes(j);
  for (int k = 0; k < s.m; k++)
    if (ci[k] >= 0 && cj[k] >= 0) cont[ci[k]][cj[k]] += 1.0;
}

void CrossTab3(const RowStates& s, int i, int j, int k, double*** cont) {
  const int r = s.nStates[i], c = s.nStates[j], l = s.nStates[k];
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++)
      for (int e = 0; e < l; e++) cont[a][b][e] = 0.0;
  const int* ci = s.Codes(i);
  const int* cj = s.Codes(j);
  const int* ck = s.Codes(k);
  for (int q = 0; q < s.m; q++)
    if (ci[q] >= 0 && cj[q] >= 0 && ck[q] >= 0) cont[ci[q]][cj[q]][ck[q]] += 1.0;
}

}  // namespace rsm

namespace {

void PrintStates(FILE* f, const char* heading, int n, const int* states) {
  fprintf(f, heading, n);
  for (int s = 0; s < n; s++) fprintf(f, "%d\t", states[s]);
}

}  // namespace

void PrintContingencyTable(FILE* f, int r, int c, const int* rowStates, const int* colStates,
                           double** cont) {
  PrintStates(f, "Row states (%d): ", r, rowStates);
  PrintStates(f, "\nColumn states (%d): ", c, colStates);
  fprintf(f, "\n");
  PrintMatrixFloat(f, r, c, cont, 6, 0);
}

void PrintContingencyTable3D(FILE* f, int r, int c, int l, const int* colStates3,
                             const int* thirdStates, double*** cont) {
  PrintStates(f, "Row states (%d): ", c, colStates3);
  PrintStates(f, "\nColumn states (%d): ", l, thirdStates);
  fprintf(f, "\n");
  for (int a = 0; a < r; a++) PrintMatrixFloat(f, c, l, cont[a], 6, 0);
}

void ContingencyMV(int m, const double* x, const double* y, double** contingency, int* dims, FILE* tablesFile) {
  std::vector<int> sx(m > 0 ? m : 1), sy(m > 0 ? m : 1), cx(m > 0 ? m : 1), cy(m > 0 ? m : 1);
  const int r = rsm::StatesOf(m, x, sx.data(), cx.data());
  const int c = rsm::StatesOf(m, y, sy.data(), cy.data());
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++) contingency[a][b] = 0.0;
  for (int k = 0; k < m; k++)
    if (cx[k] >= 0 && cy[k] >= 0) contingency[cx[k]][cy[k]] += 1.0;
  dims[0] = r;
  dims[1] = c;
  if (tablesFile) PrintContingencyTable(tablesFile, r, c, sx.data(), sy.data(), contingency);
}

void Contingency3D_MV(int m, const double* x, const double* y, const double* z, double*** contingency, int* dims,
                      FILE* tablesFile) {
  const int mm = m > 0 ? m : 1;
  std::vector<int> sx(mm), sy(mm), sz(mm), cx(mm), cy(mm), cz(mm);
  const int r = rsm::StatesOf(m, x, sx.data(), cx.data());
  const int c = rsm::StatesOf(m, y, sy.data(), cy.data());
  const int l = rsm::StatesOf(m, z, sz.data(), cz.data());
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++)
      for (int e = 0; e < l; e++) contingency[a][b][e] = 0.0;
  for (int k = 0; k < m; k++)
    if (cx[k] >= 0 && cy[k] >= 0 && cz[k] >= 0) contingency[cx[k]][cy[k]][cz[k]] += 1.0;
  dims[0] = r;
  dims[1] = c;
  dims[2] = l;
  if (tablesFile) PrintContingencyTable3D(tablesFile, r, c, l, sy.data(), sz.data(), contingency);
}

void ContingencyVector(int m, const double* x, double* counts, int* nStates, int* states) {
  int ns = 0;
  for (int k = 0; k < m; k++) {
    const int v = static_cast<int>(x[k]);
    int s = 0;
    while (s < ns && states[s] != v) s++;
    if (s == ns) {
      states[ns] = v;
      counts[ns] = 0.0;
      ns++;
    }
    counts[s] += 1.0;
  }
  *nStates = ns;
}

int MaxStatesRows(int n, int m, const double* const* table) {
  rsm::RowStates s;
  s.Build(n, m, table);
  return s.maxStates;
}

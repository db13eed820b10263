// Resemblance measures on the contingency table of two (or three) rows of
// qualitative states: MDIS, mutual entropy, coherence, chi-square, triplets.
#include <cmath>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "resemblance/ContingencyWork.h"
#include "resemblance/EntropyCore.h"
#include "resemblance/EntropyMeasures.h"

namespace {

// Work space of a pairwise measure: the state codes of all rows, one
// contingency table of the largest size and the margin vectors.
struct PairWork {
  rsm::RowStates states;
  Matrix contTable;
  double** cont = nullptr;
  std::vector<double> rowP, colP;

  PairWork(int n, int m, const double* const* table) {
    states.Build(n, m, table);
    const int k = states.maxStates > 0 ? states.maxStates : 1;
    contTable.Resize(k, k);
    cont = contTable.data();
    rowP.assign(k, 0.0);
    colP.assign(k, 0.0);
  }
  PairWork(const PairWork&) = delete;
  PairWork& operator=(const PairWork&) = delete;

  // Builds the table of rows i and j; returns its extents.
  void Table(int i, int j, int* r, int* c) {
    rsm::CrossTab(states, i, j, cont);
    *r = states.nStates[i];
    *c = states.nStates[j];
  }
};

}  // namespace

void MDISMV(int n, int m, const double* const* table, double** result) {
  PairWork w(n, m, table);
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      int r, c;
      w.Table(i, j, &r, &c);
      double total = 0.0;
      for (int a = 0; a < r; a++)
        for (int b = 0; b < c; b++) total += w.cont[a][b];
      result[i][j] = 2.0 * total * rsm::MutualEntropyWork(r, c, w.cont, 1.0, w.rowP.data(), w.colP.data());
    }
}

void MutualEntropyPairwiseMV(int n, int m, const double* const* table, double** result, double alpha) {
  PairWork w(n, m, table);
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      int r, c;
      w.Table(i, j, &r, &c);
      result[i][j] = rsm::MutualEntropyWork(r, c, w.cont, alpha, w.rowP.data(), w.colP.data());
    }
}

void CoheCoefPairwiseMV(int n, int m, const double* const* table, double** result, double alpha) {
  PairWork w(n, m, table);
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      int r, c;
      w.Table(i, j, &r, &c);
      result[i][j] = rsm::CoherenceWork(r, c, w.cont, alpha, w.rowP.data(), w.colP.data());
    }
}

void QuiSquareMV(int n, int m, const double* const* table, double** result) {
  PairWork w(n, m, table);
  double* rowT = w.rowP.data();
  double* colT = w.colP.data();
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      int r, c;
      w.Table(i, j, &r, &c);
      double total = 0.0;
      for (int a = 0; a < r; a++) rowT[a] = 0.0;
      for (int b = 0; b < c; b++) colT[b] = 0.0;
      for (int a = 0; a < r; a++)
        for (int b = 0; b < c; b++) {
          rowT[a] += w.cont[a][b];
          colT[b] += w.cont[a][b];
          total += w.cont[a][b];
        }
      double chi = 0.0;
      if (total > 0.0)
        for (int a = 0; a < r; a++)
          for (int b = 0; b < c; b++) {
            const double e = rowT[a] * colT[b] / total;
            // A state seen only where the other row is missing has a zero
            // margin: its cells carry no expectation and are left out.
            if (!(e > 0.0)) continue;
            const double d = w.cont[a][b] - e;
            chi += d * d / e;
          }
      result[i][j] = chi;
    }
}

void MutualEntropyTripletsMV(int n, int m, const double* const* table, double*** result3, double alpha) {
  rsm::RowStates states;
  states.Build(n, m, table);
  const int k = states.maxStates > 0 ? states.maxStates : 1;
  double*** cont = reinterpret_cast<double***>(dim3D(sizeof(double), k, k, k));
  std::vector<double> work;
  for (int a = 0; a < n; a++)
    for (int b = a + 1; b < n; b++)
      for (int c = b + 1; c < n; c++) {
        rsm::CrossTab3(states, a, b, c, cont);
        const double v = rsm::MutualEntropy3DWork(states.nStates[a], states.nStates[b],
                                                   states.nStates[c], cont, alpha, work);
        result3[a][b][c] = v;
        result3[a][c][b] = v;
        result3[b][a][c] = v;
        result3[b][c][a] = v;
        result3[c][a][b] = v;
        result3[c][b][a] = v;
      }
  free3D(reinterpret_cast<void***>(cont), k, k);
}

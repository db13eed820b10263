// The side files of the information measures, "Tables.txt" and "Tables3D.txt".
#include "resemblance/ContingencyTablesFile.h"

#include <cstdio>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "resemblance/ContingencyWork.h"
#include "resemblance/PairwiseHelpers.h"

namespace {

// Opens `name` for writing and hands `write` the file, the states of the
// entities compared and the largest number of states (at least 1).
template <class Write>
bool WriteStatesFile(const char* name, int nObj, int nVar, const double* const* data, int dir, Write write) {
  FILE* f = fopen(name, "w");
  if (!f) return false;
  rsm::EntityTable e(nObj, nVar, data, dir);
  rsm::RowStates s;
  s.Build(e.n, e.m, e.table);
  write(f, e.n, s, s.maxStates > 0 ? s.maxStates : 1);
  fclose(f);
  return true;
}

}  // namespace

bool WriteTablesFile(int nObj, int nVar, const double* const* data, int dir) {
  return WriteStatesFile("Tables.txt", nObj, nVar, data, dir, [](FILE* f, int n, rsm::RowStates& s, int k) {
    Matrix cont(k, k);
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++) {
        rsm::CrossTab(s, i, j, cont.data());
        fprintf(f, "\nContingency table var.%d x var.%d:\n", i + 1, j + 1);
        PrintContingencyTable(f, s.nStates[i], s.nStates[j], s.States(i), s.States(j), cont.data());
      }
  });
}

bool WriteTables3DFile(int nObj, int nVar, const double* const* data, int dir) {
  return WriteStatesFile("Tables3D.txt", nObj, nVar, data, dir, [](FILE* f, int n, rsm::RowStates& s, int k) {
    double*** cont = reinterpret_cast<double***>(dim3D(sizeof(double), k, k, k));
    for (int a = 0; a < n; a++)
      for (int b = a + 1; b < n; b++)
        for (int c = b + 1; c < n; c++) {
          rsm::CrossTab3(s, a, b, c, cont);
          // The heading of the pairwise file, numbering the first two of the triplet.
          fprintf(f, "\nContingency table var.%d x var.%d:\n", a + 1, b + 1);
          PrintContingencyTable3D(f, s.nStates[a], s.nStates[b], s.nStates[c], s.States(b), s.States(c),
                                  cont);
        }
    free3D(reinterpret_cast<void***>(cont), k, k);
  });
}

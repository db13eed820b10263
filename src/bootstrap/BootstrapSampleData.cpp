// Sampled rows and the variables kept for them.
#include "bootstrap/BootstrapSampleData.h"

int NonZeroColumns(int n, int p, const double* const* X, int* kept) {
  int count = 0;
  for (int j = 0; j < p; j++) {
    bool zero = true;
    for (int i = 0; i < n && zero; i++) zero = X[i][j] == 0.0;
    if (!zero) kept[count++] = j;
  }
  return count;
}

void GetData(int n, int m, int p, int* pOut, const double* const* X, double** sample, const int* list, int dropZero,
             int* kept) {
  int written = 0;
  for (int j = 0; j < p; j++) {
    bool zero = dropZero == 1;
    for (int i = 0; i < m && zero; i++) zero = X[list[i] - 1][j] == 0.0;
    if (zero) continue;
    for (int i = 0; i < m; i++) sample[i][written] = X[list[i] - 1][j];
    if (kept != nullptr) kept[written] = j;
    written++;
  }
  *pOut = written;
}

void CheckZeroData(int n, int p, int* pOut, const double* const* X, double** Y, int* kept) {
  int written = 0;
  for (int j = 0; j < p; j++) {
    bool zero = true;
    for (int i = 0; i < n && zero; i++) zero = X[i][j] == 0.0;
    if (zero) continue;
    for (int i = 0; i < n; i++) Y[i][written] = X[i][j];
    if (kept != nullptr) kept[written] = j;
    written++;
  }
  *pOut = written;
}

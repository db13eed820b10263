#include "resemblance/BinaryMeasures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "resemblance/PairwiseHelpers.h"

void JointFreq(int m, const double* x, const double* y, int* a, int* b, int* c, int* d) {
  int na = 0, nb = 0, nc = 0, nd = 0;
#pragma omp simd reduction(+ : na, nb, nc, nd)
  for (int k = 0; k < m; k++) {
    const int x1 = x[k] == 1.0, x0 = x[k] == 0.0, y1 = y[k] == 1.0, y0 = y[k] == 0.0;
    na += x1 & y1;
    nb += x1 & y0;
    nc += x0 & y1;
    nd += x0 & y0;
  }
  *a = na;
  *b = nb;
  *c = nc;
  *d = nd;
}

namespace {

// Applies a formula of the four counts to every pair i <= j.
template <typename Formula>
void FromCounts(int n, int m, const double* const* table, double** result, Formula f) {
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      int a, b, c, d;
      JointFreq(m, table[i], table[j], &a, &b, &c, &d);
      result[i][j] = f(a, b, c, d);
    }
}

}  // namespace

void Jaccard(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int den = a + b + c;
    return den > 0 ? static_cast<double>(a) / den : 0.0;
  });
}

void SimpleMatching(int n, int m, const double* const* table, double** result) {
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      const double* x = table[i];
      const double* y = table[j];
      int same = 0, both = 0;
      for (int k = 0; k < m; k++) {
        if (IsMissing(x[k]) || IsMissing(y[k])) continue;
        both++;
        if (x[k] == y[k]) same++;
      }
      result[i][j] = both > 0 ? static_cast<double>(same) / both : 0.0;
    }
}

void SokalMichener(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int d) {
    const int den = a + b + c + d;
    return den > 0 ? static_cast<double>(a) / den : 0.0;
  });
}

void Ochiai(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const double p = static_cast<double>(a + b) * static_cast<double>(a + c);
    return p < 1.0 ? 0.0 : a / std::sqrt(p);
  });
}

void Sorensen(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int den = 2 * a + b + c;
    return den > 0 ? 2.0 * a / den : 0.0;
  });
}

void MeanSquareContingency(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int d) {
    const double p = static_cast<double>(a + b) * static_cast<double>(c + d) *
                     static_cast<double>(a + c) * static_cast<double>(b + d);
    if (p < 1.0) return 0.0;
    const double num = static_cast<double>(static_cast<int64_t>(a) * d - static_cast<int64_t>(b) * c);
    return num * num / p;
  });
}

void JaccardDissimilarity(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int den = a + b + c;
    return den > 0 ? static_cast<double>(b + c) / den : 1.0;
  });
}

void JaccardTurnover(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int mn = std::min(b, c);
    const int den = a + 2 * mn;
    return den > 0 ? 2.0 * mn / den : MISSING_VALUE;
  });
}

void JaccardNestedness(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int mn = std::min(b, c), mx = std::max(b, c);
    const int den1 = a + b + c, den2 = a + 2 * mn;
    if (den1 == 0 || den2 == 0) return MISSING_VALUE;
    return (static_cast<double>(mx - mn) / den1) * (static_cast<double>(a) / den2);
  });
}

void SorensenDissimilarity(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int den = 2 * a + b + c;
    return den > 0 ? static_cast<double>(b + c) / den : 1.0;
  });
}

void SorensenTurnover(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int mn = std::min(b, c);
    const int den = a + mn;
    return den > 0 ? static_cast<double>(mn) / den : MISSING_VALUE;
  });
}

void SorensenNestedness(int n, int m, const double* const* table, double** result) {
  FromCounts(n, m, table, result, [](int a, int b, int c, int) {
    const int mn = std::min(b, c), mx = std::max(b, c);
    const int den1 = 2 * a + b + c, den2 = a + mn;
    if (den1 == 0 || den2 == 0) return MISSING_VALUE;
    return (static_cast<double>(mx - mn) / den1) * (static_cast<double>(a) / den2);
  });
}

// Group sums of squares from dissimilarities, MRPP, residual vectors, and
// their evaluation through permutation lists.
#include "randomization/GroupSumsOfSquares.h"

#include <cmath>
#include <cstring>
#include <map>

namespace {

constexpr double kMissing = -999.0;

double Lower(double** D, int a, int b) { return a > b ? D[a][b] : D[b][a]; }

double PairValue(double** D, int a, int b, bool squared) {
  const double d = Lower(D, a, b);
  return squared ? d : d * d;
}

// Four-lane vectors: the same lanes and the same order of additions on every
// processor, so the sums do not depend on the instruction set chosen below.
typedef double Lanes __attribute__((vector_size(32)));
typedef long long LaneMasks __attribute__((vector_size(32)));

// Sum of row[v] over v < len with lab[v] == l.
inline double MaskedRowSum(const double* row, const double* lab, int len, double l) {
  const Lanes level = {l, l, l, l};
  Lanes acc0 = {0, 0, 0, 0}, acc1 = {0, 0, 0, 0};
  int v = 0;
  for (; v + 7 < len; v += 8) {
    Lanes r0, r1, l0, l1;
    std::memcpy(&r0, row + v, sizeof r0);
    std::memcpy(&r1, row + v + 4, sizeof r1);
    std::memcpy(&l0, lab + v, sizeof l0);
    std::memcpy(&l1, lab + v + 4, sizeof l1);
    acc0 += reinterpret_cast<Lanes>(reinterpret_cast<LaneMasks>(r0) & (l0 == level));
    acc1 += reinterpret_cast<Lanes>(reinterpret_cast<LaneMasks>(r1) & (l1 == level));
  }
  acc0 += acc1;
  double s = (acc0[0] + acc0[1]) + (acc0[2] + acc0[3]);
  for (; v < len; v++) s += lab[v] == l ? row[v] : 0.0;
  return s;
}

// An AVX2 clone chosen when the program loads, except under ThreadSanitizer,
// whose instrumented clone resolver would run before the sanitizer is ready.
#if defined(__SANITIZE_THREAD__)
#define PLEXOR_AVX2_CLONES
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define PLEXOR_AVX2_CLONES
#endif
#endif
#ifndef PLEXOR_AVX2_CLONES
#define PLEXOR_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#endif

// Within-group sums of every unit with the units before it: sums[lab[u]].
PLEXOR_AVX2_CLONES void StreamWithinSums(const double* packed, const double* lab,
                                                                       int n, double* sums) {
  for (int u = 1; u < n; u++)
    sums[static_cast<int>(lab[u])] += MaskedRowSum(packed + static_cast<size_t>(u) * (u - 1) / 2, lab, u, lab[u]);
}

}  // namespace

double SumSqDissim(int n, double** D, bool squared) {
  if (n <= 0) return 0.0;
  double sum = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) sum += PairValue(D, i, j, squared);
  return sum / n;
}

double WithinGrSqDissim(int n, double** D, const int* memb, bool squared) {
  double sum = 0.0;
  int m = 0;
  for (int i = 0; i < n; i++) {
    if (memb[i] != 1) continue;
    m++;
    for (int j = i + 1; j < n; j++)
      if (memb[j] == 1) sum += PairValue(D, i, j, squared);
  }
  return m > 0 ? sum / m : 0.0;
}

void BetweenGrSSPairwise(int n, double** D, double** Qp, const int* memb, int k, bool squared) {
  std::vector<int> mask(static_cast<size_t>(n > 0 ? n : 0));
  for (int a = 0; a < k; a++)
    for (int b = a; b < k; b++) {
      for (int i = 0; i < n; i++) mask[i] = memb[i] == a + 1 || memb[i] == b + 1 ? 1 : 0;
      Qp[a][b] = WithinGrSqDissim(n, D, mask.data(), squared);
    }
  for (int a = 0; a < k; a++)
    for (int b = a + 1; b < k; b++) Qp[a][b] -= Qp[a][a] + Qp[b][b];
}

double MRPP(int n, int k, const int* memb, double** D, bool squared, bool vSquared) {
  if (n <= 0) return 0.0;
  double delta = 0.0;
  for (int g = 1; g <= k; g++) {
    double sum = 0.0;
    int size = 0;
    for (int i = 0; i < n; i++) {
      if (memb[i] != g) continue;
      size++;
      for (int j = i + 1; j < n; j++) {
        if (memb[j] != g) continue;
        const double d = D[i][j];
        sum += vSquared ? (squared ? d : d * d) : (squared ? std::sqrt(d) : d);
      }
    }
    if (size < 2) continue;
    const double mean = sum / (size * (size - 1) / 2.0);
    delta += vSquared ? (n > k ? (size - 1.0) / (n - k) : 0.0) * mean : static_cast<double>(size) / n * mean;
  }
  return delta;
}

void Residuals(int n, int p, int nFactors, int** grMemb, const int* nGroups, int** grLabel, double** X, double** R,
               int nRemove, const int* which) {
  for (int j = 0; j < p; j++) {
    double grand = 0.0;
    int present = 0;
    for (int i = 0; i < n; i++)
      if (X[i][j] != kMissing) {
        grand += X[i][j];
        present++;
      }
    grand = present > 0 ? grand / present : 0.0;
    for (int i = 0; i < n; i++) R[i][j] = X[i][j] == kMissing ? kMissing : X[i][j] + (nRemove - 1) * grand;
    for (int r = 0; r < nRemove; r++) {
      const int f = which[r] - 1;
      if (f < 0 || f >= nFactors) continue;
      std::map<int, int> level;
      for (int g = 0; g < nGroups[f]; g++) level[grLabel[f][g]] = g;
      std::vector<double> sum(static_cast<size_t>(nGroups[f]), 0.0);
      std::vector<int> count(static_cast<size_t>(nGroups[f]), 0);
      for (int i = 0; i < n; i++) {
        if (X[i][j] == kMissing) continue;
        const int g = level[grMemb[f][i]];
        sum[g] += X[i][j];
        count[g]++;
      }
      for (int i = 0; i < n; i++) {
        if (X[i][j] == kMissing) continue;
        const int g = level[grMemb[f][i]];
        R[i][j] -= count[g] > 0 ? sum[g] / count[g] : 0.0;
      }
    }
  }
}

PairTable::PairTable(int n, double** D, bool square)
    : n_(n), values_(n > 1 ? static_cast<size_t>(n) * (n - 1) / 2 : 0) {
  size_t k = 0;
  for (int u = 1; u < n; u++)
    for (int v = 0; v < u; v++) {
      const double d = D[u][v];
      values_[k++] = square ? d * d : d;
    }
}

Grouping Grouping::FromLabels(int n, const int* labels, const bool* take) {
  Grouping g;
  std::map<int, int> index;
  for (int i = 0; i < n; i++)
    if (take == nullptr || take[i]) index.emplace(labels[i], 0);
  int next = 0;
  for (auto& entry : index) entry.second = next++;
  g.nGroups = next;
  g.group.assign(static_cast<size_t>(n > 0 ? n : 0), -1);
  g.sizes.assign(static_cast<size_t>(next), 0);
  for (int i = 0; i < n; i++) {
    if (take != nullptr && !take[i]) continue;
    g.group[i] = index[labels[i]];
    g.sizes[g.group[i]]++;
    g.members++;
  }
  return g;
}

GroupingEvaluator::GroupingEvaluator(const PairTable& table)
    : table_(table), label_(static_cast<size_t>(table.Size())), units_(static_cast<size_t>(table.Size())) {}

void GroupingEvaluator::WithinSums(const Grouping& g, const int* list, double* sums) {
  const int n = table_.Size();
  for (int k = 0; k < g.nGroups; k++) sums[k] = 0.0;
  if (g.members == n) {
    for (int i = 0; i < n; i++) label_[list[i] - 1] = g.group[i];
    StreamWithinSums(table_.Row(0), label_.data(), n, sums);
    return;
  }
  for (int u = 0; u < n; u++) label_[u] = -1.0;
  for (int i = 0; i < n; i++)
    if (g.group[i] >= 0) label_[list[i] - 1] = g.group[i];
  int m = 0;
  for (int u = 0; u < n; u++)
    if (label_[u] >= 0.0) units_[m++] = u;
  for (int a = 1; a < m; a++) {
    const int u = units_[a];
    const double l = label_[u];
    const double* row = table_.Row(u);
    double s = 0.0;
    for (int b = 0; b < a; b++) {
      const int v = units_[b];
      s += label_[v] == l ? row[v] : 0.0;
    }
    sums[static_cast<int>(l)] += s;
  }
}

double GroupingEvaluator::PooledWithinQ(const Grouping& g, const int* list) {
  sums_.resize(static_cast<size_t>(g.nGroups));
  WithinSums(g, list, sums_.data());
  double q = 0.0;
  for (int k = 0; k < g.nGroups; k++)
    if (g.sizes[k] > 0) q += sums_[k] / g.sizes[k];
  return q;
}

double GroupingEvaluator::TotalSum(const Grouping& g) {
  const int n = table_.Size();
  double sum = 0.0;
  for (int u = 1; u < n; u++) {
    if (g.group[u] < 0) continue;
    const double* row = table_.Row(u);
    for (int v = 0; v < u; v++)
      if (g.group[v] >= 0) sum += row[v];
  }
  return sum;
}

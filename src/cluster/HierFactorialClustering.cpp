// Hierarchical factorial clustering (method 6): at each step the two groups
// whose representative vectors leave the smallest second eigenvalue of their
// 2 x 2 cross-product matrix fuse; the fused group is represented by the
// scores on the first eigenvector.
#include <cfloat>
#include <cstddef>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "ordination/EigenKernels.h"
#include "ZQLib/Centring.h"
#include "ZQLib/MissingValue.h"

namespace {


}  // namespace

void HierFactorialEigen(int p, double* x, double* y, double* eigI, double* eigII, double* vecI, double* vecII) {
  double xx = 0.0, xy = 0.0, yy = 0.0;
  for (int t = 0; t < p; t++) {
    if (x[t] == MISSING_VALUE || y[t] == MISSING_VALUE) continue;
    xx += x[t] * x[t];
    xy += x[t] * y[t];
    yy += y[t] * y[t];
  }
  double row0[2] = {xx, xy}, row1[2] = {xy, yy};
  double* A[2] = {row0, row1};
  double vec0[2] = {0, 0}, vec1[2] = {0, 0};
  double* E[2] = {vec0, vec1};
  double values[2] = {0, 0};
  EigenHouseholderQL_GSL_D(2, A, E, values);
  *eigI = values[0];
  *eigII = values[1];
  vecI[0] = vec0[0];
  vecI[1] = vec0[1];
  vecII[0] = vec1[0];
  vecII[1] = vec1[1];
}

void HierFactorialClustering(int n, int p, double** X, clusterReport* rep) {
  if (n < 2 || rep == nullptr) return;
  std::vector<double> zStore(static_cast<std::size_t>(n) * p);
  std::vector<double*> Z(n);
  for (int i = 0; i < n; i++) {
    Z[i] = zStore.data() + static_cast<std::size_t>(i) * p;
    for (int t = 0; t < p; t++) Z[i][t] = X[i][t];
  }
  CenterRowsMV(n, p, Z.data(), Z.data());
  NormalizeRowsMV(n, p, Z.data(), Z.data());

  // Eigen results of every pair i < j, packed by rows of the upper triangle.
  const std::size_t pairs = static_cast<std::size_t>(n) * (n - 1) / 2;
  std::vector<double> first(pairs), second(pairs), vecFirst(2 * pairs), vecSecond(2 * pairs);
  auto index = [n](int i, int j) {
    return static_cast<std::size_t>(i) * (2 * static_cast<std::size_t>(n) - i - 1) / 2 + (j - i - 1);
  };
  auto pairEigen = [&](int i, int j) {
    const std::size_t k = index(i, j);
    HierFactorialEigen(p, Z[i], Z[j], &first[k], &second[k], &vecFirst[2 * k], &vecSecond[2 * k]);
  };
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) pairEigen(i, j);

  std::vector<char> active(n, 1);
  std::vector<int> next(n, -1), head(n), tail(n);
  for (int i = 0; i < n; i++) head[i] = tail[i] = i;

  for (int s = 0; s < n - 1; s++) {
    int ba = -1, bb = -1;
    double best = DBL_MAX;
    for (int a = 0; a < n; a++) {
      if (!active[a]) continue;
      for (int b = a + 1; b < n; b++) {
        if (!active[b]) continue;
        const double v = second[index(a, b)];
        if (v < best) {
          best = v;
          ba = a;
          bb = b;
        }
      }
    }
    if (ba < 0) {  // values that cannot be compared: the first active pair
      for (int a = 0; a < n && ba < 0; a++)
        if (active[a]) ba = a;
      for (int b = ba + 1; b < n && bb < 0; b++)
        if (active[b]) bb = b;
    }
    const std::size_t k = index(ba, bb);
    clusterReport& rec = rep[s];
    rec.level = second[k];
    rec.level2 = first[k];
    int count = 0;
    for (int o = head[ba]; o >= 0; o = next[o]) rec.members[count++] = o + 1;
    rec.lastMember = tail[ba] + 1;
    for (int o = head[bb]; o >= 0; o = next[o]) rec.members[count++] = o + 1;
    rec.nMembers = count;
    const double* vI = &vecFirst[2 * k];
    const double* vII = &vecSecond[2 * k];
    rec.eigVecI[0] = vI[0];
    rec.eigVecI[1] = vI[1];
    rec.eigVecII[0] = vII[0];
    rec.eigVecII[1] = vII[1];
    double* za = Z[ba];
    const double* zb = Z[bb];
    for (int t = 0; t < p; t++) {
      if (za[t] == MISSING_VALUE || zb[t] == MISSING_VALUE) {
        rec.scoresI[t] = 0.0;
        rec.scoresII[t] = 0.0;
        continue;
      }
      rec.scoresI[t] = za[t] * vI[0] + zb[t] * vI[1];
      rec.scoresII[t] = za[t] * vII[0] + zb[t] * vII[1];
    }
    for (int t = 0; t < p; t++) za[t] = rec.scoresI[t];

    active[bb] = 0;
    next[tail[ba]] = head[bb];
    tail[ba] = tail[bb];
    for (int o = 0; o < n; o++) {
      if (!active[o] || o == ba) continue;
      if (o < ba)
        pairEigen(o, ba);
      else
        pairEigen(ba, o);
    }
  }
}

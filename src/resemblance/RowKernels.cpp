#include "resemblance/RowKernels.h"

#include <cmath>
#include <cstring>

#include "resemblance/PairwiseHelpers.h"

namespace rsm {

namespace {

inline double Root(double s) { return s > 0.0 ? std::sqrt(s) : 0.0; }

struct SqDiff {
  static double Term(double a, double y) {
    const double d = a - y;
    return d * d;
  }
};
struct AbsDiff {
  static double Term(double a, double y) { return std::fabs(a - y); }
};
struct Product {
  static double Term(double a, double y) { return a * y; }
};

// One running sum per pair, attributes in order; attributes where either
// value is missing add nothing.
template <class Op, bool kMissing>
void SumOne(int m, const double* const* tt, const double* x, int j, double* r) {
  double s = 0.0;
  for (int k = 0; k < m; k++) {
    const double a = x[k], y = tt[k][j];
    if (kMissing && (a == MISSING_VALUE || y == MISSING_VALUE)) continue;
    s += Op::Term(a, y);
  }
  r[j] = s;
}

#if defined(__GNUC__)
// Eight pairs at a time in pairs of lanes. Each lane is one pair's running
// sum, added in attribute order: the same operations as SumOne.
typedef double V2 __attribute__((vector_size(16)));
typedef long long M2 __attribute__((vector_size(16)));

inline V2 Load(const double* p) {
  V2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline V2 Masked(V2 v, M2 keep) { return reinterpret_cast<V2>(reinterpret_cast<M2>(v) & keep); }
inline V2 Fabs(V2 v) {
  const M2 noSign = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  return reinterpret_cast<V2>(reinterpret_cast<M2>(v) & noSign);
}
inline V2 Term(SqDiff, V2 a, V2 y) {
  const V2 d = a - y;
  return d * d;
}
inline V2 Term(AbsDiff, V2 a, V2 y) { return Fabs(a - y); }
inline V2 Term(Product, V2 a, V2 y) { return a * y; }

// The term of one attribute for two pairs; nothing where y is missing.
template <class Op, bool kMissing>
inline V2 Lanes(V2 a, const double* y, V2 mv) {
  const V2 yv = Load(y);
  const V2 t = Term(Op(), a, yv);
  return kMissing ? Masked(t, yv != mv) : t;
}

inline void Store(double* r, V2 s) {
  r[0] = s[0];
  r[1] = s[1];
}

template <class Op, bool kMissing>
void SumRow(int n, int m, const double* const* tt, const double* x, int from, double* r) {
  const V2 mv = {MISSING_VALUE, MISSING_VALUE};
  int j = from;
  for (; j + 8 <= n; j += 8) {
    // Four named sums: the compiler keeps them in registers.
    V2 s0 = {0.0, 0.0}, s1 = s0, s2 = s0, s3 = s0;
    for (int k = 0; k < m; k++) {
      const double a = x[k];
      if (kMissing && a == MISSING_VALUE) continue;
      const V2 av = {a, a};
      const double* y = tt[k] + j;
      s0 += Lanes<Op, kMissing>(av, y, mv);
      s1 += Lanes<Op, kMissing>(av, y + 2, mv);
      s2 += Lanes<Op, kMissing>(av, y + 4, mv);
      s3 += Lanes<Op, kMissing>(av, y + 6, mv);
    }
    Store(r + j, s0);
    Store(r + j + 2, s1);
    Store(r + j + 4, s2);
    Store(r + j + 6, s3);
  }
  for (; j < n; j++) SumOne<Op, kMissing>(m, tt, x, j, r);
}

// Numerator and denominator terms of one attribute for two pairs.
template <bool kMissing>
inline void BrayCurtisLanes(V2 a, V2 as, V2 sv, const double* y, V2 mv, V2* num, V2* den) {
  const V2 yv = Load(y);
  const V2 tn = Fabs(a - yv), td = as + (yv - sv);
  if (kMissing) {
    const M2 keep = yv != mv;
    *num += Masked(tn, keep);
    *den += Masked(td, keep);
  } else {
    *num += tn;
    *den += td;
  }
}

inline void Ratio(double* r, V2 num, V2 den) {
  if (den[0] > 0.0) r[0] = num[0] / den[0];
  if (den[1] > 0.0) r[1] = num[1] / den[1];
}

template <bool kMissing>
void BrayCurtisBlocks(int n, int m, const double* const* tt, const double* x, int from, double* r, double sh, int* next) {
  const V2 mv = {MISSING_VALUE, MISSING_VALUE}, sv = {sh, sh};
  int j = from;
  for (; j + 8 <= n; j += 8) {
    V2 n0 = {0.0, 0.0}, n1 = n0, n2 = n0, n3 = n0, d0 = n0, d1 = n0, d2 = n0, d3 = n0;
    for (int k = 0; k < m; k++) {
      const double a = x[k];
      if (kMissing && a == MISSING_VALUE) continue;
      const V2 av = {a, a};
      const V2 as = av - sv;
      const double* y = tt[k] + j;
      BrayCurtisLanes<kMissing>(av, as, sv, y, mv, &n0, &d0);
      BrayCurtisLanes<kMissing>(av, as, sv, y + 2, mv, &n1, &d1);
      BrayCurtisLanes<kMissing>(av, as, sv, y + 4, mv, &n2, &d2);
      BrayCurtisLanes<kMissing>(av, as, sv, y + 6, mv, &n3, &d3);
    }
    Ratio(r + j, n0, d0);
    Ratio(r + j + 2, n1, d1);
    Ratio(r + j + 4, n2, d2);
    Ratio(r + j + 6, n3, d3);
  }
  *next = j;
}
#else
template <class Op, bool kMissing>
void SumRow(int n, int m, const double* const* tt, const double* x, int from, double* r) {
  for (int j = from; j < n; j++) SumOne<Op, kMissing>(m, tt, x, j, r);
}
template <bool kMissing>
void BrayCurtisBlocks(int, int, double**, const double*, int from, double*, double, int* next) {
  *next = from;
}
#endif

template <bool kMissing>
void BrayCurtisPairs(int n, int m, const double* const* tt, const double* x, int from, double* r, double sh) {
  int j;
  BrayCurtisBlocks<kMissing>(n, m, tt, x, from, r, sh, &j);
  for (; j < n; j++) {
    double num = 0.0, den = 0.0;
    for (int k = 0; k < m; k++) {
      const double a = x[k], y = tt[k][j];
      if (kMissing && (a == MISSING_VALUE || y == MISSING_VALUE)) continue;
      num += std::fabs(a - y);
      den += (a - sh) + (y - sh);
    }
    if (den > 0.0) r[j] = num / den;
  }
}

}  // namespace

void SqDistRow(int n, int m, const double* const* tt, const double* x, int from, double* r, bool missing) {
  if (missing)
    SumRow<SqDiff, true>(n, m, tt, x, from, r);
  else
    SumRow<SqDiff, false>(n, m, tt, x, from, r);
  for (int j = from; j < n; j++) r[j] = Root(r[j]);
}

void AbsDiffRow(int n, int m, const double* const* tt, const double* x, int from, double* r, bool missing) {
  if (missing)
    SumRow<AbsDiff, true>(n, m, tt, x, from, r);
  else
    SumRow<AbsDiff, false>(n, m, tt, x, from, r);
}

void DotRow(int n, int m, const double* const* tt, const double* x, int from, double* r) {
  SumRow<Product, false>(n, m, tt, x, from, r);
}

void BrayCurtisRow(int n, int m, const double* const* tt, const double* x, int from, double* r, double s, bool missing) {
  if (missing)
    BrayCurtisPairs<true>(n, m, tt, x, from, r, s);
  else
    BrayCurtisPairs<false>(n, m, tt, x, from, r, s);
}

}  // namespace rsm

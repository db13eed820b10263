// The permutation tests between two data sets, over the one iteration runner.
#include "randomization/TwoSetTests.h"

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <numeric>

#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"
#include "ordination/GowerCentring.h"
#include "ordination/LinearRegression.h"
#include "ordination/RedundancyAnalysis.h"
#include "ordination/TwoSetStatistics.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

namespace {

// Runs the test: the observed statistics from the identity list, then the
// N - 1 random permutations, lists drawn in order by draw(list) and
// evaluated by evaluate(list, workspace, statistics) in parallel.
template <class Draw, class MakeWorkspace, class Evaluate>
TwoSetTestResult RunPermutationTest(int n, int nStats, const TwoSetTestRun& run, const TwoSetObserver& observer,
                                    Draw&& draw, MakeWorkspace&& makeWorkspace, Evaluate&& evaluate) {
  TwoSetTestResult result;
  result.observed.assign(static_cast<size_t>(nStats), 0.0);
  {
    auto workspace = makeWorkspace();
    std::vector<int> identity(static_cast<size_t>(n));
    std::iota(identity.begin(), identity.end(), 1);
    evaluate(identity.data(), workspace, result.observed.data());
  }
  const int total = std::max(1, run.permutations);
  using Workspace = decltype(makeWorkspace());
  struct Slot {
    Workspace work;
    std::vector<double> stats;
  };
  IterationPlan plan;
  plan.iterations = total - 1;
  plan.listLength = n;
  plan.nCounts = nStats;
  plan.maxThreads = observer ? 1 : run.maxThreads;
  plan.progress = run.progress;
  const double* observed = result.observed.data();
  const IterationResult done = RunIterations(
      plan, [&] { return Slot{makeWorkspace(), std::vector<double>(static_cast<size_t>(nStats))}; },
      [&](int64_t, int* list) { draw(list); },
      [&](int64_t t, const int* list, Slot& slot, int64_t* counts) {
        evaluate(list, slot.work, slot.stats.data());
        for (int k = 0; k < nStats; k++)
          if (AtLeastAsLargeAbsolute(slot.stats[k], observed[k])) counts[k]++;
        if (observer) observer(static_cast<int>(t + 1), list, slot.stats.data());
      });
  result.probability.assign(static_cast<size_t>(nStats), 1.0);
  for (int k = 0; k < nStats; k++)
    result.probability[k] = static_cast<double>(1 + (done.counts.empty() ? 0 : done.counts[k])) / total;
  result.threads = done.threads;
  return result;
}

// 0-based copy of a 1-based list.
inline void ZeroBased(int n, const int* list, int* p) {
  for (int i = 0; i < n; i++) p[i] = list[i] - 1;
}

bool AnyMissingPair(int n, const double* const* M) {
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++)
      if (IsMissing(M[i][j])) return true;
  return false;
}

double PairMean(int n, const double* const* M) {
  double s = 0.0;
  long long c = 0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++)
      if (!IsMissing(M[i][j])) {
        s += M[i][j];
        c++;
      }
  return c > 0 ? s / static_cast<double>(c) : 0.0;
}

// Orders from which a permuted matrix is read from single-precision copies.
// Each random permutation reads a whole n x n matrix in random order, which
// for large n is bound by memory traffic; halving the bytes makes the test
// about three times faster. Products and sums stay in double precision, the
// observed statistic is computed the same way, and the rounding of the
// entries (relative 6e-8) moves a correlation by about 6e-8 / sqrt(pairs),
// well inside the tie tolerance of the counts (one single-precision unit).
// Smaller matrices are read in double precision.
constexpr int kSinglePrecisionOrder = 256;

// A resemblance matrix read through permutation lists: the full symmetric
// matrix built from the upper triangle, row-major, so that entry (i, j) of
// the permuted matrix is at p[i] * n + p[j]. With `centre` (no entry may then
// be missing) the mean of the pairs is subtracted and the values are kept in
// the precision chosen for the order; otherwise the raw values, missing codes
// included, in double precision.
class PermutableMatrix {
 public:
  PermutableMatrix(int n, const double* const* M, bool centre)
      : n_(n), single_(centre && n >= kSinglePrecisionOrder) {
    const double mean = centre ? PairMean(n, M) : 0.0;
    Allocate();
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) Set(i, j, centre ? M[i][j] - mean : M[i][j]);
  }
  // A full symmetric matrix less `shift`, diagonal included.
  PermutableMatrix(int n, const Matrix& full, double shift) : n_(n), single_(n >= kSinglePrecisionOrder) {
    Allocate();
    for (int i = 0; i < n; i++) {
      for (int j = i + 1; j < n; j++) Set(i, j, full[i][j] - shift);
      if (single_) singleValues_[static_cast<size_t>(i) * n + i] = static_cast<float>(full[i][i] - shift);
      else values_[static_cast<size_t>(i) * n + i] = full[i][i] - shift;
    }
  }
  int n() const { return n_; }
  // Sum of squares of the pairs i < j (as stored).
  double SumSquares() const { return sumSquares_; }
  // Sum over the pairs i < j of permuted(i, j) * b[k], b packed by pairs in
  // row order (0-based list p).
  double Dot(const int* p, const double* b) const {
    return single_ ? DotRows(singleValues_.data(), p, b) : DotRows(values_.data(), p, b);
  }
  // The same with two packed tables at once.
  void Dot2(const int* p, const double* b, const double* c, double* sb, double* sc) const {
    if (single_) Dot2Rows(singleValues_.data(), p, b, c, sb, sc);
    else Dot2Rows(values_.data(), p, b, c, sb, sc);
  }
  // Entry (i, j) of the permuted matrix, as stored.
  double At(const int* p, int i, int j) const { return Value(p[i], p[j]); }
  double Value(int u, int v) const {
    const size_t k = static_cast<size_t>(u) * n_ + v;
    return single_ ? singleValues_[k] : values_[k];
  }

 private:
  void Allocate() {
    const size_t cells = static_cast<size_t>(n_) * n_;
    if (single_) singleValues_.assign(cells, 0.0f);
    else values_.assign(cells, 0.0);
  }
  // Pair (i, j), i < j, and its mirror.
  void Set(int i, int j, double v) {
    const size_t a = static_cast<size_t>(i) * n_ + j, b = static_cast<size_t>(j) * n_ + i;
    if (single_) {
      singleValues_[a] = singleValues_[b] = static_cast<float>(v);
      sumSquares_ += static_cast<double>(singleValues_[a]) * singleValues_[a];
    } else {
      values_[a] = values_[b] = v;
      sumSquares_ += v * v;
    }
  }

  // The next row is read in random order: its lines are asked for ahead.
  template <class T>
  void Prefetch(const T* row) const {
    for (int j = 0; j < n_; j += static_cast<int>(64 / sizeof(T))) __builtin_prefetch(row + j);
  }
  template <class T>
  double DotRows(const T* values, const int* p, const double* b) const {
    const int n = n_;
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    size_t k = 0;
    for (int i = 0; i + 1 < n; i++) {
      const T* row = values + static_cast<size_t>(p[i]) * n;
      if (i + 2 < n) Prefetch(values + static_cast<size_t>(p[i + 1]) * n);
      const int* q = p + i + 1;
      const double* c = b + k;
      const int m = n - 1 - i;
      int j = 0;
      for (; j + 4 <= m; j += 4) {
        s0 += row[q[j]] * c[j];
        s1 += row[q[j + 1]] * c[j + 1];
        s2 += row[q[j + 2]] * c[j + 2];
        s3 += row[q[j + 3]] * c[j + 3];
      }
      for (; j < m; j++) s0 += row[q[j]] * c[j];
      k += static_cast<size_t>(m);
    }
    return (s0 + s1) + (s2 + s3);
  }
  template <class T>
  void Dot2Rows(const T* values, const int* p, const double* b, const double* c, double* sb, double* sc) const {
    const int n = n_;
    double b0 = 0.0, b1 = 0.0, c0 = 0.0, c1 = 0.0;
    size_t k = 0;
    for (int i = 0; i + 1 < n; i++) {
      const T* row = values + static_cast<size_t>(p[i]) * n;
      if (i + 2 < n) Prefetch(values + static_cast<size_t>(p[i + 1]) * n);
      const int* q = p + i + 1;
      const double* x = b + k;
      const double* y = c + k;
      const int m = n - 1 - i;
      int j = 0;
      for (; j + 2 <= m; j += 2) {
        const double a0 = row[q[j]], a1 = row[q[j + 1]];
        b0 += a0 * x[j];
        b1 += a1 * x[j + 1];
        c0 += a0 * y[j];
        c1 += a1 * y[j + 1];
      }
      for (; j < m; j++) {
        const double a = row[q[j]];
        b0 += a * x[j];
        c0 += a * y[j];
      }
      k += static_cast<size_t>(m);
    }
    *sb = b0 + b1;
    *sc = c0 + c1;
  }

  int n_;
  bool single_;
  std::vector<double> values_;
  std::vector<float> singleValues_;
  double sumSquares_ = 0.0;
};

// The pairs i < j of a matrix in row order, less `shift` (missing kept).
std::vector<double> PackedPairs(int n, const double* const* M, double shift, double* sumSquares) {
  std::vector<double> v;
  v.reserve(static_cast<size_t>(n) * (n > 0 ? n - 1 : 0) / 2);
  double ss = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double x = M[i][j];
      if (IsMissing(x)) {
        v.push_back(x);
      } else {
        v.push_back(x - shift);
        ss += (x - shift) * (x - shift);
      }
    }
  if (sumSquares != nullptr) *sumSquares = ss;
  return v;
}

double Ratio(double s, double ssA, double ssB) {
  if (!(ssA > 0.0) || !(ssB > 0.0)) return 0.0;
  return s / std::sqrt(ssA * ssB);
}

// Pearson correlation of the permuted matrix and b over the pairs where
// neither is missing (`a` holds the raw first matrix, `b` the raw pairs of
// the other). Sums are taken about the observed means, for accuracy.
double PairwiseCorrelation(const PermutableMatrix& a, const int* p, const double* b, double ca, double cb) {
  const int n = a.n();
  double c = 0, sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
  size_t k = 0;
  for (int i = 0; i + 1 < n; i++)
    for (int j = i + 1; j < n; j++, k++) {
      const double x = a.At(p, i, j), y = b[k];
      if (IsMissing(x) || IsMissing(y)) continue;
      const double dx = x - ca, dy = y - cb;
      c += 1;
      sa += dx;
      sb += dy;
      saa += dx * dx;
      sbb += dy * dy;
      sab += dx * dy;
    }
  if (c < 1) return 0.0;
  const double vaa = saa - sa * sa / c, vbb = sbb - sb * sb / c;
  return Ratio(sab - sa * sb / c, vaa, vbb);
}

void DrawFree(gsl_rng* rng, int n, int* list) { RndList(rng, n, list); }

struct Permutation {
  std::vector<int> p;
};

// Centred copy of the columns of X, row-major.
Matrix Centred(int n, int p, const double* const* X) {
  Matrix Z(n, p);
  for (int j = 0; j < p; j++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += X[i][j];
    const double mean = s / n;
    for (int i = 0; i < n; i++) Z[i][j] = X[i][j] - mean;
  }
  return Z;
}

// M (rows x cols, row-major) = sum over units i of A[i]' B[p[i]].
void PermutedCrossProduct(int n, int rows, int cols, const Matrix& A, const Matrix& B, const int* p, double* M) {
  std::fill(M, M + static_cast<size_t>(rows) * cols, 0.0);
  for (int i = 0; i < n; i++) {
    const double* a = A[i];
    const double* b = B[p[i]];
    for (int r = 0; r < rows; r++) {
      const double x = a[r];
      double* m = M + static_cast<size_t>(r) * cols;
      for (int c = 0; c < cols; c++) m[c] += x * b[c];
    }
  }
}

// Frobenius norm squared of A'B for centred tables A (n x a) and B (n x b).
double CrossNorm(int n, const Matrix& A, const Matrix& B) {
  std::vector<int> identity(static_cast<size_t>(n));
  std::iota(identity.begin(), identity.end(), 0);
  std::vector<double> M(static_cast<size_t>(A.cols()) * B.cols());
  PermutedCrossProduct(n, A.cols(), B.cols(), A, B, identity.data(), M.data());
  double s = 0.0;
  for (double x : M) s += x * x;
  return s;
}

// GSL's symmetric eigen-decomposition with its work space made once.
struct EigenWork {
  explicit EigenWork(int p)
      : a(gsl_matrix_alloc(p, p), gsl_matrix_free),
        vectors(gsl_matrix_alloc(p, p), gsl_matrix_free),
        values(gsl_vector_alloc(p), gsl_vector_free),
        work(gsl_eigen_symmv_alloc(p), gsl_eigen_symmv_free) {
    if (!a || !vectors || !values || !work) throw std::bad_alloc();
  }
  // Decomposes a (filled by the caller), eigenvalues descending.
  void Run() {
    gsl_eigen_symmv(a.get(), values.get(), vectors.get(), work.get());
    gsl_eigen_symmv_sort(values.get(), vectors.get(), GSL_EIGEN_SORT_VAL_DESC);
  }
  std::unique_ptr<gsl_matrix, void (*)(gsl_matrix*)> a, vectors;
  std::unique_ptr<gsl_vector, void (*)(gsl_vector*)> values;
  std::unique_ptr<gsl_eigen_symmv_workspace, void (*)(gsl_eigen_symmv_workspace*)> work;
};

// Draws of the linear-model test.
class RestrictedDraw {
 public:
  RestrictedDraw(int n, const PermutationRestriction& r) : n_(n), r_(r) {
    if (r.option == 1) work_.resize(static_cast<size_t>(std::max(1, r.matrixDim)));
    if (r.option == 2 || r.option == 3) {
      RestrictedPermutation::Design d;
      d.n = n;
      d.nesting = r.nestingOn;
      d.nestMemb = r.nestMemb;
      d.bundles = r.bundlesOn;
      d.bundleMemb = r.bundleMemb;
      d.bundlesOnly = false;
      nested_ = std::make_unique<RestrictedPermutation>(d);
    }
  }
  bool BundleStepSkipped() const { return nested_ && !nested_->BundleStepPossible(); }
  void operator()(gsl_rng* rng, int* list) {
    if (r_.option == 1) RndListMantelRestricted(rng, n_, list, r_.matrixDim, work_.data());
    else if (nested_) nested_->Draw(rng, list);
    else RndList(rng, n_, list);
  }

 private:
  int n_;
  PermutationRestriction r_;
  std::vector<int> work_;
  std::unique_ptr<RestrictedPermutation> nested_;
};

}  // namespace

TwoSetTestResult MantelTest(int n, const double* const* first, const double* const* second, gsl_rng* rng,
                            const TwoSetTestRun& run, const TwoSetObserver& observer) {
  const bool complete = !AnyMissingPair(n, first) && !AnyMissingPair(n, second);
  const PermutableMatrix a(n, first, complete);
  double ssB = 0.0;
  const double meanA = PairMean(n, first), meanB = PairMean(n, second);
  const std::vector<double> b = PackedPairs(n, second, complete ? meanB : 0.0, &ssB);
  auto makeWorkspace = [n] { return Permutation{std::vector<int>(static_cast<size_t>(n))}; };
  auto evaluate = [&](const int* list, Permutation& w, double* r) {
    ZeroBased(n, list, w.p.data());
    r[0] = complete ? Ratio(a.Dot(w.p.data(), b.data()), a.SumSquares(), ssB)
                    : PairwiseCorrelation(a, w.p.data(), b.data(), meanA, meanB);
  };
  return RunPermutationTest(n, 1, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                            evaluate);
}

TwoSetTestResult PartialMantelTest(int n, const double* const* first, const double* const* second,
                                   const double* const* third, gsl_rng* rng, const TwoSetTestRun& run,
                                   const TwoSetObserver& observer) {
  const bool complete = !AnyMissingPair(n, first) && !AnyMissingPair(n, second) && !AnyMissingPair(n, third);
  const PermutableMatrix a(n, first, complete);
  double ss2 = 0.0, ss3 = 0.0;
  const double mean1 = PairMean(n, first), mean2 = PairMean(n, second), mean3 = PairMean(n, third);
  const std::vector<double> b = PackedPairs(n, second, complete ? mean2 : 0.0, &ss2);
  const std::vector<double> c = PackedPairs(n, third, complete ? mean3 : 0.0, &ss3);
  const double r23 = MatrixCorr(n, second, third);
  auto makeWorkspace = [n] { return Permutation{std::vector<int>(static_cast<size_t>(n))}; };
  auto evaluate = [&](const int* list, Permutation& w, double* r) {
    ZeroBased(n, list, w.p.data());
    double r12, r13;
    if (complete) {
      double s12, s13;
      a.Dot2(w.p.data(), b.data(), c.data(), &s12, &s13);
      r12 = Ratio(s12, a.SumSquares(), ss2);
      r13 = Ratio(s13, a.SumSquares(), ss3);
    } else {
      r12 = PairwiseCorrelation(a, w.p.data(), b.data(), mean1, mean2);
      r13 = PairwiseCorrelation(a, w.p.data(), c.data(), mean1, mean3);
    }
    r[0] = PartialCorrelation(r12, r13, r23);
  };
  return RunPermutationTest(n, 1, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                            evaluate);
}

TwoSetTestResult RdTest(int n, const double* const* first, const double* const* second, gsl_rng* rng,
                        const TwoSetTestRun& run, const TwoSetObserver& observer) {
  // Gower centring commutes with the permutation: the centred first matrix
  // is permuted, the centred second one less its mean is fixed.
  Matrix ga(n, n), gb(n, n);
  GowerMatrixCentering(n, first, ga.data(), false);
  GowerMatrixCentering(n, second, gb.data(), false);
  const double cells = static_cast<double>(n) * n;
  double ma = 0.0, mb = 0.0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      ma += ga[i][j];
      mb += gb[i][j];
    }
  ma /= cells;
  mb /= cells;
  const PermutableMatrix a(n, ga, ma);
  // Sums over all n x n cells: the diagonal, and the pairs twice.
  double ssA = 2.0 * a.SumSquares(), ssB = 0.0;
  std::vector<double> bDiagonal(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) {
    ssA += a.Value(i, i) * a.Value(i, i);
    bDiagonal[i] = gb[i][i] - mb;
    for (int j = 0; j < n; j++) ssB += (gb[i][j] - mb) * (gb[i][j] - mb);
  }
  std::vector<double> bPairs;
  bPairs.reserve(static_cast<size_t>(n) * (n > 0 ? n - 1 : 0) / 2);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) bPairs.push_back(2.0 * (gb[i][j] - mb));
  auto makeWorkspace = [n] { return Permutation{std::vector<int>(static_cast<size_t>(n))}; };
  auto evaluate = [&](const int* list, Permutation& w, double* r) {
    int* p = w.p.data();
    ZeroBased(n, list, p);
    double s = a.Dot(p, bPairs.data());
    for (int i = 0; i < n; i++) s += a.Value(p[i], p[i]) * bDiagonal[i];
    r[0] = Ratio(s, ssA, ssB);
  };
  return RunPermutationTest(n, 1, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                            evaluate);
}

TwoSetTestResult RVTest(int n, int p1, int p2, const double* const* first, const double* const* second,
                        gsl_rng* rng, const TwoSetTestRun& run, const TwoSetObserver& observer) {
  const Matrix z1 = Centred(n, p1, first), z2 = Centred(n, p2, second);
  const double s11 = CrossNorm(n, z1, z1), s22 = CrossNorm(n, z2, z2);
  struct Work {
    std::vector<int> p;
    std::vector<double> m;
  };
  auto makeWorkspace = [=] {
    return Work{std::vector<int>(static_cast<size_t>(n)), std::vector<double>(static_cast<size_t>(p1) * p2)};
  };
  auto evaluate = [&](const int* list, Work& w, double* r) {
    ZeroBased(n, list, w.p.data());
    PermutedCrossProduct(n, p2, p1, z2, z1, w.p.data(), w.m.data());
    double s = 0.0;
    for (double x : w.m) s += x * x;
    r[0] = s11 > 0.0 && s22 > 0.0 ? s / std::sqrt(s11 * s22) : 0.0;
  };
  return RunPermutationTest(n, 1, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                            evaluate);
}

TwoSetTestResult ProcrustesTest(int n, int p1, int p2, const double* const* first, const double* const* second,
                                gsl_rng* rng, const TwoSetTestRun& run, const TwoSetObserver& observer) {
  Matrix z1, z2;
  const bool varies = p1 > 0 && p2 > 0 && StandardizeTotalVariance(n, p1, first, z1) &&
                      StandardizeTotalVariance(n, p2, second, z2);
  struct Work {
    std::vector<int> p;
    std::vector<double> m;
    SingularValueSum sum;
  };
  auto makeWorkspace = [=] {
    return Work{std::vector<int>(static_cast<size_t>(n)), std::vector<double>(static_cast<size_t>(p1) * p2),
                SingularValueSum(p2, p1)};
  };
  auto evaluate = [&](const int* list, Work& w, double* r) {
    if (!varies) {
      r[0] = 0.0;
      return;
    }
    ZeroBased(n, list, w.p.data());
    PermutedCrossProduct(n, p2, p1, z2, z1, w.p.data(), w.m.data());
    r[0] = w.sum(w.m.data()) / (n - 1);
  };
  return RunPermutationTest(n, 1, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                            evaluate);
}

bool LinearModelTest(int n, int p, int q, const double* const* Y, const double* const* X,
                     const PermutationRestriction& restriction, gsl_rng* rng, const TwoSetTestRun& run,
                     TwoSetTestResult& result, bool* bundleStepSkipped, const TwoSetObserver& observer) {
  NormalEquations ne;
  if (!ne.Prepare(n, q, X)) return false;
  const Matrix yc = Centred(n, p, Y);
  std::vector<double> yMean(static_cast<size_t>(p)), ssY(static_cast<size_t>(p), 0.0);
  for (int j = 0; j < p; j++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += Y[i][j];
    yMean[j] = s / n;
    for (int i = 0; i < n; i++) ssY[j] += yc[i][j] * yc[i][j];
  }
  const Matrix& xc = ne.Xc();
  const Matrix& inverse = ne.Inverse();
  const std::vector<double>& xMean = ne.XMean();
  struct Work {
    std::vector<int> perm;
    std::vector<double> xty, b;
  };
  auto makeWorkspace = [=] {
    return Work{std::vector<int>(static_cast<size_t>(n)), std::vector<double>(static_cast<size_t>(q) * p),
                std::vector<double>(static_cast<size_t>(q) * p)};
  };
  auto evaluate = [&](const int* list, Work& w, double* stats) {
    ZeroBased(n, list, w.perm.data());
    PermutedCrossProduct(n, q, p, xc, yc, w.perm.data(), w.xty.data());
    for (int k = 0; k < q; k++)
      for (int j = 0; j < p; j++) {
        double s = 0.0;
        for (int l = 0; l < q; l++) s += inverse[k][l] * w.xty[static_cast<size_t>(l) * p + j];
        w.b[static_cast<size_t>(k) * p + j] = s;
      }
    for (int j = 0; j < p; j++) {
      double b0 = yMean[j], fitted = 0.0;
      for (int k = 0; k < q; k++) {
        const double bkj = w.b[static_cast<size_t>(k) * p + j];
        b0 -= bkj * xMean[k];
        fitted += bkj * w.xty[static_cast<size_t>(k) * p + j];
        stats[p + k * p + j] = bkj;
      }
      stats[j] = b0;
      stats[p + q * p + j] = ssY[j] > 0.0 ? fitted / ssY[j] : 0.0;
    }
  };
  RestrictedDraw draw(n, restriction);
  if (bundleStepSkipped != nullptr) *bundleStepSkipped = draw.BundleStepSkipped();
  result = RunPermutationTest(n, p + q * p + p, run, observer, [&](int* list) { draw(rng, list); }, makeWorkspace,
                              evaluate);
  return true;
}

bool RdaTest(int n, int p, int q, const double* const* Y, const double* const* X, int axes, gsl_rng* rng,
             const TwoSetTestRun& run, TwoSetTestResult& result, const TwoSetObserver& observer) {
  NormalEquations ne;
  if (p <= 0 || !ne.Prepare(n, q, X)) return false;
  axes = std::max(0, std::min(axes, p));
  const Matrix yc = Centred(n, p, Y);
  const Matrix& xc = ne.Xc();
  const Matrix& inverse = ne.Inverse();
  struct Work {
    std::vector<int> perm;
    std::vector<double> xty, b, w, fitted, scores;
    EigenWork eigen;
  };
  auto makeWorkspace = [=] {
    return Work{std::vector<int>(static_cast<size_t>(n)),  std::vector<double>(static_cast<size_t>(q) * p),
                std::vector<double>(static_cast<size_t>(q) * p), std::vector<double>(static_cast<size_t>(q)),
                std::vector<double>(static_cast<size_t>(n)),     std::vector<double>(static_cast<size_t>(n)),
                EigenWork(p)};
  };
  auto evaluate = [&](const int* list, Work& w, double* stats) {
    int* perm = w.perm.data();
    ZeroBased(n, list, perm);
    PermutedCrossProduct(n, q, p, xc, yc, perm, w.xty.data());
    for (int k = 0; k < q; k++)
      for (int j = 0; j < p; j++) {
        double s = 0.0;
        for (int l = 0; l < q; l++) s += inverse[k][l] * w.xty[static_cast<size_t>(l) * p + j];
        w.b[static_cast<size_t>(k) * p + j] = s;
      }
    // Covariance of the fitted responses: B' Xc'Xc B / (n-1) = B' Xc'Y / (n-1).
    gsl_matrix* cov = w.eigen.a.get();
    for (int a = 0; a < p; a++)
      for (int c = a; c < p; c++) {
        double s = 0.0;
        for (int k = 0; k < q; k++)
          s += w.b[static_cast<size_t>(k) * p + a] * w.xty[static_cast<size_t>(k) * p + c] +
               w.b[static_cast<size_t>(k) * p + c] * w.xty[static_cast<size_t>(k) * p + a];
        s /= 2.0 * (n - 1);
        gsl_matrix_set(cov, a, c, s);
        gsl_matrix_set(cov, c, a, s);
      }
    w.eigen.Run();
    const gsl_matrix* u = w.eigen.vectors.get();
    for (int axis = 0; axis < axes; axis++) {
      // Fitted scores Xc (B u), scores Y u, u = eigenvector of the axis.
      for (int k = 0; k < q; k++) {
        double s = 0.0;
        for (int j = 0; j < p; j++) s += w.b[static_cast<size_t>(k) * p + j] * gsl_matrix_get(u, j, axis);
        w.w[k] = s;
      }
      for (int i = 0; i < n; i++) {
        double f = 0.0, s = 0.0;
        for (int k = 0; k < q; k++) f += xc[i][k] * w.w[k];
        const double* y = yc[perm[i]];
        for (int j = 0; j < p; j++) s += y[j] * gsl_matrix_get(u, j, axis);
        w.fitted[i] = f;
        w.scores[i] = s;
      }
      stats[axis] = PearsonCorrelation(n, w.scores.data(), w.fitted.data());
    }
  };
  result = RunPermutationTest(n, axes, run, observer, [&](int* list) { DrawFree(rng, n, list); }, makeWorkspace,
                              evaluate);
  return true;
}

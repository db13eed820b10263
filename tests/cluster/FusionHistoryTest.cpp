// Whole fusion histories of the seven clustering methods, compared bit for bit
// with a straightforward reference written here: every step rescans all pairs
// of current groups in order (a ascending, then b ascending), keeps the first
// best pair, and removes the second group by shifting the rows and columns of
// a full matrix. Tables of small integers make ties at almost every step.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "ZQLib/Centring.h"

using clustertest::History;
using clustertest::Matrix;

namespace {

using Table = std::vector<std::vector<double>>;
using Group = std::vector<int>;

struct Record {
  double level = 0, level2 = 0, left = 0, right = 0;
  int node = 0, lastMember = 0;
  Group members;
  std::vector<double> vecI, vecII, scoresI, scoresII;
};

std::uint64_t Bits(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

Table Upper(Matrix& d) {
  Table w(d.n, std::vector<double>(d.n, 0.0));
  for (int i = 0; i < d.n; i++)
    for (int j = i + 1; j < d.n; j++) w[i][j] = d[i][j];
  return w;
}

// Value of the pair of current groups (i, j), i != j, in the upper triangle.
double& At(Table& w, int i, int j) { return i < j ? w[i][j] : w[j][i]; }

// Removes row and column b.
void Shift(Table& w, int b) {
  w.erase(w.begin() + b);
  for (auto& row : w) row.erase(row.begin() + b);
}

Record Fusion(const std::vector<Group>& groups, int a, int b, int node) {
  Record r;
  r.members = groups[a];
  r.members.insert(r.members.end(), groups[b].begin(), groups[b].end());
  r.lastMember = groups[a].back();
  r.node = node;
  return r;
}

void Merge(std::vector<Group>& groups, int a, int b) {
  groups[a].insert(groups[a].end(), groups[b].begin(), groups[b].end());
  groups.erase(groups.begin() + b);
}

std::vector<Group> Singletons(int n) {
  std::vector<Group> g;
  for (int i = 1; i <= n; i++) g.push_back({i});
  return g;
}

std::vector<Record> ReferenceLinkage(Matrix& d, bool isDissim, bool squared, int method) {
  const int n = d.n;
  Table w = Upper(d);
  bool rootLevels = squared;
  if ((method == kUPGMA || method == kWPGMA) && isDissim && squared) {
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++) w[i][j] = std::sqrt(w[i][j]);
    rootLevels = false;
  }
  std::vector<Group> groups = Singletons(n);
  std::vector<double> sizes(n, 1.0), height(n, 0.0);
  std::vector<Record> out;
  for (int s = 0; s < n - 1; s++) {
    const int m = n - s;
    double best = isDissim ? DBL_MAX : -DBL_MAX;
    int ba = 0, bb = 1;
    for (int a = 0; a < m; a++)
      for (int b = a + 1; b < m; b++)
        if (isDissim ? w[a][b] < best : w[a][b] > best) {
          best = w[a][b];
          ba = a;
          bb = b;
        }
    const double value = w[ba][bb];
    Record r = Fusion(groups, ba, bb, n + s + 1);
    r.level = rootLevels ? std::sqrt(value) : value;
    r.left = r.level - height[ba];
    r.right = r.level - height[bb];
    out.push_back(r);
    for (int k = 0; k < m; k++) {
      if (k == ba || k == bb) continue;
      const double wa = At(w, k, ba), wb = At(w, k, bb), na = sizes[ba], nb = sizes[bb];
      double v = 0;
      if (method == kSingleLinkage) v = isDissim ? std::min(wa, wb) : std::max(wa, wb);
      if (method == kCompleteLinkage) v = isDissim ? std::max(wa, wb) : std::min(wa, wb);
      if (method == kUPGMA) v = (na * wa + nb * wb) / (na + nb);
      if (method == kWPGMA) v = (wa + wb) / 2.0;
      At(w, k, ba) = v;
    }
    sizes[ba] += sizes[bb];
    sizes.erase(sizes.begin() + bb);
    height[ba] = r.level;
    height.erase(height.begin() + bb);
    Merge(groups, ba, bb);
    Shift(w, bb);
  }
  return out;
}

// Ward's method; with a topology only pairs marked adjacent may fuse.
std::vector<Record> ReferenceWard(Matrix& d, const std::vector<std::vector<int>>* topology, bool squared) {
  const int n = d.n;
  Table w = Upper(d);
  for (auto& row : w)
    for (double& x : row) x = squared ? x : x * x;
  auto d2 = [&](int x, int y) {  // objects 1-based
    const double v = x < y ? d[x - 1][y - 1] : d[y - 1][x - 1];
    return squared ? v : v * v;
  };
  std::vector<std::vector<int>> adj;
  if (topology) adj = *topology;
  std::vector<Group> groups = Singletons(n);
  std::vector<double> sizes(n, 1.0), ssw(n, 0.0);
  std::vector<Record> out;
  for (int s = 0; s < n - 1; s++) {
    const int m = n - s;
    double best = topology ? 3.4028234663852886e38 : DBL_MAX;
    int ba = -1, bb = -1;
    for (int a = 0; a < m; a++)
      for (int b = a + 1; b < m; b++) {
        if (topology && adj[a][b] == 0) continue;
        const double delta = sizes[a] * sizes[b] * w[a][b] / (sizes[a] + sizes[b]);
        if (delta < best) {
          best = delta;
          ba = a;
          bb = b;
        }
      }
    if (ba < 0) {  // nothing eligible: the first adjacent pair, else the first pair
      ba = 0;
      bb = 1;
      bool found = false;
      for (int a = 0; topology && a < m && !found; a++)
        for (int b = a + 1; b < m && !found; b++)
          if (adj[a][b] != 0) {
            ba = a;
            bb = b;
            found = true;
          }
    }
    const double na = sizes[ba], nb = sizes[bb];
    Record r = Fusion(groups, ba, bb, n + s + 1);
    double cross = 0;
    for (int x : groups[ba])
      for (int y : groups[bb]) cross += d2(x, y);
    const double ha = ssw[ba] / na, hb = ssw[bb] / nb;
    ssw[ba] = ssw[ba] + ssw[bb] + cross;
    r.level = ssw[ba] / (na + nb);
    r.level2 = na * nb * w[ba][bb] / (na + nb);
    r.left = r.level - ha;
    r.right = r.level - hb;
    out.push_back(r);
    const double nab = na + nb, alphaA = na / nab, alphaB = nb / nab, beta = -na * nb / (nab * nab);
    for (int k = 0; k < m; k++) {
      if (k == ba || k == bb) continue;
      At(w, k, ba) = alphaA * At(w, k, ba) + alphaB * At(w, k, bb) + beta * w[ba][bb];
      if (topology) {
        int& x = k < ba ? adj[k][ba] : adj[ba][k];
        x = std::max(x, k < bb ? adj[k][bb] : adj[bb][k]);
      }
    }
    sizes[ba] += sizes[bb];
    sizes.erase(sizes.begin() + bb);
    ssw.erase(ssw.begin() + bb);
    Merge(groups, ba, bb);
    Shift(w, bb);
    if (topology) {
      adj.erase(adj.begin() + bb);
      for (auto& row : adj) row.erase(row.begin() + bb);
    }
  }
  return out;
}

// Hierarchical factorial clustering: groups keep their positions and the
// fused second group becomes inactive.
std::vector<Record> ReferenceFactorial(Matrix& x, int p) {
  const int n = x.n;
  Matrix z(n, x.store, p);
  CenterRowsMV(n, p, z.get(), z.get());
  NormalizeRowsMV(n, p, z.get(), z.get());
  struct Pair {
    double first, second, vecI[2], vecII[2];
  };
  std::vector<std::vector<Pair>> pair(n, std::vector<Pair>(n));
  auto eigen = [&](int i, int j) {
    Pair& q = pair[i][j];
    HierFactorialEigen(p, z[i], z[j], &q.first, &q.second, q.vecI, q.vecII);
  };
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) eigen(i, j);
  std::vector<Group> groups = Singletons(n);
  std::vector<bool> active(n, true);
  std::vector<Record> out;
  for (int s = 0; s < n - 1; s++) {
    double best = DBL_MAX;
    int ba = -1, bb = -1;
    for (int a = 0; a < n; a++)
      for (int b = a + 1; b < n; b++)
        if (active[a] && active[b] && pair[a][b].second < best) {
          best = pair[a][b].second;
          ba = a;
          bb = b;
        }
    if (ba < 0) {
      for (int a = n - 1; a >= 0; a--)
        if (active[a]) bb = ba, ba = a;
    }
    const Pair& q = pair[ba][bb];
    Record r = Fusion(groups, ba, bb, 0);
    r.level = q.second;
    r.level2 = q.first;
    r.vecI = {q.vecI[0], q.vecI[1]};
    r.vecII = {q.vecII[0], q.vecII[1]};
    for (int t = 0; t < p; t++) {
      const bool missing = z[ba][t] == -999.0 || z[bb][t] == -999.0;
      r.scoresI.push_back(missing ? 0.0 : z[ba][t] * q.vecI[0] + z[bb][t] * q.vecI[1]);
      r.scoresII.push_back(missing ? 0.0 : z[ba][t] * q.vecII[0] + z[bb][t] * q.vecII[1]);
    }
    for (int t = 0; t < p; t++) z[ba][t] = r.scoresI[t];
    out.push_back(r);
    groups[ba].insert(groups[ba].end(), groups[bb].begin(), groups[bb].end());
    groups[bb].clear();
    active[bb] = false;
    for (int o = 0; o < n; o++)
      if (active[o] && o != ba) o < ba ? eigen(o, ba) : eigen(ba, o);
  }
  return out;
}

// Every field of every record, bit for bit.
void ExpectSameHistory(const std::vector<Record>& expected, History& h, bool factorial, const std::string& what) {
  ASSERT_EQ(static_cast<int>(expected.size()), h.n - 1) << what;
  for (size_t s = 0; s < expected.size(); s++) {
    const Record& e = expected[s];
    const clusterReport& r = h[static_cast<int>(s)];
    const std::string at = what + ", step " + std::to_string(s + 1);
    ASSERT_EQ(h.Members(static_cast<int>(s)), e.members) << at;
    ASSERT_EQ(r.lastMember, e.lastMember) << at;
    ASSERT_EQ(r.node, e.node) << at;
    ASSERT_EQ(Bits(r.level), Bits(e.level)) << at << ": " << r.level << " vs " << e.level;
    ASSERT_EQ(Bits(r.level2), Bits(e.level2)) << at;
    ASSERT_EQ(Bits(r.branchLeft), Bits(e.left)) << at;
    ASSERT_EQ(Bits(r.branchRight), Bits(e.right)) << at;
    if (!factorial) continue;
    for (int t = 0; t < 2; t++) {
      ASSERT_EQ(Bits(r.eigVecI[t]), Bits(e.vecI[t])) << at;
      ASSERT_EQ(Bits(r.eigVecII[t]), Bits(e.vecII[t])) << at;
    }
    for (size_t t = 0; t < e.scoresI.size(); t++) {
      ASSERT_EQ(Bits(r.scoresI[t]), Bits(e.scoresI[t])) << at;
      ASSERT_EQ(Bits(r.scoresII[t]), Bits(e.scoresII[t])) << at;
    }
  }
}

// Symmetric n x n table of integers 0..top (zero diagonal), so that most
// values occur many times.
Matrix SmallIntegers(int n, int top, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> v(0, top);
  Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) d[i][j] = d[j][i] = v(gen);
  return d;
}

// Euclidean distances between points on a small integer grid: many equal
// distances, and every fusion of equal points at 0.
Matrix GridDistances(int n, int dims, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> v(0, 3);
  clustertest::Points x(n, std::vector<double>(dims));
  for (auto& row : x)
    for (double& c : row) c = v(gen);
  return clustertest::Distances(x);
}

const int kSizes[] = {2, 3, 5, 17, 64, 150};

}  // namespace

TEST(FusionHistory, LinkageMethodsOnTiedTables) {
  for (int n : kSizes)
    for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA, kWPGMA})
      for (bool isDissim : {true, false})
        for (int table = 0; table < 4; table++) {
          Matrix d = table == 0   ? SmallIntegers(n, 4, 11 * n + method)
                     : table == 1 ? SmallIntegers(n, 40, 7 * n)
                     : table == 2 ? GridDistances(n, 3, 5 * n)
                                  : SmallIntegers(n, 1, 19 * n + method);
          const std::string what = "method " + std::to_string(method) + (isDissim ? " dissimilarity" : " similarity") +
                                   " table " + std::to_string(table) + " n " + std::to_string(n);
          const std::vector<Record> expected = ReferenceLinkage(d, isDissim, false, method);
          History h(n);
          LinkageCluster(n, d.get(), h.get(), isDissim, false, method, true);
          ExpectSameHistory(expected, h, false, what);
          if (!isDissim) continue;
          // The same values given as squares.
          Matrix sq(n, d.store);
          for (double& v : sq.store) v = v * v;
          const std::vector<Record> expectedSq = ReferenceLinkage(sq, true, true, method);
          History hs(n);
          LinkageCluster(n, sq.get(), hs.get(), true, true, method, false);
          ExpectSameHistory(expectedSq, hs, false, what + " squared");
        }
}

TEST(FusionHistory, WardOnTiedTables) {
  for (int n : kSizes)
    for (int table = 0; table < 3; table++)
      for (bool squared : {false, true}) {
        Matrix d = table == 0 ? SmallIntegers(n, 4, 3 * n) : table == 1 ? SmallIntegers(n, 40, 13 * n)
                                                                        : GridDistances(n, 2, 17 * n);
        const std::string what = "table " + std::to_string(table) + (squared ? " squared" : "") + " n " +
                                 std::to_string(n);
        const std::vector<Record> expected = ReferenceWard(d, nullptr, squared);
        History h(n);
        SumSqCluster(n, d.get(), h.get(), squared);
        ExpectSameHistory(expected, h, false, what);
      }
}

TEST(FusionHistory, ConstrainedWardOnChainsAndOtherTopologies) {
  for (int n : kSizes)
    for (int topology = 0; topology < 3; topology++) {
      // 0: the chain of the data order; 1: random neighbours (groups may stay
      // unconnected, so that the first pair is taken); 2: every pair.
      std::mt19937 gen(29 * n + topology);
      std::bernoulli_distribution coin(0.1);
      clustertest::Chain adjacency(n);
      std::vector<std::vector<int>> cells(n, std::vector<int>(n, 0));
      for (int i = 0; i < n; i++)
        for (int j = i + 1; j < n; j++) {
          if (topology == 1) adjacency.cells[i][j] = coin(gen) ? 1 : 0;
          if (topology == 2) adjacency.cells[i][j] = 1;
          cells[i][j] = adjacency.cells[i][j];
        }
      Matrix d = SmallIntegers(n, 5, 31 * n + topology);
      const std::vector<Record> expected = ReferenceWard(d, &cells, false);
      History h(n);
      SumSqClusterRestrained(n, d.get(), adjacency.get(), h.get(), false);
      ExpectSameHistory(expected, h, false, "topology " + std::to_string(topology) + " n " + std::to_string(n));
      EXPECT_EQ(adjacency.cells, cells);  // the caller's topology is kept
    }
}

TEST(FusionHistory, UnusableValuesAreNeverChosen) {
  // Not-a-number and infinite resemblances never fuse while a usable pair is
  // left; when none is left, the first two current groups fuse.
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (int n : {3, 9, 40}) {
    Matrix d = SmallIntegers(n, 3, 41 * n);
    std::mt19937 gen(n);
    std::uniform_int_distribution<int> pick(0, n - 1);
    for (int t = 0; t < n; t++) {
      const int i = pick(gen), j = pick(gen);
      if (i != j) d[i][j] = d[j][i] = t % 2 ? nan : inf;
    }
    for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA, kWPGMA})
      for (bool isDissim : {true, false}) {
        Matrix w(n, d.store);
        if (!isDissim)
          for (double& v : w.store) v = -v;
        const std::vector<Record> expected = ReferenceLinkage(w, isDissim, false, method);
        History h(n);
        LinkageCluster(n, w.get(), h.get(), isDissim, false, method, true);
        ExpectSameHistory(expected, h, false, "method " + std::to_string(method) + " n " + std::to_string(n));
      }
    const std::vector<Record> expected = ReferenceWard(d, nullptr, false);
    History h(n);
    SumSqCluster(n, d.get(), h.get(), false);
    ExpectSameHistory(expected, h, false, "Ward n " + std::to_string(n));
  }
}

TEST(FusionHistory, HierarchicalFactorialWithRepeatedRows) {
  // Rows drawn from a few patterns (and their multiples plus constants), so
  // that many pairs have the same second eigenvalue; some values missing.
  // Rows of independent values as well, whose second eigenvalues differ.
  for (int n : {2, 3, 5, 17, 48, 90})
    for (int p : {2, 4, 7}) {
      std::mt19937 gen(53 * n + p);
      std::uniform_int_distribution<int> v(0, 4), pattern(0, 3), scale(1, 3);
      Matrix base(4, {}, p);
      for (double& c : base.store) c = v(gen);
      Matrix x(n, {}, p);
      for (int i = 0; i < n; i++) {
        const int b = pattern(gen), k = scale(gen);
        for (int t = 0; t < p; t++) x[i][t] = n == 90 ? v(gen) : k * base[b][t] + b;
      }
      if (n > 5) x[n / 2][p - 1] = -999.0;
      const std::vector<Record> expected = ReferenceFactorial(x, p);
      History h(n, p);
      HierFactorialClustering(n, p, x.get(), h.get());
      ExpectSameHistory(expected, h, true, "p " + std::to_string(p) + " n " + std::to_string(n));
    }
}

// Two histories that a shortcut through remembered nearest partners gets
// wrong. (a) 2 and 5 fuse first (at 0); single linkage then gives
// d({2,5}, 1) = 1, tying d(1, 4) = d(1, 5) = 1: the pair (1, {2,5}) comes first
// in scan order and fuses next; also on similarities 6 - d. (b) 1 and 3 fuse
// first; the best partner of 2 was 3, so that 2 must look for a new one:
// complete linkage then fuses 2 with 4 before {1,3} with 2.
TEST(FusionHistory, FusionsThatChangeTheBestPairOfOtherGroups) {
  const struct {
    Matrix d;
    int method;
    std::vector<int> second;
  } cases[] = {
      {Matrix(5, {0, 2, 5, 1, 1, 2, 0, 5, 5, 0, 5, 5, 0, 5, 5, 1, 5, 5, 0, 5, 1, 0, 5, 5, 0}), kSingleLinkage, {1, 2, 5}},
      {Matrix(4, {0, 5, 1, 9, 5, 0, 2, 3, 1, 2, 0, 9, 9, 3, 9, 0}), kCompleteLinkage, {2, 4}},
  };
  for (const auto& c : cases)
    for (int method : {kSingleLinkage, kCompleteLinkage, kUPGMA, kWPGMA})
      for (bool isDissim : {true, false}) {
        Matrix w(c.d.n, c.d.store);
        if (!isDissim)
          for (double& v : w.store) v = 6 - v;
        const std::vector<Record> expected = ReferenceLinkage(w, isDissim, false, method);
        History h(w.n);
        LinkageCluster(w.n, w.get(), h.get(), isDissim, false, method, true);
        ExpectSameHistory(expected, h, false, "method " + std::to_string(method) + " n " + std::to_string(w.n));
        if (method == c.method) {
          EXPECT_EQ(h.Members(1), c.second);
        }
      }
}

// The pair chosen at each step is the first pair in scan order among many
// equal values, on matrices large enough to exercise the blocked row scans.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

using clustertest::History;
using clustertest::Matrix;

namespace {

// Symmetric matrix of small integers: many ties.
Matrix TiedMatrix(int n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> v(1, 6);
  Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) d.rows[i][j] = d.rows[j][i] = v(gen);
  return d;
}

// Single linkage by its definition: groups as member lists, the resemblance
// of two groups the smallest (or largest) value between their members.
std::vector<std::vector<int>> SingleLinkageByDefinition(Matrix& d, bool isDissim) {
  const int n = d.n;
  std::vector<std::vector<int>> groups, history;
  for (int i = 0; i < n; i++) groups.push_back({i + 1});
  while (groups.size() > 1) {
    double best = isDissim ? 1e300 : -1e300;
    size_t ba = 0, bb = 1;
    for (size_t a = 0; a < groups.size(); a++)
      for (size_t b = a + 1; b < groups.size(); b++) {
        double v = isDissim ? 1e300 : -1e300;
        for (int x : groups[a])
          for (int y : groups[b]) v = isDissim ? std::min(v, d.rows[x - 1][y - 1]) : std::max(v, d.rows[x - 1][y - 1]);
        if (isDissim ? v < best : v > best) {
          best = v;
          ba = a;
          bb = b;
        }
      }
    groups[ba].insert(groups[ba].end(), groups[bb].begin(), groups[bb].end());
    groups.erase(groups.begin() + bb);
    history.push_back(groups[ba]);
  }
  return history;
}

}  // namespace

TEST(ScanOrder, SingleLinkageMatchesItsDefinitionWithManyTies) {
  for (int n : {9, 23, 37}) {
    for (bool isDissim : {true, false}) {
      Matrix d = TiedMatrix(n, 100 + n);
      std::vector<std::vector<int>> expected = SingleLinkageByDefinition(d, isDissim);
      History h(n);
      LinkageCluster(n, d.get(), h.get(), isDissim, false, kSingleLinkage, true);
      for (int s = 0; s < n - 1; s++) ASSERT_EQ(h.Members(s), expected[s]) << "n " << n << " step " << s + 1;
    }
  }
}

TEST(ScanOrder, WardFirstFusionIsTheFirstSmallestDistance) {
  for (int n : {9, 23, 37}) {
    Matrix d = TiedMatrix(n, 7 * n);
    int fi = 0, fj = 1;
    for (int i = 0; i < n; i++)
      for (int j = i + 1; j < n; j++)
        if (d.rows[i][j] < d.rows[fi][fj]) {
          fi = i;
          fj = j;
        }
    History h(n);
    SumSqCluster(n, d.get(), h.get(), false);
    EXPECT_EQ(h.Members(0), (std::vector<int>{fi + 1, fj + 1})) << "n " << n;
    EXPECT_DOUBLE_EQ(h[0].level2, d.rows[fi][fj] * d.rows[fi][fj] / 2);
  }
}

// Huffman code lengths and the complexity of frequency vectors: hand cases,
// the classic heap construction transcribed here with its one-based arrays
// (so that ties between equal frequencies resolve the same way), and the
// properties every Huffman code has (complete prefix code, least mean length).
#include <gtest/gtest.h>

#include <cmath>
#include <queue>
#include <random>
#include <vector>

#include "transform/HuffmanCode.h"

namespace {

// The heap routine of the classic construction: sinks index[i] in the heap
// index[1..n] ordered by nprob.
void hufapp(std::vector<unsigned long>& index, const std::vector<unsigned long>& nprob, unsigned long n,
            unsigned long i) {
  unsigned long j, k = index[i];
  while (i <= (n >> 1)) {
    if ((j = i << 1) < n && nprob[index[j]] > nprob[index[j + 1]]) j++;
    if (nprob[k] <= nprob[index[j]]) break;
    index[i] = index[j];
    i = j;
  }
  index[i] = k;
}

// The construction with symbols 1..nch, merged nodes nch+1..., and up[]
// holding each node's parent (negated for a right child); the length of a
// symbol is the number of steps from its leaf to the root.
std::vector<unsigned long> ClassicLengths(const std::vector<unsigned long>& freq) {
  const unsigned long nch = freq.size();
  std::vector<unsigned long> index(2 * nch, 0), nprob(2 * nch, 0);
  std::vector<long> up(2 * nch, 0);
  unsigned long nused = 0;
  for (unsigned long j = 1; j <= nch; j++) {
    nprob[j] = freq[j - 1];
    if (freq[j - 1]) index[++nused] = j;
  }
  for (unsigned long j = nused; j >= 1; j--) hufapp(index, nprob, nused, j);
  unsigned long k = nch;
  while (nused > 1) {
    const long node = static_cast<long>(index[1]);
    index[1] = index[nused--];
    hufapp(index, nprob, nused, 1);
    nprob[++k] = nprob[index[1]] + nprob[node];
    up[index[1]] = -static_cast<long>(k);
    up[node] = static_cast<long>(k);
    index[1] = k;
    hufapp(index, nprob, nused, 1);
  }
  up[k] = 0;
  std::vector<unsigned long> lengths(nch, 0);
  for (unsigned long j = 1; j <= nch; j++) {
    if (!nprob[j]) continue;
    unsigned long bits = 0;
    for (long node = up[j]; node; bits++) node = up[node < 0 ? -node : node];
    lengths[j - 1] = bits;
  }
  return lengths;
}

// Least mean length of a prefix code, from merging the two smallest weights
// in any order.
unsigned long long OptimalCost(const std::vector<unsigned long>& freq) {
  std::priority_queue<unsigned long long, std::vector<unsigned long long>, std::greater<>> q;
  for (unsigned long f : freq)
    if (f) q.push(f);
  unsigned long long cost = 0;
  while (q.size() > 1) {
    const unsigned long long a = q.top();
    q.pop();
    const unsigned long long b = q.top();
    q.pop();
    cost += a + b;
    q.push(a + b);
  }
  return cost;
}

TEST(HuffmanCode, HandCases) {
  struct Case {
    std::vector<unsigned long> freq, lengths;
  };
  const std::vector<Case> cases = {
      {{5, 5, 5, 5}, {2, 2, 2, 2}},
      {{16, 8, 4, 2, 1}, {1, 2, 3, 4, 4}},
      // Ties: the merged pair (1 + 1) meets the two 2s; the heap takes the
      // merged node with the last 2, not the two 2s together.
      {{1, 1, 2, 2}, {3, 3, 2, 1}},
      {{0, 3, 0, 3}, {0, 1, 0, 1}},
      {{0, 7, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned long> got(c.freq.size(), 99);
    HuffmanCodeLengths(static_cast<int>(c.freq.size()), c.freq.data(), got.data());
    EXPECT_EQ(got, c.lengths);
  }
}

TEST(HuffmanCode, TiesResolveAsTheClassicHeapConstruction) {
  std::mt19937 gen(2024);
  for (int trial = 0; trial < 3000; trial++) {
    const int n = 2 + static_cast<int>(gen() % 40);
    const unsigned long top = 1 + gen() % (trial % 3 == 0 ? 3 : 12);  // few distinct values: many ties
    std::vector<unsigned long> freq(n);
    for (auto& f : freq) f = gen() % (top + 1);
    std::vector<unsigned long> got(n, 99);
    HuffmanCodeLengths(n, freq.data(), got.data());
    ASSERT_EQ(got, ClassicLengths(freq)) << "trial " << trial;

    // A complete prefix code of least mean length.
    int used = 0;
    double kraft = 0;
    unsigned long long cost = 0;
    for (int k = 0; k < n; k++)
      if (freq[k]) {
        used++;
        kraft += std::ldexp(1.0, -static_cast<int>(got[k]));
        cost += freq[k] * got[k];
      }
    if (used >= 2) {
      EXPECT_DOUBLE_EQ(kraft, 1.0);
      EXPECT_EQ(cost, OptimalCost(freq));
    }
  }
}

TEST(ComplexityVectorHuffCode, MeanCodeLengthOfTheScaledFrequencies) {
  // Four equal cells: lengths 2, 2, 2, 2 and L = 2 bits.
  const double equal[] = {3, 3, 3, 3};
  unsigned long lengths[5] = {9, 9, 9, 9, 9};
  EXPECT_DOUBLE_EQ(ComplexityVectorHuffCode(4, equal, lengths), 2.0);
  for (int k = 0; k < 4; k++) EXPECT_EQ(lengths[k], 2u);

  // 16 8 4 2 1 of 31: f = 516129 258064 129032 64516 32258 (truncated),
  // lengths 1 2 3 4 4: L = 1806449 / 10^6.
  const double halving[] = {16, 8, 4, 2, 1};
  EXPECT_NEAR(ComplexityVectorHuffCode(5, halving, lengths), 1.806449, 1e-15);
  const unsigned long want[] = {1, 2, 3, 4, 4};
  for (int k = 0; k < 5; k++) EXPECT_EQ(lengths[k], want[k]);

  // Fewer than three positive values (missing and negative cells are not
  // frequencies): 0, lengths untouched.
  const double two[] = {3, 0, 7, -999, -2};
  unsigned long untouched[5] = {9, 9, 9, 9, 9};
  EXPECT_EQ(ComplexityVectorHuffCode(5, two, untouched), 0.0);
  for (unsigned long v : untouched) EXPECT_EQ(v, 9u);
  EXPECT_EQ(ComplexityVectorHuffCode(0, two, untouched), 0.0);

  // A missing cell among three positive ones has no code.
  const double withMissing[] = {1, -999, 1, 2};
  EXPECT_DOUBLE_EQ(ComplexityVectorHuffCode(4, withMissing, lengths), (250000 * 2 + 250000 * 2 + 500000 * 1) / 1e6);
  EXPECT_EQ(lengths[1], 0u);
  EXPECT_EQ(lengths[3], 1u);
}

}  // namespace

// Huffman code lengths on a binary heap, and the complexity of a frequency vector.
#include "transform/HuffmanCode.h"

#include <cstddef>
#include <vector>

#include "ZQLib/MissingValue.h"

namespace {

// Sinks the node at heap position i (1-based positions 1..size of heap).
void Sink(std::vector<int>& heap, const std::vector<unsigned long long>& weight, int size, int i) {
  const int node = heap[i];
  while (i <= size / 2) {
    int child = 2 * i;
    if (child < size && weight[heap[child]] > weight[heap[child + 1]]) child++;
    if (weight[node] <= weight[heap[child]]) break;
    heap[i] = heap[child];
    i = child;
  }
  heap[i] = node;
}

}  // namespace

void HuffmanCodeLengths(int n, const unsigned long* frequencies, unsigned long* lengths) {
  if (n <= 0) return;
  // Nodes 0..n-1 are the symbols, the merged nodes follow.
  std::vector<unsigned long long> weight(2 * static_cast<size_t>(n), 0);
  std::vector<int> parent(2 * static_cast<size_t>(n), -1);
  std::vector<int> heap(static_cast<size_t>(n) + 1, 0);
  int size = 0;
  for (int k = 0; k < n; k++) {
    weight[k] = frequencies[k];
    lengths[k] = 0;
    if (frequencies[k] > 0) heap[++size] = k;
  }
  for (int i = size; i >= 1; i--) Sink(heap, weight, size, i);
  int next = n;
  while (size > 1) {
    const int smallest = heap[1];
    heap[1] = heap[size--];
    Sink(heap, weight, size, 1);
    const int second = heap[1];
    weight[next] = weight[second] + weight[smallest];
    parent[second] = next;
    parent[smallest] = next;
    heap[1] = next++;
    Sink(heap, weight, size, 1);
  }
  for (int k = 0; k < n; k++) {
    if (frequencies[k] == 0) continue;
    unsigned long depth = 0;
    for (int node = parent[k]; node >= 0; node = parent[node]) depth++;
    lengths[k] = depth;
  }
}

double ComplexityVectorHuffCode(int n, const double* x, unsigned long* codeLengths) {
  if (n <= 0) return 0.0;
  int positives = 0;
  double total = 0.0;
  for (int k = 0; k < n; k++)
    if (!IsMissing(x[k]) && x[k] > 0.0) {
      positives++;
      total += x[k];
    }
  if (positives < 3) return 0.0;
  if (total == 0.0) total = 1.0;
  std::vector<unsigned long> f(n, 0);
  for (int k = 0; k < n; k++)
    if (!IsMissing(x[k]) && x[k] > 0.0) f[k] = static_cast<unsigned long>(x[k] * 1000000.0 / total);
  HuffmanCodeLengths(n, f.data(), codeLengths);
  double sum = 0.0;
  for (int k = 0; k < n; k++) sum += static_cast<double>(codeLengths[k]) * static_cast<double>(f[k]);
  return sum / 1000000.0;
}

// Bounded heaps of the extreme values of many cells.
#include "bootstrap/TailValues.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace {

// Takes value into a heap of at most t values ordered by `before`
// (std::less: a max-heap keeping the t smallest; std::greater: a min-heap
// keeping the t largest), value having beaten the bar; sets the new bar. A
// full heap puts value in place of its top and sinks it.
template <class Before>
void Take(double* heap, int64_t& size, int64_t t, double value, double& bar, Before before) {
  if (size < t) {
    heap[size++] = value;
    std::push_heap(heap, heap + size, before);
  } else {
    int64_t i = 0;
    for (;;) {
      int64_t child = 2 * i + 1;
      if (child >= size) break;
      if (child + 1 < size && before(heap[child], heap[child + 1])) child++;
      if (!before(value, heap[child])) break;
      heap[i] = heap[child];
      i = child;
    }
    heap[i] = value;
  }
  if (size == t) bar = heap[0];
}

}  // namespace

TailValues::TailValues(int cells, int64_t t) : cells_(cells), t_(t) {
  const size_t room = static_cast<size_t>(cells) * static_cast<size_t>(t);
  low_.resize(room);
  high_.resize(room);
  lowSize_.assign(cells, 0);
  highSize_.assign(cells, 0);
  lowBar_.assign(cells, std::numeric_limits<double>::infinity());
  highBar_.assign(cells, -std::numeric_limits<double>::infinity());
}

void TailValues::Push(int cell, double value) {
  const size_t at = static_cast<size_t>(cell) * static_cast<size_t>(t_);
  if (value < lowBar_[cell] || lowSize_[cell] < t_)
    Take(low_.data() + at, lowSize_[cell], t_, value, lowBar_[cell], std::less<double>());
  if (value > highBar_[cell] || highSize_[cell] < t_)
    Take(high_.data() + at, highSize_[cell], t_, value, highBar_[cell], std::greater<double>());
}

void TailValues::Merge(const TailValues& other) {
  for (int c = 0; c < cells_; c++) {
    const size_t at = static_cast<size_t>(c) * static_cast<size_t>(t_);
    for (int64_t k = 0; k < other.lowSize_[c]; k++) {
      const double value = other.low_[at + k];
      if (value < lowBar_[c] || lowSize_[c] < t_)
        Take(low_.data() + at, lowSize_[c], t_, value, lowBar_[c], std::less<double>());
    }
    for (int64_t k = 0; k < other.highSize_[c]; k++) {
      const double value = other.high_[at + k];
      if (value > highBar_[c] || highSize_[c] < t_)
        Take(high_.data() + at, highSize_[c], t_, value, highBar_[c], std::greater<double>());
    }
  }
}

double TailValues::Lower(int cell) const {
  if (t_ < 1 || lowSize_[cell] < t_) return std::numeric_limits<double>::quiet_NaN();
  return low_[static_cast<size_t>(cell) * static_cast<size_t>(t_)];
}

double TailValues::Upper(int cell) const {
  if (t_ < 1 || highSize_[cell] < t_) return std::numeric_limits<double>::quiet_NaN();
  return high_[static_cast<size_t>(cell) * static_cast<size_t>(t_)];
}

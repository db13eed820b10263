// The t smallest and the t largest of the values met in each of many cells,
// kept in bounded heaps: memory grows with t, not with the number of values.
// Two keepers of the same shape merge exactly: the t smallest values of the
// union are among the t smallest of each part. So the threads of a bootstrap
// each keep the values of their own iterations, and the merged keeper gives
// the t-th smallest and t-th largest of all values, whatever the sharing out.
#pragma once
#include <cstdint>
#include <vector>

class TailValues {
 public:
  TailValues() = default;
  // cells keepers of t >= 1 values at each end. Throws std::bad_alloc when
  // the room cannot be had.
  TailValues(int cells, int64_t t);

  int cells() const { return cells_; }
  int64_t tail() const { return t_; }
  void Push(int cell, double value);
  // Adds every value kept by other (same cells and t).
  void Merge(const TailValues& other);
  // Values met in the cell so far, up to t.
  int64_t Kept(int cell) const { return lowSize_[cell]; }
  // The t-th smallest and the t-th largest value met in the cell; NaN when
  // fewer than t values were met.
  double Lower(int cell) const;
  double Upper(int cell) const;

 private:
  int cells_ = 0;
  int64_t t_ = 0;
  std::vector<double> low_;    // per cell a max-heap of the t smallest values
  std::vector<double> high_;   // per cell a min-heap of the t largest values
  std::vector<int64_t> lowSize_, highSize_;
  // Per cell the value a newcomer must beat: the top of the full heap, and
  // +-infinity while the heap has room. Kept apart from the heaps, so that
  // the usual refusal reads one small array.
  std::vector<double> lowBar_, highBar_;
};

// What every kernel that opens an OpenMP region, and every loop that calls
// kernels from several threads, relies on.
//
// - A kernel runs its own parallel loop only outside a parallel region
//   (`#pragma omp parallel for if (!InParallelRegion())`): inside an outer
//   loop of T threads it works on the calling thread alone, so T threads never
//   become T x T. Nested parallelism is never switched on.
// - An exception must not leave an OpenMP region (the process would end):
//   the body of a parallel loop runs through ParallelExceptions::Run, and the
//   first exception caught in any thread is re-thrown by Rethrow after the
//   region, where the menu routine can report it.
#pragma once
#include <omp.h>

#include <exception>
#include <utility>

inline bool InParallelRegion() { return omp_in_parallel() != 0; }

class ParallelExceptions {
 public:
  // Runs body(), keeping the first exception any thread throws.
  template <class Body>
  void Run(Body&& body) noexcept {
    try {
      std::forward<Body>(body)();
    } catch (...) {
      Keep(std::current_exception());
    }
  }
  bool Failed() const { return static_cast<bool>(first_); }
  // Called after the region by the thread that opened it.
  void Rethrow() const {
    if (first_) std::rethrow_exception(first_);
  }

 private:
  void Keep(std::exception_ptr e) noexcept {
#pragma omp critical(plexor_parallel_exceptions)
    {
      if (!first_) first_ = std::move(e);
    }
  }
  std::exception_ptr first_;
};

// The one way every randomization test and bootstrap runs its iterations in
// parallel.
//
// RunIterations(plan, makeWorkspace, draw, evaluate) runs iterations
// t = 1..plan.iterations (the observed data set, iteration 0, is the
// caller's):
//  - the lists of a batch of iterations (plan.batchSize of them) are drawn
//    one iteration after the other, in increasing t, by draw(t, lists) on one
//    thread, each iteration writing plan.listLength ints; so the generator is
//    never used concurrently and every iteration receives exactly the lists
//    the sequential stream gives it;
//  - the batch is then evaluated in parallel (OpenMP, static schedule) by
//    evaluate(t, lists, workspace, counts); workspace is the calling thread's
//    own, made once per thread by makeWorkspace(); counts is the thread's own
//    array of plan.nCounts integers;
//  - the per-thread counts are added at the end. They are integers, so the
//    result does not depend on the number of threads nor on the order of the
//    additions. Anything else an iteration produces is written by evaluate
//    into caller storage indexed by t and reduced by the caller afterwards,
//    in t order.
// Iterations whose draws depend on the data (bootstraps) use plan.listLength
// = 0 and a per-iteration generator (IterationGenerator.h) in the workspace.
//
// Nested parallel regions opened by kernels called from evaluate run on one
// thread: the runner allows one active level while it runs. A run started
// from inside a parallel region (an iteration of another run, as when every
// simulated data set is tested on its own) runs on the calling thread alone
// and leaves the active levels as the enclosing run set them. An exception
// thrown by makeWorkspace, draw or evaluate stops the remaining work and is
// rethrown by RunIterations once the parallel region has ended.
//
// Console output from inside the iterations goes through the one named
// critical section plexor_console (ConsoleSection below), as does the
// progress hook; printing every iteration in order needs maxThreads = 1.
#pragma once
#include <omp.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

// Called with the iterations done so far and the total. It runs inside the
// plexor_console critical section, on the master thread, often: the callee
// throttles its own output.
using ProgressHook = std::function<void(int64_t done, int64_t total)>;

struct IterationPlan {
  int64_t iterations = 0;  // random iterations t = 1..iterations
  int listLength = 0;      // ints drawn per iteration (0: draw is not called)
  int nCounts = 0;         // integer counters per thread
  int batchSize = 4096;    // iterations drawn before each parallel evaluation (fewer for long lists)
  int maxThreads = 0;      // 0: the session limit (omp_get_max_threads()); 1: in order on one thread
  ProgressHook progress;   // may be empty
};

struct IterationResult {
  std::vector<int64_t> counts;  // nCounts merged counts
  int threads = 1;              // threads that ran the iterations
};

// Runs f inside the program's console critical section.
template <class F>
void ConsoleSection(F&& f) {
#pragma omp critical(plexor_console)
  f();
}

// Threads an iteration run uses under the session limit and plan.maxThreads.
inline int IterationThreads(const IterationPlan& plan) {
  int threads = omp_get_max_threads();
  if (plan.maxThreads > 0) threads = std::min(threads, plan.maxThreads);
  return std::max(1, threads);
}

namespace iteration_detail {

// Keeps at most `levels` active parallel levels while an iteration run is in
// progress: 1 when the run's own team is active; 0 when it runs on one
// thread (its region is then inactive, and a kernel's region would
// otherwise become the one active level and spin up threads for every
// small call).
class OneActiveLevel {
 public:
  explicit OneActiveLevel(int levels) : saved_(omp_get_max_active_levels()) { omp_set_max_active_levels(levels); }
  ~OneActiveLevel() { omp_set_max_active_levels(saved_); }
  OneActiveLevel(const OneActiveLevel&) = delete;
  OneActiveLevel& operator=(const OneActiveLevel&) = delete;

 private:
  int saved_;
};

// Counters of the threads, each block on its own cache lines.
constexpr int kPadding = 8;  // 64 bytes of int64_t
// Ints of the lists of one batch (16 MiB).
constexpr int64_t kMaxBatchInts = int64_t{1} << 22;

}  // namespace iteration_detail

template <class MakeWorkspace, class Draw, class Evaluate>
IterationResult RunIterations(const IterationPlan& plan, MakeWorkspace&& makeWorkspace, Draw&& draw,
                              Evaluate&& evaluate) {
  using Workspace = decltype(makeWorkspace());
  IterationResult result;
  result.counts.assign(static_cast<size_t>(std::max(plan.nCounts, 0)), 0);
  const int64_t total = std::max<int64_t>(plan.iterations, 0);
  if (total == 0) return result;

  const bool nested = omp_get_level() > 0;
  const int threads = nested ? 1 : IterationThreads(plan);
  const size_t listLength = static_cast<size_t>(std::max(plan.listLength, 0));
  // Long lists shorten the batch so that its lists stay within kMaxBatchInts.
  int64_t batch = std::max(1, plan.batchSize);
  if (listLength > 0) batch = std::max<int64_t>(1, std::min<int64_t>(batch, iteration_detail::kMaxBatchInts / listLength));
  const size_t stride = ((static_cast<size_t>(result.counts.size()) + iteration_detail::kPadding - 1) /
                             iteration_detail::kPadding +
                         1) *
                        iteration_detail::kPadding;
  std::vector<int64_t> threadCounts(stride * threads, 0);
  std::vector<int> lists(listLength * static_cast<size_t>(std::min(batch, total)));
  std::atomic<bool> failed{false};
  std::atomic<int64_t> done{0};
  int64_t reported = 0;  // the last count given to the progress hook (thread 0 only)
  std::exception_ptr error;
  auto fail = [&]() {
#pragma omp critical(plexor_iteration_error)
    {
      if (!error) error = std::current_exception();
    }
    failed.store(true);
  };
  int used = 1;

  {
    std::optional<iteration_detail::OneActiveLevel> oneLevel;
    if (!nested) oneLevel.emplace(threads > 1 ? 1 : 0);
#pragma omp parallel num_threads(threads)
    {
      const int tid = omp_get_thread_num();
      if (tid == 0) used = omp_get_num_threads();
      int64_t* counts = threadCounts.data() + stride * tid;
      std::optional<Workspace> workspace;
      try {
        workspace.emplace(makeWorkspace());
      } catch (...) {
        fail();
      }
      int64_t mine = 0;
      for (int64_t start = 1; start <= total; start += batch) {
        const int64_t count = std::min(batch, total - start + 1);
#pragma omp barrier
#pragma omp single
        {
          if (!failed.load() && listLength > 0) {
            try {
              for (int64_t k = 0; k < count; k++) draw(start + k, lists.data() + listLength * k);
            } catch (...) {
              fail();
            }
          }
        }
#pragma omp for schedule(static)
        for (int64_t k = 0; k < count; k++) {
          if (failed.load(std::memory_order_relaxed)) continue;
          try {
            evaluate(start + k, static_cast<const int*>(lists.data() + listLength * k), *workspace, counts);
          } catch (...) {
            fail();
            continue;
          }
          const int64_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
          if (tid == 0 && plan.progress && (++mine % 16 == 0 || now == total)) {
            reported = now;
            ConsoleSection([&] {
              try {
                plan.progress(now, total);
              } catch (...) {
                fail();
              }
            });
          }
        }
      }
    }
  }
  // Another thread may have run the last iterations after the reporting
  // thread's last report: the progress still ends at the total.
  if (!error && plan.progress && reported < total && done.load() == total) {
    ConsoleSection([&] {
      try {
        plan.progress(total, total);
      } catch (...) {
        fail();
      }
    });
  }
  if (error) std::rethrow_exception(error);
  for (int t = 0; t < threads; t++)
    for (size_t c = 0; c < result.counts.size(); c++) result.counts[c] += threadCounts[stride * t + c];
  result.threads = used;
  return result;
}

// Iterations t = 1..total whose results are doubles to be added up (the
// bootstraps): they run through RunIterations in chunks. evaluate(t, lists,
// workspace, values, counts) writes the `width` doubles of iteration t into
// values; after each chunk, take(values) is called for every iteration of the
// chunk in increasing t, on the calling thread, so that whatever it adds up
// does not depend on how the iterations were shared out. plan gives
// listLength, nCounts and maxThreads; draw(t, lists) is as for RunIterations;
// progress sees the iterations done out of total. makeWorkspace is called
// once per thread for every chunk: a workspace that should last the whole
// run is kept by the caller. The counts are merged over the chunks; threads is
// the most that ran a chunk.
template <class MakeWorkspace, class Draw, class Evaluate, class Take>
IterationResult RunIterationsInChunks(IterationPlan plan, int64_t total, int width, const ProgressHook& progress,
                                      MakeWorkspace&& makeWorkspace, Draw&& draw, Evaluate&& evaluate, Take&& take) {
  IterationResult result;
  result.counts.assign(static_cast<size_t>(std::max(plan.nCounts, 0)), 0);
  if (total <= 0) return result;
  const int threads = IterationThreads(plan);
  const size_t stride = static_cast<size_t>(std::max(width, 0));
  const int64_t chunk =
      std::max<int64_t>(2 * threads, std::min<int64_t>(4096, (int64_t{1} << 20) / std::max(width, 1)));
  std::vector<double> values(static_cast<size_t>(std::min(chunk, total)) * stride);
  for (int64_t first = 1; first <= total; first += chunk) {
    plan.iterations = std::min(chunk, total - first + 1);
    if (progress) plan.progress = [&, first](int64_t done, int64_t) { progress(first - 1 + done, total); };
    const IterationResult run = RunIterations(
        plan, makeWorkspace, [&](int64_t t, int* lists) { draw(first - 1 + t, lists); },
        [&](int64_t t, const int* lists, auto& workspace, int64_t* counts) {
          evaluate(first - 1 + t, lists, workspace, values.data() + static_cast<size_t>(t - 1) * stride, counts);
        });
    for (int64_t t = 0; t < plan.iterations; t++) take(static_cast<const double*>(values.data() + t * stride));
    for (size_t c = 0; c < result.counts.size(); c++) result.counts[c] += run.counts[c];
    result.threads = std::max(result.threads, run.threads);
  }
  return result;
}

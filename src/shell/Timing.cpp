// Clocks, the date and time stamp, the console progress line and the
// process-wide thread limit.
#include "shell/Timing.h"

#include <omp.h>

#include <cstdio>
#include <ctime>

clock_t t1 = 0;
clock_t t2 = 0;
time_t timeStart = 0;
int is40CharLine = 0;
int is80CharLine = 0;

namespace {

// Minimum processor time between two progress lines: five ticks of a
// millisecond clock. The process clock counts microseconds here, and five of
// those is less than printing one line costs, so calls in quick succession
// would each print a line.
constexpr clock_t kProgressTicks = 5 * (CLOCKS_PER_SEC / 1000 > 0 ? CLOCKS_PER_SEC / 1000 : 1);

}  // namespace

void InitIFLibG() {
  is40CharLine = 0;
  is80CharLine = 0;
  t1 = std::clock();
  t2 = t1;
  timeStart = std::time(nullptr);
}

// The limit the user set may exceed the processors of this machine (the
// status report still shows it); more threads than processors are never asked.
// Nested parallelism stays off: a kernel called from a parallel loop runs on
// the calling thread (ZQLib/Parallel.h).
void InitMultiprocessing(int n) {
  const int procs = omp_get_num_procs();
  omp_set_num_threads(n > 0 && n < procs ? n : procs);
}

double difftime_Clock_Init() { return omp_get_wtime(); }

double difftime_Clock(double t0) { return omp_get_wtime() - t0; }

void TimeStamp(FILE* f) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  if (std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &local) == 0) text[0] = '\0';
  std::fprintf(f, "%s\n", text);
}

void HandleEventInfoWhere2(const char* label) {
  clock_t now = std::clock();
  if (now - t2 < kProgressTicks) return;
  if (is40CharLine) std::fputc('\n', stdout);
  std::fprintf(stdout, "%40.40s%40s", label != nullptr ? label : "", "");
  t2 = now;
  is40CharLine = 1;
  is80CharLine = 1;
  std::fflush(stdout);
}

void ClearLine() {
  if (is40CharLine) {
    std::fputc('\n', stdout);
    is40CharLine = 0;
  }
  if (is80CharLine) {
    std::fputc('\n', stdout);
    is80CharLine = 0;
  }
}

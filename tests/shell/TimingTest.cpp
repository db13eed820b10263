// Progress line and its clearing, time stamp, wall clock and the thread limit.
#include <gtest/gtest.h>
#include <omp.h>

#include <cstdio>
#include <ctime>
#include <regex>
#include <string>

#include "shell/Timing.h"
#include "support/ShellHelpers_shell.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// Pretends the last progress line is one second of processor time old.
void LastLineLongAgo() { t2 = std::clock() - CLOCKS_PER_SEC; }

std::string Captured() {
  std::fflush(stdout);
  return GetCapturedStdout();
}

std::string Line(const std::string& label) { return std::string(40 - label.size(), ' ') + label + std::string(40, ' '); }

TEST(ProgressLine, LabelRightAlignedInFortyThenFortyBlanks) {
  is40CharLine = is80CharLine = 1;
  InitIFLibG();
  EXPECT_EQ(is40CharLine + is80CharLine, 0);
  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2("Iteration 10");
  HandleEventInfoWhere2("Iteration 11");  // too soon: nothing
  EXPECT_EQ(Captured(), Line("Iteration 10"));
  EXPECT_EQ(is40CharLine + is80CharLine, 2);

  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2("Iteration 12");  // a later line starts on a new line
  ClearLine();
  ClearLine();  // nothing left to close
  EXPECT_EQ(Captured(), "\n" + Line("Iteration 12") + "\n\n");

  std::string label;
  for (int i = 0; i < 50; i++) label.push_back(static_cast<char>('A' + i % 26));
  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2(label.c_str());
  ClearLine();
  EXPECT_EQ(Captured(), label.substr(0, 40) + std::string(40, ' ') + "\n\n");
}

TEST(Clocks, TimeStampAndWallClock) {
  FILE* f = std::tmpfile();
  TimeStamp(f);
  const std::string text = shelltest::Contents(f);
  EXPECT_TRUE(std::regex_match(text, std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                                "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\n")))
      << text;
  const double t0 = difftime_Clock_Init();
  EXPECT_GE(difftime_Clock(t0), 0.0);
  EXPECT_LT(difftime_Clock(t0), 60.0);
}

TEST(ThreadLimit, GivenAllOrAtMostTheProcessors) {
  const int procs = omp_get_num_procs();
  InitMultiprocessing(1);
  EXPECT_EQ(omp_get_max_threads(), 1);
  InitMultiprocessing(0);
  EXPECT_EQ(omp_get_max_threads(), procs);
  // A limit far beyond the machine asks for its processors only.
  InitMultiprocessing(2147483647);
  EXPECT_EQ(omp_get_max_threads(), procs);
  int used = 0;
#pragma omp parallel
  {
#pragma omp single
    used = omp_get_num_threads();
  }
  EXPECT_LE(used, procs);
  InitMultiprocessing(0);
}

}  // namespace

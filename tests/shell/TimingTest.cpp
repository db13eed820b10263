// Progress line and its clearing, time stamp, clocks and the thread limit.
#include <gtest/gtest.h>
#include <omp.h>

#include <cstdio>
#include <ctime>
#include <regex>
#include <string>

#include "shell/Timing.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// Pretends the last progress line is one second of processor time old.
void LastLineLongAgo() { t2 = std::clock() - CLOCKS_PER_SEC; }

std::string Captured() {
  std::fflush(stdout);
  return GetCapturedStdout();
}

}  // namespace

TEST(ProgressLine, LabelRightAlignedThenBlanks) {
  InitIFLibG();
  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2("Iteration 10");
  std::string text = Captured();
  EXPECT_EQ(text, std::string(28, ' ') + "Iteration 10" + std::string(40, ' '));
  EXPECT_EQ(is40CharLine, 1);
  EXPECT_EQ(is80CharLine, 1);
  CaptureStdout();
  ClearLine();
  EXPECT_EQ(Captured(), "\n\n");
  CaptureStdout();
  ClearLine();
  EXPECT_EQ(Captured(), "");
  EXPECT_EQ(is40CharLine, 0);
  EXPECT_EQ(is80CharLine, 0);
}

TEST(ProgressLine, QuickSecondCallWritesNothing) {
  InitIFLibG();
  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2("1");
  HandleEventInfoWhere2("2");
  std::string text = Captured();
  EXPECT_EQ(text, std::string(39, ' ') + "1" + std::string(40, ' '));
  ClearLine();
}

TEST(ProgressLine, LaterLineStartsOnNewLine) {
  InitIFLibG();
  LastLineLongAgo();
  CaptureStdout();
  HandleEventInfoWhere2("a");
  LastLineLongAgo();
  HandleEventInfoWhere2("b");
  std::string text = Captured();
  std::string lineA = std::string(39, ' ') + "a" + std::string(40, ' ');
  std::string lineB = std::string(39, ' ') + "b" + std::string(40, ' ');
  EXPECT_EQ(text, lineA + "\n" + lineB);
  CaptureStdout();
  ClearLine();
  EXPECT_EQ(Captured(), "\n\n");
}

TEST(ProgressLine, LongLabelCutToForty) {
  InitIFLibG();
  LastLineLongAgo();
  std::string label;
  for (int i = 0; i < 50; i++) label.push_back(static_cast<char>('A' + i % 26));
  CaptureStdout();
  HandleEventInfoWhere2(label.c_str());
  EXPECT_EQ(Captured(), label.substr(0, 40) + std::string(40, ' '));
  ClearLine();
}

TEST(ProgressLine, StartUpResetsFlags) {
  is40CharLine = 1;
  is80CharLine = 1;
  std::time_t before = std::time(nullptr);
  InitIFLibG();
  EXPECT_EQ(is40CharLine, 0);
  EXPECT_EQ(is80CharLine, 0);
  EXPECT_EQ(t1, t2);
  EXPECT_GE(timeStart, before);
}

TEST(TimeStamp, TwentyFourCharactersAndNewline) {
  FILE* f = std::tmpfile();
  TimeStamp(f);
  std::rewind(f);
  char buf[64] = {0};
  ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
  std::fclose(f);
  std::string text(buf);
  ASSERT_EQ(text.size(), 25u);
  EXPECT_TRUE(std::regex_match(text, std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                                "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\n")))
      << text;
}

TEST(WallClock, ElapsedIsNonNegative) {
  double t0 = difftime_Clock_Init();
  volatile double s = 0;
  for (int i = 0; i < 100000; i++) s = s + i;
  EXPECT_GE(difftime_Clock(t0), 0.0);
  EXPECT_LT(difftime_Clock(t0), 60.0);
}

TEST(ThreadLimit, GivenOrAllProcessors) {
  InitMultiprocessing(2);
  EXPECT_EQ(omp_get_max_threads(), 2);
  int used = 0;
#pragma omp parallel
  {
#pragma omp single
    used = omp_get_num_threads();
  }
  EXPECT_LE(used, 2);
  InitMultiprocessing(0);
  EXPECT_EQ(omp_get_max_threads(), omp_get_num_procs());
  EXPECT_GT(omp_get_max_active_levels(), 1);
}

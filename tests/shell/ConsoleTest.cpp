// The validating readers and the verifying file primitives, fed through
// in-memory streams; refusal and end-of-input messages read back from stderr.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

// An input stream holding `text`; the readers close it themselves at its end.
FILE* Input(const std::string& text) {
  FILE* f = std::tmpfile();
  std::fputs(text.c_str(), f);
  std::rewind(f);
  return f;
}

// Runs `read` and returns the code it raised (0 when none).
template <typename F>
int RaisedCode(F read) {
  try {
    read();
  } catch (int code) {
    return code;
  }
  return 0;
}

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

}  // namespace

TEST(ScanChar, BlanksAndNewlinesIgnoredCaseIgnored) {
  FILE* f = Input("  \nS");
  CaptureStderr();
  EXPECT_EQ(ScanChar(f, "s n", "keyboard"), 's');
  EXPECT_EQ(GetCapturedStderr(), "");
  std::fclose(f);
}

TEST(ScanChar, RefusalNamesTheCharacterAndTheList) {
  FILE* f = Input("x\nn");
  CaptureStderr();
  EXPECT_EQ(ScanChar(f, "y n", "keyboard"), 'n');
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = x. Reenter.\nAccepted input: y n\n");
  std::fclose(f);
}

TEST(ScanChar, OneCharacterConsumedPerAnswer) {
  FILE* f = Input("yes");
  CaptureStderr();
  EXPECT_EQ(ScanChar(f, "y n", "keyboard"), 'y');
  EXPECT_EQ(ScanChar(f, "a e", "keyboard"), 'e');   // the "e" of "yes"
  EXPECT_EQ(ScanChar(f, "k s n", "keyboard"), 's');  // and its "s"
  EXPECT_EQ(GetCapturedStderr(), "");
  std::fclose(f);
}

TEST(ScanChar, UpperCaseListAcceptsLowerCaseAnswer) {
  FILE* f = Input("\tm");
  EXPECT_EQ(ScanChar(f, "L F M C", "keyboard"), 'm');
  std::fclose(f);
}

TEST(ScanChar, WithoutListReturnsFirstNonBlank) {
  FILE* f = Input(" \n\t Q?");
  EXPECT_EQ(ScanChar(f, nullptr, "keyboard"), 'q');
  EXPECT_EQ(ScanChar(f, "", "keyboard"), '?');
  std::fclose(f);
}

TEST(ScanChar, EndOfInputIsCodeTwo) {
  FILE* f = Input("  \n");
  CaptureStderr();
  EXPECT_THROW(ScanChar(f, "y n", "teclado"), int);  // closes f
  EXPECT_EQ(GetCapturedStderr(), "\nfile teclado ");
  f = Input("");
  CaptureStderr();
  EXPECT_EQ(RaisedCode([&] { ScanChar(f, "y n", "keyboard"); }), 2);
  EXPECT_EQ(GetCapturedStderr(), "\nfile keyboard ");
}

TEST(ScanNumber, ListRefusesOthers) {
  FILE* f = Input("7 6");
  CaptureStderr();
  EXPECT_EQ(ScanNumber(f, "keyboard", "1 2 3 4 5 6"), 6.0);
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = 7. Reenter.\nAccepted input: 1 2 3 4 5 6\n");
  std::fclose(f);
}

TEST(ScanNumber, TrailingBlankInListIsNotZero) {
  FILE* f = Input("5\n0\n");
  CaptureStderr();
  EXPECT_EQ(ScanNumber(f, "keyboard", "0 1 2 3 "), 0.0);
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = 5. Reenter.\nAccepted input: 0 1 2 3 \n");
  std::fclose(f);
}

TEST(ScanNumber, RangeLimitsAreInclusive) {
  FILE* f = Input("0 3 1 3.5 2.5");
  CaptureStderr();
  EXPECT_EQ(ScanNumber(f, "keyboard", "-", 1.0, 3.0), 3.0);
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = 0. Reenter.\nAccepted input: 1 to 3\n");
  EXPECT_EQ(ScanNumber(f, "keyboard", "-", 1.0, 3.0), 1.0);
  CaptureStderr();
  EXPECT_EQ(ScanNumber(f, "keyboard", "-", 1.0, 3.0), 2.5);
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = 3.5. Reenter.\nAccepted input: 1 to 3\n");
  std::fclose(f);
}

TEST(ScanNumber, LettersSkippedSilently) {
  FILE* f = Input("abc 4");
  CaptureStderr();
  EXPECT_EQ(ScanNumber(f, "keyboard", "1 2 3 4"), 4.0);
  EXPECT_EQ(GetCapturedStderr(), "");
  std::fclose(f);
}

TEST(ScanNumber, EmptyListAcceptsAnyNumber) {
  FILE* f = Input("-2.5e3 1e-300");
  EXPECT_EQ(ScanNumber(f, "keyboard", ""), -2500.0);
  EXPECT_EQ(ScanNumber(f, "keyboard", ""), 1e-300);
  std::fclose(f);
}

TEST(ScanNumber, NoListReadsWithoutSkipping) {
  FILE* f = Input(" 12.5 x");
  EXPECT_EQ(ScanNumber(f, "data.txt", nullptr), 12.5);
  CaptureStderr();
  EXPECT_EQ(RaisedCode([&] { ScanNumber(f, "data.txt", nullptr); }), 2);  // "x" is no number
  EXPECT_EQ(GetCapturedStderr(), "\nfile data.txt ");
}

TEST(ScanNumber, EndOfInputIsCodeTwo) {
  FILE* f = Input("9 9 ");
  CaptureStderr();
  EXPECT_EQ(RaisedCode([&] { ScanNumber(f, "keyboard", "1 2"); }), 2);
  std::string err = GetCapturedStderr();
  EXPECT_NE(err.find("Incorrect input = 9"), std::string::npos);
  EXPECT_NE(err.find("\nEnd of file keyboard\n"), std::string::npos);
  FILE* g = Input("");
  CaptureStderr();
  EXPECT_THROW(ScanNumber(g, "keyboard", "-", 0.0, 2147483647.0), int);
  EXPECT_EQ(GetCapturedStderr(), "\nEnd of file keyboard\n");
}

TEST(ScanString, LongWordCut) {
  std::string word(120, 'a');
  for (int i = 0; i < 120; i++) word[i] = static_cast<char>('a' + i % 26);
  FILE* f = Input("  " + word + "\nnext");
  char target[100];
  std::memset(target, 'z', sizeof target);
  EXPECT_EQ(ScanString(f, 99, target, nullptr, 1, "keyboard"), target);
  EXPECT_EQ(std::string(target), word.substr(0, 99));
  EXPECT_STREQ(ScanString(f, 99, target, nullptr, 1, "keyboard"), "next");
  std::fclose(f);
}

TEST(ScanString, ListRefusesOtherWords) {
  FILE* f = Input("dune DATA data");
  char target[100];
  CaptureStderr();
  EXPECT_STREQ(ScanString(f, 99, target, "data", 1, "keyboard"), "data");
  EXPECT_EQ(GetCapturedStderr(),
            "\nIncorrect input = dune. Reenter.\nAccepted input: data\n"
            "\nIncorrect input = DATA. Reenter.\nAccepted input: data\n");
  std::fclose(f);
  f = Input("DATA");
  EXPECT_STREQ(ScanString(f, 99, target, "data", 0, "keyboard"), "DATA");
  std::fclose(f);
}

TEST(ScanString, EndOfInputIsCodeTwo) {
  FILE* f = Input(" \n\t");
  char target[100];
  CaptureStderr();
  EXPECT_EQ(RaisedCode([&] { ScanString(f, 99, target, nullptr, 1, "keyboard"); }), 2);
  EXPECT_EQ(GetCapturedStderr(), "\nEnd of file keyboard\n");
}

TEST(StrCmp, IgnoresCaseKeepsSign) {
  EXPECT_EQ(StrCmp("Sessao", "SESSAO"), 0);
  EXPECT_LT(StrCmp("abc", "ABD"), 0);
  EXPECT_GT(StrCmp("abcd", "ABC"), 0);
  EXPECT_LT(StrCmp("", "a"), 0);
}

TEST(FileChecks, FopenckReportsPathWithPrefix) {
  CaptureStderr();
  EXPECT_EQ(fopenck("x.txt", "/nonexistent/", "r"), nullptr);
  EXPECT_EQ(GetCapturedStderr(), "\ncan't open /nonexistent/x.txt \n");
  CaptureStderr();
  EXPECT_EQ(fopenck("/nonexistent/y.txt", nullptr, "r"), nullptr);
  EXPECT_EQ(GetCapturedStderr(), "\ncan't open /nonexistent/y.txt \n");
}

TEST(FileChecks, FopenckOpensExistingFile) {
  char name[] = "/tmp/plexorConsoleXXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  std::FILE* w = fdopen(fd, "w");
  std::fputs("3 4", w);
  std::fclose(w);
  std::string path(name);
  size_t slash = path.rfind('/');
  FILE* f = fopenck(path.substr(slash + 1).c_str(), path.substr(0, slash + 1).c_str(), "r");
  ASSERT_NE(f, nullptr);
  int a = 0;
  freadck(f, "%d", &a, "test file");
  EXPECT_EQ(a, 3);
  std::fclose(f);
  std::remove(name);
}

TEST(FileChecks, FreadckFailureIsCodeTwo) {
  FILE* f = Input("label");
  double x = 0;
  CaptureStderr();
  EXPECT_EQ(RaisedCode([&] { freadck(f, "%lf", &x, "dune.txt"); }), 2);
  EXPECT_EQ(GetCapturedStderr(), "\nfile dune.txt ");
}

TEST(FileChecks, Freadck1SkipsThenReportsEnd) {
  FILE* f = Input("ab12 ; 7\nxyz");
  double x = 0;
  EXPECT_EQ(freadck1(f, "%lf", &x, "dune.txt"), 1);
  EXPECT_EQ(x, 12.0);
  EXPECT_EQ(freadck1(f, "%lf", &x, "dune.txt"), 1);
  EXPECT_EQ(x, 7.0);
  CaptureStderr();
  EXPECT_EQ(freadck1(f, "%lf", &x, "dune.txt"), 0);  // closes f
  EXPECT_EQ(GetCapturedStderr(), "\nEnd of file dune.txt\n");
}

TEST(Language, KeyboardLabelAndYesNo) {
  int savedPort = port, savedEng = eng;
  port = 1;
  eng = 0;
  EXPECT_STREQ(KeyboardLabel(), "teclado");
  EXPECT_STREQ(YesNoAccepted(), "s n");
  port = 0;
  eng = 1;
  EXPECT_STREQ(KeyboardLabel(), "keyboard");
  EXPECT_STREQ(YesNoAccepted(), "y n");
  port = savedPort;
  eng = savedEng;
}

TEST(Streams, StartAsStandardStreams) {
  EXPECT_EQ(in, stdin);
  EXPECT_EQ(out, stdout);
}

// The validating readers and the verifying file primitives, fed through
// temporary streams; refusal and end-of-input messages read back from stderr.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "shell/Console.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::Input;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

struct CharCase {
  const char* input;
  const char* accepted;
  char expected;
  const char* refusals;  // what stderr receives before the answer
};

TEST(ScanChar, AcceptedAnswersAndRefusals) {
  const CharCase cases[] = {
      {"  \nS", "s n", 's', ""},                                               // blanks and case ignored
      {"x\nn", "y n", 'n', "\nIncorrect input = x. Reenter.\nAccepted input: y n\n"},
      {"\tm", "L F M C", 'm', ""},                                              // upper-case list
      {" \n\t Q ?", nullptr, 'q', ""},                                          // no list: any one character
      {"\n?", "", '?', ""},
      {"?? !", "", '!', "\nIncorrect input = ??. Reenter.\n"},                   // no list: still one character
  };
  for (const CharCase& c : cases) {
    FILE* f = Input(c.input);
    CaptureStderr();
    EXPECT_EQ(ScanChar(f, c.accepted, "keyboard"), c.expected) << c.input;
    EXPECT_EQ(GetCapturedStderr(), c.refusals) << c.input;
    std::fclose(f);
  }
}

// Consecutive answers separated by white space of any kind, as scripts
// write them; a one-letter answer is a word of its own ("yes" to a y/n
// question used to answer y and hand "e" and "s" to the next questions).
TEST(ScanChar, ConsecutiveAnswers) {
  FILE* f = Input("yes\ny\na  e\n\tk\ty\tn\r\nN");
  CaptureStderr();
  const std::pair<const char*, char> answers[] = {{"y n", 'y'}, {"a e", 'a'}, {"a e", 'e'}, {"k s n", 'k'},
                                                  {"y n", 'y'}, {"y n", 'n'}, {"T N", 'n'}};
  for (const auto& a : answers) EXPECT_EQ(ScanChar(f, a.first, "keyboard"), a.second) << a.first;
  EXPECT_EQ(GetCapturedStderr(), "\nIncorrect input = yes. Reenter.\nAccepted input: y n\n");
  std::fclose(f);
}

struct NumberCase {
  const char* input;
  const char* accepted;  // "-" for the range 1 to 3
  double expected;
  const char* refusals;
};

TEST(ScanNumber, AcceptedAnswersAndRefusals) {
  const NumberCase cases[] = {
      {"7 6", "1 2 3 4 5 6", 6, "\nIncorrect input = 7. Reenter.\nAccepted input: 1 2 3 4 5 6\n"},
      {"5\n0\n", "0 1 2 3 ", 0, "\nIncorrect input = 5. Reenter.\nAccepted input: 0 1 2 3 \n"},  // trailing blank
      {"0 3", "-", 3, "\nIncorrect input = 0. Reenter.\nAccepted input: 1 to 3\n"},
      {"3.5 1", "-", 1, "\nIncorrect input = 3.5. Reenter.\nAccepted input: 1 to 3\n"},
      {"-2.5e3", "", -2500, ""},    // empty list: any number
      {"2.0", "0 1 2", 2, ""},
      {"+1e0", "-", 1, ""},
      // A whole word that is a finite number (which words are: TextWordsTest.cpp).
      {"abc 4", "1 2 3 4", 4, "\nIncorrect input = abc. Reenter.\nAccepted input: 1 2 3 4\n"},
      {"1e999 1.5", "", 1.5, "\nIncorrect input = 1e999. Reenter.\nAccepted input: any number\n"},
  };
  for (const NumberCase& c : cases) {
    FILE* f = Input(c.input);
    CaptureStderr();
    EXPECT_EQ(ScanNumber(f, "keyboard", c.accepted, 1.0, 3.0), c.expected) << c.input;
    EXPECT_EQ(GetCapturedStderr(), c.refusals) << c.input;
    std::fclose(f);
  }
  FILE* f = Input(" 12.5");
  EXPECT_EQ(ScanNumber(f, "data.txt", nullptr), 12.5);  // no list: any number
  std::fclose(f);
}

TEST(ScanString, LongWordCutAndListChecked) {
  std::string word;
  for (int i = 0; i < 120; i++) word.push_back(static_cast<char>('a' + i % 26));
  FILE* f = Input("  " + word + "\nnext");
  char target[100];
  EXPECT_EQ(ScanString(f, 99, target, nullptr, 1, "keyboard"), target);
  EXPECT_EQ(std::string(target), word.substr(0, 99));
  EXPECT_STREQ(ScanString(f, 99, target, nullptr, 1, "keyboard"), "next");
  std::fclose(f);

  // A name is cut at a character boundary: "a" then 49 two-byte characters
  // is 99 bytes, and the 50th character would need bytes 100 and 101.
  std::string accented = "a";
  for (int i = 0; i < 50; i++) accented += "\xc3\xa9";  // e with acute accent
  f = Input(accented);
  char wide[101];
  ScanString(f, 100, wide, nullptr, 1, "keyboard");
  EXPECT_EQ(std::string(wide), accented.substr(0, 99));
  std::fclose(f);

  f = Input("dune DATA data");
  CaptureStderr();
  EXPECT_STREQ(ScanString(f, 99, target, "data", 1, "keyboard"), "data");
  EXPECT_EQ(GetCapturedStderr(),
            "\nIncorrect input = dune. Reenter.\nAccepted input: data\n"
            "\nIncorrect input = DATA. Reenter.\nAccepted input: data\n");
  std::fclose(f);
}

// Every reader raises code 2 at the end of its input, after naming the source.
TEST(Readers, EndOfInputIsCodeTwo) {
  char word[100];
  double x = 0;
  struct EndCase {
    const char* input;
    std::function<void(FILE*)> read;
    const char* message;
  } cases[] = {
      {"  \n", [](FILE* f) { ScanChar(f, "y n", "teclado"); }, "\nfile teclado "},
      {"", [](FILE* f) { ScanChar(f, nullptr, "keyboard"); }, "\nfile keyboard "},
      {"9 ", [](FILE* f) { ScanNumber(f, "keyboard", "1 2"); },
       "\nIncorrect input = 9. Reenter.\nAccepted input: 1 2\n\nEnd of file keyboard\n"},
      {"", [](FILE* f) { ScanNumber(f, "keyboard", "-", 0.0, 2147483647.0); }, "\nEnd of file keyboard\n"},
      {" x", [](FILE* f) { ScanNumber(f, "data.txt", nullptr); },
       "\nIncorrect input = x. Reenter.\nAccepted input: any number\n\nfile data.txt "},
      {" \n\t", [&](FILE* f) { ScanString(f, 99, word, nullptr, 1, "keyboard"); }, "\nEnd of file keyboard\n"},
      {"label", [&](FILE* f) { freadck(f, "%lf", &x, "dune.txt"); }, "\nfile dune.txt "},
  };
  for (auto& c : cases) {
    FILE* f = Input(c.input);  // the reader closes it
    CaptureStderr();
    int code = 0;
    try {
      c.read(f);
    } catch (int raised) {
      code = raised;
    }
    EXPECT_EQ(code, 2) << c.message;
    EXPECT_EQ(GetCapturedStderr(), c.message);
  }
}

TEST(FilePrimitives, OpenReadAndSkip) {
  CaptureStderr();
  EXPECT_EQ(fopenck("x.txt", "/nonexistent/", "r"), nullptr);
  EXPECT_EQ(GetCapturedStderr(), "\ncan't open /nonexistent/x.txt \n");

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

TEST(StrCmp, IgnoresCaseKeepsSign) {
  EXPECT_EQ(StrCmp("Sessao", "SESSAO"), 0);
  EXPECT_LT(StrCmp("abc", "ABD"), 0);
  EXPECT_GT(StrCmp("abcd", "ABC"), 0);
  EXPECT_LT(StrCmp("", "a"), 0);
}

}  // namespace

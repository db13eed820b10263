// The strict number rule, the word reader with its positions, and cutting
// text at a UTF-8 character boundary.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ZQLib/TextWords.h"

namespace {

TEST(ParseFiniteNumber, WholeWordsThatAreFiniteNumbers) {
  struct Case {
    std::string word;
    bool number;
    double value;
  } cases[] = {
      {"0", true, 0.0},           {"-999", true, -999.0},    {"2.5e-3", true, 0.0025},
      {"+7", true, 7.0},          {".5", true, 0.5},         {"1e-320", true, 1e-320},  // subnormal, still finite
      {"0x10", true, 16.0},       {"2O", false, 0},          {"twenty", false, 0},
      {"NA", false, 0},           {"nan", false, 0},         {"-inf", false, 0},
      {"infinity", false, 0},     {"1e999", false, 0},       {"-1e400", false, 0},
      {"1,5", false, 0},          {"", false, 0},            {"3.", true, 3.0},
      {std::string("1\0", 2), false, 0},                   // a NUL byte inside the word
      {"--1", false, 0},          {"1e", false, 0},
  };
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(ParseFiniteNumber(c.word, &v), c.number) << c.word;
    if (c.number) {
      EXPECT_EQ(v, c.value) << c.word;
    }
  }
}

TEST(WordReader, WordsWithTheirLinesAndColumns) {
  FILE* f = std::tmpfile();
  std::fputs("  1 22\n\n\tNA x\n7", f);
  std::rewind(f);
  WordReader r(f);
  std::string w;
  const struct {
    const char* word;
    int line, column;
  } expected[] = {{"1", 1, 3}, {"22", 1, 5}, {"NA", 3, 2}, {"x", 3, 5}, {"7", 4, 1}};
  for (const auto& e : expected) {
    ASSERT_TRUE(r.Next(w));
    EXPECT_EQ(w, e.word);
    EXPECT_EQ(r.line(), e.line) << e.word;
    EXPECT_EQ(r.column(), e.column) << e.word;
  }
  EXPECT_FALSE(r.Next(w));
  std::fclose(f);
}

TEST(Utf8Prefix, CutsAtCharacterBoundaries) {
  const std::string e = "\xc3\xa9";          // two bytes
  const std::string euro = "\xe2\x82\xac";   // three bytes
  const std::string clef = "\xf0\x9d\x84\x9e";  // four bytes
  struct Case {
    std::string text;
    size_t max;
    std::string kept;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"abc", 10, "abc"},
      {"ab" + e, 3, "ab"},             // would split the accented letter
      {"ab" + e, 4, "ab" + e},
      {"a" + euro + "b", 2, "a"},
      {"a" + euro + "b", 3, "a"},
      {"a" + euro + "b", 4, "a" + euro},
      {clef + clef, 7, clef},
      {"ab\x80\x80\x80\x80z", 4, "ab\x80\x80"},  // not text: cut where the limit falls
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8Prefix(c.text, c.max), c.kept) << c.text << " " << c.max;
}

TEST(PrintableWord, ControlAndInvalidBytesShownAsQuestionMarks) {
  EXPECT_EQ(PrintableWord("NA"), "NA");
  EXPECT_EQ(PrintableWord("caf\xc3\xa9"), "caf\xc3\xa9");
  EXPECT_EQ(PrintableWord(std::string("\x01\x7f\xff", 3) + "z"), "???z");
  EXPECT_EQ(PrintableWord(std::string(50, 'x'), 10), std::string(10, 'x') + "...");
}

}  // namespace

// Reading plain-text input word by word: the strict number rule shared by the
// console, the data reader and any other reader of tables, a word reader that
// knows where each word stands in its file, and cutting text to a length
// without splitting a UTF-8 character.
#pragma once
#include <cstdio>
#include <string>

// True when `word` as a whole is a number (any form strtod reads) and that
// number is finite; the value goes to *value. "2O", "NA", "nan", "inf",
// "1e999" and "" are not.
bool ParseFiniteNumber(const std::string& word, double* value);

// Successive white-space-delimited words of a stream, with the line and the
// column (both from 1, columns in bytes) where the last word began.
class WordReader {
 public:
  explicit WordReader(FILE* f) : f_(f) {}
  // The next word into `word`; false at the end of the stream.
  bool Next(std::string& word);
  int line() const { return wordLine_; }
  int column() const { return wordColumn_; }

 private:
  int Get();
  FILE* f_;
  int line_ = 1, column_ = 0;
  int wordLine_ = 0, wordColumn_ = 0;
};

// Length of the longest prefix of `text` of at most maxBytes bytes that does
// not end inside a UTF-8 character.
size_t Utf8PrefixLength(const std::string& text, size_t maxBytes);
// `text` cut to at most maxBytes bytes at a character boundary.
std::string Utf8Prefix(const std::string& text, size_t maxBytes);
// A word for a message: cut to maxBytes at a character boundary, each byte
// that is a control character or not valid text shown as '?'.
std::string PrintableWord(const std::string& word, size_t maxBytes = 40);

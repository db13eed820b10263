#include "ZQLib/TextWords.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseFiniteNumber(const std::string& word, double* value) {
  if (word.empty() || std::isspace(static_cast<unsigned char>(word[0]))) return false;
  const char* begin = word.c_str();
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(begin, &end);
  // A word holding a NUL byte is not read whole.
  if (end == begin || static_cast<size_t>(end - begin) != word.size()) return false;
  if (!std::isfinite(v)) return false;
  *value = v;
  return true;
}

int WordReader::Get() {
  const int c = std::getc(f_);
  if (c == '\n') {
    line_++;
    column_ = 0;
  } else if (c != EOF) {
    column_++;
  }
  return c;
}

bool WordReader::Next(std::string& word) {
  word.clear();
  int c;
  do {
    c = Get();
  } while (c != EOF && std::isspace(c));
  if (c == EOF) return false;
  wordLine_ = line_;
  wordColumn_ = column_;
  while (c != EOF && !std::isspace(c)) {
    word.push_back(static_cast<char>(c));
    c = Get();
  }
  return true;
}

namespace {

// Number of bytes of the UTF-8 sequence that starts with byte b (1 for a
// byte that cannot start one).
size_t SequenceLength(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
  if (b >= 0xC2) return 2;
  return 1;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the valid UTF-8 character at text[i], or 0 when there is none.
size_t ValidCharacterAt(const std::string& text, size_t i) {
  const unsigned char b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return 1;
  const size_t n = SequenceLength(b);
  if (n == 1 || i + n > text.size()) return 0;
  for (size_t k = 1; k < n; k++)
    if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return 0;
  return n;
}

}  // namespace

size_t Utf8PrefixLength(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  size_t n = maxBytes;
  // Back off over continuation bytes to the start of the character that
  // crosses the limit; a run of more than three is not text, so it is cut
  // where the limit falls.
  size_t back = 0;
  while (n > 0 && back < 3 && IsContinuation(static_cast<unsigned char>(text[n]))) {
    n--;
    back++;
  }
  if (back == 0) return maxBytes;
  const unsigned char lead = static_cast<unsigned char>(text[n]);
  if (lead >= 0xC2 && SequenceLength(lead) > back) return n;  // the character would be split
  return maxBytes;
}

std::string Utf8Prefix(const std::string& text, size_t maxBytes) {
  return text.substr(0, Utf8PrefixLength(text, maxBytes));
}

std::string PrintableWord(const std::string& word, size_t maxBytes) {
  std::string shown;
  size_t i = 0;
  while (i < word.size()) {
    const size_t n = ValidCharacterAt(word, i);
    const size_t step = n == 0 ? 1 : n;
    if (shown.size() + step > maxBytes) {
      shown += "...";
      break;
    }
    const unsigned char b = static_cast<unsigned char>(word[i]);
    if (n == 0 || (n == 1 && (b < 0x20 || b == 0x7F)))
      shown.push_back('?');
    else
      shown.append(word, i, n);
    i += step;
  }
  return shown;
}

// Reading what the program printed in the end-to-end tests of option T, the
// Beals test and option V: texts that must appear exactly, the part of a
// report from a heading on, and the numbers of a line.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

// Every one of `texts` occurs in `hay` (each missing one is reported).
inline void ExpectContains(const std::string& hay, std::initializer_list<std::string> texts) {
  for (const std::string& t : texts) EXPECT_NE(hay.find(t), std::string::npos) << "missing: " << t;
}

// `text` from the first `start` on; empty when `start` does not occur.
inline std::string From(const std::string& text, const std::string& start) {
  const size_t p = text.find(start);
  return p == std::string::npos ? std::string() : text.substr(p);
}

// The numbers after the first `heading`, up to the end of its line.
inline std::vector<double> Row(const std::string& text, const std::string& heading) {
  const size_t p = text.find(heading);
  if (p == std::string::npos) return {};
  const size_t start = p + heading.size();
  return Numbers(text.substr(start, text.find('\n', start) - start));
}

// The status report printed last on the console, up to the line of dashes
// that follows it.
inline std::string LastStatus(const std::string& out) {
  const size_t p = out.rfind("\nAnalysis status");
  return p == std::string::npos ? std::string() : out.substr(p, out.find("\n---", p) - p);
}

// Helpers of the end-to-end tests of the randomization and path-analysis
// options: a clean run, checks of several pieces of text, the results from a
// heading on, rows of numbers, the lines of a results file without its
// times, and the textbook Pearson correlation.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "support/TextChecks.h"

namespace re2e {

using Column = std::vector<double>;
using Rows = std::vector<std::vector<double>>;

// The program ended normally without running out of answers and, unless
// `refusals`, without refusing any.
inline void ExpectClean(const PlexorRun& r, bool refusals = false) {
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("End of file"), std::string::npos) << r.err;
  if (!refusals) {
    EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos) << r.err;
  }
}

// `text` holds every one of `pieces`.
inline void ExpectHoldsAll(const std::string& text, std::initializer_list<std::string> pieces) {
  for (const std::string& piece : pieces) EXPECT_TRUE(Holds(text, piece));
}

// The pieces of `text` that begin at each occurrence of `heading`.
inline std::vector<std::string> Sections(const std::string& text, const std::string& heading) {
  std::vector<std::string> parts;
  for (size_t p = text.find(heading); p != std::string::npos;) {
    const size_t next = text.find(heading, p + 1);
    parts.push_back(text.substr(p, next == std::string::npos ? std::string::npos : next - p));
    p = next;
  }
  return parts;
}

// The numbers after `label` on the first line beginning with it, at or after `from`.
inline std::vector<double> Row(const std::string& text, const std::string& label, size_t from = 0) {
  const size_t p = text.find("\n" + label, from);
  if (p == std::string::npos) return {};
  const size_t start = p + 1 + label.size();
  return Numbers(text.substr(start, text.find('\n', start) - start));
}

// The number after the first `marker` at or after `from`.
inline double After(const std::string& text, const std::string& marker, size_t from = 0) {
  const size_t p = text.find(marker, from);
  return p == std::string::npos ? NAN : std::strtod(text.c_str() + p + marker.size(), nullptr);
}

// The text from the last occurrence of `heading` on.
inline std::string From(const std::string& z, const std::string& heading) {
  const size_t p = z.rfind(heading);
  return p == std::string::npos ? std::string() : z.substr(p);
}

// The n rows of numbers after the first line holding `marker`.
inline Rows RowsAfter(const std::string& text, const std::string& marker, int n) {
  Rows rows;
  const size_t p = text.find(marker);
  if (p == std::string::npos) return rows;
  const std::vector<std::string> l = Lines(text.substr(p));
  for (int i = 1; i <= n && i < static_cast<int>(l.size()); i++) rows.push_back(Numbers(l[i]));
  return rows;
}

// A results file without the lines that carry times or the processor
// limit: elapsed times, "Maximum number of ..." and dates as ctime writes
// them ("Sun Dec  6 22:49:16 2026").
inline std::string WithoutTimes(const std::string& z) {
  std::string kept;
  for (const std::string& l : Lines(z)) {
    const bool date = l.size() == 24 && l[3] == ' ' && l[13] == ':' && l[16] == ':';
    if (l.find("Elapsed") == std::string::npos && l.rfind("Maximum number of", 0) != 0 && !date) kept += l + "\n";
  }
  return kept;
}

inline double Pearson(const Column& x, const Column& y) {
  double mx = 0, my = 0;
  for (size_t i = 0; i < x.size(); i++) mx += x[i] / x.size(), my += y[i] / y.size();
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); i++) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

}  // namespace re2e

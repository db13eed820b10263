// Answers and readers shared by the end-to-end tests of the ordinations, the
// bootstraps and system dynamics.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "support/TextChecks.h"

namespace analysis_e2e {

// Reads examples/dune.txt: 20 sites by 30 species of one scale, values by
// sampling units, labels from the file, not echoed.
const std::string kDune = "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";

// Reads a table file of one scale, values by sampling units, default labels.
inline std::string Read(const std::string& name, int rows, int cols) {
  return "N\nn\n" + name + "\n1\n" + std::to_string(rows) + "\n" + std::to_string(cols) + "\nN\n1\nn\n";
}

// Resemblance: direction, measure, no post-transformation, matrix not printed.
inline std::string Resemblance(int dir, int measure) {
  return "R\n" + std::to_string(dir) + "\n" + std::to_string(measure) + "\n0\nn\n";
}

// Processor limit, from the preferences menu.
inline std::string Processors(int limit) { return "E\nM\n" + std::to_string(limit) + "\nC\n"; }

// A fresh folder holding copies of the named files of examples/.
inline PlexorFolder Examples(std::initializer_list<const char*> names) {
  PlexorFolder f;
  for (const char* name : names) f.copyFromSource(std::string("examples/") + name, name);
  return f;
}

// The text from the first `start` on (empty when there is none).
inline std::string From(const std::string& text, const std::string& start) {
  const size_t p = text.find(start);
  return p == std::string::npos ? std::string() : text.substr(p);
}

// The numbers after the first `heading`, up to the end of its line (none
// when the heading is missing).
inline std::vector<double> Row(const std::string& text, const std::string& heading) {
  const size_t p = text.find(heading);
  if (p == std::string::npos) return {};
  const size_t start = p + heading.size();
  return Numbers(text.substr(start, text.find('\n', start) - start));
}

// The run ended normally without running out of answers; unless refusals are
// expected, no answer was refused.
inline void ExpectClean(const PlexorRun& r, bool refusalsExpected = false) {
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Lacks(r.err, "END OF FILE"));
  EXPECT_TRUE(Lacks(r.err, "ARQUIVO INCOMPLETO"));
  if (!refusalsExpected) {
    EXPECT_TRUE(Lacks(r.err, "Incorrect input"));
  }
}

}  // namespace analysis_e2e

// Reading the runs of letters U and J: texts that must appear, a clean run,
// and the summary files as rectangular tab-separated tables.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

// Every one of `texts` occurs in `hay` (each missing one is reported).
inline void ExpectHolds(const std::string& hay, std::initializer_list<const char*> texts) {
  for (const char* t : texts) EXPECT_NE(hay.find(t), std::string::npos) << "missing: " << t;
}

inline void ExpectClean(const PlexorRun& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos) << r.err;
}

// The fields of each line (header first); every line must have the header's
// number of fields, none of them empty.
inline std::vector<std::vector<std::string>> Table(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& l : Lines(text)) {
    std::vector<std::string> f;
    std::istringstream s(l);
    for (std::string cell; std::getline(s, cell, '\t');) f.push_back(cell);
    if (!l.empty() && l.back() == '\t') f.push_back("");
    rows.push_back(f);
  }
  EXPECT_FALSE(rows.empty());
  for (const auto& r : rows) {
    EXPECT_EQ(r.size(), rows[0].size());
    for (const std::string& c : r) EXPECT_FALSE(c.empty());
  }
  return rows;
}

// Checks on the texts the program printed or wrote, for EXPECT_TRUE and
// ASSERT_TRUE: a failure shows the piece looked for and the whole text.
#pragma once
#include <gtest/gtest.h>

#include <string>

// `text` holds `piece`.
inline ::testing::AssertionResult Holds(const std::string& text, const std::string& piece) {
  if (text.find(piece) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing \"" << piece << "\" in:\n" << text;
}

// `text` does not hold `piece`.
inline ::testing::AssertionResult Lacks(const std::string& text, const std::string& piece) {
  if (text.find(piece) == std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "unexpected \"" << piece << "\" in:\n" << text;
}

// `text` begins with `prefix`.
inline ::testing::AssertionResult Begins(const std::string& text, const std::string& prefix) {
  if (text.compare(0, prefix.size(), prefix) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not beginning with \"" << prefix << "\":\n" << text;
}

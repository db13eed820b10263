// Reading Newick texts back in the clustering tests: the leaf names of a
// binary tree, in their order.
#pragma once
#include <cstdlib>
#include <string>
#include <vector>

namespace newicktest {

// Parses one subtree "(left,right)" or a leaf name, each optionally followed
// by ":length", from position p.
inline bool Subtree(const std::string& s, size_t& p, std::vector<std::string>& leaves) {
  if (p >= s.size()) return false;
  if (s[p] == '(') {
    if (!Subtree(s, ++p, leaves) || p >= s.size() || s[p] != ',' || !Subtree(s, ++p, leaves) || p >= s.size() ||
        s[p] != ')')
      return false;
    p++;
  } else {
    const size_t start = p;
    p = s.find_first_of("(),:;\n", p);
    if (p == start || p == std::string::npos) return false;
    leaves.push_back(s.substr(start, p - start));
  }
  if (p >= s.size() || s[p] != ':') return true;
  char* end = nullptr;
  std::strtod(s.c_str() + p + 1, &end);
  p = end - s.c_str();
  return true;
}

// Leaf names of a binary tree in Newick notation, in their order; empty
// unless the whole text is one tree followed by `ending` (";\n" for a line of
// the results, "" for the text alone).
inline std::vector<std::string> LeafOrder(const std::string& text, const std::string& ending = ";\n") {
  std::vector<std::string> leaves;
  size_t p = 0;
  if (text.empty() || !Subtree(text, p, leaves) || text.compare(p, std::string::npos, ending) != 0) return {};
  return leaves;
}

}  // namespace newicktest

// Newick text of fusion histories.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"
#include "cluster/NewickFormat.h"

using clustertest::History;

namespace {

std::string Newick(History& h, std::vector<std::string> names, bool lengths = true, int method = kSingleLinkage) {
  clustertest::Labels labels(std::move(names));
  std::string out;
  NewickFormat(h.n, h.get(), method, labels.get(), true, out, lengths);
  return out;
}

struct Fusion {
  std::vector<int> members;
  int lastMember;
  double level, left, right;
};

}  // namespace

TEST(Newick, TextsOfHandMadeHistories) {
  struct Case {
    std::vector<Fusion> history;
    int method;
    bool lengths;
    std::string text;
  } cases[] = {
      // A and B fuse at 1, then C joins at 3.
      {{{{1, 2}, 1, 1, 1, 1}, {{1, 2, 3}, 2, 3, 2, 3}}, kSingleLinkage, true, "((A:1,B:1):2,C:3)"},
      {{{{1, 2}, 1, 1, 1, 1}, {{1, 2, 3}, 2, 3, 2, 3}}, kSingleLinkage, false, "((A,B),C)"},
      {{{{1, 2}, 1, 0.25, 0.25, 0.25}}, kSingleLinkage, true, "(A:0.25,B:0.25)"},
      // Two pairs fused: the earlier nodes are the children.
      {{{{1, 2}, 1, 1, 1, 1}, {{3, 4}, 3, 2, 2, 2}, {{1, 2, 3, 4}, 2, 5, 4, 3}},
       kWard, true, "((A:1,B:1):4,(C:2,D:2):3)"},
      // An object joining a later group from the left.
      {{{{2, 3}, 2, 0.5, 0.5, 0.5}, {{1, 2, 3}, 1, 5, 5, 4.5}}, kUPGMA, true, "(A:5,(B:0.5,C:0.5):4.5)"},
      // Similarities: levels decrease towards the root.
      {{{{1, 2}, 1, 0.9, 0.9, 0.9}, {{1, 2, 3}, 2, 0.5, -0.4, 0.5}}, kCompleteLinkage, true,
       "((A:0.9,B:0.9):-0.4,C:0.5)"},
      {{{{1, 2}, 1, 0.1, 0, 0}}, kHierFactorial, true, ""},
  };
  const std::vector<std::string> names = {"A", "B", "C", "D"};
  for (const Case& c : cases) {
    const int n = static_cast<int>(c.history.size()) + 1;
    History h(n);
    for (int s = 0; s < n - 1; s++) {
      const Fusion& f = c.history[s];
      h.Set(s, f.members, f.lastMember, f.level, f.left, f.right);
    }
    EXPECT_EQ(Newick(h, std::vector<std::string>(names.begin(), names.begin() + n), c.lengths, c.method), c.text);
  }
}

TEST(Newick, LongLabelsNeverOverflow) {
  const int n = 40;
  clustertest::Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) d[i][j] = i > j ? i - j : j - i;
  History h(n);
  LinkageCluster(n, d.get(), h.get(), true, false, kSingleLinkage, true);
  std::vector<std::string> names;
  for (int i = 0; i < n; i++) names.push_back(std::string(500, static_cast<char>('a' + i % 26)) + std::to_string(i));
  const std::string text = Newick(h, names);
  for (const auto& name : names) EXPECT_NE(text.find(name + ":"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '('), n - 1);
}

TEST(Newick, LabelsThatWouldBreakTheTextAreQuoted) {
  struct Case {
    const char* label;
    const char* written;
  } cases[] = {
      {"plain_label-1.5", "plain_label-1.5"},  // nothing to quote: as it stands
      {"a,b", "'a,b'"},
      {"a(b", "'a(b'"},
      {"a)b", "'a)b'"},
      {"a:b", "'a:b'"},
      {"a;b", "'a;b'"},
      {"it's", "'it''s'"},
      {"'", "''''"},
      {"two words", "'two words'"},
      {"tab\there", "'tab\there'"},
      {"[note]", "'[note]'"},
  };
  for (const Case& c : cases) EXPECT_EQ(NewickLabel(c.label), c.written) << c.label;

  // The whole tree: the text with plain labels, each label replaced by its
  // quoted form above.
  const int n = static_cast<int>(sizeof cases / sizeof cases[0]);
  clustertest::Matrix d(n, {});
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) d[i][j] = (i > j ? i - j : j - i) + 0.125 * ((i + j) % 3);
  History h(n);
  LinkageCluster(n, d.get(), h.get(), true, false, kUPGMA, true);
  std::vector<std::string> names, plain;
  for (int i = 0; i < n; i++) {
    names.push_back(cases[i].label);
    plain.push_back("L" + std::to_string(i));
  }
  std::string want = Newick(h, plain);
  for (int i = 0; i < n; i++) {
    const size_t at = want.find(plain[i] + ":");  // "L1:" never inside "L10:"
    ASSERT_NE(at, std::string::npos) << want;
    want.replace(at, plain[i].size(), cases[i].written);
  }
  EXPECT_EQ(Newick(h, names), want);
}

// Option R refusing what a measure cannot compute, and the undefined values of
// pairs without common attributes as ordination and clustering meet them.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

// N: c.txt read by sampling units with default labels, not echoed.
std::string Data(int units, int vars) {
  return "N\nn\nc.txt\n1\n" + std::to_string(units) + "\n" + std::to_string(vars) + "\nN\n1\nn\n";
}
std::string Resemblance(int dir, int measure) {
  return "R\n" + std::to_string(dir) + "\n" + std::to_string(measure) + "\n0\nn\n";
}
// The last status report printed before a main menu.
std::string LastStatus(const std::string& out) {
  const size_t p = out.rfind("\nAnalysis status");
  return p == std::string::npos ? std::string() : out.substr(p, out.find("\n---", p) - p);
}

// Mahalanobis with a singular covariance matrix gave an all-zero matrix
// without a word; it is refused with the reason and the matrix held before
// is kept, with its ordination. (Without a matrix before, none is left: see
// the mutual information below.)
TEST(ResemblanceRefusal, MahalanobisWithSingularCovariance) {
  const struct {
    const char* data;
    int units, vars;
    const char* reason;
  } cases[] = {
      {"1 2 3\n3 5 4\n2 2 9\n", 3, 3,
       "\nThe covariance matrix of 3 attributes cannot be inverted with 3 entities (at least 4 are needed).\n"},
      {"1 5\n2 5\n4 5\n3 5\n", 4, 2, "\nThe covariance matrix cannot be inverted: attribute 2 does not vary.\n"},
      {"1 2\n2 4\n3 6\n5 10\n", 4, 2,
       "\nThe covariance matrix cannot be inverted: some attributes are linear combinations of others.\n"},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("c.txt", c.data);
    PlexorRun r = f.run(Data(c.units, c.vars) + Resemblance(1, 3) + "O\n1\nn\nn\n" + Resemblance(1, 29) + "X\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string(c.reason) +
                         "Resemblance measure not computed; the previous resemblance matrix is kept.\n"),
              std::string::npos)
        << r.out;
    const std::string status = LastStatus(r.out);
    EXPECT_NE(status.find("Resemblance measure: (3)Euclidean distance"), std::string::npos) << status;
    EXPECT_NE(status.find("Ordination scores available"), std::string::npos) << status;
    EXPECT_EQ(f.read("Sessao.trk").find("\n29\n"), std::string::npos);
  }
}

// Mutual information on negative values gave negative "information".
TEST(ResemblanceRefusal, MutualInformationOnNegativeValues) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n4 -2 1\n0 1 1\n");
  PlexorRun r = f.run(Data(3, 3) + Resemblance(1, 4) + "X\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nMutual information compares frequency profiles and does not admit negative values: "
                       "sampling unit 2 holds -2 in variable 2.\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(LastStatus(r.out).find("Resemblance measure"), std::string::npos);
}

// A unit whose values are all missing was at distance 0 from every unit, and
// ordination and clustering took the matrix. Its pairs are undefined now.
TEST(ResemblanceRefusal, UnitWithoutValuesRefusedByOrdinationAndClustering) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n-999 -999 -999\n0 1 1\n4 0 2\n");
  PlexorRun r = f.run(Data(4, 3) + Resemblance(1, 3) + "O\n1\nC\n" + Resemblance(1, 20) + "O\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string refusal =
      "\nThe resemblance matrix has 3 pairs with an undefined value (-999): the two have no attribute present in "
      "both.\nLeave out the entities without values in common with the others.\n\a";
  EXPECT_EQ(CountOccurrences(r.out, refusal), 3) << r.out;
  EXPECT_EQ(f.read("Zoviri.txt").find("\nORDINATION\n"), std::string::npos);
}

}  // namespace

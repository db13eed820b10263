// The group test refuses, rather than reports, a test whose residual
// distances the session's measure cannot compute: the second variable is
// the first factor's effect plus a constant, so that once both factors are
// removed it does not vary and the Mahalanobis distance is undefined.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

TEST(GroupTestE2E, MeasureUndefinedOnTheResidualsRefusesTheTest) {
  PlexorFolder f;
  f.write("d.txt", "1 5\n2 5\n3 5\n4 5\n2 9\n3 9\n5 9\n1 9\n");
  const std::string setup = "N\nn\nd.txt\n1\n8\n2\nN\n1\nn\nR\n1\n29\n0\nn\n";
  const std::string groups = "P\n2\nn\nA\nB\nk\n1 1 1 1 2 2 2 2\n1 1 2 2 1 1 2 2\n2\n7\n";
  const PlexorRun r = f.run(setup + groups + "d\n0\n0\n99\nn\nX\n");
  EXPECT_EQ(r.status, 0);
  const char* refusal =
      "The resemblance measure cannot be computed on the residuals (their covariance matrix cannot be inverted): "
      "test not done.\n";
  EXPECT_NE(r.out.find(refusal), std::string::npos) << r.out;
  const std::string z = f.read("Zoviri.txt");
  const std::string block = z.substr(z.find("RANDOMIZATION TEST"));
  EXPECT_NE(block.find(refusal), std::string::npos) << block;
  EXPECT_EQ(block.find("Between groups"), std::string::npos) << block;
}

// Ordination refusing data it is not defined for.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

// Correspondence analysis weighs rows and columns by totals of the original
// data; with a negative value it went on (an eigenvalue of 15.1 on a table
// whose inertia cannot exceed 1). The absolute values are taken first, so
// the double adjustment itself receives no negative value.
TEST(OrdinationRefusal, CorrespondenceAnalysisOfNegativeData) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n4 -2 1\n0 1 1\n2 2 5\n");
  PlexorRun r = f.run("N\nn\nc.txt\n1\n4\n3\nN\n1\nn\nT\n1\n2\n3\n6\nn\nR\n1\n1\n0\nn\nO\n3\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nCorrespondence analysis needs data without negative values: sampling unit 2 holds -2 in "
                       "variable 2.\n\a"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(f.read("Zoviri.txt").find("\nORDINATION\n"), std::string::npos);
}

}  // namespace

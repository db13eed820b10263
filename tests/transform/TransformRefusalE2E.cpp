// Option T refusing a transformation that cannot take the data: the data,
// the resemblance and the track stay as they were.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"
#include "transform/ReportChecks.h"

namespace {

TEST(TransformRefusal, HellingerOnNegativeValues) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n4 -2 1\n0 1 1\n");
  // Euclidean distances first, then Hellinger within sampling units.
  PlexorRun r = f.run("N\nn\nc.txt\n1\n3\n3\nN\n1\nn\nR\n1\n3\n0\nn\nT\n1\n0\n1\n10\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectContains(r.out, {"\nTransformation refused: (10)Hellinger transformation within sampling units does not admit "
                         "negative values, and sampling unit 2 holds -2 in variable 2.\nData were left unchanged.\n"});
  const std::string status = LastStatus(r.out);
  ExpectContains(status, {"Vector transformation: (0)none\n", "Resemblance measure: (3)Euclidean distance"});
  EXPECT_EQ(f.read("Zoviri.txt").find("DATA TRANSFORMATION"), std::string::npos);
  EXPECT_EQ(f.read("Sessao.trk").find("nan"), std::string::npos);
}

TEST(TransformRefusal, DoubleAdjustmentAfterCentring) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n4 2 1\n0 1 1\n");
  // Centring within variables, then double adjustment offered as a further
  // step within sampling units.
  PlexorRun r = f.run("N\nn\nc.txt\n1\n3\n3\nN\n1\nn\nT\n1\n0\n2\n3\ny\n6\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectContains(r.out, {"sampling unit 1 holds -0.666667 in variable 1 (after the transformations before it).\n"
                         "Data were left unchanged.\n"});
}

}  // namespace

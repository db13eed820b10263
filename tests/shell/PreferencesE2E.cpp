// Preferences through option E: significant digits used by the data echo, the
// language switch that lasts to the next start, and damaged preference files.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

TEST(Preferences, TwelveDigitsUsedByTheDataEcho) {
  PlexorFolder f;
  f.write("d.txt", "0.1234567890123456 2\n");
  PlexorRun r = f.run("E\nF\n12\n0\nC\nN\nn\nd.txt\n1\n1\n2\nN\n1\ny\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nPREFERENCES\n"), std::string::npos);
  EXPECT_NE(f.read("Zoviri.txt").find("0.123456789012\t"), std::string::npos) << f.read("Zoviri.txt");
  const std::string prf = f.read("Plexor.prf");
  EXPECT_EQ(prf.rfind("06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000\n12\n6\n0\n", 0), 0u) << prf;
}

TEST(Preferences, DefaultDigitsGiveFive) {
  PlexorFolder f;
  f.write("d.txt", "0.1234567890123456 2\n");
  PlexorRun r = f.run("E\nF\n0\n0\nC\nN\nn\nd.txt\n1\n1\n2\nN\n1\ny\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(f.read("Zoviri.txt").find("0.12346\t"), std::string::npos);
  EXPECT_NE(f.read("Plexor.prf").find("\n5\n6\n0\n"), std::string::npos);
}

TEST(Preferences, PortugueseLastsToTheNextStart) {
  PlexorFolder f;
  PlexorRun first = f.run("E\nL\nC\nX\n");
  ASSERT_EQ(first.status, 0);
  // The menu after the switch is already Portuguese.
  const size_t switched = first.out.find("\nPREFERENCES\n");
  ASSERT_NE(switched, std::string::npos);
  EXPECT_NE(first.out.find("\nPREFERENCIAS\n", switched), std::string::npos);
  EXPECT_NE(first.out.find("MENU PRINCIPAL\n", switched), std::string::npos);
  EXPECT_EQ(f.read("Plexor.prf").rfind("06Apr2012\n0\n1\n", 0), 0u);

  PlexorRun second = f.run("X\n");
  ASSERT_EQ(second.status, 0);
  EXPECT_NE(second.out.find("MENU PRINCIPAL\n"), std::string::npos);
  EXPECT_NE(second.out.find("\nStatus da analise: Dados nao disponiveis.\n"), std::string::npos);
  EXPECT_EQ(second.out.find("MAIN MENU"), std::string::npos);
}

TEST(Preferences, ProcessorLimitShownInTheStatus) {
  PlexorFolder f;
  PlexorRun r = f.run("E\nM\n1\nC\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Maximum number of processors the program may use: 1\n"), std::string::npos);
  EXPECT_NE(f.read("Plexor.prf").find("\n1\n"), std::string::npos);
}

TEST(Preferences, DamagedFileFallsBackToDefaults) {
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n0\n1\n0.0\nbroken\n");
  PlexorRun r = f.run("X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("The preferences file Plexor.prf is damaged: default preferences are used."),
            std::string::npos);
  EXPECT_NE(r.out.find("MAIN MENU\n"), std::string::npos);
}

TEST(Preferences, OtherVersionIgnoredSilently) {
  PlexorFolder f;
  f.write("Plexor.prf", "01Jan2000\n0\n1\n0\n0\n0\n0\n9\n6\n0\n");
  PlexorRun r = f.run("X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("damaged"), std::string::npos);
  EXPECT_NE(r.out.find("MAIN MENU\n"), std::string::npos);
}

TEST(Preferences, MissingProcessorLineKeepsTheOthers) {
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n0\n1\n1.5\n2.5\n3.5\n4.5\n7\n3\n");
  PlexorRun r = f.run("E\nC\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("MENU PRINCIPAL\n"), std::string::npos);
  EXPECT_EQ(f.read("Plexor.prf").rfind("06Apr2012\n0\n1\n1.500000\n2.500000\n3.500000\n4.500000\n7\n3\n0\n", 0), 0u);
}

}  // namespace

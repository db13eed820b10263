// The session track as the user meets it: the session offered and resumed at
// the next start, named sessions saved with S and reopened through N, and
// damaged tracks that leave the program running with no data.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

const std::string kReadDune = "N\nn\ndune.txt\n1\n20\n30\nN\n2\ny\n";

// The status report printed before a main menu: from "\nAnalysis status" to
// the separator line that follows it. `last` picks the last one printed.
std::string StatusReport(const std::string& out, bool last) {
  const std::string key = "\nAnalysis status";
  const size_t p = last ? out.rfind(key) : out.find(key);
  if (p == std::string::npos) return std::string();
  const size_t e = out.find("\n---", p);
  return out.substr(p, e - p);
}

TEST(SessionTrack, RestartOffersAndResumesTheSession) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun first = f.run(kReadDune + "X\n");
  ASSERT_EQ(first.status, 0);
  const std::string before = StatusReport(first.out, true);
  ASSERT_NE(before.find("Data file name: dune.txt"), std::string::npos);
  EXPECT_NE(before.find("Session IS saved."), std::string::npos);

  // Resume (y), append to the results file (a), leave.
  PlexorRun second = f.run("y\na\nX\n");
  ASSERT_EQ(second.status, 0);
  EXPECT_NE(second.out.find("Wish to continue analysis session with data file dune.txt? y/n "), std::string::npos);
  EXPECT_EQ(StatusReport(second.out, false), before);
}

TEST(SessionTrack, DecliningTheSessionStartsWithoutData) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  ASSERT_EQ(f.run(kReadDune + "X\n").status, 0);
  PlexorRun r = f.run("n\na\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nAnalysis status: Data not available.\n"), std::string::npos);
}

TEST(SessionTrack, NamedSessionSavedAndReopened) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun first = f.run(kReadDune + "S\nmeadow\nX\n");
  ASSERT_EQ(first.status, 0);
  EXPECT_NE(first.out.find("Enter name for the session: "), std::string::npos);
  EXPECT_NE(first.out.find("\nAnalysis status session meadow:\nData file name: dune.txt"), std::string::npos);
  EXPECT_EQ(f.read("Sessao.trk"), "meadow\n");
  ASSERT_TRUE(f.exists("meadow.trk"));

  // Decline the offered session, append, then open it by name through N.
  PlexorRun second = f.run("n\na\nN\no\nnosuch\ny\nmeadow\nX\n");
  ASSERT_EQ(second.status, 0);
  EXPECT_NE(second.out.find("Wish to continue analysis session meadow with data file dune.txt? y/n "),
            std::string::npos);
  EXPECT_NE(second.err.find("can't open nosuch.trk"), std::string::npos);
  const std::string status = StatusReport(second.out, true);
  EXPECT_NE(status.find("Analysis status session meadow:\nData file name: dune.txt\n"
                        "Dimensions: 20 sampling units, 30 variables\n"),
            std::string::npos)
      << status;
}

TEST(SessionTrack, SavingOverAnExistingSessionAsksFirst) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.write("meadow.trk", "old\n");
  PlexorRun r = f.run(kReadDune + "S\nmeadow\nn\nfield\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("A session named meadow already exists. Wish to erase? y/n "), std::string::npos);
  EXPECT_EQ(f.read("meadow.trk"), "old\n");
  EXPECT_EQ(f.read("Sessao.trk"), "field\n");
}

TEST(SessionTrack, RenamingANamedSessionOnNewData) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.write("d.txt", "1 2 3 4");
  PlexorRun r = f.run(kReadDune + "S\nmeadow\nN\nn\nd.txt\n1\n2\n2\nN\n1\nn\ny\nsmall\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Wish to rename this session? y/n "), std::string::npos);
  EXPECT_EQ(f.read("Sessao.trk"), "small\n");
  EXPECT_NE(f.read("small.trk").find("small\nd.txt\n16/May/2007\n1\n2\n2\n"), std::string::npos);
  EXPECT_NE(f.read("meadow.trk").find("meadow\ndune.txt\n"), std::string::npos);
}

// A track that a session of this program cannot have written.
void ExpectDamagedTrackIgnored(const std::string& track) {
  PlexorFolder f;
  f.write("Sessao.trk", track);
  PlexorRun r = f.run("y\nX\n");
  EXPECT_EQ(r.status, 0) << track;
  EXPECT_NE(r.out.find("\nSession track file Sessao.trk is damaged ("), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nAnalysis status: Data not available.\n"), std::string::npos) << track;
  EXPECT_NE(r.out.find("\nMAIN MENU\n"), std::string::npos);
}

TEST(SessionTrack, DamagedTracksLeaveNoData) {
  const std::string head = "Sessao\nd.txt\n16/May/2007\n1\n";
  ExpectDamagedTrackIgnored(head);                                                  // truncated
  ExpectDamagedTrackIgnored(head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t");        // short of values
  ExpectDamagedTrackIgnored(head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\tfoo\t\n3\t4\t\n"); // not a number
  ExpectDamagedTrackIgnored(head + "-5\n3\n1\n1\n0\n0\nN\n");                         // negative
  ExpectDamagedTrackIgnored(head + "900000000\n900000000\n1\n1\n0\n0\nN\n");          // absurd
  ExpectDamagedTrackIgnored(head + "2\n2\n1\n1\n0\n0\nN\n3\t3\t\n1\t2\t\n3\t4\t\n0\n0\n0\n1\t2\t\n3\t4\t\n"
                                   "a\tb\t\nc\td\t\n1\n1\n1\n3\n0\n0\n1\n0\n0\n5\n");  // triangle cut short
}

TEST(SessionTrack, IncompatibleVersionLeavesNoData) {
  PlexorFolder f;
  f.write("Sessao.trk", "Sessao\nd.txt\n01/Jan/1999\n0\n0\n0\n0\n");
  PlexorRun r = f.run("y\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Previous analysis done with incompatible version of Plexor. \nSpecify data again."),
            std::string::npos);
  EXPECT_NE(r.out.find("\nAnalysis status: Data not available.\n"), std::string::npos);
}

}  // namespace

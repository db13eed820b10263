// The session track when writing it fails, when the session opened is a copy
// of another, when its pointer names a missing file, and the numbers a
// resumed session computes on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::NewData;

// The last status report printed before a main menu.
std::string LastStatus(const std::string& out) {
  const size_t p = out.rfind("\nAnalysis status");
  return p == std::string::npos ? std::string() : out.substr(p, out.find("\n---", p) - p);
}

// A rewrite of the track that fails part way (a file-size limit stands for a
// full disk) destroyed the previous track and still reported the session as
// saved. The old track now stays whole and the session is reported NOT saved.
TEST(TrackFile, FailedRewriteKeepsTheLastTrackAndSaysSo) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  ASSERT_EQ(f.run(shelltest::ReadDune() + "R\n1\n3\n0\nn\nX\n").status, 0);
  const std::string track = f.read("Sessao.trk");
  ASSERT_GT(track.size(), 4096u);

  // Half the size of the track: the results blocks still fit, the track not.
  const int blocks = static_cast<int>(track.size() / 512 / 2);
  PlexorRun r = f.runWithFileSizeLimit("y\ne\nR\n1\n20\n0\nn\nX\n", blocks);
  EXPECT_NE(r.out.find("\nFailed to write file Sessao.trk (File too large): the session is NOT saved; the previous "
                       "version of the file stays as it was.\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(LastStatus(r.out).find("Resemblance measure: (20)percentage difference"), std::string::npos);
  EXPECT_NE(LastStatus(r.out).find("\nSession is NOT saved.\n"), std::string::npos) << LastStatus(r.out);
  EXPECT_EQ(f.read("Sessao.trk"), track);
  EXPECT_NE(std::system(("ls '" + f.path() + "' | grep -q 'Sessao.trk.'").c_str()), 0)
      << "no temporary file left behind";

  // The next start resumes the last state that was written whole.
  PlexorRun resumed = f.run("y\na\nX\n");
  EXPECT_NE(LastStatus(resumed.out).find("Resemblance measure: (3)Euclidean distance"), std::string::npos);
}

// Session "beta" is a copy of "alpha.trk": opening it, the pointer was
// rewritten with the name inside the track, so the next start resumed alpha.
TEST(TrackFile, PointerNamesTheTrackOpened) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6\n");
  ASSERT_EQ(f.run(NewData("d.txt", 1, 2, 3) + "S\nalpha\nX\n").status, 0);
  ASSERT_EQ(f.read("Sessao.trk"), "alpha\n");
  f.write("beta.trk", f.read("alpha.trk"));
  const std::string alpha = f.read("alpha.trk");

  PlexorRun r = f.run("n\na\nN\no\nbeta\nT\n1\n1\n0\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(LastStatus(r.out).find("\nAnalysis status session beta:\n"), std::string::npos) << LastStatus(r.out);
  EXPECT_EQ(f.read("Sessao.trk"), "beta\n");
  EXPECT_EQ(f.read("beta.trk").rfind("beta\nd.txt\n", 0), 0u);
  EXPECT_EQ(f.read("alpha.trk"), alpha);

  PlexorRun next = f.run("y\na\nX\n");
  EXPECT_NE(next.out.find("Wish to continue analysis session beta with data file d.txt? y/n "), std::string::npos);
  EXPECT_NE(LastStatus(next.out).find("Scalar transformation: (1)presence/absence"), std::string::npos);
}

// A pointer to a track that is gone says so before the program goes on.
TEST(TrackFile, PointerToAMissingTrackSaysSo) {
  PlexorFolder f;
  f.write("Sessao.trk", "gone\n");
  PlexorRun r = f.run("X\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nSession track file gone.trk, named in Sessao.trk, is missing; no session is resumed.\n"),
            std::string::npos)
      << r.out;
}

// A resumed session computes on the very numbers it left: data, resemblance
// and scores were rounded to 6 decimals or 6 significant digits.
TEST(TrackFile, ResumedSessionGivesTheSameResults) {
  const std::string data = "0.123456789 1.0000001 2.5e-7\n3.14159265 0.000000123 1.41421356\n"
                           "2.71828183 1.61803399 0.57721566\n0.30102999 4.6692016 1e-9\n";
  const std::string steps = "E\nF\n15\n0\nC\n" + NewData("d.txt", 1, 4, 3, "N", 1, "n") + "R\n1\n3\n0\nn\n";
  PlexorFolder once, resumed;
  once.write("d.txt", data);
  resumed.write("d.txt", data);
  ASSERT_EQ(once.run(steps + "O\n1\nn\nn\nX\n").status, 0);
  ASSERT_EQ(resumed.run(steps + "X\n").status, 0);
  ASSERT_EQ(resumed.run("y\na\nO\n1\nn\nn\nX\n").status, 0);
  auto Ordination = [](const std::string& z) {
    const size_t p = z.find("\nNumber of eigenvalues");
    return p == std::string::npos ? std::string() : z.substr(p);
  };
  const std::string expected = Ordination(once.read("Zoviri.txt"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Ordination(resumed.read("Zoviri.txt")), expected);
}

}  // namespace

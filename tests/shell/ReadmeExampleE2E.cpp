// The user's guide against the program: the example files README.md shows are
// those in examples/, the results it quotes from the first analysis are the
// ones the program writes (through option Z, and again at processor limit 1),
// and every message its troubleshooting section quotes is what the program
// prints in that case. The quoted texts are read from README.md itself, so
// the guide cannot drift from the program.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

namespace {

std::string SourceFile(const std::string& relative) {
  std::ifstream f(std::string(PLEXOR_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

const std::string& Readme() {
  static const std::string text = SourceFile("README.md");
  return text;
}

// The lines of the fenced block that follows the line "<!-- marker -->".
std::vector<std::string> BlockAfter(const std::string& marker) {
  const std::vector<std::string> lines = Lines(Readme());
  const std::string tag = "<!-- " + marker + " -->";
  for (size_t i = 0; i < lines.size(); i++) {
    if (lines[i] != tag) continue;
    if (i + 1 >= lines.size() || lines[i + 1].rfind("```", 0) != 0) break;
    std::vector<std::string> block;
    for (size_t k = i + 2; k < lines.size() && lines[k].rfind("```", 0) != 0; k++) block.push_back(lines[k]);
    return block;
  }
  ADD_FAILURE() << "README.md has no code block after " << tag;
  return {};
}

// The markers of a kind ("message: incomplete-data" gives "incomplete-data").
std::vector<std::string> MarkersOf(const std::string& kind) {
  std::vector<std::string> keys;
  const std::string open = "<!-- " + kind + ": ";
  for (const std::string& l : Lines(Readme()))
    if (l.rfind(open, 0) == 0 && l.size() > open.size() + 4) keys.push_back(l.substr(open.size(), l.size() - open.size() - 4));
  return keys;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> w;
  std::istringstream s(line);
  for (std::string x; s >> x;) w.push_back(x);
  return w;
}

// Some line of `text` holds the same words as `quoted` (blanks and tabs alike:
// the guide shows tabs as spaces).
bool HasLine(const std::string& text, const std::string& quoted) {
  const std::vector<std::string> want = Words(quoted);
  for (const std::string& l : Lines(text))
    if (Words(l) == want) return true;
  return false;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

}  // namespace

TEST(ReadmeExample, ShowsTheExampleFilesAsTheyAre) {
  const std::string data = SourceFile("examples/sites.txt");
  EXPECT_EQ(Lines(data).size(), 5u);
  EXPECT_EQ(Joined(BlockAfter("file: examples/sites.txt")), data);
  EXPECT_EQ(Joined(BlockAfter("file: examples/sites-answers.txt")), SourceFile("examples/sites-answers.txt"));
}

// As the guide's section on scripts tells: Z, f, then the file name; and
// the same results at processor limit 1.
TEST(ReadmeExample, QuotedResultsAreWhatTheScriptWritesAtEitherProcessorLimit) {
  const std::vector<std::string> quoted = BlockAfter("checked: the program prints each line below in Zoviri.txt");
  ASSERT_GE(quoted.size(), 5u);
  for (const int threads : {2, 1}) {
    SCOPED_TRACE(threads);
    PlexorFolder f;
    f.copyFromSource("examples/sites.txt", "sites.txt");
    f.copyFromSource("examples/sites-answers.txt", "sites-answers.txt");
    const PlexorRun r = f.run(threads == 2 ? "Z\nf\nsites-answers.txt\n" : "E M 1 C\n" + f.read("sites-answers.txt"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos) << r.err;
    const std::string z = f.read("Zoviri.txt");
    for (const std::string& line : quoted)
      if (!Words(line).empty()) {
        EXPECT_TRUE(HasLine(z, line)) << "quoted in README.md, not in Zoviri.txt: " << line;
      }
    EXPECT_NE(z.find("Maximum number of threads: " + std::to_string(threads) + "\n"), std::string::npos);
    // The side files the guide says the folder then holds.
    for (const char* side : {"scores.txt", "ScatterData.txt", "ScatterDiagram.svg", "newick.txt", "Dendrogram.svg",
                             "Sessao.trk"})
      EXPECT_TRUE(f.exists(side)) << side;
  }
}

// Each message quoted under "Troubleshooting", provoked as its case says.
TEST(ReadmeMessages, EachQuotedMessageIsWhatTheProgramPrints) {
  const std::string sites = SourceFile("examples/sites.txt");
  const std::vector<std::string> siteLines = Lines(sites);
  ASSERT_EQ(siteLines.size(), 5u);
  const std::string readSites = "N n sites.txt 1 8 3 T 2 n\n";
  struct Case {
    std::function<void(const PlexorFolder&)> prepare;
    std::string answers;
  };
  const std::map<std::string, Case> cases = {
      {"incomplete-data",
       {[&](const PlexorFolder& f) { f.write("mydata.txt", siteLines[0] + "\n" + siteLines[1] + "\n"); },
        "N n mydata.txt 1 8 3 T\nX\n"}},
      {"incomplete-labels",
       {[&](const PlexorFolder& f) {
          f.write("mydata.txt", siteLines[0] + "\n" + siteLines[1] + "\n" + siteLines[2] + "\n" + siteLines[3] + "\n");
        },
        "N n mydata.txt 1 8 3 T 2\nX\n"}},
      {"not-a-number",
       {[&](const PlexorFolder& f) {
          f.write("mydata.txt", siteLines[0] + "\n0 2 1 3 8 NA 7 6\n" + siteLines[2] + "\n");
        },
        "N n mydata.txt 1 8 3 T\nX\n"}},
      {"refused-answer", {[](const PlexorFolder&) {}, "O\nX\n"}},
      {"end-of-script", {[&](const PlexorFolder& f) { f.write("sites.txt", sites); }, "N n sites.txt 1 8 3 T 2\n"}},
      {"damaged-track",
       {[&](const PlexorFolder& f) {
          f.write("sites.txt", sites);
          ASSERT_EQ(f.run(readSites + "X\n").status, 0);
          f.write("Sessao.trk", f.read("Sessao.trk").substr(0, 60));
        },
        "y\nX\n"}},
      {"empty-pointer", {[](const PlexorFolder& f) { f.write("Sessao.trk", ""); }, "X\n"}},
      {"missing-track", {[](const PlexorFolder& f) { f.write("Sessao.trk", "Mine\n"); }, "X\n"}},
      {"damaged-preferences",
       {[](const PlexorFolder& f) {
          ASSERT_EQ(f.run("E C X\n").status, 0);
          std::vector<std::string> prf = Lines(f.read("Plexor.prf"));
          ASSERT_GE(prf.size(), 10u);
          prf[7] = "many";
          f.write("Plexor.prf", Joined(prf));
        },
        "X\n"}},
      {"short-groups",
       {[&](const PlexorFolder& f) {
          f.write("sites.txt", sites);
          f.write("groups.txt", "1 1 1 1 2 2 2\n");
        },
        readSites + "G 1 habitat f groups.txt k 1 1 1 1 2 2 2 2\nX\n"}},
      {"undefined-resemblances",
       {[](const PlexorFolder& f) { f.write("gaps.txt", "1 -999\n-999 2\n3 4\na b c x y\n"); },
        "N n gaps.txt 1 3 2 N 2 n\nR 1 3 0 n\nO 1\nX\n"}},
  };
  const std::vector<std::string> quoted = MarkersOf("message");
  ASSERT_FALSE(quoted.empty());
  for (const std::string& key : quoted) EXPECT_TRUE(cases.count(key)) << "no case provokes README message " << key;
  for (const auto& [key, c] : cases) {
    SCOPED_TRACE(key);
    const std::vector<std::string> message = BlockAfter("message: " + key);
    ASSERT_FALSE(message.empty());
    PlexorFolder f;
    c.prepare(f);
    const PlexorRun r = f.run(c.answers);
    EXPECT_EQ(r.status, 0);
    const std::string printed = r.out + "\n" + r.err;
    for (const std::string& line : message)
      if (!Words(line).empty()) {
        EXPECT_TRUE(HasLine(printed, line)) << "not printed: " << line << "\n" << printed;
      }
  }
}

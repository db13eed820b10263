// Letter U run by the program: the dialogue from a script in both languages,
// the results block, "SummaryResults.txt" and "SummaryResultsPerTable.txt"
// as rectangular tab-separated tables whose counts agree with each other,
// the same files at one and two processors, the simulated data sets' file
// (names refused, an existing file replaced only when confirmed), refusals
// and cancelling, and the session left as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulation/SummaryTables.h"
#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

// 20 units, 10 variables, g = 2 linear gradients (3 and 2), noise 0.5, 6 data
// sets; no transformation; correlation between variables; principal
// components; 3 axes; seed 1234; bootstrap from 15 units by 2, 20 iterations;
// alpha 0.05.
std::string LinearRun(const char* yes, const std::string& saveData) {
  const std::string y = std::string(yes) + "\n";
  return "U\n20\n10\n2\n1\n3\n2\n0.5\n6\n0\n2\n17\n2\n3\n2\n1234\n" + y + "15\n2\n20\nn\n0.05\n" + saveData;
}

// The simulated data sets saved: Zoviri.txt and SummaryResults.txt are
// refused; tables.txt exists: not replaced, then replaced.
TEST(RandomDataGeneratorE2E, SummaryFilesBlockAndSimulatedDataFile) {
  PlexorFolder f;
  f.write("tables.txt", "older\n");
  const PlexorRun r = f.run(LinearRun("y", "y\nZoviri.txt\nSummaryResults.txt\ntables.txt\nn\ntables.txt\ny\n") + "X\n");
  ExpectClean(r);
  EXPECT_EQ(CountOccurrences(r.out, "will not be replaced"), 2);
  EXPECT_EQ(CountOccurrences(r.out, "File tables.txt already exists. Replace it? y/n "), 2);
  const std::vector<std::string> lines = Lines(f.read("tables.txt"));
  ASSERT_EQ(lines.size(), 6u * 21u);
  for (int t = 0; t < 6; t++) {
    EXPECT_EQ(lines[t * 21], "Data set " + std::to_string(t + 1));
    for (int i = 1; i <= 20; i++) EXPECT_EQ(Numbers(lines[t * 21 + i]).size(), 10u);
  }
  const std::string z = f.read("Zoviri.txt");
  ExpectHolds(z, {"Simulated data sets written to file tables.txt.", "RANDOM DATA GENERATOR: NUMBER OF ORDINATION DIMENSIONS",
                  "Simulated data sets: 6, each of 20 sampling units x 10 variables",
                  "Initializer of pseudo-random number generator: 1234", "Sample size:\t15\t17\t19\t20\t",
                  "File SummaryResults.txt written."});

  const auto summary = Table(f.read("SummaryResults.txt"));
  ASSERT_EQ(summary.size(), 5u);
  EXPECT_EQ(summary[0], (std::vector<std::string>{"Criterion", "Applies", "DataSets", "Axes0", "Axes1", "Axes2",
                                                   "Axes3", "ProportionTrue", "Mean", "SD"}));
  const char* names[] = {"Bootstrap", "BrokenStick", "KaiserGuttman", "Bartlett"};
  const auto perTable = Table(f.read("SummaryResultsPerTable.txt"));
  ASSERT_EQ(perTable.size(), 7u);
  ASSERT_EQ(perTable[0].size(), 17u);
  EXPECT_EQ(perTable[0][4], "Bootstrap");
  EXPECT_EQ(perTable[0][16], "P3");
  for (int c = 0; c < 4; c++) {
    const auto& row = summary[c + 1];
    EXPECT_EQ(row[0], names[c]);
    EXPECT_EQ(row[1], "1");
    EXPECT_EQ(row[2], "6");
    // The frequencies are the per-table choices counted; the mean is theirs.
    std::vector<int> count(4, 0);
    double sum = 0;
    for (size_t t = 1; t < perTable.size(); t++) {
      const int axes = std::stoi(perTable[t][4 + c]);
      count[axes]++;
      sum += axes;
    }
    for (int a = 0; a <= 3; a++) EXPECT_EQ(std::stoi(row[3 + a]), count[a]) << names[c] << " " << a;
    EXPECT_NEAR(std::stod(row[7]), count[2] / 6.0, 1e-9);
    EXPECT_NEAR(std::stod(row[8]), sum / 6.0, 1e-9);
  }
  // Principal components of 10 noisy variables: rank 10 in every table.
  for (size_t t = 1; t < perTable.size(); t++) {
    EXPECT_EQ(perTable[t][0], std::to_string(t));
    EXPECT_EQ(perTable[t][1], "1");
    EXPECT_EQ(perTable[t][3], "10");
  }
}

TEST(RandomDataGeneratorE2E, PortugueseAndTheSameFilesAtOneAndTwoProcessors) {
  auto run = [](const std::string& processors, bool portuguese) {
    PlexorFolder f;
    if (portuguese) f.write("Plexor.prf", shelltest::PortuguesePreferences());
    const PlexorRun r = f.run("E\nM\n" + processors + "\nC\n" + LinearRun(portuguese ? "s" : "y", "n\n") + "X\n");
    ExpectClean(r);
    const std::string z = f.read("Zoviri.txt");
    ExpectHolds(r.out, {portuguese ? "Numero verdadeiro de gradientes" : "True number of gradients"});
    if (portuguese)
      ExpectHolds(z, {"GERADOR DE DADOS ALEATORIOS: NUMERO DE DIMENSOES DA ORDENACAO", "Conjuntos de dados analisados: 6 de 6"});
    else
      ExpectHolds(z, {"Data sets analysed: 6 of 6"});
    return f.read("SummaryResults.txt") + f.read("SummaryResultsPerTable.txt");
  };
  const std::string one = run("1", false), two = run("2", false);
  EXPECT_FALSE(one.empty());
  EXPECT_EQ(one, two);
  EXPECT_EQ(run("2", true), one);  // the same columns in both languages
}

// Unimodal counts, Hellinger, percentage difference between units,
// principal coordinates, no bootstrap; a data set is kept whole in the file.
TEST(RandomDataGeneratorE2E, UnimodalCountsWithoutBootstrap) {
  PlexorFolder f;
  const PlexorRun r = f.run(
      "U\n15\n12\n1\n2\n4\n0.2\n10\n4\n1\n0\n1\n10\n1\n20\n1\n2\n2\n7\nn\n0.05\ny\ncounts.txt\nX\n");
  ExpectClean(r);
  const auto summary = Table(f.read("SummaryResults.txt"));
  ASSERT_EQ(summary.size(), 5u);
  EXPECT_EQ(summary[1][0], "Bootstrap");
  EXPECT_EQ(summary[1][1], "0");
  EXPECT_EQ(summary[1][6], "NA");  // ProportionTrue of a criterion not used
  EXPECT_EQ(summary[2][1], "1");
  const std::string z = f.read("Zoviri.txt");
  ExpectHolds(z, {"Bootstrap of ordination dimensions: not used",
                  "Response of the variables: unimodal (Gaussian), counts (Poisson)"});
  for (const std::string& l : Lines(f.read("counts.txt")))
    for (double v : Numbers(l)) EXPECT_EQ(v, static_cast<double>(static_cast<long>(v)));  // "Data set k" gives none
}

// Correspondence analysis of counts: the double adjustment chosen within
// variables is the same whole-table step as within sampling units; with
// another vector transformation after it, it is asked again.
TEST(RandomDataGeneratorE2E, DoubleAdjustmentInEitherDirection) {
  const std::string model = "U\n15\n12\n1\n2\n4\n0.2\n10\n4\n";
  const std::string rest = "2\n1\n3\n2\n2\n7\nn\nn\nX\n";
  PlexorFolder variables, units;
  const PlexorRun a = variables.run(model + "1\n0\n2\n6\ny\n3\n" + "1\n0\n2\n6\nn\n" + rest);
  ExpectClean(a);
  EXPECT_EQ(CountOccurrences(a.out, "The double adjustment transforms the whole table"), 1);
  const PlexorRun b = units.run(model + "1\n0\n1\n6\n" + rest);
  ExpectClean(b);
  const std::string table = variables.read("SummaryResultsPerTable.txt");
  EXPECT_EQ(Table(table).size(), 5u);
  EXPECT_EQ(table, units.read("SummaryResultsPerTable.txt"));
  const std::string z = variables.read("Zoviri.txt");
  ExpectHolds(z, {"Vector transformation: (6)deviations expected values via marginal totals (double adjustment)",
                  "Bartlett's test (P <= alpha)\tnot applicable (correspondence analysis)"});
  EXPECT_EQ(z.find("Alpha probability"), std::string::npos);  // no criterion uses it
}

TEST(RandomDataGeneratorE2E, RefusalsCancellingAndTheSessionUntouched) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  const std::string dune = "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
  // The session: Hellinger, percentage difference between sites. U: linear,
  // correlation between variables asked with principal coordinates (refused:
  // it orders variables) and correspondence analysis (refused), then
  // cancelled; then a transformation cancelled.
  const PlexorRun r = f.run(dune + "T\n1\n0\n1\n10\nn\n" + "R\n1\n20\n0\nn\n" +
                            "U\n10\n5\n1\n1\n1\n0.1\n2\n0\n2\n17\n1\n3\n99\n" + "U\n10\n5\n1\n1\n1\n0.1\n2\n1\n0\n2\n99\n" +
                            "O\n1\nn\nn\nX\n");
  ExpectClean(r);
  ExpectHolds(r.out, {"The criteria compare ordinations of the sampling units",
                      "Data transformation and/or resemblance measure are not compatible."});
  EXPECT_FALSE(f.exists("SummaryResults.txt"));
  // The status shown before the first U and by option O after both is the
  // same, and O still analyses the session's percentage differences.
  const std::string status = "Analysis status:";
  auto block = [&](size_t at) {
    const size_t end = r.out.find("Maximum number of processors", at);
    return at == std::string::npos || end == std::string::npos ? std::string() : r.out.substr(at, end - at);
  };
  const size_t before = r.out.rfind(status, r.out.find("RANDOM DATA GENERATOR"));
  const size_t after = r.out.rfind(status, r.out.rfind("Ordination method:\n"));
  EXPECT_FALSE(block(before).empty());
  EXPECT_NE(block(before).find("(10)Hellinger"), std::string::npos);
  EXPECT_EQ(block(before), block(after));
  const std::string z = f.read("Zoviri.txt");
  ExpectHolds(z, {"(20)percentage difference", "Ordination method: (1)principal coordinates analysis"});
}

}  // namespace

// Letter J run by the program: the dialogue from a script in both languages,
// the results block, "SummaryResultsPath.txt" and
// "SummaryResultsPathPerModel.txt" as rectangular tab-separated tables that
// agree with each other, the same files at one and two processors, the
// simulated models' file, and the session left as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "simulation/SummaryTables.h"
#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

// V = 5, A = 5, n = 60, coefficients 0.3..0.8, error variance 1, 20 models,
// 99 permutations, alpha 0.05, null model `nullModel`, seed 77.
std::string Answers(int nullModel, const std::string& saveData) {
  return "J\n5\n5\n60\n0.3\n0.8\n1\n20\n99\n0.05\n" + std::to_string(nullModel) + "\n2\n77\n" + saveData;
}

// Within a session (correlations between the dune species): dune.txt, the
// data file of the session, is not replaced by the models' file, and the
// session's matrix still gives principal components afterwards.
TEST(PathModelGeneratorE2E, SummaryFilesModelsFileAndTheSessionUntouched) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  const std::string dune = "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
  const PlexorRun r = f.run(dune + "R\n2\n17\n0\nn\n" + Answers(1, "y\ndune.txt\nmodels.txt\n") + "O\n2\nn\nn\nX\n");
  ExpectClean(r);
  EXPECT_EQ(CountOccurrences(r.out, "File dune.txt holds results or the session"), 1);
  const std::vector<std::string> lines = Lines(f.read("models.txt"));
  ASSERT_EQ(lines.size(), 20u * 64u);
  for (int m = 0; m < 20; m++) {
    EXPECT_EQ(lines[m * 64], "Model " + std::to_string(m + 1));
    EXPECT_EQ(lines[m * 64 + 1].rfind("Causal order:", 0), 0u);
    EXPECT_EQ(CountOccurrences(lines[m * 64 + 2], "->"), 5);
    for (int i = 4; i < 64; i++) EXPECT_EQ(Numbers(lines[m * 64 + i]).size(), 5u);
  }
  const std::string z = f.read("Zoviri.txt");
  ExpectHolds(z, {"Ordination method: (2)principal components analysis",
                  "Simulated models and data written to file models.txt.", "PATH MODEL GENERATOR",
                  "Simulated models: 20, each with 5 variables and 5 paths",
                  "Basis set: 5 statements in the true model, 6 in the false one",
                  "Permutation of all variables (or blocks of variables) at once."});

  const auto summary = Table(f.read("SummaryResultsPath.txt"));
  ASSERT_EQ(summary.size(), 3u);
  ASSERT_EQ(summary[0].size(), 21u);
  EXPECT_EQ(summary[0][0], "Model");
  EXPECT_EQ(summary[0][11], "P_0.0_0.1");
  EXPECT_EQ(summary[0][20], "P_0.9_1.0");
  EXPECT_EQ(summary[1][0], "True");
  EXPECT_EQ(summary[2][0], "False");
  EXPECT_EQ(summary[1][1], "5");
  EXPECT_EQ(summary[1][2], "10");
  EXPECT_EQ(summary[1][3], "10");  // K = V + A
  EXPECT_EQ(summary[2][1], "6");
  EXPECT_EQ(summary[2][3], "9");

  const auto perModel = Table(f.read("SummaryResultsPathPerModel.txt"));
  ASSERT_EQ(perModel.size(), 21u);
  for (int which = 0; which < 2; which++) {
    const int c = which == 0 ? 4 : 8;  // TrueC or FalseC
    int rejected = 0, lower = 0;
    double sumC = 0, sumP = 0;
    std::vector<int> classes(10, 0);
    for (size_t m = 1; m < perModel.size(); m++) {
      const double C = std::stod(perModel[m][c]), P = std::stod(perModel[m][c + 1]);
      const double aicc = std::stod(perModel[m][c + 2]), other = std::stod(perModel[m][which == 0 ? 10 : 6]);
      sumC += C;
      sumP += P;
      rejected += std::stoi(perModel[m][c + 3]);
      EXPECT_EQ(std::stoi(perModel[m][c + 3]), P <= 0.05 ? 1 : 0);
      lower += aicc < other;
      classes[std::min(9, static_cast<int>(std::floor(P * 10)))]++;
      // AICc = C + 2 K n / (n - K - 1), n = 60.
      const double K = which == 0 ? 10 : 9;
      EXPECT_NEAR(aicc, C + 2 * K * 60 / (60 - K - 1), 1e-6);
    }
    const auto& row = summary[1 + which];
    EXPECT_EQ(std::stoi(row[4]), 20);
    EXPECT_EQ(std::stoi(row[5]), rejected);
    EXPECT_NEAR(std::stod(row[7]), sumC / 20, 1e-6);
    EXPECT_NEAR(std::stod(row[8]), sumP / 20, 1e-6);
    EXPECT_EQ(std::stoi(row[10]), lower);
    for (int k = 0; k < 10; k++) EXPECT_EQ(std::stoi(row[11 + k]), classes[k]) << which << " " << k;
  }
  // Each model's paths: five "a->b=coefficient" within the range, the removed one among them.
  for (size_t m = 1; m < perModel.size(); m++) {
    EXPECT_EQ(CountOccurrences(perModel[m][1], "->"), 5);
    EXPECT_NE(perModel[m][1].find(perModel[m][2] + "="), std::string::npos);
    const double b = std::stod(perModel[m][3]);
    EXPECT_GE(b, 0.3);
    EXPECT_LE(b, 0.8);
  }
}

TEST(PathModelGeneratorE2E, PortugueseAndTheSameFilesAtOneAndTwoProcessors) {
  auto run = [](const std::string& processors, bool portuguese) {
    PlexorFolder f;
    if (portuguese) f.write("Plexor.prf", shelltest::PortuguesePreferences());
    const PlexorRun r = f.run("E\nM\n" + processors + "\nC\n" + Answers(2, "n\n") + "X\n");
    ExpectClean(r);
    const std::string z = f.read("Zoviri.txt");
    if (portuguese) {
      ExpectHolds(r.out, {"Numero de caminhos no modelo (1 a 9): "});
      ExpectHolds(z, {"GERADOR DE MODELOS DE CAMINHOS", "Permutacao somente da primeira variavel"});
    } else {
      ExpectHolds(r.out, {"Number of paths in the model (1 to 9): "});
      ExpectHolds(z, {"Permutation of only the first variable"});
    }
    return f.read("SummaryResultsPath.txt") + f.read("SummaryResultsPathPerModel.txt");
  };
  const std::string one = run("1", false), two = run("2", false);
  EXPECT_FALSE(one.empty());
  EXPECT_EQ(one, two);
  EXPECT_EQ(run("2", true), one);
}

}  // namespace

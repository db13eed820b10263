// Option T through the program: the transformed table in the results file,
// the options in the status report and the session track, restoring, cancel,
// the expansion files and the refusal of bad codes or counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

namespace {

// Reads examples/dune.txt: quantitative, one scale, 20 x 30, by units, labels
// from the file, data not copied to the results file.
const char* const kOpenDune = "n\nn\ndune.txt\n1\n20\n30\nn\n2\nn\n";
const char* const kHellingerUnits = "t\n1\n0\n1\n10\ny\n";
const char* const kHellingerStatus =
    "Vector transformation: (10)Hellinger transformation, within sampling units\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream s(text);
  for (std::string l; std::getline(s, l);) v.push_back(l);
  return v;
}

std::vector<double> Numbers(const std::string& line) {
  std::vector<double> v;
  std::istringstream s(line);
  for (double x; s >> x;) v.push_back(x);
  return v;
}

// dataOrig (20 rows), the three options and data (20 rows) from the track,
// whose data part starts at its 13th line.
struct Track {
  std::vector<std::vector<double>> orig, data;
  int opt[3] = {-1, -1, -1};
};

Track ReadTrack(const std::string& text) {
  Track t;
  std::vector<std::string> l = Lines(text);
  if (l.size() < 55) return t;
  for (int i = 0; i < 20; i++) t.orig.push_back(Numbers(l[12 + i]));
  for (int k = 0; k < 3; k++) t.opt[k] = std::stoi(l[32 + k]);
  for (int i = 0; i < 20; i++) t.data.push_back(Numbers(l[35 + i]));
  return t;
}

std::vector<std::vector<double>> DuneTable(const std::string& text) {
  std::vector<double> all = Numbers(text.substr(0, text.find_first_of("abcdefghijklmnopqrstuvwxyz")));
  std::vector<std::vector<double>> t(20);
  for (int i = 0; i < 20; i++) t[i].assign(all.begin() + 30 * i, all.begin() + 30 * (i + 1));
  return t;
}

std::string G5(double x) {
  char b[32];
  snprintf(b, sizeof b, "%.5g", x);
  return b;
}

}  // namespace

TEST(TransformE2E, HellingerWithinUnitsReportedAndTracked) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + kHellingerUnits + "x\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nSee results on file Zoviri.txt."), std::string::npos);
  EXPECT_NE(r.out.find(kHellingerStatus), std::string::npos);

  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR version 3.85b\n"), 0u);
  EXPECT_NE(z.find("\nDATA TRANSFORMATION\n"), std::string::npos);
  EXPECT_NE(z.find(kHellingerStatus), std::string::npos);
  EXPECT_NE(z.find("\nOriginal data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n"),
            std::string::npos);
  size_t tr = z.find("Transformed data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n");
  ASSERT_NE(tr, std::string::npos);

  // Unit 1 holds 1, 4, 7, 4, 2 (total 18): sqrt(x / 18).
  std::vector<std::vector<double>> dune = DuneTable(f.read("dune.txt"));
  std::vector<std::string> firstRow = Lines(z.substr(tr));
  ASSERT_GE(firstRow.size(), 3u);
  std::vector<double> printed = Numbers(firstRow[2]);
  ASSERT_EQ(printed.size(), 30u);
  EXPECT_NEAR(printed[0], std::stod(G5(std::sqrt(1.0 / 18))), 1e-12);
  EXPECT_NEAR(printed[16], std::stod(G5(std::sqrt(7.0 / 18))), 1e-12);

  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[0], 0);
  EXPECT_EQ(t.opt[1], 0);
  EXPECT_EQ(t.opt[2], 10);
  ASSERT_EQ(t.data.size(), 20u);
  for (int i = 0; i < 20; i++) {
    double total = 0;
    for (double x : dune[i]) total += x;
    ASSERT_EQ(t.data[i].size(), 30u);
    for (int j = 0; j < 30; j++) EXPECT_NEAR(t.data[i][j], std::sqrt(dune[i][j] / total), 1e-6) << i << "," << j;
  }
}

TEST(TransformE2E, RestoringGivesTheOriginalTableBackAndWritesNothing) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + kHellingerUnits + "t\n0\nx\n");
  EXPECT_EQ(r.status, 0);
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(CountOccurrences(z, "DATA TRANSFORMATION"), 1);
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[0], 0);
  EXPECT_EQ(t.opt[1], 0);
  EXPECT_EQ(t.opt[2], 0);
  std::vector<std::vector<double>> dune = DuneTable(f.read("dune.txt"));
  ASSERT_EQ(t.data.size(), 20u);
  for (int i = 0; i < 20; i++) {
    EXPECT_EQ(t.data[i], dune[i]) << i;
    EXPECT_EQ(t.orig[i], dune[i]) << i;
  }
  // The status before the last main menu shows no transformation.
  size_t last = r.out.rfind("Vector transformation: ");
  EXPECT_EQ(r.out.compare(last, 30, "Vector transformation: (0)none"), 0);
}

TEST(TransformE2E, CancelKeepsTheTransformationInForce) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + kHellingerUnits + "t\n1\n0\n1\n99\nt\n99\nx\n");
  EXPECT_EQ(r.status, 0);
  size_t last = r.out.rfind("Vector transformation: ");
  EXPECT_EQ(r.out.compare(last, strlen(kHellingerStatus), kHellingerStatus), 0);
  EXPECT_EQ(CountOccurrences(f.read("Zoviri.txt"), "DATA TRANSFORMATION"), 1);
  EXPECT_EQ(ReadTrack(f.read("Sessao.trk")).opt[2], 10);
}

TEST(TransformE2E, ClassesInBothDirectionsShareTheCount) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n0\n2\n8\n4\ny\n8\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Enter the number of classes in the new scale:  4 (same as for variables)\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Vector transformation: (8)rescaling into classes, within variables and (8)rescaling into "
                       "classes, within sampling units\n"),
            std::string::npos);
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[1], 8);
  EXPECT_EQ(t.opt[2], 8);
  for (auto& row : t.data)
    for (double x : row) EXPECT_TRUE(x >= 1 && x <= 4 && x == std::floor(x)) << x;
}

TEST(TransformE2E, ContingencyExpansionWritesTheNominalTable) {
  PlexorFolder f;
  f.write("c.txt", "2 0\n1 3\n");
  PlexorRun r = f.run("n\nn\nc.txt\n6\n2\n2\nn\n1\nn\nt\n1\n5\n0\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(f.read("ExpandedNominalData.txt"),
            "1\t1\t\n1\t1\t\n2\t1\t\n2\t2\t\n2\t2\t\n2\t2\t\n"
            "\nExpanded data with 6 units in rows and 2 nominal variables in columns.\n");
  EXPECT_NE(f.read("Zoviri.txt").find("DATA TRANSFORMATION"), std::string::npos);
}

TEST(TransformE2E, NonIntegerCountRefusedLeavingDataAndFilesUntouched) {
  PlexorFolder f;
  f.write("c.txt", "2 0.5\n1 3\n");
  PlexorRun r = f.run("n\nn\nc.txt\n6\n2\n2\nn\n1\nn\nt\n1\n5\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Expansion refused: the count 0.5 in row 1, column 2 of the contingency table"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(f.exists("ExpandedNominalData.txt"));
  EXPECT_FALSE(f.exists("Zoviri.txt"));
  size_t last = r.out.rfind("Scalar transformation: ");
  EXPECT_EQ(r.out.compare(last, 29, "Scalar transformation: (0)non"), 0);
}

TEST(TransformE2E, NominalExpansionAndNegativeCodeRefused) {
  PlexorFolder good;
  good.write("q.txt", "2 1\n1 3\n0 3\n");
  PlexorRun r = good.run("n\nn\nq.txt\n3\n3\n2\nn\n1\nn\nt\n1\n4\n0\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(good.read("ExpandedData.txt"),
            "0\t1\t0\t1\t0\t\n1\t0\t0\t0\t1\t\n0\t0\t1\t0\t1\t\n"
            "\nExpanded data with 3 units in rows and 5 expanded variables in columns.\n"
            "Variable labels (each row corresponding to an original variable):\n1\t2\t0\t\n1\t3\t\n"
            "\nNumber of states for each nominal variable in the original data:\n3\n2\n\n"
            "0\t1\t1\t\n1\t0\t0\t\n0\t0\t0\t\n"
            "\nExpanded data with 3 units in rows and 3 expanded variables in columns (eliminating last expanded "
            "binary for each nominal variable).\n"
            "Variable labels (each row corresponding to an original variable):\n1\t2\t\n1\t\n"
            "\nNumber of states for each nominal variable in the original data:\n2\n1\n\n");

  PlexorFolder bad;
  bad.write("q.txt", "2 1\n-1 3\n0 3\n");
  r = bad.run("n\nn\nq.txt\n3\n3\n2\nn\n1\nn\nt\n1\n4\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Expansion refused: nominal variable 1 holds -1 in sampling unit 2"), std::string::npos)
      << r.out;
  EXPECT_FALSE(bad.exists("ExpandedData.txt"));
  EXPECT_FALSE(bad.exists("Zoviri.txt"));
}

namespace {

// Deviations of each dune value from the mean of its column within the unit's group.
std::vector<std::vector<double>> GroupDeviations(const std::vector<std::vector<double>>& t,
                                                 const std::vector<int>& g) {
  std::vector<std::vector<double>> d = t;
  for (int j = 0; j < 30; j++)
    for (int i = 0; i < 20; i++) {
      double s = 0;
      int n = 0;
      for (int k = 0; k < 20; k++)
        if (g[k] == g[i]) {
          s += t[k][j];
          n++;
        }
      d[i][j] = t[i][j] - s / n;
    }
  return d;
}

void ExpectTrackData(const Track& t, const std::vector<std::vector<double>>& want) {
  ASSERT_EQ(t.data.size(), 20u);
  for (int i = 0; i < 20; i++) {
    ASSERT_EQ(t.data[i].size(), 30u);
    for (int j = 0; j < 30; j++) EXPECT_NEAR(t.data[i][j], want[i][j], 1e-6) << i << "," << j;
  }
}

}  // namespace

TEST(TransformE2E, DeviationsFromGroupMeansOfTheOnlyFactor) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n0\n2\n12\n1\nmanagement\nf\ndune_management.txt\nn\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("Specify the factor effect to be removed"), std::string::npos);
  EXPECT_NE(r.out.find("Vector transformation: (12)deviations from unit group means, within variables\n"),
            std::string::npos);
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[1], 12);
  std::vector<int> g = {4, 1, 4, 4, 2, 2, 2, 2, 2, 1, 1, 4, 4, 3, 3, 4, 3, 3, 3, 3};
  ExpectTrackData(t, GroupDeviations(DuneTable(f.read("dune.txt")), g));
}

TEST(TransformE2E, DeviationsFromGroupMeansOfTheChosenFactor) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management_use.txt", "groups.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n0\n2\n12\n2\nn\nmanagement\nuse\nf\ngroups.txt\n2\nn\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nSpecify the factor effect to be removed ( 1.management 2.use ): \t"), std::string::npos);
  std::vector<int> use = {2, 2, 2, 2, 1, 2, 3, 3, 1, 1, 3, 2, 2, 3, 2, 3, 1, 1, 1, 1};
  ExpectTrackData(ReadTrack(f.read("Sessao.trk")), GroupDeviations(DuneTable(f.read("dune.txt")), use));
}

TEST(TransformE2E, BealsSmoothingOfPresencesWithTargetIncluded) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n1\n3\n11\n0\ny\nn\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Vector transformation: (11)Beals smoothing\nCo-occurence probabilities based on presences "
                       "and absences of both reference and target variables (as in De Caceres&Legendre (2008) main "
                       "text)\nTarget species values included in their own prediction\nProbabilities of "
                       "co-occurrence NOT standardized to unit sum\n"),
            std::string::npos);
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[0], 1);
  EXPECT_EQ(t.opt[2], 11);
  // b_ik = (1 / S_i) sum over species j present in unit i of N_jk / N_j.
  std::vector<std::vector<double>> d = DuneTable(f.read("dune.txt")), want = d;
  for (int i = 0; i < 20; i++)
    for (int k = 0; k < 30; k++) {
      double s = 0;
      int present = 0;
      for (int j = 0; j < 30; j++) {
        if (d[i][j] <= 0) continue;
        present++;
        int nj = 0, njk = 0;
        for (int u = 0; u < 20; u++) {
          nj += d[u][j] > 0;
          njk += d[u][j] > 0 && d[u][k] > 0;
        }
        s += static_cast<double>(njk) / nj;
      }
      want[i][k] = s / present;
    }
  ExpectTrackData(t, want);
}

TEST(TransformE2E, PortugueseDialogueAndReport) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run("E\nL\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\nt\n1\n0\n1\n10\ns\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("TRANSFORMACAO DE DADOS\nOpcoes:\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nTransformacao vetorial dentro de unidades amostrais:\n"), std::string::npos);
  EXPECT_NE(r.out.find("Incluir matriz de dados nos resultados? s/n "), std::string::npos);
  EXPECT_NE(r.out.find("\nVeja resultados no arquivo Zoviri.txt."), std::string::npos);
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR versao "), 0u);
  EXPECT_NE(z.find("\nTRANSFORMACAO DE DADOS\n"), std::string::npos);
  EXPECT_NE(z.find("\nMatriz de dados originais:\n\t(Linhas= 20 unidades amostrais, colunas= 30 variaveis)\n"),
            std::string::npos);
  EXPECT_NE(z.find("Matriz de dados transformados:\n"), std::string::npos);
  EXPECT_EQ(ReadTrack(f.read("Sessao.trk")).opt[2], 10);
}

TEST(TransformE2E, ExpansionFileThatCannotBeOpenedEndsWithoutReport) {
  PlexorFolder f;
  f.write("c.txt", "2 0\n1 3\n");
  ASSERT_EQ(std::system(("mkdir '" + f.path() + "/ExpandedNominalData.txt'").c_str()), 0);
  PlexorRun r = f.run("n\nn\nc.txt\n6\n2\n2\nn\n1\nn\nt\n1\n5\n0\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nCould not open file ExpandedNominalData.txt.\n"), std::string::npos);
  EXPECT_EQ(r.out.find("See results on file Zoviri.txt."), std::string::npos);
  EXPECT_FALSE(f.exists("Zoviri.txt"));
}

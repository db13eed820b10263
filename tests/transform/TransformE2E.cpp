// Option T through the program: the transformed table in the results file,
// the options in the status report and the session track, restoring, cancel,
// transformations refused for the data (the data, resemblance and track kept),
// the expansion files, the refusal of bad codes or counts, and expansion files
// that cannot be created.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "transform/ReportChecks.h"

namespace {

using Rows = std::vector<std::vector<double>>;

// Reads examples/dune.txt (20 x 30, one scale, labels from the file, data not
// copied to the results file).
const char* const kOpenDune = "n\nn\ndune.txt\n1\n20\n30\nn\n2\nn\n";
const char* const kHellingerUnits = "t\n1\n0\n1\n10\ny\n";
const char* const kHellingerStatus = "Vector transformation: (10)Hellinger transformation, within sampling units\n";

// The session track holds dataOrig from its 13th line, then the three
// options, then data.
struct Track {
  Rows orig, data;
  int opt[3] = {-1, -1, -1};
};

Track ReadTrack(const std::string& text, int n = 20) {
  Track t;
  std::vector<std::string> l = Lines(text);
  if (static_cast<int>(l.size()) < 15 + 2 * n) return t;
  for (int i = 0; i < n; i++) t.orig.push_back(Numbers(l[12 + i]));
  for (int k = 0; k < 3; k++) t.opt[k] = std::stoi(l[12 + n + k]);
  for (int i = 0; i < n; i++) t.data.push_back(Numbers(l[15 + n + i]));
  return t;
}

double G5(double x) {
  char b[32];
  snprintf(b, sizeof b, "%.5g", x);
  return std::stod(b);
}

void ExpectRows(const Rows& got, const Rows& want, double tol) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); i++) {
    ASSERT_EQ(got[i].size(), want[i].size()) << i;
    for (size_t j = 0; j < want[i].size(); j++) EXPECT_NEAR(got[i][j], want[i][j], tol) << i << "," << j;
  }
}

// The n rows printed after `heading` and its dimension line.
Rows PrintedTable(const std::string& z, const std::string& heading, int n) {
  Rows t;
  size_t at = z.find(heading);
  std::vector<std::string> l = Lines(at == std::string::npos ? "" : z.substr(at));
  for (int i = 0; i < n && i + 2 < static_cast<int>(l.size()); i++) t.push_back(Numbers(l[i + 2]));
  return t;
}

// The status report printed last on the console begins with `text` at `from`.
bool LastStatusShows(const PlexorRun& r, const char* from, const std::string& text) {
  size_t last = r.out.rfind(from);
  return last != std::string::npos && r.out.compare(last, text.size(), text) == 0;
}

}  // namespace

// Hellinger within units; then cancelling at each menu that offers it keeps
// Hellinger in force and writes nothing; restoring gives the original table
// back, again writing nothing. (The track of a transformed table: the tests
// below.)
TEST(TransformE2E, HellingerReportedThenCancelledAndRestored) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + kHellingerUnits + "t\n1\n0\n1\n99\nt\n1\n0\n2\n99\nt\n99\nt\n0\nx\n");
  EXPECT_EQ(r.status, 0);
  ExpectContains(r.out, {"\nSee results on file Zoviri.txt."});
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR version 3.85b\n" + std::string(79, '-') + "\nDATA TRANSFORMATION\n"), 0u);
  EXPECT_EQ(CountOccurrences(z, "DATA TRANSFORMATION"), 1);
  ExpectContains(z,
                 {kHellingerStatus, "\nOriginal data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n"});
  Rows dune = DuneTable(), shown(20);
  for (int i = 0; i < 20; i++) {
    double total = 0;
    for (double x : dune[i]) total += x;  // unit 1 holds 1, 4, 7, 4, 2 (total 18)
    for (double x : dune[i]) shown[i].push_back(G5(std::sqrt(x / total)));
  }
  ExpectRows(PrintedTable(z, "Transformed data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n", 20),
             shown, 1e-12);
  size_t restore = r.out.rfind("DATA TRANSFORMATION");
  ASSERT_NE(restore, std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out.substr(0, restore), kHellingerStatus), 8);  // main menu and T, four times
  EXPECT_TRUE(LastStatusShows(r, "Vector transformation: ", "Vector transformation: (0)none\n"));
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[0] + t.opt[1] + t.opt[2], 0);
  ExpectRows(t.data, dune, 0);
  ExpectRows(t.orig, dune, 0);
}

TEST(TransformE2E, ClassesInBothDirectionsShareTheCount) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n0\n2\n8\n4\ny\n8\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  ExpectContains(r.out, {"Enter the number of classes in the new scale:  4 (same as for variables)\n",
                         "Vector transformation: (8)rescaling into classes, within variables and (8)rescaling into "
                         "classes, within sampling units\n"});
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[1] * 10 + t.opt[2], 88);
  for (auto& row : t.data)
    for (double x : row) EXPECT_TRUE(x >= 1 && x <= 4 && x == std::floor(x)) << x;
}

// Deviations from the group means of the second factor: the factor question
// lists both factors.
TEST(TransformE2E, DeviationsFromGroupMeansOfTheChosenFactor) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management_use.txt", "groups.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n0\n2\n12\n2\nn\nmanagement\nuse\nf\ngroups.txt\n2\nn\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  ExpectContains(r.out, {"\nSpecify the factor effect to be removed ( 1.management 2.use ): \t",
                         "Vector transformation: (12)deviations from unit group means, within variables\n"});
  const int use[] = {2, 2, 2, 2, 1, 2, 3, 3, 1, 1, 3, 2, 2, 3, 2, 3, 1, 1, 1, 1};
  Rows dune = DuneTable(), want = dune;
  for (int j = 0; j < 30; j++)
    for (int i = 0; i < 20; i++) {
      double s = 0;
      int n = 0;
      for (int k = 0; k < 20; k++)
        if (use[k] == use[i]) s += dune[k][j], n++;
      want[i][j] = dune[i][j] - s / n;
    }
  ExpectRows(ReadTrack(f.read("Sessao.trk")).data, want, 1e-6);
}

// Groups asked for by deviations from group means stay in the session when the
// transformation is then cancelled: the track holds them, while the
// resemblance matrix is kept. (Groups and resemblance of a resumed session:
// ClusterE2E.)
TEST(TransformE2E, GroupsGivenForACancelledTransformationRecorded) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.copyFromSource("examples/dune_management.txt", "groups.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "r\n1\n3\n0\nn\n" +
                      "t\n1\n0\n2\n12\n1\nmanagement\nf\ngroups.txt\ny\n99\nx\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(LastStatusShows(r, "Resemblance measure", "Resemblance measure: (3)Euclidean distance"));
  EXPECT_NE(f.read("Sessao.trk").find("\nmanagement\n0\t\n4\t\n1\t2\t3\t4\t\n4\t1\t4\t4\t2\t"), std::string::npos);
}

// Without the target (De Caceres & Legendre 2008):
// b_ik = sum over species j != k present in unit i of N_jk / N_j, over S_i - I_ik.
TEST(TransformE2E, BealsSmoothingOfPresencesWithoutTheTarget) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(std::string(kOpenDune) + "t\n1\n1\n3\n11\n0\nn\nn\nn\nn\nx\n");
  EXPECT_EQ(r.status, 0);
  ExpectContains(r.out, {"Vector transformation: (11)Beals smoothing\nCo-occurence probabilities based on presences "
                         "and absences of both reference and target variables (as in De Caceres&Legendre (2008) main "
                         "text)\nTarget species values NOT included in their own prediction\nProbabilities of "
                         "co-occurrence NOT standardized to unit sum\n"});
  Track t = ReadTrack(f.read("Sessao.trk"));
  EXPECT_EQ(t.opt[0] * 100 + t.opt[2], 111);
  Rows d = DuneTable(), want = d;
  for (int i = 0; i < 20; i++)
    for (int k = 0; k < 30; k++) {
      double s = 0;
      int others = 0;
      for (int j = 0; j < 30; j++) {
        if (d[i][j] <= 0 || j == k) continue;
        others++;
        int nj = 0, njk = 0;
        for (int u = 0; u < 20; u++) nj += d[u][j] > 0, njk += d[u][j] > 0 && d[u][k] > 0;
        s += static_cast<double>(njk) / nj;
      }
      want[i][k] = s / others;
    }
  ExpectRows(t.data, want, 1e-6);
}

// Double adjustment of a table with a missing cell, in Portuguese: the results
// file keeps its English block title; cells are (x - r c / T) / sqrt(r c) with
// the totals over the non-missing cells.
TEST(TransformE2E, PortugueseDoubleAdjustmentWithMissingCell) {
  PlexorFolder f;
  f.write("d.txt", "1 2 0 4\n0 3 -999 1\n5 0 2 2\n");
  PlexorRun r = f.run("E\nL\nC\nN\nn\nd.txt\n1\n3\n4\nN\n1\nn\nt\n1\n0\n3\n6\ns\nx\n");
  EXPECT_EQ(r.status, 0);
  ExpectContains(r.out, {"TRANSFORMACAO DE DADOS\nOpcoes:\n", "\nOutras transformacoes:\n",
                         "Incluir matriz de dados nos resultados? s/n ", "\nVeja resultados no arquivo Zoviri.txt."});
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR versao 3.85b\n" + std::string(79, '-') + "\nDATA TRANSFORMATION\n"), 0u);
  ExpectContains(z, {"\nMatriz de dados originais:\n\t(Linhas= 3 unidades amostrais, colunas= 4 variaveis)\n"});
  Rows x = {{1, 2, 0, 4}, {0, 3, -999, 1}, {5, 0, 2, 2}}, want = x;
  const double rt[] = {7, 4, 9}, ct[] = {6, 5, 2, 7}, total = 20;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 4; j++)
      if (x[i][j] != -999) want[i][j] = G5((x[i][j] - rt[i] * ct[j] / total) / std::sqrt(rt[i] * ct[j]));
  ExpectRows(PrintedTable(z, "Matriz de dados transformados:\n\t(Linhas= 3 unidades amostrais, colunas= 4 variaveis)\n", 3),
             want, 1e-12);
  EXPECT_EQ(ReadTrack(f.read("Sessao.trk"), 3).opt[2], 6);
}

// Reads a 2 x 2 contingency table (or 3 x 2 qualitative table) from `data` and
// chooses the expansion `option`; `rest` answers the questions after it.
PlexorRun Expand(PlexorFolder& f, const char* data, int option, const char* rest) {
  f.write("c.txt", data);
  std::string kind = option == 5 ? "6\n2\n2\n" : "3\n3\n2\n";
  return f.run("n\nn\nc.txt\n" + kind + "n\n1\nn\nt\n1\n" + std::to_string(option) + "\n" + rest + "x\n");
}

TEST(TransformE2E, ExpansionFilesOfContingencyTableAndNominalVariables) {
  PlexorFolder c;
  EXPECT_EQ(Expand(c, "2 0\n1 3\n", 5, "0\nn\n").status, 0);
  EXPECT_EQ(c.read("ExpandedNominalData.txt"),
            "1\t1\t\n1\t1\t\n2\t1\t\n2\t2\t\n2\t2\t\n2\t2\t\n"
            "\nExpanded data with 6 units in rows and 2 nominal variables in columns.\n");
  EXPECT_NE(c.read("Zoviri.txt").find("DATA TRANSFORMATION"), std::string::npos);
  PlexorFolder q;
  EXPECT_EQ(Expand(q, "2 1\n1 3\n0 3\n", 4, "0\nn\n").status, 0);
  EXPECT_EQ(q.read("ExpandedData.txt"),
            "0\t1\t0\t1\t0\t\n1\t0\t0\t0\t1\t\n0\t0\t1\t0\t1\t\n"
            "\nExpanded data with 3 units in rows and 5 expanded variables in columns.\n"
            "Variable labels (each row corresponding to an original variable):\n1\t2\t0\t\n1\t3\t\n"
            "\nNumber of states for each nominal variable in the original data:\n3\n2\n\n"
            "0\t1\t1\t\n1\t0\t0\t\n0\t0\t0\t\n"
            "\nExpanded data with 3 units in rows and 3 expanded variables in columns (eliminating last expanded "
            "binary for each nominal variable).\n"
            "Variable labels (each row corresponding to an original variable):\n1\t2\t\n1\t\n"
            "\nNumber of states for each nominal variable in the original data:\n2\n1\n\n");
}

TEST(TransformE2E, BadCodesOrCountsRefusedLeavingDataAndFilesUntouched) {
  PlexorFolder c;
  PlexorRun r = Expand(c, "2 0.5\n1 3\n", 5, "");
  ExpectContains(r.out, {"Expansion refused: the count 0.5 in row 1, column 2 of the contingency table"});
  EXPECT_TRUE(LastStatusShows(r, "Scalar transformation: ", "Scalar transformation: (0)none\n"));
  EXPECT_FALSE(c.exists("ExpandedNominalData.txt") || c.exists("Zoviri.txt"));
  PlexorFolder q;
  r = Expand(q, "2 1\n-1 3\n0 3\n", 4, "");
  ExpectContains(r.out, {"Expansion refused: nominal variable 1 holds -1 in sampling unit 2"});
  EXPECT_FALSE(q.exists("ExpandedData.txt") || q.exists("Zoviri.txt"));
}

// An expansion file that cannot be created ends the option with a message and
// no report, after the resemblance matrix and the ordination were released:
// the track is rewritten all the same, so the session resumed is the one left.
TEST(TransformE2E, ExpansionFilesThatCannotBeCreated) {
  PlexorFolder f;
  f.write("q.txt", "1 2 3\n2 2 1\n1 3 3\n3 1 2\n2 2 2\n1 1 1\n");
  ASSERT_EQ(mkdir((f.path() + "/ExpandedData.txt").c_str(), 0755), 0);
  PlexorRun r = f.run("n\nn\nq.txt\n3\n6\n3\nn\n1\nn\nr\n1\n12\n0\nn\no\n1\nn\nn\nt\n1\n4\n0\nn\nx\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectContains(r.out, {"\nCould not open file ExpandedData.txt.\n"});
  const std::string before = LastStatus(r.out);
  EXPECT_EQ(before.find("Resemblance"), std::string::npos) << before;
  ExpectContains(before, {"Session IS saved."});
  EXPECT_EQ(f.read("Zoviri.txt").find("DATA TRANSFORMATION"), std::string::npos);
  PlexorRun resumed = f.run("y\na\nx\n");
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_EQ(LastStatus(resumed.out), before);

  PlexorFolder g;
  ASSERT_EQ(mkdir((g.path() + "/ExpandedNominalData.txt").c_str(), 0755), 0);
  PlexorRun c = Expand(g, "2 0\n1 3\n", 5, "0\nn\n");
  EXPECT_EQ(c.status, 0);
  ExpectContains(c.out, {"\nCould not open file ExpandedNominalData.txt.\n"});
  EXPECT_EQ(c.out.find("See results on file Zoviri.txt."), std::string::npos);
  EXPECT_FALSE(g.exists("Zoviri.txt"));
}

TEST(TransformE2E, HellingerRefusedOnNegativeValues) {
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

TEST(TransformE2E, DoubleAdjustmentRefusedAfterCentring) {
  PlexorFolder f;
  f.write("c.txt", "1 2 3\n4 2 1\n0 1 1\n");
  // Centring within variables, then double adjustment offered as a further
  // step within sampling units.
  PlexorRun r = f.run("N\nn\nc.txt\n1\n3\n3\nN\n1\nn\nT\n1\n0\n2\n3\ny\n6\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectContains(r.out, {"sampling unit 1 holds -0.666667 in variable 1 (after the transformations before it).\n"
                         "Data were left unchanged.\n"});
}

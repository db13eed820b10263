// Options G and C run by the program: the report of a four-point table
// compared with a hand-worked text, every method on the dune meadow table
// (20 sampling units by 30 species, 12 significant digits) checked against the
// minimum spanning tree and the total sum of squares, Newick lines parsed as
// trees of the unit labels, and the groups read back from the session track.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cluster/NewickText.h"
#include "support/RunPlexor.h"

namespace {

const int kUnits = 20, kVars = 30;
// Preferences: 12 significant digits; dune.txt as quantitative data of one
// scale, by sampling units, labels from the file, not echoed.
const std::string kSetup = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const std::string kGroups = "G\n1\nmanagement\nf\ndune_management.txt\n";
const std::string kEuclid = "R\n1\n3\n0\nn\n";

// Sorted leaves of a Newick line; empty unless it is a binary tree ended by ";\n".
std::vector<std::string> NewickLeaves(const std::string& line) {
  std::vector<std::string> leaves = newicktest::LeafOrder(line);
  std::sort(leaves.begin(), leaves.end());
  return leaves;
}

std::vector<std::string> SortedLabels(const char* stem, int n) {
  std::vector<std::string> v;
  for (int i = 1; i <= n; i++) v.push_back(stem + std::to_string(i));
  std::sort(v.begin(), v.end());
  return v;
}

// The cluster reports of a results file, from the criterion line on.
std::vector<std::string> Reports(const std::string& z) {
  std::vector<std::string> out;
  for (size_t p = z.find("Clustering criterion: "); p != std::string::npos;) {
    const size_t next = z.find("Clustering criterion: ", p + 1);
    out.push_back(z.substr(p, next == std::string::npos ? std::string::npos : next - p));
    p = next;
  }
  return out;
}

struct Fusion {
  double level;
  std::vector<int> members;  // unit numbers from labels "site<k>"
};

std::vector<Fusion> Fusions(const std::string& report) {
  std::vector<Fusion> out;
  std::istringstream s(report.substr(report.find("\nStep") + 1));
  std::string line;
  std::getline(s, line);
  while (std::getline(s, line) && !line.empty()) {
    std::istringstream ls(line);
    Fusion f;
    int step;
    ls >> step >> f.level;
    for (std::string m; ls >> m;)
      if (m.compare(0, 4, "site") == 0) f.members.push_back(std::stoi(m.substr(4)));
    out.push_back(f);
  }
  return out;
}

std::string NewickLine(const std::string& report) {
  const size_t p = report.find('\n', report.find("Newick")) + 1;
  return report.substr(p, report.find('\n', p) + 1 - p);
}

// Every partition line holds the group numbers 1 to g, the first unit in group 1.
void ExpectPartitions(const std::string& report, int n) {
  for (int g = 2; g <= n; g++) {
    const size_t p = report.find("\n" + std::to_string(g) + " groups (cl = ");
    ASSERT_NE(p, std::string::npos) << g;
    std::istringstream s(report.substr(report.find('\t', p), report.find('\n', p + 1) - report.find('\t', p)));
    std::vector<int> part;
    for (int v; s >> v;) part.push_back(v);
    ASSERT_EQ(part.size(), static_cast<size_t>(n)) << g;
    EXPECT_EQ(part[0], 1);
    EXPECT_EQ(*std::max_element(part.begin(), part.end()), g);
    EXPECT_EQ(std::set<int>(part.begin(), part.end()).size(), static_cast<size_t>(g));
  }
}

class ClusterE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.copyFromSource("examples/dune.txt", "dune.txt");
    folder.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  }
  PlexorRun Run(const std::string& answers) {
    PlexorRun r = folder.run(answers + "X\n");
    EXPECT_EQ(r.status, 0) << r.err;
    return r;
  }
  PlexorFolder folder;
};

}  // namespace

TEST_F(ClusterE2E, ReportOfFourPointsOnALine) {
  // Points a = 0, b = 1, c = 3, d = 7. Single linkage: 1, 2, 4. Ward: within
  // sums 0.5, 42/9 and 28.75 with increases 0.5, 25/6 and 289/12.
  const std::string data = "E\nF\n12\n0\nC\nN\nn\nline.txt\n1\n4\n1\n2\nn\n" + kEuclid;
  struct Case {
    std::string answers, report;
  } cases[] = {
      {data + "C\n1\nn\n",
       "Clustering criterion: (1)simple linkage (nearest neighbor)\nFusion directory:\n"
       "Step \tResemblance  \tObjects in group\n1    \t1            \ta b \n2    \t2            \ta b c \n"
       "3    \t4            \ta b c d \n\n\nDendrogram in Newick format:\n(((a:1,b:1):1,c:2):2,d:4);\n\n"
       "Group partitions at each clustering level (cl):\nObjects:                \ta\tb\tc\td\t\n"
       "2 groups (cl = 2):    \t1\t1\t1\t2\t\n3 groups (cl = 1):    \t1\t1\t2\t3\t\n"
       "4 groups (cl = 0):    \t1\t2\t3\t4\t\n\nDendrogram drawn on file Dendrogram.svg.\n"},
      {"E\nL\nC\n" + data + "C\n3\nn\n",
       "Criterio de agrupamento: (3)soma de quadrados (Ward)\nAgrupamento hierarquico:\n"
       "Passo\tSQdentro   \tSQentre      \tGrupo formado\n1    \t0.5          \t0.5        \ta b \n"
       "2    \t4.66666666667\t4.16666666667\ta b c \n3    \t28.75        \t24.0833333333\ta b c d \n\n\n"
       "Dendrograma no formato Newick:\n(((a:0.5,b:0.5):4.16667,c:4.66667):24.0833,d:28.75);\n\n"
       "Particoes em grupos em cada nivel de agrupamento (na):\nObjetos:                  \ta\tb\tc\td\t\n"
       "2 grupos (na = 4.66667):      \t1\t1\t1\t2\t\n3 grupos (na = 0.5):      \t1\t1\t2\t3\t\n"
       "4 grupos (na = 0):      \t1\t2\t3\t4\t\n\nDendrograma desenhado no arquivo Dendrogram.svg.\n"},
  };
  for (const Case& c : cases) {
    PlexorFolder f;
    f.write("line.txt", "0\n1\n3\n7\na b c d\nx\n");
    ASSERT_EQ(f.run(c.answers + "X\n").status, 0);
    const std::string z = f.read("Zoviri.txt");
    EXPECT_EQ(z.substr(z.rfind(c.report.substr(0, 12))), c.report);
    EXPECT_EQ(f.read("newick.txt"), NewickLine(c.report));
  }
}

TEST_F(ClusterE2E, EveryMethodOnTheDuneTableThenTheSessionResumed) {
  Run(kSetup + kGroups + kEuclid + "C\n1\nn\nC\n2\nn\nC\n3\nn\nC\n4\nn\nC\n5\nn\nC\n7\n1\n");
  const std::vector<std::string> reps = Reports(folder.read("Zoviri.txt"));
  ASSERT_EQ(reps.size(), 6u);
  const char* methods[] = {"(1)simple", "(2)complete", "(3)incremental", "(4)average", "(5)average", "(7)topolog"};
  for (int k = 0; k < 6; k++) {
    EXPECT_EQ(reps[k].find(std::string("Clustering criterion: ") + methods[k]), 0u);
    EXPECT_EQ(Fusions(reps[k]).size(), static_cast<size_t>(kUnits - 1));
    EXPECT_EQ(NewickLeaves(NewickLine(reps[k])), SortedLabels("site", kUnits)) << NewickLine(reps[k]);
    ExpectPartitions(reps[k], kUnits);
  }
  EXPECT_EQ(folder.read("newick.txt"), NewickLine(reps[5]));

  const std::vector<std::vector<double>> x = DuneTable();
  auto dist = [&](int i, int j) {
    double s = 0;
    for (int k = 0; k < kVars; k++) s += (x[i][k] - x[j][k]) * (x[i][k] - x[j][k]);
    return std::sqrt(s);
  };
  // Single linkage: the levels are the edges of the minimum spanning tree (Prim).
  std::vector<double> edges, best(kUnits, 1e300);
  std::vector<bool> in(kUnits, false);
  best[0] = 0;
  for (int k = 0; k < kUnits; k++) {
    int u = -1;
    for (int i = 0; i < kUnits; i++)
      if (!in[i] && (u < 0 || best[i] < best[u])) u = i;
    in[u] = true;
    if (k > 0) edges.push_back(best[u]);
    for (int i = 0; i < kUnits; i++)
      if (!in[i]) best[i] = std::min(best[i], dist(u, i));
  }
  std::sort(edges.begin(), edges.end());
  const std::vector<Fusion> single = Fusions(reps[0]);
  for (int s = 0; s < kUnits - 1; s++) EXPECT_NEAR(single[s].level, edges[s], 1e-9) << "step " << s + 1;
  // Ward ends at the total sum of squares of the table.
  double total = 0;
  for (int k = 0; k < kVars; k++) {
    double mean = 0;
    for (int i = 0; i < kUnits; i++) mean += x[i][k] / kUnits;
    for (int i = 0; i < kUnits; i++) total += (x[i][k] - mean) * (x[i][k] - mean);
  }
  EXPECT_NEAR(Fusions(reps[2]).back().level, total, 1e-9 * total);
  // The constrained method only fuses runs of neighbouring units.
  for (Fusion f : Fusions(reps[5])) {
    std::sort(f.members.begin(), f.members.end());
    EXPECT_EQ(f.members.back() - f.members.front() + 1, static_cast<int>(f.members.size()));
  }

  // The groups and the resemblance matrix come back with the session.
  const PlexorRun r = Run("y\na\nG\nn\nC\n1\nn\n");  // continue the session, append to the results
  EXPECT_NE(r.out.find("Current group partition:\nSampling units:   \tsite1\t"), std::string::npos);
  EXPECT_NE(r.out.find("\nFactor management: \nGroups:           \t4\t1\t4\t4\t2\t2\t2\t2\t2\t1\t1\t4\t4\t3\t3\t4"
                       "\t3\t3\t3\t3\nChange? y/n "),
            std::string::npos);
  EXPECT_EQ(Reports(folder.read("Zoviri.txt")).size(), 7u);
  EXPECT_EQ(NewickLeaves(folder.read("newick.txt")), SortedLabels("site", kUnits));
}

// The factorial method makes no tree: an empty Newick line and no picture.
TEST_F(ClusterE2E, HierarchicalFactorialOnlyAfterMeasure21) {
  const PlexorRun r = Run(kSetup + kEuclid + "C\n6\n99\nR\n1\n21\n0\nn\nC\n6\nn\n");
  EXPECT_NE(r.err.find("Incorrect input = 6"), std::string::npos);
  EXPECT_EQ(r.out.find("Dendrogram"), std::string::npos);
  EXPECT_FALSE(folder.exists("Dendrogram.svg"));
  const std::vector<std::string> reps = Reports(folder.read("Zoviri.txt"));
  ASSERT_EQ(reps.size(), 1u);
  EXPECT_NE(reps[0].find("\nStep \tEigen.II   \tEigen.I      \tObjects in group\n"), std::string::npos);
  EXPECT_EQ(Fusions(reps[0]).size(), static_cast<size_t>(kUnits - 1));
  EXPECT_EQ(NewickLine(reps[0]), ";\n");
  EXPECT_EQ(reps[0].find("Dendrogram.svg"), std::string::npos);
  EXPECT_EQ(folder.read("newick.txt"), ";\n");
  EXPECT_NE(reps[0].find("\nScores of variables on the first and second representative unit for each clustering "
                         "node:\nVariables:\t"),
            std::string::npos);
  EXPECT_NE(reps[0].find("\nStep 19, Eig.II:\t"), std::string::npos);
  ExpectPartitions(reps[0], kUnits);
}

TEST_F(ClusterE2E, BadMembershipFilesAreRefusedWithAMessage) {
  folder.write("short.txt", "4 1 4 4 2\n");
  folder.write("real.txt", "4 1 4 4 2.5 2 2 2 2 1 1 4 4 3 3 4 3 3 3 3\n");
  folder.write("word.txt", "4 1 4 4 two\n");
  folder.write("huge.txt", "4 1 4 4 2 2 2 2 2 1 1 4 4 3 3 4 3 3 3 99999999999\n");
  folder.write("negative.txt", "-4 1 -4 -4 0 0 0 0 0 1 1 -4 -4 3 3 -4 3 3 3 3 and more\n");
  const PlexorRun r = Run(kSetup + "G\n1\nmanagement\n" +
                          "f\nnone.txt\nf\nshort.txt\nf\nreal.txt\nf\nword.txt\nf\nhuge.txt\nf\nnegative.txt\nG\nn\n");
  EXPECT_NE(r.err.find("can't open none.txt"), std::string::npos);
  const std::string question = "Read group memberships from file (f) or from the keyboard (k)? f/k ";
  const char* messages[] = {
      "\nFile short.txt holds only 5 group numbers; 20 are needed (1 factor(s) x 20 sampling units). Please check!\n",
      "\nFile real.txt: value number 5 (2.5) is not an integer group number. Please check!\n",
      "\nFile word.txt: value number 5 (two) is not an integer group number. Please check!\n",
      "\nFile huge.txt: value number 20 (99999999999) is not an integer group number. Please check!\n"};
  size_t at = r.out.find(question, r.out.find(question) + 1);  // after the missing file
  for (const char* message : messages) {
    const size_t m = r.out.find(message, at);
    ASSERT_NE(m, std::string::npos) << message;
    at = r.out.find(question, m);
    ASSERT_NE(at, std::string::npos) << "question not asked again after " << message;
  }
  EXPECT_NE(r.out.find("\nGroups:           \t-4\t1\t-4\t-4\t0\t0\t0\t0\t0\t1\t1\t-4"), std::string::npos);
}

TEST_F(ClusterE2E, BlockDesignFromTheKeyboardInBothLanguages) {
  std::string keyboard;
  for (int i = 0; i < kUnits; i++) keyboard += std::to_string(i % 4 + 1) + " ";
  for (int i = 0; i < kUnits; i++) keyboard += std::to_string(i < 10 ? 7 : -2) + " ";
  struct Case {
    std::string answers, console, track;
  } cases[] = {
      {kSetup + "G\n2\ny\ncutting\nk\n",
       "Enter the name of each factor: \nFactor 1: Blocks\nFactor 2: Read group memberships from file (f) or from "
       "the keyboard (k)? f/k Enter the group of each sampling unit:\nSampling unit:   \tsite1\t",
       "Blocks\ncutting\n"},
      {"E\nL\nC\n" + kSetup + "G\n2\ns\ncorte\nt\n",
       "Informe o nome de cada fator de agrupamento: \nFator 1: Blocos\nFator 2: Ler grupo de cada unidade amostral de "
       "um arquivo (a) ou do teclado (t)? a/t Informe o grupo de cada unidade amostral:\nUnidade amostral: \tsite1\t",
       "Blocos\ncorte\n"},
  };
  for (const Case& c : cases) {
    PlexorFolder f;
    f.copyFromSource("examples/dune.txt", "dune.txt");
    const PlexorRun r = f.run(c.answers + keyboard + "\nX\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(c.console), std::string::npos) << r.out;
    // Track: groups present, 2 factors, block design, the names, factor 2
    // nested in factor 1, group counts, labels and memberships.
    const std::string groups = "\n1\n2\n1\n" + c.track + "0\t1\t\n4\t2\t\n1\t2\t3\t4\t\n-2\t7\t\n1\t2\t3\t4\t1\t";
    EXPECT_NE(f.read("Sessao.trk").find(groups), std::string::npos);
  }
}

// Sorensen nestedness is undefined (-999) for the pairs of the unit without
// any presence: no method may fuse on it, in either language; the
// dissimilarity of the same units clusters.
TEST(ClusterRun, UndefinedNestednessRefusedBeforeTheMethodIsAsked) {
  const std::string data = "N\nn\nb.txt\n4\n5\n4\nN\n1\nn\nR\n1\n28\n0\nn\n";
  for (bool portuguese : {false, true}) {
    PlexorFolder f;
    f.write("b.txt", "1 0 1 1\n0 0 0 0\n1 1 0 0\n0 1 1 0\n1 1 1 1\n");
    const PlexorRun r =
        f.run(std::string(portuguese ? "E\nL\nC\n" : "") + data + "C\nR\n1\n26\n0\nn\nC\n4\nn\nX\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string refusal =
        portuguese ? "\nA matriz de semelhanca tem 4 pares com valor indefinido (-999): "
                     "um dos dois nao tem nenhuma presenca.\n"
                     "Escolha outra medida de semelhanca ou retire as entidades sem presencas.\n\a"
                   : "\nThe resemblance matrix has 4 pairs with an undefined value (-999): "
                     "one of the two has no presence.\n"
                     "Choose another resemblance measure or leave out the entities without presences.\n\a";
    const size_t refused = r.out.find(refusal);
    ASSERT_NE(refused, std::string::npos) << portuguese;
    // The refusal comes straight after the status: the method menu is shown once, for the second matrix.
    EXPECT_EQ(CountOccurrences(r.out, portuguese ? "Metodo de agrupamento" : "Clustering method"), 1);
    EXPECT_GT(r.out.find(portuguese ? "Metodo de agrupamento" : "Clustering method"), refused);
    const std::string z = f.read("Zoviri.txt");
    EXPECT_EQ(CountOccurrences(z, portuguese ? "\nANALISE DE AGRUPAMENTOS\n" : "\nCLUSTER ANALYSIS\n"), 1);
    EXPECT_EQ(z.find("-999"), std::string::npos);
  }
}

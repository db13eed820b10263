// Options G and C run by the program on the dune meadow table (20 sampling
// units by 30 species, labels from the file) with results at 12 significant
// digits. Groups come from the management membership file; the fusion levels
// are checked against values computed here from the file (minimum spanning
// tree, sums of squares, mean distances), and "newick.txt" is parsed as a tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

namespace {

using Row = std::vector<double>;
const int kUnits = 20, kVars = 30;

// Preferences: 12 significant digits; dune.txt as quantitative data of one
// scale, by sampling units, labels from the file, not echoed.
const char* const kSetup = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
// Groups: one factor read from the management file.
const char* const kGroups = "G\n1\nmanagement\nf\ndune_management.txt\n";
// Euclidean distances between sampling units.
const char* const kEuclid = "R\n1\n3\n0\nn\n";

std::vector<Row> Dune() {
  std::ifstream f(std::string(PLEXOR_SOURCE_DIR) + "/examples/dune.txt");
  std::vector<Row> t(kUnits, Row(kVars));
  for (auto& row : t)
    for (double& x : row) f >> x;
  return t;
}

double Dist(const Row& a, const Row& b) {
  double s = 0;
  for (size_t k = 0; k < a.size(); k++) s += (a[k] - b[k]) * (a[k] - b[k]);
  return std::sqrt(s);
}

std::string Label(int i) { return "site" + std::to_string(i + 1); }

// Newick reader: leaves are collected; false when the text is not a complete
// binary tree ended by ";".
class NewickReader {
 public:
  explicit NewickReader(std::string text) : s_(std::move(text)) {}
  bool Parse() {
    if (!Subtree()) return false;
    if (pos_ >= s_.size() || s_[pos_] != ';') return false;
    pos_++;
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) pos_++;
    return pos_ == s_.size();
  }
  std::vector<std::string> leaves;
  int inner = 0;

 private:
  bool Subtree() {
    if (pos_ < s_.size() && s_[pos_] == '(') {
      pos_++;
      if (!Subtree() || pos_ >= s_.size() || s_[pos_] != ',') return false;
      pos_++;
      if (!Subtree() || pos_ >= s_.size() || s_[pos_] != ')') return false;
      pos_++;
      inner++;
    } else {
      size_t start = pos_;
      while (pos_ < s_.size() && std::string("(),:;").find(s_[pos_]) == std::string::npos) pos_++;
      if (pos_ == start) return false;
      leaves.push_back(s_.substr(start, pos_ - start));
    }
    if (pos_ < s_.size() && s_[pos_] == ':') {
      pos_++;
      size_t used = 0;
      try {
        std::stod(s_.substr(pos_), &used);
      } catch (...) {
        return false;
      }
      pos_ += used;
    }
    return true;
  }
  std::string s_;
  size_t pos_ = 0;
};

struct Fusion {
  double level = 0, level2 = 0;
  std::vector<std::string> members;
};

// The fusion directory of the last cluster report in z.
std::vector<Fusion> FusionDirectory(const std::string& z, bool twoLevels) {
  std::vector<Fusion> out;
  size_t p = z.rfind("Fusion directory:\n");
  if (p == std::string::npos) return out;
  std::istringstream s(z.substr(p));
  std::string line;
  std::getline(s, line);
  std::getline(s, line);  // header
  while (std::getline(s, line) && !line.empty()) {
    std::istringstream ls(line);
    Fusion f;
    int step;
    ls >> step >> f.level;
    if (twoLevels) ls >> f.level2;
    std::string m;
    while (ls >> m) f.members.push_back(m);
    out.push_back(f);
  }
  return out;
}

// Group of each unit in the partition into g groups of the last report.
std::vector<int> Partition(const std::string& z, int g) {
  std::vector<int> part;
  const std::string key = "\n" + std::to_string(g) + " groups (cl = ";
  size_t p = z.rfind(key);
  if (p == std::string::npos) return part;
  p = z.find('\t', p);
  std::istringstream s(z.substr(p, z.find('\n', p) - p));
  int v;
  while (s >> v) part.push_back(v);
  return part;
}

class ClusterE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.copyFromSource("examples/dune.txt", "dune.txt");
    folder.copyFromSource("examples/dune_management.txt", "dune_management.txt");
  }
  // Reads the data, groups, resemblance, then option C with the answers.
  std::string RunC(const std::string& resemblance, const std::string& answers) {
    last = folder.run(std::string(kSetup) + kGroups + resemblance + "C\n" + answers + "X\n");
    EXPECT_EQ(last.status, 0) << last.err;
    return folder.read("Zoviri.txt");
  }
  void ExpectNewickOfAllUnits() {
    std::string text = folder.read("newick.txt");
    NewickReader reader(text);
    ASSERT_TRUE(reader.Parse()) << text;
    std::vector<std::string> expected;
    for (int i = 0; i < kUnits; i++) expected.push_back(Label(i));
    std::vector<std::string> got = reader.leaves;
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(reader.inner, kUnits - 1);
  }
  void ExpectPartitions(const std::string& z) {
    for (int g = 2; g <= kUnits; g++) {
      std::vector<int> part = Partition(z, g);
      ASSERT_EQ(part.size(), static_cast<size_t>(kUnits)) << g << " groups";
      EXPECT_EQ(*std::max_element(part.begin(), part.end()), g);
      EXPECT_EQ(std::set<int>(part.begin(), part.end()).size(), static_cast<size_t>(g));
      EXPECT_EQ(part[0], 1);
    }
  }
  PlexorFolder folder;
  PlexorRun last;
  std::vector<Row> x = Dune();
};

}  // namespace

TEST_F(ClusterE2E, SingleLinkageLevelsAreTheMinimumSpanningTree) {
  const std::string z = RunC(kEuclid, "1\n");
  ASSERT_NE(z.find("CLUSTER ANALYSIS"), std::string::npos);
  EXPECT_NE(z.find("Clustering criterion: (1)simple linkage (nearest neighbor)\n"), std::string::npos);
  // Prim's tree: its edges, sorted, are the single-linkage levels.
  std::vector<double> edges;
  std::vector<bool> in(kUnits, false);
  std::vector<double> best(kUnits, 1e300);
  best[0] = 0;
  for (int k = 0; k < kUnits; k++) {
    int u = -1;
    for (int i = 0; i < kUnits; i++)
      if (!in[i] && (u < 0 || best[i] < best[u])) u = i;
    in[u] = true;
    if (k > 0) edges.push_back(best[u]);
    for (int i = 0; i < kUnits; i++)
      if (!in[i]) best[i] = std::min(best[i], Dist(x[u], x[i]));
  }
  std::sort(edges.begin(), edges.end());
  std::vector<Fusion> fus = FusionDirectory(z, false);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  for (int s = 0; s < kUnits - 1; s++) EXPECT_NEAR(fus[s].level, edges[s], 1e-9) << "step " << s + 1;
  EXPECT_EQ(fus.back().members.size(), static_cast<size_t>(kUnits));
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, CompleteLinkageEndsAtTheLargestDistance) {
  const std::string z = RunC(kEuclid, "2\n");
  std::vector<Fusion> fus = FusionDirectory(z, false);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  double lo = 1e300, hi = 0;
  for (int i = 0; i < kUnits; i++)
    for (int j = i + 1; j < kUnits; j++) {
      lo = std::min(lo, Dist(x[i], x[j]));
      hi = std::max(hi, Dist(x[i], x[j]));
    }
  EXPECT_NEAR(fus.front().level, lo, 1e-9);
  EXPECT_NEAR(fus.back().level, hi, 1e-9);
  for (int s = 1; s < kUnits - 1; s++) EXPECT_GE(fus[s].level, fus[s - 1].level - 1e-9);
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, WardEndsAtTheTotalAndBetweenGroupSums) {
  const std::string z = RunC(kEuclid, "3\n");
  EXPECT_NE(z.find("SSwithin"), std::string::npos);
  std::vector<Fusion> fus = FusionDirectory(z, true);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  Row mean(kVars, 0.0);
  for (const Row& r : x)
    for (int k = 0; k < kVars; k++) mean[k] += r[k] / kUnits;
  double total = 0;
  for (const Row& r : x)
    for (int k = 0; k < kVars; k++) total += (r[k] - mean[k]) * (r[k] - mean[k]);
  EXPECT_NEAR(fus.back().level, total, 1e-8 * total);
  // Between-group sum of squares of the final two groups.
  std::vector<int> part = Partition(z, 2);
  ASSERT_EQ(part.size(), static_cast<size_t>(kUnits));
  double between = 0;
  for (int g = 1; g <= 2; g++) {
    Row c(kVars, 0.0);
    int size = 0;
    for (int i = 0; i < kUnits; i++)
      if (part[i] == g) {
        size++;
        for (int k = 0; k < kVars; k++) c[k] += x[i][k];
      }
    for (int k = 0; k < kVars; k++) between += size * (c[k] / size - mean[k]) * (c[k] / size - mean[k]);
  }
  EXPECT_NEAR(fus.back().level2, between, 1e-8 * between);
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, AverageLinkageRootIsTheMeanDistanceBetweenTheLastGroups) {
  const std::string z = RunC(kEuclid, "4\n");
  std::vector<Fusion> fus = FusionDirectory(z, false);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  std::vector<int> part = Partition(z, 2);
  ASSERT_EQ(part.size(), static_cast<size_t>(kUnits));
  double sum = 0;
  int count = 0;
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kUnits; j++)
      if (part[i] == 1 && part[j] == 2) {
        sum += Dist(x[i], x[j]);
        count++;
      }
  EXPECT_NEAR(fus.back().level, sum / count, 1e-9);
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, WeightedAverageLinkage) {
  const std::string z = RunC(kEuclid, "5\n");
  EXPECT_NE(z.find("(5)average linkage (WPGMA)"), std::string::npos);
  std::vector<Fusion> fus = FusionDirectory(z, false);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  for (int s = 1; s < kUnits - 1; s++) EXPECT_GE(fus[s].level, fus[s - 1].level - 1e-9);
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, ConstrainedWardFusesRunsOfNeighbours) {
  const std::string z = RunC(kEuclid, "7\n1\n");
  std::vector<Fusion> fus = FusionDirectory(z, true);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kUnits - 1));
  for (const Fusion& f : fus) {
    std::vector<int> numbers;
    for (const std::string& m : f.members) numbers.push_back(std::stoi(m.substr(4)));
    for (size_t t = 1; t < numbers.size(); t++) EXPECT_EQ(numbers[t], numbers[t - 1] + 1);
  }
  ExpectNewickOfAllUnits();
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, HierarchicalFactorialNeedsMeasure21AndDrawsNoTree) {
  const std::string z = RunC("R\n1\n21\n0\nn\n", "6\n");
  EXPECT_NE(z.find("Eigen.II"), std::string::npos);
  EXPECT_EQ(FusionDirectory(z, true).size(), static_cast<size_t>(kUnits - 1));
  EXPECT_EQ(folder.read("newick.txt"), ";\n");
  EXPECT_NE(z.find("Scores of variables on the first and second representative unit"), std::string::npos);
  EXPECT_NE(z.find("\nStep 19, Eig.II:"), std::string::npos);
  ExpectPartitions(z);
}

TEST_F(ClusterE2E, MethodSixIsRefusedForOtherMeasures) {
  const std::string z = RunC(kEuclid, "6\n99\n");
  EXPECT_NE(last.err.find("Incorrect input = 6"), std::string::npos);
  EXPECT_EQ(z.find("CLUSTER ANALYSIS"), std::string::npos);
}

TEST_F(ClusterE2E, CorrelationsBetweenVariablesAsAbsoluteValues) {
  const std::string z = RunC("R\n2\n17\n0\nn\n", "1\n1\n");
  EXPECT_NE(z.find("Correlation transformation: (1)absolute value correlations\n"), std::string::npos);
  std::vector<Fusion> fus = FusionDirectory(z, false);
  ASSERT_EQ(fus.size(), static_cast<size_t>(kVars - 1));
  // Similarities: single linkage fuses at ever smaller values.
  for (int s = 1; s < kVars - 1; s++) EXPECT_LE(fus[s].level, fus[s - 1].level + 1e-12);
  NewickReader reader(folder.read("newick.txt"));
  ASSERT_TRUE(reader.Parse());
  EXPECT_EQ(reader.leaves.size(), static_cast<size_t>(kVars));
}

TEST_F(ClusterE2E, GroupsFromTheMembershipFileAreKept) {
  PlexorRun r = folder.run(std::string(kSetup) + kGroups + "G\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Current group partition:\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nFactor management: \nGroups:           \t4\t1\t4\t4\t2\t2\t2\t2\t2\t1\t1\t4\t4\t3\t3\t4\t3\t3"
                       "\t3\t3\n"),
            std::string::npos);
}

TEST_F(ClusterE2E, GroupsAndResemblanceComeBackWithTheSession) {
  PlexorRun first = folder.run(std::string(kSetup) + kGroups + kEuclid + "X\n");
  ASSERT_EQ(first.status, 0) << first.err;
  // Next start: continue the session, append to the results file.
  PlexorRun r = folder.run("y\na\nG\nn\nC\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nFactor management: \nGroups:           \t4\t1\t4\t4\t2"), std::string::npos);
  const std::string z = folder.read("Zoviri.txt");
  EXPECT_EQ(FusionDirectory(z, false).size(), static_cast<size_t>(kUnits - 1));
  ExpectNewickOfAllUnits();
}

TEST_F(ClusterE2E, ShortMembershipFileIsRefusedWithAMessage) {
  folder.write("short.txt", "4 1 4 4 2\n");
  PlexorRun r = folder.run(std::string(kSetup) + "G\n1\nmanagement\nf\nshort.txt\nf\ndune_management.txt\nG\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string question = "Read group memberships from file (f) or from the keyboard (k)? f/k ";
  const size_t message = r.out.find("File short.txt holds only 5 group numbers; 20 are needed");
  ASSERT_NE(message, std::string::npos);
  const size_t first = r.out.find(question);
  const size_t again = r.out.find(question, first + 1);
  EXPECT_LT(first, message);
  EXPECT_LT(message, again);
  EXPECT_NE(r.out.find("Current group partition:\n"), std::string::npos);
}

TEST_F(ClusterE2E, PortugueseReport) {
  PlexorRun r = folder.run(std::string("E\nL\nC\n") + "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n" +
                           "G\n1\nmanejo\na\ndune_management.txt\n" + kEuclid + "C\n3\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string z = folder.read("Zoviri.txt");
  EXPECT_NE(z.find("ANALISE DE AGRUPAMENTOS"), std::string::npos);
  EXPECT_NE(z.find("Agrupamento hierarquico:\n"), std::string::npos);
  EXPECT_NE(z.find("\n2 grupos (na = "), std::string::npos);
  EXPECT_NE(r.out.find("Veja resultados no arquivo Zoviri.txt."), std::string::npos);
  ExpectNewickOfAllUnits();
}

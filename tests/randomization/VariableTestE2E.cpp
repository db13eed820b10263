// Option A run by the program: the dune meadow table with the Hellinger
// transformation in force and correlations between species (the observed
// correlations computed here from the table), in English and in Portuguese,
// with every permutation saved and the restriction dialogue (nesting from a
// file, embedded matrix, bundles); one and two processors; the triplet test
// after mutual entropies of three qualitative variables, its values computed
// here from the frequencies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/RunPlexor.h"

namespace {

using Rows = std::vector<std::vector<double>>;

// Language English, 12 significant digits; the dune table (20 x 30).
const std::string kDigits = "E\nF\n12\n0\nC\n";
const std::string kDune = "N\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const std::string kHellinger = "T\n1\n0\n1\n10\nn\n";
const std::string kCorrelationVariables = "R\n2\n17\n0\nn\n";

PlexorFolder Folder() {
  PlexorFolder f;
  for (const char* name : {"dune.txt", "dune_management.txt"}) f.copyFromSource(std::string("examples/") + name, name);
  return f;
}

void ExpectClean(const PlexorRun& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos) << r.err;
}

// The text from the last occurrence of `heading` on.
std::string From(const std::string& z, const std::string& heading) {
  const size_t p = z.rfind(heading);
  return p == std::string::npos ? std::string() : z.substr(p);
}

// The n rows of numbers after the first line holding `marker`.
Rows RowsAfter(const std::string& text, const std::string& marker, int n) {
  Rows rows;
  const size_t p = text.find(marker);
  if (p == std::string::npos) return rows;
  std::vector<std::string> l = Lines(text.substr(p));
  for (int i = 1; i <= n && i < static_cast<int>(l.size()); i++) rows.push_back(Numbers(l[i]));
  return rows;
}

// Hellinger rows (square roots of proportions of the row totals), then the
// Pearson correlation of two columns.
Rows HellingerCorrelations() {
  Rows t = DuneTable();
  for (auto& row : t) {
    double sum = 0;
    for (double x : row) sum += x;
    for (double& x : row) x = std::sqrt(x / sum);
  }
  Rows r(30, std::vector<double>(30));
  for (int a = 0; a < 30; a++)
    for (int b = 0; b < 30; b++) {
      double ma = 0, mb = 0;
      for (const auto& row : t) {
        ma += row[a] / 20;
        mb += row[b] / 20;
      }
      double sab = 0, saa = 0, sbb = 0;
      for (const auto& row : t) {
        sab += (row[a] - ma) * (row[b] - mb);
        saa += (row[a] - ma) * (row[a] - ma);
        sbb += (row[b] - mb) * (row[b] - mb);
      }
      r[a][b] = sab / std::sqrt(saa * sbb);
    }
  return r;
}

// Every file the program left in the folder but the results and the
// preferences (which carry the time they were written).
std::map<std::string, std::string> SessionFiles(const PlexorFolder& f) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(f.path())) {
    const std::string name = e.path().filename().string();
    if (name != "Zoviri.txt" && name != "Plexor.prf" && name[0] != '.') files[name] = f.read(name);
  }
  return files;
}

}  // namespace

TEST(VariableTestE2E, HellingerCorrelationsBetweenSpecies) {
  PlexorFolder before = Folder(), after = Folder();
  const std::string setup = kDigits + kDune + kHellinger + kCorrelationVariables;
  ExpectClean(before.run(setup + "X\n"));
  const PlexorRun r = after.run(setup + "A\n2\n42\n999\n0\nn\nn\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("HYPOTHESIS TESTING VIA RANDOMIZATION"), std::string::npos);
  EXPECT_NE(r.out.find("Number of permutations: Permutation restrictions: \n\t(0) none\n\t(1) take variables "
                       "arranged into a resemblance matrix (as in a Mantel test)\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\n\nSee results on file Zoviri.txt."), std::string::npos);
  // After correlations between three or more variables, partial correlations are offered.
  EXPECT_NE(r.out.find("\n\nSee results on file Zoviri.txt.\nTest partial correlations? y/n "), std::string::npos);

  const std::string z = From(after.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n");
  ASSERT_FALSE(z.empty());
  for (const char* text :
       {"Vector transformation: (10)Hellinger transformation, within sampling units\n",
        "Number of permutations: 999\nRandom number generation initializer: 42\nTest criterion (Lambda):\n"
        "\tResemblance measure: (17)correlation, (2)comparing variables\nPermutation restrictions:\tNone\n"
        "Results:\n\t(Resemblance matrix below the main diagonal and\n corresponding probabilities P(|Lambda "
        "random| >= |Lambda observed|) above the main diagonal)\n"})
    EXPECT_NE(z.find(text), std::string::npos) << text;
  EXPECT_NE(z.find("Elapsed time: "), std::string::npos);

  const Rows table = RowsAfter(z, "above the main diagonal)", 30);
  const Rows want = HellingerCorrelations();
  ASSERT_EQ(table.size(), 30u);
  double strongest = 0;
  int sa = 0, sb = 0;
  for (int a = 0; a < 30; a++) {
    ASSERT_EQ(table[a].size(), 30u) << a;
    for (int b = 0; b <= a; b++) EXPECT_NEAR(table[a][b], want[a][b], 1e-9) << a << "," << b;
    for (int b = a + 1; b < 30; b++) {
      const double P = table[a][b];
      EXPECT_GE(P, 1.0 / 999 - 1e-12);
      EXPECT_LE(P, 1.0);
      EXPECT_NEAR(P * 999, std::round(P * 999), 1e-6);
      if (std::fabs(want[a][b]) > strongest) {
        strongest = std::fabs(want[a][b]);
        sa = a;
        sb = b;
      }
    }
  }
  // The strongest correlation (about 0.9) leaves no random data set as extreme.
  EXPECT_GT(strongest, 0.8);
  EXPECT_LT(table[sa][sb], 0.01);
  // The test changes nothing the session records.
  EXPECT_EQ(SessionFiles(before), SessionFiles(after));
}

// Portuguese, permutations within the management groups read from a file,
// every permutation saved: each random data set holds, column by column, the
// original values moved only within their group.
TEST(VariableTestE2E, PortugueseNestingFromFileAndEachPermutationSaved) {
  PlexorFolder f = Folder();
  const std::string answers = "E\nL\nC\n" + kDigits + kDune + "R\n2\n22\n0\nn\n" +
                              "A\n2\n7\n3\n2\na\nnada.txt\na\ndune_management.txt\ns\nX\n";
  const PlexorRun r = f.run(answers);
  ExpectClean(r);
  EXPECT_NE(r.out.find("TESTES DE HIPOTESES VIA ALEATORIZACAO"), std::string::npos);
  EXPECT_NE(r.out.find("Restricoes nas permutacoes: \n\t(0) nenhuma\n"), std::string::npos);
  EXPECT_NE(r.out.find("Ler grupos de aninhamento de um arquivo (a) ou do teclado (t)? a/t "), std::string::npos);
  EXPECT_NE(r.out.find("Salvar dados e resultados de cada permutacao aleatoria? s/n "), std::string::npos);
  EXPECT_NE(r.out.find("Veja resultados no arquivo Zoviri.txt."), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  for (const char* text :
       {"TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n", "Numero de permutacoes: 3\n",
        "Criterio de teste:\n\tMedida de semelhanca: (22)covariancia, (2)compara variaveis\n",
        "Permutacao 1:\nMatriz de dados:\n", "Iteracao: 2\nDados aleatorios:\n", "Iteracao: 3\nDados aleatorios:\n",
        "TESTE DE ALEATORIZACAO: Resultado final\n", "Inicializador da geracao de numeros aleatorios: 7\n",
        "Criterio de teste (Lambda):\n",
        "Restricoes nas permutacoes:\tPermutacoes restritas dentro de grupos especificados\n"
        "Grupos:\t4\t1\t4\t4\t2\t2\t2\t2\t2\t1\t1\t4\t4\t3\t3\t4\t3\t3\t3\t3\t\n",
        "Resultados:\n\t(Matriz de semelhanca abaixo da diagonal principal e\n"})
    EXPECT_NE(z.find(text), std::string::npos) << text;
  EXPECT_EQ(CountOccurrences(z, "\nMatriz de semelhanca:\n"), 3);

  const Rows dune = DuneTable();
  const std::vector<int> group = {4, 1, 4, 4, 2, 2, 2, 2, 2, 1, 1, 4, 4, 3, 3, 4, 3, 3, 3, 3};
  for (const char* heading : {"Iteracao: 2\nDados aleatorios:", "Iteracao: 3\nDados aleatorios:"}) {
    const Rows random = RowsAfter(z, heading, 21);
    ASSERT_GE(random.size(), 20u);
    bool moved = false;
    for (int j = 0; j < 30; j++)
      for (int g = 1; g <= 4; g++) {
        std::vector<double> was, now;
        for (int i = 0; i < 20; i++)
          if (group[i] == g) {
            was.push_back(dune[i][j]);
            now.push_back(random[i + 1][j]);
            moved = moved || dune[i][j] != random[i + 1][j];
          }
        std::sort(was.begin(), was.end());
        std::sort(now.begin(), now.end());
        EXPECT_EQ(was, now) << heading << " species " << j + 1 << " group " << g;
      }
    EXPECT_TRUE(moved);
  }
}

TEST(VariableTestE2E, SameResultsAtOneAndTwoProcessors) {
  auto run = [](const std::string& processors) {
    PlexorFolder f = Folder();
    ExpectClean(f.run("E\nM\n" + processors + "\nC\n" + kDigits + kDune + kHellinger + kCorrelationVariables +
                      "A\n2\n2024\n499\n0\nn\nn\nX\n"));
    return RowsAfter(From(f.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n"), "above the main diagonal)", 30);
  };
  const Rows one = run("1"), two = run("2");
  ASSERT_EQ(one.size(), 30u);
  EXPECT_EQ(one, two);
}

// Six units holding the pairs of a 4 x 4 matrix: a dimension of 3 is refused
// naming both numbers, 4 is taken. Bundles of unequal sizes are refused;
// equal bundles from the keyboard are reported with their memberships. Fewer
// than one permutation is asked again. Five units fit no matrix.
TEST(VariableTestE2E, RestrictionDialogue) {
  PlexorFolder f;
  f.write("m.txt", "1 2 4\n2 1 4\n3 5 1\n1 3 2\n2 4 7\n1 6 3\n");
  const std::string open = "N\nn\nm.txt\n1\n6\n3\nN\n1\nn\n" + kCorrelationVariables;
  PlexorRun r = f.run(open + "A\n2\n1\n0\n500\n1\n3\n4\nn\nn\nA\n2\n1\n100\n3\nk\n1 1 2 2 2 3\n3\nk\n5 5 1 1 9 9\nn\nn\nX\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Incorrect input = 0"), std::string::npos);
  EXPECT_NE(r.out.find("Enter the dimension of the embedded resemblance matrix: "), std::string::npos);
  EXPECT_NE(r.out.find("A resemblance matrix of dimension 3 holds 3 values above the diagonal, but there are 6 "
                       "sampling units (one value in each).\nEnter the dimension"),
            std::string::npos);
  EXPECT_NE(r.out.find("Read bundling group memberships from file (f) or from the keyboard (k)? f/k Enter the "
                       "bundling group of each sampling unit:\nSampling unit:   \t1\t2\t3\t4\t5\t6\nBundling "
                       "groups:  "),
            std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "Unbalanced design. Permutation among bundling blocks is not possible.\n"), 1);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("Number of permutations: 500\n"), std::string::npos);
  EXPECT_NE(z.find("Permutation restrictions:\tConsidered each variable arranged in a resemblance matrix (upper "
                   "diagonal) with 4 rows.\nResults:\n"),
            std::string::npos);
  EXPECT_NE(z.find("Permutation restrictions:\tRestricted permutations as specified bundles (e.g. to avoid "
                   "autocorrelation\nGroups:\t5\t5\t1\t1\t9\t9\t\nResults:\n"),
            std::string::npos);

  PlexorFolder five;
  five.write("m.txt", "1 2 4\n2 1 4\n3 5 1\n1 3 2\n2 4 7\n");
  r = five.run("N\nn\nm.txt\n1\n5\n3\nN\n1\nn\n" + kCorrelationVariables + "A\n2\n1\n10\n1\n4\n0\nn\nn\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("No resemblance matrix has exactly 5 values above the diagonal: choose another "
                       "restriction.\nPermutation restrictions: "),
            std::string::npos);
  EXPECT_NE(five.read("Zoviri.txt").find("Permutation restrictions:\tNone\n"), std::string::npos);
}

// With distances between sampling units the main menu does not offer A.
TEST(VariableTestE2E, NotOfferedWithoutResemblanceComparingVariables) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kDune + "R\n1\n3\n0\nn\nA\nX\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("Incorrect input = A."), std::string::npos);
  EXPECT_EQ(r.out.find("HYPOTHESIS TESTING VIA RANDOMIZATION"), std::string::npos);
}

// Mutual entropy (order 1) of three qualitative variables over six units;
// the triplet test follows the main test. For variables 1, 2, 3 the triplet
// value is the sum of p ln(p / q), q = p12 p13 p23 / (p1 p2 p3), and the
// conditional values are the mutual informations conditional to the third.
TEST(VariableTestE2E, TripletTestAfterMutualEntropy) {
  PlexorFolder f;
  const std::vector<std::vector<int>> v = {{1, 1, 2, 2, 1, 2}, {1, 2, 1, 2, 1, 2}, {1, 2, 2, 1, 1, 1}};
  f.write("q.txt", "1 1 1\n1 2 2\n2 1 2\n2 2 1\n1 1 1\n2 2 1\n");
  const PlexorRun r = f.run("N\nn\nq.txt\n3\n6\n3\nN\n1\nn\nR\n2\n7\n1\n0\nn\n"
                            "A\n2\n5\n200\n0\nn\ny\n2\n6\n300\nn\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("\nTest for mutual entropy of variable triplets? y/n "), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "HYPOTHESIS TESTING VIA RANDOMIZATION"), 2);
  const std::string z = From(f.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n");
  EXPECT_NE(z.find("Number of permutations: 300\nRandom number generation initializer: 6\n"), std::string::npos);
  EXPECT_NE(z.find("\tResemblance measure: (7)mutual entropy, (2)comparing variables\n"), std::string::npos);

  auto p = [&](std::vector<int> vars, std::vector<int> states) {
    int count = 0;
    for (int i = 0; i < 6; i++) {
      bool all = true;
      for (size_t k = 0; k < vars.size(); k++) all = all && v[vars[k]][i] == states[k];
      count += all;
    }
    return count / 6.0;
  };
  double T = 0;
  std::map<std::tuple<int, int, int>, double> conditional;
  for (int x = 1; x <= 2; x++)
    for (int y = 1; y <= 2; y++)
      for (int w = 1; w <= 2; w++) {
        const double pxyz = p({0, 1, 2}, {x, y, w});
        if (pxyz == 0) continue;
        const double q = p({0, 1}, {x, y}) * p({0, 2}, {x, w}) * p({1, 2}, {y, w}) /
                         (p({0}, {x}) * p({1}, {y}) * p({2}, {w}));
        T += pxyz * std::log(pxyz / q);
        conditional[{0, 1, 2}] += pxyz * std::log(pxyz * p({2}, {w}) / (p({0, 2}, {x, w}) * p({1, 2}, {y, w})));
        conditional[{0, 2, 1}] += pxyz * std::log(pxyz * p({1}, {y}) / (p({0, 1}, {x, y}) * p({1, 2}, {y, w})));
        conditional[{1, 2, 0}] += pxyz * std::log(pxyz * p({0}, {x}) / (p({0, 1}, {x, y}) * p({0, 2}, {x, w})));
      }
  auto value = [&](const std::string& prefix) {
    const size_t at = z.find(prefix);
    EXPECT_NE(at, std::string::npos) << prefix;
    std::vector<double> v;
    if (at == std::string::npos) return v;
    std::string line = z.substr(at + prefix.size(), z.find('\n', at) - at - prefix.size());
    for (char& c : line)
      if (c == '(' || c == ')' || c == '=' || std::isalpha(static_cast<unsigned char>(c))) c = ' ';
    return Numbers(line);
  };
  auto check = [&](const std::string& prefix, double want) {
    const std::vector<double> got = value(prefix);
    ASSERT_EQ(got.size(), 3u) << prefix;
    EXPECT_NEAR(got[0], want, 1e-5 * std::max(1.0, std::fabs(want))) << prefix;
    EXPECT_NEAR(got[1], want / std::log(2.0), 1e-5 * std::max(1.0, std::fabs(want))) << prefix;
    EXPECT_GE(got[2], 1.0 / 300 - 1e-9);
    EXPECT_LE(got[2], 1.0);
  };
  EXPECT_NE(z.find("\nMutual entropy between variables in triplets:\nVar. 1 x 2 x 3:\t"), std::string::npos);
  EXPECT_NE(z.find("\nMutual entropy pairwise conditional (|) to a third variable:\nVar. 1 x 2 | 3:\t"),
            std::string::npos);
  check("Var. 1 x 2 x 3:\t", T);
  check("Var. 1 x 2 | 3:\t", conditional[{0, 1, 2}]);
  check("Var. 1 x 3 | 2:\t", conditional[{0, 2, 1}]);
  check("Var. 2 x 3 | 1:\t", conditional[{1, 2, 0}]);
  EXPECT_NE(z.find("nats (\t"), std::string::npos);
}

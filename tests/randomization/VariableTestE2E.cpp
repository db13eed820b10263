// Option A run by the program: Hellinger-transformed dune species correlated
// (observed values computed here) at one and two processors; Portuguese with
// nesting from a file and every permutation saved; the restriction
// dialogue; the triplet test, its values worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "RandomE2ESupport.h"

namespace {

using re2e::ExpectClean;
using re2e::ExpectHoldsAll;
using re2e::From;
using re2e::Rows;
using re2e::RowsAfter;

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

// Hellinger rows (square roots of proportions of the row totals), then the
// Pearson correlation of two columns.
Rows HellingerCorrelations() {
  std::vector<re2e::Column> cols(30);
  for (const auto& row : DuneTable()) {
    double sum = 0;
    for (double x : row) sum += x;
    for (int j = 0; j < 30; j++) cols[j].push_back(std::sqrt(row[j] / sum));
  }
  Rows r(30, std::vector<double>(30));
  for (int a = 0; a < 30; a++)
    for (int b = 0; b < 30; b++) r[a][b] = re2e::Pearson(cols[a], cols[b]);
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

// The same seed at processor limits 1 and 2 gives the same results.
TEST(VariableTestE2E, HellingerCorrelationsBetweenSpeciesAtOneAndTwoProcessors) {
  const std::string setup = kDigits + kDune + kHellinger + kCorrelationVariables;
  PlexorFolder before = Folder();
  ExpectClean(before.run(setup + "X\n"));
  Rows table[2];
  for (int processors : {1, 2}) {
    PlexorFolder after = Folder();
    const std::string limit = "E\nM\n" + std::to_string(processors) + "\nC\n";
    const PlexorRun r = after.run(limit + setup + "A\n2\n42\n999\n0\nn\nn\nX\n");
    ExpectClean(r);
    const std::string z = From(after.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n");
    table[processors - 1] = RowsAfter(z, "above the main diagonal)", 30);
    // The test changes nothing the session records.
    EXPECT_EQ(SessionFiles(before), SessionFiles(after));
    if (processors == 2) continue;
    // After correlations between three or more variables, partial correlations are offered.
    ExpectHoldsAll(r.out, {"Number of permutations: Permutation restrictions: \n\t(0) none\n\t(1) take variables "
                           "arranged into a resemblance matrix (as in a Mantel test)\n",
                           "\n\nSee results on file Zoviri.txt.\nTest partial correlations? y/n "});
    ExpectHoldsAll(z, {"Vector transformation: (10)Hellinger transformation, within sampling units\n",
                       "Number of permutations: 999\nRandom number generation initializer: 42\nTest criterion "
                       "(Lambda):\n\tResemblance measure: (17)correlation, (2)comparing variables\nPermutation "
                       "restrictions:\tNone\nResults:\n\t(Resemblance matrix below the main diagonal and\n "
                       "corresponding probabilities P(|Lambda random| >= |Lambda observed|) above the main "
                       "diagonal)\n"});
  }
  EXPECT_EQ(table[0], table[1]);
  const Rows want = HellingerCorrelations();
  ASSERT_EQ(table[0].size(), 30u);
  double strongest = 0;
  int sa = 0, sb = 0;
  for (int a = 0; a < 30; a++) {
    ASSERT_EQ(table[0][a].size(), 30u) << a;
    for (int b = 0; b <= a; b++) EXPECT_NEAR(table[0][a][b], want[a][b], 1e-9) << a << "," << b;
    for (int b = a + 1; b < 30; b++) {
      const double P = table[0][a][b];
      EXPECT_GE(P, 1.0 / 999 - 1e-12);
      EXPECT_LE(P, 1.0);
      EXPECT_NEAR(P * 999, std::round(P * 999), 1e-6);
      if (std::fabs(want[a][b]) > strongest) strongest = std::fabs(want[a][b]), sa = a, sb = b;
    }
  }
  // The strongest correlation (about 0.9) leaves no random data set as extreme.
  EXPECT_GT(strongest, 0.8);
  EXPECT_LT(table[0][sa][sb], 0.01);
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
  ExpectHoldsAll(r.out, {"TESTES DE HIPOTESES VIA ALEATORIZACAO", "Restricoes nas permutacoes: \n\t(0) nenhuma\n",
                         "Ler grupos de aninhamento de um arquivo (a) ou do teclado (t)? a/t ",
                         "Salvar dados e resultados de cada permutacao aleatoria? s/n "});
  const std::string z = f.read("Zoviri.txt");
  ExpectHoldsAll(z, {"TESTE DE ALEATORIZACAO: Dados e resultados de cada permutacao\n",
                     "Criterio de teste:\n\tMedida de semelhanca: (22)covariancia, (2)compara variaveis\n",
                     "Permutacao 1:\nMatriz de dados:\n", "TESTE DE ALEATORIZACAO: Resultado final\n",
                     "Numero de permutacoes: 3\nInicializador da geracao de numeros aleatorios: 7\n"
                     "Criterio de teste (Lambda):\n",
                     "Restricoes nas permutacoes:\tPermutacoes restritas dentro de grupos especificados\n"
                     "Grupos:\t4\t1\t4\t4\t2\t2\t2\t2\t2\t1\t1\t4\t4\t3\t3\t4\t3\t3\t3\t3\t\n",
                     "Resultados:\n\t(Matriz de semelhanca abaixo da diagonal principal e\n"});
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

// Six units holding the pairs of a 4 x 4 matrix: a dimension of 3 is refused
// naming both numbers, 4 is taken. Bundles of unequal sizes are refused;
// equal bundles from the keyboard are reported with their memberships. Fewer
// than one permutation is asked again. Five units fit no matrix. With
// distances between sampling units the main menu does not offer A.
TEST(VariableTestE2E, RestrictionDialogue) {
  PlexorFolder f;
  f.write("m.txt", "1 2 4\n2 1 4\n3 5 1\n1 3 2\n2 4 7\n1 6 3\n");
  const std::string open = "N\nn\nm.txt\n1\n6\n3\nN\n1\nn\n" + kCorrelationVariables;
  PlexorRun r = f.run(open + "A\n2\n1\n0\n500\n1\n3\n4\nn\nn\n" +
                      "A\n2\n1\n100\n3\nk\n1 1 2 2 2 3\n3\nk\n5 5 1 1 9 9\nn\nn\nX\n");
  ExpectClean(r, true);
  EXPECT_TRUE(Holds(r.err, "Incorrect input = 0"));
  ExpectHoldsAll(r.out, {"A resemblance matrix of dimension 3 holds 3 values above the diagonal, but there are 6 "
                         "sampling units (one value in each).\nEnter the dimension of the embedded resemblance "
                         "matrix: ",
                         "Read bundling group memberships from file (f) or from the keyboard (k)? f/k Enter the "
                         "bundling group of each sampling unit:\nSampling unit:   \t1\t2\t3\t4\t5\t6\nBundling "
                         "groups:  "});
  EXPECT_EQ(CountOccurrences(r.out, "Unbalanced design. Permutation among bundling blocks is not possible.\n"), 1);
  ExpectHoldsAll(f.read("Zoviri.txt"),
                 {"Number of permutations: 500\n",
                  "Permutation restrictions:\tConsidered each variable arranged in a resemblance matrix (upper "
                  "diagonal) with 4 rows.\nResults:\n",
                  "Permutation restrictions:\tRestricted permutations as specified bundles (e.g. to avoid "
                  "autocorrelation\nGroups:\t5\t5\t1\t1\t9\t9\t\nResults:\n"});

  PlexorFolder five;
  five.write("m.txt", "1 2 4\n2 1 4\n3 5 1\n1 3 2\n2 4 7\n");
  r = five.run("N\nn\nm.txt\n1\n5\n3\nN\n1\nn\n" + kCorrelationVariables + "A\n2\n1\n10\n1\n4\n0\nn\nn\n" +
               "R\n1\n3\n0\nn\nA\nX\n");
  ExpectClean(r, true);
  EXPECT_TRUE(Holds(r.err, "Incorrect input = A."));
  EXPECT_EQ(CountOccurrences(r.out, "HYPOTHESIS TESTING VIA RANDOMIZATION"), 1);
  EXPECT_TRUE(Holds(r.out, "No resemblance matrix has exactly 5 values above the diagonal: choose another "
                           "restriction.\nPermutation restrictions: "));
  EXPECT_TRUE(Holds(five.read("Zoviri.txt"), "Permutation restrictions:\tNone\n"));
}

// Mutual entropy (order 1) of three qualitative variables over six units;
// the triplet test follows the main test. From the relative frequencies of
// the six units (x1 = 1 1 2 2 1 2, x2 = 1 2 1 2 1 2, x3 = 1 2 2 1 1 1), by
// hand: the triplet value, the sum of p ln(p / q) with q = p12 p13 p23 /
// (p1 p2 p3), is ln 3 - (2/3) ln 2; the mutual informations conditional to
// the third variable are ln 2 (x1, x2 | x3) and ln 3 - (2/3) ln 2 (the others).
TEST(VariableTestE2E, TripletTestAfterMutualEntropy) {
  PlexorFolder f;
  f.write("q.txt", "1 1 1\n1 2 2\n2 1 2\n2 2 1\n1 1 1\n2 2 1\n");
  const PlexorRun r = f.run("N\nn\nq.txt\n3\n6\n3\nN\n1\nn\nR\n2\n7\n1\n0\nn\n"
                            "A\n2\n5\n200\n0\nn\ny\n2\n6\n300\nn\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "\nTest for mutual entropy of variable triplets? y/n "));
  EXPECT_EQ(CountOccurrences(r.out, "HYPOTHESIS TESTING VIA RANDOMIZATION"), 2);
  const std::string z = From(f.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n");
  ExpectHoldsAll(z, {"Number of permutations: 300\nRandom number generation initializer: 6\n",
                     "\tResemblance measure: (7)mutual entropy, (2)comparing variables\n",
                     "\nMutual entropy between variables in triplets:\nVar. 1 x 2 x 3:\t",
                     "\nMutual entropy pairwise conditional (|) to a third variable:\nVar. 1 x 2 | 3:\t"});
  const double other = std::log(3.0) - 2.0 / 3.0 * std::log(2.0);
  const std::pair<const char*, double> lines[] = {
      {"Var. 1 x 2 x 3:\t", other}, {"Var. 1 x 2 | 3:\t", std::log(2.0)}, {"Var. 1 x 3 | 2:\t", other},
      {"Var. 2 x 3 | 1:\t", other}};
  for (const auto& [prefix, want] : lines) {
    // "%g\tnats (\t%g\tbits)\tP=\t%g"
    const size_t at = z.find(prefix);
    ASSERT_NE(at, std::string::npos) << prefix;
    const std::string line = z.substr(at, z.find('\n', at) - at);
    double nats = 0, bits = 0, P = 0;
    ASSERT_EQ(std::sscanf(line.c_str() + std::strlen(prefix), "%lf\tnats (\t%lf\tbits)\tP=\t%lf", &nats, &bits, &P), 3)
        << line;
    EXPECT_NEAR(nats, want, 1e-5) << prefix;
    EXPECT_NEAR(bits, want / std::log(2.0), 1e-5) << prefix;
    EXPECT_GE(P, 1.0 / 300 - 1e-9);
    EXPECT_LE(P, 1.0);
  }
}

// Option F run by the program, and option A's offer to test partial
// correlations: partial, Procrustes and Mantel correlations computed here
// from the data file, Fisher's C, its chi-square probability and AICc from
// the printed probabilities; the undirected search on a chain; every
// permutation written; the refusals; both languages, one and two processors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "randomization/RandomE2ESupport.h"

namespace {

using re2e::After;
using re2e::Column;
using re2e::ExpectClean;
using re2e::ExpectHoldsAll;
using re2e::From;
using re2e::Pearson;

const std::string kEnglish = "E\nF\n12\n0\nC\n";  // 12 significant digits
const std::string kPortuguese = "E\nL\nC\nE\nF\n12\n0\nC\n";

// A chain x1 -> x2 -> x3, x4 unrelated, and (when asked) x5 = x1 + x4 and a
// constant x6; the values as written to the file.
struct Table {
  std::vector<Column> cols;
  std::string text;
  int n;
};

Table Chain(int n, unsigned seed, bool wide = false) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> z(0, 1);
  const int p = wide ? 6 : 4;
  Table t;
  t.n = n;
  t.cols.assign(p, Column(n));
  char buf[64];
  for (int i = 0; i < n; i++) {
    double x[6];
    x[0] = z(gen);
    x[1] = 0.8 * x[0] + 0.6 * z(gen);
    x[2] = 0.8 * x[1] + 0.6 * z(gen);
    x[3] = z(gen);
    x[4] = x[0] + x[3] + 0.5 * z(gen);
    x[5] = 2.5;
    for (int j = 0; j < p; j++) {
      snprintf(buf, sizeof buf, "%.6f", x[j]);
      t.cols[j][i] = std::strtod(buf, nullptr);
      t.text += buf;
      t.text += j + 1 < p ? " " : "\n";
    }
  }
  for (int i = 1; i <= n; i++) t.text += "u" + std::to_string(i) + " ";
  for (int j = 1; j <= p; j++) t.text += "x" + std::to_string(j) + " ";
  t.text += "\n";
  return t;
}

std::string Open(const Table& t) {
  return "N\nn\nchain.txt\n1\n" + std::to_string(t.n) + "\n" + std::to_string(t.cols.size()) + "\nN\n2\nn\n";
}

// Partial correlation by the recursion on the last covariable.
double Partial(const std::vector<Column>& c, int a, int b, std::vector<int> given) {
  if (given.empty()) return Pearson(c[a], c[b]);
  const int z = given.back();
  given.pop_back();
  const double ab = Partial(c, a, b, given), az = Partial(c, a, z, given), bz = Partial(c, b, z, given);
  return (ab - az * bz) / std::sqrt((1 - az * az) * (1 - bz * bz));
}

// Upper tail of the chi-square distribution with an even number of degrees of freedom.
double ChiSquareQ(double x, int df) {
  double term = 1, sum = 0;
  for (int i = 0; i < df / 2; i++) {
    if (i > 0) term *= (x / 2) / i;
    sum += term;
  }
  return std::exp(-x / 2) * sum;
}

// Marks of the variables (0/1 answers) for the statement dialogue.
std::string Marks(int p, std::vector<int> on) {
  std::string s;
  for (int j = 1; j <= p; j++) {
    bool m = false;
    for (int k : on) m = m || k == j;
    s += m ? "1" : "0";
    s += j < p ? " " : "\n";
  }
  return s;
}

// A statement: pair, order and covariables (1-based).
std::string Statement(int p, int a, int b, std::vector<int> given) {
  std::string s = Marks(p, {a, b}) + std::to_string(given.size()) + "\n";
  if (!given.empty()) s += Marks(p, given);
  return s;
}

// The basis-set test of four statements with distances between units in
// force, then the undirected search, at processor limits 1 and 2.
TEST(PathAnalysisE2E, BasisSetTestAndUndirectedSearchAtOneAndTwoProcessors) {
  const Table t = Chain(300, 5);
  auto run = [&](const std::string& processors, std::string* out) {
    PlexorFolder f;
    f.write("chain.txt", t.text);
    const PlexorRun r =
        f.run("E\nM\n" + processors + "\nC\n" + kEnglish + Open(t) + "R\n1\n3\n0\nn\n" +
              "F\n1\n1\n2\n7\n999\n0\nn\n2\n4\n2\n" + Statement(4, 1, 3, {2}) + Statement(4, 1, 4, {}) +
              Statement(4, 2, 4, {1}) + Statement(4, 3, 4, {1, 2}) + "F\n1\n2\n2\n9\n199\n0\ny\n1\n0.05\nX\n");
    ExpectClean(r);
    *out = r.out;
    return f.read("Zoviri.txt");
  };
  std::string out, out2;
  const std::string z = run("1", &out);
  EXPECT_EQ(re2e::WithoutTimes(z), re2e::WithoutTimes(run("2", &out2)));
  ExpectHoldsAll(out, {"Perform path analysis based on: \n\t(1) the original 4 variables (univariate analysis)\n\t(2) "
                       "specified blocks of variables (partitioning the original data matrix)\n\t\tEntre opcao: ",
                       "Null model for testing partial correlations: \n\t(1) permute all variables (or blocks of "
                       "variables) at once\n\t(2) permute only the first variable (or block of variables) for "
                       "testing each d-separation statement (Smouse et al. 1986)\n\t\tEntre opcao: ",
                       "Number of permutations: Permutation restrictions: \n",
                       "Save intermediate results of the algorithm? y/n Path analysis options: \n\t(1) search for "
                       "an undirected dependency model (run algorithm)\n\t(2) specify and test a directed path "
                       "model\n\t\tEntre opcao: ",
                       "Specify the number of variables in the model (to compute the size of the basis set as in "
                       "Shipley 2000): Specify the number of paths in the model (to compute the size of the basis "
                       "set as in Shipley 2000): Specify now the 4 correlations to be computed (size of the basis "
                       "set as in Shipley 2000):\n",
                       "\nSpecify the variable pair compared in the partial correlation of order zero to 2: "
                       "\nVariables:            x1 x2 x3 x4 \nSpecify which (0/1):  Specify the order of the partial "
                       "correlation (number of covariables, zero to 2): Variables:                  x1 x2 x3 x4 "
                       "\nSpecify covariables (0/1):  ",
                       "Specify the probability threshold (alpha) for considering the correlations significant: "});
  // The session's distances between units are still in force.
  EXPECT_TRUE(Holds(out.substr(out.rfind("See results on file Zoviri.txt.")),
                    "Resemblance measure: (3)Euclidean distance, (1)comparing sampling units\n"));

  // The basis-set test's block, up to the search's.
  const std::string b = From(z.substr(0, z.find("Undirected path algorithm")), "\nPATH ANALYSIS\n");
  ExpectHoldsAll(b, {"PLEXOR ", "Elapsed time: ", "Resemblance measure: (17)correlation, (2)comparing variables\n",
                     "Number of permutations: 999\nRandom number generation initializer: 7\n\nPermutation "
                     "method:\tPermutation of all variables (or blocks of variables) at once.\n\nResults for the "
                     "specified (partial) correlations:\nCorrelation r =\t"});
  EXPECT_TRUE(Lacks(b, "Permutation restrictions"));
  const std::vector<std::pair<const char*, double>> want = {
      {"\tVariable pair:\tx1\tx3\tCovariable(s):\tx2\n", Partial(t.cols, 0, 2, {1})},
      {"\tVariable pair:\tx1\tx4\n", Partial(t.cols, 0, 3, {})},
      {"\tVariable pair:\tx2\tx4\tCovariable(s):\tx1\n", Partial(t.cols, 1, 3, {0})},
      {"\tVariable pair:\tx3\tx4\tCovariable(s):\tx1\tx2\nFisher's C", Partial(t.cols, 2, 3, {0, 1})}};
  double C = 0;
  size_t at = 0;
  for (const auto& [tail, r] : want) {
    const size_t line = b.find("\nCorrelation r =\t", at);
    ASSERT_NE(line, std::string::npos);
    at = b.find('\n', line + 1);
    const std::string l = b.substr(line, at - line + 1);
    EXPECT_NEAR(After(l, "Correlation r =\t"), r, 5e-6 * std::max(1.0, std::fabs(r))) << l;
    const double P = After(l, "P-value =\t");
    EXPECT_GE(P, 1.0 / 999 - 1e-9);
    EXPECT_LE(P, 1.0);
    EXPECT_NEAR(P * 999, std::round(P * 999), 0.01);
    EXPECT_TRUE(Holds(b.substr(line), tail));
    C -= 2 * std::log(P);
  }
  const double printedC = After(b, "Fisher's C statistics (Shipley 2000):\t");
  EXPECT_NEAR(printedC, C, 1e-4 * C);
  EXPECT_TRUE(Holds(b, "\tP-value chi-square distribution with 8 degrees of freedom =\t"));
  EXPECT_NEAR(After(b, "degrees of freedom =\t"), ChiSquareQ(printedC, 8), 1e-5);
  // K = V + A = 6, n = 300.
  EXPECT_NEAR(After(b, "AICc (Akaike's information criterion with correction for small sample (Shipley 2013):\t"),
              printedC + 2.0 * 6 * 300 / (300 - 6 - 1), 1e-4);
  EXPECT_TRUE(Holds(b, "\tK=\t6\n"));

  // The search: x1 - x2 - x3 linked, x4 alone.
  EXPECT_GE(CountOccurrences(z, "Undirected path algorithm: Intermediate results\n"), 2);
  ExpectHoldsAll(z, {"\nObserved correlations and p-value:\nVariable pair:\tx1\tx2\t",
                     "\tIntermediate undirected path matrix (1 indicates a link, 0 indicates no link between the "
                     "variables)\n"});
  const std::string last = From(z,
                                "PATH ANALYSIS: Undirected dependency model algorithm described in Shipley 2000 "
                                "(quoted as by Spirtes, Glymour and Scheines 1990)\nFinal results:\n");
  ExpectHoldsAll(last, {"Number of permutations: 199\nRandom number generation initializer: 9\nTest criterion:\n\t"
                        "Resemblance measure: (17)correlation, (2)comparing variables\nPermutation restrictions:\tNone"
                        "\n\nResults:\n\tAlpha probability threshold: \t0.05\n\tUndirected path matrix (1 "
                        "indicates a link, 0 indicates no link between the variables)\n0\t\n1\t0\t\n0\t1\t0\t\n0"
                        "\t0\t0\t0\t\n",
                        "Elapsed time: "});
  // The order-0 test of x1 and x2 reports their correlation.
  EXPECT_NEAR(After(z, "Variable pair:\tx1\tx2\t"), Pearson(t.cols[0], t.cols[1]), 5e-6);
}

TEST(PathAnalysisE2E, EveryPermutationWrittenAndTheModelDialogueRefusals) {
  const Table t = Chain(8, 3);
  PlexorFolder f;
  f.write("chain.txt", t.text);
  // V = 3: A = 5 is beyond the range, A = 3 leaves no statement: refused, A = 2 taken. Three
  // variables marked for the pair, then two; one covariable asked and two
  // marked, then the pair's own variable marked, then x2.
  const std::string answers = kEnglish + Open(t) + "F\n1\n2\n2\n5\n3\n0\ny\n2\n3\n5\n3\n2\n" + Marks(4, {1, 2, 3}) +
                              Marks(4, {1, 3}) + "1\n" + Marks(4, {2, 4}) + Marks(4, {3}) + Marks(4, {2}) + "X\n";
  const PlexorRun r = f.run(answers);
  ExpectClean(r, true);
  EXPECT_TRUE(Holds(r.err, "Incorrect input = 5"));  // A above V(V-1)/2 + 1 = 4
  ExpectHoldsAll(
      r.out,
      {"\nA model of 3 variables and 3 paths leaves no d-separation statement to test (basis set of size 0). "
       "Specify at most 2 paths.\n",
       "\nError! Please specify two variables. Try again.\n", "\nError! Please specify 1 covariables. Try again.\n",
       "\nError! The variables of the pair cannot be covariables. Try again.\n",
       "Specify now the 1 correlations to be computed"});

  const std::string z = f.read("Zoviri.txt");
  ExpectHoldsAll(
      z, {"RANDOMIZATION TEST FOR PATH ANALYSIS: Data and results of each permutation\n", "Number of permutations: 3\n",
          "Test criterion:\n\tResemblance measure: (17)correlation, (2)comparing variables\nPermutation 1:\nData "
          "matrix:\n",
          "\nObserved correlations:\nVariable pair:\tx1\tx3\tCovariable(s):\tx2\t", "\nIteration: 2\nRandom data:\n",
          "\nIteration: 3\nRandom data:\n",
          "\nPermuted correlation matrix (according to Smouse et al. 1986) for variable "
          "pair:\tx1\tx3\tCovariable(s):\tx2\n",
          "\nCorrelation matrix based on permuted data:\n", "\nRandom correlations:\nCorrelation:\t",
          "\nPATH ANALYSIS: Final results\n",
          "\nPermutation method:\tPermutation of only the first variable (or block of variables) for testing each "
          "d-separation statement (Smouse et al. 1986).\n",
          "\tK=\t5\n"});
  EXPECT_EQ(CountOccurrences(z, "Random data:\n"), 2);
  // Each random data set holds each variable's values in some order.
  const size_t p = z.find("Iteration: 2\nRandom data:\n");
  std::vector<std::string> lines = Lines(z.substr(p));
  std::vector<Column> random(4);
  for (int i = 0; i < 8; i++) {
    const std::vector<double> row = Numbers(lines[2 + i]);
    ASSERT_EQ(row.size(), 4u) << lines[2 + i];
    for (int j = 0; j < 4; j++) random[j].push_back(row[j]);
  }
  for (int j = 0; j < 4; j++) {
    Column a = random[j], b = t.cols[j];
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    for (int i = 0; i < 8; i++) EXPECT_NEAR(a[i], b[i], 1e-9) << "variable " << j + 1;
  }
  EXPECT_NEAR(After(z, "\nCorrelation r =\t"), Partial(t.cols, 0, 2, {1}), 1e-5);
}

// Euclidean distances between units over the given columns, and the Mantel r
// of two such matrices (pairs i < j).
std::vector<double> Distances(const Table& t, std::vector<int> cols) {
  std::vector<double> d;
  for (int i = 0; i < t.n; i++)
    for (int j = i + 1; j < t.n; j++) {
      double s = 0;
      for (int c : cols) s += (t.cols[c][i] - t.cols[c][j]) * (t.cols[c][i] - t.cols[c][j]);
      d.push_back(std::sqrt(s));
    }
  return d;
}

TEST(PathAnalysisE2E, BlocksByProcrustesAndMantelCorrelations) {
  const Table t = Chain(40, 8, true);
  PlexorFolder f;
  f.write("chain.txt", t.text);
  // Procrustes: four blocks of one column (x5, x6 left out), first sizes
  // too many; statements 1-3 | 2 and 1-4; the maximum basis set is 3.
  // Mantel: three blocks {x1, x2}, {x3}, {x4, x5}; statement 1-3 | 2 and two
  // statements, more than the maximum of 1. Then the search, refused for the
  // constant x6 before the threshold is asked.
  const std::string answers = kEnglish + Open(t) + "F\n2\n1\n2\n4\n99\n0\nn\n1\n4\n3 3 1 1\n1 1 1 1\n2\n" +
                              Statement(4, 1, 3, {2}) + Statement(4, 1, 4, {}) +
                              "F\n2\n2\n2\n4\n99\n0\nn\n2\n3\n2 1 2\n2\n" + Statement(3, 1, 3, {2}) +
                              Statement(3, 2, 3, {}) + "F\n1\n2\n2\n9\n99\n0\nn\n1\nX\n";
  const PlexorRun r = f.run(answers);
  ExpectClean(r);
  ExpectHoldsAll(
      r.out,
      {"Use as test criterion: \n\t(1) Procrustes correlations\n\t(2) Mantel correlations\n\t\tEntre opcao: ",
       "Specify the number of blocks of variables: \nBlocks of variables:                           1 2 3 4 "
       "\nSpecify the number of variables in each block: ",
       "\nError! Sum of block sizes is larger than the number of variables.",
       "\nSpecify the variable block pair compared in the partial correlation of order zero to 2: \nBlocks of "
       "variables:  1 2 3 4 \nSpecify which (0/1):  ",
       "\nSpecify blocks of covariables (0/1): ",
       "Number of correlations is larger than the maximum size of the basis set. ",
       "\nConstant variables have no partial correlations (they would all be infinite), and the search cannot use "
       "them: x6\n"});
  EXPECT_TRUE(Lacks(r.out, "Specify the probability threshold"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Lacks(z, "Undirected"));
  const size_t mantel = z.find("Mantel correlation");
  ASSERT_NE(mantel, std::string::npos);
  const std::string procrustes = z.substr(0, mantel), m = z.substr(z.rfind("\nPATH ANALYSIS\n"));
  ExpectHoldsAll(
      procrustes,
      {"Test criterion:\n\tResemblance measure: Procrustes correlation\nBlocks of variables:\nBlock 1:\tx1\nBlock "
       "2:\tx2\nBlock 3:\tx3\nBlock 4:\tx4\nVariables left out of the blocks:\tx5\tx6\n",
       "\tVariable pair (blocks):\t1\t3\tCovariable(s) (blocks):\t2\n", "\tVariable pair (blocks):\t1\t4\nFisher"});
  // Blocks of one column: the Procrustes correlation is |r|.
  const double a12 = std::fabs(Pearson(t.cols[0], t.cols[1])), a13 = std::fabs(Pearson(t.cols[0], t.cols[2])),
               a23 = std::fabs(Pearson(t.cols[1], t.cols[2]));
  EXPECT_NEAR(After(procrustes, "\nCorrelation r =\t"),
              (a13 - a12 * a23) / std::sqrt((1 - a12 * a12) * (1 - a23 * a23)), 5e-6);
  EXPECT_NEAR(After(procrustes, "\nCorrelation r =\t", procrustes.find("\tVariable pair (blocks):\t1\t3")),
              std::fabs(Pearson(t.cols[0], t.cols[3])), 5e-6);
  // K = B + (B(B-1)/2 - k) = 4 + 4.
  EXPECT_TRUE(Holds(procrustes, "\tK=\t8\n"));

  ExpectHoldsAll(m, {"\tResemblance measure: Mantel correlation ((3)Euclidean distance, (1)comparing sampling units)\n",
                     "Block 1:\tx1\tx2\nBlock 2:\tx3\nBlock 3:\tx4\tx5\nVariables left out of the blocks:\tx6\n",
                     "Permutation of only the first variable (or block of variables)"});
  const std::vector<double> d1 = Distances(t, {0, 1}), d2 = Distances(t, {2}), d3 = Distances(t, {3, 4});
  const double m12 = Pearson(d1, d2), m13 = Pearson(d1, d3), m23 = Pearson(d2, d3);
  EXPECT_NEAR(After(m, "\nCorrelation r =\t"), (m13 - m12 * m23) / std::sqrt((1 - m12 * m12) * (1 - m23 * m23)), 5e-6);
  EXPECT_NEAR(After(m, "\nCorrelation r =\t", m.find("Covariable(s) (blocks):\t2\n")), m23, 5e-6);
  // The session's resemblance settings are back: no resemblance was held.
  EXPECT_TRUE(Lacks(r.out.substr(r.out.rfind("See results")), "Resemblance measure"));
}

// Option A's offer of partial correlations, in both languages; in
// Portuguese then option F's test and search.
TEST(PathAnalysisE2E, PartialCorrelationsAfterOptionAAndPortuguese) {
  const Table t = Chain(50, 4);
  for (bool portuguese : {false, true}) {
    PlexorFolder f;
    f.write("chain.txt", t.text);
    const std::string yes = portuguese ? "s" : "y",
                      heading = portuguese ? "\nANALISE DE CAMINHOS\n" : "\nPATH ANALYSIS\n";
    const std::string r12 = portuguese ? "Correlacao r =\t" : "Correlation r =\t";
    const PlexorRun r =
        f.run((portuguese ? kPortuguese : kEnglish) + Open(t) + "R\n2\n17\n0\nn\n" + "A\n2\n5\n99\n0\nn\n" + yes +
              "\n2\n3\n2\n" + Statement(4, 1, 3, {2}) + yes + "\n1\n3\n2\n" + Statement(4, 2, 4, {}) + "n\n" +
              (portuguese ? "F\n1\n1\n2\n3\n99\n0\nn\n2\n3\n2\n" + Statement(4, 1, 3, {2}) +
                                "F\n1\n2\n2\n3\n99\n0\ns\n1\n0.05\n"
                          : "") +
              "X\n");
    ExpectClean(r);
    const char* question = portuguese ? "\nTestar correlacoes parciais? s/n " : "\nTest partial correlations? y/n ";
    EXPECT_EQ(CountOccurrences(r.out, question), 3);
    EXPECT_TRUE(Holds(r.out, portuguese
                                 ? "Modelo nulo para testar correlacoes parciais: \n\t(1) permutar todas as "
                                   "variaveis ao mesmo tempo\n\t(2) permutar somente a primeira variavel (Smouse "
                                   "et al. 1986)\n\t\tEntre opcao: "
                                 : "Null model for testing partial correlations: \n\t(1) permute all variables "
                                   "at once\n\t(2) permute only the first variable (Smouse et al. 1986)\n\t\tEntre "
                                   "opcao: "));
    const std::string z = f.read("Zoviri.txt");
    // The two tests after A (seed 5), then F's (seed 3).
    EXPECT_EQ(CountOccurrences(z, heading), portuguese ? 3 : 2);
    const std::vector<std::string> blocks = re2e::Sections(z, heading);
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_NEAR(After(blocks[0], r12), Partial(t.cols, 0, 2, {1}), 5e-6);
    EXPECT_TRUE(Holds(blocks[1], portuguese
                                     ? "Numero de permutacoes: 99\nInicializador da geracao de numeros aleatorios: 5\n"
                                     : "Number of permutations: 99\nRandom number generation initializer: 5\n"));
    EXPECT_NEAR(After(blocks[1], r12), Pearson(t.cols[1], t.cols[3]), 5e-6);
    if (!portuguese) continue;
    ExpectHoldsAll(
        r.out, {"Realizar analise de caminhos baseada em: \n\t(1) as 4 variaveis originais (analise univariada)\n",
                "Guardar resultados intermediarios do algoritmo? s/n ", "Opcoes de analise de caminhos: \n",
                "Especifique agora as 1 correlacoes a serem calculadas", "\nVeja resultados no arquivo Zoviri.txt."});
    ASSERT_EQ(blocks.size(), 3u);
    ExpectHoldsAll(
        blocks[2],
        {"Numero de permutacoes: 99\nInicializador da geracao de numeros aleatorios: 3\n",
         "\nMetodo de permutacao:\tPermutacao de todas as variaveis (ou blocos de variaveis) ao mesmo tempo.\n",
         "\nResultados para as correlacoes especificadas (parciais ou nao):\nCorrelacao r =\t",
         "\tPar de variaveis:\tx1\tx3\tCovariavel(is):\tx2\n", "\nEstatistica C de Fisher (Shipley 2000):\t",
         "AICc (criterio de informacao de Akaike corrigido para amostra pequena (Shipley 2013):\t",
         "Algoritmo de caminhos nao dirigidos: Resultados intermediarios\n",
         "ANALISE DE CAMINHOS: Algoritmo para gerar modelo de relacoes de dependencia nao dirigida, described in "
         "Shipley 2000 (Spirtes, Glymour and Scheines 1990)\nResultado final:\n",
         "Restricoes nas permutacoes:\tNenhuma\n\nResultados:\n\tLimiar the probabilidade alfa: \t0.05\n\tMatriz "
         "indicando caminhos nao direcionais entre as variaveis ()\n"});
    EXPECT_NEAR(After(blocks[2], r12), Partial(t.cols, 0, 2, {1}), 5e-6);
  }
}

}  // namespace

// Option F run by the program, and option A's offer to test partial
// correlations: the basis-set test of variables (observed partial
// correlations computed here from the data file, Fisher's C, its chi-square
// probability and AICc from the printed probabilities), every permutation
// written, the refusals of the model dialogue, the undirected search on a
// chain, the block variants (Procrustes and Mantel correlations computed
// here), both languages, one and two processors, and the session's
// resemblance settings left as they were.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

namespace {

using Column = std::vector<double>;

const std::string kEnglish = "E\nF\n12\n0\nC\n";        // 12 significant digits
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

double Pearson(const Column& x, const Column& y) {
  double mx = 0, my = 0;
  for (size_t i = 0; i < x.size(); i++) mx += x[i] / x.size(), my += y[i] / y.size();
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); i++) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

// Partial correlation by the recursion on the last covariable.
double Partial(const std::vector<Column>& c, int a, int b, std::vector<int> given) {
  if (given.empty()) return Pearson(c[a], c[b]);
  const int z = given.back();
  given.pop_back();
  const double ab = Partial(c, a, b, given), az = Partial(c, a, z, given), bz = Partial(c, b, z, given);
  return (ab - az * bz) / std::sqrt((1 - az * az) * (1 - bz * bz));
}

// The number after the first `marker` at or after `from`.
double After(const std::string& text, const std::string& marker, size_t from = 0) {
  const size_t p = text.find(marker, from);
  if (p == std::string::npos) return NAN;
  return std::strtod(text.c_str() + p + marker.size(), nullptr);
}

std::string From(const std::string& z, const std::string& heading) {
  const size_t p = z.rfind(heading);
  return p == std::string::npos ? std::string() : z.substr(p);
}

void ExpectClean(const PlexorRun& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("End of file"), std::string::npos) << r.err;
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

TEST(PathAnalysisE2E, BasisSetTestOfVariables) {
  const Table t = Chain(120, 11);
  PlexorFolder f;
  f.write("chain.txt", t.text);
  // Distances between units in force; V = 4, A = 2: four statements.
  const std::string answers = kEnglish + Open(t) + "R\n1\n3\n0\nn\n" + "F\n1\n1\n2\n7\n999\n0\nn\n2\n4\n2\n" +
                              Statement(4, 1, 3, {2}) + Statement(4, 1, 4, {}) + Statement(4, 2, 4, {1}) +
                              Statement(4, 3, 4, {1, 2}) + "X\n";
  const PlexorRun r = f.run(answers);
  ExpectClean(r);
  for (const char* text :
       {"Perform path analysis based on: \n\t(1) the original 4 variables (univariate analysis)\n\t(2) specified "
        "blocks of variables (partitioning the original data matrix)\n\t\tEntre opcao: ",
        "Null model for testing partial correlations: \n\t(1) permute all variables (or blocks of variables) at "
        "once\n\t(2) permute only the first variable (or block of variables) for testing each d-separation "
        "statement (Smouse et al. 1986)\n\t\tEntre opcao: ",
        "HYPOTHESIS TESTING VIA RANDOMIZATION", "Number of permutations: Permutation restrictions: \n",
        "Save intermediate results of the algorithm? y/n Path analysis options: \n\t(1) search for an undirected "
        "dependency model (run algorithm)\n\t(2) specify and test a directed path model\n\t\tEntre opcao: ",
        "Specify the number of variables in the model (to compute the size of the basis set as in Shipley 2000): "
        "Specify the number of paths in the model (to compute the size of the basis set as in Shipley 2000): "
        "Specify now the 4 correlations to be computed (size of the basis set as in Shipley 2000):\n",
        "\nSpecify the variable pair compared in the partial correlation of order zero to 2: \nVariables:            "
        "x1 x2 x3 x4 \nSpecify which (0/1):  Specify the order of the partial correlation (number of covariables, "
        "zero to 2): Variables:                  x1 x2 x3 x4 \nSpecify covariables (0/1):  ",
        "\n\nSee results on file Zoviri.txt."})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;

  const std::string z = From(f.read("Zoviri.txt"), "\nPATH ANALYSIS\n");
  ASSERT_FALSE(z.empty());
  for (const char* text : {"PLEXOR ", "Elapsed time: ", "Resemblance measure: (17)correlation, (2)comparing variables\n",
                           "Number of permutations: 999\nRandom number generation initializer: 7\n\nPermutation "
                           "method:\tPermutation of all variables (or blocks of variables) at once.\n\nResults for "
                           "the specified (partial) correlations:\nCorrelation r =\t"})
    EXPECT_NE(z.find(text), std::string::npos) << text;
  EXPECT_EQ(z.find("Permutation restrictions"), std::string::npos);

  struct Expected {
    const char* tail;
    double r;
  };
  const std::vector<Expected> want = {
      {"\tVariable pair:\tx1\tx3\tCovariable(s):\tx2\n", Partial(t.cols, 0, 2, {1})},
      {"\tVariable pair:\tx1\tx4\n", Partial(t.cols, 0, 3, {})},
      {"\tVariable pair:\tx2\tx4\tCovariable(s):\tx1\n", Partial(t.cols, 1, 3, {0})},
      {"\tVariable pair:\tx3\tx4\tCovariable(s):\tx1\tx2\nFisher's C", Partial(t.cols, 2, 3, {0, 1})}};
  double C = 0;
  size_t at = 0;
  for (const Expected& e : want) {
    const size_t line = z.find("\nCorrelation r =\t", at);
    ASSERT_NE(line, std::string::npos);
    const size_t end = z.find('\n', line + 1);
    const std::string l = z.substr(line, end - line + 1);
    EXPECT_NEAR(After(l, "Correlation r =\t"), e.r, 5e-6 * std::max(1.0, std::fabs(e.r))) << l;
    const double P = After(l, "P-value =\t");
    EXPECT_GE(P, 1.0 / 999 - 1e-9);
    EXPECT_LE(P, 1.0);
    EXPECT_NEAR(P * 999, std::round(P * 999), 0.01);
    EXPECT_NE(z.find(e.tail, line), std::string::npos) << e.tail;
    C -= 2 * std::log(P);
    at = end;
  }
  const double printedC = After(z, "Fisher's C statistics (Shipley 2000):\t");
  EXPECT_NEAR(printedC, C, 1e-4 * C);
  EXPECT_NE(z.find("\tP-value chi-square distribution with 8 degrees of freedom =\t"), std::string::npos);
  EXPECT_NEAR(After(z, "degrees of freedom =\t"), ChiSquareQ(printedC, 8), 1e-5);
  // K = V + A = 6, n = 120.
  EXPECT_NEAR(After(z, "AICc (Akaike's information criterion with correction for small sample (Shipley 2013):\t"),
              printedC + 2.0 * 6 * 120 / (120 - 6 - 1), 1e-4);
  EXPECT_NE(z.find("\tK=\t6\n"), std::string::npos);
  // The session's distances between units are still in force.
  const std::string after = r.out.substr(r.out.rfind("See results on file Zoviri.txt."));
  EXPECT_NE(after.find("Resemblance measure: (3)Euclidean distance, (1)comparing sampling units\n"),
            std::string::npos);
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
  ExpectClean(r);
  EXPECT_NE(r.err.find("Incorrect input"), std::string::npos) << "A above V(V-1)/2 + 1 = 4 is refused by the reader";
  for (const char* text :
       {"\nA model of 3 variables and 3 paths leaves no d-separation statement to test (basis set of size 0). "
        "Specify at most 2 paths.\n",
        "\nError! Please specify two variables. Try again.\n", "\nError! Please specify 1 covariables. Try again.\n",
        "\nError! The variables of the pair cannot be covariables. Try again.\n",
        "Specify now the 1 correlations to be computed"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;

  const std::string z = f.read("Zoviri.txt");
  for (const char* text :
       {"RANDOMIZATION TEST FOR PATH ANALYSIS: Data and results of each permutation\n", "Number of permutations: 3\n",
        "Test criterion:\n\tResemblance measure: (17)correlation, (2)comparing variables\nPermutation 1:\nData matrix:\n",
        "\nObserved correlations:\nVariable pair:\tx1\tx3\tCovariable(s):\tx2\t", "\nIteration: 2\nRandom data:\n",
        "\nIteration: 3\nRandom data:\n",
        "\nPermuted correlation matrix (according to Smouse et al. 1986) for variable pair:\tx1\tx3\tCovariable(s):\tx2\n",
        "\nCorrelation matrix based on permuted data:\n", "\nRandom correlations:\nCorrelation:\t",
        "\nPATH ANALYSIS: Final results\n",
        "\nPermutation method:\tPermutation of only the first variable (or block of variables) for testing each "
        "d-separation statement (Smouse et al. 1986).\n",
        "\tK=\t5\n"})
    EXPECT_NE(z.find(text), std::string::npos) << text;
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

TEST(PathAnalysisE2E, UndirectedSearchFindsTheChain) {
  const Table t = Chain(300, 5);
  PlexorFolder f;
  f.write("chain.txt", t.text);
  const PlexorRun r = f.run(kEnglish + Open(t) + "F\n1\n2\n2\n9\n199\n0\ny\n1\n0.05\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("Specify the probability threshold (alpha) for considering the correlations significant: "),
            std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_GE(CountOccurrences(z, "Undirected path algorithm: Intermediate results\n"), 2);
  EXPECT_NE(z.find("\nObserved correlations and p-value:\nVariable pair:\tx1\tx2\t"), std::string::npos);
  EXPECT_NE(z.find("\tIntermediate undirected path matrix (1 indicates a link, 0 indicates no link between the "
                   "variables)\n"),
            std::string::npos);
  const std::string last = From(z, "PATH ANALYSIS: Undirected dependency model algorithm described in Shipley 2000 "
                                   "(quoted as by Spirtes, Glymour and Scheines 1990)\nFinal results:\n");
  ASSERT_FALSE(last.empty());
  for (const char* text :
       {"Number of permutations: 199\nRandom number generation initializer: 9\nTest criterion:\n\tResemblance "
        "measure: (17)correlation, (2)comparing variables\nPermutation restrictions:\tNone\n\nResults:\n\tAlpha "
        "probability threshold: \t0.05\n\tUndirected path matrix (1 indicates a link, 0 indicates no link between "
        "the variables)\n0\t\n1\t0\t\n0\t1\t0\t\n0\t0\t0\t0\t\n",
        "Elapsed time: "})
    EXPECT_NE(last.find(text), std::string::npos) << text;
  // The order-0 test of x1 and x2 reports their correlation and the smallest probability.
  const double r12 = After(z, "Variable pair:\tx1\tx2\t");
  EXPECT_NEAR(r12, Pearson(t.cols[0], t.cols[1]), 5e-6);

  // A constant variable is refused before the threshold is asked.
  const Table wide = Chain(30, 6, true);
  PlexorFolder g;
  g.write("chain.txt", wide.text);
  const PlexorRun c = g.run(kEnglish + Open(wide) + "F\n1\n2\n2\n9\n99\n0\nn\n1\nX\n");
  ExpectClean(c);
  EXPECT_NE(c.out.find("\nConstant variables have no partial correlations (they would all be infinite), and the "
                       "search cannot use them: x6\n"),
            std::string::npos);
  EXPECT_EQ(c.out.find("Specify the probability threshold"), std::string::npos);
  EXPECT_EQ(g.read("Zoviri.txt").find("PATH ANALYSIS"), std::string::npos);
}

TEST(PathAnalysisE2E, PortugueseTestAndSearch) {
  const Table t = Chain(60, 21);
  PlexorFolder f;
  f.write("chain.txt", t.text);
  const PlexorRun r = f.run(kPortuguese + Open(t) + "F\n1\n1\n2\n3\n99\n0\nn\n2\n3\n2\n" + Statement(4, 1, 3, {2}) +
                            "F\n1\n2\n2\n3\n99\n0\ns\n1\n0.05\nX\n");
  ExpectClean(r);
  for (const char* text :
       {"Realizar analise de caminhos baseada em: \n\t(1) as 4 variaveis originais (analise univariada)\n",
        "Guardar resultados intermediarios do algoritmo? s/n ", "Opcoes de analise de caminhos: \n",
        "Especifique agora as 1 correlacoes a serem calculadas",
        "\nVeja resultados no arquivo Zoviri.txt."})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
  const std::string z = f.read("Zoviri.txt");
  for (const char* text :
       {"\nANALISE DE CAMINHOS\n", "Numero de permutacoes: 99\nInicializador da geracao de numeros aleatorios: 3\n",
        "\nMetodo de permutacao:\tPermutacao de todas as variaveis (ou blocos de variaveis) ao mesmo tempo.\n",
        "\nResultados para as correlacoes especificadas (parciais ou nao):\nCorrelacao r =\t",
        "\tPar de variaveis:\tx1\tx3\tCovariavel(is):\tx2\n",
        "\nEstatistica C de Fisher (Shipley 2000):\t",
        "AICc (criterio de informacao de Akaike corrigido para amostra pequena (Shipley 2013):\t",
        "Algoritmo de caminhos nao dirigidos: Resultados intermediarios\n",
        "ANALISE DE CAMINHOS: Algoritmo para gerar modelo de relacoes de dependencia nao dirigida, described in "
        "Shipley 2000 (Spirtes, Glymour and Scheines 1990)\nResultado final:\n",
        "Restricoes nas permutacoes:\tNenhuma\n\nResultados:\n\tLimiar the probabilidade alfa: \t0.05\n\tMatriz "
        "indicando caminhos nao direcionais entre as variaveis ()\n"})
    EXPECT_NE(z.find(text), std::string::npos) << text;
  EXPECT_NEAR(After(z, "Correlacao r =\t"), Partial(t.cols, 0, 2, {1}), 5e-6);
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
  // statements, more than the maximum of 1.
  const std::string answers = kEnglish + Open(t) + "F\n2\n1\n2\n4\n99\n0\nn\n1\n4\n3 3 1 1\n1 1 1 1\n2\n" +
                              Statement(4, 1, 3, {2}) + Statement(4, 1, 4, {}) +
                              "F\n2\n2\n2\n4\n99\n0\nn\n2\n3\n2 1 2\n2\n" + Statement(3, 1, 3, {2}) +
                              Statement(3, 2, 3, {}) + "X\n";
  const PlexorRun r = f.run(answers);
  ExpectClean(r);
  for (const char* text :
       {"Use as test criterion: \n\t(1) Procrustes correlations\n\t(2) Mantel correlations\n\t\tEntre opcao: ",
        "Specify the number of blocks of variables: \nBlocks of variables:                           1 2 3 4 "
        "\nSpecify the number of variables in each block: ",
        "\nError! Sum of block sizes is larger than the number of variables.",
        "\nSpecify the variable block pair compared in the partial correlation of order zero to 2: \nBlocks of "
        "variables:  1 2 3 4 \nSpecify which (0/1):  ",
        "\nSpecify blocks of covariables (0/1): ",
        "Number of correlations is larger than the maximum size of the basis set. "})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
  const std::string z = f.read("Zoviri.txt");
  const size_t mantel = z.find("Mantel correlation");
  ASSERT_NE(mantel, std::string::npos);
  const std::string procrustes = z.substr(0, mantel), m = z.substr(z.rfind("\nPATH ANALYSIS\n"));
  for (const char* text :
       {"Test criterion:\n\tResemblance measure: Procrustes correlation\nBlocks of variables:\nBlock 1:\tx1\nBlock "
        "2:\tx2\nBlock 3:\tx3\nBlock 4:\tx4\nVariables left out of the blocks:\tx5\tx6\n",
        "\tVariable pair (blocks):\t1\t3\tCovariable(s) (blocks):\t2\n", "\tVariable pair (blocks):\t1\t4\nFisher"})
    EXPECT_NE(procrustes.find(text), std::string::npos) << text;
  // Blocks of one column: the Procrustes correlation is |r|.
  const double a12 = std::fabs(Pearson(t.cols[0], t.cols[1])), a13 = std::fabs(Pearson(t.cols[0], t.cols[2])),
               a23 = std::fabs(Pearson(t.cols[1], t.cols[2]));
  EXPECT_NEAR(After(procrustes, "\nCorrelation r =\t"), (a13 - a12 * a23) / std::sqrt((1 - a12 * a12) * (1 - a23 * a23)),
              5e-6);
  EXPECT_NEAR(After(procrustes, "\nCorrelation r =\t", procrustes.find("\tVariable pair (blocks):\t1\t3")),
              std::fabs(Pearson(t.cols[0], t.cols[3])), 5e-6);
  // K = B + (B(B-1)/2 - k) = 4 + 4.
  EXPECT_NE(procrustes.find("\tK=\t8\n"), std::string::npos);

  for (const char* text :
       {"\tResemblance measure: Mantel correlation ((3)Euclidean distance, (1)comparing sampling units)\n",
        "Block 1:\tx1\tx2\nBlock 2:\tx3\nBlock 3:\tx4\tx5\nVariables left out of the blocks:\tx6\n",
        "Permutation of only the first variable (or block of variables)"})
    EXPECT_NE(m.find(text), std::string::npos) << text;
  const std::vector<double> d1 = Distances(t, {0, 1}), d2 = Distances(t, {2}), d3 = Distances(t, {3, 4});
  const double m12 = Pearson(d1, d2), m13 = Pearson(d1, d3), m23 = Pearson(d2, d3);
  EXPECT_NEAR(After(m, "\nCorrelation r =\t"), (m13 - m12 * m23) / std::sqrt((1 - m12 * m12) * (1 - m23 * m23)), 5e-6);
  EXPECT_NEAR(After(m, "\nCorrelation r =\t", m.find("Covariable(s) (blocks):\t2\n")), m23, 5e-6);
  // The session's resemblance settings are back: no resemblance was held.
  EXPECT_EQ(r.out.substr(r.out.rfind("See results")).find("Resemblance measure"), std::string::npos);
}

TEST(PathAnalysisE2E, PartialCorrelationsAfterOptionA) {
  const Table t = Chain(50, 4);
  for (bool portuguese : {false, true}) {
    PlexorFolder f;
    f.write("chain.txt", t.text);
    const std::string yes = portuguese ? "s" : "y";
    const PlexorRun r = f.run((portuguese ? kPortuguese : kEnglish) + Open(t) + "R\n2\n17\n0\nn\n" +
                              "A\n2\n5\n99\n0\nn\n" + yes + "\n2\n3\n2\n" + Statement(4, 1, 3, {2}) + yes +
                              "\n1\n3\n2\n" + Statement(4, 2, 4, {}) + "n\nX\n");
    ExpectClean(r);
    const char* question = portuguese ? "\nTestar correlacoes parciais? s/n " : "\nTest partial correlations? y/n ";
    EXPECT_EQ(CountOccurrences(r.out, question), 3);
    EXPECT_NE(r.out.find(portuguese ? "Modelo nulo para testar correlacoes parciais: \n\t(1) permutar todas as "
                                      "variaveis ao mesmo tempo\n\t(2) permutar somente a primeira variavel (Smouse "
                                      "et al. 1986)\n\t\tEntre opcao: "
                                    : "Null model for testing partial correlations: \n\t(1) permute all variables "
                                      "at once\n\t(2) permute only the first variable (Smouse et al. 1986)\n\t\tEntre "
                                      "opcao: "),
              std::string::npos);
    const std::string z = f.read("Zoviri.txt");
    EXPECT_EQ(CountOccurrences(z, portuguese ? "\nANALISE DE CAMINHOS\n" : "\nPATH ANALYSIS\n"), 2);
    const std::string second = From(z, portuguese ? "\nANALISE DE CAMINHOS\n" : "\nPATH ANALYSIS\n");
    EXPECT_NE(second.find(portuguese ? "Numero de permutacoes: 99\nInicializador da geracao de numeros aleatorios: 5\n"
                                     : "Number of permutations: 99\nRandom number generation initializer: 5\n"),
              std::string::npos);
    EXPECT_NEAR(After(second, portuguese ? "Correlacao r =\t" : "Correlation r =\t"), Pearson(t.cols[1], t.cols[3]),
                5e-6);
    const std::string first = z.substr(0, z.rfind(portuguese ? "\nANALISE DE CAMINHOS\n" : "\nPATH ANALYSIS\n"));
    EXPECT_NEAR(After(From(first, portuguese ? "\nANALISE DE CAMINHOS\n" : "\nPATH ANALYSIS\n"),
                      portuguese ? "Correlacao r =\t" : "Correlation r =\t"),
                Partial(t.cols, 0, 2, {1}), 5e-6);
  }
}

// A date and time as ctime writes it: "Sun Dec  6 22:49:16 2026".
bool TimeLine(const std::string& l) { return l.size() == 24 && l[3] == ' ' && l[13] == ':' && l[16] == ':'; }

TEST(PathAnalysisE2E, SameResultsAtOneAndTwoProcessors) {
  const Table t = Chain(40, 12);
  auto run = [&](const std::string& processors) {
    PlexorFolder f;
    f.write("chain.txt", t.text);
    ExpectClean(f.run("E\nM\n" + processors + "\nC\n" + kEnglish + Open(t) + "F\n1\n2\n2\n77\n999\n0\nn\n2\n4\n2\n" +
                      Statement(4, 1, 3, {2}) + Statement(4, 1, 4, {}) + Statement(4, 2, 4, {1}) +
                      Statement(4, 3, 4, {1, 2}) + "F\n1\n2\n2\n78\n199\n0\nn\n1\n0.1\nX\n"));
    std::string z = f.read("Zoviri.txt");
    // Everything but the times and the processor limit.
    std::string kept;
    for (const std::string& l : Lines(z))
      if (l.find("Elapsed") == std::string::npos && l.find("processors") == std::string::npos && !TimeLine(l))
        kept += l + "\n";
    return kept;
  };
  const std::string one = run("1"), two = run("2");
  EXPECT_NE(one.find("Correlation r =\t"), std::string::npos);
  EXPECT_EQ(one, two);
}

}  // namespace

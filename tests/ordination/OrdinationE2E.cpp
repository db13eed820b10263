// Options O and D run by the program: on the dune meadow table (20 sampling
// units by 30 species, labels read from the file) the three ordinations are
// checked against totals derived from the table and scores from R, at either
// processor limit; the refusals of incompatible, non-metric or undefined
// resemblances and of negative data for correspondence analysis; on small
// tables the printed values and layout.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ordination/AnalysisE2ESupport.h"

using namespace analysis_e2e;

namespace {

const int kUnits = 20, kVars = 30;

// Double adjustment (other transformations), data not printed.
const char* const kDoubleAdjustment = "T\n1\n0\n3\n6\nn\n";

// Sum of squares about the column means, divided by `divisor`.
double CentredSumOfSquares(double divisor) {
  const auto t = DuneTable();
  double ss = 0;
  for (int j = 0; j < kVars; j++) {
    double m = 0;
    for (int i = 0; i < kUnits; i++) m += t[i][j] / kUnits;
    for (int i = 0; i < kUnits; i++) ss += (t[i][j] - m) * (t[i][j] - m) / divisor;
  }
  return ss;
}

double Sum(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x;
  return s;
}

class OrdinationRun : public ::testing::Test {
 protected:
  PlexorRun Run(const std::string& steps) { return folder.run(kDune + steps + "X\n"); }
  std::string Results() const { return folder.read("Zoviri.txt"); }
  PlexorFolder folder = Examples({"dune.txt"});
};

}  // namespace

TEST(OrdinationE2E, PrincipalCoordinatesOfEuclideanDistancesAtEitherProcessorLimitAndTheirScatter) {
  // R: P <- cmdscale(dist(dune), k = 3, eig = TRUE)$points, each column
  // turned so that its entry of largest magnitude (sites 16, 3 and 12) is
  // positive; sites 1 to 3, five significant digits.
  const double expected[3][3] = {{-2.9411, -5.6461, -1.5108}, {0.50632, 3.6117, 6.9973}, {-4.9659, -1.6883, -1.7703}};
  std::string reports[2];
  for (int limit : {1, 2}) {
    SCOPED_TRACE(limit);
    PlexorFolder f = Examples({"dune.txt"});
    // A scatter asked before the ordination, then of sampling units only,
    // unit labels, axes 1 x 2.
    const PlexorRun r =
        f.run(Processors(limit) + kDune + "D\n3\n" + Resemblance(1, 3) + "O\n1\ny\nn\nD\n3\n1\n1\n1\n2\nX\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string z = f.read("Zoviri.txt");
    for (int k = 0; k < 3; k++) {
      const auto v = Row(z, "\nAxis  " + std::to_string(k + 1) + ":\t");
      ASSERT_EQ(v.size(), 20u);
      for (int i = 0; i < 3; i++) EXPECT_NEAR(v[i], expected[k][i], 1e-4 * std::fabs(expected[k][i])) << k << i;
    }
    reports[limit - 1] = z.substr(z.find("\nNumber of eigenvalues"));
    if (limit == 1) continue;
    EXPECT_TRUE(Holds(r.out, "Ordination method:\n\t(1)principal coordinates analysis\n"
                             "\t(2)principal components analysis\n \t(3)correspondence analysis\n"
                             " \t(99)return to main menu\n \t\tEnter option: "));
    EXPECT_TRUE(Holds(r.out, "Save intermediate results? y/n "));
    EXPECT_TRUE(Lacks(z, "SAMPLER"));  // the bootstrap of the axes declined
    EXPECT_TRUE(Holds(z, "\nORDINATION\n"));
    EXPECT_TRUE(Holds(z, "Ordination method: (1)principal coordinates analysis\n\nMatrix with squared distances:\n"));
    EXPECT_TRUE(Holds(z, "\nMatrix subjected to eigenanalysis:\n"));
    EXPECT_TRUE(Lacks(z, "Warning!!!"));
    // Twenty points in thirty dimensions span nineteen; the eigenvalues add up
    // to the sum of squares about the centroid.
    EXPECT_TRUE(Holds(z, "\nNumber of eigenvalues >0.0001: \t19"));
    const auto eig = Row(z, "\nEigenvalues:\t");
    ASSERT_EQ(eig.size(), 19u);
    const double ss = CentredSumOfSquares(1);
    EXPECT_NEAR(Sum(eig), ss, ss * 1e-4);
    for (size_t k = 1; k < eig.size(); k++) EXPECT_GE(eig[k - 1], eig[k]);
    EXPECT_NEAR(Sum(Row(z, "\nPercentage:\t")), 100.0, 1e-2);
    EXPECT_TRUE(Holds(z, "\nScores of sampling units on the first 6 components:\nAxis  1:\t"));
    EXPECT_TRUE(Holds(z, "\nCorrelation coefficients between original descriptors and ordination axes:\nvariables\t"));
    // Axis 1 is the first principal component of the centred table, most
    // correlated (|r| = 0.786) with Eleopalu, then Ranuflam (0.772); twelve
    // descriptors listed per axis.
    const auto ranked = Lines(From(z, "Original descriptors with the highest correlation coefficients:\n"));
    ASSERT_GE(ranked.size(), 2u);
    EXPECT_TRUE(Begins(ranked[1], "Axis 1:\tEleopalu:"));
    EXPECT_TRUE(Holds(ranked[1], "\tRanuflam:"));
    EXPECT_EQ(CountOccurrences(ranked[1], "\t"), 13);
    // Last axis of Bartlett's table: no degrees of freedom, probability 1.
    const size_t last = z.find("\nAxis 19:\t", z.find("Bartlett\tu\tp\nAxis 1:\t"));
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(z.substr(z.find('\n', last + 1) - 2, 3), "\t1\n");
    // scores.txt holds the last table: Mahalanobis-preserving scores, of unit
    // sum of squares on every axis.
    const auto lines = Lines(f.read("scores.txt"));
    ASSERT_EQ(lines.size(), 20u);
    double axis1 = 0;
    for (const auto& l : lines) {
      const auto v = Numbers(l);
      ASSERT_EQ(v.size(), 6u);
      axis1 += v[0] * v[0];
    }
    EXPECT_NEAR(axis1, 1.0, 1e-3);

    EXPECT_TRUE(Holds(r.out, "\nOrdination scores not available.\n"));
    EXPECT_TRUE(Holds(r.out, "\nType of scatter diagram: \n   1  plot sampling units only\n"
                             "   2  biplot of sampling units (scores) and variables (correlations with axes)\n"
                             "Type option no.: \nLabels to use in the scatter: \n   0  none (only squares) \n"
                             "   1  sampling unit labels \nType option no.: Enter component for the horizontal axis: "
                             "Enter component for the vertical axis: "));
    const auto scatter = Lines(f.read("ScatterData.txt"));
    ASSERT_GE(scatter.size(), 28u);
    EXPECT_EQ(scatter[0], "Labels\tAxis1\tAxis2");
    EXPECT_TRUE(Begins(scatter[1], "site1\t"));
    EXPECT_TRUE(Begins(scatter[20], "site20\t"));
    const std::vector<std::string> footer = {
        "", "Data: dune.txt  Type: (1) quantitative, same measurement scales  20 units, 30 var.",
        "Axes: component 1 x 2      Points: sampling units", "Scalar transf.: (0)none", "Vector transf.: (0)none",
        "Resemblance: (3)Euclidean distance, (1)comparing sampling units",
        "Ordination: (1)principal coordinates analysis"};
    for (size_t k = 0; k < footer.size(); k++) EXPECT_EQ(scatter[21 + k], footer[k]);
  }
  EXPECT_EQ(reports[0], reports[1]);
}

// Refusals of incompatible choices, principal coordinates of a non-metric
// measure, then principal components of correlations between species.
TEST_F(OrdinationRun, IncompatibleChoicesNonMetricMeasureAndComponentsOfCorrelations) {
  PlexorRun r = Run(Resemblance(1, 20) + "O\n3\nO\n2\nO\n99\nO\n1\nn\nn\n" + Resemblance(2, 17) + "O\n2\nn\nn\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "Data transformation and/or resemblance measure are not compatible.\n"
                           "\tAcceptable options for correspondence analysis:\n\tVector transformation: (6)deviations "
                           "expected values via marginal totals (double adjustment)\n"
                           "\tResemblance option: (1)product moment\n\a"));
  EXPECT_TRUE(Holds(r.out, "Resemblance measure is not compatible.\nAcceptable options for principal components "
                           "analysis: (1)product moment, (17)"));
  const std::string z = Results();
  EXPECT_EQ(CountOccurrences(z, "\nORDINATION\n"), 2);
  const std::string pcoa = z.substr(0, z.rfind("\nORDINATION\n")), pca = From(z, "(2)principal components");
  EXPECT_TRUE(Lacks(pcoa, "\nMatrix subjected to eigenanalysis:\n"));
  // Percentage difference on these data has negative eigenvalues beyond 0.1 % of the trace.
  EXPECT_TRUE(Holds(pcoa, "\nWarning!!! The resemblance matrix subjected to eigenanalysis seems not to have\n"
                          "           euclidean metric properties.\nSum of positive eigenvalues: "));
  const auto discrepance = Row(pcoa, "Discrepance: ");
  ASSERT_EQ(discrepance.size(), 1u);
  EXPECT_GT(discrepance[0], 0.0);

  // The eigenvalues of a correlation matrix add up to its order.
  const auto eig = Row(pca, "\nEigenvalues:\t");
  ASSERT_EQ(eig.size(), 19u);
  EXPECT_NEAR(Sum(eig), 30.0, 1e-2);
  EXPECT_TRUE(Holds(pca, "\nEigenvectors (normalized, max. 6):\nAxis 1:\t"));
  EXPECT_TRUE(Holds(pca, "\nScores of sampling units on the first 6 components:\n"));
  // Each contribution column adds up to 100.
  const auto lines = Lines(From(pca, "\nContribution (percentage) of original descriptors"));
  ASSERT_GE(lines.size(), 3u + kVars);
  EXPECT_TRUE(Begins(lines[2], "variables\t"));
  double column1 = 0;
  for (int d = 0; d < kVars; d++) {
    const auto v = Row(lines[3 + d], "\t");  // after the label
    column1 += v.empty() ? NAN : v[0];
  }
  EXPECT_NEAR(column1, 100.0, 1e-2);
  EXPECT_TRUE(Holds(pca, "\nScores of sampling units adjusted for preserving Mahalanobis distances between sampling "
                         "units"));
}

TEST_F(OrdinationRun, CorrespondenceAnalysisAndItsScatterRowsFirst) {
  PlexorRun r = Run(std::string(kDoubleAdjustment) + Resemblance(1, 1) + "O\n3\nn\nD\n3\n1\n1\n2\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string z = Results();
  // Total inertia = chi-square / grand total of the table.
  const auto t = DuneTable();
  std::vector<double> rows(kUnits, 0), cols(kVars, 0);
  double total = 0, chi2 = 0;
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kVars; j++) rows[i] += t[i][j], cols[j] += t[i][j], total += t[i][j];
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kVars; j++) {
      const double e = rows[i] * cols[j] / total;
      chi2 += (t[i][j] - e) * (t[i][j] - e) / e;
    }
  const auto eig = Row(z, "\nEigenvalues:\t");
  ASSERT_EQ(eig.size(), 19u);
  EXPECT_NEAR(Sum(eig), chi2 / total, 1e-3 * chi2 / total);
  EXPECT_LT(eig[0], 1.0);
  const size_t units = z.find("\nScores of sampling units on the first 6 components:\n");
  EXPECT_LT(units, z.find("\nScores of variables on the first 6 components:\n"));
  EXPECT_TRUE(Holds(z, "\nScores of variables adjusted for preserving Mahalanobis distances between variables"));
  EXPECT_TRUE(Lacks(z, "Bartlett"));
  EXPECT_EQ(Lines(folder.read("scores.txt")).size(), 30u);

  EXPECT_TRUE(Holds(r.out, "   1  both rows and columns labels \n"));
  EXPECT_TRUE(Lacks(r.out, "Type of scatter diagram"));
  const std::string s = folder.read("ScatterData.txt");
  const auto lines = Lines(s);
  ASSERT_GE(lines.size(), 52u);
  EXPECT_TRUE(Begins(lines[1], "site1\t"));
  EXPECT_TRUE(Begins(lines[21], "Achimill\t"));
  EXPECT_TRUE(Begins(lines[50], "Callcusp\t"));
  EXPECT_EQ(lines[51], "");
  EXPECT_TRUE(Holds(s, "Vector transf.: (6)deviations expected values via marginal totals (double adjustment)\n"
                       "Resemblance: (1)product moment, (1)comparing sampling units\n"
                       "Ordination: (3)correspondence analysis\n"));
}

TEST_F(OrdinationRun, PortugueseCovariancePrincipalComponentsWithThreeAxesAndScatterOfVariables) {
  // Preferences: Portuguese, default digits, three axes printed.
  PlexorRun r = folder.run("E\nL\nF\n0\n3\nC\n" + kDune + Resemblance(2, 22) + "O\n2\nn\nn\nD\n2\nD\n1\n3\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "Metodo de ordenacao:\n\t(1)analise de coordenadas principais\n"));
  EXPECT_TRUE(Holds(r.out, "\nDados transformados nao disponiveis.\n"));
  EXPECT_TRUE(Holds(r.out, "Guardar resultados intermediarios? s/n "));
  const std::string z = Results();
  EXPECT_TRUE(Holds(z, "\nORDENACAO\n"));
  EXPECT_TRUE(Holds(z, "Metodo de ordenacao: (2)analise de componentes principais\n"));
  // The eigenvalues of a covariance matrix add up to the total variance.
  const auto eig = Row(z, "\nAutovalores:\t");
  ASSERT_EQ(eig.size(), 19u);
  const double variance = CentredSumOfSquares(kUnits - 1);
  EXPECT_NEAR(Sum(eig), variance, variance * 1e-4);
  EXPECT_TRUE(Holds(z, "\nAutovetores (normalizados, max. 3):\nEixo 1:\t"));
  // Three axes in every table (Bartlett's test lists them all).
  EXPECT_TRUE(Lacks(z.substr(0, z.find("Bartlett")), "\nEixo 4:\t"));
  EXPECT_TRUE(Holds(z, "\nEscores de unid.amostrais nos primeiros 3 componentes:\nEixo  1:\t"));
  EXPECT_TRUE(Holds(z, "\nContribuicao (porcentagem) dos descritores originais em cada eixo da ordenacao:\n"
                       "variaveis\t"));
  EXPECT_TRUE(Holds(z, "Descritores originais com coeficientes de correlacao mais altos:\nEixo 1:\t"));
  EXPECT_TRUE(Holds(z, "\nEscores de unid.amostrais ajustados para preservar distancias de Mahalanobis entre "
                       "unid.amostrais"));
  EXPECT_TRUE(Holds(z, "Bartlett\tu\tp\nEixo 1:\t"));
  for (const auto& l : Lines(folder.read("scores.txt"))) EXPECT_EQ(CountOccurrences(l, "\t"), 3);
  // Original variables 3 and 1: site 1 has 0 and 1.
  const auto lines = Lines(folder.read("ScatterData.txt"));
  ASSERT_GE(lines.size(), 24u);
  EXPECT_EQ(lines[0], "Labels\tAxis1\tAxis2");
  EXPECT_EQ(lines[1], "site1\t0\t1");
  EXPECT_EQ(lines[21], "");
  EXPECT_EQ(lines[22], "Dados: dune.txt  Tipo: (1) quantitativos, mesmas escalas de medida  20 unid., 30 var.");
  EXPECT_EQ(lines[23], "Eixos: variaveis 3 x 1      Pontos: unidades amostrais");
  EXPECT_TRUE(Lacks(folder.read("ScatterData.txt"), "Transf. escalar"));
}

// Small tables in one run, each after the one before:
// - correspondence analysis of negative data: refused (it weighs rows and
//   columns by totals of the original data; the absolute values are taken
//   first, so the double adjustment itself receives no negative value);
// - principal components of two variables correlated at 0.6: eigenvalues
//   1.6 and 0.4, eigenvectors (1, +-1)/sqrt 2, so correlations
//   sqrt(lambda / 2) and contributions of 50 %; Bartlett's u for axis 1:
//   -ln(1.6 * 0.4) (4 - 15/6) = 0.669431 with 2 df;
// - a unit without presences: its Jaccard turnover with every other unit is
//   undefined (-999), refused as a distance; Jaccard dissimilarity is defined;
// - a biplot with a constant (uncorrelated) variable and default labels.
TEST_F(OrdinationRun, SmallTablesRefusalsExactLayoutAndBiplot) {
  folder.write("neg.txt", "1 2 3\n4 -2 1\n0 1 1\n2 2 5\n");
  folder.write("two.txt", "1 2\n2 1\n3 4\n4 3\n");
  folder.write("b.txt", "1 0 1 1\n0 0 0 0\n1 1 0 0\n0 1 1 0\n1 1 1 1\n");
  folder.write("c.txt", "1 2 5\n2 1 5\n3 4 5\n4 3 5\n");
  PlexorRun r = folder.run(Read("neg.txt", 4, 3) + "T\n1\n2\n3\n6\nn\n" + Resemblance(1, 1) + "O\n3\n" +
                           Read("two.txt", 4, 2) + Resemblance(2, 17) + "O\n2\nn\nn\n" +
                           "N\nn\nb.txt\n4\n5\n4\nN\n1\nn\n" + Resemblance(1, 24) + "O\n1\n" +
                           Resemblance(1, 23) + "O\n1\nn\nn\n" + Read("c.txt", 4, 3) + Resemblance(1, 3) +
                           "O\n1\nn\nn\nD\n3\n2\n1\n2\n1\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\nCorrespondence analysis needs data without negative values: sampling unit 2 holds -2 in "
                           "variable 2.\n\a"));
  const std::string z = Results();
  // None for either refusal: two.txt, Jaccard dissimilarity, c.txt.
  EXPECT_EQ(CountOccurrences(z, "\nORDINATION\n"), 3);

  const std::string pca = From(z, "\nORDINATION\n");
  EXPECT_TRUE(Holds(pca, "\nEigenvalues:\t     1.6\t     0.4\t\nPercentage:\t      80\t      20\t\n"));
  EXPECT_TRUE(Holds(pca, "variables\t  Axis 1\t  Axis 2\t\n        1\t 0.89443\t 0.44721\t\n"
                         "        2\t 0.89443\t-0.44721\t\n"));
  // The column width is that of the widest value, even when an axis name is wider.
  EXPECT_TRUE(
      Holds(pca, "each ordination axis:\nvariables\tAxis 1\tAxis 2\t\n        1\t50\t50\t\n        2\t50\t50\t\n\n"));
  EXPECT_TRUE(Holds(pca, "Bartlett\tu\tp\nAxis 1:\t0.669431\t0.715542\nAxis 2:\t0\t1\n"));

  const std::string refusal =
      "\nThe resemblance matrix has 4 pairs with an undefined value (-999): one of the two has no presence."
      "\nChoose another resemblance measure or leave out the entities without presences.\n\a";
  EXPECT_EQ(CountOccurrences(r.out, refusal), 1);
  const size_t refused = r.out.find(refusal);
  ASSERT_NE(refused, std::string::npos);
  EXPECT_TRUE(Lacks(r.out.substr(refused, r.out.find("MAIN MENU", refused) - refused), "Ordination scores available"));
  const std::string jaccard = From(pca.substr(1), "\nORDINATION\n");
  EXPECT_TRUE(Holds(jaccard.substr(0, jaccard.find("\nORDINATION\n", 1)), "Resemblance measure: (23)Jaccard dissimilarity"));
  EXPECT_TRUE(Lacks(z, "e+05"));

  const auto lines = Lines(folder.read("ScatterData.txt"));
  ASSERT_GE(lines.size(), 10u);
  EXPECT_TRUE(Begins(lines[1], "u1\t"));
  EXPECT_TRUE(Begins(lines[4], "u4\t"));
  EXPECT_TRUE(Begins(lines[5], "v1\t"));
  EXPECT_TRUE(Begins(lines[6], "v2\t"));
  EXPECT_EQ(lines[7], "");  // no line for the constant variable
  EXPECT_EQ(lines[9], "Axes: component 2 x 1      Points: sampling units and variables");
}

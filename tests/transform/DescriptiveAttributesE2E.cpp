// Option V run by the program: each analysis in both languages, with and
// without the bootstrap, against R (the dune table) and hand values; the
// same bootstrap results at one and two processors; refusals and cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "transform/ReportChecks.h"

namespace {

// Twelve significant digits, then the dune table (20 sites x 30 species).
const std::string kDune = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const std::string kDashes79(79, '-');

// Height (quantitative), colour (qualitative), present (binary), weight
// (quantitative, one cell missing).
const std::string kMixedCsv =
    ",height,colour,present,weight\nu1,1.5,2,1,10\nu2,2.5,1,0,NA\nu3,4,2,1,30\nu4,3,3,1,20\nu5,10,1,0,40\n";
const std::string kMixed = "N\nn\nmixed.csv\n5\n3 2 1 3\nn\nn\n";
const std::string kContingencyCsv = ",a,b,c,d\nr1,5,5,5,5\nr2,1,1,2,2\nr3,0,3,0,3\n";
const std::string kContingency = "N\nn\ncont.csv\n6\nn\n";
const std::string kBinaryCsv = ",s1,s2,s3\np1,1,1,0\np2,1,0,1\np3,0,1,1\np4,1,1,1\np5,1,0,0\n";
const std::string kBinary = "N\nn\nbin.csv\n4\nn\n";

PlexorFolder Folder() {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  f.write("mixed.csv", kMixedCsv);
  f.write("cont.csv", kContingencyCsv);
  f.write("bin.csv", kBinaryCsv);
  return f;
}

void ExpectClean(const PlexorRun& r) {
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("ARQUIVO INCOMPLETO"), std::string::npos) << r.err;
  EXPECT_EQ(r.out.find("Incorrect input"), std::string::npos) << r.out;
}

void ExpectValues(const std::vector<double>& got, const std::vector<double>& want, double tol, const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (size_t k = 0; k < want.size(); k++) EXPECT_NEAR(got[k], want[k], tol * (1 + std::fabs(want[k]))) << what << " " << k;
}

// Computed with R from examples/dune.txt: colMeans, apply(x, 2, sd), the
// skewness mean((v - m)^3) / mean((v - m)^2)^1.5, and the R^2 of lm() of each
// of the 19 species with most positive values (order(-colSums(x > 0)))
// regressed on the 18 others.
const std::vector<double> kDuneMean = {0.8, 2.4, 0.25, 1.8,  1.05, 0.65, 0.75, 0.05, 0.1, 0.2,
                                       1.25, 1.3, 0.1,  0.45, 0.9,  0.65, 2.9,  1.3,  2.4, 3.15,
                                       0.7, 0.9, 1,    0.55, 2.7,  0.45, 2.35, 0.2,  2.45, 0.5};
const std::vector<double> kDuneSd = {
    1.23969435962, 2.683281573,    0.786397515657, 2.62778674133, 1.70061908232,  1.03998987849,
    1.40955386746, 0.22360679775,  0.4472135955,   0.615587011251, 2.35919254697, 2.07997975699,
    0.4472135955,  1.23437604097,  1.61896653195,  1.38696943388, 2.82656570492,  1.94935886896,
    1.84676103375, 2.81490394339,  1.17428589722,  1.80350535872, 1.55597321043,  1.39453821823,
    1.55935209217, 1.23437604097,  1.89944590258,  0.523148363781, 1.90497962415, 1.23544153624};
const std::vector<double> kDuneSkew = {
    1.23800771281, 0.532620154074, 2.87301938558,  1.15130535441,  1.04031674421,  1.02901272733,
    1.4967221198,  4.12948320967,  4.12948320967,  2.66666666667,  1.6177119353,   1.02901272733,
    4.12948320967, 2.87378669422,  1.23385348054,  1.74528957113,  0.190240121632, 1.00947660009,
    -0.300411522634, 0.249810349259, 1.40459598727, 1.86460126076, 1.29009223056,  2.28389262953,
    0.428950325805, 2.87378669422, 0.615908420078, 2.53442390025,  0.266320309492, 2.06181881016};
const std::vector<double> kDuneRedundancy = {
    0.979245494938, 0.967911962307, -999, 0.958882878395, 0.86472447872,  0.985489665585, 0.982807971471, -999,
    -999,           -999,           0.9726868338, 0.983115887183, -999, -999, 0.991895104361, -999,
    0.992309346168, 0.964385584657, 0.995825671039, 0.976717605382, 0.986453377702, 0.955024924111,
    0.924403063998, -999, 0.910484249962, -999, 0.733393048279, -999, 0.970324388676, -999};

TEST(DescriptiveAttributesE2E, MeansStandardDeviationsSkewnessAndRedundancyOfTheDuneSpecies) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kDune + "V\n99\nV\n1\nn\nX\n");  // cancelled once: nothing written
  ExpectClean(r);
  // Quantitative data on one scale: options 1, 3 and 99.
  ExpectContains(r.out, {"\n" + kDashes79 +
                             "\nDESCRIPTIVE ATTRIBUTES\nOptions:\n"
                             "\t(1) means and standard deviations of variables\n "
                             "\t(3) entropy and complexity in contingency table\n "
                             "\t(99)cancel and return to main menu\n \t\tEnter option: ",
                         "\nGet confidence limits using bootstrap resampling? y/n \nSee results on file Zoviri.txt."});

  const std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR version 3.85b\n\n" + kDashes79 + "\nDESCRIPTIVE ATTRIBUTES\n" + kDashes79 + "\n"), 0u);
  const std::string b = From(z, "\nMean and standard deviation of variables:\n");
  ASSERT_FALSE(b.empty());
  ExpectContains(b, {"Variable:     \tAchimill\tAgrostol\t"});
  ExpectValues(Row(b, "\nMean:         \t"), kDuneMean, 1e-11, "mean");
  ExpectValues(Row(b, "\nStandard dev.: \t"), kDuneSd, 1e-11, "sd");
  ExpectValues(Row(b, "\nSkewness in the frequency distribution of each variable: \t"), kDuneSkew, 1e-10, "skew");
  EXPECT_EQ(b.find("Values used"), std::string::npos);
  ExpectContains(b, {"\nRedundancy of 19 variables: level of relative redundancy (co-variation) of each variable",
                     "-999: could not be computed"});
  ExpectValues(Row(b, "\nRedundancy: \t"), kDuneRedundancy, 1e-9, "redundancy");
  EXPECT_EQ(z.find("SAMPLER"), std::string::npos);
  EXPECT_EQ(CountOccurrences(z, "\nDESCRIPTIVE ATTRIBUTES\n"), 1);
}

// Mixed data: options 1 and 2 only; the qualitative variable has no moments,
// the missing weight is left out (10 20 30 40).
TEST(DescriptiveAttributesE2E, MomentsAndEntropyOfMixedData) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kMixed + "V\n1\nn\nV\n2\n1\nn\nX\n");
  ExpectClean(r);
  ExpectContains(r.out, {"Options:\n\t(1) means and standard deviations of variables\n \t(2) entropy of variables\n "
                         "\t(99)cancel and return to main menu\n \t\tEnter option: Alpha value for Renyi entropy functions: "});
  const std::string z = f.read("Zoviri.txt");
  const std::string b = From(z, "\nMean and standard deviation of variables:\n");
  ExpectContains(b, {"\nMean:         \t4.2\tinf\t0.6\t25\t\n", "\nStandard dev.: \t3.3653\tinf\t0.54772\t12.91\t\n",
                     "\nValues used (missing left out):\t5\t5\t5\t4\t\n"});
  ExpectContains(b.substr(b.find("variable: \t")), {"\t0\t-0.40825\t0\t\n"});
  const std::string e = From(z, "\nFrequency table an Renyi general entropy of order 1 (nats) in each variable:\n");
  ExpectContains(e, {"Variable colour:\nStates:    \t2\t1\t3\t\nFrequency: \t2\t2\t1\t\n"
                     "Variable present:\nStates:    \t1\t0\t\nFrequency: \t3\t2\t\n"
                     "\nRenyi general entropy of order 1 (nats) in variables:\n"
                     "Variables:\theight\tcolour\tpresent\tweight\t\nEntropy:  \tinf\t"});
  // -(2 (0.4 ln 0.4) + 0.2 ln 0.2) and -(0.6 ln 0.6 + 0.4 ln 0.4).
  const std::string entropy = e.substr(e.find("Entropy:  \tinf\t") + 15);
  ExpectValues(Numbers(entropy.substr(0, entropy.find("inf"))), {1.0549201679861442, 0.6730116670092565}, 1e-4,
               "entropy");
}

TEST(DescriptiveAttributesE2E, EntropyAndComplexityOfAContingencyTable) {
  PlexorFolder en = Folder();
  const PlexorRun r = en.run(kContingency + "V\n3\n1\nX\n");
  ExpectClean(r);
  const std::string z = en.read("Zoviri.txt");
  ExpectContains(z, {"\nData matrix:\n\t(Rows= 3 sampling units, columns= 4 variables)\n"});
  const std::string b = From(z, "\nAssuming data matrix cont.csv is a CONTINGENCY TABLE:\nRow totals:\n20\t6\t6\t\n");
  ASSERT_FALSE(b.empty()) << z;
  // Hand values: rows 20 6 6 of 32, columns 6 9 7 10.
  ExpectValues(Row(b, "Renyi entropy order 1 (nats) with marginal totals of rows: \t"), {0.9214934308679616}, 1e-4, "rows");
  ExpectContains(b, {"\nColumn totals:\n6\t9\t7\t10\t\n"});
  ExpectValues(Row(b, "Renyi entropy order 1 (nats) with marginal totals of columns: \t"), {1.3665859032771657}, 1e-4,
               "columns");
  ExpectValues(Row(b, "Renyi mutual entropy order 1 (nats): \t"), {0.12087532831197692}, 1e-4, "mutual");
  ExpectValues(Row(b, "Coherence coefficient (Renyi order 1): \t"), {0.32930037256655165}, 1e-4, "coherence");
  ExpectContains(b, {"\nRenyi entropy of order 1 in sampling units (nats):\nSampling units:    \tr1\tr2\tr3\t\n"
                     "Entropy (nats):    \t1.3863\t1.3297\t0.69315\t\n"
                     "\nRenyi entropy (H) of order 1 in sampling units (bits):\nSampling units:    \tr1\tr2\tr3\t\n"
                     "Entropy (bits):    \t2\t1.9183\t1\t\n",
                     // Four equal cells: lengths 2 2 2 2, L = 2 = H, structural complexity 0. 1 1 2 2: lengths
                     // 3 3 2 1 of f = 166666 166666 333333 333333, L = 1.999995. Two positive cells: no code, L = 0.
                     "\nSampling units:     \t       \tr1\tr2\tr3\t\nTotal complexity (L):       \t2\t2\t0\t\n"
                     "Structural complexity (L-H):\t0\t0.081699\t-1\t\n",
                     "\n\nHuffmann code lengths (integer bits)\t(Rows= 3 sampling units, columns= 4 variables):\n"
                     "2\t2\t2\t2\t\n3\t3\t2\t1\t\n0\t0\t0\t0\t\n",
                     "\n\nShannon's code lengths (fractionary bits)\t(Rows= 3 sampling units, columns= 4 variables):\n"
                     "2\t2\t2\t2\t\n2.585\t2.585\t1.585\t1.585\t\n0\t1\t0\t1\t\n"});

  PlexorFolder pt = Folder();
  const PlexorRun p = pt.run("E\nL\nC\n" + kContingency + "V\n3\n2\nX\n");
  ExpectClean(p);
  ExpectContains(p.out, {"\t(3) entropia e complexidade de unidades amostrais\n "});
  const std::string q = From(pt.read("Zoviri.txt"), "\nPressupondo que a matriz de dados cont.csv eh uma TABELA DE "
                                                   "CONTINGENCIA:\nTotais de linhas:\n20\t6\t6\t\n");
  ASSERT_FALSE(q.empty());
  ExpectValues(Row(q, "Entropia de Renyi ordem 2 (em nats) com os totais de linhas: \t"), {0.7744928200138977}, 1e-4,
               "rows");
  ExpectValues(Row(q, "\nTotais de colunas:\n"), {6, 9, 7, 10}, 0, "column totals");
  ExpectValues(Row(q, "Entropia de Renyi ordem 2 (em nats) com os totais de colunas: \t"), {1.347975496817754}, 1e-4,
               "columns");
  ExpectValues(Row(q, "Entropia mutua de Renyi ordem 2 (em nats): \t"), {0.1618308621458872}, 1e-4, "mutual");
  ExpectValues(Row(q, "Coeficiente de coerencia (Renyi ordem 2): \t"), {0.20237310026349467}, 1e-4, "coherence");
  ExpectContains(q, {"\nEntropia de Renyi ordem 2 em unidades amostrais (nats):\nUnidades amostrais:\tr1\tr2\tr3\t\n"
                     "Entropia (nats):   \t",
                     "\nEntropia de Renyi (H) ordem 2 em unidades amostrais (em bits):\nUnidades amostrais:\tr1\tr2\tr3\t\n"
          "Entropia (bits):   \t2\t1.848\t1\t\n",
          "\nUnidades amostrais:           \tr1\tr2\tr3\t\nComplexidade total (L):       \t2\t2\t0\t\n"
          "Complexidade estrutural (L-H) computada somente para entropia Renyi de ordem alfa limite 1 "
          "(entropia de Shannon).\n"
          "\n\nComprimento dos codigos Huffmann (bits inteiros) \t(Linhas= 3 unidades amostrais, colunas= 4 "
          "variaveis): \n2\t2\t2\t2\t\n"});
  EXPECT_EQ(q.find("Comprimento dos codigos Shannon"), std::string::npos);
}

TEST(DescriptiveAttributesE2E, MultiSiteBetaDiversityOfTheWholeTableAndOfGroups) {
  PlexorFolder en = Folder();
  // Whole table; then groups 1 1 1 2 2 typed in for one factor.
  const PlexorRun r = en.run(kBinary + "V\n4\nw\nV\n4\ng\n1\nsite\nk\n1 1 1 2 2\nX\n");
  ExpectClean(r);
  ExpectContains(r.out, {"Options:\n\t(1) means and standard deviations of variables\n \t(2) entropy of variables\n "
                         "\t(4) multi-site beta diversity (sensu Baselga 2012)\n "
                         "\t(99)cancel and return to main menu\n ",
                         "Compute multi-site beta diversity for the whole data matrix (w) or within specified groups "
                         "(g)? (w/g) "});
  const std::string z = en.read("Zoviri.txt");
  // sum min 4, sum max 12, sum S 10, S_T 3: 16 / (14 + 16). Groups: the
  // three sites with two species each give 6 / 12; p4 and p5 give 2 / 4.
  ExpectContains(z, {"\nBeta diversity (betaSOR, sensu Baselga 2010) for the whole data table:\t0.533333\n",
                     "\nBeta diversity (betaSOR, sensu Baselga 2010) for each specified group:\n"
                     "\nGroups:\t1\t2\t\nBetaSOR:\t0.5\t0.5\t\n"});
  EXPECT_EQ(CountOccurrences(z, "\nDESCRIPTIVE ATTRIBUTES\n"), 2);

  // Portuguese, two factors: the second one chosen; then G shows the groups
  // kept in the session.
  PlexorFolder pt = Folder();
  const PlexorRun p = pt.run("E\nL\nC\n" + kBinary + "V\n4\nw\nV\n4\ng\n2\nn\nlocal\ntipo\nt\n1 1 2 2 2\n7 7 7 3 7\n2\n"
                             "G\nn\nX\n");
  ExpectClean(p);
  ExpectContains(p.out,
                 {"Calcular diversidade beta para toda a matroz de dados (w) ou para cada grupo especificado (g)? "
                  "(w/g) ",
                  "\nEspecifique o fator que define partencimento aos grupos de unidades: 1.local 2.tipo ): \t",
                  "Particao atual em grupos:"});
  const std::string q = pt.read("Zoviri.txt");
  ExpectContains(q, {"\nDiversidade beta (sensu Baselga 2010) para toda a tabela de dados:\t0.533333\n"});
  // Factor tipo: group 3 = p4 alone (no pair: 0); group 7 = p1 p2 p3 p5:
  // sum min 4, sum max 7, sum S 7, S_T 3: 11 / (8 + 11).
  ExpectContains(q, {"\nDiversidade beta (sensu Baselga 2010) para cada grupo especificado:\n"
                     "\nGrupos:\t3\t7\t\nBetaSOR:\t0\t0.578947\t\n"});
}

// The bootstrap blocks of a report: every variable's average lies within its
// limits, and the difference row is upper - lower.
void ExpectCoherentLimits(const std::string& s, int statistics, size_t steps, int variables) {
  size_t at = 0;
  for (int st = 0; st < statistics; st++) {
    at = s.find("\nAverage of the ", at + 1);
    ASSERT_NE(at, std::string::npos) << st;
    const std::string block = s.substr(at, s.find("\n\nStatistic", at) - at);
    const std::string lower = From(block, "Lower limits for "), upper = From(block, "\n\nUpper limits for "),
                      diff = From(block, "\n\nDifference between upper and lower limits:");
    int rows = 0;
    for (const std::string& line : Lines(block.substr(0, block.find("\n\nConfidence limits")))) {
      if (line.rfind("Var. ", 0) != 0) continue;
      rows++;
      const std::string label = "\n" + line.substr(0, line.find(':') + 2);
      const std::vector<double> a = Numbers(line.substr(label.size() - 1));
      const std::vector<double> lo = Row(lower, label), hi = Row(upper, label), d = Row(diff, label);
      ASSERT_TRUE(a.size() == steps && lo.size() == steps && hi.size() == steps && d.size() == steps) << line;
      for (size_t k = 0; k < steps; k++) {
        EXPECT_LE(lo[k], a[k] + 1e-9) << line;
        EXPECT_GE(hi[k], a[k] - 1e-9) << line;
        EXPECT_NEAR(d[k], hi[k] - lo[k], 1e-9 * (1 + std::fabs(hi[k]))) << line;
      }
    }
    EXPECT_EQ(rows, variables);
  }
}

// First refused: alpha 1 with the largest number of iterations, t would keep
// half of 2147483647 values per cell and thread.
TEST(DescriptiveAttributesE2E, BootstrapOfTheMeansOfTheDuneSpecies) {
  PlexorFolder f = Folder();
  const PlexorRun r =
      f.run(kDune + "V\n1\ny\n20\n2147483647\n1\n2\n3\nn\n" + "V\n1\ny\n5\n5\n990\n0.05\n2\n77\nn\nX\n");
  ExpectClean(r);
  ExpectContains(r.out, {"\nNot enough memory: the analysis was not done.\n",
                         "\nGet confidence limits using bootstrap resampling? y/n Initial sample size: Number of "
                         "sampling units added at each sampling step: Enter number of iterations in "
                         "resampling/permutation: Enter alpha probability for confidence limits: Initialization of "
                         "random number generation: "});
  const std::string refused = From(f.read("Zoviri.txt"), "\n\nSAMPLER\n");
  const std::string s = From(refused.substr(1), "\n\nSAMPLER\n");
  ExpectContains(refused.substr(0, refused.size() - s.size()),
                 {"each variable\n\nNot enough memory: the bootstrap was not done.\n"});
  EXPECT_EQ(refused.substr(0, refused.size() - s.size()).find("FINAL RESULTS"), std::string::npos);
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(s.find("\n\nSAMPLER\nBootstrap resampling\n" + std::string(65, '-') +
                   "\nNumber of sampling units added at each sampling step: 5 (starting with 5 units at 1st step)\n"
                   "Sample attributes: mean and standard deviation of each variable\nFINAL RESULTS:\nElapsed time: "),
            0u);
  ExpectContains(
      s, {" seconds\nNumber of sampling steps of size 5 (starting with 5 units at the 1st step): 4\n"
          "Initializer of pseudo-random number generator: 77\n"
          "\nSample size at 4 sampling step(s):\n5\t10\t15\t20\t"
          "\n\nStatistic: MEAN\nAverage of the sample mean generated by 1000 random iterations of bootstrap "
          "resampling:\nVar. Achimill: \t",
          "\n\nStatistic: STANDARD DEVIATION\nAverage of the standard deviations generated by 1000 random iterations "
          "of bootstrap resampling:\nVar. Achimill: \t",
          "\n\nStatistic: SKEWNESS\nAverage of the sample skewness generated by 1000 random iterations of bootstrap "
          "resampling:\nVar. Achimill: \t",
          "\n\nConfidence limits at 0.05 alpha probability (generated by 1000 random iterations of resampling):\n"
          "Lower limits for 4 samples with increasing sizes:\nVar. Achimill: \t",
          "\n\nUpper limits for 4 samples with increasing sizes:\nVar. Achimill: \t",
          "\n\nDifference between upper and lower limits:\nVar. Achimill: \t"});
  EXPECT_EQ(CountOccurrences(s, "\n\nConfidence limits at 0.05 alpha"), 3);
  ExpectCoherentLimits(s, 3, 4, 30);
  // The average of 1000 bootstrap means of all 20 sites is near the mean.
  const std::vector<double> mean = Row(s, "\nAverage of the sample mean generated by 1000 random iterations of bootstrap "
                                          "resampling:\nVar. Achimill: ");
  ASSERT_EQ(mean.size(), 4u);
  EXPECT_NEAR(mean[3], 0.8, 3 * 1.23969435962 / std::sqrt(20.0 * 1000.0));
  EXPECT_EQ(s.find("INTERMEDIATE"), std::string::npos);
}

TEST(DescriptiveAttributesE2E, PortugueseEntropyAndBootstrapWithIntermediateResults) {
  PlexorFolder f = Folder();
  // Means: sizes 2 4 5, 3 iterations raised to 4 for alpha 0.5, seed 5,
  // intermediate results. Entropy of order 0: all units, 2 iterations, alpha 0.
  const PlexorRun r = f.run("E\nL\nC\n" + kMixed + "V\n1\ns\n2\n2\n3\n0.5\n2\n5\ns\nV\n2\n0\ns\n5\n2\n0\n2\n9\nn\nX\n");
  ExpectClean(r);
  ExpectContains(r.out, {"ATRIBUTOS DESCRITIVOS\nOpcoes:\n\t(1) medias e desvios padrao de variaveis\n \t(2) entropia "
                         "de variaveis\n \t(99)cancelar e voltar ao menu principal\n \t\tEntre opcao: ",
                         "\nObter limites de confianca atraves de autoreamostragem (bootstrap)? s/n ",
                         "\nVeja resultados no arquivo Zoviri.txt."});
  const std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("PLEXOR versao 3.85b\n\n" + kDashes79 + "\nDESCRIPTIVE ATTRIBUTES\n"), 0u);
  // Order 0: the logarithm of the number of states.
  ExpectContains(From(z, "\nTabela de frequencias e entropia geral de Renyi ordem 0 (nats) em cada variavel:\n"),
                 {"Variavel colour:\nEstados:   \t2\t1\t3\t\nFrequencia:\t2\t2\t1\t\n",
                  "\nEntropia geral de Renyi ordem 0 (nats) em variaveis:\nVariaveis:\theight\tcolour\tpresent\t"
                  "weight\t\nEntropia: \tinf\t1.0986\t0.69315\tinf\t\n"});
  const std::string s = From(z, "\n\nSAMPLER\n");
  EXPECT_EQ(s.find("\n\nSAMPLER\nAutoreamostragem ('bootstrap')\n" + std::string(65, '-') +
                   "\nNumero de unidades amostrais agregadas a cada passo de amostragem: 2 (iniciando com 2 unidades "
                   "amostrais)\nAtributos avaliados na amostra: media e desvio padrao em cada variavel\n"
                   "RESULTADOS INTERMEDIARIOS:\n\nDados reamostrados (4 variaveis em linhas, 5 unidades amostrais em "
                   "colunas):\n"),
            0u);
  const std::string means = s.substr(0, s.find("\n\nSAMPLER\n", 1));
  EXPECT_EQ(CountOccurrences(means, "RESULTADOS INTERMEDIARIOS:\n"), 4);
  for (const char* heading : {"\nMedia com tamanhos crescentes de amostra:\nVariavel\tn=2\tn=4\tn=5\t\nVar. height:\t",
                              "\n\nDesvio padrao com tamanhos crescentes de amostra:\nVariavel\tn=2\tn=4\tn=5\t",
                              "\nAssimetria com tamanhos crescentes de amostra:\nVariavel\tn=2\tn=4\tn=5\t"})
    EXPECT_EQ(CountOccurrences(means, heading), 4) << heading;
  EXPECT_EQ(CountOccurrences(means, "\n\nLimites superiores para 3 tamanhos crescentes de amostra:\nVar. height: \t"), 2);
  EXPECT_EQ(CountOccurrences(means, "\nVar. colour:\t\n"), 12);  // the qualitative variable has no values
  ExpectContains(means,
                 {"\nFINAL RESULTS:\nTempo decorrido: ", "\nVar. colour: \n",
                  "\n\nEstatistica: DESVIO PADRAO\nMedia dos desvios padrao das amostras geradas em 4 iteracoes",
                  "\n\nEstatistica: ASSIMETRIA\nMedia das assimetrias das amostras geradas em 4 iteracoes",
                  " segundos\nNumero de passos de amostragem de tamanho 2 (iniciando com 2 unidades amostrais): 3\n"
                  "Inicializador do gerador de numeros aleatorios: 5\n\nTamanho das amostras em 3 passo(s) de "
                  "amostragem:\n2\t4\t5\t\n\nEstatistica: MEDIA\nMedia das medias das amostras geradas em 4 "
                  "iteracoes de autoreamostragem ('bootstrap'):\nVar. height: \t",
                  "\n\nLimites de confianca para 0.5 probabilidade alfa (gerados por 4 iteracoes de reamostragem "
                  "'bootstrap'):\nLimites inferiores para 3 tamanhos crescentes de amostra:\nVar. height: \t",
                  // The standard deviation block's upper heading ends its line.
                  "\n\nLimites superiores para 3 tamanhos crescentes de amostra:\n\nVar. height: \t",
                  "\n\nDiferenca entre limite superior e inferior:\nVar. height: \t"});

  // With alpha 0.5 and 4 iterations t = 1: the limits are the smallest and
  // the largest of the four means shown in the intermediate results.
  std::vector<double> heights;
  for (size_t p = means.find("\nMedia com tamanhos crescentes"); p != std::string::npos;
       p = means.find("\nMedia com tamanhos crescentes", p + 1))
    heights.push_back(Row(means.substr(p), "\nVar. height:\t")[2]);
  ASSERT_EQ(heights.size(), 4u);
  const std::vector<double> lower = Row(From(means, "Limites inferiores"), "\nVar. height: ");
  const std::vector<double> upper = Row(From(means, "\n\nLimites superiores"), "\nVar. height: ");
  const double lo = *std::min_element(heights.begin(), heights.end());
  const double hi = *std::max_element(heights.begin(), heights.end());
  const double sum = heights[0] + heights[1] + heights[2] + heights[3];
  ASSERT_EQ(lower.size(), 3u);
  EXPECT_NEAR(lower[2], lo, 1e-4 * (1 + lo));
  EXPECT_NEAR(upper[2], hi, 1e-4 * (1 + hi));
  EXPECT_NEAR(Row(From(means, "\nEstatistica: MEDIA"), "\nVar. height: ")[2], sum / 4, 1e-4 * (1 + sum));

  ExpectContains(From(s.substr(1), "\n\nSAMPLER\n"),
                 {"Numero de unidades amostrais agregadas a cada passo de amostragem: 0 (iniciando com 5 "
                  "unidades amostrais)\nAtributo avaliado na amostra: entropia em cada variavel\nFINAL RESULTS:",
                  "\n\nEstatistica: Entropia geral de Renyi ordem 0 (nats) \nMedia das entropias das amostras "
                  "geradas em 2 iteracoes de autoreamostragem ('bootstrap'):\nVar. height: \nVar. colour: \t",
                  "\n\nLimites de confianca para 0 probabilidade alfa (gerados por 2 iteracoes de reamostragem "
                  "'bootstrap'): menores e maiores valores encontrados, pois alfa x iteracoes / 2 e menor que 1\n"});
}

TEST(DescriptiveAttributesE2E, SameBootstrapResultsAtOneAndTwoProcessors) {
  // The mixed table: sizes 2 to 5, 1999 iterations, moments and entropy.
  auto run = [&](const std::string& processors) {
    PlexorFolder f = Folder();
    const PlexorRun r = f.run("E\nM\n" + processors + "\nC\n" + kMixed +
                              "V\n1\ny\n2\n1\n1999\n0.1\n2\n31\nn\nV\n2\n0.5\ny\n2\n1\n1999\n0.1\n2\n31\nn\nX\n");
    ExpectClean(r);
    std::string z = f.read("Zoviri.txt");
    std::string kept;
    for (size_t p = z.find("\nNumber of sampling steps"); p != std::string::npos;
         p = z.find("\nNumber of sampling steps", p + 1))
      kept += z.substr(p, z.find("-----", p) - p);
    return kept;
  };
  const std::string one = run("1"), two = run("2");
  ExpectContains(one, {"Statistic: SKEWNESS", "Statistics: Renyi general entropy of order 0.5 (nats)"});
  EXPECT_EQ(one, two);
}

TEST(DescriptiveAttributesE2E, RefusalsAndTheExtremesWhenAlphaIsZero) {
  // A negative count refuses option 3.
  PlexorFolder g = Folder();
  g.write("neg.csv", ",a,b,c\nr1,1,2,3\nr2,4,-1,2\n");
  PlexorRun r = g.run("N\nn\nneg.csv\n1\nn\nV\n3\n1\nX\n");
  ExpectClean(r);
  ExpectContains(r.out,
                 {"\nA contingency table holds frequencies: sampling unit r2 holds -1 in variable b. Entropy and "
                  "complexity not computed.\n"});
  EXPECT_FALSE(g.exists("Zoviri.txt"));

  // Qualitative data: option 2 alone; alpha 0 in the bootstrap gives the
  // extremes, said in the heading.
  PlexorFolder h = Folder();
  h.write("q.csv", ",a,b\nr1,1,2\nr2,2,2\nr3,1,3\nr4,3,1\n");
  r = h.run("N\nn\nq.csv\n3\nn\nV\n2\n1\ny\n4\n50\n0\n2\n3\nn\nX\n");
  ExpectClean(r);
  ExpectContains(r.out, {"Options:\n\t(2) entropy of variables\n \t(99)cancel and return to main menu\n "});
  const std::string s = From(h.read("Zoviri.txt"), "\n\nSAMPLER\n");
  ExpectContains(s,
                 {"Sample attribute: entropy of each variable\n",
                  "\n\nStatistics: Renyi general entropy of order 1 (nats)\nAverage of the sample entropy generated by "
                  "50 random iterations of bootstrap resampling:\nVar. a: \t",
                  "\n\nConfidence limits at 0 alpha probability (generated by 50 random iterations of resampling): "
                  "smallest and largest values met, alpha x iterations / 2 being below 1\n"});
}

}  // namespace

// The Beals test through option T, in English and in Portuguese: the
// differences and p-values in "Zoviri.txt" against R at processor limits 1
// and 2, the species not tested, the number of permutations refused below 1,
// and a session left exactly as after the same T without the test.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "transform/ReportChecks.h"

namespace {

// 12 significant digits, then examples/dune.txt (20 sites x 30 species).
const std::string kDigits12 = "E\nF\n12\n0\nC\n";
const std::string kOpenDune = "n\nn\ndune.txt\n1\n20\n30\nn\n2\nn\n";
// T: scalar `scalar`, other transformations, Beals smoothing of `type`,
// target excluded, no unit sums, then the answer to the test question and
// what follows it, then "no" to printing the tables.
std::string BealsT(int scalar, int type, const std::string& test) {
  return "t\n1\n" + std::to_string(scalar) + "\n3\n11\n" + std::to_string(type) + "\nn\nn\n" + test + "n\n";
}
const std::string kHeading =
    "\nDifferences between MEDIANS of Beals values (Formula 2 in De Caceres & Legendre 2008) in sites where the "
    "target variable occurs and where it does not occur, with corresponding p-values obtained by the Beals test "
    "described by De Caceres & Legendre (2008):\n";

// The Beals block of a results file: the heading and what follows it.
std::vector<std::string> BealsBlock(const std::string& z, const std::string& heading = kHeading) {
  const size_t at = z.find(heading);
  if (at == std::string::npos) return {};
  return Lines(z.substr(at + heading.size()));
}

// Values of a line of the block, "-" kept as NaN.
std::vector<double> Values(const std::string& line) {
  std::vector<double> v;
  size_t start = 0;
  while (start < line.size()) {
    size_t end = line.find('\t', start);
    if (end == std::string::npos) end = line.size();
    const std::string word = line.substr(start, end - start);
    if (!word.empty()) v.push_back(word == "-" ? NAN : std::stod(word));
    start = end + 1;
  }
  return v;
}

// Medians of the Beals values without the target (De Caceres & Legendre
// 2008) where each dune species occurs minus where it does not, from R:
//   library(vegan); data(dune); x <- as.matrix(dune); pa <- x > 0
//   b <- beals(x, include = FALSE, type = T)
//   sapply(1:30, function(k) median(b[pa[,k], k]) - median(b[!pa[,k], k]))
// with T = 0 (presences, as PLEXOR's presence/absence and type 0) and T = 3
// (quantities in both the co-occurrences and the average, as PLEXOR's raw
// data and type 1).
const double kDuneDifferencesPresences[30] = {
    0.27471001221,   0.37253716979,  0.251453648589, 0.202318568184, 0.249789465342, 0.182840361206,
    0.145552903886,  0.0770464815337, 0.0535608296025, 0.194168871252, 0.43602292769, 0.169843050468,
    0.18152281746,   0.271428571429, 0.309363553114, 0.123589913173, 0.352470195699, 0.26527353819,
    0.367771927147,  0.298579223356, 0.464215337132, 0.148029700594, 0.125024165649, 0.108333333333,
    0.0861072954823, 0.162380952381, 0.152349488585, 0.104127483094, 0.0949385683761, 0.277461961116};
const double kDuneDifferencesQuantities[30] = {
    0.33403381539,   0.390556951507, 0.290662913557, 0.217018435179, 0.295922795336, 0.148911519149,
    0.170585174392,  0.0849240034941, 0.0740012346191, 0.186174389104, 0.428277873369, 0.150060593073,
    0.237068141247,  0.295068836916, 0.380180661333, 0.122626285032, 0.361321920098, 0.30477797116,
    0.397164949507,  0.300392903637, 0.504663540456, 0.131112983806, 0.137997923584, 0.136321978367,
    0.0848659287812, 0.209591022933, 0.143350991463, 0.117668355887, 0.0614277053251, 0.28833886557};
// p-values of the same presences by a permutation test written in R: for
// species k, its column permuted among the sites where
// beals(x, include = TRUE, type = 0)[, k] != 0, the statistic recomputed from
// beals(y, include = FALSE, type = 0), 9999 permutations, set.seed(1).
const double kDunePValuesR[30] = {0.013301, 0.000100, 0.024302, 0.060106, 0.018402, 0.083808, 0.201720, 0.752175,
                                  0.951395, 0.068207, 0.000300, 0.114911, 0.158716, 0.016902, 0.008501, 0.309831,
                                  0.002100, 0.014801, 0.002400, 0.012701, 0.000200, 0.206621, 0.321232, 0.407941,
                                  0.790379, 0.137214, 0.224722, 0.419042, 0.599860, 0.015502};

PlexorFolder DuneFolder() {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  return f;
}

// Everything of a results file but its date and time lines
// ("Sun Dec  6 21:42:25 2026").
std::string WithoutTimes(const std::string& z) {
  std::string kept;
  for (const std::string& line : Lines(z))
    if (!(line.size() == 24 && line[13] == ':' && line[16] == ':')) kept += line + "\n";
  return kept;
}

struct DuneRun {
  std::string out;
  std::vector<std::string> block;
};

// The Beals test of the dune table, 12 significant digits, at the processor
// limit `processors`: scalar option `scalar`, Beals type `type`, then the seed
// and the number of permutations.
DuneRun RunDune(const std::string& processors, int scalar, int type, const std::string& seedAndPermutations) {
  PlexorFolder f = DuneFolder();
  const PlexorRun r = f.run("E\nM\n" + processors + "\nC\n" + kDigits12 + kOpenDune +
                            BealsT(scalar, type, "y\n2\n" + seedAndPermutations) + "x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  return {r.out, BealsBlock(f.read("Zoviri.txt"))};
}

}  // namespace

// Presences (type 0) with 999 permutations at processor limits 1 and 2: the
// same block; R's differences, and p-values within Monte Carlo error of R's.
TEST(BealsTestE2E, DuneDifferencesAndPValuesAgainstRAtOneAndTwoProcessors) {
  const DuneRun one = RunDune("1", 1, 0, "42\n999\n"), two = RunDune("2", 1, 0, "42\n999\n");
  ExpectContains(one.out, {"\nPerform Beals test according to De Caceres & Legendre (2008) for each variable? y/n ",
                           "HYPOTHESIS TESTING VIA RANDOMIZATION\n",
                           "Number of permutations: ", "\nSee results on file Zoviri.txt."});
  ASSERT_EQ(one.block.size(), 3u);  // every species tested
  EXPECT_EQ(two.block, one.block);
  const std::vector<double> differences = Values(one.block[0]), p = Values(one.block[1]);
  ASSERT_EQ(differences.size(), 30u);
  ASSERT_EQ(p.size(), 30u);
  EXPECT_EQ(one.block[2], "Random number generation initializer: 42");
  for (int k = 0; k < 30; k++) {
    EXPECT_NEAR(differences[k], kDuneDifferencesPresences[k], 1e-10) << k;
    // Counts out of 999, within Monte Carlo error of R's 9999.
    EXPECT_NEAR(p[k] * 999, std::round(p[k] * 999), 1e-6) << k;
    const double q = kDunePValuesR[k];
    EXPECT_NEAR(p[k], q, 4 * std::sqrt(q * (1 - q) * (1.0 / 999 + 1.0 / 9999)) + 2.0 / 999) << k;
  }
}

// Raw quantities (type 1) with a single permutation (the observed table):
// R's differences, every p 1. The transformation, its report, the session
// track and the status are those of the same T without the test; only the
// test's lines are added.
TEST(BealsTestE2E, QuantitiesAndTheSessionAsAfterTheSameTransformationWithoutTheTest) {
  PlexorFolder with = DuneFolder(), without = DuneFolder();
  const std::string after = "r\n1\n3\n0\nn\nx\n";  // a resemblance computed on the transformed data
  PlexorRun a = with.run(kDigits12 + kOpenDune + BealsT(0, 1, "y\n2\n7\n1\n") + after);
  PlexorRun b = without.run(kDigits12 + kOpenDune + BealsT(0, 1, "n\n") + after);
  ASSERT_EQ(a.status, 0) << a.err;
  ASSERT_EQ(b.status, 0) << b.err;
  std::string za = with.read("Zoviri.txt");
  const std::vector<std::string> block = BealsBlock(za);
  ASSERT_GE(block.size(), 3u);
  const std::vector<double> differences = Values(block[0]), p = Values(block[1]);
  ASSERT_EQ(differences.size(), 30u);
  for (int k = 0; k < 30; k++) {
    EXPECT_NEAR(differences[k], kDuneDifferencesQuantities[k], 1e-10) << k;
    EXPECT_EQ(p[k], 1.0) << k;
  }
  EXPECT_EQ(with.read("Sessao.trk"), without.read("Sessao.trk"));
  const std::string seedLine = "Random number generation initializer: 7\n";
  const size_t from = za.find(kHeading), seedAt = za.find(seedLine, from);
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(seedAt, std::string::npos);
  const size_t to = seedAt + seedLine.size();
  // Heading, differences, p-values and seed: nothing else is added.
  EXPECT_EQ(CountOccurrences(za.substr(from, to - from), "\n"), 5) << za.substr(from, to - from);
  za.erase(from, to - from);
  EXPECT_EQ(WithoutTimes(za), WithoutTimes(without.read("Zoviri.txt")));
  const size_t sa = a.out.rfind("\nAnalysis status"), sb = b.out.rfind("\nAnalysis status");
  EXPECT_EQ(a.out.substr(sa), b.out.substr(sb));
}

// Portuguese: a species present in every unit and one in none are not
// tested ("-" and one line saying why), and 0 permutations are refused.
TEST(BealsTestE2E, PortugueseWithSpeciesNotTestedAndPermutationsAskedAgain) {
  PlexorFolder f;
  f.write("d.txt",
          "1 1 0 1 0\n1 1 1 1 0\n0 1 1 0 0\n0 1 1 1 0\n1 1 0 0 0\n0 1 0 1 0\n1 1 1 0 0\n0 1 0 1 0\n");
  PlexorRun r = f.run("E\nL\nC\nN\nn\nd.txt\n1\n8\n5\nN\n1\nn\nt\n1\n0\n3\n11\n0\nn\nn\ns\n2\n99\n0\n9\nn\nx\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ExpectContains(r.out, {"\nRealizar teste de Beals para cada variavel conforme De Caceres & Legendre (2008)? s/n ",
                         "TESTES DE HIPOTESES VIA ALEATORIZACAO\n"});
  EXPECT_EQ(CountOccurrences(r.out, "Numero de permutacoes: "), 1);
  const std::string heading =
      "\nDiferencas entre MEDIANAS dos valores ajustados por Beals smoothing (Formula 2 em De Caceres & Legendre "
      "2008) em sitios onde a variavel ocorre e onde ela nao ocorre, com as respectivas probabilidades obtidas pelo "
      "teste de Beals conforme De Caceres & Legendre (2008):\n";
  const std::string z = f.read("Zoviri.txt");
  const std::vector<std::string> block = BealsBlock(z, heading);
  ASSERT_GE(block.size(), 4u) << z;
  const std::vector<double> differences = Values(block[0]), p = Values(block[1]);
  ASSERT_EQ(differences.size(), 5u);
  ASSERT_EQ(p.size(), 5u);
  for (int k : {1, 4}) EXPECT_TRUE(std::isnan(differences[k]) && std::isnan(p[k])) << k;
  for (int k : {0, 2, 3}) {
    EXPECT_FALSE(std::isnan(differences[k]));
    EXPECT_NEAR(p[k] * 9, std::round(p[k] * 9), 1e-3) << k;  // counts out of 9, printed to 5 digits
    EXPECT_GT(p[k], 0.0);
    EXPECT_LE(p[k], 1.0);
  }
  EXPECT_EQ(block[2], "Inicializador do gerador de numero aleatorios: 99");
  EXPECT_EQ(block[3],
            "2 variavel(is) nao testada(s) (\"-\"): 1 ocorre(m) em todas as unidades amostrais e 1 em nenhuma; a "
            "diferenca exige sitios onde a variavel ocorre e sitios onde nao ocorre.");
  EXPECT_EQ(z.find("nan"), std::string::npos);
}

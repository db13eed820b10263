// Option P run by the program on the dune meadow table (20 sites by 30
// species, Euclidean distances between sites, 12 significant digits). The
// sums of squares are checked against R's vegan (adonis2 on dist(x) with the
// management factor, the use factor, and their cells: 555.383333333,
// 193.985714286, 1017.35 of a total 1598.35; mrpp delta 11.153587682).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "RandomE2ESupport.h"

namespace {

using re2e::ExpectClean;

const std::string kSetup = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const std::string kOneFactor = "G\n1\nmanagement\nf\ndune_management.txt\n";
const std::string kTwoFactors = "G\n2\nn\nmanagement\nuse\nf\ndune_management_use.txt\n";
const std::string kBlocks = "G\n2\ny\nuse\nf\ndune_management_use.txt\n";
const std::string kEuclid = "R\n1\n3\n0\nn\n";
// P with the groups kept and seed 42.
const std::string kP = "P\nn\n2\n42\n";

PlexorFolder Folder() {
  PlexorFolder f;
  for (const char* name : {"dune.txt", "dune_management.txt", "dune_management_use.txt"})
    f.copyFromSource(std::string("examples/") + name, name);
  return f;
}

// The results of the group test (from its title on).
std::string GroupTest(const std::string& z) {
  const size_t p = z.find("RANDOMIZATION TEST");
  return p == std::string::npos ? std::string() : z.substr(p);
}

// Value of the first table row starting with `label` after `from`: the
// numbers of that row.
std::vector<double> Row(const std::string& text, const std::string& label, size_t from = 0) {
  const size_t p = text.find("\n" + label, from);
  if (p == std::string::npos) return {};
  const size_t end = text.find('\n', p + 1);
  std::istringstream s(text.substr(p + 1 + label.size(), end - p - 1 - label.size()));
  std::vector<double> v;
  std::string word;
  while (s >> word) {
    char* e = nullptr;
    const double x = std::strtod(word.c_str(), &e);
    if (*e == '\0') v.push_back(x);
  }
  return v;
}

// One factor with its pairwise contrasts; then a run of fewer than one
// permutation refused and one permutation taken: the observed data set only,
// every P = 1.
TEST(GroupTestE2E, OneFactorWithPairwiseContrasts) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kSetup + kOneFactor + kEuclid + kP + "d\n1\n999\nn\n" + kP + "d\n0\n0\n1\nn\nX\n");
  ExpectClean(r, true);
  EXPECT_EQ(CountOccurrences(r.err, "Incorrect input"), 1);
  EXPECT_NE(r.err.find("Incorrect input = 0"), std::string::npos);
  EXPECT_NE(r.out.find("HYPOTHESIS TESTING VIA RANDOMIZATION"), std::string::npos);
  EXPECT_NE(r.out.find("See results on file Zoviri.txt."), std::string::npos);
  const std::string z = GroupTest(f.read("Zoviri.txt"));
  ASSERT_FALSE(z.empty());
  EXPECT_NE(z.find("Number of random permutations plus observed data set: 999\n"), std::string::npos);
  EXPECT_NE(z.find("Random number generation initializer: 42\n"), std::string::npos);
  EXPECT_NE(z.find("Factor management:  4 1 4 4 2 2 2 2 2 1 1 4 4 3 3 4 3 3 3 3"), std::string::npos);
  EXPECT_NE(z.find("Permuted data were vectors of raw data."), std::string::npos);
  EXPECT_NE(z.find("Randomization restrictions:none\n"), std::string::npos);
  const std::vector<double> between = Row(z, "Between groups");
  ASSERT_EQ(between.size(), 2u);
  EXPECT_NEAR(between[0], 555.383333333, 1e-8);
  EXPECT_GT(between[1], 0.0);
  EXPECT_LT(between[1], 0.02);  // adonis2 gives 0.002 with 999 permutations
  EXPECT_NEAR(Row(z, "Within groups")[0], 1042.96666667, 1e-7);
  EXPECT_NEAR(Row(z, "Total")[0], 1598.35, 1e-8);
  // Six pairwise contrasts, groups 1 and 2 first (coefficients 1 -1 0 0).
  EXPECT_NE(z.find("   Contrasts:\n 1 -1 0 0 "), std::string::npos);
  EXPECT_NE(z.find("\n 0 0 1 -1 "), std::string::npos);
  EXPECT_NE(z.find("Mean vectors of each group:\nFactor management:\nGroup 1 (n=3):\t"), std::string::npos);
  EXPECT_EQ(Row(re2e::From(z, "RANDOMIZATION TEST"), "Between groups").back(), 1.0);
}

TEST(GroupTestE2E, TwoFactorsByDefaultRunTheSeries) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kSetup + kTwoFactors + kEuclid + kP + "d\n0\n199\nn\nX\n");
  ExpectClean(r);
  const std::string z = GroupTest(f.read("Zoviri.txt"));
  EXPECT_NE(z.find("Vectors of raw data were used to generate probabilities for the main effects while vectors "
                   "of residuals were used for double interactions (both factor effects removed)."),
            std::string::npos);
  EXPECT_NE(z.find("For the all-factor combination effect permutations were unrestricted.\n"), std::string::npos);
  EXPECT_NE(z.find(" P(QbNULL>=Qb) *\n"), std::string::npos);
  EXPECT_NE(z.find("(*) Probabilities P generated for sum of squares (Qb), except for interactions"),
            std::string::npos);
  const size_t use = z.find("Factor use:\nBetween");
  ASSERT_NE(use, std::string::npos);
  EXPECT_NEAR(Row(z, "Between groups")[0], 555.383333333, 1e-8);
  EXPECT_NEAR(Row(z, "Between groups", use)[0], 193.985714286, 1e-8);
  const std::vector<double> interaction = Row(z, "management x use");
  ASSERT_EQ(interaction.size(), 2u);
  EXPECT_NEAR(interaction[0], 1017.35 - 555.383333333 - 193.985714286, 1e-7);
  EXPECT_NE(z.find("Warning! Data do not contain all the combinations of levels for these factors.\n"),
            std::string::npos);
  EXPECT_NEAR(Row(z, "Within groups")[0], 1598.35 - 1017.35, 1e-8);
  EXPECT_NE(z.find("Interaction factors management x use:\nGroup 1 x 1 (n=1):\t"), std::string::npos);
  for (const std::string& label : {std::string("Between groups"), std::string("management x use")}) {
    const std::vector<double> row = Row(z, label);
    EXPECT_GT(row.back(), 0.0);
    EXPECT_LE(row.back(), 1.0);
  }
}

TEST(GroupTestE2E, BlockDesignMaintained) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kSetup + kBlocks + kEuclid + kP + "a\n1\n0\nm\n0\n99\nn\nX\n");
  ExpectClean(r);
  const std::string z = GroupTest(f.read("Zoviri.txt"));
  EXPECT_NE(z.find("\nRandom permutation within nesting groups:\t 4 1 4 4 2 2 2 2 2 1 1 4 4 3 3 4 3 3 3 3"),
            std::string::npos);
  // The block factor shows only its sum of squares; the error pools the
  // block-by-treatment interaction; there is no all-factor row.
  EXPECT_NE(z.find("Factor Blocks:\nBetween groups        \t       555.383333333\t\n"), std::string::npos);
  EXPECT_NEAR(Row(z, "Within groups")[0], 1598.35 - 1017.35 + (1017.35 - 555.383333333 - 193.985714286), 1e-7);
  EXPECT_EQ(z.find("Blocks    x"), std::string::npos);
  EXPECT_EQ(CountOccurrences(z, "Between groups"), 2);
}

TEST(GroupTestE2E, MrppAndTheSameSeedAtOneAndTwoProcessors) {
  auto run = [](const std::string& processors) {
    PlexorFolder f = Folder();
    const PlexorRun r =
        f.run("E\nM\n" + processors + "\nC\n" + kSetup + kOneFactor + kEuclid + kP + "a\n3\n0\n0\n0\n499\nn\n" +
              kP + "a\n2\n0\n0\n1\n499\nn\nX\n");
    ExpectClean(r);
    return re2e::WithoutTimes(f.read("Zoviri.txt"));
  };
  const std::string one = run("1"), two = run("2");
  EXPECT_EQ(one, two);
  const std::string z = GroupTest(one);
  EXPECT_NE(z.find("MRPP:\t11.1536\tP(MRPP_Rnd<=MRPP):\t0.00"), std::string::npos) << z.substr(0, 2000);
  EXPECT_NE(z.find(" P(FNULL>=F)\n"), std::string::npos);
}

TEST(GroupTestE2E, PortugueseAndTheSessionLeftAsItWas) {
  PlexorFolder before = Folder(), after = Folder();
  const std::string pt = "E\nL\nC\n";
  const std::string setup = pt + "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n" +
                            "G\n1\nmanagement\na\ndune_management.txt\n" + kEuclid;
  ExpectClean(before.run(setup + "X\n"));
  const PlexorRun r = after.run(setup + "P\nn\n2\n7\nd\n0\n99\ns\nn\np\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("TESTES DE HIPOTESES VIA ALEATORIZACAO"), std::string::npos);
  EXPECT_NE(r.out.find("Tem certeza? s/n Sao 99 permutacoes! "), std::string::npos);
  EXPECT_NE(r.out.find("Veja resultados no arquivo Zoviri.txt."), std::string::npos);
  const std::string z = after.read("Zoviri.txt");
  EXPECT_NE(z.find("TESTE DE ALEATORIZACAO\n"), std::string::npos);
  EXPECT_NE(z.find("TESTE DE ALEATORIZACAO - RESULTADOS INTERMEDIARIOS"), std::string::npos);
  EXPECT_NE(z.find("Fonte de variacao"), std::string::npos);
  EXPECT_NE(z.find("Dentro de grupos"), std::string::npos);
  // One line of sums of squares per permutation: the observed one first.
  EXPECT_NE(z.find("management\tPermutacoes aleatorias\n555.383333333\t site1 site2 site3"), std::string::npos);
  // The test changes nothing the session track records.
  EXPECT_EQ(before.read("Sessao.trk"), after.read("Sessao.trk"));
  EXPECT_FALSE(before.read("Sessao.trk").empty());
}

TEST(GroupTestE2E, MembershipFilesAndPermutationCountsAreChecked) {
  PlexorFolder f = Folder();
  f.write("short.txt", "1 1 1 2 2 2\n");
  f.write("word.txt", "1 1 1 1 1 x 2 2 2 2 2 2 2 2 2 2 2 2 2 2\n");
  f.write("bundles.txt", "1 1 2 2 2 3 3 3 3 4 4 4 5 5 5 6 6 6 7 7\n");
  // Advanced Qb: nesting from a file (short, then not integers, then the
  // keyboard); unequal bundles; 0 permutations refused.
  std::string keyboard;
  for (int i = 0; i < 20; i++) keyboard += i < 10 ? "1\n" : "2\n";
  const PlexorRun r = f.run(kSetup + kOneFactor + kEuclid + kP + "a\n1\n2\nf\nshort.txt\nf\nword.txt\nk\n" +
                            keyboard + "2\nf\nbundles.txt\n1\n0\n19\nn\nX\n");
  ExpectClean(r);
  EXPECT_NE(r.out.find("File short.txt holds only 6 group numbers; 20 are needed"), std::string::npos);
  EXPECT_NE(r.out.find("File word.txt: value number 6 (x) is not an integer group number."), std::string::npos);
  EXPECT_NE(r.out.find("Unbalanced design. Permutation among bundling blocks is not possible."), std::string::npos);
  const std::string z = GroupTest(f.read("Zoviri.txt"));
  EXPECT_NE(z.find("Unbalanced design. Permutation among bundling blocks is not possible.\n"), std::string::npos);
  EXPECT_NE(z.find("\nUnits randomly permuted as bundles:\t 1 1 2 2 2 3"), std::string::npos);
  EXPECT_NE(z.find("\nPermutation of units within nesting groups, followed by permutation of the bundles.\n"),
            std::string::npos);
  EXPECT_NE(z.find("Number of random permutations plus observed data set: 19\n"), std::string::npos);
}

}  // namespace

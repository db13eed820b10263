// Option P run by the program on the dune meadow table (20 sites by 30
// species, Euclidean distances between sites, 12 significant digits). The
// sums of squares are checked against R's vegan (adonis2 on dist(x) with the
// management factor, the use factor, and their cells: 555.383333333,
// 193.985714286, 1017.35 of a total 1598.35; mrpp delta 11.153587682).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RandomE2ESupport.h"

namespace {

using re2e::ExpectClean;
using re2e::ExpectHoldsAll;
using re2e::Row;

const std::string kSetup = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";
const std::string kOneFactor = "G\n1\nmanagement\nf\ndune_management.txt\n";
const std::string kEuclid = "R\n1\n3\n0\nn\n";
// P with the groups kept and seed 42.
const std::string kP = "P\nn\n2\n42\n";

PlexorFolder Folder() {
  PlexorFolder f;
  for (const char* name : {"dune.txt", "dune_management.txt", "dune_management_use.txt"})
    f.copyFromSource(std::string("examples/") + name, name);
  return f;
}

// The results of each group test in the file.
std::vector<std::string> GroupTests(const PlexorFolder& f) {
  return re2e::Sections(f.read("Zoviri.txt"), "\nRANDOMIZATION TEST\n");
}

// One factor with its pairwise contrasts; fewer than one permutation
// refused and one taken (every P = 1); then the advanced dialogue: nesting
// from a file (too short, then not integers, then the keyboard) and unequal
// bundles.
TEST(GroupTestE2E, OneFactorContrastsAndMembershipFiles) {
  PlexorFolder f = Folder();
  f.write("short.txt", "1 1 1 2 2 2\n");
  f.write("word.txt", "1 1 1 1 1 x 2 2 2 2 2 2 2 2 2 2 2 2 2 2\n");
  f.write("bundles.txt", "1 1 2 2 2 3 3 3 3 4 4 4 5 5 5 6 6 6 7 7\n");
  std::string keyboard;
  for (int i = 0; i < 20; i++) keyboard += i < 10 ? "1\n" : "2\n";
  const PlexorRun r = f.run(kSetup + kOneFactor + kEuclid + kP + "d\n1\n999\nn\n" + kP + "d\n0\n0\n1\nn\n" + kP +
                            "a\n1\n2\nf\nshort.txt\nf\nword.txt\nk\n" + keyboard + "2\nf\nbundles.txt\n1\n0\n19\nn\nX\n");
  ExpectClean(r, true);
  EXPECT_EQ(CountOccurrences(r.err, "Incorrect input"), 1);
  EXPECT_TRUE(Holds(r.err, "Incorrect input = 0"));
  ExpectHoldsAll(r.out, {"HYPOTHESIS TESTING VIA RANDOMIZATION", "See results on file Zoviri.txt.",
                         "File short.txt holds only 6 group numbers; 20 are needed",
                         "File word.txt: value number 6 (x) is not an integer group number.",
                         "Unbalanced design. Permutation among bundling blocks is not possible."});
  const std::vector<std::string> z = GroupTests(f);
  ASSERT_EQ(z.size(), 3u);
  ExpectHoldsAll(z[0], {"Number of random permutations plus observed data set: 999\n",
                        "Random number generation initializer: 42\n",
                        "Factor management:  4 1 4 4 2 2 2 2 2 1 1 4 4 3 3 4 3 3 3 3",
                        "Permuted data were vectors of raw data.", "Randomization restrictions:none\n",
                        // Six pairwise contrasts, groups 1 and 2 first.
                        "   Contrasts:\n 1 -1 0 0 ", "\n 0 0 1 -1 ",
                        "Mean vectors of each group:\nFactor management:\nGroup 1 (n=3):\t"});
  const std::vector<double> between = Row(z[0], "Between groups");
  ASSERT_EQ(between.size(), 2u);
  EXPECT_NEAR(between[0], 555.383333333, 1e-8);
  EXPECT_GT(between[1], 0.0);
  EXPECT_LT(between[1], 0.02);  // adonis2 gives 0.002 with 999 permutations
  EXPECT_NEAR(Row(z[0], "Within groups")[0], 1042.96666667, 1e-7);
  EXPECT_NEAR(Row(z[0], "Total")[0], 1598.35, 1e-8);
  EXPECT_EQ(Row(z[1], "Between groups").back(), 1.0);
  ExpectHoldsAll(z[2], {"Unbalanced design. Permutation among bundling blocks is not possible.\n",
                        "\nUnits randomly permuted as bundles:\t 1 1 2 2 2 3",
                        "\nPermutation of units within nesting groups, followed by permutation of the bundles.\n",
                        "Number of random permutations plus observed data set: 19\n"});
}

// Two factors by default run the series of tests; then a block design with
// permutations within the blocks.
TEST(GroupTestE2E, TwoFactorsAndBlockDesign) {
  PlexorFolder f = Folder();
  const PlexorRun r = f.run(kSetup + "G\n2\nn\nmanagement\nuse\nf\ndune_management_use.txt\n" + kEuclid + kP +
                            "d\n0\n199\nn\nG\ny\n2\ny\nuse\nf\ndune_management_use.txt\n" + kP +
                            "a\n1\n0\nm\n0\n99\nn\nX\n");
  ExpectClean(r);
  const std::vector<std::string> z = GroupTests(f);
  ASSERT_EQ(z.size(), 2u);
  ExpectHoldsAll(z[0], {"Vectors of raw data were used to generate probabilities for the main effects while "
                        "vectors of residuals were used for double interactions (both factor effects removed).",
                        "For the all-factor combination effect permutations were unrestricted.\n",
                        " P(QbNULL>=Qb) *\n",
                        "(*) Probabilities P generated for sum of squares (Qb), except for interactions",
                        "Warning! Data do not contain all the combinations of levels for these factors.\n",
                        "Interaction factors management x use:\nGroup 1 x 1 (n=1):\t"});
  const size_t use = z[0].find("Factor use:\nBetween");
  ASSERT_NE(use, std::string::npos);
  EXPECT_NEAR(Row(z[0], "Between groups")[0], 555.383333333, 1e-8);
  EXPECT_NEAR(Row(z[0], "Between groups", use)[0], 193.985714286, 1e-8);
  const std::vector<double> interaction = Row(z[0], "management x use");
  ASSERT_EQ(interaction.size(), 2u);
  EXPECT_NEAR(interaction[0], 1017.35 - 555.383333333 - 193.985714286, 1e-7);
  EXPECT_NEAR(Row(z[0], "Within groups")[0], 1598.35 - 1017.35, 1e-8);
  for (const std::vector<double>& row : {Row(z[0], "Between groups"), interaction}) {
    EXPECT_GT(row.back(), 0.0);
    EXPECT_LE(row.back(), 1.0);
  }
  // The block factor shows only its sum of squares; the error pools the
  // block-by-treatment interaction; there is no all-factor row.
  ExpectHoldsAll(z[1], {"\nRandom permutation within nesting groups:\t 4 1 4 4 2 2 2 2 2 1 1 4 4 3 3 4 3 3 3 3",
                        "Factor Blocks:\nBetween groups        \t       555.383333333\t\n"});
  EXPECT_NEAR(Row(z[1], "Within groups")[0], 1598.35 - 1017.35 + (1017.35 - 555.383333333 - 193.985714286), 1e-7);
  EXPECT_TRUE(Lacks(z[1], "Blocks    x"));
  EXPECT_EQ(CountOccurrences(z[1], "Between groups"), 2);
}

TEST(GroupTestE2E, MrppAndTheSameSeedAtOneAndTwoProcessors) {
  auto run = [](const std::string& processors) {
    PlexorFolder f = Folder();
    ExpectClean(f.run("E\nM\n" + processors + "\nC\n" + kSetup + kOneFactor + kEuclid + kP +
                      "a\n3\n0\n0\n0\n499\nn\n" + kP + "a\n2\n0\n0\n1\n499\nn\nX\n"));
    return re2e::WithoutTimes(f.read("Zoviri.txt"));
  };
  const std::string one = run("1");
  EXPECT_EQ(one, run("2"));
  ExpectHoldsAll(one, {"MRPP:\t11.1536\tP(MRPP_Rnd<=MRPP):\t0.00", " P(FNULL>=F)\n"});
}

TEST(GroupTestE2E, PortugueseAndTheSessionLeftAsItWas) {
  PlexorFolder before = Folder(), after = Folder();
  const std::string setup = "E\nL\nC\n" + kSetup + "G\n1\nmanagement\na\ndune_management.txt\n" + kEuclid;
  ExpectClean(before.run(setup + "X\n"));
  const PlexorRun r = after.run(setup + "P\nn\n2\n7\nd\n0\n99\ns\nn\np\nX\n");
  ExpectClean(r);
  ExpectHoldsAll(r.out, {"TESTES DE HIPOTESES VIA ALEATORIZACAO", "Tem certeza? s/n Sao 99 permutacoes! ",
                         "Veja resultados no arquivo Zoviri.txt."});
  ExpectHoldsAll(after.read("Zoviri.txt"),
                 {"TESTE DE ALEATORIZACAO\n", "TESTE DE ALEATORIZACAO - RESULTADOS INTERMEDIARIOS",
                  "Fonte de variacao", "Dentro de grupos",
                  // One line of sums of squares per permutation: the observed one first.
                  "management\tPermutacoes aleatorias\n555.383333333\t site1 site2 site3"});
  // The test changes nothing the session track records.
  EXPECT_EQ(before.read("Sessao.trk"), after.read("Sessao.trk"));
  EXPECT_FALSE(before.read("Sessao.trk").empty());
}

}  // namespace

// A measure the residuals leave undefined refuses the test: the second
// variable is the first factor's effect plus a constant, so that once both
// factors are removed it does not vary and the Mahalanobis distance is undefined.
TEST(GroupTestE2E, MeasureUndefinedOnTheResidualsRefusesTheTest) {
  PlexorFolder f;
  f.write("d.txt", "1 5\n2 5\n3 5\n4 5\n2 9\n3 9\n5 9\n1 9\n");
  const PlexorRun r = f.run("N\nn\nd.txt\n1\n8\n2\nN\n1\nn\nR\n1\n29\n0\nn\nP\n2\nn\nA\nB\nk\n1 1 1 1 2 2 2 2\n"
                            "1 1 2 2 1 1 2 2\n2\n7\nd\n0\n0\n99\nn\nX\n");
  const char* refusal = "The resemblance measure cannot be computed on the residuals (their covariance matrix cannot "
                        "be inverted): test not done.\n";
  EXPECT_TRUE(Holds(r.out, refusal));
  const std::vector<std::string> z = GroupTests(f);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_TRUE(Holds(z[0], refusal));
  EXPECT_TRUE(Lacks(z[0], "Between groups"));
}

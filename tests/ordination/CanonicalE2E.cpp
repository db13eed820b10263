// Option K run by the program: the dune meadow table (20 sites by 30
// species) as the first data set, its environmental variables (A1,
// Moisture, Manure) and its management classes stored as sessions "env" and
// "mgmt", all with Euclidean distances between sites. The statistics are
// checked against R on the same tables (x = dune, e = dune_env, g =
// management classes):
//   vegan: mantel(dist(x), dist(e))$statistic = 0.227704319512
//          mantel.partial(dist(x), dist(e), dist(g))$statistic = 0.243064448462
//          protest(x, e)$t0 = 0.563490653368
//          spenvcor(rda(x ~ e)) = 0.896563164724 0.850244143243 0.711898763561
//   energy: dcor(x, e)^2 = 0.667302585988 (Rd)
//   RV from its definition = 0.485801107069
//   lm(x ~ e): Achimill intercept 2.713402757339, A1 slope -0.061655386594,
//              r squared 0.334288533238
//   as.matrix(dist(x))[1,2] / as.matrix(dist(e))[1,2] = 4.99442896763
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordination/AnalysisE2ESupport.h"
#include "support/ShellHelpers_shell.h"

using namespace analysis_e2e;

namespace {

struct Language {
  bool portuguese;
  const char* yes;  // answer to yes/no questions
};

// Sessions env and mgmt stored, then the dune table current as session
// "dune"; each with Euclidean distances between sampling units.
std::string StoredSessions(const Language& l) {
  const std::string y = std::string(l.yes) + "\n";
  const std::string euclid = Resemblance(1, 3);
  return "N\nn\ndune_env.txt\n1\n20\n3\nN\n2\nn\n" + euclid + "S\nenv\n" +
         "N\nn\ndune_management.txt\n1\n20\n1\n1\nn\n" + y + "mgmt\n" + euclid + kDune + y + "dune\n" + euclid;
}

const std::string kSeed = "2\n42\n";

PlexorFolder Folder(const Language& l) {
  PlexorFolder f = Examples({"dune.txt", "dune_env.txt", "dune_management.txt"});
  if (l.portuguese) f.write("Plexor.prf", shelltest::PortuguesePreferences());
  return f;
}

struct OptionCase {
  int option;
  std::string answers;  // after "K\n<option>\n"
  std::string title[2];   // English, Portuguese heading of the final block
  std::vector<std::string> expected[2];
};

std::vector<OptionCase> Options() {
  const std::string test = kSeed + "199\nn\n";
  return {
      {1, "env\n" + test, {"MANTEL TEST", "TESTE DE MANTEL"},
       {{"Test criterion: Matrix correlation  (Pearson between resemblances defined with data sets dune.txt and "
         "dune_env.txt).\n",
         "Results:\nMatrix correlation:\t0.227704\nProbability P(|ro random| >= |ro observed|):\t0.0"},
        {"Criterio de teste: Correlacao matricial  (Pearson entre semelhancas definidas com os conjuntos de dados "
         "dune.txt e dune_env.txt).\n",
         "Resultados:\nCorrelacao matricial:\t0.227704\nProbabilidade P(|ro aleatorio| >= |ro observado|):\t0.0"}}},
      {2, "2\nenv\ny\n" + kSeed + "199\n0\nn\n", {"LINEAR MODELS: RANDOMIZATION TEST", "MODELOS LINEARES: TESTE DE"},
       {{"Permutation restrictions:\tNone\n", "\nbo:\t2.7134\t-4.7132\t", "\nA1 b1:\t-0.0616554\t0.232828\t",
         "Coefficients of determination (r squared) for 30 response variables:\t0.334289\t0.665307\t",
         "\nFactor matrix:\n2.8\t1\t5\t\n", "Source of variation   \tSum of squares(Q) for each response variable\n"},
        {"Restricoes as permutacoes:\tNenhuma\n", "\nbo:\t2.7134\t-4.7132\t", "\nA1 b1:\t-0.0616554\t0.232828\t",
         "Coeficientes de determinacao (r ao quadrado) para 30 variaveis resposta:\t0.334289\t0.665307\t",
         "\nMatriz de fatores:\n2.8\t1\t5\t\n", "Fonte de variacao     \tSoma de quadrados(Q)"}}},
      {3, "env\n" + test, {"RANDOMIZATION TEST\n", "TESTE DE ALEATORIZACAO\n"},
       {{"REDUNDANCY ANALYSIS (RDA) \nData matrix with response variables (Y):\tdune.txt\n",
         "Canonical axis 1:\t0.896563\t0.0", "Canonical axis 2:\t0.850244\t", "Canonical axis 3:\t0.711899\t",
         "(198 random permutations of unit vectors in matrix Y):\n"},
        {"ANALISE DE REDUNDANCIA (RDA) \nMatriz de dados com variaveis resposta (Y):\tdune.txt\n",
         "Eixo canonico 1:\t0.896563\t0.0", "Eixo canonico 3:\t0.711899\t"}}},
      {4, "env\nmgmt\n" + test, {"PARTIAL MANTEL TEST", "TESTE DE MANTEL PARCIAL"},
       {{"controling for resemblances with dune_management.txt).\n", "Partial matrix correlation:\t0.243064\n"},
        {"controlando pelas semelhancas com dune_management.txt).\n", "Correlacao matricial parcial:\t0.243064\n"}}},
      {5, "env\n", {"RATES OF CHANGE", "TAXAS DE MUDANCA"},
       {{"\nReference scale:\t3.15\t3.9\t", "Rate of change (velocity):\t4.9944\t", "Acceleration:\t"},
        {"\nEscala de referencia:\t3.15\t3.9\t", "Taxa de mudanca (velocidade):\t4.9944\t", "Aceleracao:\t"}}},
      {6, "env\n" + test, {"PROCRUSTES TEST", "TESTE DE PROCRUSTES"},
       {{"Procrustes correlation (r):\t0.563491\n", "PROCRUSTES ANALYSIS\n",
         "Data matrix of session env, with 20 units (rows) and 30 variables (columns) after symmetric Procrustes "
         "adjustment for maximum fit with session dune, according to ("},
        {"Correlacao de Procrustes (r):\t0.563491\n", "ANALISE DE PROCRUSTES\n",
         "Matriz de dados da sessao env, com 20 unidades amostrais (linhas)"}}},
      {7, "env\n" + test, {"RV Coefficient TEST", "TESTE DO Coeficiente RV"},
       {{"RV coefficient:\t0.485801\nProbability P(|RV random| >= |RV observed|):\t"},
        {"Coeficiente RV:\t0.485801\nProbabilidade P(|RV aleatorio| >= |RV observado|):\t"}}},
      {8, "env\n" + test, {"Rd Coefficient TEST", "TESTE DO Coeficiente Rd"},
       {{"Rd coefficient:\t0.667303\nProbability P(|Rd random| >= |Rd observed|):\t"},
        {"Coeficiente Rd:\t0.667303\nProbabilidade P(|Rd aleatorio| >= |Rd observado|):\t"}}},
  };
}

class CanonicalE2E : public ::testing::TestWithParam<bool> {};

TEST_P(CanonicalE2E, EveryOption) {
  const Language l{GetParam(), GetParam() ? "s" : "y"};
  const int lang = l.portuguese ? 1 : 0;
  for (const OptionCase& c : Options()) {
    SCOPED_TRACE("option " + std::to_string(c.option));
    PlexorFolder f = Folder(l);
    const PlexorRun r = f.run(StoredSessions(l) + "K\n" + std::to_string(c.option) + "\n" + c.answers + "X\n");
    ExpectClean(r);
    const std::string block = From(f.read("Zoviri.txt"), c.title[lang]);
    ASSERT_FALSE(block.empty()) << r.out.substr(r.out.size() > 3000 ? r.out.size() - 3000 : 0);
    for (const std::string& e : c.expected[lang]) EXPECT_TRUE(Holds(block, e));
    // The second data set stays held: the main menu's status report shows it.
    const size_t after = r.out.rfind(l.portuguese ? "MENU PRINCIPAL" : "MAIN MENU");
    const size_t second = r.out.rfind(l.portuguese ? "Segundo conjunto de dados: dune_env.txt, com 3 variaveis\n"
                                                   : "Second data set: dune_env.txt, with 3 variables\n");
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(second, after);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, CanonicalE2E, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Portuguese" : "English"; });

// Saved permutations (a number of 0 refused and asked again), then keep,
// switch order and specify the second data set again, with the status report
// of the held set; the same probability at either processor limit.
TEST(CanonicalDialogueE2E, SavedPermutationsKeepSwitchSpecifyAgainAndProcessorLimits) {
  const Language l{false, "y"};
  const std::string mantel = kSeed + "19\nn\n";
  std::string probability[2];
  for (int processors : {1, 2}) {
    PlexorFolder f = Folder(l);
    const PlexorRun r = f.run(Processors(processors) + StoredSessions(l) + "K\n1\nenv\n" + kSeed + "0\n3\ny\n" +
                              "K\n1\nk\n" + kSeed + "999\nn\nK\n1\ns\n" + mantel + "K\n1\nn\nmgmt\n" + mantel +
                              "X\n");
    ExpectClean(r, true);
    const std::string z = f.read("Zoviri.txt");
    const std::string each = From(z, "MANTEL TEST: Data and results of each permutation\n");
    ASSERT_FALSE(each.empty());
    EXPECT_TRUE(Holds(each, "Number of permutations: 3\nTest criterion: matrix correlation  (Pearson"));
    EXPECT_TRUE(Holds(each, "Permutation 1:\n\ndune.txt\n\nResemblance matrix:\n"));
    EXPECT_TRUE(Holds(each, "\nIteration: 2\nRandom data and corresponding results:\n\nResemblance matrix:\n"));
    EXPECT_TRUE(Holds(each, "\nIteration: 3\n"));
    EXPECT_TRUE(Lacks(each, "\nIteration: 4\n"));
    EXPECT_TRUE(Holds(each, "MANTEL TEST: Final results\n"));
    const std::string kept = From(z.substr(z.find("MANTEL TEST: Final results")), "MANTEL TEST\n");
    const size_t p = kept.find("Probability P(|ro random| >= |ro observed|):\t");
    ASSERT_NE(p, std::string::npos);
    probability[processors - 1] = kept.substr(p, kept.find('\n', p) - p);

    EXPECT_TRUE(Holds(r.out, "First data set: dune.txt\nSecond data set: dune_env.txt\n"
                             "Keep (k), switch order (s) or specify the second data set again (n)? "));
    // After the switch the environmental data are the first data set.
    EXPECT_TRUE(Holds(r.out, "First data set: dune_env.txt\nSecond data set: dune.txt\nKeep (k)"));
    EXPECT_EQ(CountOccurrences(kept, "with data sets dune.txt and dune_env.txt)"), 1);
    EXPECT_EQ(CountOccurrences(kept, "with data sets dune_env.txt and dune.txt)"), 1);
    EXPECT_EQ(CountOccurrences(kept, "with data sets dune_env.txt and dune_management.txt)"), 1);
    EXPECT_EQ(CountOccurrences(kept, "Matrix correlation:\t0.227704\n"), 2);
    // The switched first set was recorded as the current session.
    EXPECT_EQ(f.read("Sessao.trk"), "env\n");
  }
  EXPECT_EQ(probability[0], probability[1]);
}

// In turn: a second data set without a resemblance matrix, or of mixed
// variables; a stored session of 19 units; a first data set without a
// resemblance matrix, or of mixed variables; factors that are linear
// combinations of others (refused before any question of the test); a single
// explanatory variable, giving one canonical axis.
TEST(CanonicalRefusalsE2E, MissingResemblanceMixedVariablesOtherUnitsAndSingularFactors) {
  const Language l{false, "y"};
  PlexorFolder f = Folder(l);
  f.write("short.txt", "1 2\n3 4\n5 6\n7 8\n9 10\n11 12\n13 14\n15 16\n17 18\n19 20\n21 22\n23 24\n25 26\n27 28\n"
                       "29 30\n31 32\n33 34\n35 36\n37 38\n");
  f.write("lin.txt", "1 2 3 5\n2 1 3 4\n3 5 8 1\n4 4 8 2\n5 2 7 8\n6 7 13 3\n");
  const PlexorRun r = f.run(StoredSessions(l) + "N\nn\ndune_env.txt\n2\n20\n3\nN\n2\nn\ny\nenv2\nN\no\ndune\n" +
                            "K\n1\nenv2\nK\n6\nk\n" +  // env2: mixed variables, no resemblance
                            "N\nn\nshort.txt\n1\n19\n2\nN\n1\nn\ny\nshort\n" + Resemblance(1, 3) + "N\no\ndune\n" +
                            "K\n1\nenv\n" + kSeed + "9\nn\n" + "K\n1\nn\nshort\n" +  // 19 units
                            "N\nn\ndune.txt\n2\n20\n30\nN\n2\nn\ny\nplain\n" + "K\n1\nK\n3\n" +
                            "N\no\ndune\nK\n3\nmgmt\n" + kSeed + "99\nn\n" + Read("lin.txt", 6, 4) +
                            "y\nlin\nK\n2\n1\n0 0 0 1\n1 1 1 0\nn\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "\nResemblance matrix comparing units is missing for data dune_env.txt. Define a "
                           "resemblance measure in the main menu.\n"));
  EXPECT_TRUE(Holds(r.out, "\nThe analysis is not permitted with non-commensurate variables in the second data "
                           "matrix.\n"));
  EXPECT_TRUE(Holds(r.out, "The data set of session short has 19 sampling units, but the first data set (dune.txt) has "
                           "20"));
  EXPECT_TRUE(Holds(r.out, "\nResemblance matrix comparing units is missing for data dune.txt. Define a resemblance "
                           "measure in the main menu.\n"));
  EXPECT_TRUE(Holds(r.out, "\nThe analysis is not permitted with non-commensurate variables.\n"));
  EXPECT_TRUE(Holds(r.out, "The factor (explanatory) variables of lin.txt are collinear, constant or more numerous "
                           "than 6 sampling units allow"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(CountOccurrences(z, "MANTEL TEST\n"), 1);  // none for the refused sets
  EXPECT_TRUE(Lacks(z, "PROCRUSTES"));
  EXPECT_TRUE(Lacks(z, "LINEAR MODELS"));
  EXPECT_EQ(CountOccurrences(z, "REDUNDANCY ANALYSIS (RDA)"), 1);
  const std::string rda = From(z, "REDUNDANCY ANALYSIS (RDA)");
  EXPECT_TRUE(Holds(rda, "Canonical axis 1:\t"));
  EXPECT_TRUE(Lacks(rda, "Canonical axis 2:\t"));
}

}  // namespace

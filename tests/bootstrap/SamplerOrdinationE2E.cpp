// Option O followed by the bootstrap of ordination dimensions, run by the
// program: the three ordination types in both languages, the dialogue and its
// refusals, the intermediate results worked back to the final tables, the
// same tables at one and two processors, the session left as it was, and
// when the question is not asked.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ordination/AnalysisE2ESupport.h"

using namespace analysis_e2e;

namespace {

const std::string kDashes79(79, '-');

// The three final tables: rows "Axis a:" after each heading.
struct Tables {
  std::vector<std::vector<double>> mean, p, valid;
};

Tables Final(const std::string& s, int axes, const std::string& axisWord = "Axis") {
  Tables t;
  const std::string mean = From(s, "(ro*)"), p = From(s, "P(roRnd >= ro)");
  const size_t validAt = p.find("\n\n");
  const std::string validBlock = validAt == std::string::npos ? std::string() : p.substr(validAt);
  for (int a = 1; a <= axes; a++) {
    const std::string row = "\n" + axisWord + " " + std::to_string(a) + ":   \t";
    t.mean.push_back(Row(mean, row));
    t.p.push_back(Row(p, row));
    t.valid.push_back(Row(validBlock, row));
  }
  return t;
}

void ExpectProbabilityTables(const Tables& t, int axes, int steps, int iterations) {
  ASSERT_EQ(t.mean.size(), static_cast<size_t>(axes));
  for (int a = 0; a < axes; a++) {
    ASSERT_EQ(t.mean[a].size(), static_cast<size_t>(steps)) << "axis " << a + 1;
    ASSERT_EQ(t.p[a].size(), static_cast<size_t>(steps)) << "axis " << a + 1;
    ASSERT_EQ(t.valid[a].size(), static_cast<size_t>(steps)) << "axis " << a + 1;
    for (int s = 0; s < steps; s++) {
      const double n = t.valid[a][s];
      EXPECT_EQ(n, std::floor(n));
      EXPECT_GE(n, 0);
      EXPECT_LE(n, iterations);
      if (n == 0) {
        EXPECT_EQ(t.mean[a][s], -999);
        EXPECT_EQ(t.p[a][s], -999);
        continue;
      }
      EXPECT_GE(t.mean[a][s], -1.0);
      EXPECT_LE(t.mean[a][s], 1.0);
      EXPECT_GE(t.p[a][s], 0.0);
      EXPECT_LE(t.p[a][s], 1.0);
      // A count over the valid iterations (printed with 6 digits).
      EXPECT_NEAR(t.p[a][s] * n, std::round(t.p[a][s] * n), 1e-4 * n) << a << " " << s;
    }
  }
}

TEST(SamplerOrdinationE2E, PrincipalCoordinatesOfTheDuneSites) {
  PlexorFolder f = Examples({"dune.txt"});
  const PlexorRun r = f.run(Processors(2) + kDune + Resemblance(1, 3) + "O\n1\nn\ny\n3\n8\n6\n100\n2\n77\nn\nX\n");
  ExpectClean(r);
  // The question after the ordination's report; the shared bootstrap
  // dialogue follows (checked on its own).
  EXPECT_TRUE(Has(r.out, "\nSee results on file Zoviri.txt.\nEvaluate significance of ordination axes using bootstrap "
                         "resampling? y/n Enter the maximum number of ordination principal axes to be monitored: "
                         "Initial sample size: "));

  const std::string z = f.read("Zoviri.txt");
  ASSERT_LT(z.find("\nORDINATION\n"), z.find("SAMPLER"));
  const std::string s = From(z, "\n\nSAMPLER\n");
  EXPECT_EQ(s.find("\n\nSAMPLER\nBootstrap resampling\n" + kDashes79 +
                   "\n\nNumber of sampling units added at each sampling step: 6 (starting with 8 units at 1st step)\n"
                   "Sample attribute: ordination stability\n"
                   "Considering up to 3 ordination axes.\n"),
            0u);
  EXPECT_TRUE(Has(s, "\nElapsed time: "));
  EXPECT_TRUE(Has(s, "\nMaximum number of threads: 2\nNumber of sampling steps of size 6 (starting with 8 units at the "
                     "1st step): 3\nInitializer of pseudo-random number generator: 77\n\n"
                     "Sample sizes at 3 sampling step(s):\t8\t14\t20\t\n\nAverage of sample attribute (ro*) generated "
                     "by 100 random iterations of bootstrap resampling:\nSample size:\t8\t14\t20\t\nAverage ro*:\t\n"
                     "Axis 1:   \t"));
  EXPECT_TRUE(Has(s, "\n\nProbabilities P(roRnd >= ro) generated in 100 iterations of bootstrap resampling:\n"
                     "Sample size:\t8\t14\t20\t\nAxis 1:   \t"));
  EXPECT_TRUE(Has(s, "\n\nThe actual number of iterations may not be the same for all sizes and axes:\n"
                     "Sample size:\t8\t14\t20\t\nAxis 1:   \t"));
  EXPECT_FALSE(Has(s, "INTERMEDIATE"));
  EXPECT_FALSE(Has(s, "nan"));
  const Tables t = Final(s, 3);
  ExpectProbabilityTables(t, 3, 3, 100);
  // Euclidean distances of 30 species: every sample of 8 or more draws has
  // three axes.
  for (int a = 0; a < 3; a++)
    for (int st = 0; st < 3; st++) EXPECT_EQ(t.valid[a][st], 100);
  EXPECT_EQ(Row(s, "\nAxis 4:   \t").size(), 0u);
  const size_t asked = r.out.find("Save intermediate results? y/n  ");
  EXPECT_NE(r.out.find("\nSee results on file Zoviri.txt.", asked), std::string::npos);
}

TEST(SamplerOrdinationE2E, PortuguesePrincipalComponentsOfCorrelationsBetweenSpecies) {
  PlexorFolder f = Examples({"dune.txt"});
  const PlexorRun r = f.run("E\nL\nC\n" + kDune + Resemblance(2, 17) + "O\n2\nn\ns\n2\n10\n10\n40\n2\n5\nn\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Has(r.out, "\nAvaliar significancia de eixos de ordenacao atraves de autoreamostragem (bootstrap)? s/n "
                         "Entre o numero maximo de eixos principais da ordenacao a serem monitorados: Tamanho inicial "
                         "de amostra: "));
  const std::string s = From(f.read("Zoviri.txt"), "\n\nSAMPLER\n");
  EXPECT_EQ(s.find("\n\nSAMPLER\nAutoreamostragem ('bootstrap')\n" + kDashes79 +
                   "\n\nNumero de unidades amostrais agregadas a cada passo de amostragem: 10 (iniciando com 10 "
                   "unidades amostrais)\n"
                   "Atributo avaliado na amostra: estabilidade da ordenacao\n"
                   "Considerando ate 2 eixos da ordenacao.\n"),
            0u);
  EXPECT_TRUE(Has(s, "\nTempo decorrido: "));
  EXPECT_TRUE(Has(s, "\nInicializador do gerador de numeros aleatorios: 5\n\nTamanho das amostras em 2 passo(s) de "
                     "amostragem:\t10\t20\t\n\nMedia do atributo da amostra (ro*) gerada em 40 iteracoes aleatorias de "
                     "autoreamostragem ('bootstrap'):\nTamanho da amostra:\t10\t20\t\nMedia de ro*:\t\nEixo 1:   \t"));
  EXPECT_TRUE(Has(s, "\n\nProbabilidades P(roRnd >= ro) geradas em 40 iteracoes de autoreamostragem ('bootstrap'):\n"));
  EXPECT_TRUE(Has(s, "\n\nO numero efetivo de iteracoes pode nao ser o mesmo para todos os tamanhos e eixos:\n"));
  ExpectProbabilityTables(Final(s, 2, "Eixo"), 2, 2, 40);
  EXPECT_TRUE(Has(r.out, "\nVeja resultados no arquivo Zoviri.txt."));
}

TEST(SamplerOrdinationE2E, CorrespondenceAnalysisOfSpecies) {
  PlexorFolder f = Examples({"dune.txt"});
  const PlexorRun r =
      f.run(kDune + "T\n1\n0\n3\n6\nn\n" + Resemblance(2, 1) + "O\n3\nn\ny\n2\n20\n50\n2\n9\nn\nX\n");
  ExpectClean(r);
  const std::string s = From(f.read("Zoviri.txt"), "\n\nSAMPLER\n");
  // Initial size n: one step, no step line.
  EXPECT_EQ(s.find("\n\nSAMPLER\nBootstrap resampling\n" + kDashes79 +
                   "\n\nSample attribute: ordination stability\nConsidering up to 2 ordination axes.\n"),
            0u);
  EXPECT_FALSE(Has(s, "Number of sampling steps"));
  EXPECT_TRUE(Has(s, "\nSample sizes at 1 sampling step(s):\t20\t\n"));
  const Tables t = Final(s, 2);
  ExpectProbabilityTables(t, 2, 1, 50);
  for (int a = 0; a < 2; a++) EXPECT_GT(t.valid[a][0], 40);
}

TEST(SamplerOrdinationE2E, RefusedAnswersAreAskedAgain) {
  PlexorFolder f = Examples({"dune.txt"});
  // Axes 0 and 20 (19 at most: 20 units), initial size 3 (axes + 1 = 4 at
  // least). (The refusals of the shared dialogue: option C's bootstrap.)
  const PlexorRun r = f.run(kDune + Resemblance(1, 3) + "O\n1\nn\ny\n0\n20\n3\n3\n4\n8\n60\n2\n3\nn\nX\n");
  ExpectClean(r, true);
  for (const char* refused : {"Incorrect input = 0", "Incorrect input = 20", "Incorrect input = 3",
                              "Accepted input: 1 to 19", "Accepted input: 4 to 20"})
    EXPECT_TRUE(Has(r.err, refused)) << r.err;
  const std::string s = From(f.read("Zoviri.txt"), "\n\nSAMPLER\n");
  EXPECT_TRUE(Has(s, "Considering up to 3 ordination axes.\n"));
  EXPECT_TRUE(Has(s, "\nSample sizes at 3 sampling step(s):\t4\t12\t20\t\n"));
  EXPECT_FALSE(Has(s, "INTERMEDIATE"));
}

// Six units of three variables, two iterations with their intermediate
// results: the final averages and probabilities come from the correlations
// the blocks print.
TEST(SamplerOrdinationE2E, IntermediateResultsAddUpToTheFinalTables) {
  PlexorFolder f;
  f.write("t.txt", "1 4 2\n3 1 5\n0 2 2\n6 5 1\n2 7 3\n5 0 4\n");
  const PlexorRun r = f.run("N\nn\nt.txt\n1\n6\n3\nN\n1\nn\n" + Resemblance(1, 3) + "O\n1\nn\ny\n2\n4\n2\n2\n2\n13\ny\nX\n");
  ExpectClean(r);
  const std::string s = From(f.read("Zoviri.txt"), "\n\nSAMPLER\n");
  ASSERT_NE(s.find("\nReference ordination scores:\nScores on ordination axis 1: \t"), std::string::npos);
  ASSERT_NE(s.find("\n-----------------------------------------------------------------\nINTERMEDIATE RESULTS "
                   "ITERATION 1:\n\nRANDOMLY permuted data set (variables are rows, sampling units are columns):\n"),
            std::string::npos);
  EXPECT_TRUE(Has(s, "INTERMEDIATE RESULTS ITERATION 2:\n"));
  EXPECT_FALSE(Has(s, "INTERMEDIATE RESULTS ITERATION 3:\n"));
  EXPECT_TRUE(Has(s, "Reference ordination eigenvalues (first 2) for random data set: "));
  EXPECT_TRUE(Has(s, "\nSampling step: 1, Number of sampling units: 4\nSampling units in the bootstrap sample: "));
  EXPECT_TRUE(Has(s, "\nBootstrap sample (variables are rows, sampling units are columns):\n"));
  EXPECT_TRUE(Has(s, "\nBootstrap sample of randomly permuted data (variables are rows, sampling units are "
                     "columns):\n"));
  EXPECT_TRUE(Has(s, "\n" + kDashes79 + "\nFINAL RESULTS:\n"));
  EXPECT_TRUE(Has(s, "\nMaximum number of threads: 1\n"));

  // ro and roRnd of every iteration, step and axis (-999 where not printed).
  double ro[2][2][2], rnd[2][2][2];
  for (int t = 0; t < 2; t++) {
    const size_t begin = s.find("INTERMEDIATE RESULTS ITERATION " + std::to_string(t + 1));
    const size_t end = t == 0 ? s.find("INTERMEDIATE RESULTS ITERATION 2") : s.find("FINAL RESULTS");
    const std::string it = s.substr(begin, end - begin);
    for (int st = 0; st < 2; st++) {
      const size_t b = it.find("\nSampling step: " + std::to_string(st + 1));
      const size_t e = st == 0 ? it.find("\nSampling step: 2") : std::string::npos;
      const std::string step = it.substr(b, e == std::string::npos ? std::string::npos : e - b);
      const size_t randomAt = step.find("bootstrap sample of RANDOM data");
      ASSERT_NE(randomAt, std::string::npos);
      const std::string real = step.substr(0, randomAt), random = step.substr(randomAt);
      for (int a = 0; a < 2; a++) {
        const std::string axis = "(axis " + std::to_string(a + 1) + "): ";
        const auto x = Row(real, "\nCorrelation between reference and bootstrap sample scores " + axis);
        const auto y = Row(random, "\nPERMUTED data set: Correlation between reference and bootstrap sample scores " + axis);
        ro[t][st][a] = x.empty() ? -999 : x[0];
        rnd[t][st][a] = y.empty() ? -999 : y[0];
      }
    }
  }
  const Tables final = Final(s, 2);
  ASSERT_EQ(final.mean.size(), 2u);
  for (int a = 0; a < 2; a++) {
    ASSERT_EQ(final.mean[a].size(), 2u);
    for (int st = 0; st < 2; st++) {
      double sum = 0;
      int valid = 0, count = 0;
      for (int t = 0; t < 2; t++) {
        if (ro[t][st][a] == -999) continue;
        valid++;
        sum += ro[t][st][a];
        if (rnd[t][st][a] != -999 && rnd[t][st][a] >= ro[t][st][a]) count++;
      }
      EXPECT_EQ(final.valid[a][st], valid) << a << " " << st;
      if (valid == 0) continue;
      EXPECT_NEAR(final.mean[a][st], sum / valid, 1e-5) << a << " " << st;
      EXPECT_NEAR(final.p[a][st], static_cast<double>(count) / valid, 1e-9) << a << " " << st;
    }
  }
}

TEST(SamplerOrdinationE2E, SameSeedSameTablesAtOneAndTwoProcessorsAndTheSessionUntouched) {
  auto run = [](int limit) {
    PlexorFolder f = Examples({"dune.txt"});
    const PlexorRun r = f.run(Processors(limit) + kDune + "T\n1\n0\n1\n10\nn\n" + Resemblance(1, 20) +
                              "O\n1\nn\ny\n4\n8\n4\n150\n2\n99\nn\nO\n1\nn\nn\nX\n");
    ExpectClean(r);
    const std::string z = f.read("Zoviri.txt");
    // The second ordination of the same session reports the same axes.
    const size_t first = z.find("\nNumber of eigenvalues"), second = z.find("\nNumber of eigenvalues", first + 1);
    EXPECT_NE(second, std::string::npos);
    EXPECT_EQ(z.substr(first, z.find("\nBartlett", first) - first),
              z.substr(second, z.find("\nBartlett", second) - second));
    const std::string s = From(z, "\nInitializer of pseudo-random number generator: ");
    return s.substr(0, s.find("-----"));
  };
  const std::string one = run(1), two = run(2);
  EXPECT_FALSE(one.empty());
  EXPECT_EQ(one, two);
}

TEST(SamplerOrdinationE2E, NotAskedWhenTheOrdinationDoesNotScoreTheSamplingUnits) {
  PlexorFolder f = Examples({"dune.txt"});
  // Principal coordinates of species, principal components of sites.
  const PlexorRun r = f.run(kDune + Resemblance(2, 3) + "O\n1\nn\n" + Resemblance(1, 17) + "O\n2\nn\nX\n");
  ExpectClean(r);
  EXPECT_FALSE(Has(r.out, "Evaluate significance of ordination axes"));
  EXPECT_EQ(f.read("Zoviri.txt").find("SAMPLER"), std::string::npos);
}

}  // namespace

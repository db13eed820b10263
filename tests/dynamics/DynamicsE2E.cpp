// Option Y run by the program: the menu in both languages, interpolation with
// "Interpolated.txt", the time-file refusals, rates of change, Markov fitting
// and its test, canonical serial scaling, and the refusals of options 3 and 4.
// Each run drives one language through several analyses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordination/AnalysisE2ESupport.h"

using namespace analysis_e2e;

namespace {

const std::string kEnglish = "E\nF\n12\n0\nC\n";
const std::string kPortuguese = "E\nL\nF\n12\n0\nC\n";
const std::string kEuclid = Resemblance(1, 3);
const std::string kCorrelation = Resemblance(2, 17);

// Interpolation after the refusals of the time file and of the interval,
// then rates of change once a resemblance between units is defined.
TEST(DynamicsE2E, InterpolationAndRatesOfChange) {
  PlexorFolder f;
  f.write("i.txt", "0 1\n10 -2\n40 3\n");
  f.write("short.txt", "0 10\n");
  f.write("word.txt", "0 1O 20\n");
  f.write("down.txt", "0 10 5\n");
  f.write("t.txt", "0 10 20\n");
  // Euclidean distances 2 and 2 between consecutive units.
  f.write("r.txt", "0 0\n2 0\n2 2\n");
  f.write("rt.txt", "1 2 4\n");
  // Option 99 first: back to the main menu.
  const PlexorRun r = f.run(kEnglish + Read("i.txt", 3, 2) +
                            "Y\n99\nY\n2\nshort.txt\nword.txt\ndown.txt\nnone.txt\ny\nt.txt\n0\n5\n" +
                            "Y\n2\nnone.txt\nn\n" + Read("r.txt", 3, 2) + "Y\n3\n" + kEuclid + "Y\n3\nrt.txt\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "System dynamics:\n\t(1) Markov fitting\n\t(2) data interpolation\n"
                           "\t(3) rate of change (velocity and acceleration)\n\t(4) canonical serial scaling"));
  EXPECT_TRUE(Holds(r.out, "\t(99) return to the main menu\n\t\tEnter option: "));
  EXPECT_TRUE(Holds(r.out, "Enter name of file containing time (or spatial), assuming that the data are ordered by "
                           "increasing age (or distance): "));
  EXPECT_TRUE(Holds(r.out, "File short.txt holds only 2 time (or spatial) values; 3 are needed (one per sampling "
                           "unit). Please check!"));
  EXPECT_TRUE(Holds(r.out, "File word.txt: value number 2 (1O, line 1) is not a number. Please check!"));
  EXPECT_TRUE(Holds(r.out, "File down.txt: value number 3 (5) is smaller than the one before it (10); the data must be "
                           "ordered by increasing time (or distance). Please check!"));
  EXPECT_TRUE(Holds(r.err, "can't open none.txt"));
  EXPECT_EQ(CountOccurrences(r.out, "Try again? y/n "), 2);
  EXPECT_TRUE(Holds(r.out, "The interval must be larger than 0."));
  EXPECT_EQ(CountOccurrences(r.out, "\n\nInterpolated data exported on file Interpolated.txt\n"), 1);
  EXPECT_EQ(f.read("Interpolated.txt"),
            "0\t1\t\n5\t0\t\n10\t0\t\n25\t0.5\t\n40\t3\t\n"
            "\nAbove matrix (Rows= 5 sampling units, columns= 2 variables)\n"
            "contains interpolated data obtained from data originally with 3 sampling units.\n"
            "New time (or spatial) scale of interpolated data:\n0\t5\t10\t15\t20\t\n"
            "\nSpecified time (or spatial) scale of original data:\n0\t10\t20\t\n");

  EXPECT_TRUE(Holds(r.out, "Resemblance matrix comparing units is missing for data r.txt. Define a resemblance measure "
                           "in the main menu.\n"));
  EXPECT_TRUE(Holds(r.out, "Enter name of file containing time (or spatial) scale: "));
  const std::string z = f.read("Zoviri.txt");
  const std::string dashes(79, '-');
  EXPECT_TRUE(Holds(z, "\n" + dashes + "\nRATES OF CHANGE\n" + dashes + "\n"));
  EXPECT_TRUE(Holds(z, "\nReference scale:\t1.5\t3\t\nRate of change (velocity):\t2\t1\t\n\n"
                       "Reference scale:\t2.33333333333\t\nAcceleration:\t-0.666666666667\t\n"));
  EXPECT_TRUE(Lacks(z, "undefined rate"));
}

// Rates of change after a refusal (variables compared, not units), with a
// zero time difference.
TEST(DynamicsE2E, InterpolationAtTimesThatAreNotWholeNumbersAndRatesInPortuguese) {
  PlexorFolder f;
  f.write("i.txt", "2 8\n8 2\n");
  f.write("t.txt", "0.5 2\n");
  f.write("r.txt", "0 0\n2 0\n2 2\n5 6\n");
  f.write("rt.txt", "1 1 4 6\n");
  const PlexorRun r = f.run(kPortuguese + Read("i.txt", 2, 2) + "Y\n2\nt.txt\n0.4\n" + Read("r.txt", 4, 2) +
                            kCorrelation + "Y\n3\n" + kEuclid + "Y\n3\nrt.txt\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "Dinamica do sistema:\n\t(1) ajuste de um modelo Markoviano\n"
                           "\t(2) interpolacao de dados\n"));
  EXPECT_TRUE(Holds(r.out, "\t(99) voltar ao menu principal\n\t\tEntre opcao: "));
  EXPECT_TRUE(Holds(r.out, "Entre nome do arquivo com escala de tempo (ou espaco), assumindo que os dados estão em "
                           "ordem crescente de idade (ou distancia): "));
  const std::string i = f.read("Interpolated.txt");
  // 0.5 0.9 1.3 1.7: slopes 4 and -4.
  EXPECT_TRUE(Holds(i, "2\t8\t\n3.6\t6.4\t\n5.2\t4.8\t\n6.8\t3.2\t\n"));
  EXPECT_TRUE(Holds(i, "New time (or spatial) scale of interpolated data:\n0.5\t0.9\t1.3\t1.7\t\n"));
  EXPECT_TRUE(Holds(i, "are not whole numbers: values were interpolated linearly at the exact new times"));

  EXPECT_TRUE(Holds(r.out, "Falta matriz de semelhanca comparando unidades amostrais com os dados r.txt. Defina a "
                           "medida de semelhanca no menu principal.\n"));
  EXPECT_TRUE(Holds(r.out, "Entre nome do arquivo com escala de tempo (ou espaco): "));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(CountOccurrences(z, "TAXAS DE MUDANCA\n"), 1);
  EXPECT_TRUE(Holds(z, "\nEscala de referencia:\t1\t2.5\t5\t\nTaxa de mudanca "
                       "(velocidade):\t3.40282346639e+38\t0.666666666667\t2.5\t\n\n\n"
                       "Escala de referencia:\t2\t3.66666666667\t\nAceleração:\t3.40282346639e+38\t0.733333333333\t\n"));
  EXPECT_TRUE(Holds(z, "Valores iguais a 3.40282346639e+38 (o maior float) indicam taxa indefinida"));
}

// Markov answers: not reversed, lag, releves, iterations, seed.
std::string MarkovAnswers(const std::string& reversed, int lag, int releves, int iterations, int seedValue) {
  return "Y\n1\n" + reversed + "\n" + std::to_string(lag) + "\n" + std::to_string(releves) + "\n" +
         std::to_string(iterations) + "\n2\n" + std::to_string(seedValue) + "\n";
}

TEST(DynamicsE2E, MarkovFittingOfThreeStatesThenOfEqualStates) {
  PlexorFolder f;
  f.write("s.txt", "2 1 0\n1 2 1\n0 2 3\n");
  f.write("same.txt", "1 2 3\n1 2 3\n1 2 3\n");
  const PlexorRun r = f.run(kEnglish + Read("s.txt", 3, 3) + MarkovAnswers("n", 2, 5, 99, 1) + Read("same.txt", 3, 3) +
                            MarkovAnswers("n", 1, 3, 20, 3) + "X\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "Are the sampling units arranged in reversed order (from present to past)? y/n "));
  EXPECT_TRUE(Holds(r.out, "HYPOTHESIS TESTING VIA RANDOMIZATION"));
  EXPECT_TRUE(Holds(r.out, "\n\nResults appended to file Zoviri.txt\n"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Holds(z, "\n\nMARKOV FITTING\nOrloci, L., Anand, M. & He, X. S. 1993."));
  EXPECT_TRUE(Holds(z, "Data matrix with 3 described units (rows) and 3 variables (columns) ordered from past to "
                       "present:\n2\t1\t0\t\n1\t2\t1\t\n0\t2\t3\t\n"));
  // By hand (and by a transcription of the rules in R): lag 1 averages the W
  // of pairs 1 -> 2 and 2 -> 3, rows to unit sum: [4/13, 23/65, 22/65],
  // [0, 40/53, 13/53], [0, 1/17, 16/17]; lag 2: [0, .4, .6], [0, .625, .375],
  // [0, 1/6, 5/6]. Releves from R: P[i] = P[i-1] T1, then P[i-2] T2 for i >= 3.
  EXPECT_TRUE(Holds(z, "\nAverage transition matrix lag = 1 step(s):\n"
                       "0.307692307692\t0.353846153846\t0.338461538462\t\n"
                       "0\t0.754716981132\t0.245283018868\t\n0\t0.0588235294118\t0.941176470588\t\n"));
  EXPECT_TRUE(Holds(z, "\nAverage transition matrix lag = 2 step(s):\n0\t0.4\t0.6\t\n0\t0.625\t0.375\t\n"
                       "0\t0.166666666667\t0.833333333333\t\n"));
  EXPECT_TRUE(Holds(z, "\nMarkov releves in rows (lag = 1 step(s) up to 5 Markov releves, ordered from past to "
                       "present):\n2\t1\t0\t\n0.615384615385\t1.46240928882\t0.922206095791\t\n"
                       "0.189349112426\t1.37570402033\t1.43494686724\t\n"
                       "0.0582612653619\t1.18967627957\t1.75206245507\t\n"
                       "0.0179265431883\t1.02154691227\t1.96052654455\t\n"));
  EXPECT_TRUE(Holds(z, "(lag = 2 step(s) up to 5 Markov releves, ordered from past to present):\n2\t1\t0\t\n"
                       "0.615384615385\t1.46240928882\t0.922206095791\t\n0\t1.425\t1.575\t\n"
                       "0\t1.31386066763\t1.68613933237\t\n0\t1.153125\t1.846875\t\n"));
  EXPECT_TRUE(Holds(z, "\nInstability levels between Markov releves j and j+1 (lag = 1 step(s) up to 5 Markov "
                       "releves):\n1.72669\t0.672255\t0.390324\t0.270835\t\n"));
  EXPECT_TRUE(Holds(z, "\n\nInstability levels (percentage) between Markov releves j and j+1 (lag = 1 step(s) up to 5 "
                       "Markov releves):\n100\t38.9333\t22.6054\t15.6853\t\nInstability level of less than 1 percent "
                       "was not reached.\n"));
  EXPECT_TRUE(Holds(z, "\nRANDOMIZATION TEST FOR MARKOVITY (Ho: coenosere undirected):\nNumber of iterations: 99\n"
                       "Minimum theoretical probability of the test (1/n!): 0.166667\n"));
  EXPECT_TRUE(Holds(z, "\nLag = 1 step(s):\nEngineer's stress coefficient of Kruskal (K) between observed and Markov "
                       "releves: 0.554181\nProbability P(Knull <= K): "));
  EXPECT_TRUE(Holds(z, "\nLag = 2 step(s):\nEngineer's stress coefficient of Kruskal (K) between observed and Markov "
                       "releves: 0.450818\n"));
  const std::vector<double> p = Row(z, "Probability P(Knull <= K): ");
  ASSERT_EQ(p.size(), 1u);
  EXPECT_GT(p[0], 0.0);
  EXPECT_LE(p[0], 1.0);
  EXPECT_EQ(Row(z, "Average Knull: ").size(), 1u);
  // Equal states: identity transitions, no percentages, stress -1.
  const std::string same = From(z, "\nAverage transition matrix lag = 1 step(s):\n1\t0\t0\t\n0\t1\t0\t\n0\t0\t1\t\n");
  ASSERT_FALSE(same.empty());
  EXPECT_TRUE(Holds(same, "Markov releves):\n0\t0\t\n\nInstability levels (percentage)"));
  EXPECT_TRUE(Holds(same, "Markov releves):\n-\t-\t\nPercentages are undefined: the first two Markov releves are "
                          "equal, so the instability is measured in absolute terms only.\n"));
  for (const char* word : {"nan\t", "inf\t", "nan\n", "inf\n"}) EXPECT_TRUE(Lacks(z, word));
  EXPECT_TRUE(Holds(same, "releves: -1\nProbability P(Knull <= K): 1\nAverage Knull: -1\n"));
}

// A number of Markov releves whose table would not fit in memory is asked again.
TEST(DynamicsE2E, MarkovRelevesBeyondTheLimitAreAskedAgain) {
  PlexorFolder f;
  f.write("s.txt", "2 1 0\n1 2 1\n0 2 3\n");
  const PlexorRun r =
      f.run(kEnglish + Read("s.txt", 3, 3) + "Y\n1\nn\n1\n2147483647\n4\n1\n2\n1\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "\n2147483647 Markov releves of 3 variables would hold 6442450941 values, more than the "
                           "limit of 10000000. Enter a smaller number.\n"));
  EXPECT_TRUE(Holds(f.read("Zoviri.txt"), "(lag = 1 step(s) up to 4 Markov releves, ordered from past to present):\n"));
}

// The Markov test at either processor limit, then canonical serial scaling
// after its refusals (no resemblance, then one between units).
TEST(DynamicsE2E, MarkovSameSeedAtOneAndTwoProcessorsThenCanonicalSerialScaling) {
  std::string markov[2];
  for (int processors : {1, 2}) {
    PlexorFolder f = Examples({"dune.txt"});
    const PlexorRun r = f.run(kEnglish + Processors(processors) + kDune + MarkovAnswers("n", 3, 4, 499, 11) +
                              "Y\n4\n" + kEuclid + "Y\n4\n" + kCorrelation + "Y\n4\ny\nX\n");
    ExpectClean(r);
    const std::string z = f.read("Zoviri.txt");
    const std::string test = From(z, "RANDOMIZATION TEST FOR MARKOVITY");
    markov[processors - 1] = test.substr(0, test.find("\nPLEXOR version"));  // up to the next block
    if (processors == 1) continue;
    ASSERT_FALSE(markov[0].empty());
    EXPECT_EQ(markov[0], markov[1]);
    EXPECT_TRUE(Holds(markov[0], "Number of iterations: 499\n"));
    EXPECT_TRUE(Holds(markov[0], "\nLag = 3 step(s):\n"));

    EXPECT_EQ(CountOccurrences(r.out, "This option requires previously the definition of a correlation matrix between "
                                      "variables. Please go back to the main menu.\n"),
              2);
    EXPECT_TRUE(Holds(r.out, "Save intermediate results? y/n "));
    EXPECT_TRUE(Holds(z, "Canonical Serial Scaling INTERMEDIATE RESULTS:\n\nBlock size: 1\tData:\n"));
    EXPECT_TRUE(Holds(z, "\nBlock size: 8\tCorrelation matrix:\n"));
    EXPECT_TRUE(Lacks(z, "\nBlock size: 9\t"));
    const size_t p = z.find("\nCANONICAL SERIAL SCALING:\n-----");
    ASSERT_NE(p, std::string::npos);
    const std::string heading = "\nCorrelation matrix predicted by linear regression for block size equal to one:\n";
    const size_t m = z.find(heading, p);
    ASSERT_NE(m, std::string::npos);
    const std::vector<std::string> lines = Lines(z.substr(m + heading.size()));
    ASSERT_GE(lines.size(), 30u);
    // Lines fitted in R over the 8 block sizes (moving averages of the dune
    // table, cor() per block size, lm() predicted at 1): species 1 and 2,
    // 17 and 19, 2 and 4.
    const std::vector<double> row2 = Numbers(lines[1]), row19 = Numbers(lines[18]), row4 = Numbers(lines[3]);
    ASSERT_EQ(row2.size(), 30u);
    EXPECT_NEAR(row2[0], -0.595620115321155, 1e-10);
    EXPECT_NEAR(row19[16], 0.908059235719283, 1e-10);
    EXPECT_NEAR(row4[1], 0.588471114005273, 1e-10);
    for (int c = 1; c < 30; c++) EXPECT_EQ(row2[c], 0.0);  // on and above the diagonal
  }
}

// Markov fitting of reversed data, of two states; canonical serial scaling
// of four and of two units.
TEST(DynamicsE2E, MarkovReversedAndTwoStatesSerialScalingOfFewUnitsInPortuguese) {
  PlexorFolder f;
  f.write("s.txt", "0 2 3\n1 2 1\n2 1 0\n");
  f.write("two.txt", "1 2\n3 4\n");
  f.write("four.txt", "1 2\n2 1\n3 4\n4 3\n");
  const PlexorRun r = f.run(kPortuguese + Read("s.txt", 3, 3) + MarkovAnswers("y", 1, 3, 1, 5) +
                            Read("two.txt", 2, 2) + MarkovAnswers("n", 1, 2, 10, 5) + kCorrelation + "Y\n4\nn\n" +
                            Read("four.txt", 4, 2) + kCorrelation + "Y\n4\nn\nX\n");
  ExpectClean(r);
  EXPECT_TRUE(Holds(r.out, "TESTES DE HIPOTESES VIA ALEATORIZACAO"));
  const std::string z = f.read("Zoviri.txt");
  EXPECT_TRUE(Holds(z, "(Original data was reordered from past to present)\n2\t1\t0\t\n1\t2\t1\t\n0\t2\t3\t\n"));
  EXPECT_TRUE(Holds(z, "0.307692307692\t0.353846153846\t0.338461538462\t\n"));
  // N = 1: nothing of the test is written; n = 2: the test is not performed.
  EXPECT_EQ(CountOccurrences(z, "RANDOMIZATION TEST FOR MARKOVITY (Ho: coenosere undirected):"), 0);
  EXPECT_TRUE(Holds(z, "\nRANDOMIZATION TEST FOR MARKOVITY (Ho: coenosere undirected) not performed for the number of "
                       "relevés < 3.\n"));
  EXPECT_TRUE(Holds(z, "Data matrix with 2 described units (rows) and 2 variables"));

  EXPECT_TRUE(Holds(r.out, "Guardar resultados intermediarios? s/n "));
  EXPECT_TRUE(Lacks(z, "INTERMEDIATE RESULTS"));
  EXPECT_EQ(CountOccurrences(z, "\nESCALONAMENTO SERIAL CANONICO:\n"), 2);
  EXPECT_TRUE(Holds(z, "\nMatriz de correlacao estimada por regressao linear para tamanho de bloco igual a 1:\n0\t0\t\n"
                       "0\t0\t\n\nCom 2 unidades amostrais nao ha tamanho de bloco"));
  // Four units: one block size, the correlation of the data (3 / 5 by hand).
  EXPECT_TRUE(Holds(z, "\nMatriz de correlacao estimada por regressao linear para tamanho de bloco igual a 1:\n0\t0\t\n"
                       "0.6\t0\t\n\nSomente um tamanho de bloco (4 unidades amostrais): nenhuma reta pode ser "
                       "ajustada"));
}

}  // namespace

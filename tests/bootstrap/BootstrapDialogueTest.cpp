// The bootstrap dialogue every bootstrap shares, fed through temporary
// streams: sizes, step, iterations raised for the alpha tails, the seed that
// seeds the session generator, and the confirmed saving of intermediate
// results, in both languages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/SessionState.h"
#include "support/ShellHelpers_shell.h"

namespace {

struct Answers {
  int initial = -1, step = -1, nIter = -1;
  unsigned seed = 0;
  char save = '?';
  double alpha = -1;
  std::string questions;
};

Answers Ask(const std::string& typed, bool portuguese, int n, int minInitial, bool withSeed, int withAlpha) {
  Answers a;
  FILE* savedIn = in;
  FILE* savedOut = out;
  const int savedPort = port;
  in = shelltest::Input(typed);
  out = std::tmpfile();
  port = portuguese ? 1 : 0;
  SetBootstrapOptions(n, minInitial, &a.initial, &a.step, &a.nIter, withSeed ? &a.seed : nullptr, &a.save, withAlpha,
                      &a.alpha);
  a.questions = shelltest::Contents(out);
  std::fclose(in);
  in = savedIn;
  out = savedOut;
  port = savedPort;
  return a;
}

TEST(SetBootstrapOptions, SizesIterationsAlphaSeedAndSaving) {
  testing::internal::CaptureStderr();
  const Answers a = Ask("5\n50\n0\n7\n1010\n0.05\n2\n99\ny\ny\n", false, 100, 10, true, 1);
  const std::string refusals = testing::internal::GetCapturedStderr();
  EXPECT_NE(refusals.find("Incorrect input = 5"), std::string::npos) << "below the smallest initial size";
  EXPECT_NE(refusals.find("Incorrect input = 0"), std::string::npos) << "no step";
  EXPECT_EQ(a.initial, 50);
  EXPECT_EQ(a.step, 7);
  EXPECT_EQ(a.alpha, 0.05);
  EXPECT_EQ(a.nIter, 1040) << "1010 x 0.05 = 50.5; 1040 x 0.05 = 52, 26 iterations in each tail";
  EXPECT_EQ(a.seed, 99u);
  EXPECT_EQ(seed, 99u) << "the session generator is seeded";
  EXPECT_EQ(a.save, 'y');
  EXPECT_EQ(a.questions,
            "Initial sample size: Number of sampling units added at each sampling step: "
            "Enter number of iterations in resampling/permutation: "
            "Enter alpha probability for confidence limits: "
            "Initialization of random number generation: \n\t(1) automatic\n\t(2) specify seed\n\tEnter option: "
            "Enter seed (integer in the 0 to 4294967295 interval): Save intermediate results? y/n  "
            "Are you sure? y/n There will be 1040 bootstrap resamplings!");
}

TEST(SetBootstrapOptions, PortugueseWholeSampleNoSeedAndAConfirmedYes) {
  const Answers a = Ask("20\n60\ns\ns\n", true, 20, 1, false, 0);
  EXPECT_EQ(a.initial, 20);
  EXPECT_EQ(a.step, 0);
  EXPECT_EQ(a.nIter, 60);
  EXPECT_EQ(a.alpha, -1) << "no alpha asked";
  EXPECT_EQ(a.save, 'y') << "a confirmed s is kept as y";
  EXPECT_EQ(a.questions,
            "Tamanho inicial de amostra: Entre o numero de iteracoes de autoreamostragem/permutacao: "
            "Guardar resultados intermediarios? s/n  Tem certeza? s/n Sao 60 reamostragens! ");
}

TEST(SetBootstrapOptions, SavingNotConfirmedOrFewIterations) {
  struct Case {
    std::string typed;
    char save;
    bool confirmation;
  } cases[] = {{"3\n1\n51\n1\ny\nn\n", 'n', true},
               {"3\n1\n50\n1\ny\n", 'y', false},
               {"3\n1\n5000\n1\nn\n", 'n', false}};
  for (const Case& c : cases) {
    const Answers a = Ask(c.typed, false, 10, 3, true, 0);
    EXPECT_EQ(a.save, c.save) << c.typed;
    EXPECT_EQ(a.questions.find("Are you sure?") != std::string::npos, c.confirmation) << c.typed;
    EXPECT_EQ(a.seed, seed) << "automatic seed: the session generator's";
  }
}

}  // namespace

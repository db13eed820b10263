// The iteration runner: same counts and per-iteration results at one and two
// threads as the plain sequential stream, errors carried out of the parallel
// region, one active level for nested kernels, the progress hook; the
// per-iteration seeds and the tie rule.
#include <gtest/gtest.h>
#include <omp.h>

#include <atomic>
#include <cfloat>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <vector>

#include "RandomTestSupport.h"
#include "randomization/IterationRunner.h"
#include "randomization/RandomLists.h"
#include "randomization/TieRule.h"

namespace {

using rtest::Generator;

constexpr int kUnits = 9;

IterationPlan Plan(int64_t iterations, int listLength, int nCounts, int maxThreads, int batchSize = 4096) {
  IterationPlan plan;
  plan.iterations = iterations;
  plan.listLength = listLength;
  plan.nCounts = nCounts;
  plan.maxThreads = maxThreads;
  plan.batchSize = batchSize;
  return plan;
}

// What a run records of its lists: how many start with unit 1, how many are
// the identity, and a signature of each iteration's list.
struct RunRecord {
  std::vector<int64_t> counts = std::vector<int64_t>(2, 0);
  std::vector<int64_t> signatures;
  void Tally(int64_t t, const int* list, int64_t* c) {
    c[0] += list[0] == 1;
    c[1] += std::is_sorted(list, list + kUnits);
    int64_t h = 0;
    for (int i = 0; i < kUnits; i++) h = h * 31 + list[i] * (i + 1);
    signatures[t] = h;
  }
};

TEST(IterationRunner, SameAsSequentialStreamAtAnyThreadCount) {
  const int64_t iterations = 10007;
  RngPtr g = Generator(31337);
  RunRecord sequential;
  sequential.signatures.assign(iterations + 1, 0);
  std::vector<int> list(kUnits);
  for (int64_t t = 1; t <= iterations; t++) {
    RndList(g.get(), kUnits, list.data());
    sequential.Tally(t, list.data(), sequential.counts.data());
  }
  for (int threads : {1, 2, 3})
    for (int batch : {1, 100, 4096}) {
      RngPtr p = Generator(31337);
      RunRecord run;
      run.signatures.assign(iterations + 1, 0);
      auto workspace = [] { return std::vector<int>(kUnits); };
      auto draw = [&](int64_t, int* l) { RndList(p.get(), kUnits, l); };
      auto evaluate = [&](int64_t t, const int* l, std::vector<int>& work, int64_t* counts) {
        std::copy(l, l + kUnits, work.begin());
        run.Tally(t, work.data(), counts);
      };
      run.counts = RunIterations(Plan(iterations, kUnits, 2, threads, batch), workspace, draw, evaluate).counts;
      EXPECT_EQ(run.counts, sequential.counts) << threads << " threads, batch " << batch;
      EXPECT_EQ(run.signatures, sequential.signatures) << threads << " threads, batch " << batch;
    }
  // About one list in nine starts with unit 1.
  EXPECT_NEAR(sequential.counts[0] / double(iterations), 1.0 / 9, 0.01);
}

// A data-dependent number of draws from g, summed.
double SumOfDraws(gsl_rng* g) {
  const int draws = 1 + static_cast<int>(gsl_rng_uniform_int(g, 5));
  double sum = 0;
  for (int k = 0; k < draws; k++) sum += gsl_rng_uniform(g);
  return sum;
}

TEST(IterationRunner, OneWorkspacePerThreadAndPerIterationGenerators) {
  // Data-dependent draws: every iteration reseeds its thread's generator
  // from (seed, t); the draws do not depend on the thread count.
  auto run = [](int threads, std::atomic<int>& made) {
    std::vector<double> values(2001);
    IterationResult result = RunIterations(
        Plan(2000, 0, 1, threads, 64),
        [&] {
          made++;
          return IterationGenerator(99, nullptr);
        },
        [](int64_t, int*) { FAIL() << "no lists to draw"; },
        [&](int64_t t, const int*, IterationGenerator& gen, int64_t* counts) {
          values[t] = SumOfDraws(gen.For(static_cast<uint32_t>(t)));
          counts[0] += values[t] > 1.5;
        });
    EXPECT_LE(result.threads, threads);
    values[0] = static_cast<double>(result.counts[0]);
    return values;
  };
  std::atomic<int> made1{0}, made2{0};
  const std::vector<double> one = run(1, made1), two = run(2, made2);
  EXPECT_EQ(one, two);
  EXPECT_EQ(made1.load(), 1);
  EXPECT_LE(made2.load(), 2);
  // The generator of iteration t is the seed mixed with t.
  EXPECT_EQ(one[17], SumOfDraws(Generator(IterationSeed(99, 17)).get()));
}

TEST(IterationRunner, ErrorsAreRethrownAfterTheRegion) {
  const IterationPlan plan = Plan(5000, 1, 1, 2, 100);
  std::atomic<int64_t> evaluated{0};
  EXPECT_THROW(RunIterations(
                   plan, [] { return 0; }, [](int64_t, int* l) { l[0] = 0; },
                   [&](int64_t t, const int*, int&, int64_t*) {
                     evaluated++;
                     if (t == 250) throw std::runtime_error("iteration failed");
                   }),
               std::runtime_error);
  EXPECT_LT(evaluated.load(), 5000) << "the remaining work stops";
  try {
    RunIterations(
        plan, [] { return 0; },
        [](int64_t t, int*) {
          if (t == 3000) throw 1;
        },
        [](int64_t, const int*, int&, int64_t*) {});
    ADD_FAILURE() << "no exception";
  } catch (int code) {
    EXPECT_EQ(code, 1);
  }
  EXPECT_THROW(RunIterations(
                   plan, []() -> int { throw std::bad_alloc(); }, [](int64_t, int*) {},
                   [](int64_t, const int*, int&, int64_t*) {}),
               std::bad_alloc);
}

TEST(IterationRunner, NestedRegionsRunOnOneThread) {
  const int savedLevels = omp_get_max_active_levels();
  omp_set_max_active_levels(4);
  // Also when the run itself has one thread (its region is then inactive).
  for (int threads : {2, 1}) {
    IterationResult result = RunIterations(
        Plan(64, 0, 1, threads), [] { return 0; }, [](int64_t, int*) {},
        [](int64_t, const int*, int&, int64_t* counts) {
          int inner = 0;
#pragma omp parallel num_threads(2)
          {
#pragma omp single
            inner = omp_get_num_threads();
          }
          if (inner == 1) counts[0]++;
        });
    EXPECT_EQ(result.counts[0], 64) << threads << " threads";
    EXPECT_EQ(omp_get_max_active_levels(), 4) << "restored";
  }
  omp_set_max_active_levels(savedLevels);
}

// A run inside another run's iteration (one simulated data set tested by
// permutation, say) runs on that iteration's thread and gives the counts of
// the same run made on its own.
TEST(IterationRunner, RunInsideAnIterationRunsOnItsThread) {
  const int savedLevels = omp_get_max_active_levels();
  omp_set_max_active_levels(4);
  auto innerRun = [](int64_t outer, int* threadsUsed) {
    RngPtr g = Generator(static_cast<unsigned long>(outer));
    IterationPlan plan;
    plan.iterations = 50;
    plan.listLength = kUnits;
    plan.nCounts = 1;
    plan.batchSize = 7;
    const IterationResult r = RunIterations(
        plan, [] { return 0; }, [&](int64_t, int* list) { RndList(g.get(), kUnits, list); },
        [](int64_t, const int* list, int&, int64_t* counts) {
          if (list[0] <= 3) counts[0]++;
        });
    if (threadsUsed) *threadsUsed = r.threads;
    return r.counts[0];
  };
  std::vector<int64_t> alone(40);
  for (int t = 1; t <= 40; t++) alone[t - 1] = innerRun(t, nullptr);
  std::vector<int64_t> inside(40, -1);
  std::atomic<int> innerThreads{0};
  IterationPlan plan;
  plan.iterations = 40;
  plan.maxThreads = 2;
  const IterationResult outer = RunIterations(
      plan, [] { return 0; }, [](int64_t, int*) {},
      [&](int64_t t, const int*, int&, int64_t*) {
        int used = 0;
        inside[t - 1] = innerRun(t, &used);
        innerThreads.fetch_add(used);
      });
  EXPECT_EQ(inside, alone);
  EXPECT_EQ(innerThreads.load(), 40) << "one thread for every inner run";
  EXPECT_EQ(omp_get_max_active_levels(), 4) << "restored";
  EXPECT_GE(outer.threads, 1);
  omp_set_max_active_levels(savedLevels);
}

TEST(IterationRunner, ProgressReachesTheTotal) {
  IterationPlan plan = Plan(1000, 0, 0, 2);
  int64_t last = 0, calls = 0;
  bool increasing = true;
  plan.progress = [&](int64_t done, int64_t total) {
    EXPECT_EQ(total, 1000);
    increasing = increasing && done >= last;
    last = done;
    calls++;
  };
  RunIterations(
      plan, [] { return 0; }, [](int64_t, int*) {}, [](int64_t, const int*, int&, int64_t*) {});
  EXPECT_GT(calls, 0);
  EXPECT_TRUE(increasing);
  // Thread 0 reports after every 16th of its own iterations, at least half of
  // them: its last report counts 496 or more, whatever the other thread did.
  EXPECT_GE(last, 496);
}

TEST(IterationSeed, SplitMixFinalizer) {
  // SplitMix64 from state 0 gives 0xE220A8397B1DCDAF as its first output
  // (the published reference value); folded: 0xE220A839 ^ 0x7B1DCDAF.
  EXPECT_EQ(IterationSeed(0, 0), 0xE220A839u ^ 0x7B1DCDAFu);
  std::set<uint32_t> seeds;
  for (uint32_t s = 0; s < 20; s++)
    for (uint32_t t = 0; t < 500; t++) seeds.insert(IterationSeed(s, t));
  EXPECT_EQ(seeds.size(), 10000u) << "neighbouring inputs give distinct seeds";
}

TEST(TieRule, OneSinglePrecisionUnit) {
  const float one = 1.0f;
  const double below1 = std::nextafter(one, 0.0f), below2 = std::nextafter(static_cast<float>(below1), 0.0f);
  struct Case {
    double random, observed;
    bool larger, smaller;
  } cases[] = {
      {2.0, 1.0, true, false},
      {1.0, 1.0, true, true},
      {1.0 - 1e-12, 1.0, true, true},  // same single-precision value
      {below1, 1.0, true, true},       // one unit below
      {below2, 1.0, false, true},      // two units below
      {0.5, 1.0, false, true},
      {std::numeric_limits<double>::infinity(), 3.0, true, false},
      {0.0, 0.0, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AtLeastAsLarge(c.random, c.observed), c.larger) << c.random << " vs " << c.observed;
    EXPECT_EQ(AtMostAsLarge(c.random, c.observed), c.smaller) << c.random << " vs " << c.observed;
  }
  EXPECT_TRUE(AtLeastAsLargeAbsolute(-0.8, 0.5));
  EXPECT_FALSE(AtLeastAsLargeAbsolute(0.3, -0.5));
}

}  // namespace

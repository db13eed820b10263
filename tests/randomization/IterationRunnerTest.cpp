// The iteration runner: same counts and per-iteration results at one and two
// threads as the plain sequential stream, errors carried out of the parallel
// region, one active level for nested kernels and runs, the progress hook;
// the per-iteration seeds and the tie rule.
#include <gtest/gtest.h>
#include <omp.h>

#include <atomic>
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
  plan.iterations = iterations, plan.listLength = listLength, plan.nCounts = nCounts;
  plan.maxThreads = maxThreads, plan.batchSize = batchSize;
  return plan;
}

// Counts lists starting with unit 1 and identity lists; keeps a signature of
// each iteration's list.
void Tally(int64_t t, const int* list, int64_t* c, std::vector<int64_t>& signatures) {
  c[0] += list[0] == 1;
  c[1] += std::is_sorted(list, list + kUnits);
  int64_t h = 0;
  for (int i = 0; i < kUnits; i++) h = h * 31 + list[i] * (i + 1);
  signatures[t] = h;
}

TEST(IterationRunner, SameAsSequentialStreamAtAnyThreadCount) {
  const int64_t iterations = 10007;
  RngPtr g = Generator(31337);
  std::vector<int64_t> counts(2, 0), signatures(iterations + 1, 0);
  std::vector<int> list(kUnits);
  for (int64_t t = 1; t <= iterations; t++) {
    RndList(g.get(), kUnits, list.data());
    Tally(t, list.data(), counts.data(), signatures);
  }
  for (int threads : {1, 2, 3})
    for (int batch : {1, 100, 4096}) {
      RngPtr p = Generator(31337);
      std::vector<int64_t> runSignatures(iterations + 1, 0);
      const IterationResult r = RunIterations(
          Plan(iterations, kUnits, 2, threads, batch), [] { return std::vector<int>(kUnits); },
          [&](int64_t, int* l) { RndList(p.get(), kUnits, l); },
          [&](int64_t t, const int* l, std::vector<int>& work, int64_t* c) {
            std::copy(l, l + kUnits, work.begin());  // the workspace is writable
            Tally(t, work.data(), c, runSignatures);
          });
      EXPECT_EQ(r.counts, counts) << threads << " threads, batch " << batch;
      EXPECT_EQ(runSignatures, signatures) << threads << " threads, batch " << batch;
    }
  EXPECT_NEAR(counts[0] / double(iterations), 1.0 / 9, 0.01);
}

// A data-dependent number of draws from g, summed.
double SumOfDraws(gsl_rng* g) {
  const int draws = 1 + static_cast<int>(gsl_rng_uniform_int(g, 5));
  double sum = 0;
  for (int k = 0; k < draws; k++) sum += gsl_rng_uniform(g);
  return sum;
}

// Data-dependent draws: every iteration reseeds its thread's generator from
// (seed, t); the draws do not depend on the thread count.
TEST(IterationRunner, OneWorkspacePerThreadAndPerIterationGenerators) {
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
  const std::vector<double> one = run(1, made1);
  EXPECT_EQ(one, run(2, made2));
  EXPECT_EQ(made1.load(), 1);
  EXPECT_LE(made2.load(), 2);
  EXPECT_EQ(one[17], SumOfDraws(Generator(IterationSeed(99, 17)).get()));
}

TEST(IterationRunner, ErrorsAreRethrownAfterTheRegion) {
  const IterationPlan plan = Plan(5000, 1, 1, 2, 100);
  std::atomic<int64_t> evaluated{0};
  auto noDraw = [](int64_t, int* l) { l[0] = 0; };
  auto failAt250 = [&](int64_t t, const int*, int&, int64_t*) {
    evaluated++;
    if (t == 250) throw std::runtime_error("iteration failed");
  };
  EXPECT_THROW(RunIterations(plan, [] { return 0; }, noDraw, failAt250), std::runtime_error);
  EXPECT_LT(evaluated.load(), 5000) << "the remaining work stops";
  auto failingDraw = [](int64_t t, int*) {
    if (t == 3000) throw 1;
  };
  EXPECT_THROW(RunIterations(plan, [] { return 0; }, failingDraw, [](int64_t, const int*, int&, int64_t*) {}), int);
  EXPECT_THROW(RunIterations(
                   plan, []() -> int { throw std::bad_alloc(); }, noDraw, [](int64_t, const int*, int&, int64_t*) {}),
               std::bad_alloc);
}

// A kernel's own parallel region inside an iteration runs on one thread, and
// so does a whole run inside an iteration (one simulated data set tested by
// permutation, say), with the counts of the same run made on its own. Also
// when the outer run has one thread (its region is then inactive).
TEST(IterationRunner, NestedRegionsAndRunsInsideAnIterationRunOnItsThread) {
  const int savedLevels = omp_get_max_active_levels();
  omp_set_max_active_levels(4);
  auto innerRun = [](int64_t outer, int* threadsUsed) {
    RngPtr g = Generator(static_cast<unsigned long>(outer));
    const IterationResult r = RunIterations(
        Plan(50, kUnits, 1, 0, 7), [] { return 0; }, [&](int64_t, int* list) { RndList(g.get(), kUnits, list); },
        [](int64_t, const int* list, int&, int64_t* counts) { counts[0] += list[0] <= 3; });
    *threadsUsed = r.threads;
    return r.counts[0];
  };
  std::vector<int64_t> alone(40);
  int unused = 0;
  for (int t = 1; t <= 40; t++) alone[t - 1] = innerRun(t, &unused);
  for (int threads : {2, 1}) {
    std::vector<int64_t> inside(40, -1);
    std::atomic<int> innerThreads{0};
    const IterationResult outer = RunIterations(
        Plan(40, 0, 1, threads), [] { return 0; }, [](int64_t, int*) {},
        [&](int64_t t, const int*, int&, int64_t* counts) {
          int inner = 0, used = 0;
#pragma omp parallel num_threads(2)
          {
#pragma omp single
            inner = omp_get_num_threads();
          }
          counts[0] += inner == 1;
          inside[t - 1] = innerRun(t, &used);
          innerThreads.fetch_add(used);
        });
    EXPECT_EQ(outer.counts[0], 40) << threads << " threads";
    EXPECT_EQ(inside, alone);
    EXPECT_EQ(innerThreads.load(), 40) << "one thread for every inner run";
    EXPECT_EQ(omp_get_max_active_levels(), 4) << "restored";
  }
  omp_set_max_active_levels(savedLevels);
}

TEST(IterationRunner, ProgressReachesTheTotal) {
  IterationPlan plan = Plan(1000, 0, 0, 2);
  int64_t last = 0, calls = 0;
  bool increasing = true;
  plan.progress = [&](int64_t done, int64_t total) {
    EXPECT_EQ(total, 1000);
    increasing = increasing && done >= last;
    last = done, calls++;
  };
  RunIterations(plan, [] { return 0; }, [](int64_t, int*) {}, [](int64_t, const int*, int&, int64_t*) {});
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
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double random, observed;
    bool larger, smaller;
  } cases[] = {{2.0, 1.0, true, false},  {1.0, 1.0, true, true},
               {1.0 - 1e-12, 1.0, true, true},  // same single-precision value
               {below1, 1.0, true, true},       // one unit below
               {below2, 1.0, false, true},      // two units below
               {0.5, 1.0, false, true},   {inf, 3.0, true, false}, {0.0, 0.0, true, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(AtLeastAsLarge(c.random, c.observed), c.larger) << c.random << " vs " << c.observed;
    EXPECT_EQ(AtMostAsLarge(c.random, c.observed), c.smaller) << c.random << " vs " << c.observed;
  }
  EXPECT_TRUE(AtLeastAsLargeAbsolute(-0.8, 0.5));
  EXPECT_FALSE(AtLeastAsLargeAbsolute(0.3, -0.5));
}

}  // namespace

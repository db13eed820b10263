// Random generators for iterations whose number of draws depends on the data
// (bootstraps, data-dependent resampling): iteration t draws from its own
// generator, seeded from the user's seed and t only, so its draws do not
// depend on which thread runs it nor on what the other iterations drew.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <memory>

// Seed of iteration t for the user's seed: the 64-bit word seed * 2^32 + t
// (seed and t below 2^32, so distinct pairs give distinct words) passed
// through the SplitMix64 finalizer (Steele, Lea & Flood 2014), a bijection
// of 64-bit words that spreads neighbouring inputs over the whole range:
//   z = x + 0x9E3779B97F4A7C15
//   z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9
//   z = (z ^ (z >> 27)) * 0x94D049BB133111EB
//   z =  z ^ (z >> 31)
// The result is folded to 32 bits (high word xor low word), the part of a
// seed that GSL's default generator uses.
uint32_t IterationSeed(uint32_t userSeed, uint32_t iteration);

struct GslRngDeleter {
  void operator()(gsl_rng* g) const { gsl_rng_free(g); }
};
using RngPtr = std::unique_ptr<gsl_rng, GslRngDeleter>;

// A generator of the given GSL type (the session generator's type, or GSL's
// default when null), allocated once and reseeded for every iteration.
class IterationGenerator {
 public:
  IterationGenerator(uint32_t userSeed, const gsl_rng_type* type);
  // Reseeds for iteration t and returns the generator to draw from.
  gsl_rng* For(uint32_t iteration);
  gsl_rng* get() const { return rng_.get(); }

 private:
  uint32_t userSeed_;
  RngPtr rng_;
};

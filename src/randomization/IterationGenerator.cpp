// Per-iteration generators and their seed mixing.
#include "randomization/IterationGenerator.h"

#include <new>

uint32_t IterationSeed(uint32_t userSeed, uint32_t iteration) {
  uint64_t z = (static_cast<uint64_t>(userSeed) << 32 | iteration) + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<uint32_t>(z ^ (z >> 32));
}

IterationGenerator::IterationGenerator(uint32_t userSeed, const gsl_rng_type* type)
    : userSeed_(userSeed), rng_(gsl_rng_alloc(type != nullptr ? type : gsl_rng_default)) {
  if (!rng_) throw std::bad_alloc();
}

gsl_rng* IterationGenerator::For(uint32_t iteration) {
  gsl_rng_set(rng_.get(), IterationSeed(userSeed_, iteration));
  return rng_.get();
}

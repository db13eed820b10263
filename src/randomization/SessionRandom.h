// The session's random number generator and the seed dialogue that opens
// every randomization test, with the console progress line of the iteration
// runs. Menu layer: uses the console and the session state.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <string>

#include "randomization/IterationRunner.h"

extern gsl_rng* r;        // the session generator (GSL's default type)
extern unsigned int seed;  // the seed it was last initialized with
extern int optCompara;     // 1: the resemblance compares sampling units; 2: variables

// Replaces the session generator by a new one seeded with seed % 2^32.
void InitRndNumberGenerator(unsigned long newSeed);

// Heading, direction of comparison and the seed question; seeds `r`.
void AleatorizacaoMain();

// A progress hook printing label(done, total) on the console progress line.
ProgressHook ConsoleProgress(std::function<std::string(int64_t done, int64_t total)> label);

// The session's random number generator and the seed dialogue that opens
// every randomization test and bootstrap, with the console progress line of
// their iteration runs. Session state of the shell, so that the menu code of
// every analysis (the transformation's Beals test as much as the tests that
// re-apply the transformation) can use them without depending on another
// analysis' menu library.
#pragma once
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <functional>
#include <string>

extern gsl_rng* r;        // the session generator (GSL's default type)
extern unsigned int seed;  // the seed it was last initialized with
extern int optCompara;     // 1: the resemblance compares sampling units; 2: variables

// Replaces the session generator by a new one seeded with seed % 2^32.
void InitRndNumberGenerator(unsigned long newSeed);

// Heading, direction of comparison and the seed question; seeds `r`.
void AleatorizacaoMain();

// A progress hook (the ProgressHook of the iteration runner) printing
// label(done, total) on the console progress line.
std::function<void(int64_t done, int64_t total)> ConsoleProgress(
    std::function<std::string(int64_t done, int64_t total)> label);

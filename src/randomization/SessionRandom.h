// The session's random number generator, the seed dialogue and the console
// progress hook of the iteration runs, for the menu code of the randomization
// tests: they live with the session state (shell/SessionRandom.h).
#pragma once
#include "randomization/IterationRunner.h"
#include "shell/SessionRandom.h"

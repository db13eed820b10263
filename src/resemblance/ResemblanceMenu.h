// The resemblance dialogues: option R of the main menu, and the shorter
// dialogue that only stores the choice of measure (random data generator).
#pragma once

#include "resemblance/ResemblanceChoice.h"

// Returns 1 after computing the matrix, 0 when cancelled.
int Semelhanca();
// Stores the direction, measure and its parameters; returns 1.
int SettingsResemblance();
// The resemblance measure of the session (direction, measure, transformation
// of the values, parameters and variable types), as a value that any thread
// can hand to ResemblanceLib with its own table.
ResemblanceChoice CurrentResemblanceChoice();

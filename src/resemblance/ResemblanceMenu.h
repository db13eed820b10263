// The resemblance dialogues: option R of the main menu, and the shorter
// dialogue that only stores the choice of measure (random data generator).
#pragma once

// Returns 1 after computing the matrix, 0 when cancelled.
int Semelhanca();
// Stores the direction, measure and its parameters; returns 1.
int SettingsResemblance();

// Main menu option Y: analyses of the dynamics of a system whose sampling
// units are successive states in time (or places along a transect).
#pragma once

// The Y menu: Markov fitting, interpolation, rates of change, canonical
// serial scaling. Returns 1, or 0 when the rates of change are refused for
// want of a resemblance matrix between sampling units.
int Dynamics();

// Option 1: Markov fitting of the sequence of states, with the
// randomization test for Markovity.
void Markov();
// Option 2: the original data interpolated onto a regular time (or spatial)
// scale, written to "Interpolated.txt". Returns 1, or 0 when the user gives
// up on the time file (or the file cannot be written).
int Interpolation();
// Option 3: velocities and accelerations from the resemblance between
// consecutive sampling units. Returns 1, or 0 when the user gives up on the
// time file.
int Rate_of_Change();
// Option 4: canonical serial scaling of the variables.
void CanonicalSerialScaling();

// The published techniques, as the menu and the reports cite them.
extern const char* const kMarkovFittingReference;
extern const char* const kSerialScalingReference;

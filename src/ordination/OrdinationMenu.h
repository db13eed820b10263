// Menu routines of the ordination folder: option O (ordination) and option D
// (scatter diagrams), and the session's ordination choice as a value.
#pragma once

#include "ordination/OrdinationChoice.h"

// Main-menu option O: 1 when an ordination was computed and reported, 0 when
// cancelled or refused.
int Ordenacao();
// Main-menu option D.
void Scatter();
// The ordination of the session (method, and the measure and direction of the
// resemblance matrix it analyses), as a value that any thread can hand to
// OrdinationLib_D with its own resemblance matrix.
OrdinationChoice CurrentOrdinationChoice();

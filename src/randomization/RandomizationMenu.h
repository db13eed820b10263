// Menu routines of the randomization folder reached from the main menu.
#pragma once

// Option P, after the groups (SetGroups): the randomization test comparing
// groups of sampling units.
void AleatorizacaoUnitsManova();

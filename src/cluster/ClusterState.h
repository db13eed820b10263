// Session value kept by the cluster analysis between calls.
#pragma once

extern int clusMeth;  // last clustering method chosen (1..7), 0 before the first

// Menu routines of the simulation folder: the two letters that no menu line
// shows.
#pragma once

// Letter U: random data sets with a known number of gradients, and how many
// ordination axes each criterion keeps over them (results block,
// "SummaryResults.txt", "SummaryResultsPerTable.txt"). The session is left
// as it was.
void RandomDataGenerator();

// Letter J: random path models tested by their basis sets, true and with one
// path removed (results block, "SummaryResultsPath.txt",
// "SummaryResultsPathPerModel.txt"). The session is left as it was.
void PathModelGenerator();

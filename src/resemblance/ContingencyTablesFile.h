// The side files of the information measures: "Tables.txt" holds the
// contingency table of every pair of entities, "Tables3D.txt" the three-way
// table of every triplet. Each call rewrites its file.
#pragma once

// data: nObj x nVar; dir 1 takes the sampling units as the entities, dir 2
// the variables. Return false when the file cannot be opened (nothing is
// written then).
bool WriteTablesFile(int nObj, int nVar, const double* const* data, int dir);
bool WriteTables3DFile(int nObj, int nVar, const double* const* data, int dir);

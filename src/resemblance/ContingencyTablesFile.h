// The side files of the information measures: "Tables.txt" holds the
// contingency table of every pair of entities, "Tables3D.txt" the three-way
// table of every triplet. Each call rewrites its file.
#pragma once

// Entities are the rows of the n x m table. Return false when the file
// cannot be opened (nothing is written then).
bool WriteTablesFile(int n, int m, double** table);
bool WriteTables3DFile(int n, int m, double** table);

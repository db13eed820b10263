// A user's resemblance measure as a value: everything ResemblanceLib needs to
// compute it again from another table (a permuted or resampled copy, in any
// thread).
#pragma once
#include <vector>

struct ResemblanceChoice {
  int direction = 1;            // 1 compare sampling units (rows), 2 variables (columns)
  int measure = 0;              // 1 to 29
  int post = 0;                 // values transformed: 0 none, 1 squared, 2 square root
  double alpha = 1.0;           // order of the entropy measures 7 to 9
  double k = 0.0;               // parameter k of the Legendre & Chodorowski index (19)
  int countDoubleAbsence = 0;   // Gower index (5): 1 = shared absences of binary variables count
  // Kind of each variable for the Gower index (1 binary, 2 nominal,
  // 3 quantitative, 4 ordinal); empty = every variable quantitative.
  std::vector<int> varType;

  // Order of the matrix computed from an nObj x nVar table.
  int Order(int nObj, int nVar) const { return direction == 2 ? nVar : nObj; }
};

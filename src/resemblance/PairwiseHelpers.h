// Pairwise statistics of two vectors over the positions where neither holds
// the missing code, and the small table utilities shared by the resemblance
// measures.
#pragma once

#include "ZQLib/Centring.h"
#include "ZQLib/Matrix.h"
#include "ZQLib/MissingValue.h"

// Correlation of x and y over the positions where both are present; 0 when
// fewer than two such positions exist or either vector is constant there.
double Correlation2VecMV(int m, const double* x, const double* y);
// Squared chord distance: sum of (x/|x| - y/|y|)^2, norms taken over the
// positions where both are present (a zero norm is replaced by 1).
double ChordDistSq2VecMV(int m, const double* x, const double* y);
// Covariance over the positions where both are present (divisor count - 1);
// 0 when fewer than two such positions exist.
double Covariance2VecMV(int m, const double* x, const double* y);
// Sum of x*y over the positions where both are present.
double CrossProduct2VecMV(int m, const double* x, const double* y);

namespace rsm {

// True when any cell of the n x m table holds the missing code.
bool TableHasMissing(int n, int m, const double* const* table);
// The entities compared, as the rows of an n x m table: the nObj x nVar data
// themselves (dir 1, sampling units), or a transposed copy (dir 2, variables)
// released with the object.
struct EntityTable {
  int n, m;
  Matrix copy;
  const double* const* table;
  EntityTable(int nObj, int nVar, const double* const* data, int dir)
      : n(dir == 2 ? nVar : nObj), m(dir == 2 ? nObj : nVar),
        copy(dir == 2 ? TransposeOf(nObj, nVar, data) : Matrix()),
        table(dir == 2 ? copy.data() : data) {}
  EntityTable(const EntityTable&) = delete;
  EntityTable& operator=(const EntityTable&) = delete;
};

// Entities i < j of the n x m table with no attribute present in both: their
// resemblance is undefined, so result[i][j] and result[j][i] get the missing
// code. Returns the number of such pairs.
int MarkPairsWithoutCommonAttributes(int n, int m, const double* const* table, double** result);

// Copies the upper triangle (j > i) into the lower one; with parallel, a
// large matrix is shared out among the threads.
void MirrorUpper(int n, double** r, bool parallel = false);

}  // namespace rsm

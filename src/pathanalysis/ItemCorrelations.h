// The correlation matrix between the items a path model relates, from a
// table whose items are permuted independently over the sampling units.
// Items are the variables (columns) of the table, compared by the product
// moment correlation, or blocks of consecutive columns, compared by the
// symmetric Procrustes correlation of the two blocks or by the Mantel
// correlation of their Euclidean distance matrices between sampling units.
//
// The permutation lists are one per item (item k's list at lists + k * n,
// 1-based sampling units, as ColumnPermutations draws them): item k's values
// in row i are those of row list[i] of the table. With identity lists the
// matrix is the one of the table itself.
//
// Two kinds of random matrix: every item permuted by its own list (the null
// model that permutes all items at once), and the row of one item f permuted
// by its list against every other item in its observed order (the null
// model that permutes only f: the rest of that matrix is the observed one).
#pragma once
#include <memory>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ordination/TwoSetStatistics.h"

enum class ItemCriterion {
  CORRELATION = 0,  // items are variables: product moment correlation
  PROCRUSTES = 1,   // blocks: symmetric Procrustes correlation (ProcrustesCoeff)
  MANTEL = 2        // blocks: Mantel r (MatrixCorr) of Euclidean distances between units
};

// Blocks of consecutive columns, from column 0: sizes; columns beyond their
// sum are left out.
struct ColumnBlocks {
  std::vector<int> sizes;
  int Count() const { return static_cast<int>(sizes.size()); }
  int Columns() const;
  int FirstColumn(int block) const;
};

// The correlation measure between the variables of an n x p table (units in
// rows), with work tables made once.
//  - Compute: the matrix of the table whose columns are permuted by lists
//    (null: identity): each column centred and normalized, then the products
//    added in unit order, as ResemblanceLib computes the measure (to the last
//    bit; for the reference table, whose columns were centred and normalized
//    once, to the rounding of the means and norms in another order). The
//    diagonal is 1 for a variable that varies, 0 for a constant one.
//  - Row: the correlations of one column, taken in the order of its list,
//    with every column of the reference table (SetReference) in its own order.
// Nothing is allocated, except for tables with missing values (pairwise
// deletion: the permuted table then goes through ResemblanceLib).
class VariableCorrelations {
 public:
  VariableCorrelations(int n, int p);
  void Compute(const double* const* table, const int* lists, double** out);
  // The table Row compares with (kept as centred and normalized columns, also
  // used by Compute for that table: set it again after changing the table).
  void SetReference(const double* const* reference);
  // row[k] = correlation of column f of `table` in the order of listF (null:
  // as it is) with column k of the reference; row[f] = 1 (0 when column f is
  // constant).
  void Row(const double* const* table, int f, const int* listF, double* row);

 private:
  void Products(double** out) const;  // the sums of products of rows_
  int n_, p_;
  Matrix rows_;        // the variables as rows (p x n)
  Matrix permuted_;    // the permuted table, when it holds missing values
  Matrix reference_;     // the reference's columns as rows, centred and normalized
  Matrix referenceRaw_;  // and as they are
  const double* const* referenceTable_ = nullptr;
  bool referenceMissing_ = false;
  std::vector<double> column_;  // the column of Row
};

// What is compared, prepared once and shared (read only) by every thread:
// for blocks, the standardized block tables (Procrustes) or the distance
// matrices of the blocks (Mantel).
class ItemModel {
 public:
  // data: nObj x nVar, only read, must outlive the model. For CORRELATION
  // blocks are ignored (every column an item). For PROCRUSTES the blocks
  // must be complete (no missing values). Throws std::invalid_argument when
  // the blocks do not fit the table.
  ItemModel(int nObj, int nVar, const double* const* data, ItemCriterion criterion, const ColumnBlocks& blocks);
  int Units() const { return n_; }
  int Items() const { return items_; }
  ItemCriterion Criterion() const { return criterion_; }
  int Columns() const { return nVar_; }
  const double* const* Data() const { return data_; }
  const ColumnBlocks& Blocks() const { return blocks_; }

 private:
  friend class ItemCorrelations;
  int n_, nVar_, items_;
  const double* const* data_;
  ItemCriterion criterion_;
  ColumnBlocks blocks_;
  std::vector<Matrix> standardized_;  // PROCRUSTES: each block centred, total variance 1
  std::vector<bool> varies_;          // PROCRUSTES: the block is not constant
  std::vector<Matrix> distances_;     // MANTEL: n x n Euclidean distances of each block
};

// One thread's work tables. Nothing is allocated while computing, except for
// a table with missing values compared by CORRELATION.
class ItemCorrelations {
 public:
  explicit ItemCorrelations(const ItemModel& model);
  // The Items() x Items() matrix with every item permuted by its list (null:
  // identity). With unitDiagonal the diagonal is 1; otherwise it is what the
  // correlation measure gives (1, or 0 for a constant variable).
  void Compute(const int* lists, double** out, bool unitDiagonal);
  // row[k] = the correlation of item f in the order of listF (its n units,
  // 1-based) with item k in its observed order; row[f] = 1.
  void FirstItemRow(int f, const int* listF, double* row);

 private:
  double Procrustes(int a, const int* listA, int b, const int* listB);
  void PermuteDistances(int b, const int* list);
  const ItemModel* m_;
  std::unique_ptr<VariableCorrelations> correlations_;   // CORRELATION
  std::vector<Matrix> distances_;                        // MANTEL: each block's permuted distances
  std::vector<double> cross_;                            // PROCRUSTES: a block pair's cross product
  std::vector<std::unique_ptr<SingularValueSum>> sums_;  // PROCRUSTES: one per block pair a < b
};

// The table with its items permuted by the lists (null: identity), into out
// (nObj x the columns of the items): the random data set as the reports show it.
void PermutedItemTable(const ItemModel& model, const int* lists, Matrix& out);

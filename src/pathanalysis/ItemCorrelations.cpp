// Correlations between variables or blocks of a table permuted item by item.
#include "pathanalysis/ItemCorrelations.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "ZQLib/Centring.h"
#include "ZQLib/MissingValue.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/ResemblanceLib.h"

namespace {

// Row i of item k, 0-based, under the lists (null: identity).
inline int UnitOf(const int* lists, int n, int k, int i) {
  return lists == nullptr ? i : lists[static_cast<size_t>(k) * n + i] - 1;
}

// Row i under one item's list (null: identity).
inline int At(const int* list, int i) { return list == nullptr ? i : list[i] - 1; }

const int* ListOf(const int* lists, int n, int k) {
  return lists == nullptr ? nullptr : lists + static_cast<size_t>(k) * n;
}

ResemblanceChoice CorrelationBetweenVariables() {
  ResemblanceChoice c;
  c.direction = 2;
  c.measure = 17;
  return c;
}

ResemblanceChoice EuclideanBetweenUnits() {
  ResemblanceChoice c;
  c.direction = 1;
  c.measure = 3;
  return c;
}

Matrix BlockTable(int n, const double* const* data, int first, int size) {
  Matrix t(n, size);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < size; j++) t[i][j] = data[i][first + j];
  return t;
}

// Centres and normalizes one row of n values in place, as the rows of the
// correlation measure are.
void Standardize(int n, double* row) {
  double* rows[1] = {row};
  CenterRowsMV(1, n, rows, rows);
  NormalizeRowsMV(1, n, rows, rows);
}

}  // namespace

VariableCorrelations::VariableCorrelations(int n, int p)
    : n_(n), p_(p), rows_(p, n), reference_(p, n), referenceRaw_(p, n), column_(static_cast<size_t>(std::max(n, 1))) {}

void VariableCorrelations::Compute(const double* const* table, const int* lists, double** out) {
  const int n = n_, p = p_;
  if (table == referenceTable_ && !referenceMissing_) {
    // Centring and normalizing commute with permuting a column.
    for (int j = 0; j < p; j++) {
      const double* z = reference_[j];
      double* row = rows_[j];
      for (int i = 0; i < n; i++) row[i] = z[UnitOf(lists, n, j, i)];
    }
    Products(out);
    return;
  }
  bool missing = false;
  for (int j = 0; j < p; j++) {
    double* row = rows_[j];
    for (int i = 0; i < n; i++) {
      row[i] = table[UnitOf(lists, n, j, i)][j];
      missing = missing || IsMissing(row[i]);
    }
  }
  if (missing) {
    permuted_.Resize(n, p);
    for (int j = 0; j < p; j++)
      for (int i = 0; i < n; i++) permuted_[i][j] = rows_[j][i];
    ResemblanceLib(CorrelationBetweenVariables(), n, p, permuted_.data(), out);
    return;
  }
  CenterRowsMV(p, n, rows_.data(), rows_.data());
  NormalizeRowsMV(p, n, rows_.data(), rows_.data());
  Products(out);
}

void VariableCorrelations::Products(double** out) const {
  const int n = n_, p = p_;
  for (int a = 0; a < p; a++) {
    const double* x = rows_[a];
    for (int b = a; b < p; b++) {
      const double* y = rows_[b];
      double s = 0.0;
      for (int i = 0; i < n; i++) s += x[i] * y[i];
      out[a][b] = s;
      out[b][a] = s;
    }
  }
}

void VariableCorrelations::SetReference(const double* const* reference) {
  const int n = n_, p = p_;
  referenceTable_ = reference;
  referenceMissing_ = false;
  for (int j = 0; j < p; j++)
    for (int i = 0; i < n; i++) {
      referenceRaw_[j][i] = reference_[j][i] = reference[i][j];
      referenceMissing_ = referenceMissing_ || IsMissing(reference[i][j]);
    }
  CenterRowsMV(p, n, reference_.data(), reference_.data());
  NormalizeRowsMV(p, n, reference_.data(), reference_.data());
}

void VariableCorrelations::Row(const double* const* table, int f, const int* listF, double* row) {
  const int n = n_, p = p_;
  double* x = column_.data();
  bool missing = referenceMissing_, varies = false;
  for (int i = 0; i < n; i++) {
    x[i] = table[At(listF, i)][f];
    missing = missing || IsMissing(x[i]);
    varies = varies || x[i] != x[0];
  }
  if (missing) {
    for (int k = 0; k < p; k++) row[k] = Correlation2VecMV(n, x, referenceRaw_[k]);
  } else {
    Standardize(n, x);
    for (int k = 0; k < p; k++) {
      const double* y = reference_[k];
      double s = 0.0;
      for (int i = 0; i < n; i++) s += x[i] * y[i];
      row[k] = s;
    }
  }
  row[f] = varies ? 1.0 : 0.0;
}

int ColumnBlocks::Columns() const {
  int s = 0;
  for (int size : sizes) s += size;
  return s;
}

int ColumnBlocks::FirstColumn(int block) const {
  int s = 0;
  for (int b = 0; b < block; b++) s += sizes[b];
  return s;
}

ItemModel::ItemModel(int nObj, int nVar, const double* const* data, ItemCriterion criterion,
                     const ColumnBlocks& blocks)
    : n_(nObj), nVar_(nVar), items_(nVar), data_(data), criterion_(criterion), blocks_(blocks) {
  if (criterion == ItemCriterion::CORRELATION) {
    blocks_.sizes.assign(static_cast<size_t>(nVar), 1);
    return;
  }
  items_ = blocks_.Count();
  for (int size : blocks_.sizes)
    if (size < 1) throw std::invalid_argument("a block without columns");
  if (items_ < 1 || blocks_.Columns() > nVar) throw std::invalid_argument("blocks beyond the table");
  for (int b = 0; b < items_; b++) {
    const Matrix t = BlockTable(nObj, data, blocks_.FirstColumn(b), blocks_.sizes[b]);
    if (criterion == ItemCriterion::PROCRUSTES) {
      Matrix z;
      varies_.push_back(StandardizeTotalVariance(nObj, blocks_.sizes[b], t.data(), z));
      standardized_.push_back(std::move(z));
    } else {
      Matrix d(nObj, nObj);
      ResemblanceLib(EuclideanBetweenUnits(), nObj, blocks_.sizes[b], t.data(), d.data());
      distances_.push_back(std::move(d));
    }
  }
}

ItemCorrelations::ItemCorrelations(const ItemModel& model) : m_(&model) {
  const int n = model.n_, items = model.items_;
  switch (model.criterion_) {
    case ItemCriterion::CORRELATION:
      correlations_ = std::make_unique<VariableCorrelations>(n, items);
      correlations_->SetReference(model.data_);
      break;
    case ItemCriterion::MANTEL:
      for (int b = 0; b < items; b++) distances_.emplace_back(n, n);
      break;
    case ItemCriterion::PROCRUSTES: {
      int largest = 1;
      for (int size : model.blocks_.sizes) largest = std::max(largest, size);
      cross_.resize(static_cast<size_t>(largest) * largest);
      for (int a = 0; a < items; a++)
        for (int b = a + 1; b < items; b++)
          sums_.push_back(std::make_unique<SingularValueSum>(model.blocks_.sizes[a], model.blocks_.sizes[b]));
      break;
    }
  }
}

// The symmetric Procrustes statistic of blocks a < b, their rows in the
// lists' orders: the sum of the singular values of Za' Zb / (n - 1) (both
// standardized), the products added in unit order, as ProcrustesCoeff.
double ItemCorrelations::Procrustes(int a, const int* listA, int b, const int* listB) {
  const ItemModel& m = *m_;
  if (!m.varies_[a] || !m.varies_[b]) return 0.0;
  const int n = m.n_, pa = m.blocks_.sizes[a], pb = m.blocks_.sizes[b];
  const Matrix& za = m.standardized_[a];
  const Matrix& zb = m.standardized_[b];
  double* c = cross_.data();
  std::fill(c, c + static_cast<size_t>(pa) * pb, 0.0);
  for (int i = 0; i < n; i++) {
    const double* ra = za[At(listA, i)];
    const double* rb = zb[At(listB, i)];
    for (int x = 0; x < pa; x++) {
      const double v = ra[x];
      double* cx = c + static_cast<size_t>(x) * pb;
      for (int y = 0; y < pb; y++) cx[y] += v * rb[y];
    }
  }
  const double scale = 1.0 / (n - 1);
  for (int k = 0; k < pa * pb; k++) c[k] *= scale;
  // Pair (a, b), a < b, is number a(2B - a - 1)/2 + b - a - 1.
  const int items = m.items_;
  return (*sums_[a * (2 * items - a - 1) / 2 + b - a - 1])(c);
}

void ItemCorrelations::PermuteDistances(int b, const int* list) {
  const int n = m_->n_;
  const Matrix& d = m_->distances_[b];
  Matrix& w = distances_[b];
  for (int i = 0; i < n; i++) {
    const double* row = d[At(list, i)];
    double* target = w[i];
    for (int j = i + 1; j < n; j++) target[j] = row[At(list, j)];
  }
}

void ItemCorrelations::Compute(const int* lists, double** out, bool unitDiagonal) {
  const ItemModel& m = *m_;
  const int n = m.n_, items = m.items_;
  switch (m.criterion_) {
    case ItemCriterion::CORRELATION:
      correlations_->Compute(m.data_, lists, out);
      break;
    case ItemCriterion::MANTEL:
      for (int b = 0; b < items; b++) PermuteDistances(b, ListOf(lists, n, b));
      for (int a = 0; a < items; a++)
        for (int b = a + 1; b < items; b++)
          out[a][b] = out[b][a] = MatrixCorr(n, distances_[a].data(), distances_[b].data());
      break;
    case ItemCriterion::PROCRUSTES:
      for (int a = 0; a < items; a++)
        for (int b = a + 1; b < items; b++)
          out[a][b] = out[b][a] = Procrustes(a, ListOf(lists, n, a), b, ListOf(lists, n, b));
      break;
  }
  if (unitDiagonal || m.criterion_ != ItemCriterion::CORRELATION)
    for (int k = 0; k < items; k++) out[k][k] = 1.0;
}

void ItemCorrelations::FirstItemRow(int f, const int* list, double* row) {
  const ItemModel& m = *m_;
  const int n = m.n_, items = m.items_;
  switch (m.criterion_) {
    case ItemCriterion::CORRELATION:
      correlations_->Row(m.data_, f, list, row);
      break;
    case ItemCriterion::MANTEL:
      PermuteDistances(f, list);
      for (int k = 0; k < items; k++)
        if (k != f) row[k] = MatrixCorr(n, distances_[f].data(), m.distances_[k].data());
      break;
    case ItemCriterion::PROCRUSTES:
      for (int k = 0; k < items; k++)
        if (k != f) row[k] = k < f ? Procrustes(k, nullptr, f, list) : Procrustes(f, list, k, nullptr);
      break;
  }
  row[f] = 1.0;
}

void PermutedItemTable(const ItemModel& model, const int* lists, Matrix& out) {
  const int n = model.Units();
  const ColumnBlocks& blocks = model.Blocks();
  out.Resize(n, blocks.Columns());
  for (int k = 0, column = 0; k < blocks.Count(); k++)
    for (int c = 0; c < blocks.sizes[k]; c++, column++)
      for (int i = 0; i < n; i++) out[i][column] = model.Data()[UnitOf(lists, n, k, i)][column];
}

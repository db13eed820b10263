// Correlations between variables or blocks of a table permuted item by item.
#include "pathanalysis/ItemCorrelations.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "ZQLib/Centring.h"
#include "ZQLib/MissingValue.h"
#include "resemblance/ResemblanceLib.h"

namespace {

// Row i of item k, 0-based, under the lists (null: identity).
inline int Row(const int* lists, int n, int k, int i) {
  return lists == nullptr ? i : lists[static_cast<size_t>(k) * n + i] - 1;
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

}  // namespace

VariableCorrelations::VariableCorrelations(int n, int p) : n_(n), p_(p), rows_(p, n) {}

void VariableCorrelations::Compute(const double* const* table, const int* lists, double** out) {
  const int n = n_, p = p_;
  bool missing = false;
  for (int j = 0; j < p; j++) {
    double* row = rows_[j];
    for (int i = 0; i < n; i++) {
      row[i] = table[Row(lists, n, j, i)][j];
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

void ItemCorrelations::Compute(const int* lists, double** out, bool unitDiagonal) {
  const ItemModel& m = *m_;
  const int n = m.n_, items = m.items_;
  switch (m.criterion_) {
    case ItemCriterion::CORRELATION:
      correlations_->Compute(m.data_, lists, out);
      break;
    case ItemCriterion::MANTEL:
      for (int b = 0; b < items; b++) {
        const Matrix& d = m.distances_[b];
        Matrix& w = distances_[b];
        for (int i = 0; i < n; i++) {
          const double* row = d[Row(lists, n, b, i)];
          double* target = w[i];
          for (int j = i + 1; j < n; j++) target[j] = row[Row(lists, n, b, j)];
        }
      }
      for (int a = 0; a < items; a++)
        for (int b = a + 1; b < items; b++) out[a][b] = out[b][a] = MatrixCorr(n, distances_[a].data(), distances_[b].data());
      break;
    case ItemCriterion::PROCRUSTES: {
      // The symmetric Procrustes statistic of the two standardized blocks,
      // their rows in the lists' orders: the sum of the singular values of
      // Za' Zb / (n - 1), the products added in unit order.
      const double scale = 1.0 / (n - 1);
      int pair = 0;
      for (int a = 0; a < items; a++)
        for (int b = a + 1; b < items; b++, pair++) {
          if (!m.varies_[a] || !m.varies_[b]) {
            out[a][b] = out[b][a] = 0.0;
            continue;
          }
          const int pa = m.blocks_.sizes[a], pb = m.blocks_.sizes[b];
          const Matrix& za = m.standardized_[a];
          const Matrix& zb = m.standardized_[b];
          double* c = cross_.data();
          std::fill(c, c + static_cast<size_t>(pa) * pb, 0.0);
          for (int i = 0; i < n; i++) {
            const double* ra = za[Row(lists, n, a, i)];
            const double* rb = zb[Row(lists, n, b, i)];
            for (int x = 0; x < pa; x++) {
              const double v = ra[x];
              double* cx = c + static_cast<size_t>(x) * pb;
              for (int y = 0; y < pb; y++) cx[y] += v * rb[y];
            }
          }
          for (int k = 0; k < pa * pb; k++) c[k] *= scale;
          out[a][b] = out[b][a] = (*sums_[pair])(c);
        }
      break;
    }
  }
  if (unitDiagonal || m.criterion_ != ItemCriterion::CORRELATION)
    for (int k = 0; k < items; k++) out[k][k] = 1.0;
}

void PermutedItemTable(const ItemModel& model, const int* lists, Matrix& out) {
  const int n = model.Units(), columns = model.Criterion() == ItemCriterion::CORRELATION
                                              ? model.Columns()
                                              : model.Blocks().Columns();
  out.Resize(n, columns);
  const ColumnBlocks& blocks = model.Blocks();
  for (int k = 0, column = 0; k < blocks.Count(); k++)
    for (int c = 0; c < blocks.sizes[k]; c++, column++)
      for (int i = 0; i < n; i++) out[i][column] = model.Data()[Row(lists, n, k, i)][column];
}

// Orthogonal Procrustes rotation and the correlation of two score vectors.
#include "bootstrap/ProcrustesFit.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>

ProcrustesWork::ProcrustesWork(int maxAxes, int maxUnits)
    : axes_(std::max(1, maxAxes)), units_(std::max(1, maxUnits)) {
  const std::size_t q = axes_, m = units_;
  cross.assign(q * q, 0.0);
  v.assign(q * q, 0.0);
  singular.assign(q, 0.0);
  rotation.assign(q * q, 0.0);
  ref.assign(q * m, 0.0);
  sample.assign(q * m, 0.0);
}

namespace {

// The q rows of a configuration centred on their means, row by row into out
// (m values each): the first `given` rows from x, the others zeros.
void Centred(int q, int given, int m, const double* const* x, double* out) {
  for (int a = 0; a < q; a++) {
    double* row = out + static_cast<std::size_t>(a) * m;
    if (a >= given) {
      std::fill(row, row + m, 0.0);
      continue;
    }
    double mean = 0.0;
    for (int i = 0; i < m; i++) mean += x[a][i];
    mean /= m;
    for (int i = 0; i < m; i++) row[i] = x[a][i] - mean;
  }
}

double Dot(int m, const double* x, const double* y) {
  double s = 0.0;
  for (int i = 0; i < m; i++) s += x[i] * y[i];
  return s;
}

}  // namespace

void ProcrustesAdjT(int k, int kRef, int m, const double* const* ref, const double* const* sample, double** fitted,
                    ProcrustesWork* work) {
  const int q = std::max(k, kRef);
  if (q <= 0 || m <= 0) return;
  std::optional<ProcrustesWork> own;
  if (work == nullptr || work->maxAxes() < q || work->maxUnits() < m) work = &own.emplace(q, m);
  double* R = work->ref.data();
  double* S = work->sample.data();
  Centred(q, kRef, m, ref, R);
  Centred(q, k, m, sample, S);

  // C = S'R (q x q): C[l][j] = sample axis l . reference axis j.
  gsl_matrix_view C = gsl_matrix_view_array(work->cross.data(), q, q);
  for (int l = 0; l < q; l++)
    for (int j = 0; j < q; j++)
      gsl_matrix_set(&C.matrix, l, j,
                     Dot(m, S + static_cast<std::size_t>(l) * m, R + static_cast<std::size_t>(j) * m));
  gsl_matrix_view V = gsl_matrix_view_array(work->v.data(), q, q);
  gsl_vector_view D = gsl_vector_view_array(work->singular.data(), q);
  // C = U D V' (U overwrites C); the rotation is Q = U V'.
  const bool decomposed = gsl_linalg_SV_decomp_jacobi(&C.matrix, &V.matrix, &D.vector) == GSL_SUCCESS;
  double* Q = work->rotation.data();
  for (int l = 0; l < q; l++)
    for (int j = 0; j < q; j++) {
      double x = 0.0;
      if (decomposed) {
        for (int c = 0; c < q; c++) x += gsl_matrix_get(&C.matrix, l, c) * gsl_matrix_get(&V.matrix, j, c);
      } else {
        x = l == j ? 1.0 : 0.0;
      }
      Q[static_cast<std::size_t>(l) * q + j] = x;
    }
  // Fitted axis j = sum over l of sample axis l x Q[l][j].
  for (int j = 0; j < q; j++) {
    double* out = fitted[j];
    std::fill(out, out + m, 0.0);
    for (int l = 0; l < q; l++) {
      const double w = Q[static_cast<std::size_t>(l) * q + j];
      const double* s = S + static_cast<std::size_t>(l) * m;
      for (int i = 0; i < m; i++) out[i] += w * s[i];
    }
  }
}

double Correlation2Vec(int m, const double* x, const double* y) {
  if (m <= 0) return 0.0;
  double mx = 0.0, my = 0.0;
  for (int i = 0; i < m; i++) {
    mx += x[i];
    my += y[i];
  }
  mx /= m;
  my /= m;
  double sxx = 0.0, syy = 0.0, sxy = 0.0, rawX = 0.0, rawY = 0.0;
  for (int i = 0; i < m; i++) {
    const double dx = x[i] - mx, dy = y[i] - my;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
    rawX += x[i] * x[i];
    rawY += y[i] * y[i];
  }
  // The rounded mean of a constant vector leaves centred values of a few
  // units in the last place of its entries: such a length counts as 0.
  constexpr double kRounding = (16 * DBL_EPSILON) * (16 * DBL_EPSILON);
  if (!(sxx > kRounding * rawX) || !(syy > kRounding * rawY)) return 0.0;
  const double r = sxy / (std::sqrt(sxx) * std::sqrt(syy));
  return std::clamp(r, -1.0, 1.0);
}

// Least-squares regression through the normal equations of the centred factors.
#include "ordination/LinearRegression.h"

#include <cmath>

#include "ZQLib/GaussJordan.h"

bool NormalEquations::Prepare(int n, int q, const double* const* X) {
  n_ = n;
  q_ = q;
  xMean_.assign(static_cast<size_t>(q), 0.0);
  xc_.Resize(n, q);
  inverse_.Resize(q, q);
  if (q <= 0 || n <= q) return false;
  std::vector<double> scale(static_cast<size_t>(q), 0.0);
  for (int k = 0; k < q; k++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += X[i][k];
    xMean_[k] = s / n;
    double ss = 0.0;
    for (int i = 0; i < n; i++) {
      xc_[i][k] = X[i][k] - xMean_[k];
      ss += xc_[i][k] * xc_[i][k];
    }
    if (!(ss > 0.0) || !std::isfinite(ss)) return false;
    scale[k] = std::sqrt(ss);
  }
  // Correlation matrix of the factors, inverted, then scaled back.
  Matrix R(q, q);
  for (int a = 0; a < q; a++)
    for (int b = a; b < q; b++) {
      double s = 0.0;
      for (int i = 0; i < n; i++) s += xc_[i][a] * xc_[i][b];
      R[a][b] = R[b][a] = s / (scale[a] * scale[b]);
    }
  if (!MatrixInverse(q, q, R.data(), R.data())) return false;
  for (int a = 0; a < q; a++)
    for (int b = 0; b < q; b++) inverse_[a][b] = R[a][b] / (scale[a] * scale[b]);
  return true;
}

bool regression(int n, int p, int q, const double* const* Y, const double* const* X, RegressionFit& fit) {
  NormalEquations ne;
  if (!ne.Prepare(n, q, X)) return false;
  RegressionFit f;
  f.n = n;
  f.p = p;
  f.q = q;
  f.xMean = ne.XMean();
  f.yMean.assign(static_cast<size_t>(p), 0.0);
  f.ssY.assign(static_cast<size_t>(p), 0.0);
  Matrix Yc(n, p);
  for (int j = 0; j < p; j++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += Y[i][j];
    f.yMean[j] = s / n;
    for (int i = 0; i < n; i++) {
      Yc[i][j] = Y[i][j] - f.yMean[j];
      f.ssY[j] += Yc[i][j] * Yc[i][j];
    }
  }
  const Matrix& Xc = ne.Xc();
  Matrix XtY(q, p);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < q; k++)
      for (int j = 0; j < p; j++) XtY[k][j] += Xc[i][k] * Yc[i][j];
  f.B.Resize(q, p);
  for (int k = 0; k < q; k++)
    for (int j = 0; j < p; j++) {
      double s = 0.0;
      for (int l = 0; l < q; l++) s += ne.Inverse()[k][l] * XtY[l][j];
      f.B[k][j] = s;
    }
  f.b0.assign(static_cast<size_t>(p), 0.0);
  for (int j = 0; j < p; j++) {
    double s = f.yMean[j];
    for (int k = 0; k < q; k++) s -= f.B[k][j] * f.xMean[k];
    f.b0[j] = s;
  }
  f.Yhat.Resize(n, p);
  f.ssRegression.assign(static_cast<size_t>(p), 0.0);
  f.ssResidual.assign(static_cast<size_t>(p), 0.0);
  f.r2.assign(static_cast<size_t>(p), 0.0);
  for (int j = 0; j < p; j++) {
    for (int i = 0; i < n; i++) {
      double centred = 0.0;
      for (int k = 0; k < q; k++) centred += Xc[i][k] * f.B[k][j];
      f.Yhat[i][j] = f.yMean[j] + centred;
      const double residual = Y[i][j] - f.Yhat[i][j];
      f.ssRegression[j] += centred * centred;
      f.ssResidual[j] += residual * residual;
    }
    f.r2[j] = f.ssY[j] > 0.0 ? f.ssRegression[j] / f.ssY[j] : 0.0;
  }
  fit = std::move(f);
  return true;
}

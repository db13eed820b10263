// Redundancy analysis through the normal equations and a symmetric
// eigen-decomposition.
#include "ordination/RedundancyAnalysis.h"

#include <utility>

#include "ordination/EigenKernels.h"
#include "ordination/LinearRegression.h"
#include "ordination/TwoSetStatistics.h"

int CanonicalRank(int p, const double* eig) {
  double total = 0.0;
  for (int k = 0; k < p; k++) total += eig[k];
  if (!(total > 0.0)) return 0;
  int rank = 0;
  for (int k = 0; k < p; k++)
    if (100.0 * eig[k] / total > 0.0001) rank++;
  return rank;
}

bool RDA(int n, int p, int q, const double* const* Y, const double* const* X, RdaResult& out) {
  NormalEquations ne;
  if (p <= 0 || !ne.Prepare(n, q, X)) return false;
  RdaResult r;
  r.n = n;
  r.p = p;
  r.q = q;
  const Matrix& Xc = ne.Xc();
  Matrix Yc(n, p);
  for (int j = 0; j < p; j++) {
    double s = 0.0;
    for (int i = 0; i < n; i++) s += Y[i][j];
    const double mean = s / n;
    double ss = 0.0;
    for (int i = 0; i < n; i++) {
      Yc[i][j] = Y[i][j] - mean;
      ss += Yc[i][j] * Yc[i][j];
    }
    r.totalVar += ss / (n - 1);
  }
  Matrix XtY(q, p);
  for (int i = 0; i < n; i++)
    for (int k = 0; k < q; k++)
      for (int j = 0; j < p; j++) XtY[k][j] += Xc[i][k] * Yc[i][j];
  Matrix B(q, p);
  for (int k = 0; k < q; k++)
    for (int j = 0; j < p; j++) {
      double s = 0.0;
      for (int l = 0; l < q; l++) s += ne.Inverse()[k][l] * XtY[l][j];
      B[k][j] = s;
    }
  Matrix Yhat(n, p);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < p; j++) {
      double s = 0.0;
      for (int k = 0; k < q; k++) s += Xc[i][k] * B[k][j];
      Yhat[i][j] = s;
    }
  Matrix cov(p, p);
  for (int a = 0; a < p; a++)
    for (int b = a; b < p; b++) {
      double s = 0.0;
      for (int i = 0; i < n; i++) s += Yhat[i][a] * Yhat[i][b];
      cov[a][b] = cov[b][a] = s / (n - 1);
    }
  r.eig.assign(static_cast<size_t>(p), 0.0);
  r.evec.Resize(p, p);
  r.eigenAccepted = EigenHouseholderQL_GSL_D(p, cov.data(), r.evec.data(), r.eig.data());
  r.rank = CanonicalRank(p, r.eig.data());
  r.fittedScores.Resize(r.rank, n);
  r.scores.Resize(r.rank, n);
  r.axisCorr.assign(static_cast<size_t>(r.rank), 0.0);
  r.biplotCorr.Resize(r.rank, q);
  std::vector<double> column(static_cast<size_t>(n));
  for (int k = 0; k < r.rank; k++) {
    const double* u = r.evec[k];
    for (int i = 0; i < n; i++) {
      double f = 0.0, s = 0.0;
      for (int j = 0; j < p; j++) {
        f += Yhat[i][j] * u[j];
        s += Yc[i][j] * u[j];
      }
      r.fittedScores[k][i] = f;
      r.scores[k][i] = s;
    }
    r.axisCorr[k] = PearsonCorrelation(n, r.scores[k], r.fittedScores[k]);
    for (int j = 0; j < q; j++) {
      for (int i = 0; i < n; i++) column[i] = Xc[i][j];
      r.biplotCorr[k][j] = PearsonCorrelation(n, r.fittedScores[k], column.data());
    }
  }
  out = std::move(r);
  return true;
}

// Gower centring and conversion of cross products into squared distances.
#include "ordination/GowerCentring.h"

#include <vector>

namespace {

// Centres the symmetric matrix a (full, n x n) into b; a and b may coincide.
void CentreFull(int n, double** a, double** b) {
  std::vector<double> mean(n, 0.0);
  double grand = 0.0;
  for (int i = 0; i < n; i++) {
    double s = 0.0;
    for (int j = 0; j < n; j++) s += a[i][j];
    mean[i] = s / n;
    grand += s;
  }
  grand /= static_cast<double>(n) * n;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) b[i][j] = -0.5 * (a[i][j] - mean[i] - mean[j] + grand);
}

}  // namespace

void DissToCenterProdMatrix(int n, const double* const* D, double** B, bool squared) {
  if (n <= 0) return;
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) B[i][j] = squared ? D[i][j] : D[i][j] * D[i][j];
  std::vector<double> mean(n, 0.0);
  double grand = 0.0;
  for (int i = 0; i < n; i++) {
    double s = 0.0;
    for (int j = 0; j < i; j++) s += B[j][i];
    for (int j = i; j < n; j++) s += B[i][j];
    mean[i] = s / n;
    grand += s;
  }
  grand /= static_cast<double>(n) * n;
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) B[i][j] = -0.5 * (B[i][j] - mean[i] - mean[j] + grand);
}

void GowerMatrixCentering(int n, const double* const* D, double** B, bool square) {
  if (n <= 0) return;
  for (int i = 0; i < n; i++)
    for (int j = i; j < n; j++) {
      const double a = square ? D[i][j] * D[i][j] : D[i][j];
      B[i][j] = a;
      B[j][i] = a;
    }
  CentreFull(n, B, B);
}

void ProdToSqDist(int n, const double* const* S, double** D) {
  for (int i = 0; i < n; i++) {
    const double sii = S[i][i];
    D[i][i] = 0.0;
    for (int j = i + 1; j < n; j++) D[i][j] = sii + S[j][j] - 2.0 * S[i][j];
  }
}

// The criteria for the number of ordination axes.
#include "simulation/DimensionCriteria.h"

#include <algorithm>

#include "ZQLib/MissingValue.h"
#include "ordination/Bartlett.h"

double BrokenStickShare(int m, int k) {
  if (m < 1 || k < 1 || k > m) return 0.0;
  double sum = 0.0;
  for (int i = m; i >= k; i--) sum += 1.0 / i;  // smallest terms first
  return sum / m;
}

int BrokenStickAxes(int m, const double* eig, int maxAxes) {
  double total = 0.0;
  for (int k = 0; k < m; k++) total += eig[k];
  if (!(total > 0.0)) return 0;
  const int last = std::min(m, maxAxes);
  int kept = 0;
  while (kept < last && eig[kept] / total > BrokenStickShare(m, kept + 1)) kept++;
  return kept;
}

int KaiserGuttmanAxes(int order, int rank, const double* eig, int maxAxes) {
  if (order < 1) return 0;
  double sum = 0.0;
  for (int k = 0; k < order; k++) sum += eig[k];
  const double mean = sum / order;
  const int last = std::min(rank, maxAxes);
  int kept = 0;
  while (kept < last && eig[kept] > mean) kept++;
  return kept;
}

int BartlettAxes(int rank, const double* eig, int n, int p, double alpha, int maxAxes) {
  const int last = std::min(rank, maxAxes);
  int kept = 0;
  while (kept < last && Bartlett_uProb(rank, kept + 1, eig, n, p) <= alpha) kept++;
  return kept;
}

int BootstrapAxes(int nAxes, const double* p, double alpha) {
  int kept = 0;
  while (kept < nAxes && !IsMissing(p[kept]) && p[kept] <= alpha) kept++;
  return kept;
}

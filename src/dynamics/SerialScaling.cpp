// Moving averages over blocks of consecutive units, resemblance between
// variables per block size, and the line predicting block size one.
#include "dynamics/SerialScaling.h"

#include <algorithm>
#include <vector>

#include "ZQLib/MissingValue.h"

int SerialScalingBlockCount(int nObj) { return std::min(nObj > 0 ? 2 * nObj / 5 : 0, 40); }

void MovingAverages(int nObj, int nVar, const double* const* data, int b, double** M) {
  for (int i = 0; i < nObj; i++) {
    const bool block = i + b <= nObj;
    for (int j = 0; j < nVar; j++) {
      if (!block) {
        M[i][j] = 0.0;
        continue;
      }
      double sum = 0.0;
      int present = 0;
      for (int k = i; k < i + b; k++) {
        if (IsMissing(data[k][j])) continue;
        sum += data[k][j];
        present++;
      }
      M[i][j] = present > 0 ? sum / present : MISSING_VALUE;
    }
  }
}

double FittedAtOne(int count, const double* x, const double* y) {
  if (count < 1) return MISSING_VALUE;
  double mx = 0.0, my = 0.0;
  for (int k = 0; k < count; k++) {
    mx += x[k];
    my += y[k];
  }
  mx /= count;
  my /= count;
  double sxx = 0.0, sxy = 0.0;
  for (int k = 0; k < count; k++) {
    sxx += (x[k] - mx) * (x[k] - mx);
    sxy += (x[k] - mx) * (y[k] - my);
  }
  if (sxx == 0.0) return my;
  return my + sxy / sxx * (1.0 - mx);
}

SerialScalingResult CanonicalSerialScalingLib(const ResemblanceChoice& choice, int nObj, int nVar,
                                              const double* const* data, const SerialScalingObserver& observer) {
  SerialScalingResult res;
  res.blocks = SerialScalingBlockCount(nObj);
  res.predicted = Matrix(nVar, nVar);
  const int B = res.blocks;
  if (B < 1) return res;
  // Resemblance of each pair a < c at each block size, pair after pair.
  const size_t pairs = static_cast<size_t>(nVar) * (nVar - 1) / 2;
  std::vector<double> values(pairs * B);
  Matrix averages(nObj, nVar), resemblance(nVar, nVar);
  for (int b = 1; b <= B; b++) {
    MovingAverages(nObj, nVar, data, b, averages.data());
    if (ResemblanceLib(choice, nObj - b + 1, nVar, averages.data(), resemblance.data(), &res.refusal) == 0) {
      res.refused = true;
      res.refusedBlock = b;
      return res;
    }
    if (observer) observer(b, averages, resemblance);
    size_t k = 0;
    for (int a = 0; a < nVar; a++)
      for (int c = a + 1; c < nVar; c++) values[k++ * B + (b - 1)] = resemblance[a][c];
  }
  std::vector<double> x(static_cast<size_t>(B)), y(static_cast<size_t>(B));
  size_t k = 0;
  for (int a = 0; a < nVar; a++)
    for (int c = a + 1; c < nVar; c++) {
      const double* v = values.data() + k++ * B;
      int count = 0;
      for (int b = 1; b <= B; b++) {
        if (IsMissing(v[b - 1])) continue;
        x[count] = b;
        y[count] = v[b - 1];
        count++;
      }
      res.predicted[c][a] = FittedAtOne(count, x.data(), y.data());
    }
  return res;
}

// Renyi entropies and mutual entropies of contingency tables.
#include <cmath>
#include <vector>

#include "resemblance/EntropyCore.h"
#include "resemblance/EntropyMeasures.h"

namespace rsm {

void RenyiSum::Add(double p) {
  if (!(p > 0.0)) return;
  if (alpha == 1.0)
    s -= p * std::log(p);
  else
    s += std::pow(p, alpha);
}

double RenyiSum::Value() const {
  if (alpha == 1.0) return std::fabs(s);
  if (!(s > 0.0)) return 0.0;
  return std::log(s) / (1.0 - alpha);
}

void Margins(int r, int c, const double* const* f, double* rowP, double* colP, double* total) {
  double n = 0.0;
  for (int a = 0; a < r; a++) rowP[a] = 0.0;
  for (int b = 0; b < c; b++) colP[b] = 0.0;
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++) {
      rowP[a] += f[a][b];
      colP[b] += f[a][b];
      n += f[a][b];
    }
  if (n > 0.0) {
    for (int a = 0; a < r; a++) rowP[a] /= n;
    for (int b = 0; b < c; b++) colP[b] /= n;
  }
  *total = n;
}

void Entropies(int r, int c, const double* const* f, double alpha, double* rowP, double* colP, double* hJoint,
               double* hRows, double* hColumns) {
  double n;
  Margins(r, c, f, rowP, colP, &n);
  const double div = n > 0.0 ? n : 1.0;
  RenyiSum joint{alpha}, rows{alpha}, cols{alpha};
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++) joint.Add(f[a][b] / div);
  for (int a = 0; a < r; a++) rows.Add(rowP[a]);
  for (int b = 0; b < c; b++) cols.Add(colP[b]);
  *hJoint = joint.Value();
  *hRows = rows.Value();
  *hColumns = cols.Value();
}

void MutualRajskiCoherence(double hJoint, double hRows, double hColumns, double* mutual,
                           double* rajski, double* coherence) {
  const double i = hRows + hColumns - hJoint;
  // Without joint entropy (both vectors constant, or no attribute in common)
  // there is no association to measure: treated as independence.
  if (i >= 0.0 && hJoint > 0.0) {
    const double d = 1.0 - i / hJoint;
    *mutual = i;
    *rajski = d;
    *coherence = std::sqrt(d * d < 1.0 ? 1.0 - d * d : 0.0);
  } else {
    *mutual = i >= 0.0 ? i : 0.0;
    *rajski = 1.0;
    *coherence = 0.0;
  }
}

double MutualEntropyWork(int r, int c, const double* const* f, double alpha, double* rowP, double* colP) {
  double n;
  Margins(r, c, f, rowP, colP, &n);
  if (!(n > 0.0)) return 0.0;
  double s = 0.0;
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++) {
      const double p = f[a][b] / n;
      if (!(p > 0.0)) continue;
      const double e = rowP[a] * colP[b];
      if (alpha == 1.0)
        s += p * std::log(p / e);
      else
        s += std::pow(p, alpha) / std::pow(e, alpha - 1.0);
    }
  if (alpha == 1.0) return s;
  if (!(s > 0.0)) return 0.0;
  return std::log(s) / (alpha - 1.0);
}

double CoherenceWork(int r, int c, const double* const* f, double alpha, double* rowP, double* colP) {
  double hj, hr, hc, mi, d, coh;
  Entropies(r, c, f, alpha, rowP, colP, &hj, &hr, &hc);
  MutualRajskiCoherence(hj, hr, hc, &mi, &d, &coh);
  return coh;
}

double MutualEntropy3DWork(int r, int c, int l, const double* const* const* f, double alpha, std::vector<double>& w) {
  const size_t need = static_cast<size_t>(r) * c + static_cast<size_t>(r) * l + static_cast<size_t>(c) * l + r + c + l;
  if (w.size() < need) w.resize(need);
  double* pAB = w.data();
  double* pAC = pAB + static_cast<size_t>(r) * c;
  double* pBC = pAC + static_cast<size_t>(r) * l;
  double* pA = pBC + static_cast<size_t>(c) * l;
  double* pB = pA + r;
  double* pC = pB + c;
  for (size_t q = 0; q < need; q++) w[q] = 0.0;
  double n = 0.0;
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++)
      for (int e = 0; e < l; e++) n += f[a][b][e];
  if (!(n > 0.0)) return 0.0;
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++)
      for (int e = 0; e < l; e++) {
        const double p = f[a][b][e] / n;
        pAB[a * c + b] += p;
        pAC[a * l + e] += p;
        pBC[b * l + e] += p;
        pA[a] += p;
        pB[b] += p;
        pC[e] += p;
      }
  double s = 0.0;
  for (int a = 0; a < r; a++)
    for (int b = 0; b < c; b++)
      for (int e = 0; e < l; e++) {
        const double p = f[a][b][e] / n;
        if (!(p > 0.0)) continue;
        const double q = (pAB[a * c + b] * pAC[a * l + e] * pBC[b * l + e]) / (pA[a] * pB[b] * pC[e]);
        if (alpha == 1.0)
          s += p * std::log(p / q);
        else
          s += std::pow(p, alpha) / std::pow(q, alpha - 1.0);
      }
  if (alpha == 1.0) return s;
  if (!(s > 0.0)) return 0.0;
  return std::log(s) / (alpha - 1.0);
}

}  // namespace rsm

double EntropyVector(int n, const double* counts, double alpha) {
  double total = 0.0;
  for (int k = 0; k < n; k++) total += counts[k];
  if (!(total > 0.0)) return 0.0;
  rsm::RenyiSum h{alpha};
  for (int k = 0; k < n; k++) h.Add(counts[k] / total);
  return h.Value();
}

int AlphaSteps(double alphaFrom, double alphaTo, double alphaStep) {
  if (!(alphaStep > 0.0) || !(alphaTo > alphaFrom)) return 1;
  return static_cast<int>(std::floor((alphaTo - alphaFrom) / alphaStep + 1e-9)) + 1;
}

void EntropyMV(int r, int c, const double* const* contingency, double* hJoint, double* hColumns, double* hRows,
               double alphaFrom, double alphaTo, double alphaStep) {
  std::vector<double> rowP(r > 0 ? r : 1), colP(c > 0 ? c : 1);
  const int steps = AlphaSteps(alphaFrom, alphaTo, alphaStep);
  for (int s = 0; s < steps; s++) {
    const double alpha = alphaFrom + s * alphaStep;
    rsm::Entropies(r, c, contingency, alpha, rowP.data(), colP.data(), &hJoint[s], &hRows[s],
                   &hColumns[s]);
  }
}

void Entropy_MV(int r, int c, const double* const* contingency, double* hJoint, double* hColumns, double* hRows,
                double* mutual, double* rajski, double* coherence, double alphaFrom, double alphaTo,
                double alphaStep) {
  EntropyMV(r, c, contingency, hJoint, hColumns, hRows, alphaFrom, alphaTo, alphaStep);
  const int steps = AlphaSteps(alphaFrom, alphaTo, alphaStep);
  for (int s = 0; s < steps; s++)
    rsm::MutualRajskiCoherence(hJoint[s], hRows[s], hColumns[s], &mutual[s], &rajski[s], &coherence[s]);
}

double MutualEntropyMV(int r, int c, const double* const* contingency, double alpha) {
  std::vector<double> rowP(r > 0 ? r : 1), colP(c > 0 ? c : 1);
  return rsm::MutualEntropyWork(r, c, contingency, alpha, rowP.data(), colP.data());
}

double CoheCoefMV(int r, int c, const double* const* contingency, double alpha) {
  std::vector<double> rowP(r > 0 ? r : 1), colP(c > 0 ? c : 1);
  return rsm::CoherenceWork(r, c, contingency, alpha, rowP.data(), colP.data());
}

double MutualEntropy3D_MV(int r, int c, int l, const double* const* const* contingency, double alpha) {
  std::vector<double> w;
  return rsm::MutualEntropy3DWork(r, c, l, contingency, alpha, w);
}

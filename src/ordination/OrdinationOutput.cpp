// Score tables, descriptor-axis correlations and contributions.
#include "ordination/OrdinationOutput.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <vector>

#include "ZQLib/zqlibDim.h"
#include "ordination/ScoreCorrelations.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

constexpr int kAxisNameLen = 20;

int ShownAxes(int rank) { return rank < nMaxDim ? rank : nMaxDim; }

// "Axis k" names (or "Eixo k") of the first m axes, at most 20 characters.
struct AxisNames {
  char** names;
  int m;
  AxisNames(int count, bool english) : names(dimChar2D(count, kAxisNameLen + 1)), m(count) {
    for (int k = 0; k < m; k++) snprintf(names[k], kAxisNameLen + 1, english ? "Axis %d" : "Eixo %d", k + 1);
  }
  ~AxisNames() { freeChar2D(names, m); }
};

// A table of descriptors (rows) by axes (columns): the heading label and
// axis names, then each descriptor label right-aligned to the heading label
// and its values in one column width, that of the widest value of the table
// (an axis name wider than that is printed whole).
void PrintDescriptorTable(FILE* f, int p, int m, double** T, const char* label, char** labels) {
  AxisNames axes(m, eng != 0);
  const int width = GetWidthMax(p, m, T, sDigits);
  const int labelWidth = static_cast<int>(strlen(label));
  fprintf(f, "%s\t", label);
  PrintStringVector(f, m, axes.names, width, 0, nullptr);
  for (int d = 0; d < p; d++) {
    fprintf(f, "%*s\t", labelWidth, labels[d]);
    PrintVector(f, m, T[d], sDigits, width, 0, nullptr);
  }
  fprintf(f, "\n");
}

// For each axis, the descriptors in decreasing absolute correlation (the
// lowest index first among equals), at most 2 nMaxDim of them.
void PrintRankedCorrelations(FILE* f, int p, int m, double** R, char** labels) {
  fprintf(f, port ? "Descritores originais com coeficientes de correlacao mais altos:\n"
                  : "Original descriptors with the highest correlation coefficients:\n");
  // nMaxDim may be any positive int: doubled in 64 bits, it cannot overflow.
  const int listed = static_cast<int>(std::min<long long>(p, 2LL * nMaxDim));
  std::vector<char> taken(p);
  for (int k = 0; k < m; k++) {
    fprintf(f, port ? "Eixo %d:\t" : "Axis %d:\t", k + 1);
    std::fill(taken.begin(), taken.end(), 0);
    for (int pass = 0; pass < listed; pass++) {
      int best = -1;
      for (int d = 0; d < p; d++) {
        if (taken[d]) continue;
        if (best < 0 || std::fabs(R[d][k]) > std::fabs(R[best][k])) best = d;
      }
      taken[best] = 1;
      fprintf(f, "%s:%g\t", labels[best], R[best][k]);
    }
    fprintf(f, "\n");
  }
}

}  // namespace

void PrintScores(FILE* f, int rank, int n, double** scores, const char* label) {
  const int m = ShownAxes(rank);
  fprintf(f, eng ? "\nScores of %s on the first %d components:\n" : "\nEscores de %s nos primeiros %d componentes:\n",
          label, m);
  for (int k = 0; k < m; k++) {
    fprintf(f, eng ? "Axis %2d:\t" : "Eixo %2d:\t", k + 1);
    PrintVectorTab(f, n, scores[k], sDigits, nullptr);
  }
  FILE* s = fopenck("scores.txt", "", "w");
  if (s == nullptr) return;
  for (int j = 0; j < n; j++) {
    for (int k = 0; k < m; k++) fprintf(s, "%g\t", scores[k][j]);
    fprintf(s, "\n");
  }
  fclose(s);
}

void ScoreCorr(FILE* f, int rank, int n, double** scores, double** data, int p, const char* label, int flag,
               char** labels) {
  const int m = ShownAxes(rank);
  if (m <= 0) return;
  double** R = dimDouble2D(p, m);
  ScoreCorrComp(rank, n, scores, data, p, flag, nMaxDim, R);
  PrintDescriptorTable(f, p, m, R, label, labels);
  PrintRankedCorrelations(f, p, m, R, labels);
  freeDouble2D(R, p);
}

void ScoreCorr(FILE* f, int rank, int n, double** scores, double** data, int p, const char* label, int flag,
               char** labels, int ordType, double** rese, double* eig, double** evectors) {
  if (ordType != 2) {
    ScoreCorr(f, rank, n, scores, data, p, label, flag, labels);
    return;
  }
  const int m = ShownAxes(rank);
  if (m <= 0) return;
  double** R = dimDouble2D(p, m);
  ScoreCorrPrincipalComponents(m, p, rese, eig, evectors, R);
  PrintDescriptorTable(f, p, m, R, label, labels);
  PrintRankedCorrelations(f, p, m, R, labels);
  freeDouble2D(R, p);
}

void VarContribution(FILE* f, int rank, int p, double** evectors, double** rese, const char* label, char** labels) {
  const int m = ShownAxes(rank);
  if (m <= 0) return;
  double** C = dimDouble2D(p, m);
  VarContributionComp(m, p, evectors, rese, C);
  PrintDescriptorTable(f, p, m, C, label, labels);
  freeDouble2D(C, p);
}

// The resemblance dispatcher and measure 21.
#include "resemblance/ResemblanceLib.h"

#include <cfloat>
#include <cmath>

#include "ZQLib/Matrix.h"
#include "resemblance/BinaryMeasures.h"
#include "resemblance/EntropyMeasures.h"
#include "resemblance/PairwiseHelpers.h"
#include "resemblance/QuantitativeMeasures.h"

void SecondEigenvaluePairwiseMV(int n, int m, const double* const* table, double** result) {
  Matrix z = CopyOf(n, m, table);
  CenterRowsMV(n, m, z.data(), z.data());
  NormalizeRowsMV(n, m, z.data(), z.data());
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      const double* a = z[i];
      const double* b = z[j];
      double aa = 0.0, ab = 0.0, bb = 0.0;
      for (int k = 0; k < m; k++) {
        if (IsMissing(a[k]) || IsMissing(b[k])) continue;
        aa += a[k] * a[k];
        ab += a[k] * b[k];
        bb += b[k] * b[k];
      }
      // Eigenvalues of [[aa, ab], [ab, bb]]: mean -/+ sqrt(half-difference^2 + ab^2).
      const double mean = 0.5 * (aa + bb), half = 0.5 * (aa - bb);
      result[i][j] = mean - std::sqrt(half * half + ab * ab);
    }
}

namespace {

bool Refuse(ResemblanceRefusal* refusal, const ResemblanceRefusal& why) {
  if (refusal != nullptr) *refusal = why;
  return false;
}

// Mutual information compares frequency profiles: logarithms of negative
// values are undefined.
bool NonNegative(int nObj, int nVar, const double* const* data, ResemblanceRefusal* refusal) {
  ResemblanceRefusal why;
  if (!FindNegativeCell(nObj, nVar, data, &why.cell)) return true;
  why.problem = ResemblanceRefusal::NEGATIVE_VALUE;
  return Refuse(refusal, why);
}

bool MahalanobisComputed(int n, int m, const double* const* t, double** rese, ResemblanceRefusal* refusal) {
  if (Mahalanobis(n, m, t, rese)) return true;
  ResemblanceRefusal why;
  why.entities = n;
  why.attributes = m;
  switch (MahalanobisDefect(n, m, t, &why.attribute)) {
    case CovarianceDefect::TooFewEntities: why.problem = ResemblanceRefusal::TOO_FEW_ENTITIES; break;
    case CovarianceDefect::ConstantAttribute: why.problem = ResemblanceRefusal::CONSTANT_ATTRIBUTE; break;
    default: why.problem = ResemblanceRefusal::COLLINEAR; break;
  }
  return Refuse(refusal, why);
}

}  // namespace

int ResemblanceLib(const ResemblanceChoice& choice, int nObj, int nVar, const double* const* data, double** rese,
                   ResemblanceRefusal* refusal) {
  const int dir = choice.direction, measure = choice.measure, post = choice.post;
  const double alpha = choice.alpha, k = choice.k;
  const int countDoubleAbsence = choice.countDoubleAbsence;
  // The variable types serve only while sampling units are compared and
  // must then cover every variable.
  const int* varType = dir == 1 && static_cast<int>(choice.varType.size()) >= nVar && !choice.varType.empty()
                           ? choice.varType.data()
                           : nullptr;
  if (measure == 4 && !NonNegative(nObj, nVar, data, refusal)) return 0;
  const rsm::EntityTable e(nObj, nVar, data, dir);
  const double* const* t = e.table;
  const int n = e.n, m = e.m;

  switch (measure) {
    case 1: CrossProductMV(n, m, t, rese); break;
    case 2: AbsValFunctionMV(n, m, t, rese); break;
    case 3: EucliDistMV(n, m, t, rese); break;
    case 4: MutualInformationMV(n, m, t, rese); break;
    case 5: GowerMVOpt(n, m, varType, t, rese, nullptr, nullptr, countDoubleAbsence); break;
    case 6: MDISMV(n, m, t, rese); break;
    case 7: MutualEntropyPairwiseMV(n, m, t, rese, alpha); break;
    case 8:
      CoheCoefPairwiseMV(n, m, t, rese, alpha);
      for (int i = 0; i < n; i++)
        for (int j = i; j < n; j++) {
          const double c = rese[i][j];
          rese[i][j] = std::sqrt(c * c < 1.0 ? 1.0 - c * c : 0.0);
        }
      break;
    case 9: CoheCoefPairwiseMV(n, m, t, rese, alpha); break;
    case 10: QuiSquareMV(n, m, t, rese); break;
    case 11: Jaccard(n, m, t, rese); break;
    case 12: SimpleMatching(n, m, t, rese); break;
    case 13: SokalMichener(n, m, t, rese); break;
    case 14: Ochiai(n, m, t, rese); break;
    case 15: Sorensen(n, m, t, rese); break;
    case 16: MeanSquareContingency(n, m, t, rese); break;
    case 17: CorrelationMV(n, m, t, rese); break;
    case 18: ChordDistMV(n, m, t, rese); break;
    case 19:
      // k in single precision; a value beyond the float range (only the settings
      // dialogue accepts one) becomes the largest float rather than overflow.
      LegendreChodorowski(n, m, t, rese, nullptr, k < FLT_MAX ? static_cast<float>(k) : FLT_MAX);
      break;
    case 20: BrayCurtisMV(n, m, t, rese); break;
    case 21: SecondEigenvaluePairwiseMV(n, m, t, rese); break;
    case 22: CovarianceMV(n, m, t, rese); break;
    case 23: JaccardDissimilarity(n, m, t, rese); break;
    case 24: JaccardTurnover(n, m, t, rese); break;
    case 25: JaccardNestedness(n, m, t, rese); break;
    case 26: SorensenDissimilarity(n, m, t, rese); break;
    case 27: SorensenTurnover(n, m, t, rese); break;
    case 28: SorensenNestedness(n, m, t, rese); break;
    case 29:
      if (!MahalanobisComputed(n, m, t, rese, refusal)) return 0;
      break;
    default: break;
  }


  // An undefined value (the missing code) stays undefined.
  if (post == 1 || post == 2)
    for (int i = 0; i < n; i++)
      for (int j = i; j < n; j++)
        if (!IsMissing(rese[i][j])) rese[i][j] = post == 1 ? rese[i][j] * rese[i][j] : std::sqrt(rese[i][j]);
  // These routines already leave both triangles equal; mirroring again
  // would only cost a pass over a large matrix.
  const bool symmetric = post == 0 && (measure == 1 || measure == 3 || measure == 5 || measure == 17 ||
                                       measure == 18 || measure == 22);
  if (!symmetric) rsm::MirrorUpper(n, rese);
  if (rsm::TableHasMissing(n, m, t)) rsm::MarkPairsWithoutCommonAttributes(n, m, t, rese);
  return 1;
}

int ResemblanceLib(int nObj, int nVar, const double* const* data, double** rese, int dir, int measure, int post,
                   const int* varType, double alpha, double k, int countDoubleAbsence, ResemblanceRefusal* refusal) {
  ResemblanceChoice c;
  c.direction = dir;
  c.measure = measure;
  c.post = post;
  c.alpha = alpha;
  c.k = k;
  c.countDoubleAbsence = countDoubleAbsence;
  if (varType != nullptr && nVar > 0) c.varType.assign(varType, varType + nVar);
  return ResemblanceLib(c, nObj, nVar, data, rese, refusal);
}

int ResemblanceLib(int nObj, int nVar, const double* const* data, double** rese, int dir, int measure,
                   const int* varType, double alpha, double k, int countDoubleAbsence) {
  return ResemblanceLib(nObj, nVar, data, rese, dir, measure, 0, varType, alpha, k, countDoubleAbsence, nullptr);
}

int ResemblanceLibTriplets(int nObj, int nVar, const double* const* data, double*** rese3, int dir, int measure,
                           const int* varType, double alpha) {
  if (measure != 7) return 0;
  const rsm::EntityTable e(nObj, nVar, data, dir);
  MutualEntropyTripletsMV(e.n, e.m, e.table, rese3, alpha);
  return 1;
}

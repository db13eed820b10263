// Resemblance measures for quantitative and mixed data. Every routine compares
// the n rows (entities) of an n x m table over its m columns (attributes) and
// writes at least the entries result[i][j], j >= i, of a caller-allocated
// n x n matrix. Cells equal to -999.0 are missing: sums run over the
// attributes where both entities are present.
#pragma once

void CrossProductMV(int n, int m, const double* const* table, double** result);     // 1
void AbsValFunctionMV(int n, int m, const double* const* table, double** result);   // 2
void EucliDistMV(int n, int m, const double* const* table, double** result);        // 3, parallel
// 5. varType per attribute: 1 binary, 2 nominal, 3 quantitative, 4 ordinal.
// ranges and weights may be null (ranges from the data, weights 1).
void GowerMVOpt(int n, int m, const int* varType, const double* const* table, double** result, const double* ranges,
                const double* weights, int countDoubleAbsence);
void CorrelationMV(int n, int m, const double* const* table, double** result);      // 17
void ChordDistMV(int n, int m, const double* const* table, double** result);        // 18
// 19. weights may be null (all 1).
void LegendreChodorowski(int n, int m, const double* const* table, double** result, const double* weights, double k);
void BrayCurtisMV(int n, int m, const double* const* table, double** result);       // 20
void CovarianceMV(int n, int m, const double* const* table, double** result);       // 22
// 29. False, result untouched, when the covariance matrix of the attributes
// is singular: no more entities than attributes, an attribute without
// variance, or attributes that are linear combinations of others.
bool Mahalanobis(int n, int m, const double* const* table, double** result);

// Why the covariance matrix of the m attributes of an n x m table cannot be
// inverted (None when it can). *attribute receives the first attribute
// without variance.
enum class CovarianceDefect { None, TooFewEntities, ConstantAttribute, Collinear };
CovarianceDefect MahalanobisDefect(int n, int m, const double* const* table, int* attribute);

// Zero-filled multi-dimensional arrays built from row pointers, the text
// printers of vectors and matrices, and small comparison and counting
// utilities used everywhere in the program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Printing settings.
extern int maxColsPrint;  // width after which a printed row continues on a new line
extern int sDigits;       // significant digits used by most callers (preference)

// Arrays: allocated zero-filled; released with the free routine of the same
// rank. Throw std::bad_alloc when the memory is not there.
void* dim1D(size_t elemSize, int n);
void** dim2D(size_t elemSize, int n1, int n2);
void*** dim3D(size_t elemSize, int n1, int n2, int n3);
void**** dim4D(size_t elemSize, int n1, int n2, int n3, int n4);
void free1D(void* p);
void free2D(void** p, int n1);
void free3D(void*** p, int n1, int n2);
void free4D(void**** p, int n1, int n2, int n3);

// Typed conveniences over dim1D/dim2D.
inline double* dimDouble1D(int n) { return static_cast<double*>(dim1D(sizeof(double), n)); }
inline int* dimInt1D(int n) { return static_cast<int*>(dim1D(sizeof(int), n)); }
inline double** dimDouble2D(int n1, int n2) { return reinterpret_cast<double**>(dim2D(sizeof(double), n1, n2)); }
inline int** dimInt2D(int n1, int n2) { return reinterpret_cast<int**>(dim2D(sizeof(int), n1, n2)); }
inline char** dimChar2D(int n1, int n2) { return reinterpret_cast<char**>(dim2D(sizeof(char), n1, n2)); }
inline void freeDouble2D(double** p, int n1) { free2D(reinterpret_cast<void**>(p), n1); }
inline void freeInt2D(int** p, int n1) { free2D(reinterpret_cast<void**>(p), n1); }
inline void freeChar2D(char** p, int n1) { free2D(reinterpret_cast<void**>(p), n1); }

// Offset-index vectors: valid indices lo..hi.
int* ivector(long lo, long hi);
void free_ivector(int* v, long lo);
int64_t* lvector(long lo, long hi);
void free_lvector(int64_t* v, long lo);

// Printers. "digits" is the number of significant digits of %g; width 0 = automatic.
int PrintMatrix(FILE* f, int rows, int cols, double** m, int digits, int width);
int PrintMatrixFloat(FILE* f, int rows, int cols, double** m, int digits, int width);
int PrintHalfMatrix(FILE* f, int n, double** m, int digits, int offset);
int PrintLowerHalfMatrix(FILE* f, int n, double** m, int digits, int width);
void PrintLowerHalfMatrixTab(FILE* f, int n, double** m, int digits);
void PrintLowerHalfMatrixTab(FILE* f, int n, int** m);
void PrintMatrixTab(FILE* f, int rows, int cols, double** m, int digits);
void PrintMatrixTab(FILE* f, int rows, int cols, int64_t** m);
// order: 1-based positions, or null for natural order.
void PrintVector(FILE* f, int n, const double* v, int digits, int width, int indent, const int* order);
void PrintVectorTab(FILE* f, int n, const double* v, int digits, const int* order);
void PrintVectorTab(FILE* f, int n, const int* v, const int* order);
void PrintStringVector(FILE* f, int n, char** s, int width, int indent, const int* order);
void PrintStringVectorTab(FILE* f, int n, char** s, const int* order);
void PrintHalfMatrix_ff(FILE* f, int n, double** m, int offset);
int GetWidthMax(int rows, int cols, double** m, int digits);

// Utilities.
bool AlmostEqual2sComplement(double a, double b, int maxUlps);
inline double Fmax(double a, double b) { return a > b ? a : b; }
inline double Fmin(double a, double b) { return a < b ? a : b; }
inline int Fmax(int a, int b) { return a > b ? a : b; }
inline int Fmin(int a, int b) { return a < b ? a : b; }
long double Factorial(int n);
int CountStates(int n, const double* x);
int CountStates(int n, const double* x, int* states);
int compareInt(const void* a, const void* b);
int compareDouble(const void* a, const void* b);
int compareDoubleDecreasing(const void* a, const void* b);

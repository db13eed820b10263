// Text printers of vectors and matrices: aligned columns for the results
// file, tab-separated forms for spreadsheets, and the one-value-per-line form
// of the session track.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "ZQLib/zqlibDim.h"

namespace {

int RenderedLength(double x, int digits) { return std::snprintf(nullptr, 0, "%.*g", digits, x); }

// Running count of the characters on a printed line; a row that grows past
// maxColsPrint continues on a new line that starts with `lead` blanks and a tab.
struct LineCounter {
  int count;
  int reset;
  void Before(FILE* f, int w, int lead) {
    if (count > maxColsPrint) {
      std::fprintf(f, "\n%*s\t", lead, "");
      count = reset;
    }
    count += w + 1;
  }
};

int ResolveWidth(int width, int rows, int cols, double** m, int digits) {
  return width != 0 ? width : GetWidthMax(rows, cols, m, digits);
}

int PrintAligned(FILE* f, int rows, int cols, double** m, int digits, int width) {
  int w = ResolveWidth(width, rows, cols, m, digits);
  for (int i = 0; i < rows; i++) {
    LineCounter c{0, 0};
    for (int j = 0; j < cols; j++) {
      c.Before(f, w, w);
      std::fprintf(f, "%*.*g\t", w, digits, m[i][j]);
    }
    std::fputc('\n', f);
  }
  return w;
}

inline int At(const int* order, int k) { return order != nullptr ? order[k] - 1 : k; }

}  // namespace

int GetWidthMax(int rows, int cols, double** m, int digits) {
  int w = 0;
  for (int i = 0; i < rows; i++)
    for (int j = 0; j < cols; j++) {
      int len = RenderedLength(m[i][j], digits);
      if (len > w) w = len;
    }
  return w;
}

int PrintMatrix(FILE* f, int rows, int cols, double** m, int digits, int width) {
  return PrintAligned(f, rows, cols, m, digits, width);
}

int PrintMatrixFloat(FILE* f, int rows, int cols, double** m, int digits, int width) {
  return PrintAligned(f, rows, cols, m, digits, width);
}

int PrintHalfMatrix(FILE* f, int n, double** m, int digits, int offset) {
  int w = GetWidthMax(n, n, m, digits);
  for (int i = 0; i < n - offset; i++) {
    LineCounter c{0, 0};
    for (int j = 0; j < n; j++) {
      c.Before(f, w, w);
      if (j < i + offset)
        std::fprintf(f, "%*s\t", w, "");
      else
        std::fprintf(f, "%*.*g\t", w, digits, m[i][j]);
    }
    std::fputc('\n', f);
  }
  return w;
}

int PrintLowerHalfMatrix(FILE* f, int n, double** m, int digits, int width) {
  int w = ResolveWidth(width, n, n, m, digits);
  for (int i = 0; i < n; i++) {
    LineCounter c{0, 0};
    for (int j = 0; j <= i; j++) {
      c.Before(f, w, w);
      std::fprintf(f, "%*.*g\t", w, digits, m[i][j]);
    }
    std::fputc('\n', f);
  }
  return w;
}

void PrintLowerHalfMatrixTab(FILE* f, int n, double** m, int digits) {
  for (int i = 0; i < n; i++) {
    for (int j = 0; j <= i; j++) std::fprintf(f, "%.*g\t", digits, m[i][j]);
    std::fputc('\n', f);
  }
}

void PrintLowerHalfMatrixTab(FILE* f, int n, int** m) {
  for (int i = 0; i < n; i++) {
    for (int j = 0; j <= i; j++) std::fprintf(f, "%d\t", m[i][j]);
    std::fputc('\n', f);
  }
}

void PrintMatrixTab(FILE* f, int rows, int cols, double** m, int digits) {
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) std::fprintf(f, "%.*g\t", digits, m[i][j]);
    std::fputc('\n', f);
  }
}

void PrintMatrixTab(FILE* f, int rows, int cols, int64_t** m) {
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) std::fprintf(f, "%" PRId64 "\t", m[i][j]);
    std::fputc('\n', f);
  }
}

void PrintVector(FILE* f, int n, const double* v, int digits, int width, int indent, const int* order) {
  int w = width;
  if (w == 0)
    for (int k = 0; k < n; k++) {
      int len = RenderedLength(v[At(order, k)], digits);
      if (len > w) w = len;
    }
  LineCounter c{indent, indent};
  for (int k = 0; k < n; k++) {
    c.Before(f, w, indent);
    std::fprintf(f, "%*.*g\t", w, digits, v[At(order, k)]);
  }
  std::fputc('\n', f);
}

void PrintVectorTab(FILE* f, int n, const double* v, int digits, const int* order) {
  for (int k = 0; k < n; k++) std::fprintf(f, "%.*g\t", digits, v[At(order, k)]);
  std::fputc('\n', f);
}

void PrintVectorTab(FILE* f, int n, const int* v, const int* order) {
  for (int k = 0; k < n; k++) std::fprintf(f, "%d\t", v[At(order, k)]);
  std::fputc('\n', f);
}

void PrintStringVector(FILE* f, int n, char** s, int width, int indent, const int* order) {
  int w = width;
  if (w == 0)
    for (int k = 0; k < n; k++) {
      int len = static_cast<int>(std::strlen(s[At(order, k)]));
      if (len > w) w = len;
    }
  LineCounter c{indent, indent};
  for (int k = 0; k < n; k++) {
    c.Before(f, w, indent);
    std::fprintf(f, "%*s\t", w, s[At(order, k)]);
  }
  std::fputc('\n', f);
}

void PrintStringVectorTab(FILE* f, int n, char** s, const int* order) {
  for (int k = 0; k < n; k++) std::fprintf(f, "%s\t", s[At(order, k)]);
  std::fputc('\n', f);
}

void PrintHalfMatrix_ff(FILE* f, int n, double** m, int offset) {
  for (int i = 0; i < n; i++)
    for (int j = i + offset; j < n; j++) std::fprintf(f, "%g\n", m[i][j]);
}

// Zero-filled arrays of one to four dimensions built from row pointers, and
// the offset-index vectors of the rank and code-length routines.
#include "ZQLib/zqlibDim.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int maxColsPrint = 10000;
int sDigits = 5;

namespace {

// The runtime could not deliver the memory: tell the user and leave.
[[noreturn]] void OutOfMemory() {
  std::fputs("\nOUT OF MEMORY !!!\n", stderr);
  std::fputs("\nPress RETURN to exit.\n", stderr);
  std::fputc('\a', stdout);
  std::fflush(stdout);
  int c;
  do {
    c = std::getchar();
  } while (c != '\n' && c != EOF);
  std::exit(1);
}

// Table of n row pointers.
void** dimPointers(int n) { return static_cast<void**>(dim1D(sizeof(void*), n)); }

}  // namespace

void* dim1D(size_t elemSize, int n) {
  // A negative extent or a size that does not fit in size_t cannot be
  // requested: it is reported as "no memory" (code 1).
  if (n < 0 || (elemSize != 0 && static_cast<size_t>(n) > SIZE_MAX / elemSize)) {
    std::fputc('\a', stdout);
    std::fflush(stdout);
    throw 1;
  }
  size_t count = static_cast<size_t>(n);
  size_t size = elemSize;
  if (count == 0 || size == 0) {  // empty block, but a real one
    count = 1;
    size = 1;
  }
  void* p = std::calloc(count, size);
  if (p == nullptr) OutOfMemory();
  return p;
}

void** dim2D(size_t elemSize, int n1, int n2) {
  void** p = dimPointers(n1);
  for (int i = 0; i < n1; i++) p[i] = dim1D(elemSize, n2);
  return p;
}

void*** dim3D(size_t elemSize, int n1, int n2, int n3) {
  void*** p = reinterpret_cast<void***>(dimPointers(n1));
  for (int i = 0; i < n1; i++) p[i] = dim2D(elemSize, n2, n3);
  return p;
}

void**** dim4D(size_t elemSize, int n1, int n2, int n3, int n4) {
  void**** p = reinterpret_cast<void****>(dimPointers(n1));
  for (int i = 0; i < n1; i++) p[i] = dim3D(elemSize, n2, n3, n4);
  return p;
}

void free1D(void* p) {
  if (p != nullptr) std::free(p);
}

void free2D(void** p, int n1) {
  if (p == nullptr) return;
  for (int i = 0; i < n1; i++) free1D(p[i]);
  free1D(p);
}

void free3D(void*** p, int n1, int n2) {
  if (p == nullptr) return;
  for (int i = 0; i < n1; i++) free2D(p[i], n2);
  free1D(p);
}

void free4D(void**** p, int n1, int n2, int n3) {
  if (p == nullptr) return;
  for (int i = 0; i < n1; i++) free3D(p[i], n2, n3);
  free1D(p);
}

void nrerror(const char* text) {
  std::fprintf(stderr, "%s\n", text);
  std::fputs("Sorry, you have to quit and restart the program.\n", stderr);
  std::exit(1);
}

// Offset-index vectors: hi - lo + 2 elements, the returned pointer placed so
// that index lo addresses the second one. The address is formed through
// integers because it may lie outside the block.
int* ivector(long lo, long hi) {
  long n = hi - lo + 2;
  int* v = n > 0 ? static_cast<int*>(std::calloc(static_cast<size_t>(n), sizeof(int))) : nullptr;
  if (v == nullptr) nrerror("allocation failure in ivector()");
  return reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(v) + (1 - lo) * static_cast<intptr_t>(sizeof(int)));
}

void free_ivector(int* v, long lo) {
  std::free(reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(v) + (lo - 1) * static_cast<intptr_t>(sizeof(int))));
}

int64_t* lvector(long lo, long hi) {
  long n = hi - lo + 2;
  int64_t* v = n > 0 ? static_cast<int64_t*>(std::calloc(static_cast<size_t>(n), sizeof(int64_t))) : nullptr;
  if (v == nullptr) nrerror("allocation failure in lvector()");
  return reinterpret_cast<int64_t*>(reinterpret_cast<uintptr_t>(v) +
                                    (1 - lo) * static_cast<intptr_t>(sizeof(int64_t)));
}

void free_lvector(int64_t* v, long lo) {
  std::free(reinterpret_cast<int64_t*>(reinterpret_cast<uintptr_t>(v) +
                                       (lo - 1) * static_cast<intptr_t>(sizeof(int64_t))));
}

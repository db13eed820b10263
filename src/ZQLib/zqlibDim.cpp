// Zero-filled arrays of one to four dimensions built from row pointers, and
// the offset-index vectors of the rank and code-length routines. Memory that
// cannot be had is reported by throwing std::bad_alloc, which the menu routine
// (or, failing that, the error barrier) reports; nothing here prints or ends
// the program.
#include "ZQLib/zqlibDim.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

int maxColsPrint = 10000;
int sDigits = 5;

namespace {

// Table of n row pointers.
void** dimPointers(int n) { return static_cast<void**>(dim1D(sizeof(void*), n)); }

}  // namespace

void* dim1D(size_t elemSize, int n) {
  // A negative extent or a size that does not fit in size_t cannot be
  // requested: it is reported as no memory.
  if (n < 0 || (elemSize != 0 && static_cast<size_t>(n) > SIZE_MAX / elemSize)) throw std::bad_alloc();
  size_t count = static_cast<size_t>(n);
  size_t size = elemSize;
  if (count == 0 || size == 0) {  // empty block, but a real one
    count = 1;
    size = 1;
  }
  void* p = std::calloc(count, size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

// Each rank fills its table of pointers row by row; when a row cannot be
// allocated, the rows already made are released before the failure passes on.
void** dim2D(size_t elemSize, int n1, int n2) {
  void** p = dimPointers(n1);
  for (int i = 0; i < n1; i++) {
    try {
      p[i] = dim1D(elemSize, n2);
    } catch (...) {
      free2D(p, i);
      throw;
    }
  }
  return p;
}

void*** dim3D(size_t elemSize, int n1, int n2, int n3) {
  void*** p = reinterpret_cast<void***>(dimPointers(n1));
  for (int i = 0; i < n1; i++) {
    try {
      p[i] = dim2D(elemSize, n2, n3);
    } catch (...) {
      free3D(p, i, n2);
      throw;
    }
  }
  return p;
}

void**** dim4D(size_t elemSize, int n1, int n2, int n3, int n4) {
  void**** p = reinterpret_cast<void****>(dimPointers(n1));
  for (int i = 0; i < n1; i++) {
    try {
      p[i] = dim3D(elemSize, n2, n3, n4);
    } catch (...) {
      free4D(p, i, n2, n3);
      throw;
    }
  }
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

// Offset-index vectors: hi - lo + 2 elements, the returned pointer placed so
// that index lo addresses the second one. The address is formed through
// integers because it may lie outside the block.
int* ivector(long lo, long hi) {
  long n = hi - lo + 2;
  int* v = n > 0 ? static_cast<int*>(std::calloc(static_cast<size_t>(n), sizeof(int))) : nullptr;
  if (v == nullptr) throw std::bad_alloc();
  return reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(v) + (1 - lo) * static_cast<intptr_t>(sizeof(int)));
}

void free_ivector(int* v, long lo) {
  std::free(reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(v) + (lo - 1) * static_cast<intptr_t>(sizeof(int))));
}

int64_t* lvector(long lo, long hi) {
  long n = hi - lo + 2;
  int64_t* v = n > 0 ? static_cast<int64_t*>(std::calloc(static_cast<size_t>(n), sizeof(int64_t))) : nullptr;
  if (v == nullptr) throw std::bad_alloc();
  return reinterpret_cast<int64_t*>(reinterpret_cast<uintptr_t>(v) +
                                    (1 - lo) * static_cast<intptr_t>(sizeof(int64_t)));
}

void free_lvector(int64_t* v, long lo) {
  std::free(reinterpret_cast<int64_t*>(reinterpret_cast<uintptr_t>(v) +
                                       (lo - 1) * static_cast<intptr_t>(sizeof(int64_t))));
}

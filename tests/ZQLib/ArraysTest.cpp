// Zero-filled arrays of rank 1 to 4 and the offset-index vectors.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "ZQLib/zqlibDim.h"

TEST(Arrays, ZeroExtentsGiveEmptyButValidBlocks) {
  void** p = dim2D(8, 3, 0);
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 3; i++) EXPECT_NE(p[i], nullptr);
  free2D(p, 3);
  void** q = dim2D(8, 0, 5);
  EXPECT_NE(q, nullptr);
  free2D(q, 0);
  void* empty = dim1D(4, 0);
  EXPECT_NE(empty, nullptr);
  free1D(empty);
}

TEST(Arrays, ZeroFilledIndependentElementsAtEveryRank) {
  int** m = dimInt2D(4, 3);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 3; j++) {
      EXPECT_EQ(m[i][j], 0);
      m[i][j] = 10 * i + j;
    }
  EXPECT_EQ(m[3][2] + m[0][2], 34);
  freeInt2D(m, 4);
  double*** a = reinterpret_cast<double***>(dim3D(sizeof(double), 2, 3, 4));
  double**** b = reinterpret_cast<double****>(dim4D(sizeof(double), 2, 2, 3, 2));
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 3; j++)
      for (int k = 0; k < 4; k++) {
        EXPECT_EQ(a[i][j][k], 0.0);
        a[i][j][k] = i + j + k;
      }
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++)
      for (int k = 0; k < 3; k++)
        for (int l = 0; l < 2; l++) {
          EXPECT_EQ(b[i][j][k][l], 0.0);
          b[i][j][k][l] = 1;
        }
  EXPECT_EQ(a[1][2][3], 6.0);
  free3D(reinterpret_cast<void***>(a), 2, 3);
  free4D(reinterpret_cast<void****>(b), 2, 2, 3);
}

TEST(Arrays, ImpossibleExtentIsNoMemory) {
  EXPECT_THROW(dim1D(8, -1), std::bad_alloc);
  EXPECT_THROW(dim2D(8, 2, -1), std::bad_alloc);
}

TEST(OffsetVectors, IndicesRunFromLowToHigh) {
  int* v = ivector(3, 7);
  for (long i = 3; i <= 7; i++) {
    EXPECT_EQ(v[i], 0);
    v[i] = static_cast<int>(i * i);
  }
  EXPECT_EQ(v[7], 49);
  free_ivector(v, 3);
  int64_t* w = lvector(0, 4);
  for (long i = 0; i <= 4; i++) w[i] = INT64_C(1) << (40 + i);
  EXPECT_EQ(w[4], INT64_C(1) << 44);
  free_lvector(w, 0);
  int* one = ivector(1, 1);
  one[1] = 5;
  free_ivector(one, 1);
}

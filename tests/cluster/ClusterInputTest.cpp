// Preparation of the resemblance matrix: kind of measure and squared values.
#include <gtest/gtest.h>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

TEST(ClusterInput, DissimilarityMeasures) {
  for (int m : {2, 3, 4, 8, 18, 20, 21, 22, 23, 29}) EXPECT_TRUE(ClusterMeasureIsDissim(m)) << m;
  for (int m : {1, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19}) EXPECT_FALSE(ClusterMeasureIsDissim(m)) << m;
}

TEST(ClusterInput, SquareSqMatrixSquaresTheUpperTriangleIntoBothHalves) {
  clustertest::Matrix a(3, {1, -2, 3,  //
                            9, 4, -0.5,  //
                            9, 9, 2});
  SquareSqMatrix(3, a.get(), a.get());
  EXPECT_EQ(a.store, (std::vector<double>{1, 4, 9, 4, 16, 0.25, 9, 0.25, 4}));
}

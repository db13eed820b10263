// Preparation of the resemblance matrix: squared correlations.
#include <gtest/gtest.h>

#include "cluster/ClusterMethods.h"
#include "cluster/ClusterTestSupport.h"

TEST(ClusterInput, SquareSqMatrixSquaresTheUpperTriangleIntoBothHalves) {
  clustertest::Matrix a(3, {1, -2, 3,  //
                            9, 4, -0.5,  //
                            9, 9, 2});
  SquareSqMatrix(3, a.get(), a.get());
  EXPECT_EQ(a.store, (std::vector<double>{1, 4, 9, 4, 16, 0.25, 9, 0.25, 4}));
}

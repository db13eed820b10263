// The dispatcher: direction, measure numbers, post-transformations, mirroring
// and the contingency-table side files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "TableFixture.h"
#include "resemblance/ResemblanceLib.h"

namespace {

// Rows (1,2,3), (4,6,8), (3,2,1), (1,3,2) of three attributes.
struct Small : Table {
  Small() : Table{{1, 2, 3}, {4, 6, 8}, {3, 2, 1}, {1, 3, 2}} {}
};

TEST(ResemblanceLib, UnitsEuclideanSymmetric) {
  Small t;
  Square r(4);
  EXPECT_EQ(ResemblanceLib(4, 3, *t, *r, 1, 3, nullptr, 1.0, 0.0, 0, false), 1);
  EXPECT_DOUBLE_EQ(r[0][1], std::sqrt(50.0));
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(r[i][j], r[j][i]);
}

TEST(ResemblanceLib, VariablesAreComparedOverTheUnitsAndDataStay) {
  // Columns: (1,4,3,1), (2,6,2,3), (3,8,1,2).
  Small t;
  Square r(3);
  ResemblanceLib(4, 3, *t, *r, 2, 3, nullptr, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], std::sqrt(1.0 + 4.0 + 1.0 + 4.0));
  EXPECT_DOUBLE_EQ(r[0][2], std::sqrt(4.0 + 16.0 + 4.0 + 1.0));
  EXPECT_EQ(t[1][2], 8.0);
  EXPECT_EQ(t[3][0], 1.0);
  // Correlation between variables 1 and 2: deviations (-1.25,1.75,.75,-1.25), (-1.25,2.75,-1.25,-.25).
  ResemblanceLib(4, 3, *t, *r, 2, 17, nullptr, 1.0, 0.0, 0, false);
  const double sxy = 1.5625 + 4.8125 - 0.9375 + 0.3125;
  const double sxx = 1.5625 + 3.0625 + 0.5625 + 1.5625, syy = 1.5625 + 7.5625 + 1.5625 + 0.0625;
  EXPECT_NEAR(r[0][1], sxy / std::sqrt(sxx * syy), 1e-14);
  EXPECT_NEAR(r[1][0], r[0][1], 0.0);
}

TEST(ResemblanceLib, PostTransformations) {
  Small t;
  Square r(4);
  ResemblanceLib(4, 3, *t, *r, 1, 3, 1, nullptr, 1.0, 0.0, 0, false);
  EXPECT_NEAR(r[0][1], 50.0, 1e-12);
  EXPECT_NEAR(r[1][0], 50.0, 1e-12);
  ResemblanceLib(4, 3, *t, *r, 1, 3, 2, nullptr, 1.0, 0.0, 0, false);
  EXPECT_NEAR(r[0][1], std::pow(50.0, 0.25), 1e-12);
  // Square root of a negative correlation: NaN, as documented for this option.
  ResemblanceLib(4, 3, *t, *r, 1, 17, 2, nullptr, 1.0, 0.0, 0, false);
  EXPECT_TRUE(std::isnan(r[0][2]));
  EXPECT_NEAR(r[0][3], std::sqrt(0.5), 1e-14);
}

TEST(ResemblanceLib, SecondEigenvalueIsOneMinusAbsoluteCorrelation) {
  Small t;
  Square r(4);
  ResemblanceLib(4, 3, *t, *r, 1, 21, nullptr, 1.0, 0.0, 0, false);
  EXPECT_NEAR(r[0][1], 0.0, 1e-14);
  EXPECT_NEAR(r[0][2], 0.0, 1e-14);
  EXPECT_NEAR(r[0][3], 0.5, 1e-14);
  EXPECT_NEAR(r[3][0], 0.5, 1e-14);
  for (int i = 0; i < 4; i++) EXPECT_EQ(r[i][i], 0.0);
}

TEST(ResemblanceLib, RajskiFromCoherence) {
  Table t{{1, 1, 2, 2}, {1, 1, 2, 2}, {1, 2, 1, 2}};
  Square r(3);
  ResemblanceLib(3, 4, *t, *r, 1, 8, nullptr, 1.0, 0.0, 0, false);
  EXPECT_NEAR(r[0][1], 0.0, 1e-7);
  EXPECT_NEAR(r[0][2], 1.0, 1e-14);
  ResemblanceLib(3, 4, *t, *r, 1, 9, nullptr, 1.0, 0.0, 0, false);
  EXPECT_NEAR(r[0][1], 1.0, 1e-14);
  EXPECT_NEAR(r[2][0], 0.0, 1e-7);
}

TEST(ResemblanceLib, EveryMeasureNumberReachesItsRoutine) {
  // Binary table, so that every measure has a defined value.
  Table t{{1, 1, 0, 1}, {1, 0, 0, 1}, {0, 1, 1, 0}};
  int types[4] = {1, 1, 1, 1};
  Square r(3);
  ResemblanceLib(3, 4, *t, *r, 1, 11, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], 2.0 / 3.0);
  ResemblanceLib(3, 4, *t, *r, 1, 15, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], 4.0 / 5.0);
  ResemblanceLib(3, 4, *t, *r, 1, 26, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0 / 5.0);
  ResemblanceLib(3, 4, *t, *r, 1, 5, types, 1.0, 0.0, 1, false);
  EXPECT_DOUBLE_EQ(r[0][1], 3.0 / 4.0);
  ResemblanceLib(3, 4, *t, *r, 1, 5, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], 2.0 / 3.0);
  ResemblanceLib(3, 4, *t, *r, 1, 20, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], 1.0 / 5.0);
  // Legendre & Chodorowski with k = 0: equal positive values score 1.
  ResemblanceLib(3, 4, *t, *r, 1, 19, types, 1.0, 0.0, 0, false);
  EXPECT_DOUBLE_EQ(r[0][1], static_cast<float>(2.0 / 3.0));
  EXPECT_EQ(r[0][0], 1.0);
}

TEST(ResemblanceLib, MeasureOutOfRangeLeavesTheMatrix) {
  Small t;
  Square r(4);
  r[0][1] = 7.0;
  ResemblanceLib(4, 3, *t, *r, 1, 30, 1, nullptr, 1.0, 0.0, 0, false);
  EXPECT_EQ(r[0][1], 49.0);
  EXPECT_EQ(r[1][0], 49.0);
  EXPECT_EQ(r[2][3], 0.0);
}

TEST(ResemblanceLib, TripletsOnlyForMutualEntropy) {
  Table t{{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};  // variables x, y, x xor y
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  EXPECT_EQ(ResemblanceLibTriplets(4, 3, *t, r3, 2, 7, nullptr, 1.0, false), 1);
  EXPECT_NEAR(r3[0][1][2], std::log(2.0), 1e-14);
  EXPECT_NEAR(r3[2][0][1], std::log(2.0), 1e-14);
  EXPECT_EQ(ResemblanceLibTriplets(4, 3, *t, r3, 2, 9, nullptr, 1.0, false), 0);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
}

std::string ReadFile(const std::string& name) {
  std::ifstream f(name);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(ResemblanceLib, TablesFiles) {
  char tmpl[] = "/tmp/reseTablesXXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(tmpl), 0);
  Table t{{1, 1, 2}, {1, 2, 2}};
  Square r(2);
  ResemblanceLib(2, 3, *t, *r, 1, 10, nullptr, 1.0, 0.0, 0, true);
  const std::string tables = ReadFile("Tables.txt");
  EXPECT_NE(tables.find("\nContingency table var.1 x var.2:\nRow states (2): 1\t2\t\nColumn states (2): 1\t2\t\n"),
            std::string::npos);
  EXPECT_NE(tables.find("\nContingency table var.1 x var.1:\n"), std::string::npos);
  EXPECT_NE(tables.find("\nContingency table var.2 x var.2:\n"), std::string::npos);
  // Table of var.1 x var.2: [[1,1],[0,1]].
  EXPECT_NE(tables.find("1\t1\t\n0\t1\t\n"), std::string::npos);

  Table v{{0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
  double*** r3 = reinterpret_cast<double***>(dim3D(sizeof(double), 3, 3, 3));
  ResemblanceLibTriplets(4, 3, *v, r3, 2, 7, nullptr, 1.0, true);
  free3D(reinterpret_cast<void***>(r3), 3, 3);
  const std::string t3 = ReadFile("Tables3D.txt");
  EXPECT_NE(t3.find("Row states (2): 0\t1\t\nColumn states (2): 1\t0\t\n"), std::string::npos);
  // x = 0: y = 0 -> z = 1, y = 1 -> z = 1 ; x = 1: y = 0 -> z = 1, y = 1 -> z = 0.
  EXPECT_NE(t3.find("1\t0\t\n1\t0\t\n1\t0\t\n0\t1\t\n"), std::string::npos);
  ASSERT_EQ(chdir(old), 0);
  std::string cmd = std::string("rm -rf ") + tmpl;
  EXPECT_EQ(std::system(cmd.c_str()), 0);
}

}  // namespace

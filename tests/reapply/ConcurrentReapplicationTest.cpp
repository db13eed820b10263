// The user's whole analysis re-applied to many tables at once, as the
// randomization tests and bootstraps do: the same 50 tables through
// transformation, resemblance and ordination, one after the other and then
// from 2 threads, give bit-identical matrices, eigenvalues and scores.
#include <gtest/gtest.h>
#include <omp.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/Parallel.h"
#include "ordination/OrdinationLib.h"
#include "resemblance/ResemblanceLib.h"
#include "transform/DataTransformationsLib.h"

namespace {

constexpr int kTables = 50, kUnits = 24, kVars = 9;

struct Pipeline {
  const char* name;
  TransformChoice transform;
  ResemblanceChoice resemblance;
  OrdinationChoice ordination;
};

// What one table gives: the resemblance matrix, eigenvalues and scores.
struct Result {
  Matrix rese, evectors, scores;
  std::vector<double> eig;
  int rank = 0;
  bool ok = false;
};

// Species-like counts with zeros, from a linear congruential generator.
Matrix MakeTable(unsigned seed) {
  Matrix t(kUnits, kVars);
  for (int i = 0; i < kUnits; i++)
    for (int j = 0; j < kVars; j++) {
      seed = seed * 1664525u + 1013904223u;
      const unsigned v = (seed >> 9) % 13;
      t[i][j] = v < 4 ? 0.0 : v;
    }
  return t;
}

Result Analyse(const Pipeline& p, const Matrix& original) {
  Matrix data = original;  // each run transforms its own copy
  DataTransformationsLib(p.transform, kUnits, kVars, data.data());
  const int n = p.resemblance.Order(kUnits, kVars), other = n == kUnits ? kVars : kUnits;
  Result r;
  r.rese.Resize(n, n);
  ResemblanceLib(p.resemblance, kUnits, kVars, data.data(), r.rese.data());
  r.eig.assign(n, 0.0);
  r.evectors.Resize(n, n);
  r.scores.Resize(n, p.ordination.type == 1 ? n : other);
  const Matrix& x = p.ordination.type == 3 ? original : data;
  OrdinationLib_D(p.ordination, n, other, x.data(), r.rese.data(), r.evectors.data(), r.scores.data(), &r.rank,
                  r.eig.data(), &r.ok);
  return r;
}

bool SameBits(const Matrix& a, const Matrix& b) {
  if (a.rows() != b.rows() || a.cols() != b.cols()) return false;
  for (int i = 0; i < a.rows(); i++)
    if (std::memcmp(a[i], b[i], sizeof(double) * a.cols()) != 0) return false;
  return true;
}

std::vector<Pipeline> Pipelines() {
  std::vector<Pipeline> v(3);
  v[0].name = "log, Hellinger within units, Euclidean distance, principal coordinates";
  v[0].transform.scalar = 3;
  v[0].transform.withinUnits = 10;
  v[0].resemblance.measure = 3;
  v[0].ordination = {1, 3, 1};
  v[1].name = "deviations from group means, correlation between variables, principal components";
  v[1].transform.withinVariables = 12;
  for (int i = 0; i < kUnits; i++) v[1].transform.groups.push_back(1 + i % 3);
  v[1].resemblance.direction = 2;
  v[1].resemblance.measure = 17;
  v[1].ordination = {2, 17, 2};
  v[2].name = "Beals smoothing, percentage difference squared, principal coordinates";
  v[2].transform.withinUnits = 11;
  v[2].transform.bealsType = 0;
  v[2].resemblance.measure = 20;
  v[2].resemblance.post = 2;
  v[2].ordination = {1, 20, 1};
  return v;
}

TEST(ConcurrentReapplication, TwoThreadsGiveTheSerialResultsBitForBit) {
  std::vector<Matrix> tables;
  for (int t = 0; t < kTables; t++) tables.push_back(MakeTable(1234u + 77u * t));
  for (const Pipeline& p : Pipelines()) {
    std::vector<Result> serial(kTables), parallel(kTables);
    for (int t = 0; t < kTables; t++) serial[t] = Analyse(p, tables[t]);
    ParallelExceptions errors;
#pragma omp parallel for num_threads(2) schedule(static, 1)
    for (int t = 0; t < kTables; t++) errors.Run([&] { parallel[t] = Analyse(p, tables[t]); });
    errors.Rethrow();
    for (int t = 0; t < kTables; t++) {
      SCOPED_TRACE(std::string(p.name) + ", table " + std::to_string(t));
      ASSERT_GT(serial[t].rank, 0);
      EXPECT_EQ(serial[t].rank, parallel[t].rank);
      EXPECT_EQ(serial[t].ok, parallel[t].ok);
      EXPECT_TRUE(SameBits(serial[t].rese, parallel[t].rese));
      EXPECT_EQ(std::memcmp(serial[t].eig.data(), parallel[t].eig.data(), sizeof(double) * serial[t].eig.size()), 0);
      EXPECT_TRUE(SameBits(serial[t].scores, parallel[t].scores));
    }
  }
}

TEST(ConcurrentReapplication, AnExceptionInAThreadIsRethrownAfterTheLoop) {
  ParallelExceptions errors;
  int done = 0;
#pragma omp parallel for num_threads(2) reduction(+ : done)
  for (int t = 0; t < 8; t++)
    errors.Run([&] {
      if (t == 5) throw std::bad_alloc();
      done++;
    });
  EXPECT_EQ(done, 7) << "the other iterations still ran";
  EXPECT_THROW(errors.Rethrow(), std::bad_alloc);
}

}  // namespace

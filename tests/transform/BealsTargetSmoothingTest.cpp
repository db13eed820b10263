// The target's column smoothed from the kept co-occurrences must be the
// target's column of a whole Beals smoothing (target excluded) of the table
// with the new column, for every co-occurrence type, with and without unit
// sums, with missing cells, quantities, a unit holding only the target and a
// variable that never occurs. (Hand values of the whole smoothing:
// BealsSmoothingTest.)
#include <random>

#include "transform/BealsTargetSmoothing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TableHelper.h"

namespace {

// nRows x nCols: presences (or quantities 1..5), some missing cells, unit 0
// holding only variable 0, and the last variable absent everywhere.
Cells RandomTable(int nRows, int nCols, bool quantities, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  Cells c(nRows, std::vector<double>(nCols, 0.0));
  for (int i = 1; i < nRows; i++)
    for (int j = 0; j + 1 < nCols; j++) {
      const double draw = u(gen);
      if (draw < 0.05)
        c[i][j] = -999;
      else if (draw < 0.5)
        c[i][j] = quantities ? 1 + static_cast<int>(5 * u(gen)) : 1;
    }
  c[0][0] = quantities ? 3 : 1;
  return c;
}

}  // namespace

TEST(BealsTargetSmoother, TargetColumnOfTheWholeSmoothingOfThePermutedTable) {
  const int n = 14, p = 6;
  for (int type : {0, 1, 2}) {
    for (bool normalize : {false, true}) {
      for (bool quantities : {false, true}) {
        SCOPED_TRACE(testing::Message() << "type " << type << " normalize " << normalize << " quantities "
                                        << quantities);
        const Cells reference = RandomTable(n, p, quantities, 7u + type);
        Table ref(reference);
        BealsTargetSmoother smoother(n, p, ref.p(), type, normalize);
        BealsTargetSmoother::Workspace w = smoother.MakeWorkspace();
        std::mt19937 gen(99);
        for (int t = 0; t < p; t++) {
          smoother.PrepareTarget(t, w);
          for (int round = 0; round < 4; round++) {
            // The non-missing cells of the target shuffled among themselves
            // (round 0 keeps the reference column).
            Cells permuted = reference;
            std::vector<int> rows;
            for (int i = 0; i < n; i++)
              if (reference[i][t] != -999) rows.push_back(i);
            std::vector<int> order = rows;
            if (round > 0) std::shuffle(order.begin(), order.end(), gen);
            for (size_t k = 0; k < rows.size(); k++) permuted[rows[k]][t] = reference[order[k]][t];
            std::vector<double> column(n);
            for (int i = 0; i < n; i++) column[i] = permuted[i][t];

            Table whole(permuted), out(n, p);
            BealsSmoothing(n, p, whole.p(), whole.p(), out.p(), false, 0, nullptr, false, type, normalize);
            smoother.SetTargetColumn(column.data(), w);
            for (int i = 0; i < n; i++) {
              const double got = smoother.Smoothed(i, column[i], w);
              if (out(i, t) == -999)
                EXPECT_EQ(got, -999) << "unit " << i << " target " << t;
              else
                EXPECT_NEAR(got, out(i, t), 1e-12 * (1 + std::fabs(out(i, t)))) << "unit " << i << " target " << t;
            }
          }
        }
      }
    }
  }
}

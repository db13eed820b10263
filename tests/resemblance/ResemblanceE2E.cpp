// Option R run by the program on the dune meadow table (20 sampling units by
// 30 species, labels read from the file) with results at 12 significant
// digits; the printed matrices are checked against values computed here from
// the file with the textbook formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/RunPlexor.h"

namespace {

using Row = std::vector<double>;
using Matrix = std::vector<Row>;

const int kUnits = 20, kVars = 30;

// Preferences: 12 significant digits; then dune.txt as quantitative data of
// one scale, by sampling units, labels from the file, not echoed.
const char* const kSetup = "E\nF\n12\n0\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\n";

// The lower triangle printed after the first "\nResemblance matrix:\n" heading.
Matrix PrintedMatrix(const std::string& z, int n) {
  const std::string h = "\nResemblance matrix:\n";
  const size_t p = z.find(h);
  const std::vector<std::string> lines = Lines(p == std::string::npos ? "" : z.substr(p + h.size()));
  Matrix m;
  for (int i = 0; i < n && i < static_cast<int>(lines.size()); i++) m.push_back(Numbers(lines[i]));
  return m;
}

void ExpectMatrix(const std::string& z, int n, const std::function<double(int, int)>& expected) {
  Matrix m = PrintedMatrix(z, n);
  ASSERT_EQ(static_cast<int>(m.size()), n);
  for (int i = 0; i < n; i++) {
    ASSERT_EQ(static_cast<int>(m[i].size()), i + 1) << "row " << i;
    for (int j = 0; j <= i; j++) {
      const double e = expected(i, j);
      EXPECT_NEAR(m[i][j], e, 1e-11 * std::fmax(1.0, std::fabs(e))) << i << "," << j;
    }
  }
}

class ResemblanceRun : public ::testing::Test {
 protected:
  // Runs option R with the given answers after reading the data, in a fresh folder.
  std::string RunR(const std::string& answers) {
    PlexorFolder folder;
    folder.copyFromSource("examples/dune.txt", "dune.txt");
    PlexorRun r = folder.run(std::string(kSetup) + "R\n" + answers + "X\n");
    EXPECT_EQ(r.status, 0) << r.err;
    out = r.out;
    return folder.read("Zoviri.txt");
  }
  Matrix dune = DuneTable();
  std::string out;
};

}  // namespace

double Sq(double x) { return x * x; }

// Each measure printed for the dune table, against the textbook formula.
TEST_F(ResemblanceRun, MeasuresOfTheDuneTable) {
  Row range(kVars);
  for (int k = 0; k < kVars; k++) {
    double lo = dune[0][k], hi = dune[0][k];
    for (int i = 0; i < kUnits; i++) lo = std::fmin(lo, dune[i][k]), hi = std::fmax(hi, dune[i][k]);
    range[k] = hi - lo;
  }
  const std::function<double(int, int)> squares = [&](int i, int j) {
    double s = 0;
    for (int k = 0; k < kVars; k++) s += Sq(dune[i][k] - dune[j][k]);
    return s;
  };
  const struct {
    const char* answers;
    const char* status;
    int n;
    std::function<double(int, int)> expected;
  } runs[] = {
      {"1\n3\n0\ny\n", "Resemblance measure: (3)Euclidean distance, (1)comparing sampling units\n", kUnits,
       [&](int i, int j) { return std::sqrt(squares(i, j)); }},
      {"1\n3\n1\ny\n", "Transformation of the resemblance measure: (1)squared resemblance\n", kUnits, squares},
      {"2\n17\n0\ny\n", "Resemblance measure: (17)correlation, (2)comparing variables\n", kVars,
       [&](int i, int j) {  // species i and j
         double mx = 0, my = 0, sxy = 0, sxx = 0, syy = 0;
         for (int k = 0; k < kUnits; k++) mx += dune[k][i] / kUnits, my += dune[k][j] / kUnits;
         for (int k = 0; k < kUnits; k++)
           sxy += (dune[k][i] - mx) * (dune[k][j] - my), sxx += Sq(dune[k][i] - mx), syy += Sq(dune[k][j] - my);
         return sxy / std::sqrt(sxx * syy);
       }},
      {"1\n5\ny\n0\ny\n", "Joint absences in binary variables were considered.\n", kUnits,
       [&](int i, int j) {
         double s = 0;
         for (int k = 0; k < kVars; k++) s += range[k] > 0 ? 1.0 - std::fabs(dune[i][k] - dune[j][k]) / range[k] : 1.0;
         return s / kVars;
       }},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.answers);
    const std::string z = RunR(r.answers);
    for (const char* l : {"\nRESEMBLANCE MEASURES\n", r.status}) EXPECT_NE(z.find(l), std::string::npos) << l;
    ExpectMatrix(z, r.n, r.expected);
  }
}

// Cancelled at the first menu and at the transformation of values; then a
// matrix not printed.
TEST_F(ResemblanceRun, CancelAndMatrixNotPrinted) {
  const std::string z = RunR("99\nR\n1\n3\n99\nR\n1\n3\n0\nn\n");
  EXPECT_EQ(CountOccurrences(z, "\nRESEMBLANCE MEASURES\n"), 1);
  EXPECT_EQ(z.find("\nResemblance matrix:\n"), std::string::npos);
  EXPECT_EQ(CountOccurrences(out, "See results on file Zoviri.txt"), 1);
}

// Three qualitative variables over six units: variables 1 and 2 share some
// information, 1 and 3 none; with 3 variables the triplet blocks follow.
TEST(ResemblanceQualitative, MutualEntropyTripletsAndTables) {
  PlexorFolder f;
  f.write("q.txt", "1 1 1\n1 2 2\n2 1 2\n2 2 1\n1 1 1\n2 2 1\n");
  PlexorRun r = f.run("N\nn\nq.txt\n3\n6\n3\nN\n1\nn\nR\n2\n7\n1\n0\ny\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Enter order of entropy measure (alpha in Reyni's general entropy): "), std::string::npos);
  EXPECT_NE(r.out.find("\nSee contingency tables in file Tables.txt."), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  // Variables 1 and 2: table [[2,1],[1,2]], I = (2/3) ln(4/3) + (1/3) ln(2/3).
  // Triplet cells (1,1,1), (2,2,1): p = 1/3, p/q = 3/2; (1,2,2), (2,1,2): p = 1/6, p/q = 3.
  const double i12 = (2.0 / 3.0) * std::log(4.0 / 3.0) + (1.0 / 3.0) * std::log(2.0 / 3.0);
  const double i123 = (2.0 / 3.0) * std::log(1.5) + (1.0 / 3.0) * std::log(3.0);
  Matrix m = PrintedMatrix(z, 3);
  ASSERT_EQ(m.size(), 3u);
  EXPECT_NEAR(m[1][0], i12, 1e-5);
  EXPECT_NEAR(m[2][0], 0.0, 1e-12);
  for (const char* l : {"Order of entropy measure (alpha in Reyni's general entropy): 1\n", "\nResemblance matrix (bits):\n"})
    EXPECT_NE(z.find(l), std::string::npos) << l;
  const struct {
    const char* heading;
    double value;
  } values[] = {
      {"\nMutual entropy between variables in triplets (nats):\nVar. 1 x 2 x 3:\t", i123},
      {"\nMutual entropy pairwise conditional (|) to a third variable (nats):\nVar. 1 x 2 | 3:\t", i12 + i123},
      {"\nMutual entropy between variables in triplets (bits):\nVar. 1 x 2 x 3:\t", i123 / std::log(2.0)},
      {"\n\nMutual entropy pairwise conditional (|) to a third variable (bits):\nVar. 1 x 2 | 3:\t",
       (i12 + i123) / std::log(2.0)},
  };
  for (const auto& v : values) {
    const size_t at = z.find(v.heading);
    ASSERT_NE(at, std::string::npos) << v.heading;
    EXPECT_NEAR(std::stod(z.substr(at + std::string(v.heading).size())), v.value, 1e-6) << v.heading;  // printed to 6 digits
  }
  // Every pair (the same variable twice included), then the triplet: one
  // table of the second by the third variable for each state of the first.
  const std::string states = "\nRow states (2): 1\t2\t\nColumn states (2): 1\t2\t\n";
  EXPECT_EQ(f.read("Tables.txt"), "\nContingency table var.1 x var.1:" + states + "3\t0\t\n0\t3\t\n" +
                                      "\nContingency table var.1 x var.2:" + states + "2\t1\t\n1\t2\t\n" +
                                      "\nContingency table var.1 x var.3:" + states + "2\t1\t\n2\t1\t\n" +
                                      "\nContingency table var.2 x var.2:" + states + "3\t0\t\n0\t3\t\n" +
                                      "\nContingency table var.2 x var.3:" + states + "2\t1\t\n2\t1\t\n" +
                                      "\nContingency table var.3 x var.3:" + states + "4\t0\t\n0\t2\t\n");
  EXPECT_EQ(f.read("Tables3D.txt"),
            "\nContingency table var.1 x var.2:" + states + "2\t0\t\n0\t1\t\n0\t1\t\n2\t0\t\n");
}

// Mixed data (quantitative, nominal, binary, ordinal): the variable types
// declared when reading reach the Gower index.
TEST(ResemblanceMixed, GowerWithDeclaredTypes) {
  PlexorFolder f;
  f.write("m.txt", "1 1 1 10\n3 1 0 20\n5 2 0 30\n");
  PlexorRun r = f.run("N\nn\nm.txt\n5\n3\n4\n3 2 1 4\nn\nN\n1\nn\nR\n1\n5\nn\n0\ny\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Consider matching absences in binary traits? y/n  "), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("Joint absences in binary variables were NOT considered.\n"), std::string::npos);
  Matrix m = PrintedMatrix(z, 3);
  ASSERT_EQ(m.size(), 3u);
  // Units 1-2: (0.5 + 1 + 0 + 0.5) / 4; units 2-3 without the double zero: (0.5 + 0 + 0.5) / 3.
  EXPECT_NEAR(m[1][0], 0.5, 1e-12);
  EXPECT_NEAR(m[2][1], 1.0 / 3.0, 1e-5);  // 5 significant digits
}

TEST(ResemblancePortuguese, HeadingsAndMessages) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run("E\nL\nC\nN\nn\ndune.txt\n1\n20\n30\nN\n2\nn\nR\n1\n19\n1\n0\ns\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* l : {"MEDIDAS DE SEMELHANCA\nOpcoes: \n", "\nTipo de medida de semelhanca (1)compara unidades amostrais: \n",
                        "Entre o parametro k (comum para todas as variaveis): ", "\nTransformacoes da matriz de semelhanca: \n",
                        "Incluir matriz de semelhanca nos resultados? s/n ",
                        "\nVeja resultados no arquivo Zoviri.txt."})
    EXPECT_NE(r.out.find(l), std::string::npos) << l;
  const std::string z = f.read("Zoviri.txt");
  // The block title of the results file is not translated.
  for (const char* l : {"\nPLEXOR versao ", "\nRESEMBLANCE MEASURES\n", "\nMatriz de semelhanca:\n",
                        "Parametro k: 1\n"})
    EXPECT_NE(z.find(l), std::string::npos) << l;
}

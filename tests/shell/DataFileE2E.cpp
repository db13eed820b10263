// Reading a data table through option N: value orders, labels, variable kinds,
// incomplete files, refused dimensions and the echo to the results file.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

// Main menu N, new data, then the answers of the data dialogue, then X.
std::string ReadTable(const std::string& dialogue) { return "N\nn\n" + dialogue + "X\n"; }

// The echoed matrix: everything after the line of variable labels.
std::string EchoedMatrix(const std::string& zoviri) {
  const std::string key = "Labels of variables:\t";
  size_t p = zoviri.find(key);
  if (p == std::string::npos) return std::string();
  p = zoviri.find('\n', p);
  return zoviri.substr(p + 1);
}

TEST(DataFile, UnitOrderAndVariableOrderGiveTheSameRows) {
  PlexorFolder byUnits, byVariables;
  byUnits.write("d.txt", "1 2 3\n4 5 6\n");
  byVariables.write("d.txt", "1 4\n2 5\n3 6\n");
  PlexorRun a = byUnits.run(ReadTable("d.txt\n1\n2\n3\nN\n1\ny\n"));
  PlexorRun b = byVariables.run(ReadTable("d.txt\n1\n2\n3\nT\n1\ny\n"));
  ASSERT_EQ(a.status, 0);
  ASSERT_EQ(b.status, 0);
  const std::string ma = EchoedMatrix(byUnits.read("Zoviri.txt"));
  EXPECT_EQ(ma, "1\t2\t3\t\n4\t5\t6\t\n");
  EXPECT_EQ(EchoedMatrix(byVariables.read("Zoviri.txt")), ma);
  // Both tracks hold the same rows as well.
  EXPECT_NE(byUnits.read("Sessao.trk").find("1.000000\t2.000000\t3.000000\t\n4.000000\t5.000000\t6.000000\t\n"),
            std::string::npos);
  EXPECT_NE(byVariables.read("Sessao.trk").find("1.000000\t2.000000\t3.000000\t\n4.000000\t5.000000\t6.000000\t\n"),
            std::string::npos);
}

TEST(DataFile, DuneLabelsReadFromTheFileAndTableEchoed) {
  PlexorFolder f;
  f.copyFromSource("examples/dune.txt", "dune.txt");
  PlexorRun r = f.run(ReadTable("dune.txt\n1\n20\n30\nN\n2\ny\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nSee data on file Zoviri.txt."), std::string::npos);
  EXPECT_NE(r.out.find("Dimensions: 20 sampling units, 30 variables\n"), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("PLEXOR version 3.85b"), std::string::npos);
  EXPECT_NE(z.find("\nOriginal data matrix:\n\t(Rows= 20 sampling units, columns= 30 variables)\n"), std::string::npos);
  EXPECT_NE(z.find("Labels of sampling units:\tsite1\tsite2\tsite3\t"), std::string::npos);
  EXPECT_NE(z.find("site20\t\n"), std::string::npos);
  EXPECT_NE(z.find("Labels of variables:\tAchimill\tAgrostol\tAiraprae\t"), std::string::npos);
  EXPECT_NE(z.find("Callcusp\t\n"), std::string::npos);
  const std::string m = EchoedMatrix(z);
  EXPECT_EQ(CountOccurrences(m, "\n"), 20);
  // First row of the table: 1 0 0 0 0 0 0 0 0 0 0 4 0 0 0 0 7 0 4 2 ...
  EXPECT_EQ(m.rfind("1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t4\t0\t0\t0\t0\t7\t0\t4\t2\t", 0), 0u) << m.substr(0, 200);
}

TEST(DataFile, DefaultLabelsAreNumbers) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  ASSERT_EQ(f.run(ReadTable("d.txt\n1\n2\n3\nN\n1\ny\n")).status, 0);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("Labels of sampling units:\t1\t2\t\nLabels of variables:\t1\t2\t3\t\n"), std::string::npos);
}

TEST(DataFile, ShortFileIsNotLoaded) {
  PlexorFolder f;
  f.write("short.txt", "1 2 3 4 5\n");
  PlexorRun r = f.run(ReadTable("short.txt\n1\n2\n3\nN\n"));
  ASSERT_EQ(r.status, 0);
  const std::string msg = "\nFile short.txt was not read because it is incomplete.\nPlease check!\n";
  const size_t p = r.out.find(msg);
  ASSERT_NE(p, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Analysis status: Data not available.", p), std::string::npos);
  EXPECT_EQ(r.out.find("Labels for sampling units"), std::string::npos);
  EXPECT_FALSE(f.exists("Zoviri.txt"));
  EXPECT_NE(f.read("Sessao.trk").find("16/May/2007\n0\n"), std::string::npos);
}

TEST(DataFile, FileFarTooSmallForTheDimensionsIsNotLoaded) {
  PlexorFolder f;
  f.write("tiny.txt", "1 2 3\n");
  PlexorRun r = f.run(ReadTable("tiny.txt\n1\n2000000\n2000000\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nFile tiny.txt was not read because it is incomplete.\nPlease check!\n"), std::string::npos);
  EXPECT_NE(r.out.find("Analysis status: Data not available."), std::string::npos);
}

TEST(DataFile, MissingLabelsAreReported) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 a b x y");
  PlexorRun r = f.run(ReadTable("d.txt\n1\n2\n3\nN\n2\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nLabels not read because the file d.txt is incomplete.\nPlease check!\n"), std::string::npos);
  EXPECT_NE(r.out.find("Analysis status: Data not available."), std::string::npos);
}

TEST(DataFile, ZeroAndNegativeDimensionsAreAskedAgain) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  PlexorRun r = f.run(ReadTable("d.txt\n1\n0\n-4\n2\n0\n3\nN\n1\ny\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("Incorrect input = 0. Reenter."), std::string::npos);
  EXPECT_NE(r.err.find("Incorrect input = -4. Reenter."), std::string::npos);
  EXPECT_NE(r.out.find("Dimensions: 2 sampling units, 3 variables\n"), std::string::npos);
}

TEST(DataFile, LongLabelsAreCutAtThirtyCharacters) {
  PlexorFolder f;
  const std::string longName(50, 'q');
  f.write("d.txt", "1 2 " + longName + " u2 v1");
  PlexorRun r = f.run(ReadTable("d.txt\n1\n2\n1\n2\ny\n"));
  ASSERT_EQ(r.status, 0);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("Labels of sampling units:\t" + std::string(30, 'q') + "\tu2\t\n"), std::string::npos) << z;
  EXPECT_NE(z.find("Labels of variables:\tv1\t\n"), std::string::npos);
}

TEST(DataFile, OneVariableNeedsNoOrder) {
  PlexorFolder f;
  f.write("d.txt", "7 8 9");
  PlexorRun r = f.run(ReadTable("d.txt\n1\n3\n1\n1\ny\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("Data ordered by"), std::string::npos);
  EXPECT_EQ(EchoedMatrix(f.read("Zoviri.txt")), "7\t\n8\t\n9\t\n");
}

TEST(DataFile, MixedDataThatAreNotMixedBecomeDifferentScales) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  // Kind 5, types 3 3 3, no correction, not mixed, no manual correction.
  PlexorRun r = f.run(ReadTable("d.txt\n5\n2\n3\n3 3 3\nn\nn\nN\n1\nn\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Variable: 1  2  3  \nType:     "), std::string::npos);
  EXPECT_NE(r.out.find("Data not mixed as indicated!!!\n"), std::string::npos);
  EXPECT_NE(r.out.find("Data type: (2) quantitative, different scales\n"), std::string::npos);
  EXPECT_FALSE(f.exists("Zoviri.txt"));  // the echo was declined
}

TEST(DataFile, MixedTypesCorrectedAndKept) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6");
  // Types 9 refused; 1 1 1, corrected to 1 3 2.
  PlexorRun r = f.run(ReadTable("d.txt\n5\n2\n3\n1 9 1 1\ny\n1 3 2\nn\nN\n1\nn\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("Incorrect input = 9. Reenter."), std::string::npos);
  EXPECT_EQ(r.out.find("Data not mixed"), std::string::npos);
  EXPECT_NE(r.out.find("Data type: (5) mixed\nVariable: 1 2 3 \nType:     1 3 2 \n"), std::string::npos);
}

TEST(DataFile, ContingencyTableExpanded) {
  PlexorFolder f;
  f.write("c.txt", "2 0.5\n0 0\n");
  PlexorRun r = f.run(ReadTable("c.txt\n6\n2\n2\nN\n1\ny\ny\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Number of rows:    "), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("\nExpanded contingency table:\n\t(Rows= 2 sampling units, columns= 2 nominal variables)\n"
                   "1\t1\n1\t1\n1\t2\n"),
            std::string::npos)
      << z;
  EXPECT_EQ(CountOccurrences(z, "1\t2\n"), 1);
}

TEST(DataFile, MissingFileAskedAgainThenGivenUp) {
  PlexorFolder f;
  PlexorRun r = f.run(ReadTable("nothere.txt\ny\nnothere2.txt\nn\n"));
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("can't open nothere.txt"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "Try again? y/n "), 2);
  EXPECT_NE(r.out.find("Analysis status: Data not available."), std::string::npos);
}

TEST(DataFile, PortugueseEcho) {
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n0\n1\n0\n0\n0\n0\n5\n6\n0\n");
  f.write("d.txt", "1 2 3 4 5 6");
  PlexorRun r = f.run("N\nn\nd.txt\n1\n2\n3\nN\n1\ns\nX\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Entre nome do arquivo com matriz de dados: "), std::string::npos);
  EXPECT_NE(r.out.find("\nVeja dados no arquivo Zoviri.txt."), std::string::npos);
  const std::string z = f.read("Zoviri.txt");
  EXPECT_NE(z.find("PLEXOR versao 3.85b"), std::string::npos);
  EXPECT_NE(z.find("\nMatriz de dados originais:\n\t(Linhas= 2 unidades amostrais, colunas= 3 variaveis)\n"),
            std::string::npos);
}

}  // namespace

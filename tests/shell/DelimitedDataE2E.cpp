// Option N on tables as spreadsheets and R write them: the dune meadow table
// written by R's write.csv and exported by a spreadsheet in a decimal-comma
// locale gives the very results of the program's own layout; missing cells,
// repeated names and refusals are reported; the dialogue asks no dimensions,
// order or labels; a session on such a table resumes like any other. (The
// example analysis on the CSV table: ExampleAnalysisE2E.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

using shelltest::NewData;

// The answers of option N on a delimited file: file name, kind, echo.
std::string NewDelimited(const std::string& file, int kind = 1, const std::string& echo = "y") {
  return "N\nn\n" + file + "\n" + std::to_string(kind) + "\n" + echo + "\n";
}

struct Results {
  PlexorRun run;
  std::string zoviri, track, scores;
};

Results RunIn(const std::string& source, const std::string& name, const std::string& answers) {
  PlexorFolder f;
  f.copyFromSource(source, name);
  Results r;
  r.run = f.run(answers);
  r.zoviri = shelltest::WithoutDates(f.read("Zoviri.txt"), name);
  r.track = shelltest::WithoutDates(f.read("Sessao.trk"), name);
  r.scores = shelltest::WithoutDates(f.read("scores.txt"), name);
  return r;
}

// Percentage difference between sites (printed), then principal coordinates.
const char* const kResemblanceAndOrdination = "R\n1\n20\n0\ny\nO\n1\nn\nn\nX\n";

TEST(DelimitedData, DuneAsRWritesItAndAsASpreadsheetExportsItGivesTheResultsOfTheOwnLayout) {
  const Results own = RunIn("examples/dune.txt", "dune.txt", shelltest::ReadDune() + kResemblanceAndOrdination);
  ASSERT_EQ(own.run.status, 0);
  ASSERT_TRUE(Holds(own.zoviri, "ORDINATION"));
  ASSERT_TRUE(Holds(own.zoviri, "Labels of variables:\tAchimill\tAgrostol\t"));
  ASSERT_FALSE(own.scores.empty());
  const struct {
    const char* source;
    const char* name;
  } files[] = {
      {"examples/dune.csv", "dune.csv"},                            // write.csv: quoted names, empty corner
      {"tests/shell/data/dune_spreadsheet.csv", "dune_sheet.csv"},  // BOM, CR LF, "site;...", values "4,0"
  };
  for (const auto& file : files) {
    const Results r = RunIn(file.source, file.name, NewDelimited(file.name) + kResemblanceAndOrdination);
    ASSERT_EQ(r.run.status, 0) << file.name;
    EXPECT_TRUE(Holds(r.run.out, std::string("\nRead 20 sampling units and 30 variables from ") + file.name + ".\n"))
        << file.name;
    for (const char* unasked : {"Number of sampling units", "Data ordered by", "Labels for sampling units",
                                "missing values", "Incorrect input"})
      EXPECT_TRUE(Lacks((r.run.out + r.run.err), unasked)) << file.name << ": " << unasked;
    EXPECT_EQ(r.zoviri, own.zoviri) << file.name;
    EXPECT_EQ(r.track, own.track) << file.name;
    EXPECT_EQ(r.scores, own.scores) << file.name;
  }
}

// Decimal commas: the environmental table of the dune sites (R's write.csv2)
// holds the thickness of the A1 horizon with one decimal.
TEST(DelimitedData, DecimalCommasReadAsTheOwnLayout) {
  const Results own = RunIn("examples/dune_env.txt", "dune_env.txt", NewData("dune_env.txt", 2, 20, 3, "N", 2) + "X\n");
  const Results csv =
      RunIn("tests/shell/data/dune_env_semicolon.csv", "env.csv", NewDelimited("env.csv", 2) + "X\n");
  ASSERT_TRUE(Holds(own.zoviri, "\n 2.8\t   1\t   5\t\n"));
  EXPECT_EQ(csv.zoviri, own.zoviri);
  EXPECT_EQ(csv.track, own.track);
}

TEST(DelimitedData, MissingCellsAndRepeatedNamesReported) {
  PlexorFolder f;
  f.write("t.csv", "\"\",\"a\",\"a\",\"b\"\n\"s1\",1,,3\n\"s2\",NA,5,6\n\"s1\",7,8,\n");
  const PlexorRun r = f.run(NewDelimited("t.csv") + "X\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out,
                    "\nRead 3 sampling units and 3 variables from t.csv.\n"
                    "3 missing values (empty cells or NA) stored as -999.\n"
                    "Names of sampling units given more than once: s1\n"
                    "Names of variables given more than once: a\n"
                    "The data contain: "));
  EXPECT_TRUE(Holds(f.read("Zoviri.txt"),
                    "Labels of sampling units:\ts1\ts2\ts1\t\nLabels of variables:\ta\ta\tb\t\n"
                    "   1\t-999\t   3\t\n-999\t   5\t   6\t\n   7\t   8\t-999\t\n"));
}

// A refused file stops the dialogue before the kind of data is asked, and
// no table is loaded.
TEST(DelimitedData, RefusalsGiveRowColumnAndText) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {",a,b\ns1,1,2\ns2,3,x\n", "at row 3, column 3, \"x\" is not a number (missing values are left empty or written NA)."},
      {",a,b\ns1,1,2\ns2,3\n", "row 3 has 2 cells, not 3 as the rows above it."},
      {",a,b\n", "it holds the header row but no row of values."},
      {"site\nx\n", "it holds no column of values besides the names of the sampling units."},
      {",a\n\"s1,1\n", "the quoted cell that begins at row 2, column 1, is never closed."},
      {";a\ns1;1,5\ns2;2.5\ns3;0,5\n",
       "at row 3, column 2, \"2.5\" uses another decimal mark (comma or point) than the other cells."},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("t.csv", c.text);
    const PlexorRun r = f.run("N\nn\nt.csv\nX\n");
    ASSERT_EQ(r.status, 0) << c.text << r.err;
    EXPECT_TRUE(Holds(r.out, std::string("\nFile t.csv was not read: ") + c.message + "\nPlease check!\n")) << c.text;
    EXPECT_TRUE(Lacks(r.out, "The data contain")) << c.text;
    EXPECT_TRUE(Holds(r.out, "\nAnalysis status: Data not available.")) << c.text;
    EXPECT_FALSE(f.exists("Zoviri.txt")) << c.text;
  }

  // In Portuguese: a refusal, then a table read.
  PlexorFolder p;
  p.write("Plexor.prf", shelltest::PortuguesePreferences());
  p.write("t.csv", ",a\ns1,z\n");
  p.write("u.csv", ";a;b\ns1;1,5;\n");
  const PlexorRun pr = p.run("N\nn\nt.csv\nN\nn\nu.csv\n1\nn\nX\n");
  EXPECT_TRUE(Holds(pr.out,
                    "\nO arquivo t.csv nao foi lido: na linha 2, coluna 2, \"z\" nao e um numero (valores "
                    "faltantes ficam vazios ou sao escritos NA).\nFavor conferir!\n"));
  EXPECT_TRUE(Holds(pr.out,
                    "\nLidas 1 unidades amostrais e 2 variaveis de u.csv.\n"
                    "1 valores faltantes (celulas vazias ou NA) guardados como -999.\nOs dados contem: "));
}

// Mixed data still asks the type of each variable; nothing else is asked.
// A .csv file that starts with values is in the program's own layout and is
// read with the usual questions.
TEST(DelimitedData, DialogueOfMixedDataAndOfFilesWithoutHeader) {
  PlexorFolder f;
  f.write("m.tsv", "unit\tlength\tcolour\ns1\t2.5\t1\ns2\t3\t2\n");
  const PlexorRun r = f.run("N\nn\nm.tsv\n5\n3 2\nn\ny\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "Variable: 1  2  \nType:     Wish to correct? y/n "));
  for (const char* unasked : {"Number of", "Data ordered by", "Labels for sampling units"})
    EXPECT_TRUE(Lacks(r.out, unasked)) << unasked;
  EXPECT_TRUE(
      Holds(f.read("Zoviri.txt"), "Labels of sampling units:\ts1\ts2\t\nLabels of variables:\tlength\tcolour\t\n"));
  EXPECT_TRUE(Holds(r.out, "Data type: (5) mixed"));

  PlexorFolder g;
  g.write("d.csv", "1 2 3\n4 5 6\n");
  const PlexorRun own = g.run(NewData("d.csv", 1, 2, 3) + "X\n");
  ASSERT_EQ(own.status, 0) << own.err;
  EXPECT_TRUE(Lacks(own.out, "Read "));
  EXPECT_TRUE(Holds(g.read("Zoviri.txt"), "\n1\t2\t3\t\n4\t5\t6\t\n"));
}

// The track keeps the table, its names made single words, and the next start
// resumes it.
TEST(DelimitedData, SessionResumesTheTable) {
  PlexorFolder f;
  f.write("t.csv", "\"\",\"Achillea millefolium\",\"Poa, annua\"\n\"plot 1\",1,2\n\"plot 2\",3,NA\n");
  const PlexorRun first = f.run(NewDelimited("t.csv", 1, "n") + "X\n");
  ASSERT_EQ(first.status, 0) << first.err;
  const std::string track = f.read("Sessao.trk");
  EXPECT_TRUE(Holds(track, "\nplot_1\tplot_2\t\nAchillea_millefolium\tPoa,_annua\t\n2\n"));
  EXPECT_TRUE(Holds(track, "\n1\t2\t\n3\t-999\t\n"));

  const PlexorRun resumed = f.run("y\nS\nmeadow\nX\n");
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_TRUE(Holds(resumed.out, "Wish to continue analysis session with data file t.csv? y/n "));
  EXPECT_TRUE(Holds(resumed.out, "Dimensions: 2 sampling units, 2 variables\n"));
  // Saved again under another name: the same table, field for field.
  const std::string saved = f.read("meadow.trk");
  ASSERT_EQ(saved.substr(0, 7), "meadow\n");
  EXPECT_EQ(saved.substr(saved.find('\n')), track.substr(track.find('\n')));
}

}  // namespace

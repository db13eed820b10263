// Tables as spreadsheets and R write them: which files are taken for one,
// the separators, quotes, names, missing cells and decimal commas they hold,
// and the refusals with the row, column and text at fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZQLib/DelimitedTable.h"

namespace {

using Kind = DelimitedRefusal::Kind;
using Strings = std::vector<std::string>;
constexpr double M = -999.0;

DelimitedTable Read(const std::string& text, size_t labelBytes = 30) {
  DelimitedTable t;
  DelimitedRefusal r;
  EXPECT_TRUE(ReadDelimitedTable(text, labelBytes, &t, &r)) << text << " refused, kind " << static_cast<int>(r.kind)
                                                            << " row " << r.row << " column " << r.column;
  return t;
}

DelimitedRefusal Refusal(const std::string& text) {
  DelimitedTable t;
  DelimitedRefusal r;
  EXPECT_FALSE(ReadDelimitedTable(text, 30, &t, &r)) << text;
  return r;
}

TEST(DelimitedTable, FileNameEndings) {
  const struct {
    const char* name;
    bool delimited;
  } cases[] = {{"dune.csv", true},  {"DUNE.CSV", true}, {"a.tsv", true},    {"dune.txt", true},
               {"a.Txt", true},     {"dune.dat", false}, {"csv", false},     {".csv", false},
               {"dune.csv.bak", false}, {"dune", false}};
  for (const auto& c : cases) EXPECT_EQ(HasDelimitedTableName(c.name), c.delimited) << c.name;
}

// A header is recognised only where the program's own layout could not have
// been read: every file that starts with a value stays in the own layout.
TEST(DelimitedTable, WhichFirstLinesAreHeaders) {
  const struct {
    std::string text;
    bool header;
  } cases[] = {
      {"\"\",\"a\",\"b\"\n\"s1\",1,2\n", true},  // R's write.csv
      {"a,b\n1,2\n", true},
      {"site;a;b\r\n", true},
      {"a\tb\n", true},
      {",1,2\nx,3,4\n", true},                   // empty corner, numbers as names
      {"abundance\n1\n2\n", true},                // one column, no separator
      {"\"Achillea millefolium\"\n1\n", true},    // one quoted name
      {"\xEF\xBB\xBFsite;a\r\n", true},           // byte-order mark
      {"\"a\" \"b\"\n\"s1\" 1 2\n", true},           // write.table's default: blanks between quoted names
      {"a b\ns1 1 2\n", true},
      {"\n  \r\n,a,b\n", true},                   // blank lines before the header
      {"1 0 0 4\n0 3 1 2\nsite1 site2\n", false},  // own layout
      {"1,2,3\n", false},
      {"1,NA,3\n", false},
      {"1,,3\n", false},
      {"1,5;2,5\n", false},                       // numbers with decimal commas
      {"site1 1 2 3\n4 5 6\n", false},            // one cell with blanks: own layout refused as before
      {"NA\n1\n", false},
      {"1\t2\tsp\n", false},                      // starts with a value
      {"\t1\t2\n\t3\t4\n", false},                // an indented own layout
      {"1 2\t3\n", false},
      {"", false},
      {"\n\n", false},
  };
  for (const auto& c : cases) EXPECT_EQ(StartsWithDelimitedHeader(c.text), c.header) << c.text;
}

TEST(DelimitedTable, SeparatorsLineEndsAndDecimalMarks) {
  const struct {
    std::string text;
    char delimiter;
    std::vector<double> values;
  } cases[] = {
      {"\"\",\"a\",\"b\"\n\"s1\",1.5,-2\n\"s2\",3e2,.25\n", ',', {1.5, -2, 300, 0.25}},
      {";a;b\r\ns1;1,5;-2\r\ns2;3e2;0,25\r\n", ';', {1.5, -2, 300, 0.25}},
      {";a;b\rs1;1.5;-2\rs2;3e2;0.25", ';', {1.5, -2, 300, 0.25}},  // points with semicolons, CR line ends
      {"\ta\tb\ns1\t1.5\t-2\ns2\t300\t0.25\n", '\t', {1.5, -2, 300, 0.25}},
      {"x;a,b;c\n1;2;3\n", ';', {1, 2, 3}},  // the semicolon wins over a comma in a name
      {"x\ta;b\tc,d\n1\t2\t3\n", '\t', {1, 2, 3}},
      // R's write.table(x, "t.txt") with its defaults, and with quote = FALSE
      {"\"a\" \"b c\"\n\"s 1\" 1.5 NA\n\"s2\" -2 4\n", ' ', {1.5, M, -2, 4}},
      {"a  b\r\ns1 1.5 -999 \r\n  s2\t-2 4\r\n\n", ' ', {1.5, M, -2, 4}},
  };
  for (const auto& c : cases) {
    const DelimitedTable t = Read(c.text);
    EXPECT_EQ(t.delimiter, c.delimiter) << c.text;
    EXPECT_EQ(t.decimalComma, c.delimiter == ';') << c.text;
    EXPECT_EQ(t.values, c.values) << c.text;
    EXPECT_EQ(t.rows * t.cols, static_cast<int>(c.values.size())) << c.text;
  }
}

// Where the unit names are: an empty corner, a column of text, or a header
// one cell short (R's write.table); otherwise the first column is a variable
// and the units are numbered. Quoted cells hold separators, doubled quotes
// and line ends; blanks and control characters of names become '_', so every
// label is one word. Empty cells and NA are missing. A separator ending every
// line, blank rows at the end and empty lines anywhere are no part of the
// table; a row of empty cells between rows of values is a unit with every
// value missing.
TEST(DelimitedTable, NamesValuesAndMissingCells) {
  const struct {
    std::string text;
    bool names;
    Strings units, variables;
    std::vector<double> values;
    int missing;
  } cases[] = {
      {"a,b\n1,2\n3,4\n", false, {"1", "2"}, {"a", "b"}, {1, 2, 3, 4}, 0},
      {"id,a\n1,5\n2,6\n", false, {"1", "2"}, {"id", "a"}, {1, 5, 2, 6}, 0},
      {"site,a\nx,1\ny,2\n", true, {"x", "y"}, {"a"}, {1, 2}, 0},
      {"site,a\n1,1\n2b,2\n", true, {"1", "2b"}, {"a"}, {1, 2}, 0},        // one name of text is enough
      {",a\n7,1\n8,2\n", true, {"7", "8"}, {"a"}, {1, 2}, 0},              // empty corner, numbers as names
      {"a\tb\ns1\t1\t2\ns2\t3\t4\n", true, {"s1", "s2"}, {"a", "b"}, {1, 2, 3, 4}, 0},  // write.table
      {",a\n,1\ns2,2\n", true, {"1", "s2"}, {"a"}, {1, 2}, 0},             // an empty name: the row's number
      {"a,,c\n1,2,3\n", false, {"1"}, {"a", "2", "c"}, {1, 2, 3}, 0},      // an empty variable name: its number
      {"x\n1\n\n2\n\n\n", false, {"1", "2", "3"}, {"x"}, {1, M, 2}, 1},    // one column: a blank line is missing
      {";a\n1.5;2,5\nx;1\n", true, {"1.5", "x"}, {"a"}, {2.5, 1}, 0},      // decimal marks of names ignored
      {"\"\",\"Achillea, millefolium\",\"sp \"\"b\"\"\"\n\"site, 1\",1,2\n\"site\n2\",3,4\n  \"s3\"  ,5,6\n", true,
       {"site,_1", "site_2", "s3"}, {"Achillea,_millefolium", "sp_\"b\""}, {1, 2, 3, 4, 5, 6}, 0},
      {",a,b,c\ns1,,NA,1\ns2, ,\"NA\",\"\"\n", true, {"s1", "s2"}, {"a", "b", "c"}, {M, M, 1, M, M, M}, 5},
      {"a,b,\n1,2,\n\n3,4,\n,,\n\n", false, {"1", "2"}, {"a", "b"}, {1, 2, 3, 4}, 0},
      {",a,b\ns1,1,2\n,,\ns3,5,6\n,,\n", true, {"s1", "2", "s3"}, {"a", "b"}, {1, 2, M, M, 5, 6}, 2},
      {"a,b\n1,2,\n3,4,\n", false, {"1", "2"}, {"a", "b"}, {1, 2, 3, 4}, 0},  // header without the trailing one
      // write.table's default escapes a quote in a name with a backslash
      {"\"B\\\"q\"\t\"c\\\"\n\"s\\\"1\"\t1\t2\n", true, {"s\"1"}, {"B\"q", "c\\"}, {1, 2}, 0},
      {"\"B\\\"q\" \"c d\"\n\"s 1\" 1 2\n", true, {"s_1"}, {"B\"q", "c_d"}, {1, 2}, 0},
  };
  for (const auto& c : cases) {
    const DelimitedTable t = Read(c.text);
    EXPECT_EQ(t.unitNamesInFile, c.names) << c.text;
    EXPECT_EQ(t.unitLabels, c.units) << c.text;
    EXPECT_EQ(t.variableLabels, c.variables) << c.text;
    EXPECT_EQ(t.values, c.values) << c.text;
    EXPECT_EQ(t.missingCells, c.missing) << c.text;
    EXPECT_EQ(t.rows, static_cast<int>(c.units.size())) << c.text;
    EXPECT_EQ(t.cols, static_cast<int>(c.variables.size())) << c.text;
  }
}

// Labels longer than the program keeps are cut at a character boundary;
// names that repeat (also by being cut) are listed once each.
TEST(DelimitedTable, LabelsCutAndRepeatedNamesListed) {
  const std::string accented = std::string(9, 'a') + "\xc3\xa9" + "z";  // the accent crosses byte 10
  const DelimitedTable t =
      Read(",x," + accented + ",x,longname_1,longname_2\ns1,1,2,3,4,5\ns2,1,2,3,4,5\ns1,1,2,3,4,5\n", 10);
  EXPECT_EQ(t.variableLabels, (Strings{"x", std::string(9, 'a'), "x", "longname_1", "longname_2"}));
  EXPECT_EQ(t.repeatedVariableLabels, (Strings{"x"}));
  EXPECT_EQ(t.repeatedUnitLabels, (Strings{"s1"}));
  const DelimitedTable cut = Read(",longname_1,longname_2\ns1,1,2\n", 8);
  EXPECT_EQ(cut.variableLabels, (Strings{"longname", "longname"}));
  EXPECT_EQ(cut.repeatedVariableLabels, (Strings{"longname"}));
}

TEST(DelimitedTable, RefusalsNameTheirPlace) {
  const struct {
    std::string text;
    Kind kind;
    int row, column;
    std::string cellText;
    int cells, expected;
  } cases[] = {
      {",a,b\ns1,1,x\n", Kind::NotANumber, 2, 3, "x", 0, 0},
      {"a,b\n1,2\n3,4 5\n", Kind::NotANumber, 3, 2, "4 5", 0, 0},
      {"\n\n,a\ns1,\"2O\"\n", Kind::NotANumber, 4, 2, "2O", 0, 0},          // rows counted from the file's start
      {",a\n\"s\n1\",1\ns2,z\n", Kind::NotANumber, 3, 2, "z", 0, 0},         // a line end inside quotes: one row
      {"x,a\nq,1\nr,1e999\n", Kind::NotANumber, 3, 2, "1e999", 0, 0},
      {";a\ns1;1.234,5\n", Kind::NotANumber, 2, 2, "1.234,5", 0, 0},        // thousands and decimal marks
      {"a,b\n1,2\n3\n", Kind::UnequalRow, 3, 0, "", 1, 2},
      {"a,b\n1,2,3,4\n", Kind::UnequalRow, 2, 0, "", 4, 2},
      {",a,b\ns1,1,2\ns2,1,2,3\n", Kind::UnequalRow, 3, 0, "", 4, 3},
      {",a,b\ns1,1,2\n  \n,\ns4,3,4\n", Kind::UnequalRow, 4, 0, "", 2, 3},  // a short blank row inside the table
      {",a,b\n", Kind::HeaderOnly, 1, 0, "", 0, 0},
      {",a,b\n\n,,\n\n", Kind::HeaderOnly, 1, 0, "", 0, 0},
      {"site\nx\ny\n", Kind::NoVariables, 1, 0, "", 0, 0},
      {"\"\",\n\"s1\",\n", Kind::NoVariables, 1, 0, "", 0, 0},
      {",a\n\"s1,1\ns2,2\n", Kind::UnclosedQuote, 2, 1, "", 0, 0},
      {";a;b\ns1;1,5;2,5\ns2;0.5;1\n", Kind::MixedDecimalMarks, 3, 2, "0.5", 0, 0},
      {";a;b\ns1;1.5;2,5\ns2;0.5;1.0\n", Kind::MixedDecimalMarks, 2, 3, "2,5", 0, 0},
      {"a;b\n1,5;2\n0.5;1.5\n", Kind::MixedDecimalMarks, 2, 1, "1,5", 0, 0},  // first column of values counts
      // "na", "NaN", "-" and "N/A" are not missing values.
      {",a\ns1,na\n", Kind::NotANumber, 2, 2, "na", 0, 0},
      {",a\ns1,NaN\n", Kind::NotANumber, 2, 2, "NaN", 0, 0},
      {",a\ns1,-\n", Kind::NotANumber, 2, 2, "-", 0, 0},
      {",a\ns1,N/A\n", Kind::NotANumber, 2, 2, "N/A", 0, 0},
  };
  for (const auto& c : cases) {
    const DelimitedRefusal r = Refusal(c.text);
    EXPECT_EQ(r.kind, c.kind) << c.text;
    EXPECT_EQ(r.row, c.row) << c.text;
    EXPECT_EQ(r.column, c.column) << c.text;
    EXPECT_EQ(r.text, c.cellText) << c.text;
    EXPECT_EQ(r.cells, c.cells) << c.text;
    EXPECT_EQ(r.expected, c.expected) << c.text;
  }
}

}  // namespace

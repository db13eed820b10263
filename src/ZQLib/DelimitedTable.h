// Tables as spreadsheets and R write them: a header row of variable names,
// cells separated by commas, semicolons, tabs or (as R's write.table writes
// by default) blanks, text cells possibly quoted (a doubled quote inside, or
// a quote after a backslash, stands for one quote), an optional first column
// of unit names. Reading is a function of the text: it returns the table, or a
// refusal naming the row, the column and the text at fault.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// True when the file name ends in ".csv", ".tsv" or ".txt" (any case): the
// endings under which a delimited table is looked for.
bool HasDelimitedTableName(const std::string& fileName);

// True when the first line of `text` that is not blank (a UTF-8 byte-order
// mark at the start is passed over) is the header of a delimited table: it
// holds a comma, semicolon or tab outside quotes, and its first cell is empty
// or some cell holds text that is neither a number nor NA; or, with none of
// these, it is two or more blank-separated names, each quoted or a word that
// is neither a number nor NA; or it is a single name (quoted, or a word
// without blanks). A line
// whose first blank-delimited word is a number is never a header: a table in
// the program's own layout starts that way.
bool StartsWithDelimitedHeader(const std::string& text);

struct DelimitedTable {
  int rows = 0, cols = 0;
  std::vector<double> values;               // rows x cols, row after row; missing cells hold -999
  std::vector<std::string> unitLabels;      // one per row
  std::vector<std::string> variableLabels;  // one per column
  bool unitNamesInFile = false;             // the first column held the unit names
  char delimiter = 0;                       // ',', ';', '\t', ' ' for runs of blanks, or 0 for a single column
  bool decimalComma = false;                // with ';': a comma is the decimal mark
  int missingCells = 0;                     // empty or NA cells among the values
  // Labels that occur more than once, each named once, in order of first use.
  std::vector<std::string> repeatedUnitLabels, repeatedVariableLabels;
};

struct DelimitedRefusal {
  enum class Kind {
    None,
    NotANumber,         // row, column, text
    MixedDecimalMarks,  // row, column, text: a decimal point where other cells use a comma, or the reverse
    UnequalRow,         // row, cells, expected
    HeaderOnly,         // no row of values
    NoVariables,        // only the column of unit names
    UnclosedQuote,      // row, column where the quoted cell begins
    TooLarge,           // more rows or columns than an int counts
  };
  Kind kind = Kind::None;
  int row = 0, column = 0;  // from 1, as a spreadsheet numbers them; the header is row 1
  std::string text;         // the cell as written in the file, quotes removed
  int cells = 0, expected = 0;
};

// Reads a delimited table from the whole text of a file that starts with a
// header (StartsWithDelimitedHeader). The separator is the one the header
// holds (a tab before a semicolon before a comma, else runs of blanks between
// names); with a semicolon a comma in
// a number is its decimal mark. The first column holds the unit names when
// the header's first cell is empty, when some cell of that column is text, or
// when the header is one cell shorter than the rows (as R's write.table
// writes it). Empty cells and NA are missing values. Blank rows after the
// last row of values, and a last column that is empty in the header and in
// every row (a separator ending every line), are not part of the table.
// Unit and variable labels are made single words of at most labelBytes
// bytes: blanks and control characters become '_', longer names are cut at a
// character boundary, and an empty name becomes the number of its row or
// column among the units or variables (from 1). Returns false with *refusal
// filled when the text is not such a table.
bool ReadDelimitedTable(const std::string& text, size_t labelBytes, DelimitedTable* table,
                        DelimitedRefusal* refusal);

#include "ZQLib/DelimitedTable.h"

#include <cctype>
#include <climits>
#include <unordered_map>
#include <utility>

#include "ZQLib/MissingValue.h"
#include "ZQLib/TextWords.h"

namespace {

using Kind = DelimitedRefusal::Kind;

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t ByteOrderMarkLength(const std::string& text) { return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; }

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) b++;
  while (e > b && IsBlank(s[e - 1])) e--;
  return s.substr(b, e - b);
}

// Where the first line holding more than blanks begins, from `start`; the
// number of lines passed over goes to *skipped.
size_t FirstNonBlankLine(const std::string& text, size_t start, int* skipped) {
  size_t p = start;
  *skipped = 0;
  while (p < text.size()) {
    size_t e = p;
    bool blank = true;
    for (; e < text.size() && !IsLineEnd(text[e]); e++) blank = blank && IsBlank(text[e]);
    if (!blank) return p;
    if (e < text.size() && text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') e++;
    p = e + 1;
    ++*skipped;
  }
  return text.size();
}

std::string LineAt(const std::string& text, size_t p) {
  size_t e = p;
  while (e < text.size() && !IsLineEnd(text[e])) e++;
  return text.substr(p, e - p);
}

bool BlankSeparatedHeader(const std::string& line);

// The separator of a header line: a tab, else a semicolon, else a comma,
// outside quotes; else ' ' (runs of blanks) when the line is two or more
// names separated by blanks, as R's write.table writes by default; 0 when
// there is none.
char DetectDelimiter(const std::string& line) {
  bool quoted = false, tab = false, semicolon = false, comma = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted) {
      tab = tab || c == '\t';
      semicolon = semicolon || c == ';';
      comma = comma || c == ',';
    }
  }
  if (tab || semicolon || comma) return tab ? '\t' : (semicolon ? ';' : ',');
  return BlankSeparatedHeader(line) ? ' ' : 0;
}

struct Cell {
  std::string text;
  bool quoted = false;
};

// Records of a delimited text, one after the other. A quoted cell may hold
// separators, line ends and doubled quotes; text after its closing quote is
// kept as part of the cell. Lines end with LF, CR LF or CR.
class RecordReader {
 public:
  RecordReader(const std::string& text, size_t start, int rowsBefore, char delimiter)
      : t_(text), pos_(start), row_(rowsBefore), d_(delimiter) {}

  // The next record into `cells`; false at the end of the text.
  bool Next(std::vector<Cell>& cells) {
    const size_t n = t_.size();
    if (pos_ >= n) return false;
    row_++;
    cells.clear();
    unclosedColumn_ = 0;
    if (d_ == ' ') return NextBlankSeparated(cells);
    for (;;) {
      Cell cell;
      size_t p = pos_;
      while (p < n && IsBlank(t_[p]) && !IsDelimiter(t_[p])) p++;
      if (p < n && t_[p] == '"') {
        if (!ReadQuoted(cell, p)) {
          unclosedColumn_ = static_cast<int>(cells.size() + 1);
          cells.push_back(std::move(cell));
          pos_ = n;
          return true;
        }
      } else {
        p = pos_;
      }
      while (p < n && !IsDelimiter(t_[p]) && !IsLineEnd(t_[p])) cell.text.push_back(t_[p++]);
      cells.push_back(std::move(cell));
      if (p < n && IsDelimiter(t_[p])) {
        pos_ = p + 1;
        continue;
      }
      if (p < n) p += t_[p] == '\r' && p + 1 < n && t_[p + 1] == '\n' ? 2 : 1;  // the line end
      pos_ = p;
      return true;
    }
  }
  int row() const { return row_; }
  // The column (from 1) of a quoted cell the text ends in, or 0.
  int unclosedColumn() const { return unclosedColumn_; }

 private:
  bool IsDelimiter(char c) const { return d_ == ' ' ? IsBlank(c) : d_ != 0 && c == d_; }

  // A backslash before a quote inside a quoted cell, as R's write.table
  // writes a quote in a name ("B\"q"), unless that quote ends the cell.
  bool EscapedQuote(size_t p) const {
    const size_t n = t_.size();
    if (t_[p] != '\\' || p + 1 >= n || t_[p + 1] != '"') return false;
    return p + 2 < n && !IsDelimiter(t_[p + 2]) && !IsLineEnd(t_[p + 2]);
  }

  // The quoted cell whose opening quote is at p into `cell`, p then just
  // after its closing quote; false when the text ends inside it.
  bool ReadQuoted(Cell& cell, size_t& p) {
    const size_t n = t_.size();
    cell.quoted = true;
    p++;
    for (;;) {
      if (p >= n) return false;
      if (EscapedQuote(p)) {
        cell.text.push_back('"');
        p += 2;
      } else if (t_[p] != '"') {
        cell.text.push_back(t_[p++]);
      } else if (p + 1 < n && t_[p + 1] == '"') {
        cell.text.push_back('"');
        p += 2;
      } else {
        p++;
        return true;
      }
    }
  }

  // Cells separated by runs of blanks; blanks at either end of the line
  // separate nothing. A line of blanks is one empty cell.
  bool NextBlankSeparated(std::vector<Cell>& cells) {
    const size_t n = t_.size();
    size_t p = pos_;
    for (;;) {
      while (p < n && IsBlank(t_[p])) p++;
      if (p >= n || IsLineEnd(t_[p])) {
        if (cells.empty()) cells.emplace_back();
        if (p < n) p += t_[p] == '\r' && p + 1 < n && t_[p + 1] == '\n' ? 2 : 1;
        pos_ = p;
        return true;
      }
      Cell cell;
      if (t_[p] == '"' && !ReadQuoted(cell, p)) {
        unclosedColumn_ = static_cast<int>(cells.size() + 1);
        cells.push_back(std::move(cell));
        pos_ = n;
        return true;
      }
      while (p < n && !IsBlank(t_[p]) && !IsLineEnd(t_[p])) cell.text.push_back(t_[p++]);
      cells.push_back(std::move(cell));
    }
  }

  const std::string& t_;
  size_t pos_;
  int row_;
  char d_;
  int unclosedColumn_ = 0;
};

enum class CellKind { Empty, NA, Number, Text };

// What a trimmed cell holds. With decimalComma a comma is the decimal mark
// (a cell with both a comma and a point is text); *mark tells which decimal
// mark a number used (',' or '.', 0 for none).
CellKind Classify(const std::string& cell, bool decimalComma, double* value, char* mark) {
  *mark = 0;
  if (cell.empty()) return CellKind::Empty;
  if (cell == "NA") return CellKind::NA;
  std::string word = cell;
  if (decimalComma) {
    const size_t comma = word.find(',');
    const bool point = word.find('.') != std::string::npos;
    if (comma != std::string::npos) {
      if (point || word.find(',', comma + 1) != std::string::npos) return CellKind::Text;
      word[comma] = '.';
      *mark = ',';
    } else if (point) {
      *mark = '.';
    }
  }
  if (!ParseFiniteNumber(word, value)) {
    *mark = 0;
    return CellKind::Text;
  }
  return CellKind::Number;
}

// Two or more names separated by blanks, each quoted or a word that is not
// a number or NA.
bool BlankSeparatedHeader(const std::string& line) {
  RecordReader reader(line, 0, 0, ' ');
  std::vector<Cell> cells;
  if (!reader.Next(cells) || reader.unclosedColumn() != 0 || cells.size() < 2) return false;
  for (const Cell& c : cells) {
    double v;
    char mark;
    if (!c.quoted && Classify(c.text, false, &v, &mark) != CellKind::Text) return false;
  }
  return true;
}

// A label: one word of at most maxBytes bytes; an empty name is `number`.
std::string MakeLabel(const std::string& name, int number, size_t maxBytes) {
  std::string s = name;
  for (char& c : s) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F) c = '_';
  }
  if (s.empty()) s = std::to_string(number);
  return Utf8Prefix(s, maxBytes);
}

std::vector<std::string> RepeatedLabels(const std::vector<std::string>& labels) {
  std::unordered_map<std::string, int> uses;
  for (const std::string& l : labels) uses[l]++;
  std::vector<std::string> repeated;
  for (const std::string& l : labels) {
    int& u = uses[l];
    if (u > 1) repeated.push_back(l);
    if (u > 1) u = 0;  // named once
  }
  return repeated;
}

// Cells that use each decimal mark, and the first of them.
struct MarkUse {
  long long count = 0;
  int row = 0, column = 0;
  std::string text;
  void Add(int r, int c, const std::string& t) {
    if (count++ == 0) {
      row = r;
      column = c;
      text = t;
    }
  }
  void Merge(const MarkUse& other) {
    if (other.count == 0) return;
    const bool earlier = count == 0 || other.row < row || (other.row == row && other.column < column);
    if (earlier) {
      row = other.row;
      column = other.column;
      text = other.text;
    }
    count += other.count;
  }
};

bool Refuse(DelimitedRefusal* refusal, Kind kind, int row = 0, int column = 0, std::string text = std::string(),
            int cells = 0, int expected = 0) {
  refusal->kind = kind;
  refusal->row = row;
  refusal->column = column;
  refusal->text = std::move(text);
  refusal->cells = cells;
  refusal->expected = expected;
  return false;
}

int CountAsInt(size_t n) { return n > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }

}  // namespace

bool HasDelimitedTableName(const std::string& fileName) {
  if (fileName.size() < 5) return false;  // a name before the ending
  std::string ending = fileName.substr(fileName.size() - 4);
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending == ".csv" || ending == ".tsv" || ending == ".txt";
}

bool StartsWithDelimitedHeader(const std::string& text) {
  int skipped = 0;
  const std::string line = LineAt(text, FirstNonBlankLine(text, ByteOrderMarkLength(text), &skipped));
  // The program's own layout starts with a value.
  size_t b = 0;
  while (b < line.size() && std::isspace(static_cast<unsigned char>(line[b]))) b++;
  size_t e = b;
  while (e < line.size() && !std::isspace(static_cast<unsigned char>(line[e]))) e++;
  double v;
  if (b == e || ParseFiniteNumber(line.substr(b, e - b), &v)) return false;

  const char d = DetectDelimiter(line);
  std::vector<Cell> cells;
  RecordReader reader(line, 0, 0, d);
  reader.Next(cells);
  char mark;
  if (d == 0) {
    const std::string name = Trimmed(cells[0].text);
    if (!cells[0].quoted && name.find_first_of(" \t") != std::string::npos) return false;
    return Classify(name, false, &v, &mark) == CellKind::Text;
  }
  if (Trimmed(cells[0].text).empty()) return true;
  for (const Cell& c : cells)
    if (Classify(Trimmed(c.text), d == ';', &v, &mark) == CellKind::Text) return true;
  return false;
}

bool ReadDelimitedTable(const std::string& text, size_t labelBytes, DelimitedTable* table,
                        DelimitedRefusal* refusal) {
  *refusal = DelimitedRefusal();
  *table = DelimitedTable();
  int skipped = 0;
  const size_t headerStart = FirstNonBlankLine(text, ByteOrderMarkLength(text), &skipped);
  const char d = DetectDelimiter(LineAt(text, headerStart));
  const bool decimalComma = d == ';';
  RecordReader reader(text, headerStart, skipped, d);

  std::vector<Cell> cells;
  if (!reader.Next(cells)) return Refuse(refusal, Kind::HeaderOnly, skipped);
  if (reader.unclosedColumn() != 0) return Refuse(refusal, Kind::UnclosedQuote, reader.row(), reader.unclosedColumn());
  const int headerRow = reader.row();
  std::vector<std::string> header;
  for (const Cell& c : cells) header.push_back(Trimmed(c.text));
  size_t h = header.size();

  // The first column is kept as text until it is known whether it holds
  // names or values; the other columns are values from the start.
  size_t n = 0;  // cells per row, set by the first row of values
  std::vector<std::string> firstTexts;
  std::vector<CellKind> firstKinds;
  std::vector<double> firstValues;
  std::vector<double> rest;  // rows x (n - 1)
  long long missingFirst = 0, missingRest = 0;
  MarkUse commaFirst, pointFirst, commaRest, pointRest;
  bool lastColumnEmpty = true;
  size_t rows = 0;

  auto addRow = [&](const std::vector<Cell>& row, int rowNumber) {
    if (row.size() != n) return Refuse(refusal, Kind::UnequalRow, rowNumber, 0, "", CountAsInt(row.size()), CountAsInt(n));
    if (rows == static_cast<size_t>(INT_MAX)) return Refuse(refusal, Kind::TooLarge, rowNumber);
    double v = 0;
    char mark;
    const std::string first = Trimmed(row[0].text);
    const CellKind k = Classify(first, decimalComma, &v, &mark);
    if (k == CellKind::Empty || k == CellKind::NA) missingFirst++;
    if (mark == ',') commaFirst.Add(rowNumber, 1, first);
    if (mark == '.') pointFirst.Add(rowNumber, 1, first);
    firstTexts.push_back(first);
    firstKinds.push_back(k);
    firstValues.push_back(k == CellKind::Number ? v : MISSING_VALUE);
    for (size_t j = 1; j < n; j++) {
      const std::string cell = Trimmed(row[j].text);
      const int column = CountAsInt(j + 1);
      switch (Classify(cell, decimalComma, &v, &mark)) {
        case CellKind::Text:
          return Refuse(refusal, Kind::NotANumber, rowNumber, column, cell);
        case CellKind::Empty:
        case CellKind::NA:
          if (j == n - 1 && !cell.empty()) lastColumnEmpty = false;
          v = MISSING_VALUE;
          missingRest++;
          break;
        case CellKind::Number:
          if (j == n - 1) lastColumnEmpty = false;
          if (mark == ',') commaRest.Add(rowNumber, column, cell);
          if (mark == '.') pointRest.Add(rowNumber, column, cell);
          break;
      }
      rest.push_back(v);
    }
    rows++;
    return true;
  };

  // Blank records are rows of missing values when rows of values follow
  // them, and the end of the table otherwise.
  std::vector<std::pair<int, size_t>> blankRows;  // row number, cells
  while (reader.Next(cells)) {
    if (reader.unclosedColumn() != 0)
      return Refuse(refusal, Kind::UnclosedQuote, reader.row(), reader.unclosedColumn());
    bool blank = true;
    for (const Cell& c : cells) blank = blank && Trimmed(c.text).empty();
    // A line with nothing but blanks on it is no row of a table of columns.
    if (blank && d != 0 && cells.size() == 1 && !cells[0].quoted) continue;
    if (blank) {
      blankRows.emplace_back(reader.row(), cells.size());
      continue;
    }
    if (n == 0) {
      n = cells.size();
      if (n != h && n != h + 1) return Refuse(refusal, Kind::UnequalRow, reader.row(), 0, "", CountAsInt(n), CountAsInt(h));
      if (n > static_cast<size_t>(INT_MAX)) return Refuse(refusal, Kind::TooLarge, reader.row());
    }
    for (const auto& b : blankRows)
      if (!addRow(std::vector<Cell>(b.second), b.first)) return false;
    blankRows.clear();
    if (!addRow(cells, reader.row())) return false;
  }
  if (rows == 0) return Refuse(refusal, Kind::HeaderOnly, headerRow);

  // A separator at the end of every line adds an empty last column.
  size_t restWidth = n - 1;
  if (n >= 2 && lastColumnEmpty && (n == h + 1 || header[h - 1].empty())) {
    if (n == h) {
      header.pop_back();
      h--;
    }
    std::vector<double> kept;
    kept.reserve(rows * (restWidth - 1));
    for (size_t i = 0; i < rows; i++)
      kept.insert(kept.end(), rest.begin() + i * restWidth, rest.begin() + i * restWidth + restWidth - 1);
    rest.swap(kept);
    missingRest -= static_cast<long long>(rows);
    restWidth--;
    n--;
  }

  bool firstHasText = false;
  for (CellKind k : firstKinds) firstHasText = firstHasText || k == CellKind::Text;
  const bool names = n == h + 1 || header[0].empty() || firstHasText;
  const size_t cols = names ? n - 1 : n;
  if (cols == 0) return Refuse(refusal, Kind::NoVariables, headerRow);

  MarkUse comma = commaRest, point = pointRest;
  if (!names) {
    comma.Merge(commaFirst);
    point.Merge(pointFirst);
  }
  if (comma.count > 0 && point.count > 0) {
    const MarkUse& odd = comma.count < point.count ? comma : point;
    return Refuse(refusal, Kind::MixedDecimalMarks, odd.row, odd.column, odd.text);
  }

  DelimitedTable& t = *table;
  t.rows = static_cast<int>(rows);
  t.cols = static_cast<int>(cols);
  t.unitNamesInFile = names;
  t.delimiter = d;
  t.decimalComma = decimalComma;
  t.missingCells = CountAsInt(static_cast<size_t>(missingRest + (names ? 0 : missingFirst)));
  t.values.reserve(rows * cols);
  for (size_t i = 0; i < rows; i++) {
    if (!names) t.values.push_back(firstValues[i]);
    t.values.insert(t.values.end(), rest.begin() + i * restWidth, rest.begin() + (i + 1) * restWidth);
  }
  for (size_t i = 0; i < rows; i++)
    t.unitLabels.push_back(MakeLabel(names ? firstTexts[i] : std::string(), static_cast<int>(i + 1), labelBytes));
  const size_t skip = names && n == h ? 1 : 0;
  for (size_t j = 0; j < cols; j++)
    t.variableLabels.push_back(MakeLabel(header[j + skip], static_cast<int>(j + 1), labelBytes));
  t.repeatedUnitLabels = RepeatedLabels(t.unitLabels);
  t.repeatedVariableLabels = RepeatedLabels(t.variableLabels);
  return true;
}

// Menu option N: new data or an existing session, the dialogue that reads a
// data table from a text file, and its echo to the results file.
#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "ZQLib/DelimitedTable.h"
#include "ZQLib/TableChecks.h"
#include "ZQLib/TextWords.h"
#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* pt, const char* en) { return port ? pt : en; }

bool AnsweredYes(char c) { return c == 's' || c == 'y'; }

char AskYesNo(const char* pt, const char* en) {
  fprintf(out, "%s", Tx(pt, en));
  return ScanChar(in, YesNoAccepted(), KeyboardLabel());
}

bool IsFolder(const char* name) {
  struct stat st;
  return stat(name, &st) == 0 && S_ISDIR(st.st_mode);
}

long long FileSize(const char* name) {
  struct stat st;
  if (stat(name, &st) != 0) return 0;
  return static_cast<long long>(st.st_size);
}

// A dimension of the table: a positive whole number that fits an int.
int AskDimension(const char* pt, const char* en) {
  for (;;) {
    fprintf(out, "%s", Tx(pt, en));
    double v = ScanNumber(in, KeyboardLabel(), "-", 1.0, 3.4028234663852886e38);
    if (v < static_cast<double>(INT_MAX) + 1.0 && static_cast<int>(v) >= 1) return static_cast<int>(v);
    fprintf(stderr, "\a\nIncorrect input = %g. Reenter.\nAccepted input: %g to %g\n", v, 1.0,
            static_cast<double>(INT_MAX));
  }
}

// Next word of the file as a label, cut to LABEL_LEN bytes at a character
// boundary.
bool ReadLabel(WordReader& words, char* target) {
  std::string w;
  if (!words.Next(w)) return false;
  const std::string label = Utf8Prefix(w, LABEL_LEN);
  snprintf(target, LABEL_LEN + 1, "%s", label.c_str());
  return true;
}

// One round of the variable types; the answers are kept in `types` when it
// has room for them (a table the file cannot hold keeps none) and the kind
// flags are set from them.
void AskVariableTypes(std::vector<int>& types) {
  fprintf(out, "%s",
          Tx("Especifique o tipo de variavel (1:binaria,2:qualitativa,3:quantitativa escala de intervalo ou "
             "racional,4:ordinal):\n",
             "Enter variable type (1:binary,2:qualitative,3:quantitative interval or ratio scale,4:ordinal): \n"));
  fprintf(out, "%s", Tx("Variavel: ", "Variable: "));
  for (int j = 1; j <= nVar; j++) fprintf(out, "%-3d", j);
  fprintf(out, "%s", Tx("\nTipo:     ", "\nType:     "));
  temQuant = temQual = temBin = 0;
  for (int j = 0; j < nVar; j++) {
    const int t = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 4"));
    if (static_cast<size_t>(j) < types.size()) types[j] = t;
    if (t == 1) temBin = 1;
    else if (t == 2) temQual = 1;
    else temQuant = 1;
  }
}

void MixedTypesDialogue(std::vector<int>& types) {
  do {
    AskVariableTypes(types);
  } while (AnsweredYes(AskYesNo("Corrigir? s/n ", "Wish to correct? y/n ")));
  while (temQuant + temQual + temBin < 2) {
    fprintf(out, "%s", Tx("Dados nao sao mistos como indicado!!!\n", "Data not mixed as indicated!!!\n"));
    if (!AnsweredYes(AskYesNo("Corrigir manualmente? s/n ", "Wish to correct manually? y/n "))) {
      optVarTipo = temQual ? 3 : (temQuant ? 2 : 4);
      return;
    }
    AskVariableTypes(types);
  }
}

void AskOrder() {
  if (nVar < 2) {
    format = 'N';
    return;
  }
  if (optVarTipo == 6)
    fprintf(out, "%s",
            Tx("Dados ordenados por (as linhas da matriz correspondem a): \n\t(N) linhas da tabela de contingencia "
               "(r1c1,..., r1cp,..., rnc1,..., rncp)\n\t(T) colunas da tabela de contingencia (r1c1,..., rnc1,..., "
               "r1cp,..., rncp)\n\t\tEntre opcao: ",
               "Data ordered by (the rows of the matrix correspond to): \n\t(N) rows of the contingency table "
               "(r1c1,..., r1cp,..., rnc1,..., rncp)\n\t(T) columns of the contingency table (r1c1,..., rnc1,..., "
               "r1cp,..., rncp)\n\t\tEnter option: "));
  else
    fprintf(out, "%s",
            Tx("Dados ordenados por (as linhas da matriz correspondem a): \n\t(N) unidades amostrais (u1v1,..., "
               "u1vp,..., unv1,..., unvp)\n\t(T) variaveis (u1v1,..., unv1,..., u1vp,..., unvp)\n\t\tEntre opcao: ",
               "Data ordered by (the rows of the matrix correspond to): \n\t(N) sampling units (u1v1,..., u1vp,..., "
               "unv1,..., unvp)\n\t(T) variables (u1v1,..., unv1,..., u1vp,..., unvp)\n\t\tEnter option: "));
  format = static_cast<char>(toupper(ScanChar(in, "T N", KeyboardLabel())));
}

void IncompleteFileMessage() {
  fprintf(out,
          Tx("\nO arquivo %s nao foi lido porque esta incompleto.\nFavor conferir!\n",
             "\nFile %s was not read because it is incomplete.\nPlease check!\n"),
          filename);
}

// Why the values could not be read.
enum class ValuesProblem { None, Incomplete, NotANumber };

// The values in the order chosen. Each must be a whole word that is a finite
// number: a word such as "NA" is not skipped, which would shift every later
// value, and "nan" or "inf" would poison every measure computed on it.
ValuesProblem ReadValues(WordReader& words) {
  std::string w;
  for (long long k = 0, n = static_cast<long long>(nObj) * nVar; k < n; k++) {
    if (!words.Next(w)) return ValuesProblem::Incomplete;
    double v;
    if (!ParseFiniteNumber(w, &v)) {
      fprintf(out,
              Tx("\nO arquivo %s nao foi lido: na linha %d, posicao %d, \"%s\" nao e um numero finito (valores "
                 "faltantes sao escritos -999).\nFavor conferir!\n",
                 "\nFile %s was not read: at line %d, position %d, \"%s\" is not a finite number (missing values "
                 "are written -999).\nPlease check!\n"),
              filename, words.line(), words.column(), PrintableWord(w).c_str());
      return ValuesProblem::NotANumber;
    }
    const int unit = static_cast<int>(format == 'T' ? k % nObj : k / nVar);
    const int variable = static_cast<int>(format == 'T' ? k / nObj : k % nVar);
    dataOrig[unit][variable] = v;
  }
  return ValuesProblem::None;
}

// Labels; false when the file ends first.
bool AskLabels(WordReader& words) {
  fprintf(out, "%s", Tx("\nNomes para as unidades amostrais e variaveis: \n", "\nLabels for sampling units and variables: \n"));
  fprintf(out, "%s", Tx("\t(1) usar padrao automatico (1, 2, ...) \n", "\t(1) given by default (1, 2, ...) \n"));
  fprintf(out,
          Tx("\t(2) ler nomes apos dados no arquivo %s\n\t       (comecando por u. amostrais, nomes com ate %d simbolos "
             "alfanumericos)\n",
             "\t(2) read labels after data on file %s\n\t       (s. units first, labels with max. %d alphanumeric "
             "symbols)\n"),
          filename, LABEL_LEN);
  fprintf(out, "%s", Tx("\t\tEntre opcao: ", "\t\tEnter option: "));
  optLabel = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  if (optLabel == 1) {
    for (int i = 0; i < nObj; i++) snprintf(uaLabels[i], LABEL_LEN + 1, "%d", i + 1);
    for (int j = 0; j < nVar; j++) snprintf(varLabels[j], LABEL_LEN + 1, "%d", j + 1);
    return true;
  }
  for (int i = 0; i < nObj; i++)
    if (!ReadLabel(words, uaLabels[i])) return false;
  for (int j = 0; j < nVar; j++)
    if (!ReadLabel(words, varLabels[j])) return false;
  return true;
}

// The whole file; false when it cannot be read.
bool ReadWholeFile(const char* name, std::string& text) {
  FILE* f = fopenck(name, nullptr, "rb");
  if (f == nullptr) return false;
  text.clear();
  char buffer[65536];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, got);
  const bool ok = !ferror(f);
  fclose(f);
  return ok;
}

void PrintDelimitedRefusal(const char* name, const DelimitedRefusal& r) {
  using Kind = DelimitedRefusal::Kind;
  fprintf(out, Tx("\nO arquivo %s nao foi lido: ", "\nFile %s was not read: "), name);
  const std::string text = PrintableWord(r.text);
  switch (r.kind) {
    case Kind::NotANumber:
      fprintf(out,
              Tx("na linha %d, coluna %d, \"%s\" nao e um numero (valores faltantes ficam vazios ou sao escritos NA).",
                 "at row %d, column %d, \"%s\" is not a number (missing values are left empty or written NA)."),
              r.row, r.column, text.c_str());
      break;
    case Kind::MixedDecimalMarks:
      fprintf(out,
              Tx("na linha %d, coluna %d, \"%s\" usa outra marca decimal (virgula ou ponto) que as demais celulas.",
                 "at row %d, column %d, \"%s\" uses another decimal mark (comma or point) than the other cells."),
              r.row, r.column, text.c_str());
      break;
    case Kind::UnequalRow:
      fprintf(out, Tx("a linha %d tem %d celulas, e nao %d como as linhas acima dela.",
                      "row %d has %d cells, not %d as the rows above it."),
              r.row, r.cells, r.expected);
      break;
    case Kind::HeaderOnly:
      fprintf(out, "%s",
              Tx("ele tem a linha de cabecalho mas nenhuma linha de valores.",
                 "it holds the header row but no row of values."));
      break;
    case Kind::NoVariables:
      fprintf(out, "%s",
              Tx("ele nao tem coluna de valores alem dos nomes das unidades amostrais.",
                 "it holds no column of values besides the names of the sampling units."));
      break;
    case Kind::UnclosedQuote:
      fprintf(out, Tx("a celula entre aspas que comeca na linha %d, coluna %d, nao e fechada.",
                      "the quoted cell that begins at row %d, column %d, is never closed."),
              r.row, r.column);
      break;
    case Kind::TooLarge:
      fprintf(out, Tx("a tabela passa de %d linhas ou colunas.", "the table has more than %d rows or columns."), INT_MAX);
      break;
    case Kind::None:
      break;
  }
  fprintf(out, "%s", Tx("\nFavor conferir!\n", "\nPlease check!\n"));
  fputc('\a', stdout);
}

// Up to ten labels, separated by commas.
std::string LabelList(const std::vector<std::string>& labels) {
  std::string s;
  for (size_t k = 0; k < labels.size() && k < 10; k++) s += (k ? ", " : "") + labels[k];
  if (labels.size() > 10) s += ", ...";
  return s;
}

// A table written as spreadsheets and R write them; false, after saying why,
// when the file is not one. Nothing of the session is changed here.
bool ReadDelimitedFile(const char* name, const std::string& text, DelimitedTable& table) {
  DelimitedRefusal refusal;
  if (!ReadDelimitedTable(text, LABEL_LEN, &table, &refusal)) {
    PrintDelimitedRefusal(name, refusal);
    return false;
  }
  fprintf(out, Tx("\nLidas %d unidades amostrais e %d variaveis de %s.\n", "\nRead %d sampling units and %d variables from %s.\n"),
          table.rows, table.cols, name);
  if (table.missingCells > 0)
    fprintf(out,
            Tx("%d valores faltantes (celulas vazias ou NA) guardados como -999.\n",
               "%d missing values (empty cells or NA) stored as -999.\n"),
            table.missingCells);
  if (!table.repeatedUnitLabels.empty())
    fprintf(out, Tx("Nomes de unidades amostrais repetidos: %s\n", "Names of sampling units given more than once: %s\n"),
            LabelList(table.repeatedUnitLabels).c_str());
  if (!table.repeatedVariableLabels.empty())
    fprintf(out, Tx("Nomes de variaveis repetidos: %s\n", "Names of variables given more than once: %s\n"),
            LabelList(table.repeatedVariableLabels).c_str());
  return true;
}

// The values and labels of a file in the program's own layout, in the order
// and with the labels chosen in the dialogue; false, with the data arrays
// released and the reason given, when the file does not hold them.
bool ReadOwnLayout() {
  FILE* f = fopenck(filename, nullptr, "r");
  if (f == nullptr) {
    LivraMemoria();
    IncompleteFileMessage();
    return false;
  }
  WordReader words(f);
  const ValuesProblem problem = ReadValues(words);
  if (problem != ValuesProblem::None) {
    fclose(f);
    LivraMemoria();
    if (problem == ValuesProblem::Incomplete) {
      fprintf(stderr, "\nEnd of file %s\n", filename);
      fputc('\a', stdout);
      IncompleteFileMessage();
    }
    return false;
  }
  if (!AskLabels(words)) {
    fclose(f);
    LivraMemoria();
    fprintf(out,
            Tx("\nNomes nao foram lidos porque o arquivo %s esta incompleto.\nFavor conferir!\n",
               "\nLabels not read because the file %s is incomplete.\nPlease check!\n"),
            filename);
    return false;
  }
  fclose(f);
  return true;
}


// Refuses, before anything is written, an expansion longer than the limit.
bool ExpansionWithinLimit() {
  const double rows = ContingencyExpandedRowCount(nObj, nVar, dataOrig);
  if (rows <= kMaxExpandedRows) return true;
  fprintf(out,
          Tx("\nExpansao recusada: a tabela de contingencia daria %.0f linhas, mais que o limite de %.0f linhas.\n",
             "\nExpansion refused: the contingency table would give %.0f rows, more than the limit of %.0f rows.\n"),
          rows, kMaxExpandedRows);
  fputc('\a', stdout);
  return false;
}

void WriteExpandedContingencyTable(FILE* f) {
  int total = 0;
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++) {
      const double sum = total + dataOrig[i][j];
      if (sum != sum) continue;  // a value that is not a number adds nothing
      total = sum >= static_cast<double>(INT_MAX) ? INT_MAX : (sum <= INT_MIN ? INT_MIN : static_cast<int>(sum));
    }
  fprintf(f, "%s", Tx("\nTabela de contingencia expandida:\n", "\nExpanded contingency table:\n"));
  fprintf(f,
          Tx("\t(Linhas= %d unidades amostrais, colunas= %d variaveis nominais)\n",
             "\t(Rows= %d sampling units, columns= %d nominal variables)\n"),
          total, 2);
  for (int i = 0; i < nObj; i++)
    for (int j = 0; j < nVar; j++) {
      const double c = dataOrig[i][j];
      if (!(c > 0)) continue;
      for (int k = 0; k < c; k++) fprintf(f, "%d\t%d\n", i + 1, j + 1);
    }
}

void EchoData() {
  FILE* f = OpenResultsFile();
  if (f == nullptr) {
    fprintf(stderr, "\ncan't open %s \n", resultsFileName);
    fputc('\a', stdout);
    return;
  }
  fprintf(f, "\n%s\n", line);
  fprintf(f, Tx("PLEXOR versao %s", "PLEXOR version %s"), versao);
  fprintf(f, "\n%s\n", line);
  TimeStamp(f);
  ShowStatus(f);
  fprintf(f, "%s", Tx("\nMatriz de dados originais:\n", "\nOriginal data matrix:\n"));
  fprintf(f, Tx("\t(Linhas= %d unidades amostrais, colunas= %d variaveis)\n", "\t(Rows= %d sampling units, columns= %d variables)\n"),
          nObj, nVar);
  fprintf(f, "%s", Tx("Rotulos de unidades amostrais:\t", "Labels of sampling units:\t"));
  PrintStringVectorTab(f, nObj, uaLabels, nullptr);
  fprintf(f, "%s", Tx("Rotulos de variaveis:\t", "Labels of variables:\t"));
  PrintStringVectorTab(f, nVar, varLabels, nullptr);
  PrintMatrixFloat(f, nObj, nVar, dataOrig, sDigits, 0);
  if (optVarTipo == 6) {
    char c = AskYesNo(
        "Expandir tabela de contingencia em dados com duas variaveis nominais (a primeira especificando a linha, a "
        "segunda a coluna)? s/n ",
        "Do you wish to expand the contingeny table into data with two nominal variables (the first specifying the "
        "row, the second the column)? y/n ");
    if (AnsweredYes(c) && ExpansionWithinLimit()) WriteExpandedContingencyTable(f);
  }
  fclose(f);
  fprintf(stdout, "%s", Tx("\nVeja dados no arquivo Zoviri.txt.", "\nSee data on file Zoviri.txt."));
}

}  // namespace

int AbreDados() {
  char name[NAME_LEN];
  for (;;) {
    fprintf(out, "%s", Tx("Entre nome do arquivo com matriz de dados: ", "Enter name of file containing data matrix: "));
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    if (IsFolder(name)) {
      // A folder opens like a file but holds no values to read.
      fprintf(out, Tx("\n%s e uma pasta, nao um arquivo de dados.\n", "\n%s is a folder, not a data file.\n"), name);
      fputc('\a', stdout);
    } else if (FILE* f = fopenck(name, nullptr, "r")) {
      fclose(f);
      break;
    }
    if (!AnsweredYes(AskYesNo("Tentar novamente? s/n ", "Try again? y/n "))) return 0;
  }

  // A table with a header row, as spreadsheets and R write them, brings its
  // own dimensions and labels; any other file is in the program's own layout.
  DelimitedTable table;
  bool delimited = false;
  if (HasDelimitedTableName(name)) {
    std::string text;
    if (ReadWholeFile(name, text) && StartsWithDelimitedHeader(text)) {
      if (!ReadDelimitedFile(name, text, table)) return 0;
      delimited = true;
    }
  }

  fprintf(out, "%s",
          Tx("Os dados contem: \n\t(1) somente variaveis quantitativas, medidas na mesma escala\n\t(2) somente variaveis "
             "quantitativas, escalas diferentes\n\t(3) somente variaveis qualitativas nao binarias\n\t(4) somente "
             "variaveis binarias\n\t(5) varios tipos de variaveis\n \t(6) uma tabela de contingencia\n\t\tEntre opcao: ",
             "The data contain: \n\t(1) only quantitative variables, same measurement scale\n\t(2) only quantitative "
             "variables, different scales\n\t(3) only qualitative, non binary variables\n\t(4) only binary "
             "variables\n\t(5) several variable types \n\t(6) a contingency table \n\t\tEnter option: "));
  const int kind = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 4 5 6"));
  int rows, cols;
  if (delimited) {
    rows = table.rows;
    cols = table.cols;
  } else if (kind == 6) {
    rows = AskDimension("Numero de linhas:    ", "Number of rows:    ");
    cols = AskDimension("Numero de colunas: ", "Number of columns: ");
  } else {
    rows = AskDimension("Numero de unidades amostrais:    ", "Number of sampling units:    ");
    cols = AskDimension("Numero de variaveis: ", "Number of variables: ");
  }

  optTrEs = optTrVeVar = optTrVeUnits = 0;
  secondSet = false;
  LivraMemoria();  // also whatever a table no longer current left behind
  temQuant = temQual = temBin = 0;
  snprintf(filename, sizeof filename, "%s", name);
  nObj = rows;
  nVar = cols;
  optVarTipo = kind;
  // Every value takes at least one character and a separator: a file smaller
  // than that cannot hold the table. The dialogue goes on as for any table,
  // but nothing is allocated for it and it is refused as incomplete.
  const long long capacity = FileSize(filename) / 2 + 1;
  const bool fits = delimited || static_cast<long long>(rows) * cols <= capacity;

  std::vector<int> types(fits ? static_cast<size_t>(nVar) : 0, 0);
  if (kind == 5 && !fits && cols > capacity) {
    // Not even one row fits: no list of types is asked for so many variables.
    temQuant = 1;
  } else if (kind == 5) {
    MixedTypesDialogue(types);
  } else {
    const int t = kind == 3 ? 2 : (kind == 4 ? 1 : 3);
    types.assign(types.size(), t);
    if (t == 3) temQuant = 1;
    if (t == 2) temQual = 1;
    if (t == 1) temBin = 1;
  }
  if (delimited)
    format = 'N';
  else
    AskOrder();
  if (!fits) {
    IncompleteFileMessage();
    return 0;
  }
  Dimensiona();
  for (int j = 0; j < nVar; j++) varType[j] = types[j];
  if (delimited) {
    for (int i = 0; i < nObj; i++)
      for (int j = 0; j < nVar; j++) dataOrig[i][j] = table.values[static_cast<size_t>(i) * nVar + j];
    for (int i = 0; i < nObj; i++) snprintf(uaLabels[i], LABEL_LEN + 1, "%s", table.unitLabels[i].c_str());
    for (int j = 0; j < nVar; j++) snprintf(varLabels[j], LABEL_LEN + 1, "%s", table.variableLabels[j].c_str());
    optLabel = 2;
  } else if (!ReadOwnLayout()) {
    return 0;
  }
  for (int i = 0; i < nObj; i++) memcpy(data[i], dataOrig[i], sizeof(double) * nVar);
  temDados = 1;

  char answer = AskYesNo("\nIncluir matriz de dados no arquivo com resultados? s/n ",
                         "\nInclude data matrix in the output file? y/n ");
  optPrintData = AnsweredYes(answer) ? 's' : answer;
  if (optPrintData != 's') return 1;
  EchoData();
  return 1;
}

int SpecifySession() {
  char c;
  if (port) {
    fprintf(out, "Deseja especificar novos dados (n) ou abrir (a) uma sessao ja existente? n/a ");
    c = ScanChar(in, "n a", KeyboardLabel());
  } else {
    fprintf(out, "Wish to specify new data (n) or to open (o) an existing session? n/o ");
    c = ScanChar(in, "n o", KeyboardLabel());
  }
  if (c != 'n') {
    OpenSession();
  } else if (AbreDados() == 1) {
    if (strcmp(sessionName, "Sessao") != 0 &&
        AskYesNo("Deseja renomear esta sessao? s/n ", "Wish to rename this session? y/n ") != 'n')
      SaveSession();
    WriteSessionTrack();
  } else {
    // The results file was settled at start-up: only the session is offered.
    OfferLastSessionAgain();
  }
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  SetStepReached();
  return 1;
}

void PrintData(FILE* f, int rows, int cols, int digits, double** m) {
  fprintf(f, "%s", Tx("Matriz de dados:\n", "Data matrix:\n"));
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) fprintf(f, "%8.*g\t", digits, m[i][j]);
    fprintf(f, "\n");
  }
}

void PrintData(FILE* f, int rows, int cols, int digits, float** m) {
  fprintf(f, "%s", Tx("Matriz de dados:\n", "Data matrix:\n"));
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) fprintf(f, "%8.*g\t", digits, static_cast<double>(m[i][j]));
    fprintf(f, "\n");
  }
}

void PrintRese(FILE* f, int n, int digits, double** m) {
  fprintf(f, "%s", Tx("\nMatriz de semelhanca:\n", "\nResemblance matrix:\n"));
  // Shown as a lower triangle: the upper triangle is moved below the diagonal
  // for printing and put back afterwards.
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      double t = m[i][j];
      m[i][j] = m[j][i];
      m[j][i] = t;
    }
  PrintLowerHalfMatrix(f, n, m, digits, 0);
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      double t = m[i][j];
      m[i][j] = m[j][i];
      m[j][i] = t;
    }
}

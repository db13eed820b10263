// The status report of the analysis, printed before the menus and copied into
// the results file, and the common header of every block of results.
#include <omp.h>

#include <cstdio>
#include <cstring>

#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* pt, const char* en) { return port ? pt : en; }

void VectorTransformationLine(FILE* f) {
  fprintf(f, "%s", Tx("Transformacao vetorial: ", "Vector transformation: "));
  if (optTrVeVar == 0 && optTrVeUnits == 0) fprintf(f, "%s\n", optTrVe2Info[0]);
  if (optTrVeVar > 0) {
    fprintf(f, Tx("%s, dentro de variaveis", "%s, within variables"), optTrVe2Info[optTrVeVar]);
    fprintf(f, "%s", optTrVeUnits > 0 ? Tx(" e ", " and ") : "\n");
  }
  if (optTrVeUnits > 0 && optTrVeUnits != 6 && optTrVeUnits != 11 && optTrVeUnits != 12)
    fprintf(f, Tx("%s, dentro de unid. amostrais\n", "%s, within sampling units\n"),
            optTrVe2Info[optTrVeUnits]);
  if (optTrVeUnits == 6 || optTrVeUnits == 11) fprintf(f, "%s\n", optTrVe2Info[optTrVeUnits]);
}

void BealsLines(FILE* f) {
  static const char* typeE[] = {
      "Co-occurence probabilities based on presences and absences of both reference and target "
      "variables (as in De Caceres&Legendre (2008) main text)\n",
      "Co-occurence probabilities of target variable weighted by quantities of reference variables "
      "(as in De Caceres&Legendre (2008) Appendix)\n",
      "Co-occurence probabilities based on abundances of both reference and target variables (not "
      "clear what is the assumption here)\n"};
  static const char* typeP[] = {
      "Probabilidades de coocorrencia baseadas na presenca e ausencia tanto das variaveis de "
      "referencia como das variaveis alvo (De Caceres & Legendre (2008) texto principal)\n",
      "Probabilidades de coocorrencia da variavel alvo ponderada pelas quantidades das variaveis de "
      "referencia (De Caceres&Legendre (2008) Apendice)\n",
      "Probabilidades de coocorrencia baseadas nas quantidades tanto das variaveis de referencia "
      "como das variaveis alvo (nao sao claros os pressupostos desta opcao)\n"};
  if (BealsTypeOpt >= 0 && BealsTypeOpt <= 2) fprintf(f, "%s", (port ? typeP : typeE)[BealsTypeOpt]);
  fprintf(f, "%s",
          BealsIncludeOpt ? Tx("Valores da especie alvo incluidos na sua propria predicao\n",
                               "Target species values included in their own prediction\n")
                          : Tx("Valores da especie alvo NAO incluidos na sua propria predicao\n",
                               "Target species values NOT included in their own prediction\n"));
  fprintf(f, "%s",
          BealsNormalizeOpt ? Tx("Probabilidades de coocorrencia padronizadas\n",
                                 "Probabilities of co-occurrence standardized to unit sum\n")
                            : Tx("Probabilidades de coocorrencia NAO padronizadas\n",
                                 "Probabilities of co-occurrence NOT standardized to unit sum\n"));
}

void ResemblanceLines(FILE* f) {
  fprintf(f, Tx("Medida de semelhanca: %s, %s\n", "Resemblance measure: %s, %s\n"),
          optReseTipoInfo[optReseTipo], optReseDirInfo[optReseDir]);
  fprintf(f, Tx("Tranformacao da medida de semelhanca: %s\n", "Transformation of the resemblance measure: %s\n"),
          optPostReseTransfInfo[optPostReseTransf]);
  if (optReseTipo == 5) {
    if (port)
      fprintf(f, "Ausencias compartilhadas em variaveis binarias %s foram consideradas.\n",
              yesnoInfo[countDoubleAbsence ? 1 : 0]);
    else
      fprintf(f, "%s", countDoubleAbsence == 1 ? "Joint absences in binary variables were considered.\n"
                                               : "Joint absences in binary variables were NOT considered.\n");
  }
  if (optReseTipo == 7 || optReseTipo == 8 || optReseTipo == 9)
    fprintf(f, Tx("Ordem da medida de entropia (alfa na entropia geral de Reyni): %g\n",
                  "Order of entropy measure (alpha in Reyni's general entropy): %g\n"),
            alphaH);
  if (optReseTipo == 19) fprintf(f, Tx("Parametro k: %g\n", "k Parameter: %g\n"), kParameter);
}

// Lines 1 to 16b of the report for the data set now current. Returns true when
// the line naming a second data set was written.
bool StatusOfCurrentSet(FILE* f, bool mayShowSecondSet) {
  if (strcmp(sessionName, "Sessao") == 0)
    fprintf(f, "%s", Tx("\nStatus da analise:", "\nAnalysis status:"));
  else
    fprintf(f, Tx("\nStatus da analise sessao %s:", "\nAnalysis status session %s:"), sessionName);
  if (temDados != 1) {
    fprintf(f, "%s", Tx(" Dados nao disponiveis.\n", " Data not available.\n"));
    return false;
  }
  fprintf(f, Tx("\nArquivo de dados: %s\n", "\nData file name: %s\n"), filename);
  fprintf(f, Tx("Dimensoes: %d unidades amostrais, %d variaveis\n", "Dimensions: %d sampling units, %d variables\n"),
          nObj, nVar);
  fprintf(f, Tx("Tipo de dados: %s\n", "Data type: %s\n"), optVarTipoInfo[optVarTipo]);
  if (optVarTipo == 5) {
    fprintf(f, "%s", Tx("Variavel: ", "Variable: "));
    for (int j = 1; j <= nVar; j++) fprintf(f, "%d ", j);
    fprintf(f, "%s", Tx("\nTipo:     ", "\nType:     "));
    for (int j = 0; j < nVar; j++) fprintf(f, "%d ", varType[j]);
    fprintf(f, "\n");
  }
  fprintf(f, Tx("Transformacao escalar: %s\n", "Scalar transformation: %s\n"), optTrEsInfo[optTrEs]);
  VectorTransformationLine(f);
  if (optTrVeUnits == 11) BealsLines(f);
  if (temRese == 1) ResemblanceLines(f);
  if (temEscore == 1)
    fprintf(f, Tx("Escores de ordenacao disponiveis: %s\n", "Ordination scores available: %s\n"),
            optOrdiTypeInfo[optOrdiType]);
  bool second = false;
  if (mayShowSecondSet && secondSet && makeDataSetCurrent != nullptr) {
    makeDataSetCurrent(2);
    char name[NAME_LEN];
    snprintf(name, sizeof name, "%s", filename);
    const int variables = nVar;
    makeDataSetCurrent(1);
    fprintf(f, Tx("Segundo conjunto de dados: %s, com %d variaveis\n", "Second data set: %s, with %d variables\n"),
            name, variables);
    second = true;
  }
  fprintf(f, "%s",
          savedSession == 0 ? Tx("Sessao NAO esta armazenada em arquivo.\n", "Session is NOT saved.\n")
                            : Tx("Sessao esta armazenada em arquivo.\n", "Session IS saved.\n"));
  return second;
}

}  // namespace

void ShowStatus(FILE* f) {
  if (StatusOfCurrentSet(f, true)) {
    makeDataSetCurrent(2);
    StatusOfCurrentSet(f, false);
    makeDataSetCurrent(1);
  }
  fprintf(f,
          Tx("Numero maximo de processadores que o programa pode usar: %d\n",
             "Maximum number of processors the program may use: %d\n"),
          nProcessors > 0 ? nProcessors : omp_get_num_procs());
}

FILE* OpenResultsFile() {
  FILE* f = fopen(resultsFileName, modeZoviri);
  if (f != nullptr && strcmp(modeZoviri, "w") == 0) strcpy(modeZoviri, "a");
  return f;
}

FILE* OpenResultsFileOrSay() {
  FILE* f = OpenResultsFile();
  if (f == nullptr)
    fprintf(stdout, Tx("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), resultsFileName);
  return f;
}

FILE* OpenResultsBlock(const char* title) {
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return nullptr;
  fprintf(f, "\n%s\n", line);
  fprintf(f, "%s\n", title);
  TimeStamp(f);
  ShowStatus(f);
  return f;
}

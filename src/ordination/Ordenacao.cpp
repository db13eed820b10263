// Main-menu option O: the ordination dialogue, the compatibility checks and
// the ordination report appended to the results file.
#include <cmath>
#include <cstdio>
#include <new>
#include <string>

#include "ZQLib/TableChecks.h"
#include "bootstrap/BootstrapMenu.h"
#include "bootstrap/OrdinationBootstrap.h"
#include "ZQLib/zqlibDim.h"
#include "ordination/Bartlett.h"
#include "ZQLib/MatrixUtilities.h"
#include "ordination/OrdinationLib.h"
#include "ordination/OrdinationMenu.h"
#include "ordination/OrdinationOutput.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TransformationMenu.h"

namespace {

// Console texts follow `port`; most result headings follow `eng`.
inline const char* Console(const char* p, const char* e) { return port ? p : e; }
inline const char* Results(const char* p, const char* e) { return eng ? e : p; }

// Double adjustment within sampling units or within variables, and
// product moment.
bool CorrespondenceAccepted() {
  if ((optTrVeUnits == 6 || optTrVeVar == 6) && optReseTipo == 1) return true;
  fprintf(out, "%s\n", Console("Transformacao de dados e/ou medida de semelhanca nao compativeis.",
                               "Data transformation and/or resemblance measure are not compatible."));
  fprintf(out,
          Console("\tOpcoes aceitaveis para analise de correspondencia:\n\tTransformacao vetorial: %s\n\tMedida de "
                  "semelhanca: %s\n",
                  "\tAcceptable options for correspondence analysis:\n\tVector transformation: %s\n\tResemblance "
                  "option: %s\n"),
          optTrVe2Info[6], optReseTipoInfo[1]);
  fputc('\a', out);
  return false;
}

// Correspondence analysis weighs rows and columns by their totals of the
// original data, which must be frequencies: no negative value.
bool CorrespondenceDataAccepted() {
  TableCell cell;
  if (!FindNegativeCell(nObj, nVar, dataOrig, &cell)) return true;
  fprintf(out,
          Console("\nAnalise de correspondencia requer dados sem valores negativos: a unidade amostral %s tem o valor "
                  "%g na variavel %s.\n",
                  "\nCorrespondence analysis needs data without negative values: sampling unit %s holds %g in "
                  "variable %s.\n"),
          uaLabels[cell.row], cell.value, varLabels[cell.col]);
  fputc('\a', out);
  return false;
}

// Product moment, correlation or covariance.
bool PrincipalComponentsAccepted() {
  if (optReseTipo == 1 || optReseTipo == 17 || optReseTipo == 22) return true;
  fprintf(out, "%s\n", Console("Medida de semelhanca nao eh compativel.", "Resemblance measure is not compatible."));
  fprintf(out,
          Console("Opcoes aceitaveis para analise de componentes principais: %s, %s ou %s %s\n",
                  "Acceptable options for principal components analysis: %s, %s ou %s %s\n"),
          optReseTipoInfo[1], optReseTipoInfo[17], optReseTipoInfo[22], optReseDirInfo[2]);
  fputc('\a', out);
  return false;
}

// Names of the two sets of entities: those compared in rese and the others.
struct EntitySets {
  const char* compared;       // short form used with principal coordinates and components
  const char* other;
  const char* comparedLong;   // form used with correspondence analysis
  const char* otherLong;
  char** comparedLabels;
  char** otherLabels;
};

EntitySets Entities() {
  const char* units = Results("unid.amostrais", "sampling units");
  const char* unitsLong = Results("unidades amostrais", "sampling units");
  const char* vars = Results("variaveis", "variables");
  if (optReseDir == 2) return {vars, units, vars, unitsLong, varLabels, uaLabels};
  return {units, vars, unitsLong, vars, uaLabels, varLabels};
}

void PrintEigenvalues(FILE* f, const double* values, double positiveSum) {
  fprintf(f, Results("\nNumero de autovalores >0.0001: \t%d", "\nNumber of eigenvalues >0.0001: \t%d"), rank);
  fprintf(f, "%s", Results("\nAutovalores:\t", "\nEigenvalues:\t"));
  for (int k = 0; k < rank; k++) fprintf(f, "%8.*g\t", sDigits, values[k]);
  fprintf(f, "%s", Results("\nPorcentagem:\t", "\nPercentage:\t"));
  for (int k = 0; k < rank; k++) fprintf(f, "%8.*g\t", sDigits, 100.0 * values[k] / positiveSum);
  fprintf(f, "\n");
}

void PrintNonEuclideanWarning(FILE* f, double positiveSum, double trace) {
  fprintf(f, "%s",
          Results("\nCuidado!!! A matriz de semelhanca submetida a extracao de autovalores\n           parece nao "
                  "apresentar propriedades de uma metrica euclidiana.",
                  "\nWarning!!! The resemblance matrix subjected to eigenanalysis seems not to have\n           "
                  "euclidean metric properties."));
  fprintf(f,
          Results("\nSoma dos autovalores positivos: %g\tTraco: %g\tDiscrepancia: %g%%\n",
                  "\nSum of positive eigenvalues: %g\tTrace: %g\tDiscrepance: %g%%\n"),
          positiveSum, trace, (positiveSum - trace) * 100.0 / trace);
}

const char* CorrelationHeading() {
  return Results("\nCoeficientes de correlacao entre descritores originais e eixos da ordenacao:\n",
                 "\nCorrelation coefficients between original descriptors and ordination axes:\n");
}

void ReportPrincipalCoordinates(FILE* f, const EntitySets& s) {
  PrintScores(f, rank, nRows, escores, s.compared);
  if (dataType != 1 && dataType != 2 && dataType != 4 && dataType != 6) return;
  fprintf(f, "%s", CorrelationHeading());
  if (optReseTipo == 18) {
    // Chord distance: descriptors from the row-normalised data, compared
    // entities in rows.
    double** Xo = dimDouble2D(nRows, nCols);
    for (int i = 0; i < nRows; i++)
      for (int j = 0; j < nCols; j++) Xo[i][j] = optReseDir == 2 ? data[j][i] : data[i][j];
    NormalizeRowsMV(nRows, nCols, Xo, Xo);
    ScoreCorr(f, rank, nRows, escores, Xo, nCols, s.other, 0, s.otherLabels);
    freeDouble2D(Xo, nRows);
  } else {
    ScoreCorr(f, rank, nRows, escores, data, nCols, s.other, optReseDir == 2 ? 1 : 0, s.otherLabels);
  }
}

void ReportPrincipalComponents(FILE* f, const EntitySets& s) {
  fprintf(f, Results("\nAutovetores (normalizados, max. %d):\n", "\nEigenvectors (normalized, max. %d):\n"), nMaxDim);
  const int shown = rank < nMaxDim ? rank : nMaxDim;
  for (int k = 0; k < shown; k++) {
    fprintf(f, port ? "Eixo %d:\t" : "Axis %d:\t", k + 1);
    for (int i = 0; i < nRows; i++) fprintf(f, "%8.*g\t", sDigits, evectors[k][i]);
    fprintf(f, "\n");
  }
  PrintScores(f, rank, nCols, escores, s.other);
  fprintf(f, "%s", CorrelationHeading());
  ScoreCorr(f, rank, nCols, escores, data, nRows, s.compared, optReseDir == 1 ? 1 : 0, s.comparedLabels, 2, rese,
            eig, evectors);
  fprintf(f, "%s",
          Results("\nContribuicao (porcentagem) dos descritores originais em cada eixo da ordenacao:\n",
                  "\nContribution (percentage) of original descriptors in each ordination axis:\n"));
  VarContribution(f, rank, nRows, evectors, rese, s.compared, s.comparedLabels);
}

// Scores divided by the square root of their eigenvalue.
void ReportMahalanobisScores(FILE* f, int nScored, const char* label) {
  double** adjusted = dimDouble2D(rank, nScored);
  for (int k = 0; k < rank; k++) {
    const double d = 1.0 / std::sqrt(eig[k]);
    for (int j = 0; j < nScored; j++) adjusted[k][j] = escores[k][j] * d;
  }
  fprintf(f,
          Results("\nEscores de %s ajustados para preservar distancias de Mahalanobis entre %s (Legendre & "
                  "Legendre 1998, eq. 9.10):",
                  "\nScores of %s adjusted for preserving Mahalanobis distances between %s (Legendre & "
                  "Legendre 1998, eq. 9.10):"),
          label, label);
  PrintScores(f, rank, nScored, adjusted, label);
  freeDouble2D(adjusted, rank);
}

void ReportBartlett(FILE* f) {
  fprintf(f, "%s",
          Results("\nTeste de Bartlett. Estatistica u de Bartlett segundo Jackson (1991, p. 33) e probabilidade "
                  "correspondente: \n",
                  "\nBartlett's test. Bartlett's u statistic according to Jackson (1991, p. 33) and corresponding "
                  "p-value: \n"));
  fprintf(f, "Bartlett\tu\tp\n");
  for (int k = 1; k <= rank; k++)
    fprintf(f, Results("Eixo %d:\t%g\t%g\n", "Axis %d:\t%g\t%g\n"), k, Bartlett_u(rank, k, eig, nCols, nRows),
            Bartlett_uProb(rank, k, eig, nCols, nRows));
}

void WriteReport(int type, bool saveIntermediate, bool ok) {
  const std::string title = std::string(Results("ORDENACAO", "ORDINATION")) + "\n" + line;
  FILE* f = OpenResultsBlock(title.c_str());
  if (f == nullptr) return;
  fprintf(f, Results("Metodo de ordenacao: %s\n", "Ordination method: %s\n"), optOrdiTypeInfo[type]);

  // The analysed matrix again, for printing and for the trace of the warning.
  double trace = 0.0;
  if (saveIntermediate || !ok) {
    double** B = dimDouble2D(nRows, nRows);
    if (saveIntermediate && type == ORD_PRINCIPAL_COORDINATES) {
      OrdinationSquaredDistances(nRows, rese, optReseTipo, B);
      fprintf(f, "%s", Results("\nMatriz de distancias ao quadrado:\n", "\nMatrix with squared distances:\n"));
      PrintLowerHalfMatrix(f, nRows, B, sDigits, 0);
    }
    OrdinationMatrix(nRows, rese, type, optReseTipo, B);
    if (saveIntermediate) {
      fprintf(f, "%s",
              Results("\nMatriz submetida a extracao de autovalores e autovetores:\n",
                      "\nMatrix subjected to eigenanalysis:\n"));
      PrintMatrix(f, nRows, nRows, B, sDigits, 0);
    }
    trace = MatrixTrace(nRows, B);
    freeDouble2D(B, nRows);
  }

  const double positiveSum = SumPositiveEigenvalues(nRows, eig);
  PrintEigenvalues(f, eig, positiveSum);
  if (!ok) PrintNonEuclideanWarning(f, positiveSum, trace);

  const EntitySets s = Entities();
  switch (type) {
    case ORD_PRINCIPAL_COORDINATES:
      ReportPrincipalCoordinates(f, s);
      ReportMahalanobisScores(f, nRows, s.compared);
      break;
    case ORD_PRINCIPAL_COMPONENTS:
      ReportPrincipalComponents(f, s);
      ReportMahalanobisScores(f, nCols, s.other);
      break;
    default:
      PrintScores(f, rank, nRows, evectors, s.comparedLong);
      PrintScores(f, rank, nCols, escores, s.otherLong);
      ReportMahalanobisScores(f, nCols, s.otherLong);
      break;
  }
  if (type != ORD_CORRESPONDENCE) ReportBartlett(f);
  fclose(f);
}

// When the ordination scores the sampling units, the bootstrap of its axes
// against the same analysis of resampled units.
void OfferBootstrap() {
  OrdinationAnalysis analysis;
  analysis.ordination = CurrentOrdinationChoice();
  if (!OrdinationScoresUnits(analysis.ordination)) return;
  fprintf(out, "%s",
          Console("\nAvaliar significancia de eixos de ordenacao atraves de autoreamostragem (bootstrap)? s/n ",
                  "\nEvaluate significance of ordination axes using bootstrap resampling? y/n "));
  if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') return;
  analysis.transform = CurrentTransformChoice();
  analysis.resemblance = CurrentResemblanceChoice();
  SamplerOrdination(analysis);
}

}  // namespace

int Ordenacao() {
  ShowStatus(out);
  fprintf(out, "%s", Console("Metodo de ordenacao:\n", "Ordination method:\n"));
  fprintf(out, "\t%s\n\t%s\n \t%s\n \t(99)%s\n ", optOrdiTypeInfo[1], optOrdiTypeInfo[2], optOrdiTypeInfo[3],
          returnMain);
  fprintf(out, "\t\t%s: ", enterOpt);
  const int type = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 99"));
  if (type == 99) return 0;
  if (!temRese || rese == nullptr) return 0;
  if (RefuseUndefinedResemblances()) return 0;
  if (type == ORD_CORRESPONDENCE && (!CorrespondenceAccepted() || !CorrespondenceDataAccepted())) return 0;
  if (type == ORD_PRINCIPAL_COMPONENTS && !PrincipalComponentsAccepted()) return 0;

  fprintf(out, "%s", Console("Guardar resultados intermediarios? s/n ", "Save intermediate results? y/n "));
  const bool saveIntermediate = ScanChar(in, "s y n", KeyboardLabel()) != 'n';

  // The previous results (if any) are sized by the same nRows.
  FreeOrdination();
  optOrdiType = type;
  try {
    eig = dimDouble1D(nRows + 1);
    evectors = dimDouble2D(nRows + 1, nRows + 1);
    escores = dimDouble2D(nRows, type == ORD_PRINCIPAL_COORDINATES ? nRows : nCols);
    bool ok = true;
    OrdinationLib_D(CurrentOrdinationChoice(), nRows, nCols, type == ORD_CORRESPONDENCE ? dataOrig : data, rese,
                    evectors, escores, &rank, eig, &ok);
    // Results now exist: the arrays are released with the session state.
    temEscore = 1;
    WriteReport(type, saveIntermediate, ok);
  } catch (const std::bad_alloc&) {
    // Whatever was allocated goes; the earlier results were already released.
    temEscore = 1;
    FreeOrdination();
    ReportNoMemory();
    savedSession = 0;  // the track still holds the results just released
    return 0;
  }
  ClearLine();
  fprintf(stdout, "%s", Console("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
  OfferBootstrap();
  return 1;
}

OrdinationChoice CurrentOrdinationChoice() {
  OrdinationChoice c;
  c.type = optOrdiType;
  c.reseType = optReseTipo;
  c.reseDir = optReseDir;
  return c;
}

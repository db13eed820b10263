// Menu option T: the chain of transformation menus, each filtered by the data
// type the table will have after the choices already made, then the working
// table rebuilt from the original one and transformed, or an expansion file
// written, and the report appended to the results file.
#include <cstdio>
#include <cstring>

#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TransformationMenu.h"

namespace {

constexpr int CANCEL = 99;

// Choices of one pass through the dialogue, stored only when it completes.
struct TransformationChoice {
  int scalar = 0;
  int optVar = 0;
  int optUnits = 0;
  int classesVar = 0;
  int classesUnits = 0;
  int bealsType = 1;
  bool bealsInclude = true;
  bool bealsNormalize = false;
  int factor = 0;
};

int Cancel() {
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  return 0;
}

void CopyOriginalData() {
  for (int i = 0; i < nObj; i++) memcpy(data[i], dataOrig[i], sizeof(double) * nVar);
}

// Option 12: groups from option G, and the factor whose effect is removed.
bool AskGroupFactor(TransformationChoice& c) {
  SetGroups();
  // The groups stay in the session even when the transformation is then
  // cancelled, so they are recorded now.
  AfterGroupsSpecified();
  if (temGrupo != 1 || grMemb == nullptr || nFactors < 1) {
    fprintf(out, "%s",
            PtEn("\nGrupos de unidades amostrais nao especificados; transformacao cancelada.\n",
                 "\nGroups of sampling units not specified; transformation cancelled.\n"));
    return false;
  }
  c.factor = 0;
  if (nFactors >= 2) {
    fprintf(out, "%s",
            eng ? "\nSpecify the factor effect to be removed ( "
                : "\nEspecifique o fator cujo efeito deve ser removido ( ");
    for (int k = 0; k < nFactors; k++) fprintf(out, "%d.%s ", k + 1, factorLabel[k]);
    fprintf(out, "): \t");
    c.factor = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(nFactors))) - 1;
  }
  return true;
}

void AskBealsOptions(TransformationChoice& c) {
  fprintf(out, "%s",
          PtEn("Probabilidades de coocorrencia baseadas em \n\t(0)presenca e ausencia tanto das variaveis de "
               "referencia como das variaveis alvo ou\n\t(1)ponderacao da variavel alvo pelas quantidades das "
               "variaveis de referencia:\t",
               "Co-occurence probabilities based on \n\t(0)presences and absences of both reference and target "
               "variables or \n\t(1)weighting of target variable by the quantities of the reference "
               "variables:\t"));
  c.bealsType = static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1"));
  fprintf(out, "%s",
          PtEn("\nIncluir valor da especie alvo na sua predicao (se nao incluir, procedimento seguira De C\x13"
               "aceres & Legendre 2008)? s/n ",
               "\nInclude value of the target species in its own prediction (if not, procedure will follow De "
               "C\x13"
               "aceres & Legendre 2008)? y/n "));
  c.bealsInclude = AnswerNotNo();
  fprintf(out, "%s",
          PtEn("\nPadronizar as probabilidades de coocorrencia para soma unitaria? s/n ",
               "\nStandardize the co-occurrence probabilities to unit sum? y/n "));
  c.bealsNormalize = AnswerNotNo();
}

// Menu of the vector transformations within sampling units (step after the
// direction, or after "more transformations"). False on cancel.
bool AskWithinUnits(TransformationChoice& c) {
  fprintf(out, "%s",
          PtEn("\nTransformacao vetorial dentro de unidades amostrais:\n",
               "\nVector transformation within sampling units:\n"));
  ShowMenu(0, 13, appliesVectorUnits, dataType - 1, optTrVe2Info, &c.optUnits);
  if (c.optUnits == CANCEL) return false;
  if (c.optUnits == TR_VEC_CLASSES) {
    if (c.optVar == TR_VEC_CLASSES) {
      PrintClassesPrompt();
      fprintf(out, PtEn("%d (mesmo numero de classes para variaveis)\n", "%d (same as for variables)\n"), c.classesVar);
      c.classesUnits = c.classesVar;
    } else {
      c.classesUnits = AskNumberOfClasses();
    }
  }
  SetDataType(c.scalar, c.optVar, c.optUnits);
  return true;
}

// The whole chain of menus. False on cancel.
bool AskTransformations(TransformationChoice& c) {
  SetDataType(0, 0, 0);
  fprintf(out, "%s", PtEn("\nTransformacao escalar:\n", "\nScalar transformation:\n"));
  ShowMenu(0, 5, appliesScalar, dataType - 1, optTrEsInfo, &c.scalar);
  if (c.scalar == TR_SCALAR_EXPAND_NOMINAL || c.scalar == TR_SCALAR_EXPAND_CONTINGENCY) {
    if (!ExpansionInputValid(c.scalar)) return false;
  }
  SetDataType(c.scalar, 0, 0);

  fprintf(out, "%s", PtEn("\nTransformacao vetorial:\n", "\nVector transformation:\n"));
  int direction = 0;
  ShowMenu(0, 3, appliesVectorDir, dataType - 1, optTrVeDirInfo, &direction);
  if (direction == 2) {
    fprintf(out, "%s",
            PtEn("\nTransformacao vetorial dentro de variaveis:\n", "\nVector transformation within variables:\n"));
    ShowMenu(0, 13, appliesVectorVar, dataType - 1, optTrVe2Info, &c.optVar);
    if (c.optVar == CANCEL) return false;
    if (c.optVar == TR_VEC_CLASSES) c.classesVar = AskNumberOfClasses();
    if (c.optVar == TR_VEC_GROUP_MEANS && !AskGroupFactor(c)) return false;
    SetDataType(c.scalar, c.optVar, 0);
    fprintf(out, "%s",
            PtEn("\nEspecificar mais transformacoes (somente dentro de unidades amostrais)? s/n ",
                 "\nSpecify more transformations (only within sampling units)? y/n "));
    if (AnswerNotNo() && !AskWithinUnits(c)) return false;
  } else if (direction == 1) {
    if (!AskWithinUnits(c)) return false;
  } else if (direction == 3) {
    fprintf(out, "%s", PtEn("\nOutras transformacoes:\n", "\nOther transformation:\n"));
    ShowMenu(0, 12, appliesVectorOther, dataType - 1, optTrVe2Info, &c.optUnits);
    if (c.optUnits == TR_VEC_BEALS) AskBealsOptions(c);
    SetDataType(c.scalar, c.optVar, c.optUnits);
  }

  fprintf(out, "%s", PtEn("Incluir matriz de dados nos resultados? s/n ", "Include data matrix in the output file? y/n "));
  optPrintData = AnswerNotNo() ? 's' : 'n';
  return true;
}

// The original table transformed as chosen, apart from the session; null
// when a step cannot take the values it receives (the reason is printed and
// nothing in the session changes).
double** TransformedTable(const TransformationChoice& c) {
  double** t = dimDouble2D(nObj, nVar);
  for (int i = 0; i < nObj; i++) memcpy(t[i], dataOrig[i], sizeof(double) * nVar);
  int* groups = c.optVar == TR_VEC_GROUP_MEANS ? grMemb[c.factor] : nullptr;
  TransformRefusal refusal;
  if (DataTransformationsLib(nObj, nVar, t, c.scalar, c.optVar, c.optUnits, c.classesVar, c.classesUnits,
                             c.bealsType, c.bealsInclude, c.bealsNormalize, groups, &refusal))
    return t;
  freeDouble2D(t, nObj);
  const TableCell& cell = refusal.cell;
  fprintf(out,
          PtEn("\nTransformacao recusada: %s %s nao admite valores negativos, e a unidade amostral %s tem o valor %g "
               "na variavel %s%s.\nDados nao foram alterados.\n",
               "\nTransformation refused: %s %s does not admit negative values, and sampling unit %s holds %g in "
               "variable %s%s.\nData were left unchanged.\n"),
          optTrVe2Info[refusal.option],
          refusal.withinUnits ? PtEn("dentro de unidades amostrais", "within sampling units")
                              : PtEn("dentro de variaveis", "within variables"),
          uaLabels[cell.row], cell.value, varLabels[cell.col],
          c.scalar != 0 || (refusal.withinUnits && c.optVar != 0)
              ? PtEn(" (apos as transformacoes anteriores)", " (after the transformations before it)")
              : "");
  fputc('\a', stdout);
  return nullptr;
}

// Stores the choice and makes `transformed` (null for an expansion) the
// working table. Returns false when an expansion file could not be opened.
bool ApplyTransformations(const TransformationChoice& c, double** transformed) {
  bool expansion = c.scalar == TR_SCALAR_EXPAND_NOMINAL || c.scalar == TR_SCALAR_EXPAND_CONTINGENCY;
  optTrEs = c.scalar;
  // An expansion only writes its file: the table keeps its original values,
  // so no vector transformation is in force either.
  optTrVeVar = expansion ? 0 : c.optVar;
  optTrVeUnits = expansion ? 0 : c.optUnits;
  if (c.optVar == TR_VEC_CLASSES) nClassesVar = c.classesVar;
  if (c.optUnits == TR_VEC_CLASSES) nClassesUnits = c.classesUnits;
  if (optTrVeUnits == TR_VEC_BEALS) {
    BealsTypeOpt = c.bealsType;
    BealsIncludeOpt = c.bealsInclude;
    BealsNormalizeOpt = c.bealsNormalize;
  }

  FreeResemblance();
  FreeOrdination();

  if (transformed != nullptr) {
    for (int i = 0; i < nObj; i++) memcpy(data[i], transformed[i], sizeof(double) * nVar);
    return true;
  }
  CopyOriginalData();
  if (c.scalar == TR_SCALAR_EXPAND_NOMINAL) return WriteExpandedNominalData();
  return WriteExpandedContingencyData();
}

}  // namespace

int TransformaDados() {
  if (temDados != 1) {
    fprintf(out, "%s", PtEn(" Dados nao disponiveis.\n", " Data not available.\n"));
    return 0;
  }
  const int first = AskFirstTransformationChoice(2);
  if (first == CANCEL) return 0;
  if (first == 0) {
    optTrEs = optTrVeVar = optTrVeUnits = 0;
    FreeResemblance();
    FreeOrdination();
    SetDataType(0, 0, 0);
    CopyOriginalData();
    return 1;
  }

  TransformationChoice choice;
  choice.classesVar = nClassesVar;
  choice.classesUnits = nClassesUnits;
  if (!AskTransformations(choice)) return Cancel();
  const bool expansion = choice.scalar == TR_SCALAR_EXPAND_NOMINAL || choice.scalar == TR_SCALAR_EXPAND_CONTINGENCY;
  double** transformed = nullptr;
  if (!expansion && (transformed = TransformedTable(choice)) == nullptr) return Cancel();
  const bool applied = ApplyTransformations(choice, transformed);
  if (transformed != nullptr) freeDouble2D(transformed, nObj);
  if (!applied) {
    // The table was rebuilt and the resemblance released before the file
    // failed: the session changed, so its track is rewritten as after any
    // transformation, though the loop is told that nothing was applied.
    SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
    SetStepReached();
    WriteSessionTrack();
    return 0;
  }

  temRese = 0;
  WriteTransformationReport();
  ClearLine();
  fprintf(stdout, "%s", PtEn("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
  return 1;
}

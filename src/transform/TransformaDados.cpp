// Menu option T: the chain of transformation menus, each filtered by the data
// type the table will have after the choices already made, then the working
// table rebuilt from the original one and transformed, or an expansion file
// written, and the report appended to the results file.
#include <cstdio>
#include <cstring>
#include <new>

#include "ZQLib/zqlibDim.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DataTransformationsLib.h"
#include "cluster/ClusterMenu.h"
#include "transform/TransformationMenu.h"

namespace {

constexpr int CANCEL = 99;


int Cancel() {
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  return 0;
}

void CopyOriginalData() {
  for (int i = 0; i < nObj; i++) memcpy(data[i], dataOrig[i], sizeof(double) * nVar);
}

// Option 12: groups from option G, and the factor whose effect is removed.
bool AskGroupFactor(TransformChoice& c) {
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
  c.groupFactor = 0;
  if (nFactors >= 2) {
    fprintf(out, "%s",
            eng ? "\nSpecify the factor effect to be removed ( "
                : "\nEspecifique o fator cujo efeito deve ser removido ( ");
    for (int k = 0; k < nFactors; k++) fprintf(out, "%d.%s ", k + 1, factorLabel[k]);
    fprintf(out, "): \t");
    c.groupFactor = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(nFactors))) - 1;
  }
  return true;
}

void AskBealsOptions(TransformChoice& c) {
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
bool AskWithinUnits(TransformChoice& c) {
  fprintf(out, "%s",
          PtEn("\nTransformacao vetorial dentro de unidades amostrais:\n",
               "\nVector transformation within sampling units:\n"));
  ShowMenu(0, 13, appliesVectorUnits, dataType - 1, optTrVe2Info, &c.withinUnits);
  if (c.withinUnits == CANCEL) return false;
  if (c.withinUnits == TR_VEC_CLASSES) {
    if (c.withinVariables == TR_VEC_CLASSES) {
      PrintClassesPrompt();
      fprintf(out, PtEn("%d (mesmo numero de classes para variaveis)\n", "%d (same as for variables)\n"), c.classesVar);
      c.classesUnits = c.classesVar;
    } else {
      c.classesUnits = AskNumberOfClasses();
    }
  }
  SetDataType(c.scalar, c.withinVariables, c.withinUnits);
  return true;
}

// The whole chain of menus, with the Beals test after Beals smoothing. False
// on cancel.
bool AskTransformations(TransformChoice& c, BealsTestRequest& bealsTest) {
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
    ShowMenu(0, 13, appliesVectorVar, dataType - 1, optTrVe2Info, &c.withinVariables);
    if (c.withinVariables == CANCEL) return false;
    if (c.withinVariables == TR_VEC_CLASSES) c.classesVar = AskNumberOfClasses();
    if (c.withinVariables == TR_VEC_GROUP_MEANS && !AskGroupFactor(c)) return false;
    SetDataType(c.scalar, c.withinVariables, 0);
    fprintf(out, "%s",
            PtEn("\nEspecificar mais transformacoes (somente dentro de unidades amostrais)? s/n ",
                 "\nSpecify more transformations (only within sampling units)? y/n "));
    if (AnswerNotNo() && !AskWithinUnits(c)) return false;
  } else if (direction == 1) {
    if (!AskWithinUnits(c)) return false;
  } else if (direction == 3) {
    fprintf(out, "%s", PtEn("\nOutras transformacoes:\n", "\nOther transformation:\n"));
    ShowMenu(0, 12, appliesVectorOther, dataType - 1, optTrVe2Info, &c.withinUnits);
    if (c.withinUnits == TR_VEC_BEALS) {
      AskBealsOptions(c);
      bealsTest = AskBealsTest();
    }
    SetDataType(c.scalar, c.withinVariables, c.withinUnits);
  }

  fprintf(out, "%s", PtEn("Incluir matriz de dados nos resultados? s/n ", "Include data matrix in the output file? y/n "));
  optPrintData = AnswerNotNo() ? 's' : 'n';
  return true;
}

// The original table transformed as chosen, apart from the session; null
// when a step cannot take the values it receives (the reason is printed and
// nothing in the session changes).
double** TransformedTable(const TransformChoice& asked) {
  TransformChoice c = asked;
  if (c.withinVariables == TR_VEC_GROUP_MEANS)
    c.groups.assign(grMemb[c.groupFactor], grMemb[c.groupFactor] + nObj);
  double** t = dimDouble2D(nObj, nVar);
  for (int i = 0; i < nObj; i++) memcpy(t[i], dataOrig[i], sizeof(double) * nVar);
  TransformRefusal refusal;
  bool accepted;
  try {
    accepted = DataTransformationsLib(c, nObj, nVar, t, &refusal) == 1;
  } catch (...) {
    freeDouble2D(t, nObj);
    throw;
  }
  if (accepted) return t;
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
          c.scalar != 0 || (refusal.withinUnits && c.withinVariables != 0)
              ? PtEn(" (apos as transformacoes anteriores)", " (after the transformations before it)")
              : "");
  fputc('\a', stdout);
  return nullptr;
}

// Stores the choice (asked into a TransformChoice, kept only when the dialogue
// completes) and makes `transformed` (null for an expansion) the working
// table. Returns false when an expansion file could not be opened.
bool ApplyTransformations(const TransformChoice& c, double** transformed) {
  bool expansion = c.scalar == TR_SCALAR_EXPAND_NOMINAL || c.scalar == TR_SCALAR_EXPAND_CONTINGENCY;
  optTrEs = c.scalar;
  // An expansion only writes its file: the table keeps its original values,
  // so no vector transformation is in force either.
  optTrVeVar = expansion ? 0 : c.withinVariables;
  optTrVeUnits = expansion ? 0 : c.withinUnits;
  if (c.withinVariables == TR_VEC_CLASSES) nClassesVar = c.classesVar;
  if (c.withinUnits == TR_VEC_CLASSES) nClassesUnits = c.classesUnits;
  if (optTrVeUnits == TR_VEC_BEALS) {
    BealsTypeOpt = c.bealsType;
    BealsIncludeOpt = c.bealsInclude;
    BealsNormalizeOpt = c.bealsNormalize;
  }
  if (optTrVeVar == TR_VEC_GROUP_MEANS) trGroupFactor = c.groupFactor;

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

// Memory ran out after the session had changed (writing an expansion file):
// the table goes back to the original values with no transformation in
// force, and the session track records that state.
int NoMemoryForTransformation() {
  optTrEs = optTrVeVar = optTrVeUnits = 0;
  CopyOriginalData();
  ReportNoMemory();
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
  SetStepReached();
  WriteSessionTrack();
  return 0;
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

  TransformChoice choice;
  choice.classesVar = nClassesVar;
  choice.classesUnits = nClassesUnits;
  BealsTestRequest bealsTest;
  if (!AskTransformations(choice, bealsTest)) return Cancel();
  const bool expansion = choice.scalar == TR_SCALAR_EXPAND_NOMINAL || choice.scalar == TR_SCALAR_EXPAND_CONTINGENCY;
  double** transformed = nullptr;
  try {
    if (!expansion && (transformed = TransformedTable(choice)) == nullptr) return Cancel();
  } catch (const std::bad_alloc&) {
    ReportNoMemory();  // nothing in the session changed
    return Cancel();
  }
  bool applied;
  try {
    applied = ApplyTransformations(choice, transformed);
  } catch (const std::bad_alloc&) {
    if (transformed != nullptr) freeDouble2D(transformed, nObj);
    return NoMemoryForTransformation();
  }
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
  // The test works on its own copy of the original table: the session keeps
  // the transformation just applied whatever happens to the test.
  if (bealsTest.run && optTrVeUnits == TR_VEC_BEALS) RunBealsTest(bealsTest.nPermutations);
  ClearLine();
  fprintf(stdout, "%s", PtEn("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
  return 1;
}

TransformChoice CurrentTransformChoice() {
  TransformChoice c;
  c.scalar = optTrEs;
  c.withinVariables = optTrVeVar;
  c.withinUnits = optTrVeUnits;
  c.classesVar = nClassesVar;
  c.classesUnits = nClassesUnits;
  c.bealsType = BealsTypeOpt;
  c.bealsInclude = BealsIncludeOpt != 0;
  c.bealsNormalize = BealsNormalizeOpt != 0;
  c.groupFactor = trGroupFactor;
  if (optTrVeVar == TR_VEC_GROUP_MEANS && temGrupo == 1 && grMemb != nullptr && trGroupFactor >= 0 &&
      trGroupFactor < nFactors)
    c.groups.assign(grMemb[trGroupFactor], grMemb[trGroupFactor] + nObj);
  return c;
}

// Allocation and release of the data-dependent session state.
#include "ZQLib/zqlibDim.h"
#include "shell/SessionState.h"

void Dimensiona() {
  dataOrig = dimDouble2D(nObj, nVar);
  data = dimDouble2D(nObj, nVar);
  varType = dimInt1D(nVar);
  uaLabels = dimChar2D(nObj, LABEL_LEN + 1);
  varLabels = dimChar2D(nVar, LABEL_LEN + 1);
}

void FreeResemblance() {
  if (temRese) freeDouble2D(rese, nRows);
  rese = nullptr;
  temRese = 0;
}

void FreeOrdination() {
  if (temEscore) {
    free1D(eig);
    freeDouble2D(evectors, nRows + 1);
    freeDouble2D(escores, nRows);
  }
  eig = nullptr;
  evectors = nullptr;
  escores = nullptr;
  temEscore = 0;
}

void FreeGroups() {
  if (grMembDimensioned) {
    const int rows = GroupArrayRows(nFactors);
    freeInt2D(grMemb, rows);
    freeInt2D(grLabel, rows);
    free1D(nGroups);
    free1D(nestedFactor);
    freeChar2D(factorLabel, nFactors);
  }
  grMemb = nullptr;
  grLabel = nullptr;
  nGroups = nullptr;
  nestedFactor = nullptr;
  factorLabel = nullptr;
  grMembDimensioned = 0;
  temGrupo = 0;
}

void LivraMemoria() {
  freeDouble2D(dataOrig, nObj);
  freeDouble2D(data, nObj);
  freeChar2D(uaLabels, nObj);
  freeChar2D(varLabels, nVar);
  free1D(varType);
  dataOrig = nullptr;
  data = nullptr;
  uaLabels = nullptr;
  varLabels = nullptr;
  varType = nullptr;
  temDados = 0;
  // Ordination arrays are sized by nRows, so they go before the resemblance.
  FreeOrdination();
  FreeResemblance();
  FreeGroups();
}

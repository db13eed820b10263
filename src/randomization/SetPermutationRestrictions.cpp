// The dialogue and report lines of the restrictions on permuting each
// variable's values over the sampling units.
#include <climits>
#include <cstdio>

#include "randomization/ManovaReport.h"
#include "randomization/MembershipDialogue.h"
#include "randomization/PermutationRestrictionsDialogue.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

// The bundle dialogue of these tests labels the row of units with one blank less.
MembershipTexts VariableBundleTexts() {
  MembershipTexts t = BundleTexts();
  if (!port) t.unitRow = "Sampling unit:   ";
  return t;
}

// The dimension of the embedded matrix, until its pairs are one per sampling
// unit; 0 when no dimension can fit (the restriction is then asked again).
int AskMatrixDimension() {
  const int fitting = EmbeddedMatrixDimension(nObj);
  for (;;) {
    fprintf(out, "%s", Tx("Entre a dimensao da matriz de semelhanca embutida: ",
                          "Enter the dimension of the embedded resemblance matrix: "));
    const int m = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 0.0, static_cast<double>(INT_MAX)));
    if (EmbeddedMatrixPairs(m) == nObj) return m;
    fprintf(out,
            Tx("\nUma matriz de semelhanca de dimensao %d tem %lld valores acima da diagonal, mas ha %d unidades "
               "amostrais (um valor em cada).\n",
               "\nA resemblance matrix of dimension %d holds %lld values above the diagonal, but there are %d "
               "sampling units (one value in each).\n"),
            m, static_cast<long long>(EmbeddedMatrixPairs(m)), nObj);
    if (fitting == 0) {
      fprintf(out,
              Tx("Nenhuma matriz de semelhanca tem exatamente %d valores acima da diagonal: escolha outra "
                 "restricao.\n",
                 "No resemblance matrix has exactly %d values above the diagonal: choose another restriction.\n"),
              nObj);
      return 0;
    }
  }
}

}  // namespace

PermutationRestrictions SetPermutationRestrictions() {
  for (;;) {
    PermutationRestrictions r;
    fprintf(out, "%s",
            Tx("Restricoes nas permutacoes: \n\t(0) nenhuma\n\t(1) considerar as variaveis arranjadas em uma matriz "
               "de semelhanca (como no teste de Mantel)\n\t(2) Permutacoes restritas dentro de grupos a "
               "especificar\n\t(3) Permutacao entre blocos de unidades a especificar (p.ex., para evitar "
               "autocorrelacao)\n\t\tEntre opcao: ",
               "Permutation restrictions: \n\t(0) none\n\t(1) take variables arranged into a resemblance matrix (as "
               "in a Mantel test)\n\t(2) Permutations restricted within groups to be specified\n\t(3) Permutation "
               "among unit bundles to be specified (e.g., to avoid autocorrelation)\n\t\tEnter option: "));
    r.option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1 2 3"));
    switch (r.option) {
      case PermutationRestrictions::EMBEDDED_MATRIX:
        r.matrixDim = AskMatrixDimension();
        if (r.matrixDim == 0) continue;
        return r;
      case PermutationRestrictions::NESTING:
        r.nestMemb = AskMemberships(NestingTexts());
        r.nestingOn = true;
        return r;
      case PermutationRestrictions::BUNDLES:
        r.bundleMemb = AskMemberships(VariableBundleTexts());
        r.bundlesOn = true;
        // Bundles of unequal sizes cannot be exchanged as wholes: the test
        // would leave every unit in place.
        if (CheckPermutationRestrictions(r, nObj) == RestrictionProblem::UNEQUAL_BUNDLES) {
          fprintf(out, "\n%s", UnbalancedBundlesMessage(port));
          continue;
        }
        return r;
      default:
        return r;
    }
  }
}

void SetPermutationRestrictions(int* option, int* matrixDim, bool* nestingOn, int* nestMemb, bool* bundlesOn,
                                int* bundleMemb) {
  *nestingOn = false;
  *bundlesOn = false;
  const PermutationRestrictions r = SetPermutationRestrictions();
  *option = r.option;
  *matrixDim = r.matrixDim;
  *nestingOn = r.nestingOn;
  *bundlesOn = r.bundlesOn;
  for (int i = 0; i < nObj; i++) {
    if (r.nestingOn) nestMemb[i] = r.nestMemb[i];
    if (r.bundlesOn) bundleMemb[i] = r.bundleMemb[i];
  }
}

void PrintPermutationRestrictions(FILE* f, const PermutationRestrictions& r, int nUnits, bool closedBundleNote) {
  fprintf(f, "%s", Tx("Restricoes nas permutacoes:\t", "Permutation restrictions:\t"));
  auto groups = [&](const std::vector<int>& memb) {
    fprintf(f, "%s", Tx("Grupos:\t", "Groups:\t"));
    for (int i = 0; i < nUnits && i < static_cast<int>(memb.size()); i++) fprintf(f, "%d\t", memb[i]);
    fprintf(f, "\n");
  };
  if (r.option == PermutationRestrictions::EMBEDDED_MATRIX) {
    fprintf(f,
            Tx("Considerou cada variavel arranjada em uma matriz de semelhanca (acima da diagonal) com %d linhas.\n",
               "Considered each variable arranged in a resemblance matrix (upper diagonal) with %d rows.\n"),
            r.matrixDim);
    return;
  }
  if (!r.nestingOn && !r.bundlesOn) {
    fprintf(f, "%s", Tx("Nenhuma\n", "None\n"));
    return;
  }
  if (r.nestingOn) {
    fprintf(f, "%s", Tx("Permutacoes restritas dentro de grupos especificados\n",
                        "Restricted permutations within specified groups\n"));
    groups(r.nestMemb);
  }
  if (r.bundlesOn) {
    fprintf(f, "%s",
            Tx("Permutacoes restritas entre grupos especificados (e.g. para evitar autocorrelacao)\n",
               closedBundleNote ? "Restricted permutations as specified bundles (e.g. to avoid autocorrelation)\n"
                                : "Restricted permutations as specified bundles (e.g. to avoid autocorrelation\n"));
    groups(r.bundleMemb);
  }
}

// Menu option P: the randomization test comparing groups of sampling units.
// The dialogue chooses the criterion, residuals, restrictions, contrasts and
// the number of permutations; the test works on its own copies of the
// dissimilarities (converted to distances) and never changes the session.
#include <omp.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ordination/GowerCentring.h"
#include "randomization/GroupSumsOfSquares.h"
#include "randomization/ManovaEngine.h"
#include "randomization/ManovaReport.h"
#include "randomization/ManovaSeries.h"
#include "randomization/MembershipDialogue.h"
#include "randomization/RandomizationMenu.h"
#include "randomization/SessionRandom.h"
#include "resemblance/ResemblanceLib.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

int AskNumber(double lo, double hi) { return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", lo, hi)); }
int AskOption(const char* accepted) { return static_cast<int>(ScanNumber(in, KeyboardLabel(), accepted)); }

// Measures whose values are similarities or products: turned into distances
// by d^2(i,j) = s(i,i) + s(j,j) - 2 s(i,j).
bool IsProductMeasure(int measure) {
  switch (measure) {
    case 1: case 5: case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 19:
      return true;
    default:
      return false;
  }
}

// The n x n matrix D (a resemblance of the session's measure) made into
// distances, symmetric.
void ToDistances(int n, double** D, int measure) {
  const bool product = IsProductMeasure(measure);
  if (measure == 4) DissToCenterProdMatrix(n, D, D, false);
  if (product || measure == 4) {
    ProdToSqDist(n, D, D);
    for (int i = 0; i < n; i++) {
      D[i][i] = 0.0;
      for (int j = i + 1; j < n; j++) D[i][j] = D[j][i] = std::sqrt(D[i][j] > 0.0 ? D[i][j] : 0.0);
    }
    return;
  }
  for (int i = 0; i < n; i++)
    for (int j = 0; j < i; j++) D[i][j] = D[j][i];  // the upper triangle as the session holds it
}

struct OwnedMatrix {
  OwnedMatrix(int rows, int cols) : store(static_cast<size_t>(rows) * cols), ptr(static_cast<size_t>(rows)) {
    for (int i = 0; i < rows; i++) ptr[i] = store.data() + static_cast<size_t>(i) * cols;
  }
  double** get() { return ptr.data(); }
  std::vector<double> store;
  std::vector<double*> ptr;
};

// The session's measure cannot be computed on the residuals (Mahalanobis
// distance with a variable constant within the cells, or collinear residuals).
struct ResidualDistancesRefused {};

// Distances of the session's data, or of their residuals once the effects of
// nRemove factors are removed, with the session's resemblance settings.
// Throws ResidualDistancesRefused when the measure refuses the residuals.
void SessionDistances(int nRemove, const int* which, double** D) {
  const int n = nObj;
  if (nRemove == 0) {
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) D[i][j] = rese[i][j];
  } else {
    OwnedMatrix residuals(nObj, nVar);
    Residuals(nObj, nVar, nFactors, grMemb, nGroups, grLabel, data, residuals.get(), nRemove, which);
    if (!ResemblanceLib(nObj, nVar, residuals.get(), D, 1, optReseTipo, optPostReseTransf, varType, alphaH,
                        kParameter, countDoubleAbsence))
      throw ResidualDistancesRefused{};
  }
  ToDistances(n, D, optReseTipo);
}

void FactorList() {
  for (int f = 0; f < nFactors; f++) fprintf(out, "%d.%s ", f + 1, factorLabel[f]);
  fprintf(out, "): \t");
}

// Every choice of the dialogue.
struct Choices {
  int statistic = 1;  // 1 Qb, 2 pseudo-F, 3 MRPP
  bool advanced = false;
  int nRemoved = 0;
  int removed[3] = {0, 0, 0};
  bool nestingOn = false, bundlesOn = false, bundlesOnly = false, blockDesign = false;
  int nestingFactor = 0;
  std::vector<int> nestMemb, bundleMemb;
  bool contrastsOn = false;
  std::vector<std::vector<std::vector<double>>> contrasts;  // [factor][contrast][group]
  int nPermutations = 1;
  bool saveEach = false, printIntermediate = false;
};

void AskResiduals(Choices& c) {
  fprintf(out, "%s",
          Tx("\nUsar residuos na analise?\n  (0) Nao\n  (1) Remover o efeito de um fator\n  (2) Remover o efeito de "
             "dois fatores\n",
             "\nUse residuals in the analysis?\n  (0) No\n  (1) Remove the effect of one factor\n  (2) Remove the "
             "effect of two factors\n"));
  if (nFactors == 3) fprintf(out, "%s", Tx("  (3) Remover o efeito de tres fatores\n", "  (3) Remove the effect of three factors\n"));
  fprintf(out, "%s", Tx("      Entre opcao: ", "      Enter option: "));
  c.nRemoved = AskOption(nFactors == 3 ? "0 1 2 3" : "0 1 2");
  if (c.nRemoved == 0) return;
  if (c.nRemoved == 1) {
    fprintf(out, "%s", Tx("\nEspecifique o efeito de fator a ser removido ( ", "\nSpecify the factor effect to be removed ( "));
    FactorList();
    c.removed[0] = AskNumber(1, nFactors);
    return;
  }
  for (;;) {
    fprintf(out, "%s",
            Tx("\nEspecifique os fatores cujos efeitos serao removidos ( ",
               "\nSpecify the factors whose effects are to be removed ( "));
    FactorList();
    for (int k = 0; k < c.nRemoved; k++) c.removed[k] = AskNumber(1, nFactors);
    bool distinct = true;
    for (int a = 0; a < c.nRemoved; a++)
      for (int b = a + 1; b < c.nRemoved; b++) distinct = distinct && c.removed[a] != c.removed[b];
    if (distinct) return;
    fprintf(out, "%s", Tx("\n\bOs fatores nao podem ser os mesmos!\n", "\n\bThe factors cannot be the same!\n"));
  }
}

void AskRestrictions(Choices& c) {
  if (nesting == 1) {
    fprintf(out, "%s",
            Tx("Um delineamento em blocos foi informado ao especificar os grupos. Deseja manter (m) ou mudar (c)? m/c ",
               "A block design was informed when setting the groups. Wish to maintain (m) or to change (c)? m/c "));
    if (ScanChar(in, "m c", KeyboardLabel()) == 'm') {
      c.nestingOn = true;
      c.nestingFactor = 1;
      c.blockDesign = true;
      return;
    }
  }
  fprintf(out, "%s", Tx("\nRestricoes a aleatorizacao:\n", "\nRandomization restrictions:\n"));
  fprintf(out, "%s",
          Tx("Aninhamento (como em delineamento em blocos ou aninhado):\n  (0) Nenhum\n  (1) Permutacoes restritas a "
             "grupos de um fator ja especificado\n  (2) Permutacoes restritas a grupos a especificar\n      Entre "
             "opcao: ",
             "Nesting (like a block design or a nested design):\n  (0) None\n  (1) Permutations restricted within "
             "groups of one factor already specified\n  (2) Permutations restricted within groups to be specified\n"
             "      Enter option: "));
  const int nestOption = AskOption("0 1 2");
  if (nestOption == 1) {
    fprintf(out, "%s", Tx("\nEspecifique qual e o fator de aninhamento ( ", "\nSpecify which is the nesting factor ( "));
    FactorList();
    c.nestingFactor = AskNumber(1, nFactors);
    c.nestingOn = true;
  } else if (nestOption == 2) {
    c.nestMemb = AskMemberships(NestingTexts());
    c.nestingOn = true;
  }
  fprintf(out, "%s", Tx("\nRestricoes adicionais a aleatorizacao:\n", "\nAdditional randomization restrictions:\n"));
  fprintf(out, "%s",
          Tx("Permutacao entre blocos de unidades (p.ex., parcelas principais num delineamento aninhado ou quando ha "
             "subamostragem):\n  (0) Nenhuma\n  (1) Blocos de acordo com um fator ja especificado\n  (2) Blocos a "
             "especificar\n      Entre opcao: ",
             "Permutation among unit bundles (e.g., main plots in a nested design or when subsampling is involved):\n"
             "  (0) None\n  (1) Bundles according to one factor already specified\n  (2) Bundles to be specified\n"
             "      Enter option: "));
  const int bundleOption = AskOption("0 1 2");
  if (bundleOption == 1) {
    fprintf(out, "%s", Tx("\nEspecifique qual e o fator de agrupamento ( ", "\nSpecify which is the bundling factor ( "));
    FactorList();
    const int f = AskNumber(1, nFactors);
    c.bundleMemb.assign(grMemb[f - 1], grMemb[f - 1] + nObj);
    c.bundlesOn = true;
  } else if (bundleOption == 2) {
    c.bundleMemb = AskMemberships(BundleTexts());
    c.bundlesOn = true;
  }
  if (c.nestingOn && c.bundlesOn) {
    fprintf(out, "%s",
            Tx("Ordem das restricoes:\n  (1) Permutar unidades dentro dos niveis de aninhamento e depois permutar os "
               "blocos (supondo blocos de mesmo tamanho)\n  (2) Permutar somente os blocos dentro dos niveis de "
               "aninhamento\n      Entre opcao: ",
               "Restriction order:\n  (1) Permute units within nesting levels and then permute the bundles "
               "(assuming equally sized bundles)\n  (2) Permute only the bundles within nesting levels\n      Enter "
               "option: "));
    c.bundlesOnly = AskOption("1 2") == 2;
  }
}

// Returns false when the user chose to return to the main menu.
bool AskContrasts(Choices& c) {
  fprintf(out, Tx("Contrastes de grupos: \n\t(0)sem contrastes\n\t(1)todos os contrastes entre pares de grupos\n\t(2)"
                  "especificar contrastes\n\t(99)%s\n",
                  "Contrasts of groups: \n\t(0)no contrasts\n\t(1)perform all pairwise group contrasts\n\t(2)specify "
                  "contrasts\n\t(99)%s\n"),
          returnMain);
  fprintf(out, "\t\t%s: ", enterOpt);
  const int option = AskOption("0 1 2 99");
  if (option == 99) return false;
  c.contrasts.assign(static_cast<size_t>(nFactors), {});
  if (option == 0) return true;
  c.contrastsOn = true;
  if (option == 1) {
    for (int f = 0; f < nFactors; f++) {
      if (c.blockDesign && f == 0) continue;
      const int k = nGroups[f];
      for (int a = 0; a < k; a++)
        for (int b = a + 1; b < k; b++) {
          std::vector<double> coef(static_cast<size_t>(k), 0.0);
          coef[a] = 1;
          coef[b] = -1;
          c.contrasts[f].push_back(coef);
        }
    }
    return true;
  }
  int largest = 0;
  for (int f = 0; f < nFactors; f++) largest = nGroups[f] > largest ? nGroups[f] : largest;
  const int maximum = 2 * largest * (largest - 1);
  for (int f = 0; f < nFactors; f++) {
    fprintf(out, Tx("\nEntre o numero de contrastes para o fator %s (max. %d): ",
                    "\nEnter the number of contrasts for factor %s (max. %d): "),
            factorLabel[f], maximum);
    const int count = AskNumber(0, maximum);
    if (count == 0) continue;
    fprintf(out, "%s", Tx("Especifique os coeficientes de cada contraste:\n", "Specify the coefficients in each contrast:\n"));
    fprintf(out, "%s", Tx("Grupos:       \t", "Groups:       \t"));
    for (int g = 0; g < nGroups[f]; g++) fprintf(out, " %d", grLabel[f][g]);
    fprintf(out, "\n");
    for (int j = 0; j < count; j++) {
      std::vector<double> coef(static_cast<size_t>(nGroups[f]));
      for (;;) {
        fprintf(out, Tx("Contraste %d: \t", "Contrast %d: \t"), j + 1);
        double sum = 0.0, scale = 0.0;
        for (auto& x : coef) {
          x = ScanNumber(in, KeyboardLabel(), "");
          sum += x;
          scale += std::fabs(x);
        }
        if (std::fabs(sum) <= 1e-9 * (scale > 1.0 ? scale : 1.0)) break;
        fputc('\a', stdout);
        fprintf(out, "%s", Tx("Reentre! Coeficientes devem somar zero!!\n", "Reenter! Coefficients must sum zero!!\n"));
      }
      c.contrasts[f].push_back(coef);
    }
  }
  return true;
}

void AskPermutations(Choices& c) {
  fprintf(out, "%s", Tx("Numero de permutacoes: ", "Number of permutations: "));
  c.nPermutations = AskNumber(1, INT_MAX);
  for (;;) {
    fprintf(out, "%s", Tx("Salvar dados e resultados a cada permutacao? s/n ", "Save data and results at each permutation? y/n "));
    const char answer = ScanChar(in, port ? "s n p" : "y n p", KeyboardLabel());
    if (answer == 'p') {
      c.printIntermediate = true;
      return;
    }
    if (answer == 'n') return;
    if (c.nPermutations >= 51) {
      fprintf(out, Tx("Tem certeza? s/n Sao %d permutacoes! ", "Are you sure? y/n There are %d permutations! "),
              c.nPermutations);
      if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) == 'n') continue;
    }
    c.saveEach = true;
    return;
  }
}

bool Ready() {
  if (!temDados || !temGrupo || !grMembDimensioned) return false;
  if (!temRese || rese == nullptr || optReseDir != 1 || nRows != nObj) {
    fprintf(out, "%s",
            Tx("\nO teste requer uma matriz de semelhanca entre unidades amostrais.\n",
               "\nThe test needs a resemblance matrix comparing sampling units.\n"));
    return false;
  }
  return !RefuseUndefinedResemblances();
}

std::string ProgressLabel(int nTests, int testIndex, int64_t done, int64_t total, int threads) {
  char text[128];
  if (nTests > 1)
    snprintf(text, sizeof text, "Test: %d %d Permutation: %lld %lld   CPUs: %d", nTests, testIndex,
             static_cast<long long>(total + 1), static_cast<long long>(done + 1), threads);
  else
    snprintf(text, sizeof text, "Permutation: %lld %lld   CPUs: %d", static_cast<long long>(total + 1),
             static_cast<long long>(done + 1), threads);
  return text;
}

}  // namespace

void AleatorizacaoUnitsManova() {
  if (!Ready()) return;
  AleatorizacaoMain();
  Choices c;
  fprintf(out, "%s",
          Tx("Usar opcoes 'default' (d) ou deseja especificar opcoes avancadas (a)? d/a ",
             "Use default (d) or wish to specify advanced (a) options? d/a "));
  c.advanced = ScanChar(in, "d a", KeyboardLabel()) == 'a';
  const bool meansAvailable = dataType == 1 || dataType == 2 || dataType == 4 || dataType == 6;
  if (c.advanced) {
    fprintf(out, "%s",
            Tx("\nEscolha o criterio de teste:\n  (1) Soma de quadrados entre grupos (Qb)\n  (2) Razao pseudo F "
               "(Anderson 2001)\n  (3) Dissimilaridade media dentro de grupos (MRPP para v=1, Mielke & Berry 2001)\n"
               "      Entre opcao: ",
               "\nChoose the test statistic:\n  (1) Sum of squares between groups (Qb)\n  (2) Pseudo F-ratio "
               "(Anderson 2001)\n  (3) Average dissimilarity within groups (MRPP for v=1, Mielke & Berry 2001)\n"
               "      Enter option: "));
    c.statistic = AskOption("1 2 3");
    if ((nFactors == 2 || nFactors == 3) && meansAvailable) AskResiduals(c);
    AskRestrictions(c);
  } else if (nesting == 1) {
    c.nestingOn = true;
    c.nestingFactor = 1;
    c.blockDesign = true;
  }
  if (!AskContrasts(c)) return;
  AskPermutations(c);

  const double start = difftime_Clock_Init();
  const int n = nObj;
  // Pointers the engine reads: contrasts, labels, memberships.
  std::vector<std::vector<double*>> contrastRows(static_cast<size_t>(nFactors));
  std::vector<double**> contrastPtr(static_cast<size_t>(nFactors));
  std::vector<int> nContrasts(static_cast<size_t>(nFactors), 0);
  for (int f = 0; f < nFactors; f++) {
    for (auto& row : c.contrasts[f]) contrastRows[f].push_back(row.data());
    contrastPtr[f] = contrastRows[f].data();
    nContrasts[f] = static_cast<int>(c.contrasts[f].size());
  }
  manovaInput input;
  input.nUnits = n;
  input.nVars = nVar;
  input.nPermutations = c.nPermutations;
  input.contrasts = contrastPtr.data();
  input.data = data;
  input.contrastsOn = c.contrastsOn;
  input.nestingOn = c.nestingOn;
  input.bundlesOn = c.bundlesOn;
  input.bundlesOnly = c.bundlesOnly;
  input.blockDesign = c.blockDesign;
  input.meansAvailable = meansAvailable;
  input.pseudoF = c.statistic == 2;
  input.nFactors = nFactors;
  input.factorMemb = grMemb;
  input.nContrasts = nContrasts.data();
  input.nestingFactor = c.nestingFactor;
  input.nestMemb = c.nestMemb.empty() ? nullptr : c.nestMemb.data();
  input.bundleMemb = c.bundleMemb.empty() ? nullptr : c.bundleMemb.data();
  input.factorLabels = factorLabel;
  input.unitLabels = uaLabels;
  input.seed = seed;
  input.portuguese = port ? 1 : 0;
  input.sDigits = sDigits;
  input.saveEachPermutation = c.saveEach;
  input.printIntermediate = c.printIntermediate;
  input.nRemoved = c.nRemoved;
  input.removed = c.removed;

  const bool series = !c.advanced && ManovaNeedsSeries(nFactors, c.blockDesign) && meansAvailable;
  FILE* results = OpenResultsBlock(Tx("TESTE DE ALEATORIZACAO", "RANDOMIZATION TEST"));
  const int threads = (c.saveEach || c.printIntermediate) ? 1 : omp_get_max_threads();
  auto progressFor = [threads](int nTests, int testIndex) {
    return ConsoleProgress([=](int64_t done, int64_t total) {
      return ProgressLabel(nTests, testIndex, done, total, threads);
    });
  };
  ManovaObserver observer;
  if (results != nullptr && (c.saveEach || c.printIntermediate))
    observer = [&](int permutation, const int* list, const ManovaResults& values) {
      if (c.saveEach) PrintManovaResults(results, input, values, ManovaReportNotes{}, permutation, list);
      else PrintManovaIntermResults(results, input, values, permutation, list);
    };

  OwnedMatrix distances(n, n);
  std::unique_ptr<RandomizationTestManova> test;
  ManovaReportNotes notes;
  try {
    if (series) {
      notes.series = true;
      input.nTests = ManovaSeriesLength(nFactors, c.blockDesign);
      test = RunManovaSeries(input, r, SessionDistances, progressFor, observer);
    } else {
      SessionDistances(c.nRemoved, c.removed, distances.get());
      input.dissim = distances.get();
      if (c.statistic == 3)
        test = std::make_unique<RandomizationTestManova>(input, 3, r, progressFor(1, 1), observer);
      else
        test = std::make_unique<RandomizationTestManova>(input, r, progressFor(1, 1), observer);
    }
  } catch (const ResidualDistancesRefused&) {
    ClearLine();
    const char* message = Tx("\nA medida de semelhanca nao pode ser calculada sobre os residuos (a matriz de "
                             "covariancias dos residuos nao pode ser invertida): teste nao realizado.\n",
                             "\nThe resemblance measure cannot be computed on the residuals (their covariance matrix "
                             "cannot be inverted): test not done.\n");
    fprintf(out, "%s", message);
    if (results != nullptr) {
      fprintf(results, "%s", message);
      fclose(results);
    }
    return;
  }
  ClearLine();
  test->SetElapsedTime(difftime_Clock(start));
  const ManovaResults& res = test->GetManovaResults();
  if (res.bundleStepSkipped || res.contrastBundleStepSkipped) fprintf(out, "\n%s", UnbalancedBundlesMessage(port));
  if (results != nullptr) {
    PrintManovaResults(results, input, res, notes);
    fclose(results);
  }
  fprintf(out, "%s", Tx("\n\nVeja resultados no arquivo Zoviri.txt.", "\n\nSee results on file Zoviri.txt."));
}

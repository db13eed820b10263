// Option K: the menu of relations between two sets of variables, the data
// sets each analysis needs, and the analyses that are not tests alone (rates
// of change, the Procrustes-adjusted matrix, linear models on variables of
// the current data set).
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "ordination/CanonicalMenu.h"
#include "ordination/RateOfChange.h"
#include "ordination/TwoSetStatistics.h"
#include "randomization/TwoSetTestsMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

enum Option { kMantel = 1, kLinearModels, kCanonicalOrdination, kPartialMantel, kRateOfChange, kProcrustes, kRV, kRd };

bool NeedsUnitResemblance(int option) {
  return option == kMantel || option == kPartialMantel || option == kRateOfChange || option == kRd;
}
bool NeedsCommensurable(int option) {
  return option == kCanonicalOrdination || option == kProcrustes || option == kRV;
}

// True, after saying so, when the data set has no resemblance matrix
// comparing its sampling units.
bool MissingUnitResemblance(const DataSetView& set) {
  if (set.UnitResemblance()) return false;
  fprintf(out,
          Tx("\nFalta matriz de semelhanca comparando unidades amostrais com os dados %s. Defina a medida de "
             "semelhanca no menu principal.\n",
             "\nResemblance matrix comparing units is missing for data %s. Define a resemblance measure in the main "
             "menu.\n"),
          set.filename);
  return true;
}

bool NotCommensurable(const DataSetView& set, bool second) {
  if (set.Commensurable()) return false;
  if (second)
    fprintf(out, "%s",
            Tx("\nAnalise nao permitida com variaveis nao comensuraveis no segundo conjunto de dados.\n",
               "\nThe analysis is not permitted with non-commensurate variables in the second data matrix.\n"));
  else
    fprintf(out, "%s",
            Tx("\nAnalise nao permitida com variaveis nao comensuraveis.\n",
               "\nThe analysis is not permitted with non-commensurate variables.\n"));
  return true;
}

// The requirements of the option on the first data set.
bool FirstSetRefused(int option, const DataSetView& first) {
  if (NeedsUnitResemblance(option) && MissingUnitResemblance(first)) return true;
  return NeedsCommensurable(option) && NotCommensurable(first, false);
}

bool SameUnits(const DataSetView& first, const DataSetView& other) {
  if (other.nObj == first.nObj) return true;
  fprintf(out,
          Tx("\nOs dados %s tem %d unidades amostrais e os dados %s tem %d: os conjuntos de dados devem descrever as "
             "mesmas unidades amostrais, na mesma ordem.\n",
             "\nData %s have %d sampling units and data %s have %d: the data sets must describe the same sampling "
             "units, in the same order.\n"),
          first.filename, first.nObj, other.filename, other.nObj);
  return false;
}

// Variables of the current data set chosen as responses or as factors, held
// for the analysis.
struct SelectedVariables {
  Matrix table;
  std::vector<const char*> labels;
  DataSetView view;
};

bool SelectVariables(const char* variablesText, const char* question, SelectedVariables& s) {
  fprintf(out, "%s", variablesText);
  for (int j = 0; j < nVar; j++) fprintf(out, "%s ", varLabels[j]);
  fprintf(out, "%s", question);
  std::vector<int> chosen;
  for (int j = 0; j < nVar; j++)
    if (static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1")) == 1) chosen.push_back(j);
  const int m = static_cast<int>(chosen.size());
  s.table.Resize(nObj, m);
  for (int i = 0; i < nObj; i++)
    for (int k = 0; k < m; k++) s.table[i][k] = data[i][chosen[k]];
  s.labels.clear();
  for (int j : chosen) s.labels.push_back(varLabels[j]);
  s.view = CurrentDataSetView();
  s.view.nVar = m;
  s.view.data = s.table.data();
  s.view.dataOrig = s.table.data();
  s.view.varLabels = s.labels.data();
  return m > 0;
}

void LinearModelsDialogue() {
  fprintf(out, "%s",
          Tx("\n(1) Selecionar variaveis respostas e fatores na sessao corrente ou \n(2) especificar segunda sessao "
             "com as variaveis fatores\nEntre opcao",
             "\n(1) Select response and factor variables in current session or \n(2) specify second session with "
             "factor variables\nEnter option: "));
  const int source = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2"));
  SelectedVariables responses, factors;
  DataSetView responseSet, factorSet;
  if (source == 1) {
    const bool anyResponse =
        SelectVariables(Tx("\nVariaveis:                             ", "\nVariables:                         "),
                        Tx("\nEspecifique variaveis respostas (0/1): ", "\nSpecify response variables (0/1):  "),
                        responses);
    const bool anyFactor =
        SelectVariables(Tx("\nVariaveis:                           ", "\nVariables:                       "),
                        Tx("\nEspecifique variaveis fatores (0/1): ", "\nSpecify factor variables (0/1):  "), factors);
    if (!anyResponse || !anyFactor) {
      fprintf(out, "%s",
              Tx("\nE preciso ao menos uma variavel resposta e um fator.\n",
                 "\nAt least one response variable and one factor are needed.\n"));
      return;
    }
    responseSet = responses.view;
    factorSet = factors.view;
  } else {
    if (SpecifySecondSession() != 1) return;
    responseSet = CurrentDataSetView();
    factorSet = session2->View();
    if (!SameUnits(responseSet, factorSet)) return;
  }
  fprintf(out, "%s", Tx("\nImprimir resultados detalhados? s/n ", "\nPrint detailed results? y/n "));
  const bool detailed = ScanChar(in, "y s n", KeyboardLabel()) != 'n';
  LinearModels(responseSet, factorSet, detailed);
}

void PrintVector(FILE* f, const std::vector<double>& v) {
  for (double x : v) fprintf(f, "%.*g\t", sDigits, x);
  fprintf(f, "\n");
}

}  // namespace

void LinearModels(const DataSetView& responses, const DataSetView& factors, bool detailed) {
  AleatorizacaoModLin(responses, factors, detailed);
}

void Rate_of_Change(const DataSetView& first, const DataSetView& second) {
  const int n = first.nObj;
  std::vector<double> reference(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) reference[i] = second.dataOrig[i][0];
  const RatesBetweenSets rates = ComputeRatesBetweenSets(n, first.rese, second.rese, reference.data());
  const bool firstWrite = strcmp(modeZoviri, "w") == 0;
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return;
  if (firstWrite) fprintf(f, Tx("PLEXOR versao %s", "PLEXOR version %s"), versao);
  fprintf(f, "\n%s\n%s%s\n", line, Tx("TAXAS DE MUDANCA\n", "RATES OF CHANGE\n"), line);
  TimeStamp(f);
  ShowStatus(f);
  fprintf(f, "%s", Tx("\nEscala de referencia:\t", "\nReference scale:\t"));
  PrintVector(f, rates.velocityScale);
  fprintf(f, "%s", Tx("Taxa de mudanca (velocidade):\t", "Rate of change (velocity):\t"));
  PrintVector(f, rates.velocity);
  fprintf(f, "%s", Tx("\n\nEscala de referencia:\t", "\nReference scale:\t"));
  PrintVector(f, rates.accelerationScale);
  fprintf(f, "%s", Tx("Aceleracao:\t", "Acceleration:\t"));
  PrintVector(f, rates.acceleration);
  fclose(f);
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
}

void Procrustes(const DataSetView& first, const DataSetView& second) {
  if (RefuseMissingData(first) || RefuseMissingData(second)) return;
  AleatorizacaoProcrustes(first, second);
  const int n = first.nObj, q = first.nVar > second.nVar ? first.nVar : second.nVar;
  Matrix adjusted(n, q);
  try {
    ProcrustesCoeff(n, first.nVar, second.nVar, first.data, second.data, adjusted.data());
  } catch (const std::bad_alloc&) {
    ReportNoMemory();
    return;
  }
  const std::string title = std::string(Tx("ANALISE DE PROCRUSTES", "PROCRUSTES ANALYSIS")) + "\n" + line;
  FILE* f = OpenResultsBlock(title.c_str());
  if (f == nullptr) return;
  fprintf(f,
          Tx("\n\nMatriz de dados da sessao %s, com %d unidades amostrais (linhas) e %d variaveis (colunas) apos ajuste "
             "simetrico de Procrustes com a matriz da sessao %s",
             "\n\nData matrix of session %s, with %d units (rows) and %d variables (columns) after symmetric "
             "Procrustes adjustment for maximum fit with session %s"),
          second.sessionName, n, q, first.sessionName);
  fprintf(f, "%s", Tx(", segundo ", ", according to "));
  fprintf(f, "%s:\n", "(Legendre & Legendre 2012, Numerical Ecology, 3rd ed., section 11.5)");
  for (int i = 0; i < n; i++) {
    for (int j = 0; j < q; j++) fprintf(f, "%.*g\t", sDigits, adjusted[i][j]);
    fprintf(f, "\n");
  }
  fprintf(f, "\n");
  fclose(f);
}

int Canonical() {
  fprintf(out, "%s",
          Tx("Avaliar relacoes entre dois conjuntos de variaveis usando: \n\t(1) teste de Mantel\n\t(2) modelos "
             "lineares\n\t(3) ordenacao canonica\n\t(4) teste de Mantel parcial\n\t(5) taxa de mudanca\n\t(6) "
             "Procrustes\n\t(7) Coeficiente RV (Escoufier 1973)\n\t(8) Coeficiente Rd (Omelka & Hudecova 2013)\n\t(99) "
             "voltar ao menu principal\n\t\tEntre opcao: ",
             "Evaluate relations between two sets of variables: \n\t(1) Mantel test\n\t(2) linear models\n\t(3) "
             "canonical ordination\n\t(4) Partial Mantel test\n\t(5) rate of change\n\t(6) Procrustes\n\t(7) RV "
             "coefficient (Escoufier 1973)\n\t(8) Rd coefficient (Omelka & Hudecova 2013)\n\t(99) return to main "
             "menu\n\t\tEnter option: "));
  const int option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 4 5 6 7 8 99"));
  if (option == 99) return 1;
  if (temDados != 1) {
    fprintf(out, "%s", Tx("\nDados nao disponiveis.\n", "\nData not available.\n"));
    return 1;
  }
  try {
    if (FirstSetRefused(option, CurrentDataSetView())) return 1;
    if (option == kLinearModels) {
      LinearModelsDialogue();
      return 1;
    }
    if (SpecifySecondSession() != 1) return 1;
    // Keeping or switching held sets: the first data set may have changed.
    const DataSetView first = CurrentDataSetView();
    const DataSetView second = session2->View();
    if (FirstSetRefused(option, first) || !SameUnits(first, second)) return 1;
    if (NeedsUnitResemblance(option) && MissingUnitResemblance(second)) return 1;
    if ((option == kProcrustes || option == kRV) && NotCommensurable(second, true)) return 1;
    switch (option) {
      case kMantel:
        AleatorizacaoMantel(first, second);
        break;
      case kCanonicalOrdination:
        AleatorizacaoRDA(first, second);
        break;
      case kPartialMantel: {
        if (SpecifyThirdSession() != 1) return 1;
        const DataSetView third = session3->View();
        if (!SameUnits(first, third) || MissingUnitResemblance(third)) return 1;
        AleatorizacaoPartialMantel(first, second, third);
        break;
      }
      case kRateOfChange:
        Rate_of_Change(first, second);
        break;
      case kProcrustes:
        Procrustes(first, second);
        break;
      case kRV:
        AleatorizacaoRV(first, second);
        break;
      case kRd:
        AleatorizacaoRd(first, second);
        break;
    }
  } catch (const std::bad_alloc&) {
    ReportNoMemory();
  }
  return 1;
}

// The Beals test offered in option T after Beals smoothing: its questions,
// its run on a copy of the original table, and its results appended to the
// data transformation block of "Zoviri.txt".
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "ZQLib/Matrix.h"
#include "ZQLib/zqlibDim.h"
#include "randomization/BealsTest.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "transform/DataTransformationsLib.h"
#include "transform/TransformationMenu.h"

namespace {

// One line of values, tab-separated, "-" for a variable not tested.
void PrintTestedValues(FILE* f, const std::vector<double>& values, const std::vector<BealsTarget>& status) {
  for (size_t j = 0; j < values.size(); j++) {
    if (status[j] == BealsTarget::Tested)
      fprintf(f, "%.*g\t", sDigits, values[j]);
    else
      fprintf(f, "-\t");
  }
  fprintf(f, "\n");
}

void WriteBealsTestResults(FILE* f, const BealsTestResult& result) {
  fprintf(f, "%s",
          PtEn("\nDiferencas entre MEDIANAS dos valores ajustados por Beals smoothing (Formula 2 em De Caceres & "
               "Legendre 2008) em sitios onde a variavel ocorre e onde ela nao ocorre, com as respectivas "
               "probabilidades obtidas pelo teste de Beals conforme De Caceres & Legendre (2008):\n",
               "\nDifferences between MEDIANS of Beals values (Formula 2 in De Caceres & Legendre 2008) in sites "
               "where the target variable occurs and where it does not occur, with corresponding p-values "
               "obtained by the Beals test described by De Caceres & Legendre (2008):\n"));
  PrintTestedValues(f, result.differences, result.status);
  PrintTestedValues(f, result.pValues, result.status);
  fprintf(f, PtEn("Inicializador do gerador de numero aleatorios: %u\n", "Random number generation initializer: %u\n"),
          seed);
  int everywhere = 0, nowhere = 0;
  for (BealsTarget s : result.status) {
    if (s == BealsTarget::OccursEverywhere) everywhere++;
    if (s == BealsTarget::OccursNowhere) nowhere++;
  }
  if (everywhere + nowhere > 0)
    fprintf(f,
            PtEn("%d variavel(is) nao testada(s) (\"-\"): %d ocorre(m) em todas as unidades amostrais e %d em "
                 "nenhuma; a diferenca exige sitios onde a variavel ocorre e sitios onde nao ocorre.\n",
                 "%d variable(s) not tested (\"-\"): %d occur(s) in every sampling unit and %d in none; the "
                 "difference needs sites where the variable occurs and sites where it does not.\n"),
            everywhere + nowhere, everywhere, nowhere);
}

}  // namespace

BealsTestRequest AskBealsTest() {
  BealsTestRequest request;
  fprintf(out, "%s",
          PtEn("\nRealizar teste de Beals para cada variavel conforme De Caceres & Legendre (2008)? s/n ",
               "\nPerform Beals test according to De Caceres & Legendre (2008) for each variable? y/n "));
  request.run = AnswerNotNo();
  if (!request.run) return request;
  AleatorizacaoMain();
  fprintf(out, "%s", PtEn("Numero de permutacoes: ", "Number of permutations: "));
  request.nPermutations = static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, 2147483647.0));
  return request;
}

bool RunBealsTest(int nPermutations) {
  BealsTestResult result;
  try {
    Matrix table = CopyOf(nObj, nVar, dataOrig);
    TransformChoice scalarOnly;
    scalarOnly.scalar = optTrEs;
    DataTransformationsLib(scalarOnly, nObj, nVar, table.data());
    BealsTestSettings settings;
    settings.nPermutations = nPermutations;
    settings.type = BealsTypeOpt;
    settings.normalize = BealsNormalizeOpt != 0;
    settings.statistic = BEALS_MEDIANS;
    settings.seed = seed;
    settings.rngType = r != nullptr ? r->type : nullptr;
    const int nVariables = nVar;
    settings.progress = [nVariables, nPermutations](int target, int permutation) {
      const std::string label = "Taxon: " + std::to_string(nVariables) + " " + std::to_string(target) +
                                " Permutation: " + std::to_string(nPermutations) + " " + std::to_string(permutation);
      HandleEventInfoWhere2(label.c_str());
    };
    result = BealsTest_Partial(nObj, nVar, table.data(), settings);
  } catch (const std::bad_alloc&) {
    ClearLine();
    ReportNoMemory();
    return false;
  }
  ClearLine();
  FILE* f = OpenResultsFileOrSay();
  if (f == nullptr) return false;
  WriteBealsTestResults(f, result);
  fclose(f);
  return true;
}

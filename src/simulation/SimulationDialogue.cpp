// Dialogue pieces shared by the simulation generators.
#include "simulation/SimulationDialogue.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "ZQLib/MissingValue.h"
#include "randomization/SessionRandom.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"

const char* SimTx(const char* portuguese, const char* english) { return port ? portuguese : english; }

BorrowedSessionChoices::BorrowedSessionChoices()
    : optVarTipo_(optVarTipo),
      temQuant_(temQuant),
      temQual_(temQual),
      temBin_(temBin),
      optTrEs_(optTrEs),
      optTrVeVar_(optTrVeVar),
      optTrVeUnits_(optTrVeUnits),
      nClassesVar_(nClassesVar),
      nClassesUnits_(nClassesUnits),
      dataType_(dataType),
      isStandardized_(isStandardized),
      hasNegative_(hasNegative),
      mutualUnits_(appliesReseUnits[4][0]),
      mutualVar_(appliesReseVar[4][0]),
      optReseDir_(optReseDir),
      optReseTipo_(optReseTipo),
      optPostReseTransf_(optPostReseTransf),
      nRows_(nRows),
      nCols_(nCols),
      countDoubleAbsence_(countDoubleAbsence),
      alphaH_(alphaH),
      kParameter_(kParameter),
      optOrdiType_(optOrdiType),
      optCompara_(optCompara) {}

BorrowedSessionChoices::~BorrowedSessionChoices() {
  optVarTipo = optVarTipo_;
  temQuant = temQuant_;
  temQual = temQual_;
  temBin = temBin_;
  optTrEs = optTrEs_;
  optTrVeVar = optTrVeVar_;
  optTrVeUnits = optTrVeUnits_;
  nClassesVar = nClassesVar_;
  nClassesUnits = nClassesUnits_;
  dataType = dataType_;
  isStandardized = isStandardized_;
  hasNegative = hasNegative_;
  appliesReseUnits[4][0] = mutualUnits_;
  appliesReseVar[4][0] = mutualVar_;
  optReseDir = optReseDir_;
  optReseTipo = optReseTipo_;
  optPostReseTransf = optPostReseTransf_;
  nRows = nRows_;
  nCols = nCols_;
  countDoubleAbsence = countDoubleAbsence_;
  alphaH = alphaH_;
  kParameter = kParameter_;
  optOrdiType = optOrdiType_;
  optCompara = optCompara_;
}

void BorrowedSessionChoices::AsQuantitativeData() {
  optVarTipo = 1;
  temQuant = 1;
  temQual = temBin = 0;
  optTrEs = optTrVeVar = optTrVeUnits = 0;
  optPostReseTransf = 0;
  SetDataType(0, 0, 0);
}

bool AskYes(const char* portuguese, const char* english) {
  fprintf(out, "%s", SimTx(portuguese, english));
  return ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n';
}

namespace {

bool Exists(const char* name) {
  struct stat st;
  return stat(name, &st) == 0;
}

}  // namespace

std::string AskSimulatedDataFile(const std::vector<std::string>& reserved) {
  std::vector<std::string> kept = {resultsFileName, "Plexor.prf", "Sessao.trk", sessionFilename};
  if (temDados && filename[0] != '\0') kept.push_back(filename);
  kept.insert(kept.end(), reserved.begin(), reserved.end());
  char name[NAME_LEN];
  for (;;) {
    fprintf(out, "%s", SimTx("Entre o nome do arquivo: ", "Enter name of the file: "));
    ScanString(in, NAME_LEN - 1, name, nullptr, 1, KeyboardLabel());
    if (std::find(kept.begin(), kept.end(), std::string(name)) != kept.end()) {
      fprintf(out,
              SimTx("\nO arquivo %s guarda resultados ou a sessao e nao sera substituido. Escolha outro nome.\n",
                    "\nFile %s holds results or the session and will not be replaced. Choose another name.\n"),
              name);
      continue;
    }
    if (!Exists(name)) return name;
    fprintf(out, SimTx("Ja existe o arquivo %s. Substitui-lo? s/n ", "File %s already exists. Replace it? y/n "),
            name);
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') return name;
  }
}

ProgressHook SimulationProgress(const char* portuguese, const char* english) {
  const std::string label = SimTx(portuguese, english);
  return ConsoleProgress([label](int64_t done, int64_t total) {
    char text[128];
    std::snprintf(text, sizeof text, "%s %lld %lld", label.c_str(), static_cast<long long>(total),
                  static_cast<long long>(done));
    return std::string(text);
  });
}

void WriteCell(FILE* f, double value) {
  if (IsMissing(value))
    std::fprintf(f, "\tNA");
  else
    std::fprintf(f, "\t%.10g", value);
}

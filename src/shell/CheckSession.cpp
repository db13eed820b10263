// At start-up: offer to resume the session named by the pointer file
// "Sessao.trk", derive stage and data type, and choose whether the first
// analysis erases or appends to the results file.
#include <cstdio>
#include <cstring>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

namespace {

const char* const pointerFileName = "Sessao.trk";
const char* const defaultSessionName = "Sessao";

// The session goes on without data. A table read before (option N falls back
// here when no new table was read) is released with everything that depends
// on it (held data sets own their arrays apart).
void NoData() {
  LivraMemoria();
  temDados = 0;
}

// Reads the session named by the pointer file and asks whether to resume it.
// Leaves temDados at 0 when there is nothing to resume or the user declines.
void OfferLastSession() {
  FILE* f = fopen(pointerFileName, "r");
  if (f == nullptr) {
    NoData();
    return;
  }
  char pointed[NAME_LEN] = "";
  int words = fscanf(f, "%99s", pointed);
  fclose(f);
  if (words != 1) {
    // An empty or unreadable pointer file names no session: go on without data.
    fprintf(out,
            port ? "\nO arquivo %s esta vazio ou danificado; nenhuma sessao sera retomada.\n"
                 : "\nFile %s is empty or damaged; no session is resumed.\n",
            pointerFileName);
    NoData();
    return;
  }
  strcpy(sessionName, pointed);
  if (strlen(sessionName) + strlen(".trk") >= (size_t)NAME_LEN) {
    // No track file can carry a name this long.
    NoData();
    SetDefaultSessionName();
    return;
  }
  strcpy(sessionFilename, sessionName);
  strcat(sessionFilename, ".trk");

  f = fopen(sessionFilename, "r");
  if (f == nullptr) {
    fprintf(out,
            port ? "\nO arquivo de sessao %s, indicado em %s, nao existe; nenhuma sessao sera retomada.\n"
                 : "\nSession track file %s, named in %s, is missing; no session is resumed.\n",
            sessionFilename, pointerFileName);
    NoData();
    return;
  }
  char trackSession[NAME_LEN] = "";
  char trackData[NAME_LEN] = "";
  words = fscanf(f, "%99s %99s", trackSession, trackData);
  fclose(f);
  if (words != 2) {
    // A track without its two leading names holds nothing to resume.
    NoData();
    SetDefaultSessionName();
    return;
  }
  // The session is the one the pointer names, whatever name a copied track
  // still carries inside.
  strcpy(filename, trackData);

  if (strcmp(sessionName, defaultSessionName) != 0)
    fprintf(out,
            port ? "Continuar sessao de analise %s com dados %s? s/n "
                 : "Wish to continue analysis session %s with data file %s? y/n ",
            sessionName, filename);
  else
    fprintf(out,
            port ? "Continuar sessao de analise com dados %s? s/n "
                 : "Wish to continue analysis session with data file %s? y/n ",
            filename);
  char answer = ScanChar(in, YesNoAccepted(), KeyboardLabel());
  if (answer != 'n') {
    if (ReadSessionTrack() != 1) NoData();
  } else {
    NoData();
    SetDefaultSessionName();
  }
  savedSession = 1;
}

void ChooseResultsFileMode() {
  FILE* f = fopen(resultsFileName, "r");
  if (f == nullptr) {
    strcpy(modeZoviri, "w");
    return;
  }
  fclose(f);
  fprintf(out,
          port ? "Ja existe o arquivo %s. Apagar(a) ou emendar(e)? "
               : "An older file %s was found. Wish to erase(e) or append(a)? ",
          resultsFileName);
  char answer = ScanChar(in, "a e", KeyboardLabel());
  char erase = port ? 'a' : 'e';
  strcpy(modeZoviri, answer == erase ? "w" : "a");
}

}  // namespace

void CheckSession() {
  OfferLastSessionAgain();
  ChooseResultsFileMode();
}

void OfferLastSessionAgain() {
  SetDefaultSessionName();
  OfferLastSession();
  SetStepReached();
  SetDataType(optTrEs, optTrVeVar, optTrVeUnits);
}

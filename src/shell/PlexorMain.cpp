// Program start-up: preferences, language, clocks, banner, session
// resumption, thread limit, then the main loop.
#include <cstdio>

#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"

void ShowBanner() {
  fprintf(out, "\n\n\n%s\n", "PLEXOR");
  fprintf(out, "%s%s\n",
          port ? "Analise de muitas variaveis com testes de aleatorizacao e reamostragem bootstrap v."
               : "Analysis of many variables with randomization tests and bootstrap resampling v.",
          versao);
  fprintf(out, "%s\n", line);
  if (port) {
    fprintf(out, "Programa interativo de menus; os resultados sao acrescentados ao arquivo Zoviri.txt.\n");
    fprintf(out, "As respostas vem do teclado ou de um arquivo de script (opcao Z).\n");
    fprintf(out, "Usa a GNU Scientific Library (GSL) e OpenMP.\n");
    fprintf(out, "Comentarios e relatos de erros: veja README.md na distribuicao do codigo.\n");
  } else {
    fprintf(out, "Interactive menu-driven program; results are appended to the file Zoviri.txt.\n");
    fprintf(out, "Answers come from the keyboard or from a script file (option Z).\n");
    fprintf(out, "Uses the GNU Scientific Library (GSL) and OpenMP.\n");
    fprintf(out, "Comments and bug reports: see README.md in the source distribution.\n");
  }
  fprintf(out, "%s\n", line);
}

void Init() {
  optTrEs = 0;
  optTrVeVar = 0;
  optTrVeUnits = 0;
  secondSet = false;
}

int PlexorMain(const MainMenuTable& menu) {
  ReadPreferences();
  Initialize();
  InitIFLibG();
  ShowBanner();
  Init();
  CheckSession();
  InitMultiprocessing(nProcessors);
  MainLoop(menu);
  return 1;
}

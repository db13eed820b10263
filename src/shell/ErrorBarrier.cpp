// The error barrier: the only place where the int codes thrown by the readers,
// the allocator and the preferences writer are caught. Each code prints its
// message, waits for the user and ends the process.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/SessionState.h"

namespace {

// Reads standard input until `stop` says so or the input ends. The readers
// never close standard input, even when it is the source that ended.
template <class Stop>
void WaitForKeyboard(Stop stop) {
  int c;
  while ((c = fgetc(stdin)) != EOF) {
    if (stop((char)c)) break;
  }
}

void Bell() {
  fputc('\a', stdout);
  fflush(stdout);
}

void UntilNewline() {
  WaitForKeyboard([](char c) { return c == '\n'; });
}

void UntilLetter() {
  WaitForKeyboard([](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

void PressReturn() {
  fprintf(stderr, eng ? "\nPress RETURN to exit.\n" : "\nPressione RETURN para sair.\n");
}

}  // namespace

void ReportNoMemory() {
  fprintf(stdout, port ? "\nMemoria insuficiente: a analise nao foi feita.\n"
                       : "\nNot enough memory: the analysis was not done.\n");
  Bell();
}

void HandleError(int code) {
  switch (code) {
    case 2:
      fprintf(stderr, eng ? "\nEND OF FILE !!!\n" : "\nARQUIVO INCOMPLETO !!!\n");
      PressReturn();
      Bell();
      UntilNewline();
      break;
    case 3:
      fprintf(stderr, eng ? "\nFAIL TO PRINT ON FILE !!!\n" : "\nFALHA AO ESCREVER NO ARQUIVO !!!\n");
      PressReturn();
      Bell();
      UntilLetter();
      break;
    case 4:
      fprintf(stderr, eng ? "\nFAIL TO OPEN FILE !!!\n" : "\nFALHA AO ABRIR ARQUIVO !!!\n");
      PressReturn();
      Bell();
      UntilNewline();
      break;
    default:
      // Code 1 (the allocator has already reported) and unknown codes: the
      // program ends normally.
      return;
  }
  fflush(stdout);
  fflush(stderr);
  exit(0);
}

int mainInit(const MainMenuTable& menu) {
  try {
    return PlexorMain(menu);
  } catch (const std::bad_alloc&) {
    fprintf(stderr, "\nOUT OF MEMORY !!!\n");
    fprintf(stderr, "\nPress RETURN to exit.\n");
    Bell();
    UntilNewline();
    exit(0);
  } catch (int code) {
    HandleError(code);
  }
  return 0;
}

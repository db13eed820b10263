// Analyses reached from the main menu that are not built yet: each prints a
// one-line notice and returns to the menu.
#include <cstdio>

#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

namespace {
int NotAvailable() {
  fprintf(stdout, port ? "\nAnalise ainda nao disponivel.\n" : "\nAnalysis not available yet.\n");
  return 0;
}
}  // namespace

int DescriptiveAttributes() { return NotAvailable(); }
void AleatorizacaoVar() { NotAvailable(); }
void PathAnalysis() { NotAvailable(); }
void Canonical() { NotAvailable(); }
void Dynamics() { NotAvailable(); }
void PathModelGenerator() { NotAvailable(); }
void RandomDataGenerator() { NotAvailable(); }

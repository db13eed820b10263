// Placeholder entry point until the analysis is built.
#include <cstdio>

#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

void Cluster() {
  fprintf(stdout, port ? "\nAnalise ainda nao disponivel.\n" : "\nAnalysis not available yet.\n");
  
}

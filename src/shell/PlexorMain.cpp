#include "shell/EntryPoints.h"

int mainInit() { return 0; }

// Temporary stand-ins for shell services that are still being written; each
// goes away as soon as its real definition is in the tree.
#include "shell/EntryPoints.h"

void ReadPreferences() {}
int SetPreferences() { return 1; }

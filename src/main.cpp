#include "shell/EntryPoints.h"

int main() {
  mainInit();
  return 0;
}

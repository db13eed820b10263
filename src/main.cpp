#include <gsl/gsl_errno.h>

#include "shell/EntryPoints.h"

int main() {
  // Numeric routines check GSL's return codes themselves; GSL must not abort.
  gsl_set_error_handler_off();
  mainInit();
  return 0;
}

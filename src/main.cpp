// The top of the program: the main menu, letter by letter, from the menu
// libraries of the analyses and the shell's own entry points, handed to the
// error barrier and the main loop. This is the only place where the shell
// meets the analyses.
//
// A new analysis adds its letter here: its entry point (int(), returning 1
// when it completed and changed the session; a void routine goes through
// Done<>) and the bookkeeping the loop does after it. A letter whose analysis
// is not built yet runs AnalysisNotAvailable.
#include <gsl/gsl_errno.h>

#include "cluster/ClusterMenu.h"
#include "dynamics/DynamicsMenu.h"
#include "ordination/CanonicalMenu.h"
#include "ordination/OrdinationMenu.h"
#include "pathanalysis/PathAnalysisMenu.h"
#include "randomization/RandomizationMenu.h"
#include "resemblance/ResemblanceMenu.h"
#include "shell/EntryPoints.h"
#include "shell/MainLoop.h"
#include "shell/SessionState.h"
#include "transform/DescriptiveAttributesMenu.h"
#include "transform/TransformationMenu.h"

namespace {

// A void entry point, whose completion the loop takes as done.
template <void (*F)()>
int Done() {
  F();
  return 1;
}

int InputSource() {
  ChooseInputSource();
  return 1;
}

// Option F: path analysis needs quantitative or binary data.
int PathAnalysisIfAdequate() {
  if (dataType == 1 || dataType == 2 || dataType == 4) {
    PathAnalysis();
    return 1;
  }
  fprintf(stdout, port ? "\nTipo de dados nao adequado para nenhuma opcao de analise de caminhos."
                       : "\nData type is not adequate for any option of path analysis.");
  return 0;
}

// Option A: the test comparing variables, then (after correlations) the
// offer to test partial correlations, which path analysis owns.
int VariableTest() {
  PartialCorrelationsAfterVariableTest(AleatorizacaoVar());
  return 1;
}

// Option P: the groups, then the randomization test comparing them.
int GroupTest() {
  SetGroups();
  AleatorizacaoUnitsManova();
  return 1;
}

int NotAvailableDone() {
  AnalysisNotAvailable();
  return 1;
}

const MainMenuTable kMainMenu = {
    {'A', VariableTest, AfterAction::Record},
    {'C', Done<Cluster>, AfterAction::Nothing},
    {'D', Done<Scatter>, AfterAction::Nothing},
    {'E', SetPreferences, AfterAction::Nothing},
    {'F', PathAnalysisIfAdequate, AfterAction::RecordWhenDone},
    {'G', Done<SetGroups>, AfterAction::Groups},
    {'J', NotAvailableDone, AfterAction::Nothing},           // path model generator
    {'K', Canonical, AfterAction::Record},
    {'N', SpecifySession, AfterAction::NewData},
    {'O', Ordenacao, AfterAction::Ordination},
    {'P', GroupTest, AfterAction::Record},
    {'R', Semelhanca, AfterAction::Resemblance},
    {'S', SaveSession, AfterAction::Nothing},
    {'T', TransformaDados, AfterAction::Transformation},
    {'U', NotAvailableDone, AfterAction::Nothing},           // random data generator
    {'V', DescriptiveAttributes, AfterAction::Nothing},      // writes no track; groups asked are recorded by it
    {'Y', Dynamics, AfterAction::Nothing},
    {'Z', InputSource, AfterAction::Nothing},
};

}  // namespace

int main() {
  // Numeric routines check GSL's return codes themselves; GSL must not abort.
  gsl_set_error_handler_off();
  mainInit(kMainMenu);
  return 0;
}

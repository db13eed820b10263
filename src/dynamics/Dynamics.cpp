// The Y menu: which analysis of the system's dynamics, and what each needs
// of the session first.
#include <cstdio>

#include "dynamics/DynamicsMenu.h"
#include "shell/Console.h"
#include "shell/SessionState.h"

const char* const kSerialScalingReference = "Orloci & Orloci 1988";

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

}  // namespace

int Dynamics() {
  fprintf(out, "\n%s\n", Tx("Dinamica do sistema:", "System dynamics:"));
  fprintf(out, "\t%s\n", Tx("(1) ajuste de um modelo Markoviano", "(1) Markov fitting"));
  fprintf(out, "\t%s\n", Tx("(2) interpolacao de dados", "(2) data interpolation"));
  fprintf(out, "\t%s\n",
          Tx("(3) taxa de mudanca (velocidade e aceleracao)", "(3) rate of change (velocity and acceleration)"));
  fprintf(out, Tx("\t(4) escalonamento serial canonico (%s)\n", "\t(4) canonical serial scaling (%s)\n"),
          kSerialScalingReference);
  fprintf(out, "\t%s\n", Tx("(99) voltar ao menu principal", "(99) return to the main menu"));
  fprintf(out, "\t\t%s", Tx("Entre opcao: ", "Enter option: "));
  const int option = static_cast<int>(ScanNumber(in, KeyboardLabel(), "1 2 3 4 99"));
  switch (option) {
    case 1:
      Markov();
      break;
    case 2:
      Interpolation();
      break;
    case 3:
      if (temRese != 1 || optReseDir != 1) {
        fprintf(out,
                Tx("\nFalta matriz de semelhanca comparando unidades amostrais com os dados %s. Defina a medida de "
                   "semelhanca no menu principal.\n",
                   "\nResemblance matrix comparing units is missing for data %s. Define a resemblance measure in the "
                   "main menu.\n"),
                filename);
        return 0;
      }
      Rate_of_Change();
      break;
    case 4:
      if (optReseDir != 2 || optReseTipo != 17) {
        fprintf(out, "%s\n",
                Tx("Esta opcao exige previamente a definicao de uma matriz de correlacao entre variaveis. Volte ao "
                   "menu principal",
                   "This option requires previously the definition of a correlation matrix between variables. Please "
                   "go back to the main menu."));
        return 1;
      }
      CanonicalSerialScaling();
      break;
    default:
      break;
  }
  return 1;
}

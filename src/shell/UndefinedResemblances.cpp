// Resemblance matrices that hold undefined values: the turnover and
// nestedness measures give the missing-value code to a pair of entities
// without any presence, and no ordination or distance-based clustering can
// use such a pair.
#include <cstdio>

#include "ZQLib/MissingValue.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

int CountUndefinedResemblances(int n, double** m) {
  int count = 0;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++)
      if (IsMissing(m[i][j])) count++;
  return count;
}

bool RefuseUndefinedResemblances() {
  if (!temRese || rese == nullptr) return false;
  const int pairs = CountUndefinedResemblances(nRows, rese);
  if (pairs == 0) return false;
  // Turnover and nestedness (24, 25, 27, 28) are undefined without presences;
  // any measure is undefined for two entities with no attribute present in both.
  const bool turnover = optReseTipo == 24 || optReseTipo == 25 || optReseTipo == 27 || optReseTipo == 28;
  if (turnover)
    fprintf(out,
            port ? "\nA matriz de semelhanca tem %d pares com valor indefinido (-999): um dos dois nao tem nenhuma "
                   "presenca.\nEscolha outra medida de semelhanca ou retire as entidades sem presencas.\n"
                 : "\nThe resemblance matrix has %d pairs with an undefined value (-999): one of the two has no "
                   "presence.\nChoose another resemblance measure or leave out the entities without presences.\n",
            pairs);
  else
    fprintf(out,
            port ? "\nA matriz de semelhanca tem %d pares com valor indefinido (-999): os dois nao tem nenhum "
                   "atributo presente em ambos.\nRetire as entidades sem valores em comum com as outras.\n"
                 : "\nThe resemblance matrix has %d pairs with an undefined value (-999): the two have no attribute "
                   "present in both.\nLeave out the entities without values in common with the others.\n",
            pairs);
  fputc('\a', out);
  return true;
}

// The cluster analysis report.
#include "cluster/ClusterOutput.h"

#include <string>
#include <vector>

#include "cluster/ClusterMethods.h"
#include "cluster/NewickFormat.h"
#include "cluster/Partitions.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

bool HasSecondLevel(int method) { return method == kWard || method == kHierFactorial || method == kWardConstrained; }

void WriteFusionDirectory(FILE* f, int n, const clusterReport* rep, int method, char** labels) {
  fprintf(f, "%s", Tx("Agrupamento hierarquico:\n", "Fusion directory:\n"));
  const bool two = HasSecondLevel(method);
  if (method == kHierFactorial)
    fprintf(f, "%-5s\t%-11s\t%-13s\t%-s\n", "Step", port ? "Autov.II" : "Eigen.II", port ? "Autov.I " : "Eigen.I ",
            "Objects in group");
  else if (two)
    fprintf(f, "%-5s\t%-11s\t%-13s\t%-s\n", Tx("Passo", "Step"), Tx("SQdentro", "SSwithin"), Tx("SQentre", "SSbetween"),
            Tx("Grupo formado", "Objects in group"));
  else
    fprintf(f, "%-5s\t%-13s\t%-s\n", Tx("Passo", "Step"), Tx("Semelhanca", "Resemblance"),
            Tx("Grupo formado", "Objects in group"));
  for (int s = 0; s < n - 1; s++) {
    fprintf(f, "%-5d\t", s + 1);
    fprintf(f, "%-13.*g\t", sDigits, rep[s].level);
    if (two) fprintf(f, "%-11.*g\t", sDigits, rep[s].level2);
    int written = 0;
    for (int t = 0; t < rep[s].nMembers; t++) {
      if (4 * (written + 1) + 32 > maxColsPrint) {
        if (two)
          fprintf(f, "\n%-5s\t%-11s\t%-13s\t", "", "", "");
        else
          fprintf(f, "\n%-5s\t%-13s\t", "", "");
        written = 0;
      }
      fprintf(f, "%s ", labels[rep[s].members[t] - 1]);
      written++;
    }
    fprintf(f, "\n");
  }
}

void WriteNewick(FILE* f, int n, const clusterReport* rep, int method, bool isDissim, char** labels) {
  std::string text;
  NewickFormat(n, rep, method, labels, isDissim, text, true);
  fprintf(f, "%s", Tx("\n\nDendrograma no formato Newick:\n", "\n\nDendrogram in Newick format:\n"));
  fprintf(f, "%s;\n", text.c_str());
  FILE* side = fopen("newick.txt", "w");
  if (side == nullptr) {
    fprintf(stdout, Tx("\nNao foi possivel abrir o arquivo %s.\n", "\nCould not open file %s.\n"), "newick.txt");
    return;
  }
  fprintf(side, "%s;\n", text.c_str());
  fclose(side);
}

void WritePartitions(FILE* f, int n, const clusterReport* rep, int method, char** labels) {
  fprintf(f, "%s",
          Tx("\nParticoes em grupos em cada nivel de agrupamento (na):\n",
             "\nGroup partitions at each clustering level (cl):\n"));
  fprintf(f, "%s", Tx("Objetos:                  \t", "Objects:                \t"));
  for (int i = 0; i < n; i++) fprintf(f, "%s\t", labels[i]);
  std::vector<int> order(n - 1), part(n);
  ClusterFusionOrder(n, rep, method, order.data());
  for (int g = 2; g <= n; g++) {
    double level = 0.0;
    ClusterPartitionFromOrder(n, g, part.data(), &level, rep, order.data());
    fprintf(f, Tx("\n%d grupos (na = %g):      \t", "\n%d groups (cl = %g):    \t"), g, level);
    for (int i = 0; i < n; i++) fprintf(f, "%d\t", part[i]);
  }
  fprintf(f, "\n");
}

void WriteFactorialScores(FILE* f, int n, const clusterReport* rep, int nOther, char** otherLabels) {
  if (optReseDir == 2) {
    fprintf(f, "\nScores of units on the first and second representative variable for each clustering node:\n");
    fprintf(f, "Units:");
  } else {
    fprintf(f, "\nScores of variables on the first and second representative unit for each clustering node:\n");
    fprintf(f, "Variables:");
  }
  for (int t = 0; t < nOther; t++) fprintf(f, "\t%s", otherLabels[t]);
  for (int s = 0; s < n - 1; s++) {
    fprintf(f, "\nStep %d, Eig.I:", s + 1);
    for (int t = 0; t < nOther; t++) fprintf(f, "\t%g", rep[s].scoresI[t]);
    fprintf(f, "\nStep %d, Eig.II:", s + 1);
    for (int t = 0; t < nOther; t++) fprintf(f, "\t%g", rep[s].scoresII[t]);
    fprintf(f, "\n");
  }
  fprintf(f, "\n");
}

}  // namespace

void WriteClusterReport(FILE* f, int n, clusterReport* rep, int method, bool isDissim, char** labels, int correlTransf,
                        int nOther, char** otherLabels) {
  fprintf(f, Tx("Criterio de agrupamento: %s\n", "Clustering criterion: %s\n"), clusMethInfo[method]);
  if (correlTransf >= 0)
    fprintf(f, Tx("Transformacao das correlacoes: %s\n", "Correlation transformation: %s\n"),
            optTransfCorrelInfo[correlTransf]);
  if (n < 2 || rep == nullptr) return;
  WriteFusionDirectory(f, n, rep, method, labels);
  WriteNewick(f, n, rep, method, isDissim, labels);
  WritePartitions(f, n, rep, method, labels);
  if (method == kHierFactorial) WriteFactorialScores(f, n, rep, nOther, otherLabels);
}

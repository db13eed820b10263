// Menu option C: hierarchical clustering of the entities compared by the
// session's resemblance matrix; the dendrogram is also drawn in "Dendrogram.svg".
// After a clustering of sampling units the sharpness of its partitions may be
// evaluated by bootstrap resampling.
#include <cmath>
#include <cstdio>
#include <string>

#include "bootstrap/BootstrapMenu.h"
#include "cluster/ClusterMethods.h"
#include "cluster/ClusterOutput.h"
#include "cluster/ClusterReport.h"
#include "cluster/ClusterState.h"
#include "cluster/DendrogramFile.h"
#include "ordination/GowerCentring.h"
#include "cluster/ClusterMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "ZQLib/zqlibDim.h"

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

int AskMethod() {
  ShowStatus(out);
  fprintf(out, "%s", Tx("Metodo de agrupamento: \n", "Clustering method: \n"));
  for (int k = 1; k <= 7; k++) fprintf(out, "\t%s\n", clusMethInfo[k]);
  fprintf(out, "\t(99)%s\n", returnMain);
  fprintf(out, "\t\t%s: ", enterOpt);
  return static_cast<int>(
      ScanNumber(in, KeyboardLabel(), optReseTipo == 21 ? "1 2 3 4 5 6 7 99" : "1 2 3 4 5 7 99"));
}

// Asks for and applies the transformation of correlations; returns the choice.
int TransformCorrelations(int n, double** W) {
  fprintf(out, "%s",
          Tx("Transformacao das correlacoes:\n\t(0)sem transformacao\n\t(1)valor absoluto\n\t(2)correlacoes ao "
             "quadrado\n",
             "Transformation of correlations:\n\t(0)without transformation\n\t(1)absolute value\n\t(2)squared\n"));
  const int choice = static_cast<int>(ScanNumber(in, KeyboardLabel(), "0 1 2"));
  if (choice == 2) SquareSqMatrix(n, W, W);
  if (choice == 1)
    for (int i = 0; i < n - 1; i++)
      for (int j = 0; j < n; j++) W[i][j] = std::fabs(W[i][j]);
  return choice;
}

void AskTopology() {
  fprintf(out, "%s",
          Tx("Topologia das unidades amostrais:\n\t(1)ordem das unidades amostrais nos dados indica topologia no "
             "tempo ou espaco\n\t(2)deseja especificar outra topologia [not yet implemented]\n",
             "Sampling unit topology:\n\t(1)sampling unit order in the data indicate spatial or temporal "
             "topology\n\t(2)wish to specify another topology [not yet implemented]\n"));
  ScanNumber(in, KeyboardLabel(), "1 2");
}

}  // namespace

void Cluster() {
  if (!temRese || rese == nullptr || nRows < 1) {
    fprintf(out, "%s", Tx("\nNao ha matriz de semelhanca.\n", "\nThere is no resemblance matrix.\n"));
    return;
  }
  if (RefuseUndefinedResemblances()) return;
  const int method = AskMethod();
  if (method == 99) return;
  clusMeth = method;
  const int n = nRows;
  const bool isDissim = ClusterMeasureIsDissim(optReseTipo);

  double** W = dimDouble2D(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) W[i][j] = rese[i][j];

  int correlTransf = -1;
  if (optReseTipo == 17 && optReseDir == 2 && method != kHierFactorial) correlTransf = TransformCorrelations(n, W);

  // Leaves of the dendrogram stand at level 0 of dissimilarities and sums of
  // squares, and at the largest self-resemblance of similarities.
  double leafLevel = 0.0;
  if (!isDissim && method != kWard && method != kWardConstrained)
    for (int i = 0; i < n; i++)
      if (i == 0 || W[i][i] > leafLevel) leafLevel = W[i][i];

  int** adjacency = nullptr;
  if (method == kWardConstrained) {
    AskTopology();
    adjacency = dimInt2D(n, n);
    for (int i = 0; i + 1 < n; i++) adjacency[i][i + 1] = 1;
  }

  bool squared = false;
  if (method == kWard || method == kWardConstrained) {
    if (!isDissim) {
      ProdToSqDist(n, W, W);
      squared = true;
    } else if (optReseTipo == 4) {
      DissToCenterProdMatrix(n, W, W, false);
      ProdToSqDist(n, W, W);
      squared = true;
    }
  }

  clusterReport* rep = AllocClusterReport(n, nCols, method == kHierFactorial);
  double** dataT = nullptr;
  switch (method) {
    case kWard:
      SumSqCluster(n, W, rep, squared);
      break;
    case kWardConstrained:
      SumSqClusterRestrained(n, W, adjacency, rep, squared);
      break;
    case kHierFactorial:
      dataT = dimDouble2D(n, nCols);
      for (int i = 0; i < n; i++)
        for (int j = 0; j < nCols; j++) dataT[i][j] = optReseDir == 2 ? data[j][i] : data[i][j];
      HierFactorialClustering(n, nCols, dataT, rep);
      break;
    default:
      LinkageCluster(n, W, rep, isDissim, squared, method, true);
      break;
  }

  const PictureOutcome picture = WriteDendrogramFile(n, rep, method, isDissim, leafLevel);
  const char* pictureMessage = picture == PictureOutcome::kWritten
                                   ? Tx("\nDendrograma desenhado no arquivo %s.\n", "\nDendrogram drawn on file %s.\n")
                                   : Tx("\nNao foi possivel gravar o arquivo %s.\n", "\nCould not write file %s.\n");

  char** labels = optReseDir == 2 ? varLabels : uaLabels;
  char** otherLabels = optReseDir == 2 ? uaLabels : varLabels;
  const std::string title = std::string(Tx("ANALISE DE AGRUPAMENTOS", "CLUSTER ANALYSIS")) + "\n" + line;
  FILE* f = OpenResultsBlock(title.c_str());
  if (f != nullptr) {
    WriteClusterReport(f, n, rep, method, isDissim, labels, correlTransf, nCols, otherLabels);
    if (picture != PictureOutcome::kNone) fprintf(f, pictureMessage, dendrogramFileName);
    fclose(f);
  }

  if (optReseDir == 1 && method != kWardConstrained) {
    fprintf(out, "%s",
            Tx("\nAvaliar nitidez de particoes atraves de autoreamostragem (bootstrap)? s/n ",
               "\nEvaluate group partition sharpness using bootstrap resampling? y/n "));
    if (ScanChar(in, YesNoAccepted(), KeyboardLabel()) != 'n') SamplerGroups(n, rese, isDissim, rep, method);
  }

  FreeClusterReport(n, rep);
  if (dataT) freeDouble2D(dataT, n);
  if (adjacency) freeInt2D(adjacency, n);
  freeDouble2D(W, n);
  ClearLine();
  if (picture != PictureOutcome::kNone) fprintf(out, pictureMessage, dendrogramFileName);
  fprintf(out, "%s", Tx("\nVeja resultados no arquivo Zoviri.txt.", "\nSee results on file Zoviri.txt."));
}

// The dendrogram of option C drawn in "Dendrogram.svg".
#include "cluster/DendrogramFile.h"

#include <string>

#include "ZQLib/AtomicFileWrite.h"
#include "cluster/ClusterMethods.h"
#include "cluster/DendrogramSvg.h"
#include "shell/OptionTables.h"
#include "shell/PictureLegends.h"
#include "shell/SessionState.h"

const char* const dendrogramFileName = "Dendrogram.svg";

namespace {

const char* Tx(const char* portuguese, const char* english) { return port ? portuguese : english; }

bool SumOfSquaresLevels(int method) { return method == kWard || method == kWardConstrained; }

}  // namespace

PictureOutcome WriteDendrogramFile(int n, const clusterReport* rep, int method, bool isDissim, double leafLevel) {
  if (method == kHierFactorial || n < 2 || rep == nullptr) return PictureOutcome::kNone;
  const bool unitsCompared = optReseDir != 2;
  DendrogramPicture picture;
  if (!DendrogramFromFusions(n, rep, unitsCompared ? uaLabels : varLabels, picture)) return PictureOutcome::kNone;
  picture.title = std::string(filename) + ": " + OptionName(clusMethInfo[method]);
  picture.subtitle = OptionName(optReseTipoInfo[optReseTipo]) + ", " + OptionName(optReseDirInfo[optReseDir], true);
  picture.scaleTitle = SumOfSquaresLevels(method) ? Tx("SQdentro", "SSwithin") : Tx("Semelhanca", "Resemblance");
  // Sums of squares grow towards the root whatever the measure; linkage
  // levels fall towards it for similarities.
  picture.rootAtHighLevels = isDissim || SumOfSquaresLevels(method);
  picture.leafLevel = leafLevel;
  picture.width = treeHSize;
  picture.height = treeVSize;
  UnitGroupKey groups;
  if (unitsCompared && n == nObj && FirstFactorGroups(groups)) {
    picture.keyTitle = groups.title;
    picture.keyNames = groups.names;
    picture.leafGroup = groups.unitGroup;
  }
  return WriteFileAtomically(dendrogramFileName, DendrogramSvg(picture)) ? PictureOutcome::kWritten
                                                                          : PictureOutcome::kFailed;
}

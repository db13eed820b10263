// The questions that specify a path model's basis set: the model among the
// variables of the data (numbers of variables and paths, then each
// d-separation statement), or among blocks of consecutive variables.
#pragma once
#include <vector>

#include "pathanalysis/BasisSet.h"
#include "pathanalysis/ItemCorrelations.h"

struct PathModel {
  int variables = 0;  // V
  int paths = 0;      // A
  std::vector<BasisSetElement> elements;
};
// Asks V, A (a model that leaves no statement to test is refused and A asked
// again) and the V(V-1)/2 - A statements among the session's variables. The
// session must have at least three variables.
PathModel AskPathModel();

struct BlockModel {
  ColumnBlocks blocks;
  std::vector<BasisSetElement> elements;  // in block indices
};
// Asks the number of blocks, their sizes (a total beyond the number of
// variables is refused and every size asked again) and the statements among
// blocks. The session must have at least two variables.
BlockModel AskBlockModel();

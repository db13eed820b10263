// Main-menu option D: coordinates of a two-dimensional scatter diagram
// (original variables, transformed variables or ordination axes, optionally
// with the variables as biplot vectors) written to "ScatterData.txt" with a
// caption describing the data and the analysis, and drawn in "ScatterDiagram.svg".
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "ZQLib/AtomicFileWrite.h"
#include "ZQLib/zqlibDim.h"
#include "ZQLib/MatrixUtilities.h"
#include "ordination/OrdinationLib.h"
#include "ordination/ScatterDiagramSvg.h"
#include "ordination/ScoreCorrelations.h"
#include "ordination/OrdinationMenu.h"
#include "shell/Console.h"
#include "shell/EntryPoints.h"
#include "shell/OptionTables.h"
#include "shell/PictureLegends.h"
#include "shell/SessionState.h"
#include "transform/DataTransformationsLib.h"

namespace {

// Coordinates at or above the largest single-precision value are not written.
constexpr double kNotPlotted = 3.4028234663852886e38;
constexpr size_t kCaptionMax = 500;

inline const char* Tx(const char* p, const char* e) { return port ? p : e; }

struct ScatterPoint {
  double x, y;
  std::string label;
  int unit = -1;        // sampling unit shown by the point (0-based), -1 for a variable
  bool second = false;  // of the second set of a correspondence analysis
  bool arrow = false;   // a variable of a biplot
};

enum Source { ORIGINAL = 1, TRANSFORMED = 2, SCORES = 3 };

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
  char buffer[512];
  va_list args;
  va_start(args, fmt);
  vsnprintf(buffer, sizeof buffer, fmt, args);
  va_end(args);
  return buffer;
}

int AskNumber(const char* accepted) { return static_cast<int>(ScanNumber(in, KeyboardLabel(), accepted)); }

int AskAxis(const char* prompt, const char* word, int last) {
  fprintf(out, prompt, word);
  return static_cast<int>(ScanNumber(in, KeyboardLabel(), "-", 1.0, static_cast<double>(last)));
}

// Label of sampling unit i (0-based) and variable j in the point table.
std::string UnitLabel(int i, bool withLabels, bool numbered) {
  if (!withLabels) return "";
  return numbered ? Format("u%d", i + 1) : std::string(uaLabels[i]);
}
std::string VariableLabel(int j, bool numbered) { return numbered ? Format("v%d", j + 1) : std::string(varLabels[j]); }

void AddScoredPoints(std::vector<ScatterPoint>& points, int n, double** scores, int h, int v, bool units,
                     bool withLabels, bool numbered, bool second) {
  for (int e = 0; e < n; e++)
    points.push_back({scores[h][e], scores[v][e], units ? UnitLabel(e, withLabels, numbered) : VariableLabel(e, numbered),
                      units ? e : -1, second, false});
}

// Variables as vectors: their correlations with the two axes, scaled to the
// spread of the unit points.
void AddBiplotVectors(std::vector<ScatterPoint>& points, int h, int v, bool numbered) {
  const int nUnits = static_cast<int>(points.size());
  std::vector<double> xs(nUnits), ys(nUnits);
  for (int i = 0; i < nUnits; i++) xs[i] = points[i].x, ys[i] = points[i].y;
  const double f = (maxVector(nUnits, xs.data()) + maxVector(nUnits, ys.data()) +
                    std::fabs(minVector(nUnits, xs.data())) + std::fabs(minVector(nUnits, ys.data()))) /
                   4.0;
  // Enough axes for the two chosen ones, whatever the number printed.
  const int axes = Fmax(Fmin(rank, nMaxDim), Fmax(h, v) + 1);
  double** R = dimDouble2D(nVar, axes);
  ScoreCorrComp(rank, nUnits, escores, data, nVar, 0, axes, R);
  for (int j = 0; j < nVar; j++) {
    const bool uncorrelated = R[j][h] == 0.0 && R[j][v] == 0.0;
    points.push_back({uncorrelated ? kNotPlotted : f * R[j][h], uncorrelated ? kNotPlotted : f * R[j][v],
                      VariableLabel(j, numbered), -1, false, true});
  }
  freeDouble2D(R, nVar);
}

std::string VectorTransformationCaption() {
  if (optTrVeVar == 0 && optTrVeUnits == 0) return std::string(optTrVe2Info[0]) + "\r";
  std::string s;
  if (optTrVeVar > 0) s += Format(Tx("%s, dentro de variaveis", "%s, within variables"), optTrVe2Info[optTrVeVar]);
  if (optTrVeVar > 0 && optTrVeUnits > 0) s += Tx(" e ", " and ");
  if (optTrVeUnits == 6)
    s += Format("%s\r", optTrVe2Info[6]);
  else if (optTrVeUnits > 0)
    s += Format(Tx("%s, dentro de unid. amostrais\r", "%s, within sampling units\r"), optTrVe2Info[optTrVeUnits]);
  else
    s += "\r";
  return s;
}

std::string Caption(int source, const char* axisWord, int h, int v, const char* pointSet) {
  std::string s;
  s += Format(Tx("Dados: %s  Tipo: %s  ", "Data: %s  Type: %s  "), filename, optVarTipoInfo[optVarTipo]);
  s += Format(Tx("%d unid., %d var.\r", "%d units, %d var.\r"), nObj, nVar);
  s += Format(Tx("Eixos: %s %d x %d      ", "Axes: %s %d x %d      "), axisWord, h, v);
  s += Format(Tx("Pontos: %s\r", "Points: %s\r"), pointSet);
  if (source != ORIGINAL) {
    s += Format(Tx("Transf. escalar: %s\r", "Scalar transf.: %s\r"), optTrEsInfo[optTrEs]);
    s += Tx("Vetorial: ", "Vector transf.: ");
    s += VectorTransformationCaption();
  }
  if (source == SCORES) {
    s += Format(Tx("Semelhanca: %s, %s\r", "Resemblance: %s, %s\r"), optReseTipoInfo[optReseTipo],
                optReseDirInfo[optReseDir]);
    s += Format(Tx("Ordenacao: %s\r", "Ordination: %s\r"), optOrdiTypeInfo[optOrdiType]);
  }
  const time_t now = time(nullptr);
  std::string stamp = ctime(&now);
  if (!stamp.empty() && stamp.back() == '\n') stamp.pop_back();
  s += stamp;
  if (s.size() > kCaptionMax) s.resize(kCaptionMax);
  return s;
}

void WriteScatterFile(const std::vector<ScatterPoint>& points, std::string caption) {
  FILE* f = fopenck("ScatterData.txt", "", "w");
  if (f == nullptr) {
    // Nothing else can be done with the diagram: the program stops.
    fflush(nullptr);
    exit(1);
  }
  fprintf(f, "Labels\tAxis%d\tAxis%d\n", 1, 2);
  for (const ScatterPoint& p : points)
    if (p.x < kNotPlotted && p.y < kNotPlotted) fprintf(f, "%s\t%g\t%g\n", p.label.c_str(), p.x, p.y);
  for (char& c : caption)
    if (c == '\r') c = '\n';
  fprintf(f, "\n%s\n", caption.c_str());
  fclose(f);
}

std::string AxisTitle(int source, int axis) {
  if (source != SCORES) return varLabels[axis - 1];
  const double positiveSum = eig != nullptr ? SumPositiveEigenvalues(nRows, eig) : 0.0;
  if (!(positiveSum > 0)) return Format(Tx("Eixo %d", "Axis %d"), axis);
  return Format(Tx("Eixo %d (%.1f%%)", "Axis %d (%.1f%%)"), axis, 100.0 * eig[axis - 1] / positiveSum);
}

std::string PictureTitle(int source) {
  std::string what;
  if (source == ORIGINAL) what = Tx("Variaveis originais", "Original variables");
  if (source == TRANSFORMED) what = Tx("Variaveis originais transformadas", "Original variables transformed");
  if (source == SCORES) what = OptionName(optOrdiTypeInfo[optOrdiType]);
  return std::string(filename) + ": " + what;
}

// The picture of the points next to their coordinates: "ScatterDiagram.svg".
void DrawScatterDiagram(const std::vector<ScatterPoint>& points, int source, int h, int v) {
  ScatterPicture picture;
  picture.title = PictureTitle(source);
  if (source == SCORES)
    picture.subtitle = OptionName(optReseTipoInfo[optReseTipo]) + ", " + OptionName(optReseDirInfo[optReseDir], true);
  picture.xTitle = AxisTitle(source, h);
  picture.yTitle = AxisTitle(source, v);
  picture.equalScales = source == SCORES;
  picture.width = scatterHSize;
  picture.height = scatterVSize;
  UnitGroupKey groups;
  const bool keyed = FirstFactorGroups(groups);
  if (keyed) {
    picture.keyTitle = groups.title;
    picture.keyNames = groups.names;
  }
  for (const ScatterPoint& p : points) {
    if (!(p.x < kNotPlotted && p.y < kNotPlotted)) continue;
    // A unit missing either variable has no place in the picture.
    if (source != SCORES && (p.x == MISSING_VALUE || p.y == MISSING_VALUE)) continue;
    if (p.arrow) {
      picture.arrows.push_back({p.x, p.y, p.label});
      continue;
    }
    const int group = keyed && p.unit >= 0 && p.unit < nObj ? groups.unitGroup[p.unit] : -1;
    picture.points.push_back({p.x, p.y, p.label, group, p.second});
  }
  const char* name = "ScatterDiagram.svg";
  if (WriteFileAtomically(name, ScatterDiagramSvg(picture)))
    fprintf(out, Tx("\nDiagrama de dispersao desenhado no arquivo %s.\n", "\nScatter diagram drawn on file %s.\n"), name);
  else
    fprintf(out, Tx("\nNao foi possivel gravar o arquivo %s.\n", "\nCould not write file %s.\n"), name);
}

}  // namespace

void Scatter() {
  ShowStatus(out);
  fprintf(out, "%s",
          Tx("Usar como coordenadas do diagrama de dispersao:\n\t(1)variaveis originais\n\t(2)variaveis originais "
             "transformadas\n\t(3)escores de ordenacao\n",
             "Use as coordinates of the scatter diagram:\n\t(1)original variables\n\t(2)original variables "
             "transformed\n\t(3)ordination scores\n"));
  fprintf(out, "\t(99)%s\n", returnMain);
  fprintf(out, "\t\t%s: ", enterOpt);
  const int source = AskNumber("1 2 3 99");
  if (source == 99) return;
  if (source == TRANSFORMED && optTrEs == 0 && optTrVeVar == 0 && optTrVeUnits == 0) {
    fprintf(out, "%s", Tx("\nDados transformados nao disponiveis.\n", "\nTransformed data not available.\n"));
    return;
  }
  if (source == SCORES && (temEscore == 0 || rank < 1)) {
    fprintf(out, "%s", Tx("\nEscores de ordenacao nao disponiveis.\n", "\nOrdination scores not available.\n"));
    return;
  }
  if (!temDados) return;

  int diagram = 1, labelOption = 1;
  const bool unitsScored = (optOrdiType == 1 && optReseDir == 1) || (optOrdiType == 2 && optReseDir == 2);
  if (source == SCORES) {
    // These prompts exist in one language only.
    if (unitsScored) {
      fprintf(out, "\nType of scatter diagram: \n");
      fprintf(out, "   1  plot sampling units only\n");
      fprintf(out, "   2  biplot of sampling units (scores) and variables (correlations with axes)\n");
      fprintf(out, "Type option no.: ");
      diagram = AskNumber("1 2");
      if (diagram == 2 && scatterHSize != scatterVSize) {
        fprintf(out,
                "\nScatter dimensions are not the same. Please set preferences accordingly. \nWill use default "
                "sizes now.\n");
        scatterHSize = scatterVSize = 0;
      }
    }
    fprintf(out, "\nLabels to use in the scatter: \n");
    fprintf(out, "   0  none (only squares) \n");
    if (optOrdiType == 3)
      fprintf(out, "   1  both rows and columns labels \n");
    else if (unitsScored)
      fprintf(out, "   1  sampling unit labels \n");
    else
      fprintf(out, "   1  variable labels \n");
    fprintf(out, "Type option no.: ");
    labelOption = AskNumber("0 1");
  }

  const char* axisWord = source == SCORES ? Tx("componente", "component") : Tx("variaveis", "variables");
  const int last = source == SCORES ? rank : nVar;
  const int h = AskAxis(Tx("Entre %s para o eixo horizontal: ", "Enter %s for the horizontal axis: "), axisWord, last);
  const int v = AskAxis(Tx("Entre %s para o eixo vertical: ", "Enter %s for the vertical axis: "), axisWord, last);

  std::vector<ScatterPoint> points;
  const char* units = Tx("unidades amostrais", "sampling units");
  const char* vars = Tx("variaveis", "variables");
  const char* both = Tx("unidades amostrais e variaveis", "sampling units and variables");
  const char* pointSet = units;
  if (source != SCORES) {
    double** table = source == ORIGINAL ? dataOrig : data;
    for (int i = 0; i < nObj; i++) points.push_back({table[i][h - 1], table[i][v - 1], uaLabels[i], i});
  } else {
    const bool withLabels = labelOption == 1;
    const bool numbered = optLabel == 1 && (optOrdiType == 3 || diagram == 2);
    const bool comparedAreUnits = optReseDir == 1;
    if (optOrdiType == 1) {
      AddScoredPoints(points, nRows, escores, h - 1, v - 1, comparedAreUnits, withLabels, numbered, false);
      pointSet = comparedAreUnits ? units : vars;
    } else if (optOrdiType == 2) {
      AddScoredPoints(points, nCols, escores, h - 1, v - 1, !comparedAreUnits, withLabels, numbered, false);
      pointSet = comparedAreUnits ? vars : units;
    } else {
      AddScoredPoints(points, nRows, evectors, h - 1, v - 1, comparedAreUnits, withLabels, numbered, false);
      AddScoredPoints(points, nCols, escores, h - 1, v - 1, !comparedAreUnits, withLabels, numbered, true);
      pointSet = both;
    }
    if (diagram == 2) {
      AddBiplotVectors(points, h - 1, v - 1, numbered);
      pointSet = both;
    }
  }
  WriteScatterFile(points, Caption(source, axisWord, h, v, pointSet));
  DrawScatterDiagram(points, source, h, v);
}

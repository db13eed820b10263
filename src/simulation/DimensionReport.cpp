// Results of the random data generator.
#include "simulation/DimensionReport.h"

#include "ZQLib/AtomicFileWrite.h"
#include "ZQLib/MissingValue.h"
#include "shell/OptionTables.h"
#include "shell/SessionState.h"
#include "shell/Timing.h"
#include "simulation/SimulationDialogue.h"

const char* const kSummaryResultsFile = "SummaryResults.txt";
const char* const kSummaryResultsPerTableFile = "SummaryResultsPerTable.txt";

namespace {

const char* const kCriterionColumn[DIMENSION_CRITERIA] = {"Bootstrap", "BrokenStick", "KaiserGuttman", "Bartlett"};

struct Texts {
  bool pt;
  const char* operator()(const char* portuguese, const char* english) const { return pt ? portuguese : english; }
};

int Steps(const DimensionSimulationResults& r) { return static_cast<int>(r.sampleSizes.size()); }

// A value of the block: "-" for the missing-value code.
void Value(FILE* f, double v, int digits) {
  if (IsMissing(v))
    std::fprintf(f, "-\t");
  else
    std::fprintf(f, "%.*g\t", digits, v);
}

void WriteModel(FILE* f, const Texts& T, const GradientModel& m, int64_t tables) {
  const bool linear = m.kind == ResponseKind::LINEAR;
  std::fprintf(f,
               T("\nConjuntos de dados simulados: %lld, cada um com %d unidades amostrais x %d variaveis\n",
                 "\nSimulated data sets: %lld, each of %d sampling units x %d variables\n"),
               static_cast<long long>(tables), m.units, m.variables);
  std::fprintf(f, T("Numero verdadeiro de gradientes: %d\n", "True number of gradients: %d\n"), m.Gradients());
  std::fprintf(f, "%s",
               linear ? T("Resposta das variaveis: linear\n", "Response of the variables: linear\n")
                      : T("Resposta das variaveis: unimodal (gaussiana), contagens (Poisson)\n",
                          "Response of the variables: unimodal (Gaussian), counts (Poisson)\n"));
  for (int k = 0; k < m.Gradients(); k++)
    std::fprintf(f,
                 linear ? T("Gradiente %d: intensidade (desvio padrao do seu efeito) %g\n",
                            "Gradient %d: strength (standard deviation of its effect) %g\n")
                        : T("Gradiente %d: comprimento (em tolerancias das respostas) %g\n",
                            "Gradient %d: length (in tolerances of the responses) %g\n"),
                 k + 1, m.strength[k]);
  std::fprintf(f,
               linear ? T("Nivel de ruido (desvio padrao dos erros): %g\n",
                          "Noise level (standard deviation of the errors): %g\n")
                      : T("Nivel de ruido (desvio padrao da variacao log-normal das contagens esperadas): %g\n",
                          "Noise level (standard deviation of the log-normal variation of the expected counts): %g\n"),
               m.noise);
  if (!linear)
    std::fprintf(f, T("Contagem maxima esperada: %g\n", "Maximum expected count: %g\n"), m.maxCount);
}

void WriteAnalysis(FILE* f, const Texts& T, const DimensionSimulationSettings& s, const DimensionSimulationResults& r) {
  const OrdinationAnalysis& a = s.analysis;
  std::fprintf(f, T("\nTransformacao escalar: %s\n", "\nScalar transformation: %s\n"), optTrEsInfo[a.transform.scalar]);
  if (a.transform.withinUnits == 6) {  // the whole table
    std::fprintf(f, T("Transformacao vetorial: %s\n", "Vector transformation: %s\n"), optTrVe2Info[6]);
  } else {
    std::fprintf(f,
                 T("Transformacao vetorial dentro de variaveis: %s\n", "Vector transformation within variables: %s\n"),
                 optTrVe2Info[a.transform.withinVariables]);
    std::fprintf(f,
                 T("Transformacao vetorial dentro de unidades amostrais: %s\n",
                   "Vector transformation within sampling units: %s\n"),
                 optTrVe2Info[a.transform.withinUnits]);
  }
  std::fprintf(f, T("Medida de semelhanca: %s, %s\n", "Resemblance measure: %s, %s\n"),
               optReseTipoInfo[a.resemblance.measure], optReseDirInfo[a.resemblance.direction]);
  std::fprintf(f, T("Metodo de ordenacao: %s\n", "Ordination method: %s\n"), optOrdiTypeInfo[a.ordination.type]);
  std::fprintf(f, T("Eixos avaliados: 1 a %d\n", "Axes evaluated: 1 to %d\n"), s.maxAxes);
  if (s.bootstrapIterations > 0) {
    std::fprintf(f,
                 T("Autoreamostragem ('bootstrap') de dimensoes da ordenacao: %lld iteracoes por conjunto de dados; "
                   "tamanhos de amostra: ",
                   "Bootstrap of ordination dimensions: %lld iterations per data set; sample sizes: "),
                 static_cast<long long>(s.bootstrapIterations));
    for (int size : r.sampleSizes) std::fprintf(f, "%d ", size);
    std::fprintf(f, "\n");
  } else {
    std::fprintf(f, "%s",
                 T("Autoreamostragem ('bootstrap') de dimensoes da ordenacao: nao usada\n",
                   "Bootstrap of ordination dimensions: not used\n"));
  }
  if (CriterionApplies(s, CRITERION_BOOTSTRAP) || CriterionApplies(s, CRITERION_BARTLETT))
    std::fprintf(f, T("Probabilidade alfa: %g\n", "Alpha probability: %g\n"), s.alpha);
}

const char* CriterionName(const Texts& T, int c) {
  switch (c) {
    case CRITERION_BOOTSTRAP:
      return T("Bootstrap (P(roRnd >= ro*) <= alfa, todas as unidades)",
               "Bootstrap (P(roRnd >= ro*) <= alpha, all units)");
    case CRITERION_BROKEN_STICK: return T("Bastao quebrado", "Broken stick");
    case CRITERION_KAISER_GUTTMAN: return T("Kaiser-Guttman (autovalor > media)", "Kaiser-Guttman (eigenvalue > mean)");
    default: return T("Teste de Bartlett (P <= alfa)", "Bartlett's test (P <= alpha)");
  }
}

void WriteCriteria(FILE* f, const Texts& T, int digits, const DimensionSimulationSettings& s,
                   const DimensionSimulationResults& r) {
  const int k = s.maxAxes, g = s.model.Gradients();
  std::fprintf(f,
               T("\nNumero de conjuntos de dados em que cada criterio manteve 0, 1, ... %d eixos:\n",
                 "\nNumber of data sets in which each criterion kept 0, 1, ... %d axes:\n"),
               k);
  std::fprintf(f, "%s", T("Criterio\t", "Criterion\t"));
  for (int a = 0; a <= k; a++) std::fprintf(f, "%d\t", a);
  std::fprintf(f, T("Proporcao com %d eixos (numero verdadeiro)\tMedia\tDesvio padrao\n",
                    "Proportion with %d axes (true number)\tMean\tStandard deviation\n"),
               g);
  for (int c = 0; c < DIMENSION_CRITERIA; c++) {
    const CriterionSummary& x = r.summary[c];
    std::fprintf(f, "%s\t", CriterionName(T, c));
    if (!x.applies) {
      std::fprintf(f, "%s\n",
                   c == CRITERION_BARTLETT ? T("nao se aplica (analise de correspondencia)",
                                               "not applicable (correspondence analysis)")
                                           : T("nao usado", "not used"));
      continue;
    }
    for (int a = 0; a <= k; a++) std::fprintf(f, "%lld\t", static_cast<long long>(x.frequency[a]));
    Value(f, x.proportionTrue, digits);
    Value(f, x.mean, digits);
    Value(f, x.sd, digits);
    std::fprintf(f, "\n");
  }
}

void WriteMeanProbabilities(FILE* f, const Texts& T, int digits, const DimensionSimulationSettings& s,
                            const DimensionSimulationResults& r) {
  const int steps = Steps(r);
  std::fprintf(f, "%s",
               T("\nMedia sobre os conjuntos de dados de P(roRnd >= ro*) (conjuntos com o eixo entre parenteses):\n",
                 "\nAverage over the data sets of P(roRnd >= ro*) (data sets with the axis in parentheses):\n"));
  std::fprintf(f, "%s", T("Tamanho da amostra:\t", "Sample size:\t"));
  for (int size : r.sampleSizes) std::fprintf(f, "%d\t", size);
  for (int a = 0; a < s.maxAxes; a++) {
    std::fprintf(f, T("\nEixo %d:   \t", "\nAxis %d:   \t"), a + 1);
    for (int st = 0; st < steps; st++) {
      const size_t i = static_cast<size_t>(a) * steps + st;
      if (IsMissing(r.meanProbability[i]))
        std::fprintf(f, "-\t");
      else
        std::fprintf(f, "%.*g (%lld)\t", digits, r.meanProbability[i], static_cast<long long>(r.probabilityTables[i]));
    }
  }
  std::fprintf(f, "\n");
}

void WriteEachTable(FILE* f, const Texts& T, int digits, const DimensionSimulationSettings& s,
                    const DimensionSimulationResults& r) {
  std::fprintf(f, "%s", T("\nResultados de cada conjunto de dados:\n", "\nResults of each data set:\n"));
  std::fprintf(f, "%s",
               T("Conjunto\tPosto\tBootstrap\tBastao quebrado\tKaiser-Guttman\tBartlett\tAutovalores\n",
                 "Data set\tRank\tBootstrap\tBroken stick\tKaiser-Guttman\tBartlett\tEigenvalues\n"));
  for (size_t t = 0; t < r.tables.size(); t++) {
    const TableOutcome& o = r.tables[t];
    std::fprintf(f, "%zu\t", t + 1);
    if (!o.analysed) {
      std::fprintf(f, "%s\n", T("nao analisado", "not analysed"));
      continue;
    }
    std::fprintf(f, "%d\t", o.rank);
    for (int c = 0; c < DIMENSION_CRITERIA; c++) {
      if (o.axes[c] < 0)
        std::fprintf(f, "-\t");
      else
        std::fprintf(f, "%d\t", o.axes[c]);
    }
    for (int a = 0; a < s.maxAxes && a < o.rank; a++) std::fprintf(f, "%.*g\t", digits, o.eigenvalues[a]);
    std::fprintf(f, "\n");
  }
}

bool Line(FILE* f) { return std::fputc('\n', f) != EOF; }

}  // namespace

bool WriteSummaryResults(const std::string& path, const DimensionSimulationSettings& s,
                         const DimensionSimulationResults& r) {
  return WriteFileAtomically(path, [&](FILE* f) {
    std::fprintf(f, "Criterion\tApplies\tDataSets");
    for (int a = 0; a <= s.maxAxes; a++) std::fprintf(f, "\tAxes%d", a);
    std::fprintf(f, "\tProportionTrue\tMean\tSD\n");
    for (int c = 0; c < DIMENSION_CRITERIA; c++) {
      const CriterionSummary& x = r.summary[c];
      std::fprintf(f, "%s\t%d\t%lld", kCriterionColumn[c], x.applies ? 1 : 0, static_cast<long long>(x.tables));
      for (int a = 0; a <= s.maxAxes; a++) std::fprintf(f, "\t%lld", static_cast<long long>(x.frequency[a]));
      WriteCell(f, x.proportionTrue);
      WriteCell(f, x.mean);
      WriteCell(f, x.sd);
      if (!Line(f)) return false;
    }
    return true;
  });
}

bool WriteSummaryResultsPerTable(const std::string& path, const DimensionSimulationSettings& s,
                                 const DimensionSimulationResults& r) {
  const int k = s.maxAxes, steps = Steps(r);
  return WriteFileAtomically(path, [&](FILE* f) {
    std::fprintf(f, "DataSet\tAnalysed\tVariablesKept\tRank");
    for (const char* c : kCriterionColumn) std::fprintf(f, "\t%s", c);
    for (int a = 1; a <= k; a++) std::fprintf(f, "\tEigenvalue%d", a);
    for (int a = 1; a <= k; a++) std::fprintf(f, "\tPercentage%d", a);
    for (int a = 1; a <= k; a++) std::fprintf(f, "\tP%d", a);
    if (!Line(f)) return false;
    for (size_t t = 0; t < r.tables.size(); t++) {
      const TableOutcome& o = r.tables[t];
      std::fprintf(f, "%zu\t%d\t%d", t + 1, o.analysed ? 1 : 0, o.variablesKept);
      WriteCell(f, o.analysed ? o.rank : MISSING_VALUE);
      for (int c = 0; c < DIMENSION_CRITERIA; c++) WriteCell(f, o.axes[c] >= 0 ? o.axes[c] : MISSING_VALUE);
      for (int a = 0; a < k; a++) WriteCell(f, o.eigenvalues[a]);
      for (int a = 0; a < k; a++) WriteCell(f, o.percentages[a]);
      for (int a = 0; a < k; a++)
        WriteCell(f, steps > 0 ? o.probability[static_cast<size_t>(a) * steps + steps - 1] : MISSING_VALUE);
      if (!Line(f)) return false;
    }
    return true;
  });
}

bool WriteSimulatedTables(const std::string& path, const DimensionSimulationSettings& s, uint32_t seed,
                          const gsl_rng_type* type) {
  return WriteFileAtomically(path, [&](FILE* f) {
    Matrix table;
    for (int64_t t = 1; t <= s.tables; t++) {
      GenerateSimulatedTable(s.model, seed, t, type, table);
      std::fprintf(f, "Data set %lld\n", static_cast<long long>(t));
      for (int i = 0; i < table.rows(); i++) {
        for (int j = 0; j < table.cols(); j++) std::fprintf(f, j ? "\t%.10g" : "%.10g", table[i][j]);
        if (!Line(f)) return false;
      }
    }
    return true;
  });
}

void WriteDimensionBlock(FILE* f, const SimulationRunFacts& x, const DimensionSimulationSettings& s,
                         const DimensionSimulationResults& r) {
  const Texts T{x.portuguese};
  WriteSimulationRunTimes(f, x);
  WriteModel(f, T, s.model, s.tables);
  WriteAnalysis(f, T, s, r);
  std::fprintf(f, T("\nConjuntos de dados analisados: %lld de %lld\n", "\nData sets analysed: %lld of %lld\n"),
               static_cast<long long>(r.analysed), static_cast<long long>(s.tables));
  if (r.analysed < s.tables)
    std::fprintf(f, "%s",
                 T("(nos demais a transformacao, a medida de semelhanca ou a ordenacao nao pode ser calculada)\n",
                   "(the transformation, the resemblance measure or the ordination could not be computed for the "
                   "others)\n"));
  WriteCriteria(f, T, x.digits, s, r);
  if (s.bootstrapIterations > 0) WriteMeanProbabilities(f, T, x.digits, s, r);
  if (x.detailed) WriteEachTable(f, T, x.digits, s, r);
  std::fprintf(f, "\n");
  WriteSimulationFiles(f, x, kSummaryResultsFile, kSummaryResultsPerTableFile,
                       "Conjuntos de dados simulados escritos no arquivo %s.\n",
                       "Simulated data sets written to file %s.\n");
}

// Results of the path model generator.
#include "simulation/PathSimulationReport.h"

#include "ZQLib/AtomicFileWrite.h"
#include "randomization/IterationGenerator.h"
#include "simulation/SimulationDialogue.h"

const char* const kSummaryResultsPathFile = "SummaryResultsPath.txt";
const char* const kSummaryResultsPathPerModelFile = "SummaryResultsPathPerModel.txt";

namespace {

struct Texts {
  bool pt;
  const char* operator()(const char* portuguese, const char* english) const { return pt ? portuguese : english; }
};

bool Line(FILE* f) { return std::fputc('\n', f) != EOF; }

// "1->2=0.53;1->3=-0.2" (1-based variables).
void Paths(FILE* f, const PathDag& dag) {
  for (size_t k = 0; k < dag.paths.size(); k++)
    std::fprintf(f, "%s%d->%d=%.10g", k ? ";" : "", dag.paths[k].from + 1, dag.paths[k].to + 1,
                 dag.paths[k].coefficient);
}

void SummaryRow(FILE* f, const char* name, const ModelSummary& m, int statements, int K) {
  std::fprintf(f, "%s\t%d\t%d\t%d\t%lld\t%lld", name, statements, 2 * statements, K, static_cast<long long>(m.models),
               static_cast<long long>(m.rejected));
  WriteCell(f, m.proportionRejected);
  WriteCell(f, m.meanC);
  WriteCell(f, m.meanP);
  WriteCell(f, m.meanAICc);
  std::fprintf(f, "\t%lld", static_cast<long long>(m.lowerAICc));
  for (int64_t c : m.probabilityClasses) std::fprintf(f, "\t%lld", static_cast<long long>(c));
}

void BlockRow(FILE* f, const char* name, const ModelSummary& m, int digits) {
  std::fprintf(f, "%s\t%lld\t%.*g\t%.*g\t%.*g\t%.*g\t%lld\n", name, static_cast<long long>(m.rejected), digits,
               m.proportionRejected, digits, m.meanC, digits, m.meanP, digits, m.meanAICc,
               static_cast<long long>(m.lowerAICc));
}

}  // namespace

bool WriteSummaryResultsPath(const std::string& path, const PathSimulationSettings& s,
                             const PathSimulationResults& r) {
  const int statements = static_cast<int>(BasisSetSize(s.variables, s.paths));
  return WriteFileAtomically(path, [&](FILE* f) {
    std::fprintf(f,
                 "Model\tStatements\tDegreesOfFreedom\tK\tModels\tRejected\tProportionRejected\tMeanC\tMeanP\tMeanAICc"
                 "\tLowerAICc");
    for (int c = 0; c < kProbabilityClasses; c++) std::fprintf(f, "\tP_%.1f_%.1f", c / 10.0, (c + 1) / 10.0);
    if (!Line(f)) return false;
    SummaryRow(f, "True", r.trueModels, statements, s.variables + s.paths);
    if (!Line(f)) return false;
    SummaryRow(f, "False", r.falseModels, statements + 1, s.variables + s.paths - 1);
    return Line(f);
  });
}

bool WriteSummaryResultsPathPerModel(const std::string& path, const PathSimulationResults& r) {
  return WriteFileAtomically(path, [&](FILE* f) {
    std::fprintf(f,
                 "Model\tPaths\tRemoved\tRemovedCoefficient\tTrueC\tTrueP\tTrueAICc\tTrueRejected\tFalseC\tFalseP"
                 "\tFalseAICc\tFalseRejected");
    if (!Line(f)) return false;
    for (size_t t = 0; t < r.models.size(); t++) {
      const PathModelOutcome& o = r.models[t];
      std::fprintf(f, "%zu\t", t + 1);
      Paths(f, o.dag);
      std::fprintf(f, "\t%d->%d", o.removed.from + 1, o.removed.to + 1);
      WriteCell(f, o.removed.coefficient);
      for (const ModelTestOutcome* m : {&o.trueModel, &o.falseModel}) {
        WriteCell(f, m->fisher.C);
        WriteCell(f, m->fisher.probability);
        WriteCell(f, m->aicc);
        std::fprintf(f, "\t%d", m->rejected ? 1 : 0);
      }
      if (!Line(f)) return false;
    }
    return true;
  });
}

bool WriteSimulatedPathData(const std::string& path, const PathSimulationSettings& s, uint32_t seed,
                            const gsl_rng_type* type) {
  return WriteFileAtomically(path, [&](FILE* f) {
    IterationGenerator gen(seed, type);
    for (int64_t t = 1; t <= s.models; t++) {
      const SimulatedPathData d = SimulatePathData(s, gen.For(static_cast<uint32_t>(t)));
      std::fprintf(f, "Model %lld\nCausal order:", static_cast<long long>(t));
      for (int v : d.dag.order) std::fprintf(f, " %d", v + 1);
      std::fprintf(f, "\nPaths: ");
      Paths(f, d.dag);
      std::fprintf(f, "\nRemoved in the false model: %d->%d\n", d.dag.paths[d.removed].from + 1,
                   d.dag.paths[d.removed].to + 1);
      for (int i = 0; i < d.data.rows(); i++) {
        for (int j = 0; j < d.data.cols(); j++) std::fprintf(f, j ? "\t%.10g" : "%.10g", d.data[i][j]);
        if (!Line(f)) return false;
      }
    }
    return true;
  });
}

void WritePathSimulationBlock(FILE* f, const SimulationRunFacts& x, const PathSimulationSettings& s,
                              const PathSimulationResults& r) {
  const Texts T{x.portuguese};
  const int d = x.digits;
  const int statements = static_cast<int>(BasisSetSize(s.variables, s.paths));
  WriteSimulationRunTimes(f, x);
  std::fprintf(f,
               T("\nModelos simulados: %lld, cada um com %d variaveis e %d caminhos (grafos aciclicos dirigidos "
                 "aleatorios)\n",
                 "\nSimulated models: %lld, each with %d variables and %d paths (random directed acyclic graphs)\n"),
               static_cast<long long>(s.models), s.variables, s.paths);
  std::fprintf(f, T("Coeficientes de caminho: uniformes entre %g e %g\n", "Path coefficients: uniform between %g and %g\n"),
               s.coefficientLow, s.coefficientHigh);
  std::fprintf(f, T("Variancia dos erros: %g\n", "Error variance: %g\n"), s.errorVariance);
  std::fprintf(f, T("Tamanho da amostra: %d\n", "Sample size: %d\n"), s.sampleSize);
  std::fprintf(f,
               T("Conjunto basico: %d afirmacoes no modelo verdadeiro, %d no falso (o verdadeiro sem um caminho)\n",
                 "Basis set: %d statements in the true model, %d in the false one (the true model less one path)\n"),
               statements, statements + 1);
  std::fprintf(f, T("Numero de permutacoes de cada teste: %d\n", "Number of permutations of each test: %d\n"),
               s.permutations);
  std::fprintf(f, "%s", T("Metodo de permutacao:\t", "Permutation method:\t"));
  if (s.nullModel == PERMUTE_FIRST_ITEM)
    std::fprintf(f, "%s",
                 T("Permutacao somente da primeira variavel (ou bloco de variaveis) para testar cada afirmacao de "
                   "d-separacao (Smouse et al. 1986).\n",
                   "Permutation of only the first variable (or block of variables) for testing each d-separation "
                   "statement (Smouse et al. 1986).\n"));
  else
    std::fprintf(f, "%s",
                 T("Permutacao de todas as variaveis (ou blocos de variaveis) ao mesmo tempo.\n",
                   "Permutation of all variables (or blocks of variables) at once.\n"));
  std::fprintf(f, T("Probabilidade alfa: %g\n", "Alpha probability: %g\n"), s.alpha);

  std::fprintf(f, "%s",
               T("\nModelo\tRejeitados\tProporcao rejeitada\tC medio\tP medio\tAICc medio\tModelos com o menor AICc\n",
                 "\nModel\tRejected\tProportion rejected\tMean C\tMean P\tMean AICc\tModels with the lower AICc\n"));
  BlockRow(f, T("Verdadeiro (erro do tipo I)", "True (type I error)"), r.trueModels, d);
  BlockRow(f, T("Falso (poder)", "False (power)"), r.falseModels, d);
  std::fprintf(f, "%s",
               T("\nDistribuicao das probabilidades de C de Fisher (numero de modelos):\nP:\t",
                 "\nDistribution of the probabilities of Fisher's C (number of models):\nP:\t"));
  for (int c = 0; c < kProbabilityClasses; c++) std::fprintf(f, "%.1f-%.1f\t", c / 10.0, (c + 1) / 10.0);
  for (int which = 0; which < 2; which++) {
    const ModelSummary& m = which == 0 ? r.trueModels : r.falseModels;
    std::fprintf(f, "\n%s\t", which == 0 ? T("Verdadeiro:", "True:") : T("Falso:", "False:"));
    for (int64_t c : m.probabilityClasses) std::fprintf(f, "%lld\t", static_cast<long long>(c));
  }
  std::fprintf(f, "\n\n");
  WriteSimulationFiles(f, x, kSummaryResultsPathFile, kSummaryResultsPathPerModelFile,
                       "Modelos e dados simulados escritos no arquivo %s.\n",
                       "Simulated models and data written to file %s.\n");
}

// Results of the group test in the results file, in both languages.
#include "randomization/ManovaReport.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const char* const kDashes =
    "-------------------------------------------------------------------------------";  // 79

struct Texts {
  bool pt;
  const char* operator()(const char* portuguese, const char* english) const { return pt ? portuguese : english; }
};

std::vector<int> Levels(const manovaInput& in, int a) {
  std::vector<int> l(in.factorMemb[a], in.factorMemb[a] + in.nUnits);
  std::sort(l.begin(), l.end());
  l.erase(std::unique(l.begin(), l.end()), l.end());
  return l;
}

// Ten values a line, continuation lines opened by a tab.
void PrintMeanVector(FILE* f, const std::vector<double>& v, int digits) {
  for (size_t k = 0; k < v.size(); k++) {
    if (k > 0 && k % 10 == 0) std::fprintf(f, "\n\t");
    std::fprintf(f, "%.*g\t", digits, v[k]);
  }
  std::fprintf(f, "\n");
}

struct TableWriter {
  FILE* f;
  const manovaInput& in;
  const ManovaResults& r;
  bool ratioColumn;   // F criterion: Q, F and P columns
  bool counts;        // intermediate results: P holds counts
  int digits;

  void Probability(double p) const {
    if (counts) std::fprintf(f, "%.0f\n", p);
    else std::fprintf(f, "%g\n", p);
  }
  // Q (F) P of one row; ratio: the value of F, or NaN when no ratio is formed.
  void Row(double q, double ratio, double p) const {
    if (ratioColumn) {
      if (std::isnan(ratio)) std::fprintf(f, "%20.*g\t%12s\t", digits, q, "-");
      else std::fprintf(f, "%20.*g\t%12.*g\t", digits, q, digits, ratio);
    } else {
      std::fprintf(f, "%20.*g\t", digits, q);
    }
    Probability(p);
  }
  double Ratio(double f) const { return r.ratioFormed ? f : std::nan(""); }
};

}  // namespace

const char* UnbalancedBundlesMessage(int portuguese) {
  return portuguese ? "Delineamento desbalanceado. Permutacao entre blocos de agrupamento nao e possivel.\n"
                    : "Unbalanced design. Permutation among bundling blocks is not possible.\n";
}

void PrintManovaResults(FILE* f, const manovaInput& in, const ManovaResults& r, const ManovaReportNotes& notes,
                        int intermediate, const int* list) {
  const Texts T{in.portuguese != 0};
  const int nf = in.nFactors, n = in.nUnits, digits = in.sDigits;
  if (intermediate > 0) {
    std::fprintf(f, T("\nRESULTADOS INTERMEDIARIOS Permutacao %d", "\nINTERMEDIATE RESULTS Permutation %d"),
                 intermediate);
    std::fprintf(f, "%s", T("\nPermutacao aleatoria dos vetores de unidades amostrais:\t",
                            "\nRandom permutation of sampling unit vectors:\t"));
    for (int i = 0; i < n; i++) std::fprintf(f, " %d", list != nullptr ? list[i] : i + 1);
    std::fprintf(f, "\n");
  } else {
    std::fprintf(f, "%s\n", kDashes);
    std::fprintf(f, T("Tempo decorrido: %g segundos\n", "Elapsed time: %g seconds\n"), r.elapsedSeconds);
    std::fprintf(f, T("Numero maximo de threads: %d\n", "Maximum number of threads: %d\n"), r.threads);
  }
  std::fprintf(f,
               T("Numero de permutacoes aleatorias mais conjunto de dados observado: %d\n",
                 "Number of random permutations plus observed data set: %d\n"),
               in.nPermutations);
  std::fprintf(f, T("Inicializador da geracao de numeros aleatorios: %u\n", "Random number generation initializer: %u\n"),
               in.seed);
  std::fprintf(f, "%s", T("Particao das unidades amostrais em grupos:\n", "Group partition of sampling units:\n"));
  std::fprintf(f, "%s", T("Unidades amostrais: ", "Sampling units:   "));
  for (int i = 0; i < n; i++) std::fprintf(f, " %s", in.unitLabels != nullptr ? in.unitLabels[i] : "");
  for (int a = 0; a < nf; a++) {
    std::fprintf(f, T("\nFator %s: ", "\nFactor %s: "), in.factorLabels[a]);
    for (int i = 0; i < n; i++) std::fprintf(f, " %d", in.factorMemb[a][i]);
  }
  bool anyContrast = false;
  for (int a = 0; a < nf; a++) anyContrast = anyContrast || (!r.contrasts.empty() && !r.contrasts[a].empty());
  if (anyContrast && !r.mrpp) {
    for (int a = 0; a < nf; a++) {
      if (r.contrasts[a].empty()) continue;
      std::fprintf(f, "%s", T("\nOrdem dos grupos nos contrastes:", "\nOrder of groups in contrasts:"));
      for (int level : Levels(in, a)) std::fprintf(f, " %d", level);
    }
  }
  std::fprintf(f, "\n");

  // How the probabilities were generated.
  if (notes.series) {
    std::fprintf(f, "%s",
                 T("\nVetores de dados brutos foram usados para gerar as probabilidades dos efeitos principais, "
                   "enquanto vetores de residuos foram usados para as interacoes duplas (efeitos de ambos os "
                   "fatores removidos).",
                   "\nVectors of raw data were used to generate probabilities for the main effects while vectors of "
                   "residuals were used for double interactions (both factor effects removed)."));
    if (nf == 3 && !in.blockDesign)
      std::fprintf(f, "%s",
                   T("\nPara a interacao tripla foram usados vetores de residuos (efeitos dos tres fatores removidos).",
                     "\nVectors of residuals were used for the triple interaction (effects of the three factors "
                     "removed)."));
    std::fprintf(f, "%s",
                 T("\nPara cada efeito principal as permutacoes foram restritas aos grupos definidos pela combinacao "
                   "dos outros fatores.",
                   "\nFor each main effect permutations were restricted within the groups defined by the combination "
                   "of the other factors."));
    std::fprintf(f, "%s",
                 T("\nPara o efeito da combinacao de todos os fatores as permutacoes foram irrestritas.\n",
                   "\nFor the all-factor combination effect permutations were unrestricted.\n"));
  } else {
    std::fprintf(f, "%s", T("\nDados permutados foram ", "\nPermuted data were "));
    if (in.nRemoved <= 0) {
      std::fprintf(f, "%s", T("vetores de dados brutos.", "vectors of raw data."));
    } else if (in.nRemoved == 1) {
      std::fprintf(f, T("vetores de residuos (efeito do fator %s foi removido).",
                        "vectors of residuals (effect of factor %s was removed)."),
                   in.factorLabels[in.removed[0] - 1]);
    } else if (in.nRemoved == 2) {
      std::fprintf(f, T("vetores de residuos (efeitos dos fatores %s e %s foram removidos).",
                        "vectors of residuals (effects of factors %s and %s were removed)."),
                   in.factorLabels[in.removed[0] - 1], in.factorLabels[in.removed[1] - 1]);
    } else {
      std::fprintf(f, T("vetores de residuos (efeitos dos fatores %s, %s e %s foram removidos).",
                        "vectors of residuals (effects of factors %s, %s and %s were removed)."),
                   in.factorLabels[in.removed[0] - 1], in.factorLabels[in.removed[1] - 1],
                   in.factorLabels[in.removed[2] - 1]);
    }
  }

  // Restrictions.
  std::fprintf(f, "%s", T("\nRestricoes a aleatorizacao:", "\nRandomization restrictions:"));
  if (!in.nestingOn && !in.bundlesOn) {
    std::fprintf(f, "%s", T("nenhuma\n", "none\n"));
  } else {
    if (in.bundlesOn) {
      std::fprintf(f, "%s", T("\nUnidades permutadas aleatoriamente em blocos de agrupamento:\t",
                              "\nUnits randomly permuted as bundles:\t"));
      for (int i = 0; i < n; i++) std::fprintf(f, " %d", in.bundleMemb[i]);
    }
    if (in.nestingOn) {
      const int* nest = in.nestingFactor > 0 ? in.factorMemb[in.nestingFactor - 1] : in.nestMemb;
      std::fprintf(f, "%s", T("\nPermutacao aleatoria dentro de grupos de aninhamento:\t",
                              "\nRandom permutation within nesting groups:\t"));
      for (int i = 0; i < n; i++) std::fprintf(f, " %d", nest[i]);
    }
    if (in.nestingOn && in.bundlesOn) {
      if (in.bundlesOnly)
        std::fprintf(f, "%s", T("\nPermutacao dos blocos de agrupamento dentro dos grupos de aninhamento.\n",
                                "\nPermutation of bundles within nesting groups.\n"));
      else
        std::fprintf(f, "%s",
                     T("\nPermutacao das unidades dentro dos grupos de aninhamento, seguida da permutacao dos blocos "
                       "de agrupamento.\n",
                       "\nPermutation of units within nesting groups, followed by permutation of the bundles.\n"));
    } else {
      std::fprintf(f, "\n");
    }
    if (in.synchronized)
      std::fprintf(f, "%s", T("\nForam feitas permutacoes sincronizadas.\n", "\nSynchronized permutations were performed.\n"));
    if (r.bundleStepSkipped || r.contrastBundleStepSkipped)
      std::fprintf(f, "%s", UnbalancedBundlesMessage(in.portuguese));
  }

  if (r.mrpp) {
    std::fprintf(f, "\n");
    for (int a = 0; a < nf; a++) {
      std::fprintf(f, T("Fator %s:\n", "Factor %s:\n"), in.factorLabels[a]);
      if (intermediate > 0)
        std::fprintf(f, "MRPP:\t%g\t%s\t%.0f\n", r.delta[a], T("Freq(MRPP_Alea<=MRPP):", "Freq(MRPP_Rnd<=MRPP):"),
                     r.deltaP[a]);
      else
        std::fprintf(f, "MRPP:\t%g\t%s\t%g\n", r.delta[a], T("P(MRPP_Alea<=MRPP):", "P(MRPP_Rnd<=MRPP):"),
                     r.deltaP[a]);
    }
    std::fprintf(f, "%s",
                 T("\n(*) Probabilidades P geradas para a estatistica MRPP (dissimilaridade media, v=1, Mielke & "
                   "Berry 2001).\n",
                   "\n(*) Probabilities P generated for the MRPP statistic (average dissimilaritty, v=1, Mielke & "
                   "Berry 2001).\n"));
    return;
  }

  // The table.
  const bool ratioColumn = in.pseudoF && !notes.series;
  const bool counts = intermediate > 0;
  if (ratioColumn) {
    std::fprintf(f, "\n\n%-22s\t%20.20s\t%12.12s\t%s\n", T("Fonte de variacao     ", "Source of variation   "),
                 T("Soma de quadrados(Q) ", "Sum of squares(Q)   "), "F=Qb/Qw",
                 counts ? " Freq(FNULL>=F)" : " P(FNULL>=F)");
  } else {
    std::string p = counts ? " Freq(QbNULL>=Qb)" : " P(QbNULL>=Qb)";
    if (notes.series && nf >= 2) p += " *";
    std::fprintf(f, "\n\n%-22s\t%20.20s\t%s\n", T("Fonte de variacao     ", "Source of variation   "),
                 T("Soma de quadrados(Q) ", "Sum of squares(Q)   "), p.c_str());
  }
  std::fprintf(f, "%.78s\n", kDashes);
  const TableWriter w{f, in, r, ratioColumn, counts, digits};
  for (int a = 0; a < nf; a++) {
    std::fprintf(f, T("Fator %s:\n", "Factor %s:\n"), in.factorLabels[a]);
    std::fprintf(f, "%-22s\t", T("Entre grupos", "Between groups"));
    if (in.blockDesign && a == 0)
      std::fprintf(f, "%20.*g\t\n", digits, r.Q[a][a]);
    else
      w.Row(r.Q[a][a], w.Ratio(r.F[a][a]), r.P[a][a]);
    if (!r.contrasts.empty() && !r.contrasts[a].empty()) {
      std::fprintf(f, "%s\n", T("   Contrastes:", "   Contrasts:"));
      for (const ContrastRecord& c : r.contrasts[a]) {
        std::string label;
        char buf[64];
        for (double x : c.coefficients) {
          std::snprintf(buf, sizeof buf, " %g", x);
          label += buf;
        }
        std::fprintf(f, "%-22s\t", label.c_str());
        w.Row(c.Qb, c.ratioFormed ? c.statistic : std::nan(""), c.probability);
      }
    }
  }
  if (nf >= 2) {
    std::fprintf(f, "%.78s\n", kDashes);
    for (int a = 0; a < nf; a++)
      for (int b = a + 1; b < nf; b++) {
        if (in.blockDesign && a == 0) continue;  // pooled into the error
        char label[64];
        std::snprintf(label, sizeof label, "%-9s x %-9s", in.factorLabels[a], in.factorLabels[b]);
        std::fprintf(f, "%-22s\t", label);
        w.Row(r.Q[a][b], w.Ratio(r.F[a][b]), r.P[a][b]);
        if (!r.pairComplete[a][b])
          std::fprintf(f, "%s",
                       T("Atencao! Os dados nao contem todas as combinacoes de niveis destes fatores.\n",
                         "Warning! Data do not contain all the combinations of levels for these factors.\n"));
      }
    if (nf == 3 && !in.blockDesign) {
      char label[96];
      std::snprintf(label, sizeof label, "%-9s x %-9s x %-9s", in.factorLabels[0], in.factorLabels[1],
                    in.factorLabels[2]);
      std::fprintf(f, "%-22s\t", label);
      w.Row(r.Q3, w.Ratio(r.F3), r.P3);
    }
    if (nf >= 4) {
      double other = r.Q[nf][nf];
      for (int a = 0; a < nf; a++)
        for (int b = a; b < nf; b++) other -= r.Q[a][b];
      std::fprintf(f, "%-22s\t%20.*g\n", T("Outras interacoes", "Other interactions"), digits, other);
    }
    if (!in.blockDesign) {
      std::fprintf(f, "%-22s\t", T("Entre grupos", "Between groups"));
      w.Row(r.Q[nf][nf], w.Ratio(r.F[nf][nf]), r.P[nf][nf]);
    }
  }
  std::fprintf(f, "%-22s\t%20.*g\n", T("Dentro de grupos", "Within groups"), digits, r.Qw);
  std::fprintf(f, "%s\n", kDashes);
  std::fprintf(f, "%-22s\t%20.*g\n", "Total", digits, r.Qt);
  if (notes.series && nf >= 2)
    std::fprintf(f, "%s",
                 T("\n(*) Probabilidades P geradas para a soma de quadrados (Qb), exceto para interacoes, onde "
                   "F=Qb/Qw foi usado como criterio de teste.\n",
                   "\n(*) Probabilities P generated for sum of squares (Qb), except for interactions, where F=Qb/Qw "
                   "was used as test criterion.\n"));

  if (intermediate > 0 || !in.meansAvailable || r.factorMeans.empty()) return;
  std::fprintf(f, "%s", T("\nVetores medios de cada grupo:\n", "\nMean vectors of each group:\n"));
  for (int a = 0; a < nf; a++) {
    std::fprintf(f, T("Fator %s:\n", "Factor %s:\n"), in.factorLabels[a]);
    for (const GroupMean& g : r.factorMeans[a]) {
      std::fprintf(f, T("Grupo %d (n=%d):\t", "Group %d (n=%d):\t"), g.label, g.size);
      PrintMeanVector(f, g.mean, digits);
    }
  }
  for (int a = 0; a < nf; a++)
    for (int b = a + 1; b < nf; b++) {
      std::fprintf(f, T("Fatores de interacao %s x %s:\n", "Interaction factors %s x %s:\n"), in.factorLabels[a],
                   in.factorLabels[b]);
      for (const GroupMean& g : r.pairMeans[a][b]) {
        std::fprintf(f, T("Grupo %d x %d (n=%d):\t", "Group %d x %d (n=%d):\t"), g.label, g.label2, g.size);
        PrintMeanVector(f, g.mean, digits);
      }
    }
}

void PrintManovaIntermResults(FILE* f, const manovaInput& in, const ManovaResults& values, int permutation,
                              const int* list) {
  const Texts T{in.portuguese != 0};
  const int nf = in.nFactors, digits = in.sDigits;
  bool anyContrast = false;
  for (const auto& c : values.contrasts) anyContrast = anyContrast || !c.empty();
  if (permutation == 1) {
    std::fprintf(f, "%s\n", kDashes);
    std::fprintf(f, "%s\n", T("TESTE DE ALEATORIZACAO - RESULTADOS INTERMEDIARIOS",
                              "RANDOMIZATION TEST - INTERMEDIATE RESULTS"));
    std::fprintf(f, "%s\n", kDashes);
    for (int a = 0; a < nf; a++) std::fprintf(f, "%s\t", in.factorLabels[a]);
    if (!values.mrpp) {
      for (int a = 0; a < nf; a++)
        for (int b = a + 1; b < nf; b++)
          if (!(in.blockDesign && a == 0)) std::fprintf(f, "%s x %s\t", in.factorLabels[a], in.factorLabels[b]);
      if (nf == 3 && !in.blockDesign)
        std::fprintf(f, "%s x %s x %s\t", in.factorLabels[0], in.factorLabels[1], in.factorLabels[2]);
      if (nf >= 2 && !in.blockDesign) std::fprintf(f, "%s", T("Todos os fatores\t", "All factors\t"));
    }
    if (!anyContrast) std::fprintf(f, "%s", T("Permutacoes aleatorias", "Random permutations"));
    std::fprintf(f, "\n");
  }
  if (values.mrpp) {
    for (int a = 0; a < nf; a++) std::fprintf(f, "%.*g\t", digits, values.delta[a]);
  } else {
    for (int a = 0; a < nf; a++) std::fprintf(f, "%.*g\t", digits, values.Q[a][a]);
    for (int a = 0; a < nf; a++)
      for (int b = a + 1; b < nf; b++)
        if (!(in.blockDesign && a == 0)) std::fprintf(f, "%20.*g\t", digits, values.Q[a][b]);
    if (nf == 3 && !in.blockDesign) std::fprintf(f, "%13.*g\t", digits, values.Q3);
    if (nf >= 2 && !in.blockDesign) std::fprintf(f, "%20.*g\t", digits, values.Q[nf][nf]);
  }
  if (!anyContrast)
    for (int i = 0; i < in.nUnits; i++)
      std::fprintf(f, " %s", in.unitLabels != nullptr ? in.unitLabels[list[i] - 1] : "");
  std::fprintf(f, "\n");
}

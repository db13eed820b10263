// Results of the bootstrap of ordination dimensions.
#include "bootstrap/OrdinationBootstrapReport.h"

#include "bootstrap/BootstrapReportParts.h"

namespace {

const char* const kDashes65 = "-----------------------------------------------------------------";

struct Texts {
  bool pt;
  const char* operator()(const char* portuguese, const char* english) const { return pt ? portuguese : english; }
};

void Values(FILE* f, int count, const double* v, int digits) {
  for (int i = 0; i < count; i++) std::fprintf(f, "%.*g\t", digits, v[i]);
}

// A table of `rows` rows of `cols` values, one line each.
void Rows(FILE* f, int rows, int cols, const double* const* t, int digits) {
  for (int a = 0; a < rows; a++) {
    Values(f, cols, t[a], digits);
    std::fprintf(f, "\n");
  }
}

// The m x variables table with the variables as rows.
void Transposed(FILE* f, int m, int variables, const double* const* t, int digits) {
  for (int j = 0; j < variables; j++) {
    for (int i = 0; i < m; i++) std::fprintf(f, "%.*g\t", digits, t[i][j]);
    std::fprintf(f, "\n");
  }
}

void Units(FILE* f, int m, const int* units) {
  for (int i = 0; i < m; i++) std::fprintf(f, "%d ", units[i]);
}

// The ordination of one side of a step and its comparison with the reference.
void WriteSide(FILE* f, const Texts& T, int digits, int m, const OrdinationSampleView& v, bool random) {
  if (!v.computed) {
    std::fprintf(f, "%s",
                 random ? T("\nA ordenacao desta amostra dos dados ALEATORIOS nao pode ser calculada.\n",
                            "\nThe ordination of this sample of RANDOM data could not be computed.\n")
                        : T("\nA ordenacao desta amostra nao pode ser calculada.\n",
                            "\nThe ordination of this sample could not be computed.\n"));
    return;
  }
  std::fprintf(f,
               random ? T("Autovalores na amostra 'bootstrap' dos dados ALEATORIOS (primeiros %d): ",
                          "Eigenvalues in the bootstrap sample of RANDOM data (first %d): ")
                      : T("Autovalores (primeiros %d): ", "Eigenvalues (first %d): "),
               v.axes);
  Values(f, v.axes, v.eig, digits);
  std::fprintf(f,
               T("\nEscores de %d unidades amostrais da amostra 'bootstrap' nos primeiros %d eixos da ordenacao de "
                 "referencia:\n",
                 "\nScores of %d bootstrap sampling units on the first %d reference ordination axis(es):\n"),
               m, v.referenceAxes);
  Rows(f, v.referenceAxes, m, v.reference, digits);
  std::fprintf(f,
               T("\nEscores de %d unidades amostrais nos primeiros %d eixos da ordenacao da amostra 'bootstrap': \n",
                 "\nScores of %d sampling units on the first %d bootstrap sample ordination axis(es): \n"),
               m, v.axes);
  Rows(f, v.axes, m, v.scores, digits);
  for (int a = 1; a <= v.axes; a++) {
    std::fprintf(f,
                 T("\nEscores de %d unidades amostrais no eixo %d da ordenacao da amostra 'bootstrap' (ajustados por "
                   "Procrustes, usando os primeiros %d eixos, para maximizar a semelhanca com a referencia): \n",
                   "\nScores of %d sampling units on bootstrap sample ordination axis %d (Procrustes adjusted, using "
                   "the first %d axes, to maximize similarity with reference): \n"),
                 m, a, a);
    Rows(f, 1, m, v.fitted + (a - 1), digits);
    std::fprintf(f,
                 random ? T("\nDados PERMUTADOS: Correlacao entre escores da referencia e da amostra 'bootstrap' "
                            "(eixo %d): %g\n",
                            "\nPERMUTED data set: Correlation between reference and bootstrap sample scores "
                            "(axis %d): %g\n")
                        : T("\nCorrelacao entre escores da referencia e da amostra 'bootstrap' (eixo %d): %g\n",
                            "\nCorrelation between reference and bootstrap sample scores (axis %d): %g\n"),
                 a, v.ro[a - 1]);
  }
}

}  // namespace

void WriteOrdinationBootstrapHeading(FILE* f, const OrdinationBootstrapReportInfo& info) {
  const Texts T{info.portuguese};
  WriteSamplerOpening(f, info);
  std::fprintf(f, "%s",
               T("Atributo avaliado na amostra: estabilidade da ordenacao\n", "Sample attribute: ordination stability\n"));
  std::fprintf(f, T("Considerando ate %d eixos da ordenacao.\n", "Considering up to %d ordination axes.\n"), info.nAxes);
}

void WriteOrdinationReferenceScores(FILE* f, const OrdinationBootstrapReportInfo& info,
                                    const OrdinationBootstrapReference& ref) {
  const Texts T{info.portuguese};
  std::fprintf(f, "%s", T("\nEscores da ordenacao de referencia:\n", "\nReference ordination scores:\n"));
  for (int a = 0; a < ref.nAxes(); a++) {
    std::fprintf(f, T("Escores no eixo %d da ordenacao: \t", "Scores on ordination axis %d: \t"), a + 1);
    Values(f, ref.n(), ref.Scores()[a], info.digits);
    std::fprintf(f, "\n");
  }
}

OrdinationBootstrapObserver OrdinationBootstrapIntermediateWriter(FILE* f, const OrdinationBootstrapReportInfo& info) {
  const Texts T{info.portuguese};
  const int digits = info.digits, n = info.n;
  OrdinationBootstrapObserver o;
  o.iterationStart = [=](const OrdinationPermutedView& v) {
    std::fprintf(f, "%s\n", kDashes65);
    std::fprintf(f, T("RESULTADOS INTERMEDIARIOS ITERACAO %d:\n", "INTERMEDIATE RESULTS ITERATION %d:\n"),
                 static_cast<int>(v.iteration));
    std::fprintf(f, "%s",
                 T("\nConjunto de dados permutados ALEATORIAMENTE (variaveis nas linhas, unidades amostrais nas "
                   "colunas):\n",
                   "\nRANDOMLY permuted data set (variables are rows, sampling units are columns):\n"));
    Transposed(f, n, v.variables, v.data, digits);
    if (!v.computed) {
      std::fprintf(f, "%s",
                   T("A ordenacao do conjunto de dados permutados nao pode ser calculada.\n",
                     "The ordination of the permuted data set could not be computed.\n"));
      return;
    }
    std::fprintf(f,
                 T("Autovalores da ordenacao de referencia (primeiros %d) para o conjunto de dados aleatorio: ",
                   "Reference ordination eigenvalues (first %d) for random data set: "),
                 v.axes);
    Values(f, v.axes, v.eig, digits);
    std::fprintf(f, "%s", T("\nEscores da ordenacao:\n", "\nOrdination scores:\n"));
    Rows(f, v.axes, n, v.scores, digits);
  };
  o.step = [=](const OrdinationStepView& v) {
    const int m = v.sampleSize;
    std::fprintf(f,
                 T("\nPasso de amostragem: %d, Numero de unidades amostrais: %d\n",
                   "\nSampling step: %d, Number of sampling units: %d\n"),
                 v.step + 1, m);
    std::fprintf(f, "%s", T("Unidades amostrais na amostra 'bootstrap': ", "Sampling units in the bootstrap sample: "));
    Units(f, m, v.units);
    std::fprintf(f, "%s",
                 T("\nAmostra 'bootstrap' (variaveis nas linhas, unidades amostrais nas colunas):\n",
                   "\nBootstrap sample (variables are rows, sampling units are columns):\n"));
    Transposed(f, m, v.sample.variables, v.sample.data, digits);
    WriteSide(f, T, digits, m, v.sample, false);

    std::fprintf(f, "%s",
                 T("\nUnidades amostrais na amostra 'bootstrap' dos dados ALEATORIOS: ",
                   "\nSampling units in the bootstrap sample of RANDOM data: "));
    Units(f, m, v.units);
    std::fprintf(f, "%s",
                 T("\nAmostra 'bootstrap' dos dados permutados aleatoriamente (variaveis nas linhas, unidades "
                   "amostrais nas colunas):\n",
                   "\nBootstrap sample of randomly permuted data (variables are rows, sampling units are columns):\n"));
    Transposed(f, m, v.random.variables, v.random.data, digits);
    WriteSide(f, T, digits, m, v.random, true);
  };
  return o;
}

void WriteOrdinationBootstrapResults(FILE* f, const OrdinationBootstrapReportInfo& info,
                                     const OrdinationBootstrapResults& r, double seconds) {
  const Texts T{info.portuguese};
  const int steps = static_cast<int>(r.sampleSizes.size());
  const int digits = info.digits;
  WriteSamplerRunFacts(f, info, seconds, r.threads, steps);
  std::fprintf(f, T("\nTamanho das amostras em %d passo(s) de amostragem:\t", "\nSample sizes at %d sampling step(s):\t"),
               steps);
  for (int size : r.sampleSizes) std::fprintf(f, "%d\t", size);

  auto sizes = [&]() {
    std::fprintf(f, "%s", T("Tamanho da amostra:\t", "Sample size:\t"));
    for (int size : r.sampleSizes) std::fprintf(f, "%d\t", size);
  };
  auto axis = [&](int a) { std::fprintf(f, T("\nEixo %d:   \t", "\nAxis %d:   \t"), a + 1); };
  std::fprintf(f,
               T("\n\nMedia do atributo da amostra (ro*) gerada em %d iteracoes aleatorias de autoreamostragem "
                 "('bootstrap'):\n",
                 "\n\nAverage of sample attribute (ro*) generated by %d random iterations of bootstrap resampling:\n"),
               info.nIter);
  sizes();
  std::fprintf(f, "%s", T("\nMedia de ro*:\t", "\nAverage ro*:\t"));
  for (int a = 0; a < info.nAxes; a++) {
    axis(a);
    for (int s = 0; s < steps; s++) std::fprintf(f, "%.*g\t", digits, r.meanRo[a * steps + s]);
  }
  std::fprintf(f,
               T("\n\nProbabilidades P(roRnd >= ro) geradas em %d iteracoes de autoreamostragem ('bootstrap'):\n",
                 "\n\nProbabilities P(roRnd >= ro) generated in %d iterations of bootstrap resampling:\n"),
               info.nIter);
  sizes();
  for (int a = 0; a < info.nAxes; a++) {
    axis(a);
    for (int s = 0; s < steps; s++) std::fprintf(f, "%.*g\t", digits, r.p[a * steps + s]);
  }
  std::fprintf(f, "%s",
               T("\n\nO numero efetivo de iteracoes pode nao ser o mesmo para todos os tamanhos e eixos:\n",
                 "\n\nThe actual number of iterations may not be the same for all sizes and axes:\n"));
  sizes();
  for (int a = 0; a < info.nAxes; a++) {
    axis(a);
    for (int s = 0; s < steps; s++) std::fprintf(f, "%lld\t", static_cast<long long>(r.valid[a * steps + s]));
  }
  std::fprintf(f, "\n");
}

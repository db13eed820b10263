// Bilingual option tables, shared prompt strings and the applicability
// matrices that decide which entries each menu offers. Initialize() points the
// language-neutral names at the Portuguese or the English set.
#include "shell/OptionTables.h"

#include "shell/EntryPoints.h"
#include "shell/SessionState.h"

const char* enterOpt = "Enter option";
const char* enterOptValid = "Enter option (valid options with *)";
const char* returnMain = "return to main menu";
const char* iteraStr = "Iteration";

namespace {

const char* const versaoE = "3.85b";
const char* const versaoP = "3.85b";

const char* optMainMenuInfoE[MAIN_MENU_ENTRIES] = {
    "N  specify data or open existing session",
    "V  descriptive attributes",
    "T  transform data",
    "R  resemblance measures",
    "G  specify groups of sampling units",
    "D  scatter diagrams",
    "O  ordination",
    "C  cluster analysis",
    "P  randomization tests comparing groups of sampling units",
    "A  randomization tests comparing variables",
    "F  path analysis",
    "K  relations between two sets of variables",
    "Y  analysis of dynamics",
    "E  preferences",
    "S  save session",
    "Z  run script",
    "X  exit"};
const char* optMainMenuInfoP[MAIN_MENU_ENTRIES] = {
    "N  especificar dados ou abrir sessao existente",
    "V  atributos descritivos",
    "T  transformar dados",
    "R  medidas de semelhanca",
    "G  especificar grupos de unidades amostrais",
    "D  diagramas de dispersao",
    "O  ordenacao",
    "C  agrupamento (cluster analysis)",
    "P  testes de aleatorizacao comparando grupos de unidades amostrais",
    "A  testes de aleatorizacao comparando variaveis",
    "F  analise de caminhos",
    "K  relacoes entre dois conjuntos de variaveis",
    "Y  analise da dinamica",
    "E  preferencias",
    "S  armazenar sessao",
    "Z  executar script",
    "X  sair"};

const char* optVarTipoInfoE[7] = {
    " ",
    "(1) quantitative, same measurement scales",
    "(2) quantitative, different scales",
    "(3) qualitative, non binary",
    "(4) binary",
    "(5) mixed",
    "(6) contingency table"};
const char* optVarTipoInfoP[7] = {
    " ",
    "(1) quantitativos, mesmas escalas de medida",
    "(2) quantitativos, escalas diferentes",
    "(3) qualitativos nao binarios",
    "(4) binarios",
    "(5) mistos",
    "(6) tabela de contingencia"};

const char* optTrInfoE[3] = {
    "(0)restore original data (no transformation)",
    "(1)specify transformations on original data",
    "(99)leave as is"};
const char* optTrInfoP[3] = {
    "(0)restaurar dados originais (nenhuma transformacao)",
    "(1)especificar transformacoes sobre dados originais",
    "(99)deixar como esta"};

const char* optTrEsInfoE[7] = {
    "(0)none",
    "(1)presence/absence",
    "(2)square root (sqrt(|x|))",
    "(3)logarithm (log(|x+1|))",
    "(4)expand nominal variables into binary ones",
    "(5)expand contingency table into nominal data",
    "(99)cancel and return to main menu"};
const char* optTrEsInfoP[7] = {
    "(0)nenhuma",
    "(1)presenca/ausencia",
    "(2)raiz quadrada (sqrt(|x|))",
    "(3)logaritmo (log(|x+1|))",
    "(4)expandir variaveis nominais em binarias",
    "(5)expandir tabela de contigencia em dados nominais",
    "(99)cancelar e voltar ao menu principal"};

const char* optTrVeDirInfoE[4] = {
    "(0)none",
    "(1)within sampling units",
    "(2)within variables",
    "(3)other transformations"};
const char* optTrVeDirInfoP[4] = {
    "(0)nenhuma",
    "(1)dentro de unidades amostrais",
    "(2)dentro de variaveis",
    "(3)outras transformacoes"};

const char* optTrVe2InfoE[14] = {
    "(0)none",
    "(1)standardizing by marginal total",
    "(2)centering and division by N-1 (implicit in covariance)",
    "(3)centering",
    "(4)normalization",
    "(5)centering and normalization (implicit in correlation)",
    "(6)deviations expected values via marginal totals (double adjustment)",
    "(7)standardizing by the range",
    "(8)rescaling into classes",
    "(9)rescaling into ranks",
    "(10)Hellinger transformation",
    "(11)Beals smoothing",
    "(12)deviations from unit group means",
    "(99)cancel and return to main menu"};
const char* optTrVe2InfoP[14] = {
    "(0)nenhuma",
    "(1)padronizacao pelo total",
    "(2)para covariancia",
    "(3)centralizacao",
    "(4)normalizacao",
    "(5)centralizacao e normalizacao",
    "(6)desvios valores esperados via totais marginais (ajuste duplo)",
    "(7)padronizacao pela amplitude",
    "(8)reescalonamento em classes",
    "(9)reescalonamento em ordinais",
    "(10)transformacao de Hellinger",
    "(11)transformacao de Beals",
    "(12)desvios de medias de grupos de unidades amostrais",
    "(99)cancelar e voltar ao menu principal"};

const char* optReseDirInfoE[4] = {
    " ",
    "(1)comparing sampling units",
    "(2)comparing variables",
    "(99)cancel and return to main menu"};
const char* optReseDirInfoP[4] = {
    " ",
    "(1)compara unidades amostrais",
    "(2)compara variaveis",
    "(99)cancelar e voltar ao menu principal"};

const char* optReseTipoInfoE[31] = {
    " ",
    "(1)product moment",
    "(2)absolute value function",
    "(3)Euclidean distance",
    "(4)mutual information",
    "(5)Gower index",
    "(6)MDIS",
    "(7)mutual entropy",
    "(8)Rajski's metric",
    "(9)coherence coefficient",
    "(10)chi-square",
    "(11)Jaccard",
    "(12)simple matching",
    "(13)Sokal-Michener",
    "(14)Ochiai",
    "(15)Sorensen",
    "(16)mean square contingency",
    "(17)correlation",
    "(18)chord distance",
    "(19)Legendre&Chodorowski index",
    "(20)percentage difference (Bray&Curtis dissimilarity)",
    "(21)second eigenvalue of pairwise correlation",
    "(22)covariance",
    "(23)Jaccard dissimilarity (beta_jac Baselga, 2012)",
    "(24)Jaccard turnover (beta_jtu, Baselga 2012)",
    "(25)Jaccard nestedness (beta_jne, Baselga 2012)",
    "(26)Sorensen dissimilarity (beta_sor Baselga, 2010)",
    "(27)Sorensen turnover (Simpson, beta_sim, Baselga 2010)",
    "(28)Sorensen nestedness (beta_sne, Baselga 2010)",
    "(29)Mahalanobis distance",
    "(99)cancel and return to main menu"};
const char* optReseTipoInfoP[31] = {
    " ",
    "(1)momento produto",
    "(2)funcao valor absoluto",
    "(3)distancia euclidiana",
    "(4)informacao mutua",
    "(5)indice de Gower",
    "(6)MDIS",
    "(7)entropia mutua",
    "(8)metrica de Rajski",
    "(9)coeficiente de coerencia",
    "(10)qui-quadrado",
    "(11)Jaccard",
    "(12)comparacao simples",
    "(13)Sokal-Michener",
    "(14)Ochiai",
    "(15)Sorensen",
    "(16)contingencia de quadrado medio",
    "(17)correlacao",
    "(18)distancia de corda",
    "(19)indice de Legendre&Chodorowski",
    "(20)diferenca percentual (dissimilaridade Bray&Curtis)",
    "(21)segundo autovalor de correlacao pareada",
    "(22)covariancia",
    "(23)dissimilaridade de Jaccard (beta_jac Baselga, 2012)",
    "(24)substituicao de Jaccard (beta_jtu, Baselga 2012)",
    "(25)aninhamento Jaccard (beta_jne, Baselga 2012)",
    "(26)dissimilaridade de Sorensen (beta_sor Baselga, 2010)",
    "(27)substituicao de Simpson (beta_sim, Baselga 2010)",
    "(28)aninhamento Sorensen (beta_sne, Baselga 2010)",
    "(29)distancia de Mahalanobis",
    "(99)cancelar e voltar ao menu principal"};

const char* optPostReseTransfInfoE[4] = {
    "(0)none",
    "(1)squared resemblance",
    "(2)square root of resemblance",
    "(99)cancel and return to main menu"};
const char* optPostReseTransfInfoP[4] = {
    "(0)nenhuma",
    "(1)quadrado da medida de semelhanca",
    "(2)raiz quadrada medida de semelhanca",
    "(99)cancelar e voltar ao menu principal"};

const char* optDescrAttrInfoE[6] = {
    "",
    "(1) means and standard deviations of variables",
    "(2) entropy of variables",
    "(3) entropy and complexity in contingency table",
    "(4) multi-site beta diversity (sensu Baselga 2012)",
    "(99)cancel and return to main menu"};
const char* optDescrAttrInfoP[6] = {
    "",
    "(1) medias e desvios padrao de variaveis",
    "(2) entropia de variaveis",
    "(3) entropia e complexidade de unidades amostrais",
    "(4) beta diversidade multi-sitio (sensu Baselga 2012)",
    "(99)cancelar e voltar ao menu principal"};

const char* optOrdiTypeInfoE[5] = {
    " ",
    "(1)principal coordinates analysis",
    "(2)principal components analysis",
    "(3)correspondence analysis",
    "(99)cancel and return to main menu"};
const char* optOrdiTypeInfoP[5] = {
    " ",
    "(1)analise de coordenadas principais",
    "(2)analise de componentes principais",
    "(3)analise de correspondencia",
    "(99)cancelar e voltar ao menu principal"};

const char* clusMethInfoE[9] = {
    " ",
    "(1)simple linkage (nearest neighbor)",
    "(2)complete linkage",
    "(3)incremental sum of squares (Ward)",
    "(4)average linkage (UPGMA)",
    "(5)average linkage (WPGMA)",
    "(6)hierarchical factorial (Denimal & Camiz) (requires resemblance function #21)",
    "(7)topologically constrained incremental sum of squares",
    "(99)cancel and return to main menu"};
const char* clusMethInfoP[9] = {
    " ",
    "(1)ligacao simples",
    "(2)ligacao completa",
    "(3)soma de quadrados (Ward)",
    "(4)ligacao media nao-ponderada (UPGMA)",
    "(5)ligacao media ponderada (WPGMA)",
    "(6)fatorial hierarquico (Denimal & Camiz) (requer semelhanca #21)",
    "(7)soma de quadrados restringido pela topologia",
    "(99)cancelar e voltar ao menu principal"};

const char* optTransfCorrelInfoE[3] = {
    "(0)no transformation",
    "(1)absolute value correlations",
    "(2)squared correlations"};
const char* optTransfCorrelInfoP[3] = {
    "(0)sem transformacao",
    "(1)valor absoluto das correlacoes",
    "(2)correlacoes ao quadrado"};

const char* yesnoInfoE[2] = {"not", "yes"};
const char* yesnoInfoP[2] = {"nao", "sim"};

}  // namespace

const char** optMainMenuInfo = optMainMenuInfoE;
const char** optVarTipoInfo = optVarTipoInfoE;
const char** optDescrAttrInfo = optDescrAttrInfoE;
const char** optTrInfo = optTrInfoE;
const char** optTrEsInfo = optTrEsInfoE;
const char** optTrVeDirInfo = optTrVeDirInfoE;
const char** optTrVe2Info = optTrVe2InfoE;
const char** optReseDirInfo = optReseDirInfoE;
const char** optReseTipoInfo = optReseTipoInfoE;
const char** optPostReseTransfInfo = optPostReseTransfInfoE;
const char** optOrdiTypeInfo = optOrdiTypeInfoE;
const char** clusMethInfo = clusMethInfoE;
const char** optTransfCorrelInfo = optTransfCorrelInfoE;
const char** yesnoInfo = yesnoInfoE;

// Main menu: row = entry, column = stage reached (0 to 4).
int appliesMain[MAIN_MENU_ENTRIES][5] = {
    {1, 1, 1, 1, 1},  // N
    {0, 1, 1, 1, 1},  // V
    {0, 1, 1, 1, 1},  // T
    {0, 1, 1, 1, 1},  // R
    {0, 1, 1, 1, 1},  // G
    {0, 1, 1, 1, 1},  // D
    {0, 0, 1, 1, 1},  // O
    {0, 0, 1, 1, 1},  // C
    {0, 0, 1, 1, 0},  // P
    {0, 0, 0, 0, 1},  // A
    {0, 1, 1, 1, 1},  // F
    {0, 1, 1, 1, 1},  // K
    {0, 1, 1, 1, 1},  // Y
    {1, 1, 1, 1, 1},  // E
    {0, 1, 1, 1, 1},  // S
    {1, 1, 1, 1, 1},  // Z
    {1, 1, 1, 1, 1},  // X
};

// The remaining matrices: row = entry of the table, column = data type - 1.
int appliesTr[3][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1},
};

int appliesScalar[7][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // (0) none
    {1, 1, 0, 1, 0, 1, 0, 0},  // (1) presence/absence
    {1, 1, 0, 1, 0, 1, 0, 0},  // (2) square root
    {1, 1, 0, 1, 0, 1, 0, 0},  // (3) logarithm
    {0, 0, 1, 0, 1, 0, 1, 1},  // (4) expand nominal variables
    {1, 0, 0, 1, 0, 0, 0, 0},  // (5) expand contingency table
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

int appliesVectorDir[4][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // (0) none
    {1, 1, 0, 1, 0, 1, 0, 0},  // (1) within sampling units
    {1, 1, 0, 1, 0, 1, 0, 0},  // (2) within variables
    {1, 1, 1, 1, 1, 1, 1, 1},  // (3) other transformations
};

int appliesVectorVar[14][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // (0) none
    {1, 1, 0, 1, 0, 1, 0, 0},  // (1) marginal total
    {1, 1, 0, 1, 0, 1, 0, 0},  // (2) covariance
    {1, 1, 0, 1, 0, 1, 0, 0},  // (3) centering
    {1, 1, 0, 1, 0, 1, 0, 0},  // (4) normalization
    {1, 1, 0, 1, 0, 1, 0, 0},  // (5) centering and normalization
    {0, 0, 0, 0, 0, 0, 0, 0},  // (6) double adjustment
    {1, 1, 0, 1, 0, 1, 0, 0},  // (7) range
    {1, 1, 0, 1, 0, 1, 0, 0},  // (8) classes
    {1, 1, 0, 1, 0, 1, 0, 0},  // (9) ranks
    {0, 0, 0, 0, 0, 0, 0, 0},  // (10) Hellinger
    {0, 0, 0, 0, 0, 0, 0, 0},  // (11) Beals
    {1, 1, 0, 1, 0, 1, 0, 0},  // (12) deviations from group means
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

int appliesVectorUnits[14][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // (0) none
    {1, 0, 0, 1, 0, 0, 0, 0},  // (1)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (2)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (3)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (4)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (5)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (6)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (7)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (8)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (9)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (10)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (11)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (12)
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

int appliesVectorOther[14][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // (0) none
    {0, 0, 0, 0, 0, 0, 0, 0},  // (1)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (2)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (3)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (4)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (5)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (6) double adjustment
    {0, 0, 0, 0, 0, 0, 0, 0},  // (7)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (8)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (9)
    {0, 0, 0, 0, 0, 0, 0, 0},  // (10)
    {1, 0, 0, 1, 0, 0, 0, 0},  // (11) Beals smoothing
    {0, 0, 0, 0, 0, 0, 0, 0},  // (12)
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

// The fifth row belongs to no entry of the direction table.
int appliesReseDir[5][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1},  // (1) sampling units
    {1, 1, 1, 1, 0, 1, 1, 0},  // (2) variables
    {1, 0, 0, 1, 0, 0, 0, 0},  // (99) cancel
    {1, 1, 1, 1, 1, 1, 1, 1},
};

// Entry (4), column 0 of the two resemblance matrices is rewritten by
// SetDataType: mutual information needs data without negative values.
int appliesReseUnits[31][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // 0
    {1, 0, 0, 1, 0, 0, 0, 0},  // (1) product moment
    {1, 0, 0, 1, 0, 0, 0, 0},  // (2) absolute value function
    {1, 0, 0, 1, 0, 0, 0, 0},  // (3) Euclidean distance
    {1, 0, 0, 0, 0, 0, 0, 0},  // (4) mutual information
    {1, 1, 1, 1, 1, 1, 1, 1},  // (5) Gower
    {0, 0, 0, 0, 0, 0, 0, 0},  // (6) MDIS
    {0, 0, 0, 0, 0, 0, 0, 0},  // (7) mutual entropy
    {0, 0, 0, 0, 0, 0, 0, 0},  // (8) Rajski
    {0, 0, 0, 0, 0, 0, 0, 0},  // (9) coherence
    {0, 0, 0, 0, 0, 0, 0, 0},  // (10) chi-square
    {0, 0, 0, 1, 0, 0, 0, 0},  // (11) Jaccard
    {0, 0, 1, 1, 0, 0, 1, 0},  // (12) simple matching
    {0, 0, 0, 1, 0, 0, 0, 0},  // (13) Sokal-Michener
    {0, 0, 0, 1, 0, 0, 0, 0},  // (14) Ochiai
    {0, 0, 0, 1, 0, 0, 0, 0},  // (15) Sorensen
    {0, 0, 0, 1, 0, 0, 0, 0},  // (16) mean square contingency
    {1, 0, 0, 1, 0, 0, 0, 0},  // (17) correlation
    {1, 0, 0, 1, 0, 0, 0, 0},  // (18) chord distance
    {1, 0, 0, 1, 0, 0, 0, 0},  // (19) Legendre&Chodorowski
    {1, 0, 0, 1, 0, 0, 0, 0},  // (20) percentage difference
    {1, 0, 0, 1, 0, 0, 0, 0},  // (21) second eigenvalue
    {1, 0, 0, 1, 0, 0, 0, 0},  // (22) covariance
    {0, 0, 0, 1, 0, 0, 0, 0},  // (23) beta_jac
    {0, 0, 0, 1, 0, 0, 0, 0},  // (24) beta_jtu
    {0, 0, 0, 1, 0, 0, 0, 0},  // (25) beta_jne
    {0, 0, 0, 1, 0, 0, 0, 0},  // (26) beta_sor
    {0, 0, 0, 1, 0, 0, 0, 0},  // (27) beta_sim
    {0, 0, 0, 1, 0, 0, 0, 0},  // (28) beta_sne
    {1, 0, 0, 1, 0, 0, 0, 0},  // (29) Mahalanobis
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

int appliesReseVar[31][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // 0
    {1, 0, 0, 1, 0, 0, 0, 0},  // (1) product moment
    {1, 0, 0, 1, 0, 0, 0, 0},  // (2) absolute value function
    {1, 0, 0, 1, 0, 0, 0, 0},  // (3) Euclidean distance
    {1, 0, 0, 0, 0, 0, 0, 0},  // (4) mutual information
    {0, 0, 0, 0, 0, 0, 0, 0},  // (5) Gower
    {0, 0, 1, 1, 0, 0, 1, 0},  // (6) MDIS
    {0, 0, 1, 1, 0, 0, 1, 0},  // (7) mutual entropy
    {0, 0, 1, 1, 0, 0, 1, 0},  // (8) Rajski
    {0, 0, 1, 1, 0, 0, 1, 0},  // (9) coherence
    {0, 0, 1, 1, 0, 0, 1, 0},  // (10) chi-square
    {0, 0, 0, 1, 0, 0, 0, 0},  // (11) Jaccard
    {0, 0, 0, 1, 0, 0, 0, 0},  // (12) simple matching
    {0, 0, 0, 1, 0, 0, 0, 0},  // (13) Sokal-Michener
    {0, 0, 0, 1, 0, 0, 0, 0},  // (14) Ochiai
    {0, 0, 0, 1, 0, 0, 0, 0},  // (15) Sorensen
    {0, 0, 0, 1, 0, 0, 0, 0},  // (16) mean square contingency
    {1, 1, 0, 1, 0, 1, 0, 0},  // (17) correlation
    {1, 1, 0, 1, 0, 1, 0, 0},  // (18) chord distance
    {0, 0, 0, 0, 0, 0, 0, 0},  // (19) Legendre&Chodorowski
    {0, 0, 0, 0, 0, 0, 0, 0},  // (20) percentage difference
    {1, 1, 0, 1, 0, 1, 0, 0},  // (21) second eigenvalue
    {1, 0, 0, 1, 0, 0, 0, 0},  // (22) covariance
    {0, 0, 0, 1, 0, 0, 0, 0},  // (23) beta_jac
    {0, 0, 0, 0, 0, 0, 0, 0},  // (24) beta_jtu
    {0, 0, 0, 0, 0, 0, 0, 0},  // (25) beta_jne
    {0, 0, 0, 1, 0, 0, 0, 0},  // (26) beta_sor
    {0, 0, 0, 0, 0, 0, 0, 0},  // (27) beta_sim
    {0, 0, 0, 0, 0, 0, 0, 0},  // (28) beta_sne
    {1, 0, 0, 1, 0, 0, 0, 0},  // (29) Mahalanobis
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

int appliesDescriptiveAttr[6][8] = {
    {1, 1, 1, 1, 1, 1, 1, 1},  // 0
    {1, 1, 0, 1, 1, 1, 1, 1},  // (1) means and standard deviations
    {0, 0, 1, 1, 1, 0, 1, 1},  // (2) entropy of variables
    {1, 0, 0, 0, 0, 0, 0, 0},  // (3) contingency table entropy
    {0, 0, 0, 1, 0, 0, 0, 0},  // (4) multi-site beta diversity
    {1, 1, 1, 1, 1, 1, 1, 1},  // (99) cancel
};

void Initialize() {
  if (port) {
    enterOpt = "Entre opcao";
    enterOptValid = "Entre opcao (opcoes validas com *)";
    returnMain = "voltar ao menu principal";
    iteraStr = "Iteracao";
    versao = versaoP;
    optMainMenuInfo = optMainMenuInfoP;
    optVarTipoInfo = optVarTipoInfoP;
    optDescrAttrInfo = optDescrAttrInfoP;
    optTrEsInfo = optTrEsInfoP;
    optTrInfo = optTrInfoP;
    optTrVeDirInfo = optTrVeDirInfoP;
    optTrVe2Info = optTrVe2InfoP;
    optReseTipoInfo = optReseTipoInfoP;
    optPostReseTransfInfo = optPostReseTransfInfoP;
    optReseDirInfo = optReseDirInfoP;
    optOrdiTypeInfo = optOrdiTypeInfoP;
    clusMethInfo = clusMethInfoP;
    optTransfCorrelInfo = optTransfCorrelInfoP;
    yesnoInfo = yesnoInfoP;
  } else {
    enterOpt = "Enter option";
    enterOptValid = "Enter option (valid options with *)";
    returnMain = "return to main menu";
    iteraStr = "Iteration";
    versao = versaoE;
    optMainMenuInfo = optMainMenuInfoE;
    optVarTipoInfo = optVarTipoInfoE;
    optDescrAttrInfo = optDescrAttrInfoE;
    optTrEsInfo = optTrEsInfoE;
    optTrInfo = optTrInfoE;
    optTrVeDirInfo = optTrVeDirInfoE;
    optTrVe2Info = optTrVe2InfoE;
    optReseTipoInfo = optReseTipoInfoE;
    optPostReseTransfInfo = optPostReseTransfInfoE;
    optReseDirInfo = optReseDirInfoE;
    optOrdiTypeInfo = optOrdiTypeInfoE;
    clusMethInfo = clusMethInfoE;
    optTransfCorrelInfo = optTransfCorrelInfoE;
    yesnoInfo = yesnoInfoE;
  }
}

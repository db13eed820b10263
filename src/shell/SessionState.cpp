#include "shell/SessionState.h"

#include "shell/SessionObjects.h"

char optMain = 0;
char modeZoviri[3] = "w";
int savedSession = 0;
const char* line = "-------------------------------------------------------------------------------";
const char* versao = "3.85b";
const char* const resultsFileName = "Zoviri.txt";

int eng = 1, port = 0;
int nMaxDim = 6;
int nProcessors = 0;
double scatterHSize = 0, scatterVSize = 0, treeHSize = 0, treeVSize = 0;
const char* const versionPref = "06Apr2012";

char filename[NAME_LEN] = "";
char sessionName[NAME_LEN] = "Sessao";
char sessionFilename[NAME_LEN] = "Sessao.trk";
const char* const versaoTrack = "16/May/2007";
char format = 'N';
int nObj = 0, nVar = 0;
int optVarTipo = 0;
int* varType = nullptr;
int temQuant = 0, temQual = 0, temBin = 0;
int optLabel = 1;
char** uaLabels = nullptr;
char** varLabels = nullptr;
double** dataOrig = nullptr;
double** data = nullptr;
char optPrintData = 'n';
int temDados = 0;

int optTrEs = 0, optTrVeVar = 0, optTrVeUnits = 0;
int nClassesVar = 0, nClassesUnits = 0;
int BealsTypeOpt = 1, BealsIncludeOpt = 1, BealsNormalizeOpt = 0;
int trGroupFactor = 0;

int temRese = 0;
int optReseDir = 1;
int optReseTipo = 0;
int optPostReseTransf = 0;
double alphaH = 1, kParameter = 0;
int countDoubleAbsence = 0;
int nRows = 0, nCols = 0;
double** rese = nullptr;

int temEscore = 0;
int optOrdiType = 0;
int rank = 0;
double* eig = nullptr;
double** evectors = nullptr;
double** escores = nullptr;

int temGrupo = 0;
int nFactors = 0;
int nesting = 0;
char** factorLabel = nullptr;
int* nestedFactor = nullptr;
int* nGroups = nullptr;
int** grLabel = nullptr;
int** grMemb = nullptr;
int grMembDimensioned = 0;

int optDescrAttr = 0;
double alphaEntropy = 1.0;

bool secondSet = false, thirdSet = false;
void (*makeDataSetCurrent)(int which) = MakeDataSetCurrent;

int stepReached = 0, dataType = 1, isStandardized = 0, hasNegative = 0;

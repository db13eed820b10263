// The process-wide session state: the data table, its labels and kinds, the
// transformations and resemblance in force, ordination results and groups.
// Menu routines own and change it; computational kernels never touch it.
#pragma once
#include <cstdio>

constexpr int LABEL_LEN = 30;      // labels of units and variables (without terminator)
constexpr int NAME_LEN = 100;      // file and session names, factor names

// Main loop and results file.
extern char optMain;               // letter chosen in the last pass of the main menu
extern char modeZoviri[3];         // "w" until the first write to the results file, then "a"
extern int savedSession;           // 1 when the track reflects the current state
extern const char* line;           // 79 dashes
extern const char* versao;         // program version shown in banner and headers
extern const char* const resultsFileName;  // "Zoviri.txt"

// Preferences.
extern int eng, port;
extern int nMaxDim;
extern int nProcessors;
extern double scatterHSize, scatterVSize, treeHSize, treeVSize;
extern const char* const versionPref;

// Data file.
extern char filename[NAME_LEN];
extern char sessionName[NAME_LEN];
extern char sessionFilename[NAME_LEN];
extern const char* const versaoTrack;
extern char format;                // 'N' by sampling units, 'T' by variables
extern int nObj, nVar;
extern int optVarTipo;
extern int* varType;               // 1 binary, 2 qualitative, 3 quantitative, 4 ordinal
extern int temQuant, temQual, temBin;
extern int optLabel;
extern char** uaLabels;            // nObj labels of LABEL_LEN + 1 characters
extern char** varLabels;           // nVar labels
extern double** dataOrig;          // as read
extern double** data;              // after the transformations in force
extern char optPrintData;
extern int temDados;

// Transformations in force.
extern int optTrEs, optTrVeVar, optTrVeUnits;
extern int nClassesVar, nClassesUnits;
extern int BealsTypeOpt, BealsIncludeOpt, BealsNormalizeOpt;
extern int trGroupFactor;          // factor (0-based) of the deviations from group means in force

// Resemblance.
extern int temRese;
extern int optReseDir;             // 1 sampling units, 2 variables
extern int optReseTipo;
extern int optPostReseTransf;
extern double alphaH, kParameter;
extern int countDoubleAbsence;
extern int nRows, nCols;
extern double** rese;              // nRows x nRows

// Ordination.
extern int temEscore;
extern int optOrdiType;            // 1 PCoA, 2 PCA, 3 CA
extern int rank;
extern double* eig;                // nRows + 1
extern double** evectors;          // (nRows + 1) x (nRows + 1)
extern double** escores;           // nRows x nCols (PCoA: nRows x nRows); row k = axis k + 1

// Groups.
extern int temGrupo;
extern int nFactors;
extern int nesting;
extern char** factorLabel;         // nFactors x NAME_LEN
extern int* nestedFactor;          // nFactors
extern int* nGroups;               // F
extern int** grLabel;              // F x nObj
extern int** grMemb;               // F x nObj
extern int grMembDimensioned;
// Rows of the group arrays: one per factor, one per pair of factors, one more.
inline int GroupArrayRows(int factors) { return factors + factors * (factors - 1) / 2 + 1; }

// Descriptive attributes (option V): the option chosen last and the order of
// its Renyi entropies.
extern int optDescrAttr;
extern double alphaEntropy;

// Second and third data sets (held apart, SessionObjects.h): these flags say
// whether they are held; no data set carries them.
extern bool secondSet, thirdSet;
// Makes the second (2) data set current, or the first (1) current again; the
// status report uses it to describe a held second data set. Normally
// MakeDataSetCurrent (SessionObjects.h); tests may put a stand-in here.
extern void (*makeDataSetCurrent)(int which);

// Derived values.
extern int stepReached, dataType, isStandardized, hasNegative;

// Allocation and release of the data-dependent state.
void Dimensiona();
void LivraMemoria();
// Release of one part of the state (each by its flag; the flag is cleared).
void FreeResemblance();
void FreeOrdination();
void FreeGroups();

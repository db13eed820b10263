// Bilingual option tables and their applicability matrices. Each table exists
// in Portuguese (...P) and English (...E); the language-neutral pointer is set
// by Initialize(). An applicability row has one column per data type 1..8.
#pragma once

extern const char* enterOpt;
extern const char* enterOptValid;
extern const char* returnMain;
extern const char* iteraStr;

extern const char** optMainMenuInfo;       // 17 entries
extern const char** optVarTipoInfo;        // 0..6
extern const char** optDescrAttrInfo;      // 0..5
extern const char** optTrInfo;             // 0..2
extern const char** optTrEsInfo;           // 0..6
extern const char** optTrVeDirInfo;        // 0..3
extern const char** optTrVe2Info;          // 0..13
extern const char** optReseDirInfo;        // 0..3
extern const char** optReseTipoInfo;       // 0..30
extern const char** optPostReseTransfInfo; // 0..3
extern const char** optOrdiTypeInfo;       // 0..4
extern const char** clusMethInfo;          // 0..8
extern const char** optTransfCorrelInfo;   // 0..2
extern const char** yesnoInfo;             // 0 no, 1 yes

constexpr int MAIN_MENU_ENTRIES = 17;
extern int appliesMain[MAIN_MENU_ENTRIES][5];
extern int appliesTr[3][8];
extern int appliesScalar[7][8];
extern int appliesVectorDir[4][8];
extern int appliesVectorVar[14][8];
extern int appliesVectorUnits[14][8];
extern int appliesVectorOther[14][8];
extern int appliesReseDir[5][8];
extern int appliesReseUnits[31][8];
extern int appliesReseVar[31][8];
extern int appliesDescriptiveAttr[6][8];

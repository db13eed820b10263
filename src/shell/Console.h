// Console and script input: the validating readers every dialogue uses, and
// the verifying file primitives shared by the data, track and preference readers.
#pragma once
#include <cstdio>

extern FILE* in;   // source of every answer: standard input, or a script after option Z
extern FILE* out;  // every question goes here (standard output)

FILE* fopenck(const char* name, const char* prefix, const char* mode);
void freadck(FILE* f, const char* format, void* target, const char* label);
int freadck1(FILE* f, const char* format, void* target, const char* label);
char ScanChar(FILE* f, const char* accepted, const char* label);
// accepted == "-": two further doubles give the inclusive lower and upper limits.
double ScanNumber(FILE* f, const char* label, const char* accepted, ...);
char* ScanString(FILE* f, int maxLength, char* target, const char* accepted, int caseSensitive, const char* label);
int StrCmp(const char* a, const char* b);

// Label of the keyboard in the current language: "teclado" or "keyboard".
const char* KeyboardLabel();
// Answer of a yes/no question asked with yesNoAccepted(): 's', 'y' or 'n'.
const char* YesNoAccepted();  // "s n" (Portuguese) or "y n" (English)

// Clocks, time stamps, the console progress line and the thread limit.
#pragma once
#include <cstdio>
#include <ctime>

void InitIFLibG();
void InitMultiprocessing(int n);
double difftime_Clock_Init();
double difftime_Clock(double t0);
void TimeStamp(FILE* f);
void HandleEventInfoWhere2(const char* label);
void ClearLine();

extern clock_t t1;          // processor clock at start-up
extern clock_t t2;          // processor clock at the last progress line
extern time_t timeStart;    // calendar time at start-up
extern int is40CharLine;    // a progress line is open on the console
extern int is80CharLine;

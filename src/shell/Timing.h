// Clocks, time stamps, the console progress line and the thread limit.
#pragma once
#include <cstdio>

void InitIFLibG();
void InitMultiprocessing(int n);
double difftime_Clock_Init();
double difftime_Clock(double t0);
void TimeStamp(FILE* f);
void HandleEventInfoWhere2(const char* label);
void ClearLine();
